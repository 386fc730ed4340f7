#pragma once
// The find dialog over one box of the instant window; can hand its search text on to the
// replace dialog.
#include "instant/SearchDialogBase.h"
#include "platform/Form.h"

#include <QPlainTextEdit>
#include <QPointer>

class dlgSearchText : public SearchDialogBase, public FormEvents {
    Q_OBJECT
public:
    dlgSearchText();

    // The box to search; set before FindString, kept while the program runs.
    static QPointer<QPlainTextEdit> txtBox;

    // Loads the dialog and shows it modally; returns when it (or the replace dialog it
    // handed over to) is closed.
    static void FindString();

    QPushButton* cmdReplace = nullptr;

    void Form_Load() override;
    void cmdReplace_Click();

protected:
    QPlainTextEdit* Box() const override { return txtBox; }
    QList<QPushButton*> SearchButtons() const override { return {cmdSearch, cmdReplace}; }

private:
    bool m_handOver = false;
};
