// The due check of the schedule window: which rows are due, the unattended runs, the last-run
// texts, the schedule log, and the user's project kept around the runs.
#include "schedule/frmSchedule.h"

#include "core/Globals.h"
#include "core/KeptWork.h"
#include "core/Log.h"
#include "core/ProjectFile.h"
#include "core/UnattendedRun.h"
#include "core/WorkWindow.h"
#include "core/frmMain.h"
#include "platform/ProgramFolder.h"
#include "schedule/SchedConv.h"
#include "schedule/ScheduleClock.h"

#include <QHash>
#include <QTime>

#include <algorithm>

namespace {
// What the checks have served, for the whole program run (the window may be unloaded and
// loaded again in between): the last minute served, and each row run with its due minute.
struct ServedMinutes {
    QDateTime last;
    QHash<QString, QDateTime> runs;
};

ServedMinutes& Served()
{
    static ServedMinutes served;
    return served;
}

QDateTime Minute(const QDateTime& time)
{
    return QDateTime(time.date(), QTime(time.time().hour(), time.time().minute()));
}

QString ServedKey(const ScheduleRow& row, int r, const QDateTime& minute)
{
    return QString::number(r) + QLatin1Char('|') + row.path + QLatin1Char('|') + minute.toString(Qt::ISODate);
}

void ForgetOldRuns(const QDateTime& now)
{
    auto& runs = Served().runs;
    for (auto it = runs.begin(); it != runs.end();)
        it = it.value() < now.addDays(-2) ? runs.erase(it) : std::next(it);
}

QString SchedLogPath()
{
    return PathJoin(ProgramFolder(), QStringLiteral("SchedLog.txt"));
}

// The user's work, project path and main window caption, held while scheduled projects use
// the windows and put back when the check ends. The user's project file is not written: the
// work comes back from memory, unsaved rows and the open database connection included.
class UserProjectKept {
public:
    UserProjectKept()
        : m_path(gvPrjFile)
        , m_caption(frmMain().Caption())
    {
    }
    void Reopen()
    {
        m_work.PutBack();
        frmMain().SetProjectPath(m_path);
        frmMain().SetCaption(m_caption);
    }

private:
    QString m_path;
    QString m_caption;
    UserWorkKept m_work;
};
} // namespace

void ForgetServedMinutes()
{
    Served() = ServedMinutes();
}

QList<FrmSchedule::DueRun> FrmSchedule::DueRuns(const QDateTime& from, const QDateTime& to, const QDate& tickDate,
                                                const QString& tickWeekday) const
{
    QList<DueRun> runs;
    for (int r = 1; r <= m_rows.size(); ++r) {
        const ScheduleRow& row = m_rows.at(r - 1);
        const QTime time = QTime::fromString(row.time, QLatin1String(kSchedTimePattern));
        if (!IsScheduleTime(row.time))
            continue;
        for (QDate day = from.date(); day <= to.date(); day = day.addDays(1)) {
            const QDateTime minute(day, time);
            if (minute < from || minute > to || Served().runs.contains(ServedKey(row, r, minute)))
                continue;
            const QString weekday = day == tickDate ? tickWeekday : QString::number(day.dayOfWeek());
            if (IsScheduleRowDue(row, row.time, weekday, day))
                runs << DueRun{minute, r};
        }
    }
    std::stable_sort(runs.begin(), runs.end(), [](const DueRun& a, const DueRun& b) { return a.minute < b.minute; });
    return runs;
}

void FrmSchedule::RunScheduledRow(int r, bool first)
{
    const QString project = m_rows.at(r - 1).path;
    const bool succeeded = SchedConv(project);
    m_rows[r - 1].lastRun = ScheduleLastRunText(ScheduleNow(), succeeded);
    ShowRow(r);
    gvMsg = (first ? QStringLiteral("SchedConv:") : QStringLiteral("SchedConv>")) + project + QStringLiteral(", ")
        + m_rows.at(r - 1).lastRun;
    WriteTEXT(gvMsg, SchedLogPath());
}

QVariant FrmSchedule::ChkSchedPrj(const QString& pvCurrTime, const QString& pvCurrWKDay)
{
    bool ran = false;
    std::unique_ptr<UnattendedRun> unattended;
    std::unique_ptr<UserProjectKept> user;
    try {
        if (!m_listRead)
            SchedLstShow(lstSched); // the list is needed before the window was ever shown
        const QTime tickTime = QTime::fromString(pvCurrTime, QLatin1String(kSchedTimePattern));
        if (!tickTime.isValid())
            return false;
        const QDateTime now = ScheduleNow();
        const QDate today = now.date();
        const QDateTime tick(today, tickTime);
        ServedMinutes& served = Served();
        // Minutes that came while ticks were held back are served now, for a day at most; a
        // clock that went back serves only this minute, and rows already run stay run.
        QDateTime from = tick;
        if (served.last.isValid() && served.last < tick)
            from = std::max(served.last.addSecs(60), tick.addDays(-1).addSecs(60));
        if (!served.last.isValid() || served.last < tick)
            served.last = tick;
        ForgetOldRuns(now);
        QList<DueRun> runs = DueRuns(from, tick, today, pvCurrWKDay);
        if (runs.isEmpty())
            return false;

        unattended = std::make_unique<UnattendedRun>();
        user = std::make_unique<UserProjectKept>();
        ran = true;
        bool first = true;
        QDateTime servedUntil = tick;
        while (!runs.isEmpty()) {
            for (const DueRun& run : runs) {
                served.runs.insert(ServedKey(m_rows.at(run.row - 1), run.row, run.minute), run.minute);
                RunScheduledRow(run.row, first);
                first = false;
            }
            // Catching up: rows whose minute came while these ran, in the order of their minute.
            const QDateTime nowMinute = Minute(ScheduleNow());
            if (nowMinute <= servedUntil)
                break;
            runs = DueRuns(servedUntil.addSecs(60), nowMinute, today, pvCurrWKDay);
            servedUntil = nowMinute;
            if (served.last < nowMinute)
                served.last = nowMinute;
        }
    } catch (...) {
        ErrorLogQuiet(QStringLiteral("ChkSchedPrj"));
    }
    if (ran) {
        try {
            SchedLstSave(lstSched);
        } catch (...) {
            ErrorLogQuiet(QStringLiteral("ChkSchedPrj"));
        }
        try {
            user->Reopen();
            if (WorkWindow* current = frmMain().ActiveForm)
                current->ShowMenu(); // the runs set the menus for their own windows
        } catch (...) {
            ErrorLogQuiet(QStringLiteral("ChkSchedPrj"));
        }
    }
    return ran;
}
