// Vocabulary table files keep what the library cannot read and the encoding they were
// saved in; a table whose save fails stays loaded with its changes.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QTest>

using namespace tezc_test;

namespace {

QByteArray utf16le(const QString& s)
{
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

QString tradOf(int32_t h, int32_t index)
{
    char trad[256], simp[256];
    int32_t tl = 256, sl = 256, status = 0;
    if (_TezPCTGetItem(h, index, trad, &tl, simp, &sl, &status) != 0) return QStringLiteral("<none>");
    return fromGb(trad);
}

} // namespace

class TestTableFiles : public QObject {
    Q_OBJECT

private slots:
    // Lines that are no item are counted, kept in their place and written back unchanged
    // when another item changes; an unchanged table saves byte-identical.
    void unreadLinesKept_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("unread");
        QTest::addColumn<QByteArray>("afterDisablingFirst");
        const QByteArray big5Line = "1\t" + big5("軟體") + "\t" + big5("資訊");
        // The Big5 line makes the file a Big5 one: the line is read as an item.
        QTest::newRow("bad status and Big5 line")
            << "TEZPCT 1\n1\tT1\tS1\nx\tBAD\tstatus\n" + big5Line + "\n1\tT3\tS3\n" << 3 << 1
            << "TEZPCT 1\n0\tT1\tS1\nx\tBAD\tstatus\n" + big5Line + "\n1\tT3\tS3\n";
        QTest::newRow("bad status and a line in no encoding")
            << QByteArray("TEZPCT 1\n1\tT1\tS1\nx\tBAD\tstatus\n1\t\xff\xff\tx\n1\tT3\tS3\n") << 2 << 2
            << QByteArray("TEZPCT 1\n0\tT1\tS1\nx\tBAD\tstatus\n1\t\xff\xff\tx\n1\tT3\tS3\n");
        QTest::newRow("CRLF, no last line end, empty line")
            << QByteArray("TEZPCT 1\r\n1\tT1\tS1\r\n\r\nbroken\r\n1\tT3\tS3") << 2 << 1
            << QByteArray("TEZPCT 1\r\n0\tT1\tS1\r\n\r\nbroken\r\n1\tT3\tS3");
        QTest::newRow("unread lines first and last")
            << QByteArray("TEZPCT 1\nfirst\n1\tT1\tS1\nlast") << 1 << 2 << QByteArray("TEZPCT 1\nfirst\n0\tT1\tS1\nlast");
    }
    void unreadLinesKept()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, items);
        QFETCH(int, unread);
        QFETCH(QByteArray, afterDisablingFirst);
        Library lib({0, 1, 9}, false);
        const QString path = lib.path("A.pct");
        WriteFileBytes(path, file);
        int32_t h = 0, n = -1, bad = -1;
        QCOMPARE(_TezLoadPCT(lib.stmt, gb(path).constData(), &h), int32_t(TEZ_WARN_PARTIAL));
        QCOMPARE(_TezPCTGetItemNum(h, &n), 0);
        QCOMPARE(n, items);
        QCOMPARE(_TezPCTGetBadLineNum(h, &bad), 0);
        QCOMPARE(bad, unread);
        QCOMPARE(_TezSavePCT(h, nullptr, 0), 0);
        QCOMPARE(ReadFileBytes(path), file);
        QCOMPARE(_TezPCTEnableItem(h, 0, 0), 0);
        QCOMPARE(_TezUnloadPCT(lib.stmt, h), 0);
        QCOMPARE(ReadFileBytes(path), afterDisablingFirst);
    }

    // Deleting the items around unread lines keeps the lines.
    void unreadLinesOutliveTheirItems()
    {
        Library lib({0, 1, 9}, false);
        const QString path = lib.path("A.pct");
        WriteFileBytes(path, "TEZPCT 1\n1\tT1\tS1\nkeep me\n1\tT2\tS2\n");
        int32_t h = 0;
        _TezLoadPCT(lib.stmt, gb(path).constData(), &h);
        QCOMPARE(_TezPCTDelItem(h, 0, 2), 0);
        QCOMPARE(_TezPCTInsertItem(h, 0, "N", "M", 1), 0);
        QCOMPARE(_TezUnloadPCT(lib.stmt, h), 0);
        QCOMPARE(ReadFileBytes(path), QByteArray("TEZPCT 1\n1\tN\tM\nkeep me\n"));
    }

    // A table saved in GB18030, Big5 or UTF-16 is read in its encoding and saved in it.
    void ownEncodingKept_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("firstTrad");
        QTest::addColumn<QByteArray>("added");
        QTest::newRow("GB18030") << "TEZPCT 1\n1\t" + gb("軟體") + "\t" + gb("软件") + "\n1\t" + gb("滑鼠") + "\t" +
                                        gb("鼠标") + "\n"
                                 << "軟體" << "1\t" + gb("資訊") + "\t" + gb("信息") + "\n";
        QTest::newRow("Big5") << "TEZPCT 1\r\n1\t" + big5("軟體") + "\t" + big5("電腦") + "\r\n1\t" + big5("資訊") +
                                     "\t" + big5("網路") + "\r\n"
                              << "軟體" << "1\t" + big5("資訊") + "\t" + big5("資訊") + "\r\n";
        QTest::newRow("UTF-16LE with BOM")
            << utf16le(QStringLiteral("\uFEFFTEZPCT 1\r\n1\t軟體\t软件\r\n")) << "軟體"
            << utf16le(QStringLiteral("1\t資訊\t信息\r\n"));
        QTest::newRow("UTF-16LE without BOM")
            << utf16le(QStringLiteral("TEZPCT 1\n1\t軟體\t软件\n")) << "軟體" << utf16le(QStringLiteral("1\t資訊\t信息\n"));
    }
    void ownEncodingKept()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, firstTrad);
        QFETCH(QByteArray, added);
        Library lib;
        const QString path = lib.path("A.pct");
        WriteFileBytes(path, file);
        int32_t h = 0, bad = -1;
        QCOMPARE(_TezLoadPCT(lib.stmt, gb(path).constData(), &h), 0);
        QCOMPARE(_TezPCTGetBadLineNum(h, &bad), 0);
        QCOMPARE(bad, 0);
        QCOMPARE(tradOf(h, 0), firstTrad);
        int32_t n = 0;
        _TezPCTGetItemNum(h, &n);
        const QString simp = file.contains(big5("電腦")) ? QStringLiteral("資訊") : QStringLiteral("信息");
        QCOMPARE(_TezPCTInsertItem(h, n, gb("資訊").constData(), gb(simp).constData(), 1), 0);
        QCOMPARE(_TezUnloadPCT(lib.stmt, h), 0);
        QCOMPARE(ReadFileBytes(path), file + added);
    }

    // A term the Big5 file cannot hold: the table is saved in UTF-8, whole.
    void big5TableTakesATermItCannotHold()
    {
        Library lib;
        const QString path = lib.path("A.pct");
        WriteFileBytes(path, "TEZPCT 1\n1\t" + big5("軟體") + "\t" + big5("電腦") + "\n");
        int32_t h = 0;
        QCOMPARE(_TezLoadPCT(lib.stmt, gb(path).constData(), &h), 0);
        QCOMPARE(_TezPCTInsertItem(h, 1, gb("軟體").constData(), gb("软件").constData(), 1), 0);
        QCOMPARE(_TezUnloadPCT(lib.stmt, h), 0);
        QCOMPARE(ReadFileBytes(path), QStringLiteral("TEZPCT 1\n1\t軟體\t電腦\n1\t軟體\t软件\n").toUtf8());
    }

    // A save that fails (the table's folder is gone) keeps the table loaded with its change;
    // the next call saves it.
    void failedSaveKeepsTheTable_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("unload table") << "UnloadPCT";
        QTest::newRow("unload list") << "UnloadLST";
        QTest::newRow("load another list") << "LoadLST";
    }
    void failedSaveKeepsTheTable()
    {
        QFETCH(QString, entry);
        Library lib({0, 1, 9}, false);
        QVERIFY(QDir(lib.folder()).mkdir("t"));
        const QString table = lib.makeTable("t/A.pct", {{"T1", "S1"}});
        WriteFileBytes(lib.path("empty.lst"), "TEZLST 1\n");
        const int32_t h = lib.addTable(table, 1);
        QCOMPARE(_TezPCTInsertItem(h, 1, "T2", "S2", 1), 0);
        const QByteArray before = ReadFileBytes(table);
        QVERIFY(QDir(lib.path("t")).removeRecursively());
        auto call = [&] {
            if (entry == "UnloadPCT") return _TezUnloadPCT(lib.stmt, h);
            if (entry == "UnloadLST") return _TezUnloadLST(lib.stmt);
            return _TezLoadLST(lib.stmt, gb(lib.path("empty.lst")).constData());
        };
        QCOMPARE(call(), int32_t(TEZ_ERR_WRITE));
        int32_t count = 0, changed = 0, items = 0;
        QCOMPARE(_TezGetPCTNum(lib.stmt, &count), 0);
        QCOMPARE(count, 1);
        QCOMPARE(_TezPCTGetChanged(h, &changed), 0);
        QCOMPARE(changed, 1);
        QCOMPARE(_TezPCTGetItemNum(h, &items), 0);
        QCOMPARE(items, 2);
        QVERIFY(QDir(lib.folder()).mkdir("t"));
        QCOMPARE(call(), 0);
        QCOMPARE(ReadFileBytes(table), before + "1\tT2\tS2\n");
        QCOMPARE(_TezGetPCTNum(lib.stmt, &count), 0);
        QCOMPARE(count, 0);
    }
};

TEZ_REGISTER_TEST(TestTableFiles)
#include "test_table_files.moc"
