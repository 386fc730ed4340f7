// The encoding-pair window's run.
#include "batch/BatchRuns.h"

#include "core/FileRowFlags.h"
#include "batch/FileRowRun.h"
#include "batch/IntermediateFile.h"
#include "batch/RowRoutes.h"
#include "core/dlgProgress.h"

#include <QFile>

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

// The same as a pool work: the output goes into the temporary the work is given, the tagged
// intermediate beside the output as on the interface thread.
PoolWork SpecWordWork(const FileRowJob& job, int16_t convType, int16_t convOption)
{
    if (!(job.rowWord & FileRowAddTag))
        return TypedFileWork(job.input, convType, convOption, 0);
    if (convType >= 4 && convType <= 7)
        return TypedFileWork(job.input, convType, convOption, 0);
    if (convType < 8 || convType > 11)
        return TypedFileWork(job.input, convType, convOption, -1);
    const int32_t ownScript = (convType == 8 || convType == 10) ? 1 : 2;
    return [=](int32_t hStmt, const QString& into) {
        IntermediateFile tagged(job.output, QStringLiteral("tmp"));
        // The pool's statements write their outputs as new files: the name stays reserved
        // by the object, the file is the library's to make.
        QFile::remove(tagged.path());
        TypedFileWork(job.input, ownScript, 0, -1)(hStmt, tagged.path());
        return TypedFileWork(tagged.path(), convType, convOption, 0)(hStmt, into);
    };
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
    }, [&](const FileRowJob& job) -> PoolWork {
        if (job.rowWord & FileRowWord)
            return SpecWordWork(job, convType, convOption);
        if (job.rowWord & FileRowText)
            return TypedFileWork(job.input, convType, convOption, 0);
        return CopyWork(job.input);
    });
}
