#pragma once
// The chooser of the output database: the databases of the source connection's server.
#include "database/Connection.h"
#include "platform/Form.h"

#include <QDialog>

class QListWidget;
class QPushButton;

class FrmSelectOutDB : public QDialog, public FormEvents {
    Q_OBJECT
public:
    FrmSelectOutDB();
    // True when a database was chosen with OK; pvOutDB then holds its name. The connection
    // stays on its own database.
    bool ShowSelect(AdoConnection& pCnt, QString& pvOutDB);

    QListWidget* lstDB = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

FrmSelectOutDB& frmSelectOutDB();
