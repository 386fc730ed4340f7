#pragma once
// The font mapping dialog: a table of font pairs (a Traditional font and the Simplified font
// that stands for it) that the user adds to, changes and deletes from. The table lives only in
// the dialog's grid and starts empty at every showing; nothing else reads it. Hidden (never
// unloaded) by OK and Cancel.
#include "platform/Form.h"

#include <QDialog>

class FlexGrid;
class QAction;
class QLabel;
class QMenu;
class QPushButton;

class DlgFontMap : public QDialog, public FormEvents {
    Q_OBJECT
public:
    DlgFontMap();
    // Column widths and the header row.
    void Form_Load() override;

    // Empties the table down to its header row and shows the dialog modally.
    void ShowDlg();

    QLabel* Label1 = nullptr;
    FlexGrid* lst = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    // The grid's popup menu.
    QMenu* IDM_EDIT = nullptr;
    QAction* IDM_EDIT_MODIFY = nullptr;
    QAction* IDM_EDIT_DELETE = nullptr;
    QAction* IDM_EDIT_ADD = nullptr;

    // A new pair from the edit dialog, appended after OK there.
    void cmdAdd_Click();
    // The pair at the selection's end row in the edit dialog, written back after OK there.
    void lst_DblClick();
    // The Delete key removes the selected pairs, never the header row.
    void lst_KeyDown(int& keyCode, int shift);
    // The right button opens the popup menu over a grid that holds pairs.
    void lst_MouseDown(int button, int shift, int x, int y);
    void cmdOK_Click();
    void cmdCancel_Click();

    // Escape and the close box hide the dialog as Cancel does.
    void reject() override;
};

DlgFontMap& dlgFontMap();
