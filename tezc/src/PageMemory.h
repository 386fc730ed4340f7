#pragma once
// Memory for loaded tables, tries and the lookup data derived from them. Fresh pages are
// costly to fault in one by one (most of a table load went there), so blocks come from
// regions of 2 MB backed by huge pages where the system offers them; freed blocks are
// handed out again, and a region is given back once none of its blocks is alive (one
// empty region is kept for the next blocks).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace tezc {

// Uninitialised memory, 64-byte aligned; nullptr when none is left.
void* allocatePages(size_t bytes);
void freePages(void* block);

// A block owned by whoever holds a copy of the pointer.
std::shared_ptr<uint8_t> sharedPages(size_t bytes);

template <typename T>
struct PageAllocator {
    using value_type = T;
    PageAllocator() = default;
    template <typename U>
    PageAllocator(const PageAllocator<U>&) {}
    T* allocate(size_t n) {
        if (n > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        void* p = allocatePages(n * sizeof(T));
        if (!p) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t) { freePages(p); }
    template <typename U>
    bool operator==(const PageAllocator<U>&) const { return true; }
};

// Words of a trie built in memory.
using PageWords = std::vector<uint64_t, PageAllocator<uint64_t>>;

}  // namespace tezc
