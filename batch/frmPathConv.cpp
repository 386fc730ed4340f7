#include "batch/frmPathConv.h"

#include "batch/ConvTypeChoice.h"
#include "batch/WindowLoadedFlags.h"

#include <QCheckBox>
#include <QComboBox>

namespace {
const FileListWindowSpec kSpec = {"frmPathConv", "lstPath", "tbHtml", "IDM_WINDOW_PATHCONVERT", 8013,
                                  false, false, false, false, true, 5013, 5014, 6000};
} // namespace

FrmPathConv& frmPathConv()
{
    return LoadForm<FrmPathConv>();
}

FrmPathConv::FrmPathConv()
    : FileListWindow(kSpec)
{
    lstPath = m_grid;
    cbCodeConv = new QComboBox(this);
    cbCodeConv->setObjectName(QStringLiteral("cbCodeConv"));
    cbPhraseConv = new QComboBox(this);
    cbPhraseConv->setObjectName(QStringLiteral("cbPhraseConv"));
    chkConvMSOFiles = new QCheckBox(QStringLiteral("含Office档"), this);
    chkConvMSOFiles->setObjectName(QStringLiteral("chkConvMSOFiles"));
    AddToToolbarRow(cbCodeConv);
    AddToToolbarRow(cbPhraseConv);
    AddToToolbarRow(chkConvMSOFiles);
    connect(cbCodeConv, &QComboBox::currentIndexChanged, this, [this] { cbCodeConv_Click(); });
}

void FrmPathConv::Form_Load()
{
    LoadCommon();
    FillCodeConv(cbCodeConv);
    cbCodeConv->setCurrentIndex(0);
    cbPhraseConv->setCurrentIndex(0);
    chkConvMSOFiles->setChecked(false);
    gbPathConvLoaded = true;
}

void FrmPathConv::cbCodeConv_Click()
{
    RefillPhraseConv(cbCodeConv->currentIndex(), cbPhraseConv);
}
