// Conversion tables and vocabulary tables: what is refused, the table list, item edits,
// import, limits, and edits reaching their files.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QTest>
#include <QtEndian>

using namespace tezc_test;

namespace {

struct ItemOut {
    QString trad, simp;
    int32_t status = 0;
    int32_t rc = 0;
};

// A table file's bytes with its Simplified->Traditional trie changed: "changed" gives 后
// another one-unit replacement, "corrupt" makes the trie's last hash slot name a node it
// does not have, "truncated" cuts the file in the middle of the trie, "emptied" gives the
// trie section no bytes.
QByteArray tableVariant(int index, const QString& variant)
{
    QByteArray bytes = ReadFileBytes(tablePath(index));
    if (variant == "same") return bytes;
    // Header: magic, version, role, section count, reserved, file size (32 bytes); then
    // per section: kind, reserved, offset, size (24 bytes).
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    const auto u64 = [&](qsizetype at) { return qFromLittleEndian<quint64>(bytes.constData() + at); };
    qsizetype trie = -1, trieSize = 0;
    for (quint32 i = 0; i < u32(16); ++i)
        if (u32(32 + 24 * i) == 5) {
            trie = qsizetype(u64(32 + 24 * i + 8));
            trieSize = qsizetype(u64(32 + 24 * i + 16));
        }
    if (trie < 0) return {};
    if (variant == "truncated") return bytes.left(trie + trieSize / 2);
    if (variant == "emptied") {
        for (quint32 i = 0; i < u32(16); ++i)
            if (u32(32 + 24 * i) == 5) qToLittleEndian<quint64>(0, bytes.data() + 32 + 24 * i + 16);
        return bytes;
    }
    // Trie: header (6 words), root entries (65536 words), nodes (8 bytes each), hash slots.
    const quint32 nodeCount = u32(trie + 4), edgeSlots = u32(trie + 8);
    const qsizetype root = trie + 24, nodes = root + 65536 * 4;
    const qsizetype edges = (nodes + qsizetype(nodeCount) * 8 + 7) & ~qsizetype(7);
    if (variant == "changed") {
        const quint32 node = u32(root + 4 * 0x540E) & 0x3FFFFF;  // 后
        qToLittleEndian<quint16>(0x539A, bytes.data() + nodes + 8 * node + 6);  // 厚
    } else if (variant == "corrupt") {
        qToLittleEndian<quint64>(0x3FFFFF, bytes.data() + edges + 8 * (qsizetype(edgeSlots) - 1));
    }
    return bytes;
}

ItemOut getItem(int32_t h, int32_t index)
{
    ItemOut out;
    QByteArray trad(100, '\0'), simp(100, '\0');
    int32_t tl = 100, sl = 100;
    out.rc = _TezPCTGetItem(h, index, trad.data(), &tl, simp.data(), &sl, &out.status);
    out.trad = fromGb(trad.left(trad.indexOf('\0')));
    out.simp = fromGb(simp.left(simp.indexOf('\0')));
    return out;
}

int32_t itemCount(int32_t h)
{
    int32_t n = -1;
    _TezPCTGetItemNum(h, &n);
    return n;
}

}  // namespace

class TestTables : public QObject {
    Q_OBJECT

private slots:
    void shippedTablesLoad()
    {
        Library lib;
        for (int i = 0; i < 10; ++i) QCOMPARE(lib.loadRc[i], 0);
        QCOMPARE(lib.listRc, 0);
        int32_t n = 0;
        QCOMPARE(_TezGetPCTNum(lib.stmt, &n), 0);
        QCOMPARE(n, 1);
        int32_t h = 0, status = -1;
        QCOMPARE(_TezGetPCT(lib.stmt, 0, &h), 0);
        QCOMPARE(_TezGetPCTStatus(h, &status), 0);
        QCOMPARE(status, 1);
        QVERIFY(itemCount(h) > 500);
        QByteArray path(200, '\0');
        int32_t len = 200;
        _TezPCTGetPath(h, path.data(), &len);
        QCOMPARE(QString::fromUtf8(path.left(path.indexOf('\0'))), QDir(dataDir()).filePath("Regional.pct"));
        QCOMPARE(_TezGetPCT(lib.stmt, 1, &h), int32_t(TEZ_ERR_INDEX));
    }

    void cctRefused_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << 0 << "missing" << int(TEZ_ERR_OPEN);
        QTest::newRow("text file") << 0 << "text" << int(TEZ_ERR_FORMAT);
        QTest::newRow("other table's file") << 0 << "other" << int(TEZ_ERR_FORMAT);
        QTest::newRow("truncated") << 1 << "truncated" << int(TEZ_ERR_FORMAT);
        QTest::newRow("index out of range") << 10 << "text" << int(TEZ_ERR_INDEX);
    }
    void cctRefused()
    {
        QFETCH(int, index);
        QFETCH(QString, kind);
        QFETCH(int, expected);
        Library lib({}, false);
        const QString file = lib.path("table.cct");
        if (kind == "text") WriteFileBytes(file, "not a table\n");
        else if (kind == "other") QFile::copy(tablePath(9), file);
        else if (kind == "truncated") WriteFileBytes(file, ReadFileBytes(tablePath(1)).left(100000));
        QCOMPARE(_TezLoadCCT(lib.env, index, file.toUtf8().constData(), 0, 0), int32_t(expected));
    }

    // A loaded table file that changes on disk changes nothing the library reads.
    void loadedTableChangedOnDisk_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("overwritten in place with 0xFF") << "overwritten";
        QTest::newRow("removed") << "removed";
    }
    void loadedTableChangedOnDisk()
    {
        QFETCH(QString, change);
        Library lib({}, false);
        const QString file = lib.path("gb-big5.cct");
        QVERIFY(QFile::copy(tablePath(1), file));
        QCOMPARE(_TezLoadCCT(lib.env, 1, file.toUtf8().constData(), 0, 0), 0);
        const QString text = QStringLiteral("头发发展后来着装污染虚伪");
        const QString before = lib.uu(text, 0, 0);
        QCOMPARE(before, QStringLiteral("頭髮發展後來著裝汙染虛偽"));
        QFile f(file);
        if (change == "truncated") {
            QVERIFY(f.resize(4096));
        } else if (change == "overwritten") {
            QVERIFY(f.open(QIODevice::ReadWrite));
            const QByteArray ff(int(f.size()), char(0xFF));
            QCOMPARE(f.write(ff), qint64(ff.size()));
            f.close();
        } else {
            QVERIFY(f.remove());
        }
        QCOMPARE(lib.uu(text, 0, 0), before);
        QCOMPARE(lib.ud(text, 0, 0), big5(before));
    }

    // Tables that carry the same trie share one loaded copy: only a byte-identical section
    // is shared, a differing or broken one is its own or refused, and replacing a table
    // prepares the trie again from what is loaded now.
    void sharedSections_data()
    {
        QTest::addColumn<QStringList>("steps");  // "index:variant" loaded in order
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<QString>("converted");  // 后 from Simplified to Traditional
        QTest::newRow("same trie in three tables")
            << QStringList{"1:same", "5:same", "7:same"} << QList<int>{0, 0, 0} << "後";
        QTest::newRow("a later table's trie differs")
            << QStringList{"7:same", "5:changed"} << QList<int>{0, 0} << "厚";
        QTest::newRow("a later table's trie is broken near its end")
            << QStringList{"1:same", "5:corrupt", "7:corrupt"}
            << QList<int>{0, TEZ_ERR_FORMAT, TEZ_ERR_FORMAT} << "後";
        QTest::newRow("a later table's trie section is empty")
            << QStringList{"1:same", "7:emptied"} << QList<int>{0, TEZ_ERR_FORMAT} << "後";
        QTest::newRow("a later table is cut inside the shared trie")
            << QStringList{"1:same", "5:truncated"} << QList<int>{0, TEZ_ERR_FORMAT} << "後";
        QTest::newRow("the providing table replaced, its trie still shared by another")
            << QStringList{"1:same", "7:same", "1:changed"} << QList<int>{0, 0, 0} << "厚";
        QTest::newRow("replaced and loaded again")
            << QStringList{"1:same", "7:same", "1:changed", "1:same"} << QList<int>{0, 0, 0, 0} << "後";
        QTest::newRow("the same file loaded again at its index")
            << QStringList{"1:changed", "1:changed"} << QList<int>{0, 0} << "厚";
    }
    void sharedSections()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, results);
        QFETCH(QString, converted);
        Library lib({}, false);
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const int index = steps[i].section(':', 0, 0).toInt();
            const QString variant = steps[i].section(':', 1);
            // A fresh file for every step: what was loaded stays whatever happens on disk.
            const QString file = lib.path(QStringLiteral("step%1.cct").arg(i));
            WriteFileBytes(file, tableVariant(index, variant));
            QCOMPARE(_TezLoadCCT(lib.env, index, file.toUtf8().constData(), 0, 0), int32_t(results[i]));
        }
        QCOMPARE(lib.uu(QStringLiteral("后"), 0, 0), converted);
    }

    void listProblems_data()
    {
        QTest::addColumn<int>("tables");
        QTest::addColumn<bool>("withMissing");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("loaded");
        QTest::newRow("at the limit") << int(TEZ_MAX_USER_TABLES) << false << 0 << int(TEZ_MAX_USER_TABLES);
        QTest::newRow("over the limit") << int(TEZ_MAX_USER_TABLES) + 1 << false << int(TEZ_ERR_LIMIT) << 0;
        QTest::newRow("a missing table") << 2 << true << int(TEZ_ERR_OPEN) << 2;
    }
    void listProblems()
    {
        QFETCH(int, tables);
        QFETCH(bool, withMissing);
        QFETCH(int, expected);
        QFETCH(int, loaded);
        Library lib({0, 1, 9}, false);
        const QString table = lib.makeTable("t.pct", {{"軟體", "软件"}});
        QByteArray list = "TEZLST 1\n";
        for (int i = 0; i < tables; ++i) list += "1\tt.pct\n";
        if (withMissing) list += "1\tmissing.pct\n";
        WriteFileBytes(lib.path("PCTS.LST"), list);
        QCOMPARE(_TezLoadLST(lib.stmt, lib.path("PCTS.LST").toUtf8().constData()), int32_t(expected));
        int32_t n = -1;
        _TezGetPCTNum(lib.stmt, &n);
        QCOMPARE(n, loaded);
    }

    void listSavedInOrder()
    {
        Library lib({0, 1, 9}, false);
        lib.addTable(lib.makeTable("first.pct", {{"甲", "甲"}}), 3);
        lib.addTable(lib.makeTable("second.pct", {{"乙", "乙"}}), 0);
        QCOMPARE(_TezSaveLST(lib.stmt, gb(lib.path("PCTS.LST")).constData()), 0);
        QCOMPARE(ReadFileBytes(lib.path("PCTS.LST")), QByteArray("TEZLST 1\n3\tfirst.pct\n0\tsecond.pct\n"));
        _TezUnloadLST(lib.stmt);
        QCOMPARE(_TezLoadLST(lib.stmt, gb(lib.path("PCTS.LST")).constData()), 0);
        int32_t h = 0, status = -1;
        _TezGetPCT(lib.stmt, 0, &h);
        _TezGetPCTStatus(h, &status);
        QCOMPARE(status, 3);
        QCOMPARE(getItem(h, 0).trad, QStringLiteral("甲"));
    }

    void relativeTablePathSurvivesAListElsewhere()
    {
        Library lib({0, 1, 9}, false);
        lib.makeTable("t.pct", {{"甲", "甲"}});
        QDir(lib.folder()).mkdir("lists");
        const QString saved = QDir::currentPath();
        QDir::setCurrent(lib.folder());
        int32_t h = 0;
        QCOMPARE(_TezLoadPCT(lib.stmt, "t.pct", &h), 0);
        QDir::setCurrent(saved);
        QCOMPARE(_TezSaveLST(lib.stmt, gb(lib.path("lists/PCTS.LST")).constData()), 0);
        _TezUnloadLST(lib.stmt);
        QCOMPARE(_TezLoadLST(lib.stmt, gb(lib.path("lists/PCTS.LST")).constData()), 0);
        int32_t n = 0;
        _TezGetPCTNum(lib.stmt, &n);
        QCOMPARE(n, 1);
    }

    void pctLoadResults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("items");
        QTest::newRow("good") << QByteArray("TEZPCT 1\n1\t軟體\t软件\n0\t滑鼠\t鼠标\n") << 0 << 2;
        QTest::newRow("bad line skipped") << QByteArray("TEZPCT 1\n1\t軟體\t软件\nbroken line\n") << int(TEZ_WARN_PARTIAL) << 1;
        QTest::newRow("not a table") << QByteArray("軟體,软件\n") << int(TEZ_ERR_FORMAT) << -1;
        QTest::newRow("empty file") << QByteArray() << int(TEZ_ERR_FORMAT) << -1;
    }
    void pctLoadResults()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, expected);
        QFETCH(int, items);
        Library lib({0, 1, 9}, false);
        WriteFileBytes(lib.path("t.pct"), content);
        int32_t h = 0;
        QCOMPARE(_TezLoadPCT(lib.stmt, gb(lib.path("t.pct")).constData(), &h), int32_t(expected));
        int32_t n = 0;
        _TezGetPCTNum(lib.stmt, &n);
        QCOMPARE(n, items < 0 ? 0 : 1);
        if (items >= 0) QCOMPARE(itemCount(h), items);
    }

    void tableLimits()
    {
        Library lib({0, 1, 9}, false);
        const QString file = lib.makeTable("t.pct", {});
        for (int i = 0; i < TEZ_MAX_USER_TABLES; ++i) lib.addTable(file, 1);
        int32_t h = 0;
        QCOMPARE(_TezLoadPCT(lib.stmt, gb(file).constData(), &h), int32_t(TEZ_ERR_LIMIT));
        QCOMPARE(_TezNewPCT(lib.stmt, gb(lib.path("new.pct")).constData(), &h), int32_t(TEZ_WARN_PARTIAL));
    }

    void itemEdits()
    {
        Library lib({0, 1, 9}, false);
        const int32_t h = lib.addTable(lib.makeTable("t.pct", {{"甲", "甲"}, {"乙", "乙"}}), 1);
        QCOMPARE(_TezPCTInsertItem(h, 2, gb("軟體").constData(), gb("软件").constData(), 1), 0);
        QCOMPARE(_TezPCTInsertItem(h, 4, gb("x").constData(), gb("y").constData(), 1), int32_t(TEZ_ERR_INDEX));
        QCOMPARE(_TezPCTInsertItem(h, 0, gb("a\tb").constData(), gb("y").constData(), 1), int32_t(TEZ_ERR_ARG));
        QCOMPARE(_TezPCTModifyItem(h, 0, gb("丙").constData(), gb("丙").constData()), 0);
        QCOMPARE(_TezPCTEnableItem(h, 1, 0), 0);
        QCOMPARE(_TezPCTDelItem(h, 1, 3), int32_t(TEZ_ERR_INDEX));
        QCOMPARE(itemCount(h), 3);
        QCOMPARE(getItem(h, 0).trad, QStringLiteral("丙"));
        QCOMPARE(getItem(h, 1).status, 0);
        const ItemOut third = getItem(h, 2);
        QCOMPARE(third.trad, QStringLiteral("軟體"));
        QCOMPARE(third.simp, QStringLiteral("软件"));
        QCOMPARE(_TezPCTDelItem(h, 0, 2), 0);
        QCOMPARE(itemCount(h), 1);
        QCOMPARE(getItem(h, 1).rc, int32_t(TEZ_ERR_INDEX));
        // The edits converted at once.
        QCOMPARE(lib.uu(QStringLiteral("软件"), 0, -1), QStringLiteral("軟體"));
    }

    void editsReachTheFileBeforeUnload()
    {
        Library lib({0, 1, 9}, false);
        const QString file = lib.makeTable("t.pct", {{"甲", "甲"}});
        const int32_t h = lib.addTable(file, 1);
        _TezPCTInsertItem(h, 1, gb("軟體").constData(), gb("软件").constData(), 1);
        QVERIFY(!ReadFileBytes(file).contains("軟體"));
        QCOMPARE(_TezUnloadLST(lib.stmt), 0);
        QCOMPARE(ReadFileBytes(file), QByteArray("TEZPCT 1\n1\t甲\t甲\n1\t軟體\t软件\n"));
        // Unloading a single table writes it too.
        const int32_t h2 = lib.addTable(file, 1);
        _TezPCTDelItem(h2, 0, 1);
        QCOMPARE(_TezUnloadPCT(lib.stmt, h2), 0);
        QCOMPARE(ReadFileBytes(file), QByteArray("TEZPCT 1\n1\t軟體\t软件\n"));
    }

    void saveIsWholeOrNothing()
    {
        Library lib({0, 1, 9}, false);
        const int32_t h = lib.addTable(lib.makeTable("t.pct", {{"甲", "甲"}}), 1);
        QCOMPARE(_TezSavePCT(h, gb(lib.path("no/such/folder/t.pct")).constData(), 0), int32_t(TEZ_ERR_WRITE));
        QCOMPARE(QDir(lib.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"t.pct"});
    }

    void importAndMerge()
    {
        Library lib({0, 1, 9}, false);
        const QString source = lib.makeTable("src.pct", {{"軟體", "软件"}, {"滑鼠", "鼠标", 0}});
        WriteFileBytes(lib.path("plain.txt"), "软件\n軟體\n");
        int32_t h = 0;
        QCOMPARE(_TezNewPCT(lib.stmt, gb(lib.path("merged.pct")).constData(), &h), 0);
        _TezPCTInsertItem(h, 0, gb("甲").constData(), gb("甲").constData(), 1);
        int32_t count = -1;
        QCOMPARE(_TezPCTImport(h, 0, gb(lib.path("plain.txt")).constData(), &count), int32_t(TEZ_ERR_FORMAT));
        QCOMPARE(_TezPCTImport(h, 0, gb(source).constData(), &count), 0);
        QCOMPARE(count, 2);
        QCOMPARE(_TezSavePCT(h, gb(lib.path("merged.pct")).constData(), 0), 0);
        QCOMPARE(_TezUnloadPCT(lib.stmt, h), 0);
        QCOMPARE(ReadFileBytes(lib.path("merged.pct")), QByteArray("TEZPCT 1\n1\t軟體\t软件\n0\t滑鼠\t鼠标\n1\t甲\t甲\n"));
        int32_t n = -1;
        _TezGetPCTNum(lib.stmt, &n);
        QCOMPARE(n, 0);
    }

    void extraTable()
    {
        Library lib;
        int32_t h1 = 0, h2 = 0, n = -1;
        QCOMPARE(_TezGetPCT(lib.stmt, -1, &h1), 0);
        QCOMPARE(_TezGetPCT(lib.stmt, -1, &h2), 0);
        QCOMPARE(h1, h2);
        QVERIFY(itemCount(h1) > 0);
        _TezGetPCTNum(lib.stmt, &n);
        QCOMPARE(n, 1);
        const ItemOut first = getItem(h1, 0);
        QVERIFY(!first.trad.isEmpty() && first.trad != first.simp);
        // Its terms come out in GB18030 like those of any table in the list.
        const QList<QByteArray> line = ReadFileBytes(QDir(dataDir()).filePath("TezExtra.pct")).split('\n').value(1).split('\t');
        QCOMPARE(first.trad, QString::fromUtf8(line.value(1)));
        QCOMPARE(first.simp, QString::fromUtf8(line.value(2)));
    }
};

TEZ_REGISTER_TEST(TestTables)
#include "test_tables.moc"
