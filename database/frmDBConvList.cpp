// The table list of the database window: listing a source's tables with their output
// names, the output database shown in the list, and renaming one output table.
#include "database/DBConvRun.h"
#include "database/frmDBConv.h"

#include "core/ConvertOptions.h"
#include "core/Err.h"
#include "core/Log.h"
#include "core/SuspendedRedraw.h"
#include "platform/FlexGrid.h"
#include "platform/InputBox.h"
#include "resources/Pictures.h"

int FrmDBConv::RowEntry(int row) const
{
    const int n = lstTables->TextMatrix(row, 4).trimmed().toInt();
    if (row < 1 || n < 1 || n > mcollTbl.size() || n > mcollOutTbl.size())
        Err().Raise(errSubscript);
    return n;
}

void FrmDBConv::DBTableList(FlexGrid* lst, AdoConnection& cnt, const QString& prefix, bool b52gb, bool code,
                            bool phrase, bool l2r)
{
    try {
        SetConvertOption(b52gb, code, phrase, l2r);
        // Every entry is made before the grid changes, so the grid and the lists are
        // replaced together or not at all.
        TableEntries sources;
        TableEntries outputs;
        for (const QString& name : cnt.get().userTables()) {
            sources << TableEntry{mvDB, name};
            outputs << TableEntry{mvOutDB, prefix + ConvertedOrSame(name)};
        }
        if (sources.isEmpty())
            return;
        int32_t flags = 0x20;
        if (b52gb)
            flags |= 0x1;
        if (code)
            flags |= 0x2;
        if (phrase)
            flags |= 0x4;
        if (phrase && l2r)
            flags |= 0x8;
        const QPixmap picture = LoadResPicture(ResPicTypeTxt);
        SuspendedRedraw redraw(lst);
        lst->setRows(1);
        for (int i = 0; i < sources.size(); ++i) {
            const QString n = QStringLiteral(" ") + QString::number(i + 1);
            lst->AddItem(QStringLiteral("\t\t") + sources[i].text() + QStringLiteral("\t") + outputs[i].text()
                         + QStringLiteral("\t") + n);
            const int row = lst->Rows() - 1;
            lst->setRowData(row, flags);
            lst->setRow(row);
            lst->setCol(1);
            lst->setCellPicture(picture);
            lst->setCellPictureAlignment(flexAlignCenterCenter);
        }
        lst->setFixedRows(1);
        mcollTbl = sources;
        mcollOutTbl = outputs;
    } catch (...) {
        ErrorLog(QStringLiteral("frmDBConv_DBTableList"));
    }
}

void FrmDBConv::ChangeOutDB(FlexGrid* lst, const QString& pvOutDB)
{
    try {
        SuspendedRedraw redraw(lst);
        // The output entries follow, so that a project read back shows the output it converts into.
        for (TableEntry& entry : mcollOutTbl)
            entry.database = pvOutDB;
        for (int i = 1; i < lst->Rows(); ++i) {
            const int n = lst->TextMatrix(i, 4).trimmed().toInt();
            const QString table = n >= 1 && n <= mcollOutTbl.size() ? mcollOutTbl[n - 1].table
                                                                     : getTableName(lst->TextMatrix(i, 3));
            lst->setTextMatrix(i, 3, TableEntry{pvOutDB, table}.text());
        }
    } catch (...) {
        ErrorLog(QStringLiteral("frmDBConv_ChangeOutDB"));
    }
}

void FrmDBConv::RenameOutputTable()
{
    const int r = lstTables->Row();
    const int n = RowEntry(r);
    const QString current = mcollOutTbl[n - 1].table;
    const QString answer = InputBox(QStringLiteral("输入新档名:"), QStringLiteral("更改档名"), current);
    if (!answer.trimmed().isEmpty()) {
        const TableEntry entry{mvOutDB, answer};
        lstTables->setTextMatrix(r, 3, entry.text());
        mcollOutTbl[n - 1] = entry;
    }
    lstTables->setRow(r);
    lstTables->setCol(0);
    lstTables->setColSel(lstTables->Cols() - 1);
}
