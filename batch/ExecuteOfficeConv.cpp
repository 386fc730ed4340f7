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
        throw RowFailureRecorded{};
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

void RunWithApplication(FlexGrid* grid, const OfficeRun& run, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    OfficeServices& office = Office();
    if (!(office.*run.init)()) {
        // An unattended run asks nothing: the error log has the reason instead of the box.
        if (gbSchedRun)
            LogRowFailure(QString::fromLatin1(run.runName), LoadResString(run.startFailedId), QStringLiteral("no row converted"));
        else
            MsgBox(LoadResString(run.startFailedId), vbExclamation, AppTitle());
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

void ExecuteDocConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    RunFileRows(grid, {QStringLiteral("ExecuteDocConv"), 4032}, [&](const FileRowJob& job) {
        if (!(job.rowWord & FileRowText) && (job.rowWord & FileRowWord))
            ConvertWordDocument(job.input, job.output, bCode, bPhrase, bB52GB, bL2R, false);
        else
            TextOrCopy(job, bCode, bPhrase, bB52GB, bL2R);
    });
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
