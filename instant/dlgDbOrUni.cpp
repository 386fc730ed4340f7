#include "instant/dlgDbOrUni.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

dlgDbOrUni::dlgDbOrUni(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgDbOrUni"));
    setWindowTitle(QStringLiteral("Velmora"));
    Label1 = new QLabel(QStringLiteral("正从剪贴板或文件拖曳之内码是简体 GB 或 简体 UNICODE ?"), this);
    Label1->setWordWrap(true);
    cmdDB = new QPushButton(QStringLiteral("简体GB"), this);
    cmdUnicode = new QPushButton(QStringLiteral("简体UNICODE"), this);
    cmdDB->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDB);
    buttons->addWidget(cmdUnicode);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(buttons);

    connect(cmdDB, &QPushButton::clicked, this, &dlgDbOrUni::cmdDB_Click);
    connect(cmdUnicode, &QPushButton::clicked, this, &dlgDbOrUni::cmdUnicode_Click);
}

void dlgDbOrUni::cmdDB_Click()
{
    icType = 0;
    accept();
}

void dlgDbOrUni::cmdUnicode_Click()
{
    icType = 1;
    accept();
}
