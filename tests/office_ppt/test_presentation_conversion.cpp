// The presentation converter and the PowerPoint window's run on the program's office, with
// real .ppt files made through the office from flat presentations: a title placeholder, a
// table, groups (one inside another), a lone "*", a notes page and a master page, each with
// its own text; a deck of many slides; a corrupt presentation among good ones.
#include "common/ConverterTestSetUp.h"
#include "common/OfficeTestSupport.h"
#include "common/TestMain.h"

#include "app/Composition.h"
#include "batch/BatchRuns.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "core/Globals.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/office/OfficeSuite.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

using office::DocumentKind;
using office::OfficeDocument;
using office_session::ProgramOffice;
using PageKind = OfficeDocument::PageKind;

namespace {

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

const char kFlatHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
    "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
    "xmlns:presentation=\"urn:oasis:names:tc:opendocument:xmlns:presentation:1.0\" "
    "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
    "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.presentation\">\n";

QString Box(const QString& name, int y, const QString& text)
{
    return QStringLiteral("<draw:rect draw:name=\"%1\" svg:x=\"2cm\" svg:y=\"%2cm\" svg:width=\"6cm\" svg:height=\"1cm\">"
                          "<text:p>%3</text:p></draw:rect>")
        .arg(name)
        .arg(y)
        .arg(Escaped(text));
}

QString Notes(const QString& text)
{
    return QStringLiteral("<presentation:notes><draw:frame presentation:class=\"notes\" svg:x=\"2cm\" svg:y=\"14cm\" "
                          "svg:width=\"17cm\" svg:height=\"10cm\"><draw:text-box><text:p>%1</text:p></draw:text-box>"
                          "</draw:frame></presentation:notes>")
        .arg(Escaped(text));
}

// The texts of the full slide, each in its own place.
struct DeckTexts {
    QString master = QStringLiteral("母版软件");
    QString title = QStringLiteral("标题软件");
    QStringList cells{QStringLiteral("表格软件"), QStringLiteral("鼠标"), QStringLiteral("网络")};
    QString grouped = QStringLiteral("组合软件");
    QString nested = QStringLiteral("内层鼠标");
    QString notes = QStringLiteral("备注鼠标");
};

// A flat presentation: a master page; a first slide with a title
// placeholder, a 2 x 2 table (one cell empty), a group holding a box and a group, a box
// holding "*", and a notes page; then further slides with one box each.
QByteArray FlatDeck(const DeckTexts& t, int slides, int boxesOnLast = 1)
{
    QString xml = QString::fromUtf8(kFlatHead);
    xml += QStringLiteral(
               "<office:styles><style:presentation-page-layout style:name=\"TitleOnly\">"
               "<presentation:placeholder presentation:object=\"title\" svg:x=\"2cm\" svg:y=\"1cm\" svg:width=\"20cm\" "
               "svg:height=\"2cm\"/></style:presentation-page-layout></office:styles>\n"
               "<office:automatic-styles><style:page-layout style:name=\"PM1\"><style:page-layout-properties "
               "fo:page-width=\"28cm\" fo:page-height=\"21cm\"/></style:page-layout><style:style style:name=\"pr1\" style:family=\"presentation\"/></office:automatic-styles>\n"
               "<office:master-styles><style:master-page style:name=\"Main\" style:page-layout-name=\"PM1\">"
               "<draw:frame presentation:class=\"footer\" svg:x=\"1cm\" svg:y=\"19cm\" svg:width=\"10cm\" "
               "svg:height=\"1cm\"><draw:text-box><text:p>&lt;footer&gt;</text:p></draw:text-box></draw:frame>"
               "</style:master-page></office:master-styles>\n<office:body><office:presentation>\n");
    xml += QStringLiteral(
               "<draw:page draw:name=\"p1\" draw:master-page-name=\"Main\" "
               "presentation:presentation-page-layout-name=\"TitleOnly\">"
               "<draw:frame draw:layer=\"layout\" presentation:style-name=\"pr1\" presentation:class=\"title\" svg:x=\"2cm\" svg:y=\"1cm\" svg:width=\"20cm\" svg:height=\"2cm\">"
               "<draw:text-box><text:p>%1</text:p></draw:text-box></draw:frame>"
               "<draw:frame draw:name=\"Table\" svg:x=\"2cm\" svg:y=\"4cm\" svg:width=\"12cm\" svg:height=\"3cm\">"
               "<table:table><table:table-column table:number-columns-repeated=\"2\"/>"
               "<table:table-row><table:table-cell><text:p>%2</text:p></table:table-cell>"
               "<table:table-cell><text:p>%3</text:p></table:table-cell></table:table-row>"
               "<table:table-row><table:table-cell/><table:table-cell><text:p>%4</text:p></table:table-cell>"
               "</table:table-row></table:table></draw:frame>")
               .arg(Escaped(t.title), Escaped(t.cells.at(0)), Escaped(t.cells.at(1)), Escaped(t.cells.at(2)));
    xml += QStringLiteral("<draw:g>") + Box(QStringLiteral("G1"), 8, t.grouped) + QStringLiteral("<draw:g>") +
           Box(QStringLiteral("G2"), 10, t.nested) + Box(QStringLiteral("G3"), 11, QStringLiteral("x")) +
           QStringLiteral("</draw:g></draw:g>") + Box(QStringLiteral("Star"), 13, QStringLiteral("*")) + Notes(t.notes) +
           QStringLiteral("</draw:page>\n");
    for (int s = 2; s <= slides; ++s) {
        xml += QStringLiteral("<draw:page draw:name=\"p%1\" draw:master-page-name=\"Main\">").arg(s) +
               Box(QStringLiteral("B"), 2, QStringLiteral("第%1页软件").arg(s));
        for (int b = 1; s == slides && b < boxesOnLast; ++b)
            xml += Box(QStringLiteral("B%1").arg(b), 3 + b % 15, QStringLiteral("鼠标%1").arg(b));
        xml += QStringLiteral("</draw:page>\n");
    }
    xml += QStringLiteral("</office:presentation></office:body></office:document>\n");
    return xml.toUtf8();
}

QByteArray Hash(const QString& path)
{
    return QCryptographicHash::hash(office_tests::ReadBytes(path), QCryptographicHash::Sha256);
}

QStringList Texts(const QList<OfficeDocument::PageText>& texts)
{
    QStringList result;
    for (const OfficeDocument::PageText& text : texts)
        result.append(text.text.trimmed());
    return result;
}

// The master pages' texts that the deck put there (the office adds prompts of its own).
QStringList MasterTexts(OfficeDocument& deck)
{
    QStringList texts;
    for (int m = 0; m < deck.MasterCount(); ++m)
        texts += Texts(deck.PageTexts({PageKind::Master, m})).filter(QStringLiteral("母版"));
    return texts;
}

}  // namespace

class TestPresentationConversion : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<office_tests::ErrorLogFile> m_log;
    int m_files = 0;

    QString newName(const QString& suffix) { return m_dir.filePath(QStringLiteral("f%1%2").arg(++m_files).arg(suffix)); }

    // A PowerPoint 97 presentation made through the office from the flat presentation; the
    // master's footer (the master text that the format carries) gets masterText.
    QString writePpt(const QByteArray& flat, const QString& masterText = QString())
    {
        const QString fodp = newName(QStringLiteral(".fodp"));
        office_tests::WriteBytes(fodp, flat);
        const QString ppt = newName(QStringLiteral(".ppt"));
        OfficeDocument deck = ProgramOffice().Load(fodp, DocumentKind::Presentation);
        if (!masterText.isEmpty()) {
            QList<OfficeDocument::PageText> footer = deck.PageTexts({PageKind::Master, 0});
            footer.removeIf([](const OfficeDocument::PageText& t) { return t.text != QLatin1String("<footer>"); });
            if (footer.size() != 1)
                return QString();
            footer[0].text = masterText;
            deck.SetPageTexts({PageKind::Master, 0}, footer, QString());
        }
        deck.StoreAs(ppt, QString::fromLatin1(office::kFilterPowerPoint97));
        return ppt;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        office_tests::StartConverterTests(m_dir);
        QVERIFY(InitPowerPointApp());
    }
    void init() { m_log = std::make_unique<office_tests::ErrorLogFile>(); }
    void cleanup() { m_log.reset(); }
    void cleanupTestCase() { office_session::StopProgramOffice(); }

    // Every place of the deck is converted and carries the output font; the group on the
    // slide is dissolved into its members; "*" stays; the bar moves 10, 20, then one step a
    // slide; the source is untouched.
    void everyPlaceOfTheDeckConverted()
    {
        const DeckTexts source;
        const QString ppt = writePpt(FlatDeck(source, 3), source.master);
        QVERIFY(!ppt.isEmpty());
        {
            OfficeDocument deck = ProgramOffice().Load(ppt, DocumentKind::Presentation);
            QCOMPARE(MasterTexts(deck), QStringList{source.master});
            const QList<OfficeDocument::PageText> texts = deck.PageTexts({PageKind::Slide, 0});
            QCOMPARE(Texts(texts), (QStringList{source.title, source.cells.at(0), source.cells.at(1), source.cells.at(2),
                                                source.grouped, source.nested, QStringLiteral("x"), QStringLiteral("*")}));
            QCOMPARE(texts.at(0).typeCode, OfficeDocument::kShapePlaceholder);
            QCOMPARE(texts.at(1).typeCode, OfficeDocument::kShapeTable);
            QCOMPARE(texts.at(5).path.size(), 3);
        }
        const QByteArray sourceHash = Hash(ppt);
        QList<int> bar;
        QProgressBar* progressBar = dlgProgress().ProgressBar1;
        progressBar->setValue(0);
        const QMetaObject::Connection watch =
            connect(progressBar, &QProgressBar::valueChanged, this, [&](int value) { bar.append(value); });
        const QString output = newName(QStringLiteral(".ppt"));
        const bool converted = ConvertPPT(dlgProgress(), ppt, output, true, false, false, false);
        disconnect(watch);
        QVERIFY(converted);
        QCOMPARE(m_log->procedures(), QStringList{});
        QCOMPARE(Hash(ppt), sourceHash);
        QCOMPARE(bar, (QList<int>{10, 20, 46, 72, 98, 100}));

        OfficeDocument deck = ProgramOffice().Load(output, DocumentKind::Presentation);
        QCOMPARE(deck.FilterName(), QString::fromLatin1(office::kFilterPowerPoint97));
        QCOMPARE(MasterTexts(deck), QStringList{QStringLiteral("母版軟件")});
        const QList<OfficeDocument::PageText> texts = deck.PageTexts({PageKind::Slide, 0});
        QCOMPARE(Texts(texts), (QStringList{QStringLiteral("標題軟件"), QStringLiteral("表格軟件"), QStringLiteral("鼠標"),
                                            QStringLiteral("網絡"), QStringLiteral("組合軟件"), QStringLiteral("內層鼠標"),
                                            QStringLiteral("x"), QStringLiteral("*")}));
        // The outer group is gone; the inner one became a shape of the slide and kept its members.
        QCOMPARE(texts.at(4).path.size(), 1);
        QCOMPARE(texts.at(5).path.size(), 2);
        QCOMPARE(Texts(deck.PageTexts({PageKind::SlideNotes, 0})).filter(QStringLiteral("備註")),
                 QStringList{QStringLiteral("備註鼠標")});
        QCOMPARE(Texts(deck.PageTexts({PageKind::Slide, 2})), QStringList{QStringLiteral("第3頁軟件")});

        // Every converted text carries the output font; the "*" left alone keeps its own.
        QStringList fonts = deck.PageTextFonts({PageKind::Slide, 0}, texts);
        QCOMPARE(fonts.takeLast() == QStringLiteral("細明體"), false);
        QCOMPARE(fonts, QStringList(texts.size() - 1, QStringLiteral("細明體")));
        const QList<OfficeDocument::PageText> notes = deck.PageTexts({PageKind::SlideNotes, 0});
        QCOMPARE(deck.PageTextFonts({PageKind::SlideNotes, 0}, notes).value(notes.size() - 1), QStringLiteral("細明體"));
    }

    // A deck of many slides converts in one run of the converter; its last slide, holding
    // more shapes than one office call takes, too.
    void manySlidesConverted()
    {
        const int slides = 200;
        const int boxes = 450;
        const QString ppt = writePpt(FlatDeck(DeckTexts(), slides, boxes));
        const QString output = newName(QStringLiteral(".ppt"));
        QVERIFY(ConvertPPT(dlgProgress(), ppt, output, true, false, false, false));
        QCOMPARE(m_log->procedures(), QStringList{});
        OfficeDocument deck = ProgramOffice().Load(output, DocumentKind::Presentation);
        QCOMPARE(deck.SlideCount(), slides);
        QStringList expected{QStringLiteral("第200頁軟件")};
        for (int b = 1; b < boxes; ++b)
            expected.append(QStringLiteral("鼠標%1").arg(b));
        QCOMPARE(Texts(deck.PageTexts({PageKind::Slide, slides - 1})), expected);
    }

    // The PowerPoint window's run, scheduled: a corrupt presentation and outputs that are their
    // own input (through "./" and through a link) fail their rows with records and no box;
    // the good rows are converted; every row handled gets the processed bit. Runs last: the
    // run's quit ends the office.
    void powerPointRunFailsOnlyTheBadRows()
    {
        ComposeProgram();
        InitFileTypes();
        const QString good1 = writePpt(FlatDeck(DeckTexts(), 1));
        const QString corrupt = newName(QStringLiteral(".ppt"));
        office_tests::WriteBytes(corrupt, QByteArray("\xD0\xCF\x11\xE0 not a presentation", 24));
        const QString good2 = writePpt(FlatDeck(DeckTexts(), 2));
        const QByteArray good2Hash = Hash(good2);
        const QString self = QFileInfo(good2).absolutePath() + QStringLiteral("/./") + QFileInfo(good2).fileName();
        const QString link = newName(QStringLiteral(".ppt"));
        QVERIFY(QFile::link(good2, link));
        const QStringList inputs{good1, corrupt, good2, good2, good2};
        const QStringList outputs{newName(QStringLiteral(".ppt")), newName(QStringLiteral(".ppt")),
                                  newName(QStringLiteral(".ppt")), self, link};
        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(inputs.size() + 1);
        grid.setFixedRows(0);
        for (int i = 0; i < inputs.size(); ++i) {
            grid.setTextMatrix(i + 1, 2, inputs.at(i));
            grid.setTextMatrix(i + 1, 3, outputs.at(i));
            grid.setRowData(i + 1, FileRowPowerPoint);
        }
        const bool scheduled = gbSchedRun;
        gbSchedRun = true;
        ModalScript modal;
        ExecutePPTConv(&grid, true, false, false, false);
        gbSchedRun = scheduled;
        QCOMPARE(modal.asked().size(), 0);
        const QList<bool> failed{false, true, false, true, true};
        for (int row = 1; row <= inputs.size(); ++row) {
            QVERIFY(grid.RowData(row) & FileRowProcessed);
            QCOMPARE(grid.TextMatrix(row, 0) == QLatin1String("."), failed.at(row - 1));
            grid.setRow(row);
            grid.setCol(0);
            if (failed.at(row - 1))
                QCOMPARE(grid.CellPicture().toImage(), gPicFailed.pixmap().toImage());
        }
        QVERIFY(!gPicFailed.isNull());
        QVERIFY(!QFile::exists(outputs.at(1)));
        QCOMPARE(Hash(good2), good2Hash);
        QVERIFY(m_log->procedures().contains(QStringLiteral("ConvertPPT")));
        OfficeDocument deck = ProgramOffice().Load(outputs.at(2), DocumentKind::Presentation);
        QCOMPARE(Texts(deck.PageTexts({PageKind::Slide, 1})), QStringList{QStringLiteral("第2頁軟件")});
    }
};

TEZ_REGISTER_TEST(TestPresentationConversion)
#include "test_presentation_conversion.moc"
