#pragma once
// The direction dialog of the asymmetric detection: Simplified to Traditional or
// Traditional to Simplified. OK and Cancel only hide it, so the last choice stays.
#include "platform/Form.h"

#include <QDialog>

class QRadioButton;
class QPushButton;
class QKeyEvent;

class DlgPhraseDetectDir : public QDialog, public FormEvents {
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
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_ok = false;
};

DlgPhraseDetectDir& dlgPhraseDetectDir();
