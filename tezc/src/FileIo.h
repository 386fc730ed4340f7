#pragma once
// File helpers: whole-file read, atomic write (temporary file in the same folder, then
// rename), read-only mapping, and same-file check.
#include <cstddef>
#include <string>
#include <string_view>

namespace tezc {

// The folder part of a path ("." when it has none) and a name joined to a folder.
std::string folderOf(const std::string& path);
std::string joinPath(const std::string& folder, const std::string& name);

bool readFile(const std::string& path, std::string& out);
// Writes data to a temporary file beside path and renames it over path; on failure the
// old file (if any) is untouched and no temporary file is left.
bool writeFileAtomic(const std::string& path, std::string_view data);
bool sameFile(const std::string& a, const std::string& b);

class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();
    bool open(const std::string& path);
    const void* data() const { return data_; }
    size_t size() const { return size_; }

private:
    void* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace tezc
