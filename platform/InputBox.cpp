#include "platform/InputBox.h"

#include "platform/Modal.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText, bool password)
{
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(prompt, &dialog));
    auto* text = new QLineEdit(defaultText, &dialog);
    text->setObjectName(QStringLiteral("txtInput"));
    if (password)
        text->setEchoMode(QLineEdit::Password);
    layout->addWidget(text);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("确定"), &dialog);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), &dialog);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    if (modal::execDialog(dialog) != QDialog::Accepted)
        return QString();
    return text->text();
}
