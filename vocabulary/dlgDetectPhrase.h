#pragma once
// The asymmetric detection dialog: runs a detection in the chosen direction, shows its
// groups one at a time, lets the user put items in or out of use and correct their terms,
// and writes every changed item back on "退出".
#include "vocabulary/PhraseResultDialog.h"
#include "core/PhraseText.h"

#include <QString>
#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

// One detected item as the dialog keeps it.
struct AmbiguousEntry {
    int32_t InUse = 0;      // row word of the entry's grid row; bit 0 = in use
    bool ListedInUse = false; // whether the item was in use when the detection listed it
    int32_t Index = 0;      // 0-based index of the item in its table
    QString PhraseFrom;     // Simplified term, as displayed
    QString PhraseTo;       // Traditional term, as displayed
    QString PCTPath;        // path of the item's table
    bool Changed = false;   // only changed entries are written back
    // The item's terms as the library gave them and as they were first shown: a term that
    // still reads as shown goes back as the very bytes it came with.
    ShownTerm OriginalTo;
    ShownTerm OriginalFrom;
};

class DlgDetectPhrase : public PhraseResultDialog {
    Q_OBJECT
public:
    DlgDetectPhrase();

    void Form_Load() override;

    // Runs a detection (direction from dlgPhraseDetectDir), fills the dialog and shows it
    // modal; true when closed with "退出".
    bool ShowDlg();
    // Reads every entry of the current detection result into the entry table: gcnt groups of
    // at most glen entries, each group as large as ShowDlg found it.
    void LoadAmbiguousGroups(int32_t gcnt, int32_t glen);
    // Shows group i (0-based) in the grid.
    void GetAmbiguousGroup(int32_t i);
    // Marks the selected rows in use (true) or not in use (false).
    void SetStatus(bool Active) override;
    // Writes every changed entry back into its table.
    void SaveResult();
    // Copies entry (grp, i) to the other entries of the same table item.
    void UpdateAllItems(int32_t grp, int32_t i);

    // The entry table, indexed by group then entry (read by tests and the handlers).
    const std::vector<std::vector<AmbiguousEntry>>& Entries() const { return m_entries; }

    QLabel* Label1 = nullptr;
    QLabel* labGroup = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* labNumber = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtNo = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdPrev = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdNext_Click();
    void cmdPrev_Click();
    void cmdOK_Click();
    void IDM_EDIT_MODIFY_Click() override;

private:
    bool HasEntry(int32_t group, int32_t entry) const;
    AmbiguousEntry& Entry(int32_t group, int32_t entry);
    // How many entries the detection reported for a group (0 for a group it does not have).
    int32_t GroupSize(int32_t group) const;
    // The group count as labGroup shows it; the group on display (0-based) from txtNo.
    int32_t GroupCount() const;
    int32_t CurrentGroup() const;

    std::vector<std::vector<AmbiguousEntry>> m_entries;
    std::vector<int32_t> m_groupSizes;
};

DlgDetectPhrase& dlgDetectPhrase();
