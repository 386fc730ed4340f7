#pragma once
// The vocabulary item editor: one Simplified and one Traditional term, or a single term for
// a proper-noun table. The caller sets strFrom, strTo and spct, calls LoadForm and, when it
// returned true, reads strFrom and strTo back. The dialog touches no table.
#include "vocabulary/NoEscapeDialog.h"

#include <QString>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

class DlgPhraseEdit : public NoEscapeDialog {
    Q_OBJECT
public:
    DlgPhraseEdit();

    // Shows the dialog modal with the current inputs; true only when "确定" closed it during
    // this call. The dialog unloads itself afterwards; the public variables stay readable.
    bool LoadForm();

    // In: the Simplified term; out: the confirmed Simplified term (for a proper-noun table
    // a copy of strTo).
    static inline QString strFrom;
    // In: the Traditional term; out: the confirmed Traditional term, never empty.
    static inline QString strTo;
    // Index of the edited item's table in the loaded table list.
    static inline int16_t spct = 0;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtFrom = nullptr;
    QLineEdit* txtTo = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();

private:
    bool IsProperNounTable() const;
};

DlgPhraseEdit& dlgPhraseEdit();
