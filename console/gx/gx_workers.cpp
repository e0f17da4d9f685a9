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

void WorkerPool::Take() {
    for (;;) {
        u32 piece;
        {
            std::lock_guard lock(m_mutex);
            if (m_next == m_count)
                return;
            piece = m_next++;
        }
        m_job(m_context, piece);
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
        std::lock_guard lock(m_mutex);
        if (--m_busy == 0)
            m_done.notify_one();
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
        m_busy = u32(m_workers.size());
        ++m_generation;
    }
    m_wake.notify_all();
    Take();
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return m_busy == 0; });
}

}  // namespace console::gx
