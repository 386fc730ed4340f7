// Whole-file conversion in chunks: with chunks of a few bytes and with the default size every
// type gives the bytes of the conversion of the file at once, on text with CR LF line
// ends, two-byte characters, surrogate pairs, a term that a chunk boundary falls into, and
// HTML whose charset declarations are set, dropped or added.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QTest>

#include <memory>

using namespace tezc_test;

namespace {

QByteArray utf16le(const QString& s)
{
    QByteArray out("\xFF\xFE", 2);
    out.append(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
    return out;
}

// Text for a type's input side: UTF-16 for types 4-7 and 12-15, else the script's 8-bit page.
QByteArray inputFor(int type, const QString& text)
{
    const bool wide = (type >= 4 && type <= 7) || type >= 12;
    if (wide) return utf16le(text);
    const bool traditional = type == 0 || type == 1 || type == 8 || type == 10;
    return traditional ? big5(text) : gb(text);
}

// chunk "whole": the conversion at once.
QByteArray convertWithChunk(Library& lib, const QByteArray& input, int type, int mode, const QByteArray& chunk,
                            const QString& name = QStringLiteral("in.txt"), int flag = 0)
{
    const QString in = lib.path(name);
    const QString out = lib.path(QStringLiteral("out.txt"));
    WriteFileBytes(in, input);
    QFile::remove(out);
    if (chunk == "whole") qputenv("TEZC_FILE_WHOLE", "1");
    else if (!chunk.isEmpty()) qputenv("TEZC_FILE_CHUNK_BYTES", chunk);
    const int32_t rc = _TezFileConversion(lib.stmt, in.toUtf8().constData(), out.toUtf8().constData(), type, mode, flag);
    qunsetenv("TEZC_FILE_CHUNK_BYTES");
    qunsetenv("TEZC_FILE_WHOLE");
    if (rc != 0) return QByteArray("<error ") + QByteArray::number(rc) + ">";
    return ReadFileBytes(out);
}

}  // namespace

class TestFileChunks : public QObject {
    Q_OBJECT

    // One library for every case: loading the tables is what takes the time.
    std::unique_ptr<Library> m_lib;

private slots:
    void initTestCase() { m_lib = std::make_unique<Library>(); }
    void cleanupTestCase() { m_lib.reset(); }

    void tinyChunksGiveTheSameBytes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        const QString simplified = QStringLiteral("软件和鼠标\r\n头发发展\r\n软件软件软件软件软件\r\nabc 软件\r\n");
        const QString traditional = QStringLiteral("軟體和滑鼠\r\n頭髮發展\r\n軟體軟體軟體軟體\r\nabc 軟體\r\n");
        const QString pair = QStringLiteral("\U00020000软件\r\n\U0002A6D6軟體\r\n");
        for (int type = 0; type < 16; ++type) {
            const bool traditionalIn = type == 0 || type == 1 || type == 4 || type == 5 || type == 8 || type == 10
                || type == 12 || type == 14;
            const bool wide = (type >= 4 && type <= 7) || type >= 12;
            QTest::addRow("type %d", type) << type << (traditionalIn ? traditional : simplified);
            if (wide) QTest::addRow("type %d, surrogate pairs", type) << type << pair;
        }
        QTest::addRow("GB with no line break") << 3 << QStringLiteral("软件软件软件软件");
        QTest::addRow("empty") << 3 << QString();
    }
    void tinyChunksGiveTheSameBytes()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        Library& lib = *m_lib;
        const QByteArray input = inputFor(type, text);
        for (int mode = 0; mode < 4; ++mode) {
            const QByteArray whole = convertWithChunk(lib, input, type, mode, "whole");
            QVERIFY2(!whole.startsWith("<error"), whole.constData());
            for (const QByteArray& chunk : {QByteArray(), QByteArray("1"), QByteArray("3"), QByteArray("7")})
                QCOMPARE(convertWithChunk(lib, input, type, mode, chunk), whole);
        }
    }

    // Text with no line break is cut where no match reaches across: with reads of every
    // size from one byte up, each boundary falls inside a two- or four-byte character, a
    // surrogate pair, a CR LF, a term, a phrase and a protected name somewhere, and the
    // bytes stay those of the conversion at once.
    void cutsInsideMatches_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("utf8");
        const QString simplified = QStringLiteral(
            "低级别产品和软件，鼠标头发发展马里兰州数據库\r\nabc 软件软件\U00020000头发，皇后大道上的理发店"
            "。\r\r中国曾把碱写作硷，计算机的内存和硬盘。");
        const QString traditional = QStringLiteral(
            "低級別產品和軟體，滑鼠頭髮發展馬里蘭州資料庫\r\nabc 軟體軟體\U0002A6D6頭髮，畫素藉由圖示覆蓋"
            "。\r\r計算機的記憶體和硬碟。");
        const struct { int type; int mode; bool traditionalIn; const char* name; } kinds[] = {
            {3, 1, false, "GB to Big5 with vocabulary"}, {3, 0, false, "GB to Big5 code only"},
            {0, 1, true, "Big5 to GB with vocabulary"}, {0, 0, true, "Big5 to GB code only"},
            {2, 3, false, "GB to GB toward Simplified usage"}, {1, 2, true, "Big5 to Big5 toward Traditional usage"},
            {6, 1, false, "UTF-16 S to T with vocabulary"}, {4, 1, true, "UTF-16 T to S with vocabulary"},
            {9, 1, false, "GB to UTF-16 T"}, {14, 1, true, "UTF-16 T to GB"},
        };
        for (const auto& k : kinds) {
            const QString text = k.traditionalIn ? traditional : simplified;
            QTest::addRow("%s", k.name) << k.type << k.mode << text.repeated(3) << false;
        }
        QTest::addRow("UTF-8 to Big5 with vocabulary") << 3 << 1 << simplified.repeated(3) << true;
    }
    void cutsInsideMatches()
    {
        QFETCH(int, type);
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(bool, utf8);
        Library& lib = *m_lib;
        // A protected name that the phrases around it would otherwise take apart.
        static const bool guarded = [&] {
            lib.addTable(lib.makeTable(QStringLiteral("guard.pct"), {{QStringLiteral("皇后大道"), QStringLiteral("皇后大道")}}), 3);
            return true;
        }();
        Q_UNUSED(guarded);
        const QByteArray input = utf8 ? text.toUtf8() : inputFor(type, text);
        const QByteArray whole = convertWithChunk(lib, input, type, mode, "whole");
        QVERIFY2(!whole.startsWith("<error"), whole.constData());
        for (int chunk = 1; chunk <= 40; ++chunk)
            QVERIFY2(convertWithChunk(lib, input, type, mode, QByteArray::number(chunk)) == whole,
                     qPrintable(QStringLiteral("read size %1").arg(chunk)));
        for (int chunk : {64, 97, 128, 255, 1000})
            QVERIFY2(convertWithChunk(lib, input, type, mode, QByteArray::number(chunk)) == whole,
                     qPrintable(QStringLiteral("read size %1").arg(chunk)));
    }

    // A long text with no line break at all converts in chunks of the default size too.
    // The chunk buffers are kept from one file to the next: a short file after a long one
    // (and a GB file after a Big5 one) gives its own bytes only.
    void shortFileAfterALongOne()
    {
        Library& lib = *m_lib;
        QString longText;
        for (int i = 0; i < 3000; ++i) longText += QStringLiteral("軟體和滑鼠 abc 頭髮發展 %1\r\n").arg(i);
        const QByteArray longWhole = convertWithChunk(lib, big5(longText), 0, 1, "whole", "long.txt");
        QCOMPARE(convertWithChunk(lib, big5(longText), 0, 1, QByteArray(), "long.txt"), longWhole);
        const QByteArray shortIn = gb(QStringLiteral("头发"));
        const QByteArray shortWhole = convertWithChunk(lib, shortIn, 3, 1, "whole");
        QCOMPARE(convertWithChunk(lib, shortIn, 3, 1, QByteArray()), shortWhole);
        QCOMPARE(shortWhole, big5(QStringLiteral("頭髮")));
    }

    void longLineInChunks()
    {
        Library& lib = *m_lib;
        QString text;
        const QString words[] = {QStringLiteral("软件"), QStringLiteral("鼠标"), QStringLiteral("低级别产品"),
                                 QStringLiteral("头发"), QStringLiteral("，"), QStringLiteral("发展"),
                                 QStringLiteral("abc "), QStringLiteral("马里兰州")};
        for (int i = 0; text.size() < 400000; ++i) text += words[(i * 7 + i / 3) % 8];
        const QByteArray input = gb(text);
        const QByteArray whole = convertWithChunk(lib, input, 3, 1, "whole");
        QVERIFY2(!whole.startsWith("<error"), whole.constData());
        QCOMPARE(convertWithChunk(lib, input, 3, 1, QByteArray()), whole);
        QCOMPARE(convertWithChunk(lib, input, 3, 1, "4099"), whole);
    }

    // A UTF-8 file keeps being UTF-8 when the chunk boundary falls inside a character.
    void utf8AcrossChunks()
    {
        Library& lib = *m_lib;
        const QByteArray input = QStringLiteral("软件\r\n鼠标\r\n").toUtf8();
        const QByteArray whole = convertWithChunk(lib, input, 3, 1, "whole");
        QCOMPARE(convertWithChunk(lib, input, 3, 1, "2"), whole);
        QCOMPARE(whole, QStringLiteral("軟體\r\n滑鼠\r\n").toUtf8());
    }

    // HTML pages: the declarations set, dropped and added as in the conversion at once.
    void htmlInChunks_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("type");
        const QString body = QStringLiteral("\r\n<body>\r\n<p>软件 鼠标</p>\r\n<p>头发\U00020000</p>\r\n</body></html>\r\n");
        const struct { const char* row; QString head; } pages[] = {
            {"no declaration", QStringLiteral("<html><head>\r\n<title>软件</title></head>")},
            {"one meta", QStringLiteral("<html><head><meta http-equiv=\"Content-Type\"\r\n content=\"text/html; charset=gb2312\"></head>")},
            {"two metas", QStringLiteral("<html><head><meta charset=gb2312>\r\n<meta charset=\"utf-8\"></head><meta charset=x>")},
            {"xml declaration", QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<html><head></head>")},
            {"header tag first", QStringLiteral("<html><header>x</header>\r\n<head\r\n>")},
            {"no head", QStringLiteral("<html lang=zh>\r\n")},
            {"doctype only", QStringLiteral("<!DOCTYPE html>\r\n<body>")},
            {"stray less-than", QStringLiteral("<html>a < b\r\n<head>")},
            {"unclosed meta", QStringLiteral("<html><head><meta charset=gb2312\r\n")},
            {"head inside a comment", QStringLiteral("<!-- <head> -- > --><html><head></head>")},
            {"meta inside a script", QStringLiteral("<html><head><script>s = \"<meta charset=x>\" < 3;</script ></head>")},
            {"unterminated xml declaration", QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"\r\n<html><head>")},
            {"quoted greater-than", QStringLiteral("<html><head title='a>b'><meta content=\"x>y\" charset=gb2312></head>")},
            {"unclosed comment", QStringLiteral("<html><head><!-- <meta charset=gb2312>\r\n")},
        };
        for (const auto& p : pages) {
            for (int flag : {-1, 0}) {
                QTest::addRow("%s, flag %d, .htm", p.row, flag) << p.head + body << "in.htm" << flag << 3;
                QTest::addRow("%s, flag %d, to GB", p.row, flag) << p.head + body << "in.htm" << flag << 2;
                QTest::addRow("%s, flag %d, to UTF-16", p.row, flag) << p.head + body << "in.htm" << flag << 11;
            }
            QTest::addRow("%s, .txt", p.row) << p.head + body << "in.txt" << 0 << 3;
            QTest::addRow("%s, UTF-16 to GB", p.row) << p.head + body << "in.htm" << -1 << 13;
            QTest::addRow("%s, UTF-16 to UTF-16", p.row) << p.head + body << "in.htm" << -1 << 6;
        }
    }
    void htmlInChunks()
    {
        QFETCH(QString, page);
        QFETCH(QString, name);
        QFETCH(int, flag);
        QFETCH(int, type);
        Library& lib = *m_lib;
        const QByteArray input = inputFor(type, page);
        const QByteArray whole = convertWithChunk(lib, input, type, 1, "whole", name, flag);
        QVERIFY2(!whole.startsWith("<error"), whole.constData());
        for (const QByteArray& chunk : {QByteArray(), QByteArray("1"), QByteArray("5"), QByteArray("16")})
            QCOMPARE(convertWithChunk(lib, input, type, 1, chunk, name, flag), whole);
    }
};

TEZ_REGISTER_TEST(TestFileChunks)
#include "test_file_chunks.moc"
