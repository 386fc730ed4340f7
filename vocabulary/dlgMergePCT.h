#pragma once
// The table merge dialog: the user names a new table and picks loaded tables in the order
// their items are to follow; "运行" creates the new table file from them.
#include "platform/Form.h"

#include <QDialog>
#include <QString>
#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class DlgMergePCT : public QDialog, public FormEvents {
    Q_OBJECT
public:
    DlgMergePCT();

    void Form_Load() override;

    // Shows the dialog modal (fresh each time); true after a completed merge.
    bool ShowDlg();

    // The new table's file name as used for the merge; "" after Cancel. Keeps its value
    // after the dialog unloads, until the next use.
    static inline QString strPCT;

    QLabel* Label1 = nullptr;
    QLineEdit* txtPCTName = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* lstCurrentPCT = nullptr;
    QPushButton* cmdGet = nullptr;
    QPushButton* cmdRemove = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* lstMerge = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void txtPCTName_LostFocus();
    void cmdGet_Click();
    void cmdRemove_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    // Moves the selected table path of from to the end of to; false, after telling the user
    // with the message noSelectionMessage, when no path is selected.
    bool MoveSelectedPath(QListWidget* from, QListWidget* to, int noSelectionMessage);
    // Creates the new table at path from the chosen tables in list order and saves it;
    // returns 0 or the first failing library result.
    int32_t MergeInto(const QString& path);

    bool m_ok = false;
};

DlgMergePCT& dlgMergePCT();
