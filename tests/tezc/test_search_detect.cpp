// Phrase search over the loaded tables and detection of asymmetric conversions.
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QTest>

using namespace tezc_test;

namespace {

struct Entry {
    int32_t pct = 0, index = -1, status = -1;
    QString trad, simp;
};

Entry fetch(const std::function<int32_t(int32_t*, int32_t*, int32_t*, char*, int32_t*, char*, int32_t*)>& get)
{
    Entry e;
    QByteArray t(100, '\0'), s(100, '\0');
    int32_t tl = 100, sl = 100;
    get(&e.pct, &e.index, &e.status, t.data(), &tl, s.data(), &sl);
    e.trad = fromGb(t.left(t.indexOf('\0')));
    e.simp = fromGb(s.left(s.indexOf('\0')));
    return e;
}

}  // namespace

class TestSearchDetect : public QObject {
    Q_OBJECT

private slots:
    void phraseSearch_data()
    {
        QTest::addColumn<QString>("term");
        QTest::addColumn<QStringList>("hits");  // "table:index" in order
        QTest::newRow("simplified side") << "软" << QStringList{"a:0", "b:1"};
        QTest::newRow("traditional side") << "體" << QStringList{"a:0"};
        QTest::newRow("both tables") << "件" << QStringList{"a:0", "b:0", "b:1"};
        QTest::newRow("nothing") << "天" << QStringList{};
        QTest::newRow("empty term") << "" << QStringList{};
    }
    void phraseSearch()
    {
        QFETCH(QString, term);
        QFETCH(QStringList, hits);
        Library lib({0, 1, 9}, false);
        const int32_t a = lib.addTable(lib.makeTable("a.pct", {{"軟體", "软件"}, {"滑鼠", "鼠标"}}), 1);
        const int32_t b = lib.addTable(lib.makeTable("b.pct", {{"文件", "文件", 0}, {"軟件", "软件"}}), 0);
        int32_t search = 0, n = -1;
        QCOMPARE(_TezPhraseSearch(lib.stmt, gb(term).constData(), &search), 0);
        QCOMPARE(_TezPhraseSearchTotalPhraseNum(search, &n), 0);
        QStringList got;
        for (int i = 0; i < n; ++i) {
            const Entry e = fetch([&](auto... args) { return _TezPhraseSearchGetPhrase(search, i, args...); });
            got << QStringLiteral("%1:%2").arg(e.pct == a ? "a" : e.pct == b ? "b" : "?").arg(e.index);
        }
        QCOMPARE(got, hits);
    }

    void searchResultIsASnapshot()
    {
        Library lib({0, 1, 9}, false);
        const int32_t a = lib.addTable(lib.makeTable("a.pct", {{"軟體", "软件"}}), 1);
        int32_t search = 0;
        _TezPhraseSearch(lib.stmt, gb("软").constData(), &search);
        _TezPCTModifyItem(a, 0, gb("軟件").constData(), gb("软件").constData());
        _TezPCTEnableItem(a, 0, 0);
        const Entry e = fetch([&](auto... args) { return _TezPhraseSearchGetPhrase(search, 0, args...); });
        QCOMPARE(e.trad, QStringLiteral("軟體"));
        QCOMPARE(e.status, 1);
        // The next search replaces the result: the old handle is no longer valid.
        int32_t next = 0, n = 0;
        _TezPhraseSearch(lib.stmt, gb("软").constData(), &next);
        QVERIFY(_TezPhraseSearchTotalPhraseNum(search, &n) != 0);
        QCOMPARE(_TezPhraseSearchTotalPhraseNum(next, &n), 0);
        QCOMPARE(n, 1);
        // It outlives the table it came from, its terms still in GB18030.
        QCOMPARE(_TezUnloadPCT(lib.stmt, a), 0);
        QCOMPARE(fetch([&](auto... args) { return _TezPhraseSearchGetPhrase(next, 0, args...); }).trad,
                 QStringLiteral("軟件"));
    }

    void detect_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("secondStatus");
        QTest::addColumn<int>("groups");
        QTest::addColumn<QStringList>("firstGroup");
        // 軟體/软件 and 軟件/软件: Simplified to Traditional is ambiguous (one source, two
        // targets); Traditional to Simplified joins two sources in one target.
        QTest::newRow("S to T") << 0 << 1 << 1 << QStringList{"軟體", "軟件"};
        QTest::newRow("T to S") << -1 << 1 << 1 << QStringList{"軟體", "軟件"};
        QTest::newRow("item out of use") << 0 << 0 << 0 << QStringList{};
        // 軟件/软件 marked as holding for Traditional to Simplified only (status bit 4).
        QTest::newRow("other direction only") << 0 << 5 << 0 << QStringList{};
    }
    void detect()
    {
        QFETCH(int, direction);
        QFETCH(int, secondStatus);
        QFETCH(int, groups);
        QFETCH(QStringList, firstGroup);
        Library lib({0, 1, 9}, false);
        lib.addTable(lib.makeTable("a.pct", {{"軟體", "软件"}, {"滑鼠", "鼠标"}}), 1);
        lib.addTable(lib.makeTable("b.pct", {{"軟件", "软件", secondStatus}}), 1);
        int32_t amb = 0, g = -1, total = -1;
        QCOMPARE(_TezAmbiguousDetect(lib.stmt, direction, &amb), 0);
        QCOMPARE(_TezAmbiguousTotalSetNum(amb, &g), groups);
        QCOMPARE(g, groups);
        QCOMPARE(_TezAmbiguousTotalPhraseNum(amb, &total), firstGroup.size());
        if (groups == 0) return;
        int32_t count = -1;
        QCOMPARE(_TezAmbiguousGetSetItemCount(amb, 0, &count), firstGroup.size());
        QStringList got;
        for (int k = 0; k < count; ++k)
            got << fetch([&](auto... args) { return _TezAmbiguousGetPhrase(amb, 0, k, args...); }).trad;
        QCOMPARE(got, firstGroup);
        QVERIFY(_TezAmbiguousGetSetItemCount(amb, groups, &count) < 0);
    }
};

TEZ_REGISTER_TEST(TestSearchDetect)
#include "test_search_detect.moc"
