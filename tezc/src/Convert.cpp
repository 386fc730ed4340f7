#include "Convert.h"

#include "WideX86.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <initializer_list>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(TEZC_WIDE_X86)
#include <immintrin.h>
#endif

namespace tezc {

namespace {

// Output buffer written through a raw pointer. Every put makes room for what it writes,
// so no caller can write past the end, whatever it checked before.
class Writer {
public:
    // Whatever out holds is overwritten: only room it does not have yet is cleared.
    explicit Writer(std::u16string& out, size_t hint) : out_(out) {
        if (out_.size() < hint + 64) out_.resize(hint + 64);
        w_ = out_.data();
        end_ = w_ + out_.size();
    }
    void put(char16_t c) {
        if (w_ == end_) [[unlikely]] grow(1);
        *w_++ = c;
    }
    void put(const char16_t* s, size_t n) {
        if (static_cast<size_t>(end_ - w_) < n) [[unlikely]] grow(n);
        // Most replacements are one to four units: copies of a known size stay inline.
        switch (n) {
        case 1: *w_ = *s; break;
        case 2: std::memcpy(w_, s, 2 * sizeof(char16_t)); break;
        case 3: std::memcpy(w_, s, 3 * sizeof(char16_t)); break;
        case 4: std::memcpy(w_, s, 4 * sizeof(char16_t)); break;
        default: std::memcpy(w_, s, n * sizeof(char16_t)); break;
        }
        w_ += n;
    }
    void finish() { out_.resize(static_cast<size_t>(w_ - out_.data())); }
    // Room for at least n units at the write position, to be filled directly; advance()
    // then takes what was written.
    char16_t* room(size_t n) {
        if (static_cast<size_t>(end_ - w_) < n) [[unlikely]] grow(n);
        return w_;
    }
    void advance(size_t n) { w_ += n; }

private:
    // Makes room for n more units at the write position.
    [[gnu::noinline]] void grow(size_t n) {
        const size_t pos = static_cast<size_t>(w_ - out_.data());
        out_.resize(std::max(out_.size() * 2, pos + n + 64));
        w_ = out_.data() + pos;
        end_ = out_.data() + out_.size();
    }

    std::u16string& out_;
    char16_t* w_;
    char16_t* end_;
};

// Whether terms are looked up in another form of c: a unit of the other script (one the
// normal table changes) is brought to the terms' script, but not a unit the converting table
// itself changes, which already is of the text's script (a variant such as 覈 stays itself).
bool normalisedUnitChanges(const TrieView& code, const TrieView& normal, char16_t c) {
    return normal.unitChanges(c) && !code.unitChanges(c);
}

void putValue(Writer& w, const TrieView& trie, uint32_t id) {
    size_t len;
    const char16_t* v = trie.valueOf(id, len);
    w.put(v, len);
}

// Replaces the longest key at each position by its value; other units are copied.
void replaceLongest(const TrieView& trie, std::u16string_view in, Writer& w) {
    const char16_t* s = in.data();
    const size_t n = in.size();
    size_t i = 0;
    while (i < n) {
        const char16_t c = s[i];
        // Units that start no longer key are written from one word: the unit itself or its
        // one-unit replacement.
        const uint32_t f = trie.infoOf(c);
        if (!(f & (TrieView::kInfoChildren | TrieView::kInfoLongValue))) {
            w.put(static_cast<char16_t>(f));
            ++i;
            continue;
        }
        const uint32_t e = trie.first(c);
        if (e == 0) {
            w.put(c);
            ++i;
            continue;
        }
        if (!(e & kEntryChildren)) {
            putValue(w, trie, e & kIdMask);
            ++i;
            continue;
        }
        uint32_t hit = 0;
        const size_t len = trie.longest(s + i, n - i, hit);
        if (len == 0) {
            w.put(c);
            ++i;
        } else {
            putValue(w, trie, hit);
            i += len;
        }
    }
}

std::u16string codeConvert(const TrieView& code, std::u16string_view in) {
    std::u16string out;
    convertText(&code, in, out);
    return out;
}

}  // namespace

namespace {

// Bits of a ScriptUnits word above the one-unit piece's unit.
constexpr uint32_t kUnitMulti = 1u << 16;    // some matcher has a longer key starting here (bit 16: tested by shift)
constexpr uint32_t kUnitChanges = 1u << 17;  // the unit changes when terms are normalised
constexpr uint32_t kUnitSlow = 1u << 18;     // the unit needs the full matching

// What the one-look-up decisions read, made once per conversion.
struct DecidedUnits {
    DecidedUnits(const ScriptUnits& units, const TrieView& code, const TrieView* segment, const TrieView* inner)
        : code(code), info(units.info.data()), blockInfo(units.blockInfo.data()), pairBits(units.pairs.data()), hashShift(32 - TrieView::kPairBits + units.pairShift),
          pairKeyBits(units.pairKeys.data()), tripleBits(units.triples.data()),
          pairKeyShift(32 - TrieView::kPairBits + units.pairKeyShift),
          tripleShift(64 - TrieView::kPairBits + units.tripleShift), vocabRoots(units.vocabRoots.data()),
          vocabMask(units.vocabRoots.size() - 1), vocabShift(units.vocabShift), segment(segment), inner(inner) {
#if defined(__SSE2__)
        asciiBlocks = units.asciiBlocks;
        for (size_t k = 0; k < 8; ++k) asciiKeys[k] = _mm_set1_epi16(static_cast<short>(units.asciiKeys[k]));
#endif
    }
    // The root entry of c in the code table (first()).
    uint32_t codeRoot(char16_t c) const { return static_cast<uint32_t>(info[c] >> 32); }
    // The root entries of c in the vocabulary matchers, for a unit that one of them may start
    // with (without the small table, when a key starts with the NUL unit, the tries are asked).
    uint32_t segmentRoot(char16_t c) const {
        return vocabMask == size_t(-1) ? segment->first(c) : static_cast<uint32_t>(vocabEntry(c) >> 24) & 0xFFFFFF;
    }
    uint32_t innerRoot(char16_t c) const {
        return vocabMask == size_t(-1) ? inner->first(c) : static_cast<uint32_t>(vocabEntry(c)) & 0xFFFFFF;
    }
    // Whether some matcher has a key of two or more units starting with c, d, or terms
    // are looked up in another form of c or d: otherwise no piece at c is longer than c.
    bool mayReach(char16_t c, char16_t d) const {
        const uint32_t e = static_cast<uint32_t>(info[c]);
        const uint32_t h = ((uint32_t(c) << 16 | d) * TrieView::kPairMultiplier) >> hashShift;
        const uint32_t pair = static_cast<uint32_t>(pairBits[h >> 6] >> (h & 63)) & 1;
        return ((e | info[d]) & kUnitChanges) | ((e >> 16) & pair);
    }
    // False when surely no matcher has a key of two or more units matching c, d, f: c, d is
    // no key and c, d, f begins no longer one (f: any unit where the text ends after d).
    // Most pairs that begin a key begin only longer ones.
    bool longerKeyMay(char16_t c, char16_t d, char16_t f) const {
        const uint32_t hp = ((uint32_t(c) << 16 | d) * TrieView::kPairMultiplier) >> pairKeyShift;
        const uint32_t ht = static_cast<uint32_t>(
            ((uint64_t(c) << 32 | uint64_t(d) << 16 | f) * TrieView::kTripleMultiplier) >> tripleShift);
        return (((pairKeyBits[hp >> 6] >> (hp & 63)) | (tripleBits[ht >> 6] >> (ht & 63))) & 1) != 0;
    }
    // Starts the second-unit look-ups of every matcher that has a key beginning c, d (see
    // TrieView::prefetchSecond).
    void prefetchSecond(char16_t c, char16_t d) const {
        code.prefetchSecondFrom(codeRoot(c), d);
        if (segment && segment->mayStart(c)) segment->prefetchSecondFrom(segmentRoot(c), d);
        if (inner && inner->mayStart(c)) inner->prefetchSecondFrom(innerRoot(c), d);
    }
    const TrieView& code;
    const uint64_t* info;
    const uint32_t* blockInfo;
    const uint64_t* pairBits;
    int hashShift;
    const uint64_t* pairKeyBits;
    const uint64_t* tripleBits;
    int pairKeyShift, tripleShift;
    const uint64_t* vocabRoots;
    size_t vocabMask;
    int vocabShift;
    const TrieView* segment;
    const TrieView* inner;
#if defined(__SSE2__)
    bool asciiBlocks = false;
    __m128i asciiKeys[8];
#endif

    // Where the vocabulary table's probe for c begins.
    static size_t vocabSlot(char16_t c, int shift) { return static_cast<size_t>((c * 0x9E3779B97F4A7C15ULL) >> shift); }

private:
    uint64_t vocabEntry(char16_t c) const {
        for (size_t h = vocabSlot(c, vocabShift);; h = (h + 1) & vocabMask) {
            const uint64_t e = vocabRoots[h];
            if ((e >> 48) == c || e == 0) return e;
        }
    }
};

// One piece of a segmentation: a match of one matcher (from == null: the unit is copied).
struct Piece {
    const TrieView* from = nullptr;
    uint32_t hit = 0;
    uint32_t len = 1;
};

// The matchers of a script conversion over one input, and how a span is divided.
class ScriptMatch {
public:
    ScriptMatch(const TrieView& code, const TrieView* segment, const TrieView* inner,
                const TrieView* normal, std::u16string_view in, const DecidedUnits& units)
        : code_(code), segment_(segment), inner_(inner), normal_(normal), s_(in.data()), n_(in.size()),
          units_(units) {
        // One bitmap of the units where any matcher may start: elsewhere units are copied.
        for (size_t k = 0; k < 1024; ++k) {
            uint64_t bits = code.startBits()[k];
            if (segment) bits |= segment->startBits()[k];
            if (inner) bits |= inner->startBits()[k];
            starts_[k] = bits;
        }
    }
    bool anyStart(char16_t c) const { return (starts_[c >> 6] >> (c & 63)) & 1; }

    // The piece at p by the longest match: the longest term or phrase wins; on equal length a
    // term beats a phrase; a Traditional term already present wins only when it is longer.
    Piece longestAt(size_t p) const {
        const char16_t c = s_[p];
        if (p + 1 < n_) prefetchSecond(c, s_[p + 1]);
        uint32_t vHit = 0, cHit = 0, tHit = 0;
        const size_t vLen = segmentLongest(p, vHit);
        const size_t cLen = code_.longestFrom(codeRoot(c), s_ + p, n_ - p, cHit, true);
        const size_t tLen = inner_ && inner_->mayStart(c) ? inner_->longestFrom(units_.innerRoot(c), s_ + p, n_ - p, tHit) : 0;
        if (tLen > 0 && tLen > vLen && tLen > cLen) return {inner_, tHit, uint32_t(tLen)};
        if (vLen > 0 && vLen >= cLen) return {segment_, vHit, uint32_t(vLen)};
        if (cLen > 0) return {&code_, cHit, uint32_t(cLen)};
        return {};
    }

    // Every piece that starts at p, one per length (the longest-match order decides among
    // matchers of equal length), a copied unit included.
    size_t piecesAt(size_t p, Piece* out, size_t cap) const {
        size_t count = 0;
        auto offer = [&](const TrieView* from, uint32_t hit, uint32_t len, int rank) {
            for (size_t k = 0; k < count; ++k)
                if (out[k].len == len) {
                    if (rank < rankOf(out[k].from)) out[k] = {from, hit, len};
                    return;
                }
            if (count < cap) out[count++] = {from, hit, len};
        };
        uint32_t lens[64], ids[64];
        offer(nullptr, 0, 1, 3);
        const size_t rest = std::min<size_t>(n_ - p, 64);
        if (segment_) {
            size_t m = segment_->matchLengths(s_ + p, rest, lens, ids, 64);
            for (size_t k = 0; k < m; ++k) offer(segment_, ids[k], lens[k], 0);
            char16_t norm[64];
            if (normalise(p, rest, norm)) {
                m = segment_->matchLengths(norm, rest, lens, ids, 64);
                for (size_t k = 0; k < m; ++k) offer(segment_, ids[k], lens[k], 0);
            }
        }
        size_t m = code_.matchLengths(s_ + p, rest, lens, ids, 64);
        for (size_t k = 0; k < m; ++k) offer(&code_, ids[k], lens[k], 1);
        if (inner_) {
            m = inner_->matchLengths(s_ + p, rest, lens, ids, 64);
            // A present Traditional term is taken only where nothing else is as long.
            for (size_t k = 0; k < m; ++k) offer(inner_, ids[k], lens[k], 2);
        }
        return count;
    }

    // The longest piece of any matcher at p (1 when none matches); byTerm is set when a
    // vocabulary term reaches further than the code table's phrases there.
    size_t reachAt(size_t p, bool& byTerm) const {
        const char16_t c = s_[p];
        if (p + 1 >= n_) return 1;
        // Only a key of two or more units can reach past the piece at p - 1; most pairs begin
        // none, which a bitmap of each matcher tells without walking it.
        const char16_t d = s_[p + 1];
        if (!units_.mayReach(c, d)) return 1;
        prefetchSecond(c, d);
        uint32_t h;
        size_t terms = segmentLongest(p, h);
        if (inner_ && inner_->mayStart(c)) terms = std::max(terms, inner_->longestFrom(units_.innerRoot(c), s_ + p, n_ - p, h));
        const size_t phrases = code_.longestFrom(codeRoot(c), s_ + p, n_ - p, h);
        if (terms > std::max<size_t>(phrases, 1)) byTerm = true;
        return std::max<size_t>({1, terms, phrases});
    }

    // The code table's piece at p: its longest phrase or character there, else the unit copied.
    Piece codeAt(size_t p) const {
        uint32_t hit = 0;
        const size_t len = code_.longestFrom(codeRoot(s_[p]), s_ + p, n_ - p, hit);
        return len ? Piece{&code_, hit, uint32_t(len)} : Piece{};
    }

    // Divides [i, end) into the fewest pieces; among equally few, the one that leaves more
    // of the span to the code table's phrases (their context picks the characters); among
    // those, the one that matches longest from the front. Returns the piece count;
    // frontFewest tells whether a division that begins with a piece of frontLen units takes
    // no more pieces.
    size_t divide(size_t i, size_t end, Piece* pieces, size_t frontLen, bool& frontFewest) const {
        const size_t len = end - i;
        Piece at[kSpan][16];
        size_t counts[kSpan];
        struct Cost {
            uint32_t pieces, termUnits;
            bool operator<(const Cost& o) const {
                return pieces != o.pieces ? pieces < o.pieces : termUnits < o.termUnits;
            }
        };
        Cost best[kSpan + 1];
        size_t choice[kSpan];
        for (size_t p = 0; p < len; ++p) counts[p] = piecesAt(i + p, at[p], 16);
        best[len] = {0, 0};
        for (size_t p = len; p-- > 0;) {
            bool found = false;
            for (size_t k = 0; k < counts[p]; ++k) {
                const Piece& c = at[p][k];
                if (p + c.len > len) continue;
                const bool term = c.from == segment_ || (c.from && c.from == inner_);
                const Cost cost{best[p + c.len].pieces + 1, best[p + c.len].termUnits + (term ? c.len : 0)};
                if (!found || cost < best[p] || (!(best[p] < cost) && c.len > at[p][choice[p]].len)) {
                    best[p] = cost;
                    choice[p] = k;
                    found = true;
                }
            }
        }
        frontFewest = frontLen <= len && best[frontLen].pieces + 1 <= best[0].pieces;
        size_t count = 0;
        for (size_t p = 0; p < len; p += pieces[count - 1].len) pieces[count++] = at[p][choice[p]];
        return count;
    }

    static constexpr size_t kSpan = 32;

private:
    // Starts the second-unit look-ups of every matcher at once (see TrieView::prefetchSecond).
    void prefetchSecond(char16_t c, char16_t d) const {
        code_.prefetchSecondFrom(codeRoot(c), d);
        if (segment_ && segment_->mayStart(c)) segment_->prefetchSecondFrom(units_.segmentRoot(c), d);
        if (inner_ && inner_->mayStart(c)) inner_->prefetchSecondFrom(units_.innerRoot(c), d);
    }

    uint32_t codeRoot(char16_t c) const { return units_.codeRoot(c); }

    int rankOf(const TrieView* from) const {
        return from == segment_ ? 0 : from == &code_ ? 1 : from == inner_ ? 2 : 3;
    }

    // The longest term at p, looked up also in the text brought to the source script, so that
    // a term typed in mixed scripts is found.
    size_t segmentLongest(size_t p, uint32_t& hit) const {
        if (!segment_) return 0;
        size_t len = segment_->mayStart(s_[p]) ? segment_->longestFrom(units_.segmentRoot(s_[p]), s_ + p, n_ - p, hit) : 0;
        if (len < 2 && normalDiffers(p)) {
            const size_t rest = std::min<size_t>(n_ - p, 64);
            char16_t norm[64];
            normalise(p, rest, norm);
            uint32_t h = 0;
            const size_t nLen = segment_->mayStart(norm[0]) ? segment_->longestFrom(units_.segmentRoot(norm[0]), norm, rest, h) : 0;
            if (nLen > len) { len = nLen; hit = h; }
        }
        return len;
    }
public:
    // True when the first two units at p change on the way to the source script.
    bool normalDiffers(size_t p) const {
        if (!normal_ || !segment_) return false;
        if (normalisedUnitChanges(code_, *normal_, s_[p])) return true;
        return p + 1 < n_ && normalisedUnitChanges(code_, *normal_, s_[p + 1]);
    }
private:
    bool normalise(size_t p, size_t rest, char16_t* out) const {
        if (!normal_) return false;
        bool changed = false;
        for (size_t k = 0; k < rest; ++k) {
            const char16_t c = s_[p + k];
            out[k] = normalisedUnitChanges(code_, *normal_, c) ? normal_->unitOf(c) : c;
            changed |= out[k] != s_[p + k];
        }
        return changed;
    }

    const TrieView& code_;
    const TrieView* segment_;
    const TrieView* inner_;
    const TrieView* normal_;
    const char16_t* s_;
    size_t n_;
    const DecidedUnits& units_;
    uint64_t starts_[1024];
};

#if defined(TEZC_WIDE_X86)
TEZC_WIDE_LOOPS_BEGIN
// The decisions of DecidedBlock::fill's loop for units [k, count) of the block at s, sixteen
// at a time while sixteen are left: slow and firm get their bits and units their one-unit
// pieces. Returns where it stopped.
TEZC_WIDE_TARGET
size_t decideSixteens(const char16_t* s, size_t k, size_t count, const DecidedUnits& du, uint64_t& slow,
                      uint64_t& firm, char16_t* units) {
    const __m512i multiplier = _mm512_set1_epi32(static_cast<int>(TrieView::kPairMultiplier));
    const __m128i hashShift = _mm_cvtsi32_si128(du.hashShift);
    const __m512i bitOfWord = _mm512_set1_epi32(31), one = _mm512_set1_epi32(1);
    const __m512i slowBit = _mm512_set1_epi32(kUnitSlow), changesBit = _mm512_set1_epi32(kUnitChanges);
    for (; k + 16 <= count; k += 16) {
        const __m512i c = _mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + k)));
        const __m512i d = _mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + k + 1)));
        const __m512i e = _mm512_i32gather_epi32(c, du.blockInfo, 4);
        // The next units' words are these moved down one lane, and the word of s[k + 16].
        const __m512i next =
            _mm512_alignr_epi32(_mm512_set1_epi32(static_cast<int>(du.blockInfo[s[k + 16]])), e, 1);
        const __m512i h = _mm512_srl_epi32(_mm512_mullo_epi32(_mm512_or_si512(_mm512_slli_epi32(c, 16), d), multiplier),
                                           hashShift);
        const __m512i word = _mm512_i32gather_epi32(_mm512_srli_epi32(h, 5), du.pairBits, 4);
        const __m512i pair = _mm512_srlv_epi32(word, _mm512_and_si512(h, bitOfWord));
        const __mmask16 hard = _mm512_test_epi32_mask(e, slowBit) | _mm512_test_epi32_mask(next, changesBit);
        const __mmask16 byPair = _mm512_test_epi32_mask(_mm512_and_si512(pair, _mm512_srli_epi32(e, 16)), one);
        slow |= uint64_t(hard | byPair) << k;
        firm |= uint64_t(hard) << k;
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(units + k), _mm512_cvtepi32_epi16(e));
    }
    return k;
}
TEZC_WIDE_LOOPS_END
#endif

// The units one look-up decides, 64 at a time: for a block of the text, which units need
// the full matching (a bit each) and what the others are written as, worked out without a
// branch per unit; a block serves every position inside it.
class DecidedBlock {
public:
    DecidedBlock(const char16_t* s, size_t n, const DecidedUnits& du) : s_(s), n_(n), du_(du), wide_(wideX86()) {}

    // Writes the decided units from i on (i + 1 < n) up to the next unit that is not, or to
    // the block's end; returns where it stopped.
    size_t write(size_t i, Writer& w) {
        if (i < base_ || i >= base_ + count_) fill(i);
        const size_t off = i - base_;
        const uint64_t rest = slow_ >> off;
        const size_t run = rest ? static_cast<size_t>(__builtin_ctzll(rest)) : count_ - off;
        std::memcpy(w.room(kBlock), units_ + off, kBlock * sizeof(char16_t));
        w.advance(run);
        return i + run;
    }

private:
    static constexpr size_t kBlock = 64;

    void fill(size_t from) {
        base_ = from;
        count_ = std::min(kBlock, n_ - 1 - from);
        const uint32_t* info = du_.blockInfo;
        // The pair bitmap read in 32-bit words: the vectorised loop gathers twice as many.
        // (Where the high half of a 64-bit word comes first in memory, the halves swap.)
        using HalfWord [[gnu::may_alias]] = uint32_t;
        const auto* pairBits = reinterpret_cast<const HalfWord*>(du_.pairBits);
        constexpr uint32_t halfSwap = std::endian::native == std::endian::little ? 0 : 1;
        const int hashShift = du_.hashShift;
        uint64_t slow = 0, firm = 0;
        size_t k = 0;
#if defined(__SSE2__)
        // Eight ASCII units that are their own pieces, followed by such a unit, are written
        // as they are. The first unit is looked up; each later one is the successor of the one
        // before, whose block compared it with the keys.
        if (du_.asciiBlocks && count_ >= 8 && info[s_[from]] == s_[from]) {
            const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
            const __m128i* keys = du_.asciiKeys;
            for (; k + 8 <= count_; k += 8) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s_ + from + k));
                const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s_ + from + k + 1));
                __m128i bad = _mm_and_si128(_mm_or_si128(v, next), high);
                for (size_t j = 0; j < 8; ++j) bad = _mm_or_si128(bad, _mm_cmpeq_epi16(next, keys[j]));
                if (_mm_movemask_epi8(_mm_cmpeq_epi16(bad, _mm_setzero_si128())) != 0xFFFF) break;
                _mm_storeu_si128(reinterpret_cast<__m128i*>(units_ + k), v);
            }
        }
#endif
#if defined(TEZC_WIDE_X86)
        if (wide_) k = decideSixteens(s_ + from, k, count_, du_, slow, firm, units_);
#endif
        // Each unit's word is looked up once: a unit's decision reads the next one's too.
        uint32_t words[kBlock + 1];
        for (size_t j = k; j <= count_; ++j) words[j] = info[s_[from + j]];
        for (; k < count_; ++k) {
            const char16_t c = s_[from + k], d = s_[from + k + 1];
            const uint32_t e = words[k];
            const uint32_t h = ((uint32_t(c) << 16 | d) * TrieView::kPairMultiplier) >> hashShift;
            const uint32_t pair = (pairBits[(h >> 5) ^ halfSwap] >> (h & 31)) & 1;
            const uint32_t hard = ((e & kUnitSlow) | (words[k + 1] & kUnitChanges)) != 0;
            slow |= uint64_t(hard | ((e >> 16) & pair)) << k;
            firm |= uint64_t(hard) << k;
            units_[k] = static_cast<char16_t>(e);
        }
        // Where only the pair bitmap stopped a unit, the pair may still be no key and the
        // unit after it begin no longer one: then that unit is decided as well. (The unit
        // after the next is clamped to the text: where the text ends after the pair, no key of
        // three units can match there, so any unit serves.)
        const size_t last = n_ - 1;
        for (uint64_t byPair = slow & ~firm; byPair; byPair &= byPair - 1) {
            const auto at = static_cast<size_t>(__builtin_ctzll(byPair));
            const char16_t c = s_[from + at], d = s_[from + at + 1], f = s_[std::min(from + at + 2, last)];
            slow &= ~(uint64_t(!du_.longerKeyMay(c, d, f)) << at);
        }
        slow_ = slow;
        // The units left to the full matching mostly begin a key of two or more units: their
        // second-unit look-ups start together here rather than one at a time in the walks.
        for (uint64_t rest = slow; rest; rest &= rest - 1) {
            const auto at = static_cast<size_t>(__builtin_ctzll(rest));
            du_.prefetchSecond(s_[from + at], s_[from + at + 1]);
        }
    }

    const char16_t* s_;
    size_t n_;
    const DecidedUnits& du_;
    bool wide_;
    size_t base_ = 1, count_ = 0;
    uint64_t slow_ = 0;
    // Twice a block: write() copies a whole block's length from any place in the first.
    char16_t units_[kBlock * 2] = {};
};

// Writes a piece: a term as its table gives it; a phrase by code, and then the Traditional
// terms inside the converted phrase.
[[gnu::always_inline]] inline void putPiece(Writer& w, const Piece& piece, const char16_t* src, const TrieView& code, const TrieView* inner,
                     const DecidedUnits& units) {
    if (!piece.from) {
        w.put(*src);
        return;
    }
    size_t vlen;
    const char16_t* v = piece.from->valueOf(piece.hit, vlen);
    if (piece.from == &code && inner && piece.len > 1) {
        size_t k = 0;
        while (k < vlen) {
            uint32_t iHit = 0;
            const size_t iLen = inner->mayStart(v[k]) ? inner->longestFrom(units.innerRoot(v[k]), v + k, vlen - k, iHit) : 0;
            if (iLen > 0) {
                putValue(w, *inner, iHit);
                k += iLen;
            } else {
                w.put(v[k]);
                ++k;
            }
        }
    } else {
        w.put(v, vlen);
    }
}

// ORs the matchers' bitmaps (TrieView::kPairWords words each, null: none) into out, halved
// while it keeps at least 16 bits per member so that it stays in cache; returns by how many
// bits an index of the full bitmap is shifted for it.
int foldBitmaps(std::initializer_list<const uint64_t*> maps, PageWords& out) {
    PageWords all(TrieView::kPairWords, 0);
    for (const uint64_t* bits : maps)
        if (bits)
            for (size_t k = 0; k < TrieView::kPairWords; ++k) all[k] |= bits[k];
    size_t count = 0;
    for (uint64_t word : all) count += static_cast<size_t>(__builtin_popcountll(word));
    constexpr size_t kBits = TrieView::kPairWords * 64;
    int shift = 0;
    while (shift < 8 && (kBits >> (shift + 1)) >= count * 16) ++shift;
    out.assign((kBits >> shift) / 64, 0);
    for (size_t k = 0; k < TrieView::kPairWords; ++k)
        for (uint64_t word = all[k]; word; word &= word - 1) {
            const size_t h = (k * 64 + static_cast<size_t>(__builtin_ctzll(word))) >> shift;
            out[h >> 6] |= uint64_t(1) << (h & 63);
        }
    return shift;
}

}  // namespace

void fillScriptUnits(ScriptUnits& units, const TrieView& code, const TrieView* segment, const TrieView* inner,
                     const TrieView* guard, const TrieView* normal) {
    units.key = {code.data(), segment ? segment->data() : nullptr, inner ? inner->data() : nullptr,
                 guard ? guard->data() : nullptr, normal ? normal->data() : nullptr};
    units.info.resize(65536);
    units.blockInfo.resize(65536);
    const bool normalises = normal && segment;
    for (size_t k = 0; k < 65536; ++k) {
        const auto c = static_cast<char16_t>(k);
        // The piece of one unit, in the order the matchers are asked for it.
        uint32_t single = c;
        bool longValue = false;
        for (const TrieView* t : {segment, &code, inner}) {
            if (!t) continue;
            const uint32_t f = t->infoOf(c);
            if (f & TrieView::kInfoValue) {
                single = f & 0xFFFF;
                longValue = (f & TrieView::kInfoLongValue) != 0;
                break;
            }
        }
        uint32_t info = single;
        for (const TrieView* t : {segment, &code, inner})
            if (t && (t->infoOf(c) & TrieView::kInfoChildren)) info |= kUnitMulti;
        const bool changes = normalises && normalisedUnitChanges(code, *normal, c);
        if (changes) info |= kUnitChanges;
        if (changes || longValue || (guard && guard->mayStart(c))) info |= kUnitSlow;
        units.info[k] = info | uint64_t(code.first(c)) << 32;
        units.blockInfo[k] = info;
    }
    // The ASCII units that are not their own piece.
    units.asciiKeys.fill(0xFFFF);
    size_t asciiKeyCount = 0;
    for (char16_t c = 0; c < 0x80; ++c)
        if (static_cast<uint32_t>(units.info[c]) != c && asciiKeyCount++ < units.asciiKeys.size())
            units.asciiKeys[asciiKeyCount - 1] = c;
    units.asciiBlocks = asciiKeyCount <= units.asciiKeys.size();
    // The vocabulary matchers' root entries of the units they start with.
    std::vector<char16_t> starts;
    bool startsNul = false;
    for (size_t k = 0; k < 65536; ++k) {
        const auto c = static_cast<char16_t>(k);
        if ((segment && segment->mayStart(c)) || (inner && inner->mayStart(c))) {
            if (c == 0) startsNul = true;
            starts.push_back(c);
        }
    }
    units.vocabRoots.clear();
    if (!startsNul) {
        size_t slots = 16;
        int bits = 4;
        while (slots < starts.size() * 2) { slots <<= 1; ++bits; }
        units.vocabShift = 64 - bits;
        units.vocabRoots.assign(slots, 0);
        for (char16_t c : starts) {
            size_t h = DecidedUnits::vocabSlot(c, units.vocabShift);
            while (units.vocabRoots[h] != 0) h = (h + 1) & (slots - 1);
            const uint64_t seg = segment ? segment->first(c) : 0, inn = inner ? inner->first(c) : 0;
            units.vocabRoots[h] = uint64_t(c) << 48 | seg << 24 | inn;
        }
    }
    units.pairShift = foldBitmaps({segment ? segment->pairBits() : nullptr, code.pairBits(),
                                   inner ? inner->pairBits() : nullptr}, units.pairs);
    units.pairKeyShift = foldBitmaps({segment ? segment->pairKeyBits() : nullptr, code.pairKeyBits(),
                                      inner ? inner->pairKeyBits() : nullptr}, units.pairKeys);
    units.tripleShift = foldBitmaps({segment ? segment->tripleBits() : nullptr, code.tripleBits(),
                                     inner ? inner->tripleBits() : nullptr}, units.triples);
}

TEZC_ALSO_FOR_NEWER_X86
void convertScript(const TrieView& code, const TrieView* segment, const TrieView* inner,
                   const TrieView* guard, std::u16string_view in, std::u16string& out,
                   const TrieView* normal, const ScriptUnits* units, bool codeDivides) {
    if (!segment && !inner && !guard && !units) {
        convertText(&code, in, out);
        return;
    }
    ScriptUnits local;
    if (!units) {
        fillScriptUnits(local, code, segment, inner, guard, normal);
        units = &local;
    }
    Writer w(out, in.size() + in.size() / 8);
    const DecidedUnits decided(*units, code, segment, inner);
    const ScriptMatch match(code, segment, inner, normal, in, decided);
    DecidedBlock block(in.data(), in.size(), decided);
    const char16_t* s = in.data();
    const size_t n = in.size();
    const uint64_t* info = units->info.data();
    uint32_t lens[64], ids[64];
    Piece pieces[ScriptMatch::kSpan];
    const bool codeOnly = !segment && !inner && !guard;
    size_t i = 0;
    while (i < n) {
        // Where only a one-unit piece can start and nothing protects or normalises here,
        // the piece comes from one look-up (the same piece the matching below would take).
        if (i + 1 < n) {
            const size_t stop = block.write(i, w);
            if (stop != i) {
                i = stop;
                continue;
            }
        } else {
            // The last unit: a NUL unit after it changes nothing.
            const uint32_t e = static_cast<uint32_t>(info[s[i]]);
            if (!(e & kUnitSlow)) {
                w.put(static_cast<char16_t>(e));
                ++i;
                continue;
            }
        }
        const char16_t c = s[i];
        if (codeOnly) {
            // The code table alone: its longest phrase or character here, else the unit.
            uint32_t hit = 0;
            const size_t len = code.longestFrom(decided.codeRoot(c), s + i, n - i, hit, true);
            if (len == 0) {
                w.put(c);
                ++i;
            } else {
                putValue(w, code, hit);
                i += len;
            }
            continue;
        }
        // Units where nothing may start a match are copied in a run.
        if (!match.anyStart(c) && !(guard && guard->mayStart(c))) {
            size_t j = i + 1;
            while (j < n && !match.anyStart(s[j]) && !(guard && guard->mayStart(s[j]))) ++j;
            // A mixed-script term may start at a unit no matcher starts with.
            if (segment && normal) {
                for (size_t k = i; k < j; ++k)
                    if (normalisedUnitChanges(code, *normal, s[k])) { j = k; break; }
                if (j == i) goto matching;
            }
            w.put(s + i, j - i);
            i = j;
            continue;
        }
    matching:
        // A protected term is written as its table gives it, whatever else matches here.
        if (guard) {
            uint32_t gHit = 0;
            const size_t gLen = guard->mayStart(c) ? guard->longest(s + i, n - i, gHit) : 0;
            if (gLen > 0) {
                putValue(w, *guard, gHit);
                i += gLen;
                continue;
            }
        }
        Piece piece = match.longestAt(i);
        if (guard && piece.len > 1) {
            // A match may not swallow the start of a protected term: take a shorter one.
            size_t cut = 0;
            for (size_t k = 1; k < piece.len && !cut; ++k) {
                uint32_t g = 0;
                if (guard->mayStart(s[i + k]) && guard->longest(s + i + k, n - i - k, g) > 0) cut = k;
            }
            if (cut) {
                const size_t count = code.matchLengths(s + i, std::min(cut, n - i), lens, ids, 64);
                piece = count ? Piece{&code, ids[count - 1], lens[count - 1]} : Piece{};
            }
        } else if (!guard && piece.len > 1 && piece.from != &code) {
            // Where a match inside this term reaches further, the span they cover is divided
            // into the fewest pieces instead. (Among the code table's own phrases the longest
            // match stands: their data is made for it.)
            size_t end = i + piece.len;
            bool termReaches = false;
            for (size_t p = i + 1; p < end && end - i <= ScriptMatch::kSpan; ++p)
                end = std::max(end, p + match.reachAt(p, termReaches));
            if (end != i + piece.len && end - i <= ScriptMatch::kSpan) {
                // Where only code phrases run past the term and the code table has a phrase
                // as long at its start, the term stands unless dividing takes fewer pieces.
                // Where the code table has none and its phrases divide the text first, the
                // term yields to them.
                const Piece phrase = termReaches ? Piece{} : match.codeAt(i);
                const bool codeAgrees = !termReaches && phrase.len >= piece.len;
                if (!termReaches && !codeAgrees && codeDivides) {
                    putPiece(w, phrase, s + i, code, inner, decided);
                    i += phrase.len;
                    continue;
                }
                bool frontFewest = false;
                const size_t count = match.divide(i, end, pieces, piece.len, frontFewest);
                if (!codeAgrees || !frontFewest) {
                    for (size_t k = 0; k < count; ++k) {
                        putPiece(w, pieces[k], s + i, code, inner, decided);
                        i += pieces[k].len;
                    }
                    continue;
                }
            }
        }
        putPiece(w, piece, s + i, code, inner, decided);
        i += piece.len;
    }
    w.finish();
}

TEZC_ALSO_FOR_NEWER_X86
void convertText(const TrieView* trie, std::u16string_view in, std::u16string& out) {
    if (!trie) {
        out.assign(in);
        return;
    }
    Writer w(out, in.size() + in.size() / 8);
    replaceLongest(*trie, in, w);
    w.finish();
}

bool overlayFor(Stmt& st, Overlay kind, const TrieView*& out) {
    out = nullptr;
    auto& reg = Registry::instance();
    CachedOverlay& cache = st.overlays[static_cast<size_t>(kind)];
    const bool needsS2T = kind == Overlay::TradTowardTrad || kind == Overlay::TradTowardSimp;
    const bool needsT2S = kind == Overlay::SimpTowardTrad || kind == Overlay::SimpTowardSimp;
    if (needsS2T && !st.env->s2t.valid()) return false;
    if (needsT2S && !st.env->t2s.valid()) return false;
    if (cache.generation == reg.generation()) {
        if (cache.view.valid()) out = &cache.view;
        return true;
    }
    const bool vocabKind = kind != Overlay::S2TProtect && kind != Overlay::T2SProtect;
    const bool towardTrad = kind == Overlay::S2TVocab || kind == Overlay::S2TProtect ||
                            kind == Overlay::TradTowardTrad || kind == Overlay::SimpTowardTrad;
    const int32_t otherWayOnly = towardTrad ? kItemT2SOnly : kItemS2TOnly;
    TrieBuilder b;
    for (int32_t h : st.list) {
        auto pct = reg.get<Pct>(h, Kind::Pct);
        if (!pct || !(pct->status & 1)) continue;
        const bool proper = (pct->status & 2) != 0;
        if (!proper && !vocabKind) continue;
        for (const VocabItem& it : pct->items) {
            if (!(it.status & kItemInUse) || it.trad.empty() || it.simp.empty()) continue;
            if (!proper && (it.status & otherWayOnly)) continue;
            switch (kind) {
            case Overlay::S2TVocab:
            case Overlay::S2TProtect: b.add(it.simp, it.trad); break;
            case Overlay::T2SVocab:
            case Overlay::T2SProtect: b.add(it.trad, it.simp); break;
            case Overlay::TradTowardTrad:
                if (proper) b.add(it.trad, it.trad);
                else b.add(codeConvert(st.env->s2t, it.simp), it.trad);
                break;
            case Overlay::TradTowardSimp:
                b.add(it.trad, proper ? it.trad : codeConvert(st.env->s2t, it.simp));
                break;
            case Overlay::SimpTowardTrad:
                b.add(it.simp, proper ? it.simp : codeConvert(st.env->t2s, it.trad));
                break;
            case Overlay::SimpTowardSimp:
                if (proper) b.add(it.simp, it.simp);
                else b.add(codeConvert(st.env->t2s, it.trad), it.simp);
                break;
            case Overlay::Count: break;
            }
        }
    }
    cache.generation = reg.generation();
    cache.storage.clear();
    cache.view = TrieView();
    if (b.size() != 0) {
        cache.storage = b.buildWords();
        cache.view.attach(cache.storage.data(), cache.storage.size() * sizeof(uint64_t));
        out = &cache.view;
    }
    return true;
}

namespace {
// The statement's combined unit table for one direction, rebuilt when a table changed. Code
// conversion without any term uses it as well: the block decisions then take most units.
const ScriptUnits* unitsFor(Stmt& st, size_t slot, const TrieView& code, const TrieView* segment,
                            const TrieView* inner, const TrieView* guard, const TrieView* normal) {
    ScriptUnits& units = st.scriptUnits[slot];
    const std::array<const void*, 5> key{code.data(), segment ? segment->data() : nullptr,
                                         inner ? inner->data() : nullptr, guard ? guard->data() : nullptr,
                                         normal ? normal->data() : nullptr};
    const uint64_t generation = Registry::instance().generation();
    if (units.generation != generation || units.key != key) {
        fillScriptUnits(units, code, segment, inner, guard, normal);
        units.generation = generation;
    }
    return &units;
}
}  // namespace

TextOp textOpForMode(int32_t mode, int32_t flag, Family family) {
    const bool on = flag != 0;
    const bool ownUsage = family == Family::Dbcs ? on : !on;
    switch (mode) {
    case 0: return {Script::Simplified, Script::Traditional, on ? TextOp::Full : TextOp::None};
    case 1: return {Script::Traditional, Script::Simplified, on ? TextOp::Full : TextOp::None};
    case 2: return {Script::Traditional, Script::Traditional, ownUsage ? TextOp::TowardTrad : TextOp::TowardSimp};
    case 3: return {Script::Simplified, Script::Simplified, ownUsage ? TextOp::TowardSimp : TextOp::TowardTrad};
    default: return {};
    }
}

int32_t runTextOp(Stmt& st, const TextOp& op, std::u16string_view in, std::u16string& out) {
    const TrieView* vocab = nullptr;
    if (op.from != op.to) {
        // Phrases and terms divide the text. A term converts to its other-script term; a
        // phrase converts by code, and toward Traditional the terms inside the converted
        // phrase apply to it. Proper nouns of in-use locked tables are kept as they are.
        const bool toTrad = op.to == Script::Traditional;
        const TrieView& code = toTrad ? st.env->s2t : st.env->t2s;
        if (!code.valid()) return TEZ_ERR_NOTABLE;
        const TrieView* guard = nullptr;
        const TrieView* segment = nullptr;
        const TrieView* inner = nullptr;
        if (!overlayFor(st, toTrad ? Overlay::S2TProtect : Overlay::T2SProtect, guard)) return TEZ_ERR_NOTABLE;
        if (op.vocab == TextOp::Full) {
            if (!overlayFor(st, toTrad ? Overlay::S2TVocab : Overlay::T2SVocab, segment)) return TEZ_ERR_NOTABLE;
            if (toTrad && !overlayFor(st, Overlay::TradTowardTrad, inner)) return TEZ_ERR_NOTABLE;
        }
        // Terms are looked up also in the text brought to their script by the other table.
        const TrieView* normal = toTrad ? &st.env->t2s : &st.env->s2t;
        if (!normal->valid()) normal = nullptr;
        // Toward Simplified the code table's phrases divide the text first (a term applies
        // where they leave room); toward Traditional terms take part in dividing it.
        convertScript(code, segment, inner, guard, in, out, normal,
                      unitsFor(st, toTrad ? 0 : 1, code, segment, inner, guard, normal), !toTrad);
        return TEZ_OK;
    }
    if (op.vocab == TextOp::None) {
        out.assign(in);
        return TEZ_OK;
    }
    // Same script: "Full" means toward the other script's usage.
    const bool trad = op.from == Script::Traditional;
    TextOp::Vocab dir = op.vocab;
    if (dir == TextOp::Full) dir = trad ? TextOp::TowardSimp : TextOp::TowardTrad;
    Overlay kind = trad ? (dir == TextOp::TowardTrad ? Overlay::TradTowardTrad : Overlay::TradTowardSimp)
                        : (dir == TextOp::TowardTrad ? Overlay::SimpTowardTrad : Overlay::SimpTowardSimp);
    if (!overlayFor(st, kind, vocab)) return TEZ_ERR_NOTABLE;
    convertText(vocab, in, out);
    return TEZ_OK;
}

}  // namespace tezc
