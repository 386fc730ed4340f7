// Project files: the exact layout written, reading both layouts, file rows and their
// conversion state, the vocabulary table lines, paths with commas and quotes, format errors.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "core/FileTypes.h"
#include "batch/WindowLoadedFlags.h"
#include "batch/dlgHtmlSelect.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmOutputSetting.h"
#include "batch/frmPathConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "core/EndProcess.h"
#include "core/Globals.h"
#include "core/GridPictures.h"
#include "core/ProjectFile.h"
#include "core/ProjectLine.h"
#include "core/frmMain.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "core/LoadedTableList.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

namespace {

const QByteArray kCrLf = "\r\n";

QByteArray Lines(const QStringList& lines)
{
    return ToSystemCodePage(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The lines of a project file the program wrote into the fixture's folder.
QStringList SavedLines(const ProgramFolderFixture& fx, const char* name)
{
    return FromSystemCodePage(fx.readFile(QString::fromUtf8(name))).split(QStringLiteral("\r\n"));
}

// The option lines of a project in which no list window was opened.
QStringList NoWindowOptions(const QString& header = QStringLiteral("\"Header\",0,-1,-1,-1,-1,-1"))
{
    return {header, "\"OutputSetting\",\"True\",\"/out\"", "\"DocConvOption\",-1,-1", "\"XlsConvOption\",-1,-1",
            "\"PptConvOption\",-1,-1", "\"HtmlConvOption\",-1,-1,\"htm;html\"", "\"SpecConvOption\",-1,-1,-1"};
}

void Touch(const QString& path, const QByteArray& bytes, const QDateTime& time)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(time, QFileDevice::FileModificationTime));
}

QString FileRowLine(int row, const QString& input, const QString& output, int32_t flags)
{
    const QFileInfo info(input);
    return ProjectLine({ProjectNumber(row), ProjectText(input), ProjectText(QString::number(info.size())),
                        ProjectText(ProjectDateText(info.lastModified())), ProjectText("MASK_DOCTYPE_TXT"),
                        ProjectText(output), ProjectNumber(flags)});
}

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT
private slots:
    void fieldsRoundTrip_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("text and numbers") << "\"DocConvOption\",0,-1" << QStringList{"DocConvOption", "0", "-1"};
        QTest::newRow("comma inside quotes") << "1,\"/a,b.txt\",\"\"" << QStringList{"1", "/a,b.txt", ""};
        QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\",2" << QStringList{"say \"hi\"", "2"};
        QTest::newRow("blanks around numbers") << " 0 , \"-\" ,99" << QStringList{"0", "-", "99"};
        QTest::newRow("empty text last") << "2,\"<B>\",\"\",0" << QStringList{"2", "<B>", "", "0"};
        QTest::newRow("escaped controls") << "1,E\"a\\tb\\nc\\rd\\x01\\\\e\\\"f\",2"
                                          << QStringList{"1", "a\tb\nc\rd\x01\\e\"f", "2"};
        QTest::newRow("backslashes outside the escaped form") << "\"C:\\OUT\\\",3" << QStringList{"C:\\OUT\\", "3"};
    }
    void fieldsRoundTrip()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QCOMPARE(ParseProjectLine(line), fields);
        QStringList written;
        for (const QString& f : fields)
            written << ProjectText(f);
        QCOMPARE(ParseProjectLine(ProjectLine(written)), fields);
    }

    void savesTheExactLayout()
    {
        ProgramFolderFixture fx;
        QFile::copy(fx.path("Regional.pct"), fx.path("A.pct"));
        QFile::copy(fx.path("Regional.pct"), fx.path("B.pct"));
        fx.writeFile("PCTS.LST", "TEZLST 1\n1\tA.pct\n0\tB.pct\n");
        ModalScript script;
        fx.start();
        frmDocConv().cbCodeConv->setCurrentIndex(0);
        frmDocConv().cbPhraseConv->setCurrentIndex(1);
        frmOutputSetting().opDir->setChecked(true);
        frmOutputSetting().txtDir->setText(QStringLiteral("/out"));
        dlgHtmlSelect().txtExt->setPlainText(QStringLiteral("htm\nhtml\n"));
        FrmPhraseMgr& mgr = frmPhraseMgr();
        QCOMPARE(mgr.lstPCT->Rows(), 3);
        mgr.SetRowSelected(mgr.lstPCT, 1);
        const QString a = mgr.lstPCT->TextMatrix(1, 1);
        const QString b = mgr.lstPCT->TextMatrix(2, 1);
        QVERIFY(a.endsWith("A.pct"));
        QVERIFY(b.endsWith("B.pct"));

        PrjFileSave(gvPrjFile);
        const QByteArray expected = Lines({"\"Header\",2,0,-1,-1,-1,-1", "\"OutputSetting\",\"True\",\"/out\"",
                                           "\"DocConvOption\",0,1", "\"XlsConvOption\",-1,-1",
                                           "\"PptConvOption\",-1,-1", "\"HtmlConvOption\",-1,-1,\"htm;html\"",
                                           "\"SpecConvOption\",-1,-1,-1", "\"-\",9",
                                           "1,\"" + a + "\",\"MASK_PCT_SELECT\",3", "2,\"" + b + "\",\"\",0",
                                           "0,\"-\",\"-\",99"});
        QCOMPARE(fx.readFile("default.wsp"), expected);
        QCOMPARE(script.asked().size(), 0);
    }

    void savingLeavesTheVocabularyManagerUnopened()
    {
        ProgramFolderFixture fx;
        QFile::copy(fx.path("Regional.pct"), fx.path("A.pct"));
        QFile::copy(fx.path("Regional.pct"), fx.path("B.pct"));
        // Line ends the library would not write: a rewritten list shows.
        const QByteArray list = "TEZLST 1\r\n1\tA.pct\r\n0\tB.pct\r\n";
        fx.writeFile("PCTS.LST", list);
        ModalScript script;
        FrmMain& main = fx.start();
        const QString status = main.StatusPanel1->text();
        PrjFileSave(gvPrjFile);
        QVERIFY(!IsFormLoaded<FrmPhraseMgr>());
        QCOMPARE(main.StatusPanel1->text(), status);
        const QStringList lines = SavedLines(fx, "default.wsp");
        QCOMPARE(lines.mid(7, 4), (QStringList{"\"-\",9", "1,\"" + fx.path("A.pct") + "\",\"MASK_PCT_SELECT\",3",
                                               "2,\"" + fx.path("B.pct") + "\",\"\",0", "0,\"-\",\"-\",99"}));
        // The same lines as the manager's table list gives once it is open.
        frmPhraseMgr();
        PrjFileSave(fx.path("opened.wsp"));
        QCOMPARE(SavedLines(fx, "opened.wsp").mid(7, 4), lines.mid(7, 4));
        UnloadForm<FrmPhraseMgr>();

        // Shut-down saving the project leaves the list file alone.
        script.answer(vbYes);
        main.close();
        QVERIFY(ProcessEnded());
        QCOMPARE(fx.readFile("PCTS.LST"), list);
    }

    void fileRowsKeepOrLoseTheirConvertedMark_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("converted");
        QTest::addColumn<bool>("failed");
        QTest::newRow("unchanged") << "none" << true << false;
        QTest::newRow("input newer than output") << "touch input" << false << false;
        QTest::newRow("output gone") << "delete output" << false << false;
        QTest::newRow("input size changed") << "grow input" << false << false;
        QTest::newRow("input gone") << "delete input" << true << true;
    }
    void fileRowsKeepOrLoseTheirConvertedMark()
    {
        QFETCH(QString, change);
        QFETCH(bool, converted);
        QFETCH(bool, failed);
        ProgramFolderFixture fx;
        const QDateTime base = QDateTime::currentDateTime().addDays(-2);
        const QString in = fx.path("in.txt");
        const QString out = fx.path("out.txt");
        Touch(in, "abc", base);
        Touch(out, "xyz", base.addSecs(60));
        const int32_t flags = static_cast<int32_t>(0x80000020u);
        QStringList lines = NoWindowOptions("\"Header\",0,1,-1,-1,-1,-1");
        lines << "\"-\",9" << "0,\"-\",\"-\",99" << FileRowLine(1, in, out, flags)
              << "0,\"-\",\"-\",\"-\",\"-\",\"-\",999";
        fx.writeFile("p.wpp", Lines(lines));
        if (change == "touch input")
            Touch(in, "abc", base.addSecs(3600));
        else if (change == "delete output")
            QFile::remove(out);
        else if (change == "grow input")
            Touch(in, "abcd", base);
        else if (change == "delete input")
            QFile::remove(in);
        ModalScript script;
        fx.start();
        PrjFileShow(fx.path("p.wpp"));
        QCOMPARE(script.asked().size(), 0);
        FlexGrid* grid = frmDocConv().lstDoc;
        QCOMPARE(grid->Rows(), 2);
        QCOMPARE(grid->TextMatrix(1, 2), in);
        QCOMPARE(grid->TextMatrix(1, 3), out);
        QCOMPARE((grid->RowData(1) & 0x80000000u) != 0, converted);
        QCOMPARE(grid->RowData(1) & 0x20, 0x20);
        QCOMPARE(grid->TextMatrix(1, 0) == ".", failed);
        grid->setRow(1);
        grid->setCol(0);
        QCOMPARE(grid->CellPicture().toImage(),
                 (failed ? gPicFailed.pixmap() : converted ? gPicDone.pixmap() : QPixmap()).toImage());
    }

    void savingDropsRowsWhoseInputIsGone()
    {
        ProgramFolderFixture fx;
        fx.writeFile("keep.txt", "k");
        ModalScript script;
        fx.start();
        FlexGrid* grid = frmDocConv().lstDoc;
        grid->AddItem("\t\t" + fx.path("keep.txt") + "\t/o1");
        grid->AddItem("\t\t" + fx.path("gone.txt") + "\t/o2");
        PrjFileSave(gvPrjFile);
        QCOMPARE(grid->Rows(), 2);
        const QStringList lines = SavedLines(fx, "default.wsp");
        QCOMPARE(ParseProjectLine(lines[0]).value(2), QStringLiteral("1"));
        QCOMPARE(lines.filter("keep.txt").size(), 1);
        QVERIFY(lines.filter("gone.txt").isEmpty());
    }

    void unopenedWindowsAreSavedAsMinusOne()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        PrjFileSave(gvPrjFile);
        const QStringList lines = SavedLines(fx, "default.wsp");
        QCOMPARE(ParseProjectLine(lines[0]).mid(2), (QStringList{"0", "-1", "-1", "-1", "-1"}));
        QCOMPARE(lines[5], QStringLiteral("\"HtmlConvOption\",-1,-1,\"*.htm;*.html\""));
        QCOMPARE(lines[6], QStringLiteral("\"SpecConvOption\",-1,-1,-1"));
    }

    void failedSaveIsLoggedAndKeepsTheOldFile()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        script.answer(vbOK);
        PrjFileSave(fx.path("no/such/folder/p.wpp"));
        QVERIFY(FromSystemCodePage(fx.readFile("tezdesk.ERR")).contains(QStringLiteral("处理程序: (PrjFileSave)")));
        QCOMPARE(script.messages(), QStringList{QStringLiteral("无法保存文件（磁盘已满或不能写入），原有文件未被更改：")
                                                + fx.path("no/such/folder/p.wpp")
                                                + QStringLiteral("\r\nNo such file or directory")});
        QCOMPARE(script.asked().first().icon, vbCritical);
    }

    void pathsWithCommasAndQuotesSurvive()
    {
        ProgramFolderFixture fx;
        QDir(fx.folder()).mkpath("a,b \"c\"");
        const QString in = fx.path("a,b \"c\"/x, \"y\".txt");
        const QString out = fx.path("a,b \"c\"/out, \"z\".txt");
        Touch(in, "abc", QDateTime::currentDateTime().addDays(-1));
        ModalScript script;
        fx.start();
        frmDocConv().lstDoc->AddItem("\t\t" + in + "\t" + out);
        frmOutputSetting().txtDir->setText(fx.path("o,\"d\""));
        PrjFileSave(gvPrjFile);
        fx.stop();
        fx.start();
        QCOMPARE(script.asked().size(), 0);
        QCOMPARE(frmDocConv().lstDoc->Rows(), 2);
        QCOMPARE(frmDocConv().lstDoc->TextMatrix(1, 2), in);
        QCOMPARE(frmDocConv().lstDoc->TextMatrix(1, 3), out);
        QCOMPARE(frmOutputSetting().strDir, fx.path("o,\"d\""));
    }

    // Names holding tabs, line feeds, commas, quotes, backslashes, and long Chinese names come
    // back into the same rows of the file and folder lists, and the output folder with them.
    void awkwardNamesSurvive_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("tab") << QStringLiteral("a\tb.txt");
        QTest::newRow("line feed") << QStringLiteral("a\nb.txt");
        QTest::newRow("carriage return and line feed") << QStringLiteral("a\r\nb.txt");
        QTest::newRow("comma and quotes") << QStringLiteral("a,\"b\",c.txt");
        QTest::newRow("backslashes") << QStringLiteral("a\\b\\.txt");
        QTest::newRow("escape look-alike") << QStringLiteral("E\"x\\n\t.txt");
        QTest::newRow("250 bytes of Chinese") << QString(82, QChar(0x8F6F)) + QStringLiteral(".txt");
    }
    void awkwardNamesSurvive()
    {
        QFETCH(QString, name);
        ProgramFolderFixture fx;
        QDir(fx.folder()).mkpath("in");
        const QString in = fx.path("in/" + name);
        const QString out = fx.path("out/" + name);
        const QString folder = fx.path("tree " + name);
        Touch(in, "abc", QDateTime::currentDateTime().addDays(-1));
        ModalScript script;
        fx.start();
        frmDocConv().lstDoc->AddItem(QString());
        frmDocConv().lstDoc->setTextMatrix(1, 2, in);
        frmDocConv().lstDoc->setTextMatrix(1, 3, out);
        FlexGrid* tree = frmPathConv().lstPath;
        tree->AddItem(QString());
        tree->setTextMatrix(1, 2, folder);
        tree->setTextMatrix(1, 3, folder + "\t2");
        frmOutputSetting().txtDir->setText(folder);
        PrjFileSave(gvPrjFile);
        fx.stop();
        fx.start();
        QCOMPARE(script.asked().size(), 0);
        QCOMPARE(frmDocConv().lstDoc->Rows(), 2);
        QCOMPARE(frmDocConv().lstDoc->TextMatrix(1, 2), in);
        QCOMPARE(frmDocConv().lstDoc->TextMatrix(1, 3), out);
        QCOMPARE(frmPathConv().lstPath->Rows(), 2);
        QCOMPARE(frmPathConv().lstPath->TextMatrix(1, 2), folder);
        QCOMPARE(frmPathConv().lstPath->TextMatrix(1, 3), folder + "\t2");
        QCOMPARE(frmOutputSetting().strDir, folder);
    }

    // A row line broken in two (a line feed in a name, written by a writer that did not escape
    // it) costs that row only: the rows and lists after it are read, and the user is told.
    void aBrokenLineCostsOnlyItsRow()
    {
        ProgramFolderFixture fx;
        for (const char* f : {"a.txt", "b.txt", "c.txt"})
            fx.writeFile(f, "x");
        QStringList lines = NoWindowOptions("\"Header\",0,2,-1,-1,-1,1");
        lines << "\"-\",9" << "0,\"-\",\"-\",99"
              << "1,\"" + fx.path("a") << ".txt\",\"1\",\"2001/1/1 0:00:00\",\"MASK_DOCTYPE_TXT\",\"/o1\",0"
              << FileRowLine(2, fx.path("b.txt"), "/o2", 32) << "0,\"-\",\"-\",\"-\",\"-\",\"-\",999"
              << FileRowLine(1, fx.path("c.txt"), "/o3", 32) << "0,\"-\",\"-\",\"-\",\"-\",\"-\",999";
        lines[2] = "\"DocConvOption\",0,0";
        fx.writeFile("broken.wpp", Lines(lines));
        ModalScript script;
        fx.start();
        script.answer(vbOK);
        PrjFileShow(fx.path("broken.wpp"));
        QCOMPARE(script.messages(), QStringList{QStringLiteral("专案档格式错误 - ") + fx.path("broken.wpp")});
        QCOMPARE(frmDocConv().lstDoc->Rows(), 2);
        QCOMPARE(frmDocConv().lstDoc->TextMatrix(1, 2), fx.path("b.txt"));
        QCOMPARE(frmSpecConv().lstDoc->Rows(), 2);
        QCOMPARE(frmSpecConv().lstDoc->TextMatrix(1, 2), fx.path("c.txt"));
    }

    void readsFilesOfTheOriginalLayout()
    {
        // Text fields as the original writer made them (nothing escaped); a comma in a path.
        ProgramFolderFixture fx;
        fx.writeFile("in,1.txt", "abc");
        const QString in = fx.path("in,1.txt");
        QStringList lines = {"\"Header\",0,-1,-1,-1,-1,1", "\"OutputSetting\",\"False\",\"C:\\OUT\"",
                             "\"DocConvOption\",-1,-1", "\"XlsConvOption\",-1,-1", "\"PptConvOption\",-1,-1",
                             "\"HtmlConvOption\",-1,-1,\"*.htm;*.html;*.asp\"", "\"SpecConvOption\",2,3,1",
                             "\"-\",9", "0,\"-\",\"-\",99",
                             "1,\"" + in + "\",\"3\",\"2001/5/4 10:11:12\",\"MASK_DOCTYPE_TXT\",\"C:\\OUT\\x.txt\",32",
                             "0,\"-\",\"-\",\"-\",\"-\",\"-\",999"};
        fx.writeFile("old.wpp", Lines(lines));
        ModalScript script;
        fx.start();
        PrjFileShow(fx.path("old.wpp"));
        QCOMPARE(script.asked().size(), 0);
        QVERIFY(frmOutputSetting().opAutoName->isChecked());
        QCOMPARE(frmOutputSetting().txtDir->text(), QStringLiteral("C:\\OUT"));
        QVERIFY(gbOutputSettingOK);
        QCOMPARE(gcolHtmlExt, (QStringList{"htm", "html", "asp"}));
        QCOMPARE(dlgHtmlSelect().txtExt->toPlainText(), QStringLiteral("*.htm\n*.html\n*.asp"));
        QCOMPARE(frmSpecConv().cbInput->currentIndex(), 2);
        QCOMPARE(frmSpecConv().cbOutput->currentIndex(), 3);
        QCOMPARE(frmSpecConv().cbPhraseConv->currentIndex(), 1);
        QCOMPARE(frmSpecConv().lstDoc->TextMatrix(1, 2), in);
        QCOMPARE(frmSpecConv().lstDoc->RowData(1), 32);
        QVERIFY(!gbXlsConvLoaded || frmXlsConv().lstXls->Rows() == 1);
    }

    void folderLayoutIsReadAndWritten()
    {
        ProgramFolderFixture fx;
        QStringList lines = NoWindowOptions("\"Header:WSP\",0,-1,-1,-1,-1,-1");
        lines << "\"PathConvOption\",2,1,0,1" << "\"-\",9" << "0,\"-\",\"-\",99"
              << "1,\"/site\",\"PATH\",\"/site1\",48" << "2,\"/docs\",\"PATH\",\"/out/docs\",-2147483600"
              << "0,\"-\",\"-\",\"-\",999";
        fx.writeFile("f.wsp", Lines(lines));
        ModalScript script;
        fx.start();
        PrjFileShow(fx.path("f.wsp"));
        QCOMPARE(script.asked().size(), 0);
        FlexGrid* grid = frmPathConv().lstPath;
        QCOMPARE(grid->Rows(), 3);
        QCOMPARE(grid->TextMatrix(2, 2), QStringLiteral("/docs"));
        QCOMPARE(grid->TextMatrix(2, 3), QStringLiteral("/out/docs"));
        QCOMPARE(grid->RowData(2), -2147483600);
        QCOMPARE(frmPathConv().cbCodeConv->currentIndex(), 1);
        QVERIFY(frmPathConv().chkConvMSOFiles->isChecked());
        // Once the folder window was opened the project keeps its list.
        PrjFileSave(fx.path("again.wsp"));
        const QStringList written = SavedLines(fx, "again.wsp");
        QVERIFY(written[0].startsWith("\"Header:WSP\","));
        QCOMPARE(written[7], QStringLiteral("\"PathConvOption\",2,1,0,1"));
        QVERIFY(written.contains("2,\"/docs\",\"PATH\",\"/out/docs\",-2147483600"));
        QVERIFY(written.contains("0,\"-\",\"-\",\"-\",999"));
    }

    void formatErrors_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("outputApplied");
        QStringList unknownKey = NoWindowOptions();
        unknownKey << "\"FOO\",\"x\"" << "\"-\",9" << "0,\"-\",\"-\",99";
        QTest::newRow("unknown key before the end of options") << unknownKey << true;
        QStringList badHeader = NoWindowOptions("\"Hdr\",0,-1,-1,-1,-1,-1");
        QTest::newRow("not a project") << badHeader << false;
        QStringList swapped = NoWindowOptions();
        swapped.swapItemsAt(2, 3);
        QTest::newRow("option lines out of order") << swapped << true;
        QStringList badIndex = NoWindowOptions("\"Header\",0,0,-1,-1,-1,-1");
        badIndex[2] = "\"DocConvOption\",7,0";
        QTest::newRow("combo index out of range") << badIndex << true;
        QStringList noEnd = NoWindowOptions("\"Header\",0,1,-1,-1,-1,-1");
        noEnd << "\"-\",9" << "0,\"-\",\"-\",99" << "1,\"/x\",\"1\",\"2001/1/1 0:00:00\",\"MASK_DOCTYPE_TXT\",\"/y\",0"
              << "5,\"-\",\"-\",\"-\",\"-\",\"-\",999";
        QTest::newRow("list without its end line") << noEnd << true;
    }
    void formatErrors()
    {
        QFETCH(QStringList, lines);
        QFETCH(bool, outputApplied);
        ProgramFolderFixture fx;
        fx.writeFile("bad.wpp", Lines(lines));
        ModalScript script;
        fx.start();
        frmOutputSetting().txtDir->setText("/before");
        script.answer(vbOK);
        PrjFileShow(fx.path("bad.wpp"));
        QCOMPARE(script.messages(), QStringList{QStringLiteral("专案档格式错误 - ") + fx.path("bad.wpp")});
        QCOMPARE(script.asked().first().icon, vbCritical);
        QCOMPARE(script.asked().first().title, QStringLiteral("Velmora"));
        QCOMPARE(frmOutputSetting().txtDir->text(), outputApplied ? QStringLiteral("/out") : QStringLiteral("/before"));
    }

    void tableLines_data()
    {
        QTest::addColumn<QString>("selectedLine");
        QTest::addColumn<bool>("missingMessage");
        QTest::addColumn<int>("currentRow"); // 0: no table made current
        QTest::newRow("current table found by its path") << "B.pct" << false << 2;
        QTest::newRow("table file missing") << "gone.pct" << true << 0;
        QTest::newRow("table not in the list") << "C.pct" << false << 0;
    }
    void tableLines()
    {
        QFETCH(QString, selectedLine);
        QFETCH(bool, missingMessage);
        QFETCH(int, currentRow);
        ProgramFolderFixture fx;
        for (const char* name : {"A.pct", "B.pct", "C.pct"})
            QFile::copy(fx.path("Regional.pct"), fx.path(name));
        fx.writeFile("PCTS.LST", "TEZLST 1\n1\tA.pct\n1\tB.pct\n");
        fx.writeFile("keep.txt", "k");
        // The table lines name the tables in another order than the list; the Word list
        // after them must still be read.
        QStringList lines = NoWindowOptions("\"Header\",2,1,-1,-1,-1,-1");
        lines << "\"-\",9" << "1,\"" + fx.path("A.pct") + "\",\"\",1"
              << "2,\"" + fx.path(selectedLine) + "\",\"MASK_PCT_SELECT\",3" << "0,\"-\",\"-\",99"
              << FileRowLine(1, fx.path("keep.txt"), "/o", 32) << "0,\"-\",\"-\",\"-\",\"-\",\"-\",999";
        fx.writeFile("t.wpp", Lines(lines));
        ModalScript script;
        fx.start();
        FrmPhraseMgr& mgr = frmPhraseMgr();
        const int markedBefore = mgr.GetRowSelected(mgr.lstPCT);
        const int16_t currentBefore = giCurPCT;
        if (missingMessage)
            script.answer(vbOK);
        PrjFileShow(fx.path("t.wpp"));
        if (missingMessage) {
            QCOMPARE(script.messages(),
                     QStringList{QStringLiteral("有些 PCT 文件 不是合法的文件或不存在:") + fx.path(selectedLine)});
            QCOMPARE(script.asked().first().icon, vbQuestion);
        } else {
            QCOMPARE(script.asked().size(), 0);
        }
        QCOMPARE(mgr.GetRowSelected(mgr.lstPCT), currentRow == 0 ? markedBefore : currentRow);
        if (currentRow == 0)
            QCOMPARE(giCurPCT, currentBefore);
        if (currentRow) {
            QCOMPARE(giCurPCT, currentRow - 1);
            mgr.lstPCT->setRow(currentRow);
            mgr.lstPCT->setCol(1);
            QVERIFY(mgr.lstPCT->CellFontBold());
        }
        QCOMPARE(frmDocConv().lstDoc->Rows(), 2);
    }
};

TEZ_REGISTER_TEST(ProjectFileTest)
#include "test_project_file.moc"
