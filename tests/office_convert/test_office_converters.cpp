// The workbook and presentation converters on the program's office: a real .xls made through
// the office from a flat spreadsheet holding text and number cells, a formula, a cell with a
// tab, a renamed sheet, a long text box and a title; a real .ppt with a slide's shape and its
// notes; an output that is its own input; a corrupt workbook.
#include "common/LoadGeneratedTables.h"
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
#include "platform/office/OfficeSuite.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using office::DocumentKind;
using office_session::ProgramOffice;

namespace {

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

// A flat spreadsheet: sheet name, A1 text, A2 number, A3 formula =A1, B1 text with a tab,
// one rectangle with text, the document title.
QByteArray FlatSpreadsheet(const QString& sheetName, const QString& a1, const QString& b1, const QString& shapeText,
                           const QString& title)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
        "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" "
        "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">\n"
        "<office:meta><dc:title>%5</dc:title></office:meta>\n"
        "<office:body><office:spreadsheet><table:table table:name=\"%1\">\n"
        "<table:shapes><draw:rect draw:name=\"Box\" svg:x=\"5cm\" svg:y=\"1cm\" svg:width=\"8cm\" svg:height=\"6cm\">"
        "<text:p>%4</text:p></draw:rect></table:shapes>\n"
        "<table:table-column table:number-columns-repeated=\"2\"/>\n"
        "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>%2</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"string\" office:string-value=\"%6\"><text:p>%3</text:p>"
        "</table:table-cell></table:table-row>\n"
        "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"42\"><text:p>42</text:p>"
        "</table:table-cell></table:table-row>\n"
        "<table:table-row><table:table-cell table:formula=\"of:=[.A1]\" office:value-type=\"string\" "
        "office:string-value=\"%2\"><text:p>%2</text:p></table:table-cell></table:table-row>\n"
        "</table:table></office:spreadsheet></office:body></office:document>\n");
    // A tab in a cell is written as the text element for it.
    QString cellB1 = Escaped(b1);
    cellB1.replace(QLatin1Char('\t'), QStringLiteral("<text:tab/>"));
    QString valueB1 = Escaped(b1);
    valueB1.replace(QLatin1Char('\t'), QStringLiteral("&#9;"));
    return xml.arg(Escaped(sheetName), Escaped(a1), cellB1, Escaped(shapeText), Escaped(title), valueB1).toUtf8();
}

// A flat presentation: one slide with a rectangle holding the text and a notes page.
QByteArray FlatPresentation(const QString& shapeText, const QString& notesText)
{
    return QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
        "xmlns:presentation=\"urn:oasis:names:tc:opendocument:xmlns:presentation:1.0\" "
        "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
        "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.presentation\">\n"
        "<office:body><office:presentation><draw:page draw:name=\"p1\">\n"
        "<draw:rect draw:name=\"Box\" svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"10cm\" svg:height=\"4cm\">"
        "<text:p>%1</text:p></draw:rect>\n"
        "<presentation:notes><draw:frame presentation:class=\"notes\" svg:x=\"2cm\" svg:y=\"14cm\" "
        "svg:width=\"17cm\" svg:height=\"10cm\"><draw:text-box><text:p>%2</text:p></draw:text-box></draw:frame>"
        "</presentation:notes>\n"
        "</draw:page></office:presentation></office:body></office:document>\n")
        .arg(Escaped(shapeText), Escaped(notesText))
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
        office::OfficeSettings settings = office::DefaultOfficeSettings();
        settings.profileDir = m_dir.filePath(QStringLiteral("profile"));
        office_session::SetProgramOfficeSettings(settings);
        if (!IsFormLoaded<FrmMain>())
            FormSlot<FrmMain>() = new FrmMain;
        _TezCreateEnv(&ghEnv);
        _TezCreateStmt(ghEnv, &ghStmt, 1000);
        LoadGeneratedTables(ghEnv);
        QVERIFY(InitExcelApp());
    }
    void init() { m_log = std::make_unique<office_tests::ErrorLogFile>(); }
    void cleanup() { m_log.reset(); }
    // The Excel run's own quit releases the hold taken here.
    void cleanupTestCase()
    {
        office_session::StopProgramOffice();
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
        const QString xls = writeXls(FlatSpreadsheet(QStringLiteral("软件表"), QStringLiteral("软件"),
                                                     QStringLiteral("鼠\t标"), longText, QStringLiteral("软件")));
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
        const QList<office::ShapeText> shapes = book.SheetShapes(0);
        QCOMPARE(shapes.size(), 1);
        QCOMPARE(shapes.at(0).text, QString(QStringLiteral("軟件和鼠標")).repeated(120));
        QCOMPARE(book.TextProperties().value(0), QStringLiteral("軟件"));
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

    // The Excel window's run on real workbooks: a corrupt one among two good ones fails its
    // row only. Runs last: the run's quit ends the office.
    void excelRunConvertsGoodRowsAndFailsTheCorruptOne()
    {
        ComposeProgram();
        const QString good1 = writeXls(FlatSpreadsheet(QStringLiteral("表"), QStringLiteral("软件"), QStringLiteral("a"),
                                                       QStringLiteral("b"), QString()));
        const QString corrupt = newName(QStringLiteral(".xls"));
        office_tests::WriteBytes(corrupt, QByteArray("\xD0\xCF\x11\xE0 broken", 11));
        const QString good2 = writeXls(FlatSpreadsheet(QStringLiteral("表"), QStringLiteral("鼠标"), QStringLiteral("a"),
                                                       QStringLiteral("b"), QString()));
        const QStringList outputs{newName(QStringLiteral(".xls")), newName(QStringLiteral(".xls")), newName(QStringLiteral(".xls"))};
        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(1);
        grid.setFixedRows(0);
        const QStringList inputs{good1, corrupt, good2};
        for (int i = 0; i < 3; ++i) {
            grid.setRows(i + 2);
            grid.setTextMatrix(i + 1, 2, inputs.at(i));
            grid.setTextMatrix(i + 1, 3, outputs.at(i));
            grid.setRowData(i + 1, FileRowExcel);
        }
        const bool scheduled = gbSchedRun;
        gbSchedRun = true;
        ExecuteXlsConv(&grid, true, false, false, false);
        gbSchedRun = scheduled;
        QCOMPARE(grid.TextMatrix(1, 0), QString());
        QCOMPARE(grid.TextMatrix(2, 0), QStringLiteral("."));
        QCOMPARE(grid.TextMatrix(3, 0), QString());
        QVERIFY(QFile::exists(outputs.at(0)));
        QVERIFY(!QFile::exists(outputs.at(1)));
        QVERIFY(m_log->procedures().contains(QStringLiteral("ConvertXLS")));
        office::OfficeDocument book = ProgramOffice().Load(outputs.at(2), DocumentKind::Spreadsheet);
        QCOMPARE(CellTexts(book, 0).value(0), QStringLiteral("鼠標"));
    }
};

TEZ_REGISTER_TEST(TestOfficeConverters)
#include "test_office_converters.moc"
