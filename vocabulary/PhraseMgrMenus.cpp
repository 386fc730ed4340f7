// Which of the main window's menu items and which toolbar buttons the vocabulary manager
// shows and enables, by the state of its two lists and of its copied items.
#include "vocabulary/frmPhraseMgr.h"

#include "core/StatusText.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "resources/StringTable.h"

#include <QAction>
#include <initializer_list>

namespace {
void SetMenusVisible(std::initializer_list<const char*> names, bool visible)
{
    for (const char* name : names)
        frmMain().Menu(QString::fromLatin1(name))->setVisible(visible);
}

void SetMenusEnabled(std::initializer_list<const char*> names, bool enabled)
{
    for (const char* name : names)
        frmMain().Menu(QString::fromLatin1(name))->setEnabled(enabled);
}
} // namespace

void FrmPhraseMgr::ShowMenu()
{
    SetMenusVisible({"IDM_FILE_OPEN", "IDM_FILE_NEWPCT", "IDM_FILE_SAVEPCT", "IDM_FILE_SEPERATOR", "IDM_FILE_EXIT",
                     "IDM_FILE_NEWPRJ", "IDM_FILE_OPENPRJ", "IDM_FILE_SAVEPRJ", "IDM_FILE_SAVEASPRJ",
                     "IDM_FILE_SEPERATOR_3", "IDM_FILE_ITEMINSERT", "IDM_FILE_SEPERATOR_2",
                     "IDM_EDIT_MOVEUP", "IDM_EDIT_MOVEDOWN", "IDM_EDIT_ACTIVE", "IDM_EDIT_DEACTIVE",
                     "IDM_EDIT_SEPERATOR", "IDM_EDIT_COPY", "IDM_EDIT_DELETE", "IDM_EDIT_DELETEALL",
                     "IDM_EDIT_SEPERATOR2", "IDM_EDIT_DETECT", "IDM_EDIT_SEARCH", "IDM_EDIT_REPLACE",
                     "IDM_EDIT_MERGE", "IDM_EDIT_ADDITEM", "IDM_EDIT_MODIFY", "IDM_EDIT_INSERT"},
                    true);
    SetMenusVisible({"IDM_FILE_SAVEAS", "IDM_FILE_RUN", "IDM_FILE_L2R", "IDM_FILE_R2L", "IDM_FEIL_SEPERATOR2",
                     "IDM_EDIT_DIRSETTING", "IDM_EDIT_TYPE", "IDM_EDIT_UNDO", "IDM_EDIT_CUT",
                     "IDM_EDIT_COPYUNICODE", "IDM_EDIT_PASTE", "IDM_EDIT_SELECTALL", "IDM_EDIT_CLEARTYPE",
                     "IDM_VIEW", "IDM_OPTION"},
                    false);

    frmMain().Menu(QStringLiteral("IDM_FILE_OPEN"))->setText(LoadResString(8010));

    CheckWindowMenuItem("IDM_WINDOW_PHRASEMGR");

    SetStatusText(LoadResString(8009));

    UpdatePCTToolbar();
    UpdatePhraseToolbar();
}

void FrmPhraseMgr::UpdatePCTToolbar()
{
    const bool tables = lstPCT->Rows() > 1;

    for (const char* key : {"OPEN", "DETECT", "SEARCH", "MERGE"})
        ToolbarButton(QString::fromLatin1(key))->setVisible(true);
    for (const char* key : {"ADDITEM", "MODIFY", "COPY", "INSERT", "lockPCT"})
        ToolbarButton(QString::fromLatin1(key))->setVisible(false);

    SetMenusEnabled({"IDM_EDIT_COPY", "IDM_EDIT_MODIFY", "IDM_EDIT_INSERT", "IDM_EDIT_ADDITEM"}, false);
    SetMenusEnabled({"IDM_FILE_SAVEPCT", "IDM_EDIT_DETECT", "IDM_EDIT_SEARCH", "IDM_EDIT_REPLACE", "IDM_EDIT_MERGE",
                     "IDM_EDIT_MOVEUP", "IDM_EDIT_MOVEDOWN", "IDM_EDIT_ACTIVE", "IDM_EDIT_DEACTIVE",
                     "IDM_EDIT_DELETE", "IDM_EDIT_DELETEALL"},
                    tables);
    for (const char* key : {"MOVEUP", "MOVEDOWN", "ACTIVE", "DEACTIVE", "DELETE", "DETECT", "SEARCH", "MERGE"})
        ToolbarButton(QString::fromLatin1(key))->setEnabled(tables);
}

void FrmPhraseMgr::UpdatePhraseToolbar()
{
    const bool tables = lstPCT->Rows() > 1;
    const bool items = lstPhrase->Rows() > 1;
    const bool copied = !colCopiedItems.isEmpty();

    for (const char* key : {"ADDITEM", "MODIFY", "COPY", "INSERT"})
        ToolbarButton(QString::fromLatin1(key))->setVisible(true);
    for (const char* key : {"OPEN", "DETECT", "SEARCH", "MERGE", "lockPCT"})
        ToolbarButton(QString::fromLatin1(key))->setVisible(false);

    SetMenusEnabled({"IDM_EDIT_COPY", "IDM_EDIT_MODIFY", "IDM_EDIT_ADDITEM", "IDM_EDIT_MOVEUP", "IDM_EDIT_MOVEDOWN",
                     "IDM_EDIT_ACTIVE", "IDM_EDIT_DEACTIVE", "IDM_EDIT_DELETE", "IDM_EDIT_DELETEALL"},
                    items);
    for (const char* key : {"MOVEUP", "MOVEDOWN", "ACTIVE", "DEACTIVE", "DELETE", "SEARCH", "MODIFY", "COPY"})
        ToolbarButton(QString::fromLatin1(key))->setEnabled(items);

    frmMain().Menu(QStringLiteral("IDM_EDIT_ADDITEM"))->setEnabled(tables);
    ToolbarButton(QStringLiteral("ADDITEM"))->setEnabled(tables);

    frmMain().Menu(QStringLiteral("IDM_EDIT_INSERT"))->setEnabled(copied);
    ToolbarButton(QStringLiteral("INSERT"))->setEnabled(copied);
}
