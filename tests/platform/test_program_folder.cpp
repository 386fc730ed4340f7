#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {
void SetModified(const QString& path, const QDateTime& time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}
} // namespace

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

    void helpPageFollowsTheInstalledOne_data()
    {
        QTest::addColumn<QByteArray>("copy");      // the program folder's page; empty: none
        QTest::addColumn<int>("copyAgeSeconds");    // how much older than the installed page
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("missing on a later fill") << QByteArray() << 0 << QByteArray("new help");
        QTest::newRow("older copy is replaced") << QByteArray("old help") << 3600 << QByteArray("new help");
        QTest::newRow("copy as new is kept") << QByteArray("same time") << 0 << QByteArray("same time");
        QTest::newRow("newer copy is kept") << QByteArray("newer help") << -3600 << QByteArray("newer help");
    }
    void helpPageFollowsTheInstalledOne()
    {
        QFETCH(QByteArray, copy);
        QFETCH(int, copyAgeSeconds);
        QFETCH(QByteArray, expected);
        QTemporaryDir data, home;
        WriteFileBytes(data.filePath("PCTS.LST"), "shipped list");
        WriteFileBytes(home.filePath("PCTS.LST"), "user list"); // not the first fill
        WriteFileBytes(data.filePath("tezhelp.html"), "new help");
        const QDateTime installedTime = QDateTime::currentDateTime().addSecs(-7200);
        SetModified(data.filePath("tezhelp.html"), installedTime);
        if (!copy.isEmpty()) {
            WriteFileBytes(home.filePath("tezhelp.html"), copy);
            SetModified(home.filePath("tezhelp.html"), installedTime.addSecs(-copyAgeSeconds));
        }
        FillProgramFolder(home.path(), data.path());
        QCOMPARE(ReadFileBytes(home.filePath("tezhelp.html")), expected);
        QVERIFY(!QFile::exists(home.filePath("tezhelp.html.new")));
        QCOMPARE(ReadFileBytes(home.filePath("PCTS.LST")), QByteArray("user list"));
        // A second fill changes nothing more.
        FillProgramFolder(home.path(), data.path());
        QCOMPARE(ReadFileBytes(home.filePath("tezhelp.html")), expected);
    }

    void lockOutcomes()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QCOMPARE(first.take(), SingleInstance::Outcome::Acquired);
        SingleInstance second(dir.path());
        QCOMPARE(second.take(), SingleInstance::Outcome::AnotherCopyRuns);
        WriteFileBytes(dir.filePath("file"), "x");
        SingleInstance underFile(dir.filePath("file/sub"));
        QCOMPARE(underFile.take(), SingleInstance::Outcome::FolderNotWritable);
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
