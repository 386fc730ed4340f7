#include "platform/office/Watchdog.h"

namespace office {

Watchdog::Watchdog(std::function<void()> onExpiry) : m_onExpiry(std::move(onExpiry)), m_thread([this] { Run(); }) {}

Watchdog::~Watchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void Watchdog::Arm(std::chrono::milliseconds limit)
{
    {
        std::lock_guard lock(m_mutex);
        m_deadline = std::chrono::steady_clock::now() + limit;
        m_armed = true;
        m_expired = false;
    }
    m_changed.notify_all();
}

void Watchdog::Disarm()
{
    std::lock_guard lock(m_mutex);
    m_armed = false;
}

bool Watchdog::Expired() const
{
    std::lock_guard lock(m_mutex);
    return m_expired;
}

void Watchdog::Run()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_armed) {
            m_changed.wait(lock);
            continue;
        }
        if (m_changed.wait_until(lock, m_deadline) == std::cv_status::timeout && m_armed &&
            std::chrono::steady_clock::now() >= m_deadline) {
            m_armed = false;
            m_expired = true;
            m_onExpiry();
        }
    }
}

}  // namespace office
