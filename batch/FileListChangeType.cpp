#include "batch/FileListChangeType.h"

#include "batch/dlgChangeType.h"
#include "core/FileGrid.h"
#include "core/SuspendedRedraw.h"
#include "platform/FlexGrid.h"

namespace {

// The dialog leaves at most one type bit, so the shared picture choice agrees with each
// window's own order of tests.
void ChangeCurrentRowType(FlexGrid* grid, bool (*showDialog)())
{
    const int r = grid->Row();
    // The header row is no file: an empty list offers nothing to change.
    if (r < 1 || r >= grid->Rows())
        return;
    DlgChangeType::lDocType = grid->RowData(r);
    if (!showDialog())
        return;
    grid->setRowData(r, DlgChangeType::lDocType);
    const SuspendedRedraw redraw(grid);
    SetCellPicture(grid, r, 1, RowTypePicture(DlgChangeType::lDocType));
    grid->setRow(r);
    grid->setCol(0);
    grid->setRowSel(r);
    grid->setColSel(grid->Cols() - 1);
}

} // namespace

void FileListChangeTypeDoc(FlexGrid* grid) { ChangeCurrentRowType(grid, &DlgChangeType::ShowDlg); }
void FileListChangeTypeXls(FlexGrid* grid) { ChangeCurrentRowType(grid, &DlgChangeType::ShowDlgXLS); }
void FileListChangeTypePpt(FlexGrid* grid) { ChangeCurrentRowType(grid, &DlgChangeType::ShowDlgPPT); }
void FileListChangeTypeOther(FlexGrid* grid) { ChangeCurrentRowType(grid, &DlgChangeType::ShowDlgHtml); }
void ChangeSpecRowType(FlexGrid* grid) { ChangeCurrentRowType(grid, &DlgChangeType::ShowDlgSpec); }
