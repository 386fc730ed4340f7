#include "Trie.h"

#include <cstring>
#include <new>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tezc {

namespace {
constexpr size_t kRootBytes = 65536 * sizeof(uint32_t);

size_t align8(size_t n) { return (n + 7) & ~size_t(7); }

// Bit k set when w[k] is not 0, for 64 words.
uint64_t nonzeroBits(const uint32_t* w) {
    uint64_t bits = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (int k = 0; k < 64; k += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + k));
        const int isZero = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(v, zero)));
        bits |= uint64_t(~isZero & 0xF) << k;
    }
#else
    for (int k = 0; k < 64; ++k) bits |= uint64_t(w[k] != 0) << k;
#endif
    return bits;
}

struct Layout {
    const TrieHeader* h;
    const uint32_t* root;
    const TrieNode* nodes;
    const uint64_t* edges;
    const char16_t* pool;
};

bool layoutOf(const void* data, size_t size, Layout& l) {
    if (!data || size < sizeof(TrieHeader) + kRootBytes) return false;
    auto* base = static_cast<const uint8_t*>(data);
    if (reinterpret_cast<uintptr_t>(base) % 8 != 0) return false;
    auto* h = reinterpret_cast<const TrieHeader*>(base);
    if (h->magic != kTrieMagic || h->nodeCount == 0 || h->nodeCount > kMaxNodes) return false;
    if (h->edgeSlots == 0 || (h->edgeSlots & (h->edgeSlots - 1)) != 0) return false;
    size_t off = align8(sizeof(TrieHeader));
    const size_t rootOff = off;
    off += kRootBytes;
    const size_t nodesOff = off;
    off = align8(off + size_t(h->nodeCount) * sizeof(TrieNode));
    const size_t edgesOff = off;
    off += size_t(h->edgeSlots) * sizeof(uint64_t);
    const size_t poolOff = off;
    off += size_t(h->poolUnits) * sizeof(char16_t);
    if (off > size) return false;
    l = {h, reinterpret_cast<const uint32_t*>(base + rootOff), reinterpret_cast<const TrieNode*>(base + nodesOff),
         reinterpret_cast<const uint64_t*>(base + edgesOff), reinterpret_cast<const char16_t*>(base + poolOff)};
    return true;
}

}  // namespace

bool TrieView::check(const void* data, size_t size) {
    Layout l;
    if (!layoutOf(data, size, l)) return false;
    const TrieHeader* h = l.h;
    // Branch-free passes: every entry is looked at, a fault anywhere fails the whole blob.
    const uint32_t nodeCount = h->nodeCount;
    uint32_t bad = 0;
    for (size_t i = 0; i < 65536; ++i) {
        const uint32_t e = l.root[i], id = e & kIdMask;
        bad |= uint32_t(id >= nodeCount) | (uint32_t(e != 0) & uint32_t(id == 0));
    }
    for (size_t i = 1; i < nodeCount; ++i)
        bad |= uint32_t(uint64_t(l.nodes[i].valueOff) + l.nodes[i].valueLen > h->poolUnits);
    size_t used = 0;
    for (size_t i = 0; i < h->edgeSlots; ++i) {
        const uint64_t e = l.edges[i];
        const uint64_t id = e & kIdMask;
        const uint32_t present = e != 0;
        used += present;
        bad |= present & (uint32_t(id >= nodeCount) | uint32_t(id == 0) | uint32_t((e >> 40) >= nodeCount));
    }
    // A full table would make a failed lookup loop forever.
    return !bad && used < h->edgeSlots;
}

void TrieView::attach(const void* data, size_t size) {
    root_ = nullptr;
    header_ = nullptr;
    derived_.reset();
    Layout l;
    if (!layoutOf(data, size, l)) return;
    const TrieHeader* h = l.h;
    const uint32_t nodeCount = h->nodeCount;
    size_t rootCount = 0;
    for (size_t i = 0; i < 1024; ++i) {
        starts_[i] = nonzeroBits(l.root + i * 64);
        rootCount += static_cast<size_t>(__builtin_popcountll(starts_[i]));
    }
    // Every node but node 0 is reached by one root entry or one edge: what the root does
    // not reach gives the edge count, which sizes the edge bitmap (a blob made otherwise only
    // gets a bitmap of another size, never a wrong one).
    const size_t edgeCount = nodeCount - 1 > rootCount ? nodeCount - 1 - rootCount : 0;
    int edgeBitCount = 6;
    while (edgeBitCount < kMaxEdgeBits && (size_t(1) << edgeBitCount) < edgeCount * 16) ++edgeBitCount;
    const size_t infoBytes = 65536 * sizeof(uint32_t), pairBytes = kPairWords * sizeof(uint64_t);
    const size_t edgeBitBytes = (size_t(1) << edgeBitCount) / 8;
    std::shared_ptr<uint8_t> derived = sharedPages(infoBytes + 3 * pairBytes + edgeBitBytes);
    // The first unit of each node that a first unit leads to, plus one (0: not such a node),
    // and the two units of each node that two units lead to, with bit 32 set.
    auto* rootUnit = static_cast<uint32_t*>(allocatePages(size_t(nodeCount) * sizeof(uint32_t)));
    auto* pairUnits = static_cast<uint64_t*>(allocatePages(size_t(nodeCount) * sizeof(uint64_t)));
    if (!derived || !rootUnit || !pairUnits) {
        freePages(rootUnit);
        freePages(pairUnits);
        throw std::bad_alloc();
    }
    auto* infos = reinterpret_cast<uint32_t*>(derived.get());
    auto* pairs = reinterpret_cast<uint64_t*>(derived.get() + infoBytes);
    auto* pairKeys = reinterpret_cast<uint64_t*>(derived.get() + infoBytes + pairBytes);
    auto* triples = reinterpret_cast<uint64_t*>(derived.get() + infoBytes + 2 * pairBytes);
    auto* edgeBits = reinterpret_cast<uint64_t*>(derived.get() + infoBytes + 3 * pairBytes);
    std::memset(pairs, 0, 3 * pairBytes + edgeBitBytes);
    std::memset(rootUnit, 0, size_t(nodeCount) * sizeof(uint32_t));
    std::memset(pairUnits, 0, size_t(nodeCount) * sizeof(uint64_t));

    // What each unit is as a key of its own, and which units it changes.
    for (size_t i = 0; i < 1024; ++i) {
        if (starts_[i] == 0) {
            // 64 units that start no key (most of them in a vocabulary trie): each is itself.
            for (uint32_t k = 0; k < 64; ++k) infos[i * 64 + k] = static_cast<uint32_t>(i * 64) + k;
            changes_[i] = 0;
            continue;
        }
        uint64_t changes = 0;
        for (size_t k = 0; k < 64; ++k) {
            const size_t c = i * 64 + k;
            const uint32_t e = l.root[c];
            const TrieNode& node = l.nodes[e & kIdMask];
            const bool value = (e & kEntryValue) != 0;
            const char16_t unit = value && node.valueLen == 1 ? node.unit : static_cast<char16_t>(c);
            changes |= uint64_t(unit != c) << k;
            uint32_t info = unit;
            if (value) info |= kInfoValue;
            if (e & kEntryChildren) info |= kInfoChildren;
            if (value && node.valueLen != 1) info |= kInfoLongValue;
            infos[c] = info;
            if (e) rootUnit[e & kIdMask] = static_cast<uint32_t>(c) + 1;
        }
        changes_[i] = changes;
    }
    // In one pass over the edges: the pairs of first and second units that begin a key of
    // two or more units, those that are keys, and every edge by edgeBit of its key.
    edgeShift_ = 64 - edgeBitCount;
    // Branch-free: an empty slot (parent 0, which no root entry names) sets no bit.
    for (size_t i = 0; i < h->edgeSlots; ++i) {
        const uint64_t e = l.edges[i];
        const uint32_t hb = edgeBit(e >> 24, edgeShift_);
        edgeBits[hb >> 6] |= uint64_t(e != 0) << (hb & 63);
        const uint32_t first = rootUnit[static_cast<uint32_t>(e >> 40)];
        const auto a = static_cast<char16_t>(first - 1), b = static_cast<char16_t>((e >> 24) & 0xFFFF);
        const uint32_t hp = pairHash(a, b);
        const uint64_t isPair = first != 0;
        pairs[hp >> 6] |= isPair << (hp & 63);
        pairKeys[hp >> 6] |= (isPair & ((e & kEntryValue) != 0)) << (hp & 63);
        if (isPair) pairUnits[e & kIdMask] = uint64_t(1) << 32 | uint32_t(a) << 16 | b;
    }
    // In another: the first three units of the keys of three or more units.
    for (size_t i = 0; i < h->edgeSlots; ++i) {
        const uint64_t e = l.edges[i];
        const uint64_t pair = pairUnits[static_cast<uint32_t>(e >> 40)];
        const uint32_t ht = tripleHash(static_cast<char16_t>(pair >> 16), static_cast<char16_t>(pair),
                                       static_cast<char16_t>((e >> 24) & 0xFFFF));
        triples[ht >> 6] |= (pair >> 32) << (ht & 63);
    }
    freePages(rootUnit);
    freePages(pairUnits);
    derived_ = std::move(derived);
    info_ = infos;
    pairs_ = pairs;
    pairKeys_ = pairKeys;
    triples_ = triples;
    edgeBits_ = edgeBits;
    header_ = h;
    root_ = l.root;
    nodes_ = l.nodes;
    edges_ = l.edges;
    pool_ = l.pool;
    mask_ = h->edgeSlots - 1;
    int bits = 0;
    while ((size_t(1) << bits) < h->edgeSlots) ++bits;
    shift_ = 64 - bits;
}

size_t TrieView::matchLengths(const char16_t* s, size_t n, uint32_t* lens, uint32_t* ids,
                              size_t cap) const {
    size_t count = 0;
    if (n == 0) return 0;
    uint32_t e = root_[s[0]];
    size_t i = 1;
    while (e != 0 && count < cap) {
        if (e & kEntryValue) {
            lens[count] = static_cast<uint32_t>(i);
            ids[count] = e & kIdMask;
            ++count;
        }
        if (!(e & kEntryChildren) || i >= n) break;
        e = childIfAny(e & kIdMask, s[i]);
        ++i;
    }
    return count;
}

uint32_t TrieBuilder::find(uint32_t parent, char16_t c) const {
    if (parent == 0) return root_[c];
    auto it = edgeMap_.find((uint64_t(parent) << 16) | c);
    return it == edgeMap_.end() ? 0 : it->second;
}

bool TrieBuilder::contains(std::u16string_view key) const {
    uint32_t id = 0;
    for (char16_t c : key) {
        id = find(id, c);
        if (id == 0) return false;
    }
    return id != 0 && nodes_[id].hasValue;
}

bool TrieBuilder::add(std::u16string_view key, std::u16string_view value) {
    if (key.empty() || value.size() > 0xFFFF) return false;
    uint32_t id = 0;
    for (char16_t c : key) {
        uint32_t next = find(id, c);
        if (next == 0) {
            if (nodes_.size() >= kMaxNodes) return false;
            next = static_cast<uint32_t>(nodes_.size());
            nodes_.push_back(BuildNode{});
            if (id == 0) {
                root_[c] = next;
            } else {
                edgeMap_.emplace((uint64_t(id) << 16) | c, next);
                edgeList_.emplace_back((uint64_t(id) << 16) | c, next);
                nodes_[id].hasChildren = true;
            }
        }
        id = next;
    }
    BuildNode& n = nodes_[id];
    if (n.hasValue) return false;
    n.hasValue = true;
    n.valueOff = static_cast<uint32_t>(pool_.size());
    n.valueLen = static_cast<uint16_t>(value.size());
    pool_.append(value);
    ++keys_;
    if (key.size() > maxKeyLen_) maxKeyLen_ = static_cast<uint32_t>(key.size());
    return true;
}

std::vector<uint8_t> TrieBuilder::build() const {
    const PageWords words = buildWords();
    std::vector<uint8_t> blob(words.size() * sizeof(uint64_t));
    if (!blob.empty()) std::memcpy(blob.data(), words.data(), blob.size());
    return blob;
}

PageWords TrieBuilder::buildWords() const {
    size_t slots = 16;
    // Load factor up to 3/4: probes mostly stay in one cache line, and the table stays small.
    while (slots < edgeList_.size() * 4 / 3 + 2) slots <<= 1;
    int bits = 0;
    while ((size_t(1) << bits) < slots) ++bits;
    const int shift = 64 - bits;

    size_t off = align8(sizeof(TrieHeader));
    const size_t rootOff = off;
    off += kRootBytes;
    const size_t nodesOff = off;
    off = align8(off + nodes_.size() * sizeof(TrieNode));
    const size_t edgesOff = off;
    off += slots * sizeof(uint64_t);
    const size_t poolOff = off;
    off = align8(off + pool_.size() * sizeof(char16_t));

    PageWords words(off / sizeof(uint64_t), 0);
    auto* blob = reinterpret_cast<uint8_t*>(words.data());
    TrieHeader h{kTrieMagic, static_cast<uint32_t>(nodes_.size()), static_cast<uint32_t>(slots),
                 static_cast<uint32_t>(pool_.size()), maxKeyLen_, static_cast<uint32_t>(keys_)};
    std::memcpy(blob, &h, sizeof h);
    auto entry = [&](uint32_t id) {
        return id | (nodes_[id].hasValue ? kEntryValue : 0) | (nodes_[id].hasChildren ? kEntryChildren : 0);
    };
    auto* root = reinterpret_cast<uint32_t*>(blob + rootOff);
    for (size_t c = 0; c < 65536; ++c) root[c] = root_[c] ? entry(root_[c]) : 0;
    auto* nodes = reinterpret_cast<TrieNode*>(blob + nodesOff);
    for (size_t i = 0; i < nodes_.size(); ++i) {
        nodes[i].valueOff = nodes_[i].valueOff;
        nodes[i].valueLen = nodes_[i].valueLen;
        nodes[i].unit = nodes_[i].valueLen ? pool_[nodes_[i].valueOff] : 0;
    }
    auto* edges = reinterpret_cast<uint64_t*>(blob + edgesOff);
    const size_t mask = slots - 1;
    for (const auto& [key, child] : edgeList_) {
        size_t p = edgeHash(key, shift);
        while (edges[p] != 0) p = (p + 1) & mask;
        edges[p] = (key << 24) | entry(child);
    }
    if (!pool_.empty())
        std::memcpy(blob + poolOff, pool_.data(), pool_.size() * sizeof(char16_t));
    return words;
}

}  // namespace tezc
