// The folder-tree window's run.
#include "batch/BatchRuns.h"

#include "core/FileGrid.h"
#include "core/FileIdentity.h"
#include "batch/FileListWalk.h"
#include "core/FileRowFlags.h"
#include "batch/FileRowRun.h"
#include "core/FileTypes.h"
#include "batch/FolderPath.h"
#include "batch/InOrderRun.h"
#include "batch/OutputConflicts.h"
#include "batch/OfficeRunHolds.h"
#include "batch/OutputGuard.h"
#include "batch/RowRoutes.h"
#include "batch/RunLeftovers.h"
#include "batch/SafeCopy.h"
#include "batch/WorkerCall.h"
#include "core/CheckedFileWrite.h"
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
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QSet>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QString kRunName = QStringLiteral("ExecutePathConv");

void RunLog(const QString& line)
{
    gvMsg = line;
    WriteLog(line);
}

// A workbook or presentation, through the application the run holds (started at its first file).
void OfficeFileRoute(bool logStartFailure, OfficeRunHolds& holds, OfficeRunHolds::Kind kind,
                     const OfficeServices::Converter& convert, const QString& file, const QString& output,
                     bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    if (!holds.Hold(kind)) {
        if (logStartFailure)
            RunLog(QStringLiteral("   ...Convert Failed!"));
        throw RuntimeError(errPathFileAccess, QStringLiteral("The Office application cannot be started"));
    }
    const bool existed = QFileInfo::exists(output);
    const bool converted = convert(dlgProgress(), file, output, bCode, bPhrase, bB52GB, bL2R);
    if (!converted) {
        if (!existed)
            QFile::remove(output);
        throw RuntimeError(errPathFileAccess, QStringLiteral("Office conversion failed"));
    }
}

// One file of the tree by its type; true when it was copied unchanged.
bool ConvertTreeFile(const QString& file, const QString& output, bool bCode, bool bPhrase, bool bB52GB, bool bL2R,
                     const QStringList& extList, bool tagFlag, bool officeFlag, OfficeRunHolds& holds)
{
    OfficeServices& office = Office();
    if (IsExtInList(file, extList, true)) {
        ConvertTextFile(file, output, bCode, bPhrase, bB52GB, bL2R, tagFlag ? -1 : 0);
    } else if (IsExtInList(file, gcolTextExt, true)) {
        ConvertTextFile(file, output, bCode, bPhrase, bB52GB, bL2R, 0);
    } else if (officeFlag && IsExtInList(file, gcolXlsExt, true)) {
        OfficeFileRoute(false, holds, OfficeRunHolds::Excel, office.ConvertXLS, file, output, bCode, bPhrase, bB52GB,
                        bL2R);
    } else if (officeFlag && IsExtInList(file, gcolPptExt, true)) {
        OfficeFileRoute(true, holds, OfficeRunHolds::PowerPoint, office.ConvertPPT, file, output, bCode, bPhrase,
                        bB52GB, bL2R);
    } else if (officeFlag && IsExtInList(file, gcolWordExt, true)) {
        // The Word operations start the office themselves when the hold cannot be had.
        holds.HoldOnce(OfficeRunHolds::Word);
        ConvertWordDocument(file, output, bCode, bPhrase, bB52GB, bL2R);
    } else {
        CopyUnchanged(file, output);
        return true;
    }
    return false;
}

// Why a folder row cannot run ("" when it can): its input is no folder, its output is the
// input folder or lies inside it, or its output (or the nearest folder above it that
// exists) is no folder, so that no file of the tree could be written.
QString FolderRowRefusal(const QString& input, const QString& output)
{
    if (!QFileInfo(input).isDir())
        return QStringLiteral("%1 is not a folder (output %2)").arg(input, output);
    if (IsSameOrInsideFolder(output, input))
        return QStringLiteral("Output folder %1 lies in the input folder %2").arg(output, input);
    QString existing = WithoutTrailingSlash(output);
    while (!existing.isEmpty() && !QFileInfo(existing).exists() && !QFileInfo(existing).isSymLink())
        existing = existing.contains(QLatin1Char('/')) ? existing.left(std::max<qsizetype>(1, existing.lastIndexOf(QLatin1Char('/')))) : QString();
    if (!existing.isEmpty() && !QFileInfo(existing).isDir())
        return QStringLiteral("Output folder %1 cannot be made: %2 is not a folder").arg(output, existing);
    return QString();
}

// The files of one folder row's tree: those the walk can name, and the native paths of
// those whose names the file-name encoding cannot show.
struct TreeFiles {
    PathCollection files;
    QList<QByteArray> undecodable;
};

QString RelativeIn(const QString& root, const QString& file)
{
    return file.startsWith(root + QLatin1Char('/')) ? file.mid(root.size() + 1) : LastPathComponent(file);
}

QByteArray NativeOutput(const QString& inFolder, const QString& outFolder, const QByteArray& file)
{
    const QByteArray root = QFile::encodeName(WithoutTrailingSlash(inFolder));
    const QByteArray relative = file.startsWith(root + '/') ? file.mid(root.size() + 1) : file.mid(file.lastIndexOf('/') + 1);
    return QFile::encodeName(WithoutTrailingSlash(outFolder)) + '/' + relative;
}

// The first output of the tree that is an input of the run ("" when none).
QString OutputOverAnInput(const QString& inFolder, const QString& outFolder, const TreeFiles& tree,
                          const RunInputs& inputs)
{
    const QString root = WithoutTrailingSlash(inFolder);
    for (const QString& file : tree.files.items()) {
        const QString output = JoinPath(outFolder, RelativeIn(root, file));
        if (inputs.holds(output))
            return output;
    }
    for (const QByteArray& file : tree.undecodable) {
        const QByteArray output = NativeOutput(inFolder, outFolder, file);
        if (inputs.holdsNative(output))
            return ShownPath(output);
    }
    return QString();
}

// Makes a folder given by its native name, with its parents; false when it is no folder
// afterwards.
bool MakeNativeFolder(const QByteArray& folder)
{
    struct stat st {};
    if (::stat(folder.constData(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const qsizetype slash = folder.lastIndexOf('/');
    if (slash > 0 && !MakeNativeFolder(folder.left(slash)))
        return false;
    return ::mkdir(folder.constData(), 0777) == 0 || (::stat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode));
}

// A private folder under the output root, removed with what it holds when the object ends.
class AliasFolder {
public:
    explicit AliasFolder(const QString& under)
    {
        QByteArray pattern = QFile::encodeName(WithoutTrailingSlash(under)) + "/.tezc-XXXXXX";
        if (::mkdtemp(pattern.data()))
            m_path = QFile::decodeName(pattern);
    }
    ~AliasFolder()
    {
        if (!m_path.isEmpty())
            QDir(m_path).removeRecursively();
    }
    AliasFolder(const AliasFolder&) = delete;
    AliasFolder& operator=(const AliasFolder&) = delete;
    const QString& path() const { return m_path; }

private:
    QString m_path;
};

// The extension of a native name when it can be shown ("" otherwise), with its dot.
QString ShownExtension(const QByteArray& file)
{
    const QByteArray name = file.mid(file.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot <= 0)
        return QString();
    const QByteArray extension = name.mid(dot);
    const QString shown = QFile::decodeName(extension);
    return QFile::encodeName(shown) == extension ? shown : QString();
}


// One file whose path the file-name encoding cannot show: copied under its own bytes, or
// converted through names the routes can take (a link to it, an output renamed onto its
// own bytes afterwards). True when it was copied unchanged.
bool ConvertNativeTreeFile(const QByteArray& file, const QByteArray& output, const QString& outFolder, bool bCode,
                           bool bPhrase, bool bB52GB, bool bL2R, const QStringList& extList, bool tagFlag,
                           bool officeFlag, OfficeRunHolds& holds)
{
    const QByteArray folder = output.left(output.lastIndexOf('/'));
    if (!MakeNativeFolder(folder))
        throw RuntimeError(errPathNotFound, QStringLiteral("Output folder %1 cannot be made").arg(ShownPath(folder)));
    AliasFolder alias(outFolder);
    if (alias.path().isEmpty())
        throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot make a folder in %1").arg(outFolder));
    const QString extension = ShownExtension(file);
    const QString input = alias.path() + QStringLiteral("/in") + extension;
    const QString converted = alias.path() + QStringLiteral("/out") + extension;
    if (::symlink(file.constData(), QFile::encodeName(input).constData()) != 0)
        throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot read %1").arg(ShownPath(file)));
    if (!IsExtInList(input, extList, true) && !IsExtInList(input, gcolTextExt, true) &&
        !(officeFlag && (IsExtInList(input, gcolXlsExt, true) || IsExtInList(input, gcolPptExt, true) ||
                         IsExtInList(input, gcolWordExt, true)))) {
        RunOnWorker([&] { CopyNativeFileWhole(file, output); });
        return true;
    }
    ConvertTreeFile(input, converted, bCode, bPhrase, bB52GB, bL2R, extList, tagFlag, officeFlag, holds);
    const QByteArray from = QFile::encodeName(converted);
    struct stat old {};
    if (::stat(output.constData(), &old) == 0)
        ::chmod(from.constData(), old.st_mode & 07777);
    if (::rename(from.constData(), output.constData()) != 0)
        throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot write %1").arg(ShownPath(output)));
    return false;
}

// The output folders of one walk, each looked at once: those that were there as folders, and
// those the walk made (with their parents) where nothing was.
class OutputFolders {
public:
    // Whether the folder is there now: made quietly when nothing was in its place.
    bool ready(const QString& folder)
    {
        if (m_existing.contains(folder) || m_made.contains(folder))
            return true;
        if (QFileInfo(folder).isDir()) {
            m_existing.insert(folder);
            return true;
        }
        if (!FolderMadeQuietly(folder))
            return false;
        m_made.insert(folder);
        return true;
    }
    bool made(const QString& folder) const { return m_made.contains(folder); }

private:
    QSet<QString> m_existing, m_made;
};

// One folder tree, its files listed already: the body of ConvertPath.
bool ConvertTree(const QString& inFolder, const QString& outFolder, const TreeFiles& tree, RunInputs& inputs,
                 bool bCode, bool bPhrase, bool bB52GB, bool bL2R, const QStringList& extList, bool tagFlag,
                 bool officeFlag, OfficeRunHolds& holds)
{
    try {
        const PathCollection& files = tree.files;
        const QString root = WithoutTrailingSlash(inFolder);
        DlgProgress& progress = dlgProgress();
        const int total = files.count() + static_cast<int>(tree.undecodable.size());
        int skipped = 0;
        int failed = 0;
        // Whether each file is copied unchanged (counted as skipped once it is written), and
        // whether its output lies in a folder this walk made.
        std::vector<char> copied(static_cast<size_t>(files.count()), 0);
        std::vector<char> inMadeFolder(static_cast<size_t>(files.count()), 0);
        OutputFolders folders;
        InOrderItems items;
        items.count = files.count();
        // No input of the tree is an output of it (refused before the walk), so no file waits
        // for another's output.
        items.plan = [&](int n) -> ItemPlan {
            const QString& file = files.at(n);
            const QString output = JoinPath(outFolder, RelativeIn(root, file));
            const QString folder = QFileInfo(output).path();
            // A folder the walk made holds no file but the walk's own outputs, one for each
            // input: an output there replaces nothing.
            const bool fresh = folders.made(folder);
            if (!fresh) {
                const QFileInfo existing(output);
                if ((existing.exists() || existing.isSymLink()) && IsOneFile(file, output))
                    return ItemPlan::settled(QStringLiteral("The output is the input"));
            }
            // The file's type by its name, once the walk's entry is still a file.
            const QFileInfo input(file);
            const QString name = input.isFile() ? input.fileName() : QString();
            auto typeIn = [&](const QStringList& list) { return !name.isEmpty() && IsExtInList(name, list, false); };
            const bool officeRoute =
                officeFlag && (typeIn(gcolXlsExt) || typeIn(gcolPptExt) || typeIn(gcolWordExt));
            if (!officeRoute && (fresh || folders.ready(folder))) {
                if (!fresh) {
                    try {
                        CheckOutputReplaceable(output);
                    } catch (const RuntimeError& e) {
                        return ItemPlan::settled(e.description().isNull() ? QStringLiteral("") : e.description());
                    }
                }
                inMadeFolder[static_cast<size_t>(n)] = folders.made(folder);
                if (typeIn(extList))
                    return ItemPlan::pool(output, TextFileWork(file, bCode, bPhrase, bB52GB, bL2R, tagFlag ? -1 : 0));
                if (typeIn(gcolTextExt))
                    return ItemPlan::pool(output, TextFileWork(file, bCode, bPhrase, bB52GB, bL2R, 0));
                copied[static_cast<size_t>(n)] = 1;
                return ItemPlan::pool(output, CopyWork(file));
            }
            // Office documents, and files whose output folder cannot be made (which
            // EnsureOutputFolder records), on this thread in their turn.
            return ItemPlan::onInterface([&, n, file, output, officeRoute] {
                progress.labFile->setText(file);
                CheckOutputReplaceable(output);
                EnsureOutputFolder(output);
                const RowLeftovers leftovers = LeftoversBefore(file, output, officeRoute);
                QCoreApplication::processEvents();
                try {
                    copied[static_cast<size_t>(n)] =
                        ConvertTreeFile(file, output, bCode, bPhrase, bB52GB, bL2R, extList, tagFlag, officeFlag, holds);
                } catch (...) {
                    RemoveRowLeftovers(file, output, leftovers);
                    throw;
                }
                RemoveRowLeftovers(file, output, leftovers);
            });
        };
        items.finish = [&](int n, const ItemOutcome& outcome) {
            const QString& file = files.at(n);
            progress.labFile->setText(file);
            if (outcome.succeeded()) {
                // An output in a folder the walk made is a new file, never an input of the run.
                if (!inMadeFolder[static_cast<size_t>(n)])
                    inputs.noteWritten(JoinPath(outFolder, RelativeIn(root, file)));
                if (copied[static_cast<size_t>(n)])
                    ++skipped;
            } else {
                ++failed;
                if (!outcome.recorded)
                    LogRowFailure(kRunName, file, outcome.failure);
            }
            progress.ProgressBar1->setValue(100 * (n + 1) / total);
        };
        RunInOrder(items);
        int leftOut = 0;
        for (int n = 0; n < tree.undecodable.size(); ++n) {
            const QByteArray& file = tree.undecodable.at(n);
            const QByteArray output = NativeOutput(inFolder, outFolder, file);
            try {
                if (ConvertNativeTreeFile(file, output, outFolder, bCode, bPhrase, bB52GB, bL2R, extList, tagFlag,
                                          officeFlag, holds))
                    ++skipped;
                inputs.noteWrittenNative(output);
            } catch (const RuntimeError&) {
                ++leftOut;
            }
            progress.ProgressBar1->setValue(100 * (files.count() + n + 1) / total);
        }
        if (leftOut > 0) {
            ++failed;
            LogRowFailure(kRunName, inFolder,
                          QStringLiteral("%1 of %2 files whose names are not valid in the file-name encoding were left out")
                              .arg(leftOut)
                              .arg(tree.undecodable.size()));
        }
        RunLog(QStringLiteral("...Files In Path:%1, Skipped:%2").arg(total).arg(skipped));
        return failed == 0;
    } catch (...) {
        ErrorLog(QStringLiteral("ConvertPath"));
        return false;
    }
}

// The folders the trees of a run write into that exist already.
QStringList ExistingOutputFolders(const QString& inFolder, const QString& outFolder, const TreeFiles& tree)
{
    QSet<QString> folders;
    const QString root = WithoutTrailingSlash(inFolder);
    for (const QString& file : tree.files.items())
        folders.insert(QFileInfo(JoinPath(outFolder, RelativeIn(root, file))).path());
    QStringList existing;
    for (const QString& folder : folders)
        if (QFileInfo(folder).isDir())
            existing << folder;
    return existing;
}

}  // namespace

bool ConvertPath(const QString& inFolder, const QString& outFolder, bool bCode, bool bPhrase, bool bB52GB, bool bL2R,
                 const QStringList& extList, bool tagFlag, bool officeFlag)
{
    TreeFiles tree;
    FindAllFiles(inFolder, tree.files, tree.undecodable);
    RunInputs inputs;
    for (const QString& file : tree.files.items())
        inputs.add(file);
    for (const QByteArray& file : tree.undecodable)
        inputs.addNative(file);
    const QString over = OutputOverAnInput(inFolder, outFolder, tree, inputs);
    if (!over.isEmpty()) {
        LogRowFailure(kRunName, inFolder, QStringLiteral("the output %1 is an input of this run").arg(over));
        return false;
    }
    OfficeRunHolds holds;
    return ConvertTree(inFolder, outFolder, tree, inputs, bCode, bPhrase, bB52GB, bL2R, extList, tagFlag, officeFlag,
                       holds);
}

bool ExecutePathConv(FlexGrid* grid, bool bCode, bool bPhrase, bool bB52GB, bool bL2R, const QStringList& extList,
                     bool tagFlag, bool officeFlag)
{
    if (grid->Rows() < 2)
        return false;
    BatchRunningScope running;
    MousePointerKeeper hourglass(vbHourglass);
    bool result = false;
    // One office for the whole run, quit when the run ends (also after a failure).
    OfficeRunHolds holds;
    try {
        RunLog(QStringLiteral("PathConv Started. gvPrjFile:") + gvPrjFile);
        bool everyRowDone = true;
        DlgProgress& progress = dlgProgress();
        progress.show();
        progress.repaint();
        {
            SuspendedRedraw redraw(grid);
            const int rows = grid->Rows();
            // Every tree is listed first: no output of the run may write over any of its inputs.
            std::vector<QString> refusals(rows);
            std::vector<TreeFiles> trees(rows);
            RunInputs inputs;
            QStringList outputFolders;
            for (int i = 1; i < rows; ++i) {
                refusals[i] = FolderRowRefusal(grid->TextMatrix(i, 2), grid->TextMatrix(i, 3));
                if (!refusals[i].isEmpty())
                    continue;
                FindAllFiles(grid->TextMatrix(i, 2), trees[i].files, trees[i].undecodable);
                for (const QString& file : trees[i].files.items())
                    inputs.add(file);
                for (const QByteArray& file : trees[i].undecodable)
                    inputs.addNative(file);
                outputFolders << ExistingOutputFolders(grid->TextMatrix(i, 2), grid->TextMatrix(i, 3), trees[i]);
            }
            outputFolders.removeDuplicates();
            RemoveStaleTemporaries(outputFolders);
            for (int i = 1; i < rows; ++i) {
                const QString input = grid->TextMatrix(i, 2);
                const QString output = grid->TextMatrix(i, 3);
                RunLog(QStringLiteral("PathConv:") + input + QLatin1Char('-') + output);
                progress.ProgressBar1->setRange(0, 100);
                progress.ProgressBar1->setValue(0);
                QString refusal = refusals[i];
                if (refusal.isEmpty()) {
                    const QString over = OutputOverAnInput(input, output, trees[i], inputs);
                    if (!over.isEmpty())
                        refusal = QStringLiteral("The output %1 is an input of this run").arg(over);
                }
                bool done = false;
                if (refusal.isEmpty()) {
                    const bool tag = grid->RowData(i) & FileRowAddTag;
                    done = ConvertTree(input, output, trees[i], inputs, bCode, bPhrase, bB52GB, bL2R, extList, tag,
                                       officeFlag, holds);
                } else {
                    Err().Set(errPathNotFound, refusal);
                    ErrorLog(kRunName);
                    Err().Clear();
                }
                if (done) {
                    FileListMarkRowDone(grid, i);
                } else {
                    FileListMarkRowFailed(grid, i);
                    everyRowDone = false;
                }
                grid->setRowData(i, grid->RowData(i) | FileRowProcessed);
            }
        }
        RunLog(QStringLiteral("PathConv Done."));
        UnloadForm<DlgProgress>();
        ShowRunSummary(4035);
        // Whether the rows converted, whether or not the summary box was shown.
        result = everyRowDone;
    } catch (...) {
        ErrorLog(kRunName);
        UnloadForm<DlgProgress>();
    }
    return result;
}
