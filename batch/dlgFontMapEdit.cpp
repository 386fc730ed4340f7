#include "batch/dlgFontMapEdit.h"

#include "platform/ButtonRow.h"
#include "platform/Modal.h"
#include "platform/Twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

DlgFontMapEdit& dlgFontMapEdit()
{
    return LoadForm<DlgFontMapEdit>();
}

DlgFontMapEdit::DlgFontMapEdit()
{
    setObjectName(QStringLiteral("dlgFontMapEdit"));
    setWindowTitle(QStringLiteral("繁简字型对映"));
    Label1 = new QLabel(QStringLiteral("繁体字型 :"), this);
    txtB5 = new QLineEdit(this);
    txtB5->setMinimumWidth(TwipsToPixels(3000));
    Label2 = new QLabel(QStringLiteral("简体字型 :"), this);
    txtGB = new QLineEdit(this);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtB5, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtGB, 1, 1);
    grid->addLayout(RightAlignedButtons({cmdOK, cmdCancel}), 2, 0, 1, 2);

    connect(cmdOK, &QPushButton::clicked, this, &DlgFontMapEdit::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &DlgFontMapEdit::cmdCancel_Click);
}

bool DlgFontMapEdit::ShowDlg()
{
    txtB5->setText(strB5Font);
    txtGB->setText(strGBFont);
    modal::execDialog(*this);
    const bool ok = m_ok;
    UnloadForm<DlgFontMapEdit>();
    return ok;
}

void DlgFontMapEdit::cmdOK_Click()
{
    m_ok = true;
    strB5Font = txtB5->text();
    strGBFont = txtGB->text();
    accept();
}

void DlgFontMapEdit::cmdCancel_Click()
{
    m_ok = false;
    QDialog::reject();
}

void DlgFontMapEdit::reject()
{
    cmdCancel_Click();
}
