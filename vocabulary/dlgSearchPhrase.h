#pragma once
// The phrase search and replace dialog of the vocabulary manager: finds a term in every
// loaded table, lists each matching item, lets the user put items in or out of use, edit
// them and replace text in their terms, and writes every listed row back on "退出".
#include "vocabulary/PhraseResultDialog.h"
#include "core/PhraseText.h"

#include <QString>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

class DlgSearchPhrase : public PhraseResultDialog {
    Q_OBJECT
public:
    DlgSearchPhrase();

    void Form_Load() override;

    // Opens the dialog in search mode, modal; true when the user left with "退出".
    bool FindString();
    // Opens the dialog in replace mode, modal; when it is already showing, only switches it
    // to replace mode and returns at once. True when the user left with "退出".
    bool ReplaceString();
    // Sets or clears the in-use bit of every selected row and redraws their pictures.
    void SetStatus(bool Active) override;

    QLabel* Label1 = nullptr;
    QLineEdit* txtSearch = nullptr;
    QLabel* labReplace = nullptr;
    QLineEdit* txtReplace = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdReplaceAll = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Event handlers, named after their controls.
    void txtSearch_Change();
    void txtReplace_Change();
    void cmdSearch_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdOK_Click();
    void IDM_EDIT_MODIFY_Click() override;

private:
    // What a result row held when the search listed it: the item's terms as the library
    // gave them and as the grid showed them, and its status.
    struct RowOrigin {
        ShownTerm trad;
        ShownTerm simp;
        int32_t status = 0;
    };

    bool ShowModal();
    void SetReplaceMode();
    // Replaces in both terms of the current row and moves on to the next row (after the last,
    // row 1); false when the row kept its terms because one would have become empty.
    bool ReplaceInCurrentRow();

    std::vector<RowOrigin> m_origins;

    bool m_showing = false;
};

// Every occurrence of find in source replaced by replacement, left to right, never
// overlapping and never re-reading inserted text; an empty find returns source.
QString ReplaceInString(const QString& source, const QString& find, const QString& replacement);

// The dialog's one default instance (loaded on first use).
DlgSearchPhrase& dlgSearchPhrase();
