#pragma once
// The vocabulary manager: the loaded vocabulary tables in priority order in the upper list
// (lstPCT) and the items of the current table in the lower list (lstPhrase), under a
// toolbar. Every command arrives as a command string in MenuProc and acts on the list that
// last had the focus (CurrentList).
#include "core/WorkWindow.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>

class FlexGrid;
class QAction;
class QSplitter;
class QToolBar;
class CommonDialog;

class FrmPhraseMgr : public WorkWindow {
    Q_OBJECT
public:
    FrmPhraseMgr();
    ~FrmPhraseMgr() override;

    // Child-window protocol of the main window.
    void Form_Load() override;
    void ShowMenu() override;
    void MenuProc(const QString& cmd) override;
    QString formName() const override { return QStringLiteral("frmPhraseMgr"); }

    // Brings the library's table list into line with the displayed order and statuses and
    // saves PCTS.LST; does nothing until the window was loaded once. Returns 0 or the
    // non-zero result of the list save.
    int16_t ExitPhraseMgr();

    // Lists (row 0 is the header; table row r is entry r - 1, item row r is item r - 1).
    FlexGrid* lstPCT = nullptr;
    FlexGrid* lstPhrase = nullptr;
    // The list that last took the focus: lstPCT or lstPhrase.
    FlexGrid* CurrentList = nullptr;
    // "PCT" when the table list is the active list; anything else means the item list.
    QString CurrentListKind;

    QToolBar* tbPhrase = nullptr;
    QWidget* Picture1 = nullptr;
    QSplitter* wndSplit = nullptr;
    CommonDialog* dlgOpen = nullptr;

    // Fills the item list with the items of the current table giCurPCT.
    void PopulatePhraseList(FlexGrid* lst);
    // Redraws the status picture of one row from its row word (and, in lstPCT, the status).
    void DrawCellPicture(FlexGrid* lst, int32_t row);
    // Shows the row carrying the current-row mark in bold.
    void DrawRowSelected(FlexGrid* lst);
    // Moves the current-row mark to row and scrolls it to the top.
    void SetRowSelected(FlexGrid* lst, int32_t row);
    // The first data row carrying the current-row mark, -1 when none.
    int32_t GetRowSelected(FlexGrid* lst);

    // Puts the selected rows of lst in use (true) or out of use (false).
    void ActiveItem(FlexGrid* lst, bool bActive);
    // Keeps a copy of the selected rows of lst for a later paste.
    void CopyItems(FlexGrid* lst);

    // Search and replace over all loaded tables, then shows the current table again.
    void SearchPhrase();
    void ReplacePhrase();
    // Asymmetric-conversion detection and table merge through their dialogs.
    void DetectPhrase();
    void MergePCT();

    // Event handlers that other operations call directly.
    void lstPCT_DblClick();
    void lstPhrase_DblClick();
    void lstPCT_Click();
    void lstPhrase_Click();
    void lstPCT_GotFocus();
    void lstPhrase_GotFocus();
    void lstPCT_LostFocus();
    void lstPhrase_LostFocus();
    void lstPCT_KeyDown(int keyCode, int shift);
    void lstPhrase_KeyDown(int keyCode, int shift);
    void lstPCT_MouseDown(int button, int shift, int x, int y);
    void lstPhrase_MouseDown(int button, int shift, int x, int y);
    void tbPhrase_ButtonClick(const QString& key);
    void Picture1_Resize();

    // A toolbar button by its key (OPEN, ADDITEM, MOVEUP ...).
    QAction* ToolbarButton(const QString& key) const;

    // The items kept by the last copy (row word, ",", Tab, Simplified, Tab, Traditional).
    const QStringList& CopiedItems() const { return colCopiedItems; }

    bool ManagerLoaded() const { return bManagerLoaded; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolbar();
    void BuildLists();
    int16_t PopulatePCTList(FlexGrid* lst);
    int16_t AddPCTFile(const QString& path, FlexGrid* lst);
    void UpdatePCTToolbar();
    void UpdatePhraseToolbar();
    void MoveItemUp(FlexGrid* lst);
    void MoveItemDown(FlexGrid* lst);
    // Moves the selected block one row up (step -1) or down (step 1): the row beyond the
    // block on that side goes to the block's other end.
    void MoveSelectedBlock(FlexGrid* lst, int step);
    void AddItem();
    void ModifyItem();
    void ImportItems(const QString& fileName, FlexGrid* lst);
    void PasteItems();
    void DeleteItems();
    // Takes the tables of rows block.first to block.last out of the list.
    void DeleteTables(const struct RowBlock& block);

    // Command branches of MenuProc. NewPCTCommand returns false when the command must end
    // at once, without the toolbar refresh and the second list save.
    void RunCommand(const QString& cmd);
    void OpenPCTCommand();
    bool NewPCTCommand();
    void SavePCTCommand();
    void ImportCommand();
    void DeleteCommand(bool all);
    // Makes the newest table a locked proper-noun table at the top of the list.
    void MakeNewTableLocked();
    // Shows the marked current table's items again after a dialog changed the tables.
    void ShowMarkedTableAgain();
    void RefreshToolbars();
    // Has the library write its table list to PCTS.LST, with the lines of the list that did
    // not load kept in it; returns the result.
    int32_t SaveTableList();
    // Gives a visible list the focus and runs its focus handler.
    void FocusList(FlexGrid* lst);
    void FocusCurrentList();
    // On a right click on a list with rows, gives the list the focus and shows its popup menu.
    void ShowListPopup(FlexGrid* lst, int button, const QString& menu);
    void EmptyList(FlexGrid* lst);
    // Tells which tables could not be saved: kept, still loaded with their changes; lost,
    // the messages for tables the library let go all the same.
    void TellTablesNotSaved(const QStringList& kept, const QStringList& lost);

    QHash<QString, QAction*> m_buttons;
    QStringList colCopiedItems;
    bool bManagerLoaded = false;
    bool m_inLayout = false;
};

// The vocabulary manager's one instance, loaded on first use.
FrmPhraseMgr& frmPhraseMgr();
