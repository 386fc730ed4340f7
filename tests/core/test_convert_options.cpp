// Shared conversion parameters: the flag tables of SetConvertOption, the mode and flag that
// ConvertUString passes, and the codes of ConvertFileByFlags, checked through the library.
#include "common/GeneratedTables.h"
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "core/ConvertOptions.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray big5(const QString& s) { return QStringEncoder("Big5").encode(s); }

// Opens the library on the generated tables as start-up does.
void openLibrary()
{
    static bool open = false;
    if (open) return;
    _TezCreateEnv(&ghEnv);
    QCOMPARE(_TezCreateStmt(ghEnv, &ghStmt, 1000), 0);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(_TezLoadCCT(ghEnv, i, ToSystemCodePage(generated_tables::tablePath(i)).constData(), 0, 0), 0);
    const QString list = QDir(generated_tables::dataDir()).filePath(QStringLiteral("PCTS.LST"));
    QCOMPARE(_TezLoadLST(ghStmt, ToSystemCodePage(list).constData()), 0);
    open = true;
}

}  // namespace

class TestConvertOptions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { openLibrary(); }

    void setConvertOption_data()
    {
        QTest::addColumn<bool>("bB52GB");
        QTest::addColumn<bool>("bCode");
        QTest::addColumn<bool>("bPhrase");
        QTest::addColumn<bool>("bL2R");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("font");
        QTest::newRow("nothing set") << false << false << false << false << 7 << 3 << "宋体";
        QTest::newRow("simplified text toward simplified") << false << false << true << true << 7 << 4 << "宋体";
        QTest::newRow("traditional text, bL2R") << true << false << false << true << 5 << 4 << "細明體";
        QTest::newRow("traditional text") << true << false << true << false << 5 << 3 << "細明體";
        QTest::newRow("T to S with vocabulary") << true << true << true << false << 4 << 0 << "宋体";
        QTest::newRow("T to S code only") << true << true << false << true << 4 << 2 << "宋体";
        QTest::newRow("S to T with vocabulary") << false << true << true << true << 6 << 0 << "細明體";
        QTest::newRow("S to T code only") << false << true << false << false << 6 << 2 << "細明體";
    }
    void setConvertOption()
    {
        QFETCH(bool, bB52GB);
        QFETCH(bool, bCode);
        QFETCH(bool, bPhrase);
        QFETCH(bool, bL2R);
        QFETCH(int, type);
        QFETCH(int, option);
        QFETCH(QString, font);
        SetConvertOption(bB52GB, bCode, bPhrase, bL2R);
        QCOMPARE(int(giConvType), type);
        QCOMPARE(int(giConvOption), option);
        QCOMPARE(gsConvFontName, font);
    }

    void convertUString_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("4/0: T to S with vocabulary") << 4 << 0 << "軟體" << "软件";
        QTest::newRow("4/2: T to S code") << 4 << 2 << "軟體" << "软体";
        QTest::newRow("5/4: toward Simplified usage") << 5 << 4 << "軟體" << "軟件";
        QTest::newRow("5/3: toward Traditional usage") << 5 << 3 << "軟件" << "軟體";
        QTest::newRow("6/0: S to T with vocabulary") << 6 << 0 << "软件" << "軟體";
        QTest::newRow("6/2: S to T code") << 6 << 2 << "软件" << "軟件";
        QTest::newRow("7/3: toward Traditional usage") << 7 << 3 << "软件" << "软体";
        QTest::newRow("7/4: toward Simplified usage") << 7 << 4 << "软体" << "软件";
        QTest::newRow("other type: S to T code") << 9 << 0 << "软件" << "軟件";
        QTest::newRow("empty") << 6 << 0 << "" << "";
    }
    void convertUString()
    {
        QFETCH(int, type);
        QFETCH(int, option);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(ConvertUString(input, type, option), expected);
    }

    void convertUStringFailureGivesEmpty()
    {
        const int32_t saved = ghStmt;
        ghStmt = 0;
        QCOMPARE(ConvertUString(QStringLiteral("软件"), 6, 0), QString());
        ghStmt = saved;
    }

    void convertFileByFlags_data()
    {
        QTest::addColumn<bool>("bCode");
        QTest::addColumn<bool>("bPhrase");
        QTest::addColumn<bool>("bB52GB");
        QTest::addColumn<bool>("bL2R");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("S to T with vocabulary (3, 1)") << true << true << false << false << ToGB("软件") << big5("軟體");
        QTest::newRow("T to S code (0, 0)") << true << false << true << true << big5("軟體") << ToGB("软体");
        QTest::newRow("Simplified usage (2, 3)") << false << false << false << true << ToGB("软体") << ToGB("软件");
        QTest::newRow("Traditional usage (1, 2)") << false << true << true << false << big5("軟件") << big5("軟體");
    }
    void convertFileByFlags()
    {
        QFETCH(bool, bCode);
        QFETCH(bool, bPhrase);
        QFETCH(bool, bB52GB);
        QFETCH(bool, bL2R);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("输入.txt")), out = dir.filePath(QStringLiteral("输出.txt"));
        WriteFileBytes(in, input);
        ConvertFileByFlags(in, out, bCode, bPhrase, bB52GB, bL2R, 0);
        QFile o(out);
        QVERIFY(o.open(QIODevice::ReadOnly));
        QCOMPARE(o.readAll(), expected);
    }

    void convertFileByFlagsPassesTheTagFlag()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("a.htm")), out = dir.filePath(QStringLiteral("b.htm"));
        WriteFileBytes(in, ToGB(QStringLiteral("<html><head></head><body>软件</body></html>")));
        ConvertFileByFlags(in, out, true, true, false, false, -1);
        QFile o(out);
        QVERIFY(o.open(QIODevice::ReadOnly));
        QVERIFY(o.readAll().contains("charset=big5"));
    }
};

TEZ_REGISTER_TEST(TestConvertOptions)
#include "test_convert_options.moc"
