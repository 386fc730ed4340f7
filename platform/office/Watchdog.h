#pragma once
// Guards calls into the office: a call that has not returned when its time is up runs the
// expiry action (which ends the office process, so that the blocked call fails).
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace office {

class Watchdog {
public:
    explicit Watchdog(std::function<void()> onExpiry);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // Starts watching one call; Disarm ends it. Returns nothing; Expired tells afterwards.
    void Arm(std::chrono::milliseconds limit);
    void Disarm();
    // Whether the expiry action ran since the last Arm.
    bool Expired() const;

private:
    void Run();

    std::function<void()> m_onExpiry;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_armed = false;
    bool m_expired = false;
    bool m_stopping = false;
    std::thread m_thread;
};

// Arms the watchdog for the lifetime of one scope.
class WatchedCall {
public:
    WatchedCall(Watchdog& watchdog, std::chrono::milliseconds limit) : m_watchdog(watchdog) { watchdog.Arm(limit); }
    ~WatchedCall() { m_watchdog.Disarm(); }
    WatchedCall(const WatchedCall&) = delete;
    WatchedCall& operator=(const WatchedCall&) = delete;

private:
    Watchdog& m_watchdog;
};

}  // namespace office
