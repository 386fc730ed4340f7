#pragma once
// A reader-writer lock for a lock taken shared by every conversion and alone only by the
// rare entries that change handles or tables. A shared lock touches one of many counters,
// each on its own cache line and chosen once per thread, so that threads converting at the
// same time do not pass one line between their cores at every call. Holding it alone waits
// until every counter is zero. Shared locks do not nest while another thread may wait to
// hold it alone (as with std::shared_mutex).
#include <array>
#include <chrono>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <thread>

namespace tezc {

class ReadMostlyMutex {
public:
    void lock_shared() {
        std::atomic<long>& readers = slotOfThisThread();
        for (;;) {
            readers.fetch_add(1, std::memory_order_seq_cst);
            if (!writing_.load(std::memory_order_seq_cst)) return;
            // A writer holds it or waits for it: step back until it is done.
            readers.fetch_sub(1, std::memory_order_release);
            std::lock_guard wait(writer_);
        }
    }
    void unlock_shared() { slotOfThisThread().fetch_sub(1, std::memory_order_release); }

    void lock() {
        writer_.lock();
        writing_.store(true, std::memory_order_seq_cst);
        for (Slot& slot : slots_)
            for (unsigned spins = 0; slot.readers.load(std::memory_order_acquire) != 0; ++spins) backOff(spins);
    }
    void unlock() {
        writing_.store(false, std::memory_order_release);
        writer_.unlock();
    }

private:
    static constexpr size_t kSlots = 64;
    struct alignas(64) Slot {
        std::atomic<long> readers{0};
    };

    std::atomic<long>& slotOfThisThread() {
        static std::atomic<size_t> nextThread{0};
        thread_local const size_t index = nextThread.fetch_add(1, std::memory_order_relaxed) % kSlots;
        return slots_[index].readers;
    }
    // A conversion may run for seconds: spin briefly, then sleep between looks.
    static void backOff(unsigned spins) {
        if (spins < 100) std::this_thread::yield();
        else std::this_thread::sleep_for(std::chrono::microseconds(50));
    }

    std::array<Slot, kSlots> slots_{};
    alignas(64) std::atomic<bool> writing_{false};
    std::mutex writer_;
};

}  // namespace tezc
