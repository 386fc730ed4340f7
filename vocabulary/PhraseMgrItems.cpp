// Editing the items of the current table: add, modify, import, copy, paste, and deleting
// tables or items.
#include "vocabulary/frmPhraseMgr.h"

#include "core/FileGrid.h"
#include "core/Err.h"
#include "core/Log.h"
#include "core/mTezC.h"
#include "platform/FlexGrid.h"
#include "platform/KeyCodes.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"
#include "vocabulary/ItemPairText.h"
#include "core/LoadedTableList.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "core/PhraseText.h"
#include "vocabulary/dlgPhraseEdit.h"

void FrmPhraseMgr::ModifyItem()
{
    FocusList(lstPhrase);
    if (lstPhrase->Rows() <= 1 || !HasCurrentTable())
        return;
    const int row = lstPhrase->Row();
    if (row < 1)
        return;
    DlgPhraseEdit::strFrom = lstPhrase->TextMatrix(row, 1);
    DlgPhraseEdit::strTo = lstPhrase->TextMatrix(row, 2);
    DlgPhraseEdit::spct = giCurPCT;
    if (dlgPhraseEdit().LoadForm()) {
        const QString simp = DlgPhraseEdit::strFrom;
        const QString trad = DlgPhraseEdit::strTo;
        const QByteArray simp8 = TermToBytesOrThrow(simp);
        const QByteArray trad8 = TermToBytesOrThrow(trad);
        const int32_t r = _TezPCTModifyItem(ghPCT[giCurPCT], row - 1, trad8.constData(), simp8.constData());
        if (r != 0)
            RaiseLibraryFailure("_TezPCTModifyItem", r);
        lstPhrase->setTextMatrix(row, 1, simp);
        lstPhrase->setTextMatrix(row, 2, trad);
    }
    lstPhrase_GotFocus();
}

void FrmPhraseMgr::AddItem()
{
    if (lstPCT->Rows() <= 1 || !HasCurrentTable())
        return;
    FocusList(lstPhrase);

    // A blank row takes the place of the selected item while the dialog is up.
    if (lstPhrase->Rows() <= 1) {
        lstPhrase->AddItem(QString(), 1);
        lstPhrase->setRow(1);
    } else {
        lstPhrase->AddItem(QString(), std::max(1, lstPhrase->Row()));
        lstPhrase->setRow(std::max(1, lstPhrase->Row()));
    }
    const int row = lstPhrase->Row();
    auto removeBlankRow = [this, row] { lstPhrase->RemoveItem(row); };

    DlgPhraseEdit::strFrom.clear();
    DlgPhraseEdit::strTo.clear();
    DlgPhraseEdit::spct = giCurPCT;
    if (!dlgPhraseEdit().LoadForm()) {
        removeBlankRow();
        lstPhrase_GotFocus();
        return;
    }

    const QString simp = DlgPhraseEdit::strFrom;
    const QString trad = DlgPhraseEdit::strTo;
    const int32_t index = row - 1;
    const int32_t hPct = ghPCT[giCurPCT];
    const std::optional<QByteArray> simp8 = TermToBytes(simp);
    const std::optional<QByteArray> trad8 = simp8 ? TermToBytes(trad) : std::nullopt;
    if (!simp8 || !trad8) {
        removeBlankRow();
        Err().Raise(errInvalidCall, QStringLiteral("_TezConvertStringUD: ") + simp + QStringLiteral(" / ") + trad);
    }
    const int32_t r = _TezPCTInsertItem(hPct, index, trad8->constData(), simp8->constData(), 1);
    if (r != 0) {
        removeBlankRow();
        RaiseLibraryFailure("_TezPCTInsertItem", r);
    }
    _TezPCTEnableItem(hPct, index, -1);
    lstPhrase->setTextMatrix(row, 1, simp);
    lstPhrase->setTextMatrix(row, 2, trad);
    lstPhrase->setRowData(row, kRowInUse);
    DrawCellPicture(lstPhrase, row);
    lstPhrase_GotFocus();
}

void FrmPhraseMgr::ImportItems(const QString& fileName, FlexGrid* lst)
{
    FocusList(lst);
    RedrawOff redraw(lst);
    MousePointerKeeper hourglass(vbHourglass);
    if (!HasCurrentTable())
        return;
    const int32_t hPct = ghPCT[giCurPCT];
    int32_t index = lst->Rows() > 1 ? std::max(0, lst->Row()) : 0;

    int32_t imported = 0;
    const int32_t r = _TezPCTImport(hPct, index, PathToBytes(fileName).constData(), &imported);
    QString failure;
    if (r == TEZ_ERR_FORMAT) {
        // Not a table file: a text file of term pairs.
        int skipped = 0;
        for (const ItemPair& pair : ReadItemPairFile(fileName)) {
            const std::optional<QByteArray> simp8 = TermToBytes(pair.Simp);
            const std::optional<QByteArray> trad8 = simp8 ? TermToBytes(pair.Trad) : std::nullopt;
            if (!simp8 || !trad8 || _TezPCTInsertItem(hPct, index, trad8->constData(), simp8->constData(), 1) != 0) {
                ++skipped;
                continue;
            }
            ++index;
        }
        if (skipped > 0)
            failure = fileName + QStringLiteral(": ") + QString::number(skipped) + QStringLiteral(" pairs not inserted");
    } else if (r != 0) {
        failure = fileName + QStringLiteral(": _TezPCTImport ") + ReturnText(r);
    }

    // Show the current table as it is now, whatever row the table list's cursor is on.
    int32_t row = GetRowSelected(lstPCT);
    if (row < 1)
        row = giCurPCT + 1;
    lstPCT->setRow(row);
    lstPCT_DblClick();
    lstPhrase_GotFocus();

    if (!failure.isEmpty()) {
        Err().Set(errInvalidCall, failure);
        ErrorLog(QStringLiteral("ImportItems"));
    }
}

void FrmPhraseMgr::CopyItems(FlexGrid* lst)
{
    if (lst->Rows() < 2)
        return;
    FocusList(lst);
    const RowBlock block = SelectedBlock(lst);
    RedrawOff redraw(lst);
    colCopiedItems.clear();
    for (int i = block.first; i <= block.last; ++i)
        colCopiedItems << QString::number(lst->RowData(i)) + QStringLiteral(",\t") + lst->TextMatrix(i, 1)
                              + QStringLiteral("\t") + lst->TextMatrix(i, 2);
    SelectRows(lst, block.first, block.last);
}

void FrmPhraseMgr::PasteItems()
{
    if (lstPCT->Rows() < 2 || !HasCurrentTable())
        return;
    if (colCopiedItems.isEmpty()) {
        MsgBox(LoadResString(4024), vbOKOnly, LoadResString(8009));
        return;
    }
    FocusList(lstPhrase);
    const int32_t hPct = ghPCT[giCurPCT];
    {
        RedrawOff redraw(lstPhrase);
        const bool wasEmpty = lstPhrase->Rows() <= 1;
        if (wasEmpty)
            lstPhrase->setRow(0);
        for (qsizetype k = colCopiedItems.size() - 1; k >= 0; --k) {
            const QString& entry = colCopiedItems.at(k);
            const qsizetype comma = entry.indexOf(QLatin1Char(','));
            const int32_t word = entry.left(comma).toInt();
            const QString rowText = entry.mid(comma + 1);
            const QStringList fields = rowText.split(QLatin1Char('\t'));
            const int pos = wasEmpty ? lstPhrase->Row() + 1 : std::max(1, lstPhrase->Row());

            // The table takes the item first; the grid shows only what the table holds.
            const QByteArray simp8 = TermToBytesOrThrow(fields.value(1));
            const QByteArray trad8 = TermToBytesOrThrow(fields.value(2));
            const int32_t r = _TezPCTInsertItem(hPct, pos - 1, trad8.constData(), simp8.constData(), word);
            if (r != 0)
                RaiseLibraryFailure("_TezPCTInsertItem", r);
            lstPhrase->AddItem(rowText, pos);
            lstPhrase->setRowData(pos, word);
            DrawCellPicture(lstPhrase, pos);
        }
    }
    lstPhrase_GotFocus();
}

void FrmPhraseMgr::DeleteItems()
{
    FlexGrid* lst = CurrentList;
    if (!lst || lst->Rows() < 2)
        return;
    const RowBlock block = SelectedBlock(lst);
    if (block.first < 1)
        return;

    if (CurrentListKind == QLatin1String("PCT")) {
        const int32_t marked = GetRowSelected(lstPCT);
        if (marked >= block.first && marked <= block.last && lstPhrase->Rows() > 1)
            EmptyList(lstPhrase);
        for (int i = block.last; i >= block.first; --i) {
            _TezUnloadPCT(ghStmt, ghPCT[i - 1]);
            RemoveTableEntry(i - 1);
        }
    } else {
        if (!HasCurrentTable())
            return;
        const int32_t r = _TezPCTDelItem(ghPCT[giCurPCT], block.first - 1, block.last - block.first + 1);
        if (r != 0)
            RaiseLibraryFailure("_TezPCTDelItem", r);
    }
    FileListDeleteRows(lst, vbKeyDelete, 0, true);
    SaveTableList();
}
