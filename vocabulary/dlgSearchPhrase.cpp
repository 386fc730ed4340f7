#include "vocabulary/dlgSearchPhrase.h"

#include "platform/Modal.h"

DlgSearchPhrase::DlgSearchPhrase() { setObjectName(QStringLiteral("dlgSearchPhrase")); }

void DlgSearchPhrase::Form_Load() {}

bool DlgSearchPhrase::ShowModal()
{
    m_changed = false;
    m_showing = true;
    modal::execDialog(*this);
    m_showing = false;
    return m_changed;
}

bool DlgSearchPhrase::FindString() { return ShowModal(); }

bool DlgSearchPhrase::ReplaceString()
{
    if (m_showing)
        return m_changed;
    return ShowModal();
}

void DlgSearchPhrase::SetStatus(bool) {}
void DlgSearchPhrase::txtSearch_Change() {}
void DlgSearchPhrase::txtReplace_Change() {}
void DlgSearchPhrase::cmdSearch_Click() {}
void DlgSearchPhrase::cmdReplace_Click() {}
void DlgSearchPhrase::cmdReplaceAll_Click() {}
void DlgSearchPhrase::cmdOK_Click() {}
void DlgSearchPhrase::cmdCancel_Click() {}
void DlgSearchPhrase::IDM_EDIT_ACTIVE_Click() {}
void DlgSearchPhrase::IDM_EDIT_DEACTIVE_Click() {}
void DlgSearchPhrase::IDM_EDIT_MODIFY_Click() {}

QString ReplaceInString(const QString& source, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return source;
    QString result = source;
    return result.replace(find, replacement, Qt::CaseSensitive);
}

DlgSearchPhrase& dlgSearchPhrase() { return LoadForm<DlgSearchPhrase>(); }
