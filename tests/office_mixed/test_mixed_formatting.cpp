// Workbooks and presentations whose texts mix formatting inside a converted word, in .xls,
// .xlsx, .ppt and .pptx made by the office from flat documents: rich text cells beside plain
// ones, a sheet's drawing shape, a slide's box, a table cell, a group's member and a notes
// page, one of them with a character beyond the basic plane before the changed ones and a
// second paragraph, and a slide's texts with a link and a page number. After the converter
// ran, every text equals the library's conversion of the same string, each converted
// character keeps the bold or italic of its own run, fields beside converted text stay
// fields, and the input is unchanged.
#include "common/OfficeTestSupport.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "app/Composition.h"
#include "core/ConvertOptions.h"
#include "core/Globals.h"
#include "core/dlgProgress.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/ModalScript.h"
#include "platform/office/OfficeFormats.h"
#include "platform/office/OfficeSuite.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTest>

using office::DocumentKind;
using office::OfficeDocument;
using office_session::ProgramOffice;
using PageKind = OfficeDocument::PageKind;

namespace {

struct Flags {
    bool bCode, bPhrase, bB52GB, bL2R;
};

const char kNamespaces[] =
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
    "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
    "xmlns:presentation=\"urn:oasis:names:tc:opendocument:xmlns:presentation:1.0\" "
    "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" office:version=\"1.2\" ";

// Bold and italic text styles, Western and Asian alike.
const char kTextStyles[] =
    "<style:style style:name=\"B\" style:family=\"text\"><style:text-properties fo:font-weight=\"bold\" "
    "style:font-weight-asian=\"bold\" style:font-weight-complex=\"bold\"/></style:style>"
    "<style:style style:name=\"I\" style:family=\"text\"><style:text-properties fo:font-style=\"italic\" "
    "style:font-style-asian=\"italic\" style:font-style-complex=\"italic\"/></style:style>";

const QString kBold = QStringLiteral("软");
const QString kItalic = QStringLiteral("件");
const QString kLead = QStringLiteral("文");
const QString kMouse = QStringLiteral("鼠标");
const QString kWideRun = QStringLiteral("\U00020BB7的软件");

QString Span(const char* style, const QString& text)
{
    return QStringLiteral("<text:span text:style-name=\"%1\">%2</text:span>").arg(QLatin1String(style), text.toHtmlEscaped());
}

// "软"(bold)"件"(italic) followed by plain text.
QString MixedWord(const QString& plain = QString())
{
    return QStringLiteral("<text:p>") + Span("B", kBold) + Span("I", kItalic) + plain.toHtmlEscaped() + QStringLiteral("</text:p>");
}

// "文" in bold, then a run in italic whose changed characters follow a character beyond the
// basic plane.
QString WideParagraph() { return QStringLiteral("<text:p>") + Span("B", kLead) + Span("I", kWideRun) + QStringLiteral("</text:p>"); }

QString Cell(const QString& paragraph)
{
    return QStringLiteral("<table:table-cell office:value-type=\"string\">") + paragraph + QStringLiteral("</table:table-cell>");
}

QString PlainCell(const QString& text) { return Cell(QStringLiteral("<text:p>") + text.toHtmlEscaped() + QStringLiteral("</text:p>")); }

// A sheet: a drawing shape with two paragraphs, rich text cells in the middle of rows of
// plain ones, and a rich cell with the wide character.
QByteArray FlatWorkbook()
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document ") + QLatin1String(kNamespaces) +
                  QStringLiteral("office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">\n<office:automatic-styles>") +
                  QLatin1String(kTextStyles) +
                  QStringLiteral("</office:automatic-styles>\n<office:body><office:spreadsheet><table:table table:name=\"Sheet1\">"
                                 "<table:shapes><draw:rect svg:x=\"8cm\" svg:y=\"1cm\" svg:width=\"6cm\" svg:height=\"2cm\">") +
                  MixedWord(QStringLiteral("和中文文档")) + WideParagraph() + QStringLiteral("</draw:rect></table:shapes>\n");
    xml += QStringLiteral("<table:table-row>") + PlainCell(QStringLiteral("鼠标")) + Cell(MixedWord()) +
           PlainCell(QStringLiteral("网络")) + QStringLiteral("</table:table-row>\n");
    xml += QStringLiteral("<table:table-row>") + PlainCell(QStringLiteral("中文文档")) + PlainCell(QStringLiteral("软件")) +
           Cell(WideParagraph()) + QStringLiteral("</table:table-row>\n");
    xml += QStringLiteral("<table:table-row>") + PlainCell(QStringLiteral("这个软件用鼠标")) + QStringLiteral("</table:table-row>\n");
    xml += QStringLiteral("</table:table></office:spreadsheet></office:body></office:document>\n");
    return xml.toUtf8();
}

QString Link(const QString& text)
{
    return QStringLiteral("<text:a xlink:type=\"simple\" xlink:href=\"http://example.com/\">") + text.toHtmlEscaped() +
           QStringLiteral("</text:a>");
}

QString Box(int y, const QString& paragraphs)
{
    return QStringLiteral("<draw:rect svg:x=\"2cm\" svg:y=\"%1cm\" svg:width=\"10cm\" svg:height=\"2cm\">").arg(y) + paragraphs +
           QStringLiteral("</draw:rect>");
}

// A slide: a box with two paragraphs, a box with plain text, a table with a mixed cell, a
// group with a mixed member; its notes page mixed too.
QByteArray FlatDeck()
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document ") + QLatin1String(kNamespaces) +
                  QStringLiteral("office:mimetype=\"application/vnd.oasis.opendocument.presentation\">\n<office:automatic-styles>") +
                  QLatin1String(kTextStyles) +
                  QStringLiteral("<style:page-layout style:name=\"PM1\"><style:page-layout-properties fo:page-width=\"28cm\" "
                                 "fo:page-height=\"21cm\"/></style:page-layout></office:automatic-styles>\n"
                                 "<office:master-styles><style:master-page style:name=\"Main\" style:page-layout-name=\"PM1\"/>"
                                 "</office:master-styles>\n<office:body><office:presentation>"
                                 "<draw:page draw:name=\"p1\" draw:master-page-name=\"Main\">");
    xml += Box(1, MixedWord(QStringLiteral("和中文文档")) + WideParagraph());
    xml += Box(4, QStringLiteral("<text:p>中文文档</text:p>"));
    // Fields: a link whose shown text stays, a page number, and a link whose text changes.
    xml += Box(5, QStringLiteral("<text:p>") + Span("B", kMouse) + Link(QStringLiteral("example")) +
                      QStringLiteral("第<text:page-number>1</text:page-number>页</text:p>"));
    xml += Box(6, QStringLiteral("<text:p>") + Link(QStringLiteral("网络")) + QStringLiteral("</text:p>"));
    xml += QStringLiteral("<draw:frame svg:x=\"2cm\" svg:y=\"7cm\" svg:width=\"12cm\" svg:height=\"3cm\"><table:table>"
                          "<table:table-column table:number-columns-repeated=\"2\"/><table:table-row>"
                          "<table:table-cell>") +
           MixedWord(QStringLiteral("表格")) + QStringLiteral("</table:table-cell><table:table-cell><text:p>鼠标</text:p>"
                                                            "</table:table-cell></table:table-row></table:table></draw:frame>");
    xml += QStringLiteral("<draw:g>") + Box(11, MixedWord(QStringLiteral("组合"))) + Box(14, QStringLiteral("<text:p>网络</text:p>")) +
           QStringLiteral("</draw:g>");
    xml += QStringLiteral("<presentation:notes><draw:frame presentation:class=\"notes\" svg:x=\"2cm\" svg:y=\"14cm\" "
                          "svg:width=\"17cm\" svg:height=\"10cm\"><draw:text-box>") +
           MixedWord(QStringLiteral("备注")) + QStringLiteral("</draw:text-box></draw:frame></presentation:notes>");
    xml += QStringLiteral("</draw:page></office:presentation></office:body></office:document>\n");
    return xml.toUtf8();
}

QByteArray Hash(const QString& path)
{
    return QCryptographicHash::hash(office_tests::ReadBytes(path), QCryptographicHash::Sha256);
}

QStringList Sorted(QStringList texts)
{
    for (QString& text : texts)
        text = text.trimmed();
    texts.removeAll(QString());
    texts.sort();
    return texts;
}

// Every text of the first sheet or of the first slide and its notes page.
QStringList TextsOf(OfficeDocument& document, DocumentKind kind)
{
    QStringList texts;
    if (kind == DocumentKind::Spreadsheet) {
        for (const office::TextCellBlock& block : document.SheetTextCells(0))
            texts += block.texts;
        for (const office::ShapeText& shape : document.SheetShapes(0))
            texts.append(shape.text);
    } else {
        for (PageKind page : {PageKind::Slide, PageKind::SlideNotes})
            for (const OfficeDocument::PageText& text : document.PageTexts({page, 0}))
                texts.append(text.text);
    }
    return Sorted(texts);
}

QStringList RunsOf(OfficeDocument& document, DocumentKind kind)
{
    if (kind == DocumentKind::Spreadsheet)
        return document.SheetRunStyles(0);
    return document.PageRunStyles({PageKind::Slide, 0}) + document.PageRunStyles({PageKind::SlideNotes, 0});
}

}  // namespace

Q_DECLARE_METATYPE(Flags)

class TestMixedFormatting : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramFolderFixture> m_program;
    QTemporaryDir m_dir;
    std::unique_ptr<office_tests::ErrorLogFile> m_log;

    // The fixture in the format of the extension, made by the office from the flat document.
    QString fixture(const QString& extension)
    {
        const QString path = m_dir.filePath(QStringLiteral("in.") + extension);
        if (QFile::exists(path))
            return path;
        const office::OfficeFormat* format = office::OfficeXmlFormatOf(path);
        const bool sheet = extension.startsWith(QLatin1String("xls"));
        const QString flat = m_dir.filePath(sheet ? QStringLiteral("in.fods") : QStringLiteral("in.fodp"));
        if (!office_tests::WriteBytes(flat, sheet ? FlatWorkbook() : FlatDeck()))
            return QString();
        const QString filter = format ? QString::fromLatin1(format->storeFilter)
                                      : QString::fromLatin1(sheet ? office::kFilterExcel97 : office::kFilterPowerPoint97);
        ProgramOffice().Load(flat, sheet ? DocumentKind::Spreadsheet : DocumentKind::Presentation).StoreAs(path, filter);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        office::OfficeSettings settings = office::DefaultOfficeSettings();
        settings.profileDir = m_dir.filePath(QStringLiteral("profile"));
        office_session::SetProgramOfficeSettings(settings);
        // A plain start-up of the program: its tables, vocabulary included, as it loads them.
        m_program = std::make_unique<ProgramFolderFixture>();
        {
            ModalScript modal;
            m_program->start();
        }
        QVERIFY(InitExcelApp());
        QVERIFY(InitPowerPointApp());
    }
    void init() { m_log = std::make_unique<office_tests::ErrorLogFile>(); }
    void cleanup() { m_log.reset(); }
    void cleanupTestCase()
    {
        office_session::StopProgramOffice();
        m_program->stop();
        m_program.reset();
    }

    void mixedFormattingKept_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<Flags>("flags");
        for (const char* ext : {"xls", "xlsx", "ppt", "pptx"}) {
            QTest::addRow("%s, toward Traditional with vocabulary", ext) << QString::fromLatin1(ext) << Flags{true, true, false, false};
            QTest::addRow("%s, characters only", ext) << QString::fromLatin1(ext) << Flags{true, false, false, false};
        }
    }
    void mixedFormattingKept()
    {
        QFETCH(QString, extension);
        QFETCH(Flags, flags);
        const QString input = fixture(extension);
        QVERIFY(!input.isEmpty());
        const DocumentKind kind = extension.startsWith(QLatin1String("xls")) ? DocumentKind::Spreadsheet : DocumentKind::Presentation;
        QStringList sourceTexts;
        QStringList sourceRuns;
        {
            OfficeDocument source = ProgramOffice().Load(input, kind);
            sourceTexts = TextsOf(source, kind);
            sourceRuns = RunsOf(source, kind);
        }
        // The mixed word in every place (two on a sheet, four on a slide and its notes), the
        // run with the wide character in one or two.
        QCOMPARE(sourceRuns.count(kBold + QStringLiteral("|b")), kind == DocumentKind::Spreadsheet ? 2 : 4);
        QCOMPARE(sourceRuns.count(kItalic + QStringLiteral("|i")), kind == DocumentKind::Spreadsheet ? 2 : 4);
        QCOMPARE(sourceRuns.count(kLead + QStringLiteral("|b")), kind == DocumentKind::Spreadsheet ? 2 : 1);
        QCOMPARE(sourceRuns.count(kWideRun + QStringLiteral("|i")), kind == DocumentKind::Spreadsheet ? 2 : 1);
        QVERIFY2(sourceTexts.size() >= 5, qPrintable(sourceTexts.join(QLatin1Char('/'))));
        const QByteArray inputHash = Hash(input);

        QTemporaryDir out;
        const QString output = out.filePath(QStringLiteral("out.") + extension);
        const bool done = kind == DocumentKind::Spreadsheet
                              ? ConvertXLS(dlgProgress(), input, output, flags.bCode, flags.bPhrase, flags.bB52GB, flags.bL2R)
                              : ConvertPPT(dlgProgress(), input, output, flags.bCode, flags.bPhrase, flags.bB52GB, flags.bL2R);
        QVERIFY2(done, qPrintable(m_log->records()));
        QCOMPARE(m_log->procedures(), QStringList{});
        QCOMPARE(Hash(input), inputHash);

        SetConvertOption(flags.bB52GB, flags.bCode, flags.bPhrase, flags.bL2R);
        QStringList expected;
        for (const QString& text : sourceTexts)
            expected.append(ConvertUString(text, giConvType, giConvOption));
        OfficeDocument result = ProgramOffice().Load(output, kind);
        QCOMPARE(TextsOf(result, kind), Sorted(expected));

        // Each converted character in its own run's formatting, the run with the wide character too.
        const QString word = ConvertUString(kBold + kItalic, giConvType, giConvOption);
        const QString wideRun = ConvertUString(kWideRun, giConvType, giConvOption);
        const QString mouse = ConvertUString(kMouse, giConvType, giConvOption);
        QCOMPARE(word.size(), 2);
        QVERIFY(word != kBold + kItalic);
        QCOMPARE(word == QStringLiteral("軟體"), flags.bPhrase);
        const QStringList runs = RunsOf(result, kind);
        const QList<std::pair<QString, QString>> kept{{kBold + QStringLiteral("|b"), word.left(1) + QStringLiteral("|b")},
                                                      {kItalic + QStringLiteral("|i"), word.mid(1) + QStringLiteral("|i")},
                                                      {kLead + QStringLiteral("|b"), kLead + QStringLiteral("|b")},
                                                      {kWideRun + QStringLiteral("|i"), wideRun + QStringLiteral("|i")},
                                                      {kMouse + QStringLiteral("|b"), mouse + QStringLiteral("|b")}};
        for (const auto& [before, after] : kept)
            QVERIFY2(runs.count(after) == sourceRuns.count(before), qPrintable(after + QStringLiteral(" in ") + runs.join(QLatin1Char(' '))));
        // The fields beside converted text stay fields; a link whose own shown text changes
        // is written as plain converted text.
        const QString field(QChar(0xFFFC));
        QCOMPARE(sourceRuns.count(field), kind == DocumentKind::Spreadsheet ? 0 : 3);
        QCOMPARE(runs.count(field), kind == DocumentKind::Spreadsheet ? 0 : 2);
    }
};

TEZ_REGISTER_TEST(TestMixedFormatting)
#include "test_mixed_formatting.moc"
