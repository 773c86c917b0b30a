#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace pictaven {

// Bounds calls into a library that may wait for a server without end: while armed, a thread of
// its own calls `expire` once the time-out has passed without a new arm() or a disarm(). The
// expire function must make the waiting call return (e.g. by shutting its socket down).
class DeadlineWatch {
public:
    explicit DeadlineWatch(std::function<void()> expire);
    ~DeadlineWatch();
    DeadlineWatch(const DeadlineWatch&) = delete;
    DeadlineWatch& operator=(const DeadlineWatch&) = delete;

    // Starts the count anew: `expire` runs `timeoutMs` milliseconds from now unless re-armed or
    // disarmed before. Clears expired().
    void arm(int timeoutMs);
    void disarm();
    // True when `expire` ran since the last arm().
    bool expired() const;

    // Armed for the lifetime of the object.
    class Scope {
    public:
        Scope(DeadlineWatch& watch, int timeoutMs) : m_watch(watch) { m_watch.arm(timeoutMs); }
        ~Scope() { m_watch.disarm(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        DeadlineWatch& m_watch;
    };

private:
    void watch();

    std::function<void()> m_expire;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_armed = false;
    bool m_expired = false;
    bool m_stopping = false;
    std::thread m_thread; // started by the first arm()
};

} // namespace pictaven
