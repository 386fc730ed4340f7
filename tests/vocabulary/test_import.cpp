// Importing items into the current vocabulary table from a table file or a text file of
// term pairs.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "test_phrase_mgr_fixture.h"

#include "platform/ModalScript.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "vocabulary/ItemPairText.h"

#include <QTest>

namespace {
QStringList PairTexts(const std::vector<ItemPair>& pairs)
{
    QStringList out;
    for (const ItemPair& pair : pairs)
        out << pair.Simp + QLatin1Char('|') + pair.Trad;
    return out;
}
} // namespace

class TestImport : public QObject {
    Q_OBJECT
private slots:
    void parsePairs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pairs");
        QTest::newRow("two pairs, CR LF") << QStringLiteral("A\r\nB\r\nC\r\nD\r\n") << QStringList{"A|B", "C|D"};
        QTest::newRow("LF and CR line ends") << QStringLiteral("A\nB\rC\nD") << QStringList{"A|B", "C|D"};
        QTest::newRow("empty second line drops the pair") << QStringLiteral("A\r\n\r\nC\r\nD\r\n") << QStringList{"C|D"};
        QTest::newRow("leading empty line skipped") << QStringLiteral("\r\nA\r\nB\r\n") << QStringList{"A|B"};
        QTest::newRow("odd last line makes no item") << QStringLiteral("A\r\nB\r\nC\r\n") << QStringList{"A|B"};
        QTest::newRow("spaces are terms") << QStringLiteral(" \r\n x \r\n") << QStringList{" | x "};
        QTest::newRow("no trimming or splitting") << QStringLiteral("a,b\tc\r\nd\r\n") << QStringList{"a,b\tc|d"};
        QTest::newRow("empty text") << QString() << QStringList{};
    }
    void parsePairs()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, pairs);
        QCOMPARE(PairTexts(ParseItemPairs(text)), pairs);
    }

    void importGbTextFile()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(3)}});
        WriteFileBytes(f.pathOf("pairs.txt"), ToGB(QStringLiteral("甲\r\n乙\r\n丙\r\n丁\r\n")));
        f.mgr().lstPhrase_GotFocus();
        f.items().setRow(2);
        ModalScript script;
        script.answerFile(f.pathOf("pairs.txt"));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.asked().at(0).filter, QStringLiteral("All Files (*.*)|*.*|PCT Files(*.txt;*.pct)|*.txt;*.pct"));
        const QStringList expected{"S1|T1|1", "S2|T2|1", "甲|乙|1", "丙|丁|1", "S3|T3|1"};
        QCOMPARE(f.currentLibraryItems(), expected);
        QCOMPARE(f.gridItems(), expected);
        QCOMPARE(MousePointer(), vbDefault);
    }

    void importUtf8TextFile()
    {
        PhraseMgrFixture f(QList<MgrTable>{{"a.pct", {}}});
        WriteFileBytes(f.pathOf("pairs.txt"), QStringLiteral("软件\n軟體\n").toUtf8());
        ModalScript script;
        script.answerFile(f.pathOf("pairs.txt"));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
        QCOMPARE(f.currentLibraryItems(), QStringList{"软件|軟體|1"});
    }

    // A pair file is read in the encoding it was written in.
    void importEncodedTextFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("items");
        const QString big5Pair = QStringLiteral("軟件\r\n軟體\r\n");
        const QString pair = QStringLiteral("软件\r\n軟體\r\n");
        QByteArray le("\xFF\xFE", 2);
        QByteArray be("\xFE\xFF", 2);
        for (QChar c : pair) {
            le.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
            be.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xFF));
        }
        QTest::newRow("Big5") << ToBig5(big5Pair) << QStringList{"軟件|軟體|1"};
        QTest::newRow("UTF-16LE") << le << QStringList{"软件|軟體|1"};
        QTest::newRow("UTF-16BE") << be << QStringList{"软件|軟體|1"};
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + pair.toUtf8() << QStringList{"软件|軟體|1"};
    }
    void importEncodedTextFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, items);
        PhraseMgrFixture f(QList<MgrTable>{{"a.pct", {}}});
        WriteFileBytes(f.pathOf("pairs.txt"), bytes);
        ModalScript script;
        script.answerFile(f.pathOf("pairs.txt"));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.asked().size(), 1);
        QCOMPARE(f.currentLibraryItems(), items);
    }

    // Content that reads as text in no encoding is refused whole, with a message.
    void importOfUndecodableFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("bytes of no code page") << QByteArray("\x81\x20\r\n\xFF\x0A\r\n");
        QTest::newRow("UTF-16 without its mark") << QByteArray("\x6F\x8F\xF6\x4E\x0D\x00\x0A\x00\xDF\x8E\xD4\x9A", 12);
        QTest::newRow("UTF-16 cut in the middle of a unit") << QByteArray("\xFF\xFE\x6F\x8F\xF6", 5);
    }
    void importOfUndecodableFileIsRefused()
    {
        QFETCH(QByteArray, bytes);
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}});
        WriteFileBytes(f.pathOf("pairs.txt"), bytes);
        ModalScript script;
        script.answerFile(f.pathOf("pairs.txt")).answer(vbOK);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.messages(),
                 QStringList{QStringLiteral("汇入文件 %1 的内容无法以任何支持的编码读取，未汇入任何项目。").arg(f.pathOf("pairs.txt"))});
        QCOMPARE(f.currentLibraryItems(), QStringList{"S1|T1|1"});
    }

    void importTableFile()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(2)}});
        f.writeTable({"source.pct", {{"x", "X", 1}, {"y", "Y", 0}}});
        f.mgr().lstPhrase_GotFocus();
        f.items().setRow(1);
        ModalScript script;
        script.answerFile(f.pathOf("source.pct"));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
        const QStringList expected{"S1|T1|1", "x|X|1", "y|Y|0", "S2|T2|1"};
        QCOMPARE(f.currentLibraryItems(), expected);
        QCOMPARE(f.gridItems(), expected);
    }

    void importRefreshesMarkedTableWhereverTheCursorIs()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}, {"b.pct", NumberedItems(2, "b")}, {"c.pct", {}}});
        WriteFileBytes(f.pathOf("pairs.txt"), ToGB(QStringLiteral("甲\r\n乙\r\n")));
        f.tables().setRow(3); // the cursor rests on another table than the current one
        ModalScript script;
        script.answerFile(f.pathOf("pairs.txt"));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
        QCOMPARE(giCurPCT, 0);
        QCOMPARE(f.mgr().GetRowSelected(f.mgr().lstPCT), 1);
        QCOMPARE(f.gridItems(), (QStringList{"S1|T1|1", "甲|乙|1"}));
        QCOMPARE(f.currentLibraryItems(), f.gridItems());
    }

    void importWithoutTableAsksNothing()
    {
        PhraseMgrFixture f({});
        ModalScript script;
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
        QCOMPARE(script.asked().size(), 0);
        QCOMPARE(f.items().Rows(), 1);
    }

    void emptyTextFileInsertsNothing()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}});
        WriteFileBytes(f.pathOf("empty.txt"), QByteArray());
        ModalScript script;
        script.answerFile(f.pathOf("empty.txt"));
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_ITEMINSERT"));
        QCOMPARE(f.currentLibraryItems(), QStringList{"S1|T1|1"});
        QCOMPARE(f.gridItems(), QStringList{"S1|T1|1"});
    }
};

TEZ_REGISTER_TEST(TestImport)
#include "test_import.moc"
