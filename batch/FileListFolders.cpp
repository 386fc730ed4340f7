// The folder rows of the folder-tree window (declared in FileList.h).
#include "batch/FileList.h"

#include "core/FileGrid.h"
#include "core/SuspendedRedraw.h"
#include "batch/FileListRows.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "batch/FolderPath.h"
#include "core/BatchRunning.h"
#include "core/Log.h"
#include "platform/FlexGrid.h"

#include <QFileInfo>

namespace {

// The folder that receives the converted tree of folder; never the input folder itself (an
// output folder that is the input's parent would otherwise convert the tree in place).
QString OutputFolderOf(const QString& folder, const OutputSettingsNow& settings)
{
    if (!settings.toFolder)
        return folder + QLatin1Char('1');
    const QString output = WithoutTrailingSlash(JoinPath(WithoutTrailingSlash(settings.folder), LastPathComponent(folder)));
    return output == folder ? folder + QLatin1Char('1') : output;
}

// One folder row; a path that names a file (or anything else that is not a folder) adds none.
void AddFolderRow(FlexGrid* grid, const QString& path, int32_t rowWord, const OutputSettingsNow& settings)
{
    const QString folder = WithoutTrailingSlash(path);
    if (folder.isEmpty())
        return;
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return;
    const int row = AppendListRow(grid, folder, OutputFolderOf(folder, settings), rowWord);
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
        for (const QString& path : paths)
            AddFolderRow(grid, path, flagByte | FileRowText, settings);
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
