#include "batch/FileListChangeOutput.h"

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
    frmChangeOutput().OpenForm();
    if (FrmChangeOutput::path.isEmpty())
        return;

    grid->setTextMatrix(row, 3, FrmChangeOutput::path);
    int32_t word = grid->RowData(row);
    word = FrmChangeOutput::addTag ? (word | FileRowAddTag) : (word & ~FileRowAddTag);
    grid->setRowData(row, word);
    // A changed row is handled again by the next run.
    SuspendedRedraw redraw(grid);
    if (word & FileRowProcessed) {
        grid->setRowData(row, word & ~FileRowProcessed);
        SetCellPicture(grid, row, 0, QPixmap());
    }
}
