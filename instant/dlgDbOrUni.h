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

// The question's label for the Traditional box after a paste key or a file drop, and after
// the Paste command.
extern const QString kAskB5Key;
extern const QString kAskB5Paste;

// Shows the question modally and returns icType. With a label the question is asked with
// the Traditional captions; without one, with the dialog's own (Simplified) captions.
int AskDbOrUni(QWidget* parent, const QString& traditionalLabel = QString());
