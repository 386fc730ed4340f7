#include "common/PgServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace {

const QString kBin = QStringLiteral("/usr/lib/postgresql/15/bin/");

} // namespace

PgServer::PgServer() : m_dir(QDir::tempPath() + QStringLiteral("/tezpg.XXXXXX")) {}

PgServer::~PgServer()
{
    if (m_running)
        kill();
}

QString PgServer::server() const
{
    return socketDir() + QStringLiteral(":") + QString::number(port());
}

bool PgServer::run(const QStringList& command, QString* output) const
{
    QStringList args = command;
    QString program = args.takeFirst();
    if (geteuid() == 0) {
        args = QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), program} + args;
        program = QStringLiteral("runuser");
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return false;
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool PgServer::start()
{
    if (!m_dir.isValid()) {
        m_why = QStringLiteral("no temporary folder");
        return false;
    }
    if (!QFile::exists(kBin + QStringLiteral("initdb"))) {
        m_why = QStringLiteral("PostgreSQL 15 is not installed (scripts/install-deps.sh)");
        return false;
    }
    if (geteuid() == 0) {
        // The server's user must own its folder.
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("nobody"), m_dir.path()});
    }
    const QString pwfile = m_dir.filePath(QStringLiteral("pw"));
    {
        QFile f(pwfile);
        f.open(QIODevice::WriteOnly);
        f.write(password().toUtf8() + "\n");
    }
    QFile::setPermissions(pwfile, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    QString out;
    if (!run({kBin + QStringLiteral("initdb"), QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
              QStringLiteral("-U"), user(), QStringLiteral("--pwfile=") + pwfile, QStringLiteral("-A"),
              QStringLiteral("scram-sha-256"), QStringLiteral("-E"), QStringLiteral("UTF8"),
              QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")},
             &out)) {
        m_why = QStringLiteral("initdb failed: ") + out;
        return false;
    }
    return startServer();
}

bool PgServer::startServer()
{
    QString out;
    const QString options = QStringLiteral("-k %1 -p %2 -c listen_addresses='' -c fsync=off").arg(m_dir.path()).arg(port());
    if (!run({kBin + QStringLiteral("pg_ctl"), QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
              QStringLiteral("-o"), options, QStringLiteral("-w"), QStringLiteral("-l"),
              m_dir.filePath(QStringLiteral("log")), QStringLiteral("start")},
             &out)) {
        m_why = QStringLiteral("pg_ctl start failed: ") + out;
        return false;
    }
    m_running = true;
    return true;
}

void PgServer::kill()
{
    run({kBin + QStringLiteral("pg_ctl"), QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
         QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
    m_running = false;
}

bool PgServer::psql(const QString& database, const QString& sql, QString* output) const
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGPASSWORD"), password());
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QStringLiteral("psql"), {QStringLiteral("-h"), socketDir(), QStringLiteral("-p"), QString::number(port()),
                                     QStringLiteral("-U"), user(), QStringLiteral("-d"), database,
                                     QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-X"),
                                     QStringLiteral("-A"), QStringLiteral("-t"), QStringLiteral("-q"),
                                     QStringLiteral("-c"), sql});
    if (!p.waitForFinished(30000))
        return false;
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return p.exitCode() == 0;
}
