#pragma once
// The journal's own thread (see journal.cpp); private to the journal's sources.
#include "records/journal.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vorlane {

// A flush to the disk takes from under a millisecond to tens of milliseconds; keying must
// not wait for it. A change is written at once (a killed program loses nothing) and this
// thread flushes it right after, on a duplicate of the file handle. It also puts a fresh
// journal in place: flush it, rename it over the old one, flush the folder.
struct RecoveryJournal::Worker {
    std::mutex mutex;
    std::condition_variable wake, idle;
    std::deque<std::function<void()>> jobs;
    bool stop = false, busy = false;
    std::atomic<bool> failed{false};
    std::atomic<bool> syncQueued{false};
    std::thread thread{[this] { run(); }};

    ~Worker()
    {
        // Jobs still queued run first: a rename asked for is never dropped.
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        wake.notify_one();
        thread.join();
    }
    void post(std::function<void()> job)
    {
        {
            std::lock_guard lock(mutex);
            jobs.push_back(std::move(job));
        }
        wake.notify_one();
    }
    void waitIdle()
    {
        std::unique_lock lock(mutex);
        idle.wait(lock, [this] { return jobs.empty() && !busy; });
    }
    void run()
    {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [this] { return stop || !jobs.empty(); });
                if (jobs.empty()) {
                    idle.notify_all();
                    return;
                }
                job = std::move(jobs.front());
                jobs.pop_front();
                busy = true;
            }
            job();
            {
                std::lock_guard lock(mutex);
                busy = false;
            }
            idle.notify_all();
        }
    }
};

}  // namespace vorlane
