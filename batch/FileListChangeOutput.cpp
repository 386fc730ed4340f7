#include "batch/FileListChangeOutput.h"

#include "batch/OutputConflicts.h"
#include "batch/frmChangeOutput.h"
#include "core/FileGrid.h"
#include "core/FileRowFlags.h"
#include "core/SuspendedRedraw.h"
#include "platform/FlexGrid.h"

#include <QPixmap>

void FileListChangeOutput(FlexGrid* grid, bool showAddTag, ListedRows rows)
{
    const int row = grid->Row();
    if (row < 1)
        return;
    grid->setCol(2);
    FrmChangeOutput::InputPath = grid->Text();
    grid->setCol(3);
    FrmChangeOutput::path = grid->Text();
    FrmChangeOutput::addTag = (grid->RowData(row) & FileRowAddTag) != 0;
    FrmChangeOutput::showAddTag = showAddTag;
    FrmChangeOutput::folderRow = rows == ListedRows::Folders;
    FrmChangeOutput::otherInputs = RowInputs(grid, row);
    frmChangeOutput().OpenForm();
    if (FrmChangeOutput::path.isEmpty())
        return;

    grid->setTextMatrix(row, 3, FrmChangeOutput::path);
    const int32_t word = grid->RowData(row);
    grid->setRowData(row, FrmChangeOutput::addTag ? (word | FileRowAddTag) : (word & ~FileRowAddTag));
    // A changed row is handled again by the next run.
    if (word & FileRowProcessed) {
        SuspendedRedraw redraw(grid);
        grid->setRowData(row, grid->RowData(row) & ~FileRowProcessed);
        SetCellPicture(grid, row, 0, QPixmap());
    }
}
