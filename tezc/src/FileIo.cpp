#include "FileIo.h"

#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tezc {

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder == ".") return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool readFile(const std::string& path, std::string& out) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < out.size()) {
        ssize_t r = ::read(fd, out.data() + got, out.size() - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += static_cast<size_t>(r);
    }
    // The file may have changed size meanwhile: read whatever is there.
    out.resize(got);
    char extra[65536];
    for (;;) {
        ssize_t r = ::read(fd, extra, sizeof extra);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        out.append(extra, static_cast<size_t>(r));
    }
    ::close(fd);
    return true;
}

bool writeFileAtomic(const std::string& path, std::string_view data) {
    std::string tmpl = joinPath(folderOf(path), ".tezc-XXXXXX");
    int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < data.size()) {
        ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) ok = false;
        else done += static_cast<size_t>(w);
    }
    // Keep the permissions of a file being replaced; new files get the usual 0644 - umask.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(tmpl.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) ::unlink(tmpl.c_str());
    return ok;
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    struct stat sa {}, sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void FileBytes::Free::operator()(void* p) const { std::free(p); }

namespace {
// Memory for a file's bytes: large tables in huge pages where the system offers them, so
// that reading them costs a few page faults instead of thousands.
void* allocateFileMemory(size_t bytes) {
    constexpr size_t kHuge = size_t(2) << 20;
    if (bytes < kHuge / 2) return std::malloc((bytes + 7) & ~size_t(7));
    const size_t rounded = (bytes + kHuge - 1) & ~(kHuge - 1);
    void* p = std::aligned_alloc(kHuge, rounded);
    if (p) ::madvise(p, rounded, MADV_HUGEPAGE);
    return p;
}
}  // namespace

bool FileBytes::load(const std::string& path) {
    // Read straight into the aligned block: no intermediate copy, no zero-fill.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        ::close(fd);
        return false;
    }
    // One byte more than the file claims: a file that grew meanwhile is read as a size it
    // does not declare, and the table check rejects it.
    const size_t want = static_cast<size_t>(st.st_size) + 1;
    const size_t words = (want + 7) / 8;
    std::unique_ptr<uint64_t, Free> block(static_cast<uint64_t*>(allocateFileMemory(words * 8)));
    if (!block) {
        ::close(fd);
        return false;
    }
    auto* bytes = reinterpret_cast<char*>(block.get());
    size_t got = 0;
    while (got < want) {
        ssize_t r = ::read(fd, bytes + got, want - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += static_cast<size_t>(r);
    }
    ::close(fd);
    if (got == 0) return false;
    // The bytes after the end up to the next word boundary stay defined.
    std::memset(bytes + got, 0, words * 8 - got);
    words_ = std::move(block);
    size_ = got;
    return true;
}

}  // namespace tezc
