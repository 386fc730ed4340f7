// Whole-file writes on a full disk fail, say so, and leave the old file as it was.
#include "common/ProgramFolderFixture.h"
#include "common/SmallFileSystem.h"
#include "common/TestMain.h"

#include "core/Err.h"
#include "core/Globals.h"
#include "core/ProjectDBList.h"
#include "core/ProjectFile.h"
#include "core/TextFile.h"
#include "database/frmDBConv.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QFileInfo>
#include <QTest>

class WholeFileWriteTest : public QObject {
    Q_OBJECT
private slots:
    void fullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("10 bytes") << 10;
        QTest::newRow("4 KiB") << 4096;
        QTest::newRow("16 KiB") << 16384;
    }
    void fullDiskKeepsTheOldFile()
    {
        QFETCH(int, size);
        SmallFileSystem fs;
        SKIP_UNLESS_MOUNTED(fs);
        const QString path = fs.path(QStringLiteral("old.txt"));
        const QByteArray old("the old content\r\n");
        WriteWholeFile(path, old);
        fs.fill();
        int number = 0;
        try {
            WriteWholeFile(path, QByteArray(size, 'n'));
        } catch (const RuntimeError& e) {
            number = e.number();
        }
        QCOMPARE(number, errDiskFull);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(fs.names(), QStringList{QStringLiteral("old.txt")});
    }

    void writeKeepsTheFilePermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.txt"));
        WriteWholeFile(path, "a");
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFile::Permissions before = QFile::permissions(path);
        WriteWholeFile(path, "b");
        QCOMPARE(QFile::permissions(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("p.txt")});
    }

    void writeThroughALinkReplacesItsTarget()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target.txt"));
        const QString link = dir.filePath(QStringLiteral("link.txt"));
        WriteWholeFile(target, "old");
        QVERIFY(QFile::link(target, link));
        WriteWholeFile(link, "new");
        QVERIFY(QFileInfo(link).isSymLink());
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new"));
    }

    // The project and its database side file: each failure is told, the old files stay.
    void projectSaveOnAFullDisk()
    {
        SmallFileSystem fs;
        SKIP_UNLESS_MOUNTED(fs);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        frmDBConv();
        gbDBConvLoaded = true;
        const QString project = fs.path(QStringLiteral("p.wsp"));
        const QString side = fs.path(QStringLiteral("p.DBL"));
        PrjFileSave(project);
        QCOMPARE(fs.names(), (QStringList{QStringLiteral("p.DBL"), QStringLiteral("p.wsp")}));
        auto bytes = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray oldProject = bytes(project);
        const QByteArray oldSide = bytes(side);
        QVERIFY(!oldProject.isEmpty() && !oldSide.isEmpty());

        fs.fill();
        script.answer(vbOK).answer(vbOK);
        PrjFileSave(project);
        const QString text = QStringLiteral("无法保存文件（磁盘已满或不能写入），原有文件未被更改：");
        const QString why = QStringLiteral("\r\nNo space left on device");
        QCOMPARE(script.messages(), (QStringList{text + side + why, text + project + why}));
        QCOMPARE(script.asked().first().icon, vbCritical);
        QCOMPARE(bytes(project), oldProject);
        QCOMPARE(bytes(side), oldSide);
        QCOMPARE(fs.names(), (QStringList{QStringLiteral("p.DBL"), QStringLiteral("p.wsp")}));
        gbDBConvLoaded = false;
    }
};

TEZ_REGISTER_TEST(WholeFileWriteTest)
#include "test_whole_file_write.moc"
