#include "batch/frmPptConv.h"

#include "batch/ConvTypeChoice.h"
#include "batch/WindowLoadedFlags.h"

#include <QComboBox>

namespace {
const FileListWindowSpec kSpec = {"frmPptConv", "lstPpt", "tbPpt", "IDM_WINDOW_PPTCONVERT", 8012, false, true, true, true, false, 5010, 5011, 8000};
} // namespace

FrmPptConv& frmPptConv()
{
    return LoadForm<FrmPptConv>();
}

FrmPptConv::FrmPptConv()
    : FileListWindow(kSpec)
{
    lstPpt = m_grid;
    cbCodeConv = new QComboBox(this);
    cbCodeConv->setObjectName(QStringLiteral("cbCodeConv"));
    cbPhraseConv = new QComboBox(this);
    cbPhraseConv->setObjectName(QStringLiteral("cbPhraseConv"));
    AddToToolbarRow(cbCodeConv);
    AddToToolbarRow(cbPhraseConv);
    connect(cbCodeConv, &QComboBox::currentIndexChanged, this, [this] { cbCodeConv_Click(); });
}

void FrmPptConv::Form_Load()
{
    LoadCommon();
    FillCodeConv(cbCodeConv);
    cbCodeConv->setCurrentIndex(0);
    cbPhraseConv->setCurrentIndex(0);
    gbPptConvLoaded = true;
}

void FrmPptConv::cbCodeConv_Click()
{
    RefillPhraseConv(cbCodeConv->currentIndex(), cbPhraseConv);
}
