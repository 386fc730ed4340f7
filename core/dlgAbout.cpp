#include "core/dlgAbout.h"

#include "platform/App.h"
#include "platform/Modal.h"
#include "resources/Pictures.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

DlgAbout& dlgAbout()
{
    return LoadForm<DlgAbout>();
}

DlgAbout::DlgAbout()
{
    setObjectName(QStringLiteral("dlgAbout"));
    setWindowTitle(QStringLiteral("关于 Velmora"));
    picIcon = new QLabel(this);
    picIcon->setPixmap(ProgramIcon().pixmap(48, 48));
    lblTitle = new QLabel(QStringLiteral("Title"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    Label2 = new QLabel(QStringLiteral("版本: 5.7"), this);
    labVersion = new QLabel(this);
    lblDisclaimer = new QLabel(QStringLiteral("更新的字符转换表与专业用词词汇表会在 tezdesk 的项目网站上发布。"), this);
    lblDisclaimer->setWordWrap(true);
    auto* line1 = new QFrame(this);
    line1->setFrameShape(QFrame::HLine);
    lblCompany = new QLabel(QStringLiteral("tezdesk 开发团队"), this);
    lblWeb = new QLabel(QStringLiteral("简体与繁体中文互转的桌面程序"), this);
    lblRights = new QLabel(QStringLiteral("字符与词汇数据取自 OpenCC 词典（Apache-2.0 许可）。本程序按原样提供，不附带任何担保。"), this);
    lblRights->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(labVersion, 2, 1);
    grid->addWidget(lblDisclaimer, 3, 1);
    grid->addWidget(line1, 4, 0, 1, 2);
    grid->addWidget(lblCompany, 5, 1);
    grid->addWidget(lblWeb, 6, 1);
    grid->addWidget(lblRights, 7, 1);
    grid->addWidget(cmdOK, 8, 1, Qt::AlignRight);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept); // ShowAbout unloads it
}

void DlgAbout::Form_Load()
{
    lblTitle->setText(AppTitle());
}

void ShowAbout()
{
    DlgAbout& about = dlgAbout();
    modal::execDialog(about);
    UnloadForm<DlgAbout>();
}
