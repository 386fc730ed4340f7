#include "platform/FolderListing.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FolderIdentity IdentityOf(const struct stat& st)
{
    return FolderIdentity { static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino), true };
}

FolderEntry::Kind KindOfTarget(const struct stat& st)
{
    if (S_ISREG(st.st_mode))
        return FolderEntry::Kind::File;
    if (S_ISDIR(st.st_mode))
        return FolderEntry::Kind::FolderLink;
    return FolderEntry::Kind::Other;
}

// Kind of an entry of an open folder; links are looked through, links to folders kept apart.
FolderEntry::Kind KindAt(int folderFd, const char* name, FolderIdentity& identity)
{
    struct stat st {};
    if (fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return FolderEntry::Kind::Other;
    if (S_ISDIR(st.st_mode)) {
        identity = IdentityOf(st);
        return FolderEntry::Kind::Folder;
    }
    if (S_ISREG(st.st_mode))
        return FolderEntry::Kind::File;
    if (!S_ISLNK(st.st_mode))
        return FolderEntry::Kind::Other;
    struct stat target {};
    if (fstatat(folderFd, name, &target, 0) != 0)
        return FolderEntry::Kind::Other; // dangling
    return KindOfTarget(target);
}

} // namespace

bool ListFolder(const QString& folder, std::vector<FolderEntry>& entries, int& error)
{
    return ListNativeFolder(QFile::encodeName(folder), entries, error);
}

bool ListNativeFolder(const QByteArray& folder, std::vector<FolderEntry>& entries, int& error)
{
    entries.clear();
    error = 0;
    DIR* dir = opendir(folder.constData());
    if (!dir) {
        error = errno;
        return false;
    }
    const int fd = dirfd(dir);
    for (;;) {
        errno = 0;
        const dirent* item = readdir(dir);
        if (!item) {
            error = errno;
            break;
        }
        const QByteArray raw(item->d_name);
        if (raw == "." || raw == "..")
            continue;
        FolderEntry entry;
        entry.rawName = raw;
        const QString decoded = QFile::decodeName(raw);
        entry.decodable = QFile::encodeName(decoded) == raw;
        if (entry.decodable)
            entry.name = decoded;
        entry.kind = KindAt(fd, item->d_name, entry.identity);
        entries.push_back(std::move(entry));
    }
    closedir(dir);
    std::sort(entries.begin(), entries.end(),
        [](const FolderEntry& a, const FolderEntry& b) { return a.rawName < b.rawName; });
    return error == 0;
}

FolderIdentity IdentifyFolder(const QString& path)
{
    struct stat st {};
    if (path.isEmpty() || stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return IdentityOf(st);
}

bool EntryKind(const QString& path, FolderEntry::Kind& kind)
{
    struct stat st {};
    if (path.isEmpty() || stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    kind = KindOfTarget(st);
    if (kind == FolderEntry::Kind::FolderLink)
        kind = FolderEntry::Kind::Folder;
    return true;
}
