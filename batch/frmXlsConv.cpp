#include "batch/frmXlsConv.h"

#include "batch/WindowLoadedFlags.h"

namespace {
const FileListWindowSetup kSetup = {"frmXlsConv", "lstXls", "tbXls", "IDM_WINDOW_XLSCONVERT", 8011, false, true, true, true, false, 5010, 5011, 8000};
} // namespace

FrmXlsConv& frmXlsConv()
{
    return LoadForm<FrmXlsConv>();
}

FrmXlsConv::FrmXlsConv()
    : CodeConvWindow(kSetup, gbXlsConvLoaded)
{
    lstXls = m_grid;
}
