#pragma once
// The SQL that differs between engines, one object per engine. Every identifier goes
// through quote(); every value is a bound parameter ("?") of the statements returned here.
#include "platform/data/Column.h"
#include "platform/data/Engine.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class QSqlDatabase;

namespace data {

// One statement with its bound values.
struct Statement {
    QString sql;
    QVariantList binds;
    bool operator==(const Statement& o) const { return sql == o.sql && binds == o.binds; }
};

// Where the rows of an output table come from, for engines that can copy a table's
// structure on the server.
struct SourceTable {
    QString database; // the source database's name
    QString table;
    bool sameServer = false; // source and output are databases of one server
};

class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;

    // The identifier quoted for this engine, the closing quote doubled inside it.
    virtual QString quote(const QString& identifier) const = 0;
    // One column "name": the user tables of the connection's database, in catalog order.
    virtual QString userTablesQuery() const = 0;
    // One column "name": the databases of the server; empty for file databases.
    virtual QString databasesQuery() const { return QString(); }
    // Names the database list never offers.
    virtual QStringList systemDatabases() const { return {}; }
    // The columns of a table, in order.
    virtual QList<Column> columns(QSqlDatabase& db, const QString& table) const = 0;

    // Drops the table when it exists.
    virtual Statement dropTableIfExists(const QString& table) const;
    // The statements that create the output table for the columns; the column names are
    // the output's (outNames, in column order).
    virtual QList<Statement> createOutputTable(const QString& table, const QList<Column>& columns,
                                               const QStringList& outNames, const SourceTable& source) const;
    // Statements to run before rows are inserted into a created table, and after the last
    // row (also after a failure: they undo session settings of beforeInsert).
    virtual QList<Statement> beforeInsert(const QString& table) const { return {}; }
    virtual QList<Statement> afterInsert(const QString& table) const { return {}; }
    // True for a column whose values the server makes itself: it is left out of the insert.
    virtual bool serverFills(const Column&) const { return false; }
    // The characters the created output column of a text column holds at most; -1 when the
    // engine does not limit it.
    virtual int outputLength(const Column&) const { return -1; }
    // The length of a text as the engine counts it against such a limit.
    virtual int textLength(const QString& text) const { return static_cast<int>(text.size()); }
    // Widens the created output column name (made from column) to hold length characters.
    virtual Statement widenColumn(const QString& table, const QString& name, const Column& column, int length) const;
    // Reads every row of a table; each column as selectExpression gives it.
    QString selectAll(const QString& table, const QList<Column>& columns) const;
    // "INSERT INTO t (c1, c2) VALUES (?, ?), (?, ?) ..." for rows rows.
    QString insertRows(const QString& table, const QStringList& names, int rows) const;
    // Rows per multi-row insert for a table of this many columns.
    int rowsPerInsert(int columnCount) const;

protected:
    // How a column is read for copying (its quoted name unless the engine needs more).
    virtual QString selectExpression(const Column& column) const { return quote(column.name); }
    // The type a created output column gets.
    virtual QString outputType(const Column& column) const = 0;
    // Bound values one statement may carry.
    virtual int maxParameters() const = 0;
};

// The dialect object of an engine.
const Dialect& DialectFor(Engine engine);

// The statements SQL Server runs: the catalogue of its own (sysobjects, sysdatabases),
// and the structure copy across databases with SELECT INTO.
class SqlServerDialect : public Dialect {
public:
    Engine engine() const override { return Engine::SqlServer; }
    QString quote(const QString& identifier) const override;
    QString userTablesQuery() const override;
    QString databasesQuery() const override;
    QStringList systemDatabases() const override;
    QList<Column> columns(QSqlDatabase& db, const QString& table) const override;
    Statement dropTableIfExists(const QString& table) const override;
    QList<Statement> createOutputTable(const QString& table, const QList<Column>& columns, const QStringList& outNames,
                                       const SourceTable& source) const override;
    QList<Statement> beforeInsert(const QString& table) const override;
    QList<Statement> afterInsert(const QString& table) const override;
    // rowversion (timestamp) columns.
    bool serverFills(const Column& column) const override;
    int outputLength(const Column& column) const override;
    Statement widenColumn(const QString& table, const QString& name, const Column& column, int length) const override;
    // The query giving one row per column of a table (one bound value: the table's name).
    QString columnsQuery() const;

protected:
    // Exact numbers and the date and time types with a fraction finer than a millisecond are
    // read as their text, which the server reads back into the same value exactly.
    QString selectExpression(const Column& column) const override;
    QString outputType(const Column& column) const override;
    int maxParameters() const override { return 2000; }
};

class PostgreSqlDialect : public Dialect {
public:
    Engine engine() const override { return Engine::PostgreSql; }
    QString quote(const QString& identifier) const override;
    QString userTablesQuery() const override;
    QString databasesQuery() const override;
    QStringList systemDatabases() const override;
    QList<Column> columns(QSqlDatabase& db, const QString& table) const override;
    int outputLength(const Column& column) const override;
    // Characters (code points).
    int textLength(const QString& text) const override;
    Statement widenColumn(const QString& table, const QString& name, const Column& column, int length) const override;

protected:
    // Columns that are not text are read as their text form, which PostgreSQL reads back into
    // the same type exactly.
    QString selectExpression(const Column& column) const override;
    QString outputType(const Column& column) const override { return column.typeText; }
    int maxParameters() const override { return 30000; }
};

class SqliteDialect : public Dialect {
public:
    Engine engine() const override { return Engine::Sqlite; }
    QString quote(const QString& identifier) const override;
    QString userTablesQuery() const override;
    QList<Column> columns(QSqlDatabase& db, const QString& table) const override;

protected:
    // 8-bit text types become their Unicode counterparts; other types stay as declared.
    QString outputType(const Column& column) const override;
    int maxParameters() const override { return 30000; }
};

// Access database files, read through the data layer's own driver (AccessDriver): brackets,
// and the file's own catalogue.
class AccessDialect : public SqliteDialect {
public:
    Engine engine() const override { return Engine::Access; }
    QString quote(const QString& identifier) const override;
    QString userTablesQuery() const override { return QString(); }
    QList<Column> columns(QSqlDatabase& db, const QString& table) const override;
};

} // namespace data
