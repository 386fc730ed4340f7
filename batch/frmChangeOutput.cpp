#include "batch/frmChangeOutput.h"

#include "batch/FolderPath.h"
#include "batch/OutputConflicts.h"
#include "batch/frmSelectDir.h"
#include "platform/ButtonRow.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmChangeOutput& frmChangeOutput()
{
    return LoadForm<FrmChangeOutput>();
}

FrmChangeOutput::FrmChangeOutput()
{
    setObjectName(QStringLiteral("frmChangeOutput"));
    setWindowTitle(QStringLiteral("更改输出文件"));
    Label1 = new QLabel(QStringLiteral("输入文件："), this);
    lbInputFile = new QLabel(this);
    lbInputFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label2 = new QLabel(QStringLiteral("输出文件："), this);
    txtOutput = new QLineEdit(this);
    txtOutput->setMinimumWidth(TwipsToPixels(5400));
    cmdBrowse = new QPushButton(QStringLiteral("浏览(&B)..."), this);
    chkAddTag = new QCheckBox(QStringLiteral("自动在 HTML 码中添加适当的字符集标签 (建议勾选)"), this);
    cmdOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(lbInputFile, 1, 0, 1, 2);
    grid->addWidget(Label2, 2, 0, 1, 2);
    grid->addWidget(txtOutput, 3, 0);
    grid->addWidget(cmdBrowse, 3, 1);
    grid->addWidget(chkAddTag, 4, 0, 1, 2);
    grid->addLayout(RightAlignedButtons({cmdOK, cmdCancel}), 5, 0, 1, 2);

    connect(cmdOK, &QPushButton::clicked, this, &FrmChangeOutput::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FrmChangeOutput::cmdCancel_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &FrmChangeOutput::cmdBrowse_Click);
}

void FrmChangeOutput::OpenForm()
{
    lbInputFile->setText(InputPath);
    txtOutput->setText(path);
    chkAddTag->setEnabled(true);
    chkAddTag->setChecked(addTag);
    chkAddTag->setVisible(showAddTag);
    modal::execDialog(*this);
    UnloadForm<FrmChangeOutput>();
}

void FrmChangeOutput::cmdOK_Click()
{
    const QString typed = TypedOutput(txtOutput->text(), InputPath);
    // An output that would write over an input is refused; the dialog stays open.
    const QString conflict = typed.isEmpty() ? QString()
                           : folderRow       ? FolderOutputConflict(typed, InputPath, otherInputs)
                                             : FileOutputConflict(typed, InputPath, otherInputs);
    if (!conflict.isEmpty()) {
        MsgBox(conflict, vbExclamation, windowTitle());
        return;
    }
    path = typed;
    addTag = chkAddTag->isChecked();
    accept();
}

void FrmChangeOutput::cmdCancel_Click()
{
    path.clear();
    QDialog::reject();
}

void FrmChangeOutput::reject()
{
    // Closed without OK: the row is left alone.
    cmdCancel_Click();
}

void FrmChangeOutput::cmdBrowse_Click()
{
    if (frmSelectDir().OpenForm())
        txtOutput->setText(BrowsedOutput(FrmSelectDir::path, txtOutput->text(), InputPath, folderRow));
}

QString BrowsedOutput(const QString& chosenFolder, const QString& currentOutput, const QString& input, bool folderRow)
{
    if (folderRow)
        return chosenFolder;
    QString name = QFileInfo(currentOutput).fileName();
    if (name.isEmpty())
        name = LastPathComponent(input);
    return JoinPath(chosenFolder, name);
}

QString TypedOutput(const QString& typed, const QString& input)
{
    if (typed.isEmpty() || !QDir::isRelativePath(typed))
        return typed;
    const QString inputFolder = QFileInfo(WithoutTrailingSlash(input)).path();
    return QDir::cleanPath(JoinPath(inputFolder, typed));
}
