#pragma once
// The table viewer: the rows of one table in a read-only grid, one column per field.
#include "database/Connection.h"
#include "platform/Form.h"

#include <QDialog>

class QTableView;

class FrmTableView : public QDialog, public FormEvents {
    Q_OBJECT
public:
    FrmTableView();
    // Shows the table's rows modally; a table without rows shows nothing.
    void ShowTable(AdoConnection& pCnt, const QString& pvTable);

    QTableView* fg1 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

FrmTableView& frmTableView();
