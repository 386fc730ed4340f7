#pragma once
// The one row loop of the file-list runs (HTML, Word, Excel, PowerPoint, encoding pair): it
// skips processed rows, refuses a row whose output is its input, makes the output folder,
// hands the row to the run's route, marks the row done or failed, selects it and keeps it in
// view, sets the processed bit, moves the progress bar, and ends with the run's summary.
// Rows the run's pool route takes convert several at once (InOrderRun); everything the
// window shows and logs still happens row by row, in row order.
#include "batch/InOrderRun.h"
#include "core/Err.h"

#include <QString>

#include <cstdint>
#include <functional>

class FlexGrid;

struct FileRowJob {
    int row;
    QString input;
    QString output;
    int32_t rowWord;
};

// Converts one row's input into its output. It raises a RuntimeError whose description says
// why when the row fails; the loop records it and goes on with the next row.
using FileRowRoute = std::function<void(const FileRowJob&)>;

// A route's failure whose record the converter has written already: the row fails without a
// second record.
class RecordedRowFailure : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

struct FileRowRunSetup {
    QString runName; // error-log name of the run ("ExecuteHtmlConv" ...)
    int summaryId;   // first line of the summary (4031 ...)
};

// Runs every unprocessed row through route with the progress dialog loaded and shown once.
// A failure outside the rows is written with ErrorLog(runName) and ends the run without a
// summary. Returns true when the loop reached its end.
bool RunFileRows(FlexGrid* grid, const FileRowRunSetup& setup, const FileRowRoute& route);

// A row's work on a pool thread (PoolWork), or an empty one for a row that route handles on
// the interface thread.
using FileRowPoolRoute = std::function<PoolWork(const FileRowJob&)>;

// The same, with the rows poolRoute takes converted several at once (InOrderRun): they are
// still marked, selected, logged and counted in row order, each once its output is safely
// on the disk.
bool RunFileRows(FlexGrid* grid, const FileRowRunSetup& setup, const FileRowRoute& route,
                 const FileRowPoolRoute& poolRoute);

// A row failure's record: "file: reason" under the run's name, quietly.
void LogRowFailure(const QString& runName, const QString& file, const QString& reason);

// The output folder of an output path, made with its parents when missing. Raises a
// RuntimeError when it is not a folder afterwards.
void EnsureOutputFolder(const QString& outputPath);

// The summary box of a run (first line, CR LF, 4025; information icon; program title),
// unless the scheduler runs the project.
void ShowRunSummary(int summaryId);

// Raises a RuntimeError naming the file when a library call did not return 0.
void CheckLibraryResult(int32_t rc, const QString& file);
