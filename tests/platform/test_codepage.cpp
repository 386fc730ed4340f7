#include "common/TestMain.h"
#include "platform/CodePage.h"

#include <QTest>

#include <tuple>

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

    void userDefinedBig5RowsArePrivateUse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("character");
        QTest::newRow("FA40 first") << QByteArray("\xFA\x40") << 0xE000;
        QTest::newRow("FEFE last of the first rows") << QByteArray("\xFE\xFE") << 0xE310;
        QTest::newRow("8E40") << QByteArray("\x8E\x40") << 0xE311;
        QTest::newRow("A0FE") << QByteArray("\xA0\xFE") << 0xEEB7;
        QTest::newRow("8140") << QByteArray("\x81\x40") << 0xEEB8;
        QTest::newRow("81A1 after the 63 low trails") << QByteArray("\x81\xA1") << 0xEEB8 + 63;
        QTest::newRow("8DFE") << QByteArray("\x8D\xFE") << 0xF6B0;
    }
    void userDefinedBig5RowsArePrivateUse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, character);
        QCOMPARE(FromBig5(bytes), QString(QChar(character)));
        QCOMPARE(ToBig5(QString(QChar(character))), bytes);
    }

    // Every code the code page defines, and bytes it does not, come back with the kept codes.
    void everyCodeComesBackWithItsKeptCodes()
    {
        QByteArray big5;
        QByteArray gb("\x80", 1);
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                big5.append(char(lead)).append(char(trail));
                if (trail != 0x7F)
                    gb.append(char(lead)).append(char(trail));
            }
        big5 += QByteArray("\x80\xFF" "a\xA4", 5);
        for (auto [bytes, decode, encode] : {std::tuple{big5, &FromBig5, &ToBig5}, std::tuple{gb, &FromGB, &ToGB}}) {
            QList<KeptCode> kept;
            const QString text = decode(bytes, &kept);
            QCOMPARE(encode(text, kept), bytes);
        }
    }

    void secondCodesAreKept_data()
    {
        QTest::addColumn<bool>("big5");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("normalised");
        QTest::addColumn<int>("keptCount");
        QTest::newRow("Big5 box drawing F9F9 F9FA") << true << QByteArray("\xF9\xF9\xF9\xFA\xA2\xA4") << QStringLiteral("\u2550\u256D\u2550")
                                                    << QByteArray("\xA2\xA4\xA2\x7E\xA2\xA4") << 2;
        QTest::newRow("GB 80 is the euro") << false << QByteArray("\x80" "A\xA2\xE3") << QStringLiteral("\u20ACA\u20AC")
                                           << QByteArray("\xA2\xE3" "A\xA2\xE3") << 1;
    }
    void secondCodesAreKept()
    {
        QFETCH(bool, big5);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QByteArray, normalised);
        QFETCH(int, keptCount);
        QList<KeptCode> kept;
        QCOMPARE(big5 ? FromBig5(bytes, &kept) : FromGB(bytes, &kept), text);
        QCOMPARE(kept.size(), keptCount);
        QCOMPARE(big5 ? ToBig5(text, kept) : ToGB(text, kept), bytes);
        QCOMPARE(big5 ? ToBig5(text) : ToGB(text), normalised);
    }

    void brokenBytesDecodeToReplacement()
    {
        QCOMPARE(FromGB(QByteArray("a\xFF" "b")), QStringLiteral("a\uFFFDb"));
    }
};

TEZ_REGISTER_TEST(CodePageTest)
#include "test_codepage.moc"
