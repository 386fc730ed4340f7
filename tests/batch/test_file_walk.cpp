#include "BatchFixture.h"

#include "batch/FileListWalk.h"
#include "common/TestMain.h"

#include <QTest>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The found paths relative to the fixture's root.
QStringList Relative(const BatchFixture& fx, const PathCollection& found)
{
    QStringList names;
    for (const QString& p : found.items())
        names << p.mid(fx.root().size() + 1);
    return names;
}

// Runs a piece of work with the file-system rights of an ordinary user, also as root.
template <class Work>
void AsOrdinaryUser(Work work)
{
    const bool root = geteuid() == 0;
    if (root)
        setfsuid(65534);
    work();
    if (root)
        setfsuid(0);
}

} // namespace

class FileWalkTest : public QObject {
    Q_OBJECT

private slots:
    void skipsWhatIsNotAFileToConvert()
    {
        BatchFixture fx;
        fx.makeFile(QStringLiteral("t/b.txt"));
        fx.makeFile(QStringLiteral("t/.hidden/x.txt"));
        fx.makeFile(QStringLiteral("t/B.txt"));
        fx.makeFile(QStringLiteral("t/z/deep.txt"));
        fx.makeFile(QStringLiteral("elsewhere/linked.txt"));
        fx.makeFile(QStringLiteral("elsewhere/sub/inside.txt"));
        QVERIFY(QFile::link(fx.path(QStringLiteral("elsewhere/linked.txt")), fx.path(QStringLiteral("t/a-link.txt"))));
        QVERIFY(QFile::link(fx.path(QStringLiteral("elsewhere/sub")), fx.path(QStringLiteral("t/folder-link"))));
        QVERIFY(QFile::link(fx.path(QStringLiteral("nowhere")), fx.path(QStringLiteral("t/dangling"))));
        QCOMPARE(mkfifo(QFile::encodeName(fx.path(QStringLiteral("t/pipe"))).constData(), 0600), 0);

        PathCollection found;
        QCOMPARE(FindAllFiles(fx.path(QStringLiteral("t")), found), 0);
        QCOMPARE(Relative(fx, found), (QStringList { "t/B.txt", "t/a-link.txt", "t/b.txt", "t/z/deep.txt" }));
        QCOMPARE(fx.errorLog(), QByteArray());
    }

    void aFileStandsForItself()
    {
        BatchFixture fx;
        const QString file = fx.makeFile(QStringLiteral("a.txt"));
        PathCollection found;
        FindAllFiles(file, found);
        FindAllFiles(file, found);
        QCOMPARE(found.items(), QStringList { file });
    }

    void aPathThatIsNotThereIsLogged()
    {
        BatchFixture fx;
        PathCollection found;
        found.append(QStringLiteral("/kept"));
        FindAllFiles(fx.path(QStringLiteral("gone")), found);
        QCOMPARE(found.items(), QStringList { "/kept" });
        QCOMPARE(fx.errorRecords(QStringLiteral("FindAllFiles")), 1);
        QVERIFY(fx.errorLog().contains(QFile::encodeName(fx.path(QStringLiteral("gone")))));
    }

    // An undecodable name and an unreadable folder each give one record naming the folder;
    // the rest of the tree is listed.
    void badEntriesAreLoggedAndPassedOver()
    {
        BatchFixture fx;
        fx.makeFile(QStringLiteral("t/a.txt"));
        fx.makeFile(QStringLiteral("t/locked/secret.txt"));
        fx.makeFile(QStringLiteral("t/open/c.txt"));
        const QByteArray badName = QFile::encodeName(fx.path(QStringLiteral("t/"))) + "bad\xff.txt";
        const int fd = ::open(badName.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        // Readable by others except the locked folder; the error log writable by them.
        for (const char* folder : { "", "t", "t/open", "home" })
            QVERIFY(chmod(QFile::encodeName(fx.path(QString::fromLatin1(folder))).constData(), 0777) == 0);
        QVERIFY(chmod(QFile::encodeName(fx.path(QStringLiteral("t/locked"))).constData(), 0) == 0);

        PathCollection found;
        AsOrdinaryUser([&] { FindAllFiles(fx.path(QStringLiteral("t")), found); });

        chmod(QFile::encodeName(fx.path(QStringLiteral("t/locked"))).constData(), 0755);
        ::unlink(badName.constData()); // a name the temporary folder's clean-up cannot spell
        QCOMPARE(Relative(fx, found), (QStringList { "t/a.txt", "t/open/c.txt" }));
        QCOMPARE(fx.errorRecords(QStringLiteral("FindAllFiles")), 2);
        const QByteArray log = fx.errorLog();
        QVERIFY(log.contains(QFile::encodeName(fx.path(QStringLiteral("t/locked")))));
        QVERIFY(log.contains(QFile::encodeName(fx.path(QStringLiteral("t")) + QStringLiteral(": a name"))));
    }

    // The excluded folder is known by what it is, not by how its path is written.
    void theExcludedFolderIsNotWalked_data()
    {
        QTest::addColumn<QString>("excluded");
        QTest::newRow("its path") << "t/out";
        QTest::newRow("its path with a trailing slash") << "t/out/";
        QTest::newRow("a link to it") << "out-link";
        QTest::newRow("the walked folder itself") << "t";
    }
    void theExcludedFolderIsNotWalked()
    {
        QFETCH(QString, excluded);
        BatchFixture fx;
        fx.makeFile(QStringLiteral("t/a.txt"));
        fx.makeFile(QStringLiteral("t/out/t/a.txt"));
        QVERIFY(QFile::link(fx.path(QStringLiteral("t/out")), fx.path(QStringLiteral("out-link"))));
        PathCollection found;
        FindAllFiles(fx.path(QStringLiteral("t")), found, fx.path(excluded));
        QCOMPARE(Relative(fx, found), excluded == QLatin1String("t") ? QStringList() : QStringList { "t/a.txt" });
    }

    // A link dropped or chosen itself is walked: it is what the user asked for.
    void aLinkGivenAsThePathIsWalked()
    {
        BatchFixture fx;
        fx.makeFile(QStringLiteral("real/a.txt"));
        QVERIFY(QFile::link(fx.path(QStringLiteral("real")), fx.path(QStringLiteral("link"))));
        PathCollection found;
        FindAllFiles(fx.path(QStringLiteral("link")), found);
        QCOMPARE(Relative(fx, found), QStringList { "link/a.txt" });
    }
};

TEZ_REGISTER_TEST(FileWalkTest)
#include "test_file_walk.moc"
