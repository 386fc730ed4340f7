#include "BatchFixture.h"

#include "batch/FileList.h"
#include "core/FileRowFlags.h"
#include "common/TestMain.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QTest>

namespace {

// The window's list pair for a grid, as the windows pass them.
struct ListPair {
    const QStringList& first;
    const QStringList& second;
};
ListPair ListsOf(const QString& grid)
{
    if (grid == QLatin1String("lstHtml") || grid == QLatin1String("lstPath"))
        return { gcolHtmlExt, gcolNoExt };
    if (grid == QLatin1String("lstSpec"))
        return { gcolTextExt, gcolTextExt };
    if (grid == QLatin1String("lstXls"))
        return { gcolXlsExt, gcolTextExt };
    if (grid == QLatin1String("lstPpt"))
        return { gcolPptExt, gcolTextExt };
    return { gcolTextExt, gcolWordExt };
}

// Runs one filler by name with inputs and the flags bB52GB, bCode, bPhrase, bL2R, add-tag.
void RunFiller(const QString& filler, FlexGrid* grid, const QStringList& inputs, const QList<bool>& f)
{
    const ListPair lists = ListsOf(grid->Name());
    if (filler == QLatin1String("drop"))
        FileListDropFiles(grid, inputs, lists.first, lists.second, f[0], f[1], f[2], f[3], f[4]);
    else if (filler == QLatin1String("html"))
        FileListPopulateHtml(grid, inputs.value(0), lists.first, lists.second, f[0], f[1], f[2], f[3], f[4]);
    else if (filler == QLatin1String("doc"))
        FileListPopulateDoc(grid, inputs, lists.first, lists.second, f[0], f[1], f[2], f[3], f[4]);
    else if (filler == QLatin1String("files4"))
        FileListPopulateFiles4(grid, inputs, lists.first, lists.second, f[0], f[1], f[2], f[3], f[4]);
    else if (filler == QLatin1String("files5"))
        FileListPopulateFiles5(grid, inputs, lists.first, lists.second, f[0], f[1], f[2], f[3], f[4]);
    else if (filler == QLatin1String("dirAdd"))
        DirListAdd(grid, inputs.value(0), f[0], f[1], f[2], f[3], f[4]);
    else if (filler == QLatin1String("dirDrop"))
        DirListDDropAdd(grid, inputs, lists.first, lists.second, f[0], f[1], f[2], f[3], f[4]);
    else
        QFAIL("unknown filler");
}

// "~" stands for the fixture's root folder.
QString Rooted(const BatchFixture& fx, const QString& text)
{
    QString t = text;
    return t.replace(QLatin1Char('~'), fx.root());
}
QStringList Rooted(const BatchFixture& fx, const QStringList& texts)
{
    QStringList out;
    for (const QString& t : texts)
        out << Rooted(fx, t);
    return out;
}

const QList<bool> kNoFlags { false, false, false, false, false };
const QList<bool> kAllFlags { true, true, true, true, false };
const QList<bool> kHtmlFlags { false, true, true, false, true };

} // namespace

class FileListTest : public QObject {
    Q_OBJECT

private slots:
    // One addition on an empty grid: the rows, their words and type pictures.
    void addition_data()
    {
        QTest::addColumn<QString>("filler");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("strDir"); // "" with own: the own-folder setting
        QTest::addColumn<bool>("own");
        QTest::addColumn<QStringList>("files");  // made before the call
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QList<bool>>("flags");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<int>>("words");
        QTest::addColumn<QStringList>("pictures");

        const QStringList site { "src/site/index.htm", "src/site/sub/a.htm" };
        QTest::newRow("own folder: numbered past the files beside the input")
            << "doc" << "lstDoc" << "" << true << QStringList { "w/report.txt", "w/report1.txt", "w/README" }
            << QStringList { "~/w/report.txt", "~/w/README" } << kNoFlags
            << QStringList { "~/w/report.txt -> ~/w/report2.txt", "~/w/README -> ~/w/README1" }
            << QList<int> { 0x20, 0 } << QStringList { "txt", "other" };
        QTest::newRow("own folder, Word grid: a document gets .doc")
            << "doc" << "lstDoc" << "" << true << QStringList { "w/notes.rtf" } << QStringList { "~/w/notes.rtf" }
            << kNoFlags << QStringList { "~/w/notes.rtf -> ~/w/notes1.doc" } << QList<int> { 0x40 }
            << QStringList { "office" };
        QTest::newRow("own folder: two inputs of one call never share a name")
            << "doc" << "lstDoc" << "" << true << QStringList { "w/a.rtf", "w/a.wri" }
            << QStringList { "~/w/a.rtf", "~/w/a.wri" } << kNoFlags
            << QStringList { "~/w/a.rtf -> ~/w/a1.doc", "~/w/a.wri -> ~/w/a2.doc" } << QList<int> { 0x40, 0x40 }
            << QStringList { "office", "office" };
        QTest::newRow("own folder, HTML grid: a document keeps its extension")
            << "drop" << "lstHtml" << "" << true << QStringList { "w/x.rtf" } << QStringList { "~/w/x.rtf" }
            << kNoFlags << QStringList { "~/w/x.rtf -> ~/w/x1.rtf" } << QList<int> { 0 } << QStringList { "other" };
        QTest::newRow("own folder, encoding pairs: a document keeps its extension")
            << "drop" << "lstSpec" << "" << true << QStringList { "w/x.rtf", "w/y.txt" }
            << QStringList { "~/w/x.rtf", "~/w/y.txt" } << kNoFlags
            << QStringList { "~/w/x.rtf -> ~/w/x1.rtf", "~/w/y.txt -> ~/w/y1.txt" } << QList<int> { 0, 0x20 }
            << QStringList { "other", "txt" };
        QTest::newRow("own folder, Excel grid: no .doc for a document")
            << "files4" << "lstXls" << "" << true << QStringList { "w/a.rtf", "w/Book.XLS" }
            << QStringList { "~/w/a.rtf", "~/w/Book.XLS" } << kNoFlags
            << QStringList { "~/w/a.rtf -> ~/w/a1.rtf", "~/w/Book.XLS -> ~/w/Book1.XLS" } << QList<int> { 0, 0x80 }
            << QStringList { "other", "office" };
        QTest::newRow("a dropped folder keeps its name under the output folder")
            << "drop" << "lstDoc" << "~/out" << false << site << QStringList { "~/src/site" } << kNoFlags
            << QStringList { "~/src/site/index.htm -> ~/out/site/index.htm", "~/src/site/sub/a.htm -> ~/out/site/sub/a.htm" }
            << QList<int> { 0, 0 } << QStringList { "other", "other" };
        QTest::newRow("a chosen web folder does not repeat its name")
            << "html" << "lstHtml" << "~/out" << false << site << QStringList { "~/src/site" } << kNoFlags
            << QStringList { "~/src/site/index.htm -> ~/out/index.htm", "~/src/site/sub/a.htm -> ~/out/sub/a.htm" }
            << QList<int> { 0x20, 0x20 } << QStringList { "txt", "txt" };
        QTest::newRow("output folder with a trailing slash")
            << "html" << "lstHtml" << "~/out/" << false << site << QStringList { "~/src/site/" } << kNoFlags
            << QStringList { "~/src/site/index.htm -> ~/out/index.htm", "~/src/site/sub/a.htm -> ~/out/sub/a.htm" }
            << QList<int> { 0x20, 0x20 } << QStringList { "txt", "txt" };
        QTest::newRow("to a folder, Word grid: a document becomes .doc")
            << "drop" << "lstDoc" << "~/out" << false << QStringList { "w/X.RTF" } << QStringList { "~/w/X.RTF" }
            << kNoFlags << QStringList { "~/w/X.RTF -> ~/out/X.doc" } << QList<int> { 0x40 } << QStringList { "office" };
        QTest::newRow("to a folder: two inputs of one call never share an output")
            << "doc" << "lstDoc" << "~/out" << false << QStringList { "w/report.doc", "w/report.rtf" }
            << QStringList { "~/w/report.doc", "~/w/report.rtf" } << kNoFlags
            << QStringList { "~/w/report.doc -> ~/out/report.doc", "~/w/report.rtf -> ~/out/report1.doc" }
            << QList<int> { 0x40, 0x40 } << QStringList { "office", "office" };
        QTest::newRow("to a folder, HTML grid: no extension changes")
            << "drop" << "lstHtml" << "~/out" << false << QStringList { "w/x.rtf" } << QStringList { "~/w/x.rtf" }
            << kNoFlags << QStringList { "~/w/x.rtf -> ~/out/x.rtf" } << QList<int> { 0 } << QStringList { "other" };
        QTest::newRow("to a folder, Excel grid: a workbook gets .xls")
            << "files4" << "lstXls" << "~/out" << false << QStringList { "w/Book.XLS" } << QStringList { "~/w/Book.XLS" }
            << kNoFlags << QStringList { "~/w/Book.XLS -> ~/out/Book.xls" } << QList<int> { 0x80 }
            << QStringList { "office" };
        QTest::newRow("own folder, Word grid: Office XML documents keep their format's extension")
            << "doc" << "lstDoc" << "" << true << QStringList { "w/a.docx", "w/b.DOCM", "w/c.dotx" }
            << QStringList { "~/w/a.docx", "~/w/b.DOCM", "~/w/c.dotx" } << kNoFlags
            << QStringList { "~/w/a.docx -> ~/w/a1.docx", "~/w/b.DOCM -> ~/w/b1.DOCM", "~/w/c.dotx -> ~/w/c1.dotx" }
            << QList<int> { 0x40, 0x40, 0x40 } << QStringList { "office", "office", "office" };
        QTest::newRow("to a folder, Word grid: an Office XML document keeps its extension")
            << "drop" << "lstDoc" << "~/out" << false << QStringList { "w/a.docx", "w/b.docm" }
            << QStringList { "~/w/a.docx", "~/w/b.docm" } << kNoFlags
            << QStringList { "~/w/a.docx -> ~/out/a.docx", "~/w/b.docm -> ~/out/b.docm" } << QList<int> { 0x40, 0x40 }
            << QStringList { "office", "office" };
        QTest::newRow("to a folder, Excel grid: Office XML workbooks keep their format")
            << "files4" << "lstXls" << "~/out" << false << QStringList { "w/Book.XLSX", "w/m.xlsm" }
            << QStringList { "~/w/Book.XLSX", "~/w/m.xlsm" } << kNoFlags
            << QStringList { "~/w/Book.XLSX -> ~/out/Book.xlsx", "~/w/m.xlsm -> ~/out/m.xlsm" } << QList<int> { 0x80, 0x80 }
            << QStringList { "office", "office" };
        QTest::newRow("to a folder, PowerPoint grid: Office XML presentations keep their format")
            << "files5" << "lstPpt" << "~/out" << false << QStringList { "w/a.pptx", "w/b.PPTM", "w/c.ppsx" }
            << QStringList { "~/w/a.pptx", "~/w/b.PPTM", "~/w/c.ppsx" } << kNoFlags
            << QStringList { "~/w/a.pptx -> ~/out/a.pptx", "~/w/b.PPTM -> ~/out/b.pptm", "~/w/c.ppsx -> ~/out/c.ppsx" }
            << QList<int> { 0x100, 0x100, 0x100 } << QStringList { "office", "office", "office" };
        QTest::newRow("own folder, Excel grid: a Word XML document is of type other there")
            << "files4" << "lstXls" << "" << true << QStringList { "w/a.docx", "w/b.pptx" }
            << QStringList { "~/w/a.docx", "~/w/b.pptx" } << kNoFlags
            << QStringList { "~/w/a.docx -> ~/w/a1.docx", "~/w/b.pptx -> ~/w/b1.pptx" } << QList<int> { 0, 0 }
            << QStringList { "other", "other" };
        QTest::newRow("to a folder, PowerPoint grid: a dropped presentation gets .ppt")
            << "files5" << "lstPpt" << "~/out" << false << QStringList { "w/deck.PPT", "w/n.txt" }
            << QStringList { "~/w" } << kNoFlags
            << QStringList { "~/w/deck.PPT -> ~/out/w/deck.ppt", "~/w/n.txt -> ~/out/w/n.txt" }
            << QList<int> { 0x100, 0x20 } << QStringList { "office", "txt" };
        QTest::newRow("row words, Word grid, every flag")
            << "doc" << "lstDoc" << "~/out" << false << QStringList { "w/report.txt", "w/a.doc", "w/logo.gif" }
            << QStringList { "~/w/report.txt", "~/w/a.doc", "~/w/logo.gif" } << kAllFlags
            << QStringList { "~/w/report.txt -> ~/out/report.txt", "~/w/a.doc -> ~/out/a.doc", "~/w/logo.gif -> ~/out/logo.gif" }
            << QList<int> { 0x2F, 0x4F, 0x0F } << QStringList { "txt", "office", "other" };
        QTest::newRow("row words, HTML drop with the tag")
            << "drop" << "lstHtml" << "~/out" << false << QStringList { "w/index.htm", "w/logo.gif" }
            << QStringList { "~/w/index.htm", "~/w/logo.gif" } << kHtmlFlags
            << QStringList { "~/w/index.htm -> ~/out/index.htm", "~/w/logo.gif -> ~/out/logo.gif" }
            << QList<int> { 0x36, 0x16 } << QStringList { "txt", "other" };
        QTest::newRow("a file dropped before its folder is listed once")
            << "drop" << "lstDoc" << "~/out" << false << QStringList { "s/d/f.txt" } << QStringList { "~/s/d/f.txt", "~/s/d" }
            << kNoFlags << QStringList { "~/s/d/f.txt -> ~/out/f.txt" } << QList<int> { 0x20 } << QStringList { "txt" };
        QTest::newRow("a file dropped after its folder is listed once")
            << "drop" << "lstDoc" << "~/out" << false << QStringList { "s/d/f.txt" } << QStringList { "~/s/d", "~/s/d/f.txt" }
            << kNoFlags << QStringList { "~/s/d/f.txt -> ~/out/d/f.txt" } << QList<int> { 0x20 } << QStringList { "txt" };
        QTest::newRow("walk order: byte order, hidden skipped, subfolders after")
            << "drop" << "lstDoc" << "~/out" << false << QStringList { "s/d/b.txt", "s/d/a.txt", "s/d/.hidden", "s/d/sub/c.txt" }
            << QStringList { "~/s/d" } << kNoFlags
            << QStringList { "~/s/d/a.txt -> ~/out/d/a.txt", "~/s/d/b.txt -> ~/out/d/b.txt", "~/s/d/sub/c.txt -> ~/out/d/sub/c.txt" }
            << QList<int> { 0x20, 0x20, 0x20 } << QStringList { "txt", "txt", "txt" };
        QTest::newRow("the output folder inside a dropped folder is not walked")
            << "drop" << "lstDoc" << "~/src/out" << false << QStringList { "src/a.txt", "src/out/src/a.txt" }
            << QStringList { "~/src" } << kNoFlags << QStringList { "~/src/a.txt -> ~/src/out/src/a.txt" }
            << QList<int> { 0x20 } << QStringList { "txt" };
        QTest::newRow("a chosen file that does not exist is listed as other")
            << "doc" << "lstDoc" << "" << true << QStringList {} << QStringList { "~/w/gone.txt" } << kNoFlags
            << QStringList { "~/w/gone.txt -> ~/w/gone1.txt" } << QList<int> { 0 } << QStringList { "other" };
        QTest::newRow("a dropped path that does not exist adds no row")
            << "drop" << "lstDoc" << "~/out" << false << QStringList {} << QStringList { "~/w/gone" } << kNoFlags
            << QStringList {} << QList<int> {} << QStringList {};
        QTest::newRow("a name with a tab stays whole")
            << "doc" << "lstDoc" << "~/out" << false << QStringList { "w/a\tb.txt" } << QStringList { "~/w/a\tb.txt" }
            << kNoFlags << QStringList { "~/w/a\tb.txt -> ~/out/a\tb.txt" } << QList<int> { 0x20 } << QStringList { "txt" };
        QTest::newRow("an output folder holding the inputs never takes an input's name")
            << "doc" << "lstDoc" << "~/w" << false << QStringList { "w/x.txt", "w/x1.txt" }
            << QStringList { "~/w/x.txt", "~/w/x1.txt" } << kNoFlags
            << QStringList { "~/w/x.txt -> ~/w/x2.txt", "~/w/x1.txt -> ~/w/x11.txt" } << QList<int> { 0x20, 0x20 }
            << QStringList { "txt", "txt" };
        QTest::newRow("a folder row never converts its tree in place")
            << "dirAdd" << "lstPath" << "~" << false << QStringList { "docs/a.txt" } << QStringList { "~/docs" } << kNoFlags
            << QStringList { "~/docs -> ~/docs1" } << QList<int> { 0x20 } << QStringList { "txt" };
        QTest::newRow("folder row beside the input")
            << "dirAdd" << "lstPath" << "" << true << QStringList { "docs/a.txt" } << QStringList { "~/docs" } << kHtmlFlags
            << QStringList { "~/docs -> ~/docs1" } << QList<int> { 0x36 } << QStringList { "txt" };
        QTest::newRow("folder row with a trailing slash")
            << "dirAdd" << "lstPath" << "" << true << QStringList { "docs/a.txt" } << QStringList { "~/docs/" } << kNoFlags
            << QStringList { "~/docs -> ~/docs1" } << QList<int> { 0x20 } << QStringList { "txt" };
        QTest::newRow("folder row into the output folder")
            << "dirAdd" << "lstPath" << "~/out/" << false << QStringList { "docs/a.txt" } << QStringList { "~/docs/" }
            << kNoFlags << QStringList { "~/docs -> ~/out/docs" } << QList<int> { 0x20 } << QStringList { "txt" };
        QTest::newRow("a file chosen as a folder adds no row")
            << "dirAdd" << "lstPath" << "~/out" << false << QStringList { "w/a.txt" } << QStringList { "~/w/a.txt" }
            << kNoFlags << QStringList {} << QList<int> {} << QStringList {};
        QTest::newRow("dropped folders become rows in drop order, files none")
            << "dirDrop" << "lstPath" << "~/out" << false << QStringList { "b/x.txt", "a/y.txt", "f.txt" }
            << QStringList { "~/b", "~/f.txt", "~/a" } << kHtmlFlags
            << QStringList { "~/b -> ~/out/b", "~/a -> ~/out/a" } << QList<int> { 0x36, 0x36 } << QStringList { "txt", "txt" };
    }
    void addition()
    {
        QFETCH(QString, filler);
        QFETCH(QString, grid);
        QFETCH(QString, strDir);
        QFETCH(bool, own);
        QFETCH(QStringList, files);
        QFETCH(QStringList, inputs);
        QFETCH(QList<bool>, flags);
        QFETCH(QStringList, rows);
        QFETCH(QList<int>, words);
        QFETCH(QStringList, pictures);
        BatchFixture fx;
        for (const QString& f : files)
            fx.makeFile(f);
        // The current folder holds names the outputs would take if it were searched.
        const QString elsewhere = fx.makeFolder(QStringLiteral("cur"));
        fx.makeFile(QStringLiteral("cur/report1.txt"));
        fx.makeFile(QStringLiteral("cur/README1"));
        QDir::setCurrent(elsewhere);
        BatchFixture::setOutput(!own, Rooted(fx, strDir));
        auto g = MakeEmptyFileGrid(grid);
        ModalScript script;

        RunFiller(filler, g.get(), Rooted(fx, inputs), flags);

        QCOMPARE(RowTexts(*g), Rooted(fx, rows));
        QCOMPARE(RowWords(*g), words);
        QStringList shown;
        for (int r = 1; r < g->Rows(); ++r)
            shown << CellPictureName(*g, r, 1);
        QCOMPARE(shown, pictures);
        QCOMPARE(g->FixedRows(), rows.isEmpty() ? 0 : 1);
        QVERIFY(g->Redraw());
        QCOMPARE(script.messages(), QStringList());
        QCOMPARE(fx.errorRecords(QStringLiteral("FindAllFiles")), filler == QLatin1String("drop") && rows.isEmpty() ? 1 : 0);
        QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("out"))) || strDir.startsWith(QLatin1String("~/src")));
    }

    // With the another-folder setting and no folder, nothing is added and 1009 is shown.
    void emptyOutputFolder_data()
    {
        QTest::addColumn<QString>("filler");
        QTest::addColumn<QString>("grid");
        for (const char* f : { "drop", "html", "doc" })
            QTest::newRow(f) << f << "lstDoc";
        QTest::newRow("files4") << "files4" << "lstXls";
        QTest::newRow("files5") << "files5" << "lstPpt";
        QTest::newRow("dirAdd") << "dirAdd" << "lstPath";
        QTest::newRow("dirDrop") << "dirDrop" << "lstPath";
    }
    void emptyOutputFolder()
    {
        QFETCH(QString, filler);
        QFETCH(QString, grid);
        BatchFixture fx;
        fx.makeFile(QStringLiteral("w/a.txt"));
        BatchFixture::setOutput(true, QString());
        auto g = MakeEmptyFileGrid(grid);
        ModalScript script;
        script.answer(vbOK);
        RunFiller(filler, g.get(), { fx.path(QStringLiteral("w")) }, kNoFlags);
        QCOMPARE(g->Rows(), 1);
        QCOMPARE(script.messages(), QStringList { QStringLiteral("输入信息夹是空的，请先输入信息夹。") });
        QCOMPARE(script.asked().first().title, QStringLiteral("文件信息夹设置"));
        QCOMPARE(script.asked().first().buttons, vbOKOnly);
        QCOMPARE(script.unexpected(), 0);
    }

    // A file added again gets an output of its own: no two rows write one file.
    void addedAgain_data()
    {
        QTest::addColumn<QString>("strDir");
        QTest::addColumn<QStringList>("outputs");
        QTest::newRow("own folder") << "" << QStringList { "~/w/report1.txt", "~/w/report2.txt", "~/w/report3.txt" };
        QTest::newRow("to a folder") << "~/out" << QStringList { "~/out/report.txt", "~/out/report1.txt", "~/out/report2.txt" };
    }
    void addedAgain()
    {
        QFETCH(QString, strDir);
        QFETCH(QStringList, outputs);
        BatchFixture fx;
        const QString input = fx.makeFile(QStringLiteral("w/report.txt"));
        BatchFixture::setOutput(!strDir.isEmpty(), Rooted(fx, strDir));
        auto g = MakeEmptyFileGrid();
        FileListPopulateDoc(g.get(), { input }, gcolTextExt, gcolWordExt, false, false, false, false, false);
        FileListDropFiles(g.get(), { input }, gcolTextExt, gcolWordExt, false, false, false, false, false);
        FileListDropFiles(g.get(), { input }, gcolTextExt, gcolWordExt, false, false, false, false, false);
        QStringList shown;
        for (int r = 1; r < g->Rows(); ++r)
            shown << g->TextMatrix(r, 3);
        QCOMPARE(shown, Rooted(fx, outputs));
    }

    // A failure inside the Excel and PowerPoint fillers is logged under their names; the
    // grid keeps painting.
    void officeFillersTrapFailures_data()
    {
        QTest::addColumn<QString>("filler");
        QTest::newRow("FileListPopulateFiles4") << "files4";
        QTest::newRow("FileListPopulateFiles5") << "files5";
    }
    void officeFillersTrapFailures()
    {
        QFETCH(QString, filler);
        BatchFixture fx;
        const QString input = fx.makeFile(QStringLiteral("w/Book.xls"));
        FlexGrid narrow; // no output column: appending a row fails
        narrow.setObjectName(QStringLiteral("lstXls"));
        narrow.setCols(2);
        narrow.setRows(1);
        narrow.setFixedRows(0);
        RunFiller(filler, &narrow, { input }, kNoFlags);
        QCOMPARE(fx.errorRecords(QString::fromLatin1(QTest::currentDataTag())), 1);
        QVERIFY(narrow.Redraw());
    }

    void folderRowProceduresTrapFailures()
    {
        BatchFixture fx;
        BatchFixture::setOutput(false);
        FlexGrid narrow;
        narrow.setCols(2);
        narrow.setRows(1);
        DirListAdd(&narrow, fx.root(), false, false, false, false, false);
        DirListDDropAdd(&narrow, { fx.root() }, gcolHtmlExt, gcolNoExt, false, false, false, false, false);
        QCOMPARE(fx.errorRecords(QStringLiteral("DirListAdd")), 1);
        QCOMPARE(fx.errorRecords(QStringLiteral("DirListDDropAdd")), 1);
        QVERIFY(narrow.Redraw());
    }

    // The fillers make no folder and write no file.
    void fillersWriteNothing()
    {
        BatchFixture fx;
        fx.makeFile(QStringLiteral("src/site/index.htm"));
        BatchFixture::setOutput(true, fx.path(QStringLiteral("new/out")));
        auto g = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        FileListPopulateHtml(g.get(), fx.path(QStringLiteral("src/site")), gcolHtmlExt, gcolNoExt, false, false, false,
            false, true);
        DirListAdd(g.get(), fx.path(QStringLiteral("src")), false, false, false, false, true);
        QCOMPARE(g->Rows(), 3);
        QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("new"))));
    }
};

TEZ_REGISTER_TEST(FileListTest)
#include "test_file_list.moc"
