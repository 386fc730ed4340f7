#include "batch/frmXlsConv.h"

#include "batch/FileListChangeType.h"
#include "batch/BatchRuns.h"
#include "batch/CheckPCTOK.h"
#include "batch/FileList.h"
#include "core/RowsOutcome.h"
#include "batch/WindowLoadedFlags.h"
#include "core/FileTypes.h"
#include "core/frmMain.h"

namespace {
const FileListWindowSetup kSetup = {"frmXlsConv", "lstXls", "tbXls", "IDM_WINDOW_XLSCONVERT", 8011, false, true, true, true, false, 5010, 5011, 8000,
    "Text Files (*.txt)|*.txt|Excel Files (*.xls;*.xlsx;*.xlsm)|*.xls;*.xlsx;*.xlsm|All Files (*.*)|*.*", &OfficeServices::DetectExcel, 2006};
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

void FrmXlsConv::AddChosenFiles(const QStringList& files)
{
    FileListPopulateFiles4(lstXls, files, gcolXlsExt, gcolTextExt, bB52GB, bCode, bPhrase, bL2R, false);
}

void FrmXlsConv::AddDroppedFiles(const QStringList& dropped)
{
    FileListPopulateFiles5(lstXls, dropped, gcolXlsExt, gcolTextExt, bB52GB, bCode, bPhrase, bL2R, false);
}

RunOutcome FrmXlsConv::RunConversion()
{
    if (!CheckPCTOK())
        bPhrase = false;
    // No menu, toolbar or window switch may reach a work window while Office works.
    frmMain().setEnabled(false);
    ExecuteXlsConv(lstXls, bCode, bPhrase, bB52GB, bL2R);
    frmMain().setEnabled(true);
    return RowsOutcome(lstXls);
}

void FrmXlsConv::ChangeType()
{
    FileListChangeTypeXls(lstXls);
}
