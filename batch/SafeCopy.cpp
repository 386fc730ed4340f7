#include "batch/SafeCopy.h"

#include "core/CheckedFileWrite.h"
#include "core/Err.h"
#include "core/FileIdentity.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor when it goes.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

[[noreturn]] void CannotRead(const QByteArray& input, int error)
{
    throw RuntimeError(error == ENOENT ? errFileNotFound : errPathFileAccess,
                       QStringLiteral("Cannot read %1: %2").arg(ShownPath(input), QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace

int CopyFileWhole(const QString& input, const QString& output, CheckedFileWrite::Flush flush)
{
    return CopyNativeFileWhole(QFile::encodeName(input), QFile::encodeName(output), flush);
}

int CopyNativeFileWhole(const QByteArray& input, const QByteArray& output, CheckedFileWrite::Flush flush)
{
    const FileState before = FileStateOf(input);
    Descriptor source{::open(input.constData(), O_RDONLY | O_CLOEXEC)};
    if (source.fd < 0)
        CannotRead(input, errno);
    struct stat st {};
    if (::fstat(source.fd, &st) != 0)
        CannotRead(input, errno);
    if (S_ISDIR(st.st_mode))
        throw RuntimeError(errPathFileAccess, QStringLiteral("%1 is a folder").arg(ShownPath(input)));
    CheckedFileWrite target(output, static_cast<int>(st.st_mode & 0777), flush);
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(source.fd, block.data(), static_cast<size_t>(block.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            CannotRead(input, errno);
        if (got == 0)
            break;
        target.write(block.constData(), got);
    }
    if (!(FileStateOf(input) == before))
        throw RuntimeError(errPathFileAccess, QStringLiteral("%1 changed while it was read").arg(ShownPath(input)));
    struct stat after {};
    if (::fstat(source.fd, &after) != 0 || after.st_size != st.st_size || after.st_mtim.tv_sec != st.st_mtim.tv_sec ||
        after.st_mtim.tv_nsec != st.st_mtim.tv_nsec)
        throw RuntimeError(errPathFileAccess, QStringLiteral("%1 changed while it was read").arg(ShownPath(input)));
    target.commit();
    return static_cast<int>(st.st_mode & 0777);
}
