#include "vocabulary/frmPhraseMgr.h"

#include "platform/CommonDialog.h"

FrmPhraseMgr& frmPhraseMgr()
{
    return LoadForm<FrmPhraseMgr>();
}

FrmPhraseMgr::FrmPhraseMgr() : dlgOpen(new CommonDialog) { setObjectName(QStringLiteral("frmPhraseMgr")); }
FrmPhraseMgr::~FrmPhraseMgr() { delete dlgOpen; }

void FrmPhraseMgr::Form_Load() { bManagerLoaded = true; }
void FrmPhraseMgr::ShowMenu() {}
void FrmPhraseMgr::MenuProc(const QString&) {}
int16_t FrmPhraseMgr::ExitPhraseMgr() { return 0; }
void FrmPhraseMgr::PopulatePhraseList(FlexGrid*) {}
void FrmPhraseMgr::DrawCellPicture(FlexGrid*, int32_t) {}
void FrmPhraseMgr::DrawRowSelected(FlexGrid*) {}
void FrmPhraseMgr::SetRowSelected(FlexGrid*, int32_t) {}
int32_t FrmPhraseMgr::GetRowSelected(FlexGrid*) { return -1; }
void FrmPhraseMgr::ActiveItem(FlexGrid*, bool) {}
void FrmPhraseMgr::CopyItems(FlexGrid*) {}
void FrmPhraseMgr::SearchPhrase() {}
void FrmPhraseMgr::ReplacePhrase() {}
void FrmPhraseMgr::DetectPhrase() {}
void FrmPhraseMgr::MergePCT() {}
void FrmPhraseMgr::lstPCT_DblClick() {}
void FrmPhraseMgr::lstPhrase_DblClick() {}
void FrmPhraseMgr::lstPCT_Click() {}
void FrmPhraseMgr::lstPhrase_Click() {}
void FrmPhraseMgr::lstPCT_GotFocus() {}
void FrmPhraseMgr::lstPhrase_GotFocus() {}
void FrmPhraseMgr::lstPCT_LostFocus() {}
void FrmPhraseMgr::lstPhrase_LostFocus() {}
void FrmPhraseMgr::lstPCT_KeyDown(int, int) {}
void FrmPhraseMgr::lstPhrase_KeyDown(int, int) {}
void FrmPhraseMgr::lstPCT_MouseDown(int, int, int, int) {}
void FrmPhraseMgr::lstPhrase_MouseDown(int, int, int, int) {}
void FrmPhraseMgr::tbPhrase_ButtonClick(const QString&) {}
void FrmPhraseMgr::Picture1_Resize() {}
QAction* FrmPhraseMgr::ToolbarButton(const QString&) const { return nullptr; }
void FrmPhraseMgr::resizeEvent(QResizeEvent* event) { WorkWindow::resizeEvent(event); }
void FrmPhraseMgr::showEvent(QShowEvent* event) { WorkWindow::showEvent(event); }
bool FrmPhraseMgr::eventFilter(QObject* watched, QEvent* event) { return WorkWindow::eventFilter(watched, event); }
