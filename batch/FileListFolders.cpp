// The folder rows of the folder-tree window (declared in FileList.h).
#include "batch/FileList.h"

#include "core/FileGrid.h"
#include "core/SuspendedRedraw.h"
#include "batch/FileListNames.h"
#include "batch/FileListRows.h"
#include "batch/OutputConflicts.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "batch/FolderPath.h"
#include "core/BatchRunning.h"
#include "core/Log.h"
#include "platform/FlexGrid.h"

#include <QFileInfo>

namespace {

// The folder that receives the converted tree of folder: never the input folder itself (an
// output folder that is the input's parent would otherwise convert the tree in place), never
// a folder another row writes or reads. Beside the input it is folder & n for the first n
// that names nothing on disk; in the output folder the input's name, numbered as a file row
// is when another row already writes there.
QString OutputFolderOf(const QString& folder, const OutputSettingsNow& settings, const OutputPlan& plan)
{
    if (settings.toFolder) {
        const QString output =
            WithoutTrailingSlash(JoinPath(WithoutTrailingSlash(settings.folder), LastPathComponent(folder)));
        if (output != folder && !plan.isTaken(output))
            return output;
        return NumberedFolder(output, plan, output == folder);
    }
    return NumberedFolder(folder, plan, true);
}

// One folder row; a path that names a file (or anything else that is not a folder) adds none.
void AddFolderRow(FlexGrid* grid, const QString& path, int32_t rowWord, const OutputSettingsNow& settings,
                  OutputPlan& plan)
{
    const QString folder = WithoutTrailingSlash(path);
    if (folder.isEmpty())
        return;
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return;
    const QString output = OutputFolderOf(folder, settings, plan);
    QString conflict = FolderInputConflict(folder, RowOutputs(grid));
    if (conflict.isEmpty())
        conflict = FolderOutputConflict(output, folder, RowInputs(grid));
    if (!conflict.isEmpty()) {
        MsgBox(conflict, vbExclamation, AppTitle());
        return;
    }
    plan.add(output);
    plan.addInput(folder);
    const int row = AppendListRow(grid, folder, output, rowWord);
    SetCellPicture(grid, row, 1, gPicTypeTxt);
    FixHeaderRow(grid);
}

void AddFolderRows(FlexGrid* grid, const QStringList& paths, int32_t flagByte, const QString& procName)
{
    // A run in progress keeps its list as it started.
    if (gbBatchRunning)
        return;
    try {
        const OutputSettingsNow settings = ReadOutputSettings();
        if (OutputFolderMissing(settings))
            return;
        SuspendedRedraw redraw(grid);
        OutputPlan plan(grid);
        for (const QString& path : paths)
            AddFolderRow(grid, path, flagByte | FileRowText, settings, plan);
    } catch (...) {
        FixHeaderRow(grid);
        ErrorLog(procName);
    }
}

} // namespace

void DirListAdd(FlexGrid* lstFG, const QString& psDir, bool bB52GB, bool bCode, bool bPhrase, bool bL2R,
    bool bAddTag)
{
    AddFolderRows(lstFG, { psDir }, FileRowFlagByte(bB52GB, bCode, bPhrase, bL2R, bAddTag),
        QStringLiteral("DirListAdd"));
}

void DirListDDropAdd(FlexGrid* lstFG, const QStringList& Data, const QStringList& aExt,
    const QStringList& aExtWord, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool bAddTag)
{
    AddFolderRows(lstFG, Data, FileRowFlagByte(bB52GB, bCode, bPhrase, bL2R, bAddTag),
        QStringLiteral("DirListDDropAdd"));
}
