// The batch runs: the HTML, encoding-pair and Office-window row runs and the folder-tree run,
// through real files and the real conversion library, with Office at its stand-in.
#include "RunFixture.h"
#include "batch/BatchRuns.h"
#include "core/FileGrid.h"
#include "batch/FileList.h"
#include "batch/RtfModeFlags.h"
#include "common/TestMain.h"
#include "core/BatchRunning.h"
#include "core/Err.h"
#include "core/dlgProgress.h"
#include "platform/App.h"
#include "platform/KeyCodes.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <unistd.h>

namespace {

const QString kIndexGb = QStringLiteral("<html><head></head><body>软件</body></html>");
const QString kIndexBig5 = QStringLiteral(
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\"></head><body>軟體</body></html>");

QString Summary(const char* first) { return QString::fromUtf8(first) + QStringLiteral("\r\n运行退出！"); }

// Every message box the script saw is the one summary, with the information icon and title.
void VerifyOneSummary(const ModalScript& modal, const char* first)
{
    QCOMPARE(modal.messages(), QStringList{Summary(first)});
    QCOMPARE(modal.asked().first().icon, vbInformation);
    QCOMPARE(modal.asked().first().title, AppTitle());
}

}  // namespace

class TestBatchRuns : public QObject {
    Q_OBJECT

private slots:
    // A website converted into the output folder: pages converted and tagged, pictures
    // copied, folders made, every row done.
    void htmlRunConvertsASite()
    {
        RunFixture f;
        f.makeFile(QStringLiteral("s/site/index.htm"), Gb(kIndexGb));
        f.makeFile(QStringLiteral("s/site/page.HTML"), Gb(QStringLiteral("<html><body>鼠标</body></html>")));
        static const char kGif[] = "GIF89a\x01\x00\x01\x00\x00\xff\x00,";
        const QByteArray gif(kGif, sizeof kGif - 1);
        f.makeFile(QStringLiteral("s/site/logo.gif"), gif);
        f.makeFile(QStringLiteral("s/site/sub/a.htm"), Gb(QStringLiteral("<p>头发</p>")));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        RunFixture::setOutput(true, f.path(QStringLiteral("out")));
        FileListPopulateHtml(grid.get(), f.path(QStringLiteral("s/site")), gcolHtmlExt, gcolWordExt, false, true,
                             true, false, true);
        QCOMPARE(grid->Rows(), 5);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        QCOMPARE(f.read(QStringLiteral("out/index.htm")), Big5(kIndexBig5));
        QCOMPARE(f.read(QStringLiteral("out/logo.gif")), gif);
        QVERIFY(QFileInfo(f.path(QStringLiteral("out/sub"))).isDir());
        QVERIFY(f.read(QStringLiteral("out/sub/a.htm")).contains(Big5(QStringLiteral("頭髮"))));
        for (int r = 1; r < grid->Rows(); ++r) {
            QVERIFY(RowProcessed(*grid, r));
            QVERIFY(!RowFailed(*grid, r));
        }
        VerifyOneSummary(modal, "HTML文件转换");
        QVERIFY(!IsFormLoaded<DlgProgress>());
        QCOMPARE(f.tree(QStringLiteral("out")), (QStringList{"index.htm", "logo.gif", "page.HTML", "sub", "sub/a.htm"}));
    }

    // An output that is the input by another name: failed, processed, nothing written.
    void outputThatIsTheInputFails_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("dot in the path") << "dot";
        QTest::newRow("hard link") << "hardlink";
        QTest::newRow("symbolic link") << "symlink";
    }
    void outputThatIsTheInputFails()
    {
        QFETCH(QString, how);
        RunFixture f;
        const QByteArray original = Gb(kIndexGb);
        const QString input = f.makeFile(QStringLiteral("s/index.htm"), original);
        QString output = f.path(QStringLiteral("s/./index.htm"));
        if (how == QLatin1String("hardlink")) {
            output = f.path(QStringLiteral("s/link.htm"));
            QCOMPARE(::link(QFile::encodeName(input).constData(), QFile::encodeName(output).constData()), 0);
        } else if (how == QLatin1String("symlink")) {
            output = f.path(QStringLiteral("s/sym.htm"));
            QVERIFY(QFile::link(input, output));
        }
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        AddRow(grid.get(), input, output, FileRowText | FileRowAddTag);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        QVERIFY(RowFailed(*grid, 1));
        QVERIFY(RowProcessed(*grid, 1));
        QCOMPARE(f.read(QStringLiteral("s/index.htm")), original);
    }

    // Rows whose route fails are failed and recorded; the rows around them are done and the
    // run ends with its summary. Nothing partial is left behind.
    void failingRowsDoNotStopTheRun_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("input deleted after listing") << "deleted";
        QTest::newRow("input is a folder") << "folder";
        QTest::newRow("output folder is a file") << "outputFolderIsFile";
        QTest::newRow("output folder read-only") << "readOnly";
        QTest::newRow("output is a folder: the last write fails") << "outputIsFolder";
    }
    void failingRowsDoNotStopTheRun()
    {
        QFETCH(QString, failure);
        RunFixture f;
        auto grid = MakeEmptyFileGrid();
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/a.txt"), Gb(QStringLiteral("软件"))), f.path(QStringLiteral("out/a.txt")), FileRowText);
        QString bad = f.makeFile(QStringLiteral("in/b.txt"), Gb(QStringLiteral("鼠标")));
        QString badOut = f.path(QStringLiteral("out/b.txt"));
        if (failure == QLatin1String("deleted")) {
            QFile::remove(bad);
        } else if (failure == QLatin1String("folder")) {
            bad = f.makeFolder(QStringLiteral("in/folder.txt"));
        } else if (failure == QLatin1String("outputIsFolder")) {
            badOut = f.makeFolder(QStringLiteral("out/b.txt"));
        } else if (failure == QLatin1String("outputFolderIsFile")) {
            f.makeFile(QStringLiteral("blocked"));
            badOut = f.path(QStringLiteral("blocked/b.txt"));
        } else {
            if (::geteuid() == 0)
                QSKIP("root writes into read-only folders");
            f.makeFolder(QStringLiteral("ro"));
            QFile::setPermissions(f.path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
            badOut = f.path(QStringLiteral("ro/b.txt"));
        }
        AddRow(grid.get(), bad, badOut, FileRowText);
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/c.gif"), "GIF"), f.path(QStringLiteral("out/c.gif")), 0);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteDocConv(grid.get(), true, true, false, false);
        QVERIFY(!RowFailed(*grid, 1));
        QVERIFY(RowFailed(*grid, 2));
        QVERIFY(!RowFailed(*grid, 3));
        for (int r = 1; r <= 3; ++r)
            QVERIFY(RowProcessed(*grid, r));
        QCOMPARE(f.read(QStringLiteral("out/a.txt")), Big5(QStringLiteral("軟體")));
        QCOMPARE(f.read(QStringLiteral("out/c.gif")), QByteArray("GIF"));
        if (failure != QLatin1String("outputIsFolder"))
            QCOMPARE(f.read(badOut), QByteArray("<missing>"));
        QCOMPARE(f.errorRecords(QStringLiteral("ExecuteDocConv")), 1);
        QVERIFY(f.errorLog().contains(ToSystemCodePage(bad)));
        VerifyOneSummary(modal, "DOC文件转换");
        QVERIFY(!IsFormLoaded<DlgProgress>());
        QFile::setPermissions(f.path(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Nothing else is left in the output folder: no temporary file of the failed write.
        const QStringList left = failure == QLatin1String("outputIsFolder") ? QStringList{"a.txt", "b.txt", "c.gif"}
                                                                             : QStringList{"a.txt", "c.gif"};
        QCOMPARE(f.tree(QStringLiteral("out")), left);
    }

    // A second run touches no output and still shows its summary; a scheduled run asks nothing.
    void secondRunTouchesNothing_data()
    {
        QTest::addColumn<bool>("scheduled");
        QTest::newRow("interactive") << false;
        QTest::newRow("scheduled") << true;
    }
    void secondRunTouchesNothing()
    {
        QFETCH(bool, scheduled);
        RunFixture f;
        auto grid = MakeEmptyFileGrid();
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/a.txt"), Gb(QStringLiteral("软件"))), f.path(QStringLiteral("out/a.txt")), FileRowText);
        gbSchedRun = scheduled;
        {
            ModalScript modal;
            if (!scheduled)
                modal.answer(vbOK);
            ExecuteSpecConv(grid.get(), 3, 1);
            QCOMPARE(modal.unexpected(), 0);
        }
        WriteFileBytes(f.path(QStringLiteral("out/a.txt")), "mine");
        ModalScript modal;
        if (!scheduled)
            modal.answer(vbOK);
        ExecuteSpecConv(grid.get(), 3, 1);
        QCOMPARE(f.read(QStringLiteral("out/a.txt")), QByteArray("mine"));
        QCOMPARE(modal.unexpected(), 0);
        QCOMPARE(modal.messages(), scheduled ? QStringList() : QStringList{Summary("文件转换")});
    }

    // The encoding-pair run passes the window's type and option to the library.
    void specRunConvertsByTypeAndOption_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("option");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("(3, 0) GB to Big5") << 3 << 0 << QByteArray("\xBA\xBA\xD7\xD6") << QByteArray("\xBA\x7E\xA6\x72");
        QTest::newRow("(0, 1) Big5 to GB") << 0 << 1 << QByteArray("\xB3\x6E\xC5\xE9") << QByteArray("\xC8\xED\xBC\xFE");
        QTest::newRow("(0, 0) Big5 to GB code") << 0 << 0 << QByteArray("\xB3\x6E\xC5\xE9") << QByteArray("\xC8\xED\xCC\xE5");
        QTest::newRow("(10, 0) Big5 to UTF-16") << 10 << 0 << QByteArray("\xB3\x6E\xC5\xE9") << QByteArray("\xFF\xFE\xDF\x8E\xD4\x9A");
    }
    void specRunConvertsByTypeAndOption()
    {
        QFETCH(int, type);
        QFETCH(int, option);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        RunFixture f;
        auto grid = MakeEmptyFileGrid();
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/a.txt"), input), f.path(QStringLiteral("out/deep/a.txt")), FileRowText);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteSpecConv(grid.get(), int16_t(type), int16_t(option));
        QCOMPARE(f.read(QStringLiteral("out/deep/a.txt")), expected);
        VerifyOneSummary(modal, "文件转换");
    }

    // A word-processor row with the add-tag bit goes through an intermediate that is gone
    // afterwards; a row of type other is copied.
    void specWordRowAndOtherRow()
    {
        RunFixture f;
        auto grid = MakeEmptyFileGrid();
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/a.txt"), "\xB3\x6E\xC5\xE9"), f.path(QStringLiteral("out/a.txt")),
               FileRowWord | FileRowAddTag);
        const QByteArray other("\x00\x01\xFF binary", 10);
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/b.bin"), other), f.path(QStringLiteral("out/b.bin")), 0);
        f.makeFile(QStringLiteral("out/a.txttmp"), "someone's file");
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteSpecConv(grid.get(), 10, 0);
        QCOMPARE(f.read(QStringLiteral("out/a.txt")), QByteArray("\xFF\xFE\xDF\x8E\xD4\x9A"));
        QCOMPARE(f.read(QStringLiteral("out/b.bin")), other);
        QCOMPARE(f.read(QStringLiteral("out/a.txttmp")), QByteArray("someone's file"));
        QCOMPARE(f.tree(QStringLiteral("out")), (QStringList{"a.txt", "a.txttmp", "b.bin"}));
    }

    // The done row is selected and kept in view with two rows below it.
    void runKeepsTheRowInView()
    {
        RunFixture f;
        auto grid = MakeEmptyFileGrid();
        for (int i = 1; i <= 30; ++i) {
            const QString name = QStringLiteral("in/%1.txt").arg(i);
            const int word = i == 12 ? FileRowText : (FileRowText | FileRowProcessed);
            AddRow(grid.get(), f.makeFile(name, "a"), f.path(QStringLiteral("out/%1.txt").arg(i)), word);
        }
        grid->setFixedRows(1);
        grid->resize(400, 200);
        grid->show();
        // Size the grid so that rows 1 to 10 are the ones in view.
        int height = 40;
        grid->resize(400, height);
        while (!grid->RowIsVisible(10) || grid->RowIsVisible(11)) {
            grid->resize(400, ++height);
            QVERIFY(height < 2000);
            if (grid->RowIsVisible(11))
                QSKIP("rows 1 to 10 cannot be shown alone at this font size");
        }
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteSpecConv(grid.get(), 3, 0);
        QVERIFY(RowProcessed(*grid, 12));
        QCOMPARE(grid->TopRow(), 5);
        QCOMPARE(grid->RowSel(), 12);
        QCOMPARE(grid->ColSel(), 3);
    }

    // A folder tree mirrored: text and HTML converted, the rest copied, the run log written.
    void pathRunMirrorsATree()
    {
        RunFixture f;
        f.makeFile(QStringLiteral("in/a.txt"), Gb(QStringLiteral("软件")));
        f.makeFile(QStringLiteral("in/sub/b.htm"), Gb(QStringLiteral("<html><head></head><body>鼠标</body></html>")));
        f.makeFile(QStringLiteral("in/x.doc"), "DOC");
        f.makeFile(QStringLiteral("in/y.xls"), "XLS");
        f.makeFile(QStringLiteral("in/logo.gif"), "GIF");
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        const QString in = f.path(QStringLiteral("in"));
        const QString out = f.path(QStringLiteral("out"));
        AddRow(grid.get(), in, out, FileRowText | FileRowAddTag);
        gbRunLog = true;
        gvPrjFile = QStringLiteral("/p/x.wpp");
        ModalScript modal;
        modal.answer(vbOK);
        QVERIFY(ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false));
        QCOMPARE(f.read(QStringLiteral("out/a.txt")), Big5(QStringLiteral("軟體")));
        QVERIFY(f.read(QStringLiteral("out/sub/b.htm")).contains(Big5(QStringLiteral("滑鼠"))));
        QVERIFY(f.read(QStringLiteral("out/sub/b.htm")).contains("charset=big5"));
        QCOMPARE(f.read(QStringLiteral("out/x.doc")), QByteArray("DOC"));
        QCOMPARE(f.read(QStringLiteral("out/y.xls")), QByteArray("XLS"));
        QCOMPARE(f.read(QStringLiteral("out/logo.gif")), QByteArray("GIF"));
        QVERIFY(!RowFailed(*grid, 1));
        QVERIFY(RowProcessed(*grid, 1));
        const QList<QByteArray> lines = f.runLog().split('\n');
        QStringList texts;
        for (const QByteArray& line : lines) {
            const qsizetype at = line.indexOf(" => ");
            if (at >= 0)
                texts << QString::fromUtf8(line.mid(at + 4)).trimmed();
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("PathConv Started. gvPrjFile:/p/x.wpp"),
                                     QStringLiteral("PathConv:") + in + QLatin1Char('-') + out,
                                     QStringLiteral("...Files In Path:5, Skipped:3"), QStringLiteral("PathConv Done.")}));
        VerifyOneSummary(modal, "路径转换");
    }

    // Input folder and output joined with one "/", whatever the row's slashes.
    void pathRunJoinsWithOneSlash()
    {
        RunFixture f;
        f.makeFile(QStringLiteral("in/a.txt"), Gb(QStringLiteral("软件")));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(grid.get(), f.path(QStringLiteral("in/")), f.path(QStringLiteral("out/")), FileRowText);
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QCOMPARE(f.tree(QStringLiteral("out")), QStringList{"a.txt"});
    }

    // A text file of the HTML list gets its tag only when the row asks for it.
    void pathRunTagFollowsTheRow_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<bool>("tagged");
        QTest::newRow("add-tag row") << int(FileRowText | FileRowAddTag) << true;
        QTest::newRow("no add-tag") << int(FileRowText) << false;
    }
    void pathRunTagFollowsTheRow()
    {
        QFETCH(int, word);
        QFETCH(bool, tagged);
        RunFixture f;
        f.makeFile(QStringLiteral("in/a.htm"), Gb(kIndexGb));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(grid.get(), f.path(QStringLiteral("in")), f.path(QStringLiteral("out")), word);
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QCOMPARE(f.read(QStringLiteral("out/a.htm")).contains("charset=big5"), tagged);
    }

    // Folder rows that would write into their input, or whose input is no folder, fail
    // without writing anything; the other rows run.
    void pathRowsThatCannotRun()
    {
        RunFixture f;
        f.makeFile(QStringLiteral("in/a.txt"), Gb(QStringLiteral("软件")));
        f.makeFile(QStringLiteral("good/b.txt"), Gb(QStringLiteral("软件")));
        const QStringList before = f.tree(QStringLiteral("in"));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        const QString in = f.path(QStringLiteral("in"));
        AddRow(grid.get(), in, in, FileRowText);
        AddRow(grid.get(), in, f.path(QStringLiteral("in/out")), FileRowText);
        AddRow(grid.get(), in, f.path(QStringLiteral("in/./sub/../out2")), FileRowText);
        AddRow(grid.get(), f.path(QStringLiteral("gone")), f.path(QStringLiteral("out1")), FileRowText);
        AddRow(grid.get(), f.path(QStringLiteral("in/a.txt")), f.path(QStringLiteral("out3")), FileRowText);
        AddRow(grid.get(), f.path(QStringLiteral("good")), f.path(QStringLiteral("out4")), FileRowText);
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        for (int r = 1; r <= 5; ++r)
            QVERIFY2(RowFailed(*grid, r), qPrintable(QString::number(r)));
        QVERIFY(!RowFailed(*grid, 6));
        QCOMPARE(f.tree(QStringLiteral("in")), before);
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("out1"))));
        QVERIFY(!QFileInfo::exists(f.path(QStringLiteral("out3"))));
        QCOMPARE(f.read(QStringLiteral("out4/b.txt")), Big5(QStringLiteral("軟體")));
        QCOMPARE(f.errorRecords(QStringLiteral("ExecutePathConv")), 5);
        QVERIFY(f.errorLog().contains(ToSystemCodePage(f.path(QStringLiteral("in/out")))));
    }

    void pathRunOfAnEmptyGrid()
    {
        RunFixture f;
        gbRunLog = true;
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        ModalScript modal;
        QVERIFY(!ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false));
        QCOMPARE(modal.asked().size(), 0);
        QCOMPARE(f.runLog(), QByteArray("<missing>"));
    }

    // With Office at its stand-in the Word window says once that Word cannot be started,
    // converts text, copies others and fails the document with a record; a folder row holding
    // a document fails and leaves no trace of it.
    void officeRowsFailWithoutOffice()
    {
        RunFixture f;
        auto grid = MakeEmptyFileGrid();
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/a.txt"), Gb(QStringLiteral("软件"))), f.path(QStringLiteral("out/a.txt")), FileRowText);
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/b.doc"), "DOC"), f.path(QStringLiteral("out/b.doc")), FileRowWord);
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/c.gif"), "GIF"), f.path(QStringLiteral("out/c.gif")), 0);
        ModalScript modal;
        modal.answer(vbOK).answer(vbOK);
        ExecuteDocConv(grid.get(), true, true, false, false);
        QCOMPARE(f.read(QStringLiteral("out/a.txt")), Big5(QStringLiteral("軟體")));
        QCOMPARE(f.read(QStringLiteral("out/c.gif")), QByteArray("GIF"));
        QVERIFY(RowFailed(*grid, 2));
        QVERIFY(RowProcessed(*grid, 2));
        QCOMPARE(f.errorRecords(QStringLiteral("ExecuteDocConv")), 1);
        QVERIFY(f.errorLog().contains("b.doc"));
        QCOMPARE(f.tree(QStringLiteral("out")), (QStringList{"a.txt", "c.gif"}));
        QCOMPARE(modal.messages(), (QStringList{QStringLiteral("无法启用Word程序"), Summary("DOC文件转换")}));
        QCOMPARE(modal.asked().first().icon, vbExclamation);
        QCOMPARE(modal.unexpected(), 0);

        f.makeFile(QStringLiteral("tree/x.doc"), "DOC");
        f.makeFile(QStringLiteral("tree/a.txt"), Gb(QStringLiteral("软件")));
        auto folders = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(folders.get(), f.path(QStringLiteral("tree")), f.path(QStringLiteral("treeout")), FileRowText);
        ModalScript second;
        second.answer(vbOK);
        ExecutePathConv(folders.get(), true, true, false, false, gcolHtmlExt, true, true);
        QVERIFY(RowFailed(*folders, 1));
        QCOMPARE(f.tree(QStringLiteral("treeout")), QStringList{"a.txt"});
    }

    // The folder-tree run starts each application at the first file of its kind and quits it
    // once, after the last file; a start that fails fails that file, and the next file of the
    // kind tries again.
    void folderTreeHoldsEachApplicationOnce()
    {
        RunFixture f;
        int excelStarts = 0, excelQuits = 0, pptStarts = 0, pptQuits = 0;
        QStringList steps;
        Office().InitExcelApp = [&] { return ++excelStarts > 1; };
        Office().ExitExcelApp = [&] { steps << QStringLiteral("quit"); ++excelQuits; };
        Office().InitPowerPointApp = [&] { ++pptStarts; return true; };
        Office().ExitPowerPointApp = [&] { steps << QStringLiteral("quit"); ++pptQuits; };
        const OfficeServices::Converter convert = [&](DlgProgress&, const QString&, const QString& out, bool, bool,
                                                      bool, bool) {
            steps << QStringLiteral("convert");
            WriteFileBytes(out, "converted");
            return true;
        };
        Office().ConvertXLS = convert;
        Office().ConvertPPT = convert;
        for (const char* name : {"a.xls", "b.xlsx", "c.xlsm", "d.ppt", "e.pptx", "f.ppsx"})
            f.makeFile(QStringLiteral("tree/") + QLatin1String(name), "X");
        auto folders = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(folders.get(), f.path(QStringLiteral("tree")), f.path(QStringLiteral("treeout")), FileRowText);
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(folders.get(), true, true, false, false, gcolHtmlExt, true, true);
        QCOMPARE(excelStarts, 2);
        QCOMPARE(excelQuits, 1);
        QCOMPARE(pptStarts, 1);
        QCOMPARE(pptQuits, 1);
        QCOMPARE(steps, (QStringList{"convert", "convert", "convert", "convert", "convert", "quit", "quit"}));
        QCOMPARE(f.tree(QStringLiteral("treeout")).size(), 5);
        QVERIFY(RowFailed(*folders, 1));
    }

    // Excel and PowerPoint runs stop at once when their application cannot be started.
    void officeApplicationThatCannotStart_data()
    {
        QTest::addColumn<bool>("excel");
        QTest::addColumn<bool>("scheduled");
        QTest::newRow("Excel") << true << false;
        QTest::newRow("PowerPoint") << false << false;
        QTest::newRow("Excel, scheduled") << true << true;
        QTest::newRow("PowerPoint, scheduled") << false << true;
    }
    void officeApplicationThatCannotStart()
    {
        QFETCH(bool, excel);
        QFETCH(bool, scheduled);
        RunFixture f;
        gbSchedRun = scheduled;
        auto grid = MakeEmptyFileGrid();
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/a.txt"), "a"), f.path(QStringLiteral("out/a.txt")), FileRowText);
        ModalScript modal;
        modal.answer(vbOK);
        if (excel)
            ExecuteXlsConv(grid.get(), true, true, false, false);
        else
            ExecutePPTConv(grid.get(), true, true, false, false);
        QVERIFY(!RowProcessed(*grid, 1));
        if (scheduled) {
            QCOMPARE(modal.asked().size(), 0);
            QCOMPARE(f.errorRecords(excel ? QStringLiteral("ExecuteXlsConv") : QStringLiteral("ExecutePPTConv")), 1);
            QVERIFY(f.errorLog().contains(excel ? "Excel" : "PowerPoint"));
            return;
        }
        QCOMPARE(modal.messages(), QStringList{excel ? QStringLiteral("无法启用Excel程序") : QStringLiteral("无法启用PowerPoint程序")});
        QCOMPARE(modal.asked().first().icon, vbExclamation);
    }

    // With a started application the own rows go to its converter; a False result fails the row.
    void officeConverterResults()
    {
        RunFixture f;
        int started = 0, quit = 0;
        Office().InitExcelApp = [&] { ++started; return true; };
        Office().ExitExcelApp = [&] { ++quit; };
        QList<int> bar;
        QStringList shown;
        Office().ConvertXLS = [&](DlgProgress& progress, const QString& in, const QString& out, bool, bool, bool, bool) {
            bar << progress.ProgressBar1->value();
            shown << progress.labFile->text();
            if (in.endsWith(QLatin1String("bad.xls")))
                return false;
            WriteFileBytes(out, "converted");
            return true;
        };
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstXls"));
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/good.xls"), "X"), f.path(QStringLiteral("out/good.xls")), FileRowExcel);
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/bad.xls"), "X"), f.path(QStringLiteral("out/bad.xls")), FileRowExcel);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteXlsConv(grid.get(), true, true, false, false);
        QCOMPARE(started, 1);
        QCOMPARE(quit, 1);
        // The bar shows the share of rows handled before each row; the label the row's input.
        QCOMPARE(bar, (QList<int>{0, 50}));
        QCOMPARE(shown, (QStringList{f.path(QStringLiteral("in/good.xls")), f.path(QStringLiteral("in/bad.xls"))}));
        QVERIFY(!RowFailed(*grid, 1));
        QVERIFY(RowFailed(*grid, 2));
        QCOMPARE(f.tree(QStringLiteral("out")), QStringList{"good.xls"});
        VerifyOneSummary(modal, "XLS文件转换");
    }

    // A Word row whose conversion fails leaves no output and no file of its own beside it,
    // and a file that happens to bear an intermediate's name stays as it was.
    void failedWordRowLeavesNothing()
    {
        RunFixture f;
        QString seenOutput;
        Office().InitWordApp = [] { return true; };
        Office().ConvertDOC = [&](DlgProgress&, const QString&, const QString& output, bool, bool, bool, bool) {
            seenOutput = output;
            return false;
        };
        f.makeFile(QStringLiteral("out/b.doc.wpc"), "keep");
        auto grid = MakeEmptyFileGrid();
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/b.doc"), "DOC"), f.path(QStringLiteral("out/b.doc")), FileRowWord);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteDocConv(grid.get(), true, true, false, false);
        QCOMPARE(seenOutput, f.path(QStringLiteral("out/b.doc")));
        QVERIFY(RowFailed(*grid, 1));
        QCOMPARE(f.read(QStringLiteral("out/b.doc.wpc")), QByteArray("keep"));
        QCOMPARE(f.tree(QStringLiteral("out")), QStringList{"b.doc.wpc"});
    }

    // Commands, window switches, drops and the scheduler tick that arrive while a run turns the
    // event loop change nothing.
    void commandsDuringARunDoNothing()
    {
        RunFixture f;
        auto grid = MakeEmptyFileGrid();
        for (int i = 0; i < 3; ++i)
            AddRow(grid.get(), f.makeFile(QStringLiteral("in/%1.txt").arg(i), Gb(QStringLiteral("软件"))),
                   f.path(QStringLiteral("out/%1.txt").arg(i)), FileRowText);
        bool sawRunning = false;
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (!gbBatchRunning)
                return;
            sawRunning = true;
            FileListDropFiles(grid.get(), {f.makeFile(QStringLiteral("late/x.txt"))}, gcolTextExt, gcolWordExt, false,
                              true, true, false, false);
            DirListAdd(grid.get(), f.path(QStringLiteral("late")), false, true, true, false, false);
            grid->setRow(1);
            grid->setRowSel(2);
            FileListDeleteRows(grid.get(), vbKeyDelete, 0);
        });
        timer.start();
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        timer.stop();
        QVERIFY(sawRunning);
        QCOMPARE(grid->Rows(), 4);
        QVERIFY(!gbBatchRunning);
        QCOMPARE(modal.messages(), QStringList{Summary("HTML文件转换")});
    }

    // The stand-in: detections False (a test can set them), starts and converters False, the
    // Word procedures raise run-time error 429.
    void officeStandIn()
    {
        RunFixture f;
        OfficeServices& office = Office();
        QVERIFY(!office.DetectWord() && !office.DetectExcel() && !office.DetectPowerPoint());
        QVERIFY(!office.InitWordApp() && !office.InitExcelApp() && !office.InitPowerPointApp());
        QVERIFY(!office.ConvertDOC(dlgProgress(), "/a", "/b", true, true, false, false));
        UnloadForm<DlgProgress>();
        office.DetectWord = [] { return true; };
        QVERIFY(Office().DetectWord());
        try {
            office.WordSaveAsRtf(QStringLiteral("/a.doc"), QStringLiteral("/a.rtf"));
            QFAIL("no failure raised");
        } catch (const RuntimeError& e) {
            QCOMPARE(e.number(), 429);
            QCOMPARE(e.description(), QStringLiteral("Office document conversion is not available"));
        }
    }

    // The RTF mode and flags of the four conversion flags.
    void rtfModeFlags_data()
    {
        QTest::addColumn<bool>("bCode");
        QTest::addColumn<bool>("bPhrase");
        QTest::addColumn<bool>("bB52GB");
        QTest::addColumn<bool>("bL2R");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("flags");
        QTest::newRow("T to S, vocabulary") << true << true << true << false << 1 << 1;
        QTest::newRow("S to T, vocabulary") << true << true << false << true << 0 << 256;
        QTest::newRow("S to T, code only") << true << false << false << false << 0 << 0;
        QTest::newRow("Traditional text toward Simplified") << false << true << true << true << 2 << 1;
        QTest::newRow("Traditional text toward Traditional") << false << true << true << false << 2 << 256;
        QTest::newRow("Simplified text toward Simplified") << false << true << false << true << 3 << 1;
        QTest::newRow("Simplified text, nothing") << false << false << false << true << 3 << 0;
    }
    void rtfModeFlags()
    {
        QFETCH(bool, bCode);
        QFETCH(bool, bPhrase);
        QFETCH(bool, bB52GB);
        QFETCH(bool, bL2R);
        QFETCH(int, mode);
        QFETCH(int, flags);
        const RtfMode m = RtfModeFlags(bCode, bPhrase, bB52GB, bL2R);
        QCOMPARE(int(m.mode), mode);
        QCOMPARE(int(m.flags), flags);
    }

    // A 0-byte input gives a 0-byte output.
    void emptyInputGivesEmptyOutput()
    {
        RunFixture f;
        auto grid = MakeEmptyFileGrid();
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/a.txt"), QByteArray()), f.path(QStringLiteral("out/a.txt")), FileRowText);
        AddRow(grid.get(), f.makeFile(QStringLiteral("in/b.gif"), QByteArray()), f.path(QStringLiteral("out/b.gif")), 0);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteSpecConv(grid.get(), 3, 1);
        QCOMPARE(f.read(QStringLiteral("out/a.txt")), QByteArray());
        QCOMPARE(f.read(QStringLiteral("out/b.gif")), QByteArray());
    }
};

TEZ_REGISTER_TEST(TestBatchRuns)
#include "test_batch_runs.moc"
