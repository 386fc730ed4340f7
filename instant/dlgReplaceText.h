#pragma once
// The replace dialog over one box of the instant window.
#include "instant/SearchDialogBase.h"
#include "platform/Form.h"

#include <QPlainTextEdit>
#include <QPointer>

class dlgReplaceText : public SearchDialogBase, public FormEvents {
    Q_OBJECT
public:
    dlgReplaceText();

    // The search text handed over by the find dialog and the box to search; set before
    // ReplaceString, kept while the program runs.
    static QString strSearch;
    static QPointer<QPlainTextEdit> txtBox;

    // Loads the dialog and shows it modally; returns when it is closed.
    static void ReplaceString();

    QLabel* Label2 = nullptr;
    QLineEdit* txtReplace = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdReplaceAll = nullptr;

    void Form_Load() override;
    void cmdReplace_Click();
    void cmdReplaceAll_Click();

protected:
    QPlainTextEdit* Box() const override { return txtBox; }
    QList<QPushButton*> SearchButtons() const override { return {cmdSearch, cmdReplace, cmdReplaceAll}; }
};
