#include "batch/CodeConvWindow.h"

#include "core/ConvTypeChoice.h"

#include <QComboBox>

CodeConvWindow::CodeConvWindow(const FileListWindowSetup& setup, bool& loadedFlag)
    : FileListWindow(setup)
    , m_loadedFlag(loadedFlag)
{
    cbCodeConv = new QComboBox(this);
    cbCodeConv->setObjectName(QStringLiteral("cbCodeConv"));
    cbPhraseConv = new QComboBox(this);
    cbPhraseConv->setObjectName(QStringLiteral("cbPhraseConv"));
    AddToToolbarRow(cbCodeConv);
    AddToToolbarRow(cbPhraseConv);
    connect(cbCodeConv, &QComboBox::currentIndexChanged, this, [this] { cbCodeConv_Click(); });
}

void CodeConvWindow::Form_Load()
{
    LoadCommon();
    FillCodeConv(cbCodeConv);
    cbCodeConv->setCurrentIndex(0);
    cbPhraseConv->setCurrentIndex(0);
    m_loadedFlag = true;
}

void CodeConvWindow::cbCodeConv_Click()
{
    RefillPhraseConv(cbCodeConv->currentIndex(), cbPhraseConv);
}
