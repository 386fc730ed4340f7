// While a run works and turns the event loop, the main window's commands, window switches, the
// list commands and the scheduler tick do nothing.
#include "batch/BatchRuns.h"
#include "core/FileRowFlags.h"
#include "batch/frmDocConv.h"
#include "common/FileBytes.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"
#include "core/BatchRunning.h"
#include "core/WorkWindow.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestBatchRunCommands : public QObject {
    Q_OBJECT

private slots:
    void commandsDuringARunChangeNothing()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        QTemporaryDir files;
        FlexGrid* grid = frmDocConv().lstDoc;
        for (int i = 0; i < 4; ++i) {
            const QString in = files.filePath(QStringLiteral("in%1.txt").arg(i));
            WriteFileBytes(in, "abc\r\n");
            grid->AddItem(QStringLiteral("\t\t%1\t%2").arg(in, files.filePath(QStringLiteral("out/%1.txt").arg(i))));
            grid->setRowData(grid->Rows() - 1, FileRowText);
        }
        grid->setFixedRows(1);
        const QString current = main.ActiveForm->formName();
        int sent = 0;
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (!gbBatchRunning)
                return;
            ++sent;
            main.MenuProc(QStringLiteral("IDM_FILE_OPENPRJ"));
            main.MenuProc(QStringLiteral("IDM_WINDOW_XLSCONVERT"));
            main.MenuProc(QStringLiteral("IDM_EDIT_DELETEALL"));
            frmDocConv().MenuProc(QStringLiteral("IDM_EDIT_DELETEALL"));
            main.Timer1_Timer();
        });
        script.answer(vbOK);
        timer.start();
        ExecuteDocConv(grid, true, true, false, false);
        timer.stop();
        QVERIFY(sent > 0);
        QCOMPARE(grid->Rows(), 5);
        QCOMPARE(main.ActiveForm->formName(), current);
        QCOMPARE(script.messages(), QStringList{QStringLiteral("DOC文件转换\r\n运行退出！")});
        QCOMPARE(script.unexpected(), 0);
        for (int r = 1; r < grid->Rows(); ++r)
            QVERIFY(grid->RowData(r) & FileRowProcessed);
        fx.stop();
    }
};

TEZ_REGISTER_TEST(TestBatchRunCommands)
#include "test_batch_run_commands.moc"
