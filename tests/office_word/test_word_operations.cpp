// The word-processor operations and the office start and quit on the program's one office:
// RTF and Word 97 copies that keep every text, vocabulary replacement with its progress,
// the extra table, bad documents, and the office's lifetime across operations and holds.
#include "common/GeneratedTables.h"
#include "common/ConverterTestSetUp.h"
#include "common/OfficeTestSupport.h"
#include "common/ProgramTableList.h"
#include "common/TestMain.h"

#include "core/Err.h"
#include "core/Globals.h"
#include "core/LoadedTableList.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "office/basMSOUtil.h"
#include "platform/CodePage.h"
#include "platform/office/OfficeSuite.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using office::DocumentKind;
using office_session::ProgramOffice;
using office_tests::DocumentTexts;
using office_tests::FiveTexts;
using office_tests::SortedTexts;

namespace {

struct Item {
    QString trad;
    QString simp;
    int32_t status = 1;
};

struct Table {
    QList<Item> items;
    int32_t status = 1;
};

}  // namespace

class TestWordOperations : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<office_tests::ErrorLogFile> m_log;
    test_tables::ProgramTableList m_tables;
    int m_files = 0;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString newName(const QString& suffix) { return path(QStringLiteral("f%1%2").arg(++m_files).arg(suffix)); }

    // A Word 97 document with the texts, made through the office.
    QString writeDoc(const DocumentTexts& texts)
    {
        const QString rtf = newName(QStringLiteral(".rtf"));
        office_tests::WriteBytes(rtf, office_tests::RtfDocument(texts));
        const QString doc = newName(QStringLiteral(".doc"));
        ProgramOffice().Load(rtf, DocumentKind::Text).StoreAs(doc, QString::fromLatin1(office::kFilterWord97));
        return doc;
    }
    static QString filterOf(const QString& file) { return ProgramOffice().Load(file, DocumentKind::Text).FilterName(); }
    static QStringList textsOf(const QString& file) { return SortedTexts(ProgramOffice().Load(file, DocumentKind::Text).Texts()); }

    // Puts the tables into the program's list, in order.
    void useTables(const QList<Table>& tables)
    {
        m_tables.Drop();
        for (const Table& table : tables) {
            int32_t h = 0;
            const QString file = newName(QStringLiteral(".pct"));
            QCOMPARE(_TezNewPCT(ghStmt, ToSystemCodePage(file).constData(), &h), 0);
            for (int i = 0; i < table.items.size(); ++i)
                _TezPCTInsertItem(h, i, ToSystemCodePage(table.items[i].trad).constData(),
                                  ToSystemCodePage(table.items[i].simp).constData(), table.items[i].status);
            m_tables.Add(h, table.status);
        }
    }
    static QProgressBar& bar() { return *dlgProgress().ProgressBar1; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        office_tests::StartConverterTests(m_dir);
        m_tables.Drop();
    }
    void init() { m_log = std::make_unique<office_tests::ErrorLogFile>(); }
    void cleanup()
    {
        QCOMPARE(m_log->procedures(), QStringList{});
        m_log.reset();
        m_tables.Drop();
    }
    void cleanupTestCase()
    {
        office_session::StopProgramOffice();
        QVERIFY(!ProgramOffice().IsRunning());
    }

    void rtfAndWord8CopiesKeepEveryText()
    {
        const QString doc = writeDoc(FiveTexts());
        const QString output = newName(QStringLiteral(".doc"));
        const QString intermediate = RtfIntermediatePath(output);
        WordSaveAsRtf(doc, intermediate);
        QCOMPARE(filterOf(intermediate), QStringLiteral("Rich Text Format"));
        QCOMPARE(textsOf(intermediate), SortedTexts(FiveTexts()));
        QFile::copy(intermediate, output);
        WordSaveAsWord8(output, output);
        QCOMPARE(filterOf(output), QStringLiteral("MS Word 97"));
        QCOMPARE(textsOf(output), SortedTexts(FiveTexts()));
        WordSaveAsWord8(intermediate, newName(QStringLiteral(".doc")));
        QCOMPARE(filterOf(intermediate), QStringLiteral("Rich Text Format"));
    }

    // The shipped regional table, toward Traditional usage inside a Traditional document.
    void regionalTermsReplacedInBodyAndHeader()
    {
        int32_t h = 0;
        QCOMPARE(_TezLoadPCT(ghStmt, ToSystemCodePage(QDir(generated_tables::dataDir()).filePath(QStringLiteral("Regional.pct"))).constData(), &h), 0);
        m_tables.Drop();
        m_tables.Add(h, 1);
        DocumentTexts t;
        t.body = QStringLiteral("軟件和鼠標");
        t.header = QStringLiteral("頁首的軟件與鼠標");
        const QString doc = writeDoc(t);
        WordReplaceAllPhrases(doc, false, false);
        QCOMPARE(filterOf(doc), QStringLiteral("MS Word 97"));
        QCOMPARE(textsOf(doc), SortedTexts(QStringList{QStringLiteral("軟體和滑鼠"), QStringLiteral("頁首的軟體與滑鼠")}));
    }

    void vocabularyItemsAppliedInOrder_data()
    {
        QTest::addColumn<bool>("bTermB52GB");
        QTest::addColumn<bool>("bL2R");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("expected");
        // Plain items (characters both scripts share): Traditional term replaced by Simplified.
        QTest::newRow("Traditional to Simplified terms") << true << true << QStringLiteral("甲一 甲二 甲三 丙 上 乙三")
                                                         << QStringLiteral("乙一 甲二 乙三 丙 下左 乙三");
        QTest::newRow("Simplified to Traditional terms") << true << false << QStringLiteral("乙一 乙二 乙三 丁")
                                                         << QStringLiteral("甲一 乙二 甲三 丁");
        // Terms converted to the document's script before the search.
        QTest::newRow("terms in Traditional characters") << false << false << QStringLiteral("軟件")
                                                         << QStringLiteral("軟體");
        QTest::newRow("terms in Simplified characters") << true << true << QStringLiteral("软体")
                                                        << QStringLiteral("软件");
    }
    void vocabularyItemsAppliedInOrder()
    {
        QFETCH(bool, bTermB52GB);
        QFETCH(bool, bL2R);
        QFETCH(QString, body);
        QFETCH(QString, expected);
        useTables({
            {{{QStringLiteral("甲一"), QStringLiteral("乙一")},
              {QStringLiteral("甲二"), QStringLiteral("乙二"), 0},
              {QStringLiteral("甲三"), QStringLiteral("乙三")}}, 1},
            {{{QStringLiteral("丙"), QStringLiteral("丁")}}, 0},
            {{{QStringLiteral("上"), QStringLiteral("下中")},
              {QStringLiteral("中"), QStringLiteral("左")},
              {QStringLiteral("軟體"), QStringLiteral("软件")},
              {QStringLiteral("子丑"), QStringLiteral("寅卯")},
              {QStringLiteral("辰巳"), QStringLiteral("午未")}}, 1},
            {{{QStringLiteral("乙三"), QStringLiteral("丙三")}}, 3},
        });
        DocumentTexts t;
        t.body = body;
        const QString doc = writeDoc(t);
        bar().setRange(0, 100);
        bar().setValue(0);
        dlgProgress().labFile->clear();
        WordReplaceAllPhrases(doc, bTermB52GB, bL2R);
        QCOMPARE(textsOf(doc), QStringList{expected});
        QCOMPARE(bar().maximum(), 9);
        QCOMPARE(bar().value(), 8);
        QCOMPARE(dlgProgress().labFile->text(), doc);
    }

    void noOrdinaryTableInUseSavesTheDocumentUnchanged()
    {
        useTables({{{{QStringLiteral("甲一"), QStringLiteral("乙一")}}, 0},
                   {{{QStringLiteral("甲一"), QStringLiteral("乙一")}}, 3}});
        DocumentTexts t;
        t.body = QStringLiteral("甲一");
        const QString doc = writeDoc(t);
        bar().setRange(0, 100);
        WordReplaceAllPhrases(doc, true, true);
        QCOMPARE(textsOf(doc), QStringList{QStringLiteral("甲一")});
        QCOMPARE(bar().maximum(), 1);
    }

    void extraTableReplacesSimplifiedByTraditionalTerms()
    {
        int32_t extra = 0;
        _TezGetPCT(ghStmt, -1, &extra);
        int32_t count = 0;
        _TezPCTGetItemNum(extra, &count);
        QVERIFY(count > 0);
        char trad[100] = {};
        char simp[100] = {};
        int32_t tradLen = 100, simpLen = 100, status = 0;
        _TezPCTGetItem(extra, 0, trad, &tradLen, simp, &simpLen, &status);
        const QString from = FromSystemCodePage(simp);
        const QString to = FromSystemCodePage(trad);
        QVERIFY(!from.isEmpty() && from != to);
        DocumentTexts t;
        t.body = QStringLiteral("前") + from + QStringLiteral("後");
        const QString doc = writeDoc(t);
        WordReplaceTablePhrases(doc);
        QCOMPARE(ghTmpPCT, extra);
        QCOMPARE(textsOf(doc), QStringList{QStringLiteral("前") + to + QStringLiteral("後")});
    }

    void clearFindFormattingSavesTheDocument()
    {
        const QString doc = writeDoc(FiveTexts());
        WordClearFindFormatting(doc, false);
        QCOMPARE(filterOf(doc), QStringLiteral("MS Word 97"));
        QCOMPARE(textsOf(doc), SortedTexts(FiveTexts()));
    }

    // A bad document fails toward the caller and leaves no output; an output that was there
    // stays as it was; the next document goes through.
    void badDocumentsFailWithoutOutput_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("outputExisted");
        QTest::newRow("random bytes") << QStringLiteral("random") << false;
        QTest::newRow("truncated") << QStringLiteral("truncated") << false;
        QTest::newRow("encrypted") << QStringLiteral("encrypted") << false;
        QTest::newRow("random bytes, output there before") << QStringLiteral("random") << true;
    }
    void badDocumentsFailWithoutOutput()
    {
        QFETCH(QString, kind);
        QFETCH(bool, outputExisted);
        QTemporaryDir dir;
        const QString bad = dir.filePath(QStringLiteral("a.doc"));
        if (kind == QStringLiteral("random")) {
            QByteArray bytes;
            for (int i = 0; i < 4096; ++i)
                bytes += char((i * 7919 + 13) % 251);
            office_tests::WriteBytes(bad, bytes);
        } else if (kind == QStringLiteral("truncated")) {
            const QByteArray whole = office_tests::ReadBytes(writeDoc(FiveTexts()));
            office_tests::WriteBytes(bad, whole.left(whole.size() / 3));
        } else {
            QFile::copy(office_tests::EncryptedDocFixture(), bad);
        }
        const QByteArray input = office_tests::ReadBytes(bad);
        const QString output = dir.filePath(QStringLiteral("out.doc"));
        if (outputExisted)
            office_tests::WriteBytes(output, "the user's own file");
        QVERIFY_THROWS_EXCEPTION(RuntimeError, WordSaveAsRtf(bad, RtfIntermediatePath(output)));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, WordSaveAsWord8(bad, output));
        QCOMPARE(office_tests::ReadBytes(bad), input);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), outputExisted ? 2 : 1);
        if (outputExisted)
            QCOMPARE(office_tests::ReadBytes(output), QByteArray("the user's own file"));
        const QString good = writeDoc(FiveTexts());
        const QString intermediate = RtfIntermediatePath(output);
        WordSaveAsRtf(good, intermediate);
        QCOMPARE(textsOf(intermediate), SortedTexts(FiveTexts()));
    }

    // One office serves the operations one after another, a killed one is replaced by the
    // next operation, and an office nothing holds ends when it is not used for a while.
    void officeLivesAcrossOperationsAndEndsWhenIdle()
    {
        const QString doc = writeDoc(FiveTexts());
        WordClearFindFormatting(doc, false);
        const long pid = ProgramOffice().ProcessId();
        WordClearFindFormatting(doc, false);
        QCOMPARE(ProgramOffice().ProcessId(), pid);
        ::kill(pid_t(pid), SIGKILL);
        QTRY_VERIFY(!ProgramOffice().IsRunning());
        WordSaveAsRtf(doc, newName(QStringLiteral(".wpc")));
        QVERIFY(ProgramOffice().ProcessId() != pid);
        office_session::SetIdleStopMs(300);
        office_session::StopWhenIdle();
        QTRY_VERIFY_WITH_TIMEOUT(!ProgramOffice().IsRunning(), 10000);
        office_session::SetIdleStopMs(60000);
    }

    void holdsKeepTheOfficeUntilTheLastQuit()
    {
        QVERIFY(InitWordApp());
        QVERIFY(InitExcelApp());
        QVERIFY(InitPowerPointApp());
        QCOMPARE(gWordApp, &ProgramOffice());
        QCOMPARE(gExcelApp, &ProgramOffice());
        QCOMPARE(gPPTApp, &ProgramOffice());
        QCOMPARE(gvMsg, ProgramOffice().ProductName());
        QVERIFY(!gvMsg.isEmpty());
        const long pid = ProgramOffice().ProcessId();
        QVERIFY(ExitWordApp());
        QVERIFY(!gWordApp);
        QVERIFY(ExitExcelApp());
        QVERIFY(ProgramOffice().IsRunning());
        QCOMPARE(ProgramOffice().ProcessId(), pid);
        QVERIFY(ExitPowerPointApp());
        QVERIFY(!gPPTApp);
        QVERIFY(!ProgramOffice().IsRunning());
    }
};

TEZ_REGISTER_TEST(TestWordOperations)
#include "test_word_operations.moc"
