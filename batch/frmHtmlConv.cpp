#include "batch/frmHtmlConv.h"

#include "batch/WindowLoadedFlags.h"

namespace {
const FileListWindowSetup kSetup = {"frmHtmlConv", "lstHtml", "tbHtml", "IDM_WINDOW_HTMLCONVERT", 8007, false, false, true, true, false, 5010, 5011, 8000};
} // namespace

FrmHtmlConv& frmHtmlConv()
{
    return LoadForm<FrmHtmlConv>();
}

FrmHtmlConv::FrmHtmlConv()
    : CodeConvWindow(kSetup, gbHtmlConvLoaded)
{
    lstHtml = m_grid;
}
