#pragma once
// The list of saved server connections (ConnParam.sys), one grid row per line; hands the four
// fields of the chosen row back.
#include "platform/Form.h"

#include <QDialog>
#include <QStringList>

class FlexGrid;
class QPushButton;

class FrmSQLDBList : public QDialog, public FormEvents {
    Q_OBJECT
public:
    FrmSQLDBList();
    // True when a row was confirmed; pvaBuf (four entries) then holds its server, database,
    // user and password.
    bool ShowDialog(const QString& psInFile, QWidget* pForm, QStringList& pvaBuf);

    FlexGrid* fg1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

FrmSQLDBList& frmSQLDBList();
