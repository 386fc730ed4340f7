// The workbook and presentation converters on the program's office: a real .xls made through
// the office from a flat spreadsheet holding text and number cells, a formula, a cell with a
// tab, a renamed sheet, a long text box and a title; a real .ppt with a slide's shape and its
// notes; an output that is its own input; a corrupt workbook.
#include "common/ConverterTestSetUp.h"
#include "common/OfficeTestSupport.h"
#include "common/TestMain.h"

#include "app/Composition.h"
#include "batch/BatchRuns.h"
#include "core/FileRowFlags.h"
#include "core/Globals.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "office/ShapeTypeName.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/office/OfficeSuite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using office::DocumentKind;
using office_session::ProgramOffice;

namespace {

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

// The chart, form controls and formula texts a test workbook carries besides its cells.
struct WorkbookExtras {
    QString chartTitle = QStringLiteral("图表");
    QString axisTitle = QStringLiteral("数量");
    QString button = QStringLiteral("按钮");
    QString checkBox = QStringLiteral("选项");
    QString literal = QStringLiteral("字");
};

// An embedded chart of the cells named (in the flat format's range notation), with a title
// and a y axis title.
QString FlatChart(const QString& valuesRange, const QString& labelCell, const QString& title, const QString& axisTitle)
{
    return QStringLiteral(
        "<draw:frame draw:name=\"Chart\" svg:x=\"1cm\" svg:y=\"8cm\" svg:width=\"8cm\" svg:height=\"6cm\"><draw:object>"
        "<office:document office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.chart\">"
        "<office:body><office:chart><chart:chart chart:class=\"chart:bar\" svg:width=\"8cm\" svg:height=\"6cm\">"
        "<chart:title><text:p>%3</text:p></chart:title>"
        "<chart:plot-area chart:data-source-has-labels=\"none\">"
        "<chart:axis chart:dimension=\"x\" chart:name=\"primary-x\"/>"
        "<chart:axis chart:dimension=\"y\" chart:name=\"primary-y\"><chart:title><text:p>%4</text:p></chart:title></chart:axis>"
        "<chart:series chart:class=\"chart:bar\" chart:values-cell-range-address=\"%1\" chart:label-cell-address=\"%2\"/>"
        "</chart:plot-area></chart:chart></office:chart></office:body></office:document></draw:object></draw:frame>\n")
        .arg(valuesRange.toHtmlEscaped(), labelCell.toHtmlEscaped(), title.toHtmlEscaped(), axisTitle.toHtmlEscaped());
}

// A flat spreadsheet: sheet name, A1 text, A2 number, A3 formula =A1, A4 a formula joining
// A1 and a literal, B1 text with a tab, one rectangle with text, a chart of A2 named by A1,
// a button and a check box, the document title.
QByteArray FlatSpreadsheet(const QString& sheetName, const QString& a1, const QString& b1, const QString& shapeText,
                           const QString& title, const WorkbookExtras& extras = {})
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
        "xmlns:chart=\"urn:oasis:names:tc:opendocument:xmlns:chart:1.0\" "
        "xmlns:form=\"urn:oasis:names:tc:opendocument:xmlns:form:1.0\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
        "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" "
        "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">\n"
        "<office:meta><dc:title>%5</dc:title></office:meta>\n"
        "<office:body><office:spreadsheet><table:table table:name=\"%1\">\n"
        "<office:forms><form:form form:name=\"Standard\">"
        "<form:button form:name=\"Button\" xml:id=\"c1\" form:id=\"c1\" form:label=\"%8\"/>"
        "<form:checkbox form:name=\"CheckBox\" xml:id=\"c2\" form:id=\"c2\" form:label=\"%9\"/>"
        "</form:form></office:forms>\n"
        "<table:shapes><draw:rect draw:name=\"Box\" svg:x=\"5cm\" svg:y=\"1cm\" svg:width=\"8cm\" svg:height=\"6cm\">"
        "<text:p>%4</text:p></draw:rect>\n%7"
        "<draw:control draw:control=\"c1\" svg:x=\"10cm\" svg:y=\"8cm\" svg:width=\"3cm\" svg:height=\"1cm\"/>"
        "<draw:control draw:control=\"c2\" svg:x=\"10cm\" svg:y=\"9.5cm\" svg:width=\"3cm\" svg:height=\"1cm\"/>"
        "</table:shapes>\n"
        "<table:table-column table:number-columns-repeated=\"2\"/>\n"
        "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>%2</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"string\" office:string-value=\"%6\"><text:p>%3</text:p>"
        "</table:table-cell></table:table-row>\n"
        "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"42\"><text:p>42</text:p>"
        "</table:table-cell></table:table-row>\n"
        "<table:table-row><table:table-cell table:formula=\"of:=[.A1]\" office:value-type=\"string\" "
        "office:string-value=\"%2\"><text:p>%2</text:p></table:table-cell></table:table-row>\n"
        "<table:table-row><table:table-cell table:formula=\"of:=[.A1]&amp;&quot;%10&quot;\" office:value-type=\"string\">"
        "<text:p>x</text:p></table:table-cell></table:table-row>\n"
        "</table:table></office:spreadsheet></office:body></office:document>\n");
    // A tab in a cell is written as the text element for it.
    QString cellB1 = Escaped(b1);
    cellB1.replace(QLatin1Char('\t'), QStringLiteral("<text:tab/>"));
    QString valueB1 = Escaped(b1);
    valueB1.replace(QLatin1Char('\t'), QStringLiteral("&#9;"));
    const QString sheetRef = QStringLiteral("'%1'").arg(sheetName);
    const QString chart = FlatChart(sheetRef + QStringLiteral(".A2:") + sheetRef + QStringLiteral(".A2"),
                                    sheetRef + QStringLiteral(".A1"), extras.chartTitle, extras.axisTitle);
    return xml.arg(Escaped(sheetName), Escaped(a1), cellB1, Escaped(shapeText), Escaped(title), valueB1, chart)
        .arg(Escaped(extras.button), Escaped(extras.checkBox), Escaped(extras.literal))
        .toUtf8();
}

// An embedded chart that holds its own data table: a title, a y axis title, two categories
// and one series, the labels given.
QString FlatChartWithTable(const QString& title, const QString& axisTitle, const QString& series,
                           const QString& category1, const QString& category2)
{
    return QStringLiteral(
        "<draw:frame draw:name=\"Chart\" svg:x=\"2cm\" svg:y=\"7cm\" svg:width=\"12cm\" svg:height=\"8cm\"><draw:object>"
        "<office:document office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.chart\">"
        "<office:body><office:chart><chart:chart chart:class=\"chart:bar\" svg:width=\"12cm\" svg:height=\"8cm\">"
        "<chart:title><text:p>%1</text:p></chart:title>"
        "<chart:plot-area table:cell-range-address=\"local-table.$A$1:.$B$3\" chart:data-source-has-labels=\"both\">"
        "<chart:axis chart:dimension=\"x\" chart:name=\"primary-x\">"
        "<chart:categories table:cell-range-address=\"local-table.$A$2:.$A$3\"/></chart:axis>"
        "<chart:axis chart:dimension=\"y\" chart:name=\"primary-y\"><chart:title><text:p>%2</text:p></chart:title></chart:axis>"
        "<chart:series chart:class=\"chart:bar\" chart:values-cell-range-address=\"local-table.$B$2:.$B$3\" "
        "chart:label-cell-address=\"local-table.$B$1\"/></chart:plot-area>"
        "<table:table table:name=\"local-table\"><table:table-header-columns><table:table-column/></table:table-header-columns>"
        "<table:table-columns><table:table-column/></table:table-columns>"
        "<table:table-header-rows><table:table-row><table:table-cell><text:p/></table:table-cell>"
        "<table:table-cell office:value-type=\"string\"><text:p>%3</text:p></table:table-cell></table:table-row></table:table-header-rows>"
        "<table:table-rows>"
        "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>%4</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"float\" office:value=\"1\"><text:p>1</text:p></table:table-cell></table:table-row>"
        "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>%5</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"float\" office:value=\"2\"><text:p>2</text:p></table:table-cell></table:table-row>"
        "</table:table-rows></table:table>"
        "</chart:chart></office:chart></office:body></office:document></draw:object></draw:frame>\n")
        .arg(Escaped(title), Escaped(axisTitle), Escaped(series), Escaped(category1), Escaped(category2));
}

// A flat presentation: one slide with a rectangle holding the text, the frames given (none
// by default), and a notes page.
QByteArray FlatPresentation(const QString& shapeText, const QString& notesText, const QString& frames = QString())
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:presentation=\"urn:oasis:names:tc:opendocument:xmlns:presentation:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:chart=\"urn:oasis:names:tc:opendocument:xmlns:chart:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
        "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.presentation\">\n"
        "<office:body><office:presentation><draw:page draw:name=\"p1\">\n"
        "<draw:rect draw:name=\"Box\" svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"10cm\" svg:height=\"4cm\">"
        "<text:p>%1</text:p></draw:rect>\n%3"
        "<presentation:notes><draw:frame presentation:class=\"notes\" svg:x=\"2cm\" svg:y=\"14cm\" "
        "svg:width=\"17cm\" svg:height=\"10cm\"><draw:text-box><text:p>%2</text:p></draw:text-box></draw:frame>"
        "</presentation:notes>\n"
        "</draw:page></office:presentation></office:body></office:document>\n")
        .arg(Escaped(shapeText), Escaped(notesText), frames)
        .toUtf8();
}

QStringList SlideTexts(office::OfficeDocument& deck, bool notes)
{
    QStringList texts;
    for (const office::ShapeText& shape : deck.SlideShapes(0, notes))
        if (!shape.text.isEmpty())
            texts.append(shape.text);
    return texts;
}

QByteArray Hash(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

QStringList ChartTextsOf(const office::OfficeDocument::ChartTexts& chart)
{
    QStringList texts;
    for (const office::OfficeDocument::ChartText& text : chart.texts)
        texts.append(text.text);
    return texts;
}

QStringList CellTexts(office::OfficeDocument& book, int sheet)
{
    QStringList texts;
    for (const office::TextCellBlock& block : book.SheetTextCells(sheet))
        texts += block.texts;
    return texts;
}

}  // namespace

class TestOfficeConverters : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<office_tests::ErrorLogFile> m_log;
    int m_files = 0;

    QString newName(const QString& suffix) { return m_dir.filePath(QStringLiteral("f%1%2").arg(++m_files).arg(suffix)); }

    // An Excel 97 workbook made through the office from the flat spreadsheet.
    QString writeXls(const QByteArray& flat)
    {
        const QString fods = newName(QStringLiteral(".fods"));
        office_tests::WriteBytes(fods, flat);
        const QString xls = newName(QStringLiteral(".xls"));
        ProgramOffice().Load(fods, DocumentKind::Spreadsheet).StoreAs(xls, QString::fromLatin1(office::kFilterExcel97));
        return xls;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        office_tests::StartConverterTests(m_dir);
        QVERIFY(InitExcelApp());
    }
    void init() { m_log = std::make_unique<office_tests::ErrorLogFile>(); }
    void cleanup() { m_log.reset(); }
    // The Excel run's own quit releases the hold taken here.
    void cleanupTestCase()
    {
        office_session::StopProgramOffice();
    }

    // A stored document gets the permissions a new file of cp gets (0666 less the umask);
    // one it replaces keeps its own.
    void storedDocumentPermissions()
    {
        const mode_t old = ::umask(022);
        const QString xls = writeXls(FlatSpreadsheet(QStringLiteral("表"), QStringLiteral("软件"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("t")));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(xls).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0644);
        QCOMPARE(::chmod(QFile::encodeName(xls).constData(), 0640), 0);
        ProgramOffice().Load(xls, DocumentKind::Spreadsheet).StoreAs(xls, QString::fromLatin1(office::kFilterExcel97));
        QCOMPARE(::stat(QFile::encodeName(xls).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0640);
        ::umask(old);
    }

    void shapeTypeNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("mixed") << -2 << QStringLiteral("msoShapeTypeMixed");
        QTest::newRow("one") << 1 << QStringLiteral("UnKnown");
        QTest::newRow("two") << 2 << QStringLiteral("UnKnown");
        QTest::newRow("chart") << 3 << QStringLiteral("msoChart");
        QTest::newRow("line") << 9 << QStringLiteral("msoLine");
        QTest::newRow("text box") << 17 << QStringLiteral("msoTextBox");
        QTest::newRow("beyond") << 18 << QStringLiteral("UnKnown");
    }
    void shapeTypeNames()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(ShapeTypeName(code), name);
    }

    void everyTextOfTheWorkbookConverted()
    {
        const QString longText = QString(QStringLiteral("软件和鼠标")).repeated(120);
        WorkbookExtras extras;
        extras.chartTitle = QStringLiteral("软件");
        extras.axisTitle = QStringLiteral("鼠标数");
        extras.button = QStringLiteral("软件");
        extras.checkBox = QStringLiteral("鼠标");
        extras.literal = QStringLiteral("鼠标");
        const QString xls = writeXls(FlatSpreadsheet(QStringLiteral("软件表"), QStringLiteral("软件"),
                                                     QStringLiteral("鼠\t标"), longText, QStringLiteral("软件"), extras));
        {
            // The flat file cannot carry a tab in a cell: it is written in through the office.
            office::OfficeDocument source = ProgramOffice().Load(xls, DocumentKind::Spreadsheet);
            office::TextCellBlock b1;
            b1.firstColumn = 1;
            b1.rows = b1.columns = 1;
            b1.texts = QStringList{QStringLiteral("鼠\t标")};
            source.SetSheetTextCells(0, b1);
            source.Store();
        }
        const QByteArray sourceHash = Hash(xls);
        {
            office::OfficeDocument source = ProgramOffice().Load(xls, DocumentKind::Spreadsheet);
            QCOMPARE(CellTexts(source, 0), (QStringList{QStringLiteral("软件"), QStringLiteral("鼠\t标")}));
        }
        const QString output = newName(QStringLiteral(".xls"));
        QVERIFY(ConvertXLS(dlgProgress(), xls, output, true, false, false, false));
        QCOMPARE(m_log->procedures(), QStringList{});
        QCOMPARE(Hash(xls), sourceHash);

        office::OfficeDocument book = ProgramOffice().Load(output, DocumentKind::Spreadsheet);
        QCOMPARE(book.FilterName(), QString::fromLatin1(office::kFilterExcel97));
        QCOMPARE(book.SheetName(0), QStringLiteral("軟件表"));
        // The formula =A1 is no constant text cell: it is still a formula.
        QCOMPARE(CellTexts(book, 0), (QStringList{QStringLiteral("軟件"), QStringLiteral("鼠\t標")}));
        QStringList shapeTexts;
        for (const office::ShapeText& shape : book.SheetShapes(0))
            if (!shape.text.isEmpty())
                shapeTexts.append(shape.text);
        QCOMPARE(shapeTexts, QStringList{QString(QStringLiteral("軟件和鼠標")).repeated(120)});
        QCOMPARE(book.TextProperties().value(0), QStringLiteral("軟件"));
        // A formula's text literal is converted and the formula stays a formula.
        const QList<office::OfficeDocument::FormulaCell> formulas = book.SheetTextFormulas(0);
        QCOMPARE(formulas.size(), 1);
        QCOMPARE(formulas.at(0).formula, QStringLiteral("=A1&\"鼠標\""));
        const QList<office::OfficeDocument::ChartTexts> charts = book.SheetCharts(0);
        QCOMPARE(charts.size(), 1);
        QCOMPARE(ChartTextsOf(charts.at(0)), (QStringList{QStringLiteral("軟件"), QStringLiteral("鼠標數")}));
        QStringList captions;
        for (const office::OfficeDocument::FormControl& control : book.SheetFormControls(0))
            captions.append(control.caption);
        QCOMPARE(captions, (QStringList{QStringLiteral("軟件"), QStringLiteral("鼠標")}));
    }

    void slideAndNotesConverted()
    {
        const QString fodp = newName(QStringLiteral(".fodp"));
        office_tests::WriteBytes(fodp, FlatPresentation(QStringLiteral("软件"), QStringLiteral("鼠标")));
        const QString ppt = newName(QStringLiteral(".ppt"));
        ProgramOffice().Load(fodp, DocumentKind::Presentation).StoreAs(ppt, QString::fromLatin1(office::kFilterPowerPoint97));
        const QByteArray sourceHash = Hash(ppt);
        const QString output = newName(QStringLiteral(".ppt"));
        QVERIFY(ConvertPPT(dlgProgress(), ppt, output, true, false, false, false));
        QCOMPARE(m_log->procedures(), QStringList{});
        QCOMPARE(Hash(ppt), sourceHash);
        office::OfficeDocument deck = ProgramOffice().Load(output, DocumentKind::Presentation);
        QCOMPARE(deck.FilterName(), QString::fromLatin1(office::kFilterPowerPoint97));
        QCOMPARE(SlideTexts(deck, false), QStringList{QStringLiteral("軟件")});
        QCOMPARE(SlideTexts(deck, true), QStringList{QStringLiteral("鼠標")});
    }

    void chartInSlideConvertedWithItsDataTable()
    {
        const QString fodp = newName(QStringLiteral(".fodp"));
        office_tests::WriteBytes(fodp, FlatPresentation(QStringLiteral("软件"), QStringLiteral("鼠标"),
                                                        FlatChartWithTable(QStringLiteral("软件销量"), QStringLiteral("鼠标数"),
                                                                           QStringLiteral("网络"), QStringLiteral("软件"),
                                                                           QStringLiteral("鼠标"))));
        const QString ppt = newName(QStringLiteral(".ppt"));
        ProgramOffice().Load(fodp, DocumentKind::Presentation).StoreAs(ppt, QString::fromLatin1(office::kFilterPowerPoint97));
        const QString output = newName(QStringLiteral(".ppt"));
        QVERIFY(ConvertPPT(dlgProgress(), ppt, output, true, false, false, false));
        QCOMPARE(m_log->procedures(), QStringList{});
        office::OfficeDocument deck = ProgramOffice().Load(output, DocumentKind::Presentation);
        const QList<office::OfficeDocument::ChartTexts> charts = deck.SlideCharts(0);
        QCOMPARE(charts.size(), 1);
        QStringList texts = ChartTextsOf(charts.at(0));
        texts.sort();
        QStringList expected{QStringLiteral("軟件銷量"), QStringLiteral("鼠標數"), QStringLiteral("網絡"),
                             QStringLiteral("軟件"), QStringLiteral("鼠標")};
        expected.sort();
        QCOMPARE(texts, expected);
    }

    void outputThatIsItsInputRefused()
    {
        const QString xls = writeXls(FlatSpreadsheet(QStringLiteral("表"), QStringLiteral("软件"), QStringLiteral("x"),
                                                     QStringLiteral("y"), QString()));
        const QByteArray sourceHash = Hash(xls);
        const QString alias = QFileInfo(xls).absolutePath() + QStringLiteral("/./") + QFileInfo(xls).fileName();
        QVERIFY(!ConvertXLS(dlgProgress(), xls, alias, true, false, false, false));
        QCOMPARE(Hash(xls), sourceHash);
        QCOMPARE(m_log->procedures(), QStringList{QStringLiteral("ConvertXLS")});
    }

    void corruptWorkbookFailsWithoutOutput()
    {
        const QString xls = newName(QStringLiteral(".xls"));
        static const char kNotAWorkbook[] = "\xD0\xCF\x11\xE0 not a workbook at all";
        office_tests::WriteBytes(xls, QByteArray(kNotAWorkbook, sizeof kNotAWorkbook - 1));
        const QString output = newName(QStringLiteral(".xls"));
        QVERIFY(!ConvertXLS(dlgProgress(), xls, output, true, false, false, false));
        QVERIFY(!QFile::exists(output));
        QCOMPARE(m_log->procedures(), QStringList{QStringLiteral("ConvertXLS")});
    }

    // The Excel window's run on real workbooks: a corrupt one among good ones fails its row
    // only, with one record; a row whose output is its own input (./book.xls) fails and leaves
    // the workbook as it was; the summary comes once, and not at all under the scheduler.
    // Runs last: the run's quit ends the office.
    void excelRunConvertsGoodRowsAndFailsTheOthers_data()
    {
        QTest::addColumn<bool>("scheduled");
        QTest::newRow("by the user") << false;
        QTest::newRow("scheduled") << true;
    }
    void excelRunConvertsGoodRowsAndFailsTheOthers()
    {
        QFETCH(bool, scheduled);
        ComposeProgram();
        const QString good1 = writeXls(FlatSpreadsheet(QStringLiteral("表"), QStringLiteral("软件"), QStringLiteral("a"),
                                                       QStringLiteral("b"), QString()));
        const QString corrupt = newName(QStringLiteral(".xls"));
        office_tests::WriteBytes(corrupt, QByteArray("\xD0\xCF\x11\xE0 broken", 11));
        const QString book = newName(QStringLiteral("-book.xls"));
        QVERIFY(QFile::copy(good1, book));
        const QByteArray bookHash = Hash(book);
        const QString good2 = writeXls(FlatSpreadsheet(QStringLiteral("表"), QStringLiteral("鼠标"), QStringLiteral("a"),
                                                       QStringLiteral("b"), QString()));
        const QString ownOutput = QStringLiteral("./") + QFileInfo(book).fileName();
        const QStringList inputs{good1, corrupt, book, good2};
        const QStringList outputs{newName(QStringLiteral(".xls")), newName(QStringLiteral(".xls")), ownOutput,
                                  newName(QStringLiteral(".xls"))};
        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(1);
        grid.setFixedRows(0);
        for (int i = 0; i < inputs.size(); ++i) {
            grid.setRows(i + 2);
            grid.setTextMatrix(i + 1, 2, inputs.at(i));
            grid.setTextMatrix(i + 1, 3, outputs.at(i));
            grid.setRowData(i + 1, FileRowExcel);
        }
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        const bool wasScheduled = gbSchedRun;
        gbSchedRun = scheduled;
        ModalScript modal;
        if (!scheduled)
            modal.answer(vbOK);
        ExecuteXlsConv(&grid, true, false, false, false);
        gbSchedRun = wasScheduled;
        QDir::setCurrent(cwd);
        QCOMPARE(modal.messages(), scheduled ? QStringList{} : QStringList{QStringLiteral("XLS文件转换\r\n运行退出！")});
        QCOMPARE(modal.unexpected(), 0);
        QCOMPARE(grid.TextMatrix(1, 0), QString());
        QCOMPARE(grid.TextMatrix(2, 0), QStringLiteral("."));
        QCOMPARE(grid.TextMatrix(3, 0), QStringLiteral("."));
        QCOMPARE(grid.TextMatrix(4, 0), QString());
        for (int i = 1; i <= inputs.size(); ++i)
            QVERIFY(grid.RowData(i) & FileRowProcessed);
        QVERIFY(QFile::exists(outputs.at(0)));
        QVERIFY(!QFile::exists(outputs.at(1)));
        QCOMPARE(Hash(book), bookHash);
        QCOMPARE(m_log->procedures(), QStringList{QStringLiteral("ConvertXLS")});
        office::OfficeDocument converted = ProgramOffice().Load(outputs.at(3), DocumentKind::Spreadsheet);
        QCOMPARE(CellTexts(converted, 0).value(0), QStringLiteral("鼠標"));
    }
};

TEZ_REGISTER_TEST(TestOfficeConverters)
#include "test_office_converters.moc"
