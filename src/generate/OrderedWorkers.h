#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace pictaven {

// Runs numbered tasks 0 .. count-1 for a consumer that takes them in order: with one job each
// task runs on the consumer's thread when it is awaited; with more, `jobs` worker threads run
// the tasks in index order, at most `jobs` at a time (so the memory that running tasks hold is
// bounded by the jobs) and none more than `lookahead` past the one the consumer waits for (so
// the consumer's progress stays close to the work done). Among the tasks within the lookahead,
// workers start the one of the largest weight first (the earliest of equal weights), so that a
// long task does not run alone at the end. A task starts only after the earlier tasks it depends
// on have finished. Tasks must not touch each other's data.
class OrderedWorkers {
public:
    using Task = std::function<void(std::size_t index)>;

    // dependsOn[i] lists earlier tasks (indices below i) that must finish before task i starts;
    // it may be shorter than count (std::invalid_argument for any other index). jobs below 1
    // count as 1; a lookahead below the jobs counts as the jobs. weights[i] is task i's expected
    // length in any unit; missing weights count as 0.
    OrderedWorkers(std::size_t count, int jobs, std::size_t lookahead, std::vector<std::vector<std::size_t>> dependsOn,
                   Task task, std::vector<std::uint64_t> weights = {});
    // Stops as stop() does.
    ~OrderedWorkers();
    OrderedWorkers(const OrderedWorkers&) = delete;
    OrderedWorkers& operator=(const OrderedWorkers&) = delete;

    // Returns once task `index` has run; indices must be awaited in increasing order. Rethrows
    // what the task threw. Must not be called after stop().
    void await(std::size_t index);

    // Starts no further task and waits for the running ones.
    void stop();

private:
    void work();
    bool dependenciesDone(std::size_t index) const;
    // The task a worker should start now, or m_count when none may.
    std::size_t pickTask();

    std::size_t m_count;
    int m_jobs;
    std::size_t m_lookahead;
    std::vector<std::vector<std::size_t>> m_dependsOn;
    Task m_task;
    std::vector<std::uint64_t> m_weights;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<char> m_done;
    std::vector<char> m_claimed;
    std::vector<std::exception_ptr> m_failures;
    std::size_t m_next = 0;  // no task below this one is left unclaimed
    std::size_t m_limit = 0; // tasks below this index may start
    bool m_stopped = false;
    std::vector<std::thread> m_threads;
};

} // namespace pictaven
