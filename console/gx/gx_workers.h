// The pixel stage's threads: a fixed pool that runs one job at a time over
// numbered pieces, the calling thread taking pieces too. The threads start at
// the first job after the count is set and end when the count changes or the
// program ends; nothing starts a thread per job.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include "console/types.h"

namespace console::gx {

class WorkerPool {
public:
    using Job = void (*)(void* context, u32 piece);
    // A run of pieces that may start only once every piece of the phases
    // before it is done; piece numbers count from 0 in each phase.
    struct Phase {
        u32 count;
        Job job;
    };

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
    // The phases in order (an unused one has no pieces), one wake of the
    // threads for all.
    static constexpr u32 kMaxPhases = 3;
    void Run(const Phase (&phases)[kMaxPhases], void* context);

private:
    // A child process forked from this one (a death test's) has none of the
    // pool's threads: it runs jobs alone.
    bool Forked() const;
    void Stop();
    void Work(u32 seen);
    // Takes pieces of the job until none is left.
    void Take();
    void RunPiece(u32 piece, u32 count);

    u32 m_threads = 1;
    std::vector<std::thread> m_workers;
    int m_process = 0;  // the process that started the workers
    // Bumped for every job (and to stop): what sleeping threads wait on.
    std::atomic<u32> m_generation = 0;
    std::atomic<bool> m_stop = false;  // set before a bump of the generation
    std::atomic<u32> m_started = 0;    // workers that are running their loop
    // The job's piece count (high half) and the next piece to take (low half):
    // one word, so that a piece is taken, and known to belong to the job that
    // is current, in one step.
    std::atomic<u64> m_pieces = 0;
    std::atomic<u32> m_finished = 0;  // pieces done
    // The job, stable while any of its pieces is unfinished.
    void* m_context = nullptr;
    Phase m_phases[kMaxPhases] = {};
    u32 m_phaseStart[kMaxPhases] = {};
};

}  // namespace console::gx
