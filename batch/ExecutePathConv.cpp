// The folder-tree window's run.
#include "batch/BatchRuns.h"

#include "core/FileGrid.h"
#include "core/FileIdentity.h"
#include "batch/FileListWalk.h"
#include "core/FileRowFlags.h"
#include "batch/FileRowRun.h"
#include "core/FileTypes.h"
#include "batch/FolderPath.h"
#include "batch/OutputGuard.h"
#include "batch/RowRoutes.h"
#include "core/SuspendedRedraw.h"
#include "core/BatchRunning.h"
#include "core/Err.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/OfficeAccess.h"
#include "core/dlgProgress.h"
#include "platform/FlexGrid.h"
#include "platform/MousePointer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

namespace {

const QString kRunName = QStringLiteral("ExecutePathConv");

void RunLog(const QString& line)
{
    gvMsg = line;
    WriteLog(line);
}

// A workbook or presentation: the application started and quit around the one file.
void OfficeFileRoute(bool logStartFailure, const std::function<bool()>& init, const std::function<void()>& exit,
                     const OfficeServices::Converter& convert, const QString& file, const QString& output,
                     bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    if (!init()) {
        if (logStartFailure)
            RunLog(QStringLiteral("   ...Convert Failed!"));
        throw RuntimeError(errPathFileAccess, QStringLiteral("The Office application cannot be started"));
    }
    const bool existed = QFileInfo::exists(output);
    const bool converted = convert(dlgProgress(), file, output, bCode, bPhrase, bB52GB, bL2R);
    exit();
    if (!converted) {
        if (!existed)
            QFile::remove(output);
        throw RuntimeError(errPathFileAccess, QStringLiteral("Office conversion failed"));
    }
}

// One file of the tree by its type; true when it was copied unchanged.
bool ConvertTreeFile(const QString& file, const QString& output, bool bCode, bool bPhrase, bool bB52GB, bool bL2R,
                     const QStringList& extList, bool tagFlag, bool officeFlag)
{
    OfficeServices& office = Office();
    if (IsExtInList(file, extList, true)) {
        ConvertTextFile(file, output, bCode, bPhrase, bB52GB, bL2R, tagFlag ? -1 : 0);
    } else if (IsExtInList(file, gcolTextExt, true)) {
        ConvertTextFile(file, output, bCode, bPhrase, bB52GB, bL2R, 0);
    } else if (officeFlag && IsExtInList(file, gcolXlsExt, true)) {
        OfficeFileRoute(false, office.InitExcelApp, office.ExitExcelApp, office.ConvertXLS, file, output, bCode,
                        bPhrase, bB52GB, bL2R);
    } else if (officeFlag && IsExtInList(file, gcolPptExt, true)) {
        OfficeFileRoute(true, office.InitPowerPointApp, office.ExitPowerPointApp, office.ConvertPPT, file, output,
                        bCode, bPhrase, bB52GB, bL2R);
    } else if (officeFlag && IsExtInList(file, gcolWordExt, true)) {
        ConvertWordDocument(file, output, bCode, bPhrase, bB52GB, bL2R, true);
    } else {
        CopyUnchanged(file, output);
        return true;
    }
    return false;
}

// Why a folder row cannot run ("" when it can): its input is no folder, or its output is the
// input folder or lies inside it.
QString FolderRowRefusal(const QString& input, const QString& output)
{
    if (!QFileInfo(input).isDir())
        return QStringLiteral("%1 is not a folder (output %2)").arg(input, output);
    if (IsSameOrInsideFolder(output, input))
        return QStringLiteral("Output folder %1 lies in the input folder %2").arg(output, input);
    return QString();
}

}  // namespace

bool ConvertPath(const QString& inFolder, const QString& outFolder, bool bCode, bool bPhrase, bool bB52GB, bool bL2R,
                 const QStringList& extList, bool tagFlag, bool officeFlag)
{
    try {
        PathCollection files;
        FindAllFiles(inFolder, files);
        const QString root = WithoutTrailingSlash(inFolder);
        DlgProgress& progress = dlgProgress();
        int skipped = 0;
        int failed = 0;
        for (int n = 0; n < files.count(); ++n) {
            const QString& file = files.at(n);
            const QString relative = file.startsWith(root + QLatin1Char('/')) ? file.mid(root.size() + 1)
                                                                               : LastPathComponent(file);
            const QString output = JoinPath(outFolder, relative);
            progress.labFile->setText(file);
            QString failure;
            try {
                if (IsOneFile(file, output))
                    throw RuntimeError(errPathFileAccess, QStringLiteral("The output is the input"));
                CheckOutputReplaceable(output);
                EnsureOutputFolder(output);
                QCoreApplication::processEvents();
                if (ConvertTreeFile(file, output, bCode, bPhrase, bB52GB, bL2R, extList, tagFlag, officeFlag))
                    ++skipped;
            } catch (const RecordedRowFailure&) {
                ++failed;
            } catch (const RuntimeError& e) {
                failure = e.description();
            }
            if (!failure.isNull()) {
                ++failed;
                LogRowFailure(kRunName, file, failure);
            }
            progress.ProgressBar1->setValue(100 * (n + 1) / files.count());
        }
        RunLog(QStringLiteral("...Files In Path:%1, Skipped:%2").arg(files.count()).arg(skipped));
        return failed == 0;
    } catch (...) {
        ErrorLog(QStringLiteral("ConvertPath"));
        return false;
    }
}

bool ExecutePathConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R, const QStringList& extList,
                     bool tagFlag, bool officeFlag)
{
    if (grid->Rows() < 2)
        return false;
    BatchRunningScope running;
    MousePointerKeeper hourglass(vbHourglass);
    bool result = false;
    try {
        RunLog(QStringLiteral("PathConv Started. gvPrjFile:") + gvPrjFile);
        DlgProgress& progress = dlgProgress();
        progress.show();
        progress.repaint();
        {
            SuspendedRedraw redraw(grid);
            const int rows = grid->Rows();
            for (int i = 1; i < rows; ++i) {
                const QString input = grid->TextMatrix(i, 2);
                const QString output = grid->TextMatrix(i, 3);
                RunLog(QStringLiteral("PathConv:") + input + QLatin1Char('-') + output);
                progress.ProgressBar1->setRange(0, 100);
                progress.ProgressBar1->setValue(0);
                const QString refusal = FolderRowRefusal(input, output);
                bool done = false;
                if (refusal.isEmpty()) {
                    const bool tag = grid->RowData(i) & FileRowAddTag;
                    done = ConvertPath(input, output, bCode, bPhrase, bB52GB, bL2R, extList, tag, officeFlag);
                } else {
                    Err().Set(errPathNotFound, refusal);
                    ErrorLog(kRunName);
                    Err().Clear();
                }
                if (done)
                    FileListMarkRowDone(grid, i);
                else
                    FileListMarkRowFailed(grid, i);
                grid->setRowData(i, grid->RowData(i) | FileRowProcessed);
            }
        }
        RunLog(QStringLiteral("PathConv Done."));
        UnloadForm<DlgProgress>();
        ShowRunSummary(4035);
        result = !gbSchedRun;
    } catch (...) {
        ErrorLog(kRunName);
        UnloadForm<DlgProgress>();
    }
    return result;
}
