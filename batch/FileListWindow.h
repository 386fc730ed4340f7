#pragma once
// What the six file-list windows share: a toolbar of file-list commands, option combos in
// the toolbar row, the four-column file grid below, the main window's menus for the window
// (ShowMenu) and the enabling of the row-dependent commands (EnableMenu). The conversion
// runs belong to later work: until then MenuProc carries out the list commands and
// ignores the rest.
#include "core/WorkWindow.h"

#include <QHash>
#include <QString>

class FlexGrid;
class QAction;
class QHBoxLayout;

struct FileListWindowSetup {
    const char* formName;       // "frmDocConv"
    const char* gridName;       // "lstDoc"
    const char* toolbarName;    // "tbDoc"
    const char* windowCommand;  // the Window-menu item that carries the check mark
    int statusTextId;           // string shown in the status bar
    bool showsItself;           // ShowMenu shows the window first
    bool fontMap;               // IDM_OPTION_FONTMAP offered
    bool typeChange;            // IDM_EDIT_TYPE offered and the TYPECONV button present
    bool listViews;             // LISTNEW offered (LISTALL hidden) after ShowMenu
    bool scheduleButton;        // SCHEDULE button in place of TYPECONV
    int inputHeaderId;          // header of column 2
    int outputHeaderId;         // header of column 3
    int outputWidth;            // column 3 width in twips
};

class FileListWindow : public WorkWindow {
    Q_OBJECT
public:
    explicit FileListWindow(const FileListWindowSetup& setup);

    void ShowMenu() override;
    void MenuProc(const QString& cmd) override;
    QString formName() const override { return QString::fromUtf8(m_setup.formName); }

    // Re-evaluates the row-dependent commands from the grid's row count.
    void EnableMenu();
    // A toolbar button by its key (OPEN, DELETE, RUN ...).
    QAction* ToolbarButton(const QString& key) const;
    FlexGrid* Grid() const { return m_grid; }

protected:
    // Puts a control into the toolbar row, right of the buttons.
    void AddToToolbarRow(QWidget* control);
    // Makes the window a child of the client area and sets up the grid; the first load steps.
    void LoadCommon();

    FileListWindowSetup m_setup;
    FlexGrid* m_grid = nullptr;

private:
    void InitGrid();
    QHash<QString, QAction*> m_buttons;
    QHBoxLayout* m_toolbarRow = nullptr;
};
