#include "FileStream.h"

#include "CodePage.h"
#include "FileConvert.h"
#include "FileIo.h"
#include "Text8.h"
#include "TezC.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tezc {

namespace {

// The part of the converted text that decides whether it looks like HTML.
constexpr size_t kHtmlProbeUnits = 65536;

class InputFile {
public:
    explicit InputFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~InputFile() { if (fd_ >= 0) ::close(fd_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    bool ok() const { return fd_ >= 0 && !failed_; }
    bool atEnd() const { return end_; }
    // Appends up to n bytes; false on a read error.
    bool readMore(std::string& buf, size_t n) {
        const size_t old = buf.size();
        buf.resize(old + n);
        size_t got = 0;
        while (got < n) {
            const ssize_t r = ::read(fd_, buf.data() + old + got, n - got);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) { failed_ = true; break; }
            if (r == 0) { end_ = true; break; }
            got += static_cast<size_t>(r);
        }
        buf.resize(old + got);
        return !failed_;
    }

private:
    int fd_;
    bool end_ = false;
    bool failed_ = false;
};

// A temporary file beside the output, renamed over it by commit; removed otherwise.
class OutputFile {
public:
    explicit OutputFile(const std::string& path) : path_(path), tmp_(joinPath(folderOf(path), ".tezc-XXXXXX")) {
        fd_ = ::mkostemp(tmp_.data(), O_CLOEXEC);
    }
    ~OutputFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_ && fd_ != -1) ::unlink(tmp_.c_str());
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    bool ok() const { return fd_ >= 0 && !failed_; }
    void write(std::string_view data) {
        size_t done = 0;
        while (!failed_ && done < data.size()) {
            const ssize_t w = ::write(fd_, data.data() + done, data.size() - done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) failed_ = true;
            else done += static_cast<size_t>(w);
        }
    }
    bool commit() {
        if (!ok()) return false;
        // Keep the permissions of a file being replaced; new files get 0666 - umask.
        struct stat st {};
        if (::stat(path_.c_str(), &st) == 0) {
            ::fchmod(fd_, st.st_mode & 07777);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd_, 0666 & ~mask);
        }
        bool good = ::fsync(fd_) == 0;
        good = ::close(fd_) == 0 && good;
        fd_ = -2;
        if (good && ::rename(tmp_.c_str(), path_.c_str()) == 0) {
            committed_ = true;
            return true;
        }
        ::unlink(tmp_.c_str());
        return false;
    }

private:
    std::string path_;
    std::string tmp_;
    int fd_ = -1;
    bool failed_ = false;
    bool committed_ = false;
};

enum class Enc { Dbcs, Utf8, Utf16 };

struct InputEncoding {
    Enc enc = Enc::Dbcs;
    bool utf8Bom = false;
    bool bigEndian = false;  // UTF-16 input
    size_t skip = 0;         // byte-order mark length
};

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// First pass over an 8-bit input: a UTF-8 byte-order mark, or valid UTF-8 with non-ASCII bytes,
// makes it UTF-8; otherwise it is the script's 8-bit code page.
bool detect8(const std::string& path, size_t chunk, InputEncoding& found) {
    InputFile file(path);
    if (!file.ok()) return false;
    std::string buf;
    bool first = true, nonAscii = false, valid = true;
    while (!file.atEnd()) {
        if (!file.readMore(buf, chunk)) return false;
        if (first && buf.size() < 3 && !file.atEnd()) continue;
        if (first) {
            first = false;
            if (buf.compare(0, 3, "\xEF\xBB\xBF") == 0) {
                found.enc = Enc::Utf8;
                found.utf8Bom = true;
                found.skip = 3;
                return true;
            }
        }
        // Check up to the start of the last sequence, which may go on in the next block.
        size_t cut = buf.size();
        if (!file.atEnd()) {
            size_t back = 0;
            while (back < 4 && back < buf.size() && isContinuation(static_cast<unsigned char>(buf[buf.size() - 1 - back])))
                ++back;
            if (back < 4 && back < buf.size()) cut = buf.size() - 1 - back;
        }
        const std::string_view part(buf.data(), cut);
        if (!nonAscii) nonAscii = hasNonAscii(part);
        if (valid) valid = isValidUtf8(part);
        if (!valid) break;
        buf.erase(0, cut);
    }
    found.enc = nonAscii && valid ? Enc::Utf8 : Enc::Dbcs;
    return true;
}

InputEncoding wideEncoding(const std::string& head) {
    InputEncoding e;
    e.enc = Enc::Utf16;
    if (head.size() >= 2) {
        const auto a = static_cast<unsigned char>(head[0]), b = static_cast<unsigned char>(head[1]);
        if (a == 0xFF && b == 0xFE) e.skip = 2;
        else if (a == 0xFE && b == 0xFF) { e.bigEndian = true; e.skip = 2; }
    }
    return e;
}

// The length of the longest prefix of buf that ends after a line break (0 when none).
size_t lineEnd(const std::string& buf, const InputEncoding& e) {
    if (e.enc != Enc::Utf16) {
        const size_t nl = buf.rfind('\n');
        return nl == std::string::npos ? 0 : nl + 1;
    }
    for (size_t i = buf.size() & ~size_t(1); i >= 2; i -= 2) {
        const auto lo = static_cast<unsigned char>(buf[i - 2 + (e.bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(buf[i - 2 + (e.bigEndian ? 0 : 1)]);
        if (lo == 0x0A && hi == 0) return i;
    }
    return 0;
}

void decodeUnits(std::string_view bytes, bool big, std::u16string& out) {
    const size_t n = bytes.size() / 2;
    out.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i + (big ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + (big ? 0 : 1)]);
        out[i] = static_cast<char16_t>(lo | (hi << 8));
    }
}

void encodeUnits(std::u16string_view text, std::string& out) {
    out.resize(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(text[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
}

}  // namespace

size_t fileChunkBytes() {
    if (const char* v = std::getenv("TEZC_FILE_CHUNK_BYTES")) {
        const long n = std::strtol(v, nullptr, 10);
        if (n > 0) return static_cast<size_t>(n);
    }
    return size_t(4) << 20;
}

StreamOutcome streamConvertFile(Stmt& st, const std::string& in, const std::string& out, const StreamPlan& plan,
                                int32_t& rc) {
    const size_t chunk = fileChunkBytes();
    rc = TEZ_ERR_OPEN;
    InputEncoding enc;
    InputFile file(in);
    if (!file.ok()) return StreamOutcome::Finished;
    std::string buf;
    if (plan.fromWide) {
        while (buf.size() < 2 && !file.atEnd())
            if (!file.readMore(buf, 2 - buf.size())) return StreamOutcome::Finished;
        enc = wideEncoding(buf);
    } else if (!detect8(in, chunk, enc)) {
        return StreamOutcome::Finished;
    }
    const Enc outEnc = plan.toWide ? Enc::Utf16 : (enc.enc == Enc::Utf8 ? Enc::Utf8 : Enc::Dbcs);

    OutputFile output(out);
    if (!output.ok()) {
        rc = TEZ_ERR_WRITE;
        return StreamOutcome::Finished;
    }
    // Converted text held back until enough of it shows that it is not HTML.
    std::u16string probe;
    bool probing = true;
    bool wroteStart = false;
    std::string bytes;
    std::u16string text, converted;

    auto emit = [&](std::u16string_view part) -> bool {
        bytes.clear();
        if (!wroteStart) {
            wroteStart = true;
            if (outEnc == Enc::Utf16) output.write("\xFF\xFE");
            else if (outEnc == Enc::Utf8 && enc.utf8Bom) output.write("\xEF\xBB\xBF");
        }
        switch (outEnc) {
        case Enc::Utf16: encodeUnits(part, bytes); break;
        case Enc::Utf8: encodeUtf8(part, bytes); break;
        case Enc::Dbcs:
            if (!encode8(*st.env, plan.op.to, part, bytes, Unmappable::Question)) return false;
            break;
        }
        output.write(bytes);
        return true;
    };

    bool skipped = false;
    for (;;) {
        // Read until the buffer holds a whole line (or the file ends).
        size_t take = 0;
        while (true) {
            if (!file.atEnd() && buf.size() < chunk && !file.readMore(buf, chunk - buf.size()))
                return StreamOutcome::Finished;
            if (!skipped && (buf.size() >= enc.skip || file.atEnd())) {
                buf.erase(0, std::min(enc.skip, buf.size()));
                skipped = true;
            }
            if (file.atEnd()) { take = buf.size(); break; }
            take = lineEnd(buf, enc);
            if (take > 0) break;
            if (!file.readMore(buf, chunk)) return StreamOutcome::Finished;
        }
        const bool last = file.atEnd() && take == buf.size();
        const std::string_view piece(buf.data(), take);
        if (enc.enc == Enc::Utf16) {
            decodeUnits(piece, enc.bigEndian, text);
        } else if (enc.enc == Enc::Utf8) {
            text.clear();
            decodeUtf8(piece, text);
        } else if (!decode8(*st.env, plan.op.from, piece, text)) {
            rc = TEZ_ERR_NOTABLE;
            return StreamOutcome::Finished;
        }
        // An odd byte left at the end of UTF-16 input is dropped, as in the whole conversion.
        buf.erase(0, last ? buf.size() : take);
        if (int32_t r = runTextOp(st, plan.op, text, converted); r != TEZ_OK) {
            rc = r;
            return StreamOutcome::Finished;
        }
        if (probing) {
            probe += converted;
            if (probe.size() < kHtmlProbeUnits && !last) continue;
            if (looksLikeHtml(probe)) return StreamOutcome::LooksLikeHtml;
            probing = false;
            if (!emit(probe)) { rc = TEZ_ERR_NOTABLE; return StreamOutcome::Finished; }
            std::u16string().swap(probe);
        } else if (!emit(converted)) {
            rc = TEZ_ERR_NOTABLE;
            return StreamOutcome::Finished;
        }
        if (last) break;
    }
    if (!wroteStart && !emit(std::u16string_view())) {
        rc = TEZ_ERR_NOTABLE;
        return StreamOutcome::Finished;
    }
    rc = output.commit() ? TEZ_OK : TEZ_ERR_WRITE;
    return StreamOutcome::Finished;
}

}  // namespace tezc
