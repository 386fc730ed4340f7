#include "PageMemory.h"

#include <mutex>
#include <sys/mman.h>

namespace tezc {

namespace {

constexpr size_t kRegion = size_t(2) << 20;  // one huge page
constexpr size_t kHeader = 64;               // the region's own bookkeeping, one cache line
constexpr size_t kShared = kRegion / 2;      // larger blocks get a region of their own

// At the start of every region, which is 2 MB aligned: a block finds its region from its
// address.
struct Region {
    size_t bytes;  // the whole mapping
    size_t used;   // handed out so far, from the start (header included)
    size_t live;   // blocks not yet freed
};

// Never destroyed: blocks are still freed while the process exits.
std::mutex& regionLock() {
    static auto* m = new std::mutex;
    return *m;
}

// The region small blocks are taken from.
Region* current = nullptr;

Region* mapRegion(size_t bytes) {
    // Map one region more than needed and trim both ends to the 2 MB boundaries.
    const size_t span = bytes + kRegion;
    void* p = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    const uintptr_t start = reinterpret_cast<uintptr_t>(p);
    const uintptr_t aligned = (start + kRegion - 1) & ~(kRegion - 1);
    if (aligned > start) ::munmap(p, aligned - start);
    const uintptr_t end = start + span, alignedEnd = aligned + bytes;
    if (end > alignedEnd) ::munmap(reinterpret_cast<void*>(alignedEnd), end - alignedEnd);
    ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    auto* r = reinterpret_cast<Region*>(aligned);
    *r = Region{bytes, kHeader, 0};
    return r;
}

void unmapRegion(Region* r) { ::munmap(r, r->bytes); }

}  // namespace

void* allocatePages(size_t bytes) {
    if (bytes > SIZE_MAX / 2) return nullptr;
    bytes = bytes ? (bytes + kHeader - 1) & ~(kHeader - 1) : kHeader;
    std::lock_guard<std::mutex> hold(regionLock());
    if (bytes > kShared) {
        Region* own = mapRegion((kHeader + bytes + kRegion - 1) & ~(kRegion - 1));
        if (!own) return nullptr;
        own->used = own->bytes;
        own->live = 1;
        return reinterpret_cast<uint8_t*>(own) + kHeader;
    }
    if (!current || current->used + bytes > current->bytes) {
        Region* fresh = mapRegion(kRegion);
        if (!fresh) return nullptr;
        if (current && current->live == 0) unmapRegion(current);
        current = fresh;
    }
    void* block = reinterpret_cast<uint8_t*>(current) + current->used;
    current->used += bytes;
    ++current->live;
    return block;
}

void freePages(void* block) {
    if (!block) return;
    auto* r = reinterpret_cast<Region*>(reinterpret_cast<uintptr_t>(block) & ~(kRegion - 1));
    std::lock_guard<std::mutex> hold(regionLock());
    if (--r->live != 0) return;
    // The region small blocks come from is kept and handed out again from its start.
    if (r == current) r->used = kHeader;
    else unmapRegion(r);
}

std::shared_ptr<uint8_t> sharedPages(size_t bytes) {
    auto* block = static_cast<uint8_t*>(allocatePages(bytes));
    if (!block) return nullptr;
    return std::shared_ptr<uint8_t>(block, freePages);
}

}  // namespace tezc
