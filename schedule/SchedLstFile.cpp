#include "schedule/SchedLstFile.h"

#include "core/TextFile.h"
#include "platform/CodePage.h"
#include "platform/ProgramFolder.h"

#include <QStringList>

QString SchedLstPath()
{
    return PathJoin(ProgramFolder(), QStringLiteral("Sched.lst"));
}

QList<ScheduleRow> ReadSchedLst(const QString& path)
{
    QString text = FromSystemCodePage(ReadWholeFile(path));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the last line's end
    QList<ScheduleRow> rows;
    for (const QString& line : lines)
        rows << ParseScheduleLine(line);
    return rows;
}

void WriteSchedLst(const QString& path, const QList<ScheduleRow>& rows)
{
    QString text;
    for (const ScheduleRow& row : rows)
        text += ScheduleLineText(row) + QStringLiteral("\r\n");
    WriteWholeFile(path, ToSystemCodePage(text));
}
