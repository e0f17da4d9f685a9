// The pixel stage's threads: a fixed pool that runs one job at a time over
// numbered pieces, the calling thread taking pieces too. The threads start at
// the first job after the count is set and end when the count changes or the
// program ends; nothing starts a thread per job.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "console/types.h"

namespace console::gx {

class WorkerPool {
public:
    using Job = void (*)(void* context, u32 piece);

    WorkerPool() = default;
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The threads that run a job, the caller's included (at least 1).
    void SetThreads(u32 threads);
    u32 Threads() const { return m_threads; }

    // job(context, piece) for every piece in [0, count), in no set order and on
    // any of the threads; returns when every piece is done.
    void Run(u32 count, Job job, void* context);

private:
    // A child process forked from this one (a death test's) has none of the
    // pool's threads: it runs jobs alone.
    bool Forked() const;
    void Stop();
    void Work(u64 seen);
    // Takes pieces of the job until none is left.
    void Take();

    u32 m_threads = 1;
    std::vector<std::thread> m_workers;
    int m_process = 0;  // the process that started the workers
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    u64 m_generation = 0;  // one per job
    bool m_stop = false;
    Job m_job = nullptr;
    void* m_context = nullptr;
    u32 m_count = 0;
    u32 m_next = 0;      // the next piece to take
    u32 m_finished = 0;  // pieces done
};

}  // namespace console::gx
