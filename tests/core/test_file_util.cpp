#include "common/TestMain.h"
#include "core/FileUtil.h"
#include "core/Log.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FileUtilTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private slots:
    void init()
    {
        gsErrFile = dir.filePath("tezdesk.ERR");
        QFile::remove(gsErrFile);
    }

    void writeStrCodeBytes()
    {
        const QString path = dir.filePath("side.DBL");
        WriteStrCode(QStringLiteral("AB"), path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("A\0B\0\r\n", 6));
    }

    void readLineReadsWhatWasWritten()
    {
        const QString path = dir.filePath("lines.DBL");
        QFile::remove(path);
        WriteStrCode(QStringLiteral("AB"), path);
        WriteStrCode(QStringLiteral("專案\t1"), path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QString line;
        QVERIFY(ReadLine(f, line));
        QCOMPARE(line, QStringLiteral("AB"));
        QVERIFY(ReadLine(f, line));
        QCOMPARE(line, QStringLiteral("專案\t1"));
        QVERIFY(!ReadLine(f, line));
        QCOMPARE(line, QString());
    }

    void readLineKeepsLoneCarriageReturn()
    {
        QByteArray bytes("A\0\r\0", 4);
        bytes += QByteArray("B\0\r\n", 4);
        QFile f(dir.filePath("cr.DBL"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QString line;
        QVERIFY(ReadLine(f, line));
        QCOMPARE(line, QStringLiteral("A\rB"));
    }

    void names_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("noExt");
        QTest::newRow("backslashes") << "C:\\dir\\file.txt" << "C:\\dir" << "file.txt" << "C:\\dir\\file";
        QTest::newRow("slashes") << "/home/u/a.b.txt" << "/home/u" << "a.b.txt" << "/home/u/a.b";
        QTest::newRow("dot in folder") << "C:\\a.b\\file" << "C:\\a.b" << "file" << "C:\\a";
        QTest::newRow("empty") << "" << "" << "" << "";
    }
    void names()
    {
        QFETCH(QString, path);
        QFETCH(QString, dir);
        QFETCH(QString, name);
        QFETCH(QString, noExt);
        QCOMPARE(GetPath(path), dir);
        QCOMPARE(GetFileName(path), name);
        QCOMPARE(GetFileNameNoExt(path), noExt);
    }

    void pathWithoutSeparatorIsRecorded()
    {
        QCOMPARE(GetPath(QStringLiteral("file.txt")), QString());
        QVERIFY(QFile::exists(gsErrFile));
        QCOMPARE(GetFileName(QStringLiteral("file.txt")), QStringLiteral("file.txt"));
    }

    void sleepRoundsDownToMilliseconds()
    {
        QElapsedTimer t;
        t.start();
        SleepSeconds(0.05f);
        QVERIFY(t.elapsed() >= 49);
    }

    void userAndComputerNames()
    {
        QVERIFY(!GetLoginUserName().isEmpty());
        QVERIFY(!GetThisComputerName().isEmpty());
    }
};

TEZ_REGISTER_TEST(FileUtilTest)
#include "test_file_util.moc"
