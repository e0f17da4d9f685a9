#include "console/gx/gx_workers.h"

#include <unistd.h>

#include "console/host_services.h"

namespace console::gx {

WorkerPool::~WorkerPool() {
    Stop();
}

bool WorkerPool::Forked() const {
    return !m_workers.empty() && getpid() != m_process;
}

void WorkerPool::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    const bool forked = Forked();
    for (std::thread& worker : m_workers) {
        if (forked)
            worker.detach();
        else
            worker.join();
    }
    HostMemoryScope hostMemory;
    m_workers.clear();
    m_stop = false;
}

void WorkerPool::SetThreads(u32 threads) {
    m_threads = threads < 1 ? 1 : threads;
    if (!m_workers.empty() && m_workers.size() + 1 != m_threads)
        Stop();
}

// A worker that wakes late may find the job done, or the next job begun: the
// job goes with each piece taken.
void WorkerPool::Take() {
    for (;;) {
        Job job;
        void* context;
        u32 piece;
        {
            std::lock_guard lock(m_mutex);
            if (m_next == m_count)
                return;
            piece = m_next++;
            job = m_job;
            context = m_context;
        }
        job(context, piece);
        std::lock_guard lock(m_mutex);
        if (++m_finished == m_count)
            m_done.notify_one();
    }
}

void WorkerPool::Work(u64 seen) {
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_stop || m_generation != seen; });
            if (m_stop)
                return;
            seen = m_generation;
        }
        Take();
    }
}

void WorkerPool::Run(u32 count, Job job, void* context) {
    if (Forked()) {
        for (u32 piece = 0; piece < count; ++piece)
            job(context, piece);
        return;
    }
    if (m_workers.size() + 1 != m_threads) {
        // The threads' bookkeeping is the console's, not the game's heap's.
        HostMemoryScope hostMemory;
        m_process = getpid();
        m_workers.reserve(m_threads - 1);
        for (u32 i = 1; i < m_threads; ++i)
            m_workers.emplace_back([this, seen = m_generation] { Work(seen); });
    }
    {
        std::lock_guard lock(m_mutex);
        m_job = job;
        m_context = context;
        m_count = count;
        m_next = 0;
        m_finished = 0;
        ++m_generation;
    }
    m_wake.notify_all();
    Take();
    // Done when every piece is, not when every worker has woken: a busy machine
    // may leave a worker asleep for a while.
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return m_finished == m_count; });
}

}  // namespace console::gx
