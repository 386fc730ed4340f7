// Whole-file conversion (every type and vocabulary code, encodings, HTML charset
// declarations, refusals) and RTF conversion.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace tezc_test;

namespace {

QByteArray utf16le(const QString& s, bool bom = true)
{
    QByteArray out = bom ? QByteArray("\xFF\xFE", 2) : QByteArray();
    out.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    return out;
}

QByteArray utf16be(const QString& s)
{
    QByteArray out("\xFE\xFF", 2);
    for (QChar c : s) {
        out.append(char(c.unicode() >> 8));
        out.append(char(c.unicode() & 0xFF));
    }
    return out;
}

// The file's bytes; "<missing>" when there is no such file (so that it differs from an empty one).
QByteArray readAll(const QString& path)
{
    return QFile::exists(path) ? ReadFileBytes(path) : QByteArray("<missing>");
}

// Text of an RTF's \uN characters and plain letters, in order (enough for the checks).
QString rtfUnicodeText(const QByteArray& rtf)
{
    QString out;
    static const QRegularExpression u(QStringLiteral("\\\\u(-?\\d+)"));
    auto it = u.globalMatch(QString::fromLatin1(rtf));
    while (it.hasNext()) out += QChar(ushort(short(it.next().captured(1).toInt())));
    return out;
}

// The bytes as RTF hex escapes (\'hh each).
QByteArray hexEscapes(const QByteArray& bytes)
{
    QByteArray out;
    for (char c : bytes) out += "\\'" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
    return out;
}

QByteArray dataFile(const QString& name)
{
    // __FILE__ is relative to the folder the test was built in, that of the executable.
    const QString source = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(__FILE__));
    return ReadFileBytes(QFileInfo(source).dir().filePath(QStringLiteral("data/") + name));
}

}  // namespace

class TestFiles : public QObject {
    Q_OBJECT

private slots:
    void convert_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("phraseMode");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("GB to Big5 with vocabulary") << gb("软件和鼠标\r\n") << 3 << 1 << big5("軟體和滑鼠\r\n");
        QTest::newRow("GB to Big5 code only") << gb("软件和鼠标\r\n") << 3 << 0 << big5("軟件和鼠標\r\n");
        QTest::newRow("Big5 to GB with vocabulary") << big5("軟體") << 0 << 1 << gb("软件");
        QTest::newRow("UTF-16 Simplified to Traditional") << utf16le("头发") << 6 << 0 << utf16le("頭髮");
        QTest::newRow("UTF-16 big-endian input") << utf16be("头发") << 6 << 0 << utf16le("頭髮");
        QTest::newRow("UTF-16 without mark") << utf16le("头发", false) << 6 << 0 << utf16le("頭髮");
        QTest::newRow("UTF-8 stays UTF-8") << QByteArray("软件") << 3 << 1 << QByteArray("軟體");
        QTest::newRow("UTF-8 mark kept") << QByteArray("\xEF\xBB\xBF軟體") << 0 << 1 << QByteArray("\xEF\xBB\xBF软件");
        QTest::newRow("Big5 to Simplified UTF-16") << big5("頭髮") << 8 << 0 << utf16le("头发");
        QTest::newRow("UTF-16 to GB") << utf16le("頭髮") << 14 << 0 << gb("头发");
        QTest::newRow("Big5 toward Traditional usage") << big5("軟件") << 1 << 2 << big5("軟體");
        QTest::newRow("Big5 toward Simplified usage") << big5("軟體") << 1 << 3 << big5("軟件");
        QTest::newRow("Big5 re-encoded only") << big5("軟件") << 1 << 0 << big5("軟件");
        QTest::newRow("GB toward Traditional usage") << gb("软件") << 2 << 2 << gb("软体");
        QTest::newRow("Big5 to UTF-16, Simplified usage") << big5("軟體") << 10 << 1 << utf16le("軟件");
        QTest::newRow("unmappable in text") << gb("㐀发") << 3 << 0 << QByteArray("?") + big5("發");
        QTest::newRow("empty file") << QByteArray() << 3 << 1 << QByteArray();
    }
    void convert()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, type);
        QFETCH(int, phraseMode);
        QFETCH(QByteArray, expected);
        Library lib;
        WriteFileBytes(lib.path("in.txt"), input);
        QCOMPARE(_TezFileConversion(lib.stmt, gb(lib.path("in.txt")).constData(), gb(lib.path("out.txt")).constData(),
                                    type, phraseMode, 0),
                 0);
        QCOMPARE(readAll(lib.path("out.txt")), expected);
    }

    void everyTypeAndCode()
    {
        // Each type reads its source encoding and writes the target script in its encoding.
        struct Side { bool trad, wide; };
        const Side from[16] = {{1, 0}, {1, 0}, {0, 0}, {0, 0}, {1, 1}, {1, 1}, {0, 1}, {0, 1},
                               {1, 0}, {0, 0}, {1, 0}, {0, 0}, {1, 1}, {0, 1}, {1, 1}, {0, 1}};
        const Side to[16] = {{0, 0}, {1, 0}, {0, 0}, {1, 0}, {0, 1}, {1, 1}, {1, 1}, {0, 1},
                             {0, 1}, {1, 1}, {1, 1}, {0, 1}, {1, 0}, {0, 0}, {0, 0}, {1, 0}};
        Library lib;
        for (int type = 0; type < 16; ++type) {
            for (int pm = 0; pm < 4; ++pm) {
                const QString text = from[type].trad ? QStringLiteral("頭髮") : QStringLiteral("头发");
                const QByteArray bytes = from[type].wide ? utf16le(text) : from[type].trad ? big5(text) : gb(text);
                WriteFileBytes(lib.path("in.txt"), bytes);
                QCOMPARE(_TezFileConversion(lib.stmt, gb(lib.path("in.txt")).constData(),
                                            gb(lib.path("out.txt")).constData(), type, pm, 0),
                         0);
                const QByteArray out = readAll(lib.path("out.txt"));
                const QString decoded = to[type].wide ? QString::fromUtf16(reinterpret_cast<const char16_t*>(out.constData() + 2), (out.size() - 2) / 2)
                                        : to[type].trad ? fromBig5(out) : fromGb(out);
                const QString want = to[type].trad ? QStringLiteral("頭髮") : QStringLiteral("头发");
                QVERIFY2(decoded == want, qPrintable(QStringLiteral("type %1 code %2: %3").arg(type).arg(pm).arg(decoded)));
            }
        }
    }

    void htmlCharset_data()
    {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("declarations");
        QTest::addColumn<QByteArray>("mustContain");
        const QByteArray body = "<body>软件</body></html>";
        QTest::newRow("http-equiv replaced")
            << "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"></head>" + body << -1 << 1
            << QByteArray("content=\"text/html; charset=big5\"");
        QTest::newRow("meta charset replaced") << "<html><head><meta charset=\"GB2312\"><title>t</title></head>" + body
                                               << -1 << 1 << QByteArray("<meta charset=\"big5\">");
        QTest::newRow("inserted into head") << "<html><HEAD><title>t</title></HEAD>" + body << -1 << 1
                                            << QByteArray("<HEAD><meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\">");
        QTest::newRow("head made when missing") << "<html>" + body << -1 << 1 << QByteArray("<html><head><meta ");
        QTest::newRow("two become one")
            << "<html><head><meta charset=\"gb2312\"><meta http-equiv=\"content-type\" content=\"text/html; charset=gb2312\"></head>" + body
            << -1 << 1 << QByteArray("<meta charset=\"big5\"></head>");
        QTest::newRow("flag off keeps none") << "<html><head></head>" + body << 0 << 0 << QByteArray("<head></head>");
        QTest::newRow("flag off corrects a wrong one") << "<html><head><meta charset=gb2312></head>" + body << 0 << 1
                                                       << QByteArray("<meta charset=big5>");
        // Markup inside comments, scripts, styles and attribute values is no tag.
        QTest::newRow("head inside a comment")
            << "<!-- <head> --><html><head><title>t</title></head>" + body << -1 << 1
            << QByteArray("<!-- <head> --><html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\"><title>");
        QTest::newRow("meta inside a script string")
            << "<html><head><script>var s = \"<meta charset=x>\";</script></head>" + body << -1 << 2
            << QByteArray("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\"><script>var s = \"<meta charset=x>\";");
        QTest::newRow("meta inside a style")
            << "<html><head><style>/* <meta charset=x> */</style></head>" + body << 0 << 1
            << QByteArray("<style>/* <meta charset=x> */</style>");
        QTest::newRow("tag inside an attribute value")
            << "<html><head title=\"<meta charset=x>\"><meta charset=gb2312></head>" + body << -1 << 2
            << QByteArray("title=\"<meta charset=x>\"><meta charset=big5>");
        QTest::newRow("keywords are no declaration")
            << "<html><head><meta name=\"keywords\" content=\"charset=gb2312\"></head>" + body << 0 << 1
            << QByteArray("content=\"charset=gb2312\"");
    }
    void htmlCharset()
    {
        QFETCH(QByteArray, html);
        QFETCH(int, flag);
        QFETCH(int, declarations);
        QFETCH(QByteArray, mustContain);
        Library lib;
        WriteFileBytes(lib.path("page.htm"), gb(QString::fromUtf8(html)));
        QCOMPARE(_TezFileConversion(lib.stmt, gb(lib.path("page.htm")).constData(), gb(lib.path("out.htm")).constData(),
                                    3, 1, flag),
                 0);
        const QByteArray out = readAll(lib.path("out.htm"));
        QCOMPARE(out.toLower().count("charset"), qsizetype(declarations));
        QVERIFY2(out.contains(mustContain), out.constData());
        QVERIFY(out.contains(big5("軟體")));
    }

    void htmlUnmappableBecomesReference()
    {
        Library lib;
        WriteFileBytes(lib.path("page.html"), gb("<html><body>㐀</body></html>"));
        QCOMPARE(_TezFileConversion(lib.stmt, gb(lib.path("page.html")).constData(), gb(lib.path("out.html")).constData(), 3, 0, -1), 0);
        QVERIFY(readAll(lib.path("out.html")).contains("&#13312;"));
    }

    void refusals()
    {
        Library lib;
        WriteFileBytes(lib.path("in.txt"), gb("软件"));
        const QByteArray in = gb(lib.path("in.txt"));
        QCOMPARE(_TezFileConversion(lib.stmt, in.constData(), in.constData(), 3, 1, 0), int32_t(TEZ_ERR_SAMEFILE));
        QCOMPARE(readAll(lib.path("in.txt")), gb("软件"));
        QCOMPARE(_TezFileConversion(lib.stmt, in.constData(), gb(lib.path("none/out.txt")).constData(), 3, 1, 0),
                 int32_t(TEZ_ERR_WRITE));
        QCOMPARE(_TezFileConversion(lib.stmt, gb(lib.path("missing.txt")).constData(), gb(lib.path("out.txt")).constData(), 3, 1, 0),
                 int32_t(TEZ_ERR_OPEN));
        QCOMPARE(QDir(lib.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"in.txt"});
        // An existing output is replaced whole.
        WriteFileBytes(lib.path("out.txt"), QByteArray(1000, 'x'));
        QCOMPARE(_TezFileConversion(lib.stmt, in.constData(), gb(lib.path("out.txt")).constData(), 3, 1, 0), 0);
        QCOMPARE(readAll(lib.path("out.txt")), big5("軟體"));
    }

    // A backslash is a character of a file name: "x\\y.txt" is a file of the folder, not y.txt in x.
    void backslashIsPartOfTheName_data()
    {
        QTest::addColumn<bool>("rtf");
        QTest::newRow("text file") << false;
        QTest::newRow("rtf file") << true;
    }
    void backslashIsPartOfTheName()
    {
        QFETCH(bool, rtf);
        Library lib;
        QVERIFY(QDir(lib.folder()).mkdir("x"));
        WriteFileBytes(lib.path("x/y.txt"), "unrelated");
        WriteFileBytes(lib.path("in\\put.txt"), rtf ? QByteArray("{\\rtf1\\ansi\\ansicpg936 ") + gb("软件") + "}" : gb("软件"));
        const QByteArray in = gb(lib.path("in\\put.txt")), out = gb(lib.path("x\\y.txt"));
        const int32_t rc = rtf ? _ConvertStringForRTFFileEx(lib.stmt, in.constData(), out.constData(), 0, 1)
                               : _TezFileConversion(lib.stmt, in.constData(), out.constData(), 3, 1, 0);
        QCOMPARE(rc, 0);
        QCOMPARE(readAll(lib.path("x/y.txt")), QByteArray("unrelated"));
        QVERIFY(readAll(lib.path("x\\y.txt")).contains(rtf ? QByteArray("\\ansicpg950") : big5("軟體")));
    }

    void rtf_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("text");
        const QByteArray gbDoc = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                                 "\\f0\\lang2052 \\'cd\\'b7\\'b7\\'a2\\'c8\\'ed\\'bc\\'fe\\par}";
        QTest::newRow("to Traditional") << gbDoc << 0 << 0
                                        << QStringList{"\\ansicpg950", "\\fcharset136", "\\lang1028", "\\par}",
                                                       // each character's own Big5 bytes as its fallback
                                                       "\\uc2\\u-26579\\'c0\\'59\\u-25874\\'be\\'76"}
                                        << QStringLiteral("宋体頭髮軟件");
        QTest::newRow("with vocabulary") << gbDoc << 0 << 256 << QStringList{"\\ansicpg950"} << QStringLiteral("宋体頭髮軟體");
        QTest::newRow("unicode input") << QByteArray("{\\rtf1\\ansi\\ansicpg936\\uc1\\u22836?\\u21457?\\par}") << 0 << 0
                                       << QStringList{"\\ansicpg950"} << QStringLiteral("頭髮");
        const QByteArray b5Doc = "{\\rtf1\\ansi\\ansicpg950{\\fonttbl{\\f1\\fcharset136 x;}}\\f1 " + QByteArray("\\'c0Y\\'be\\'76") + "}";
        QTest::newRow("to Simplified") << b5Doc << 1 << 1 << QStringList{"\\ansicpg936", "\\fcharset134"} << QStringLiteral("头发");
        QTest::newRow("code page only") << gbDoc << 2 << 0 << QStringList{"\\ansicpg950", "\\fcharset136"}
                                        << QStringLiteral("宋体头发软件");
        // Within one script the flags choose the direction: 256 toward Traditional usage, 1
        // toward Simplified usage.
        QTest::newRow("Simplified text toward Traditional usage") << gbDoc << 3 << 256 << QStringList{"\\ansicpg936"}
                                                                  << QStringLiteral("宋体头发软体");
        QByteArray gbTraditionalUsage = gbDoc;
        gbTraditionalUsage.replace("\\'c8\\'ed\\'bc\\'fe", "\\'c8\\'ed\\'cc\\'e5");
        QTest::newRow("Simplified text toward Simplified usage") << gbTraditionalUsage << 3 << 1 << QStringList{"\\ansicpg936"}
                                                                 << QStringLiteral("宋体头发软件");
    }
    void rtf()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, mode);
        QFETCH(int, flags);
        QFETCH(QStringList, present);
        QFETCH(QString, text);
        Library lib;
        WriteFileBytes(lib.path("in.rtf"), rtf);
        QCOMPARE(_ConvertStringForRTFFileEx(lib.stmt, gb(lib.path("in.rtf")).constData(), gb(lib.path("out.rtf")).constData(),
                                            mode, flags),
                 0);
        const QByteArray out = readAll(lib.path("out.rtf"));
        for (const QString& p : present) QVERIFY2(out.contains(p.toLatin1()), out.constData());
        QCOMPARE(rtfUnicodeText(out), text);
        QCOMPARE(out.count('{'), rtf.count('{'));
    }

    // The text of an RTF converts exactly as the same text as a string: terms are found
    // across \\uc switches, groups and formatting words, \\uN's fallback bytes are skipped;
    // a paragraph break divides the text as a line break does.
    void rtfTextAsString_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("plain");
        const QByteArray gbHead = "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 x;}}\\f0 ";
        QTest::newRow("uc switch inside a term") << gbHead + "\\uc1\\u36719?\\uc2 \\u20214" + hexEscapes(gb("件")) + "}" << 0
                                                 << QStringLiteral("软件");
        QTest::newRow("uc switches around every character")
            << gbHead + "\\uc2\\u36825\\'d5\\'e2\\uc1\\u20010?\\uc2\\u36719" + hexEscapes(gb("软")) + "\\uc1\\u20214?\\uc0\\u29992"
                   "\\uc2\\u40736" + hexEscapes(gb("鼠")) + "\\uc1\\u26631?}"
            << 0 << QStringLiteral("这个软件用鼠标");
        QTest::newRow("code page bytes then unicode") << gbHead + hexEscapes(gb("软")) + "\\uc1\\u20214?" + hexEscapes(gb("用")) + "}"
                                                      << 0 << QStringLiteral("软件用");
        QTest::newRow("formatting group inside a term") << gbHead + "{\\b " + hexEscapes(gb("软")) + "}" + hexEscapes(gb("件")) + "}"
                                                        << 0 << QStringLiteral("软件");
        QTest::newRow("formatting words inside a term")
            << gbHead + hexEscapes(gb("鼠")) + "\\i\\fs28 " + hexEscapes(gb("标")) + "\\i0 " + hexEscapes(gb("和软")) + "{\\*\\unknown x}"
                   + hexEscapes(gb("件")) + "}"
            << 0 << QStringLiteral("鼠标和软件");
        QTest::newRow("paragraph break between") << gbHead + hexEscapes(gb("软")) + "\\par " + hexEscapes(gb("件")) + "}" << 0
                                                 << QStringLiteral("软\n件");
        QTest::newRow("Traditional to Simplified across a switch")
            << "{\\rtf1\\ansi\\ansicpg950{\\fonttbl{\\f0\\fcharset136 x;}}\\f0 " + hexEscapes(big5("軟")) + "\\uc2\\u-25900"
                   + hexEscapes(big5("體")) + "{\\b " + hexEscapes(big5("滑")) + "}\\uc1\\u-24800?}"
            << 1 << QStringLiteral("軟體滑鼠");
        QTest::newRow("document the office wrote") << dataFile("office_uc_switch.rtf") << 0 << QStringLiteral("这个软件用鼠标");
    }
    void rtfTextAsString()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, mode);
        QFETCH(QString, plain);
        Library lib;
        WriteFileBytes(lib.path("in.rtf"), rtf);
        QCOMPARE(_ConvertStringForRTFFileEx(lib.stmt, gb(lib.path("in.rtf")).constData(), gb(lib.path("out.rtf")).constData(),
                                            mode, 1),
                 0);
        const QByteArray out = readAll(lib.path("out.rtf"));
        QCOMPARE(rtfUnicodeText(out), lib.uu(plain, mode, 1).remove(QLatin1Char('\n')));
        QCOMPARE(out.count('{'), rtf.count('{'));
    }

    void rtfPlainTextIntact_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("text after a group") << QByteArray("{\\rtf1\\ansi\\ansicpg936 {\\b}abc}")
                                            << QByteArray("{\\rtf1\\ansi\\ansicpg950 {\\b}abc}");
        QTest::newRow("escaped letter after a word") << QByteArray("{\\rtf1\\ansi\\ansicpg936\\b\\'41}")
                                                     << QByteArray("{\\rtf1\\ansi\\ansicpg950\\b A}");
        QTest::newRow("escapes and picture data")
            << QByteArray("{\\rtf1\\ansi\\ansicpg936 a\\{b\\}\\\\{\\pict\\'cd\\'b7 0a0b}}")
            << QByteArray("{\\rtf1\\ansi\\ansicpg950 a\\{b\\}\\\\{\\pict\\'cd\\'b7 0a0b}}");
    }
    void rtfPlainTextIntact()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QByteArray, expected);
        Library lib;
        WriteFileBytes(lib.path("in.rtf"), rtf);
        QCOMPARE(_ConvertStringForRTFFileEx(lib.stmt, gb(lib.path("in.rtf")).constData(), gb(lib.path("out.rtf")).constData(), 0, 0), 0);
        QCOMPARE(readAll(lib.path("out.rtf")), expected);
    }

    void rtfRefusals()
    {
        Library lib;
        WriteFileBytes(lib.path("in.rtf"), "plain text");
        const QByteArray in = gb(lib.path("in.rtf"));
        QCOMPARE(_ConvertStringForRTFFileEx(lib.stmt, in.constData(), gb(lib.path("out.rtf")).constData(), 0, 0),
                 int32_t(TEZ_ERR_FORMAT));
        QCOMPARE(_ConvertStringForRTFFileEx(lib.stmt, in.constData(), in.constData(), 0, 0), int32_t(TEZ_ERR_SAMEFILE));
        QVERIFY(!QFile::exists(lib.path("out.rtf")));
    }
};

TEZ_REGISTER_TEST(TestFiles)
#include "test_files.moc"
