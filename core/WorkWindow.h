#pragma once
// What the main window requires of each of its ten work windows: it is loaded on first
// use (and then makes itself a child of the client area), it sets the main window's menus,
// toolbar and status text for itself in ShowMenu, and it performs the command strings it
// knows in MenuProc, ignoring every other string.
#include "platform/Form.h"

#include <QString>
#include <QWidget>

class QAction;
class QToolBar;

class WorkWindow : public QWidget, public FormEvents {
    Q_OBJECT
public:
    explicit WorkWindow(QWidget* parent = nullptr);

    virtual void ShowMenu() = 0;
    virtual void MenuProc(const QString& cmd) = 0;
    // The window's form name ("frmDocConv" ...).
    virtual QString formName() const = 0;

protected:
    // Makes the window a child of the main window's client area (called from Form_Load).
    void BecomeClientChild();
    // A toolbar of 24-pixel buttons with this object name.
    QToolBar* NewCommandToolbar(const QString& name);
    // Adds a button (the key's icon, no text) whose click passes command to MenuProc.
    QAction* AddCommandButton(QToolBar* toolbar, const QString& key, const QString& tooltip, const QString& command);
    // A main-window menu item by its name.
    static QAction* MainMenu(const char* name);
    // Checks this Window-menu item (IDM_WINDOW_...) and unchecks the other work windows' items.
    static void CheckWindowMenuItem(const char* command);
};
