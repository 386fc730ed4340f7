#include "core/CheckedFileWrite.h"

#include "core/Err.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kTemporaryPrefix = ".tezc-";
constexpr int kTemporaryRandom = 6; // the XXXXXX of mkstemp

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

} // namespace

QString ShownPath(const QByteArray& nativePath)
{
    const QString decoded = QFile::decodeName(nativePath);
    if (QFile::encodeName(decoded) == nativePath)
        return decoded;
    return QString::fromLatin1(nativePath.toPercentEncoding("/"));
}

mode_t ProcessUmask()
{
    // Read from the process's status, so that threads writing files at the same time never
    // see the umask cleared; elsewhere set and set back under a lock.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (!line.startsWith("Umask:"))
                continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok)
                return static_cast<mode_t>(mask);
        }
    }
    static std::mutex lock;
    const std::lock_guard hold(lock);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

mode_t NewFileModeLessUmask(int mode)
{
    return static_cast<mode_t>(mode < 0 ? 0666 : mode) & ~ProcessUmask() & 07777;
}

bool IsOwnTemporaryName(const QByteArray& name)
{
    if (name.size() != kTemporaryPrefix.size() + kTemporaryRandom || !name.startsWith(kTemporaryPrefix))
        return false;
    for (qsizetype i = kTemporaryPrefix.size(); i < name.size(); ++i) {
        const char c = name.at(i);
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

CheckedFileWrite::CheckedFileWrite(const QByteArray& nativeTarget, int mode, Flush flush)
    : m_target(nativeTarget), m_mode(mode), m_flush(flush)
{
    if (m_flush == Flush::NewName) {
        m_temporary = m_target;
        m_fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    } else {
        m_temporary = FolderOf(m_target) + '/' + kTemporaryPrefix + QByteArray(kTemporaryRandom, 'X');
        m_fd = ::mkostemp(m_temporary.data(), O_CLOEXEC);
    }
    if (m_fd < 0) {
        const int error = errno;
        m_temporary.clear();
        fail(error);
    }
}

CheckedFileWrite::~CheckedFileWrite()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
}

void CheckedFileWrite::fail(int error)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
    const int number = error == ENOSPC || error == EDQUOT ? errDiskFull : errPathFileAccess;
    throw RuntimeError(number, QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral(": ") + ShownPath(m_target));
}

void CheckedFileWrite::write(const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (written == 0)
            fail(ENOSPC);
        data += written;
        size -= written;
    }
}

void CheckedFileWrite::commit()
{
    struct stat old {};
    const bool replaces = m_flush == Flush::BeforeRename && ::stat(m_target.constData(), &old) == 0;
    const mode_t mode = replaces ? (old.st_mode & 07777) : NewFileModeLessUmask(m_mode);
    if (::fchmod(m_fd, mode) != 0 || (m_flush == Flush::BeforeRename && ::fsync(m_fd) != 0))
        fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        fail(errno);
    if (m_flush == Flush::BeforeRename && ::rename(m_temporary.constData(), m_target.constData()) != 0)
        fail(errno);
    m_temporary.clear();
}
