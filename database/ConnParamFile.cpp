#include "database/ConnParamFile.h"

#include "core/TextFile.h"
#include "database/Connection.h"
#include "platform/data/SecretStore.h"
#include "platform/CodePage.h"
#include "platform/ProgramFolder.h"

#include <QFile>

namespace {
const QString kPgMark = QStringLiteral("pgsql:");
}

QString SavedConnection::line() const
{
    // The password is never written into the file.
    return server.trimmed() + QLatin1Char(',') + database.trimmed() + QLatin1Char(',') + user.trimmed()
        + QLatin1Char(',');
}

QString ConnParamPath()
{
    return PathJoin(ProgramFolder(), QStringLiteral("ConnParam.sys"));
}

QStringList ReadConnParamLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = FromSystemCodePage(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool SplitConnParamLine(const QString& line, SavedConnection& connection)
{
    const QStringList f = line.split(QLatin1Char(','));
    if (f.size() != 4)
        return false;
    connection = {f[0], f[1], f[2], f[3]};
    return true;
}

QString LineWithoutPassword(const QString& line)
{
    const QStringList f = line.split(QLatin1Char(','));
    if (f.size() < 4)
        return line;
    return f[0] + QLatin1Char(',') + f[1] + QLatin1Char(',') + f[2] + QLatin1Char(',');
}

void UpdateConnParam(const QString& path, const SavedConnection& connection, bool remove)
{
    const QString line = connection.line();
    QStringList out;
    if (!remove)
        out << line;
    for (const QString& old : ReadConnParamLines(path)) {
        // A line that once held a password counts as the same connection.
        if (old.trimmed() != line && LineWithoutPassword(old.trimmed()) != line)
            out << LineWithoutPassword(old);
    }
    QByteArray bytes;
    for (const QString& l : out)
        bytes += ToSystemCodePage(l) + "\r\n";
    WriteWholeFile(path, bytes);
}

QString SavedServerField(const data::ConnectionParams& params)
{
    if (params.engine != data::Engine::PostgreSql)
        return params.server;
    return kPgMark + params.server + (params.port > 0 ? QLatin1Char(':') + QString::number(params.port) : QString());
}

data::ConnectionParams ParamsOfSavedServer(const QString& field)
{
    if (field.startsWith(kPgMark))
        return ServerParams(data::Engine::PostgreSql, field.mid(kPgMark.size()), {}, {}, {});
    return ServerParams(data::Engine::SqlServer, field, {}, {}, {});
}

QString ShownServer(const QString& field)
{
    return field.startsWith(kPgMark) ? field.mid(kPgMark.size()) : field;
}

QString StoredPasswordKey(const data::ConnectionParams& params)
{
    return data::PasswordKey(SavedServerField(params), params.database, params.user);
}
