#pragma once
// Whether two paths name one file, and whether a path lies in a folder, by identity rather
// than by text: "a/./b.txt", links and hard links name the file they lead to.
#include <QString>

// The path with every existing part resolved (links followed, "." and ".." removed); the part
// that does not exist yet is appended as written, cleaned.
QString ResolvedPath(const QString& path);

// Same device and inode when both exist; otherwise the same resolved path.
bool IsOneFile(const QString& a, const QString& b);

// True when path is folder itself or lies anywhere below it.
bool IsSameOrInsideFolder(const QString& path, const QString& folder);
