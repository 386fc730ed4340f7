#include "batch/frmPptConv.h"

#include "batch/WindowLoadedFlags.h"

namespace {
const FileListWindowSpec kSpec = {"frmPptConv", "lstPpt", "tbPpt", "IDM_WINDOW_PPTCONVERT", 8012, false, true, true, true, false, 5010, 5011, 8000};
} // namespace

FrmPptConv& frmPptConv()
{
    return LoadForm<FrmPptConv>();
}

FrmPptConv::FrmPptConv()
    : CodeConvWindow(kSpec, gbPptConvLoaded)
{
    lstPpt = m_grid;
}
