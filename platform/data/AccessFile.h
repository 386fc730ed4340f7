#pragma once
// Reads Access database files (.mdb of Jet 3 and Jet 4, .accdb) through libmdb: the user
// tables, their columns and their rows, one row at a time. Nothing outside this file and
// its source sees libmdb. A file that is not an Access database, is cut short or is damaged
// throws DataError naming the file; the file is only read.
#include "platform/data/Column.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace data {

// Why the start of a file and its size do not make an Access database file libmdb can
// read, or "" when they do. firstPage holds at least the file's first 4096 bytes (all of it
// when shorter).
QString AccessHeaderProblem(const QByteArray& firstPage, qint64 fileSize);

class AccessFile {
public:
    // Opens the file; throws DataError when it cannot be read as an Access database.
    explicit AccessFile(const QString& path);
    ~AccessFile();
    AccessFile(const AccessFile&) = delete;
    AccessFile& operator=(const AccessFile&) = delete;

    const QString& path() const { return m_path; }
    // The user tables in catalog order: no system tables, no hidden tables, no queries.
    QStringList userTables() const;
    // The columns of a user table, in order. Throws DataError for an unknown table.
    QList<Column> columns(const QString& table) const;

    // The rows of one table, read forward. Each cursor reads through a handle of its own,
    // so cursors and catalog look-ups do not disturb each other.
    class Cursor {
    public:
        virtual ~Cursor() = default;
        // Moves to the next row; false after the last. Throws DataError on a damaged page.
        virtual bool next() = 0;
        // The values of the current row, in the order of the columns asked for: text as
        // QString, whole numbers as qint64 or int, Single and Double as double, Currency and
        // Decimal as their exact decimal text, dates as "yyyy-MM-dd hh:mm:ss", Yes/No as bool,
        // binary and OLE values as QByteArray; a Null as an invalid QVariant.
        virtual const QVariantList& row() const = 0;
    };
    // A cursor over the named columns of a table (all of them when columns is empty).
    // Throws DataError for an unknown table or column.
    std::unique_ptr<Cursor> read(const QString& table, const QStringList& columns = {}) const;

private:
    struct Handle;
    QString m_path;
    qint64 m_size = 0;
    std::unique_ptr<Handle> m_handle;
};

} // namespace data
