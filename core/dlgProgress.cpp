#include "core/dlgProgress.h"

#include "core/frmMain.h"
#include "platform/App.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

DlgProgress& dlgProgress()
{
    return LoadForm<DlgProgress>();
}

DlgProgress::DlgProgress()
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("dlgProgress"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("转换中．．．"), this));
    labFile = new QLabel(this);
    labFile->setObjectName(QStringLiteral("labFile"));
    labFile->setMinimumWidth(360);
    layout->addWidget(labFile);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    layout->addWidget(ProgressBar1);
}

void DlgProgress::Form_Load()
{
    FrmMain& main = frmMain();
    m_mainWasEnabled = main.isEnabled();
    main.setEnabled(false);
    setWindowTitle(AppTitle());
}

void DlgProgress::Form_Unload(int&)
{
    frmMain().setEnabled(m_mainWasEnabled);
}

void DlgProgress::DisplayCopy(const QString& strFile)
{
    labFile->setText(strFile);
    ProgressBar1->setMinimum(0);
    ProgressBar1->setMaximum(100);
    ProgressBar1->setValue(ProgressBar1->maximum());
    repaint();
}

void DlgProgress::DisplayProgress(const QString& strFile)
{
    ProgressBar1->setMinimum(0);
    ProgressBar1->setValue(ProgressBar1->minimum());
    labFile->setText(strFile);
    ProgressBar1->setMaximum(100);
    repaint();
}
