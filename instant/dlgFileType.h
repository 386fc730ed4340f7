#pragma once
// Asks which kind of text file is being opened and into which box.
#include <QDialog>

class QPushButton;
class QRadioButton;

class dlgFileType : public QDialog {
    Q_OBJECT
public:
    // preselected: the option checked first (1 to 4).
    explicit dlgFileType(QWidget* parent = nullptr, int preselected = 1);

    // Shows the dialog modally with `preselected` checked; returns 1 Big5, 2 Traditional
    // Unicode, 3 GB, 4 Simplified Unicode, or 0 when cancelled.
    static int ShowForm(int preselected = 1);

    // The answer: the last option clicked (the preselected one until one is), 0 after Cancel.
    int answer = 1;

    QRadioButton* opTBig5 = nullptr;
    QRadioButton* opTUnicode = nullptr;
    QRadioButton* opSGB = nullptr;
    QRadioButton* opSUnicode = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();
};
