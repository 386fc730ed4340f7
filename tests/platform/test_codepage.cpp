#include "common/TestMain.h"
#include "platform/CodePage.h"

#include <QTest>

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void knownBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("gb");
        QTest::addColumn<QByteArray>("big5");
        QTest::newRow("ascii") << QStringLiteral("AB") << QByteArray("AB") << QByteArray("AB");
        QTest::newRow("nihao") << QStringLiteral("你好") << QByteArray("\xC4\xE3\xBA\xC3") << QByteArray("\xA7\x41\xA6\x6E");
        QTest::newRow("ruanti") << QStringLiteral("軟體") << QByteArray("\xDC\x9B\xF3\x77") << QByteArray("\xB3\x6E\xC5\xE9");
    }
    void knownBytes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, gb);
        QFETCH(QByteArray, big5);
        QCOMPARE(ToGB(text), gb);
        QCOMPARE(FromGB(gb), text);
        QCOMPARE(ToBig5(text), big5);
        QCOMPARE(FromBig5(big5), text);
    }

    void gb18030HoldsEveryCharacter()
    {
        const QString text = QStringLiteral("𠮷a€\u00e9\uFFFD") + QString(QChar(0x3400));
        QCOMPARE(FromGB(ToGB(text)), text);
    }

    void big5RoundTripsEveryCharacterItHolds()
    {
        // Every double-byte Big5 sequence that decodes comes back as the same bytes.
        int checked = 0;
        for (int lead = 0xA1; lead <= 0xF9; ++lead) {
            for (int trail : {0x40, 0x55, 0x7E, 0xA1, 0xBB, 0xFE}) {
                QByteArray bytes;
                bytes.append(char(lead)).append(char(trail));
                const QString text = FromBig5(bytes);
                if (text.contains(QChar(0xFFFD)))
                    continue;
                QCOMPARE(ToBig5(text), bytes);
                ++checked;
            }
        }
        QVERIFY(checked > 300);
    }

    void big5ReplacesWhatItCannotHold()
    {
        QCOMPARE(ToBig5(QStringLiteral("a软b")), QByteArray("a?b"));
        QCOMPARE(ToBig5(QStringLiteral("𠮷")), QByteArray("?"));
    }

    void brokenBytesDecodeToReplacement()
    {
        QCOMPARE(FromGB(QByteArray("a\xFF" "b")), QStringLiteral("a\uFFFDb"));
    }
};

TEZ_REGISTER_TEST(CodePageTest)
#include "test_codepage.moc"
