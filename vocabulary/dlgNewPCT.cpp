#include "vocabulary/dlgNewPCT.h"

#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "resources/StringTable.h"
#include "vocabulary/FocusOutHook.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString WithTableExtension(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return name;
    return name + QStringLiteral(".pct");
}

DlgNewPCT::DlgNewPCT()
{
    setObjectName(QStringLiteral("dlgNewPCT"));
    setWindowTitle(QStringLiteral("新增词汇表"));

    Label1 = new QLabel(QStringLiteral("新词汇表名称："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtPCTName = new QLineEdit(this);
    txtPCTName->setObjectName(QStringLiteral("txtPCTName"));
    OnFocusOut(txtPCTName, [this] { txtPCTName_LostFocus(); });
    chbLockPCT = new QCheckBox(QStringLiteral("专有名词词汇表"), this);
    chbLockPCT->setObjectName(QStringLiteral("chbLockPCT"));
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(txtPCTName);
    layout->addWidget(chbLockPCT);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

bool DlgNewPCT::ShowDlg()
{
    m_ok = false;
    txtPCTName->clear();
    chbLockPCT->setChecked(false);
    txtPCTName->setFocus();
    modal::execDialog(*this);
    const bool ok = m_ok;
    UnloadForm<DlgNewPCT>();
    return ok;
}

void DlgNewPCT::txtPCTName_LostFocus()
{
    txtPCTName->setText(WithTableExtension(txtPCTName->text()));
}

void DlgNewPCT::cmdOK_Click()
{
    // The name confirmed with Enter gets its extension as well as one that lost the focus.
    txtPCTName_LostFocus();
    const QString name = txtPCTName->text();
    if (name.isEmpty()) {
        MsgBox(LoadResString(4009), vbInformation, windowTitle());
        txtPCTName->setFocus();
        return;
    }
    // The test looks at the very path the table will be created at.
    const QString path = PathJoin(ProgramFolder(), name);
    if (QFileInfo::exists(path)) {
        MsgBox(name + QStringLiteral(" ") + LoadResString(4010), vbInformation, windowTitle());
        return;
    }
    PCTName = path;
    bLockPCT = chbLockPCT->isChecked();
    m_ok = true;
    accept();
}

void DlgNewPCT::cmdCancel_Click()
{
    m_ok = false;
    reject();
}

DlgNewPCT& dlgNewPCT() { return LoadForm<DlgNewPCT>(); }
