#include "TableEncoding.h"

#include "CodePage.h"

#include <iconv.h>
#include <uchardet.h>

#include <array>
#include <cstring>

namespace tezc {

namespace {

bool wide(TableEncoding enc) { return enc == TableEncoding::Utf16LE || enc == TableEncoding::Utf16BE; }

bool startsWith(std::string_view s, std::string_view p) { return s.size() >= p.size() && s.substr(0, p.size()) == p; }

// UTF-16 code unit at byte offset i.
char16_t unitAt(std::string_view s, size_t i, bool big) {
    const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
    return static_cast<char16_t>(big ? (a << 8 | b) : (b << 8 | a));
}

bool iconvStrict(const char* to, const char* from, std::string_view in, std::string& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == (iconv_t)-1) return false;
    std::string buf(in.size() * 4 + 16, '\0');
    char* ip = const_cast<char*>(in.data());
    size_t il = in.size();
    char* op = buf.data();
    size_t ol = buf.size();
    const bool ok = iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) && il == 0 &&
                    iconv(cd, nullptr, nullptr, &op, &ol) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (ok) out.append(buf.data(), buf.size() - ol);
    return ok;
}

const char* iconvName(TableEncoding enc) { return enc == TableEncoding::Gb18030 ? "GB18030" : "CP950"; }

// Two-byte codes of the encoding's common characters (GB2312 level 1; Big5 level 1's
// frequent part): short texts of one encoding read as the other land mostly elsewhere.
size_t commonCount(std::string_view text, TableEncoding enc) {
    size_t n = 0;
    for (size_t i = 0; i + 1 < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]), trail = static_cast<unsigned char>(text[i + 1]);
        if (lead < 0x81) {
            ++i;
            continue;
        }
        if (enc == TableEncoding::Gb18030) n += lead >= 0xB0 && lead <= 0xD7 && trail >= 0xA1;
        else if (enc == TableEncoding::Big5) n += lead >= 0xA4 && lead <= 0xC6 && (trail <= 0x7E || trail >= 0xA1);
        i += (enc == TableEncoding::Gb18030 && trail >= 0x30 && trail <= 0x39) ? 4 : 2;
    }
    return n;
}

// What uchardet takes the text for, among the three 8-bit candidates (Utf16LE = none).
TableEncoding detectorGuess(std::string_view text) {
    TableEncoding guess = TableEncoding::Utf16LE;
    uchardet_t d = uchardet_new();
    if (uchardet_handle_data(d, text.data(), text.size()) == 0) {
        uchardet_data_end(d);
        const std::string name = uchardet_get_charset(d);
        if (name == "UTF-8") guess = TableEncoding::Utf8;
        else if (name == "GB18030" || name == "GB2312" || name == "GBK") guess = TableEncoding::Gb18030;
        else if (name == "BIG5" || name == "Big5") guess = TableEncoding::Big5;
    }
    uchardet_delete(d);
    return guess;
}

}  // namespace

std::string_view RawLine::body() const {
    std::string_view b = bytes;
    // Only the 8-bit and UTF-16 line ends this file splits at.
    if (b.empty()) return b;
    if (b.back() == '\n' && (b.size() < 2 || b[b.size() - 2] != '\0')) {
        b.remove_suffix(1);
        if (!b.empty() && b.back() == '\r') b.remove_suffix(1);
    }
    return b;
}

std::string_view lineEndOf(std::string_view line, TableEncoding enc) {
    if (!wide(enc)) {
        if (line.empty() || line.back() != '\n') return {};
        return line.size() >= 2 && line[line.size() - 2] == '\r' ? line.substr(line.size() - 2) : line.substr(line.size() - 1);
    }
    const bool big = enc == TableEncoding::Utf16BE;
    if (line.size() < 2 || unitAt(line, line.size() - 2, big) != u'\n') return {};
    if (line.size() >= 4 && unitAt(line, line.size() - 4, big) == u'\r') return line.substr(line.size() - 4);
    return line.substr(line.size() - 2);
}

std::vector<RawLine> splitLines(std::string_view text, TableEncoding enc, std::string_view& bom) {
    bom = {};
    if (enc == TableEncoding::Utf8 && startsWith(text, "\xEF\xBB\xBF")) bom = text.substr(0, 3);
    else if (enc == TableEncoding::Utf16LE && startsWith(text, "\xFF\xFE")) bom = text.substr(0, 2);
    else if (enc == TableEncoding::Utf16BE && startsWith(text, "\xFE\xFF")) bom = text.substr(0, 2);
    text.remove_prefix(bom.size());
    std::vector<RawLine> lines;
    const size_t step = wide(enc) ? 2 : 1;
    size_t start = 0;
    for (size_t i = 0; i + step <= text.size(); i += step) {
        const bool nl = step == 1 ? text[i] == '\n' : unitAt(text, i, enc == TableEncoding::Utf16BE) == u'\n';
        if (nl) {
            lines.push_back({text.substr(start, i + step - start)});
            start = i + step;
        }
    }
    if (start < text.size()) lines.push_back({text.substr(start)});
    return lines;
}

bool decodeLine(std::string_view body, TableEncoding enc, std::u16string& out) {
    out.clear();
    switch (enc) {
    case TableEncoding::Utf8:
        if (!isValidUtf8(body)) return false;
        decodeUtf8(body, out);
        return true;
    case TableEncoding::Utf16LE:
    case TableEncoding::Utf16BE: {
        // A wide line's body ends before its line-end units.
        if (body.size() % 2) return false;
        const bool big = enc == TableEncoding::Utf16BE;
        for (size_t i = 0; i < body.size(); i += 2) out += unitAt(body, i, big);
        while (!out.empty() && (out.back() == u'\n' || out.back() == u'\r')) out.pop_back();
        return true;
    }
    default: {
        std::string u16;
        if (!iconvStrict("UTF-16LE", iconvName(enc), body, u16)) return false;
        for (size_t i = 0; i + 1 < u16.size(); i += 2) out += unitAt(u16, i, false);
        return true;
    }
    }
}

bool encodeLine(std::u16string_view text, TableEncoding enc, std::string& out) {
    switch (enc) {
    case TableEncoding::Utf8: encodeUtf8(text, out); return true;
    case TableEncoding::Utf16LE:
    case TableEncoding::Utf16BE:
        for (char16_t c : text) {
            const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
            out += enc == TableEncoding::Utf16BE ? hi : lo;
            out += enc == TableEncoding::Utf16BE ? lo : hi;
        }
        return true;
    default: {
        std::string le;
        for (char16_t c : text) {
            le += static_cast<char>(c & 0xFF);
            le += static_cast<char>(c >> 8);
        }
        return iconvStrict(iconvName(enc), "UTF-16LE", le, out);
    }
    }
}

TableEncoding detectTableEncoding(std::string_view text) {
    if (startsWith(text, "\xEF\xBB\xBF")) return TableEncoding::Utf8;
    if (startsWith(text, "\xFF\xFE") || startsWith(text, std::string_view("T\0E\0Z\0", 6))) return TableEncoding::Utf16LE;
    if (startsWith(text, "\xFE\xFF") || startsWith(text, std::string_view("\0T\0E\0Z", 6))) return TableEncoding::Utf16BE;
    if (isValidUtf8(text)) return TableEncoding::Utf8;
    const std::array<TableEncoding, 3> candidates = {TableEncoding::Utf8, TableEncoding::Gb18030, TableEncoding::Big5};
    const TableEncoding guess = detectorGuess(text);
    TableEncoding best = TableEncoding::Utf8;
    size_t bestFailed = SIZE_MAX, bestCommon = 0;
    for (TableEncoding enc : candidates) {
        std::string_view bom;
        size_t failed = 0;
        std::u16string line;
        for (const RawLine& l : splitLines(text, enc, bom))
            if (!decodeLine(l.body(), enc, line)) ++failed;
        const size_t common = commonCount(text, enc);
        const bool better = failed < bestFailed ||
                            (failed == bestFailed && (common > bestCommon || (common == bestCommon && enc == guess)));
        if (better) {
            best = enc;
            bestFailed = failed;
            bestCommon = common;
        }
    }
    return best;
}

}  // namespace tezc
