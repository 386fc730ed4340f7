#include "Rtf.h"

#include "Text8.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <vector>

namespace tezc {

namespace {

enum class TextMode { Convert, Reencode, Verbatim };

struct GroupState {
    TextMode mode = TextMode::Convert;
    int uc = 1;        // fallback units after \uN in the input
    int outUc = 1;     // \uc in force in the output
    int font = -1;
    bool fontTable = false;
    int fontDefNumber = -1;  // \fN being defined inside the font table
    bool ownFlow = false;    // the group holds text of its own (a footnote, a header, a shape's text)
};

const std::set<std::string> kVerbatim = {
    "pict", "objdata", "themedata", "colorschememapping", "datastore", "blipuid", "panose",
    "xmlnstbl", "wgrffmtfilter", "passwordhash", "protusertbl", "rsidtbl", "fchars", "lchars",
    "mmathPr", "latentstyles", "datafield", "bkmkstart", "bkmkend", "shpinst_data"};
const std::set<std::string> kReencode = {"fonttbl", "stylesheet", "fldinst", "info", "listtable",
                                         "listoverridetable", "header_name", "xmlopen", "generator"};
// Destinations whose text is not part of the text around them.
const std::set<std::string> kOwnFlow = {"footnote", "annotation", "header", "headerl", "headerr", "headerf",
                                        "footer", "footerl", "footerr", "footerf", "shp", "shpinst",
                                        "shptxt", "txbxcontent", "object"};
// Words that stand for a character or a break: text on either side is not one run.
const std::set<std::string> kTextBreak = {
    "par", "line", "tab", "cell", "nestcell", "row", "nestrow", "sect", "page", "column", "trowd",
    "emdash", "endash", "emspace", "enspace", "qmspace", "bullet", "lquote", "rquote", "ldblquote",
    "rdblquote", "zwj", "zwnj", "ltrmark", "rtlmark", "chftn", "chatn", "chpgn", "chdate", "chtime"};

// The document's text between breaks, gathered on a first reading: each run (text between
// two control words, groups or escapes) is where the second reading writes it back.
struct TextRuns {
    std::u16string text;         // converted runs, one after the other
    std::vector<size_t> lengths;  // length of each run's converted text
    size_t next = 0;
    size_t offset = 0;
};

int charsetCodePage(int charset) {
    switch (charset) {
    case 134: return 936;
    case 136: return 950;
    case 128: return 932;
    case 129: return 949;
    case 0: return 1252;
    default: return 0;
    }
}

bool isCjk(int cp) { return cp == 936 || cp == 950 || cp == 932 || cp == 949; }

const char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// Bytes of a code page the tables do not hold, through the system's iconv.
void decodeOtherCodePage(int cp, std::string_view bytes, std::u16string& out) {
    if (!decodeIconv(("CP" + std::to_string(cp)).c_str(), bytes, out, false))
        for (unsigned char c : bytes) out += c < 0x80 ? char16_t(c) : char16_t(0xFFFD);
}

// Text runs are gathered on a first reading and converted a stretch at a time (all runs
// between two breaks as one string, so that a term split by a formatting word, a group or a
// \uc switch is found); the second reading writes each run's part of the converted stretch.
class RtfConverter {
public:
    // runs: null on the first reading (which fills gathered()), the first reading's runs on
    // the second.
    RtfConverter(Stmt& st, int32_t mode, int32_t flags, std::string& out, TextRuns* runs)
        : st_(st), out_(out), target_(mode == 0 || mode == 2 ? Script::Traditional : Script::Simplified),
          op_(textOpForMode(mode, flags != 0 ? -1 : 0)), runs_(runs) {
        // Within one script the flags choose: 0 encoding only, 1 toward Simplified usage,
        // 256 toward Traditional usage.
        if (mode >= 2 && flags == 0) op_.vocab = TextOp::None;
        else if (mode >= 2 && flags == 1) op_.vocab = TextOp::TowardSimp;
        else if (mode >= 2 && flags == 256) op_.vocab = TextOp::TowardTrad;
    }

    int32_t run(std::string_view in) {
        // A missing table fails before any work.
        if (!encodable()) return TEZ_ERR_NOTABLE;
        stack_.push_back(GroupState{});
        size_t i = 0;
        const size_t n = in.size();
        while (i < n) {
            const char c = in[i];
            if (c == '{') {
                flushText();
                needDelimiter_ = false;
                stack_.push_back(stack_.back());
                stack_.back().fontDefNumber = -1;
                stack_.back().ownFlow = false;
                out_ += c;
                ++i;
                pendingDestination_ = true;
            } else if (c == '}') {
                flushText();
                if (state().ownFlow) endStretch();
                needDelimiter_ = false;
                if (stack_.size() > 1) stack_.pop_back();
                out_ += c;
                ++i;
                pendingDestination_ = false;
                skipUnits_ = 0;
            } else if (c == '\\') {
                i = controlWord(in, i);
            } else if (c == '\r' || c == '\n') {
                out_ += c;
                needDelimiter_ = false;
                ++i;
            } else {
                if (state().fontTable && c == ';') {
                    flushText();
                    out_ += c;
                    ++i;
                    continue;
                }
                textByte(static_cast<unsigned char>(c));
                ++i;
                pendingDestination_ = false;
            }
        }
        flushText();
        endStretch();
        return rc_;
    }

    TextRuns& gathered() { return gathered_; }

private:
    bool gathering() const { return runs_ == nullptr; }

    GroupState& state() { return stack_.back(); }

    bool targetTrad() const { return target_ == Script::Traditional; }
    int targetCodePage() const { return targetTrad() ? 950 : 936; }

    bool encodable() const {
        return targetTrad() ? st_.env->big5().encode != nullptr : st_.env->gb().encode != nullptr;
    }

    int currentCodePage() {
        const GroupState& s = state();
        auto it = fontCp_.find(s.fontTable ? s.fontDefNumber : s.font);
        if (it != fontCp_.end() && isCjk(it->second)) return it->second;
        if (isCjk(ansiCp_)) return ansiCp_;
        if (it != fontCp_.end() && it->second) return it->second;
        return ansiCp_ ? ansiCp_ : 1252;
    }

    void textByte(unsigned char b) {
        if (skipUnits_ > 0) {
            --skipUnits_;
            return;
        }
        if (state().mode == TextMode::Verbatim) {
            out_ += static_cast<char>(b);
            needDelimiter_ = false;
            return;
        }
        const int cp = currentCodePage();
        if (!pendingBytes_.empty() && pendingCp_ != cp) decodePending();
        pendingCp_ = cp;
        pendingBytes_ += static_cast<char>(b);
    }

    void decodePending() {
        if (pendingBytes_.empty()) return;
        std::u16string u;
        if (pendingCp_ == 936 || pendingCp_ == 950) {
            if (!decode8(*st_.env, pendingCp_ == 950 ? Script::Traditional : Script::Simplified, pendingBytes_, u))
                decodeOtherCodePage(pendingCp_, pendingBytes_, u);
        } else if (pendingCp_ == 1252) {
            for (unsigned char c : pendingBytes_)
                u += (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : char16_t(c);
        } else {
            decodeOtherCodePage(pendingCp_, pendingBytes_, u);
        }
        run_ += u;
        pendingBytes_.clear();
    }

    void flushText() {
        decodePending();
        if (run_.empty()) return;
        if (state().mode != TextMode::Convert) {
            if (!gathering()) emitText(run_);
            run_.clear();
            return;
        }
        if (gathering()) {
            stretch_ += run_;
            stretchRuns_.push_back(run_.size());
        } else {
            const size_t len = runs_->next < runs_->lengths.size() ? runs_->lengths[runs_->next++] : 0;
            emitText(std::u16string_view(runs_->text).substr(runs_->offset, len));
            runs_->offset += len;
        }
        run_.clear();
    }

    // Converts the runs gathered since the last break as one text and shares the result
    // out: at the runs' own places when the length stays, else the stretch's runs converted
    // one by one when that gives the same text, else all of it in the first run.
    void endStretch() {
        if (!gathering() || stretchRuns_.empty()) return;
        std::u16string converted;
        if (const int32_t rc = runTextOp(st_, op_, stretch_, converted); rc != TEZ_OK) {
            rc_ = rc;
            converted = stretch_;
        }
        TextRuns& g = gathered_;
        if (converted.size() == stretch_.size()) {
            g.lengths.insert(g.lengths.end(), stretchRuns_.begin(), stretchRuns_.end());
        } else if (!shareOneByOne(converted)) {
            g.lengths.push_back(converted.size());
            g.lengths.insert(g.lengths.end(), stretchRuns_.size() - 1, 0);
        }
        g.text += converted;
        stretch_.clear();
        stretchRuns_.clear();
    }

    bool shareOneByOne(const std::u16string& whole) {
        std::vector<size_t> lengths;
        std::u16string joined, part;
        size_t at = 0;
        for (size_t len : stretchRuns_) {
            if (runTextOp(st_, op_, std::u16string_view(stretch_).substr(at, len), part) != TEZ_OK) return false;
            joined += part;
            lengths.push_back(part.size());
            at += len;
        }
        if (joined != whole) return false;
        gathered_.lengths.insert(gathered_.lengths.end(), lengths.begin(), lengths.end());
        return true;
    }

    void setOutUc(int k) {
        if (state().outUc == k) return;
        out_ += "\\uc" + std::to_string(k);
        state().outUc = k;
        needDelimiter_ = true;
    }

    void appendHexEscape(unsigned char b) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\'%02x", b);
        out_ += buf;
    }

    void emitText(std::u16string_view text) {
        std::string bytes;
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c < 0x80) {
                if (needDelimiter_ && (std::isalnum(c) || c == ' ')) out_ += ' ';
                needDelimiter_ = false;
                if (c == '\\' || c == '{' || c == '}') {
                    out_ += '\\';
                    out_ += static_cast<char>(c);
                } else if (c < 0x20) {
                    appendHexEscape(static_cast<unsigned char>(c));
                } else {
                    out_ += static_cast<char>(c);
                }
                continue;
            }
            size_t len = 1;
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) len = 2;
            encode8(*st_.env, target_, text.substr(i, len), bytes);
            // A character outside the BMP gets "?" fallbacks for its two code units.
            if (bytes == "?" || len == 2) bytes.clear();
            // \uN with the target code page's bytes as the fallback for older readers.
            setOutUc(bytes.empty() ? 1 : static_cast<int>(bytes.size()));
            for (size_t k = 0; k < len; ++k) {
                out_ += "\\u" + std::to_string(static_cast<int16_t>(text[i + k]));
                if (k + 1 < len) out_ += '?';
            }
            if (bytes.empty()) {
                out_ += '?';
            } else {
                for (unsigned char b : bytes) appendHexEscape(b);
            }
            needDelimiter_ = false;
            i += len - 1;
        }
    }

    // Reads a control word or symbol at in[i] (a backslash); returns the next position.
    size_t controlWord(std::string_view in, size_t i) {
        const size_t start = i;
        const size_t n = in.size();
        ++i;
        if (i >= n) {
            out_ += '\\';
            return i;
        }
        const char c = in[i];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            // Control symbol.
            if (c == '\'' && i + 2 < n && std::isxdigit(static_cast<unsigned char>(in[i + 1])) &&
                std::isxdigit(static_cast<unsigned char>(in[i + 2]))) {
                const auto b = static_cast<unsigned char>(std::stoi(std::string(in.substr(i + 1, 2)), nullptr, 16));
                if (state().mode == TextMode::Verbatim) {
                    out_.append(in.substr(start, 4));
                    needDelimiter_ = false;
                } else {
                    textByte(b);
                }
                pendingDestination_ = false;
                return i + 3;
            }
            if (c == '\\' || c == '{' || c == '}') {
                if (skipUnits_ > 0) {
                    --skipUnits_;
                } else if (state().mode == TextMode::Verbatim) {
                    out_.append(in.substr(start, 2));
                } else {
                    decodePending();
                    run_ += static_cast<char16_t>(c);
                }
                pendingDestination_ = false;
                return i + 1;
            }
            flushText();
            needDelimiter_ = false;
            if (c != '*') endStretch();
            if (c == '*') {
                out_.append(in.substr(start, 2));
                ignorable_ = true;
                return i + 1;
            }
            out_.append(in.substr(start, 2));
            pendingDestination_ = false;
            return i + 1;
        }
        size_t j = i;
        while (j < n && std::isalpha(static_cast<unsigned char>(in[j]))) ++j;
        const std::string word(in.substr(i, j - i));
        bool hasParam = false;
        long param = 0;
        size_t k = j;
        if (k < n && (in[k] == '-' || std::isdigit(static_cast<unsigned char>(in[k])))) {
            size_t p = k + 1;
            while (p < n && std::isdigit(static_cast<unsigned char>(in[p]))) ++p;
            hasParam = p > k + (in[k] == '-' ? 1 : 0);
            if (hasParam) param = std::strtol(std::string(in.substr(k, p - k)).c_str(), nullptr, 10);
            k = p;
        }
        size_t end = k;
        const bool spaceDelim = end < n && in[end] == ' ';
        if (spaceDelim) ++end;

        if (word == "u" && hasParam) {
            if (state().mode != TextMode::Verbatim) {
                decodePending();
                run_ += static_cast<char16_t>(static_cast<int16_t>(param));
                skipUnits_ = state().uc;
            } else {
                out_.append(in.substr(start, end - start));
            }
            pendingDestination_ = false;
            return end;
        }
        if (word == "bin" && hasParam) {
            flushText();
            endStretch();
            out_.append(in.substr(start, end - start));
            const size_t len = param > 0 ? std::min(static_cast<size_t>(param), n - end) : 0;
            out_.append(in.substr(end, len));
            return end + len;
        }

        flushText();
        const bool destination = pendingDestination_;
        pendingDestination_ = false;
        GroupState& s = state();
        if (destination) {
            if (kVerbatim.count(word)) s.mode = TextMode::Verbatim;
            else if (kReencode.count(word)) s.mode = TextMode::Reencode;
            else if (ignorable_ && s.mode == TextMode::Convert && word != "shpinst" && word != "shptxt")
                s.mode = TextMode::Reencode;
            if (word == "fonttbl") s.fontTable = true;
            if (kOwnFlow.count(word) && s.mode == TextMode::Convert) {
                s.ownFlow = true;
                endStretch();
            }
        }
        if (kTextBreak.count(word)) endStretch();
        ignorable_ = false;

        std::string replacement;
        if (word == "uc" && hasParam) {
            s.uc = static_cast<int>(std::max(0L, param));
            s.outUc = s.uc;
        } else if (word == "ansicpg" && hasParam) {
            ansiCp_ = static_cast<int>(param);
            replacement = "\\ansicpg" + std::to_string(targetCodePage());
        } else if (word == "f" && hasParam) {
            if (s.fontTable) s.fontDefNumber = static_cast<int>(param);
            else s.font = static_cast<int>(param);
        } else if (word == "fcharset" && hasParam) {
            if (s.fontTable && s.fontDefNumber >= 0 && !fontCp_.count(s.fontDefNumber) )
                fontCp_[s.fontDefNumber] = charsetCodePage(static_cast<int>(param));
            if (param == 134 || param == 136)
                replacement = "\\fcharset" + std::to_string(targetTrad() ? 136 : 134);
        } else if (word == "cpg" && hasParam) {
            if (s.fontTable && s.fontDefNumber >= 0) fontCp_[s.fontDefNumber] = static_cast<int>(param);
            if (param == 936 || param == 950) replacement = "\\cpg" + std::to_string(targetCodePage());
        } else if ((word == "lang" || word == "langfe" || word == "deflangfe" || word == "deflang" ||
                    word == "langnp" || word == "langfenp") &&
                   hasParam && (param == 2052 || param == 1028)) {
            replacement = "\\" + word + std::to_string(targetTrad() ? 1028 : 2052);
        }
        if (!replacement.empty()) {
            out_ += replacement;
            if (spaceDelim) out_ += ' ';
        } else {
            out_.append(in.substr(start, end - start));
        }
        needDelimiter_ = !spaceDelim;
        return end;
    }

    Stmt& st_;
    std::string& out_;
    const Script target_;
    int ansiCp_ = 0;
    TextOp op_;
    int32_t rc_ = 0;
    std::vector<GroupState> stack_;
    std::map<int, int> fontCp_;
    std::string pendingBytes_;
    int pendingCp_ = 0;
    std::u16string run_;
    TextRuns* runs_;
    TextRuns gathered_;
    std::u16string stretch_;
    std::vector<size_t> stretchRuns_;
    int skipUnits_ = 0;
    bool pendingDestination_ = false;
    bool ignorable_ = false;
    bool needDelimiter_ = false;
};

}  // namespace

int32_t convertRtf(Stmt& st, std::string_view rtf, std::string& out, int32_t mode, int32_t flags) {
    if (rtf.substr(0, 5) != "{\\rtf") return TEZ_ERR_FORMAT;
    std::string firstReading;
    RtfConverter gather(st, mode, flags, firstReading, nullptr);
    if (const int32_t rc = gather.run(rtf); rc != TEZ_OK) return rc;
    firstReading = std::string();
    out.clear();
    out.reserve(rtf.size() + rtf.size() / 4);
    RtfConverter write(st, mode, flags, out, &gather.gathered());
    return write.run(rtf);
}

int32_t convertRtfFile(Stmt& st, const std::string& in, const std::string& out, int32_t mode,
                       int32_t flags) {
    if (sameFile(in, out)) return TEZ_ERR_SAMEFILE;
    std::string text;
    if (!readFile(in, text)) return TEZ_ERR_OPEN;
    std::string result;
    if (int32_t rc = convertRtf(st, text, result, mode, flags); rc != TEZ_OK) return rc;
    return writeFileAtomic(out, result) ? TEZ_OK : TEZ_ERR_WRITE;
}

}  // namespace tezc
