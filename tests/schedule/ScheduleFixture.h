#pragma once
// A started program for the scheduler's tests: a clock the test sets, stand-in run windows in
// place of the HTML and folder windows (their lists' rows and their runs' outcomes are the
// test's), and helpers for projects and the schedule list.
#include "common/ProgramFolderFixture.h"

#include "batch/frmHtmlConv.h"
#include "batch/frmPathConv.h"
#include "core/Globals.h"
#include "core/ProjectFile.h"
#include "core/RunOutcome.h"
#include "core/WorkWindow.h"
#include "core/WorkWindowTable.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "schedule/ScheduleClock.h"
#include "schedule/frmSchedule.h"

#include <QDateTime>
#include <QFile>

#include <functional>

// A work window whose list and run the test decides.
class StandInWindow : public WorkWindow {
public:
    // Loaded as the work windows are: a child of the main window's client area.
    StandInWindow(const QString& form, const QString& grid)
        : WorkWindow(frmMain().frmClient)
        , m_form(form)
    {
        setObjectName(form);
        hide();
        list = new FlexGrid(this);
        list->setObjectName(grid);
        list->setRows(1);
    }
    void ShowMenu() override {}
    void MenuProc(const QString& cmd) override
    {
        if (cmd != QLatin1String("IDM_FILE_RUN"))
            return;
        ++runs;
        runProjects << gvPrjFile;
        schedRunSeen = gbSchedRun;
        if (run)
            run();
        ran();
    }
    QString formName() const override { return m_form; }
    void setRows(int dataRows) { list->setRows(1 + dataRows); }

    FlexGrid* list = nullptr;
    int runs = 0;
    bool schedRunSeen = false;
    QStringList runProjects;
    std::function<void()> run; // what the run does besides being counted

protected:
    virtual void ran() {}

private:
    QString m_form;
};

// A stand-in whose run reports its outcome.
class ReportingWindow : public StandInWindow, public RunOutcomeReport {
public:
    using StandInWindow::StandInWindow;
    RunOutcome LastRunOutcome() const override { return outcome; }
    bool fails = false;
    RunOutcome outcome = RunOutcome::NotRun;

protected:
    void ran() override { outcome = fails ? RunOutcome::Failed : RunOutcome::Succeeded; }
};

inline ReportingWindow*& HtmlStandIn()
{
    static ReportingWindow* window = nullptr;
    return window;
}

inline StandInWindow*& FolderStandIn()
{
    static StandInWindow* window = nullptr;
    return window;
}

class ScheduleFixture {
public:
    ScheduleFixture()
    {
        ForgetServedMinutes();
        main = &fx.start();
        ScheduleClock() = [this] { return now; };
        HtmlStandIn() = new ReportingWindow(QStringLiteral("frmHtmlConv"), QStringLiteral("lstHtml"));
        FolderStandIn() = new StandInWindow(QStringLiteral("frmPathConv"), QStringLiteral("lstPath"));
        RegisterWorkWindow(QStringLiteral("frmHtmlConv"), []() -> WorkWindow& { return *HtmlStandIn(); });
        RegisterWorkWindow(QStringLiteral("frmPathConv"), []() -> WorkWindow& { return *FolderStandIn(); });
    }
    ~ScheduleFixture()
    {
        RegisterWorkWindow(QStringLiteral("frmHtmlConv"), []() -> WorkWindow& { return frmHtmlConv(); });
        RegisterWorkWindow(QStringLiteral("frmPathConv"), []() -> WorkWindow& { return frmPathConv(); });
        delete HtmlStandIn();
        delete FolderStandIn();
        HtmlStandIn() = nullptr;
        FolderStandIn() = nullptr;
        ScheduleClock() = nullptr;
        ForgetServedMinutes();
    }

    ReportingWindow& html() { return *HtmlStandIn(); }
    StandInWindow& folder() { return *FolderStandIn(); }

    // A readable project file of the program's own making.
    QString project(const QString& name)
    {
        const QString path = fx.path(name);
        PrjFileSave(path);
        return path;
    }
    void writeList(const QByteArray& lines) { fx.writeFile(QStringLiteral("Sched.lst"), lines); }
    QByteArray list() const { return fx.readFile(QStringLiteral("Sched.lst")); }
    QByteArray log() const
    {
        QFile file(fx.path(QStringLiteral("SchedLog.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray runLog() const
    {
        QFile file(fx.path(QStringLiteral("tezdesk.LOG")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The check at the clock's minute and this weekday.
    bool tick(const QString& weekday)
    {
        return frmSchedule().ChkSchedPrj(now.toString(QStringLiteral("HH:mm")), weekday).toBool();
    }
    static QDateTime at(const QString& text) { return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

    ProgramFolderFixture fx;
    ModalScript script;
    FrmMain* main = nullptr;
    QDateTime now = at(QStringLiteral("2026-12-09 18:00:10")); // a Wednesday
};
