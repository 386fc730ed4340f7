// Vocabulary readiness of the Excel and PowerPoint runs: true exactly when a table in use
// holds an item, whichever table the vocabulary manager shows and whether or not it was
// opened; and an Excel run that converts a text row's vocabulary through such a table.
#include "batch/CheckPCTOK.h"
#include "batch/frmOutputSetting.h"
#include "ListWindows.h"
#include "common/FileBytes.h"
#include "common/ProgramFolderFixture.h"
#include "common/TestMain.h"
#include "core/FileRowFlags.h"
#include "core/Globals.h"
#include "core/LoadedTableList.h"
#include "core/OfficeAccess.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QAction>
#include <QComboBox>
#include <QTest>

namespace {

// A table file with this many items, and the table list naming the tables with their status.
struct TableSpec {
    int items;
    int status;
};

QByteArray TableFile(int items)
{
    QByteArray bytes = "TEZPCT 1\n";
    const QStringList trad{QStringLiteral("軟體"), QStringLiteral("滑鼠"), QStringLiteral("網路")};
    const QStringList simp{QStringLiteral("软件"), QStringLiteral("鼠标"), QStringLiteral("网络")};
    for (int i = 0; i < items; ++i)
        bytes += "1\t" + trad.at(i).toUtf8() + "\t" + simp.at(i).toUtf8() + "\n";
    return bytes;
}

void WriteTables(const ProgramFolderFixture& fx, const QList<TableSpec>& tables)
{
    QByteArray list = "TEZLST 1\n";
    for (int i = 0; i < tables.size(); ++i) {
        const QString name = QStringLiteral("T%1.pct").arg(i);
        fx.writeFile(name, TableFile(tables.at(i).items));
        list += QByteArray::number(tables.at(i).status) + "\t" + name.toUtf8() + "\n";
    }
    fx.writeFile(QStringLiteral("PCTS.LST"), list);
}

} // namespace

Q_DECLARE_METATYPE(QList<TableSpec>)

class TestCheckPCTOK : public QObject {
    Q_OBJECT

private slots:
    void readiness_data()
    {
        QTest::addColumn<QList<TableSpec>>("tables");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("ready");
        QTest::newRow("no table") << QList<TableSpec>{} << -1 << false;
        QTest::newRow("in use, one item") << QList<TableSpec>{{1, 1}} << 0 << true;
        QTest::newRow("in use, empty") << QList<TableSpec>{{0, 1}} << 0 << false;
        QTest::newRow("out of use, items") << QList<TableSpec>{{2, 0}} << 0 << false;
        QTest::newRow("shown empty, another in use holds items") << QList<TableSpec>{{0, 1}, {1, 1}} << 0 << true;
        QTest::newRow("shown holds items out of use, the one in use empty")
            << QList<TableSpec>{{2, 0}, {0, 1}} << 0 << false;
        QTest::newRow("shown out of use, the third in use") << QList<TableSpec>{{2, 0}, {0, 0}, {1, 1}} << 1 << true;
        QTest::newRow("proper nouns in use") << QList<TableSpec>{{1, 3}} << 0 << true;
        QTest::newRow("proper nouns out of use") << QList<TableSpec>{{1, 2}} << 0 << false;
    }
    // The same answer before the manager was opened, with it open on any table, and none once
    // the manager takes every table out of use.
    void readiness()
    {
        QFETCH(QList<TableSpec>, tables);
        QFETCH(int, shown);
        QFETCH(bool, ready);
        ProgramFolderFixture fx;
        WriteTables(fx, tables);
        ModalScript script;
        fx.start();
        QCOMPARE(glPCTCount, int32_t(tables.size()));
        QCOMPARE(CheckPCTOK(), ready);

        FrmPhraseMgr& mgr = frmPhraseMgr();
        for (int row = 1; row < mgr.lstPCT->Rows(); ++row)
            QCOMPARE(bool(mgr.lstPCT->RowData(row) & 1), bool(tables.at(row - 1).status & 1));
        if (shown >= 0) {
            mgr.lstPCT->setRow(shown + 1);
            mgr.lstPCT_DblClick();
        }
        QCOMPARE(giCurPCT, int16_t(shown));
        QCOMPARE(CheckPCTOK(), ready);

        if (!tables.isEmpty()) {
            mgr.lstPCT->setRow(1);
            mgr.lstPCT->setRowSel(mgr.lstPCT->Rows() - 1);
            mgr.ActiveItem(mgr.lstPCT, false);
            QVERIFY(!CheckPCTOK());
        }
        QCOMPARE(script.unexpected(), 0);
    }

    // S to T with vocabulary while the manager shows an empty table and another table in use
    // holds 軟體/软件: the Excel or PowerPoint run's text row gets 軟體, and the main window is
    // disabled for the run only.
    void officeRunUsesATableInUse_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("windowCommand");
        QTest::newRow("Excel") << QStringLiteral("frmXlsConv") << QStringLiteral("IDM_WINDOW_XLSCONVERT");
        QTest::newRow("PowerPoint") << QStringLiteral("frmPptConv") << QStringLiteral("IDM_WINDOW_PPTCONVERT");
    }
    void officeRunUsesATableInUse()
    {
        QFETCH(QString, form);
        QFETCH(QString, windowCommand);
        ProgramFolderFixture fx;
        WriteTables(fx, {{0, 1}, {1, 1}});
        ModalScript script;
        FrmMain& main = fx.start();
        FrmPhraseMgr& mgr = frmPhraseMgr();
        QCOMPARE(giCurPCT, int16_t(0));
        QCOMPARE(mgr.lstPhrase->Rows(), 1);

        main.Menu(windowCommand)->trigger();
        auto& w = dynamic_cast<CodeConvWindow&>(ListWindow(form));
        FlexGrid* grid = w.Grid();
        w.cbCodeConv->setCurrentIndex(0);
        w.cbPhraseConv->setCurrentIndex(0);
        gbOutputSettingOK = true;
        frmOutputSetting().opSelectDir = true;
        frmOutputSetting().strDir = fx.path(QStringLiteral("out"));
        const QString input = fx.path(QStringLiteral("in.txt"));
        WriteFileBytes(input, "\xEF\xBB\xBF" + QStringLiteral("软件\r\n").toUtf8());
        w.lstDoc_OLEDragDrop({input});
        QCOMPARE(grid->Rows(), 2);
        QVERIFY(grid->RowData(1) & FileRowText);

        const OfficeServices saved = Office();
        bool enabledAtStart = true;
        bool enabledAtEnd = true;
        Office().InitExcelApp = Office().InitPowerPointApp = [&] {
            enabledAtStart = main.isEnabled();
            return true;
        };
        Office().ExitExcelApp = Office().ExitPowerPointApp = [&] { enabledAtEnd = main.isEnabled(); };
        script.answer(vbOK); // the run's summary
        w.MenuProc(QStringLiteral("IDM_FILE_RUN"));
        Office() = saved;
        QVERIFY(!enabledAtStart);
        QVERIFY(!enabledAtEnd);
        QVERIFY(main.isEnabled());
        QVERIFY(w.bPhrase);
        const QString output = grid->TextMatrix(1, 3);
        QCOMPARE(QString::fromUtf8(ReadFileBytes(output)).remove(QChar(0xFEFF)), QStringLiteral("軟體\r\n"));
        QCOMPARE(script.unexpected(), 0);
    }
};

TEZ_REGISTER_TEST(TestCheckPCTOK)
#include "test_check_pctok.moc"
