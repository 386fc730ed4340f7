#include "FileStream.h"

#include "ChunkCut.h"
#include "CodePage.h"
#include "FileConvert.h"
#include "FileIo.h"
#include "HtmlScan.h"
#include "Text8.h"
#include "TezC.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <cerrno>
#include <cstdint>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tezc {

namespace {

// The part of the converted text that decides whether it looks like HTML.
constexpr size_t kHtmlProbeUnits = 65536;

class InputFile {
public:
    explicit InputFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        struct stat st {};
        if (fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)) {
            left_ = static_cast<uint64_t>(st.st_size);
            marked_ = markOf(fd_, mark_);
        }
    }
    ~InputFile() { if (fd_ >= 0) ::close(fd_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    bool ok() const { return fd_ >= 0 && !failed_; }
    bool atEnd() const { return end_; }
    // Whether the file at path still is the file opened, with the size and time it had then:
    // a file rewritten or grown while it was read gives a text that is neither old nor new.
    bool unchanged(const std::string& path) const { return !marked_ || unchangedSince(fd_, path, mark_); }
    // Reads up to n bytes more into buf after the have bytes it holds (buf only grows: what
    // lies after the bytes held means nothing); false on a read error.
    bool readMore(std::string& buf, size_t& have, size_t n) {
        // A small file is not given a whole chunk of buffer (one byte more finds its end);
        // once the bytes expected are read, a file that grows is read on in whole pieces.
        if (left_ != 0) n = static_cast<size_t>(std::min<uint64_t>(n, left_ + 1));
        if (buf.size() < have + n) buf.resize(have + n);
        size_t got = 0;
        while (got < n) {
            const ssize_t r = ::read(fd_, buf.data() + have + got, n - got);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) { failed_ = true; break; }
            if (r == 0) { end_ = true; break; }
            got += static_cast<size_t>(r);
        }
        left_ -= std::min<uint64_t>(left_, got);
        have += got;
        return !failed_;
    }

private:
    int fd_;
    uint64_t left_ = UINT64_MAX - 1;  // bytes expected (unknown for anything but a file)
    FileMark mark_;
    bool marked_ = false;
    bool end_ = false;
    bool failed_ = false;
};

// A temporary file beside the output, flushed (with flush) and renamed over it by commit;
// removed otherwise. A new output (isNew: TEZ_OUTPUT_NEW) is written under its own name and
// not renamed. With hold the bytes stay in memory until they exceed kHeldBytes or commit
// needs the file: a small output that is only read back (HTML before its charset is
// known) never becomes a file.
class OutputFile {
public:
    OutputFile(const std::string& path, bool isNew, bool flush, bool hold = false)
        : path_(path), tmp_(isNew ? path : joinPath(folderOf(path), ".tezc-XXXXXX")), new_(isNew), flush_(flush),
          held_(hold) {
        if (!held_) open();
    }
    ~OutputFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_ && fd_ != -1) ::unlink(tmp_.c_str());
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    bool ok() const { return (held_ || fd_ >= 0) && !failed_; }
    uint64_t size() const { return size_; }
    // Copies bytes [from, to) of another output file into this one.
    void copyFrom(const OutputFile& other, uint64_t from, uint64_t to) {
        if (other.held_) {
            if (from < to && to <= other.memory_.size())
                write(std::string_view(other.memory_).substr(static_cast<size_t>(from), static_cast<size_t>(to - from)));
            else if (from < to)
                failed_ = true;
            return;
        }
        std::string block;
        while (!failed_ && from < to) {
            block.resize(static_cast<size_t>(std::min<uint64_t>(to - from, 1 << 20)));
            const ssize_t r = ::pread(other.fd_, block.data(), block.size(), static_cast<off_t>(from));
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) { failed_ = true; break; }
            write(std::string_view(block.data(), static_cast<size_t>(r)));
            from += static_cast<uint64_t>(r);
        }
    }
    void write(std::string_view data) {
        if (held_) {
            size_ += data.size();
            memory_.append(data);
            if (memory_.size() > kHeldBytes) release();
            return;
        }
        size_ += data.size();
        size_t done = 0;
        while (!failed_ && done < data.size()) {
            const ssize_t w = ::write(fd_, data.data() + done, data.size() - done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) failed_ = true;
            else done += static_cast<size_t>(w);
        }
        startWriteback();
    }
    bool commit() {
        if (held_) release();
        if (!ok()) return false;
        // Keep the permissions of a file being replaced; new files get 0666 - umask.
        ::fchmod(fd_, new_ ? newFileMode() : outputMode(path_));
        bool good = !flush_ || ::fsync(fd_) == 0;
        good = ::close(fd_) == 0 && good;
        fd_ = -2;
        if (good && (new_ || ::rename(tmp_.c_str(), path_.c_str()) == 0)) {
            committed_ = true;
            return true;
        }
        ::unlink(tmp_.c_str());
        return false;
    }

private:
    static constexpr size_t kHeldBytes = size_t(1) << 20;

    void open() {
        fd_ = new_ ? ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)
                   : ::mkostemp(tmp_.data(), O_CLOEXEC);
    }
    // Makes the file and writes the held bytes into it.
    void release() {
        held_ = false;
        open();
        if (fd_ < 0) {
            failed_ = true;
            return;
        }
        std::string bytes;
        bytes.swap(memory_);
        size_ -= bytes.size();
        write(bytes);
    }
    // Starts writing what is written so far to the disk while the conversion goes on, so
    // that the fsync of commit waits for the last part only.
    void startWriteback() {
#if defined(__linux__)
        constexpr uint64_t kStep = uint64_t(1) << 20;
        if (failed_ || size_ - flushed_ < kStep) return;
        ::sync_file_range(fd_, static_cast<off_t>(flushed_), static_cast<off_t>(size_ - flushed_), SYNC_FILE_RANGE_WRITE);
        flushed_ = size_;
#endif
    }

    std::string path_;
    std::string tmp_;
    uint64_t flushed_ = 0;
    int fd_ = -1;
    bool new_ = false;
    bool flush_ = true;
    bool held_ = false;
    std::string memory_;
    bool failed_ = false;
    bool committed_ = false;
    uint64_t size_ = 0;
};

enum class Enc { Dbcs, Utf8, Utf16 };

// The buffers a file's chunks go through, kept for the next file the thread converts:
// fresh memory for every file would cost its page faults and its clearing again. Each
// buffer only grows during a conversion; what it holds is counted apart.
struct ChunkBuffers {
    std::string read;          // bytes read and not yet decoded
    std::u16string text;       // units decoded and not yet converted
    std::u16string converted;  // the converted units of a chunk
    std::string encoded;       // the bytes of a chunk's converted units

    // Gives back what a conversion with no place to cut for long made large.
    void releaseAbove(size_t bytes) {
        if (read.capacity() > bytes) std::string().swap(read);
        if (text.capacity() * 2 > bytes) std::u16string().swap(text);
        if (converted.capacity() * 2 > bytes) std::u16string().swap(converted);
        if (encoded.capacity() > bytes) std::string().swap(encoded);
    }
};

// This thread's chunk buffers, lent to one conversion at a time.
class ChunkBuffersLease {
public:
    explicit ChunkBuffersLease(size_t chunk) : limit_(8 * chunk + (size_t(1) << 20)) {}
    ~ChunkBuffersLease() { buffers().releaseAbove(limit_); }
    ChunkBuffersLease(const ChunkBuffersLease&) = delete;
    ChunkBuffersLease& operator=(const ChunkBuffersLease&) = delete;
    ChunkBuffers& get() { return buffers(); }

private:
    static ChunkBuffers& buffers() {
        thread_local ChunkBuffers kept;
        return kept;
    }
    size_t limit_;
};

// Drops the first k of the have bytes at the front of buf.
void dropFront(std::string& buf, size_t& have, size_t k) {
    if (k == 0) return;
    std::memmove(buf.data(), buf.data() + k, have - k);
    have -= k;
}

struct InputEncoding {
    Enc enc = Enc::Dbcs;
    bool utf8Bom = false;
    bool bigEndian = false;  // UTF-16 input
    size_t skip = 0;         // byte-order mark length
};

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// First pass over an 8-bit input: a UTF-8 byte-order mark, or valid UTF-8 with non-ASCII bytes,
// makes it UTF-8; otherwise it is the script's 8-bit code page. scratch is a buffer to read into.
bool detect8(const std::string& path, size_t chunk, std::string& scratch, InputEncoding& found) {
    InputFile file(path);
    if (!file.ok()) return false;
    std::string& buf = scratch;
    size_t have = 0;
    bool first = true, nonAscii = false, valid = true;
    while (!file.atEnd()) {
        if (!file.readMore(buf, have, chunk)) return false;
        if (first && have < 3 && !file.atEnd()) continue;
        if (first) {
            first = false;
            if (std::string_view(buf.data(), have).substr(0, 3) == "\xEF\xBB\xBF") {
                found.enc = Enc::Utf8;
                found.utf8Bom = true;
                found.skip = 3;
                return true;
            }
        }
        // Check up to the start of the last sequence, which may go on in the next block.
        size_t cut = have;
        if (!file.atEnd()) {
            size_t back = 0;
            while (back < 4 && back < have && isContinuation(static_cast<unsigned char>(buf[have - 1 - back])))
                ++back;
            if (back < 4 && back < have) cut = have - 1 - back;
        }
        const std::string_view part(buf.data(), cut);
        if (!nonAscii) nonAscii = hasNonAscii(part);
        if (valid) valid = isValidUtf8(part);
        if (!valid) break;
        dropFront(buf, have, cut);
    }
    found.enc = nonAscii && valid ? Enc::Utf8 : Enc::Dbcs;
    return true;
}

InputEncoding wideEncoding(std::string_view head) {
    InputEncoding e;
    e.enc = Enc::Utf16;
    if (head.size() >= 2) {
        const auto a = static_cast<unsigned char>(head[0]), b = static_cast<unsigned char>(head[1]);
        if (a == 0xFF && b == 0xFE) e.skip = 2;
        else if (a == 0xFE && b == 0xFF) { e.bigEndian = true; e.skip = 2; }
    }
    return e;
}

// The charset declarations of HTML output, part by part, with the result of setHtmlCharset
// on the whole text: the first declaration's value (and an XML declaration's) is left as a
// gap in the output, later declarations are dropped, and the places where a declaration
// would be inserted are noted; finish() fills the gaps once the whole text (and so the
// charset name) is known. The same reading of the HTML (HtmlScan) finds the places as for
// the whole text; the text it has not settled yet waits for the next part.
class HtmlCharsetStream {
public:
    using Encode = std::function<bool(std::u16string_view, std::string&)>;
    HtmlCharsetStream(OutputFile& out, Encode encode, bool insert) : out_(out), encode_(std::move(encode)), insert_(insert) {}

    bool feed(std::u16string_view converted, bool last) {
        pending_ += converted;
        std::vector<HtmlPlace> places;
        const size_t settled = scan_.feed(pending_, base_, last, places);
        const size_t cut = settled - base_;
        std::vector<Edit> edits;
        if (!started_) {
            started_ = true;
            edits.push_back({0, 0, Gap::Start});
        }
        for (const HtmlPlace& p : places) {
            const size_t at = p.at - base_, end = p.end - base_;
            switch (p.kind) {
            case HtmlPlace::XmlEncoding: edits.push_back({at, end, Gap::Xml}); break;
            case HtmlPlace::MetaCharset: declared_ = true; edits.push_back({at, end, Gap::Meta}); break;
            case HtmlPlace::ExtraMeta: edits.push_back({at, end, Gap::Count}); break;
            case HtmlPlace::AfterDoctype: doctype_ = true; edits.push_back({at, at, Gap::Doctype}); break;
            case HtmlPlace::AfterHead: head_ = Found; edits.push_back({at, at, Gap::Head}); break;
            case HtmlPlace::AfterHtml: html_ = Found; edits.push_back({at, at, Gap::Html}); break;
            }
        }
        if (!write(std::u16string_view(pending_).substr(0, cut), edits)) return false;
        pending_.erase(0, cut);
        base_ = settled;
        return true;
    }

    // Fills the gaps with the charset name and writes the result into final.
    bool finish(const std::string& charset, OutputFile& final, bool& spliced) {
        const std::u16string name(charset.begin(), charset.end());
        const std::u16string meta = u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + name + u"\">";
        std::vector<std::pair<uint64_t, std::u16string>> fills;
        if (gaps_[int(Gap::Xml)].known) fills.push_back({gaps_[int(Gap::Xml)].at, name});
        if (declared_) {
            fills.push_back({gaps_[int(Gap::Meta)].at, name});
        } else if (insert_) {
            std::u16string probe = probe_;
            if (gaps_[int(Gap::Xml)].known) probe.insert(probeXmlAt_, name);
            if (looksLikeHtml(std::u16string_view(probe).substr(0, std::min<size_t>(probe.size(), kHtmlProbeUnits)))) {
                if (head_ == Found) fills.push_back({gaps_[int(Gap::Head)].at, meta});
                else if (html_ == Found) fills.push_back({gaps_[int(Gap::Html)].at, u"<head>" + meta + u"</head>"});
                else if (doctype_) fills.push_back({gaps_[int(Gap::Doctype)].at, meta});
                else fills.push_back({gaps_[int(Gap::Start)].at, meta});
            }
        }
        spliced = !fills.empty();
        if (!spliced) return true;
        std::sort(fills.begin(), fills.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        uint64_t from = 0;
        std::string bytes;
        for (const auto& [at, fill] : fills) {
            final.copyFrom(out_, from, at);
            if (!encode_(fill, bytes)) return false;
            final.write(bytes);
            from = at;
        }
        final.copyFrom(out_, from, out_.size());
        return final.ok();
    }

private:
    enum class Gap { Start, Doctype, Xml, Meta, Head, Html, Count };
    enum TagState { Searching, Found };
    struct Edit {
        size_t at;   // unit index in the part
        size_t end;  // with at: the units [at, end) are left out
        Gap gap;     // Count: only left out
    };
    struct GapAt {
        bool known = false;
        uint64_t at = 0;  // byte offset in the output
    };

    bool write(std::u16string_view text, std::vector<Edit>& edits) {
        std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });
        size_t from = 0;
        std::string bytes;
        std::u16string kept;
        for (const Edit& e : edits) {
            if (e.at > from) {
                if (!emit(text.substr(from, e.at - from), bytes, kept)) return false;
                from = e.at;
            }
            if (e.gap != Gap::Count) {
                gaps_[int(e.gap)] = {true, out_.size()};
                if (e.gap == Gap::Xml) probeXmlAt_ = probe_.size() + kept.size();
            }
            if (e.end > from) from = e.end;
        }
        if (!emit(text.substr(from), bytes, kept)) return false;
        if (probe_.size() < kHtmlProbeUnits + 64) probe_ += kept.substr(0, kHtmlProbeUnits + 64);
        return true;
    }

    bool emit(std::u16string_view part, std::string& bytes, std::u16string& kept) {
        if (part.empty()) return true;
        if (!encode_(part, bytes)) return false;
        out_.write(bytes);
        if (probe_.size() + kept.size() < kHtmlProbeUnits + 64) kept += part;
        return true;
    }

    OutputFile& out_;
    Encode encode_;
    bool insert_;
    std::u16string pending_;
    std::u16string probe_;
    size_t probeXmlAt_ = 0;
    HtmlScan scan_;
    size_t base_ = 0;  // the offset of pending_ in the whole text
    bool started_ = false;
    bool declared_ = false;
    bool doctype_ = false;
    TagState head_ = Searching;
    TagState html_ = Searching;
    GapAt gaps_[int(Gap::Count)];
};

}  // namespace

size_t unitsInto(std::string_view bytes, bool big, std::u16string& out, size_t at) {
    const size_t n = bytes.size() / 2;
    if (out.size() < at + n) out.resize(at + n);
    char16_t* w = out.data() + at;
    if (n != 0 && !big && std::endian::native == std::endian::little) {
        std::memcpy(w, bytes.data(), n * 2);
        return at + n;
    }
    for (size_t i = 0; i < n; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i + (big ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + (big ? 0 : 1)]);
        w[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    return at + n;
}

void decodeUnits(std::string_view bytes, bool big, std::u16string& out) {
    out.resize(unitsInto(bytes, big, out, 0));
}

void encodeUnits(std::u16string_view text, std::string& out) {
    out.resize(text.size() * 2);
    if (text.empty()) return;
    if (std::endian::native == std::endian::little) {
        std::memcpy(out.data(), text.data(), text.size() * 2);
        return;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(text[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
}

size_t fileChunkBytes() {
    if (const char* v = std::getenv("TEZC_FILE_CHUNK_BYTES")) {
        const long n = std::strtol(v, nullptr, 10);
        if (n > 0) return static_cast<size_t>(n);
    }
    return size_t(256) << 10;
}

StreamOutcome streamConvertFile(Stmt& st, const std::string& in, const std::string& out, const StreamPlan& plan,
                                int32_t& rc) {
    const size_t chunk = fileChunkBytes();
    ChunkBuffersLease lease(chunk);
    ChunkBuffers& buffers = lease.get();
    rc = TEZ_ERR_OPEN;
    InputEncoding enc;
    InputFile file(in);
    if (!file.ok()) return StreamOutcome::Finished;
    // Bytes read and not yet decoded (a character the read cut off): buf[0..have).
    std::string& buf = buffers.read;
    size_t have = 0;
    if (plan.fromWide) {
        while (have < 2 && !file.atEnd())
            if (!file.readMore(buf, have, 2 - have)) return StreamOutcome::Finished;
        enc = wideEncoding(std::string_view(buf.data(), have));
    } else if (!detect8(in, chunk, buf, enc)) {
        return StreamOutcome::Finished;
    }
    const Enc outEnc = plan.toWide ? Enc::Utf16 : (enc.enc == Enc::Utf8 ? Enc::Utf8 : Enc::Dbcs);

    // HTML output may be written a second time under the output's name (final, below).
    OutputFile output(out, st.outputIsNew && !plan.html, !st.outputIsNew, plan.html);
    if (!output.ok()) {
        rc = TEZ_ERR_WRITE;
        return StreamOutcome::Finished;
    }
    // Converted text held back until enough of it shows that it is not HTML.
    std::u16string probe;
    bool probing = true;
    bool wroteStart = false;
    std::u16string& converted = buffers.converted;

    // Encodes a part of the converted text (unmappable characters as "?" in plain text, as
    // character references in HTML).
    const Unmappable how = plan.html ? Unmappable::HtmlReference : Unmappable::Question;
    auto encode = [&](std::u16string_view part, std::string& bytes) -> bool {
        bytes.clear();
        switch (outEnc) {
        case Enc::Utf16: encodeUnits(part, bytes); return true;
        case Enc::Utf8: encodeUtf8(part, bytes); return true;
        case Enc::Dbcs: return encode8(*st.env, plan.op.to, part, bytes, how);
        }
        return false;
    };
    // The same into the chunk buffer that only grows.
    std::string& encoded = buffers.encoded;
    auto encodeChunk = [&](std::u16string_view part, std::string_view& bytes) -> bool {
        if (outEnc != Enc::Dbcs) {
            if (!encode(part, encoded)) return false;
            bytes = encoded;
            return true;
        }
        size_t end = 0;
        if (!encode8Into(*st.env, plan.op.to, part, encoded, how, end)) return false;
        bytes = std::string_view(encoded.data(), end);
        return true;
    };
    auto emit = [&](std::u16string_view part) -> bool {
        if (!wroteStart) {
            wroteStart = true;
            if (outEnc == Enc::Utf16) output.write("\xFF\xFE");
            else if (outEnc == Enc::Utf8 && enc.utf8Bom) output.write("\xEF\xBB\xBF");
        }
        std::string_view bytes;
        if (!encodeChunk(part, bytes)) return false;
        output.write(bytes);
        return true;
    };
    // HTML: the charset is "gb2312" only when the whole Simplified 8-bit text fits it.
    const auto gb = st.env->gb();
    const bool gbOut = outEnc == Enc::Dbcs && plan.op.to == Script::Simplified;
    bool fitsGb = gbOut && gb.encode;
    std::unique_ptr<HtmlCharsetStream> html;
    if (plan.html) {
        emit(std::u16string_view());
        html = std::make_unique<HtmlCharsetStream>(output, encode, plan.insertTag);
        probing = false;
    }

    // Units decoded and not yet converted (the text after the last place it may be cut):
    // text[0..pending).
    std::u16string& text = buffers.text;
    size_t pending = 0;
    bool skipped = false;
    for (;;) {
        if (!file.atEnd() && !file.readMore(buf, have, chunk)) return StreamOutcome::Finished;
        if (!skipped && (have >= enc.skip || file.atEnd())) {
            dropFront(buf, have, std::min(enc.skip, have));
            skipped = true;
        }
        if (!skipped) continue;
        const bool eof = file.atEnd();
        const std::string_view bytes(buf.data(), have);
        size_t used = 0;
        if (enc.enc == Enc::Utf16) {
            // An odd byte left at the end of UTF-16 input is dropped, as in the whole conversion.
            used = eof ? have : have & ~size_t(1);
            pending = unitsInto(bytes.substr(0, used & ~size_t(1)), enc.bigEndian, text, pending);
        } else if (enc.enc == Enc::Utf8) {
            pending = decodeUtf8Into(bytes, text, pending, eof, used);
        } else if (!decode8Into(*st.env, plan.op.from, bytes, text, pending, eof, used, pending)) {
            rc = TEZ_ERR_NOTABLE;
            return StreamOutcome::Finished;
        }
        dropFront(buf, have, used);
        const bool last = eof && have == 0;
        const std::u16string_view decoded(text.data(), pending);
        int32_t cutRc = TEZ_OK;
        const size_t cut = last ? pending : chunkCut(st, plan.op, decoded, cutRc);
        if (cutRc != TEZ_OK) {
            rc = cutRc;
            return StreamOutcome::Finished;
        }
        if (cut == 0 && !last) continue;  // no place to cut yet: read on
        if (int32_t r = runTextOp(st, plan.op, decoded.substr(0, cut), converted); r != TEZ_OK) {
            rc = r;
            return StreamOutcome::Finished;
        }
        // The units after the cut wait for the next chunk.
        std::memmove(text.data(), text.data() + cut, (pending - cut) * sizeof(char16_t));
        pending -= cut;
        if (html) {
            if (fitsGb) fitsGb = fitsGbTwoByte(gb.encode, converted);
            if (!html->feed(converted, last)) { rc = TEZ_ERR_NOTABLE; return StreamOutcome::Finished; }
        } else if (probing) {
            // The start of the converted text decides whether it is HTML; it is held back
            // until enough of it is known (and copied only when one part is too short).
            const bool direct = probe.empty() && (converted.size() >= kHtmlProbeUnits || last);
            if (!direct) probe += converted;
            const std::u16string& start = direct ? converted : probe;
            if (start.size() < kHtmlProbeUnits && !last) continue;
            if (looksLikeHtml(start)) return StreamOutcome::LooksLikeHtml;
            probing = false;
            if (!emit(start)) { rc = TEZ_ERR_NOTABLE; return StreamOutcome::Finished; }
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
    if (html) {
        const std::string charset = outEnc == Enc::Utf16 ? "utf-16"
                                  : outEnc == Enc::Utf8  ? "utf-8"
                                  : !gbOut               ? "big5"
                                  : fitsGb               ? "gb2312"
                                                         : "gb18030";
        OutputFile final(out, st.outputIsNew, !st.outputIsNew);
        bool spliced = false;
        if (!final.ok() || !html->finish(charset, final, spliced)) {
            rc = TEZ_ERR_WRITE;
            return StreamOutcome::Finished;
        }
        if (spliced) {
            if (!file.unchanged(in)) {
                rc = TEZ_ERR_CHANGED;
                return StreamOutcome::Finished;
            }
            rc = final.commit() ? TEZ_OK : TEZ_ERR_WRITE;
            return StreamOutcome::Finished;
        }
    }
    if (!file.unchanged(in)) {
        rc = TEZ_ERR_CHANGED;
        return StreamOutcome::Finished;
    }
    rc = output.commit() ? TEZ_OK : TEZ_ERR_WRITE;
    return StreamOutcome::Finished;
}

}  // namespace tezc
