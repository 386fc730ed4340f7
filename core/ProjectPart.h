#pragma once
// A part of the project file that one window owns (a file list with its options, the output
// settings, the HTML extensions, the vocabulary table mark, the database window). The file
// keeps its parts in sections, in this order:
//   the header line ("Header" or "Header:WSP" and one count per part that has one),
//   the option lines, the line "-",9,
//   the vocabulary table lines and their end line 0,"-","-",99,
//   the file rows of each list, each list closed by its own end line.
// The core writes the sections, the line format and the whole file; each part writes and
// reads its own fields and lines. Parts are registered in the order the file holds them and
// come in that order in every section.
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class ProjectReader;

// What a part held of the user's work while other projects were read into the windows.
class KeptProjectPart {
public:
    explicit KeptProjectPart(std::function<void()> putBack) : m_putBack(std::move(putBack)) {}
    // Shows it again as it was when it was kept.
    void PutBack() { m_putBack(); }

private:
    std::function<void()> m_putBack;
};

// The sections of a project being written; the core joins them into the file.
class ProjectWriter {
public:
    explicit ProjectWriter(QString path) : m_path(std::move(path)) {}

    // The project file's path (a part that keeps a side file names it after the project).
    const QString& Path() const { return m_path; }
    // The header line names the layout that carries the folder list ("Header:WSP").
    void UseFolderLayout() { m_folderLayout = true; }
    // A count field of the header line.
    void HeaderCount(qint64 count);
    // A new option line of these fields (made with ProjectText and ProjectNumber).
    void OptionLine(const QStringList& fields);
    // More fields at the end of the last option line.
    void AppendToOptionLine(const QStringList& fields);
    // A line of the vocabulary table section.
    void TableLine(const QString& line);
    // The file-row section, to which the list writers append.
    QStringList& RowLines() { return m_rows; }

    // The whole file: every section in its order, each line ended by CR LF.
    QString Text() const;

private:
    QString m_path;
    bool m_folderLayout = false;
    QStringList m_header;
    QList<QStringList> m_options;
    QStringList m_tables;
    QStringList m_rows;
};

class ProjectPart {
public:
    virtual ~ProjectPart() = default;
    // Adds the part's fields and lines to the sections of the project being written.
    virtual void Save(ProjectWriter& file) = 0;
    // Reading: one call per section, in the file's order; each takes what Save put there.
    virtual void ShowHeader(ProjectReader& file) {}
    virtual void ShowOptions(ProjectReader& file) {}
    virtual void ShowTables(ProjectReader& file) {}
    // Empties the part's file list where a new project starts with empty lists (also right
    // before the file rows are read).
    virtual void ClearList() {}
    virtual void ShowRows(ProjectReader& file) {}

    // Holds what the part shows now (its options, its list, its connection) to be put back
    // after a scheduled run; nullptr when a project read changes nothing of it.
    virtual std::unique_ptr<KeptProjectPart> Keep() { return nullptr; }
    // Empties the part's list and connection, so that a project read next brings only what
    // it holds itself (reading leaves a list alone when the project has none for it).
    virtual void Empty() {}
};

// Adds a part after the ones registered before it.
void RegisterProjectPart(std::unique_ptr<ProjectPart> part);
const std::vector<std::unique_ptr<ProjectPart>>& ProjectParts();
