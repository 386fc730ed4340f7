#pragma once
// The new-table dialog: asks for the new vocabulary table's file name and whether it is a
// proper-noun table. It creates nothing; after ShowDlg returned true the caller reads the
// full path PCTName and the flag bLockPCT.
#include "platform/Form.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class DlgNewPCT : public QDialog, public FormEvents {
    Q_OBJECT
public:
    DlgNewPCT();

    // Shows the dialog modal, fresh (empty name, box unchecked); true after a valid OK.
    // The dialog unloads itself afterwards; PCTName and bLockPCT stay readable.
    bool ShowDlg();

    // Full path of the table file to create (program folder and the name typed); the file
    // did not exist when OK was accepted.
    static inline QString PCTName;
    // True: the new table is a locked proper-noun table.
    static inline bool bLockPCT = false;

    QLabel* Label1 = nullptr;
    QLineEdit* txtPCTName = nullptr;
    QCheckBox* chbLockPCT = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void txtPCTName_LostFocus();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    bool m_ok = false;
};

// A non-empty name without any "." gets ".pct" appended.
QString WithTableExtension(const QString& name);

DlgNewPCT& dlgNewPCT();
