// The project's database side file: its byte layout and how it is read back.
#include "common/ProgramFolderFixture.h"
#include "common/FileBytes.h"
#include "common/TestMain.h"

#include "core/Globals.h"
#include "core/ProjectDBList.h"
#include "core/ProjectFile.h"
#include "core/frmMain.h"
#include "database/Connection.h"
#include "database/frmDBConv.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

QByteArray SideLine(const QString& text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes + "\r\n";
}

// A source database the data layer can open, made in the fixture's folder: an empty SQLite
// file (SQLite takes an empty file as an empty database).
QString OpenableSource(const ProgramFolderFixture& fx)
{
    fx.writeFile("source.db", QByteArray());
    return QStringLiteral("Provider=SQLite;Data Source=") + fx.path("source.db");
}

QByteArray SideFile(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += SideLine(l);
    return bytes;
}

} // namespace

class ProjectDBListTest : public QObject {
    Q_OBJECT
private slots:
    void windowWithoutTablesWritesTheKeysOnly()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        frmDBConv().cbCodeConv->setCurrentIndex(2);
        frmDBConv().cboDBType->setCurrentIndex(1);
        PrjLstDBSave(frmDBConv().lstTables, fx.path("p.DBL"));
        const QByteArray expected = SideFile({"PrjFileName\t" + gvPrjFile, "CBOCodeConv\t2", "CBOPhraseConv\t0",
                                              "CBODBTYPE\t1", "DBCOUNT\t0", "--\t--"});
        QCOMPARE(fx.readFile("p.DBL"), expected);
        QVERIFY(!expected.contains(QByteArray("\r\0\n\0", 4)));
    }

    void tablesRoundTrip()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        FrmDBConv& db = frmDBConv();
        db.mCnt.ConnectionString = QStringLiteral("Provider=X;Data Source=/db.mdb");
        db.mvDB = QStringLiteral("/DB.MDB");
        db.mvOutDB = QStringLiteral("/OUT.MDB");
        db.mcollTbl = TableEntries{{QString(), QStringLiteral("客户")}, {QString(), QStringLiteral("orders")}};
        db.mcollOutTbl = TableEntries{{QString(), QStringLiteral("S2T客户")}, {QString(), QStringLiteral("S2Torders")}};
        db.lstTables->AddItem(QStringLiteral("\t\t客户\tS2T客户\t1"));
        db.lstTables->AddItem(QStringLiteral("\t\torders\tS2Torders\t2"));
        db.lstTables->setRowData(1, 0);
        db.lstTables->setRowData(2, static_cast<int32_t>(0x80000020u));
        PrjLstDBSave(db.lstTables, fx.path("p.DBL"));
        const QByteArray bytes = fx.readFile("p.DBL");
        QVERIFY(bytes.contains(SideLine("MCNT\tProvider=X;Data Source=/db.mdb")));
        QVERIFY(bytes.contains(SideLine("0\t客户\tS2T客户")));
        QVERIFY(bytes.contains(SideLine("-2147483616\torders\tS2Torders")));
    }

    // Side files as the program writes them: with tables there are MCNT, MVDB and MVOUTDB
    // lines; the saved connection is kept, not opened, while the tables are read.
    void reading_data()
    {
        QTest::addColumn<QStringList>("lines"); // %SOURCE%: a connection the data layer opens
        QTest::addColumn<int>("rows");          // data rows after reading; -1: the grid is untouched
        QTest::addColumn<int32_t>("firstFlags");
        QTest::addColumn<bool>("formatError");
        const QStringList keys = {"PrjFileName\t/p.wpp", "cboCodeConv\t1", "CBOPHRASECONV\t1", "CboDbType\t1"};
        auto withTables = [&](int count, const QString& connection, const QStringList& tables) {
            return keys + QStringList{"DBCOUNT\t" + QString::number(count), "MCNT\t" + connection, "MVDB\t/db.mdb",
                                      "MVOUTDB\t/out.mdb", "--\t--"} + tables;
        };
        QTest::newRow("flag word 0 comes back as 32") << withTables(1, "%SOURCE%", {"0\ta\tb"}) << 1 << 32 << false;
        QTest::newRow("more lines than DBCOUNT") << withTables(2, "%SOURCE%", {"1\ta\tb", "2\tc\td", "3\te\tf"}) << 3 << 33 << false;
        QTest::newRow("a name with a tab ends the list") << withTables(2, "%SOURCE%", {"1\ta\tb", "2\tc\td\te"}) << 1 << 33 << false;
        // U+0D15 before 上 are the bytes 15 0D 0A 4E: no line end, the line ends on a unit boundary.
        QTest::newRow("a name whose units hold the bytes 0D 0A")
            << withTables(2, "%SOURCE%", {"1\ta\tb", "2\t\u0D15上\tS2T\u0D15上", "3\tc\td"}) << 3 << 33 << false;
        QTest::newRow("no tables") << keys + QStringList{"DBCOUNT\t0", "--\t--"} << 0 << 0 << false;
        QTest::newRow("saved connection is not opened") << withTables(1, "Provider=X", {"0\ta\tb"}) << 1 << 32 << false;
        QTest::newRow("first key in other letters") << QStringList{"PRJFILENAME\t/p.wpp", "DBCOUNT\t1", "--\t--", "0\ta\tb"} << -1 << 0 << true;
        QTest::newRow("empty file") << QStringList{} << -1 << 0 << true;
    }
    void reading()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, rows);
        QFETCH(int32_t, firstFlags);
        QFETCH(bool, formatError);
        ProgramFolderFixture fx;
        if (lines.filter("%SOURCE%").size() > 0) {
            const QString source = OpenableSource(fx);
            AdoConnection probe;
            if (!ConnectADO(source, probe))
                QSKIP(qPrintable("The data layer opens no saved connection yet: " + source));
            lines.replaceInStrings("%SOURCE%", source);
        }
        fx.writeFile("p.DBL", SideFile(lines));
        ModalScript script;
        fx.start();
        FrmDBConv& db = frmDBConv();
        db.lstTables->AddItem(QStringLiteral("\t\told\tS2Told\t1"));
        db.mcollTbl = TableEntries{{QString(), QStringLiteral("old")}};
        db.mcollOutTbl = TableEntries{{QString(), QStringLiteral("S2Told")}};
        db.mvDB = QStringLiteral("/old.mdb");
        if (formatError)
            script.answer(vbOK);
        PrjLstDBShow(db.lstTables, fx.path("p.DBL"));
        if (formatError) {
            QCOMPARE(script.messages(), QStringList{QStringLiteral("专案档格式错误 - ") + fx.path("p.DBL")});
            QCOMPARE(script.asked().first().icon, vbCritical);
        } else {
            QCOMPARE(script.asked().size(), 0);
        }
        if (rows < 0) {
            QCOMPARE(db.lstTables->Rows(), 2);
            QCOMPARE(db.mcollTbl, (TableEntries{{QString(), QStringLiteral("old")}}));
            QCOMPARE(QVariant(db.mvDB).toString(), QStringLiteral("/old.mdb"));
        } else {
            QCOMPARE(db.lstTables->Rows(), rows + 1);
            QCOMPARE(db.mcollTbl.size(), rows);
            if (rows > 0) {
                QCOMPARE(db.lstTables->RowData(1), firstFlags);
                QCOMPARE(db.lstTables->TextMatrix(1, 2), QStringLiteral("a"));
                QCOMPARE(db.lstTables->TextMatrix(rows, 4), QString::number(rows));
                QCOMPARE(QVariant(db.mvDB).toString(), QStringLiteral("/db.mdb"));
                QCOMPARE(QVariant(db.mvOutDB).toString(), QStringLiteral("/out.mdb"));
            }
        }
        if (!formatError) {
            QCOMPARE(db.cbCodeConv->currentIndex(), 1);
            QCOMPARE(db.cboDBType->currentIndex(), 1);
        }
        QVERIFY(QFileInfo::exists(fx.path("p.DBL")) || lines.isEmpty());
    }

    // What the program writes it reads back: the same rows, names and row words.
    void savedListReadsBack()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        const QString source = OpenableSource(fx);
        FrmDBConv& db = frmDBConv();
        if (!ConnectADO(source, db.mCnt))
            QSKIP(qPrintable("The data layer opens no saved connection yet: " + source));
        db.mvDB = QStringLiteral("/DB.MDB");
        db.mvOutDB = QStringLiteral("/OUT.MDB");
        db.mcollTbl = TableEntries{{QString(), QStringLiteral("客户")}, {QString(), QStringLiteral("orders")}};
        db.mcollOutTbl = TableEntries{{QString(), QStringLiteral("S2T客户")}, {QString(), QStringLiteral("S2Torders")}};
        db.lstTables->AddItem(QStringLiteral("\t\t客户\tS2T客户\t1"));
        db.lstTables->AddItem(QStringLiteral("\t\torders\tS2Torders\t2"));
        db.lstTables->setRowData(1, 0x20);
        db.lstTables->setRowData(2, static_cast<int32_t>(0x80000020u));
        PrjLstDBSave(db.lstTables, fx.path("p.DBL"));
        db.lstTables->setRows(1);
        db.mcollTbl.clear();
        db.mcollOutTbl.clear();
        PrjLstDBShow(db.lstTables, fx.path("p.DBL"));
        QCOMPARE(db.lstTables->Rows(), 3);
        QCOMPARE(db.mcollTbl, (TableEntries{{QString(), QStringLiteral("客户")}, {QString(), QStringLiteral("orders")}}));
        QCOMPARE(db.mcollOutTbl,
                 (TableEntries{{QString(), QStringLiteral("S2T客户")}, {QString(), QStringLiteral("S2Torders")}}));
        QCOMPARE(db.lstTables->RowData(1), 0x20);
        QCOMPARE(db.lstTables->RowData(2), static_cast<int32_t>(0x80000020u));
        QCOMPARE(QVariant(db.mvDB).toString(), QStringLiteral("/DB.MDB"));
        QCOMPARE(script.asked().size(), 0);
    }

    // The project line names the side file in the project's code page; a folder with
    // Chinese characters shows whether the path went through it.
    void projectNamesItsSideFile()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        QVERIFY(QDir(fx.folder()).mkdir(QStringLiteral("专案 目录")));
        const QString project = fx.path(QStringLiteral("专案 目录/my.project.wpp"));
        const QString side = fx.path(QStringLiteral("专案 目录/my.project.DBL"));
        frmDBConv();
        PrjFileSave(project);
        QVERIFY(QFileInfo::exists(side));
        const QByteArray line = "\"DBCONV\",\"" + ToSystemCodePage(side) + "\"\r\n\"-\",9";
        QVERIFY(ToSystemCodePage(side) != side.toUtf8());
        QVERIFY(ReadFileBytes(project).contains(line));
        frmDBConv().cbCodeConv->setCurrentIndex(3);
        PrjFileShow(project);
        QCOMPARE(frmDBConv().cbCodeConv->currentIndex(), 0);
        QCOMPARE(script.asked().size(), 0);
    }

    void missingSideFileIsNotCreated()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        script.answer(vbOK);
        PrjLstDBShow(frmDBConv().lstTables, fx.path("none.DBL"));
        QVERIFY(!QFileInfo::exists(fx.path("none.DBL")));
        QCOMPARE(script.messages().size(), 1);
    }
};

TEZ_REGISTER_TEST(ProjectDBListTest)
#include "test_project_db_list.moc"
