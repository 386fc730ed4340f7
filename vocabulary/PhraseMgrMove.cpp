// Moving the selected block of tables or items one row up or down, and putting the selected
// rows in or out of use.
#include "vocabulary/frmPhraseMgr.h"

#include "core/mTezC.h"
#include "platform/FlexGrid.h"
#include "vocabulary/LoadedTableList.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "vocabulary/PhraseText.h"

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

void FrmPhraseMgr::MoveItemUp(FlexGrid* lst)
{
    SaveTableList();
    FocusCurrentList();
    if (!lst || lst->Rows() <= 1)
        return;
    const RowBlock block = SelectedBlock(lst);
    const int first = block.first;
    const int last = block.last;
    if (first <= 1)
        return;
    const bool tables = lst == lstPCT;
    if (!tables && !HasCurrentTable())
        return;

    const RowContent kept = TakeRow(lst, first - 1);
    // The item above the block (index first - 2) goes below it, in the table first: nothing
    // moves on screen unless the table took the change.
    if (!tables)
        MoveTableItem(ghPCT[giCurPCT], last, first - 2, kept);

    RedrawOff redraw(lst);
    int32_t keptHandle = 0;
    int32_t keptStatus = 0;
    if (tables) {
        keptHandle = ghPCT[first - 2];
        keptStatus = glPCTStatus[first - 2];
    }
    for (int i = first; i <= last; ++i) {
        PutRow(lst, i - 1, TakeRow(lst, i));
        if (tables) {
            ghPCT[i - 2] = ghPCT[i - 1];
            glPCTStatus[i - 2] = glPCTStatus[i - 1];
        }
        DrawCellPicture(lst, i - 1);
    }
    PutRow(lst, last, kept);
    if (tables) {
        ghPCT[last - 1] = keptHandle;
        glPCTStatus[last - 1] = keptStatus;
    }
    DrawCellPicture(lst, last);

    if (tables) {
        if (giCurPCT >= first - 1 && giCurPCT <= last - 1)
            --giCurPCT;
        else if (giCurPCT == first - 2)
            giCurPCT = static_cast<int16_t>(last - 1);
    }
    SelectRows(lst, first - 1, last - 1);
}

void FrmPhraseMgr::MoveItemDown(FlexGrid* lst)
{
    SaveTableList();
    FocusCurrentList();
    if (!lst || lst->Rows() <= 1)
        return;
    const RowBlock block = SelectedBlock(lst);
    const int first = block.first;
    const int last = block.last;
    if (last == lst->Rows() - 1)
        return;
    const bool tables = lst == lstPCT;
    if (!tables && !HasCurrentTable())
        return;

    const RowContent kept = TakeRow(lst, last + 1);
    // The item below the block (index last) goes above it.
    if (!tables)
        MoveTableItem(ghPCT[giCurPCT], first - 1, last + 1, kept);

    RedrawOff redraw(lst);
    int32_t keptHandle = 0;
    int32_t keptStatus = 0;
    if (tables) {
        keptHandle = ghPCT[last];
        keptStatus = glPCTStatus[last];
    }
    for (int i = last; i >= first; --i) {
        PutRow(lst, i + 1, TakeRow(lst, i));
        if (tables) {
            ghPCT[i] = ghPCT[i - 1];
            glPCTStatus[i] = glPCTStatus[i - 1];
        }
        DrawCellPicture(lst, i + 1);
    }
    PutRow(lst, first, kept);
    if (tables) {
        ghPCT[first - 1] = keptHandle;
        glPCTStatus[first - 1] = keptStatus;
    }
    DrawCellPicture(lst, first);

    if (tables) {
        if (giCurPCT >= first - 1 && giCurPCT <= last - 1)
            ++giCurPCT;
        else if (giCurPCT == last)
            giCurPCT = static_cast<int16_t>(first - 1);
    }
    SelectRows(lst, first + 1, last + 1);
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
