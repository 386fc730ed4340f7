#include "Convert.h"

#include <cstring>

namespace tezc {

namespace {

// Output buffer written through a raw pointer; grows when a value would not fit.
class Writer {
public:
    explicit Writer(std::u16string& out, size_t hint) : out_(out) {
        out_.resize(hint + 64);
        w_ = out_.data();
        end_ = w_ + out_.size();
    }
    void reserve(size_t n) {
        if (static_cast<size_t>(end_ - w_) >= n) return;
        const size_t pos = static_cast<size_t>(w_ - out_.data());
        out_.resize(std::max(out_.size() * 2, pos + n + 64));
        w_ = out_.data() + pos;
        end_ = out_.data() + out_.size();
    }
    void put(char16_t c) { *w_++ = c; }
    void put(const char16_t* s, size_t n) {
        if (n == 1) {
            *w_++ = *s;
            return;
        }
        reserve(n);
        std::memcpy(w_, s, n * sizeof(char16_t));
        w_ += n;
    }
    void finish() { out_.resize(static_cast<size_t>(w_ - out_.data())); }
    size_t room() const { return static_cast<size_t>(end_ - w_); }

private:
    std::u16string& out_;
    char16_t* w_;
    char16_t* end_;
};

void convertCodeOnly(const TrieView& code, std::u16string_view in, Writer& w) {
    const char16_t* s = in.data();
    const size_t n = in.size();
    size_t i = 0;
    while (i < n) {
        if (w.room() < 8) w.reserve(8);
        const char16_t c = s[i];
        const uint32_t id = code.first(c);
        if (id == 0) {
            w.put(c);
            ++i;
            continue;
        }
        const TrieNode& nd = code.node(id);
        if (!(nd.flags & kHasChildren)) {
            w.put(code.valuePtr(nd), nd.valueLen);
            ++i;
            continue;
        }
        uint32_t hit = 0;
        const size_t len = code.longest(s + i, n - i, hit);
        if (len == 0) {
            w.put(c);
            ++i;
        } else {
            const TrieNode& hn = code.node(hit);
            w.put(code.valuePtr(hn), hn.valueLen);
            i += len;
        }
    }
}

void convertWithVocab(const TrieView* code, const TrieView& vocab, std::u16string_view in, Writer& w) {
    const char16_t* s = in.data();
    const size_t n = in.size();
    size_t i = 0;
    while (i < n) {
        if (w.room() < 8) w.reserve(8);
        const char16_t c = s[i];
        uint32_t vHit = 0, cHit = 0;
        const size_t vLen = vocab.first(c) ? vocab.longest(s + i, n - i, vHit) : 0;
        const size_t cLen = code && code->first(c) ? code->longest(s + i, n - i, cHit) : 0;
        if (vLen > 0 && vLen >= cLen) {
            const TrieNode& nd = vocab.node(vHit);
            w.put(vocab.valuePtr(nd), nd.valueLen);
            i += vLen;
        } else if (cLen > 0) {
            const TrieNode& nd = code->node(cHit);
            w.put(code->valuePtr(nd), nd.valueLen);
            i += cLen;
        } else {
            w.put(c);
            ++i;
        }
    }
}

std::u16string codeConvert(const TrieView& code, std::u16string_view in) {
    std::u16string out;
    convertText(&code, nullptr, in, out);
    return out;
}

}  // namespace

void convertText(const TrieView* code, const TrieView* vocab, std::u16string_view in,
                 std::u16string& out) {
    Writer w(out, in.size() + in.size() / 8);
    if (vocab) convertWithVocab(code, *vocab, in, w);
    else if (code) convertCodeOnly(*code, in, w);
    else w.put(in.data(), in.size());
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
        if (!cache.empty) out = &cache.view;
        return true;
    }
    TrieBuilder b;
    for (int32_t h : st.list) {
        auto pct = reg.get<Pct>(h, Kind::Pct);
        if (!pct || !(pct->status & 1)) continue;
        const bool proper = (pct->status & 2) != 0;
        const bool vocabKind = kind != Overlay::S2TProtect && kind != Overlay::T2SProtect;
        if (!proper && !vocabKind) continue;
        for (const VocabItem& it : pct->items) {
            if (!(it.status & 1) || it.trad.empty() || it.simp.empty()) continue;
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
    cache.empty = b.size() == 0;
    cache.storage.reset();
    cache.view = TrieView();
    if (!cache.empty) {
        const std::vector<uint8_t> blob = b.build();
        cache.storage.reset(new uint64_t[(blob.size() + 7) / 8]);
        std::memcpy(cache.storage.get(), blob.data(), blob.size());
        cache.view.attach(cache.storage.get(), blob.size());
        out = &cache.view;
    }
    return true;
}

bool textOpForMode(int32_t mode, int32_t flag, TextOp& op) {
    const bool on = flag != 0;
    switch (mode) {
    case 0: op = {Script::Simplified, Script::Traditional, on ? TextOp::Full : TextOp::None}; return true;
    case 1: op = {Script::Traditional, Script::Simplified, on ? TextOp::Full : TextOp::None}; return true;
    case 2: op = {Script::Traditional, Script::Traditional, on ? TextOp::TowardSimp : TextOp::TowardTrad}; return true;
    case 3: op = {Script::Simplified, Script::Simplified, on ? TextOp::TowardTrad : TextOp::TowardSimp}; return true;
    default: return false;
    }
}

int32_t runTextOp(Stmt& st, const TextOp& op, std::u16string_view in, std::u16string& out) {
    const TrieView* vocab = nullptr;
    if (op.from != op.to) {
        const bool toTrad = op.to == Script::Traditional;
        const TrieView& code = toTrad ? st.env->s2t : st.env->t2s;
        if (!code.valid()) return -5;
        Overlay kind = toTrad ? (op.vocab == TextOp::Full ? Overlay::S2TVocab : Overlay::S2TProtect)
                              : (op.vocab == TextOp::Full ? Overlay::T2SVocab : Overlay::T2SProtect);
        if (!overlayFor(st, kind, vocab)) return -5;
        convertText(&code, vocab, in, out);
        return 0;
    }
    if (op.vocab == TextOp::None || op.vocab == TextOp::Full) {
        // Same script without a direction: "Full" means toward the other script's usage.
        if (op.vocab == TextOp::None) {
            out.assign(in);
            return 0;
        }
    }
    const bool trad = op.from == Script::Traditional;
    TextOp::Vocab dir = op.vocab;
    if (dir == TextOp::Full) dir = trad ? TextOp::TowardSimp : TextOp::TowardTrad;
    Overlay kind = trad ? (dir == TextOp::TowardTrad ? Overlay::TradTowardTrad : Overlay::TradTowardSimp)
                        : (dir == TextOp::TowardTrad ? Overlay::SimpTowardTrad : Overlay::SimpTowardSimp);
    if (!overlayFor(st, kind, vocab)) return -5;
    convertText(nullptr, vocab, in, out);
    return 0;
}

}  // namespace tezc
