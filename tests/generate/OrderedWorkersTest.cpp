#include "generate/OrderedWorkers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace pictaven {
namespace {

TEST(OrderedWorkers, RunsEveryTaskOnceForEveryNumberOfJobs)
{
    for (const int jobs : {1, 2, 4}) {
        std::vector<std::atomic<int>> runs(20);
        OrderedWorkers workers(runs.size(), jobs, 2 * jobs, {}, [&](std::size_t i) { ++runs[i]; });
        for (std::size_t i = 0; i < runs.size(); ++i) {
            workers.await(i);
            EXPECT_EQ(runs[i].load(), 1) << "task " << i << ", " << jobs << " jobs";
        }
        workers.stop();
        for (const auto& count : runs)
            EXPECT_EQ(count.load(), 1);
    }
}

TEST(OrderedWorkers, StaysWithinTheJobsAndTheLookahead)
{
    constexpr int jobs = 3;
    constexpr std::size_t lookahead = 5;
    std::mutex mutex;
    std::size_t awaited = 0;
    std::size_t furthest = 0;
    int running = 0;
    int mostRunning = 0;
    OrderedWorkers workers(30, jobs, lookahead, {}, [&](std::size_t i) {
        {
            std::lock_guard lock(mutex);
            furthest = std::max(furthest, i);
            EXPECT_LT(i, awaited + lookahead);
            mostRunning = std::max(mostRunning, ++running);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard lock(mutex);
        --running;
    });
    for (std::size_t i = 0; i < 30; ++i) {
        {
            std::lock_guard lock(mutex);
            awaited = i;
        }
        workers.await(i);
    }
    EXPECT_EQ(furthest, 29u);
    EXPECT_LE(mostRunning, jobs);
}

TEST(OrderedWorkers, StartsTheHeaviestTasksWithinTheLookaheadFirst)
{
    const std::vector<std::uint64_t> weights = {1, 5, 2, 9, 3, 4};
    std::mutex mutex;
    std::vector<std::size_t> started;
    OrderedWorkers workers(
        weights.size(), 2, weights.size(), {},
        [&](std::size_t i) {
            {
                std::lock_guard lock(mutex);
                started.push_back(i);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        },
        weights);
    for (std::size_t i = 0; i < weights.size(); ++i)
        workers.await(i);
    ASSERT_EQ(started.size(), weights.size());
    // Two workers claim at once, so neighbours in the order may be recorded either way round.
    EXPECT_TRUE(started[0] == 3 || started[0] == 1) << started[0];
    EXPECT_GE(std::find(started.begin(), started.end(), 0) - started.begin(), 4);
}

TEST(OrderedWorkers, ATaskWaitsForTheEarlierTasksItDependsOn)
{
    // Task 3 depends on task 0, which is slow; task 3 must see it finished.
    std::atomic<bool> firstDone = false;
    std::atomic<bool> orderKept = true;
    OrderedWorkers workers(4, 4, 4, {{}, {}, {}, {0}}, [&](std::size_t i) {
        if (i == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            firstDone = true;
        }
        if (i == 3 && !firstDone)
            orderKept = false;
    });
    for (std::size_t i = 0; i < 4; ++i)
        workers.await(i);
    EXPECT_TRUE(orderKept.load());
}

TEST(OrderedWorkers, StopStartsNoFurtherTask)
{
    std::atomic<int> started = 0;
    OrderedWorkers workers(100, 2, 3, {}, [&](std::size_t) { ++started; });
    workers.await(0);
    workers.stop();
    // At most the awaited task and the ones the lookahead let start.
    EXPECT_LE(started.load(), 3);
}

TEST(OrderedWorkers, AwaitPassesOnWhatATaskThrew)
{
    for (const int jobs : {1, 2}) {
        OrderedWorkers workers(2, jobs, 2, {}, [](std::size_t i) {
            if (i == 1)
                throw std::runtime_error("task 1 failed");
        });
        workers.await(0);
        EXPECT_THROW(workers.await(1), std::runtime_error);
    }
}

TEST(OrderedWorkers, RefusesADependencyThatIsNotEarlier)
{
    const auto nothing = [](std::size_t) {};
    EXPECT_THROW(OrderedWorkers(3, 2, 2, {{}, {1}}, nothing), std::invalid_argument);
    EXPECT_THROW(OrderedWorkers(3, 2, 2, {{2}}, nothing), std::invalid_argument);
}

} // namespace
} // namespace pictaven
