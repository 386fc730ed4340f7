#include "platform/data/Connection.h"

#include "platform/data/AccessDriver.h"
#include "platform/data/DataError.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace data {

namespace {

QString NewConnectionName()
{
    static QAtomicInteger<int> counter;
    return QStringLiteral("tezdata_%1").arg(counter.fetchAndAddRelaxed(1));
}

// The ODBC connection text for SQL Server over FreeTDS. The password goes into it braced, so
// a ";" in it cannot add options; the driver is not handed the password separately.
QString SqlServerOdbcText(const ConnectionParams& p, int timeoutSeconds)
{
    QString host = p.server;
    QString port;
    const int comma = host.indexOf(QLatin1Char(','));
    if (comma >= 0) {
        port = host.mid(comma + 1).trimmed();
        host = host.left(comma).trimmed();
    }
    QString text = QStringLiteral("DRIVER={FreeTDS};SERVER=") + QuoteConnectionValue(host) + QLatin1Char(';');
    if (!port.isEmpty())
        text += QStringLiteral("PORT=") + QuoteConnectionValue(port) + QLatin1Char(';');
    text += QStringLiteral("DATABASE=") + QuoteConnectionValue(p.database) + QLatin1Char(';');
    text += QStringLiteral("UID=") + QuoteConnectionValue(p.user) + QLatin1Char(';');
    text += QStringLiteral("PWD=") + QuoteConnectionValue(p.password) + QLatin1Char(';');
    text += QStringLiteral("TDS_Version=7.4;ClientCharset=UTF-8;Timeout=%1;").arg(timeoutSeconds);
    return text;
}

} // namespace

bool IsSqliteFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

Connection::Connection() : m_name(NewConnectionName()) {}

Connection::~Connection()
{
    close();
}

void Connection::open(const ConnectionParams& params, int timeoutSeconds, FileMode mode)
{
    close();
    m_params = params;
    m_dialectEngine = params.engine;
    QSqlDatabase db;
    switch (params.engine) {
    case Engine::SqlServer:
        db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
        db.setDatabaseName(SqlServerOdbcText(params, timeoutSeconds));
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1").arg(timeoutSeconds));
        break;
    case Engine::PostgreSql:
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        db.setHostName(params.server);
        if (params.port > 0)
            db.setPort(params.port);
        db.setDatabaseName(params.database);
        db.setUserName(params.user);
        db.setPassword(params.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(std::max(2, timeoutSeconds)));
        break;
    case Engine::Access:
    case Engine::Sqlite: {
        const QFileInfo info(params.server);
        if (mode == FileMode::MustExist && !info.isFile())
            fail(QStringLiteral("Could not find file '%1'.").arg(params.server));
        if (params.engine == Engine::Access && !(mode == FileMode::MustExist && !IsSqliteFile(params.server))) {
            // An Access-type database this program wrote, or a new output: an SQLite file.
            m_dialectEngine = Engine::Sqlite;
        }
        if (m_dialectEngine == Engine::Sqlite) {
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
            db.setDatabaseName(params.server);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(timeoutSeconds * 1000));
        } else {
            db = QSqlDatabase::addDatabase(new AccessDriver, m_name);
            db.setDatabaseName(params.server);
        }
        break;
    }
    }
    if (!db.isValid())
        fail(QStringLiteral("The database driver for %1 is not installed").arg(ProviderName(params.engine)));
    if (!db.open()) {
        const QString why = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        fail(why);
    }
    if (m_dialectEngine == Engine::Sqlite) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            fail(q.lastError().text());
    }
}

void Connection::close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool Connection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

const Dialect& Connection::dialect() const
{
    return DialectFor(m_dialectEngine);
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QString Connection::Property(const QString& name) const
{
    if (name.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
        return m_params.server;
    if (name.compare(QLatin1String("Initial Catalog"), Qt::CaseInsensitive) == 0)
        return m_params.database;
    if (name.compare(QLatin1String("User ID"), Qt::CaseInsensitive) == 0)
        return m_params.user;
    if (name.compare(QLatin1String("Password"), Qt::CaseInsensitive) == 0)
        return m_params.password;
    fail(QStringLiteral("Item cannot be found in the collection: ") + name);
}

QStringList Connection::userTables()
{
    QStringList names;
    const QString sql = dialect().userTablesQuery();
    if (sql.isEmpty()) {
        names = database().tables(QSql::Tables);
        return names;
    }
    QSqlQuery q = select(sql);
    while (q.next())
        names << q.value(0).toString();
    return names;
}

QStringList Connection::databases()
{
    QStringList names;
    const QString sql = dialect().databasesQuery();
    if (sql.isEmpty())
        return names;
    const QStringList system = dialect().systemDatabases();
    QSqlQuery q = select(sql);
    while (q.next()) {
        const QString name = q.value(0).toString();
        if (!system.contains(name, Qt::CaseSensitive))
            names << name;
    }
    return names;
}

QList<Column> Connection::columns(const QString& table)
{
    if (!isOpen())
        fail(QStringLiteral("The connection is closed"));
    QSqlDatabase db = database();
    try {
        return dialect().columns(db, table);
    } catch (const DataError& e) {
        fail(e.description());
    }
}

void Connection::exec(const Statement& statement)
{
    QSqlQuery q(database());
    if (statement.binds.isEmpty()) {
        if (!q.exec(statement.sql))
            fail(q.lastError().text());
        return;
    }
    if (!q.prepare(statement.sql))
        fail(q.lastError().text());
    for (const QVariant& v : statement.binds)
        q.addBindValue(v);
    if (!q.exec())
        fail(q.lastError().text());
}

QSqlQuery Connection::select(const QString& sql, const QVariantList& binds)
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        fail(q.lastError().text());
    for (const QVariant& v : binds)
        q.addBindValue(v);
    if (!q.exec())
        fail(q.lastError().text());
    return q;
}

bool Connection::ping()
{
    if (!isOpen())
        return false;
    QSqlQuery q(database());
    return q.exec(QStringLiteral("SELECT 1")) && q.next();
}

void Connection::beginTransaction()
{
    QSqlDatabase db = database();
    if (!db.transaction())
        fail(db.lastError().text());
}

void Connection::commit()
{
    QSqlDatabase db = database();
    if (!db.commit())
        fail(db.lastError().text());
}

void Connection::rollback() noexcept
{
    try {
        QSqlDatabase db = database();
        if (db.isOpen())
            db.rollback();
    } catch (...) {
    }
}

QString Connection::scrub(const QString& text) const
{
    QString s = text;
    if (!m_params.password.isEmpty())
        s.replace(m_params.password, QStringLiteral("***"));
    return s;
}

void Connection::fail(const QString& what) const
{
    throw DataError(scrub(what.trimmed()));
}

} // namespace data
