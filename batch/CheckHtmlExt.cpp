#include "batch/CheckHtmlExt.h"

#include "core/FileGrid.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "core/Log.h"
#include "core/SuspendedRedraw.h"
#include "platform/FlexGrid.h"

void CheckHtmlExt(FlexGrid* grid, const QStringList& list)
{
    if (grid->Rows() < 2)
        return;
    try {
        const SuspendedRedraw redraw(grid);
        for (int r = 1; r < grid->Rows(); ++r) {
            const int32_t word = grid->RowData(r);
            if (word & FileRowText)
                continue;
            grid->setRow(r);
            grid->setCol(2);
            if (IsExtInList(grid->Text(), list, true)) {
                grid->setRowData(r, word | FileRowText);
                SetCellPicture(grid, r, 1, gPicTypeTxt);
            }
        }
    } catch (...) {
        ErrorLog(QStringLiteral("CheckHtmlExt"));
    }
}
