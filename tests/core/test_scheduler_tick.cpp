// The main window's scheduler tick: what it drives, when it keeps still, and that it runs
// only in a program that started completely.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "core/Err.h"
#include "core/Log.h"
#include "core/SchedulerTick.h"
#include "app/StartUp.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "platform/CommonDialog.h"
#include "platform/Modal.h"
#include "platform/ModalScript.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"

#include <QDateTime>
#include <QDialog>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

namespace {

// What one due check saw of the program.
struct DueCheckCall {
    QString time;
    QString weekday;
    bool mainEnabled = true;
    bool timerActive = true;
    int pointer = vbDefault;
};

// Puts a recording due check in place of the schedule window's.
QList<DueCheckCall>& RecordDueChecks(FrmMain& main)
{
    static QList<DueCheckCall> calls;
    calls.clear();
    ScheduleDueCheckHook() = [&main](const QString& time, const QString& weekday) {
        calls.append({time, weekday, main.isEnabled(), main.Timer1->isActive(), MousePointer()});
    };
    return calls;
}

// Answers every modal request with the safe default after running an action inside it,
// as a tick that comes while the box or dialog is up.
class InsideModal {
public:
    explicit InsideModal(std::function<void()> action)
        : m_previous(modal::setHandler([action](const modal::Request& request) {
            action();
            modal::Answer answer;
            answer.button = SafeDefaultAnswer(request.buttons);
            return answer;
        }))
    {
    }
    ~InsideModal() { modal::setHandler(std::move(m_previous)); }

private:
    modal::Handler m_previous;
};

} // namespace

class SchedulerTickTest : public QObject {
    Q_OBJECT
private slots:
    void tickHandsTimeAndWeekdayToTheDueCheck()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        QList<DueCheckCall>& calls = RecordDueChecks(main);
        const QDateTime before = QDateTime::currentDateTime();
        main.Timer1_Timer();
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(calls.size(), 1);
        QVERIFY(calls[0].time == before.toString("HH:mm") || calls[0].time == after.toString("HH:mm"));
        QVERIFY(calls[0].weekday == QString::number(before.date().dayOfWeek())
                || calls[0].weekday == QString::number(after.date().dayOfWeek()));
        // During the check the user cannot start anything and no second tick comes.
        QVERIFY(!calls[0].mainEnabled);
        QVERIFY(!calls[0].timerActive);
        QCOMPARE(calls[0].pointer, vbHourglass);
        QVERIFY(main.isEnabled());
        QVERIFY(main.Timer1->isActive());
        QCOMPARE(MousePointer(), vbDefault);
        QCOMPARE(script.asked().size(), 0);
    }

    void failedDueCheckIsLoggedQuietly()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        ScheduleDueCheckHook() = [](const QString&, const QString&) { throw RuntimeError(errFileNotFound, "Sched.lst"); };
        main.Timer1_Timer();
        QVERIFY(main.isEnabled());
        QVERIFY(main.Timer1->isActive());
        QCOMPARE(MousePointer(), vbDefault);
        QCOMPARE(script.asked().size(), 0);
        QVERIFY(fx.readFile("tezdesk.ERR").contains("Timer1_Timer"));
    }

    // A scheduled run shows the progress dialog inside the tick; when it ends the tick gives
    // the window back.
    void runInsideTheTickEndsWithTheWindowBack()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        bool disabledDuringRun = false;
        ScheduleDueCheckHook() = [&](const QString&, const QString&) {
            dlgProgress().DisplayCopy(QStringLiteral("/a.txt"));
            disabledDuringRun = !main.isEnabled();
            UnloadForm<DlgProgress>();
        };
        main.Timer1_Timer();
        QVERIFY(disabledDuringRun);
        QVERIFY(main.isEnabled());
        QVERIFY(main.Timer1->isActive());
    }

    void tickKeepsStillWhileSomethingHoldsTheProgram_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::newRow("message box") << "message";
        QTest::newRow("file dialog") << "file";
        QTest::newRow("own dialog") << "dialog";
        QTest::newRow("run with the progress dialog") << "progress";
        QTest::newRow("main window disabled by a run") << "disabled";
    }
    void tickKeepsStillWhileSomethingHoldsTheProgram()
    {
        QFETCH(QString, holder);
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        QList<DueCheckCall>& calls = RecordDueChecks(main);
        bool enabledInside = true;
        bool timerInside = false;
        auto tick = [&] {
            main.Timer1_Timer();
            enabledInside = main.isEnabled();
            timerInside = main.Timer1->isActive();
        };
        if (holder == QLatin1String("message")) {
            InsideModal inside(tick);
            MsgBox(QStringLiteral("?"), vbYesNo + vbQuestion);
        } else if (holder == QLatin1String("file")) {
            InsideModal inside(tick);
            CommonDialog dialog;
            dialog.ShowOpen();
        } else if (holder == QLatin1String("dialog")) {
            InsideModal inside(tick);
            QDialog dialog;
            modal::execDialog(dialog);
        } else if (holder == QLatin1String("progress")) {
            dlgProgress();
            tick();
            QVERIFY(!main.isEnabled()); // still locked out by the run
            UnloadForm<DlgProgress>();
        } else {
            main.setEnabled(false);
            tick();
            QVERIFY(!main.isEnabled());
            main.setEnabled(true);
        }
        QCOMPARE(calls.size(), 0);
        QCOMPARE(enabledInside, holder == QLatin1String("message") || holder == QLatin1String("file")
                                    || holder == QLatin1String("dialog"));
        QVERIFY(timerInside); // the timer stays armed for the next tick
        QVERIFY(main.isEnabled());
        QCOMPARE(MousePointer(), vbDefault);
        // Once nothing holds the program, the next tick runs the check.
        main.Timer1_Timer();
        QCOMPARE(calls.size(), 1);
    }

    void timerRunsOnlyAfterACompleteStart_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("second copy") << "second copy";
        QTest::newRow("base table refused") << "table";
        QTest::newRow("library not loaded") << "library";
        QTest::newRow("table list over the limit") << "limit";
    }
    void timerRunsOnlyAfterACompleteStart()
    {
        QFETCH(QString, failure);
        ProgramFolderFixture fx;
        SingleInstance first(fx.folder());
        if (failure == QLatin1String("second copy"))
            QVERIFY(first.acquire());
        else if (failure == QLatin1String("table"))
            StartUpLibrary().LoadCCT = [](int32_t, int32_t, const char*, int32_t, int32_t) { return -5; };
        else if (failure == QLatin1String("library"))
            StartUpLibrary().LoadError = [] { return QStringLiteral("libTezC.so: cannot open shared object file"); };
        else
            StartUpLibrary().LoadLST = [](int32_t, const char*) { return TEZ_ERR_LIMIT; };
        int boxes = 0;
        bool timerDuringBox = false;
        InsideModal inside([&] {
            ++boxes;
            FrmMain& main = *FormSlot<FrmMain>();
            timerDuringBox = timerDuringBox || main.Timer1->isActive();
            main.Timer1_Timer(); // a tick that came anyway does nothing
        });
        FrmMain& main = fx.start();
        QCOMPARE(boxes, 1);
        QVERIFY(!timerDuringBox);
        QVERIFY(!main.Timer1->isActive());
        QVERIFY(ScheduleDueCheckHook() == nullptr);
    }
};

TEZ_REGISTER_TEST(SchedulerTickTest)
#include "test_scheduler_tick.moc"
