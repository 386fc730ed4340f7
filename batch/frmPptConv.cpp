#include "batch/frmPptConv.h"

#include "batch/WindowLoadedFlags.h"

namespace {
const FileListWindowSetup kSetup = {"frmPptConv", "lstPpt", "tbPpt", "IDM_WINDOW_PPTCONVERT", 8012, false, true, true, true, false, 5010, 5011, 8000};
} // namespace

FrmPptConv& frmPptConv()
{
    return LoadForm<FrmPptConv>();
}

FrmPptConv::FrmPptConv()
    : CodeConvWindow(kSetup, gbPptConvLoaded)
{
    lstPpt = m_grid;
}
