#pragma once
// File helpers: whole-file read, reads at offsets, atomic write (temporary file in the same
// folder, then rename), and same-file check.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace tezc {

// The folder part of a path ("." when it has none) and a name joined to a folder.
std::string folderOf(const std::string& path);
std::string joinPath(const std::string& folder, const std::string& name);

// What shows that a file changed: identity, size and modification time.
struct FileMark {
    uint64_t device = 0, inode = 0, size = 0;
    int64_t mtimeNs = 0;
    bool operator==(const FileMark&) const = default;
};
// The mark of an open file, and whether the file at path still is that file unchanged (the
// open file's own size and time included).
bool markOf(int fd, FileMark& mark);
bool unchangedSince(int fd, const std::string& path, const FileMark& mark);

// The whole file; false when it cannot be read or changed while it was read.
bool readFile(const std::string& path, std::string& out);
// Writes data to a temporary file beside path and renames it over path; on failure the
// old file (if any) is untouched and no temporary file is left. With flush the data reaches
// the disk before the rename; without it the caller makes the file durable.
bool writeFileAtomic(const std::string& path, std::string_view data, bool flush = true);
// The permissions of a new file: 0666 less the process's umask (read without changing it,
// so that threads may call it); of an output: those of the file at path when there is one.
mode_t newFileMode();
mode_t outputMode(const std::string& path);
bool sameFile(const std::string& a, const std::string& b);

// A regular file opened for reading pieces of it at given offsets.
class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();
    // False when the file cannot be opened or is no regular file.
    bool open(const std::string& path);
    // The size when it was opened.
    uint64_t size() const { return size_; }
    // Reads exactly bytes bytes at offset; false when the file holds fewer there.
    bool readAt(uint64_t offset, void* out, size_t bytes) const;
    // Whether the bytes bytes at offset are exactly those at expected (read in pieces, into
    // no new memory).
    bool holdsAt(uint64_t offset, const void* expected, size_t bytes) const;

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

}  // namespace tezc
