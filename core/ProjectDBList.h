#pragma once
// The project's database side file (.DBL): the database window's option combos, its source
// connection, source and output database and table list. Each line is the UTF-16LE code
// units of its text followed by the single bytes 0D 0A; fields are separated by Tab. The
// first line names the project ("PrjFileName"); the lines after it belong to the database
// window, which writes and reads them through the side-file part it registers.
#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

class FlexGrid;

// Writes the side file from the database window; the file is replaced whole.
void PrjLstDBSave(FlexGrid* grid, const QString& path);
// Reads the side file into the database window.
void PrjLstDBShow(FlexGrid* grid, const QString& path);

// The lines of a side file being written.
class SideFileWriter {
public:
    // Appends the line makeText gives; a failure while making it goes to the error log
    // ("PrjLstDBSave") and the next line is written.
    void Line(const std::function<QString()>& makeText);
    const QByteArray& Content() const { return m_content; }

private:
    QByteArray m_content;
};

// The lines of a side file being read, after its first line.
class SideFileReader {
public:
    explicit SideFileReader(QIODevice& file) : m_file(file) {}
    // The next line's text; false at the end of the file.
    bool ReadLine(QString& line);

private:
    QIODevice& m_file;
};

// What the database window keeps in the side file.
class ProjectSideFilePart {
public:
    virtual ~ProjectSideFilePart() = default;
    virtual void Save(FlexGrid* grid, SideFileWriter& file) = 0;
    // Failures reach PrjLstDBShow, which logs them.
    virtual void Show(FlexGrid* grid, SideFileReader& file) = 0;
};

// The window's side-file part; none registered writes and reads the first line only.
void SetProjectSideFilePart(ProjectSideFilePart* part);
