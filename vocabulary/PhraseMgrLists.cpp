// The two lists of the vocabulary manager: filling them from the library, opening a table
// file into the table list, the status pictures and the current-table mark.
#include "vocabulary/frmPhraseMgr.h"

#include "core/FileUtil.h"
#include "core/Log.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "platform/App.h"
#include "platform/FlexGrid.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "resources/Pictures.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "core/TableListFile.h"
#include "core/UnreadableLines.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "core/PhraseText.h"

#include <QFileInfo>

namespace {
void ShowTableRefused(const QString& path, int32_t result)
{
    MsgBox(TableRefusedText(path, result), vbCritical, frmMain().Caption());
}
} // namespace

int16_t FrmPhraseMgr::PopulatePCTList(FlexGrid* lst)
{
    if (glPCTCount <= 0)
        return 0;
    EnsureTableRoom();
    lst->setRows(glPCTCount + 1);
    for (int32_t i = 0; i < glPCTCount; ++i) {
        const int r = i + 1;
        lst->setTextMatrix(r, 1, PCTGetPath(ghPCT[i]));
        int32_t status = 0;
        _TezGetPCTStatus(ghPCT[i], &status);
        glPCTStatus[i] = status;
        lst->setRowData(r, PCTStatusInUse(status) ? kRowInUse : 0);
        DrawCellPicture(lst, r);
    }
    giCurPCT = 0;
    SetRowSelected(lst, 1);
    // The table cursor starts on the current table, which commands on the cursor row (save
    // under another name) then address.
    SelectRows(lst, 1, 1);
    return static_cast<int16_t>(glPCTCount);
}

void FrmPhraseMgr::PopulatePhraseList(FlexGrid* lst)
{
    RedrawOff redraw(lst);
    MousePointerKeeper hourglass(vbHourglass);

    lst->setRows(1);
    int32_t count = 0;
    if (HasCurrentTable())
        _TezPCTGetItemNum(ghPCT[giCurPCT], &count);
    if (count > 0) {
        const int32_t hPct = ghPCT[giCurPCT];
        lst->setRows(count + 1);
        for (int32_t i = 1; i <= count; ++i) {
            const PCTItem item = PCTGetItem(hPct, i - 1);
            lst->setTextMatrix(i, 1, item.Simp);
            lst->setTextMatrix(i, 2, item.Trad);
            lst->setRowData(i, item.Status);
            DrawCellPicture(lst, i);
        }
        SelectRows(lst, 1, 1);
    }

    // The table list's mark always names the table whose items are shown.
    if (lst == lstPhrase && HasCurrentTable() && lstPCT->Rows() > giCurPCT + 1 && GetRowSelected(lstPCT) != giCurPCT + 1)
        SetRowSelected(lstPCT, giCurPCT + 1);
}

int16_t FrmPhraseMgr::AddPCTFile(const QString& path, FlexGrid* lst)
{
    for (int r = 1; r < lst->Rows(); ++r) {
        if (SameFilePath(lst->TextMatrix(r, 1), path)) {
            const QFileInfo file(path);
            MsgBox((file.exists() ? file.fileName() : QString()) + LoadResString(1006), vbOKOnly, AppTitle());
            return -2;
        }
    }
    // A path the library's path buffer cannot hold back would be cut later: refuse it now.
    if (!PCTPathFits(path)) {
        ShowTableRefused(path, TEZ_ERR_ARG);
        return -1;
    }

    EnsureTableRoom();
    int32_t hPct = 0;
    const int32_t r = _TezLoadPCT(ghStmt, PathToBytes(path).constData(), &hPct);
    if (r == TEZ_ERR_LIMIT) {
        MsgBox(LoadResString(1003), vbCritical, frmMain().Caption());
        return -1;
    }
    if (r != 0 && r != TEZ_WARN_PARTIAL) {
        ShowTableRefused(path, r);
        return -1;
    }

    const int32_t n = glPCTCount;
    ghPCT[n] = hPct;
    glPCTStatus[n] = 1;
    glPCTCount = n + 1;
    EnsureTableRoom();
    giCurPCT = static_cast<int16_t>(n);

    const int row = n + 1;
    lst->setRows(row + 1);
    lst->setTextMatrix(row, 1, path);
    lst->setRowData(row, kRowInUse);
    _TezSetPCTStatus(hPct, 1);
    DrawCellPicture(lst, row);
    SetRowSelected(lst, row);
    ForgetKeptListLine(path);
    TellUnreadableLines(hPct, LoadResString(8009));
    return 0;
}

void FrmPhraseMgr::DrawCellPicture(FlexGrid* lst, int32_t row)
{
    if (lst->Rows() < 2)
        return;
    lst->setRow(row);
    lst->setCol(0);
    const bool inUse = (lst->RowData(row) & kRowInUse) != 0;
    int picture = inUse ? ResPicActive : ResPicInactive;
    if (lst->Name() == QLatin1String("lstPCT") && row - 1 < static_cast<int32_t>(glPCTStatus.size())) {
        const int32_t status = glPCTStatus[row - 1];
        if (inUse && status == 3)
            picture = ResPicLocked;
        else if (!inUse && status == 2)
            picture = ResPicLockedInactive;
    }
    lst->setCellPicture(LoadResPicture(picture));
    lst->setCellPictureAlignment(flexAlignCenterCenter);
}

void FrmPhraseMgr::DrawRowSelected(FlexGrid* lst)
{
    if (lst->Rows() < 2)
        return;
    RedrawOff redraw(lst);
    const int row = lst->Row();
    const int rowSel = lst->RowSel();
    for (int r = 1; r < lst->Rows(); ++r) {
        const bool marked = (lst->RowData(r) & kRowCurrentMark) != 0;
        for (int c = 0; c < lst->Cols(); ++c) {
            lst->setRow(r);
            lst->setCol(c);
            lst->setCellFontBold(marked);
        }
    }
    // The selection stays what it was, over whole rows.
    SelectRows(lst, row, rowSel);
}

void FrmPhraseMgr::SetRowSelected(FlexGrid* lst, int32_t row)
{
    if (lst->Rows() < 2)
        return;
    for (int r = 1; r < lst->Rows(); ++r)
        lst->setRowData(r, lst->RowData(r) & ~kRowCurrentMark);
    lst->setRowData(row, lst->RowData(row) | kRowCurrentMark);
    DrawRowSelected(lst);
    lst->setTopRow(row);
}

int32_t FrmPhraseMgr::GetRowSelected(FlexGrid* lst)
{
    try {
        for (int r = 1; r < lst->Rows(); ++r)
            if (lst->RowData(r) & kRowCurrentMark)
                return r;
    } catch (...) {
        ErrorLog(QStringLiteral("GetRowSelected"));
        return 0;
    }
    return -1;
}

void FrmPhraseMgr::EmptyList(FlexGrid* lst)
{
    RedrawOff redraw(lst);
    lst->setRows(1);
}
