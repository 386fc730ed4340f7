#pragma once
// An open database connection of the data layer: opened from parameters, it lists the
// databases and user tables, reads a table's columns and runs statements with bound values.
// Every failure throws DataError, whose text never holds the password.
#include "platform/data/ConnectionParams.h"
#include "platform/data/Dialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace data {

class Connection {
public:
    enum class FileMode { MustExist, Create };

    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the connection; waits at most timeoutSeconds for the server. A file database
    // must exist unless mode is Create. Throws DataError.
    void open(const ConnectionParams& params, int timeoutSeconds, FileMode mode = FileMode::MustExist);
    void close();
    bool isOpen() const;

    const ConnectionParams& params() const { return m_params; }
    const Dialect& dialect() const;
    QSqlDatabase database() const;

    // "Data Source", "Initial Catalog", "User ID", "Password": the values the connection was
    // opened with.
    QString Property(const QString& name) const;
    // The connection text of the open connection (without the password).
    QString ConnectionString() const { return ConnectionText(m_params); }

    QStringList userTables();
    // The server's databases, without the engine's system databases.
    QStringList databases();
    QList<Column> columns(const QString& table);

    void exec(const Statement& statement);
    void exec(const QString& sql, const QVariantList& binds = {}) { exec(Statement{sql, binds}); }
    // A forward-only query, executed.
    QSqlQuery select(const QString& sql, const QVariantList& binds = {});
    // True while the server still answers.
    bool ping();

    void beginTransaction();
    void commit();
    // Rolls back and swallows any failure (the connection may be gone).
    void rollback() noexcept;

    // The text with the connection's password replaced by "***".
    QString scrub(const QString& text) const;
    [[noreturn]] void fail(const QString& what) const;

private:
    QString m_name;
    ConnectionParams m_params;
    Engine m_dialectEngine = Engine::Sqlite;
};

// True when the file starts like an SQLite database.
bool IsSqliteFile(const QString& path);

} // namespace data
