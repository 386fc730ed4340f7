// The per-row output change of the file-list windows: the double-click on a row, the dialog's
// answer written back into the row, Browse on file and folder rows, and typed relative paths.
#include "ListWindows.h"
#include "BatchFixture.h"

#include "batch/FileListWindow.h"
#include "batch/frmChangeOutput.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmPathConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSelectDir.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"
#include "core/BatchRunning.h"
#include "core/FileGrid.h"
#include "core/FileRowFlags.h"
#include "core/Globals.h"
#include "platform/ModalScript.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

// One data row in the window's grid, current; a processed row carries the done picture.
FlexGrid& WithOneRow(FileListWindow& w, const QString& input, const QString& output, int32_t word)
{
    FlexGrid& grid = *w.Grid();
    grid.AddItem(QStringLiteral("\t\t") + input + QLatin1Char('\t') + output);
    grid.setRowData(1, word);
    grid.setFixedRows(1);
    if (word & FileRowProcessed)
        FileListMarkRowDone(&grid, 1);
    grid.setRow(1);
    grid.setCol(2);
    return grid;
}

} // namespace

class ChangeOutputTest : public QObject {
    Q_OBJECT

private slots:
    // A double-click on a row opens the dialog with the row's input and output; the answer is
    // written back. The charset-tag box is offered by the HTML and folder windows only.
    void doubleClick_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("answer"); // "ok", "empty box", "uncheck", "check", "cancel", "closed"
        QTest::addColumn<bool>("boxShown");
        QTest::addColumn<int>("wordAfter");
        QTest::addColumn<QString>("outputAfter");
        QTest::addColumn<QString>("pictureAfter");
        const int done = FileRowProcessed | FileRowText | FileRowCode;
        const QString out = QStringLiteral("/out/a.txt");
        QTest::newRow("processed row, OK unchanged") << "frmDocConv" << done << "ok" << false
                                                     << (FileRowText | FileRowCode) << out << "";
        QTest::newRow("empty box: row unchanged") << "frmDocConv" << done << "empty box" << false << done << out << "done";
        QTest::newRow("cancel: row unchanged") << "frmDocConv" << done << "cancel" << false << done << out << "done";
        QTest::newRow("close box: row unchanged") << "frmDocConv" << done << "closed" << false << done << out << "done";
        QTest::newRow("Word window keeps 0x10") << "frmDocConv" << (FileRowAddTag | FileRowText) << "ok" << false
                                                << (FileRowAddTag | FileRowText) << out << "";
        QTest::newRow("Excel window keeps 0x10") << "frmXlsConv" << (FileRowAddTag | FileRowText) << "ok" << false
                                                 << (FileRowAddTag | FileRowText) << out << "";
        QTest::newRow("PowerPoint window keeps 0x10") << "frmPptConv" << (FileRowAddTag | FileRowText) << "ok" << false
                                                      << (FileRowAddTag | FileRowText) << out << "";
        QTest::newRow("encoding-pair window keeps 0x10") << "frmSpecConv" << (FileRowAddTag | FileRowText) << "ok"
                                                         << false << (FileRowAddTag | FileRowText) << out << "";
        QTest::newRow("HTML window: unchecking clears 0x10") << "frmHtmlConv" << (FileRowAddTag | FileRowText)
                                                             << "uncheck" << true << FileRowText << out << "";
        QTest::newRow("HTML window: checking sets 0x10") << "frmHtmlConv" << FileRowText << "check" << true
                                                         << (FileRowAddTag | FileRowText) << out << "";
        QTest::newRow("folder window: unchecking clears 0x10")
            << "frmPathConv" << (done | FileRowAddTag) << "uncheck" << true << (FileRowText | FileRowCode) << out << "";
    }
    void doubleClick()
    {
        QFETCH(QString, window);
        QFETCH(int, word);
        QFETCH(QString, answer);
        QFETCH(bool, boxShown);
        QFETCH(int, wordAfter);
        QFETCH(QString, outputAfter);
        QFETCH(QString, pictureAfter);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FileListWindow& w = ListWindow(window);
        FlexGrid& grid = WithOneRow(w, QStringLiteral("/w/a.txt"), QStringLiteral("/out/a.txt"), word);

        QString shownInput, shownOutput;
        bool shownBox = false, boxChecked = false;
        script.answerDialog([&](QDialog&) {
            FrmChangeOutput& dlg = frmChangeOutput();
            shownInput = dlg.lbInputFile->text();
            shownOutput = dlg.txtOutput->text();
            shownBox = !dlg.chkAddTag->isHidden();
            boxChecked = dlg.chkAddTag->isChecked();
            if (answer == QLatin1String("empty box"))
                dlg.txtOutput->clear();
            if (answer == QLatin1String("uncheck") || answer == QLatin1String("check"))
                dlg.chkAddTag->setChecked(answer == QLatin1String("check"));
            if (answer == QLatin1String("cancel"))
                dlg.cmdCancel_Click();
            else if (answer == QLatin1String("closed"))
                dlg.reject();
            else
                dlg.cmdOK_Click();
        });
        w.lstDoc_DblClick();

        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(script.asked().first().dialogName, QStringLiteral("frmChangeOutput"));
        QCOMPARE(script.asked().first().title, QStringLiteral("更改输出文件"));
        QCOMPARE(shownInput, QStringLiteral("/w/a.txt"));
        QCOMPARE(shownOutput, QStringLiteral("/out/a.txt"));
        QCOMPARE(shownBox, boxShown);
        QCOMPARE(boxChecked, (word & FileRowAddTag) != 0);
        QCOMPARE(grid.RowData(1), wordAfter);
        QCOMPARE(grid.TextMatrix(1, 3), outputAfter);
        QCOMPARE(CellPictureName(grid, 1, 0), pictureAfter);
        QVERIFY(!IsFormLoaded<FrmChangeOutput>());
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // After the command the row stays current, selected across all columns.
    void rowSelectedAfterwards()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FlexGrid& grid = WithOneRow(frmDocConv(), QStringLiteral("/w/a.txt"), QStringLiteral("/out/a.txt"), FileRowText);
        script.answerDialog([](QDialog&) { frmChangeOutput().cmdOK_Click(); });
        frmDocConv().MenuProc(QStringLiteral("IDM_EDIT_DIRSETTING"));
        QCOMPARE(grid.Row(), 1);
        QCOMPARE(grid.RowSel(), 1);
        QCOMPARE(grid.Col(), 0);
        QCOMPARE(grid.ColSel(), 3);
        fx.stop();
    }

    void headerOnlyAsksNothing()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        frmDocConv().lstDoc_DblClick();
        QVERIFY(script.asked().isEmpty());
        QCOMPARE(frmDocConv().lstDoc->Rows(), 1);
        fx.stop();
    }

    // Browse gives a file row a file in the chosen folder, under the output's own name; a
    // folder row gets the chosen folder itself.
    void browse_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("box"); // the output box's text when Browse is clicked
        QTest::addColumn<QString>("chosen"); // "" : the picker is cancelled
        QTest::addColumn<QString>("output");
        QTest::newRow("file row") << "frmDocConv" << "/w/a.txt" << "/out/a1.txt" << "/new" << "/new/a1.txt";
        QTest::newRow("file row, folder with a slash") << "frmDocConv" << "/w/a.txt" << "/out/a1.txt" << "/new/"
                                                       << "/new/a1.txt";
        QTest::newRow("file row, the root") << "frmHtmlConv" << "/w/a.htm" << "/out/a.htm" << "/" << "/a.htm";
        QTest::newRow("file row, box emptied: the input's name") << "frmDocConv" << "/w/a.txt" << "" << "/new"
                                                                 << "/new/a.txt";
        QTest::newRow("file row, picker cancelled") << "frmDocConv" << "/w/a.txt" << "/out/a1.txt" << "" << "/out/a1.txt";
        QTest::newRow("folder row") << "frmPathConv" << "/docs" << "/out/docs" << "/new" << "/new";
        QTest::newRow("folder row, picker cancelled") << "frmPathConv" << "/docs" << "/out/docs" << "" << "/out/docs";
    }
    void browse()
    {
        QFETCH(QString, window);
        QFETCH(QString, input);
        QFETCH(QString, box);
        QFETCH(QString, chosen);
        QFETCH(QString, output);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FileListWindow& w = ListWindow(window);
        FlexGrid& grid = WithOneRow(w, input, QStringLiteral("/before"), FileRowText);
        QString boxAfterBrowse;
        script.answerDialog([&](QDialog&) {
            FrmChangeOutput& dlg = frmChangeOutput();
            dlg.txtOutput->setText(box);
            dlg.cmdBrowse_Click();
            boxAfterBrowse = dlg.txtOutput->text();
            dlg.cmdOK_Click();
        });
        script.answerDialog([&](QDialog& d) {
            auto& picker = static_cast<FrmSelectDir&>(d);
            if (chosen.isEmpty()) {
                picker.cmdCancel_Click();
            } else {
                picker.txtDir->setText(chosen);
                picker.cmdOK_Click();
            }
        });
        w.lstDoc_DblClick();
        QCOMPARE(script.asked().size(), 2);
        QCOMPARE(script.asked().at(1).dialogName, QStringLiteral("frmSelectDir"));
        QCOMPARE(boxAfterBrowse, chosen.isEmpty() ? box : output);
        QCOMPARE(grid.TextMatrix(1, 3), output);
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // A relative output typed into the box is taken relative to the folder of the input.
    void typedOutput_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("output");
        QTest::newRow("a bare name") << "frmDocConv" << "/w/a.txt" << "b.txt" << "/w/b.txt";
        QTest::newRow("a sub-folder") << "frmDocConv" << "/w/a.txt" << "out/b.txt" << "/w/out/b.txt";
        QTest::newRow("dot") << "frmDocConv" << "/w/a.txt" << "./b.txt" << "/w/b.txt";
        QTest::newRow("up one folder") << "frmXlsConv" << "/w/x/a.txt" << "../b.txt" << "/w/b.txt";
        QTest::newRow("absolute stays") << "frmDocConv" << "/w/a.txt" << "/abs/b.txt" << "/abs/b.txt";
        QTest::newRow("folder row beside its input") << "frmPathConv" << "/w/docs" << "docs2" << "/w/docs2";
        QTest::newRow("folder row with a slash") << "frmPathConv" << "/w/docs/" << "docs2" << "/w/docs2";
    }
    void typedOutput()
    {
        QFETCH(QString, window);
        QFETCH(QString, input);
        QFETCH(QString, typed);
        QFETCH(QString, output);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FileListWindow& w = ListWindow(window);
        FlexGrid& grid = WithOneRow(w, input, QStringLiteral("/before"), FileRowText);
        script.answerDialog([&](QDialog&) {
            frmChangeOutput().txtOutput->setText(typed);
            frmChangeOutput().cmdOK_Click();
        });
        w.lstDoc_DblClick();
        QCOMPARE(grid.TextMatrix(1, 3), output);
        QCOMPARE(FrmChangeOutput::path, output);
        fx.stop();
    }

    // While a run is going on the command does nothing.
    void nothingDuringARun()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        WithOneRow(frmDocConv(), QStringLiteral("/w/a.txt"), QStringLiteral("/out/a.txt"), FileRowText);
        gbBatchRunning = true;
        frmDocConv().lstDoc_DblClick();
        gbBatchRunning = false;
        QVERIFY(script.asked().isEmpty());
        fx.stop();
    }
};

TEZ_REGISTER_TEST(ChangeOutputTest)
#include "test_change_output.moc"
