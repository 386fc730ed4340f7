#include "batch/frmXlsConv.h"

#include "batch/ConvTypeChoice.h"
#include "batch/WindowLoadedFlags.h"

#include <QComboBox>

namespace {
const FileListWindowSpec kSpec = {"frmXlsConv", "lstXls", "tbXls", "IDM_WINDOW_XLSCONVERT", 8011, false, true, true, true, false, 5010, 5011, 8000};
} // namespace

FrmXlsConv& frmXlsConv()
{
    return LoadForm<FrmXlsConv>();
}

FrmXlsConv::FrmXlsConv()
    : FileListWindow(kSpec)
{
    lstXls = m_grid;
    cbCodeConv = new QComboBox(this);
    cbCodeConv->setObjectName(QStringLiteral("cbCodeConv"));
    cbPhraseConv = new QComboBox(this);
    cbPhraseConv->setObjectName(QStringLiteral("cbPhraseConv"));
    AddToToolbarRow(cbCodeConv);
    AddToToolbarRow(cbPhraseConv);
    connect(cbCodeConv, &QComboBox::currentIndexChanged, this, [this] { cbCodeConv_Click(); });
}

void FrmXlsConv::Form_Load()
{
    LoadCommon();
    FillCodeConv(cbCodeConv);
    cbCodeConv->setCurrentIndex(0);
    cbPhraseConv->setCurrentIndex(0);
    gbXlsConvLoaded = true;
}

void FrmXlsConv::cbCodeConv_Click()
{
    RefillPhraseConv(cbCodeConv->currentIndex(), cbPhraseConv);
}
