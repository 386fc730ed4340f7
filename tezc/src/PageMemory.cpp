#include "PageMemory.h"

#include <algorithm>
#include <mutex>
#include <sys/mman.h>

namespace tezc {

namespace {

constexpr size_t kRegion = size_t(2) << 20;  // one huge page
constexpr size_t kLine = 64;

// At the start of every region (a multiple of 2 MB, 2 MB aligned).
struct Region {
    size_t bytes;  // the whole mapping
    size_t live;   // blocks not yet freed
};

// Before every block, one cache line: where it lives and how long it is (this line included).
struct BlockHead {
    Region* region;
    size_t bytes;
};

// A free stretch of a region.
struct Span {
    uint8_t* at;
    size_t bytes;
    Region* region;
};

struct Regions {
    std::mutex lock;
    std::vector<Span> free;   // by address; spans of one region never touch another's
    Region* spare = nullptr;  // a whole free region kept for the next blocks
};

// Never destroyed: blocks are still freed while the process exits.
Regions& regions() {
    static auto* r = new Regions;
    return *r;
}

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
    *r = Region{bytes, 0};
    return r;
}

// Puts a stretch back into the free list, joined with its free neighbours.
void addFree(Regions& rs, Span s) {
    auto next = std::lower_bound(rs.free.begin(), rs.free.end(), s.at,
                                 [](const Span& f, const uint8_t* at) { return f.at < at; });
    if (next != rs.free.begin()) {
        auto prev = next - 1;
        if (prev->at + prev->bytes == s.at) {
            prev->bytes += s.bytes;
            if (next != rs.free.end() && s.at + s.bytes == next->at) {
                prev->bytes += next->bytes;
                rs.free.erase(next);
            }
            return;
        }
    }
    if (next != rs.free.end() && s.at + s.bytes == next->at) {
        next->at = s.at;
        next->bytes += s.bytes;
        return;
    }
    rs.free.insert(next, s);
}

// A region none of whose blocks is alive: kept as the spare if it is of the usual size and
// none is kept yet, else given back.
void retire(Regions& rs, Region* r) {
    if (r->bytes == kRegion && !rs.spare) {
        rs.spare = r;
        return;
    }
    auto* base = reinterpret_cast<uint8_t*>(r);
    rs.free.erase(std::remove_if(rs.free.begin(), rs.free.end(), [&](const Span& s) { return s.region == r; }),
                  rs.free.end());
    ::munmap(base, r->bytes);
}

}  // namespace

void* allocatePages(size_t bytes) {
    if (bytes > SIZE_MAX / 4) return nullptr;
    const size_t need = kLine + ((bytes + kLine - 1) & ~(kLine - 1));
    Regions& rs = regions();
    std::lock_guard<std::mutex> hold(rs.lock);
    auto fit = std::find_if(rs.free.begin(), rs.free.end(), [&](const Span& s) { return s.bytes >= need; });
    if (fit == rs.free.end()) {
        const size_t regionBytes = (kLine + need + kRegion - 1) & ~(kRegion - 1);
        Region* r = mapRegion(regionBytes);
        if (!r) return nullptr;
        addFree(rs, Span{reinterpret_cast<uint8_t*>(r) + kLine, regionBytes - kLine, r});
        fit = std::find_if(rs.free.begin(), rs.free.end(), [&](const Span& s) { return s.region == r; });
    }
    uint8_t* at = fit->at;
    Region* r = fit->region;
    if (fit->bytes == need) {
        rs.free.erase(fit);
    } else {
        fit->at += need;
        fit->bytes -= need;
    }
    if (rs.spare == r) rs.spare = nullptr;
    ++r->live;
    *reinterpret_cast<BlockHead*>(at) = BlockHead{r, need};
    return at + kLine;
}

void freePages(void* block) {
    if (!block) return;
    auto* at = static_cast<uint8_t*>(block) - kLine;
    const BlockHead head = *reinterpret_cast<const BlockHead*>(at);
    Regions& rs = regions();
    std::lock_guard<std::mutex> hold(rs.lock);
    addFree(rs, Span{at, head.bytes, head.region});
    if (--head.region->live == 0) retire(rs, head.region);
}

std::shared_ptr<uint8_t> sharedPages(size_t bytes) {
    auto* block = static_cast<uint8_t*>(allocatePages(bytes));
    if (!block) return nullptr;
    return std::shared_ptr<uint8_t>(block, freePages);
}

}  // namespace tezc
