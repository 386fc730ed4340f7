#include "instant/dlgDbOrUni.h"

#include "platform/Modal.h"

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

const QString kAskB5Key = QStringLiteral("正从剪贴板或文件拖曳之内码是繁体 BIG5 或 繁体 UNICODE?");
const QString kAskB5Paste = QStringLiteral("正从剪贴板或文件拖曳之内码是是繁体 BIG5 或 繁体 UNICODE?");

int AskDbOrUni(QWidget* parent, const QString& traditionalLabel)
{
    dlgDbOrUni question(parent);
    if (!traditionalLabel.isEmpty()) {
        question.Label1->setText(traditionalLabel);
        question.cmdDB->setText(QStringLiteral("繁体 BIG5"));
        question.cmdUnicode->setText(QStringLiteral("繁体 UNICODE"));
    }
    modal::execDialog(question);
    return question.icType;
}
