// Moving the selected block of tables or items one row up or down, and putting the selected
// rows in or out of use.
#include "vocabulary/frmPhraseMgr.h"

#include "core/mTezC.h"
#include "platform/FlexGrid.h"
#include "core/LoadedTableList.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "core/PhraseText.h"

#include <QStringList>

namespace {
// A grid row's texts (columns 1 on) and its row word.
struct RowContent {
    QStringList texts;
    int32_t word = 0;
};

RowContent TakeRow(const FlexGrid* lst, int row)
{
    RowContent content;
    for (int c = 1; c < lst->Cols(); ++c)
        content.texts << lst->TextMatrix(row, c);
    content.word = lst->RowData(row);
    return content;
}

void PutRow(FlexGrid* lst, int row, const RowContent& content)
{
    for (int c = 1; c < lst->Cols(); ++c)
        lst->setTextMatrix(row, c, content.texts.value(c - 1));
    lst->setRowData(row, content.word);
}

// Moves one item of a table: a copy goes in at index `insertAt` first, then the item is
// deleted at `deleteAt` (both counted in the table as it is at that moment). The terms are
// converted before anything changes, and the item is deleted only once its copy is in, so a
// refused step leaves the table as it was. Throws when the move could not be made.
void MoveTableItem(int32_t hPct, int32_t insertAt, int32_t deleteAt, const RowContent& item)
{
    const QByteArray simp = TermToBytesOrThrow(item.texts.value(0));
    const QByteArray trad = TermToBytesOrThrow(item.texts.value(1));
    const int32_t inserted = _TezPCTInsertItem(hPct, insertAt, trad.constData(), simp.constData(), item.word);
    if (inserted != 0)
        RaiseLibraryFailure("_TezPCTInsertItem", inserted);
    const int32_t deleted = _TezPCTDelItem(hPct, deleteAt, 1);
    if (deleted != 0) {
        _TezPCTDelItem(hPct, insertAt, 1);
        RaiseLibraryFailure("_TezPCTDelItem", deleted);
    }
}
} // namespace

void FrmPhraseMgr::MoveItemUp(FlexGrid* lst) { MoveSelectedBlock(lst, -1); }

void FrmPhraseMgr::MoveItemDown(FlexGrid* lst) { MoveSelectedBlock(lst, 1); }

void FrmPhraseMgr::MoveSelectedBlock(FlexGrid* lst, int step)
{
    SaveTableList();
    FocusCurrentList();
    if (!lst || lst->Rows() <= 1)
        return;
    const RowBlock block = SelectedBlock(lst);
    const int first = block.first;
    const int last = block.last;
    const bool up = step < 0;
    if (up ? first <= 1 : last == lst->Rows() - 1)
        return;
    const bool tables = lst == lstPCT;
    if (!tables && !HasCurrentTable())
        return;

    // The row beyond the block on the side it moves to, and the row it lands on.
    const int keptRow = up ? first - 1 : last + 1;
    const int keptTarget = up ? last : first;
    const RowContent kept = TakeRow(lst, keptRow);
    // That item goes to the block's other end in the table first: nothing moves on screen
    // unless the table took the change. Going up, its copy goes in below the block (index
    // last) and the item goes at index first - 2; going down, its copy goes in above the
    // block (index first - 1) and the item, now one index further, goes at index last + 1.
    if (!tables) {
        if (up)
            MoveTableItem(ghPCT[giCurPCT], last, first - 2, kept);
        else
            MoveTableItem(ghPCT[giCurPCT], first - 1, last + 1, kept);
    }

    RedrawOff redraw(lst);
    int32_t keptHandle = 0;
    int32_t keptStatus = 0;
    if (tables) {
        keptHandle = ghPCT[keptRow - 1];
        keptStatus = glPCTStatus[keptRow - 1];
    }
    // Each block row moves one step, starting with the one next to the kept row.
    for (int n = 0; n <= last - first; ++n) {
        const int i = up ? first + n : last - n;
        PutRow(lst, i + step, TakeRow(lst, i));
        if (tables) {
            ghPCT[i + step - 1] = ghPCT[i - 1];
            glPCTStatus[i + step - 1] = glPCTStatus[i - 1];
        }
        DrawCellPicture(lst, i + step);
    }
    PutRow(lst, keptTarget, kept);
    if (tables) {
        ghPCT[keptTarget - 1] = keptHandle;
        glPCTStatus[keptTarget - 1] = keptStatus;
    }
    DrawCellPicture(lst, keptTarget);

    if (tables) {
        if (giCurPCT >= first - 1 && giCurPCT <= last - 1)
            giCurPCT = static_cast<int16_t>(giCurPCT + step);
        else if (giCurPCT == keptRow - 1)
            giCurPCT = static_cast<int16_t>(keptTarget - 1);
    }
    SelectRows(lst, first + step, last + step);
}

void FrmPhraseMgr::ActiveItem(FlexGrid* lst, bool bActive)
{
    FocusCurrentList();
    if (!lst || lst->Rows() <= 1)
        return;
    const bool tables = lst == lstPCT;
    if (!tables && !HasCurrentTable())
        return;
    const RowBlock block = SelectedBlock(lst);
    RedrawOff redraw(lst);
    for (int i = block.first; i <= block.last; ++i) {
        const int32_t word = bActive ? (lst->RowData(i) | kRowInUse) : (lst->RowData(i) & ~kRowInUse);
        lst->setRowData(i, word);
        if (tables) {
            const int32_t old = glPCTStatus[i - 1];
            const int32_t status = PCTStatusLocked(old) ? (bActive ? 3 : 2) : (bActive ? 1 : 0);
            glPCTStatus[i - 1] = status;
            _TezSetPCTStatus(ghPCT[i - 1], status);
        } else {
            _TezPCTEnableItem(ghPCT[giCurPCT], i - 1, (word & kRowInUse) ? -1 : 0);
        }
        DrawCellPicture(lst, i);
    }
    SelectRows(lst, block.first, block.last);
}
