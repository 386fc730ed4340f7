#include "CodePage.h"

#include "WideX86.h"

#include <algorithm>
#include <iconv.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(TEZC_WIDE_X86)
#include <immintrin.h>
#endif

namespace tezc {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Reads one code point from UTF-16; lone surrogates come back as themselves.
uint32_t nextCodePoint(std::u16string_view in, size_t& i) {
    const char16_t c = in[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < in.size() && in[i] >= 0xDC00 && in[i] <= 0xDFFF) {
        const char16_t d = in[i++];
        return 0x10000 + ((uint32_t(c) - 0xD800) << 10) + (uint32_t(d) - 0xDC00);
    }
    return c;
}

}  // namespace

namespace {

constexpr size_t kNeedMore = ~size_t(0);

#if defined(TEZC_WIDE_X86)
TEZC_WIDE_LOOPS_BEGIN

// Decodes blocks of 32 bytes from s[i] on (a character starts there) while every pair of a
// block is a lead 0x81..0xFE and a trail 0x40..0xFE but 0x7F and the table fills its cell.
// ASCII bytes and pairs are taken in any mix without a branch per character; a pair may
// cross from one block into the next. Writes 32 units at w for every block (room the
// decoder's buffer has); returns where it stops, at the start of a character.
TEZC_WIDE_TARGET
size_t decodeWideBlocks(const uint16_t* table, const uint8_t* s, size_t i, size_t n, char16_t*& out) {
    char16_t* w = out;
    constexpr uint32_t kEven = 0x55555555;
    constexpr uint16_t kLastCell = kDbcsCells - 1;  // its gather would read past the table
    const __m512i leadBase = _mm512_set1_epi16(0x81), trailBase = _mm512_set1_epi16(0x40);
    const __m512i trailsPerLead = _mm512_set1_epi16(static_cast<short>(kDbcsTrails));
    const __m512i noLead = _mm512_set1_epi16(0x80), never = _mm512_set1_epi16(0xFF), del = _mm512_set1_epi16(0x7F);
    uint32_t carried = 0;  // 1 when the block's first byte is the trail of the last block's last byte
    while (i + 33 <= n) {  // the byte after the block is read as a trail
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m512i units = _mm512_cvtepu8_epi16(bytes);
        const uint32_t high = static_cast<uint32_t>(_mm256_movemask_epi8(bytes));
        if ((high | carried) == 0) {
            _mm512_storeu_si512(w, units);
            w += 32;
            i += 32;
            continue;
        }
        // A high byte is a lead unless it is the trail of the byte before: in a run of high
        // bytes, leads and trails alternate from its first byte, and the lead a run of odd
        // length ends in takes the ASCII-range byte after the run as its trail.
        const uint32_t unpaired = high & ~carried;
        const uint32_t runStarts = unpaired & ~(unpaired << 1);
        const uint32_t evenRuns = unpaired & ~(unpaired + (runStarts & kEven));
        const uint32_t leads = (evenRuns & kEven) | (unpaired & ~evenRuns & ~kEven);
        const uint32_t trails = (leads << 1) | carried;
        const __m512i next = _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 1)));
        // 0x80 and 0xFF lead no pair; a trail below 0x40, 0x7F or 0xFF ends none.
        if (_mm512_mask_cmpeq_epi16_mask(leads, units, noLead) | _mm512_mask_cmpeq_epi16_mask(leads, units, never) |
            _mm512_mask_cmplt_epu16_mask(leads, next, trailBase) | _mm512_mask_cmpeq_epi16_mask(leads, next, del) |
            _mm512_mask_cmpeq_epi16_mask(leads, next, never))
            break;
        const __m512i cell = _mm512_add_epi16(_mm512_mullo_epi16(_mm512_sub_epi16(units, leadBase), trailsPerLead),
                                              _mm512_sub_epi16(next, trailBase));
        if (_mm512_mask_cmpeq_epi16_mask(leads, cell, _mm512_set1_epi16(static_cast<short>(kLastCell)))) break;
        // A block holds 16 leads at most: their cells are looked up in one gather.
        const __m512i leadCells = _mm512_cvtepu16_epi32(_mm512_castsi512_si256(_mm512_maskz_compress_epi16(leads, cell)));
        const __m512i leadCodes = _mm512_i32gather_epi32(leadCells, table, 2);
        const __m512i codes = _mm512_maskz_expand_epi16(leads, _mm512_castsi256_si512(_mm512_cvtepi32_epi16(leadCodes)));
        if (_mm512_mask_cmpeq_epi16_mask(leads, codes, _mm512_setzero_si512())) break;  // an empty cell
        const __m512i decoded = _mm512_mask_mov_epi16(units, leads, codes);
        const __mmask32 starts = (~high & ~trails) | leads;
        _mm512_storeu_si512(w, _mm512_maskz_compress_epi16(starts, decoded));
        w += _mm_popcnt_u32(starts);
        i += 32;
        carried = leads >> 31;
    }
    out = w;
    return i + carried;
}

// Encodes blocks of 32 units from in[i] on, up to stop, while every unit of a block is
// ASCII or a character of one unit whose code (table[unit], of type Code) has two bytes;
// ASCII units and two-byte characters are taken in any mix without a branch per unit.
// Writes 64 bytes at w for every block (room the caller's stop leaves); returns where it
// stops.
template <typename Code>
TEZC_WIDE_TARGET size_t encodeWideBlocks(const Code* table, const char16_t* in, size_t i, size_t stop, char*& out) {
    char* w = out;
    const __m512i asciiTop = _mm512_set1_epi16(0x7F), lastUnit = _mm512_set1_epi16(static_cast<short>(0xFFFF));
    const __m512i surrogateBits = _mm512_set1_epi16(static_cast<short>(0xF800));
    const __m512i surrogate = _mm512_set1_epi16(static_cast<short>(0xD800));
    const __m512i twoByteTop = _mm512_set1_epi32(0xFFFF);
    while (i + 32 <= stop) {
        const __m512i units = _mm512_loadu_si512(in + i);
        const __mmask32 wide = _mm512_cmpgt_epu16_mask(units, asciiTop);
        if (wide == 0) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(w), _mm512_cvtepi16_epi8(units));
            w += 32;
            i += 32;
            continue;
        }
        if (_mm512_mask_cmpeq_epi16_mask(wide, _mm512_and_si512(units, surrogateBits), surrogate)) break;
        // The gather of a two-byte entry reads the next one too: none follows the last.
        if constexpr (sizeof(Code) == 2)
            if (_mm512_mask_cmpeq_epi16_mask(wide, units, lastUnit)) break;
        // The wide units are looked up together, sixteen to a gather.
        const unsigned count = static_cast<unsigned>(_mm_popcnt_u32(wide));
        const __m512i packed = _mm512_maskz_compress_epi16(wide, units);
        __m512i lowCodes = _mm512_i32gather_epi32(_mm512_cvtepu16_epi32(_mm512_castsi512_si256(packed)), table,
                                                  static_cast<int>(sizeof(Code)));
        __m512i highCodes = _mm512_setzero_si512();
        if (count > 16)
            highCodes = _mm512_i32gather_epi32(_mm512_cvtepu16_epi32(_mm512_extracti64x4_epi64(packed, 1)), table,
                                               static_cast<int>(sizeof(Code)));
        if constexpr (sizeof(Code) == 4) {  // a longer code, or none
            if (_mm512_cmpgt_epu32_mask(lowCodes, twoByteTop) | _mm512_cmpgt_epu32_mask(highCodes, twoByteTop)) break;
        } else {
            lowCodes = _mm512_and_si512(lowCodes, twoByteTop);
            highCodes = _mm512_and_si512(highCodes, twoByteTop);
        }
        const __m512i codes = _mm512_maskz_expand_epi16(
            wide, _mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvtepi32_epi16(lowCodes)),
                                     _mm512_cvtepi32_epi16(highCodes), 1));
        if (_mm512_mask_cmpeq_epi16_mask(wide, codes, _mm512_setzero_si512())) break;  // the code page lacks it
        // A code's high byte goes first; an ASCII unit keeps its low byte only.
        const __m512i words = _mm512_mask_mov_epi16(units, wide, _mm512_shldi_epi16(codes, codes, 8));
        const uint64_t keep = 0x5555555555555555ull | _pdep_u64(wide, 0xAAAAAAAAAAAAAAAAull);
        _mm512_storeu_si512(w, _mm512_maskz_compress_epi8(keep, words));
        w += 32 + count;
        i += 32;
    }
    out = w;
    return i;
}

TEZC_WIDE_LOOPS_END
#else
// Without the wide build the blocks take nothing: the loops below do it all.
size_t decodeWideBlocks(const uint16_t*, const uint8_t*, size_t i, size_t, char16_t*&) { return i; }
template <typename Code>
size_t encodeWideBlocks(const Code*, const char16_t*, size_t i, size_t, char*&) { return i; }
#endif

// Widens the run of ASCII bytes at s[i..n) into w, returning how many there were. Stops at
// the first byte >= 0x80.
inline size_t widenAscii(const uint8_t* s, size_t i, size_t n, char16_t* w) {
    const size_t from = i;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const int high = _mm_movemask_epi8(v);
        // The whole block is widened; only its ASCII prefix counts.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(w), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(w + 8), _mm_unpackhi_epi8(v, zero));
        if (high != 0) {
            const size_t k = static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(high)));
            return i + k - from;
        }
        i += 16;
        w += 16;
    }
#endif
    while (i < n && s[i] < 0x80) *w++ = s[i++];
    return i - from;
}

// Decodes the two-byte characters from s[i] on while they are a lead byte, a trail byte the
// code page allows (trailOk) and a cell the table fills, writing them at w; returns where
// they stop. Everything else goes to the full character decoder.
template <typename TrailOk>
inline size_t decodePairs(const uint16_t* table, const uint8_t* s, size_t i, size_t n, char16_t*& w, TrailOk trailOk) {
    while (i + 1 < n) {
        const uint8_t lead = s[i], trail = s[i + 1];
        if (lead < 0x81 || lead > 0xFE || !trailOk(trail)) break;
        const char16_t u = table[dbcsIndex(lead, trail)];
        if (u == 0) break;
        *w++ = u;
        i += 2;
    }
    return i;
}

// Decodes through blocks(s, i, n, w) and pairs(s, i, n, w), which decode blocks of mixed
// text and a run of plain two-byte characters and return where they stop, and charAt(s, i,
// n, w, units): it writes the character whose bytes start at s[i] (a lead byte) at w
// (setting units when it is not one unit) and returns their count, 0 when no character
// starts there, or kNeedMore when the bytes end inside the character. ASCII passes; a byte
// that starts no character becomes U+FFFD. Unless final, a character cut off by the end of
// the bytes is left for the next call.
// The units are written from out[base] on (out is lengthened when it is too short, never
// shortened); used is set to the bytes consumed. Returns the end of the units.
template <typename Blocks, typename Pairs, typename CharAt>
size_t decodeDbcs(std::string_view in, std::u16string& out, size_t base, bool final, size_t& used, Blocks blocks,
                  Pairs pairs, CharAt charAt) {
    // Every byte gives one unit at most (a four-byte code two), plus room for a widened
    // block. Units already there are overwritten rather than cleared first.
    const size_t room = base + in.size() + 16;
    if (out.size() < room) out.resize(room);
    const auto* s = reinterpret_cast<const uint8_t*>(in.data());
    const size_t n = in.size();
    char16_t* const start = out.data() + base;
    char16_t* w = start;
    size_t i = 0;
    const bool wide = wideX86();
    while (i < n) {
        if (wide) {
            i = blocks(s, i, n, w);
            if (i == n) break;
        }
        // What the blocks stopped at (or, without them, everything) goes character by
        // character or run by run.
        if (s[i] < 0x80) {
            const size_t run = widenAscii(s, i, n, w);
            i += run;
            w += run;
            continue;
        }
        const size_t from = i;
        i = pairs(s, i, n, w);
        if (i != from) continue;
        size_t units = 1;
        size_t len = charAt(s, i, n, w, units);
        if (len == kNeedMore) {
            if (!final) break;
            len = 0;
        }
        if (len == 0) {
            *w++ = kReplacement;
            ++i;
        } else {
            w += units;
            i += len;
        }
    }
    used = i;
    return base + static_cast<size_t>(w - start);
}

bool big5Trail(uint8_t t) { return t >= 0x40 && t <= 0xFE; }
bool gbTwoByteTrail(uint8_t t) { return t >= 0x40 && t <= 0xFE && t != 0x7F; }

size_t big5At(const uint16_t* table, const uint8_t* s, size_t i, size_t n, char16_t* w) {
    const uint8_t b = s[i];
    if (b < 0x81 || b > 0xFE) return 0;
    if (i + 1 >= n) return kNeedMore;
    if (s[i + 1] < 0x40 || s[i + 1] > 0xFE) return 0;
    const char16_t u = table[dbcsIndex(b, s[i + 1])];
    if (u == 0) return 0;
    *w = u;
    return 2;
}

size_t gbAt(const uint16_t* table, const uint8_t* s, size_t i, size_t n, char16_t* w, size_t& units) {
    const uint16_t* four = table + kDbcsCells;
    const uint8_t b = s[i];
    if (b == 0x80) {  // the euro sign's one-byte code of code page 936
        *w = u'\u20AC';
        return 1;
    }
    if (b < 0x81 || b > 0xFE) return 0;
    if (i + 1 >= n) return kNeedMore;
    const uint8_t t = s[i + 1];
    if (t >= 0x40 && t <= 0xFE && t != 0x7F) {
        const char16_t u = table[dbcsIndex(b, t)];
        if (u == 0) return 0;
        *w = u;
        return 2;
    }
    if (t < 0x30 || t > 0x39) return 0;
    if (i + 2 < n && (s[i + 2] < 0x81 || s[i + 2] > 0xFE)) return 0;
    if (i + 3 >= n) return kNeedMore;
    if (s[i + 3] < 0x30 || s[i + 3] > 0x39) return 0;
    const uint32_t linear = (uint32_t(b) - 0x81) * 12600 + (uint32_t(t) - 0x30) * 1260 +
                            (uint32_t(s[i + 2]) - 0x81) * 10 + (uint32_t(s[i + 3]) - 0x30);
    if (linear < kGbFourByteBmp && four[linear] != 0) {
        *w = static_cast<char16_t>(four[linear]);
        return 4;
    }
    if (linear >= 189000 && linear < 189000 + 0x100000) {
        const uint32_t cp = linear - 189000;
        w[0] = static_cast<char16_t>(0xD800 + (cp >> 10));
        w[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        units = 2;
        return 4;
    }
    return 0;
}

// The block decoder of both code pages: they share their lead bytes and, past 0x80, their
// trail bytes.
auto blockDecoder(const uint16_t* table) {
    return [table](const uint8_t* s, size_t i, size_t n, char16_t*& w) { return decodeWideBlocks(table, s, i, n, w); };
}

}  // namespace

size_t decodeBig5Into(const uint16_t* table, std::string_view in, std::u16string& out, size_t at, bool final,
                      size_t& used) {
    return decodeDbcs(
        in, out, at, final, used, blockDecoder(table),
        [table](const uint8_t* s, size_t i, size_t n, char16_t*& w) { return decodePairs(table, s, i, n, w, big5Trail); },
        [table](const uint8_t* s, size_t i, size_t n, char16_t* w, size_t&) { return big5At(table, s, i, n, w); });
}

size_t decodeGbInto(const uint16_t* table, std::string_view in, std::u16string& out, size_t at, bool final,
                    size_t& used) {
    return decodeDbcs(
        in, out, at, final, used, blockDecoder(table),
        [table](const uint8_t* s, size_t i, size_t n, char16_t*& w) { return decodePairs(table, s, i, n, w, gbTwoByteTrail); },
        [table](const uint8_t* s, size_t i, size_t n, char16_t* w, size_t& units) { return gbAt(table, s, i, n, w, units); });
}

void decodeBig5(const uint16_t* table, std::string_view in, std::u16string& out) {
    size_t used = 0;
    out.resize(decodeBig5Into(table, in, out, 0, true, used));
}

void decodeGb(const uint16_t* table, std::string_view in, std::u16string& out) {
    size_t used = 0;
    out.resize(decodeGbInto(table, in, out, 0, true, used));
}

namespace {

// Narrows the run of ASCII units at in[i..n) into w, returning how many there were.
inline size_t narrowAscii(const char16_t* in, size_t i, size_t n, char* w) {
    const size_t from = i;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    while (i + 8 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const int ascii = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, high), zero));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(w), _mm_packus_epi16(v, v));
        if (ascii != 0xFFFF) {
            const size_t k = static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(~ascii))) / 2;
            return i + k - from;
        }
        i += 8;
        w += 8;
    }
#endif
    while (i < n && in[i] < 0x80) *w++ = static_cast<char>(in[i++]);
    return i - from;
}

bool isSurrogate(char16_t c) { return (c & 0xF800) == 0xD800; }

// Encodes the characters from in[i] on, up to stop, while each is one unit with a two-byte
// code (twoByteOf gives it, 0 for none), writing two bytes each at w; returns where they
// stop. Everything else goes to the full character encoder.
template <typename TwoByteOf>
inline size_t encodePairs(const char16_t* in, size_t i, size_t stop, char*& w, TwoByteOf twoByteOf) {
    while (i < stop) {
        const char16_t c = in[i];
        if (c < 0x80 || isSurrogate(c)) break;
        const uint32_t code = twoByteOf(c);
        if (code == 0) break;
        w[0] = static_cast<char>(code >> 8);
        w[1] = static_cast<char>(code & 0xFF);
        w += 2;
        ++i;
    }
    return i;
}

// Encodes blocks of eight units while every unit of a block is ASCII or one unit with a
// two-byte code (twoByteOf gives it, 0 for none), without a branch per unit: text that
// changes between short runs of both costs no mispredicted branch at every change. Up to
// stop, which leaves room for two bytes a unit and one more; returns where it stops.
template <typename TwoByteOf>
inline size_t encodeMixed(const char16_t* in, size_t i, size_t stop, char*& w, TwoByteOf twoByteOf) {
    while (i + 8 <= stop) {
#if defined(__SSE2__)
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i high = _mm_and_si128(v, _mm_set1_epi16(static_cast<short>(0xFF80)));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) == 0xFFFF) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(w), _mm_packus_epi16(v, v));
            w += 8;
            i += 8;
            continue;
        }
#endif
        char* p = w;
        uint32_t bad = 0;
        for (size_t k = 0; k < 8; ++k) {
            const char16_t c = in[i + k];
            const uint32_t wide = c >= 0x80;
            const uint32_t code = twoByteOf(c);
            bad |= wide & (static_cast<uint32_t>(isSurrogate(c)) | static_cast<uint32_t>(code == 0));
            // An ASCII unit's second byte is overwritten by the next unit's first.
            p[0] = static_cast<char>(wide ? code >> 8 : c);
            p[1] = static_cast<char>(code & 0xFF);
            p += 1 + wide;
        }
        if (bad) break;
        w = p;
        i += 8;
    }
    return i;
}

// Encodes through twoByteOf(unit), the two-byte code of a character that is one unit (0
// when it has none or its code is longer), and codeOf(code point): a two-byte code (<=
// 0xFFFF), a four-byte code, or 0 for a character the code page cannot hold. The bytes are
// written from out[0] on (out is lengthened when it is too short, never shortened).
// Returns the end of the bytes.
template <typename Blocks, typename TwoByteOf, typename CodeOf>
size_t encodeDbcs(std::u16string_view in, std::string& out, Unmappable how, Blocks blocks, TwoByteOf twoByteOf,
                  CodeOf codeOf) {
    // Room for two bytes a unit and a widened block; a four-byte code or a character
    // reference grows the buffer when it needs more. Bytes already there are overwritten
    // rather than cleared first.
    constexpr size_t kSlack = 32;
    const size_t room = in.size() * 2 + kSlack;
    if (out.size() < room) out.resize(room);
    char* w = out.data();
    char* end = out.data() + room;
    const char16_t* s = in.data();
    const size_t n = in.size();
    size_t i = 0;
    const bool wide = wideX86();
    while (i < n) {
        if (static_cast<size_t>(end - w) <= kSlack) [[unlikely]] {
            const size_t at = static_cast<size_t>(w - out.data());
            out.resize(at + (n - i) * 2 + 2 * kSlack);
            w = out.data() + at;
            end = out.data() + out.size();
        }
        const size_t fits = static_cast<size_t>(end - w) - kSlack;  // bytes writable without a check
        const size_t before = i;
        if (wide) {
            i = blocks(s, i, std::min(n, i + fits / 2), w);
            if (i != before) continue;
        }
        i = encodeMixed(s, i, std::min(n, i + (fits - 1) / 2), w, twoByteOf);
        if (i != before) continue;
        const char16_t c = s[i];
        if (c < 0x80) {
            const size_t run = narrowAscii(s, i, std::min(n, i + fits), w);
            i += run;
            w += run;
            continue;
        }
        const size_t from = i;
        i = encodePairs(s, i, std::min(n, i + fits / 2), w, twoByteOf);
        if (i != from) continue;
        const uint32_t cp = nextCodePoint(in, i);
        const uint32_t code = codeOf(cp);
        if (code == 0) {
            if (how == Unmappable::HtmlReference) {
                *w++ = '&';
                *w++ = '#';
                char digits[10];
                size_t k = 0;
                uint32_t v = cp;
                do { digits[k++] = static_cast<char>('0' + v % 10); v /= 10; } while (v);
                while (k) *w++ = digits[--k];
                *w++ = ';';
            } else {
                *w++ = '?';
            }
            continue;
        }
        if (code > 0xFFFF) {
            *w++ = static_cast<char>(code >> 24);
            *w++ = static_cast<char>((code >> 16) & 0xFF);
        }
        *w++ = static_cast<char>((code >> 8) & 0xFF);
        *w++ = static_cast<char>(code & 0xFF);
    }
    return static_cast<size_t>(w - out.data());
}

// The four-byte GB18030 code of a character outside the BMP.
uint32_t gbFourByteCode(uint32_t cp) {
    uint32_t linear = 189000 + (cp - 0x10000);
    const uint32_t b4 = linear % 10; linear /= 10;
    const uint32_t b3 = linear % 126; linear /= 126;
    const uint32_t b2 = linear % 10; linear /= 10;
    return ((0x81 + linear) << 24) | ((0x30 + b2) << 16) | ((0x81 + b3) << 8) | (0x30 + b4);
}

// The block encoder of a code page whose table holds codes of type Code.
template <typename Code>
auto blockEncoder(const Code* table) {
    return [table](const char16_t* in, size_t i, size_t stop, char*& w) { return encodeWideBlocks(table, in, i, stop, w); };
}

}  // namespace

size_t encodeBig5Into(const uint16_t* table, std::u16string_view in, std::string& out, Unmappable how) {
    return encodeDbcs(
        in, out, how, blockEncoder(table), [table](char16_t c) -> uint32_t { return table[c]; },
        [table](uint32_t cp) -> uint32_t { return cp < 0x10000 ? table[cp] : 0; });
}

size_t encodeGbInto(const uint32_t* table, std::u16string_view in, std::string& out, Unmappable how) {
    return encodeDbcs(
        in, out, how, blockEncoder(table), [table](char16_t c) -> uint32_t { return table[c] <= 0xFFFF ? table[c] : 0; },
        [table](uint32_t cp) { return cp < 0x10000 ? table[cp] : gbFourByteCode(cp); });
}

void encodeBig5(const uint16_t* table, std::u16string_view in, std::string& out, Unmappable how) {
    out.resize(encodeBig5Into(table, in, out, how));
}

void encodeGb(const uint32_t* table, std::u16string_view in, std::string& out, Unmappable how) {
    out.resize(encodeGbInto(table, in, out, how));
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

size_t decodeUtf8Into(std::string_view in, std::u16string& out, size_t at, bool final, size_t& used) {
    const size_t base = at;
    const size_t room = base + in.size() + 16;  // one unit a byte at most, and a widened block
    if (out.size() < room) out.resize(room);
    const auto* s = reinterpret_cast<const uint8_t*>(in.data());
    const size_t n = in.size();
    char16_t* const start = out.data() + base;
    char16_t* w = start;
    size_t i = 0;
    while (i < n) {
        const uint8_t b = s[i];
        if (b < 0x80) {
            const size_t run = widenAscii(s, i, n, w);
            i += run;
            w += run;
            continue;
        }
        size_t len = 0;
        uint32_t cp = 0;
        if (b >= 0xC2 && b <= 0xDF) { len = 2; cp = b & 0x1F; }
        else if (b >= 0xE0 && b <= 0xEF) { len = 3; cp = b & 0x0F; }
        else if (b >= 0xF0 && b <= 0xF4) { len = 4; cp = b & 0x07; }
        if (len != 0 && i + len > n && !final) break;  // the rest comes with the next part
        bool ok = len != 0 && i + len <= n;
        for (size_t k = 1; ok && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (ok && ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                   (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
            ok = false;
        if (!ok) { *w++ = kReplacement; ++i; continue; }
        if (cp < 0x10000) {
            *w++ = static_cast<char16_t>(cp);
        } else {
            cp -= 0x10000;
            *w++ = static_cast<char16_t>(0xD800 + (cp >> 10));
            *w++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
        i += len;
    }
    used = i;
    return base + static_cast<size_t>(w - start);
}

void decodeUtf8(std::string_view in, std::u16string& out) {
    size_t used = 0;
    out.resize(decodeUtf8Into(in, out, out.size(), true, used));
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
