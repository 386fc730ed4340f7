#pragma once
// The main window: menu bar, function toolbar, status bar, the client area that hosts one
// work window at a time, the project file dialog and the scheduler timer. Every menu item is
// reached by its name (IDM_FILE_OPEN ...); clicking one passes that name to MenuProc.
#include "platform/CommonDialog.h"
#include "platform/Form.h"

#include <QMainWindow>
#include <QHash>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class WorkWindow;

class FrmMain : public QMainWindow, public FormEvents {
    Q_OBJECT
public:
    FrmMain();

    // Start-up and shut-down.
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

    // A menu item, bar menu or separator by its name; throws when no item has that name.
    QAction* Menu(const QString& name) const;
    bool HasMenu(const QString& name) const;
    // The context menus IDM_PCT_RIGHTMOUSE, IDM_ITEM_RIGHTMOUSE, IDM_SCHED_RIGHTMOUSE.
    QMenu* PopupMenu(const QString& name) const;
    // Shows a context menu at the mouse position (modal until an item is chosen or it closes).
    void ShowPopupMenu(const QString& name);

    // The function toolbar's button by key ("DocConv" ...).
    QAction* FuncToolbarButton(const QString& key) const;

    // The command dispatcher; exit, the ten window switches, the project commands, About
    // and Help are handled here, everything else goes to the current work window.
    void MenuProc(const QString& cmd);
    void ChildMenuProc(const QString& cmd);
    void SelectWindow(int number, WorkWindow& window);
    void SetActiveForm(WorkWindow& window);
    void frmClient_Resize();
    void Timer1_Timer();

    // The work window now shown in the client area.
    WorkWindow* ActiveForm = nullptr;

    QWidget* frmClient = nullptr;
    QToolBar* FuncToolbar = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QTimer* Timer1 = nullptr;
    CommonDialog dlgPrjFile;

    // The window's caption (program title, " - " and the project path).
    QString Caption() const;
    void SetCaption(const QString& caption);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    QHash<QString, QAction*> m_menuItems;
    QHash<QString, QMenu*> m_popups;
    QHash<QString, QAction*> m_funcButtons;
    QActionGroup* m_funcGroup = nullptr;
};

// The main window's one instance.
FrmMain& frmMain();
