// Start-up that cannot go on: a conversion library that does not load, a program folder that
// cannot hold the lock file. Each says what is wrong and ends with a failure exit code.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "batch/frmDocConv.h"
#include "core/EndProcess.h"
#include "core/Err.h"
#include "app/StartUp.h"
#include "core/Globals.h"
#include "core/frmMain.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QSysInfo>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// The program built beside the tests (CTest names it; otherwise the build tree's place).
QString BuiltProgram()
{
    const QString named = qEnvironmentVariable("TEZDESK_PROGRAM");
    if (!named.isEmpty())
        return named;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/tezdesk"));
}

} // namespace

class StartUpFailuresTest : public QObject {
    Q_OBJECT
private slots:
    void libraryNotLoadedIsNamed_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("library missing") << "load" << "libTezC.so: cannot open shared object file: No such file or directory";
        QTest::newRow("entry missing") << "entry" << "Can't find DLL entry point _TezCreateEnv in TezC";
        QTest::newRow("entry of a table load missing") << "table entry" << "Can't find DLL entry point _TezLoadCCT in TezC";
    }
    void libraryNotLoadedIsNamed()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        ProgramFolderFixture fx;
        if (failure == QLatin1String("load"))
            StartUpLibrary().LoadError = [reason] { return reason; };
        else if (failure == QLatin1String("entry"))
            StartUpLibrary().CreateEnv = [reason](int32_t*) -> int32_t { throw RuntimeError(errDllEntry, reason); };
        else
            StartUpLibrary().LoadCCT = [reason](int32_t, int32_t, const char*, int32_t, int32_t) -> int32_t {
                throw RuntimeError(errDllEntry, reason);
            };
        ModalScript script;
        script.answer(vbOK);
        FrmMain& main = fx.start();
        QVERIFY(ProcessEnded());
        QVERIFY(ProcessExitCode() != 0);
        QCOMPARE(script.messages(), QStringList{QStringLiteral("无法载入转换程序库 libTezC.so\n") + reason});
        QCOMPARE(script.asked().first().icon, vbCritical);
        QCOMPARE(script.asked().first().title, QStringLiteral("Velmora"));
        QVERIFY(!main.isVisible());
        QVERIFY(!IsFormLoaded<FrmDocConv>());
    }

    // The built program, started without its library: it says so on the standard error
    // (a box drawn offscreen cannot be answered) and ends with a failure code, no crash.
    void programWithoutLibraryEndsCleanly_data()
    {
        QTest::addColumn<QByteArray>("libraryBytes"); // empty: no library file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a library") << QByteArray("this is no shared object\n");
    }
    void programWithoutLibraryEndsCleanly()
    {
        QFETCH(QByteArray, libraryBytes);
        QVERIFY2(QFileInfo::exists(BuiltProgram()), qPrintable("The program is not built: " + BuiltProgram()));
        QTemporaryDir dir;
        // A copy of the program where no library lies beside it.
        QVERIFY(QDir(dir.path()).mkpath("bin") && QDir(dir.path()).mkpath("lib") && QDir(dir.path()).mkpath("home"));
        const QString program = dir.filePath("bin/tezdesk");
        QVERIFY(QFile::copy(BuiltProgram(), program));
        if (!libraryBytes.isEmpty()) {
            QFile library(dir.filePath("lib/libTezC.so"));
            QVERIFY(library.open(QIODevice::WriteOnly));
            library.write(libraryBytes);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TEZDESK_HOME", dir.filePath("home"));
        env.insert("TEZDESK_LIB_DIR", dir.filePath("lib"));
        env.remove("LD_LIBRARY_PATH");
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, {});
        QVERIFY(process.waitForFinished(60000));
        const QString errors = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        QVERIFY2(errors.contains(QStringLiteral("无法载入转换程序库 libTezC.so")), qPrintable(errors));
        QVERIFY2(!errors.contains(QStringLiteral("terminate")), qPrintable(errors));
    }

    void folderThatCannotHoldTheLockIsNamed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder cannot be made") << "under a file";
        QTest::newRow("leftover lock cannot be replaced") << "lock in the way";
    }
    void folderThatCannotHoldTheLockIsNamed()
    {
        QFETCH(QString, kind);
        ProgramFolderFixture fx;
        if (kind == QLatin1String("under a file")) {
            fx.writeFile("file", "not a folder");
            qputenv("TEZDESK_HOME", QFile::encodeName(fx.path("file/tezdesk")));
        } else {
            QVERIFY(QDir(fx.folder()).mkdir(".tezdesk.lock"));
        }
        const QString folder = ProgramFolder();
        ModalScript script;
        script.answer(vbOK);
        FrmMain& main = fx.start();
        QVERIFY(ProcessEnded());
        QVERIFY(ProcessExitCode() != 0);
        QCOMPARE(script.messages(), QStringList{QStringLiteral("无法写入程序文件夹 ") + folder});
        QCOMPARE(script.asked().first().icon, vbCritical);
        QCOMPARE(script.asked().first().title, QStringLiteral("Velmora"));
        QVERIFY(!main.isVisible());
        QVERIFY(gvPrjFile.isEmpty());
    }

    // A lock left by a copy that died is taken over, without any message.
    void lockOfADeadCopyIsTakenOver()
    {
        ProgramFolderFixture fx;
        const pid_t deadPid = fork();
        if (deadPid == 0)
            _exit(0);
        waitpid(deadPid, nullptr, 0);
        fx.writeFile(".tezdesk.lock", QByteArray::number(deadPid) + "\ntezdesk\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        ModalScript script;
        fx.start();
        QVERIFY(!ProcessEnded());
        QCOMPARE(script.asked().size(), 0);
    }
};

TEZ_REGISTER_TEST(StartUpFailuresTest)
#include "test_startup_failures.moc"
