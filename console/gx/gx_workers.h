// The pixel stage's threads: a fixed pool that runs one job at a time over
// numbered pieces, the calling thread taking pieces too, and between jobs a
// stream of work that the caller hands out while it goes on. The threads start
// at the first job or stream work after the count is set and end when the count
// changes or the program ends; nothing starts a thread per job.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include "console/types.h"

namespace console::gx {

class WorkerPool {
public:
    using Job = void (*)(void* context, u32 piece);
    // Runs one piece of the stream's work if there is one; whether it did.
    using StreamPoll = bool (*)();

    explicit WorkerPool(StreamPoll poll) : m_poll(poll) {}
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The threads that run a job, the caller's included (at least 1).
    void SetThreads(u32 threads);
    u32 Threads() const { return m_threads; }
    // The calling thread's place among them: 0 the caller's, 1 and up the pool's.
    static u32 Slot();

    // job(context, piece) for every piece in [0, count), in no set order and on
    // any of the threads; returns when every piece is done.
    void Run(u32 count, Job job, void* context);

    // The stream has more work: threads that sleep are woken.
    void Wake();
    // Runs `help` on the calling thread (some of the stream's work) until
    // `done`.
    template <typename Done, typename Help>
    static void HelpUntil(Done done, Help help);

private:
    // Waits a moment, or gives the core up now and then: another thread has
    // the last of the work, and may not be running.
    static void Idle(u32& idle);
    // A child process forked from this one (a death test's) has none of the
    // pool's threads: it runs jobs alone.
    bool Forked() const;
    // Starts the threads the count asks for, if they are not running.
    void Start();
    void Stop();
    void Work(u32 slot, u32 seen);
    // Takes pieces of the job until none is left; whether it took any.
    bool Take();
    // Takes pieces of the job, then the stream's work; whether there was any.
    bool Poll();

    const StreamPoll m_poll;
    u32 m_threads = 1;
    std::vector<std::thread> m_workers;
    int m_process = 0;  // the process that started the workers
    // Bumped for work handed out while a thread sleeps (and to stop): what
    // sleeping threads wait on.
    std::atomic<u32> m_generation = 0;
    std::atomic<u32> m_sleeping = 0;   // threads asleep on the generation
    std::atomic<bool> m_stop = false;  // set before a bump of the generation
    std::atomic<u32> m_started = 0;    // workers that are running their loop
    // The job's piece count (high half) and the next piece to take (low half):
    // one word, so that a piece is taken, and known to belong to the job that
    // is current, in one step.
    std::atomic<u64> m_pieces = 0;
    std::atomic<u32> m_finished = 0;  // pieces done
    // The job, stable while any of its pieces is unfinished.
    Job m_job = nullptr;
    void* m_context = nullptr;
};

template <typename Done, typename Help>
void WorkerPool::HelpUntil(Done done, Help help) {
    for (u32 idle = 0; !done();) {
        if (help())
            idle = 0;
        else
            Idle(idle);
    }
}

}  // namespace console::gx
