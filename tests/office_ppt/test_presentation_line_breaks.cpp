// A converted slide text keeps its line breaks (a break inside a paragraph) and its paragraphs:
// a text with a line break comes out as the library converts it, one paragraph with the break
// still in it, in .pptx and .ppt made by the office.
#include "common/ConverterTestSetUp.h"
#include "common/OfficeTestSupport.h"
#include "common/TestMain.h"

#include "batch/BatchRuns.h"
#include "core/ConvertOptions.h"
#include "core/FileRowFlags.h"
#include "core/Globals.h"
#include "office/OfficeSession.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/office/OfficeFormats.h"
#include "platform/office/OfficeSuite.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using office::DocumentKind;
using office::OfficeDocument;
using office_session::ProgramOffice;

namespace {

const QString kFirstLine = QStringLiteral("中文文档");
const QString kSecondLine = QStringLiteral("这个软件");

QByteArray FlatSlides()
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document "
               "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
               "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" office:version=\"1.2\" "
               "office:mimetype=\"application/vnd.oasis.opendocument.presentation\"><office:body><office:presentation>"
               "<draw:page draw:name=\"p1\"><draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"20cm\" svg:height=\"3cm\">"
               "<draw:text-box><text:p>%1<text:line-break/>%2</text:p></draw:text-box></draw:frame></draw:page>"
               "</office:presentation></office:body></office:document>\n")
        .arg(kFirstLine, kSecondLine)
        .toUtf8();
}

// The first slide's XML of a presentation as the office writes it in Office XML.
QString SlideXml(const QString& path, const QString& scratch)
{
    QString package = path;
    if (!path.endsWith(QLatin1String(".pptx"))) {
        package = scratch + QStringLiteral("/stored.pptx");
        ProgramOffice().Load(path, DocumentKind::Presentation).StoreAs(package, office::StoreFilterFor(package, ""));
    }
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), package, QStringLiteral("ppt/slides/slide1.xml")});
    return unzip.waitForFinished(30000) ? QString::fromUtf8(unzip.readAllStandardOutput()) : QString();
}

}  // namespace

class TestPresentationLineBreaks : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        office_tests::StartConverterTests(m_dir);
    }
    void cleanupTestCase() { office_session::StopProgramOffice(); }

    void lineBreakStaysInsideItsParagraph_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("filter");
        QTest::newRow("pptx") << QStringLiteral("pptx") << QStringLiteral("Impress MS PowerPoint 2007 XML");
        QTest::newRow("ppt") << QStringLiteral("ppt") << QString::fromLatin1(office::kFilterPowerPoint97);
    }
    void lineBreakStaysInsideItsParagraph()
    {
        QFETCH(QString, extension);
        QFETCH(QString, filter);
        QTemporaryDir dir;
        const QString flat = dir.filePath(QStringLiteral("deck.fodp"));
        const QString input = dir.filePath(QStringLiteral("in.") + extension);
        const QString output = dir.filePath(QStringLiteral("out.") + extension);
        QVERIFY(office_tests::WriteBytes(flat, FlatSlides()));
        ProgramOffice().Load(flat, DocumentKind::Presentation).StoreAs(input, filter);
        QString before;
        {
            OfficeDocument deck = ProgramOffice().Load(input, DocumentKind::Presentation);
            const QList<OfficeDocument::PageText> texts = deck.PageTexts({OfficeDocument::PageKind::Slide, 0});
            QCOMPARE(texts.size(), 1);
            before = texts.first().text;
        }
        QVERIFY(SlideXml(input, dir.path()).contains(QLatin1String("<a:br")));

        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(2);
        grid.setFixedRows(1);
        grid.setTextMatrix(1, 2, input);
        grid.setTextMatrix(1, 3, output);
        grid.setRowData(1, FileRowPowerPoint);
        office_tests::ErrorLogFile log;
        const bool scheduled = gbSchedRun;
        gbSchedRun = true;
        {
            ModalScript modal;
            ExecutePPTConv(&grid, true, false, false, false);
            QCOMPARE(modal.asked().size(), 0);
        }
        gbSchedRun = scheduled;
        QCOMPARE(log.procedures(), QStringList());

        SetConvertOption(false, true, false, false);
        const QString expected = ConvertUString(before, giConvType, giConvOption);
        QVERIFY(expected != before);
        {
            OfficeDocument deck = ProgramOffice().Load(output, DocumentKind::Presentation);
            const QList<OfficeDocument::PageText> texts = deck.PageTexts({OfficeDocument::PageKind::Slide, 0});
            QCOMPARE(texts.size(), 1);
            QCOMPARE(texts.first().text, expected);
        }
        const QString xml = SlideXml(output, dir.path());
        QVERIFY2(xml.contains(QLatin1String("<a:br")), qPrintable(xml.mid(xml.indexOf(QLatin1String("<p:txBody>")))));
        QCOMPARE(xml.count(QLatin1String("<a:p>")) + xml.count(QLatin1String("<a:p ")), 1);
    }
};

TEZ_REGISTER_TEST(TestPresentationLineBreaks)
#include "test_presentation_line_breaks.moc"
