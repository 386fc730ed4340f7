#pragma once
// The direction dialog of the asymmetric detection: Simplified to Traditional or
// Traditional to Simplified. OK and Cancel only hide it, so the last choice stays.
#include "vocabulary/NoEscapeDialog.h"


class QRadioButton;
class QPushButton;

class DlgPhraseDetectDir : public NoEscapeDialog {
    Q_OBJECT
public:
    DlgPhraseDetectDir();

    void Form_Load() override;

    // Shows the dialog modal; true only when "确定" closed it during this call.
    bool ShowDlg();

    // Output, read after ShowDlg returned true: true for Traditional to Simplified.
    bool bDetectB52GB = false;

    QRadioButton* optGB2B5 = nullptr;
    QRadioButton* optB52GB = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
};

DlgPhraseDetectDir& dlgPhraseDetectDir();
