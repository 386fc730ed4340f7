#include "batch/frmOutputSetting.h"

#include "batch/FolderPath.h"
#include "batch/MakeDir.h"
#include "batch/frmSelectDir.h"
#include "platform/ButtonRow.h"
#include "platform/LastFolder.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "platform/Twips.h"
#include "resources/StringTable.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

namespace {

// The folder offered first: named like the program folder, in the user's documents folder,
// where a file manager shows it (the program folder's own when the system names none).
QString DefaultOutputFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return PathJoin(ProgramFolder(), LoadResString(4018));
    return PathJoin(documents, QFileInfo(WithoutTrailingSlash(ProgramFolder())).fileName());
}

} // namespace

FrmOutputSetting& frmOutputSetting()
{
    return LoadForm<FrmOutputSetting>();
}

FrmOutputSetting::FrmOutputSetting()
{
    setObjectName(QStringLiteral("frmOutputSetting"));
    setWindowTitle(QStringLiteral("文件信息夹设置"));
    opDir = new QRadioButton(QStringLiteral("以相同的名称存于不同的信息夹中(&A)"), this);
    lbDir = new QLabel(QStringLiteral("信息夹"), this);
    txtDir = new QLineEdit(this);
    txtDir->setMinimumWidth(TwipsToPixels(4200));
    cmdBrowse = new QPushButton(QStringLiteral("浏览(&B)..."), this);
    opAutoName = new QRadioButton(QStringLiteral("依序自动命名存于相同的信息夹中(&N)"), this);
    cmdOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdOK->setDefault(true);
    opDir->setChecked(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(opDir, 0, 0, 1, 3);
    grid->addWidget(lbDir, 1, 0);
    grid->addWidget(txtDir, 1, 1);
    grid->addWidget(cmdBrowse, 1, 2);
    grid->addWidget(opAutoName, 2, 0, 1, 3);
    grid->addLayout(RightAlignedButtons({cmdOK, cmdCancel}), 3, 0, 1, 3);

    connect(opDir, &QRadioButton::clicked, this, &FrmOutputSetting::opDir_Click);
    connect(opAutoName, &QRadioButton::clicked, this, &FrmOutputSetting::opAutoName_Click);
    connect(cmdOK, &QPushButton::clicked, this, &FrmOutputSetting::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmOutputSetting::cmdCancel_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &FrmOutputSetting::cmdBrowse_Click);
}

void FrmOutputSetting::Form_Load()
{
    opSelectDir = opDir->isChecked();
    strDir = DefaultOutputFolder();
    txtDir->setText(strDir);
}

bool FrmOutputSetting::ShowDlg()
{
    return modal::execDialog(*this) == QDialog::Accepted;
}

void FrmOutputSetting::opDir_Click()
{
    opDir->setChecked(true);
    txtDir->setEnabled(true);
    cmdBrowse->setEnabled(true);
    lbDir->setEnabled(true);
}

void FrmOutputSetting::opAutoName_Click()
{
    opAutoName->setChecked(true);
    txtDir->setEnabled(false);
    cmdBrowse->setEnabled(false);
    lbDir->setEnabled(false);
}

void FrmOutputSetting::cmdOK_Click()
{
    if (opAutoName->isChecked()) {
        strDir.clear();
    } else {
        const QString folder = txtDir->text();
        if (folder.isEmpty()) {
            MsgBox(LoadResString(4002), vbOKOnly, windowTitle());
            return;
        }
        const QString notAFolder = folder + QStringLiteral(" ") + LoadResString(4003);
        const QFileInfo info(WithoutTrailingSlash(folder));
        if (info.exists() && !info.isDir()) {
            MsgBox(notAFolder, vbOKOnly, windowTitle());
            return;
        }
        if (info.exists()) {
            const QString question = LoadResString(4017) + folder + QStringLiteral(" ") + LoadResString(2003);
            if (MsgBox(question, vbOKCancel, windowTitle()) == vbCancel)
                return;
        } else {
            MakeDir(folder);
            if (!QFileInfo(WithoutTrailingSlash(folder)).isDir()) {
                // A folder that cannot be made would fail every run: refuse it here.
                MsgBox(notAFolder, vbOKOnly, windowTitle());
                return;
            }
        }
        strDir = folder;
    }
    hide();
    opSelectDir = opDir->isChecked();
    accept();
}

void FrmOutputSetting::cmdCancel_Click()
{
    hide();
    if (opSelectDir)
        opDir_Click();
    else
        opAutoName_Click();
    reject();
}

void FrmOutputSetting::cmdBrowse_Click()
{
    try {
        const QString start = txtDir->text().isEmpty() ? LastUsedFolder() : txtDir->text();
        FrmSelectDir& picker = frmSelectDir();
        picker.setDir1Path(start);
        if (picker.OpenForm())
            txtDir->setText(FrmSelectDir::path);
    } catch (...) {
        // The picker offers a folder; nothing here is worth stopping the dialog for.
    }
}
