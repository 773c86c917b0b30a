#include "generate/OrderedWorkers.h"

#include <algorithm>
#include <stdexcept>

namespace pictaven {

OrderedWorkers::OrderedWorkers(std::size_t count, int jobs, std::size_t lookahead,
                               std::vector<std::vector<std::size_t>> dependsOn, Task task,
                               std::vector<std::uint64_t> weights)
    : m_count(count)
    , m_jobs(std::max(jobs, 1))
    , m_lookahead(std::max(lookahead, static_cast<std::size_t>(m_jobs)))
    , m_dependsOn(std::move(dependsOn))
    , m_task(std::move(task))
    , m_weights(std::move(weights))
    , m_done(count, 0)
    , m_claimed(count, 0)
    , m_failures(count)
{
    m_dependsOn.resize(count);
    m_weights.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        for (const std::size_t earlier : m_dependsOn[i]) {
            // A task waiting for itself or a later one would never start.
            if (earlier >= i)
                throw std::invalid_argument("OrderedWorkers: a task can only depend on earlier tasks");
        }
    }
    if (m_jobs == 1)
        return;
    const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(m_jobs), count);
    for (std::size_t i = 0; i < threads; ++i)
        m_threads.emplace_back([this] { work(); });
}

OrderedWorkers::~OrderedWorkers()
{
    stop();
}

bool OrderedWorkers::dependenciesDone(std::size_t index) const
{
    return std::all_of(m_dependsOn[index].begin(), m_dependsOn[index].end(),
                       [this](std::size_t earlier) { return m_done[earlier] != 0; });
}

void OrderedWorkers::await(std::size_t index)
{
    if (index >= m_count)
        throw std::out_of_range("OrderedWorkers::await: no such task");
    if (m_threads.empty()) {
        // One job: the task runs here, after every earlier task has been awaited.
        if (!m_done[index]) {
            m_task(index);
            m_done[index] = 1;
        }
        return;
    }
    std::unique_lock lock(m_mutex);
    m_limit = std::max(m_limit, std::min(m_count, index + m_lookahead));
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return m_done[index] != 0 || m_stopped; });
    if (!m_done[index])
        throw std::logic_error("OrderedWorkers::await after stop");
    if (m_failures[index])
        std::rethrow_exception(m_failures[index]);
}

void OrderedWorkers::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
}

std::size_t OrderedWorkers::pickTask()
{
    while (m_next < m_count && m_claimed[m_next])
        ++m_next;
    // Only tasks whose dependencies are done are picked, so a claimed task never waits for an
    // unclaimed one.
    std::size_t best = m_count;
    for (std::size_t i = m_next; i < m_limit; ++i) {
        if (!m_claimed[i] && dependenciesDone(i) && (best == m_count || m_weights[i] > m_weights[best]))
            best = i;
    }
    return best;
}

void OrderedWorkers::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        std::size_t index = m_count;
        m_changed.wait(lock, [&] { return m_stopped || (index = pickTask()) < m_count; });
        if (m_stopped)
            return;
        m_claimed[index] = 1;
        lock.unlock();
        std::exception_ptr failure;
        try {
            m_task(index);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        m_failures[index] = failure;
        m_done[index] = 1;
        m_changed.notify_all();
    }
}

} // namespace pictaven
