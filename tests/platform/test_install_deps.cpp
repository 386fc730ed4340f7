// The install script on a bare system: as root it needs no sudo; as another user without
// sudo it stops with a message saying what to do. The package tools are stand-ins that
// record how they were called, so nothing is installed.
#include "common/TestMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteTool(const QString& path, const QByteArray& script)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + script);
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
}

} // namespace

class InstallDepsTest : public QObject {
    Q_OBJECT
private slots:
    void runsAsRootOrThroughSudo_data()
    {
        QTest::addColumn<int>("uid");
        QTest::addColumn<bool>("sudoThere");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("calls"); // how apt-get was reached, one line per call
        // The install call must see DEBIAN_FRONTEND, also behind sudo.
        QTest::newRow("root without sudo") << 0 << false << 0 << "apt-get update\napt-get install noninteractive\n";
        QTest::newRow("user with sudo") << 1000 << true << 0 << "sudo apt-get update\nsudo apt-get install noninteractive\n";
        QTest::newRow("user without sudo") << 1000 << false << 1 << "";
    }
    void runsAsRootOrThroughSudo()
    {
        QFETCH(int, uid);
        QFETCH(bool, sudoThere);
        QFETCH(int, exitCode);
        QFETCH(QString, calls);
        const QString script = QFINDTESTDATA("../../scripts/install-deps.sh");
        QVERIFY2(!script.isEmpty(), "scripts/install-deps.sh not found beside the tests");
        QTemporaryDir dir;
        const QString bin = dir.filePath("bin");
        const QString log = dir.filePath("calls");
        QVERIFY(QDir().mkpath(bin));
        // Only these tools are on the path: no package is installed, and sudo only when asked.
        for (const char* tool : {"bash", "grep", "env", "cat"})
            QVERIFY(QFile::link(QStandardPaths::findExecutable(tool), bin + "/" + tool));
        WriteTool(bin + "/dpkg-query", "exit 1\n");
        WriteTool(bin + "/id", "echo " + QByteArray::number(uid) + "\n");
        WriteTool(bin + "/apt-get", "echo \"${VIA_SUDO:+sudo }apt-get $1${DEBIAN_FRONTEND:+ $DEBIAN_FRONTEND}\" >> '"
                                        + log.toUtf8() + "'\n");
        // Like sudo, it passes on none of the caller's environment.
        if (sudoThere)
            WriteTool(bin + "/sudo", "exec env -i PATH=\"$PATH\" VIA_SUDO=1 \"$@\"\n");
        QProcessEnvironment env;
        env.insert("PATH", bin);
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(bin + "/bash", {script});
        QVERIFY(process.waitForFinished(30000));
        const QString errors = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), exitCode);
        QFile recorded(log);
        const QString made = recorded.open(QIODevice::ReadOnly) ? QString::fromUtf8(recorded.readAll()) : QString();
        QCOMPARE(made, calls);
        if (exitCode != 0) {
            QVERIFY2(errors.contains("sudo is not installed"), qPrintable(errors));
            QVERIFY2(errors.contains("as root"), qPrintable(errors));
        }
    }
};

TEZ_REGISTER_TEST(InstallDepsTest)
#include "test_install_deps.moc"
