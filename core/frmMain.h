#pragma once
// The main window: menu bar, function toolbar, status bar, the client area that hosts one
// work window at a time, the project file dialog and the scheduler timer. Every menu item is
// reached by its name (IDM_FILE_OPEN ...); clicking one passes that name to MenuProc.
#include "platform/CommonDialog.h"
#include "platform/Form.h"

#include <QMainWindow>
#include <QHash>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class SingleInstance;
class WorkWindow;

class FrmMain : public QMainWindow, public FormEvents {
    Q_OBJECT
public:
    FrmMain();
    ~FrmMain() override;

    // Start-up and shut-down: the sequences the composition registered (MainWindowHooks.h).
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
    // A function-toolbar button was clicked: switches to its window by the button's key.
    void FuncToolbar_ButtonClick(const QString& key);

    // The work window now shown in the client area.
    WorkWindow* ActiveForm = nullptr;

    QWidget* frmClient = nullptr;
    QToolBar* FuncToolbar = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QTimer* Timer1 = nullptr;
    CommonDialog dlgPrjFile;

    // The single-instance lock, held from start-up until the program ends.
    std::unique_ptr<SingleInstance> SingleInstanceLock;

    // The window's caption (program title, " - " and the project path).
    QString Caption() const;
    void SetCaption(const QString& caption);

    // The project commands IDM_FILE_NEWPRJ, IDM_FILE_OPENPRJ, IDM_FILE_SAVEPRJ, IDM_FILE_SAVEASPRJ.
    void NewProject();
    void OpenProject();
    void SaveProject();
    void SaveAsProject();
    // Shows the user help in the desktop's browser.
    void ShowHelp();
    // Asks whether to save the current project first (message 2004) and saves on Yes.
    void OfferProjectSave();
    // Makes path the current project and shows it in the caption.
    void SetProjectPath(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    // Asks for a new project name in the save dialog; empty when cancelled or refused.
    QString AskNewProjectName();
    QHash<QString, QAction*> m_menuItems;
    QHash<QString, QMenu*> m_popups;
    QHash<QString, QAction*> m_funcButtons;
};

// The main window's one instance.
FrmMain& frmMain();
