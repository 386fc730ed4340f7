#include "batch/frmPathConv.h"

#include "batch/BatchRuns.h"
#include "batch/FileList.h"
#include "core/RowsOutcome.h"
#include "batch/WindowLoadedFlags.h"
#include "batch/dlgHtmlSelect.h"
#include "batch/FileListChangeOutput.h"
#include "core/FileTypes.h"
#include "core/ScheduleDialog.h"
#include "core/frmMain.h"

#include <QTimer>

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

void FrmPathConv::AddFiles()
{
    DlgHtmlSelect& select = dlgHtmlSelect();
    if (!select.OpenDlg())
        return;
    bool ok = false;
    GetConvSetting(ok);
    if (ok)
        DirListAdd(lstPath, select.path, bB52GB, bCode, bPhrase, bL2R, true);
}

void FrmPathConv::AddChosenFiles(const QStringList&) {}

void FrmPathConv::AddDroppedFiles(const QStringList& dropped)
{
    DirListDDropAdd(lstPath, dropped, gcolHtmlExt, gcolNoExt, bB52GB, bCode, bPhrase, bL2R, true);
}

RunOutcome FrmPathConv::RunConversion()
{
    const bool office = chkConvMSOFiles->isChecked();
    const bool finished = ExecutePathConv(lstPath, bCode, bPhrase, bB52GB, bL2R, gcolHtmlExt, true, office);
    return finished ? RowsOutcome(lstPath) : RunOutcome::Failed;
}

void FrmPathConv::Schedule()
{
    // No scheduled run may start while the schedule window is open.
    QTimer* timer = frmMain().Timer1;
    timer->stop();
    ShowScheduleDialogOverMainWindow();
    timer->start();
}

void FrmPathConv::ChangeOutput() { FileListChangeOutput(lstPath, true, ListedRows::Folders); }
