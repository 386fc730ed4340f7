#include "batch/frmHtmlConv.h"

#include "batch/ConvTypeChoice.h"
#include "batch/WindowLoadedFlags.h"

#include <QComboBox>

namespace {
const FileListWindowSpec kSpec = {"frmHtmlConv", "lstHtml", "tbHtml", "IDM_WINDOW_HTMLCONVERT", 8007, false, false, true, true, false, 5010, 5011, 8000};
} // namespace

FrmHtmlConv& frmHtmlConv()
{
    return LoadForm<FrmHtmlConv>();
}

FrmHtmlConv::FrmHtmlConv()
    : FileListWindow(kSpec)
{
    lstHtml = m_grid;
    cbCodeConv = new QComboBox(this);
    cbCodeConv->setObjectName(QStringLiteral("cbCodeConv"));
    cbPhraseConv = new QComboBox(this);
    cbPhraseConv->setObjectName(QStringLiteral("cbPhraseConv"));
    AddToToolbarRow(cbCodeConv);
    AddToToolbarRow(cbPhraseConv);
    connect(cbCodeConv, &QComboBox::currentIndexChanged, this, [this] { cbCodeConv_Click(); });
}

void FrmHtmlConv::Form_Load()
{
    LoadCommon();
    FillCodeConv(cbCodeConv);
    cbCodeConv->setCurrentIndex(0);
    cbPhraseConv->setCurrentIndex(0);
    gbHtmlConvLoaded = true;
}

void FrmHtmlConv::cbCodeConv_Click()
{
    RefillPhraseConv(cbCodeConv->currentIndex(), cbPhraseConv);
}
