#include "CodePage.h"

#include <iconv.h>

namespace tezc {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendReference(std::string& out, uint32_t cp) {
    out += "&#";
    out += std::to_string(cp);
    out += ';';
}

void appendUnmappable(std::string& out, uint32_t cp, Unmappable how) {
    if (how == Unmappable::HtmlReference) appendReference(out, cp);
    else out += '?';
}

// Reads one code point from UTF-16; lone surrogates come back as themselves.
uint32_t nextCodePoint(std::u16string_view in, size_t& i) {
    const char16_t c = in[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < in.size() && in[i] >= 0xDC00 && in[i] <= 0xDFFF) {
        const char16_t d = in[i++];
        return 0x10000 + ((uint32_t(c) - 0xD800) << 10) + (uint32_t(d) - 0xDC00);
    }
    return c;
}

void appendCodePoint(std::u16string& out, uint32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

}  // namespace

namespace {

// Decodes through charAt(s, i, n, out): it appends the character whose bytes start at s[i]
// (a lead byte) and returns their count, or returns 0 when no character starts there.
// ASCII passes; a byte that starts no character becomes U+FFFD.
template <typename CharAt>
void decodeDbcs(std::string_view in, std::u16string& out, CharAt charAt) {
    out.reserve(out.size() + in.size());
    const auto* s = reinterpret_cast<const uint8_t*>(in.data());
    const size_t n = in.size();
    size_t i = 0;
    while (i < n) {
        if (s[i] < 0x80) {
            out += static_cast<char16_t>(s[i]);
            ++i;
            continue;
        }
        const size_t len = charAt(s, i, n, out);
        if (len == 0) {
            out += kReplacement;
            ++i;
        } else {
            i += len;
        }
    }
}

}  // namespace

void decodeBig5(const uint16_t* table, std::string_view in, std::u16string& out) {
    decodeDbcs(in, out, [table](const uint8_t* s, size_t i, size_t n, std::u16string& o) -> size_t {
        const uint8_t b = s[i];
        if (b < 0x81 || b > 0xFE || i + 1 >= n || s[i + 1] < 0x40 || s[i + 1] > 0xFE) return 0;
        const char16_t u = table[dbcsIndex(b, s[i + 1])];
        if (u == 0) return 0;
        o += u;
        return 2;
    });
}

void decodeGb(const uint16_t* table, std::string_view in, std::u16string& out) {
    const uint16_t* four = table + kDbcsCells;
    decodeDbcs(in, out, [table, four](const uint8_t* s, size_t i, size_t n, std::u16string& o) -> size_t {
        const uint8_t b = s[i];
        if (b == 0x80) {  // the euro sign's one-byte code of code page 936
            o += u'\u20AC';
            return 1;
        }
        if (b < 0x81 || b > 0xFE || i + 1 >= n) return 0;
        const uint8_t t = s[i + 1];
        if (t >= 0x40 && t <= 0xFE && t != 0x7F) {
            const char16_t u = table[dbcsIndex(b, t)];
            if (u == 0) return 0;
            o += u;
            return 2;
        }
        if (t < 0x30 || t > 0x39 || i + 3 >= n || s[i + 2] < 0x81 || s[i + 2] > 0xFE || s[i + 3] < 0x30 ||
            s[i + 3] > 0x39)
            return 0;
        const uint32_t linear = (uint32_t(b) - 0x81) * 12600 + (uint32_t(t) - 0x30) * 1260 +
                                (uint32_t(s[i + 2]) - 0x81) * 10 + (uint32_t(s[i + 3]) - 0x30);
        if (linear < kGbFourByteBmp && four[linear] != 0) {
            o += static_cast<char16_t>(four[linear]);
            return 4;
        }
        if (linear >= 189000 && linear < 189000 + 0x100000) {
            appendCodePoint(o, 0x10000 + (linear - 189000));
            return 4;
        }
        return 0;
    });
}

namespace {

// Encodes through codeOf(code point): a two-byte code (<= 0xFFFF), a four-byte code, or 0
// for a character the code page cannot hold.
template <typename CodeOf>
void encodeDbcs(std::u16string_view in, std::string& out, Unmappable how, CodeOf codeOf) {
    out.reserve(out.size() + in.size() * 2);
    size_t i = 0;
    while (i < in.size()) {
        const char16_t c = in[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const uint32_t cp = nextCodePoint(in, i);
        const uint32_t code = codeOf(cp);
        if (code == 0) {
            appendUnmappable(out, cp, how);
            continue;
        }
        if (code > 0xFFFF) {
            out += static_cast<char>(code >> 24);
            out += static_cast<char>((code >> 16) & 0xFF);
        }
        out += static_cast<char>((code >> 8) & 0xFF);
        out += static_cast<char>(code & 0xFF);
    }
}

// The four-byte GB18030 code of a character outside the BMP.
uint32_t gbFourByteCode(uint32_t cp) {
    uint32_t linear = 189000 + (cp - 0x10000);
    const uint32_t b4 = linear % 10; linear /= 10;
    const uint32_t b3 = linear % 126; linear /= 126;
    const uint32_t b2 = linear % 10; linear /= 10;
    return ((0x81 + linear) << 24) | ((0x30 + b2) << 16) | ((0x81 + b3) << 8) | (0x30 + b4);
}

}  // namespace

void encodeBig5(const uint16_t* table, std::u16string_view in, std::string& out, Unmappable how) {
    encodeDbcs(in, out, how, [table](uint32_t cp) -> uint32_t { return cp < 0x10000 ? table[cp] : 0; });
}

void encodeGb(const uint32_t* table, std::u16string_view in, std::string& out, Unmappable how) {
    encodeDbcs(in, out, how, [table](uint32_t cp) { return cp < 0x10000 ? table[cp] : gbFourByteCode(cp); });
}

bool fitsGbTwoByte(const uint32_t* table, std::u16string_view in) {
    for (char16_t c : in)
        if (c >= 0x80 && (c >= 0xD800 && c <= 0xDFFF ? true : (table[c] == 0 || table[c] > 0xFFFF)))
            return false;
    return true;
}

bool decodeIconv(const char* encoding, std::string_view in, std::u16string& out, bool strict) {
    iconv_t cd = iconv_open("UTF-16LE", encoding);
    if (cd == (iconv_t)-1) return false;
    std::string buf(in.size() * 4 + 8, '\0');
    char* ip = const_cast<char*>(in.data());
    size_t il = in.size();
    char* op = buf.data();
    size_t ol = buf.size();
    bool ok = true;
    while (il > 0 && ok) {
        if (iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1)) continue;
        if (strict || ol < 2) {
            ok = false;
            break;
        }
        *op++ = static_cast<char>(0xFD);
        *op++ = static_cast<char>(0xFF);
        ol -= 2;
        ++ip;
        --il;
    }
    iconv_close(cd);
    if (!ok && strict) return false;
    for (size_t i = 0; i + 1 < buf.size() - ol; i += 2)
        out += static_cast<char16_t>(static_cast<unsigned char>(buf[i]) |
                                     (static_cast<unsigned char>(buf[i + 1]) << 8));
    return true;
}

bool hasNonAscii(std::string_view in) {
    for (unsigned char c : in)
        if (c >= 0x80) return true;
    return false;
}

bool isValidUtf8(std::string_view in) {
    const auto* s = reinterpret_cast<const uint8_t*>(in.data());
    const size_t n = in.size();
    size_t i = 0;
    while (i < n) {
        const uint8_t b = s[i];
        if (b < 0x80) { ++i; continue; }
        size_t len;
        uint32_t cp;
        if (b >= 0xC2 && b <= 0xDF) { len = 2; cp = b & 0x1F; }
        else if (b >= 0xE0 && b <= 0xEF) { len = 3; cp = b & 0x0F; }
        else if (b >= 0xF0 && b <= 0xF4) { len = 4; cp = b & 0x07; }
        else return false;
        if (i + len > n) return false;
        for (size_t k = 1; k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += len;
    }
    return true;
}

void decodeUtf8(std::string_view in, std::u16string& out) {
    out.reserve(out.size() + in.size());
    const auto* s = reinterpret_cast<const uint8_t*>(in.data());
    const size_t n = in.size();
    size_t i = 0;
    while (i < n) {
        const uint8_t b = s[i];
        if (b < 0x80) { out += static_cast<char16_t>(b); ++i; continue; }
        size_t len = 0;
        uint32_t cp = 0;
        if (b >= 0xC2 && b <= 0xDF) { len = 2; cp = b & 0x1F; }
        else if (b >= 0xE0 && b <= 0xEF) { len = 3; cp = b & 0x0F; }
        else if (b >= 0xF0 && b <= 0xF4) { len = 4; cp = b & 0x07; }
        bool ok = len != 0 && i + len <= n;
        for (size_t k = 1; ok && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (ok && ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                   (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
            ok = false;
        if (!ok) { out += kReplacement; ++i; continue; }
        appendCodePoint(out, cp);
        i += len;
    }
}

void encodeUtf8(std::u16string_view in, std::string& out) {
    out.reserve(out.size() + in.size() * 3);
    size_t i = 0;
    while (i < in.size()) {
        uint32_t cp = nextCodePoint(in, i);
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = kReplacement;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
}

}  // namespace tezc
