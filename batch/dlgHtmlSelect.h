#pragma once
// The website selection dialog of the HTML and folder-tree windows: a folder and the list of
// extensions whose files are converted as web pages. Hidden (never unloaded) after use, so
// its entries last as long as the program.
#include "platform/Form.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class DlgHtmlSelect : public QDialog, public FormEvents {
    Q_OBJECT
public:
    DlgHtmlSelect();
    void Form_Load() override;

    // Shows the dialog modally; true when it was closed with OK.
    bool OpenDlg();

    // The folder accepted by the last OK.
    QString path;

    QLineEdit* txtDir = nullptr;
    QPushButton* cmdBrowse = nullptr;
    // One extension pattern per line.
    QPlainTextEdit* txtExt = nullptr;
    QCheckBox* chkAddTag = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();
};

DlgHtmlSelect& dlgHtmlSelect();
