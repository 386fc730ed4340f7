#pragma once
// Longest-match dictionary over UTF-16 code units, stored as one flat blob that can be
// mapped straight from a table file or built in memory.
//
// Blob layout (all little-endian, 8-byte aligned):
//   TrieHeader
//   uint32_t root[65536]        node id of each first code unit (0 = no key starts with it)
//   TrieNode nodes[nodeCount]   node 0 unused
//   uint64_t edges[edgeSlots]   open-addressing hash: (parent << 40) | (unit << 24) | child
//   char16_t pool[poolUnits]    replacement texts
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tezc {

struct TrieHeader {
    uint32_t magic;      // 'TRIE'
    uint32_t nodeCount;
    uint32_t edgeSlots;  // power of two
    uint32_t poolUnits;
    uint32_t maxKeyLen;
    uint32_t keyCount;
};

struct TrieNode {
    uint32_t valueOff;
    uint16_t valueLen;
    uint16_t flags;  // kHasValue | kHasChildren
};

constexpr uint16_t kHasValue = 1;
constexpr uint16_t kHasChildren = 2;
constexpr uint32_t kTrieMagic = 0x45495254;  // "TRIE"

inline size_t edgeHash(uint64_t key, int shift) {
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> shift);
}

class TrieView {
public:
    TrieView() = default;
    // Checks the blob's structure so that no later lookup can leave it.
    bool attach(const void* data, size_t size);
    bool valid() const { return root_ != nullptr; }

    uint32_t first(char16_t c) const { return root_[c]; }
    const TrieNode& node(uint32_t id) const { return nodes_[id]; }
    std::u16string_view value(const TrieNode& n) const { return {pool_ + n.valueOff, n.valueLen}; }
    const char16_t* valuePtr(const TrieNode& n) const { return pool_ + n.valueOff; }

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

    // Longest key starting at s (n units available). Returns its length (0 = none) and node.
    size_t longest(const char16_t* s, size_t n, uint32_t& outNode) const {
        uint32_t id = root_[s[0]];
        if (id == 0) return 0;
        size_t best = 0;
        if (nodes_[id].flags & kHasValue) { best = 1; outNode = id; }
        size_t i = 1;
        while ((nodes_[id].flags & kHasChildren) && i < n) {
            id = child(id, s[i]);
            if (id == 0) break;
            ++i;
            if (nodes_[id].flags & kHasValue) { best = i; outNode = id; }
        }
        return best;
    }

    // Every key length that matches at s, shortest first (for trimming a match).
    size_t matchLengths(const char16_t* s, size_t n, uint32_t* lens, uint32_t* ids, size_t cap) const;

    uint32_t maxKeyLen() const { return header_ ? header_->maxKeyLen : 0; }
    uint32_t keyCount() const { return header_ ? header_->keyCount : 0; }

private:
    const TrieHeader* header_ = nullptr;
    const uint32_t* root_ = nullptr;
    const TrieNode* nodes_ = nullptr;
    const uint64_t* edges_ = nullptr;
    const char16_t* pool_ = nullptr;
    size_t mask_ = 0;
    int shift_ = 64;
};

// Builds a blob from key -> value pairs. Adding a key that is already present keeps the
// first value (callers add in priority order).
class TrieBuilder {
public:
    bool add(std::u16string_view key, std::u16string_view value);
    bool contains(std::u16string_view key) const;
    std::vector<uint8_t> build() const;
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
    std::vector<uint32_t> root_ = std::vector<uint32_t>(65536, 0);
    std::vector<std::pair<uint64_t, uint32_t>> edgeList_;
    // child lookup during building: sorted on demand would be slow; a hash map is used.
    struct EdgeMap;
    std::shared_ptr<EdgeMap> map_;
    std::u16string pool_;
    size_t keys_ = 0;
    uint32_t maxKeyLen_ = 0;
};

}  // namespace tezc
