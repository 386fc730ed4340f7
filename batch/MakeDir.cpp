#include "batch/MakeDir.h"

#include "batch/FolderPath.h"
#include "core/Err.h"
#include "core/Log.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {

// An entry of that name, of any kind (a dangling link counts: nothing can be made there).
bool EntryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

int ErrorNumberOf(int systemError)
{
    switch (systemError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return errPermissionDenied;
    case ENOSPC:
        return errDiskFull;
    case ENOENT:
    case ENOTDIR:
        return errPathNotFound;
    default:
        return errPathFileAccess;
    }
}

} // namespace

void MakeDir(const QString& path)
{
    const QString folder = WithoutTrailingSlash(path);
    if (folder.isEmpty() || EntryExists(folder))
        return;

    // The missing folders from the first one below an existing ancestor down to the folder.
    QStringList missing { folder };
    for (QString parent = folder;;) {
        const int slash = parent.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            break;
        parent = parent.left(slash);
        if (EntryExists(parent))
            break;
        missing.prepend(parent);
    }
    for (const QString& step : missing) {
        if (mkdir(QFile::encodeName(step).constData(), 0777) == 0)
            continue;
        const int systemError = errno;
        if (systemError == EEXIST && QFileInfo(step).isDir())
            continue; // made meanwhile
        Err().Set(ErrorNumberOf(systemError),
            QStringLiteral("%1: %2").arg(step, QString::fromLocal8Bit(std::strerror(systemError))));
        ErrorLog(QStringLiteral("MakeDir"));
        return;
    }
}
