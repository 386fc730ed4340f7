#pragma once
// The project file (.wpp, .wsp): the output settings, the option combos and file lists of
// the list windows, the HTML extension list and the current vocabulary table, one record
// per line in the system code page (see ProjectLine.h for the fields).
#include <QString>
#include <QDateTime>
#include <QStringList>

class FlexGrid;

// Writes the project; an empty path does nothing. The file is replaced whole or not at all.
void PrjFileSave(const QString& path);
// Reads a project into the windows; an empty path does nothing.
void PrjFileShow(const QString& path);
// Empties the file lists of the Word, Excel, PowerPoint and HTML windows.
void ClearFileLists();

// The row lines and end line of one file list, appended to lines.
void PrjLstSave(FlexGrid* grid, QStringList& lines);
// The row lines and end line of the folder list, appended to lines.
void PrjLstDirSave(FlexGrid* grid, QStringList& lines);

// The lines of a project file being read, taken one at a time.
class ProjectReader {
public:
    explicit ProjectReader(QStringList lines) : m_lines(std::move(lines)) {}
    // The fields of the next line; a run-time failure past the end of the file.
    QStringList Next();

private:
    QStringList m_lines;
    int m_next = 0;
};

// Reads count row lines of one file list into the grid (not its end line).
void PrjLstShow(FlexGrid* grid, ProjectReader& file, int count);
// Reads count folder lines into the folder grid (not its end line).
void PrjLstDirShow(FlexGrid* grid, ProjectReader& file, int count);

// The file-row date text as the project writes it, and the reading of such a text.
QString ProjectDateText(const QDateTime& time);
QDateTime ParseProjectDate(const QString& text);
