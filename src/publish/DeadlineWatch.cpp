#include "publish/DeadlineWatch.h"

namespace pictaven {

DeadlineWatch::DeadlineWatch(std::function<void()> expire) : m_expire(std::move(expire)) { }

DeadlineWatch::~DeadlineWatch()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void DeadlineWatch::arm(int timeoutMs)
{
    {
        const std::lock_guard lock(m_mutex);
        m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        m_armed = true;
        m_expired = false;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { watch(); });
    }
    m_changed.notify_all();
}

void DeadlineWatch::disarm()
{
    const std::lock_guard lock(m_mutex);
    m_armed = false;
}

bool DeadlineWatch::expired() const
{
    const std::lock_guard lock(m_mutex);
    return m_expired;
}

void DeadlineWatch::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_armed) {
            m_changed.wait(lock);
            continue;
        }
        if (m_changed.wait_until(lock, m_deadline) == std::cv_status::no_timeout ||
            std::chrono::steady_clock::now() < m_deadline || !m_armed)
            continue;
        m_armed = false;
        m_expired = true;
        // The call that waits holds no lock of ours, so the expire function may run unlocked.
        lock.unlock();
        m_expire();
        lock.lock();
    }
}

} // namespace pictaven
