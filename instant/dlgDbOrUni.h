#pragma once
// The encoding question asked before a paste or a file drop: is the text 8-bit code or
// Unicode? Callers may set other captions, show it through modal::execDialog and read icType.
#include <QDialog>

class QLabel;
class QPushButton;

class dlgDbOrUni : public QDialog {
    Q_OBJECT
public:
    explicit dlgDbOrUni(QWidget* parent = nullptr);

    // 0: 8-bit code (also when the dialog is closed without a button); 1: Unicode.
    int icType = 0;

    QLabel* Label1 = nullptr;
    QPushButton* cmdDB = nullptr;
    QPushButton* cmdUnicode = nullptr;

    void cmdDB_Click();
    void cmdUnicode_Click();
};
