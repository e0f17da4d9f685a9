#include "console/gx/gx_workers.h"

#include <unistd.h>

#include <chrono>

#include "console/host_services.h"

namespace console::gx {

namespace {

// A thread with nothing to do spins this long before it sleeps: the work of a
// frame comes in close together, and waking a sleeping thread costs more,
// above all on a virtual machine. Past the first part it gives way to any
// other thread that wants the core at each look.
constexpr std::chrono::microseconds kSpinTime{500};
constexpr std::chrono::microseconds kEagerSpinTime{50};

// The pool's own threads are 1 and up, the caller's 0. They hand out work too
// but never start or stop threads.
thread_local u32 t_slot = 0;

void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

// Spins until `ready`, for at most kSpinTime; whether it became ready.
template <typename Ready>
bool Spin(Ready ready) {
    const auto start = std::chrono::steady_clock::now();
    for (u32 spin = 1; !ready(); ++spin) {
        Pause();
        if (spin % 64 != 0)
            continue;
        const auto spent = std::chrono::steady_clock::now() - start;
        if (spent > kSpinTime)
            return false;
        if (spent > kEagerSpinTime)
            std::this_thread::yield();
    }
    return true;
}

}  // namespace

WorkerPool::~WorkerPool() {
    Stop();
}

u32 WorkerPool::Slot() {
    return t_slot;
}

bool WorkerPool::Forked() const {
    return !m_workers.empty() && getpid() != m_process;
}

void WorkerPool::Start() {
    if (m_workers.size() + 1 == m_threads || Forked())
        return;
    // The threads' bookkeeping is the console's, not the game's heap's.
    HostMemoryScope hostMemory;
    m_process = getpid();
    m_workers.reserve(m_threads - 1);
    for (u32 i = 1; i < m_threads; ++i)
        m_workers.emplace_back([this, i, seen = m_generation.load()] { Work(i, seen); });
    // A thread still starting holds the C library's and the sanitizers' locks:
    // a fork then (a death test's) would leave them held in the child.
    for (u32 started; (started = m_started.load(std::memory_order_acquire)) != m_threads - 1;)
        m_started.wait(started, std::memory_order_acquire);
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
    threads = threads < 1 ? 1 : threads;
    if (threads == m_threads)
        return;
    // The threads read the count as they work.
    Stop();
    m_threads = threads;
}

// A worker that wakes late may find the job done, or the next job begun: a
// piece taken is a piece of the job current at the time, and that job cannot
// end before the piece does.
bool WorkerPool::Take() {
    bool took = false;
    u64 pieces = m_pieces.load(std::memory_order_relaxed);
    for (;;) {
        const u32 count = u32(pieces >> 32), next = u32(pieces);
        if (next >= count)
            return took;
        if (m_pieces.compare_exchange_weak(pieces, pieces + 1, std::memory_order_acquire,
                                           std::memory_order_relaxed)) {
            m_job(m_context, next);
            took = true;
            if (m_finished.fetch_add(1, std::memory_order_acq_rel) + 1 == count)
                m_finished.notify_one();
            pieces = m_pieces.load(std::memory_order_relaxed);
        }
    }
}

bool WorkerPool::Poll() {
    const bool took = Take();
    return m_poll() || took;
}

// A thread looks for work as it spins, so that handing out work touches no
// line of theirs unless one sleeps. The count of sleepers and the work are
// both written, then read, in one order: a thread that hands out work and finds
// no sleeper handed it out before the sleeper's last look for it.
void WorkerPool::Work(u32 slot, u32 seen) {
    const HostMemoryScope hostMemory;
    t_slot = slot;
    m_started.fetch_add(1, std::memory_order_release);
    m_started.notify_one();
    for (;;) {
        if (!Spin([this] { return m_stop.load(std::memory_order_relaxed) || Poll(); })) {
            m_sleeping.fetch_add(1, std::memory_order_seq_cst);
            std::atomic_thread_fence(std::memory_order_seq_cst);
            if (!Poll())
                m_generation.wait(seen, std::memory_order_seq_cst);
            // The thread that hands out the work wakes one, which wakes the
            // rest: the hand-out pays for one wake, and the others do not wait
            // for each other.
            if (m_sleeping.fetch_sub(1, std::memory_order_seq_cst) > 1)
                m_generation.notify_all();
        }
        if (m_stop.load(std::memory_order_relaxed))
            return;
        seen = m_generation.load(std::memory_order_acquire);
        while (Poll())
            ;
    }
}

void WorkerPool::Wake() {
    if (t_slot == 0)
        Start();
    if (m_workers.empty())
        return;
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (m_sleeping.load(std::memory_order_seq_cst) != 0) {
        m_generation.fetch_add(1, std::memory_order_seq_cst);
        m_generation.notify_one();
    }
}

void WorkerPool::Idle(u32& idle) {
    if (++idle % 1024 == 0)
        std::this_thread::yield();
    else
        Pause();
}

void WorkerPool::Run(u32 count, Job job, void* context) {
    if (count == 0)
        return;
    if (Forked()) {
        for (u32 piece = 0; piece < count; ++piece)
            job(context, piece);
        return;
    }
    Start();
    m_job = job;
    m_context = context;
    m_finished.store(0, std::memory_order_relaxed);
    m_pieces.store(u64(count) << 32, std::memory_order_release);
    Wake();
    Take();
    // Done when every piece is, not when every worker has woken: a busy machine
    // may leave a worker asleep for a while.
    const auto finished = [&] { return m_finished.load(std::memory_order_acquire) == count; };
    if (!Spin(finished))
        for (u32 done; (done = m_finished.load(std::memory_order_acquire)) != count;)
            m_finished.wait(done, std::memory_order_acquire);
}

}  // namespace console::gx
