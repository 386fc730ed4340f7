// A scheduled project run for real, through the main window's timer tick and the program's
// own windows: the project's folder, web-page and database rows are converted and recorded,
// the windows run nothing the project does not hold, the user's own lists and database
// connection come back as they were, and nothing is asked.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"
#include "database/DbTestSupport.h"

#include "batch/frmHtmlConv.h"
#include "batch/frmOutputSetting.h"
#include "batch/frmPathConv.h"
#include "core/FileGrid.h"
#include "core/Globals.h"
#include "core/ProjectFile.h"
#include "core/frmMain.h"
#include "database/frmDBConv.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "resources/StringTable.h"
#include "schedule/frmSchedule.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder tree, a web page and a database of Simplified text under dir.
struct Inputs {
    QString tree;
    QString page;
    QString database;
};

Inputs MakeInputs(const QString& dir)
{
    Inputs in{dir + QStringLiteral("/site"), dir + QStringLiteral("/page.html"), dir + QStringLiteral("/src.mdb")};
    WriteFile(in.tree + QStringLiteral("/notes.txt"), QByteArray("软件和鼠标\n"));
    WriteFile(in.tree + QStringLiteral("/sub/more.txt"), QByteArray("头发\n"));
    WriteFile(in.page, QByteArray("<html><head><title>软件</title></head><body><p>鼠标</p></body></html>\n"));
    Sqlite(in.database, {"CREATE TABLE \"客户\" (\"名称\" TEXT)", "INSERT INTO \"客户\" VALUES ('软件')"});
    return in;
}

struct Windows {
    FlexGrid* html;
    FlexGrid* path;
    FrmDBConv* db;
};

// Lists the inputs in the windows as a user does, by dropping them on the lists.
void ListInputs(const Inputs& in, bool folderAndDatabase)
{
    frmHtmlConv().lstDoc_OLEDragDrop({in.page});
    if (!folderAndDatabase)
        return;
    frmPathConv().lstDoc_OLEDragDrop({in.tree});
    frmDBConv().cboDBType->setCurrentIndex(0);
    frmDBConv().lstTables_OLEDragDrop({in.database});
}

// What a grid shows, row by row: its texts and row data.
QStringList GridText(FlexGrid* grid)
{
    QStringList rows;
    for (int r = 0; r < grid->Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->Cols(); ++c)
            cells << grid->TextMatrix(r, c);
        rows << cells.join(QLatin1Char('|')) + QLatin1Char('#') + QString::number(grid->RowData(r));
    }
    return rows;
}

QString Big5OrUtf8(const QByteArray& bytes)
{
    const QString big5 = FromBig5(bytes);
    return big5.contains(QStringLiteral("軟")) ? big5 : QString::fromUtf8(bytes);
}

} // namespace

class ScheduledProjectRunTest : public QObject {
    Q_OBJECT
private slots:
    void projectRunsItsOwnRowsAndTheUserKeepsTheirs_data()
    {
        QTest::addColumn<bool>("folderAndDatabase");
        QTest::addColumn<bool>("folderInputGone");
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("folder, web page and database rows") << true << false << true;
        QTest::newRow("web page row only") << false << false << true;
        QTest::newRow("folder row whose input is gone") << true << true << false;
    }
    void projectRunsItsOwnRowsAndTheUserKeepsTheirs()
    {
        QFETCH(bool, folderAndDatabase);
        QFETCH(bool, folderInputGone);
        QFETCH(bool, succeeds);
        ProgramFolderFixture fx;
        ModalScript script;
        FrmMain& main = fx.start();
        ForgetServedMinutes();
        gbOutputSettingOK = true;
        frmOutputSetting().opAutoName_Click();
        frmOutputSetting().opSelectDir = false; // outputs numbered beside their inputs

        // The scheduled project, saved from the windows.
        const Inputs scheduled = MakeInputs(fx.path(QStringLiteral("nightly")));
        ListInputs(scheduled, folderAndDatabase);
        const QString project = fx.path(QStringLiteral("Nightly.wsp"));
        QVERIFY(PrjFileSave(project));
        const QString pageOut = frmHtmlConv().lstHtml->TextMatrix(1, 3);
        const QString treeOut = folderAndDatabase ? frmPathConv().lstPath->TextMatrix(1, 3) : QString();
        const QString dbOut = folderAndDatabase ? frmDBConv().mvOutDB : QString();
        if (folderInputGone)
            QVERIFY(QDir(scheduled.tree).removeRecursively());

        // The user's own work, never saved: other rows in every window, another database open.
        for (FlexGrid* grid : {frmHtmlConv().lstHtml, frmPathConv().lstPath})
            ClearFG(grid);
        const Inputs user = MakeInputs(fx.path(QStringLiteral("mine")));
        ListInputs(user, true);
        gvPrjFile = fx.path(QStringLiteral("Mine.wsp"));
        main.SetProjectPath(gvPrjFile);
        const QString caption = main.Caption();
        const QStringList userHtml = GridText(frmHtmlConv().lstHtml);
        const QStringList userPath = GridText(frmPathConv().lstPath);
        const QStringList userTables = GridText(frmDBConv().lstTables);
        const auto userConnection = frmDBConv().mCnt.impl;
        const QString userOutDB = frmDBConv().mvOutDB;
        QVERIFY(userConnection && userConnection->isOpen());
        QCOMPARE(frmPathConv().lstPath->Rows(), 2);
        QCOMPARE(frmDBConv().lstTables->Rows(), 2);

        // The timer's tick at the minute of the row.
        QString lastRun;
        for (int attempt = 0; attempt < 2 && lastRun.isEmpty(); ++attempt) {
            const QDateTime now = QDateTime::currentDateTime();
            fx.writeFile(QStringLiteral("Sched.lst"),
                         ToSystemCodePage(QStringLiteral("1,") + project + QStringLiteral(",1234567,")
                                          + now.toString(QStringLiteral("HH:mm")) + QStringLiteral(",12/31/9999,\r\n")));
            frmSchedule().SchedLstShow(frmSchedule().lstSched);
            main.Timer1_Timer();
            lastRun = frmSchedule().lstSched->TextMatrix(1, 5); // empty when the minute turned meanwhile
        }
        QVERIFY(!lastRun.isEmpty());
        const QString list = FromSystemCodePage(fx.readFile(QStringLiteral("Sched.lst")));
        QVERIFY(list.endsWith(lastRun + QStringLiteral("\r\n")));
        QCOMPARE(lastRun.startsWith(LoadResString(1014)), !succeeds);

        // What the project holds was converted.
        QVERIFY(Big5OrUtf8(ReadFile(pageOut)).contains(QStringLiteral("滑鼠")));
        if (folderAndDatabase && !folderInputGone) {
            QVERIFY(Big5OrUtf8(ReadFile(treeOut + QStringLiteral("/notes.txt"))).contains(QStringLiteral("軟")));
            QVERIFY(Big5OrUtf8(ReadFile(treeOut + QStringLiteral("/sub/more.txt"))).contains(QStringLiteral("頭髮")));
            QCOMPARE(Sqlite(dbOut, {"SELECT \"名稱\" FROM \"客戶\""}), QStringList{"軟體"});
        }
        if (folderInputGone)
            QVERIFY(!QFileInfo::exists(treeOut));
        // Nothing of the user's ran.
        QVERIFY(!QFileInfo::exists(user.tree + QLatin1Char('1')));
        QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("mine/page1.html"))));
        QVERIFY(!QFileInfo::exists(userOutDB));

        // The user's work is back as it was, the connection the same open one.
        QCOMPARE(GridText(frmHtmlConv().lstHtml), userHtml);
        QCOMPARE(GridText(frmPathConv().lstPath), userPath);
        QCOMPARE(GridText(frmDBConv().lstTables), userTables);
        QCOMPARE(frmDBConv().mCnt.impl, userConnection);
        QVERIFY(userConnection->isOpen());
        QCOMPARE(frmDBConv().mvOutDB, userOutDB);
        QCOMPARE(gvPrjFile, fx.path(QStringLiteral("Mine.wsp")));
        QCOMPARE(main.Caption(), caption);
        QVERIFY(!QFileInfo::exists(gvPrjFile)); // the user's project is not written behind their back

        // Nothing was asked, neither shown nor answered unseen.
        QCOMPARE(script.asked().size(), 0);
        QVERIFY(!FromSystemCodePage(fx.readFile(QStringLiteral("tezdesk.LOG"))).contains(QStringLiteral("not shown")));
        fx.stop();
    }
};

TEZ_REGISTER_TEST(ScheduledProjectRunTest)
#include "test_scheduled_project_run.moc"
