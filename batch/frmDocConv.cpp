#include "batch/frmDocConv.h"

#include "batch/ConvTypeChoice.h"
#include "batch/WindowLoadedFlags.h"

#include <QComboBox>

namespace {
const FileListWindowSpec kSpec = {"frmDocConv", "lstDoc", "tbDoc", "IDM_WINDOW_DOCCONVERT", 8006, true, true, true, true, false, 5010, 5011, 8000};
} // namespace

FrmDocConv& frmDocConv()
{
    return LoadForm<FrmDocConv>();
}

FrmDocConv::FrmDocConv()
    : FileListWindow(kSpec)
{
    lstDoc = m_grid;
    cbCodeConv = new QComboBox(this);
    cbCodeConv->setObjectName(QStringLiteral("cbCodeConv"));
    cbPhraseConv = new QComboBox(this);
    cbPhraseConv->setObjectName(QStringLiteral("cbPhraseConv"));
    AddToToolbarRow(cbCodeConv);
    AddToToolbarRow(cbPhraseConv);
    connect(cbCodeConv, &QComboBox::currentIndexChanged, this, [this] { cbCodeConv_Click(); });
}

void FrmDocConv::Form_Load()
{
    LoadCommon();
    FillCodeConv(cbCodeConv);
    cbCodeConv->setCurrentIndex(0);
    cbPhraseConv->setCurrentIndex(0);
    gbDocConvLoaded = true;
}

void FrmDocConv::cbCodeConv_Click()
{
    RefillPhraseConv(cbCodeConv->currentIndex(), cbPhraseConv);
}
