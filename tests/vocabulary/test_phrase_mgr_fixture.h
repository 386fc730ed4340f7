#pragma once
// A temporary program folder with small vocabulary tables made through the conversion
// library, PCTS.LST loaded and the program's table list filled as start-up fills it, the
// main window standing without the rest of start-up, and a freshly loaded vocabulary
// manager: what the manager's tests run against.
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/ProgramFolder.h"
#include "core/LoadedTableList.h"
#include "core/TableListFile.h"
#include "vocabulary/frmPhraseMgr.h"
#include "test_library_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QScopedValueRollback>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

struct MgrItem {
    QString simp;
    QString trad;
    int32_t status = 1;
};

struct MgrTable {
    QString name;
    QList<MgrItem> items;
    int32_t status = 1;
};

// Items "S1|T1" ... "Sn|Tn" for a table of n plain items.
inline QList<MgrItem> NumberedItems(int n, const QString& prefix = QString())
{
    QList<MgrItem> items;
    for (int i = 1; i <= n; ++i)
        items << MgrItem{prefix + QStringLiteral("S%1").arg(i), prefix + QStringLiteral("T%1").arg(i), 1};
    return items;
}

// While alive, the program works on a statement without conversion tables, so that no term
// can be converted; the program's statement comes back when it ends.
class NoConversionTables {
public:
    NoConversionTables() : m_stmt(ghStmt, NewStatementWithoutTables()) {}

private:
    QScopedValueRollback<int32_t> m_stmt;
};

class PhraseMgrFixture {
public:
    explicit PhraseMgrFixture(const QList<MgrTable>& tables)
    {
        qputenv("TEZDESK_HOME", m_home.path().toUtf8());
        ProgramFolder(); // fills the fresh folder with the conversion tables
        OpenLibrary();
        _TezUnloadLST(ghStmt);
        for (const MgrTable& table : tables)
            writeTable(table);
        writeList(tables);
        startUp();
        if (!IsFormLoaded<FrmMain>())
            FormSlot<FrmMain>() = new FrmMain;
        loadManager();
    }

    ~PhraseMgrFixture()
    {
        dropManager();
        _TezUnloadLST(ghStmt);
        ClearLoadedTables();
        ClearKeptListLines();
    }

    QString home() const { return m_home.path(); }
    QString pathOf(const QString& name) const { return QDir(m_home.path()).filePath(name); }
    QString listFile() const { return pathOf(QStringLiteral("PCTS.LST")); }

    FrmPhraseMgr& mgr() { return frmPhraseMgr(); }
    FlexGrid& tables() { return *mgr().lstPCT; }
    FlexGrid& items() { return *mgr().lstPhrase; }

    // What the library holds for a table: "simp|trad|status" per item.
    static QStringList libraryItems(int32_t h)
    {
        QStringList out;
        for (const RawItem& item : TableItems(h))
            out << FromSystemCodePage(item.simp) + QLatin1Char('|') + FromSystemCodePage(item.trad) + QLatin1Char('|')
                    + QString::number(item.status);
        return out;
    }
    QStringList currentLibraryItems() const { return libraryItems(ghPCT[static_cast<std::size_t>(giCurPCT)]); }

    // What the item list shows: "simp|trad|row word" per data row.
    QStringList gridItems()
    {
        QStringList out;
        for (int r = 1; r < items().Rows(); ++r)
            out << items().TextMatrix(r, 1) + QLatin1Char('|') + items().TextMatrix(r, 2) + QLatin1Char('|')
                    + QString::number(items().RowData(r));
        return out;
    }

    // The file names the table list shows, in order.
    QStringList gridTables()
    {
        QStringList out;
        for (int r = 1; r < tables().Rows(); ++r)
            out << QFileInfo(tables().TextMatrix(r, 1)).fileName();
        return out;
    }

    // Selects rows from..to of a grid (the current row at from, the selection end at to).
    static void select(FlexGrid& grid, int from, int to)
    {
        grid.setRow(from);
        grid.setCol(0);
        grid.setRowSel(to);
        grid.setColSel(grid.Cols() - 1);
    }

    // As the program's next start would find things: the library's list is saved and
    // dropped, PCTS.LST is loaded again and a new manager window fills itself from it.
    void restart()
    {
        dropManager();
        _TezUnloadLST(ghStmt);
        startUp();
        loadManager();
    }

    void dropManager()
    {
        if (IsFormLoaded<FrmPhraseMgr>()) {
            delete FormSlot<FrmPhraseMgr>().data();
            FormSlot<FrmPhraseMgr>().clear();
        }
    }

    void loadManager()
    {
        dropManager();
        frmPhraseMgr();
    }

    // Creates a table file in the program folder through the library.
    void writeTable(const MgrTable& table)
    {
        const int32_t h = NewTableWithItems(pathOf(table.name), table.items);
        _TezSavePCT(h, ToSystemCodePage(pathOf(table.name)).constData(), 0);
        _TezUnloadPCT(ghStmt, h);
    }

private:
    void writeList(const QList<MgrTable>& tables)
    {
        for (const MgrTable& table : tables) {
            int32_t h = 0;
            _TezLoadPCT(ghStmt, ToSystemCodePage(pathOf(table.name)).constData(), &h);
            _TezSetPCTStatus(h, table.status);
        }
        _TezSaveLST(ghStmt, ToSystemCodePage(listFile()).constData());
        _TezUnloadLST(ghStmt);
    }

    // The table list as start-up fills it.
    void startUp()
    {
        ClearLoadedTables();
        LoadTableListFile(listFile(), _TezLoadLST);
    }

    static void OpenLibrary()
    {
        if (ghStmt != 0)
            return;
        _TezCreateEnv(&ghEnv);
        _TezCreateStmt(ghEnv, &ghStmt, 1000);
        LoadGeneratedTables(ghEnv);
    }

    QTemporaryDir m_home;
};
