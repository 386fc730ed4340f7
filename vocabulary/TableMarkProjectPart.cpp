#include "vocabulary/TableMarkProjectPart.h"

#include "core/LoadedTableList.h"
#include "core/ProjectFile.h"
#include "core/ProjectLine.h"
#include "platform/FlexGrid.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QFileInfo>

namespace {

const QString kTableMark = QStringLiteral("MASK_PCT_SELECT");
constexpr int32_t kCurrentTableBit = 2;

// The row of the vocabulary table list that shows this table path; 0 when none.
int FindTableRow(FlexGrid* lstPCT, const QString& path)
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (int r = 1; r < lstPCT->Rows(); ++r) {
        const QString shown = lstPCT->TextMatrix(r, 1);
        if (shown == path || QFileInfo(shown).absoluteFilePath() == wanted)
            return r;
    }
    return 0;
}

// Makes the table of this path the current one, shown in the item list.
void SelectTable(FrmPhraseMgr& mgr, const QString& selected)
{
    if (selected.isEmpty() || !mgr.lstPCT)
        return;
    // The table is found by its path: the list need not hold the tables in the saved order.
    const int row = FindTableRow(mgr.lstPCT, selected);
    if (row == 0)
        return;
    mgr.SetRowSelected(mgr.lstPCT, row);
    mgr.DrawRowSelected(mgr.lstPCT);
    mgr.lstPCT->setRow(row);
    giCurPCT = static_cast<int16_t>(row - 1);
    mgr.PopulatePhraseList(mgr.lstPhrase);
}

void ReadTableLines(ProjectReader& file, int count)
{
    FrmPhraseMgr& mgr = frmPhraseMgr();
    QString selected;
    QStringList fields;
    for (int i = 1; i <= count && file.NextRow(4, fields); ++i) {
        const QString path = fields.value(1);
        if (!QFileInfo::exists(path)) {
            MsgBox(LoadResString(1004) + QStringLiteral(":") + path, vbOKOnly + vbQuestion);
            continue;
        }
        if (fields.value(2) == kTableMark)
            selected = path;
    }
    SelectTable(mgr, selected);
}

// The rows of the vocabulary manager's table list; read from the loaded tables while the
// manager was never opened, so that saving a project does not open it.
QList<TableRowState> TableRowsToSave()
{
    if (!IsFormLoaded<FrmPhraseMgr>())
        return LoadedTableRows();
    FrmPhraseMgr& mgr = frmPhraseMgr();
    QList<TableRowState> rows;
    for (int r = 1; mgr.lstPCT && r < mgr.lstPCT->Rows(); ++r)
        rows.push_back({mgr.lstPCT->TextMatrix(r, 1), mgr.lstPCT->RowData(r)});
    return rows;
}

class TableMarkProjectPartImpl : public ProjectPart {
public:
    void Save(ProjectWriter& file) override
    {
        const QList<TableRowState> rows = TableRowsToSave();
        const int tables = static_cast<int>(rows.size());
        file.HeaderCount(tables);
        for (int i = 1; i <= tables; ++i) {
            const TableRowState& row = rows.at(i - 1);
            file.TableLine(ProjectLine({ProjectNumber(i), ProjectText(row.path),
                                        ProjectText((row.flags & kCurrentTableBit) ? kTableMark : QString()),
                                        ProjectNumber(row.flags)}));
        }
    }

    void ShowHeader(ProjectReader& file) override { m_count = file.HeaderCount(); }
    void ShowTables(ProjectReader& file) override { ReadTableLines(file, m_count); }

    // The current table comes back only where a project read changed it.
    std::unique_ptr<KeptProjectPart> Keep() override
    {
        QString current;
        for (const TableRowState& row : TableRowsToSave())
            if (row.flags & kCurrentTableBit)
                current = row.path;
        return std::make_unique<KeptProjectPart>([current, index = giCurPCT] {
            if (!IsFormLoaded<FrmPhraseMgr>() || giCurPCT == index)
                return;
            SelectTable(frmPhraseMgr(), current);
        });
    }

private:
    int m_count = 0;
};

} // namespace

std::unique_ptr<ProjectPart> TableMarkProjectPart() { return std::make_unique<TableMarkProjectPartImpl>(); }
