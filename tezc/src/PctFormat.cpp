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
    std::string out = kPctHeader;
    out += '\n';
    for (const auto& it : items) {
        out += std::to_string(it.status);
        out += '\t';
        encodeUtf8(it.trad, out);
        out += '\t';
        encodeUtf8(it.simp, out);
        out += '\n';
    }
    return out;
}

bool parsePct(std::string_view text, std::vector<VocabItem>& items, size_t& skipped) {
    skipped = 0;
    return forEachBodyLine(text, kPctHeader, [&](std::string_view line) {
        const size_t t1 = line.find('\t');
        const size_t t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
        VocabItem item;
        if (t2 == std::string_view::npos || line.find('\t', t2 + 1) != std::string_view::npos ||
            !parseInt(line.substr(0, t1), item.status) || !isValidUtf8(line.substr(t1 + 1))) {
            ++skipped;
            return true;
        }
        decodeUtf8(line.substr(t1 + 1, t2 - t1 - 1), item.trad);
        decodeUtf8(line.substr(t2 + 1), item.simp);
        items.push_back(std::move(item));
        return true;
    });
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
