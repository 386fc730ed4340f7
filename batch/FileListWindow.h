#pragma once
// What the six file-list windows share: a toolbar of file-list commands, option combos in
// the toolbar row, the four-column file grid below, the main window's menus for the window
// (ShowMenu), the enabling of the row-dependent commands (EnableMenu), the conversion
// flags with the output-settings gate (GetConvSetting) and the commands (MenuProc), each
// carried out with the hourglass and ended with EnableMenu. Each window supplies its flags,
// its fillers and its run.
#include "core/OfficeAccess.h"
#include "core/RunOutcome.h"
#include "core/WorkWindow.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

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
    const char* openFilter = "";  // filter of the add-files dialog
    // The Office application whose running copy is reported at load (none: null), and the
    // message shown then.
    std::function<bool()> OfficeServices::*detectRunning = nullptr;
    int runningMessageId = 0;
};

class FileListWindow : public WorkWindow, public RunOutcomeReport {
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
    RunOutcome LastRunOutcome() const override { return m_lastRun; }

    // The conversion flags, recomputed by GetConvSetting before every add and run.
    bool bCode = false;
    bool bPhrase = false;
    bool bB52GB = false;
    bool bL2R = false;

    // The output-settings gate, then the flags from the window's combos: ok false (and the
    // flags untouched) when the output settings were not confirmed.
    void GetConvSetting(bool& ok);

    // The grid's event handlers.
    void lstDoc_DblClick();
    void lstDoc_KeyDown(int& keyCode, int shift);
    void lstDoc_OLEDragDrop(const QStringList& data);

protected:
    // Puts a control into the toolbar row, right of the buttons.
    void AddToToolbarRow(QWidget* control);
    // Makes the window a child of the client area and sets up the grid; the first load steps.
    void LoadCommon();

    // The window's own parts of the family.
    virtual void ReadConvFlags() = 0;
    // IDM_FILE_OPEN: by default the add-files dialog, the gate, then AddChosenFiles.
    virtual void AddFiles();
    virtual void AddChosenFiles(const QStringList& files) = 0;
    virtual void AddDroppedFiles(const QStringList& dropped) = 0;
    // The run after the gate passed; its outcome.
    virtual RunOutcome RunConversion() = 0;
    virtual void ChangeType() {}
    virtual void Schedule() {}
    // IDM_EDIT_DIRSETTING: the per-row output dialog on the current row, by default without
    // the charset-tag box.
    virtual void ChangeOutput();

    // The height of the header row at load, given back to rows the new-rows view hid.
    int miRowHeight = 0;

    FileListWindowSetup m_setup;
    FlexGrid* m_grid = nullptr;

private:
    void InitGrid();
    void CarryOut(const QString& cmd);
    void Run();
    void ShowListViewButton(bool listAll);
    RunOutcome m_lastRun = RunOutcome::NotRun;
    QHash<QString, QAction*> m_buttons;
    QHBoxLayout* m_toolbarRow = nullptr;
};
