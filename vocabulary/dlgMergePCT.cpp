#include "vocabulary/dlgMergePCT.h"

#include "platform/Modal.h"

DlgMergePCT::DlgMergePCT() { setObjectName(QStringLiteral("dlgMergePCT")); }

void DlgMergePCT::Form_Load() {}

bool DlgMergePCT::ShowDlg()
{
    m_ok = false;
    modal::execDialog(*this);
    return m_ok;
}

void DlgMergePCT::txtPCTName_LostFocus() {}
void DlgMergePCT::cmdGet_Click() {}
void DlgMergePCT::cmdRemove_Click() {}
void DlgMergePCT::cmdOK_Click() {}
void DlgMergePCT::cmdCancel_Click() {}

DlgMergePCT& dlgMergePCT() { return LoadForm<DlgMergePCT>(); }
