#pragma once
// The walk that expands a chosen or dropped path into the files it stands for, and the
// ordered path list with a hashed look-up that the walk and the list fillers share.
#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Paths in the order they were added, with a hashed membership test.
class PathCollection {
public:
    bool contains(const QString& path) const { return m_keys.contains(path); }
    // Appends without a test.
    void append(const QString& path);
    int count() const { return static_cast<int>(m_items.size()); }
    const QString& at(int i) const { return m_items.at(i); }
    const QStringList& items() const { return m_items; }

private:
    QStringList m_items;
    QSet<QString> m_keys;
};

// Appends text unless an item exactly equal (case counts) is already in the list.
void CollectionAddUnique(PathCollection& list, const QString& text);

// Appends to found the files that path stands for: path itself when it is a file, every file
// of the folder tree when it is a folder (a path that is a link to a folder is walked). The
// walk is breadth-first, each folder's entries in byte order of name; names beginning with
// "." are skipped, links to folders are not followed, devices, pipes and sockets are
// skipped, and so is a name not valid in the file-name encoding. A folder whose identity is
// that of excludedFolder (when given) is not walked. Files already in found are not added
// again. A path that does not exist is logged under "FindAllFiles" (with a beep); each
// unreadable folder and each undecodable name gives one quiet "FindAllFiles" record naming
// the folder, and the rest of the tree is still listed. Always returns 0.
int FindAllFiles(const QString& path, PathCollection& found, const QString& excludedFolder = QString());

// The same, but the files whose path the file-name encoding cannot show (a name of the
// file, or of a folder above it, that is not valid in it) are appended to undecodable as
// native paths (bytes) instead of being left out with a record.
int FindAllFiles(const QString& path, PathCollection& found, QList<QByteArray>& undecodable);
