#include "BatchFixture.h"

#include "batch/MakeDir.h"
#include "common/TestMain.h"

#include <QTest>

class MakeDirTest : public QObject {
    Q_OBJECT

private slots:
    void makeDir_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder"); // made by the call ("" for none)
        QTest::addColumn<int>("records");
        QTest::newRow("every missing parent") << "t/out/a/b" << "t/out/a/b" << 0;
        QTest::newRow("trailing slashes") << "t/out/a//" << "t/out/a" << 0;
        QTest::newRow("an existing folder") << "t/out/" << "" << 0;
        QTest::newRow("an existing file") << "t/f" << "" << 0;
        QTest::newRow("below a file") << "t/f/x" << "" << 1;
        QTest::newRow("far below a file: still one record") << "t/f/x/y/z" << "" << 1;
    }
    void makeDir()
    {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(int, records);
        BatchFixture fx;
        fx.makeFolder(QStringLiteral("t/out"));
        fx.makeFile(QStringLiteral("t/f"), "keep");

        MakeDir(fx.path(path));

        if (!folder.isEmpty())
            QVERIFY(QFileInfo(fx.path(folder)).isDir());
        QCOMPARE(fx.errorRecords(QStringLiteral("MakeDir")), records);
        QCOMPARE(fx.errorLog().count("**"), records);
        QFile kept(fx.path(QStringLiteral("t/f")));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("keep"));
    }
};

TEZ_REGISTER_TEST(MakeDirTest)
#include "test_make_dir.moc"
