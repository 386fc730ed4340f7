// The schedule window: reading and writing the list, adding, editing, deleting and putting
// rows in and out of use, and the folder-tree window's schedule command.
#include "common/SmallFileSystem.h"
#include "common/TestMain.h"
#include "schedule/ScheduleFixture.h"

#include "core/ScheduleDialog.h"
#include "platform/CodePage.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
QByteArray Line(const QString& text)
{
    return ToSystemCodePage(text + QStringLiteral("\r\n"));
}

FrmSchedule& ShownSchedule()
{
    FrmSchedule& window = frmSchedule();
    window.ShowMenu();
    return window;
}
} // namespace

class ScheduleWindowTest : public QObject {
    Q_OBJECT
private slots:
    void noListShowsTheHeaderOnly()
    {
        ScheduleFixture s;
        FrmSchedule& w = ShownSchedule();
        QCOMPARE(w.lstSched->Rows(), 1);
        QCOMPARE(w.lstSched->Cols(), 6);
        QCOMPARE(w.txtExecTime->text(), QStringLiteral("HH:MM"));
        QCOMPARE(w.txtEndDate->text(), QStringLiteral("MM/DD/YYYY"));
        QVERIFY(s.fx.readFile("tezdesk.ERR").contains("SchedLstShow"));
        QCOMPARE(s.script.asked().size(), 0);
    }

    void addedProjectIsSavedAtOnce()
    {
        ScheduleFixture s;
        s.writeList(Line("1,/p/First.wsp,135,09:30,12/31/2026,"));
        FrmSchedule& w = ShownSchedule();
        s.script.answerFile(QStringLiteral("/p/Report.wsp"));
        w.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(w.lstSched->Rows(), 3);
        QCOMPARE(w.lstSched->Row(), 2);
        QCOMPARE(w.lstSched->RowData(2), 1);
        QCOMPARE(w.frame1->title(), QStringLiteral("/p/Report.wsp"));
        QCOMPARE(s.list(), Line("1,/p/First.wsp,135,09:30,12/31/2026,") + Line("1,/p/Report.wsp,1234567,18:00,12/31/9999,"));
    }

    // The list's fields are not quoted: a path with "," is refused with a message.
    void pathWithCommaRefused()
    {
        ScheduleFixture s;
        s.writeList(QByteArray());
        FrmSchedule& w = ShownSchedule();
        s.script.answerFile(QStringLiteral("/p/a,b.wsp")).answer(vbOK);
        w.cmdAddPrj_Click();
        QCOMPARE(w.lstSched->Rows(), 1);
        QCOMPARE(s.script.messages().size(), 1);
        QVERIFY(s.script.messages().first().contains(QStringLiteral("/p/a,b.wsp")));
        QCOMPARE(s.list(), QByteArray());
    }

    void editedFieldsValidated_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("endDate");
        QTest::addColumn<QString>("message");
        QTest::newRow("8:30") << "8:30" << "12/31/2026" << "时间格式错误, hh:mm";
        QTest::newRow("25:00") << "25:00" << "12/31/2026" << "时间格式错误, hh:mm";
        QTest::newRow("bad date") << "08:30" << "2026-12-31" << "日期格式错误, MM/DD/YYYY";
        QTest::newRow("08:30") << "08:30" << "12/31/2026" << "";
        QTest::newRow("no end date") << "08:30" << "" << "";
    }
    void editedFieldsValidated()
    {
        QFETCH(QString, time);
        QFETCH(QString, endDate);
        QFETCH(QString, message);
        ScheduleFixture s;
        const QByteArray list = Line("1,/p/a.wsp,135,09:30,12/31/2026,18:00 12/08/2026");
        s.writeList(list);
        FrmSchedule& w = ShownSchedule();
        w.txtExecTime->setText(time);
        w.txtEndDate->setText(endDate);
        if (!message.isEmpty())
            s.script.answer(vbOK);
        w.cmdUpdate_Click();
        if (!message.isEmpty()) {
            QCOMPARE(s.script.messages(), QStringList{message});
            QCOMPARE(s.list(), list);
        } else {
            QCOMPARE(s.list(), Line("1,/p/a.wsp,135," + time + "," + endDate + ","));
        }
    }

    // After an edit the rows are in order of their time, the edited row is still current and
    // its last run is cleared.
    void updateSortsAndKeepsTheRow()
    {
        ScheduleFixture s;
        s.writeList(Line("1,/p/a.wsp,1,09:00,,x") + Line("1,/p/b.wsp,2,10:00,,y") + Line("0,/p/c.wsp,3,11:00,,z"));
        FrmSchedule& w = ShownSchedule();
        w.lstSched->setRow(3);
        w.lstSched_SelChange();
        QVERIFY(!w.chkActive->isChecked());
        QVERIFY(w.chkWeekDay[3]->isChecked());
        w.txtExecTime->setText(QStringLiteral("08:00"));
        w.chkWeekDay[7]->setChecked(true);
        w.chkActive->setChecked(true);
        w.cmdUpdate_Click();
        QCOMPARE(w.lstSched->Row(), 1);
        QCOMPARE(w.lstSched->TextMatrix(1, 1), QStringLiteral("/p/c.wsp"));
        QCOMPARE(s.list(), Line("1,/p/c.wsp,37,08:00,,") + Line("1,/p/a.wsp,1,09:00,,x") + Line("1,/p/b.wsp,2,10:00,,y"));
    }

    void deletingTheLastRowClearsTheFields()
    {
        ScheduleFixture s;
        s.writeList(Line("1,/p/a.wsp,135,09:30,12/31/2026,"));
        FrmSchedule& w = ShownSchedule();
        w.MenuProc(QStringLiteral("IDM_EDIT_DELETE"));
        QCOMPARE(w.lstSched->Rows(), 1);
        QCOMPARE(w.txtExecTime->text(), QStringLiteral("hh:mm"));
        QCOMPARE(w.txtEndDate->text(), QStringLiteral("MM/DD/YYYY"));
        QVERIFY(!w.chkWeekDay[1]->isChecked());
        QCOMPARE(s.list(), QByteArray());
    }

    void inUseToggleLivesUntilTheListIsReadAgain()
    {
        ScheduleFixture s;
        const QByteArray list = Line("1,/p/a.wsp,135,09:30,12/31/2026,");
        s.writeList(list);
        FrmSchedule& w = ShownSchedule();
        w.mnuSchedDeActive_Click();
        QCOMPARE(w.lstSched->RowData(1), 0);
        QVERIFY(!w.chkActive->isChecked());
        QCOMPARE(s.list(), list);
        w.ShowMenu();
        QCOMPARE(w.lstSched->RowData(1), 1);
    }

    // The folder-tree window's schedule command: the timer stops, the window is shown over
    // the main window until it closes, the timer runs again.
    void scheduleCommandStopsTheTimerWhileShown()
    {
        ScheduleFixture s;
        s.writeList(Line("1,/p/a.wsp,135,09:30,12/31/2026,"));
        bool timerStopped = false;
        bool shown = false;
        QRect placed;
        s.script.answerDialog([&](QDialog& dialog) {
            timerStopped = !s.main->Timer1->isActive();
            FrmSchedule* window = dialog.findChild<FrmSchedule*>();
            shown = window && window->lstSched->Rows() == 2;
            placed = dialog.geometry();
            if (window)
                window->cmdOK->click();
        });
        frmPathConv().MenuProc(QStringLiteral("IDM_SCHEDULE"));
        QVERIFY(timerStopped);
        QVERIFY(shown);
        QCOMPARE(placed.left(), s.main->frameGeometry().left());
        QCOMPARE(placed.width(), s.main->frameGeometry().width());
        QVERIFY(s.main->Timer1->isActive());
        QCOMPARE(frmSchedule().parentWidget(), s.main->frmClient);
        QCOMPARE(s.script.pending(), 0);
    }

    void scheduleCommandCancelledUnloadsTheWindow()
    {
        ScheduleFixture s;
        s.script.answerDialog([](QDialog& dialog) {
            if (FrmSchedule* window = dialog.findChild<FrmSchedule*>())
                window->cmdCancel->click();
        });
        ShowScheduleDialogOverMainWindow();
        QTRY_VERIFY(!IsFormLoaded<FrmSchedule>());
        QVERIFY(s.main->Timer1->isActive());
    }

    // A full program folder: a delete and "完成" that cannot be saved each say so, naming the
    // file and why; the window stays open with the row deleted, and the file keeps its rows.
    void unsavedListSaysSoAndStaysOpen()
    {
        ScheduleFixture s;
        SmallFileSystem fs;
        SKIP_UNLESS_MOUNTED(fs);
        const QByteArray rows = Line("1,/p/A.wsp,135,09:30,12/31/2026,") + Line("1,/p/B.wsp,135,10:30,12/31/2026,");
        {
            QFile list(fs.path(QStringLiteral("Sched.lst")));
            QVERIFY(list.open(QIODevice::WriteOnly));
            list.write(rows);
        }
        qputenv("TEZDESK_HOME", QFile::encodeName(fs.path(QString())));
        ProgramFolder(); // the program folder now, full
        fs.fill();
        int shownRows = 0;
        bool accepted = true;
        s.script.answerDialog([&](QDialog& dialog) {
            FrmSchedule* window = dialog.findChild<FrmSchedule*>();
            QVERIFY(window);
            window->lstSched->setRow(1);
            window->cmdDelPrj->click();
            window->cmdOK->click();
            shownRows = window->lstSched->Rows() - 1;
            accepted = dialog.result() == QDialog::Accepted;
            window->cmdCancel->click();
        });
        s.script.answer(vbOK).answer(vbOK);
        ShowScheduleDialogOverMainWindow();
        qputenv("TEZDESK_HOME", QFile::encodeName(s.fx.folder()));
        QCOMPARE(shownRows, 1);
        QVERIFY(!accepted);
        const QStringList messages = s.script.messages();
        QCOMPARE(messages.size(), 2);
        for (const QString& message : messages) {
            QVERIFY(message.contains(QDir::cleanPath(fs.path(QStringLiteral("Sched.lst")))));
            QVERIFY(message.contains(QStringLiteral("No space left on device")));
        }
        QCOMPARE(s.script.asked().last().icon, vbCritical);
        QFile list(fs.path(QStringLiteral("Sched.lst")));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), rows);
    }
};

TEZ_REGISTER_TEST(ScheduleWindowTest)
#include "test_schedule_window.moc"
