// Speed of the batch file lists on a large tree: 10,000 small files in 100 folders dropped
// onto a grid under both output settings, the file check and the new-rows view over the
// rows, own-folder naming of 10,000 files of one folder, and the bare grid appends; then the
// same tree dropped on the Word window of the running program through the window's drop
// handler, both list views of the window over its 10,000 rows and a window switch.
// usage: batch_list_bench (run with QT_QPA_PLATFORM=offscreen where there is no display)
#include "core/FileGrid.h"
#include "batch/FileList.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "batch/frmOutputSetting.h"
#include "core/GridPictures.h"
#include "core/Log.h"
#include "platform/FlexGrid.h"
#include "batch/frmDocConv.h"
#include "common/ProgramFolderFixture.h"
#include "core/Globals.h"
#include "core/frmMain.h"
#include "platform/ModalScript.h"

#include <QAction>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kFiles = kFolders * kFilesPerFolder;

void MakeFile(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("small file\n");
}

std::unique_ptr<FlexGrid> EmptyGrid()
{
    auto grid = std::make_unique<FlexGrid>();
    grid->setObjectName(QStringLiteral("lstDoc"));
    grid->setCols(4);
    grid->setRows(1);
    grid->setFixedRows(0);
    return grid;
}

double Time(const char* what, const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("%-58s %9.1f ms\n", what, ms);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    qputenv("TEZDESK_HOME", QFile::encodeName(dir.filePath(QStringLiteral("home"))));
    gsErrFile = dir.filePath(QStringLiteral("home/tezdesk.ERR"));
    InitFileTypes();
    LoadGridPictures();

    const QString tree = dir.filePath(QStringLiteral("tree"));
    QStringList folders;
    for (int f = 0; f < kFolders; ++f) {
        const QString folder = QStringLiteral("%1/folder%2").arg(tree).arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        folders << folder;
        for (int i = 0; i < kFilesPerFolder; ++i)
            MakeFile(QStringLiteral("%1/file%2.%3").arg(folder).arg(i).arg(i % 3 ? "txt" : "rtf"));
    }
    const QString flat = dir.filePath(QStringLiteral("flat"));
    QDir().mkpath(flat);
    QStringList flatFiles;
    for (int i = 0; i < kFiles; ++i) {
        flatFiles << QStringLiteral("%1/report%2.txt").arg(flat).arg(i);
        MakeFile(flatFiles.last());
    }
    std::printf("%d files in %d folders; %d files in one folder\n", kFiles, kFolders, kFiles);

    FrmOutputSetting& settings = frmOutputSetting();
    auto drop = [&](bool toFolder) {
        settings.opSelectDir = toFolder;
        settings.strDir = toFolder ? dir.filePath(QStringLiteral("out")) : QString();
        auto grid = EmptyGrid();
        const char* name = toFolder ? "FileListDropFiles, another folder" : "FileListDropFiles, own folder";
        Time(name, [&] {
            FileListDropFiles(grid.get(), folders, gcolTextExt, gcolWordExt, false, true, true, false, false);
        });
        return grid;
    };
    drop(true);
    auto grid = drop(false);
    if (grid->Rows() != kFiles + 1)
        std::printf("unexpected row count %d\n", grid->Rows() - 1);

    for (int row = 1; row < grid->Rows(); ++row)
        grid->setRowData(row, grid->RowData(row) | FileRowProcessed);
    Time("CheckFGFile", [&] { CheckFGFile(grid.get()); }); // no output exists: every mark goes
    for (int row = 1; row < grid->Rows(); row += 2)
        grid->setRowData(row, grid->RowData(row) | FileRowProcessed);
    Time("PrjFileListNEW (half the rows processed)", [&] { PrjFileListNEW(grid.get()); });
    Time("PrjFileListALL", [&] { PrjFileListALL(grid.get(), 240); });

    settings.opSelectDir = false;
    auto named = EmptyGrid();
    Time("FileListPopulateDoc, own folder, one folder", [&] {
        FileListPopulateDoc(named.get(), flatFiles, gcolTextExt, gcolWordExt, false, true, true, false, false);
    });
    Time("FileListPopulateDoc, the same files again (names past the grid)", [&] {
        FileListPopulateDoc(named.get(), flatFiles, gcolTextExt, gcolWordExt, false, true, true, false, false);
    });

    auto bare = EmptyGrid();
    Time("bare grid: 10,000 AddItem with redraw off", [&] {
        bare->setRedraw(false);
        for (int i = 0; i < kFiles; ++i)
            bare->AddItem(QStringLiteral("\t\t%1\t%1").arg(flatFiles.at(i)));
        bare->setRedraw(true);
    });

    // The Word window as a user drives it: the drop handler (hourglass, gate, filler, menus),
    // the two list views and a switch to another window and back.
    ProgramFolderFixture program;
    ModalScript quiet; // nothing is asked; anything that would be gets the safe answer
    FrmMain& main = program.start();
    gbOutputSettingOK = true;
    frmOutputSetting().opSelectDir = false;
    FrmDocConv& word = frmDocConv();
    Time("Word window: drop handler, 10,000-file tree, own folder", [&] { word.lstDoc_OLEDragDrop(folders); });
    if (word.lstDoc->Rows() != kFiles + 1)
        std::printf("unexpected row count %d\n", word.lstDoc->Rows() - 1);
    for (int row = 1; row < word.lstDoc->Rows(); row += 2)
        word.lstDoc->setRowData(row, word.lstDoc->RowData(row) | FileRowProcessed);
    Time("Word window: IDM_VIEW_LISTNEW (half the rows processed)", [&] { word.MenuProc(QStringLiteral("IDM_VIEW_LISTNEW")); });
    Time("Word window: IDM_VIEW_LISTALL", [&] { word.MenuProc(QStringLiteral("IDM_VIEW_LISTALL")); });
    Time("Word window: switch to the Excel window and back", [&] {
        main.Menu(QStringLiteral("IDM_WINDOW_XLSCONVERT"))->trigger();
        main.Menu(QStringLiteral("IDM_WINDOW_DOCCONVERT"))->trigger();
    });
    if (quiet.unexpected() != 0)
        std::printf("%d questions asked\n", quiet.unexpected());
    return 0;
}
