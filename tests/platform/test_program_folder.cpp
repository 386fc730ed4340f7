#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

class ProgramFolderTest : public QObject {
    Q_OBJECT
private slots:
    void pathJoinNeverDoublesSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/home/u/tezdesk" << "/home/u/tezdesk/PCTS.LST";
        QTest::newRow("trailing slash") << "/home/u/tezdesk/" << "/home/u/tezdesk/PCTS.LST";
        QTest::newRow("root") << "/" << "/PCTS.LST";
    }
    void pathJoinNeverDoublesSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(PathJoin(folder, QStringLiteral("PCTS.LST")), expected);
    }

    void homeFromEnvironment()
    {
        QTemporaryDir dir;
        qputenv("TEZDESK_HOME", dir.path().toLocal8Bit());
        QCOMPARE(ProgramFolder(), dir.path());
        qunsetenv("TEZDESK_HOME");
    }

    void fillKeepsUserFiles()
    {
        QTemporaryDir data, home;
        WriteFileBytes(data.filePath("gb-big5.cct"), "table");
        WriteFileBytes(data.filePath("PCTS.LST"), "shipped list");
        WriteFileBytes(data.filePath("region.pct"), "shipped table");
        WriteFileBytes(home.filePath("region.pct"), "user table");

        FillProgramFolder(home.path(), data.path());
        QFile userTable(home.filePath("region.pct"));
        QVERIFY(userTable.open(QIODevice::ReadOnly));
        QCOMPARE(userTable.readAll(), QByteArray("user table"));
        QVERIFY(QFile::exists(home.filePath("PCTS.LST")));
        QVERIFY(QFile::exists(home.filePath("gb-big5.cct")));

        // Once the user has a list, deleted vocabulary tables are not brought back.
        QFile::remove(home.filePath("region.pct"));
        QFile::remove(home.filePath("gb-big5.cct"));
        FillProgramFolder(home.path(), data.path());
        QVERIFY(!QFile::exists(home.filePath("region.pct")));
        QVERIFY(QFile::exists(home.filePath("gb-big5.cct")));
    }

    void secondProcessLearnsThatOneRuns()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.acquire());
        pid_t child = fork();
        if (child == 0) {
            SingleInstance second(dir.path());
            _exit(second.PrevInstance() ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 1);
        QVERIFY(first.acquire());
    }
};

TEZ_REGISTER_TEST(ProgramFolderTest)
#include "test_program_folder.moc"
