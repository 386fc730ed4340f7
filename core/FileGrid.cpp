#include "core/FileGrid.h"

#include "core/Log.h"
#include "platform/KeyCodes.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// Makes row the current row, column 0, with the selection across the whole row.
void SelectWholeRow(FlexGrid* grid, int row)
{
    grid->setRow(row);
    grid->setCol(0);
    grid->setColSel(grid->Cols() - 1);
}

// Header row 0 is fixed exactly while data rows exist.
void FixHeaderWhenRowsRemain(FlexGrid* grid)
{
    if (grid->Rows() >= 2)
        grid->setFixedRows(1);
}

} // namespace

void ClearFG(FlexGrid* grid, bool whole)
{
    if (grid->Rows() < 2)
        return;
    try {
        grid->setRedraw(false);
        grid->setFixedRows(0);
        while (grid->Rows() >= 2)
            grid->RemoveItem(grid->Rows() - 1);
        if (whole)
            grid->RemoveItem(0);
        if (grid->Rows() > 0 && grid->Cols() > 0) {
            SelectWholeRow(grid, 0);
            grid->setRowSel(0);
        }
        grid->setRedraw(true);
    } catch (...) {
        ErrorLog(QStringLiteral("ClearFG"));
        FixHeaderWhenRowsRemain(grid);
        grid->setRedraw(true);
    }
}

int ClearFGQMarkFile(FlexGrid* grid)
{
    if (grid->Rows() < 2)
        return 0;
    try {
        grid->setRedraw(false);
        grid->setFixedRows(0);
        int i = 1;
        while (i < grid->Rows()) {
            if (grid->TextMatrix(i, 0) == QLatin1String("."))
                grid->RemoveItem(i);
            else if (!QFileInfo::exists(grid->TextMatrix(i, 2)))
                grid->RemoveItem(i);
            else
                ++i;
        }
        FixHeaderWhenRowsRemain(grid);
        const int left = grid->Rows() - 1;
        grid->setRedraw(true);
        return left;
    } catch (...) {
        ErrorLog(QStringLiteral("ClearFGQMarkFile"));
        FixHeaderWhenRowsRemain(grid);
        grid->setRedraw(true);
        return 0;
    }
}

void SetCellPicture(FlexGrid* grid, int row, int col, const QPixmap& picture)
{
    grid->setRow(row);
    grid->setCol(col);
    grid->setCellPicture(picture);
    grid->setCellPictureAlignment(flexAlignCenterCenter);
}

void SelectAllRows(FlexGrid* grid)
{
    if (grid->Rows() < 2)
        return;
    grid->setRedraw(false);
    grid->setRow(1);
    grid->setCol(0);
    grid->setRowSel(grid->Rows() - 1);
    grid->setColSel(grid->Cols() - 1);
    grid->setRedraw(true);
}

bool RunListCommand(FlexGrid* grid, const QString& cmd)
{
    if (cmd == QLatin1String("IDM_EDIT_DELETE")) {
        FileListDeleteRows(grid, vbKeyDelete, 0);
    } else if (cmd == QLatin1String("IDM_EDIT_SELECTALL")) {
        SelectAllRows(grid);
    } else if (cmd == QLatin1String("IDM_EDIT_DELETEALL")) {
        SelectAllRows(grid);
        FileListDeleteRows(grid, vbKeyDelete, 0);
    } else {
        return false;
    }
    return true;
}

void FileListDeleteRows(FlexGrid* grid, int keyCode, int shift, bool noRedraw)
{
    if (grid->Row() < 1)
        return;
    if (keyCode != vbKeyDelete)
        return;
    if (!noRedraw)
        grid->setRedraw(false);

    // The header row is never part of the block, whatever RowSel says.
    const int first = std::max(1, std::min(grid->Row(), grid->RowSel()));
    const int last = std::max(grid->Row(), grid->RowSel());
    grid->setFixedRows(0);
    for (int row = last; row >= first; --row)
        grid->RemoveItem(row);

    if (grid->Rows() >= 2) {
        grid->setFixedRows(1);
        SelectWholeRow(grid, std::min(first, grid->Rows() - 1));
    } else {
        SelectWholeRow(grid, 0);
    }
    if (!noRedraw)
        grid->setRedraw(true);
}

void FileListClearDone(FlexGrid* grid)
{
    const bool redraw = grid->Redraw();
    grid->setRedraw(false);
    constexpr int32_t converted = static_cast<int32_t>(0x80000000u);
    for (int r = 1; r < grid->Rows(); ++r) {
        if (!(grid->RowData(r) & converted))
            continue;
        grid->setRowData(r, grid->RowData(r) & ~converted);
        grid->setRow(r);
        grid->setCol(0);
        grid->setCellPicture(QPixmap());
        grid->setCellPictureAlignment(flexAlignCenterCenter);
    }
    grid->setRedraw(redraw);
}
