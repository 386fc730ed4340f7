// The progress dialog and the unattended answers of the modal seam.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

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
        UnloadForm<DlgProgress>();
        QCOMPARE(main.isEnabled(), enabledBefore);
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
