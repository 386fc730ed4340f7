// The database window with SQLite files as Access-type sources (the outputs the program writes,
// which it opens again; real Access files are in test_access_files.cpp): its messages, the
// listing with output names, the run into DBOUT.MDB, the guards against overwriting a source,
// and the project's side file.
#include "DbTestSupport.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "core/FileGrid.h"
#include "core/Log.h"
#include "core/ProjectDBList.h"
#include "batch/frmOutputSetting.h"
#include "database/DBConvRun.h"
#include "database/frmDBConv.h"
#include "database/frmSelectADODB.h"
#include "core/UnattendedRun.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QComboBox>
#include <QDir>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

void MakeSource(const QString& path)
{
    Sqlite(path, {"CREATE TABLE \"客户\" (\"名称\" VARCHAR(20), \"EMAILADD\" TEXT, n INTEGER, r REAL, b BLOB)",
                  "INSERT INTO \"客户\" VALUES ('软件', 'a@b', 1, 1.5, x'00ff'), ('鼠标', NULL, NULL, NULL, NULL), "
                  "('', '', 3, NULL, NULL)",
                  "CREATE TABLE t (x INTEGER)", "INSERT INTO t VALUES (7)",
                  "CREATE TABLE \"a]b; DROP TABLE t--\" (\"c\"\"q\" TEXT)",
                  "INSERT INTO \"a]b; DROP TABLE t--\" VALUES ('软件')"});
}

// Opens the source by dropping it on the list.
FrmDBConv& OpenSource(const QString& path)
{
    FrmDBConv& db = frmDBConv();
    gbOutputSettingOK = true;
    db.cboDBType->setCurrentIndex(0);
    db.lstTables_OLEDragDrop({path});
    return db;
}

int RowOfSource(FlexGrid* grid, const QString& table)
{
    for (int r = 1; r < grid->Rows(); ++r)
        if (getTableName(grid->TextMatrix(r, 2)) == table)
            return r;
    return -1;
}

} // namespace

class DbWindowTest : public QObject {
    Q_OBJECT
private slots:
    void messages()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = frmDBConv();
        QCOMPARE(db.cboDBType->currentText(), QStringLiteral("ACCESS数据库转换"));
        db.lstTables_OLEDragDrop({fx.path("a.mdb"), fx.path("b.mdb")});
        db.cboDBType->setCurrentIndex(1);
        db.lstTables_OLEDragDrop({fx.path("a.mdb")});
        db.MenuProc(QStringLiteral("IDM_OPTION_SETTING"));
        QCOMPARE(script.messages(), (QStringList{"只能选择一个MDB档作转换", "不是MDB转换选项", "需先与数据库连结"}));
        QCOMPARE(db.lstTables->Rows(), 1);
        fx.stop();
    }

    void listsAndConverts()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString src = fx.path("src.mdb");
        MakeSource(src);
        FrmDBConv& db = OpenSource(src);
        QCOMPARE(db.lstTables->Rows(), 4);
        QCOMPARE(db.mvOutDB, fx.path("DBOUT.MDB"));
        const int row = RowOfSource(db.lstTables, QStringLiteral("客户"));
        QVERIFY(row > 0);
        // Access-type outputs keep the converted name without a prefix.
        QCOMPARE(db.lstTables->TextMatrix(row, 3), fx.path("DBOUT.MDB") + QStringLiteral(".客戶"));
        QCOMPARE(db.lstTables->RowData(row), 0x20 | 0x2 | 0x4);

        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(script.messages(), (QStringList{LoadResString(4036) + "\r\n" + LoadResString(4025)}));
        for (int r = 1; r < db.lstTables->Rows(); ++r)
            QVERIFY(db.lstTables->RowData(r) & kRowConverted);
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        const QString out = fx.path("DBOUT.MDB");
        // Text converted (column names too, EMAILADD unchanged), everything else as it was, Nulls Null.
        QCOMPARE(Sqlite(out, {"SELECT \"名稱\", \"EMAILADD\", n, r, quote(b) FROM \"客戶\" ORDER BY rowid"}),
                 (QStringList{"軟體|a@b|1|1.5|X'00FF'", "滑鼠|NULL|NULL|NULL|NULL", "||3|NULL|NULL"}));
        QCOMPARE(Sqlite(out, {"SELECT \"c\"\"q\" FROM \"a]b; DROP TABLE t--\""}), QStringList{"軟體"});
        QCOMPARE(Sqlite(src, {"SELECT x FROM t"}), QStringList{"7"});
        QCOMPARE(Sqlite(out, {"SELECT x FROM t"}), QStringList{"7"});

        // An existing output asks first; No leaves it alone.
        const QByteArray before = fx.readFile("DBOUT.MDB");
        script.answer(vbNo);
        db.MenuProc(QStringLiteral("IDM_EDIT_CLEARTYPE"));
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(script.asked().last().text, QStringLiteral("文件已存在, 是否覆写?(") + out + QStringLiteral(")"));
        QCOMPARE(script.asked().last().buttons, vbYesNo);
        QCOMPARE(fx.readFile("DBOUT.MDB"), before);
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Failed);
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    void outputThatIsTheSourceIsRefused()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString src = fx.path("src.mdb");
        MakeSource(src);
        FrmDBConv& db = OpenSource(src);
        const QByteArray before = fx.readFile("src.mdb");
        db.mvOutDB = fx.folder() + QStringLiteral("/./src.mdb");
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(script.asked().size(), 1);
        QVERIFY(script.messages().first().startsWith(QStringLiteral("输出数据库不可以是输入数据库")));
        QCOMPARE(fx.readFile("src.mdb"), before);
        fx.stop();
    }

    void renameKeepsPosition()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString src = fx.path("src.mdb");
        MakeSource(src);
        FrmDBConv& db = OpenSource(src);
        const TableEntries before = db.mcollOutTbl;
        db.lstTables->setRow(1);
        script.answerDialog([](QDialog& d) {
            d.findChild<QLineEdit*>("txtInput")->setText(QStringLiteral("新表"));
            d.findChild<QPushButton*>("cmdOK")->click();
        });
        db.MenuProc(QStringLiteral("IDM_EDIT_DIRSETTING"));
        QCOMPARE(db.mcollOutTbl.size(), before.size());
        QCOMPARE(db.mcollOutTbl[0].text(), db.mvOutDB + QStringLiteral(".新表"));
        QCOMPARE(db.mcollOutTbl.mid(1), before.mid(1));
        QCOMPARE(db.lstTables->TextMatrix(1, 3), db.mvOutDB + QStringLiteral(".新表"));
        fx.stop();
    }

    void projectSideFileRoundTrip()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString src = fx.path("src.mdb");
        MakeSource(src);
        FrmDBConv& db = OpenSource(src);
        db.lstTables->setRowData(2, db.lstTables->RowData(2) | kRowConverted);
        QStringList rows;
        QList<int32_t> words;
        for (int r = 1; r < db.lstTables->Rows(); ++r) {
            rows << db.lstTables->TextMatrix(r, 2) + "|" + db.lstTables->TextMatrix(r, 3);
            words << db.lstTables->RowData(r);
        }
        PrjLstDBSave(db.lstTables, fx.path("p.DBL"));
        const QByteArray bytes = fx.readFile("p.DBL");
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(!bytes.contains(QByteArray("\r\0\n\0", 4)));
        QVERIFY(bytes.startsWith(QByteArray("P\0r\0j\0", 6)));
        db.lstTables->setRows(1);
        db.mcollTbl.clear();
        db.mcollOutTbl.clear();
        db.mCnt = AdoConnection();
        PrjLstDBShow(db.lstTables, fx.path("p.DBL"));
        // Reading the project opens nothing; the run does.
        QVERIFY(!db.mCnt.IsOpen());
        QCOMPARE(db.lstTables->Rows(), rows.size() + 1);
        for (int r = 1; r < db.lstTables->Rows(); ++r) {
            QCOMPARE(db.lstTables->TextMatrix(r, 2) + "|" + db.lstTables->TextMatrix(r, 3), rows[r - 1]);
            QCOMPARE(db.lstTables->RowData(r), words[r - 1]);
        }
        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QVERIFY(db.mCnt.IsOpen());
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }

    // A table whose own name holds "." is converted as itself, also after the project is read back.
    void tableNameWithDot()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString src = fx.path("dots.mdb");
        Sqlite(src, {"CREATE TABLE \"x.y\" (\"名称\" TEXT)", "INSERT INTO \"x.y\" VALUES ('软件')",
                     "CREATE TABLE y (v TEXT)", "INSERT INTO y VALUES ('鼠标')"});
        FrmDBConv& db = OpenSource(src);
        QCOMPARE(db.lstTables->Rows(), 3);
        PrjLstDBSave(db.lstTables, fx.path("p.DBL"));
        db.lstTables->setRows(1);
        db.mcollTbl.clear();
        db.mcollOutTbl.clear();
        PrjLstDBShow(db.lstTables, fx.path("p.DBL"));
        const int row = RowOfSource(db.lstTables, QStringLiteral("y"));
        QVERIFY(row > 0);
        QCOMPARE(db.mcollTbl[db.lstTables->TextMatrix(row, 4).toInt() - 1].table, QStringLiteral("x.y"));
        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        const QString out = fx.path("DBOUT.MDB");
        QCOMPARE(Sqlite(out, {"SELECT \"名稱\" FROM \"x.y\""}), QStringList{"軟體"});
        QCOMPARE(Sqlite(out, {"SELECT v FROM y"}), QStringList{"滑鼠"});
        QCOMPARE(ErrorRecords(gsErrFile), 0);
        fx.stop();
    }

    // Unattended, a run replaces its own earlier output file, and no other file.
    void unattendedRunReplacesItsOwnOutput()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString src = fx.path("src.mdb");
        MakeSource(src);
        FrmDBConv& db = OpenSource(src);
        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        const QString out = fx.path("DBOUT.MDB");
        Sqlite(src, {"UPDATE t SET x = 8"});
        for (int run = 0; run < 2; ++run) {
            const UnattendedRun unattended;
            db.MenuProc(QStringLiteral("IDM_EDIT_CLEARTYPE"));
            db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
            QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        }
        QCOMPARE(Sqlite(out, {"SELECT x FROM t"}), QStringList{"8"});
        QCOMPARE(Sqlite(out, {"SELECT \"名稱\" FROM \"客戶\" ORDER BY rowid"}), (QStringList{"軟體", "滑鼠", ""}));
        // Interactive, the user is asked; Yes replaces the file once the new one is complete.
        Sqlite(src, {"UPDATE t SET x = 9"});
        script.answer(vbYes);
        script.answer(vbOK);
        db.MenuProc(QStringLiteral("IDM_EDIT_CLEARTYPE"));
        db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Succeeded);
        QCOMPARE(script.asked().size(), 3);
        QCOMPARE(Sqlite(out, {"SELECT x FROM t"}), QStringList{"9"});
        QCOMPARE(QDir(fx.folder()).entryList({".tezc-*"}, QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(ErrorRecords(gsErrFile), 0);

        // A file that is no output of this list stays as it is; the rows fail with a record.
        QFile::remove(out);
        Sqlite(out, {"CREATE TABLE t (mine TEXT)", "INSERT INTO t VALUES ('keep')"});
        const QByteArray foreign = fx.readFile("DBOUT.MDB");
        {
            const UnattendedRun unattended;
            db.MenuProc(QStringLiteral("IDM_EDIT_CLEARTYPE"));
            db.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        }
        QCOMPARE(db.LastRunOutcome(), RunOutcome::Failed);
        QCOMPARE(fx.readFile("DBOUT.MDB"), foreign);
        QCOMPARE(ErrorRecords(gsErrFile), 1);
        for (int r = 1; r < db.lstTables->Rows(); ++r)
            QCOMPARE(db.lstTables->TextMatrix(r, 0), QStringLiteral("."));
        fx.stop();
    }

    // The saved-connection list shows the server as typed and hands back its server type.
    void savedConnectionListShowsTheServer()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        fx.writeFile("ConnParam.sys", "pgsql:/tmp/pg:54329,shop,tez,\r\nsrv,db,sa,\r\n");
        QString shown;
        script.answerDialog([&](QDialog& d) {
            auto& dlg = static_cast<FrmSelectADODB&>(d);
            dlg.cboServerType->setCurrentIndex(0);
            dlg.cboServer->setCurrentText(QString());
            dlg.cmdSQLDBList_Click();
            shown = dlg.cboServer->currentText() + QStringLiteral("|") + dlg.cboServerType->currentText();
            dlg.reject();
        });
        script.answerDialog([&](QDialog& d) {
            auto* grid = d.findChild<FlexGrid*>(QStringLiteral("fg1"));
            QCOMPARE(grid->TextMatrix(1, 0), QStringLiteral("/tmp/pg:54329"));
            QCOMPARE(grid->TextMatrix(2, 0), QStringLiteral("srv"));
            d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        AdoConnection c;
        QVERIFY(!frmSelectADODB().SetConnection(c));
        QCOMPARE(shown, QStringLiteral("/tmp/pg:54329|PostgreSQL"));
        QCOMPARE(script.unexpected(), 0);
        fx.stop();
    }
};

TEZ_REGISTER_TEST(DbWindowTest)
#include "test_db_window.moc"
