#include "platform/data/Dialect.h"

#include "platform/data/AccessDriver.h"
#include "platform/data/DataError.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace data {

namespace {

QString Doubled(const QString& text, QChar quoteChar)
{
    QString s = text;
    s.replace(quoteChar, QString(2, quoteChar));
    return s;
}

QSqlQuery RunCatalogQuery(QSqlDatabase& db, const QString& sql, const QVariantList& binds)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DataError(q.lastError().text());
    for (const QVariant& v : binds)
        q.addBindValue(v);
    if (!q.exec())
        throw DataError(q.lastError().text());
    return q;
}

// The number in "(n)" of a type text; -1 without one.
int SizeOfTypeText(const QString& typeText)
{
    const int open = typeText.indexOf(QLatin1Char('('));
    const int close = typeText.indexOf(QLatin1Char(')'), open + 1);
    if (open < 0 || close < 0)
        return -1;
    bool ok = false;
    const int n = typeText.mid(open + 1, close - open - 1).trimmed().toInt(&ok);
    return ok ? n : -1;
}

// The base name of a type text, lower case ("decimal" of "decimal(18,4)").
QString BaseType(const QString& typeText)
{
    const int paren = typeText.indexOf(QLatin1Char('('));
    return (paren < 0 ? typeText : typeText.left(paren)).trimmed().toLower();
}

// A SQL Server column's full type as a created table takes it.
QString SqlServerTypeText(const QString& type, int length, const QVariant& precision, const QVariant& scale,
                          const QVariant& timePrecision)
{
    const QString t = type.toLower();
    if (t == QLatin1String("char") || t == QLatin1String("varchar") || t == QLatin1String("nchar")
        || t == QLatin1String("nvarchar") || t == QLatin1String("binary") || t == QLatin1String("varbinary"))
        return type + (length < 0 ? QStringLiteral("(max)") : QStringLiteral("(%1)").arg(length));
    if ((t == QLatin1String("decimal") || t == QLatin1String("numeric")) && !precision.isNull())
        return type + QStringLiteral("(%1,%2)").arg(precision.toInt()).arg(scale.toInt());
    if ((t == QLatin1String("datetime2") || t == QLatin1String("datetimeoffset") || t == QLatin1String("time"))
        && !timePrecision.isNull())
        return type + QStringLiteral("(%1)").arg(timePrecision.toInt());
    return type;
}

} // namespace

Statement Dialect::dropTableIfExists(const QString& table) const
{
    return {QStringLiteral("DROP TABLE IF EXISTS ") + quote(table), {}};
}

Statement Dialect::widenColumn(const QString&, const QString&, const Column&, int) const
{
    return {};
}

QList<Statement> Dialect::createOutputTable(const QString& table, const QList<Column>& columns,
                                            const QStringList& outNames, const SourceTable&) const
{
    QStringList defs;
    for (int i = 0; i < columns.size(); ++i) {
        const QString type = outputType(columns[i]);
        defs << (type.isEmpty() ? quote(outNames.value(i)) : quote(outNames.value(i)) + QLatin1Char(' ') + type);
    }
    return {{QStringLiteral("CREATE TABLE ") + quote(table) + QStringLiteral(" (") + defs.join(QStringLiteral(", "))
                 + QLatin1Char(')'),
             {}}};
}

QString Dialect::selectAll(const QString& table, const QList<Column>& columns) const
{
    QStringList exprs;
    for (const Column& c : columns)
        exprs << selectExpression(c);
    return QStringLiteral("SELECT ") + exprs.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + quote(table);
}

QString Dialect::insertRows(const QString& table, const QStringList& names, int rows) const
{
    QStringList quoted;
    for (const QString& n : names)
        quoted << quote(n);
    QStringList marks(names.size(), QStringLiteral("?"));
    const QString one = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    QStringList tuples(rows, one);
    return QStringLiteral("INSERT INTO ") + quote(table) + QStringLiteral(" (") + quoted.join(QStringLiteral(", "))
        + QStringLiteral(") VALUES ") + tuples.join(QStringLiteral(", "));
}

int Dialect::rowsPerInsert(int columnCount) const
{
    return std::max(1, std::min(1000, maxParameters() / std::max(1, columnCount)));
}

const Dialect& DialectFor(Engine engine)
{
    static const SqlServerDialect sqlServer;
    static const PostgreSqlDialect postgreSql;
    static const SqliteDialect sqlite;
    static const AccessDialect access;
    switch (engine) {
    case Engine::SqlServer: return sqlServer;
    case Engine::PostgreSql: return postgreSql;
    case Engine::Access: return access;
    case Engine::Sqlite: break;
    }
    return sqlite;
}

// --- SQL Server ---

QString SqlServerDialect::quote(const QString& identifier) const
{
    return QLatin1Char('[') + Doubled(identifier, QLatin1Char(']')) + QLatin1Char(']');
}

QString SqlServerDialect::userTablesQuery() const
{
    return QStringLiteral("SELECT name FROM sysobjects WHERE xtype = 'U' ORDER BY name");
}

QString SqlServerDialect::databasesQuery() const
{
    return QStringLiteral("SELECT name FROM master.dbo.sysdatabases");
}

QStringList SqlServerDialect::systemDatabases() const
{
    return {QStringLiteral("master"), QStringLiteral("model"), QStringLiteral("msdb"), QStringLiteral("tempdb")};
}

QString SqlServerDialect::columnsQuery() const
{
    return QStringLiteral("SELECT COLUMN_NAME, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, NUMERIC_PRECISION, NUMERIC_SCALE, "
                          "DATETIME_PRECISION FROM INFORMATION_SCHEMA.COLUMNS "
                          "WHERE TABLE_NAME = ? ORDER BY ORDINAL_POSITION");
}

QList<Column> SqlServerDialect::columns(QSqlDatabase& db, const QString& table) const
{
    QSqlQuery q = RunCatalogQuery(db, columnsQuery(), {table});
    QList<Column> cols;
    while (q.next()) {
        Column c;
        c.name = q.value(0).toString();
        const QString type = q.value(1).toString();
        c.kind = KindOfTypeName(type);
        const QVariant len = q.value(2);
        c.length = len.isNull() ? -1 : len.toInt();
        c.typeText = SqlServerTypeText(type, c.length, q.value(3), q.value(4), q.value(5));
        cols << c;
    }
    return cols;
}

Statement SqlServerDialect::dropTableIfExists(const QString& table) const
{
    return {QStringLiteral("IF EXISTS (SELECT name FROM sysobjects WHERE name = ? AND xtype = 'U') DROP TABLE ")
                + quote(table),
            {table}};
}

QString SqlServerDialect::outputType(const Column& c) const
{
    // The Unicode types hold at most 4000 characters with a size; wider text becomes max.
    const bool sized = c.length > 0 && c.length <= 4000;
    switch (c.kind) {
    case ColumnKind::Char: return sized ? QStringLiteral("nchar(%1)").arg(c.length) : QStringLiteral("nvarchar(max)");
    case ColumnKind::VarChar:
        return sized ? QStringLiteral("nvarchar(%1)").arg(c.length) : QStringLiteral("nvarchar(max)");
    case ColumnKind::LongText: return QStringLiteral("nvarchar(max)");
    default: return c.typeText;
    }
}

QList<Statement> SqlServerDialect::createOutputTable(const QString& table, const QList<Column>& columns,
                                                     const QStringList& outNames, const SourceTable& source) const
{
    if (!source.sameServer || outNames.size() != columns.size())
        return Dialect::createOutputTable(table, columns, outNames, source);
    for (int i = 0; i < columns.size(); ++i)
        if (outNames[i] != columns[i].name)
            return Dialect::createOutputTable(table, columns, outNames, source);
    // The structure is copied on the server, then every 8-bit text column is widened to
    // Unicode in place: the columns keep their names and their order.
    QList<Statement> statements;
    statements << Statement{QStringLiteral("SELECT * INTO ") + quote(table) + QStringLiteral(" FROM ")
                                + quote(source.database) + QStringLiteral(".dbo.") + quote(source.table)
                                + QStringLiteral(" WHERE 1 <> 1"),
                            {}};
    for (const Column& c : columns) {
        if (c.kind == ColumnKind::Char || c.kind == ColumnKind::VarChar || c.kind == ColumnKind::LongText)
            statements << Statement{QStringLiteral("ALTER TABLE ") + quote(table) + QStringLiteral(" ALTER COLUMN ")
                                        + quote(c.name) + QLatin1Char(' ') + outputType(c) + QStringLiteral(" NULL"),
                                    {}};
    }
    return statements;
}

namespace {
// The table's quoted name as a Unicode string literal.
QString NameLiteral(const QString& quotedName)
{
    return QStringLiteral("N'") + Doubled(quotedName, QLatin1Char('\'')) + QLatin1Char('\'');
}
} // namespace

QList<Statement> SqlServerDialect::beforeInsert(const QString& table) const
{
    // A copied identity column keeps its values only with explicit inserts switched on. The
    // statement carries no bound value, so it runs as a batch of its own on the session and
    // the setting holds for the inserts that follow (a parameterised statement would run it
    // in a scope of its own, which ends with it).
    return {{QStringLiteral("IF OBJECTPROPERTY(OBJECT_ID(") + NameLiteral(quote(table))
                 + QStringLiteral("), 'TableHasIdentity') = 1 SET IDENTITY_INSERT ") + quote(table)
                 + QStringLiteral(" ON"),
             {}}};
}

QList<Statement> SqlServerDialect::afterInsert(const QString& table) const
{
    // One table of a session at a time may have explicit identity inserts.
    return {{QStringLiteral("IF OBJECTPROPERTY(OBJECT_ID(") + NameLiteral(quote(table))
                 + QStringLiteral("), 'TableHasIdentity') = 1 SET IDENTITY_INSERT ") + quote(table)
                 + QStringLiteral(" OFF"),
             {}}};
}

bool SqlServerDialect::serverFills(const Column& column) const
{
    const QString t = BaseType(column.typeText);
    return t == QLatin1String("timestamp") || t == QLatin1String("rowversion");
}

int SqlServerDialect::outputLength(const Column& c) const
{
    switch (c.kind) {
    case ColumnKind::Char:
    case ColumnKind::VarChar:
    case ColumnKind::WChar:
    case ColumnKind::WVarChar: return c.length > 0 && c.length <= 4000 ? c.length : -1;
    default: return -1;
    }
}

Statement SqlServerDialect::widenColumn(const QString& table, const QString& name, const Column& c, int length) const
{
    const bool fixed = c.kind == ColumnKind::Char || c.kind == ColumnKind::WChar;
    const QString type = length > 4000 ? QStringLiteral("nvarchar(max)")
                                       : QStringLiteral("%1(%2)").arg(fixed ? QStringLiteral("nchar") : QStringLiteral("nvarchar")).arg(length);
    return {QStringLiteral("ALTER TABLE ") + quote(table) + QStringLiteral(" ALTER COLUMN ") + quote(name)
                + QLatin1Char(' ') + type + QStringLiteral(" NULL"),
            {}};
}

QString SqlServerDialect::selectExpression(const Column& c) const
{
    const QString t = BaseType(c.typeText);
    if (t == QLatin1String("decimal") || t == QLatin1String("numeric"))
        return QStringLiteral("CONVERT(varchar(64), ") + quote(c.name) + QLatin1Char(')');
    // Style 2 keeps all four decimals of money.
    if (t == QLatin1String("money") || t == QLatin1String("smallmoney"))
        return QStringLiteral("CONVERT(varchar(64), ") + quote(c.name) + QStringLiteral(", 2)");
    // Style 121 keeps the whole fraction (and the offset of datetimeoffset).
    if (t == QLatin1String("datetime2") || t == QLatin1String("datetimeoffset") || t == QLatin1String("time"))
        return QStringLiteral("CONVERT(varchar(64), ") + quote(c.name) + QStringLiteral(", 121)");
    return quote(c.name);
}

// --- PostgreSQL ---

QString PostgreSqlDialect::quote(const QString& identifier) const
{
    return QLatin1Char('"') + Doubled(identifier, QLatin1Char('"')) + QLatin1Char('"');
}

QString PostgreSqlDialect::userTablesQuery() const
{
    return QStringLiteral("SELECT c.relname AS name FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                          "WHERE c.relkind IN ('r', 'p') AND n.nspname = current_schema() ORDER BY c.relname");
}

QString PostgreSqlDialect::databasesQuery() const
{
    return QStringLiteral("SELECT datname AS name FROM pg_database WHERE datallowconn ORDER BY oid");
}

QStringList PostgreSqlDialect::systemDatabases() const
{
    return {QStringLiteral("template0"), QStringLiteral("template1")};
}

QList<Column> PostgreSqlDialect::columns(QSqlDatabase& db, const QString& table) const
{
    QSqlQuery q = RunCatalogQuery(
        db,
        QStringLiteral("SELECT a.attname, format_type(a.atttypid, a.atttypmod), t.typname, "
                       "CASE WHEN a.atttypmod > 4 THEN a.atttypmod - 4 ELSE -1 END "
                       "FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
                       "WHERE a.attrelid = (SELECT c.oid FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                       "WHERE c.relname = ? AND n.nspname = current_schema()) "
                       "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum"),
        {table});
    QList<Column> cols;
    while (q.next()) {
        Column c;
        c.name = q.value(0).toString();
        c.typeText = q.value(1).toString();
        const QString typname = q.value(2).toString();
        if (typname == QLatin1String("bpchar"))
            c.kind = ColumnKind::Char;
        else if (typname == QLatin1String("varchar"))
            c.kind = ColumnKind::VarChar;
        else if (typname == QLatin1String("text"))
            c.kind = ColumnKind::LongText;
        c.length = c.isText() ? q.value(3).toInt() : -1;
        cols << c;
    }
    if (cols.isEmpty())
        throw DataError(QStringLiteral("Table not found: ") + table);
    return cols;
}

int PostgreSqlDialect::outputLength(const Column& c) const
{
    return (c.kind == ColumnKind::Char || c.kind == ColumnKind::VarChar) && c.length > 0 ? c.length : -1;
}

int PostgreSqlDialect::textLength(const QString& text) const
{
    int n = 0;
    for (int i = 0; i < text.size(); ++i)
        if (!text[i].isLowSurrogate())
            ++n;
    return n;
}

Statement PostgreSqlDialect::widenColumn(const QString& table, const QString& name, const Column& c, int length) const
{
    const QString type = c.kind == ColumnKind::Char ? QStringLiteral("character") : QStringLiteral("character varying");
    return {QStringLiteral("ALTER TABLE ") + quote(table) + QStringLiteral(" ALTER COLUMN ") + quote(name)
                + QStringLiteral(" TYPE ") + type + QStringLiteral("(%1)").arg(length),
            {}};
}

QString PostgreSqlDialect::selectExpression(const Column& column) const
{
    return column.isText() ? quote(column.name) : quote(column.name) + QStringLiteral("::text");
}

// --- SQLite ---

QString SqliteDialect::quote(const QString& identifier) const
{
    return QLatin1Char('"') + Doubled(identifier, QLatin1Char('"')) + QLatin1Char('"');
}

QString SqliteDialect::userTablesQuery() const
{
    return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
                          "ESCAPE '\\' ORDER BY name");
}

QList<Column> SqliteDialect::columns(QSqlDatabase& db, const QString& table) const
{
    QSqlQuery q = RunCatalogQuery(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), {table});
    QList<Column> cols;
    while (q.next()) {
        Column c;
        c.name = q.value(0).toString();
        c.typeText = q.value(1).toString();
        c.kind = KindOfTypeName(c.typeText);
        c.length = c.isText() ? SizeOfTypeText(c.typeText) : -1;
        cols << c;
    }
    if (cols.isEmpty())
        throw DataError(QStringLiteral("Table not found: ") + table);
    return cols;
}

QString SqliteDialect::outputType(const Column& c) const
{
    switch (c.kind) {
    case ColumnKind::Char: return c.length > 0 ? QStringLiteral("NCHAR(%1)").arg(c.length) : QStringLiteral("NCHAR");
    case ColumnKind::VarChar:
        return c.length > 0 ? QStringLiteral("NVARCHAR(%1)").arg(c.length) : QStringLiteral("NVARCHAR");
    case ColumnKind::LongText: return QStringLiteral("NTEXT");
    default: return c.typeText;
    }
}

// --- Access files ---

QString AccessDialect::quote(const QString& identifier) const
{
    return QLatin1Char('[') + Doubled(identifier, QLatin1Char(']')) + QLatin1Char(']');
}

QList<Column> AccessDialect::columns(QSqlDatabase& db, const QString& table) const
{
    const auto* driver = dynamic_cast<const AccessDriver*>(db.driver());
    if (!driver || !driver->file())
        throw DataError(QStringLiteral("The database is not open"));
    return driver->file()->columns(table);
}

} // namespace data
