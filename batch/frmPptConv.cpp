#include "batch/frmPptConv.h"

#include "batch/FileListChangeType.h"
#include "batch/BatchRuns.h"
#include "batch/CheckPCTOK.h"
#include "batch/FileList.h"
#include "core/RowsOutcome.h"
#include "batch/WindowLoadedFlags.h"
#include "core/FileTypes.h"
#include "core/frmMain.h"

namespace {
const FileListWindowSetup kSetup = {"frmPptConv", "lstPpt", "tbPpt", "IDM_WINDOW_PPTCONVERT", 8012, false, true, true, true, false, 5010, 5011, 8000,
    "Text Files (*.txt)|*.txt|PowerPoint Files (*.ppt;*.pptx;*.pptm;*.ppsx)|*.ppt;*.pptx;*.pptm;*.ppsx|All Files (*.*)|*.*", &OfficeServices::DetectPowerPoint, 2007};
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

void FrmPptConv::AddChosenFiles(const QStringList& files)
{
    FileListPopulateFiles4(lstPpt, files, gcolPptExt, gcolTextExt, bB52GB, bCode, bPhrase, bL2R, false);
}

void FrmPptConv::AddDroppedFiles(const QStringList& dropped)
{
    FileListPopulateFiles5(lstPpt, dropped, gcolPptExt, gcolTextExt, bB52GB, bCode, bPhrase, bL2R, false);
}

RunOutcome FrmPptConv::RunConversion()
{
    if (!CheckPCTOK())
        bPhrase = false;
    // No menu, toolbar or window switch may reach a work window while Office works.
    frmMain().setEnabled(false);
    ExecutePPTConv(lstPpt, bCode, bPhrase, bB52GB, bL2R);
    frmMain().setEnabled(true);
    return RowsOutcome(lstPpt);
}

void FrmPptConv::ChangeType()
{
    FileListChangeTypePpt(lstPpt);
}
