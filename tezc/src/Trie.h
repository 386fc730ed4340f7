#pragma once
// Longest-match dictionary over UTF-16 code units, stored as one flat blob that can be
// mapped straight from a table file or built in memory.
//
// Blob layout (all little-endian, 8-byte aligned):
//   TrieHeader
//   uint32_t root[65536]        entry of each first code unit: node id | kEntry flags (0 = none)
//   TrieNode nodes[nodeCount]   node 0 unused
//   uint64_t edges[edgeSlots]   open-addressing hash: (parent << 40) | (unit << 24) | child entry
//   char16_t pool[poolUnits]    replacement texts
// An entry (root or child) carries the node's id and whether it ends a key and has
// children, so that a walk touches only the hash table; the node is read once per match.
#include "PageMemory.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tezc {

struct TrieHeader {
    uint32_t magic;      // 'TRI2'
    uint32_t nodeCount;
    uint32_t edgeSlots;  // power of two
    uint32_t poolUnits;
    uint32_t maxKeyLen;
    uint32_t keyCount;
};

struct TrieNode {
    uint32_t valueOff;
    uint16_t valueLen;
    char16_t unit;  // the value's first unit, read directly for one-unit values
};

constexpr uint32_t kIdMask = 0x3FFFFF;        // node ids: 22 bits
constexpr uint32_t kEntryValue = 1u << 22;    // the node ends a key
constexpr uint32_t kEntryChildren = 1u << 23; // the node has children
constexpr uint32_t kMaxNodes = kIdMask;
constexpr uint32_t kTrieMagic = 0x32495254;  // "TRI2"

inline size_t edgeHash(uint64_t key, int shift) {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift);
}

class TrieView {
public:
    TrieView() = default;
    // Checks the blob's structure so that no later lookup can leave it.
    static bool check(const void* data, size_t size);
    // Prepares the lookup caches of a blob that passed check() (a loaded table's section, or
    // one just built).
    void attach(const void* data, size_t size);
    const void* data() const { return header_; }
    bool valid() const { return root_ != nullptr; }

    // Nonzero when some key starts with c.
    uint32_t first(char16_t c) const { return root_[c]; }
    // The same from a bitmap that stays in the fastest cache.
    bool mayStart(char16_t c) const { return (starts_[c >> 6] >> (c & 63)) & 1; }
    // That bitmap, 1024 words of 64 units.
    const uint64_t* startBits() const { return starts_; }
    // The one-unit replacement of a one-unit key, or c itself: what the table makes of a
    // single character, used to bring mixed-script text to one script for matching.
    char16_t unitOf(char16_t c) const { return static_cast<char16_t>(info_[c]); }
    // Whether unitOf(c) differs from c, from a bitmap that stays in the fastest cache.
    bool unitChanges(char16_t c) const { return (changes_[c >> 6] >> (c & 63)) & 1; }
    uint32_t maxKeyLen() const { return header_ ? header_->maxKeyLen : 0; }

    // What one unit c is to the table, in one word: unitOf(c) in the low 16 bits, and
    // whether c is a key, whether a longer key starts with c, and whether the value of the
    // key c is not exactly one unit long (then it is written from the pool).
    static constexpr uint32_t kInfoValue = 1u << 16;
    static constexpr uint32_t kInfoChildren = 1u << 17;
    static constexpr uint32_t kInfoLongValue = 1u << 18;
    uint32_t infoOf(char16_t c) const { return info_[c]; }

    // The replacement of a matched node.
    const char16_t* valueOf(uint32_t id, size_t& len) const {
        const TrieNode& n = nodes_[id];
        len = n.valueLen;
        return len == 1 ? &n.unit : pool_ + n.valueOff;
    }

    uint32_t child(uint32_t parent, char16_t c) const {
        const uint64_t key = (static_cast<uint64_t>(parent) << 16) | c;
        size_t h = edgeHash(key, shift_);
        for (;;) {
            const uint64_t e = edges_[h];
            if (e == 0) return 0;
            if ((e >> 24) == key) return static_cast<uint32_t>(e & 0xFFFFFF);
            h = (h + 1) & mask_;
        }
    }

    // child(), answered from a bitmap of all edges when it is surely none: most walks end
    // there, and the bitmap is far denser than the hash table.
    uint32_t childIfAny(uint32_t parent, char16_t c) const {
        const uint32_t h = edgeBit((static_cast<uint64_t>(parent) << 16) | c, edgeShift_);
        if (!((edgeBits_[h >> 6] >> (h & 63)) & 1)) return 0;
        return child(parent, c);
    }

    // Longest key starting at s (n >= 1 units available). Returns its length (0 = none)
    // and its node.
    size_t longest(const char16_t* s, size_t n, uint32_t& outNode) const {
        uint32_t e = root_[s[0]];
        if (e == 0) return 0;
        size_t best = 0;
        if (e & kEntryValue) { best = 1; outNode = e & kIdMask; }
        // Most second units continue no key: a small bitmap of the pairs that do spares
        // the hash table's cache miss.
        if (!(e & kEntryChildren) || n < 2 || !pairMayFollow(s[0], s[1])) return best;
        size_t i = 1;
        while ((e & kEntryChildren) && i < n) {
            e = childIfAny(e & kIdMask, s[i]);
            if (e == 0) break;
            ++i;
            if (e & kEntryValue) {
                best = i;
                outNode = e & kIdMask;
                // Its replacement is read once the walk ends: load it while the walk goes on.
                __builtin_prefetch(&nodes_[outNode]);
            }
        }
        return best;
    }
    // The same for a text where phrase starts were picked out before (see ScriptUnits),
    // given the root entry of s[0] (first(s[0])). pairLikely: a key of two or more units
    // most likely starts with s[0], s[1], so the second unit goes straight to the hash table.
    size_t longestFrom(uint32_t e, const char16_t* s, size_t n, uint32_t& outNode, bool pairLikely = false) const {
        if (e == 0) return 0;
        size_t best = 0;
        if (e & kEntryValue) { best = 1; outNode = e & kIdMask; }
        if (!(e & kEntryChildren) || n < 2) return best;
        if (pairLikely) {
            e = child(e & kIdMask, s[1]);
        } else {
            // Most second units continue no key: in a large trie, a bitmap of the pairs that
            // do spares the hash table's cache miss. (A small trie's edge bitmap tells it as
            // well and stays in the fastest cache.)
            if (edgeBitsFull() && !pairMayFollow(s[0], s[1])) return best;
            e = childIfAny(e & kIdMask, s[1]);
        }
        return walkOn(e, s, n, best, outNode);
    }

    // Starts loading the hash slot where a key beginning with a, b finds its second unit,
    // so that the walks of several tries at one position wait for memory together. Harmless
    // (a load of some slot) when no such key exists.
    void prefetchSecond(char16_t a, char16_t b) const { prefetchSecondFrom(root_[a], b); }
    // The same, given the root entry of a (first(a)).
    void prefetchSecondFrom(uint32_t rootEntry, char16_t b) const {
        const uint64_t key = (static_cast<uint64_t>(rootEntry & kIdMask) << 16) | b;
        __builtin_prefetch(&edges_[edgeHash(key, shift_)]);
    }

    // Every key length that matches at s, shortest first (for trimming a match).
    size_t matchLengths(const char16_t* s, size_t n, uint32_t* lens, uint32_t* ids, size_t cap) const;

    bool pairMayFollow(char16_t a, char16_t b) const {
        const uint32_t h = pairHash(a, b);
        return (pairs_[h >> 6] >> (h & 63)) & 1;
    }
    // The pair bitmap itself (kPairWords words), indexed by pairHash.
    static constexpr size_t kPairWords = size_t(1) << (20 - 6);
    const uint64_t* pairBits() const { return pairs_; }
    static constexpr uint32_t kPairMultiplier = 0x9E3779B1u;
    static constexpr int kPairBits = 20;
    static uint32_t pairHash(char16_t a, char16_t b) {
        return static_cast<uint32_t>(((uint32_t(a) << 16 | b) * kPairMultiplier) >> (32 - kPairBits));
    }
    // Which keys of two or more units may match where a text begins a, b, c: the pairs that
    // are keys themselves (by pairHash) and the first three units of the longer keys (by
    // tripleHash), kPairWords words each. Most pairs that begin a key begin only longer
    // ones, which the third unit then rules out.
    const uint64_t* pairKeyBits() const { return pairKeys_; }
    const uint64_t* tripleBits() const { return triples_; }
    static constexpr uint64_t kTripleMultiplier = 0x9E3779B97F4A7C15ULL;
    static uint32_t tripleHash(char16_t a, char16_t b, char16_t c) {
        return static_cast<uint32_t>(((uint64_t(a) << 32 | uint64_t(b) << 16 | c) * kTripleMultiplier) >> (64 - kPairBits));
    }

private:
    // The edge bitmap has about 16 bits per edge (at most 2^20), so that it stays in cache.
    static constexpr int kMaxEdgeBits = 20;
    bool edgeBitsFull() const { return edgeShift_ == 64 - kMaxEdgeBits; }
    // Goes on from the entry e reached after two units: the longest key's length and node.
    // (longest() keeps a loop of its own, which compiles faster into the code-only
    // conversion.)
    [[gnu::always_inline]] size_t walkOn(uint32_t e, const char16_t* s, size_t n, size_t best, uint32_t& outNode) const {
        size_t i = 1;
        while (e != 0) {
            ++i;
            if (e & kEntryValue) {
                best = i;
                outNode = e & kIdMask;
                // Its replacement is read once the walk ends: load it while the walk goes on.
                __builtin_prefetch(&nodes_[outNode]);
            }
            if (!(e & kEntryChildren) || i >= n) break;
            e = childIfAny(e & kIdMask, s[i]);
        }
        return best;
    }
    static uint32_t edgeBit(uint64_t key, int shift) {
        return static_cast<uint32_t>((key * 0xD6E8FEB86659FD93ULL) >> shift);
    }
    int edgeShift_ = 64 - 6;
    const TrieHeader* header_ = nullptr;
    const uint32_t* root_ = nullptr;
    const TrieNode* nodes_ = nullptr;
    const uint64_t* edges_ = nullptr;
    const char16_t* pool_ = nullptr;
    size_t mask_ = 0;
    int shift_ = 64;
    uint64_t starts_[1024] = {};
    uint64_t changes_[1024] = {};
    // The derived tables below live in one block, shared by copies of the view.
    std::shared_ptr<uint8_t> derived_;
    const uint64_t* pairs_ = nullptr;
    const uint64_t* pairKeys_ = nullptr;
    const uint64_t* triples_ = nullptr;
    const uint64_t* edgeBits_ = nullptr;
    const uint32_t* info_ = nullptr;
};

// Builds a blob from key -> value pairs. Adding a key that is already present keeps the
// first value (callers add in priority order).
class TrieBuilder {
public:
    bool add(std::u16string_view key, std::u16string_view value);
    bool contains(std::u16string_view key) const;
    std::vector<uint8_t> build() const;
    // The same blob in 8-byte words, ready to be attached in place.
    PageWords buildWords() const;
    size_t size() const { return keys_; }

private:
    struct BuildNode {
        uint32_t valueOff = 0;
        uint16_t valueLen = 0;
        bool hasValue = false;
        bool hasChildren = false;
    };
    uint32_t find(uint32_t parent, char16_t c) const;
    std::vector<BuildNode> nodes_{BuildNode{}};
    std::vector<uint32_t, PageAllocator<uint32_t>> root_ = std::vector<uint32_t, PageAllocator<uint32_t>>(65536, 0);
    // Edges in the order they were made (the blob's layout follows it) and looked up by key.
    std::vector<std::pair<uint64_t, uint32_t>> edgeList_;
    std::unordered_map<uint64_t, uint32_t> edgeMap_;
    std::u16string pool_;
    size_t keys_ = 0;
    uint32_t maxKeyLen_ = 0;
};

}  // namespace tezc
