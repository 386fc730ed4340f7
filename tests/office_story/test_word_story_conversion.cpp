// A Word document converted inside the document after a plain start-up (the tables as the
// program loads them, no vocabulary window opened), in .doc and .docx made by the office:
// every paragraph of every place (body, table cell, header, footnote, endnote, text frame,
// shape, a shape inside a group) comes out as the library converts the same text as a
// string, and every story has the output font where the run sets one; the objects, the
// author and the page count are those of a plain office load and store; a converted word
// keeps the bold and italic of its characters; the input is unchanged and nothing is left
// beside the output.
#include "common/OfficeTestSupport.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "batch/BatchRuns.h"
#include "core/ConvertOptions.h"
#include "core/FileRowFlags.h"
#include "core/Globals.h"
#include "office/OfficeSession.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/office/OfficeDocument.h"
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeFormats.h"
#include "platform/office/OfficeSuite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using office::DocumentKind;
using office::OfficeDocument;
using office_session::ProgramOffice;
using office_tests::RtfText;

namespace {

struct Flags {
    bool bCode, bPhrase, bB52GB, bL2R;
};

const QString kMixedBold = QStringLiteral("软");
const QString kMixedItalic = QStringLiteral("件");

// The places of the document, each a text the conversion changes.
QStringList PlaceTexts()
{
    return {QStringLiteral("中文文档"),         QStringLiteral("这个软件用鼠标"), QStringLiteral("\U00020BB7后面的软件"),
            QStringLiteral("表格里的中文文档"), QStringLiteral("页眉的软件"),     QStringLiteral("脚注的鼠标"),
            QStringLiteral("尾注的软件"),       QStringLiteral("文本框的软件"),
            QStringLiteral("图形的鼠标"),       QStringLiteral("批注的软件"),     QStringLiteral("组合图形的软件")};
}

QByteArray FixtureRtf()
{
    const QStringList t = PlaceTexts();
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n"
                     "{\\info{\\author Alice Chen}}\n";
    rtf += "{\\header\\pard\\plain " + RtfText(t[4]) + "\\par}\n";
    rtf += "\\pard\\plain " + RtfText(t[0]) + "\\par\n";
    rtf += "\\pard\\plain " + RtfText(t[1]) + "\\par\n";
    rtf += "\\pard\\plain " + RtfText(t[2]) + "\\par\n";
    rtf += "\\pard\\plain " + RtfText(QStringLiteral("混合")) + "{\\b " + RtfText(kMixedBold) + "}{\\i " +
           RtfText(kMixedItalic) + "}" + RtfText(QStringLiteral("格式")) + "\\par\n";
    rtf += "\\pard\\plain " + RtfText(QStringLiteral("这里")) + "{\\super\\chftn}{\\footnote\\pard\\plain{\\super\\chftn} " +
           RtfText(t[5]) + "}" + RtfText(QStringLiteral("软件")) + "\\par\n";
    rtf += "\\pard\\plain " + RtfText(QStringLiteral("那里")) +
           "{\\super\\chftn}{\\footnote\\ftnalt\\pard\\plain{\\super\\chftn} " + RtfText(t[6]) + "}\\par\n";
    rtf += "\\trowd\\cellx4000\\pard\\intbl " + RtfText(t[3]) + "\\cell\\row\n\\pard\n";
    rtf += "\\pard\\plain\\pagebb " + RtfText(QStringLiteral("第二页")) + "\\par\n";
    rtf += "\\pard\\pvpara\\phmrg\\posx1000\\posy500\\absw3000\\abswrap2 " + RtfText(t[7]) + "\\par\n";
    rtf += "\\pard\\plain{\\shp{\\*\\shpinst\\shpleft500\\shptop2000\\shpright4000\\shpbottom3000\\shpwr3"
           "{\\sp{\\sn shapeType}{\\sv 1}}{\\shptxt \\pard " + RtfText(t[8]) + "\\par}}}\n";
    // Two shapes grouped, one holding text.
    rtf += "\\pard\\plain{\\shpgrp{\\*\\shpinst\\shpleft500\\shptop3500\\shpright4500\\shpbottom4500\\shpwr3"
           "{\\sp{\\sn groupLeft}{\\sv 0}}{\\sp{\\sn groupTop}{\\sv 0}}{\\sp{\\sn groupRight}{\\sv 4000}}"
           "{\\sp{\\sn groupBottom}{\\sv 1000}}"
           "{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright2500\\shpbottom1000{\\sp{\\sn shapeType}{\\sv 1}}"
           "{\\shptxt \\pard " + RtfText(t[10]) + "\\par}}}"
           "{\\shp{\\*\\shpinst\\shpleft3000\\shptop0\\shpright4000\\shpbottom1000{\\sp{\\sn shapeType}{\\sv 1}}}}}}\\par\n";
    rtf += "\\pard\\plain " + RtfText(QStringLiteral("批注")) + "{\\*\\atnid AC}{\\*\\atnauthor Alice}\\chatn{\\*\\annotation\\pard\\plain " + RtfText(t[9]) + "}\\par\n";
    rtf += "\\par}\n";
    return rtf;
}

// Every paragraph of every story, read without changing anything.
QStringList Paragraphs(OfficeDocument& document)
{
    QStringList seen;
    document.ConvertStoryTexts([&](const QStringList& texts) {
        if (seen.isEmpty())
            seen = texts;
        return texts;
    });
    return seen;
}

QByteArray Hash(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

}  // namespace

Q_DECLARE_METATYPE(Flags)

class TestWordStoryConversion : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramFolderFixture> m_program;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        office::OfficeSettings settings = office::DefaultOfficeSettings();
        settings.profileDir = m_dir.filePath(QStringLiteral("profile"));
        office_session::SetProgramOfficeSettings(settings);
        // The fixture in both formats, written by the office from RTF.
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("in"))));
        const QString rtf = m_dir.filePath(QStringLiteral("fixture.rtf"));
        QVERIFY(office_tests::WriteBytes(rtf, FixtureRtf()));
        OfficeDocument source = ProgramOffice().Load(rtf, DocumentKind::Text);
        source.StoreAs(m_dir.filePath(QStringLiteral("in/a.doc")), QString::fromLatin1(office::kFilterWord97));
        source.StoreAs(m_dir.filePath(QStringLiteral("in/a.docx")), office::StoreFilterFor(QStringLiteral("a.docx"), ""));
        // A plain start-up of the program: its tables as it loads them.
        m_program = std::make_unique<ProgramFolderFixture>();
        {
            ModalScript modal;
            m_program->start();
        }
    }
    void cleanupTestCase()
    {
        office_session::StopProgramOffice();
        m_program->stop();
        m_program.reset();
    }

    void everyPlaceAsTheStringConversion_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<Flags>("flags");
        for (const char* ext : {"doc", "docx"}) {
            QTest::addRow("Word window, %s, toward Traditional with vocabulary", ext)
                << QStringLiteral("Word") << QString::fromLatin1(ext) << Flags{true, true, false, false};
            QTest::addRow("HTML window, %s, vocabulary only", ext)
                << QStringLiteral("HTML") << QString::fromLatin1(ext) << Flags{false, true, false, false};
        }
        QTest::addRow("HTML window, doc, characters only") << QStringLiteral("HTML") << QStringLiteral("doc")
                                                          << Flags{true, false, false, false};
    }
    void everyPlaceAsTheStringConversion()
    {
        QFETCH(QString, window);
        QFETCH(QString, extension);
        QFETCH(Flags, flags);
        const QString input = m_dir.filePath(QStringLiteral("in/a.") + extension);
        const QByteArray inputHash = Hash(input);
        QTemporaryDir out;
        const QString output = out.filePath(QStringLiteral("a.") + extension);

        // What a plain office load and store of the input gives, and its paragraphs.
        const QString plain = m_dir.filePath(QStringLiteral("plain.") + extension);
        QStringList sourceParagraphs;
        {
            OfficeDocument source = ProgramOffice().Load(input, DocumentKind::Text);
            sourceParagraphs = Paragraphs(source);
            source.StoreAs(plain, office::StoreFilterFor(plain, office::kFilterWord97));
        }
        for (const QString& place : PlaceTexts())
            QVERIFY2(!sourceParagraphs.filter(place).isEmpty(), qPrintable(sourceParagraphs.join(QLatin1Char('/'))));

        FlexGrid grid;
        grid.setCols(4);
        grid.setRows(2);
        grid.setFixedRows(1);
        grid.setTextMatrix(1, 2, input);
        grid.setTextMatrix(1, 3, output);
        grid.setRowData(1, FileRowWord);
        {
            const bool wasScheduled = gbSchedRun;
            gbSchedRun = true;
            ModalScript modal;
            if (window == QLatin1String("Word"))
                ExecuteDocConv(&grid, flags.bCode, flags.bPhrase, flags.bB52GB, flags.bL2R);
            else
                ExecuteHtmlConv(&grid, flags.bCode, flags.bPhrase, flags.bB52GB, flags.bL2R);
            gbSchedRun = wasScheduled;
            QCOMPARE(modal.asked().size(), 0);
        }
        QVERIFY(grid.RowData(1) & FileRowProcessed);
        QCOMPARE(grid.TextMatrix(1, 0), QString());
        QCOMPARE(Hash(input), inputHash);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{QStringLiteral("a.") + extension});

        // Expected: the library's string conversion of each paragraph with the run's flags.
        SetConvertOption(flags.bB52GB, flags.bCode, flags.bPhrase, flags.bL2R);
        QStringList expected;
        for (const QString& text : sourceParagraphs)
            expected.append(text.isEmpty() ? text : ConvertUString(text, giConvType, giConvOption));
        for (const QString& place : PlaceTexts())
            QVERIFY2(ConvertUString(place, giConvType, giConvOption) != place, qPrintable(place));

        // The run ends its hold on the office: the documents to compare are loaded after it.
        OfficeDocument plainDocument = ProgramOffice().Load(plain, DocumentKind::Text);
        OfficeDocument result = ProgramOffice().Load(output, DocumentKind::Text);
        QCOMPARE(result.FilterName(), plainDocument.FilterName());
        // The stories may come in another order from another format's store (a frame as a shape).
        QStringList paragraphs = Paragraphs(result);
        paragraphs.sort();
        expected.sort();
        QCOMPARE(paragraphs, expected);
        QCOMPARE(result.Parts(), plainDocument.Parts());
        QVERIFY(plainDocument.PageCount() > 1);
        QCOMPARE(result.PageCount(), plainDocument.PageCount());
        QCOMPARE(plainDocument.Parts().comments, 1);
        QCOMPARE(result.TextProperties().value(3), plainDocument.TextProperties().value(3));
        QCOMPARE(result.TextProperties().value(3), QStringLiteral("Alice Chen"));
        const QString word = ConvertUString(kMixedBold + kMixedItalic, giConvType, giConvOption);
        QCOMPARE(word.size(), 2);
        const QStringList runs = result.BodyRunStyles();
        QVERIFY2(runs.contains(word.left(1) + QStringLiteral("|b")), qPrintable(runs.join(QLatin1Char(' '))));
        QVERIFY2(runs.contains(word.mid(1) + QStringLiteral("|i")), qPrintable(runs.join(QLatin1Char(' '))));
        // The output font reaches every story: notes and the grouped shape as the body.
        if (!gsConvFontName.isEmpty())
            QCOMPARE(result.StoryRunFonts(), QStringList{gsConvFontName + QLatin1Char('|') + gsConvFontName});
    }
};

TEZ_REGISTER_TEST(TestWordStoryConversion)
#include "test_word_story_conversion.moc"
