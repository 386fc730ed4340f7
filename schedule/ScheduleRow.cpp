#include "schedule/ScheduleRow.h"

#include "resources/StringTable.h"

#include <QStringList>
#include <QTime>

namespace {
// The cells up to the end date (the text before the first "," is the first): a line with
// fewer lacks a field that matters.
constexpr int kRequiredCells = 5;

QDate EndDate(const QString& text)
{
    return QDate::fromString(text, QLatin1String(kSchedDatePattern));
}
} // namespace

ScheduleRow ParseScheduleLine(const QString& line)
{
    ScheduleRow row;
    if (line.isEmpty())
        return row; // an empty line: a row not in use with every cell empty
    const QChar flag = line.at(0);
    row.flag = flag.isDigit() && flag.unicode() < 128 ? flag.unicode() - '0' : 0;
    const QStringList cells = line.mid(1).split(QLatin1Char(','));
    row.complete = cells.size() >= kRequiredCells;
    row.lead = cells.value(0);
    row.path = cells.value(1);
    row.weekdays = cells.value(2);
    row.time = cells.value(3);
    row.endDate = cells.value(4);
    row.lastRun = cells.value(5);
    return row;
}

QString ScheduleLineText(const ScheduleRow& row)
{
    QStringList cells{row.path, row.weekdays, row.time, row.endDate, row.lastRun};
    if (!row.complete)
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
    QString line = QString::number(row.flag);
    for (const QString& cell : cells)
        line += QLatin1Char(',') + cell;
    return line;
}

bool IsScheduleTime(const QString& text)
{
    return text.size() == 5 && QTime::fromString(text, QLatin1String(kSchedTimePattern)).isValid();
}

bool IsScheduleEndDate(const QString& text)
{
    return text.isEmpty() || (text.size() == 10 && EndDate(text).isValid());
}

bool IsScheduleWeekdays(const QString& text)
{
    QChar previous = QLatin1Char('0');
    for (const QChar c : text) {
        if (c < QLatin1Char('1') || c > QLatin1Char('7') || c <= previous)
            return false;
        previous = c;
    }
    return true;
}

QString ScheduleRowFault(const ScheduleRow& row)
{
    if (!row.complete)
        return QStringLiteral("missing field");
    if (row.path.isEmpty())
        return QStringLiteral("no project file");
    if (!IsScheduleWeekdays(row.weekdays))
        return QStringLiteral("bad weekdays \"") + row.weekdays + QLatin1Char('"');
    if (!IsScheduleTime(row.time))
        return QStringLiteral("bad time \"") + row.time + QLatin1Char('"');
    if (!IsScheduleEndDate(row.endDate))
        return QStringLiteral("bad end date \"") + row.endDate + QLatin1Char('"');
    return QString();
}

bool IsScheduleRowDue(const ScheduleRow& row, const QString& time, const QString& weekday, const QDate& today)
{
    if (row.flag != 1 || !ScheduleRowFault(row).isEmpty())
        return false;
    if (row.time != time || weekday.size() != 1 || !row.weekdays.contains(weekday))
        return false;
    return row.endDate.isEmpty() || today <= EndDate(row.endDate);
}

QString ScheduleLastRunText(const QDateTime& when, bool succeeded)
{
    const QString text = when.toString(QLatin1String(kSchedTimePattern)) + QLatin1Char(' ')
        + when.toString(QLatin1String(kSchedDatePattern));
    return succeeded ? text : LoadResString(1014) + text;
}
