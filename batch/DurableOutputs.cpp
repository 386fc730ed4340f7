#include "batch/DurableOutputs.h"

#include "core/CheckedFileWrite.h"
#include "core/Err.h"

#include <atomic>
#include <cerrno>
#include <random>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Flushes one file (or folder) by its name; 0 or the error.
int FlushByName(const QByteArray& path, bool folder)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

// A temporary's name in the folder that no file has: ".tezc-" and six letters or digits, as
// the program's other temporaries (so that a run removes those a killed run left). The file
// is not made here: the writer renames its own complete file onto the name, so that nothing
// appears beside the output before the writer has opened its input.
QByteArray FreeTemporaryName(const QByteArray& folder)
{
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    static std::atomic<uint64_t> next{std::random_device{}()};
    for (;;) {
        uint64_t n = next.fetch_add(0x9E3779B97F4A7C15ull);
        QByteArray name = folder + "/.tezc-";
        for (int i = 0; i < 6; ++i, n /= 62)
            name += kDigits[n % 62];
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0 && errno == ENOENT)
            return name;
    }
}

void Fail(DurableOutputs::Entry& entry, const QString& why)
{
    ::unlink(entry.temporary.constData());
    entry.temporary.clear();
    entry.failure = why + QStringLiteral(": ") + ShownPath(entry.target);
}

} // namespace

DurableOutputs::~DurableOutputs()
{
    for (const auto& [device, fd] : m_devices)
        ::close(fd);
}

DurableOutputs::Entry DurableOutputs::reserve(const QByteArray& target)
{
    Entry entry = reserveUnnamed(target);
    nameTemporary(entry);
    return entry;
}

void DurableOutputs::nameTemporary(Entry& entry)
{
    entry.temporary = FreeTemporaryName(FolderOf(entry.target));
}

DurableOutputs::Entry DurableOutputs::reserveUnnamed(const QByteArray& target)
{
    Entry entry;
    entry.target = target;
    const QByteArray folder = FolderOf(target);
    {
        const std::lock_guard hold(m_lock);
        const auto known = m_folders.find(folder);
        if (known != m_folders.end()) {
            entry.device = known->second;
            return entry;
        }
    }
    struct stat st {};
    int fd = -1;
    if (::stat(folder.constData(), &st) != 0 || (fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0) {
        const int error = errno;
        throw RuntimeError(errPathFileAccess, SystemError(error) + QStringLiteral(": ") + ShownPath(target));
    }
    entry.device = st.st_dev;
    {
        // The first folder of a file system stays open: its flush reports the write errors
        // that come after it was opened.
        const std::lock_guard hold(m_lock);
        m_folders.emplace(folder, st.st_dev);
        if (m_devices.emplace(st.st_dev, fd).second)
            fd = -1;
    }
    if (fd >= 0)
        ::close(fd);
    return entry;
}

void DurableOutputs::discard(const Entry& entry)
{
    if (!entry.temporary.isEmpty())
        ::unlink(entry.temporary.constData());
}

int DurableOutputs::deviceFd(dev_t device) const
{
    const std::lock_guard hold(m_lock);
    const auto it = m_devices.find(device);
    return it == m_devices.end() ? -1 : it->second;
}

void DurableOutputs::commit(std::vector<Entry*>& entries)
{
    // The mode first, so that it is flushed with the data: a replaced target's own, else the
    // new file's (the umask read once for the group: reading it costs more than the rest).
    const mode_t umask = ProcessUmask();
    std::set<dev_t> devices;
    for (Entry* entry : entries) {
        if (!entry->failure.isNull())
            continue;
        struct stat old {};
        const mode_t mode = ::stat(entry->target.constData(), &old) == 0
                                ? (old.st_mode & 07777)
                                : static_cast<mode_t>(entry->newMode < 0 ? 0666 : entry->newMode) & ~umask & 07777;
        if (::chmod(entry->temporary.constData(), mode) != 0) {
            Fail(*entry, SystemError(errno));
            continue;
        }
        devices.insert(entry->device);
    }
    // Every temporary's data on the disk before any rename. A flush that reports an error
    // (of any file of that file system) is followed by one flush per temporary there, which
    // tells the files that failed.
    for (const dev_t device : devices) {
        const int fd = deviceFd(device);
        if (fd >= 0 && ::syncfs(fd) == 0)
            continue;
        for (Entry* entry : entries)
            if (entry->failure.isNull() && entry->device == device)
                if (const int error = FlushByName(entry->temporary, false))
                    Fail(*entry, SystemError(error));
    }
    std::set<dev_t> renamed;
    for (Entry* entry : entries) {
        if (!entry->failure.isNull())
            continue;
        if (::rename(entry->temporary.constData(), entry->target.constData()) != 0) {
            Fail(*entry, SystemError(errno));
            continue;
        }
        entry->temporary.clear();
        renamed.insert(entry->device);
    }
    // The new names (and the folders made for them) on the disk.
    for (const dev_t device : renamed) {
        const int fd = deviceFd(device);
        if (fd >= 0 && ::syncfs(fd) == 0)
            continue;
        for (Entry* entry : entries)
            if (entry->failure.isNull() && entry->device == device)
                if (const int error = FlushByName(FolderOf(entry->target), true))
                    entry->failure = QStringLiteral("Written but not made safe on the disk (%1): %2")
                                         .arg(SystemError(error), ShownPath(entry->target));
    }
}
