#include "batch/CodeConvWindow.h"

#include "batch/ComboWidth.h"
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
    FitPhraseConv(cbPhraseConv);
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

void CodeConvWindow::ReadConvFlags()
{
    const bool firstPhraseItem = cbPhraseConv->currentIndex() == 0;
    const bool secondPhraseItem = cbPhraseConv->currentIndex() == 1;
    switch (cbCodeConv->currentIndex()) {
    case 0: // Simplified to Traditional
    case 1: // Traditional to Simplified
        bCode = true;
        bPhrase = firstPhraseItem;
        bB52GB = bL2R = cbCodeConv->currentIndex() == 1;
        break;
    case 2: // Simplified file, vocabulary only
    case 3: // Traditional file, vocabulary only
        bCode = false;
        bPhrase = true;
        bB52GB = cbCodeConv->currentIndex() == 3;
        bL2R = !secondPhraseItem;
        break;
    default:
        break;
    }
}
