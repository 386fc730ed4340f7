#include "vocabulary/dlgDetectPhrase.h"

#include "platform/Modal.h"

DlgDetectPhrase::DlgDetectPhrase() { setObjectName(QStringLiteral("dlgDetectPhrase")); }

void DlgDetectPhrase::Form_Load() {}

bool DlgDetectPhrase::ShowDlg()
{
    m_ok = false;
    modal::execDialog(*this);
    return m_ok;
}

void DlgDetectPhrase::LoadAmbiguousGroups(int32_t, int32_t) {}
void DlgDetectPhrase::GetAmbiguousGroup(int32_t) {}
void DlgDetectPhrase::SetStatus(bool) {}
void DlgDetectPhrase::SaveResult() {}
void DlgDetectPhrase::UpdateAllItems(int32_t, int32_t) {}
void DlgDetectPhrase::cmdNext_Click() {}
void DlgDetectPhrase::cmdPrev_Click() {}
void DlgDetectPhrase::cmdOK_Click() {}
void DlgDetectPhrase::cmdCancel_Click() {}
void DlgDetectPhrase::IDM_EDIT_ACTIVE_Click() {}
void DlgDetectPhrase::IDM_EDIT_DEACTIVE_Click() {}
void DlgDetectPhrase::IDM_EDIT_MODIFY_Click() {}

DlgDetectPhrase& dlgDetectPhrase() { return LoadForm<DlgDetectPhrase>(); }
