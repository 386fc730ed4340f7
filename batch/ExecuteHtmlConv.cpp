// The HTML window's run.
#include "batch/BatchRuns.h"

#include "core/FileRowFlags.h"
#include "batch/FileRowRun.h"
#include "batch/IntermediateFile.h"
#include "batch/RowRoutes.h"
#include "batch/RtfConvert.h"
#include "batch/WorkerCall.h"
#include "core/OfficeAccess.h"
#include "core/dlgProgress.h"

namespace {

// Word document of the HTML list: Word saves it as RTF; with code conversion the RTF converter
// converts it and declares the target's code page, and toward Traditional Word re-saves it and
// replaces the extra table's terms; with vocabulary Word replaces the in-use tables' terms;
// Word saves the end result as a Word document in the output's format (Office XML formats keep
// theirs). All of it happens on a file beside the output, which the last store replaces.
void HtmlWordRoute(const QString& input, const QString& output, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    OfficeServices& office = Office();
    IntermediateFile rtf(output, QStringLiteral(".wpc"));
    IntermediateFile document(output, QStringLiteral(".wpd"));
    const QString doc = document.path();
    office.WordSaveAsRtf(input, rtf.path());
    if (bCode) {
        RunOnWorker([&] { ConvertStringForRTFFile(rtf.path(), doc, bB52GB); });
        dlgProgress().DisplayProgress(input);
        RunOnWorker([&] { RtfChangeCodePage(doc, !bB52GB); });
        if (!bB52GB) {
            office.WordSaveAsWord8(doc, doc);
            office.WordReplaceTablePhrases(doc);
        }
        office.WordClearFindFormatting(doc, bB52GB);
    } else {
        CopyUnchanged(rtf.path(), doc);
    }
    if (bPhrase)
        office.WordReplaceAllPhrases(doc, bCode ? bB52GB : !bB52GB, bL2R);
    // Stored straight over the output (through a temporary beside it), in the output's own format.
    office.WordSaveAsWord8(doc, output);
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
    }, [&](const FileRowJob& job) -> PoolWork {
        // Text and HTML pages and copies run several at once; Word documents go through the
        // office on this thread.
        if (job.rowWord & FileRowText)
            return TextFileWork(job.input, bCode, bPhrase, bB52GB, bL2R, (job.rowWord & FileRowAddTag) ? -1 : 0);
        if (job.rowWord & FileRowWord)
            return {};
        return CopyWork(job.input);
    });
}
