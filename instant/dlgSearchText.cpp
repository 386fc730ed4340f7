#include "instant/dlgSearchText.h"

#include "instant/dlgReplaceText.h"
#include "platform/Modal.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

QPointer<QPlainTextEdit> dlgSearchText::txtBox;

dlgSearchText::dlgSearchText() : SearchDialogBase(QStringLiteral("搜寻文字"), false)
{
    setObjectName(QStringLiteral("dlgSearchText"));
    cmdReplace = new QPushButton(QStringLiteral("替换..."), this);
    cmdReplace->setEnabled(false);
    cmdReplace->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(txtSearch, 0, 1);
    layout->addWidget(cmdSearch, 0, 2);
    layout->addWidget(cmdReplace, 1, 2);
    layout->addWidget(cmdCancel, 2, 2);
    layout->setColumnStretch(1, 1);

    connect(cmdReplace, &QPushButton::clicked, this, &dlgSearchText::cmdReplace_Click);
}

void dlgSearchText::Form_Load()
{
    if (!txtBox)
        return;
    txtSearch->setFont(txtBox->font());
    // A selection over several lines holds paragraph separators where the box's text has "\n".
    QString selected = txtBox->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    txtSearch->setText(selected);
    txtSearch->selectAll();
}

void dlgSearchText::cmdReplace_Click()
{
    dlgReplaceText::strSearch = txtSearch->text();
    dlgReplaceText::txtBox = txtBox;
    // The replace dialog is shown once this one has closed (FindString).
    m_handOver = true;
    reject();
}

void dlgSearchText::FindString()
{
    dlgSearchText& dialog = LoadForm<dlgSearchText>();
    modal::execDialog(dialog);
    const bool handOver = dialog.m_handOver;
    UnloadForm<dlgSearchText>();
    if (handOver)
        dlgReplaceText::ReplaceString();
}
