// Whole-file conversion in chunks: with chunks of a few bytes every type gives the bytes the
// default chunk size gives, on text with CR LF line ends, two-byte characters, surrogate pairs
// and a term that a chunk boundary falls into.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QTest>

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

QByteArray convertWithChunk(Library& lib, const QByteArray& input, int type, int mode, const QByteArray& chunk)
{
    const QString in = lib.path(QStringLiteral("in.txt"));
    const QString out = lib.path(QStringLiteral("out.txt"));
    WriteFileBytes(in, input);
    QFile::remove(out);
    if (chunk.isEmpty()) qunsetenv("TEZC_FILE_CHUNK_BYTES");
    else qputenv("TEZC_FILE_CHUNK_BYTES", chunk);
    const int32_t rc = _TezFileConversion(lib.stmt, in.toUtf8().constData(), out.toUtf8().constData(), type, mode, 0);
    qunsetenv("TEZC_FILE_CHUNK_BYTES");
    if (rc != 0) return QByteArray("<error ") + QByteArray::number(rc) + ">";
    return ReadFileBytes(out);
}

}  // namespace

class TestFileChunks : public QObject {
    Q_OBJECT

private slots:
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
        Library lib;
        const QByteArray input = inputFor(type, text);
        for (int mode = 0; mode < 4; ++mode) {
            const QByteArray whole = convertWithChunk(lib, input, type, mode, QByteArray());
            QVERIFY2(!whole.startsWith("<error"), whole.constData());
            for (const QByteArray& chunk : {QByteArray("1"), QByteArray("3"), QByteArray("7")})
                QCOMPARE(convertWithChunk(lib, input, type, mode, chunk), whole);
        }
    }

    // A UTF-8 file keeps being UTF-8 when the chunk boundary falls inside a character.
    void utf8AcrossChunks()
    {
        Library lib;
        const QByteArray input = QStringLiteral("软件\r\n鼠标\r\n").toUtf8();
        const QByteArray whole = convertWithChunk(lib, input, 3, 1, QByteArray());
        QCOMPARE(convertWithChunk(lib, input, 3, 1, "2"), whole);
        QCOMPARE(whole, QStringLiteral("軟體\r\n滑鼠\r\n").toUtf8());
    }

    // Plain text that turns out to be HTML still gets its charset declared.
    void htmlLookingTextConvertsWhole()
    {
        Library lib;
        const QByteArray input = gb(QStringLiteral("<html><head><meta charset=gb2312></head>\r\n<body>软件</body></html>\r\n"));
        const QByteArray whole = convertWithChunk(lib, input, 3, 1, QByteArray());
        QVERIFY(whole.contains("charset=big5"));
        QCOMPARE(convertWithChunk(lib, input, 3, 1, "4"), whole);
    }
};

TEZ_REGISTER_TEST(TestFileChunks)
#include "test_file_chunks.moc"
