// The Word, Excel and PowerPoint windows' runs.
#include "batch/BatchRuns.h"

#include "core/FileRowFlags.h"
#include "batch/FileRowRun.h"
#include "batch/RowRoutes.h"
#include "core/Err.h"
#include "core/Globals.h"
#include "core/OfficeAccess.h"
#include "core/dlgProgress.h"
#include "platform/App.h"
#include "platform/FlexGrid.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The route of a text row, and of a row of type other.
void TextOrCopy(const FileRowJob& job, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    if (job.rowWord & FileRowText) {
        ConvertTextFile(job.input, job.output, bCode, bPhrase, bB52GB, bL2R, (job.rowWord & FileRowAddTag) ? -1 : 0);
    } else {
        dlgProgress().DisplayCopy(job.input);
        CopyUnchanged(job.input, job.output);
    }
}

// One workbook or presentation through the running application. A converter that reports
// failure fails the row and leaves no output it started; its own error-log record (naming the
// document and what failed) is the row's one record.
void OfficeDocument(const OfficeServices::Converter& convert, const FileRowJob& job, bool bCode, bool bPhrase,
                    bool bB52GB, bool bL2R)
{
    const bool existed = QFileInfo::exists(job.output);
    if (!convert(dlgProgress(), job.input, job.output, bCode, bPhrase, bB52GB, bL2R)) {
        if (!existed)
            QFile::remove(job.output);
        throw RecordedRowFailure(errPathFileAccess, QStringLiteral("Office conversion of %1 failed").arg(job.input));
    }
}

struct OfficeRun {
    const char* runName;
    int summaryId;
    int startFailedId;
    int32_t ownType;
    std::function<bool()> OfficeServices::*init;
    std::function<void()> OfficeServices::*exit;
    OfficeServices::Converter OfficeServices::*convert;
};

// The office could not be started: the run converts no row and says so, in a box, or in the
// error log when the scheduler runs it (an unattended run asks nothing).
void ReportStartFailure(const char* runName, int startFailedId)
{
    if (gbSchedRun)
        LogRowFailure(QString::fromLatin1(runName), LoadResString(startFailedId), QStringLiteral("no row converted"));
    else
        MsgBox(LoadResString(startFailedId), vbExclamation, AppTitle());
}

// Whether a row not yet processed takes the office route of the type.
bool HasRowsOfType(FlexGrid* grid, int32_t ownType)
{
    for (int i = 1; i < grid->Rows(); ++i) {
        const int32_t word = grid->RowData(i);
        if (!(word & FileRowProcessed) && !(word & FileRowText) && (word & ownType))
            return true;
    }
    return false;
}

void RunWithApplication(FlexGrid* grid, const OfficeRun& run, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    OfficeServices& office = Office();
    if (!(office.*run.init)()) {
        ReportStartFailure(run.runName, run.startFailedId);
        return;
    }
    RunFileRows(grid, {QString::fromLatin1(run.runName), run.summaryId}, [&](const FileRowJob& job) {
        if (!(job.rowWord & FileRowText) && (job.rowWord & run.ownType))
            OfficeDocument(office.*run.convert, job, bCode, bPhrase, bB52GB, bL2R);
        else
            TextOrCopy(job, bCode, bPhrase, bB52GB, bL2R);
    });
    (office.*run.exit)();
}

}  // namespace

// Word rows are converted by ConvertDOC in one load and one store: the text of every story,
// the output font and the document properties. The office is started
// once for the run (only when a Word row waits) and held until its end; when it cannot be
// started the run says so once, fails its Word rows and still converts the others.
void ExecuteDocConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    OfficeServices& office = Office();
    const bool wordRows = HasRowsOfType(grid, FileRowWord);
    const bool officeStarted = wordRows && office.InitWordApp();
    if (wordRows && !officeStarted)
        ReportStartFailure("ExecuteDocConv", 1013);
    RunFileRows(grid, {QStringLiteral("ExecuteDocConv"), 4032}, [&](const FileRowJob& job) {
        if (!(job.rowWord & FileRowText) && (job.rowWord & FileRowWord)) {
            if (!officeStarted)
                throw RuntimeError(errOfficeUnavailable, LoadResString(1013));
            ConvertWordDocument(job.input, job.output, bCode, bPhrase, bB52GB, bL2R);
        } else {
            TextOrCopy(job, bCode, bPhrase, bB52GB, bL2R);
        }
    }, [&](const FileRowJob& job) {
        // Text rows and copies run several at once; Word documents go through the office on
        // this thread.
        return TextOrCopyRowWork(job, bCode, bPhrase, bB52GB, bL2R);
    });
    if (officeStarted)
        office.ExitWordApp();
}

void ExecuteXlsConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    RunWithApplication(grid,
                       {"ExecuteXlsConv", 4033, 1011, FileRowExcel, &OfficeServices::InitExcelApp,
                        &OfficeServices::ExitExcelApp, &OfficeServices::ConvertXLS},
                       bCode, bPhrase, bB52GB, bL2R);
}

void ExecutePPTConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    RunWithApplication(grid,
                       {"ExecutePPTConv", 4034, 1012, FileRowPowerPoint, &OfficeServices::InitPowerPointApp,
                        &OfficeServices::ExitPowerPointApp, &OfficeServices::ConvertPPT},
                       bCode, bPhrase, bB52GB, bL2R);
}
