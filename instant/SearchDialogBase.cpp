#include "instant/SearchDialogBase.h"

#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

SearchDialogBase::SearchDialogBase(const QString& caption, bool resetAtEnd) : m_resetAtEnd(resetAtEnd)
{
    setWindowTitle(caption);
    Label1 = new QLabel(QStringLiteral("寻找目标："), this);
    txtSearch = new QLineEdit(this);
    cmdSearch = new QPushButton(QStringLiteral("找下一个"), this);
    cmdCancel = new QPushButton(QStringLiteral("退出"), this);
    cmdSearch->setEnabled(false);
    cmdSearch->setDefault(true);
    cmdCancel->setAutoDefault(false);
    connect(txtSearch, &QLineEdit::textChanged, this, &SearchDialogBase::txtSearch_Change);
    connect(cmdSearch, &QPushButton::clicked, this, &SearchDialogBase::cmdSearch_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &SearchDialogBase::cmdCancel_Click);
}

void SearchDialogBase::txtSearch_Change()
{
    const bool hasText = !txtSearch->text().isEmpty();
    for (QPushButton* button : SearchButtons())
        button->setEnabled(hasText);
    if (QPlainTextEdit* box = Box())
        lSearchPos = box->textCursor().selectionStart();
}

void SearchDialogBase::cmdSearch_Click()
{
    QPlainTextEdit* box = Box();
    if (!box)
        return;
    QTextCursor cursor = box->textCursor();
    if (!cursor.hasSelection())
        lSearchPos = cursor.selectionStart();

    const QString text = box->toPlainText();
    const QString search = txtSearch->text();
    const qsizetype hit = text.indexOf(search, lSearchPos, Qt::CaseSensitive);
    if (hit < 0 && lSearchPos == 0) {
        MsgBox(LoadResString(4013), vbOKOnly, windowTitle());
        return;
    }
    if (hit < 0) {
        MsgBox(LoadResString(4014), vbOKOnly, windowTitle());
        cursor.setPosition(0);
        box->setTextCursor(cursor);
        if (m_resetAtEnd)
            lSearchPos = 0;
        return;
    }
    cursor.setPosition(static_cast<int>(hit));
    cursor.setPosition(static_cast<int>(hit + search.size()), QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    lSearchPos = box->textCursor().selectionEnd();
}

void SearchDialogBase::cmdCancel_Click()
{
    reject();
}
