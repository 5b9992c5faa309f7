// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once
// Work on many items spread over the machine's cores, its results taken back
// one at a time in the items' order. The thread that owns the album and the
// progress window stays the only one that writes files and reports progress,
// so what the user sees and what lands on disk keep their one-thread order;
// the workers only compute.
//
// The workers are the tasks of Qt's global thread pool: QCoreApplication
// waits for them when it ends, and Qt's own image code, called from one of
// them, then scales in that thread instead of waiting for the busy pool. A
// job never blocks, so the pool is always free again soon for Qt's own use.
#include <QThreadPool>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

// How many items are worked on at once: the machine's cores, at least 1,
// unless SetWorkerThreadCount chose a number.
int WorkerThreadCount();
// 0 follows the machine again. For comparing runs and for benchmarks.
void SetWorkerThreadCount(int count);

// Lets the jobs a cancelled run left running finish: before the libraries
// they use are shut down.
void WaitForWorkers();

template <class Result> class TOrderedWork {
public:
    using Job = std::function<Result(int index)>;

    // Starts job(0) .. job(count - 1) on up to threads workers. The job runs
    // on a worker thread: it may use only what it holds by value, never the
    // album, the language record or a window.
    TOrderedWork(int count, Job job, int threads = WorkerThreadCount())
        : m_shared(std::make_shared<Shared>())
        , m_count(count)
        , m_threads(std::max(1, threads))
        // Results wait to be taken while the next ones are made: enough to
        // keep every worker busy, few enough that memory stays bounded.
        , m_window(2 * std::max(1, threads))
    {
        m_shared->job = std::move(job);
        m_shared->results.resize(size_t(std::max(0, count)));
        std::lock_guard guard(m_shared->lock);
        Refill();
    }

    ~TOrderedWork() { Cancel(); }
    TOrderedWork(const TOrderedWork&) = delete;
    TOrderedWork& operator=(const TOrderedWork&) = delete;

    // The result of the next item. While it is not there, pump runs every
    // PollMs; when stopped() turns true meanwhile, the item is given up and
    // nullopt returned at once, without waiting for the job still running.
    // An exception of the job is thrown here. Also nullopt after the last
    // item and after Cancel.
    std::optional<Result> Next(const std::function<void()>& pump, const std::function<bool()>& stopped)
    {
        std::unique_lock lock(m_shared->lock);
        auto pumped = std::chrono::steady_clock::now();
        while (true) {
            if (m_shared->cancelled || m_next >= m_count)
                return std::nullopt;
            // A worker that finished may take the next item.
            Refill();
            Slot& slot = m_shared->results[size_t(m_next)];
            if (slot.done) {
                Slot taken = std::move(slot);
                slot = Slot();
                ++m_next;
                Refill();
                lock.unlock();
                if (taken.error)
                    std::rethrow_exception(taken.error);
                return std::move(taken.result);
            }
            const auto due = pumped + std::chrono::milliseconds(PollMs);
            if (m_shared->changed.wait_until(lock, due) == std::cv_status::timeout) {
                lock.unlock();
                if (pump)
                    pump();
                const bool stop = stopped && stopped();
                lock.lock();
                pumped = std::chrono::steady_clock::now();
                if (stop) {
                    CancelLocked();
                    return std::nullopt;
                }
            }
        }
    }

    // Every item not yet started is dropped; jobs running end unseen.
    void Cancel()
    {
        std::lock_guard guard(m_shared->lock);
        CancelLocked();
    }

    // How often a waiting Next lets the caller pump events.
    static constexpr int PollMs = 20;

private:
    struct Slot {
        bool done = false;
        std::optional<Result> result;
        std::exception_ptr error;
    };
    struct Shared {
        std::mutex lock;
        std::condition_variable changed;
        std::vector<Slot> results;
        int running = 0;
        bool cancelled = false;
        Job job;
    };

    // Called with the lock held.
    void CancelLocked()
    {
        m_shared->cancelled = true;
        // Results already made are not needed any more.
        m_shared->results.clear();
        m_shared->results.shrink_to_fit();
    }

    // Hands out items in order while workers are free and the results not yet
    // taken fit the window. Called with the lock held.
    void Refill()
    {
        while (!m_shared->cancelled && m_started < m_count && m_shared->running < m_threads
            && m_started - m_next < m_window) {
            const int index = m_started++;
            ++m_shared->running;
            QThreadPool::globalInstance()->start([shared = m_shared, index] { Run(*shared, index); });
        }
    }

    static void Run(Shared& shared, int index)
    {
        {
            std::lock_guard guard(shared.lock);
            if (shared.cancelled) {
                --shared.running;
                return;
            }
        }
        Slot slot;
        try {
            slot.result = shared.job(index);
        } catch (...) {
            slot.error = std::current_exception();
        }
        slot.done = true;
        std::lock_guard guard(shared.lock);
        --shared.running;
        if (!shared.cancelled)
            shared.results[size_t(index)] = std::move(slot);
        shared.changed.notify_all();
    }

    std::shared_ptr<Shared> m_shared;
    int m_count;
    int m_threads;
    int m_window;
    // Items handed to workers, and the next item to be taken.
    int m_started = 0;
    int m_next = 0;
};
