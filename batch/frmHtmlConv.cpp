#include "batch/frmHtmlConv.h"

#include "batch/CheckHtmlExt.h"
#include "batch/FileListChangeType.h"
#include "batch/BatchRuns.h"
#include "batch/FileList.h"
#include "core/RowsOutcome.h"
#include "batch/WindowLoadedFlags.h"
#include "batch/dlgHtmlSelect.h"
#include "batch/FileListChangeOutput.h"
#include "core/FileTypes.h"

#include <QCheckBox>
#include <QCoreApplication>

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

void FrmHtmlConv::AddFiles()
{
    DlgHtmlSelect& select = dlgHtmlSelect();
    if (!select.OpenDlg())
        return;
    bool ok = false;
    GetConvSetting(ok);
    if (!ok)
        return;
    // Repaint what the closed dialogs covered before the folder walk.
    QCoreApplication::processEvents();
    FileListPopulateHtml(lstHtml, select.path, gcolHtmlExt, gcolNoExt, bB52GB, bCode, bPhrase, bL2R,
                         select.chkAddTag->isChecked());
}

void FrmHtmlConv::AddChosenFiles(const QStringList&) {}

void FrmHtmlConv::AddDroppedFiles(const QStringList& dropped)
{
    FileListDropFiles(lstHtml, dropped, gcolHtmlExt, gcolNoExt, bB52GB, bCode, bPhrase, bL2R, true);
}

RunOutcome FrmHtmlConv::RunConversion()
{
    ExecuteHtmlConv(lstHtml, bCode, bPhrase, bB52GB, bL2R);
    return RowsOutcome(lstHtml);
}

void FrmHtmlConv::ChangeType()
{
    FileListChangeTypeOther(lstHtml);
    // Also after Cancel: the rows follow the web-page extensions in force.
    CheckHtmlExt(lstHtml, gcolHtmlExt);
}

void FrmHtmlConv::ChangeOutput() { FileListChangeOutput(lstHtml, true); }
