// SPDX-License-Identifier: GPL-2.0-or-later
// Work spread over threads and taken back in order: the order holds whatever
// order the jobs end in, a stop does not wait for a job still running, and a
// job's failure reaches the caller at its place.
#include "platform/OrderedWork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

// A gate jobs wait at until the test opens it.
class Gate {
public:
    void Wait()
    {
        std::unique_lock lock(m_lock);
        m_opened.wait(lock, [this] { return m_open; });
    }
    void Open()
    {
        std::lock_guard guard(m_lock);
        m_open = true;
        m_opened.notify_all();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_opened;
    bool m_open = false;
};

} // namespace

TEST(OrderedWork, ResultsComeInOrderWhateverOrderTheJobsEndIn)
{
    // Job 0 ends last: it waits until every other job of its window is done.
    Gate firstMayEnd;
    std::atomic<int> ended { 0 };
    constexpr int Count = 12;
    TOrderedWork<int> work(
        Count,
        [&](int index) {
            if (index == 0)
                firstMayEnd.Wait();
            ++ended;
            return index * index;
        },
        4);
    int pumps = 0;
    std::vector<int> results;
    const auto pump = [&] {
        // The other three of the first four are done before job 0 may end.
        if (++pumps >= 1 && ended.load() >= 3)
            firstMayEnd.Open();
    };
    while (const std::optional<int> result = work.Next(pump, {}))
        results.push_back(*result);
    ASSERT_EQ(results.size(), size_t(Count));
    for (int i = 0; i < Count; ++i)
        EXPECT_EQ(results[size_t(i)], i * i);
    EXPECT_GT(pumps, 0);
}

TEST(OrderedWork, AStopIsHeardWhileAJobRunsAndDropsTheRest)
{
    Gate release;
    std::atomic<int> started { 0 };
    std::atomic<int> finished { 0 };
    {
        TOrderedWork<int> work(
            20,
            [&](int index) {
                ++started;
                if (index == 0)
                    release.Wait();
                ++finished;
                return index;
            },
            2);
        int pumps = 0;
        // Job 0 never ends while Next waits: only the stop can end the wait.
        const std::optional<int> result = work.Next([&] { ++pumps; }, [&] { return pumps >= 3; });
        EXPECT_FALSE(result.has_value());
        EXPECT_EQ(pumps, 3);
        EXPECT_FALSE(work.Next({}, {}).has_value());
    }
    // Two workers, and a window of twice that: nothing beyond it was started.
    EXPECT_LE(started.load(), 4);
    release.Open();
    WaitForWorkers();
    EXPECT_LE(finished.load(), 4);
}

TEST(OrderedWork, AJobsFailureReachesTheCallerAtItsPlace)
{
    TOrderedWork<int> work(
        3,
        [](int index) {
            if (index == 1)
                throw std::runtime_error("no memory for this one");
            return index;
        },
        3);
    EXPECT_EQ(work.Next({}, {}), 0);
    EXPECT_THROW(work.Next({}, {}), std::runtime_error);
    EXPECT_EQ(work.Next({}, {}), 2);
    EXPECT_FALSE(work.Next({}, {}).has_value());
}
