#include "vocabulary/dlgPhraseDetectDir.h"

#include "platform/Modal.h"

DlgPhraseDetectDir::DlgPhraseDetectDir() { setObjectName(QStringLiteral("dlgPhraseDetectDir")); }

void DlgPhraseDetectDir::Form_Load() {}

bool DlgPhraseDetectDir::ShowDlg()
{
    m_ok = false;
    modal::execDialog(*this);
    return m_ok;
}

void DlgPhraseDetectDir::cmdOK_Click() { m_ok = true; hide(); }
void DlgPhraseDetectDir::cmdCancel_Click() { m_ok = false; hide(); }

DlgPhraseDetectDir& dlgPhraseDetectDir() { return LoadForm<DlgPhraseDetectDir>(); }
