#include "batch/RowRoutes.h"

#include "batch/FileRowRun.h"
#include "batch/SafeCopy.h"
#include "batch/WorkerCall.h"
#include "core/ConvertOptions.h"
#include "core/FileRowFlags.h"
#include "core/Err.h"
#include "core/Log.h"
#include "core/OfficeAccess.h"
#include "core/dlgProgress.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void ConvertTextFile(const QString& input, const QString& output, bool bCode, bool bPhrase, bool bB52GB, bool bL2R,
                     int32_t tag)
{
    int32_t rc = 0;
    RunOnWorker([&] { rc = ConvertFileByFlags(input, output, bCode, bPhrase, bB52GB, bL2R, tag); });
    CheckLibraryResult(rc, input);
}

void ConvertFileTyped(const QString& input, const QString& output, int32_t type, int32_t option, int32_t flag)
{
    const QByteArray in = ToSystemCodePage(input);
    const QByteArray out = ToSystemCodePage(output);
    int32_t rc = 0;
    RunOnWorker([&] { rc = _TezFileConversion(ghStmt, in.constData(), out.constData(), type, option, flag); });
    CheckLibraryResult(rc, input);
}

void CopyUnchanged(const QString& input, const QString& output)
{
    RunOnWorker([&] { CopyFileWhole(input, output); });
}

void ConvertWordDocument(const QString& input, const QString& output, bool bCode, bool bPhrase, bool bB52GB,
                         bool bL2R)
{
    // ConvertDOC loads the input once, converts it inside the document and stores it once over
    // the output (through a temporary file beside it, so a failure leaves no partial output);
    // it records its own failure.
    if (!Office().ConvertDOC(dlgProgress(), input, output, bCode, bPhrase, bB52GB, bL2R)) {
        WriteLog(QStringLiteral("..Document ConvertError"));
        throw RecordedRowFailure(errPathFileAccess, QStringLiteral("Document conversion of %1 failed").arg(input));
    }
    QCoreApplication::processEvents();
}

PoolWork TextFileWork(const QString& input, bool bCode, bool bPhrase, bool bB52GB, bool bL2R, int32_t tag)
{
    return [=](int32_t hStmt, const QString& into) {
        CheckLibraryResult(ConvertFileByFlagsOn(hStmt, input, into, bCode, bPhrase, bB52GB, bL2R, tag), input);
        return -1;
    };
}

PoolWork TypedFileWork(const QString& input, int32_t type, int32_t option, int32_t flag)
{
    return [=](int32_t hStmt, const QString& into) {
        const QByteArray in = ToSystemCodePage(input);
        const QByteArray out = ToSystemCodePage(into);
        CheckLibraryResult(_TezFileConversion(hStmt, in.constData(), out.constData(), type, option, flag), input);
        return -1;
    };
}

PoolWork TextOrCopyRowWork(const FileRowJob& job, bool bCode, bool bPhrase, bool bB52GB, bool bL2R)
{
    if (job.rowWord & FileRowText)
        return TextFileWork(job.input, bCode, bPhrase, bB52GB, bL2R, (job.rowWord & FileRowAddTag) ? -1 : 0);
    if (job.rowWord & FileRowWord)
        return {};
    return CopyWork(job.input);
}

PoolWork CopyWork(const QString& input)
{
    return [=](int32_t, const QString& into) { return CopyFileWhole(input, into, CheckedFileWrite::Flush::NewName); };
}

bool OutputFolderMadeQuietly(const QString& output)
{
    return FolderMadeQuietly(QFileInfo(output).path());
}

bool FolderMadeQuietly(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    if (QFileInfo::exists(folder) || QFileInfo(folder).isSymLink())
        return false;
    return QDir().mkpath(folder) && QFileInfo(folder).isDir();
}
