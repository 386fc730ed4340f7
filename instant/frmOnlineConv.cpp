#include "instant/frmOnlineConv.h"

FrmOnlineConv::FrmOnlineConv(QWidget* parent) : WorkWindow(parent) {}
FrmOnlineConv::~FrmOnlineConv() = default;

void FrmOnlineConv::Form_Load() {}
void FrmOnlineConv::Form_Unload(int& cancel) {}
void FrmOnlineConv::ShowMenu() {}
void FrmOnlineConv::MenuProc(const QString& cmd) {}
void FrmOnlineConv::EnableMenu() {}
bool FrmOnlineConv::SaveToFile() { return true; }
int FrmOnlineConv::ExitOnlineConv() { return 0; }
void FrmOnlineConv::ConvertClipboard() {}

FrmOnlineConv& frmOnlineConv()
{
    return LoadForm<FrmOnlineConv>();
}
