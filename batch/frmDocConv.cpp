#include "batch/frmDocConv.h"

#include "batch/FileListChangeType.h"
#include "batch/BatchRuns.h"
#include "batch/FileList.h"
#include "core/RowsOutcome.h"
#include "batch/WindowLoadedFlags.h"
#include "core/FileTypes.h"

namespace {
const FileListWindowSetup kSetup = {"frmDocConv", "lstDoc", "tbDoc", "IDM_WINDOW_DOCCONVERT", 8006, true, true, true, true, false, 5010, 5011, 8000,
    "All Files (*.*)|*.*|Text Files (*.txt)|*.txt|Doc Files (*.doc;*.docx;*.docm;*.dotx)|*.doc;*.docx;*.docm;*.dotx|Other Files (*.rtf;*.pab;*.olk;*.scd;*.xls;*.xlw;*.wk1;*.wk3;*.wk4;*.sam;*mcw;*.wri;*.cwi)|*.rtf;*.pab;*.olk;*.scd;*.xls;*.xlw;*.wk1;*.wk3;*.wk4;*.sam;*mcw;*.wri;*.cwi",
    &OfficeServices::DetectWord, 2005};
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

void FrmDocConv::Form_Load()
{
    CodeConvWindow::Form_Load();
}

void FrmDocConv::AddChosenFiles(const QStringList& files)
{
    FileListPopulateDoc(lstDoc, files, gcolTextExt, gcolWordExt, bB52GB, bCode, bPhrase, bL2R, false);
}

void FrmDocConv::AddDroppedFiles(const QStringList& dropped)
{
    FileListDropFiles(lstDoc, dropped, gcolTextExt, gcolWordExt, bB52GB, bCode, bPhrase, bL2R, false);
}

RunOutcome FrmDocConv::RunConversion()
{
    ExecuteDocConv(lstDoc, bCode, bPhrase, bB52GB, bL2R);
    return RowsOutcome(lstDoc);
}

void FrmDocConv::ChangeType()
{
    FileListChangeTypeDoc(lstDoc);
}
