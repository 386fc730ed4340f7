#include "database/ConnParamFile.h"

#include "core/TextFile.h"
#include "platform/CodePage.h"
#include "platform/ProgramFolder.h"

#include <QFile>

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

void UpdateConnParam(const QString& path, const SavedConnection& connection, bool remove)
{
    const QString line = connection.line();
    QStringList out;
    if (!remove)
        out << line;
    for (const QString& old : ReadConnParamLines(path)) {
        SavedConnection c;
        // A line that once held a password counts as the same connection.
        const QString withoutPassword = SplitConnParamLine(old.trimmed(), c) ? c.line() : old.trimmed();
        if (old.trimmed() != line && withoutPassword != line)
            out << (SplitConnParamLine(old, c) ? c.server + QLatin1Char(',') + c.database + QLatin1Char(',') + c.user
                            + QLatin1Char(',')
                                               : old);
    }
    QByteArray bytes;
    for (const QString& l : out)
        bytes += ToSystemCodePage(l) + "\r\n";
    WriteWholeFile(path, bytes);
}
