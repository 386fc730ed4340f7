#include "batch/FileRowRun.h"

#include "batch/OutputGuard.h"
#include "batch/RowRoutes.h"

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
#include <vector>
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
    return RunFileRows(grid, setup, route, {});
}

bool RunFileRows(FlexGrid* grid, const FileRowRunSetup& setup, const FileRowRoute& route,
                 const FileRowPoolRoute& poolRoute)
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
        std::vector<FileRowJob> jobs;
        for (int i = 1; i < rows; ++i)
            if (!(grid->RowData(i) & FileRowProcessed))
                jobs.push_back({i, grid->TextMatrix(i, 2), grid->TextMatrix(i, 3), grid->RowData(i)});
        const int total = static_cast<int>(jobs.size());
        RunInputs inputs = InputsOfRun(grid);
        RemoveStaleTemporaries(OutputFoldersOfRun(grid));
        // A row whose output is its input fails without a record and stays where the view is.
        std::vector<char> oneFile(jobs.size(), 0);
        int handled = 0;
        InOrderItems items;
        items.count = total;
        items.inputOf = [&](int n) { return jobs[n].input; };
        items.plan = [&](int n) -> ItemPlan {
            const FileRowJob& job = jobs[n];
            if (IsOneFile(job.input, job.output)) {
                oneFile[n] = 1;
                return ItemPlan::settled(QStringLiteral(""), true);
            }
            if (inputs.holds(job.output))
                return ItemPlan::settled(QStringLiteral("the output %1 is an input of this run").arg(job.output));
            PoolWork work = poolRoute ? poolRoute(job) : PoolWork();
            if (work && OutputFolderMadeQuietly(job.output)) {
                try {
                    CheckOutputReplaceable(job.output);
                } catch (const RuntimeError& e) {
                    return ItemPlan::settled(e.description().isNull() ? QStringLiteral("") : e.description());
                }
                return ItemPlan::pool(job.output, std::move(work));
            }
            return ItemPlan::onInterface([&, n] {
                const FileRowJob& row = jobs[n];
                grid->setRow(row.row);
                progress.labFile->setText(row.input);
                const bool officeRoute = !(row.rowWord & FileRowText) &&
                                         (row.rowWord & (FileRowWord | FileRowExcel | FileRowPowerPoint));
                const RowLeftovers leftovers = LeftoversBefore(row.input, row.output, officeRoute);
                try {
                    CheckOutputReplaceable(row.output);
                    EnsureOutputFolder(row.output);
                    route(row);
                } catch (...) {
                    RemoveRowLeftovers(row.input, row.output, leftovers);
                    throw;
                }
                RemoveRowLeftovers(row.input, row.output, leftovers);
            });
        };
        items.finish = [&](int n, const ItemOutcome& outcome) {
            const FileRowJob& job = jobs[n];
            const int i = job.row;
            grid->setRow(i);
            progress.labFile->setText(job.input);
            if (oneFile[n]) {
                FileListMarkRowFailed(grid, i);
            } else if (outcome.succeeded()) {
                inputs.noteWritten(job.output);
                FileListMarkRowDone(grid, i);
                KeepRowInView(grid, i, v);
            } else {
                FileListMarkRowFailed(grid, i);
                if (!outcome.recorded)
                    LogRowFailure(setup.runName, job.input, outcome.failure);
                KeepRowInView(grid, i, v);
            }
            grid->setRowData(i, grid->RowData(i) | FileRowProcessed);
            ++handled;
            progress.ProgressBar1->setValue(100 * handled / total);
        };
        RunInOrder(items);
    } catch (...) {
        ErrorLog(setup.runName);
        UnloadForm<DlgProgress>();
        return false;
    }
    UnloadForm<DlgProgress>();
    ShowRunSummary(setup.summaryId);
    return true;
}
