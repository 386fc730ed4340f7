#pragma once
// The editor of one font pair of the font mapping dialog: a Traditional font name and the
// Simplified font that stands for it. Loaded for each pair and unloaded by OK or Cancel; the
// names travel in and out through its public variables.
#include "platform/Form.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

class DlgFontMapEdit : public QDialog, public FormEvents {
    Q_OBJECT
public:
    DlgFontMapEdit();

    // Shows the two names modally and unloads the dialog; true after OK (the names then hold
    // the boxes' texts, empty ones included), false after Cancel or closing.
    bool ShowDlg();

    static inline QString strB5Font;
    static inline QString strGBFont;

    QLabel* Label1 = nullptr;
    QLineEdit* txtB5 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtGB = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();

    // Escape and the close box cancel.
    void reject() override;

private:
    bool m_ok = false;
};

DlgFontMapEdit& dlgFontMapEdit();
