#include "instant/dlgFileType.h"

#include "platform/Modal.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

dlgFileType::dlgFileType(QWidget* parent, int preselected) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgFileType"));
    setWindowTitle(QStringLiteral("请选择文件类型"));
    opTBig5 = new QRadioButton(QStringLiteral("繁体 BIG5"), this);
    opTUnicode = new QRadioButton(QStringLiteral("繁体 UNICODE"), this);
    opSGB = new QRadioButton(QStringLiteral("简体 GB"), this);
    opSUnicode = new QRadioButton(QStringLiteral("简体 UNICODE"), this);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdOK->setDefault(true);

    auto* options = new QGridLayout;
    options->addWidget(opTBig5, 0, 0);
    options->addWidget(opTUnicode, 1, 0);
    options->addWidget(opSGB, 0, 1);
    options->addWidget(opSUnicode, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(buttons);

    const QList<QPair<QRadioButton*, int>> choices = {{opTBig5, 1}, {opTUnicode, 2}, {opSGB, 3}, {opSUnicode, 4}};
    answer = preselected >= 1 && preselected <= 4 ? preselected : 1;
    choices[answer - 1].first->setChecked(true);
    for (const auto& [option, value] : choices)
        connect(option, &QRadioButton::clicked, this, [this, value = value] { answer = value; });
    connect(cmdOK, &QPushButton::clicked, this, &dlgFileType::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &dlgFileType::cmdCancel_Click);
}

void dlgFileType::cmdOK_Click()
{
    accept();
}

void dlgFileType::cmdCancel_Click()
{
    answer = 0;
    reject();
}

int dlgFileType::ShowForm(int preselected)
{
    dlgFileType dialog(QApplication::activeWindow(), preselected);
    // Closing the dialog without OK cancels the open.
    return modal::execDialog(dialog) == QDialog::Accepted ? dialog.answer : 0;
}
