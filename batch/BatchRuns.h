#pragma once
// The run procedures of the six file-list windows. Each takes the window's grid and its
// conversion choice, converts the rows (or folder trees) not yet processed, marks them and
// ends with its summary box unless the scheduler runs the project. While one works,
// gbBatchRunning holds the program's commands back.
#include <QString>
#include <QStringList>

#include <cstdint>

class FlexGrid;

// HTML window: text and HTML rows through the library (charset tag by the row's 0x10), word
// processor rows through Word and the RTF converter, others copied.
void ExecuteHtmlConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R);

// Encoding-pair window: the library's file conversion with the window's type and option.
void ExecuteSpecConv(FlexGrid* grid, int16_t convType, int16_t convOption);

// Word, Excel and PowerPoint windows: text rows through the library, their own documents
// through Office, others copied. Excel and PowerPoint first start their application and
// show message 1011 / 1012 when it cannot be started.
void ExecuteDocConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R);
void ExecuteXlsConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R);
void ExecutePPTConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R);

// Folder-tree window: every folder row (processed or not) walked into its output folder.
// tagFlag is not used: each row's 0x10 gives the charset tag. True when every folder row
// converted, also in an unattended run, which shows no summary box.
bool ExecutePathConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R, const QStringList& extList,
                     bool tagFlag, bool officeFlag);

// One folder tree: mirrors inFolder under outFolder, converting text and HTML files, Office
// documents through Office when officeFlag is set, copying the rest. True when every file
// was written.
bool ConvertPath(const QString& inFolder, const QString& outFolder, bool bCode, bool bPhrase, bool bB52GB,
                 bool bL2R, const QStringList& extList, bool tagFlag, bool officeFlag);
