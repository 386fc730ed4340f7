#include "batch/frmPathConv.h"

#include "batch/WindowLoadedFlags.h"

#include <QCheckBox>

namespace {
const FileListWindowSetup kSetup = {"frmPathConv", "lstPath", "tbHtml", "IDM_WINDOW_PATHCONVERT", 8013,
                                  false, false, false, false, true, 5013, 5014, 6000};
} // namespace

FrmPathConv& frmPathConv()
{
    return LoadForm<FrmPathConv>();
}

FrmPathConv::FrmPathConv()
    : CodeConvWindow(kSetup, gbPathConvLoaded)
{
    lstPath = m_grid;
    chkConvMSOFiles = new QCheckBox(QStringLiteral("含Office档"), this);
    chkConvMSOFiles->setObjectName(QStringLiteral("chkConvMSOFiles"));
    AddToToolbarRow(chkConvMSOFiles);
}

void FrmPathConv::Form_Load()
{
    CodeConvWindow::Form_Load();
    chkConvMSOFiles->setChecked(false);
}
