#pragma once
// File helpers: whole-file read (also into 8-byte aligned memory), atomic write (temporary
// file in the same folder, then rename), and same-file check.
#include <cstddef>
#include <cstdint>
#include <memory>
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

// A whole file copied into 8-byte aligned memory: what was checked at load stays what is
// read later, whatever happens to the file on disk.
class FileBytes {
public:
    bool load(const std::string& path);
    const void* data() const { return words_.get(); }
    size_t size() const { return size_; }

private:
    struct Free {
        void operator()(void* p) const;
    };
    std::unique_ptr<uint64_t, Free> words_;
    size_t size_ = 0;
};

}  // namespace tezc
