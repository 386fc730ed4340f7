// A project from someone else, run by the user or by the scheduler: its rows may name any
// file as output. A run writes over no hidden, executable or outside file; such rows fail with
// a record naming the path, and everything else the user has stays as it was.
#include "RunFixture.h"
#include "batch/BatchRuns.h"
#include "common/TestMain.h"
#include "core/OutputReplaceRule.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QFile>
#include <QFileInfo>

namespace {

// HOME and TMPDIR pointed into the fixture while a test runs.
class TemporaryHome {
public:
    TemporaryHome(const QString& home, const QString& temp)
        : m_home(qgetenv("HOME")), m_temp(qgetenv("TMPDIR")), m_hadTemp(qEnvironmentVariableIsSet("TMPDIR"))
    {
        QDir().mkpath(home);
        QDir().mkpath(temp);
        qputenv("HOME", home.toLocal8Bit());
        qputenv("TMPDIR", temp.toLocal8Bit());
    }
    ~TemporaryHome()
    {
        qputenv("HOME", m_home);
        if (m_hadTemp)
            qputenv("TMPDIR", m_temp);
        else
            qunsetenv("TMPDIR");
    }

private:
    QByteArray m_home, m_temp;
    bool m_hadTemp;
};

void MakeExecutable(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

} // namespace

class ReceivedProjectTest : public QObject {
    Q_OBJECT
private slots:
    void whichFilesARunMayReplace_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<QString>("refusal"); // empty: may be replaced
        QTest::newRow("a document at home") << "user/docs/a.txt" << false << "";
        QTest::newRow("a file not there yet") << "user/.config/new.txt" << false << "";
        QTest::newRow("a hidden file") << "user/.bashrc" << false << "it is hidden or lies in a hidden folder";
        QTest::newRow("in a hidden folder") << "user/.config/app/rc" << false << "it is hidden or lies in a hidden folder";
        QTest::newRow("an executable") << "user/bin/tool" << true << "it is an executable file";
        QTest::newRow("in the temporary folder") << "tmp/a.txt" << false << "";
        QTest::newRow("outside home and temporary folder") << "elsewhere/a.txt" << false
                                                           << "it lies outside the home and the temporary folder";
        QTest::newRow("hidden in the output settings folder") << "outset/.a.txt" << false << "";
        QTest::newRow("executable in the output settings folder") << "outset/run" << true << "it is an executable file";
        QTest::newRow("a link to a hidden file") << "user/docs/link" << false << "it is hidden or lies in a hidden folder";
    }
    void whichFilesARunMayReplace()
    {
        QFETCH(QString, file);
        QFETCH(bool, executable);
        QFETCH(QString, refusal);
        RunFixture f;
        const TemporaryHome home(f.path("user"), f.path("tmp"));
        f.makeFile("user/.bashrc", "rc");
        QDir().mkpath(f.path("user/docs"));
        if (file.endsWith("link"))
            QVERIFY(QFile::link(f.path("user/.bashrc"), f.path(file)));
        else if (!file.endsWith("new.txt"))
            f.makeFile(file, "old");
        if (executable)
            MakeExecutable(f.path(file));
        const QString why = OutputReplaceRefusal(f.path(file), {f.path("outset")});
        QCOMPARE(why, refusal.isEmpty() ? QString() : QFileInfo(f.path(file)).absoluteFilePath() + " is not replaced: " + refusal);
    }

    // The rows of a received project: file rows and a folder row whose outputs lie on the
    // user's own files. Run interactively and by the scheduler.
    void receivedProjectChangesNothingElse_data()
    {
        QTest::addColumn<bool>("scheduled");
        QTest::newRow("interactive") << false;
        QTest::newRow("scheduled") << true;
    }
    void receivedProjectChangesNothingElse()
    {
        QFETCH(bool, scheduled);
        RunFixture f;
        const TemporaryHome home(f.path("user"), f.path("tmp"));
        f.makeFile("user/.bashrc", "my rc");
        f.makeFile("user/bin/tool", "#!/bin/sh\n");
        MakeExecutable(f.path("user/bin/tool"));
        f.makeFile("user/notes.txt", "my notes");
        f.makeFile("elsewhere/system.conf", "conf");
        f.makeFile("user/in/payload.txt", Gb(QStringLiteral("软件")));
        f.makeFile("user/in/good.txt", Gb(QStringLiteral("软件")));
        f.makeFile("user/tree/bin/tool", "echo sender");
        f.makeFile("user/tree/.bashrc", "sender rc");
        f.makeFile("user/tree/new.txt", Gb(QStringLiteral("软件")));
        const QStringList mine = {"user/.bashrc", "user/bin/tool", "user/notes.txt", "elsewhere/system.conf"};
        QList<QByteArray> before;
        for (const QString& p : mine)
            before << f.read(p);

        auto rows = MakeEmptyFileGrid();
        AddRow(rows.get(), f.path("user/in/payload.txt"), f.path("user/.bashrc"), FileRowText);
        AddRow(rows.get(), f.path("user/in/payload.txt"), f.path("user/bin/tool"), FileRowText);
        AddRow(rows.get(), f.path("user/in/payload.txt"), f.path("elsewhere/system.conf"), FileRowText);
        AddRow(rows.get(), f.path("user/in/good.txt"), f.path("user/out/good.txt"), FileRowText);
        auto folders = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(folders.get(), f.path("user/tree"), f.path("user"), FileRowText);
        gbSchedRun = scheduled;
        ModalScript modal;
        if (!scheduled)
            modal.answer(vbOK).answer(vbOK);
        ExecuteSpecConv(rows.get(), 3, 1);
        ExecutePathConv(folders.get(), true, true, false, false, gcolHtmlExt, true, false);
        QCOMPARE(modal.unexpected(), 0);

        for (int i = 0; i < mine.size(); ++i)
            QCOMPARE(f.read(mine[i]), before[i]);
        for (int r = 1; r <= 3; ++r)
            QVERIFY2(RowFailed(*rows, r), qPrintable(QString::number(r)));
        QVERIFY(!RowFailed(*rows, 4));
        QCOMPARE(f.read("user/out/good.txt"), Big5(QStringLiteral("軟體")));
        QCOMPARE(f.read("user/new.txt"), Big5(QStringLiteral("軟體")));
        const QByteArray log = f.errorLog();
        for (const char* p : {"user/.bashrc", "user/bin/tool", "elsewhere/system.conf"})
            QVERIFY2(log.contains(ToSystemCodePage(f.path(p) + " is not replaced")), p);
    }
};

TEZ_REGISTER_TEST(ReceivedProjectTest)
#include "test_received_project.moc"
