#pragma once
// The About box: the program title, its version and a few notices.
#include "platform/Form.h"

#include <QDialog>

class QLabel;
class QPushButton;

class DlgAbout : public QDialog, public FormEvents {
    Q_OBJECT
public:
    DlgAbout();
    void Form_Load() override;

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* labVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblWeb = nullptr;
    QLabel* lblRights = nullptr;
    QPushButton* cmdOK = nullptr;
};

DlgAbout& dlgAbout();

// Shows the About box modally over the main window; it is unloaded when closed.
void ShowAbout();
