#include "instant/dlgReplaceText.h"

#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

QString dlgReplaceText::strSearch;
QPointer<QPlainTextEdit> dlgReplaceText::txtBox;

dlgReplaceText::dlgReplaceText() : SearchDialogBase(QStringLiteral("替换文字"), true)
{
    setObjectName(QStringLiteral("dlgReplaceText"));
    Label2 = new QLabel(QStringLiteral("替换为："), this);
    txtReplace = new QLineEdit(this);
    cmdReplace = new QPushButton(QStringLiteral("替换"), this);
    cmdReplaceAll = new QPushButton(QStringLiteral("全部替换"), this);
    for (QPushButton* button : {cmdReplace, cmdReplaceAll}) {
        button->setEnabled(false);
        button->setAutoDefault(false);
    }

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(txtSearch, 0, 1);
    layout->addWidget(cmdSearch, 0, 2);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(txtReplace, 1, 1);
    layout->addWidget(cmdReplace, 1, 2);
    layout->addWidget(cmdReplaceAll, 2, 2);
    layout->addWidget(cmdCancel, 3, 2);
    layout->setColumnStretch(1, 1);

    connect(cmdReplace, &QPushButton::clicked, this, &dlgReplaceText::cmdReplace_Click);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &dlgReplaceText::cmdReplaceAll_Click);
}

void dlgReplaceText::Form_Load()
{
    if (txtBox) {
        txtSearch->setFont(txtBox->font());
        txtReplace->setFont(txtBox->font());
    }
    txtSearch->setText(strSearch);
}

void dlgReplaceText::cmdReplace_Click()
{
    if (!txtBox)
        return;
    QTextCursor cursor = txtBox->textCursor();
    if (!cursor.hasSelection()) {
        MsgBox(LoadResString(4012), vbOKOnly, windowTitle());
        return;
    }
    cursor.insertText(txtReplace->text());
    txtBox->setTextCursor(cursor);
    cmdSearch_Click();
}

void dlgReplaceText::cmdReplaceAll_Click()
{
    if (!txtBox)
        return;
    QTextCursor cursor = txtBox->textCursor();
    cursor.setPosition(0);
    txtBox->setTextCursor(cursor);
    cmdSearch_Click();
    // Each find leaves the hit selected; the search position is 0 again after the last one.
    while (lSearchPos != 0 && txtBox && txtBox->textCursor().hasSelection())
        cmdReplace_Click();
}

void dlgReplaceText::ReplaceString()
{
    dlgReplaceText& dialog = LoadForm<dlgReplaceText>();
    modal::execDialog(dialog);
    UnloadForm<dlgReplaceText>();
}
