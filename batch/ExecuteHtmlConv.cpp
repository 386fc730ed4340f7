// The HTML window's run.
#include "batch/BatchRuns.h"

#include "core/FileRowFlags.h"
#include "batch/FileRowRun.h"
#include "batch/RowRoutes.h"
#include "core/Err.h"
#include "core/FileIdentity.h"
#include "core/OfficeAccess.h"
#include "core/dlgProgress.h"

namespace {

// Word document of the HTML list: converted inside the document in one load and one store
// (ConvertWordDocument), by characters or by vocabulary only as the window's flags say, the
// same conversion its text rows get; with neither, stored unchanged in the output's format.
void HtmlWordRoute(const QString& input, const QString& output, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    if (!bCode && !bPhrase) {
        if (IsOneFile(input, output))
            throw RuntimeError(errPathFileAccess, QStringLiteral("The output is the document itself: ") + output);
        Office().WordSaveAsWord8(input, output);
        return;
    }
    ConvertWordDocument(input, output, bCode, bPhrase, bB52GB, bL2R);
}

}  // namespace

void ExecuteHtmlConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    RunFileRows(grid, {QStringLiteral("ExecuteHtmlConv"), 4031}, [&](const FileRowJob& job) {
        if (job.rowWord & FileRowText) {
            ConvertTextFile(job.input, job.output, bCode, bPhrase, bB52GB, bL2R, (job.rowWord & FileRowAddTag) ? -1 : 0);
        } else if (job.rowWord & FileRowWord) {
            HtmlWordRoute(job.input, job.output, bCode, bPhrase, bB52GB, bL2R);
        } else {
            dlgProgress().DisplayCopy(job.input);
            CopyUnchanged(job.input, job.output);
        }
    }, [&](const FileRowJob& job) {
        // Text rows and copies run several at once; Word documents go through the office on
        // this thread.
        return TextOrCopyRowWork(job, bCode, bPhrase, bB52GB, bL2R);
    });
}
