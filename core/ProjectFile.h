#pragma once
// The project file (.wpp, .wsp): the output settings, the option combos and file lists of
// the list windows, the HTML extension list and the current vocabulary table, one record
// per line in the system code page (see ProjectLine.h for the fields). The windows write and
// read their own parts (ProjectPart.h); this file keeps the format.
#include <QString>
#include <QDateTime>
#include <QStringList>

class FlexGrid;
class QComboBox;

// Writes the project; an empty path does nothing. The file is replaced whole or not at all.
// True when the file was written.
bool PrjFileSave(const QString& path);
// Reads a project into the windows; an empty path does nothing. True when it was read whole.
bool PrjFileShow(const QString& path);
// Empties the file lists of the Word, Excel, PowerPoint and HTML windows.
void ClearFileLists();

// The row lines and end line of one file list, appended to lines.
void PrjLstSave(FlexGrid* grid, QStringList& lines);
// The row lines and end line of the folder list, appended to lines.
void PrjLstDirSave(FlexGrid* grid, QStringList& lines);

// A line that does not belong where it stands: the reader reports the file's format error.
struct ProjectFormatError {};

// The lines of a project file being read, taken one at a time.
class ProjectReader {
public:
    explicit ProjectReader(QStringList lines) : m_lines(std::move(lines)) {}
    // The fields of the next line; a run-time failure past the end of the file.
    QStringList Next();
    // The fields of the line Next gave last.
    const QStringList& Current() const { return m_current; }
    // The first field of the next line, without taking it; empty at the end of the file.
    QString PeekKey() const;
    // Takes the header line (a format error when it is none).
    void ReadHeader();
    // The header names the layout that carries the folder list ("Header:WSP").
    bool FolderLayout() const { return m_folderLayout; }
    // The next count field of the header line.
    int HeaderCount();
    // Takes the next line, which has to begin with key.
    QStringList NextWithKey(const char* key);
    // Takes the end line of a list (first field 0), passing over lines that are no row.
    void ExpectEndLine();
    // Takes the next row line of a list or table section: a line of fieldCount fields whose
    // first is its row number. Lines that are no such row are passed over and counted as bad.
    // False, taking nothing, when the next line is an end line or the file has ended.
    bool NextRow(int fieldCount, QStringList& fields);
    // Takes lines up to and including the next one that begins with key; the lines passed
    // over count as bad. A format error when no such line follows.
    void SkipToKey(const char* key);
    // How many lines were passed over as bad.
    int BadLines() const { return m_badLines; }

private:
    QStringList m_lines;
    int m_next = 0;
    QStringList m_current;
    QStringList m_header;
    int m_nextHeaderField = 1;
    bool m_folderLayout = false;
    int m_badLines = 0;
};

// Sets a combo's index from a saved number; an index the combo does not hold is a format error.
void SetProjectComboIndex(QComboBox* combo, const QString& saved);

// Reads count row lines of one file list into the grid (not its end line).
void PrjLstShow(FlexGrid* grid, ProjectReader& file, int count);
// Reads count folder lines into the folder grid (not its end line).
void PrjLstDirShow(FlexGrid* grid, ProjectReader& file, int count);

// The file-row date text as the project writes it, and the reading of such a text.
QString ProjectDateText(const QDateTime& time);
QDateTime ParseProjectDate(const QString& text);

// The side file of a project: its path with the extension replaced by ".DBL".
QString ProjectSideFilePath(const QString& projectPath);
