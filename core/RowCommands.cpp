#include "core/RowCommands.h"

#include "core/frmMain.h"

#include <QAction>

namespace {
const char* const kRowItems[] = {"IDM_EDIT_DIRSETTING", "IDM_EDIT_DELETE", "IDM_EDIT_SELECTALL",
                                 "IDM_EDIT_DELETEALL", "IDM_EDIT_TYPE", "IDM_EDIT_CLEARTYPE",
                                 "IDM_FILE_RUN", "IDM_VIEW_INFILE", "IDM_VIEW_OUTFILE"};
const char* const kRowButtons[] = {"DELETE", "FILEDIR", "VIEWIN", "VIEWOUT", "LISTALL", "LISTNEW", "TYPECONV", "RUN"};
} // namespace

void EnableRowCommands(bool rows, const QHash<QString, QAction*>& buttons)
{
    FrmMain& main = frmMain();
    for (const char* name : kRowItems)
        main.Menu(QString::fromUtf8(name))->setEnabled(rows);
    for (const char* key : kRowButtons)
        if (QAction* button = buttons.value(QString::fromUtf8(key)))
            button->setEnabled(rows);
    if (rows) {
        main.Menu(QStringLiteral("IDM_FILE_SAVEPRJ"))->setEnabled(true);
        main.Menu(QStringLiteral("IDM_FILE_SAVEASPRJ"))->setEnabled(true);
    }
}
