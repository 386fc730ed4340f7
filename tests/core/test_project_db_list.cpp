// The project's database side file: its byte layout and how it is read back.
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"

#include "core/Globals.h"
#include "core/ProjectDBList.h"
#include "core/ProjectFile.h"
#include "core/frmMain.h"
#include "database/frmDBConv.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QComboBox>
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
        db.mcollTbl = {QStringLiteral("客户"), QStringLiteral("orders")};
        db.mcollOutTbl = {QStringLiteral("S2T客户"), QStringLiteral("S2Torders")};
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

    void reading_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("rows");        // data rows after reading; -1: the grid is untouched
        QTest::addColumn<int32_t>("firstFlags");
        QTest::addColumn<bool>("formatError");
        const QStringList keys = {"PrjFileName\t/p.wpp", "cboCodeConv\t1", "CBOPHRASECONV\t1", "CboDbType\t1"};
        QTest::newRow("flag word 0 comes back as 32") << keys + QStringList{"DBCOUNT\t1", "--\t--", "0\ta\tb"} << 1 << 32 << false;
        QTest::newRow("more lines than DBCOUNT") << keys + QStringList{"DBCOUNT\t2", "--\t--", "1\ta\tb", "2\tc\td", "3\te\tf"} << 3 << 33 << false;
        QTest::newRow("a name with a tab ends the list") << keys + QStringList{"DBCOUNT\t2", "--\t--", "1\ta\tb", "2\tc\td\te"} << 1 << 33 << false;
        // U+0D15 before 上 are the bytes 15 0D 0A 4E: no line end, the line ends on a unit boundary.
        QTest::newRow("a name whose units hold the bytes 0D 0A") << keys + QStringList{"DBCOUNT\t2", "--\t--", "1\ta\tb", "2\t\u0D15上\tS2T\u0D15上", "3\tc\td"}
                                                                << 3 << 33 << false;
        QTest::newRow("no tables") << keys + QStringList{"DBCOUNT\t0", "--\t--"} << 0 << 0 << false;
        QTest::newRow("saved connection cannot be opened") << keys + QStringList{"DBCOUNT\t1", "MCNT\tProvider=X", "--\t--", "0\ta\tb"} << -1 << 0 << false;
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
        fx.writeFile("p.DBL", SideFile(lines));
        ModalScript script;
        fx.start();
        FrmDBConv& db = frmDBConv();
        db.lstTables->AddItem(QStringLiteral("\t\told\tS2Told\t1"));
        db.mcollTbl = {QStringLiteral("old")};
        db.mcollOutTbl = {QStringLiteral("S2Told")};
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
            QCOMPARE(db.mcollTbl, QStringList{QStringLiteral("old")});
        } else {
            QCOMPARE(db.lstTables->Rows(), rows + 1);
            QCOMPARE(db.mcollTbl.size(), rows);
            if (rows > 0) {
                QCOMPARE(db.lstTables->RowData(1), firstFlags);
                QCOMPARE(db.lstTables->TextMatrix(1, 2), QStringLiteral("a"));
                QCOMPARE(db.lstTables->TextMatrix(rows, 4), QString::number(rows));
            }
        }
        if (!formatError) {
            QCOMPARE(db.cbCodeConv->currentIndex(), 1);
            QCOMPARE(db.cboDBType->currentIndex(), 1);
        }
        QVERIFY(QFileInfo::exists(fx.path("p.DBL")) || lines.isEmpty());
    }

    void projectNamesItsSideFile()
    {
        ProgramFolderFixture fx;
        ModalScript script;
        fx.start();
        frmDBConv();
        PrjFileSave(fx.path("my.project.wpp"));
        QVERIFY(QFileInfo::exists(fx.path("my.project.DBL")));
        QVERIFY(fx.readFile("my.project.wpp").contains("\"DBCONV\",\"" + fx.path("my.project.DBL").toUtf8() + "\"\r\n\"-\",9"));
        frmDBConv().cbCodeConv->setCurrentIndex(3);
        PrjFileShow(fx.path("my.project.wpp"));
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
