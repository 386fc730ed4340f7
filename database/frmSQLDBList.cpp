#include "database/frmSQLDBList.h"

#include "database/ConnParamFile.h"

#include "core/Log.h"
#include "platform/ButtonRow.h"
#include "platform/FlexGrid.h"
#include "platform/Modal.h"

#include <QFileInfo>
#include <QPushButton>
#include <QVBoxLayout>

FrmSQLDBList& frmSQLDBList()
{
    return LoadForm<FrmSQLDBList>();
}

FrmSQLDBList::FrmSQLDBList()
{
    setObjectName(QStringLiteral("frmSQLDBList"));
    setWindowTitle(QStringLiteral("SQL Server 联机参数信息表"));
    auto* layout = new QVBoxLayout(this);
    fg1 = new FlexGrid(this);
    fg1->setObjectName(QStringLiteral("fg1"));
    // Column 4, hidden like the password, keeps the server field as saved (with its type).
    fg1->setCols(5);
    fg1->setRows(1);
    const char* headers[] = {"主機名稱", "資料庫名稱", "使用者ID", "密碼", ""};
    const int widths[] = {1350, 1560, 1545, 0, 0};
    for (int c = 0; c < 5; ++c) {
        fg1->setTextMatrix(0, c, QString::fromUtf8(headers[c]));
        fg1->setColWidth(c, widths[c]);
    }
    fg1->setSelectionMode(flexSelectionByRow);
    layout->addWidget(fg1, 1);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    layout->addLayout(RightAlignedButtons({cmdOK, cmdCancel}));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(460, 300);
}

bool FrmSQLDBList::ShowDialog(const QString& psInFile, QWidget* pForm, QStringList& pvaBuf)
{
    bool result = false;
    try {
        if (QFileInfo::exists(psInFile)) {
            fg1->setRows(1);
            fg1->setRedraw(false);
            for (const QString& line : ReadConnParamLines(psInFile)) {
                QStringList fields = line.split(QLatin1Char(','));
                if (fields.size() > 4)
                    fields = fields.mid(0, 4);
                while (fields.size() < 4)
                    fields << QString();
                const QString saved = fields[0];
                fields[0] = ShownServer(saved);
                fg1->AddItem(fields.join(QLatin1Char('\t')) + QLatin1Char('\t') + saved);
            }
            fg1->setRedraw(true);
        }
        cmdOK->setEnabled(fg1->Rows() > 1);
        if (fg1->Rows() > 1)
            fg1->setRow(1);
        if (pForm)
            setParent(pForm, windowFlags() | Qt::Dialog);
        if (modal::execDialog(*this) == QDialog::Accepted && fg1->Rows() > 1) {
            const int r = fg1->Row();
            pvaBuf = QStringList(4);
            for (int c = 0; c < 4; ++c)
                pvaBuf[c] = fg1->TextMatrix(r, c);
            pvaBuf[0] = fg1->TextMatrix(r, 4);
            result = true;
        }
    } catch (...) {
        ErrorLog(QStringLiteral("frmSQLDBList_ShowDialog"));
    }
    setParent(nullptr);
    UnloadForm<FrmSQLDBList>();
    return result;
}
