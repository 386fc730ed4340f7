#include "batch/dlgHtmlSelect.h"

#include "batch/ExtListText.h"
#include "core/FileTypes.h"
#include "platform/ButtonRow.h"
#include "platform/CommonDialog.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/LastFolder.h"
#include "resources/StringTable.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

DlgHtmlSelect& dlgHtmlSelect()
{
    return LoadForm<DlgHtmlSelect>();
}

DlgHtmlSelect::DlgHtmlSelect()
{
    setObjectName(QStringLiteral("dlgHtmlSelect"));
    setWindowTitle(QStringLiteral("站台转换"));
    txtDir = new QLineEdit(this);
    cmdBrowse = new QPushButton(QStringLiteral("浏览(&B)..."), this);
    txtExt = new QPlainTextEdit(this);
    txtExt->setPlainText(QStringLiteral("*.htm\n*.html\n"));
    chkAddTag = new QCheckBox(QStringLiteral("自动在 HTML 码中添加适当的字符集标签 (建议勾选)"), this);
    chkAddTag->setChecked(true);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消(&C)"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("请选择要转换站台网页的信息夹："), this), 0, 0, 1, 2);
    grid->addWidget(txtDir, 1, 0);
    grid->addWidget(cmdBrowse, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("转换具有以下附加档名的文件："), this), 2, 0, 1, 2);
    grid->addWidget(txtExt, 3, 0, 1, 2);
    grid->addWidget(chkAddTag, 4, 0, 1, 2);
    grid->addLayout(RightAlignedButtons({cmdOK, cmdCancel}), 5, 0, 1, 2);

    connect(cmdOK, &QPushButton::clicked, this, &DlgHtmlSelect::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &DlgHtmlSelect::cmdCancel_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, [this] {
        const QString chosen = BrowseForFolder(LoadResString(4030), txtDir->text());
        if (!chosen.isEmpty())
            txtDir->setText(chosen);
    });
}

void DlgHtmlSelect::Form_Load()
{
    txtDir->setText(LastUsedFolder());
}

bool DlgHtmlSelect::OpenDlg()
{
    return modal::execDialog(*this) == QDialog::Accepted;
}

void DlgHtmlSelect::cmdOK_Click()
{
    if (txtDir->text().isEmpty()) {
        MsgBox(LoadResString(4002), vbOKOnly, windowTitle());
        return;
    }
    if (!QFileInfo(txtDir->text()).isDir()) {
        MsgBox(txtDir->text() + QStringLiteral(" ") + LoadResString(4003), vbOKOnly, windowTitle());
        return;
    }
    // No extension at all would leave no file counted as a web page.
    if (!ExtTextHasExtension(txtExt->toPlainText())) {
        MsgBox(LoadResString(4004), vbOKOnly, windowTitle());
        return;
    }
    path = txtDir->text();
    RememberUsedFolder(path);
    ParseExtList(gcolHtmlExt, txtExt->toPlainText());
    hide();
    accept();
}

void DlgHtmlSelect::cmdCancel_Click()
{
    hide();
    reject();
}
