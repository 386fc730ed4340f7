#include "database/frmSelectOutDB.h"

#include "core/Err.h"
#include "core/Log.h"
#include "platform/ButtonRow.h"
#include "platform/Modal.h"
#include "platform/data/DataError.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

FrmSelectOutDB& frmSelectOutDB()
{
    return LoadForm<FrmSelectOutDB>();
}

FrmSelectOutDB::FrmSelectOutDB()
{
    setObjectName(QStringLiteral("frmSelectOutDB"));
    setWindowTitle(QStringLiteral("选定转换写入数据库"));
    auto* layout = new QVBoxLayout(this);
    lstDB = new QListWidget(this);
    lstDB->setObjectName(QStringLiteral("lstDB"));
    layout->addWidget(lstDB, 1);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    layout->addLayout(RightAlignedButtons({cmdOK, cmdCancel}));
    // OK needs a chosen database.
    connect(lstDB, &QListWidget::currentRowChanged, this, [this](int row) { cmdOK->setEnabled(row >= 0); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool FrmSelectOutDB::ShowSelect(AdoConnection& pCnt, QString& pvOutDB)
{
    try {
        QStringList names;
        try {
            names = pCnt.get().databases();
        } catch (const data::DataError& e) {
            Err().Raise(errInvalidCall, e.description());
        }
        lstDB->clear();
        lstDB->addItems(names);
        lstDB->setCurrentRow(-1);
        cmdOK->setEnabled(false);
        if (modal::execDialog(*this) == QDialog::Accepted && lstDB->currentItem()) {
            pvOutDB = lstDB->currentItem()->text();
            return true;
        }
    } catch (...) {
        ErrorLog(QStringLiteral("frmSelectOutDB_ShowSelect"));
    }
    return false;
}
