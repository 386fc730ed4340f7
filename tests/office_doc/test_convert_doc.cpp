// The Word window's run and the Word document converter on the program's office, with real
// .doc files made through the office: every place of a document converted (body, header,
// footer, text frame, table), its title, the output font; vocabulary only; proper nouns kept
// whole; a library that fails; an output that is its own input; a corrupt document among
// good ones; an office that cannot start.
#include "common/GeneratedTables.h"
#include "common/ConverterTestSetUp.h"
#include "common/OfficeTestSupport.h"
#include "common/ProgramTableList.h"
#include "common/TestMain.h"

#include "app/Composition.h"
#include "batch/BatchRuns.h"
#include "core/FileRowFlags.h"
#include "core/Globals.h"
#include "core/LoadedTableList.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/office/OfficeSuite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using office::DocumentKind;
using office_session::ProgramOffice;
using office_tests::DocumentTexts;

namespace {

struct Item {
    QString trad;
    QString simp;
};

struct Table {
    QList<Item> items;
    int32_t status = 1;
};

// The conversion flags as the Word window's two combos give them.
struct Flags {
    bool bCode, bPhrase, bB52GB, bL2R;
};

DocumentTexts EveryPlace(const QString& text, const QString& title)
{
    DocumentTexts t;
    t.body = t.header = t.footer = t.frame = t.table = t.shape = text;
    t.title = title;
    return t;
}

// The words of every story of the document (a table's text may come with the body's too).
QStringList Words(const office::OfficeDocument& document)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList words;
    for (const QString& text : document.StoryTexts())
        words += text.split(space, Qt::SkipEmptyParts);
    return words;
}

QByteArray Hash(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

void AddRow(FlexGrid& grid, const QString& input, const QString& output, int32_t rowWord)
{
    grid.setRows(grid.Rows() + 1);
    const int row = grid.Rows() - 1;
    grid.setTextMatrix(row, 2, input);
    grid.setTextMatrix(row, 3, output);
    grid.setRowData(row, rowWord);
}

std::unique_ptr<FlexGrid> EmptyGrid()
{
    auto grid = std::make_unique<FlexGrid>();
    grid->setCols(4);
    grid->setRows(1);
    grid->setFixedRows(0);
    return grid;
}

bool RowDone(FlexGrid& grid, int row) { return (grid.RowData(row) & FileRowProcessed) && grid.TextMatrix(row, 0).isEmpty(); }
bool RowFailed(FlexGrid& grid, int row) { return (grid.RowData(row) & FileRowProcessed) && grid.TextMatrix(row, 0) == QStringLiteral("."); }

// While alive, gbSchedRun has the value.
struct ScheduledRun {
    explicit ScheduledRun(bool on) : old(gbSchedRun) { gbSchedRun = on; }
    ~ScheduledRun() { gbSchedRun = old; }
    bool old;
};

}  // namespace

Q_DECLARE_METATYPE(Flags)
Q_DECLARE_METATYPE(QList<Table>)

class TestConvertDoc : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<office_tests::ErrorLogFile> m_log;
    test_tables::ProgramTableList m_tables;
    int m_files = 0;

    QString newName(const QString& suffix) { return m_dir.filePath(QStringLiteral("f%1%2").arg(++m_files).arg(suffix)); }

    // A Word 97 document with the texts, made through the office.
    QString writeDoc(const DocumentTexts& texts)
    {
        const QString rtf = newName(QStringLiteral(".rtf"));
        office_tests::WriteBytes(rtf, office_tests::RtfDocument(texts));
        const QString doc = newName(QStringLiteral(".doc"));
        ProgramOffice().Load(rtf, DocumentKind::Text).StoreAs(doc, QString::fromLatin1(office::kFilterWord97));
        QFile::remove(rtf);
        return doc;
    }

    // The tables as the program's list and the library's, in order, with their statuses.
    void useTables(const QList<Table>& tables)
    {
        m_tables.Drop();
        for (const Table& table : tables) {
            int32_t h = 0;
            QCOMPARE(_TezNewPCT(ghStmt, ToSystemCodePage(newName(QStringLiteral(".pct"))).constData(), &h), 0);
            for (int i = 0; i < table.items.size(); ++i)
                _TezPCTInsertItem(h, i, ToSystemCodePage(table.items[i].trad).constData(),
                                  ToSystemCodePage(table.items[i].simp).constData(), 1);
            _TezSetPCTStatus(h, table.status);
            m_tables.Add(h, table.status);
        }
    }
    void useRegionalTable()
    {
        m_tables.Drop();
        int32_t h = 0;
        QCOMPARE(_TezLoadPCT(ghStmt, ToSystemCodePage(QDir(generated_tables::dataDir()).filePath(QStringLiteral("Regional.pct"))).constData(), &h), 0);
        _TezSetPCTStatus(h, 1);
        m_tables.Add(h, 1);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        office_tests::StartConverterTests(m_dir);
        ComposeProgram();
        m_tables.Drop();
    }
    void init() { m_log = std::make_unique<office_tests::ErrorLogFile>(); }
    void cleanup()
    {
        m_log.reset();
        m_tables.Drop();
    }
    void cleanupTestCase()
    {
        office_session::StopProgramOffice();
        QVERIFY(!ProgramOffice().IsRunning());
    }

    // The Word window's run: the five places and the title in the output script and usage,
    // the output font on every run, the row done, no intermediate left, no box when scheduled.
    void wordRunConvertsEveryPlace_data()
    {
        QTest::addColumn<Flags>("flags");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("converted");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("font");
        QTest::newRow("code and vocabulary toward Traditional")
            << Flags{true, true, false, false} << QStringLiteral("软件和鼠标") << QStringLiteral("軟體和滑鼠")
            << QStringLiteral("軟體") << QStringLiteral("細明體");
        QTest::newRow("code only toward Traditional")
            << Flags{true, false, false, false} << QStringLiteral("软件和鼠标") << QStringLiteral("軟件和鼠標")
            << QStringLiteral("軟件") << QStringLiteral("細明體");
        QTest::newRow("code and vocabulary toward Simplified")
            << Flags{true, true, true, true} << QStringLiteral("軟體和滑鼠") << QStringLiteral("软件和鼠标")
            << QStringLiteral("软件") << QStringLiteral("宋体");
        QTest::newRow("vocabulary only, Simplified text toward Traditional usage")
            << Flags{false, true, false, false} << QStringLiteral("软件和鼠标") << QStringLiteral("软体和滑鼠")
            << QStringLiteral("软体") << QStringLiteral("宋体");
        QTest::newRow("vocabulary only, Simplified text toward Simplified usage")
            << Flags{false, true, false, true} << QStringLiteral("软体和滑鼠") << QStringLiteral("软件和鼠标")
            << QStringLiteral("软件") << QStringLiteral("宋体");
    }
    void wordRunConvertsEveryPlace()
    {
        QFETCH(Flags, flags);
        QFETCH(QString, text);
        QFETCH(QString, converted);
        QFETCH(QString, title);
        QFETCH(QString, font);
        useRegionalTable();
        const QString doc = writeDoc(EveryPlace(text, text.left(2)));
        const QByteArray sourceHash = Hash(doc);
        qsizetype sourceWords = 0;
        {
            office::OfficeDocument source = ProgramOffice().Load(doc, DocumentKind::Text);
            sourceWords = Words(source).size();
            QVERIFY(sourceWords >= 5);
            QVERIFY(source.StoryRunFonts() != QStringList{font + QLatin1Char('|') + font});
        }
        QTemporaryDir out;
        const QString output = out.filePath(QStringLiteral("sub/a.doc"));
        auto grid = EmptyGrid();
        AddRow(*grid, doc, output, FileRowWord);
        {
            ScheduledRun scheduled(true);
            ModalScript modal;
            ExecuteDocConv(grid.get(), flags.bCode, flags.bPhrase, flags.bB52GB, flags.bL2R);
            QCOMPARE(modal.asked().size(), 0);
        }
        QVERIFY(RowDone(*grid, 1));
        QCOMPARE(m_log->procedures(), QStringList{});
        QCOMPARE(Hash(doc), sourceHash);
        QCOMPARE(QDir(out.filePath(QStringLiteral("sub"))).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.doc")});

        office::OfficeDocument result = ProgramOffice().Load(output, DocumentKind::Text);
        QCOMPARE(result.FilterName(), QString::fromLatin1(office::kFilterWord97));
        // Every place of the source is there, converted.
        const QStringList words = Words(result);
        QCOMPARE(words.size(), sourceWords);
        for (const QString& word : words)
            QCOMPARE(word, converted);
        QCOMPARE(result.TextProperties().value(0), title);
        QCOMPARE(result.StoryRunFonts(), QStringList{font + QLatin1Char('|') + font});
    }

    // A page style that keeps its first-page and left-page headers and footers apart from the
    // right ones: every one of them is converted.
    void headersKeptApartConverted()
    {
        useRegionalTable();
        QByteArray rtf = "{\\rtf1\\ansi\\facingp{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\titlepg";
        const QStringList places{QStringLiteral("headerf"), QStringLiteral("headerl"), QStringLiteral("headerr"),
                                 QStringLiteral("footerf"), QStringLiteral("footerl"), QStringLiteral("footerr")};
        for (const QString& place : places)
            rtf += "{\\" + place.toLatin1() + "\\pard " + office_tests::RtfText(QStringLiteral("软件") + place) + "\\par}";
        rtf += "\\pard " + office_tests::RtfText(QStringLiteral("软件")) + "\\par}";
        const QString source = newName(QStringLiteral(".rtf"));
        office_tests::WriteBytes(source, rtf);
        const QString doc = newName(QStringLiteral(".doc"));
        ProgramOffice().Load(source, DocumentKind::Text).StoreAs(doc, QString::fromLatin1(office::kFilterWord97));
        {
            const QStringList texts = ProgramOffice().Load(doc, DocumentKind::Text).StoryTexts();
            for (const QString& place : places)
                QVERIFY2(texts.join(QLatin1Char('|')).contains(QStringLiteral("软件") + place), qPrintable(place));
        }
        QTemporaryDir out;
        const QString output = out.filePath(QStringLiteral("a.doc"));
        QVERIFY(ConvertDOC(dlgProgress(), doc, output, true, true, false, false));
        const QString texts = ProgramOffice().Load(output, DocumentKind::Text).StoryTexts().join(QLatin1Char('|'));
        QVERIFY2(!texts.contains(QStringLiteral("软件")), qPrintable(texts));
        for (const QString& place : places)
            QVERIFY2(texts.contains(QStringLiteral("軟體") + place), qPrintable(place));
    }

    // Terms of an in-use proper-noun table earlier in the list stay whole while the other
    // tables' terms are replaced; a table of proper nouns not in use protects nothing.
    void properNounsKeptWhole_data()
    {
        QTest::addColumn<QList<Table>>("tables");
        QTest::addColumn<QString>("converted");
        const Table ordinary{{{QStringLiteral("軟體"), QStringLiteral("软件")}, {QStringLiteral("園區"), QStringLiteral("园")}}, 1};
        QTest::newRow("proper nouns in use")
            << QList<Table>{{{{QStringLiteral("軟件園"), QStringLiteral("軟件園")}}, 3}, ordinary} << QStringLiteral("軟件園的軟體和園區");
        QTest::newRow("proper nouns not in use")
            << QList<Table>{{{{QStringLiteral("軟件園"), QStringLiteral("軟件園")}}, 2}, ordinary} << QStringLiteral("軟體園區的軟體和園區");
        QTest::newRow("no proper nouns") << QList<Table>{ordinary} << QStringLiteral("軟體園區的軟體和園區");
    }
    void properNounsKeptWhole()
    {
        QFETCH(QList<Table>, tables);
        QFETCH(QString, converted);
        useTables(tables);
        const QString doc = writeDoc(EveryPlace(QStringLiteral("軟件園的軟件和園"), QString()));
        const qsizetype places = Words(ProgramOffice().Load(doc, DocumentKind::Text)).size();
        QVERIFY(places >= 6);
        const QString output = newName(QStringLiteral(".doc"));
        QVERIFY(ConvertDOC(dlgProgress(), doc, output, true, true, false, false));
        QCOMPARE(m_log->procedures(), QStringList{});
        office::OfficeDocument result = ProgramOffice().Load(output, DocumentKind::Text);
        QCOMPARE(Words(result), QStringList(places, converted));
    }

    // A conversion that cannot be done soundly stores nothing, leaves the source as it was
    // and writes one record naming the document.
    void refusedConversionsStoreNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("library fails") << QStringLiteral("library");
        QTest::newRow("output is the input by ./") << QStringLiteral("dot");
        QTest::newRow("output is the input by a link") << QStringLiteral("link");
    }
    void refusedConversionsStoreNothing()
    {
        QFETCH(QString, kind);
        useTables({{{{QStringLiteral("軟體"), QStringLiteral("软件")}}, 1}});
        DocumentTexts t;
        t.body = QStringLiteral("软件");
        t.title = QStringLiteral("软件");
        const QString doc = writeDoc(t);
        const QByteArray sourceHash = Hash(doc);
        QString output = newName(QStringLiteral(".doc"));
        if (kind == QStringLiteral("dot"))
            output = QFileInfo(doc).absolutePath() + QStringLiteral("/./") + QFileInfo(doc).fileName();
        if (kind == QStringLiteral("link"))
            QVERIFY(QFile::link(doc, output));
        const int32_t stmt = ghStmt;
        if (kind == QStringLiteral("library"))
            ghStmt = 0;
        const bool converted = ConvertDOC(dlgProgress(), doc, output, true, true, false, false);
        ghStmt = stmt;
        QVERIFY(!converted);
        QCOMPARE(Hash(doc), sourceHash);
        if (kind == QStringLiteral("library"))
            QVERIFY(!QFile::exists(output));
        QCOMPARE(m_log->procedures(), QStringList{QStringLiteral("ConvertDOC")});
        QFile log(gsErrFile);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(FromSystemCodePage(log.readAll()).contains(doc));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden), QStringList{});
    }

    // A corrupt document and a row that is its own input among good ones (one of them holding
    // private-use characters, which are text like any other): those rows fail, the good ones
    // are done, and the summary is the only box, shown only when not scheduled.
    void corruptDocumentFailsOnlyItsRow_data()
    {
        QTest::addColumn<bool>("scheduled");
        QTest::newRow("interactive") << false;
        QTest::newRow("scheduled") << true;
    }
    void corruptDocumentFailsOnlyItsRow()
    {
        QFETCH(bool, scheduled);
        useRegionalTable();
        const QString good1 = writeDoc(EveryPlace(QStringLiteral("软件"), QString()));
        const QString corrupt = newName(QStringLiteral(".doc"));
        static const char kNotADocument[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 not a document at all";
        office_tests::WriteBytes(corrupt, QByteArray(kNotADocument, sizeof kNotADocument - 1));
        const QString good2 = writeDoc(EveryPlace(QStringLiteral("鼠标"), QString()));
        const QString self = writeDoc(EveryPlace(QStringLiteral("软件"), QString()));
        const QByteArray selfHash = Hash(self);
        const QString marked = writeDoc(EveryPlace(QStringLiteral("软件") + QChar(0xF8F9), QString()));
        QTemporaryDir out;
        auto grid = EmptyGrid();
        AddRow(*grid, good1, out.filePath(QStringLiteral("1.doc")), FileRowWord);
        AddRow(*grid, corrupt, out.filePath(QStringLiteral("2.doc")), FileRowWord);
        AddRow(*grid, good2, out.filePath(QStringLiteral("3.doc")), FileRowWord);
        AddRow(*grid, self, QFileInfo(self).absolutePath() + QStringLiteral("/./") + QFileInfo(self).fileName(), FileRowWord);
        AddRow(*grid, marked, out.filePath(QStringLiteral("5.doc")), FileRowWord);
        {
            ScheduledRun run(scheduled);
            ModalScript modal;
            if (!scheduled)
                modal.answer(vbOK);
            ExecuteDocConv(grid.get(), true, true, false, false);
            QCOMPARE(modal.messages(), scheduled ? QStringList{} : QStringList{QStringLiteral("DOC文件转换\r\n运行退出！")});
            QCOMPARE(modal.unexpected(), 0);
        }
        QVERIFY(RowDone(*grid, 1));
        QVERIFY(RowFailed(*grid, 2));
        QVERIFY(RowDone(*grid, 3));
        QVERIFY(RowFailed(*grid, 4));
        QVERIFY(RowDone(*grid, 5));
        QCOMPARE(Hash(self), selfHash);
        // One record, the converter's, naming the corrupt document (the row that is its own input
        // is refused before any conversion).
        QCOMPARE(m_log->procedures(), QStringList{QStringLiteral("ConvertDOC")});
        QFile log(gsErrFile);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(FromSystemCodePage(log.readAll()).contains(corrupt));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("1.doc"), QStringLiteral("3.doc"), QStringLiteral("5.doc")}));
        office::OfficeDocument result = ProgramOffice().Load(out.filePath(QStringLiteral("3.doc")), DocumentKind::Text);
        QCOMPARE(Words(result).value(0), QStringLiteral("滑鼠"));
    }

    // An office that cannot start: under the scheduler no box, the reason in the error log,
    // the Word row failed and marked, the text row still converted.
    void officeThatCannotStartIsLogged()
    {
        office::OfficeSettings broken = office::DefaultOfficeSettings();
        broken.programDir = m_dir.filePath(QStringLiteral("no-office-here"));
        broken.profileDir = m_dir.filePath(QStringLiteral("profile2"));
        office_session::SetProgramOfficeSettings(broken);
        QTemporaryDir out;
        const QString text = out.filePath(QStringLiteral("a.txt"));
        QVERIFY(office_tests::WriteBytes(text, ToSystemCodePage(QStringLiteral("软件"))));
        auto grid = EmptyGrid();
        AddRow(*grid, out.filePath(QStringLiteral("in.doc")), out.filePath(QStringLiteral("out.doc")), FileRowWord);
        AddRow(*grid, text, out.filePath(QStringLiteral("b.txt")), FileRowText);
        {
            ScheduledRun scheduled(true);
            ModalScript modal;
            ExecuteDocConv(grid.get(), true, false, false, false);
            QCOMPARE(modal.asked().size(), 0);
        }
        office::OfficeSettings settings = office::DefaultOfficeSettings();
        settings.profileDir = m_dir.filePath(QStringLiteral("profile"));
        office_session::SetProgramOfficeSettings(settings);
        QVERIFY(RowFailed(*grid, 1));
        QVERIFY(RowDone(*grid, 2));
        QVERIFY(!QFile::exists(out.filePath(QStringLiteral("out.doc"))));
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("b.txt"))));
        QCOMPARE(m_log->procedures(), (QStringList{QStringLiteral("InitWordApp"), QStringLiteral("ExecuteDocConv"),
                                                   QStringLiteral("ExecuteDocConv")}));
    }
};

TEZ_REGISTER_TEST(TestConvertDoc)
#include "test_convert_doc.moc"
