#include "batch/frmDocConv.h"

#include "batch/WindowLoadedFlags.h"

namespace {
const FileListWindowSetup kSetup = {"frmDocConv", "lstDoc", "tbDoc", "IDM_WINDOW_DOCCONVERT", 8006, true, true, true, true, false, 5010, 5011, 8000};
} // namespace

FrmDocConv& frmDocConv()
{
    return LoadForm<FrmDocConv>();
}

FrmDocConv::FrmDocConv()
    : CodeConvWindow(kSetup, gbDocConvLoaded)
{
    lstDoc = m_grid;
}
