// The database window against a real PostgreSQL server the test starts itself: the listing
// with "S2T" names, the conversion of a table with vocabulary, hostile names, a server killed
// in the middle of a table, and the project's side file without password.
#include "common/PgServer.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "core/Log.h"
#include "core/ProjectDBList.h"
#include "batch/frmOutputSetting.h"
#include "database/DBConvRun.h"
#include "database/frmDBConv.h"
#include "database/frmSelectADODB.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "platform/data/SecretStore.h"
#include "platform/data/TableCopy.h"
#include "core/UnattendedRun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QAbstractItemModel>
#include <QPushButton>
#include <QTest>

namespace {

int Records(const QString& errFile, QString* text = nullptr)
{
    QFile f(errFile);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QString s = FromSystemCodePage(f.readAll());
    if (text)
        *text = s;
    return s.count(QStringLiteral("处理程序: ("));
}

int RowOf(FlexGrid* grid, const QString& table)
{
    for (int r = 1; r < grid->Rows(); ++r)
        if (getTableName(grid->TextMatrix(r, 2)) == table)
            return r;
    return -1;
}

} // namespace

class PgConversionTest : public QObject {
    Q_OBJECT
    PgServer m_pg;

    // The database window set for a server source; the connection dialog, when it comes, is
    // filled as a user would (with "保存口令" ticked and saved when savePassword).
    FrmDBConv& PrepareSource(ModalScript& script, const QString& database, const QString& password,
                             bool savePassword = false)
    {
        FrmDBConv& db = frmDBConv();
        gbOutputSettingOK = true;
        db.cboDBType->setCurrentIndex(1);
        const QString server = m_pg.server();
        script.answerDialog([=](QDialog& d) {
            auto& dlg = static_cast<FrmSelectADODB&>(d);
            dlg.cboServerType->setCurrentIndex(1);
            dlg.cboServer->setCurrentText(server);
            dlg.cboDB->setCurrentText(database);
            dlg.txtUserID->setText(PgServer::user());
            dlg.txtPassword->setText(password);
            if (savePassword) {
                dlg.chkSavePassword->setChecked(true);
                dlg.cmdSave->click();
            }
            dlg.cmdOK->click();
        });
        return db;
    }

    // Opens the database through the connection dialog.
    FrmDBConv& OpenSource(ModalScript& script, const QString& database)
    {
        FrmDBConv& db = PrepareSource(script, database, PgServer::password());
        db.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        return db;
    }

private slots:
    void initTestCase()
    {
        // No desktop secret store in tests: a password is never kept, so it is asked again.
        qputenv("TEZDESK_NO_SECRET_STORE", "1");
        if (!m_pg.start())
            QFAIL(qPrintable(m_pg.why()));
        QVERIFY(m_pg.psql("postgres", "CREATE DATABASE shop"));
        QVERIFY(m_pg.psql("shop",
                          "CREATE TABLE \"客户\" (id integer PRIMARY KEY, \"名称\" varchar(20), note text, "
                          "price numeric(10,3), at timestamp, flag boolean, data bytea, pos point, tags text[]);"
                          "INSERT INTO \"客户\" VALUES (1, '软件', NULL, 1.250, '2024-01-02 03:04:05.123456', true, "
                          "'\\x00ff', '(1,2)', '{a,b}'), (2, '鼠标', '', NULL, NULL, NULL, NULL, NULL, NULL);"
                          "CREATE TABLE t (x int); INSERT INTO t VALUES (7);"
                          "CREATE TABLE \"a]b; DROP TABLE t--\" (\"c\"\"q\" text); "
                          "INSERT INTO \"a]b; DROP TABLE t--\" VALUES ('软件');"
                          "CREATE VIEW v AS SELECT 1;"));
    }
    void cleanupTestCase() { m_pg.kill(); }

    void listsConvertsAndKeepsTheRest()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = OpenSource(script, QStringLiteral("shop"));
        QVERIFY(db.mCnt.IsOpen());
        QCOMPARE(db.mvOutDB, QStringLiteral("shop"));
        QCOMPARE(db.lstTables->Rows(), 4); // the view is not listed
        const int row = RowOf(db.lstTables, QStringLiteral("客户"));
        QVERIFY(row > 0);
        QCOMPARE(db.lstTables->TextMatrix(row, 3), QStringLiteral("shop.S2T客戶"));
        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        for (int r = 1; r < db.lstTables->Rows(); ++r)
            QVERIFY2(db.lstTables->RowData(r) & kRowConverted, qPrintable(db.lstTables->TextMatrix(r, 2)));
        QString out;
        QVERIFY(m_pg.psql("shop", "SELECT \"名称\" FROM \"S2T客戶\" ORDER BY id", &out));
        QCOMPARE(out, QStringLiteral("軟體\n滑鼠"));
        // Every other column is the same text, Nulls included.
        const QString others = "SELECT id, note IS NULL, note, price::text, at::text, flag::text, data::text, "
                               "pos::text, tags::text FROM %1 ORDER BY id";
        QString in;
        QVERIFY(m_pg.psql("shop", others.arg("\"客户\""), &in));
        QVERIFY(m_pg.psql("shop", others.arg("\"S2T客戶\""), &out));
        QCOMPARE(out, in);
        QVERIFY(m_pg.psql("shop", "SELECT x FROM t", &out));
        QCOMPARE(out, QStringLiteral("7"));
        QVERIFY(m_pg.psql("shop", "SELECT \"c\"\"q\" FROM \"S2Ta]b; DROP TABLE t--\"", &out));
        QCOMPARE(out, QStringLiteral("軟體"));
        QCOMPARE(Records(gsErrFile), 0);

        // After the run the input viewer still shows the source table, and the output viewer
        // the output table on the same server (at its own port).
        db.lstTables->setRow(row);
        int shownRows = -1;
        QString firstHeader;
        QString firstValue;
        const auto view = [&](QDialog& d) {
            auto* grid = d.findChild<QTableView*>("fg1");
            shownRows = grid->model()->rowCount();
            firstHeader = grid->model()->headerData(1, Qt::Horizontal).toString();
            firstValue = grid->model()->index(0, 1).data().toString();
        };
        script.answerDialog(view);
        db.MenuProc(QStringLiteral("IDM_VIEW_INFILE"));
        QCOMPARE(shownRows, 2);
        QCOMPARE(firstHeader, QStringLiteral("名称"));
        shownRows = -1;
        script.answerDialog(view);
        db.MenuProc(QStringLiteral("IDM_VIEW_OUTFILE"));
        QCOMPARE(shownRows, 2);
        QCOMPARE(firstValue, QStringLiteral("軟體"));
        QCOMPARE(Records(gsErrFile), 0);

        // The output chooser lists the server's databases but no template; choosing one clears the marks.
        QStringList offered;
        script.answerDialog([&](QDialog& d) {
            auto* list = d.findChild<QListWidget*>("lstDB");
            for (int i = 0; i < list->count(); ++i)
                offered << list->item(i)->text();
            list->setCurrentRow(offered.indexOf("postgres"));
            d.findChild<QPushButton*>("cmdOK")->click();
        });
        db.MenuProc(QStringLiteral("IDM_OPTION_SETTING"));
        QVERIFY(offered.contains("shop") && offered.contains("postgres") && !offered.contains("template1"));
        QCOMPARE(db.mvOutDB, QStringLiteral("postgres"));
        QCOMPARE(db.lstTables->TextMatrix(row, 3), QStringLiteral("postgres.S2T客戶"));
        QVERIFY(!(db.lstTables->RowData(row) & kRowConverted));
        QCOMPARE(db.mCnt.Property("Initial Catalog"), QStringLiteral("shop"));

        // The side file keeps no password; read back it asks for it and gives the same rows.
        PrjLstDBSave(db.lstTables, fx.path("p.DBL"));
        const QByteArray bytes = fx.readFile("p.DBL");
        QVERIFY(!QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2)
                     .contains(PgServer::password()));
        QStringList rows;
        for (int r = 1; r < db.lstTables->Rows(); ++r)
            rows << db.lstTables->TextMatrix(r, 3) + "|" + QString::number(db.lstTables->RowData(r));
        db.lstTables->setRows(1);
        db.mCnt = AdoConnection();
        // Reading it connects to nothing and asks nothing.
        PrjLstDBShow(db.lstTables, fx.path("p.DBL"));
        QVERIFY(!db.mCnt.IsOpen());
        const int asked = script.asked().size();
        QStringList back;
        for (int r = 1; r < db.lstTables->Rows(); ++r)
            back << db.lstTables->TextMatrix(r, 3) + "|" + QString::number(db.lstTables->RowData(r));
        QCOMPARE(back, rows);
        // The viewer needs the server: without a secret store the password is asked for.
        script.answerDialog([](QDialog& d) {
            d.findChild<QLineEdit*>("txtInput")->setText(PgServer::password());
            d.findChild<QPushButton*>("cmdOK")->click();
        });
        script.answerDialog(view);
        shownRows = -1;
        db.lstTables->setRow(row);
        db.MenuProc(QStringLiteral("IDM_VIEW_INFILE"));
        QCOMPARE(script.asked().size(), asked + 2);
        QVERIFY(db.mCnt.IsOpen());
        QCOMPARE(shownRows, 2);
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    void wrongPasswordChangesNothing()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = PrepareSource(script, QStringLiteral("shop"), QStringLiteral("wrong;secret"));
        const QString server = m_pg.server();
        script.answer(vbNo);
        db.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QVERIFY(!db.mCnt.IsOpen());
        QCOMPARE(db.lstTables->Rows(), 1);
        QCOMPARE(script.asked().size(), 2);
        QVERIFY(script.asked()[1].text.contains(QStringLiteral("(ConnectSQL") + server + QStringLiteral("-shop)")));
        QVERIFY(script.asked()[1].text.endsWith(QStringLiteral("  是否要继续运行作业?")));
        QString log;
        QCOMPARE(Records(gsErrFile, &log), 1);
        QVERIFY(!log.contains(QStringLiteral("wrong;secret")));
        fx.stop();
    }

    // A password kept in the secret store is found again when the project is reopened.
    void storedPasswordFoundOnReopen()
    {
        data::UseMemorySecretStore(true);
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = PrepareSource(script, QStringLiteral("shop"), PgServer::password(), true);
        db.MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QVERIFY(db.mCnt.IsOpen());
        QVERIFY(!fx.readFile("ConnParam.sys").contains(PgServer::password().toUtf8()));
        PrjLstDBSave(db.lstTables, fx.path("p.DBL"));
        db.mCnt = AdoConnection();
        db.lstTables->setRows(1);
        PrjLstDBShow(db.lstTables, fx.path("p.DBL"));
        const int asked = script.asked().size();
        script.answerDialog([](QDialog&) {});
        db.lstTables->setRow(1);
        db.MenuProc(QStringLiteral("IDM_VIEW_INFILE"));
        QVERIFY(db.mCnt.IsOpen());
        QCOMPARE(script.asked().size(), asked + 1); // the viewer only, no password question
        QCOMPARE(Records(gsErrFile), 0);
        fx.stop();
        data::UseMemorySecretStore(false);
    }

    // A value that the vocabulary makes longer than its column widens the output column.
    void convertedValueWidensItsColumn()
    {
        QVERIFY(m_pg.psql("postgres", "CREATE DATABASE narrow"));
        QVERIFY(m_pg.psql("narrow", "CREATE TABLE n (id int, v varchar(2), c char(2)); "
                                    "INSERT INTO n VALUES (1, 'U盘', 'U盘'), (2, 'ab', 'a'), (3, NULL, NULL)"));
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = OpenSource(script, QStringLiteral("narrow"));
        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        QString out;
        QVERIFY(m_pg.psql("narrow", "SELECT id, v, rtrim(c), v IS NULL FROM \"S2Tn\" ORDER BY id", &out));
        QCOMPARE(out, QStringLiteral("1|隨身碟|隨身碟|f\n2|ab|a|f\n3|||t"));
        QCOMPARE(Records(gsErrFile), 0);
        fx.stop();
    }

    // An output table that is no earlier output of its source stays as it is; one that is, is
    // replaced, also again and again in the source database itself.
    void onlyEarlierOutputsAreReplaced()
    {
        QVERIFY(m_pg.psql("postgres", "CREATE DATABASE rule"));
        QVERIFY(m_pg.psql("postgres", "CREATE DATABASE ruleout"));
        QVERIFY(m_pg.psql("rule", "CREATE TABLE a (v text); INSERT INTO a VALUES ('软件');"
                                  "CREATE TABLE b (v text); INSERT INTO b VALUES ('鼠标');"));
        QVERIFY(m_pg.psql("ruleout", "CREATE TABLE \"S2Ta\" (mine text); INSERT INTO \"S2Ta\" VALUES ('keep');"
                                     "CREATE TABLE \"S2Tb\" (v text); INSERT INTO \"S2Tb\" VALUES ('old');"));
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = OpenSource(script, QStringLiteral("rule"));
        QCOMPARE(db.lstTables->Rows(), 3);
        // As a project received from elsewhere would name it.
        db.mvOutDB = QStringLiteral("ruleout");
        db.ChangeOutDB(db.lstTables, db.mvOutDB);
        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QString out;
        QVERIFY(m_pg.psql("ruleout", "SELECT mine FROM \"S2Ta\"", &out));
        QCOMPARE(out, QStringLiteral("keep"));
        QVERIFY(m_pg.psql("ruleout", "SELECT v FROM \"S2Tb\"", &out));
        QCOMPARE(out, QStringLiteral("滑鼠"));
        QCOMPARE(db.lstTables->TextMatrix(RowOf(db.lstTables, "a"), 0), QStringLiteral("."));
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Failed);
        QString log;
        QCOMPARE(Records(gsErrFile, &log), 1);
        QVERIFY(log.contains(QStringLiteral("S2Ta")));

        db.mvOutDB = QStringLiteral("rule");
        db.ChangeOutDB(db.lstTables, db.mvOutDB);
        for (int run = 0; run < 2; ++run) {
            db.MenuProc(QStringLiteral("IDM_EDIT_CLEARTYPE"));
            script.answer(vbOK);
            db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
            QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        }
        QVERIFY(m_pg.psql("rule", "SELECT v FROM \"S2Ta\"", &out));
        QCOMPARE(out, QStringLiteral("軟體"));
        QCOMPARE(Records(gsErrFile), 1);
        fx.stop();
    }

    // Unattended, a project whose password cannot be found fails its rows and writes nothing,
    // also into a database the user had open.
    void unattendedWithoutPasswordWritesNothing()
    {
        QVERIFY(m_pg.psql("postgres", "CREATE DATABASE mine"));
        QVERIFY(m_pg.psql("postgres", "CREATE DATABASE sched"));
        QVERIFY(m_pg.psql("mine", "CREATE TABLE own (v text); INSERT INTO own VALUES ('软件')"));
        QVERIFY(m_pg.psql("sched", "CREATE TABLE own (v text); INSERT INTO own VALUES ('软件')"));
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = OpenSource(script, QStringLiteral("sched"));
        PrjLstDBSave(db.lstTables, fx.path("shop.DBL"));
        // The user's own database is open when the scheduled project is read.
        OpenSource(script, QStringLiteral("mine"));
        QVERIFY(db.mCnt.IsOpen());
        {
            const UnattendedRun unattended;
            PrjLstDBShow(db.lstTables, fx.path("shop.DBL"));
            db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        }
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Failed);
        for (int r = 1; r < db.lstTables->Rows(); ++r)
            QCOMPARE(db.lstTables->TextMatrix(r, 0), QStringLiteral("."));
        QString out;
        QVERIFY(m_pg.psql("mine", "SELECT count(*) FROM pg_class WHERE relname LIKE 'S2T%'", &out));
        QCOMPARE(out, QStringLiteral("0"));
        QVERIFY(m_pg.psql("sched", "SELECT count(*) FROM pg_class WHERE relname LIKE 'S2T%'", &out));
        QCOMPARE(out, QStringLiteral("0"));
        QString log;
        QCOMPARE(Records(gsErrFile, &log), 1);
        QVERIFY(log.contains(QStringLiteral("ConnectADO")));
        fx.stop();
    }

    // Run last: it kills the server.
    void zz_serverKilledMidTable()
    {
        QVERIFY(m_pg.psql("postgres", "CREATE DATABASE big"));
        QVERIFY(m_pg.psql("big", "CREATE TABLE rows AS SELECT g AS id, '软件' || g AS name FROM generate_series(1, 5000) g"));
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = OpenSource(script, QStringLiteral("big"));
        QCOMPARE(db.lstTables->Rows(), 2);
        bool killed = false;
        data::SetCopyBatchObserver([&](qint64) {
            if (!killed) {
                killed = true;
                m_pg.kill();
            }
        });
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        data::SetCopyBatchObserver({});
        QVERIFY(killed);
        QVERIFY(!(db.lstTables->RowData(1) & kRowConverted));
        QVERIFY(db.lstTables->Redraw());
        QCOMPARE(db.lstTables->TextMatrix(1, 0), QStringLiteral("."));
        QString log;
        QCOMPARE(Records(gsErrFile, &log), 1);
        QVERIFY(log.contains(QStringLiteral("Utility_ConvSQLTable")));
        QVERIFY(!log.contains(PgServer::password()));
        QVERIFY(script.messages().isEmpty()); // no summary after a failed run
        // The table was rolled back: the output database holds no part of it.
        QVERIFY(m_pg.restart());
        QString out;
        QVERIFY(m_pg.psql("big", "SELECT count(*) FROM pg_class WHERE relname = 'S2Trows'", &out));
        QCOMPARE(out, QStringLiteral("0"));
        fx.stop();
    }
};

TEZ_REGISTER_TEST(PgConversionTest)
#include "test_pg_conversion.moc"
