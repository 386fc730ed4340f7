// The encoding of a text file as the one detection rule finds it.
#include "common/TestMain.h"
#include "core/TextEncodingDetect.h"

#include <QTest>

Q_DECLARE_METATYPE(TextEncoding)

namespace {

// A paragraph long enough for the detector's statistics.
const QString kSimplified = QStringLiteral(
    "中华人民共和国是世界上人口最多的国家之一，教育事业发展很快。小学和中学的学生每天学习语文、数学和外语，"
    "老师们认真工作，家长们也很关心孩子的学习和生活。");
const QString kTraditional = QStringLiteral(
    "臺灣的軟體產業發展迅速，許多公司開發電腦程式與網路服務。學生們在學校學習資訊課程，"
    "老師們認真教學，家長們也很關心孩子的學習與生活。");

QByteArray Utf16Le(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

} // namespace

class TextEncodingDetectTest : public QObject {
    Q_OBJECT
private slots:
    void detects_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TextEncoding>("preferred");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("text");
        const auto gb = TextEncoding::Gb;
        const auto big5 = TextEncoding::Big5;
        // GB codes that are also valid UTF-8 (Cyrillic): the ideographs win, whichever code page is expected.
        QTest::newRow("小学 in GB, GB expected") << QByteArray("\xD0\xA1\xD1\xA7\r\n") << gb << gb << QStringLiteral("小学\r\n");
        QTest::newRow("小学 in GB, Big5 expected") << QByteArray("\xD0\xA1\xD1\xA7\r\n") << big5 << gb << QStringLiteral("小学\r\n");
        QTest::newRow("軟體 in Big5, GB expected") << QByteArray("\xB3\x6E\xC5\xE9\r\n") << gb << big5 << QStringLiteral("軟體\r\n");
        QTest::newRow("Big5 user-defined code") << QByteArray("\x81\x40\xA4\x40\r\n") << gb << big5 << QStringLiteral("\uEEB8一\r\n");
        QTest::newRow("GB euro 80") << QByteArray("\x80" "A\r\n") << big5 << gb << QStringLiteral("€A\r\n");
        QTest::newRow("short UTF-8, Big5 expected") << QStringLiteral("軟體\r\n").toUtf8() << big5 << TextEncoding::Utf8 << QStringLiteral("軟體\r\n");
        QTest::newRow("short UTF-8, GB expected") << QStringLiteral("小学\r\n").toUtf8() << gb << TextEncoding::Utf8 << QStringLiteral("小学\r\n");
        QTest::newRow("ASCII: the expected code page") << QByteArray("abc\r\n") << big5 << big5 << QStringLiteral("abc\r\n");
        QTest::newRow("empty") << QByteArray() << gb << gb << QString();
        QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF" "\xD0\xA1") << gb << TextEncoding::Utf8Bom << QStringLiteral("\u0421");
        QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE\xD0\xA1", 4) << gb << TextEncoding::Utf16Le << QStringLiteral("\uA1D0");
        QTest::newRow("UTF-16 BE mark") << QByteArray("\xFE\xFF\x4E\x0A", 4) << gb << TextEncoding::Utf16Be << QStringLiteral("上");
        QTest::newRow("UTF-16 LE without mark") << Utf16Le(QStringLiteral("ab軟體\r\n")) << gb << TextEncoding::Utf16Le << QStringLiteral("ab軟體\r\n");
        QTest::newRow("long GB") << ToGB(kSimplified) << big5 << gb << kSimplified;
        QTest::newRow("long Big5") << ToBig5(kTraditional) << gb << big5 << kTraditional;
        QTest::newRow("long UTF-8") << kTraditional.toUtf8() << big5 << TextEncoding::Utf8 << kTraditional;
    }
    void detects()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TextEncoding, preferred);
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, text);
        TextEncoding found = TextEncoding::Gb;
        QCOMPARE(DecodeDetectedText(bytes, preferred, &found), text);
        QCOMPARE(found, encoding);
    }

    void encodingGivesTheBytesBack_data()
    {
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8 mark") << TextEncoding::Utf8Bom << QByteArray("\xEF\xBB\xBF" "a\xE4\xB8\x8A");
        QTest::newRow("UTF-16 LE") << TextEncoding::Utf16Le << QByteArray("\xFF\xFE" "a\0\x0A\x4E", 6);
        QTest::newRow("UTF-16 BE") << TextEncoding::Utf16Be << QByteArray("\xFE\xFF\0a\x4E\x0A", 6);
    }
    void encodingGivesTheBytesBack()
    {
        QFETCH(TextEncoding, encoding);
        QFETCH(QByteArray, bytes);
        QCOMPARE(EncodeText(DecodeText(bytes, encoding), encoding), bytes);
    }
};

TEZ_REGISTER_TEST(TextEncodingDetectTest)
#include "test_text_encoding_detect.moc"
