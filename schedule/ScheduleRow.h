#pragma once
// One entry of the schedule list as a line of Sched.lst holds it: the in-use flag, the project
// path, the weekday digits, the run time, the end date and the last-run text. Times and dates
// are written and compared in fixed patterns ("HH:mm", "MM/dd/yyyy"), whatever the locale.
#include <QDate>
#include <QDateTime>
#include <QString>

#include <cstdint>

inline constexpr char kSchedTimePattern[] = "HH:mm";
inline constexpr char kSchedDatePattern[] = "MM/dd/yyyy";

struct ScheduleRow {
    int32_t flag = 0;     // 1 in use; any other value not in use
    QString lead;         // text between the flag and the first ","; empty in a written line
    QString path;         // project file
    QString weekdays;     // "1" Monday ... "7" Sunday
    QString time;         // "HH:MM"
    QString endDate;      // "MM/DD/YYYY"; empty: no end
    QString lastRun;      // "HH:MM MM/DD/YYYY", with the failure prefix after a failed run
    // False when the line ended before the end-date field: such a row never runs, and it is
    // written back with the fields it had so that it does not gain an end date of "none".
    bool complete = true;
};

// A line of Sched.lst (without its line end) read as a row.
ScheduleRow ParseScheduleLine(const QString& line);
// The row as a line of Sched.lst (without its line end).
QString ScheduleLineText(const ScheduleRow& row);

// Exactly five characters "HH:MM" of a 24-hour time.
bool IsScheduleTime(const QString& text);
// Empty, or a date "MM/DD/YYYY".
bool IsScheduleEndDate(const QString& text);
// Ascending weekday digits 1 to 7, each at most once (empty: no day).
bool IsScheduleWeekdays(const QString& text);

// Why the row can never run (empty text: it can): a missing field, a bad time, end date or
// weekday text, no project path. A project file that no longer exists is not checked here.
QString ScheduleRowFault(const ScheduleRow& row);

// The row is due at this minute ("HH:MM"), weekday ("1" ... "7") and date: in use, well formed,
// its time is the minute, its weekdays hold the weekday and the date is not after its end date.
bool IsScheduleRowDue(const ScheduleRow& row, const QString& time, const QString& weekday, const QDate& today);

// The last-run text of a run ended at this time: "HH:MM MM/DD/YYYY", after a failed run with
// the failure prefix.
QString ScheduleLastRunText(const QDateTime& when, bool succeeded);
