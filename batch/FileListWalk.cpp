#include "batch/FileListWalk.h"

#include "batch/FolderPath.h"
#include "core/Err.h"
#include "core/Log.h"
#include "platform/FolderListing.h"

#include <QFile>

#include <cstring>
#include <deque>

namespace {

const QString kProcName = QStringLiteral("FindAllFiles");

QString SystemMessage(int systemError) { return QString::fromLocal8Bit(std::strerror(systemError)); }

void LogQuiet(int number, const QString& description)
{
    Err().Set(number, description);
    ErrorLogQuiet(kProcName);
}

// Every file below a folder that has a native name only, as native paths.
void WalkNativeTree(const QByteArray& folder, QList<QByteArray>& undecodable)
{
    std::deque<QByteArray> queue{folder};
    while (!queue.empty()) {
        const QByteArray current = std::move(queue.front());
        queue.pop_front();
        std::vector<FolderEntry> entries;
        int error = 0;
        if (!ListNativeFolder(current, entries, error))
            LogQuiet(errPathFileAccess, QStringLiteral("%1: %2").arg(QString::fromLatin1(current.toPercentEncoding("/")), SystemMessage(error)));
        for (const FolderEntry& entry : entries) {
            if (entry.rawName.startsWith('.'))
                continue;
            const QByteArray path = current + '/' + entry.rawName;
            if (entry.kind == FolderEntry::Kind::File)
                undecodable.append(path);
            else if (entry.kind == FolderEntry::Kind::Folder)
                queue.push_back(path);
        }
    }
}

// Lists one folder into found, queueing its subfolders.
void WalkFolder(const QString& folder, PathCollection& found, std::deque<QString>& queue,
    const FolderIdentity& excluded, QList<QByteArray>* undecodable)
{
    std::vector<FolderEntry> entries;
    int error = 0;
    if (!ListFolder(folder, entries, error)) {
        LogQuiet(error == EACCES ? errPermissionDenied : errPathFileAccess,
            QStringLiteral("%1: %2").arg(folder, SystemMessage(error)));
        if (entries.empty())
            return; // nothing was read; a folder that failed part way keeps what was read
    }
    for (const FolderEntry& entry : entries) {
        if (entry.rawName.startsWith('.'))
            continue;
        if (!entry.decodable) {
            const QByteArray native = QFile::encodeName(folder) + '/' + entry.rawName;
            if (undecodable && entry.kind == FolderEntry::Kind::File)
                undecodable->append(native);
            else if (undecodable && entry.kind == FolderEntry::Kind::Folder && !(entry.identity == excluded))
                WalkNativeTree(native, *undecodable);
            else if (!undecodable)
                LogQuiet(errBadFileName,
                    QStringLiteral("%1: a name that is not valid in the file-name encoding (%2)")
                        .arg(folder, QString::fromLatin1(entry.rawName.toPercentEncoding("/"))));
            continue;
        }
        const QString path = JoinPath(folder, entry.name);
        if (entry.kind == FolderEntry::Kind::File)
            CollectionAddUnique(found, path);
        else if (entry.kind == FolderEntry::Kind::Folder && !(entry.identity == excluded))
            queue.push_back(path);
    }
}

int Walk(const QString& path, PathCollection& found, const QString& excludedFolder, QList<QByteArray>* undecodable)
{
    const QString root = WithoutTrailingSlash(path);
    FolderEntry::Kind kind;
    if (!EntryKind(root, kind)) {
        Err().Set(errFileNotFound, QStringLiteral("%1: %2").arg(root, SystemMessage(ENOENT)));
        ErrorLog(kProcName);
        return 0;
    }
    if (kind == FolderEntry::Kind::File) {
        CollectionAddUnique(found, root);
        return 0;
    }
    if (kind != FolderEntry::Kind::Folder) {
        LogQuiet(errBadFileName, QStringLiteral("%1: neither a file nor a folder").arg(root));
        return 0;
    }
    const FolderIdentity excluded = IdentifyFolder(excludedFolder);
    if (IdentifyFolder(root) == excluded)
        return 0;
    std::deque<QString> queue { root };
    while (!queue.empty()) {
        const QString folder = std::move(queue.front());
        queue.pop_front();
        WalkFolder(folder, found, queue, excluded, undecodable);
    }
    return 0;
}

} // namespace

void PathCollection::append(const QString& path)
{
    m_items.append(path);
    m_keys.insert(path);
}

void CollectionAddUnique(PathCollection& list, const QString& text)
{
    if (!list.contains(text))
        list.append(text);
}

int FindAllFiles(const QString& path, PathCollection& found, const QString& excludedFolder)
{
    return Walk(path, found, excludedFolder, nullptr);
}

int FindAllFiles(const QString& path, PathCollection& found, QList<QByteArray>& undecodable)
{
    return Walk(path, found, QString(), &undecodable);
}
