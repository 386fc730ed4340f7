#include "batch/FileRowRun.h"

#include "batch/OutputGuard.h"

#include "core/FileGrid.h"
#include "core/FileIdentity.h"
#include "core/FileRowFlags.h"
#include "batch/MakeDir.h"
#include "batch/OutputConflicts.h"
#include "batch/RunLeftovers.h"
#include "core/BatchRunning.h"
#include "core/Err.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/dlgProgress.h"
#include "platform/App.h"
#include "platform/FlexGrid.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include "TezCodes.h"

#include <QFileInfo>

#include <algorithm>
#include <QProgressBar>
#include <QLabel>

namespace {

// v of the scrolling rule: the first data row the grid does not show, less 2.
int VisibleRowCount(FlexGrid* grid)
{
    int v = 1;
    while (v < grid->Rows() && grid->RowIsVisible(v))
        ++v;
    return v - 2;
}

void KeepRowInView(FlexGrid* grid, int row, int v)
{
    grid->setColSel(grid->Cols() - 1);
    grid->setRowSel(row);
    // A grid that shows no row (hidden, or too small) gives v below 1: the top row then
    // stays inside the grid.
    const int top = row > 2 && row > v ? row - v + 2 : 1;
    grid->setTopRow(std::clamp(top, 1, grid->Rows() - 1));
}

int RowsToHandle(FlexGrid* grid)
{
    int n = 0;
    for (int i = 1; i < grid->Rows(); ++i)
        if (!(grid->RowData(i) & FileRowProcessed))
            ++n;
    return n;
}

// The inputs of the rows the run handles.
RunInputs InputsOfRun(FlexGrid* grid)
{
    RunInputs inputs;
    for (int i = 1; i < grid->Rows(); ++i)
        if (!(grid->RowData(i) & FileRowProcessed))
            inputs.add(grid->TextMatrix(i, 2));
    return inputs;
}

// The folders the rows the run handles write into.
QStringList OutputFoldersOfRun(FlexGrid* grid)
{
    QStringList folders;
    for (int i = 1; i < grid->Rows(); ++i)
        if (!(grid->RowData(i) & FileRowProcessed))
            folders << QFileInfo(grid->TextMatrix(i, 3)).path();
    folders.removeDuplicates();
    return folders;
}

struct RowOutcome {
    QString failure; // null when the row succeeded, else why it failed
    bool recorded = false;
};

// Runs the row. (The record is written outside the catch block so that it names the file.)
RowOutcome RowFailure(const FileRowJob& job, const FileRowRoute& route)
{
    try {
        CheckOutputReplaceable(job.output);
        EnsureOutputFolder(job.output);
        route(job);
        return {};
    } catch (const RecordedRowFailure& e) {
        return {e.description().isNull() ? QStringLiteral("") : e.description(), true};
    } catch (const RuntimeError& e) {
        return {e.description().isNull() ? QStringLiteral("") : e.description(), false};
    }
}

}  // namespace

void LogRowFailure(const QString& runName, const QString& file, const QString& reason)
{
    Err().Set(errPathFileAccess, file + QStringLiteral(": ") + reason);
    ErrorLogQuiet(runName);
    Err().Clear();
}

void EnsureOutputFolder(const QString& outputPath)
{
    const qsizetype slash = outputPath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        throw RuntimeError(errPathNotFound, QStringLiteral("No output folder in %1").arg(outputPath));
    const QString folder = slash == 0 ? QStringLiteral("/") : outputPath.left(slash);
    if (!QFileInfo::exists(folder))
        MakeDir(folder);
    if (!QFileInfo(folder).isDir())
        throw RuntimeError(errPathNotFound, QStringLiteral("Output folder %1 cannot be made").arg(folder));
}

void ShowRunSummary(int summaryId)
{
    if (gbSchedRun)
        return;
    MsgBox(LoadResString(summaryId) + QStringLiteral("\r\n") + LoadResString(4025), vbInformation, AppTitle());
}

void CheckLibraryResult(int32_t rc, const QString& file)
{
    if (rc == TEZ_ERR_CHANGED)
        throw RuntimeError(errPathFileAccess, QStringLiteral("%1 changed while it was read (Return : %2)").arg(file).arg(rc));
    if (rc != 0)
        throw RuntimeError(errPathFileAccess, QStringLiteral("Conversion of %1 failed (Return : %2)").arg(file).arg(rc));
}

bool RunFileRows(FlexGrid* grid, const FileRowRunSetup& setup, const FileRowRoute& route)
{
    BatchRunningScope running;
    DlgProgress& progress = dlgProgress();
    try {
        progress.show();
        progress.repaint();
        progress.ProgressBar1->setRange(0, 100);
        progress.ProgressBar1->setValue(0);
        const int rows = grid->Rows();
        if (rows > 1)
            grid->setTopRow(1);
        const int v = VisibleRowCount(grid);
        const int total = RowsToHandle(grid);
        RunInputs inputs = InputsOfRun(grid);
        RemoveStaleTemporaries(OutputFoldersOfRun(grid));
        int handled = 0;
        for (int i = 1; i < rows; ++i) {
            const int32_t word = grid->RowData(i);
            if (word & FileRowProcessed)
                continue;
            grid->setRow(i);
            const FileRowJob job{i, grid->TextMatrix(i, 2), grid->TextMatrix(i, 3), word};
            progress.labFile->setText(job.input);
            const bool officeRoute = !(word & FileRowText) && (word & (FileRowWord | FileRowExcel | FileRowPowerPoint));
            const RowLeftovers leftovers = LeftoversBefore(job.input, job.output, officeRoute);
            if (IsOneFile(job.input, job.output)) {
                FileListMarkRowFailed(grid, i);
            } else if (inputs.holds(job.output)) {
                FileListMarkRowFailed(grid, i);
                LogRowFailure(setup.runName, job.input,
                              QStringLiteral("the output %1 is an input of this run").arg(job.output));
                KeepRowInView(grid, i, v);
            } else {
                const RowOutcome outcome = RowFailure(job, route);
                RemoveRowLeftovers(job.input, job.output, leftovers);
                if (outcome.failure.isNull()) {
                    inputs.noteWritten(job.output);
                    FileListMarkRowDone(grid, i);
                } else {
                    FileListMarkRowFailed(grid, i);
                    if (!outcome.recorded)
                        LogRowFailure(setup.runName, job.input, outcome.failure);
                }
                KeepRowInView(grid, i, v);
            }
            grid->setRowData(i, grid->RowData(i) | FileRowProcessed);
            ++handled;
            progress.ProgressBar1->setValue(100 * handled / total);
        }
    } catch (...) {
        ErrorLog(setup.runName);
        UnloadForm<DlgProgress>();
        return false;
    }
    UnloadForm<DlgProgress>();
    ShowRunSummary(setup.summaryId);
    return true;
}
