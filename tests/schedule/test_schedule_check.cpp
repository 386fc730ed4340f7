// The due check and the unattended project run: which rows run at a tick, once per due
// minute and in the order of their minutes, what the list and the schedule log record, the
// runs' real outcome, no question waiting for anyone, and the user's project kept.
#include "common/TestMain.h"
#include "schedule/ScheduleFixture.h"

#include "core/Err.h"
#include "core/Log.h"
#include "core/SchedulerTick.h"
#include "platform/App.h"
#include "platform/CodePage.h"
#include "platform/CommonDialog.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"
#include "schedule/SchedConv.h"

#include <QFileInfo>
#include <QTest>

namespace {
QByteArray Line(const QString& text)
{
    return ToSystemCodePage(text + QStringLiteral("\r\n"));
}
} // namespace

class ScheduleCheckTest : public QObject {
    Q_OBJECT
private slots:
    void twoTicksInOneMinuteRunOnce()
    {
        ScheduleFixture s;
        const QString project = s.project(QStringLiteral("Report.wsp"));
        s.html().setRows(1);
        s.writeList(Line("1," + project + ",12345,18:00,12/31/2026,"));
        QVERIFY(s.tick("3"));
        s.now = s.now.addSecs(30);
        QVERIFY(!s.tick("3"));
        QCOMPARE(s.html().runs, 1);
        QVERIFY(s.html().schedRunSeen);
        QVERIFY(!gbSchedRun);
        QCOMPARE(s.log(), Line("SchedConv:" + project + ", 18:00 12/09/2026"));
        QCOMPARE(frmSchedule().lstSched->TextMatrix(1, 5), QStringLiteral("18:00 12/09/2026"));
        QCOMPARE(s.list(), Line("1," + project + ",12345,18:00,12/31/2026,18:00 12/09/2026"));
        QCOMPARE(s.script.asked().size(), 0);
    }

    void notDueRunsNothingAndWritesNothing()
    {
        ScheduleFixture s;
        const QString project = s.project(QStringLiteral("Report.wsp"));
        s.html().setRows(1);
        const QByteArray list = Line("1," + project + ",12345,18:00,12/31/2026,");
        s.writeList(list);
        QVERIFY(!s.tick("6"));
        QCOMPARE(s.html().runs, 0);
        QVERIFY(s.log().isEmpty());
        QCOMPARE(s.list(), list);
    }

    void failedRowMakesAFailedRun()
    {
        ScheduleFixture s;
        const QString project = s.project(QStringLiteral("Report.wsp"));
        s.html().setRows(2);
        s.html().fails = true;
        s.writeList(Line("1," + project + ",12345,18:00,12/31/2026,"));
        QVERIFY(s.tick("3"));
        QCOMPARE(frmSchedule().lstSched->TextMatrix(1, 5), QStringLiteral("转换失败: 18:00 12/09/2026"));
        QCOMPARE(s.log(), Line("SchedConv:" + project + ", 转换失败: 18:00 12/09/2026"));
    }

    // A window whose list has rows but whose run does not exist yet is skipped with a logged
    // line; its rows were not converted, so the project did not run whole.
    void windowWithoutRunIsSkippedAndLogged()
    {
        ScheduleFixture s;
        const QString project = s.project(QStringLiteral("Folders.wsp"));
        s.folder().setRows(1);
        s.writeList(Line("1," + project + ",12345,18:00,12/31/2026,"));
        QVERIFY(s.tick("3"));
        QCOMPARE(s.folder().runs, 0);
        QCOMPARE(s.html().runs, 0); // an empty list gets no Run
        QVERIFY(s.runLog().contains("frmPathConv has no run yet"));
        QVERIFY(frmSchedule().lstSched->TextMatrix(1, 5).startsWith(LoadResString(1014)));
    }

    void unattendedRunAnswersEveryQuestionUnseen()
    {
        ScheduleFixture s;
        const QString project = s.project(QStringLiteral("Report.wsp"));
        s.html().setRows(3);
        QList<int> answers;
        QString chosenFile = QStringLiteral("unchanged");
        s.html().run = [&] {
            answers << MsgBox(LoadResString(1011), vbCritical);
            answers << MsgBox(QStringLiteral("输出数据库 /out/a.mdb 已存在, 是否覆盖?"), vbYesNo + vbQuestion);
            Err().Set(errFileNotFound, QStringLiteral("/in/a.doc"));
            answers << ErrorLogAsk(QStringLiteral("ConvertDOC"));
            CommonDialog dialog;
            dialog.DialogTitle = QStringLiteral("选择数据库文件");
            dialog.ShowSave();
            chosenFile = dialog.Cancelled ? QString() : dialog.FileName;
            s.html().fails = true; // the row that met the error failed
        };
        s.writeList(Line("1," + project + ",12345,18:00,12/31/2026,"));
        QVERIFY(s.tick("3"));
        QCOMPARE(s.script.asked().size(), 0);
        QCOMPARE(answers, (QList<int>{vbOK, vbNo, vbNo}));
        QVERIFY(chosenFile.isEmpty());
        const QString runLog = FromSystemCodePage(s.runLog());
        QVERIFY(runLog.contains(LoadResString(1011)));
        QVERIFY(runLog.contains(QStringLiteral("已存在, 是否覆盖?")));
        QVERIFY(runLog.contains(QStringLiteral("是否要继续运行作业")));
        QVERIFY(runLog.contains(QStringLiteral("选择数据库文件")));
        QVERIFY(frmSchedule().lstSched->TextMatrix(1, 5).startsWith(LoadResString(1014)));
    }

    // Rows at the same minute run in list order; the first is logged with ":", the others
    // with ">", and the user's project is saved and reopened once.
    void rowsOfOneMinuteRunInListOrder()
    {
        ScheduleFixture s;
        const QString a = s.project(QStringLiteral("A.wsp"));
        const QString b = s.project(QStringLiteral("B.wsp"));
        s.html().setRows(1);
        s.writeList(Line("1," + a + ",3,18:00,,") + Line("1," + b + ",3,18:00,,"));
        QVERIFY(s.tick("3"));
        QCOMPARE(s.html().runProjects, (QStringList{a, b}));
        QCOMPARE(s.log(), Line("SchedConv:" + a + ", 18:00 12/09/2026") + Line("SchedConv>" + b + ", 18:00 12/09/2026"));
    }

    // Rows whose minute comes while an earlier project runs are caught up in the same check,
    // never a row whose minute lay before the tick.
    void catchUpTakesOnlyMinutesThatCameDuringTheRuns_data()
    {
        QTest::addColumn<QString>("runEnds");
        QTest::addColumn<QStringList>("ran");
        QTest::newRow("A ends 18:07: B runs") << "2026-12-09 18:07:05" << QStringList{"A", "B"};
        QTest::newRow("A ends 18:03: B waits") << "2026-12-09 18:03:05" << QStringList{"A"};
    }
    void catchUpTakesOnlyMinutesThatCameDuringTheRuns()
    {
        QFETCH(QString, runEnds);
        QFETCH(QStringList, ran);
        ScheduleFixture s;
        const QString a = s.project(QStringLiteral("A.wsp"));
        const QString b = s.project(QStringLiteral("B.wsp"));
        const QString early = s.project(QStringLiteral("Early.wsp"));
        s.html().setRows(1);
        s.html().run = [&] {
            if (gvPrjFile == a)
                s.now = ScheduleFixture::at(runEnds);
        };
        // The early row stands after A, unsorted: its minute lay before the tick.
        s.writeList(Line("1," + a + ",3,18:00,,") + Line("1," + early + ",3,17:00,,") + Line("1," + b + ",3,18:05,,"));
        QVERIFY(s.tick("3"));
        QStringList names;
        for (const QString& project : s.html().runProjects)
            names << QFileInfo(project).baseName();
        QCOMPARE(names, ran);
        if (ran.size() == 2)
            QVERIFY(s.log().contains(Line("SchedConv>" + b + ", 18:07 12/09/2026")));
    }

    // Ticks held back (a dialog was up, a run lasted) leave minutes unserved; the next tick
    // serves them. A clock that steps back does not run a row twice.
    void heldBackMinutesServedOnceAndClockStepsBack()
    {
        ScheduleFixture s;
        const QString a = s.project(QStringLiteral("A.wsp"));
        s.html().setRows(1);
        s.writeList(Line("1," + a + ",3,18:00,,"));
        s.now = ScheduleFixture::at("2026-12-09 17:59:30");
        QVERIFY(!s.tick("3"));
        s.now = ScheduleFixture::at("2026-12-09 18:02:10");
        QVERIFY(s.tick("3"));
        QCOMPARE(s.html().runs, 1);
        s.now = ScheduleFixture::at("2026-12-09 17:58:00");
        QVERIFY(!s.tick("3"));
        s.now = ScheduleFixture::at("2026-12-09 18:00:00");
        QVERIFY(!s.tick("3"));
        QCOMPARE(s.html().runs, 1);
        // The next week's minute runs again.
        s.now = ScheduleFixture::at("2026-12-16 18:00:00");
        QVERIFY(s.tick("3"));
        QCOMPARE(s.html().runs, 2);
    }

    // Bad lines are shown, marked and never run; a missing project is a logged failure; the
    // other rows still run and the bad lines are written back as they were.
    void badLinesShownAndSkipped()
    {
        ScheduleFixture s;
        const QString good = s.project(QStringLiteral("Good.wsp"));
        const QString gone = s.fx.path(QStringLiteral("Gone.wsp"));
        const QByteArray badTime = Line("1," + good + ",3,1800,,");
        const QByteArray badDate = Line("1," + good + ",3,18:00,31.12.2026,");
        const QByteArray missingField = Line("1," + good + ",3,18:00");
        s.writeList(badTime + badDate + missingField + Line("1," + gone + ",3,18:00,,") + Line("1," + good + ",3,18:00,,"));
        s.html().setRows(1);
        QVERIFY(s.tick("3"));
        FlexGrid* grid = frmSchedule().lstSched;
        QCOMPARE(grid->Rows(), 6);
        for (int r = 1; r <= 4; ++r)
            QCOMPARE(grid->TextMatrix(r, 0), QStringLiteral("."));
        QCOMPARE(grid->TextMatrix(5, 0), QString());
        QCOMPARE(s.html().runProjects, QStringList{good});
        QCOMPARE(s.log(), Line("SchedConv:" + gone + ", 转换失败: 18:00 12/09/2026")
                              + Line("SchedConv>" + good + ", 18:00 12/09/2026"));
        QVERIFY(s.list().startsWith(badTime + badDate + missingField));
        QVERIFY(s.fx.readFile("tezdesk.ERR").contains("Sched.lst line 3: missing field"));
    }

    void unreadableProjectFailsAndTheNextRowRuns()
    {
        ScheduleFixture s;
        const QString good = s.project(QStringLiteral("Good.wsp"));
        s.fx.writeFile(QStringLiteral("Broken.wsp"), QByteArray("not a project\r\n"));
        const QString broken = s.fx.path(QStringLiteral("Broken.wsp"));
        s.html().setRows(1);
        s.writeList(Line("1," + broken + ",3,18:00,,") + Line("1," + good + ",3,18:00,,"));
        QVERIFY(s.tick("3"));
        QCOMPARE(s.script.asked().size(), 0); // the format message went to the log
        QVERIFY(FromSystemCodePage(s.runLog()).contains(LoadResString(1010)));
        QCOMPARE(s.html().runProjects, QStringList{good});
        QVERIFY(frmSchedule().lstSched->TextMatrix(1, 5).startsWith(LoadResString(1014)));
        QCOMPARE(frmSchedule().lstSched->TextMatrix(2, 5), QStringLiteral("18:00 12/09/2026"));
    }

    // The user's project file is left as it was, and the windows come back holding what the
    // user had: saving them again writes the same file.
    void userProjectKeptByteForByte()
    {
        ScheduleFixture s;
        // The user has been at work: the file-list windows are loaded (reading any project
        // loads them, and a loaded window saves its options where an unloaded one saves -1).
        for (const char* form : {"frmDocConv", "frmXlsConv", "frmPptConv", "frmSpecConv"})
            WorkWindowForm(*WorkWindowByFormName(QString::fromLatin1(form)));
        frmHtmlConv(); // the registry holds a stand-in for it
        const QString input = s.fx.path(QStringLiteral("user.txt"));
        s.fx.writeFile(QStringLiteral("user.txt"), QByteArray("abc"));
        FlexGrid* doc = WorkWindowForm(*WorkWindowByFormName(QStringLiteral("frmDocConv"))).findChild<FlexGrid*>("lstDoc");
        QVERIFY(doc);
        const QString scheduled = s.project(QStringLiteral("Scheduled.wsp")); // no rows
        doc->AddItem(QStringLiteral("\t\t") + input + QStringLiteral("\t") + input + QStringLiteral(".out"));
        doc->setRowData(doc->Rows() - 1, 0x20);
        const QString user = s.fx.path(QStringLiteral("User.wsp"));
        QVERIFY(PrjFileSave(user));
        const QByteArray before = s.fx.readFile(QStringLiteral("User.wsp"));
        s.main->SetProjectPath(user);
        const QString caption = s.main->Caption();
        s.html().setRows(1);
        s.writeList(Line("1," + scheduled + ",3,18:00,,"));
        QVERIFY(s.tick("3"));
        QCOMPARE(s.html().runProjects, QStringList{scheduled});
        QCOMPARE(gvPrjFile, user);
        QCOMPARE(s.main->Caption(), caption);
        QCOMPARE(s.fx.readFile(QStringLiteral("User.wsp")), before);
        QVERIFY(PrjFileSave(s.fx.path(QStringLiteral("Again.wsp"))));
        QCOMPARE(s.fx.readFile(QStringLiteral("Again.wsp")), before);
    }

    // Without a project of their own, the user's lists come back and no project is named.
    void unsavedListsComeBackWithoutAProject()
    {
        ScheduleFixture s;
        gvPrjFile.clear();
        s.main->SetCaption(AppTitle());
        const QString input = s.fx.path(QStringLiteral("user.txt"));
        s.fx.writeFile(QStringLiteral("user.txt"), QByteArray("abc"));
        const QString scheduled = s.project(QStringLiteral("Scheduled.wsp"));
        FlexGrid* doc = WorkWindowForm(*WorkWindowByFormName(QStringLiteral("frmDocConv"))).findChild<FlexGrid*>("lstDoc");
        doc->AddItem(QStringLiteral("\t\t") + input + QStringLiteral("\t") + input + QStringLiteral(".out"));
        const QString caption = s.main->Caption();
        s.html().setRows(1);
        s.writeList(Line("1," + scheduled + ",3,18:00,,"));
        QVERIFY(s.tick("3"));
        QVERIFY(gvPrjFile.isEmpty());
        QCOMPARE(s.main->Caption(), caption);
        QCOMPARE(doc->Rows(), 2);
        QCOMPARE(doc->TextMatrix(1, 2), input);
    }

    // The list is read for the check even when the window was never shown.
    void listReadWithoutTheWindowShown()
    {
        ScheduleFixture s;
        const QString project = s.project(QStringLiteral("Report.wsp"));
        s.html().setRows(1);
        s.writeList(Line("1," + project + ",3,18:00,,"));
        QVERIFY(!IsFormLoaded<FrmSchedule>() || frmSchedule().lstSched->Rows() == 1);
        QVERIFY(s.tick("3"));
    }

    // Without a list the ticks find nothing to run; the missing file is recorded once.
    void missingListRecordedOnce()
    {
        ScheduleFixture s;
        QVERIFY(!s.tick("3"));
        s.now = s.now.addSecs(60);
        QVERIFY(!s.tick("3"));
        QCOMPARE(s.fx.readFile("tezdesk.ERR").count("SchedLstShow"), 1);
    }

    // A tick that comes while a project is read waits; it comes again once the load ends.
    void projectLoadHoldsTheTickBack()
    {
        ScheduleFixture s;
        int checks = 0;
        ScheduleDueCheckHook() = [&](const QString&, const QString&) { ++checks; };
        {
            const ProjectLoadInProgress loading;
            s.main->Timer1_Timer();
            QCOMPARE(checks, 0);
        }
        QTRY_COMPARE(checks, 1);
    }
};

TEZ_REGISTER_TEST(ScheduleCheckTest)
#include "test_schedule_check.moc"
