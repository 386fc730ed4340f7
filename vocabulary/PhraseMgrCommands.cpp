// The vocabulary manager's command handler and the commands it carries out itself: open,
// create and save tables, import items, delete, and the hand-over to the search, detection
// and merge dialogs.
#include "vocabulary/frmPhraseMgr.h"

#include "core/StatusText.h"
#include "core/Log.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "platform/CommonDialog.h"
#include "platform/FlexGrid.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "core/PhraseText.h"
#include "vocabulary/dlgMergePCT.h"
#include "vocabulary/dlgNewPCT.h"
#include "vocabulary/dlgPhraseDetectDir.h"
#include "vocabulary/dlgDetectPhrase.h"
#include "vocabulary/dlgSearchPhrase.h"

namespace {
const QString kOpenTableFilter = QStringLiteral("All Files (*.*)|*.*|PCT Files(*.pct)|*.pct");
const QString kImportFilter = QStringLiteral("All Files (*.*)|*.*|PCT Files(*.txt;*.pct)|*.txt;*.pct");
const QString kNewTableCaption = QStringLiteral("新增词汇表");

// The edit command a context-menu command stands for ("" when it is none).
QString TwinOfContextCommand(const QString& cmd)
{
    static const QHash<QString, QString> twins = {
        {"IDM_PCT_RIGHTMOUSE_ACTIVE", "IDM_EDIT_ACTIVE"},    {"IDM_PCT_RIGHTMOUSE_DEACTIVE", "IDM_EDIT_DEACTIVE"},
        {"IDM_PCT_RIGHTMOUSE_MOVEDOWN", "IDM_EDIT_MOVEDOWN"}, {"IDM_PCT_RIGHTMOUSE_MOVEUP", "IDM_EDIT_MOVEUP"},
        {"IDM_ITEM_RIGHTMOUSE_ACTIVE", "IDM_EDIT_ACTIVE"},   {"IDM_ITEM_RIGHTMOUSE_ADD", "IDM_EDIT_ADDITEM"},
        {"IDM_ITEM_RIGHTMOUSE_DEACTIVE", "IDM_EDIT_DEACTIVE"}, {"IDM_ITEM_RIGHTMOUSE_MODIFY", "IDM_EDIT_MODIFY"},
    };
    return twins.value(cmd);
}

void PrepareFileDialog(CommonDialog& dialog, const QString& filter, int flags)
{
    dialog.FileName.clear();
    dialog.Flags = flags;
    dialog.Filter = filter;
    dialog.FilterIndex = 2;
}
} // namespace

void FrmPhraseMgr::MenuProc(const QString& cmd)
{
    MousePointerKeeper hourglass(vbHourglass);
    bool refresh = true;
    try {
        SaveTableList();
        if (cmd == QLatin1String("IDM_FILE_NEWPCT"))
            refresh = NewPCTCommand();
        else
            RunCommand(cmd);
    } catch (...) {
        ErrorLog(QStringLiteral("MenuProc"));
    }
    if (!refresh)
        return;
    try {
        RefreshToolbars();
        SaveTableList();
    } catch (...) {
        ErrorLog(QStringLiteral("MenuProc"));
    }
}

void FrmPhraseMgr::RunCommand(const QString& cmd)
{
    if (cmd == QLatin1String("IDM_FILE_OPEN")) {
        OpenPCTCommand();
    } else if (cmd == QLatin1String("IDM_FILE_SAVEPCT")) {
        SavePCTCommand();
    } else if (cmd == QLatin1String("IDM_FILE_ITEMINSERT")) {
        ImportCommand();
    } else if (cmd == QLatin1String("IDM_EDIT_MOVEUP")) {
        MoveItemUp(CurrentList);
        DrawRowSelected(lstPCT);
    } else if (cmd == QLatin1String("IDM_EDIT_MOVEDOWN")) {
        MoveItemDown(CurrentList);
        DrawRowSelected(lstPCT);
    } else if (cmd == QLatin1String("IDM_EDIT_ACTIVE")) {
        ActiveItem(CurrentList, true);
    } else if (cmd == QLatin1String("IDM_EDIT_DEACTIVE")) {
        ActiveItem(CurrentList, false);
    } else if (cmd == QLatin1String("IDM_EDIT_DELETE")) {
        DeleteCommand(false);
    } else if (cmd == QLatin1String("IDM_EDIT_DELETEALL")) {
        DeleteCommand(true);
    } else if (cmd == QLatin1String("IDM_EDIT_ADDITEM")) {
        AddItem();
    } else if (cmd == QLatin1String("IDM_EDIT_MODIFY")) {
        ModifyItem();
    } else if (cmd == QLatin1String("IDM_EDIT_COPY")) {
        CopyItems(lstPhrase);
    } else if (cmd == QLatin1String("IDM_EDIT_INSERT")) {
        PasteItems();
    } else if (cmd == QLatin1String("IDM_EDIT_DETECT")) {
        DetectPhrase();
    } else if (cmd == QLatin1String("IDM_EDIT_SEARCH")) {
        SearchPhrase();
    } else if (cmd == QLatin1String("IDM_EDIT_REPLACE")) {
        ReplacePhrase();
    } else if (cmd == QLatin1String("IDM_EDIT_MERGE")) {
        MergePCT();
    } else if (const QString twin = TwinOfContextCommand(cmd); !twin.isEmpty()) {
        MenuProc(twin);
    }
}

void FrmPhraseMgr::RefreshToolbars()
{
    // The update of the active list runs last, so its settings of shared items stay.
    if (CurrentListKind == QLatin1String("PCT")) {
        UpdatePhraseToolbar();
        UpdatePCTToolbar();
    } else {
        UpdatePCTToolbar();
        UpdatePhraseToolbar();
    }
}

int32_t FrmPhraseMgr::SaveTableList()
{
    // A list that start-up could not load is not the library's list: never write it back.
    if (!gbPCTListLoaded)
        return 0;
    return _TezSaveLST(ghStmt, PathToBytes(TableListPath()).constData());
}

void FrmPhraseMgr::OpenPCTCommand()
{
    PrepareFileDialog(*dlgOpen, kOpenTableFilter, cdlOFNHideReadOnly);
    dlgOpen->ShowOpen();
    if (dlgOpen->FileName.isEmpty())
        return;
    const int16_t r = AddPCTFile(dlgOpen->FileName, lstPCT);
    if (r == -1)
        return;
    if (r == 0) {
        const int answer = MsgBox(QStringLiteral("您正添加之词汇表是否为专有名词词汇表?"), vbYesNo + vbDefaultButton2, frmMain().Caption());
        if (answer == vbYes)
            MakeNewTableLocked();
    }
    PopulatePhraseList(lstPhrase);
}

void FrmPhraseMgr::MakeNewTableLocked()
{
    lstPCT_GotFocus();
    const int32_t last = glPCTCount - 1;
    glPCTStatus[last] = 3;
    _TezSetPCTStatus(ghPCT[last], 3);
    for (int32_t i = 0; i <= glPCTCount - 2; ++i) {
        lstPCT->setRow(glPCTCount - i);
        lstPCT->setRowSel(glPCTCount - i);
        MoveItemUp(lstPCT);
    }
    DrawRowSelected(lstPCT);
    giCurPCT = 0;
    DrawCellPicture(lstPCT, 1);
    lstPCT->setRow(1);
    lstPCT->setRowSel(1);
}

bool FrmPhraseMgr::NewPCTCommand()
{
    if (!dlgNewPCT().ShowDlg())
        return true;
    const QString path = DlgNewPCT::PCTName;
    const bool locked = DlgNewPCT::bLockPCT;
    if (!PCTPathFits(path)) {
        MsgBox(TableRefusedText(path, TEZ_ERR_ARG), vbCritical, kNewTableCaption);
        return true;
    }

    const QByteArray pathBytes = PathToBytes(path);
    int32_t hPct = 0;
    const int32_t r = _TezNewPCT(ghStmt, pathBytes.constData(), &hPct);
    if (r == TEZ_WARN_PARTIAL) {
        MsgBox(LoadResString(1003), vbCritical, frmMain().Caption());
        return false;
    }
    if (r != 0) {
        MsgBox(LoadResString(1008), vbCritical, kNewTableCaption);
        return true;
    }
    // Write the empty table to its file, release it, and load the file as a listed table.
    const int32_t saved = _TezSavePCT(hPct, pathBytes.constData(), 0);
    _TezUnloadPCT(ghStmt, hPct);
    if (saved != 0) {
        MsgBox(LoadResString(1008) + QChar(10) + ReturnText(saved), vbCritical, kNewTableCaption);
        return true;
    }

    if (AddPCTFile(path, lstPCT) == 0 && locked) {
        MakeNewTableLocked();
        giCurPCT = 0;
    }
    // The new table has no items.
    if (lstPhrase->Rows() > 1)
        EmptyList(lstPhrase);
    return true;
}

void FrmPhraseMgr::SavePCTCommand()
{
    PrepareFileDialog(*dlgOpen, LoadResString(4021), cdlOFNOverwritePrompt | cdlOFNHideReadOnly | cdlOFNPathMustExist);
    dlgOpen->ShowSave();
    if (dlgOpen->FileName.isEmpty())
        return;
    const int row = lstPCT->Row();
    if (row < 1 || row > glPCTCount)
        return;
    const int32_t r = _TezSavePCT(ghPCT[row - 1], PathToBytes(dlgOpen->FileName).constData(), 0);
    if (r != 0)
        MsgBox(LoadResString(1007) + QChar(10) + ReturnText(r), vbExclamation, LoadResString(8009));
}

void FrmPhraseMgr::ImportCommand()
{
    // Items go into the current table: without one there is nothing to import into.
    if (!HasCurrentTable())
        return;
    PrepareFileDialog(*dlgOpen, kImportFilter, cdlOFNHideReadOnly);
    dlgOpen->ShowOpen();
    if (dlgOpen->FileName.isEmpty())
        return;
    ImportItems(dlgOpen->FileName, lstPhrase);
}

void FrmPhraseMgr::DeleteCommand(bool all)
{
    if (!CurrentList)
        return;
    if (!all)
        SetStatusText(LoadResString(4022));
    {
        RedrawOff redraw(CurrentList);
        if (all && CurrentList->Rows() > 1) {
            CurrentList->setRow(1);
            CurrentList->setRowSel(CurrentList->Rows() - 1);
        }
        DeleteItems();
    }
    if (!all)
        SetStatusText(LoadResString(4023));
}

void FrmPhraseMgr::ShowMarkedTableAgain()
{
    const int32_t row = GetRowSelected(lstPCT);
    if (row >= 1) {
        lstPCT->setRow(row);
        lstPCT_DblClick();
    }
}

void FrmPhraseMgr::SearchPhrase()
{
    if (lstPCT->Rows() <= 1)
        return;
    dlgSearchPhrase().FindString();
    ShowMarkedTableAgain();
}

void FrmPhraseMgr::ReplacePhrase()
{
    if (lstPCT->Rows() <= 1)
        return;
    dlgSearchPhrase().ReplaceString();
    ShowMarkedTableAgain();
}

void FrmPhraseMgr::DetectPhrase()
{
    if (lstPCT->Rows() <= 1)
        return;
    if (dlgPhraseDetectDir().ShowDlg())
        dlgDetectPhrase().ShowDlg();
    ShowMarkedTableAgain();
}

void FrmPhraseMgr::MergePCT()
{
    try {
        dlgMergePCT().ShowDlg();
        ShowMarkedTableAgain();
    } catch (...) {
        ErrorLog(QStringLiteral("MergePCT"));
    }
}
