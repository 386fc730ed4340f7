#pragma once
// What a folder holds, as the file system stores it: each entry's name (decoded in the
// file-name encoding, with a mark for names that encoding cannot represent) and its kind,
// without following links to folders.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// Which folder an entry is, whatever path names it (device and inode).
struct FolderIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool valid = false;
    bool operator==(const FolderIdentity& o) const { return valid && o.valid && device == o.device && inode == o.inode; }
};

struct FolderEntry {
    enum class Kind {
        File,       // a regular file, or a link to one
        Folder,     // a folder (not a link)
        FolderLink, // a link to a folder
        Other,      // device, pipe, socket, dangling link
    };
    QByteArray rawName;  // the name's bytes
    QString name;        // the decoded name; empty when the bytes are not valid in the encoding
    bool decodable = false;
    Kind kind = Kind::Other;
    FolderIdentity identity; // of a Folder entry
};

// The entries of a folder other than "." and "..", in byte order of their names. False
// when the folder cannot be opened or read; error is then the system's error number.
bool ListFolder(const QString& folder, std::vector<FolderEntry>& entries, int& error);
// The same for a folder given by its native name (bytes).
bool ListNativeFolder(const QByteArray& folder, std::vector<FolderEntry>& entries, int& error);

// The folder a path names (links followed); not valid when it names no folder.
FolderIdentity IdentifyFolder(const QString& path);

// The kind of entry a path names, looking through a link; false when nothing is there.
bool EntryKind(const QString& path, FolderEntry::Kind& kind);
