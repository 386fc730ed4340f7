#include "ChunkCut.h"

#include <algorithm>

namespace tezc {

namespace {

bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Whether the units on either side of p belong together whatever the matchers say.
bool joined(std::u16string_view s, size_t p) {
    return (isHigh(s[p - 1]) && isLow(s[p])) || (s[p - 1] == u'\r' && s[p] == u'\n');
}

// The matchers of an operation, as the conversion chooses them.
struct Matchers {
    const TrieView* list[5] = {};
    size_t count = 0;
    const TrieView* normal = nullptr;  // mixed-script lookup of the terms
    const TrieView* terms = nullptr;
    void add(const TrieView* t) {
        if (t && t->valid()) list[count++] = t;
    }
    size_t maxKeyLen() const {
        size_t len = 1;
        for (size_t k = 0; k < count; ++k) len = std::max<size_t>(len, list[k]->maxKeyLen());
        return len;
    }
};

bool matchersOf(Stmt& st, const TextOp& op, Matchers& m) {
    const TrieView* t = nullptr;
    if (op.from != op.to) {
        const bool toTrad = op.to == Script::Traditional;
        m.add(toTrad ? &st.env->s2t : &st.env->t2s);
        if (!overlayFor(st, toTrad ? Overlay::S2TProtect : Overlay::T2SProtect, t)) return false;
        m.add(t);
        if (op.vocab == TextOp::Full) {
            if (!overlayFor(st, toTrad ? Overlay::S2TVocab : Overlay::T2SVocab, t)) return false;
            m.add(t);
            m.terms = t;
            if (toTrad) {
                if (!overlayFor(st, Overlay::TradTowardTrad, t)) return false;
                m.add(t);
            }
        }
        const TrieView* normal = toTrad ? &st.env->t2s : &st.env->s2t;
        if (normal->valid() && m.terms) m.normal = normal;
        return true;
    }
    if (op.vocab == TextOp::None) return true;
    const bool trad = op.from == Script::Traditional;
    TextOp::Vocab dir = op.vocab;
    if (dir == TextOp::Full) dir = trad ? TextOp::TowardSimp : TextOp::TowardTrad;
    const Overlay kind = trad ? (dir == TextOp::TowardTrad ? Overlay::TradTowardTrad : Overlay::TradTowardSimp)
                              : (dir == TextOp::TowardTrad ? Overlay::SimpTowardTrad : Overlay::SimpTowardSimp);
    if (!overlayFor(st, kind, t)) return false;
    m.add(t);
    return true;
}

// True when some match starting in [p - reach, p) ends after p.
bool crossed(const Matchers& m, std::u16string_view s, size_t p, size_t reach) {
    char16_t norm[256];
    for (size_t q = p - std::min(p, reach); q < p; ++q) {
        const size_t rest = s.size() - q;
        uint32_t hit = 0;
        for (size_t k = 0; k < m.count; ++k)
            if (m.list[k]->first(s[q]) && m.list[k]->longest(s.data() + q, rest, hit) > p - q) return true;
        if (m.normal) {
            const size_t len = std::min<size_t>({rest, reach + 1, sizeof norm / sizeof *norm});
            for (size_t k = 0; k < len; ++k) norm[k] = m.normal->unitOf(s[q + k]);
            if (m.terms->first(norm[0]) && m.terms->longest(norm, len, hit) > p - q) return true;
        }
    }
    return false;
}

}  // namespace

size_t chunkCut(Stmt& st, const TextOp& op, std::u16string_view text, int32_t& rc) {
    const size_t nl = text.rfind(u'\n');
    if (nl != std::u16string_view::npos) return nl + 1;
    Matchers m;
    if (!matchersOf(st, op, m)) {
        rc = TEZ_ERR_NOTABLE;
        return 0;
    }
    const size_t reach = m.maxKeyLen();
    if (text.size() <= reach + 1) return 0;
    // Look back from the end for a place no match crosses; a long run of one chain of
    // overlapping matches is rare, so the search ends soon.
    const size_t lowest = text.size() > 4096 ? text.size() - 4096 : 1;
    for (size_t p = text.size() - reach; p >= lowest; --p)
        if (!joined(text, p) && !crossed(m, text, p, reach)) return p;
    return 0;
}

}  // namespace tezc
