#pragma once
// The list fillers of the file-list windows: they expand chosen or dropped paths into files,
// give each file its output path from the output settings (frmOutputSetting's opSelectDir
// and strDir), and append one row per file with its row word and type picture. Every filler
// takes the grid, its input, the window's two extension lists (first and second), the four
// conversion flags in the order bB52GB, bCode, bPhrase, bL2R, and the add-tag flag. With the
// another-folder setting and no folder, each shows message 1009 and adds nothing. One addition
// lists a file once; no two rows get one output and no output is an input (see
// FileListNames.h); a walk never enters the output folder. They make no folder and write no
// file.
#include <QString>
#include <QStringList>

class FlexGrid;

// Drop onto the Word, HTML or encoding-pair grid: each dropped item expanded; the relative
// path starts at the folder that holds the item, so a dropped folder keeps its name.
void FileListDropFiles(FlexGrid* grid, const QStringList& dropped, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag);

// A web folder chosen for the HTML grid: the tree expanded; the relative path starts inside
// the folder, so its own name is not repeated.
void FileListPopulateHtml(FlexGrid* grid, const QString& folder, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag);

// Files chosen in the open dialog of the Word or encoding-pair window, not expanded (a chosen
// file that does not exist is still listed, as type other).
void FileListPopulateDoc(FlexGrid* grid, const QStringList& files, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag);

// The Excel and PowerPoint windows (the grid named "lstPpt" is PowerPoint, any other Excel):
// files chosen in the open dialog (Files4) or dropped and expanded (Files5). The first list
// gives the window's own type, the second text. Failures are logged under the procedure's
// name and end the addition, keeping the rows added.
void FileListPopulateFiles4(FlexGrid* grid, const QStringList& files, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag);
void FileListPopulateFiles5(FlexGrid* grid, const QStringList& dropped, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag);

// Folder rows of the folder-tree window (input folder, output folder, row word with 0x20 and
// the type picture of text). DirListAdd adds psDir unless it names a file; DirListDDropAdd
// adds every dropped item that is not a file. The output folder is strDir & "/" & the
// folder's last component, or the folder's path & "1" with the own-folder setting. Failures
// are logged under "DirListAdd" / "DirListDDropAdd". aExt and aExtWord are not used.
void DirListAdd(FlexGrid* lstFG, const QString& psDir, bool bB52GB, bool bCode, bool bPhrase, bool bL2R,
    bool bAddTag);
void DirListDDropAdd(FlexGrid* lstFG, const QStringList& Data, const QStringList& aExt,
    const QStringList& aExtWord, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool bAddTag);
