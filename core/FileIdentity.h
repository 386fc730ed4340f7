#pragma once
// Whether two paths name one file, and whether a path lies in a folder, by identity rather
// than by text: "a/./b.txt", links and hard links name the file they lead to.
#include <QByteArray>
#include <QString>

// The path with every existing part resolved (links followed, "." and ".." removed); the part
// that does not exist yet is appended as written, cleaned.
QString ResolvedPath(const QString& path);

// Same device and inode when both exist; otherwise the same resolved path.
bool IsOneFile(const QString& a, const QString& b);

// True when path is folder itself or lies anywhere below it.
bool IsSameOrInsideFolder(const QString& path, const QString& folder);

// What shows that a file was changed: its identity, size and modification time.
struct FileState {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = -1;
    long long mtimeNs = 0;
    bool valid = false;
    bool operator==(const FileState& o) const
    {
        return valid && o.valid && device == o.device && inode == o.inode && size == o.size && mtimeNs == o.mtimeNs;
    }
    bool sameFile(const FileState& o) const { return valid && o.valid && device == o.device && inode == o.inode; }
};

// The state of the file a native path names (links followed); not valid when there is none.
FileState FileStateOf(const QByteArray& nativePath);
FileState FileStateOf(const QString& path);
