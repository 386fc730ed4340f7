// The progress dialog, the answers of the output-settings and website dialogs, and the
// unattended answers of the modal seam.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "batch/dlgHtmlSelect.h"
#include "batch/frmOutputSetting.h"
#include "core/Globals.h"
#include "core/UnattendedRun.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "platform/CommonDialog.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTest>

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void progressDialogGivesBackTheMainWindowState_data()
    {
        QTest::addColumn<bool>("enabledBefore");
        QTest::newRow("enabled") << true;
        QTest::newRow("already disabled") << false;
    }
    void progressDialogGivesBackTheMainWindowState()
    {
        QFETCH(bool, enabledBefore);
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        main.setEnabled(enabledBefore);
        DlgProgress& progress = dlgProgress();
        QVERIFY(!main.isEnabled());
        QCOMPARE(progress.windowTitle(), QStringLiteral("Velmora"));
        progress.DisplayCopy(QStringLiteral("/a.txt"));
        QCOMPARE(progress.labFile->text(), QStringLiteral("/a.txt"));
        QCOMPARE(progress.ProgressBar1->value(), 100);
        QCOMPARE(progress.ProgressBar1->maximum(), 100);
        QElapsedTimer timer;
        timer.start();
        progress.DisplayProgress(QStringLiteral("/b.txt"));
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(progress.labFile->text(), QStringLiteral("/b.txt"));
        QCOMPARE(progress.ProgressBar1->value(), progress.ProgressBar1->minimum());
        // The bar keeps its 0 to 100 range: a run's next value shows as that share.
        QCOMPARE(progress.ProgressBar1->maximum(), 100);
        progress.ProgressBar1->setValue(50);
        QCOMPARE(progress.ProgressBar1->value(), 50);
        UnloadForm<DlgProgress>();
        QCOMPARE(main.isEnabled(), enabledBefore);
    }

    void dialogReportsOnlyThisShowing_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("output settings confirmed") << "output" << true;
        QTest::newRow("output settings left open after an earlier OK") << "output" << false;
        QTest::newRow("website confirmed") << "html" << true;
        QTest::newRow("website left open after an earlier OK") << "html" << false;
    }
    void dialogReportsOnlyThisShowing()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, confirm);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const bool output = dialog == QLatin1String("output");
        if (output)
            frmOutputSetting().opAutoName_Click(); // no folder to check or ask about
        auto show = [output] { return output ? frmOutputSetting().ShowDlg() : dlgHtmlSelect().OpenDlg(); };
        auto clickOK = [output](QDialog&) {
            if (output)
                frmOutputSetting().cmdOK_Click();
            else
                dlgHtmlSelect().cmdOK_Click();
        };
        script.answerDialog(clickOK);
        QVERIFY(show());
        if (confirm)
            script.answerDialog(clickOK);
        else
            script.answerDialog([](QDialog&) {});
        QCOMPARE(show(), confirm);
        QCOMPARE(script.messages(), QStringList());
    }

    void unattendedRunNeverWaits_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes/no") << vbYesNo + vbQuestion << vbNo;
        QTest::newRow("yes/no/cancel") << vbYesNoCancel + vbQuestion << vbCancel;
        QTest::newRow("ok") << vbOKOnly + vbCritical << vbOK;
        QTest::newRow("ok/cancel") << vbOKCancel << vbCancel;
    }
    void unattendedRunNeverWaits()
    {
        QFETCH(int, style);
        QFETCH(int, answer);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        {
            UnattendedRun run;
            QVERIFY(gbSchedRun);
            QCOMPARE(MsgBox(QStringLiteral("文件已存在, 是否覆写?(/x)"), style), answer);
            CommonDialog dialog;
            dialog.FileName = QStringLiteral("kept");
            dialog.ShowOpen();
            QVERIFY(dialog.Cancelled);
            QCOMPARE(dialog.FileName, QStringLiteral("kept"));
        }
        QVERIFY(!gbSchedRun);
        QCOMPARE(script.asked().size(), 0);
        const QByteArray log = fx.readFile("tezdesk.LOG");
        QVERIFY(log.contains("(/x)"));
        // Afterwards questions reach the user again.
        script.answer(vbYes);
        QCOMPARE(MsgBox(QStringLiteral("q"), vbYesNo), vbYes);
    }
};

TEZ_REGISTER_TEST(DialogsTest)
#include "test_dialogs.moc"
