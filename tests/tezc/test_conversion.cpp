// String conversion through the library: code conversion with phrase context, vocabulary,
// usage optimisation inside one script, proper-noun protection, the four entry families,
// and the published Taiwan-standard test cases.
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

using namespace tezc_test;

class TestConversion : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(!dataDir().isEmpty(), "TEZDESK_DATA_DIR is not set"); }

    void unicode_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("expected");
        // Code conversion picks one-to-many characters by phrase context.
        QTest::newRow("hair") << "头发" << 0 << 0 << "頭髮";
        QTest::newRow("develop") << "发展" << 0 << 0 << "發展";
        QTest::newRow("software code") << "软件" << 0 << 0 << "軟件";
        QTest::newRow("later") << "后来" << 0 << 0 << "後來";
        QTest::newRow("empress") << "皇后" << 0 << 0 << "皇后";
        QTest::newRow("taiwan forms") << "着装污染虚伪发泄棱柱群众里面" << 0 << 0 << "著裝汙染虛偽發洩稜柱群眾裡面";
        // Vocabulary in both directions.
        QTest::newRow("software vocab") << "软件" << 0 << -1 << "軟體";
        QTest::newRow("mouse vocab") << "鼠标" << 0 << -1 << "滑鼠";
        QTest::newRow("information vocab") << "信息" << 0 << -1 << "資訊";
        QTest::newRow("software back") << "軟體" << 1 << -1 << "软件";
        QTest::newRow("mouse back") << "滑鼠" << 1 << -1 << "鼠标";
        QTest::newRow("t2s code only") << "軟體" << 1 << 0 << "软体";
        // Usage inside Traditional text (mode 2) and Simplified text (mode 3).
        QTest::newRow("trad toward trad usage") << "這個軟件" << 2 << 0 << "這個軟體";
        QTest::newRow("trad toward simp usage") << "這個軟體" << 2 << -1 << "這個軟件";
        QTest::newRow("simp toward trad usage") << "这个软件" << 3 << -1 << "这个软体";
        QTest::newRow("simp toward simp usage") << "这个软体" << 3 << 0 << "这个软件";
        // Text without Chinese passes unchanged; an empty text gives an empty result.
        QTest::newRow("ascii") << "abc 123" << 0 << -1 << "abc 123";
        QTest::newRow("empty") << "" << 1 << -1 << "";
        QTest::newRow("astral kept") << QString::fromUtf8("𠮷发展") << 0 << 0 << QString::fromUtf8("𠮷發展");
    }
    void unicode()
    {
        QFETCH(QString, input);
        QFETCH(int, mode);
        QFETCH(int, flag);
        QFETCH(QString, expected);
        Library lib;
        int32_t rc = -1;
        QCOMPARE(lib.uu(input, mode, flag, &rc), expected);
        QCOMPARE(rc, 0);
    }

    void inputStopsAtNul()
    {
        Library lib;
        const QString text = QStringLiteral("发展") + QChar(0) + QStringLiteral("头发");
        QCOMPARE(lib.uu(text, 0, 0), QStringLiteral("發展"));
    }

    void families_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("DD gb to big5 vocab") << "DD" << gb("软件和鼠标") << 0 << -1 << big5("軟體和滑鼠");
        QTest::newRow("DD big5 to gb") << "DD" << big5("頭髮") << 1 << 0 << gb("头发");
        QTest::newRow("DD big5 toward trad usage") << "DD" << big5("軟件") << 2 << -1 << big5("軟體");
        QTest::newRow("DD big5 toward simp usage") << "DD" << big5("軟體") << 2 << 0 << big5("軟件");
        QTest::newRow("DD gb toward simp usage") << "DD" << gb("软体") << 3 << -1 << gb("软件");
        QTest::newRow("DD gb toward trad usage") << "DD" << gb("软件") << 3 << 0 << gb("软体");
        QTest::newRow("UD simp to big5") << "UD" << QByteArray("发展") << 0 << 0 << big5("發展");
        QTest::newRow("UD trad to gb") << "UD" << QByteArray("發展") << 1 << 0 << gb("发展");
        QTest::newRow("UD big5 side only") << "UD" << QByteArray("软件軟體") << 2 << 0 << QByteArray("?") + big5("件軟體");
        QTest::newRow("UD gb side only") << "UD" << QByteArray("軟體软件") << 3 << 0 << gb("軟體软件");
        QTest::newRow("DU gb to trad") << "DU" << gb("头发") << 0 << 0 << QByteArray("頭髮");
        QTest::newRow("DU big5 to simp") << "DU" << big5("頭髮") << 1 << 0 << QByteArray("头发");
        QTest::newRow("DU big5 only") << "DU" << big5("軟件") << 2 << 0 << QByteArray("軟件");
        QTest::newRow("DU gb only") << "DU" << gb("软件") << 3 << 0 << QByteArray("软件");
    }
    void families()
    {
        QFETCH(QString, family);
        QFETCH(QByteArray, input);
        QFETCH(int, mode);
        QFETCH(int, flag);
        QFETCH(QByteArray, expected);
        Library lib;
        if (family == "DD") {
            QCOMPARE(lib.dd(input, mode, flag), expected);
        } else if (family == "UD") {
            QCOMPARE(lib.ud(QString::fromUtf8(input), mode, flag), expected);
        } else {
            QCOMPARE(lib.du(input, mode, flag), QString::fromUtf8(expected));
        }
    }

    // Runs of characters whose GB codes are four bytes long, then ASCII: the encoder's
    // buffer fills faster than two bytes a unit and its ASCII run must still move on; the
    // decoder gives the text back.
    void codePagesAroundAsciiRuns_data()
    {
        QTest::addColumn<QString>("text");
        for (int run : {1, 2, 3, 5, 8, 13, 16, 17, 29, 31, 32, 33, 47, 64, 100})
            QTest::addRow("%d four-byte characters", run)
                << QString(run, QChar(0x00A5)) + QStringLiteral("ascii text after them, 软件") + QString(run, QChar(u'a'));
    }
    void codePagesAroundAsciiRuns()
    {
        QFETCH(QString, text);
        Library lib;
        const QByteArray bytes = lib.ud(text, 3, 0);
        QCOMPARE(bytes, gb(text));
        QCOMPARE(lib.du(bytes, 3, 0), text);
    }

    // A term at every offset of ASCII text that holds, here and there, the first letters of
    // terms (B超, PN结, SQL注入, U盘): units are decided in blocks, and a block may neither
    // swallow the ASCII start of a term nor leave a unit out.
    void termsInsideAscii_data()
    {
        QTest::addColumn<QString>("term");
        QTest::addColumn<QString>("converted");
        QTest::addColumn<int>("mode");
        QTest::newRow("ascii-led term") << "U盘" << "隨身碟" << 0;
        QTest::newRow("other ascii-led term") << "B超" << "超音波" << 0;
        QTest::newRow("term led by ascii letters") << "SQL注入" << "SQL隱碼攻擊" << 0;
        QTest::newRow("term led by two ascii letters") << "PN结" << "PN接面" << 0;
        QTest::newRow("phrase") << "软件" << "軟體" << 0;
        QTest::newRow("character") << "发" << "發" << 0;
        QTest::newRow("character whose bytes both lack the top bit") << "头" << "頭" << 0;
        QTest::newRow("ascii-led term back") << "隨身碟" << "U盘" << 1;
        QTest::newRow("phrase back") << "軟體" << "软件" << 1;
        QTest::newRow("term led by ascii letters back") << "SQL隱碼攻擊" << "SQL注入" << 1;
        QTest::newRow("term led by two ascii letters back") << "PN接面" << "PN结" << 1;
    }
    void termsInsideAscii()
    {
        QFETCH(QString, term);
        QFETCH(QString, converted);
        QFETCH(int, mode);
        const QString filler = QStringLiteral("abcdefgh 1234567 U1 Bx 23PcS45 Ude  uv SQ 12345 xyzB").repeated(3);
        Library lib;
        for (int before = 0; before <= 140; ++before)
            for (int after : {0, 1, 7, 8, 9, 17}) {
                const QString head = filler.left(before), tail = filler.mid(before, after);
                QCOMPARE(lib.uu(head + term + tail, mode, -1), head + converted + tail);
            }
    }

    // Code phrases, a one-to-many character and a term typed in mixed scripts after every
    // length of ASCII text and before a few units of it: the decided blocks leave each of them
    // to the matching wherever it falls among their sixteen-unit steps, and with the code
    // table alone that matching asks the table directly.
    void piecesAtEveryOffset_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("converted");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("flag");
        QTest::newRow("code phrase") << "头发" << "頭髮" << 0 << 0;
        QTest::newRow("one-to-many character in a sentence") << "我只有一只猫" << "我只有一隻貓" << 0 << 0;
        QTest::newRow("code phrase back") << "頭髮" << "头发" << 1 << 0;
        QTest::newRow("term in mixed scripts") << "数據库" << "資料庫" << 0 << -1;
        QTest::newRow("term in mixed scripts, other unit") << "數据庫" << "資料庫" << 0 << -1;
    }
    void piecesAtEveryOffset()
    {
        QFETCH(QString, text);
        QFETCH(QString, converted);
        QFETCH(int, mode);
        QFETCH(int, flag);
        const QString filler = QStringLiteral("abcdefgh 1234567 xyz ").repeated(8);
        Library lib;
        for (int before = 0; before <= 140; ++before)
            for (int after : {0, 1, 15, 16, 17}) {
                const QString head = filler.left(before), tail = filler.mid(before, after);
                QCOMPARE(lib.uu(head + text + tail, mode, flag), head + converted + tail);
            }
    }

    // A term whose first two units are no key of any table, after every length of ASCII text,
    // whole or cut short by the end of the text: where a pair is no key, the unit after it
    // decides whether a longer piece may start there.
    void termsPastTheirFirstPair_data()
    {
        QTest::addColumn<QString>("trad");
        QTest::addColumn<QString>("simp");
        QTest::addColumn<int>("mode");
        QTest::newRow("four units") << "測試甲乙" << "乙丙丁戊" << 0;
        QTest::newRow("three units") << "測試甲" << "乙丙丁" << 0;
        QTest::newRow("four units back") << "乙丙丁戊" << "测试甲乙" << 1;
        QTest::newRow("three units back") << "乙丙丁" << "测试甲" << 1;
    }
    void termsPastTheirFirstPair()
    {
        QFETCH(QString, trad);
        QFETCH(QString, simp);
        QFETCH(int, mode);
        const QString term = mode == 0 ? simp : trad, converted = mode == 0 ? trad : simp;
        Library lib;
        lib.addTable(lib.makeTable("terms.pct", {{trad, simp}}), 1);
        const QString filler = QStringLiteral("abcdefgh 1234567 xyz ").repeated(4);
        for (int before = 0; before <= 70; ++before) {
            const QString head = filler.left(before);
            for (const QString& tail : {QString(), QStringLiteral("x"), QStringLiteral("丁x")})
                QCOMPARE(lib.uu(head + term + tail, mode, -1), head + converted + tail);
            // The term's own units are the same in both scripts: a start of it stays.
            for (qsizetype cut = 1; cut < term.size(); ++cut)
                QCOMPARE(lib.uu(head + term.left(cut), mode, -1), head + term.left(cut));
        }
    }

    // The code page steps work on blocks (ASCII narrowed and widened sixteen or eight at a
    // time, blocks of mixed ASCII and two-byte characters, runs of two-byte characters):
    // one inserted text at every position of ASCII texts around the block sizes gives the
    // bytes of the parts encoded apart, and decoding gives the text back.
    void codePagesAtEveryBlockPosition_data()
    {
        QTest::addColumn<QString>("inserted");
        QTest::newRow("two-byte character") << QStringLiteral("中");
        QTest::newRow("run of two-byte characters") << QStringLiteral("軟體發展軟體發展軟體");
        QTest::newRow("two-byte characters between ASCII") << QStringLiteral("中a軟bc體d");
        QTest::newRow("Big5 trail bytes in the ASCII range") << QStringLiteral("許功");
        QTest::newRow("not in Big5") << QStringLiteral("软");
        QTest::newRow("four-byte GB character") << QString(QChar(0x00A5));
        QTest::newRow("surrogate pair") << QStringLiteral("\U00020000");
        QTest::newRow("lone high surrogate") << QString(QChar(0xD800));
        QTest::newRow("lone low surrogate") << QString(QChar(0xDC00));
        QTest::newRow("euro sign") << QStringLiteral("€");
    }
    void codePagesAtEveryBlockPosition()
    {
        QFETCH(QString, inserted);
        Library lib;
        const QString filler = QStringLiteral("The quick brown fox jumps over the lazy dog, 0123456789");
        for (int mode : {2, 3}) {  // Big5, GB18030
            const QByteArray insertBytes = lib.ud(inserted, mode, 0);
            const QString insertBack = lib.du(insertBytes, mode, 0);
            for (int length : {1, 7, 8, 9, 15, 16, 17, 24, 31, 32, 33, 40}) {
                for (int at = 0; at <= length; ++at) {
                    const QString before = filler.left(at), after = filler.mid(at, length - at);
                    const QByteArray bytes = lib.ud(before + inserted + after, mode, 0);
                    QCOMPARE(bytes, before.toLatin1() + insertBytes + after.toLatin1());
                    QCOMPARE(lib.du(bytes, mode, 0), before + insertBack + after);
                }
            }
        }
    }

    // Bytes that start no character, and a lead byte before ASCII or at the end, at every
    // position after an ASCII run: the ASCII before them decodes alone and they decode as
    // they do at the start of a text.
    void codePagesDecodeBadBytesAtEveryPosition_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("inserted");
        for (int mode : {2, 3}) {
            const char* page = mode == 2 ? "Big5" : "GB";
            QTest::addRow("%s 0x80", page) << mode << QByteArray("\x80");
            QTest::addRow("%s 0xFF", page) << mode << QByteArray("\xFF");
            QTest::addRow("%s lone lead", page) << mode << QByteArray("\x81");
            QTest::addRow("%s lead then a lead", page) << mode << QByteArray("\xA4\xA4\xA4");
            QTest::addRow("%s bad trail", page) << mode << QByteArray("\xA4\x20");
            QTest::addRow("%s empty cell", page) << mode << QByteArray("\xA3\x7F");
        }
        QTest::addRow("GB four-byte code cut short") << 3 << QByteArray("\x81\x30\x81");
    }
    void codePagesDecodeBadBytesAtEveryPosition()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, inserted);
        Library lib;
        const QByteArray filler = "The quick brown fox jumps over the lazy dog, 0123456789";
        for (int length : {1, 8, 15, 16, 17, 32, 33, 40}) {
            for (int at = 0; at <= length; ++at) {
                const QByteArray before = filler.left(at), rest = inserted + filler.mid(at, length - at);
                QCOMPARE(lib.du(before + rest, mode, 0), QString::fromLatin1(before) + lib.du(rest, mode, 0));
            }
        }
    }

    // Long texts of runs, of lengths and in an order a seeded generator draws, of pieces that
    // code alone as they do in any text: ASCII, two-byte characters, Big5 trail bytes in the
    // ASCII range, four-byte GB codes, characters a code page lacks, lone surrogates, and bytes
    // that start no character. (A lone low surrogate is left out: after a lone high one it
    // would make a pair.) The blocks of mixed text meet every piece at every offset: a
    // text encodes to its pieces encoded apart, and its bytes decode to the pieces decoded apart.
    void codePagesOverLongMixedText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("Big5") << 2;
        QTest::newRow("GB") << 3;
    }
    void codePagesOverLongMixedText()
    {
        QFETCH(int, mode);
        const QStringList texts = {QStringLiteral("a"), QStringLiteral("中"), QStringLiteral(" "), QStringLiteral("體"),
                                   QStringLiteral("。"), QStringLiteral("\\"), QStringLiteral("許功"), QStringLiteral("软"),
                                   QStringLiteral("€"), QString(QChar(0x00A5)), QStringLiteral("\U00020000"),
                                   QString(QChar(0xD800)), QString(QChar(0xFFFF))};
        Library lib;
        QList<QByteArray> encodedPieces;
        for (const QString& t : texts) encodedPieces << lib.ud(t, mode, 0);
        const QList<QByteArray> bytePieces = encodedPieces + QList<QByteArray>{"\x80", "\xFF", "\xA4\x20", "\xA3\x7F"};
        QStringList decodedPieces;
        for (const QByteArray& b : bytePieces) decodedPieces << lib.du(b, mode, 0);
        // The first pieces (ASCII and common characters) come most often, in runs mostly short.
        auto draw = [](QRandomGenerator& random, int count) { return random.bounded(3) ? random.bounded(5) : random.bounded(count); };
        auto runLength = [](QRandomGenerator& random) { return 1 + random.bounded(random.bounded(4) ? 4 : 48); };
        QRandomGenerator random{quint32(mode)};
        for (int round = 0; round < 4; ++round) {
            QString text;
            QByteArray encoded, bytes;
            QString decoded;
            for (int run = 0; run < 1500; ++run) {
                const int t = draw(random, int(texts.size())), b = draw(random, int(bytePieces.size()));
                for (int k = runLength(random); k > 0; --k) {
                    text += texts[t];
                    encoded += encodedPieces[t];
                }
                for (int k = runLength(random); k > 0; --k) {
                    bytes += bytePieces[b];
                    decoded += decodedPieces[b];
                }
            }
            QCOMPARE(lib.ud(text, mode, 0), encoded);
            QCOMPARE(lib.du(bytes, mode, 0), decoded);
        }
    }

    // A fetch into a buffer shorter than the 8-bit result ends after the last whole
    // character that fits, wherever the buffer's end falls: inside two- and four-byte codes,
    // after ASCII runs of every length, after Big5 trail bytes in the ASCII range.
    void dbFetchCutsOnCharacterBoundaries_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("GB") << 3
                            << QStringLiteral("a中bc") + QChar(0x00A5) + QStringLiteral("def软件\U00020000g中hijk中中");
        QTest::newRow("Big5") << 2 << QStringLiteral("許a功bc許def中許功x中ab許");
    }
    void dbFetchCutsOnCharacterBoundaries()
    {
        QFETCH(int, mode);
        QFETCH(QString, text);
        Library lib;
        QByteArray bytes;
        QList<int> ends{0};
        for (uint c : text.toUcs4()) {
            bytes += lib.ud(QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1), mode, 0);
            ends << int(bytes.size());
        }
        QCOMPARE(lib.ud(text, mode, 0), bytes);
        for (int n = 0; n <= bytes.size() + 1; ++n) {
            QByteArray buf(bytes.size() + 8, 'x');
            QCOMPARE(_TezGetDBStr(lib.lastResult, buf.data(), n), 0);
            int fit = 0;
            for (int e : ends)
                if (e <= n) fit = e;
            QCOMPARE(buf.left(fit), bytes.left(fit));
            QCOMPARE(buf.at(fit), '\0');
            QCOMPARE(buf.mid(fit + 1), QByteArray(buf.size() - fit - 1, 'x'));
        }
    }

    void properNounsProtect_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("expected");
        QTest::newRow("s2t code") << 3 << "发哥来了" << 0 << 0 << "发哥來了";
        QTest::newRow("s2t vocab") << 3 << "发哥来了" << 0 << -1 << "发哥來了";
        QTest::newRow("t2s code") << 3 << "發哥來了" << 1 << 0 << "發哥来了";
        QTest::newRow("t2s vocab") << 3 << "發哥來了" << 1 << -1 << "發哥来了";
        // The phrase 头发 would swallow the start of the protected 发展.
        QTest::newRow("inside a longer phrase") << 3 << "头发展示" << 0 << -1 << "頭发展示";
        // A locked table that is not in use protects nothing.
        QTest::newRow("not in use") << 2 << "发哥来了" << 0 << 0 << "發哥來了";
    }
    void properNounsProtect()
    {
        QFETCH(int, status);
        QFETCH(QString, input);
        QFETCH(int, mode);
        QFETCH(int, flag);
        QFETCH(QString, expected);
        Library lib;
        lib.addTable(lib.makeTable("names.pct", {{"发哥", "发哥"}, {"發哥", "發哥"}, {"发展", "发展"}}), status);
        QCOMPARE(lib.uu(input, mode, flag), expected);
    }

    void vocabularyRules_data()
    {
        QTest::addColumn<QList<int>>("statuses");  // item statuses of the user table
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        // Table A: 测试 -> 測驗; table B (later): 测试 -> 試驗 and the longer 测试版 -> 測試版本.
        QTest::newRow("longest wins") << QList<int>{1, 1, 1} << "测试版" << 0 << "測試版本";
        QTest::newRow("earlier table wins a tie") << QList<int>{1, 1, 1} << "测试" << 0 << "測驗";
        QTest::newRow("item out of use") << QList<int>{0, 1, 1} << "测试" << 0 << "試驗";
        QTest::newRow("all out of use") << QList<int>{0, 0, 0} << "测试" << 0 << "測試";
    }
    void vocabularyRules()
    {
        QFETCH(QList<int>, statuses);
        QFETCH(QString, input);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        Library lib({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, false);
        lib.addTable(lib.makeTable("a.pct", {{"測驗", "测试", statuses[0]}, {"", "测", 1}}), 1);
        lib.addTable(lib.makeTable("b.pct", {{"試驗", "测试", statuses[1]}, {"測試版本", "测试版", statuses[2]}}), 1);
        QCOMPARE(lib.uu(input, mode, -1), expected);
    }

    // The shipped regional terms against the code table's phrases around them: toward
    // Traditional a term stands against a phrase that only runs past its end; toward
    // Simplified the phrases divide the text first, and a variant the code table converts
    // itself is no mixed-script spelling of a term.
    void regionalTermsAndPhrases_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("term before a phrase over its end") << "登录的" << 0 << "登入的";
        QTest::newRow("term before a phrase over its end 2") << "内核是" << 0 << "核心是";
        QTest::newRow("term alone") << "登录" << 0 << "登入";
        QTest::newRow("phrases run past a term") << "畫素藉由" << 1 << "画素借由";
        QTest::newRow("term without a phrase over it") << "畫素很高" << 1 << "像素很高";
        QTest::newRow("variant converted by code") << "稽覈" << 1 << "稽核";
        QTest::newRow("term itself") << "稽核" << 1 << "审核";
    }
    void regionalTermsAndPhrases()
    {
        QFETCH(QString, input);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        Library lib;
        QCOMPARE(lib.uu(input, mode, -1), expected);
    }

    void missingTableFails_data()
    {
        QTest::addColumn<QList<int>>("tables");
        QTest::addColumn<int>("mode");
        QTest::newRow("no s2t") << QList<int>{0, 2, 3, 8, 9} << 0;
        QTest::newRow("no t2s") << QList<int>{1, 2, 3, 8, 9} << 1;
    }
    void missingTableFails()
    {
        QFETCH(QList<int>, tables);
        QFETCH(int, mode);
        Library lib(tables, false);
        int32_t rc = 0;
        lib.uu(QStringLiteral("发展"), mode, 0, &rc);
        QVERIFY(rc != 0);
    }

    void publishedTaiwanCases()
    {
        // Cases published with the open-source converter's own test data (s2tw, s2twp,
        // tw2s, tw2sp).
        const QString file = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(
            QStringLiteral("../../tezc/data/opencc/testcases_tw.tsv"));
        QFile f(file);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
        Library lib;
        int total = 0, passed = 0;
        QStringList failures;
        for (const QByteArray& raw : f.readAll().split('\n')) {
            const QStringList cols = QString::fromUtf8(raw).split(QLatin1Char('\t'));
            if (cols.size() != 3) continue;
            const int mode = cols[0].startsWith(QLatin1Char('s')) ? 0 : 1;
            const int flag = cols[0].endsWith(QLatin1Char('p')) ? -1 : 0;
            const QString got = lib.uu(cols[1], mode, flag);
            ++total;
            if (got == cols[2]) ++passed;
            else failures << cols[0] + ": " + cols[1] + " -> " + got;
        }
        QVERIFY(total > 100);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
        qInfo("published Taiwan cases: %d of %d", passed, total);
    }
};

TEZ_REGISTER_TEST(TestConversion)
#include "test_conversion.moc"
