#include "console/gx/gx_workers.h"

#include <unistd.h>

#include <chrono>

#include "console/host_services.h"

namespace console::gx {

namespace {

// A thread with nothing to do spins this long before it sleeps: the jobs of a
// frame come close together, and waking a sleeping thread costs more.
constexpr std::chrono::microseconds kSpinTime{50};

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Spins until `ready`, for at most kSpinTime; whether it became ready.
template <typename Ready>
bool Spin(Ready ready) {
    const auto until = std::chrono::steady_clock::now() + kSpinTime;
    for (u32 spin = 1; !ready(); ++spin) {
        Pause();
        if (spin % 64 == 0 && std::chrono::steady_clock::now() > until)
            return false;
    }
    return true;
}

}  // namespace

WorkerPool::~WorkerPool() {
    Stop();
}

bool WorkerPool::Forked() const {
    return !m_workers.empty() && getpid() != m_process;
}

void WorkerPool::Stop() {
    m_stop.store(true, std::memory_order_relaxed);
    m_generation.fetch_add(1, std::memory_order_release);
    m_generation.notify_all();
    const bool forked = Forked();
    for (std::thread& worker : m_workers) {
        if (forked)
            worker.detach();
        else
            worker.join();
    }
    HostMemoryScope hostMemory;
    m_workers.clear();
    m_started.store(0, std::memory_order_relaxed);
    m_stop.store(false, std::memory_order_relaxed);
}

void WorkerPool::SetThreads(u32 threads) {
    m_threads = threads < 1 ? 1 : threads;
    if (!m_workers.empty() && m_workers.size() + 1 != m_threads)
        Stop();
}

// A piece of a later phase waits for the earlier ones: they are all taken
// already, by threads that are running them.
void WorkerPool::RunPiece(u32 piece, u32 count) {
    u32 phase = kMaxPhases - 1;
    while (piece < m_phaseStart[phase])
        --phase;
    const u32 before = m_phaseStart[phase];
    const auto ready = [&] { return m_finished.load(std::memory_order_acquire) >= before; };
    while (!Spin(ready))
        std::this_thread::yield();
    m_phases[phase].job(m_context, piece - before);
    if (m_finished.fetch_add(1, std::memory_order_acq_rel) + 1 == count)
        m_finished.notify_one();
}

// A worker that wakes late may find the job done, or the next job begun: a
// piece taken is a piece of the job current at the time, and that job cannot
// end before the piece does.
void WorkerPool::Take() {
    u64 pieces = m_pieces.load(std::memory_order_relaxed);
    for (;;) {
        const u32 count = u32(pieces >> 32), next = u32(pieces);
        if (next >= count)
            return;
        if (m_pieces.compare_exchange_weak(pieces, pieces + 1, std::memory_order_acquire,
                                           std::memory_order_relaxed)) {
            RunPiece(next, count);
            pieces = m_pieces.load(std::memory_order_relaxed);
        }
    }
}

void WorkerPool::Work(u32 seen) {
    m_started.fetch_add(1, std::memory_order_release);
    m_started.notify_one();
    for (;;) {
        const auto woken = [&] { return m_generation.load(std::memory_order_acquire) != seen; };
        if (!Spin(woken))
            m_generation.wait(seen, std::memory_order_acquire);
        if (m_stop.load(std::memory_order_relaxed))
            return;
        seen = m_generation.load(std::memory_order_acquire);
        Take();
    }
}

void WorkerPool::Run(u32 count, Job job, void* context) {
    Run({{count, job}, {}, {}}, context);
}

void WorkerPool::Run(const Phase (&phases)[kMaxPhases], void* context) {
    if (Forked()) {
        for (const Phase& phase : phases)
            for (u32 piece = 0; piece < phase.count; ++piece)
                phase.job(context, piece);
        return;
    }
    if (m_workers.size() + 1 != m_threads) {
        // The threads' bookkeeping is the console's, not the game's heap's.
        HostMemoryScope hostMemory;
        m_process = getpid();
        m_workers.reserve(m_threads - 1);
        for (u32 i = 1; i < m_threads; ++i)
            m_workers.emplace_back([this, seen = m_generation.load()] { Work(seen); });
        // A thread still starting holds the C library's and the sanitizers' locks:
        // a fork then (a death test's) would leave them held in the child.
        for (u32 started; (started = m_started.load(std::memory_order_acquire)) != m_threads - 1;)
            m_started.wait(started, std::memory_order_acquire);
    }
    m_context = context;
    u32 total = 0;
    for (u32 i = 0; i < kMaxPhases; ++i) {
        m_phases[i] = phases[i];
        m_phaseStart[i] = total;
        total += phases[i].count;
    }
    if (total == 0)
        return;
    m_finished.store(0, std::memory_order_relaxed);
    m_pieces.store(u64(total) << 32, std::memory_order_release);
    if (m_threads > 1) {
        m_generation.fetch_add(1, std::memory_order_release);
        m_generation.notify_all();
    }
    Take();
    // Done when every piece is, not when every worker has woken: a busy machine
    // may leave a worker asleep for a while.
    const auto finished = [&] { return m_finished.load(std::memory_order_acquire) == total; };
    if (!Spin(finished))
        for (u32 done; (done = m_finished.load(std::memory_order_acquire)) != total;)
            m_finished.wait(done, std::memory_order_acquire);
}

}  // namespace console::gx
