#include "Convert.h"

#include <cstring>

namespace tezc {

namespace {

// Output buffer written through a raw pointer. Every put makes room for what it writes,
// so no caller can write past the end, whatever it checked before.
class Writer {
public:
    explicit Writer(std::u16string& out, size_t hint) : out_(out) {
        out_.resize(hint + 64);
        w_ = out_.data();
        end_ = w_ + out_.size();
    }
    void put(char16_t c) {
        if (w_ == end_) [[unlikely]] grow(1);
        *w_++ = c;
    }
    void put(const char16_t* s, size_t n) {
        if (static_cast<size_t>(end_ - w_) < n) [[unlikely]] grow(n);
        if (n == 1) *w_ = *s;
        else std::memcpy(w_, s, n * sizeof(char16_t));
        w_ += n;
    }
    void finish() { out_.resize(static_cast<size_t>(w_ - out_.data())); }

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

void convertScript(const TrieView& code, const TrieView* segment, const TrieView* inner,
                   const TrieView* guard, std::u16string_view in, std::u16string& out) {
    if (!segment && !inner && !guard) {
        convertText(&code, in, out);
        return;
    }
    Writer w(out, in.size() + in.size() / 8);
    const char16_t* s = in.data();
    const size_t n = in.size();
    uint32_t lens[64], ids[64];
    size_t i = 0;
    while (i < n) {
        const char16_t c = s[i];
        // A protected term is written as its table gives it, whatever else matches here.
        uint32_t gHit = 0;
        const size_t gLen = guard && guard->mayStart(c) ? guard->longest(s + i, n - i, gHit) : 0;
        if (gLen > 0) {
            putValue(w, *guard, gHit);
            i += gLen;
            continue;
        }
        uint32_t vHit = 0, cHit = 0, tHit = 0;
        const size_t vLen = segment && segment->mayStart(c) ? segment->longest(s + i, n - i, vHit) : 0;
        size_t cLen = code.first(c) ? code.longest(s + i, n - i, cHit) : 0;
        // Traditional terms already present in the input count as terms too.
        const size_t tLen = inner && inner->mayStart(c) ? inner->longest(s + i, n - i, tHit) : 0;
        const TrieView* from = nullptr;
        uint32_t hit = 0;
        size_t len = 0;
        if (tLen > 0 && tLen > vLen && tLen > cLen) { from = inner; hit = tHit; len = tLen; }
        else if (vLen > 0 && vLen >= cLen) { from = segment; hit = vHit; len = vLen; }
        else if (cLen > 0) { from = &code; hit = cHit; len = cLen; }
        // A match may not swallow the start of a protected term: take a shorter one.
        if (guard && len > 1) {
            size_t cut = 0;
            for (size_t k = 1; k < len && !cut; ++k) {
                uint32_t g = 0;
                if (guard->mayStart(s[i + k]) && guard->longest(s + i + k, n - i - k, g) > 0) cut = k;
            }
            if (cut) {
                const size_t count = code.matchLengths(s + i, std::min(cut, n - i), lens, ids, 64);
                from = count ? &code : nullptr;
                hit = count ? ids[count - 1] : 0;
                len = count ? lens[count - 1] : 0;
            }
        }
        if (!from) {
            w.put(c);
            ++i;
            continue;
        }
        size_t vlen;
        const char16_t* v = from->valueOf(hit, vlen);
        if (from == &code && inner && len > 1) {
            // The terms inside the converted phrase.
            size_t k = 0;
            while (k < vlen) {
                uint32_t iHit = 0;
                const size_t iLen = inner->mayStart(v[k]) ? inner->longest(v + k, vlen - k, iHit) : 0;
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
        i += len;
    }
    w.finish();
}

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
    cache.storage.reset();
    cache.view = TrieView();
    if (b.size() != 0) {
        const std::vector<uint8_t> blob = b.build();
        cache.storage.reset(new uint64_t[(blob.size() + 7) / 8]);
        std::memcpy(cache.storage.get(), blob.data(), blob.size());
        cache.view.attach(cache.storage.get(), blob.size());
        out = &cache.view;
    }
    return true;
}

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
        convertScript(code, segment, inner, guard, in, out);
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
