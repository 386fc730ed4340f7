#include "PctFormat.h"

#include "CodePage.h"

#include <charconv>

namespace tezc {

const char kPctHeader[] = "TEZPCT 1";
const char kLstHeader[] = "TEZLST 1";

namespace {

std::string_view stripBom(std::string_view text) {
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
        static_cast<unsigned char>(text[1]) == 0xBB && static_cast<unsigned char>(text[2]) == 0xBF)
        text.remove_prefix(3);
    return text;
}

// Splits off the next line (without CR/LF); returns false at the end.
bool nextLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) return false;
    size_t nl = text.find('\n');
    line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

bool parseInt(std::string_view s, int32_t& v) {
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Calls lineFn on each non-empty line after the header line. False when the text does not
// start with the header (a byte-order mark before it is allowed) or lineFn refuses a line.
template <typename LineFn>
bool forEachBodyLine(std::string_view text, const char* header, LineFn lineFn) {
    text = stripBom(text);
    std::string_view line;
    if (!nextLine(text, line) || line != header) return false;
    while (nextLine(text, line))
        if (!line.empty() && !lineFn(line)) return false;
    return true;
}

}  // namespace

bool isStorableTerm(std::u16string_view term) {
    for (char16_t c : term)
        if (c == u'\t' || c == u'\n' || c == u'\r' || c == 0) return false;
    return true;
}

std::string serializePct(const std::vector<VocabItem>& items) {
    std::string out;
    writePct(items, PctLayout{}, out);
    return out;
}

void forgetSource(VocabItem& item) {
    item.source.clear();
    item.keptBefore.clear();
}

namespace {

bool parseItemLine(std::u16string_view line, VocabItem& item) {
    const size_t t1 = line.find(u'\t');
    const size_t t2 = t1 == line.npos ? t1 : line.find(u'\t', t1 + 1);
    if (t2 == line.npos || line.find(u'\t', t2 + 1) != line.npos || t1 == 0 || t1 > 10) return false;
    std::string digits;
    for (char16_t c : line.substr(0, t1)) {
        if (c > 0x7F) return false;
        digits += static_cast<char>(c);
    }
    if (!parseInt(digits, item.status)) return false;
    item.trad.assign(line.substr(t1 + 1, t2 - t1 - 1));
    item.simp.assign(line.substr(t2 + 1));
    return true;
}

bool endsWithLineEnd(std::string_view out, TableEncoding enc) { return out.empty() || !lineEndOf(out, enc).empty(); }

// Appends a chunk of whole lines, first ending a last line that has no line end.
bool appendLines(std::string& out, std::string_view chunk, const PctLayout& layout, TableEncoding enc) {
    if (chunk.empty()) return true;
    if (!endsWithLineEnd(out, enc) && !encodeLine(layout.eol, enc, out)) return false;
    out.append(chunk);
    return true;
}

}  // namespace

bool readPct(std::string_view text, std::vector<VocabItem>& items, PctLayout& layout, size_t& unread) {
    unread = 0;
    layout = PctLayout{};
    layout.encoding = detectTableEncoding(text);
    std::string_view bom;
    const std::vector<RawLine> lines = splitLines(text, layout.encoding, bom);
    std::u16string decoded;
    if (lines.empty() || !decodeLine(lines[0].body(), layout.encoding, decoded) ||
        decoded != std::u16string(kPctHeader, kPctHeader + sizeof kPctHeader - 1))
        return false;
    layout.head = std::string(bom) + std::string(lines[0].bytes);
    if (lineEndOf(lines[0].bytes, layout.encoding).size() == (layout.encoding == TableEncoding::Utf16LE ||
                                                             layout.encoding == TableEncoding::Utf16BE ? 4u : 2u))
        layout.eol = u"\r\n";
    std::string kept;
    // Room for every line at once: growing the list would move all items several times.
    items.reserve(items.size() + lines.size() - 1);
    for (size_t i = 1; i < lines.size(); ++i) {
        VocabItem item;
        if (decodeLine(lines[i].body(), layout.encoding, decoded) && !decoded.empty() && parseItemLine(decoded, item)) {
            item.source = std::string(lines[i].bytes);
            item.keptBefore = std::move(kept);
            kept.clear();
            items.push_back(std::move(item));
            continue;
        }
        if (!(decodeLine(lines[i].body(), layout.encoding, decoded) && decoded.empty())) ++unread;
        kept.append(lines[i].bytes);
    }
    layout.keptAfter = std::move(kept);
    return true;
}

bool writePct(const std::vector<VocabItem>& items, const PctLayout& layout, std::string& out) {
    const TableEncoding enc = layout.encoding;
    out.clear();
    if (layout.head.empty()) {
        if (!encodeLine(std::u16string(kPctHeader, kPctHeader + sizeof kPctHeader - 1) + layout.eol, enc, out))
            return false;
    } else {
        out = layout.head;
    }
    std::string line;
    for (const auto& it : items) {
        if (!appendLines(out, it.keptBefore, layout, enc)) return false;
        if (!it.source.empty()) {
            appendLines(out, it.source, layout, enc);
            continue;
        }
        line.clear();
        const std::string status = std::to_string(it.status);
        if (!encodeLine(std::u16string(status.begin(), status.end()) + u'\t' + it.trad + u'\t' + it.simp + layout.eol,
                        enc, line))
            return false;
        if (!appendLines(out, line, layout, enc)) return false;
    }
    return appendLines(out, layout.keptAfter, layout, enc);
}

std::string serializeLst(const std::vector<ListEntry>& entries) {
    std::string out = kLstHeader;
    out += '\n';
    for (const auto& e : entries) {
        out += std::to_string(e.status);
        out += '\t';
        out += e.path;
        out += '\n';
    }
    return out;
}

bool parseLst(std::string_view text, std::vector<ListEntry>& entries) {
    return forEachBodyLine(text, kLstHeader, [&](std::string_view line) {
        const size_t tab = line.find('\t');
        ListEntry e;
        if (tab == std::string_view::npos || !parseInt(line.substr(0, tab), e.status) ||
            tab + 1 >= line.size())
            return false;
        e.path = std::string(line.substr(tab + 1));
        entries.push_back(std::move(e));
        return true;
    });
}

}  // namespace tezc
