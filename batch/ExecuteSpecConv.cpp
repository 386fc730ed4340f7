// The encoding-pair window's run.
#include "batch/BatchRuns.h"

#include "core/FileRowFlags.h"
#include "batch/FileRowRun.h"
#include "batch/IntermediateFile.h"
#include "batch/RowRoutes.h"
#include "core/dlgProgress.h"

namespace {

// A word-processor row restored from a project: with the add-tag bit, 8-bit text written as
// UTF-16 (types 8 to 11) first gets its tag in its own script, then the chosen conversion.
void SpecWordRoute(const FileRowJob& job, int16_t convType, int16_t convOption)
{
    if (!(job.rowWord & FileRowAddTag)) {
        ConvertFileTyped(job.input, job.output, convType, convOption, 0);
    } else if (convType >= 8 && convType <= 11) {
        IntermediateFile tagged(job.output, QStringLiteral("tmp"));
        const int32_t ownScript = (convType == 8 || convType == 10) ? 1 : 2;
        ConvertFileTyped(job.input, tagged.path(), ownScript, 0, -1);
        ConvertFileTyped(tagged.path(), job.output, convType, convOption, 0);
    } else if (convType >= 4 && convType <= 7) {
        ConvertFileTyped(job.input, job.output, convType, convOption, 0);
    } else {
        ConvertFileTyped(job.input, job.output, convType, convOption, -1);
    }
}

}  // namespace

void ExecuteSpecConv(FlexGrid* grid, int16_t convType, int16_t convOption)
{
    RunFileRows(grid, {QStringLiteral("ExecuteSpecConv"), 4039}, [&](const FileRowJob& job) {
        if (job.rowWord & FileRowWord) {
            SpecWordRoute(job, convType, convOption);
        } else if (job.rowWord & FileRowText) {
            ConvertFileTyped(job.input, job.output, convType, convOption, 0);
        } else {
            dlgProgress().DisplayCopy(job.input);
            CopyUnchanged(job.input, job.output);
        }
    });
}
