#include "FileIo.h"

#include "PageMemory.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
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

namespace {

FileMark markFrom(const struct stat& st) {
    return FileMark{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino), static_cast<uint64_t>(st.st_size),
                    static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

}  // namespace

bool markOf(int fd, FileMark& mark) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    mark = markFrom(st);
    return true;
}

bool unchangedSince(int fd, const std::string& path, const FileMark& mark) {
    FileMark now;
    struct stat st {};
    return markOf(fd, now) && now == mark && ::stat(path.c_str(), &st) == 0 && markFrom(st) == mark;
}

bool readFile(const std::string& path, std::string& out) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    const FileMark mark = markFrom(st);
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
    // A file rewritten while it was read gives a text that is neither the old nor the new.
    const bool unchanged = unchangedSince(fd, path, mark);
    ::close(fd);
    return unchanged;
}

namespace {

// The umask from the process's status; where that is not readable, the umask is set and
// set back under a lock (the only other way to read it).
mode_t processUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found) return static_cast<mode_t>(mask);
    }
    static std::mutex lock;
    std::lock_guard hold(lock);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

mode_t newFileMode() { return 0666 & ~processUmask(); }

mode_t outputMode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : newFileMode();
}

bool writeFileAtomic(const std::string& path, std::string_view data, bool flush) {
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
    // Keep the permissions of a file being replaced; new files get the usual 0666 - umask.
    ::fchmod(fd, outputMode(path));
    if (ok && flush && ::fsync(fd) != 0) ok = false;
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

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool ReadOnlyFile::open(const std::string& path) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat st {};
    if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    size_ = static_cast<uint64_t>(st.st_size);
    return true;
}

bool ReadOnlyFile::readAt(uint64_t offset, void* out, size_t bytes) const {
    if (fd_ < 0 || offset > size_ || bytes > size_ - offset) return false;
    auto* to = static_cast<char*>(out);
    size_t got = 0;
    while (got < bytes) {
        const ssize_t r = ::pread(fd_, to + got, bytes - got, static_cast<off_t>(offset + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        got += static_cast<size_t>(r);
    }
    return true;
}

bool ReadOnlyFile::holdsAt(uint64_t offset, const void* expected, size_t bytes) const {
    // Pieces that stay in the second-level cache between the read and the compare, large
    // enough that the reads cost few system calls, in memory that is already there (fresh
    // stack pages would cost more than the compare).
    constexpr size_t kPiece = 262144;
    std::unique_ptr<char, void (*)(void*)> piece(static_cast<char*>(allocatePages(kPiece)), freePages);
    if (!piece) return false;
    auto* want = static_cast<const char*>(expected);
    for (size_t done = 0; done < bytes;) {
        const size_t n = std::min(kPiece, bytes - done);
        if (!readAt(offset + done, piece.get(), n) || std::memcmp(piece.get(), want + done, n) != 0) return false;
        done += n;
    }
    return true;
}

}  // namespace tezc
