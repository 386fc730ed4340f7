#include "batch/IntermediateFile.h"

#include "core/Err.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

IntermediateFile::IntermediateFile(const QString& outputPath, const QString& suffix)
{
    for (int n = 0; n < 1000; ++n) {
        const QString candidate = n == 0 ? outputPath + suffix : QStringLiteral("%1.%2%3").arg(outputPath).arg(n).arg(suffix);
        const int fd = ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            m_path = candidate;
            return;
        }
        if (errno != EEXIST)
            break;
    }
    throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot make an intermediate file beside %1").arg(outputPath));
}

IntermediateFile::~IntermediateFile()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

void IntermediateFile::MoveOver(const QString& target)
{
    // The output keeps the permissions of the file it replaces.
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0)
        ::chmod(QFile::encodeName(m_path).constData(), old.st_mode & 07777);
    if (std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(target).constData()) != 0)
        throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot write %1").arg(target));
    m_path.clear();
}
