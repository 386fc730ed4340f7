// Conversions on several statements at once: each thread's results are those of a call made
// alone, while another statement's tables change (which makes every statement rebuild its
// vocabulary matchers). Run under the sanitizers too.
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QTest>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace tezc_test;

namespace {

struct Call {
    int mode, flag;
};
const Call kCalls[] = {{0, 0}, {0, -1}, {1, 0}, {1, -1}, {2, -1}, {3, 0}};

// One string conversion and the fetch of its result on a statement.
std::u16string convert(int32_t stmt, const std::u16string& text, const Call& c)
{
    int32_t res = 0;
    if (_TezConvertStringUU(stmt, text.data(), int32_t(text.size()), c.mode, c.flag, &res) != 0) return u"(failed)";
    std::u16string out(size_t(_TezGetUniLen(res)), u'\0');
    _TezGetUniStr(res, out.data(), int32_t(out.size()));
    return out;
}

}  // namespace

class TestThreads : public QObject {
    Q_OBJECT
private slots:
    void statementsConvertAtOnce()
    {
        Library lib;
        const QString sample = QStringLiteral("登录的内核是畫素藉由稽覈。我的头发有点长了，软件和鼠标。皇后大道上的那家老店 abc 123\n");
        const QString repeated = sample.repeated(400);
        const std::u16string text(reinterpret_cast<const char16_t*>(repeated.utf16()), size_t(repeated.size()));
        std::vector<std::u16string> expected;
        for (const Call& c : kCalls) expected.push_back(convert(lib.stmt, text, c));

        constexpr int kThreads = 6;
        std::vector<int32_t> stmts(kThreads);
        const QByteArray lst = QDir(dataDir()).filePath("PCTS.LST").toUtf8();
        for (int32_t& st : stmts) {
            QCOMPARE(_TezCreateStmt(lib.env, &st, 1000), 0);
            QCOMPARE(_TezLoadLST(st, lst.constData()), 0);
        }
        std::atomic<bool> done{false};
        std::atomic<int> wrong{0};
        // Another statement's table is switched off and on meanwhile: an entry that changes
        // tables runs alone, between the conversions.
        const int32_t table = lib.addTable(lib.makeTable("own.pct", {{QStringLiteral("測驗"), QStringLiteral("测试")}}), 1);
        std::thread changer([&] {
            for (int k = 0; !done; ++k) _TezSetPCTStatus(table, k % 2);
        });
        std::vector<std::thread> workers;
        for (int t = 0; t < kThreads; ++t)
            workers.emplace_back([&, t] {
                for (int round = 0; round < 4; ++round)
                    for (size_t k = 0; k < std::size(kCalls); ++k)
                        if (convert(stmts[size_t(t)], text, kCalls[(k + size_t(t)) % std::size(kCalls)]) !=
                            expected[(k + size_t(t)) % std::size(kCalls)])
                            ++wrong;
            });
        for (std::thread& w : workers) w.join();
        done = true;
        changer.join();
        QCOMPARE(wrong.load(), 0);
        for (int32_t st : stmts) _TezUnloadLST(st);
    }

    // A clone converts with its statement's list as it stands at each call (a table loaded
    // and changed in memory after the clone was made included), and the list entries refuse
    // it.
    void cloneConvertsWithItsStatementsList()
    {
        Library lib;
        int32_t clone = 0;
        QCOMPARE(_TezCloneStmt(lib.stmt, &clone), 0);
        const QString text = QStringLiteral("甲乙丙和软件");
        QCOMPARE(convert(clone, text.toStdU16String(), {0, -1}), convert(lib.stmt, text.toStdU16String(), {0, -1}));
        const int32_t table = lib.addTable(lib.makeTable(QStringLiteral("mine.pct"), {{QStringLiteral("戊己庚"), QStringLiteral("甲乙丙")}}), 1);
        QVERIFY(table != 0);
        const std::u16string converted = convert(clone, text.toStdU16String(), {0, -1});
        QVERIFY(QString::fromStdU16String(converted).startsWith(QStringLiteral("戊己庚")));
        QCOMPARE(converted, convert(lib.stmt, text.toStdU16String(), {0, -1}));
        int32_t count = -1;
        QCOMPARE(_TezGetPCTNum(clone, &count), int32_t(TEZ_ERR_HANDLE));
        QCOMPARE(_TezUnloadLST(clone), int32_t(TEZ_ERR_HANDLE));
        QCOMPARE(_TezCloneStmt(clone, &count), int32_t(TEZ_ERR_HANDLE));
        QCOMPARE(_TezGetPCTNum(lib.stmt, &count), 0);
        QVERIFY(count > 0);
    }

    // TEZ_OUTPUT_NEW: the file conversion makes the output under its own name (and no other
    // file), refuses a name that exists and leaves nothing when it fails.
    void newOutputsAreWrittenUnderTheirOwnName()
    {
        Library lib;
        int32_t clone = 0;
        QCOMPARE(_TezCloneStmt(lib.stmt, &clone), 0);
        QCOMPARE(_TezSetFileOutput(clone, TEZ_OUTPUT_NEW), 0);
        QCOMPARE(_TezSetFileOutput(clone, 7), int32_t(TEZ_ERR_ARG));
        QDir().mkpath(lib.path(QStringLiteral("out")));
        const QString input = lib.path(QStringLiteral("in.htm"));
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head></head><body>" + gb(QStringLiteral("软件")) + "</body></html>");
        file.close();
        const QByteArray out = gb(lib.path(QStringLiteral("out/.tezc-abcdef")));
        QCOMPARE(_TezFileConversion(clone, gb(input).constData(), out.constData(), 3, 1, -1), 0);
        QCOMPARE(QDir(lib.path(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden), QStringList{".tezc-abcdef"});
        const QByteArray replace = gb(lib.path(QStringLiteral("out/replaced.htm")));
        QCOMPARE(_TezFileConversion(lib.stmt, gb(input).constData(), replace.constData(), 3, 1, -1), 0);
        QFile a(QString::fromUtf8(lib.path(QStringLiteral("out/.tezc-abcdef")).toUtf8())), b(lib.path(QStringLiteral("out/replaced.htm")));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
        QCOMPARE(_TezFileConversion(clone, gb(input).constData(), out.constData(), 3, 1, -1), int32_t(TEZ_ERR_WRITE));
        const QByteArray missing = gb(lib.path(QStringLiteral("missing.txt")));
        const QByteArray other = gb(lib.path(QStringLiteral("out/.tezc-ghijkl")));
        QVERIFY(_TezFileConversion(clone, missing.constData(), other.constData(), 3, 1, 0) != 0);
        QVERIFY(!QFile::exists(lib.path(QStringLiteral("out/.tezc-ghijkl"))));
    }
};

TEZ_REGISTER_TEST(TestThreads)
#include "test_threads.moc"
