#pragma once
// The output-settings dialog: converted files keep their names in another folder, or are
// named automatically beside their inputs. Loaded at start-up, hidden (never unloaded) after
// each use, so its state is the running program's output setting.
#include "core/Globals.h"
#include "platform/Form.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class FrmOutputSetting : public QDialog, public FormEvents {
    Q_OBJECT
public:
    FrmOutputSetting();
    void Form_Load() override;

    // Shows the dialog modally; true when it was closed with OK.
    bool ShowDlg();

    // True: same names in the folder strDir; false: numbered names beside the input.
    bool opSelectDir = true;
    QString strDir;

    QRadioButton* opDir = nullptr;
    QLabel* lbDir = nullptr;
    QLineEdit* txtDir = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QRadioButton* opAutoName = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void opDir_Click();
    void opAutoName_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdBrowse_Click();
};

FrmOutputSetting& frmOutputSetting();
