#include "console/gx/gx_tiles.h"

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "console/gx.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_geometry.h"
#include "console/gx/gx_rasterize.h"
#include "console/gx/gx_stage_timing.h"
#include "console/gx/gx_workers.h"
#include "console/host_services.h"

namespace console::gx {

// What a run of triangles is drawn with, kept unchanged until they are drawn.
struct DrawSnapshot {
    RasterState state;  // its texture context the captured one
    std::shared_ptr<const void> textures;
    DrawPlan plan;
    TexViews views;
};

namespace {

constexpr u32 kMaxThreads = 64;
// Bands of a few rows give every thread work in a frame whose triangles crowd
// into part of the screen.
constexpr u32 kBandRows = 8;
constexpr u32 kBands = (kEfbHeight + kBandRows - 1) / kBandRows;
// Triangles are set up, binned and handed to the threads this many at a time.
constexpr u32 kBatch = 64;
// Past this many triangles the queue is drawn: it bounds the memory a frame takes.
constexpr u32 kMaxQueued = 16384;
constexpr u32 kMaxBatches = kMaxQueued / kBatch;

struct Queued {
    const ScreenVertex* v[3];
    const DrawSnapshot* snapshot;
    Cull cull;
};

// Vertices that queued triangles point to, written once by the program's
// thread: room is taken from the front again once nothing queued points to it.
struct VertexRoom {
    std::vector<ScreenVertex> vertices;
    u32 used = 0;
    u32 least;  // vertices the room starts with
};

// Queued triangles handed to the threads: once set up, the triangles each band
// draws, a bit each.
struct alignas(64) Batch {
    u32 count;
    std::atomic<bool> ready;
    u64 bands[kBands];
};
static_assert(kBatch == 64, "a band's triangles of a batch are the bits of a word");

// A band is drawn by one thread at a time, its steps in order: the rows work,
// then batch after batch.
struct alignas(64) Band {
    std::atomic<bool> busy;
    std::atomic<bool> rowsDone;
    std::atomic<u32> next;  // the first batch not drawn
};

// What the program's thread queues, drawn by the pixel threads while it goes
// on, until something reads the frame buffer. Everything a thread reads of a
// triangle is written before its batch is handed out and not changed until the
// queue is drawn. What the threads write is on cache lines of its own: the
// program's thread would otherwise wait for lines they hold at every triangle.
struct Queue {
    // The program's thread's own.
    std::vector<std::unique_ptr<DrawSnapshot>> snapshots;  // the last in use the current state
    u32 snapshotsUsed = 0;
    // The geometry lane's holder's.
    u32 queued = 0;
    bool rowsQueued = false;
    // A draw's vertices, taken as it starts; and those made as it goes on.
    VertexRoom drawVertices{{}, 0, 65536};
    VertexRoom looseVertices{{}, 0, 4096};

    // Read by the threads; written only while nothing queued reads them.
    alignas(64) std::unique_ptr<Queued[]> triangles;
    std::unique_ptr<Triangle[]> setup;  // by triangle, once its batch is set up
    // Done on each band before its triangles.
    std::atomic<RowsWork> rowsWork = nullptr;
    const void* rowsContext = nullptr;

    // Batches handed out (high half) and taken to be set up (low half): one
    // word, so that a batch is taken, and known to be handed out, in one step.
    alignas(64) std::atomic<u64> batchWord = 0;
    // Band steps done, rows work and batches: the queue is drawn when every
    // band has taken every step.
    alignas(64) std::atomic<u32> bandSteps = 0;
    Batch batches[kMaxBatches];
    Band bands[kBands];
};

Queue s_queue;
bool PollQueue();
WorkerPool s_workers(PollQueue);

// The texture maps a state's stages read.
u32 MapsUsed(const RasterState& state) {
    const u32 stages = std::clamp<u32>(state.numTevStages, 1, 16);
    u32 maps = 0;
    for (u32 i = 0; i < stages; ++i)
        if (state.tevStages[i].texMap < GX_MAX_TEXMAP)
            maps |= 1u << state.tevStages[i].texMap;
    return maps;
}

bool AnythingQueued() {
    return s_queue.queued != 0 || s_queue.rowsQueued;
}

void SetupBatch(u32 index) {
    Batch& batch = s_queue.batches[index];
    std::fill(std::begin(batch.bands), std::end(batch.bands), 0);
    for (u32 i = 0; i < batch.count; ++i) {
        const u32 t = index * kBatch + i;
        const Queued& q = s_queue.triangles[t];
        TrianglePlace place;
        if (!PlaceTriangle(*q.v[0], *q.v[1], *q.v[2], q.cull, q.snapshot->state.scissor, &place))
            continue;
        SetupTriangle(q.v, place, q.snapshot->plan.tev.attrs, &s_queue.setup[t]);
        for (u32 band = u32(place.minY) / kBandRows; band <= u32(place.maxY) / kBandRows; ++band)
            batch.bands[band] |= u64(1) << i;
    }
    batch.ready.store(true, std::memory_order_release);
}

bool BatchReady(u32 index) {
    return index < kMaxBatches && s_queue.batches[index].ready.load(std::memory_order_acquire);
}

bool BandHasWork(const Band& band) {
    if (band.busy.load(std::memory_order_relaxed))
        return false;
    return BatchReady(band.next.load(std::memory_order_relaxed)) ||
           (!band.rowsDone.load(std::memory_order_relaxed) &&
            s_queue.rowsWork.load(std::memory_order_relaxed) != nullptr);
}

// By the thread that holds the band: its steps that can be taken now.
bool DrawBand(u32 index) {
    Band& band = s_queue.bands[index];
    const u32 first = band.next.load(std::memory_order_relaxed);
    u32 end = first;
    while (BatchReady(end))
        ++end;
    // Read after the batches: rows work is queued before any of them.
    const RowsWork rows = s_queue.rowsWork.load(std::memory_order_acquire);
    const bool rowsStep = rows != nullptr && !band.rowsDone.load(std::memory_order_relaxed);
    if (!rowsStep && end == first)
        return false;
    const int top = int(index * kBandRows);
    const int bottom = std::min(top + int(kBandRows), int(kEfbHeight)) - 1;
    if (rowsStep) {
        rows(s_queue.rowsContext, u32(top), u32(bottom));
        band.rowsDone.store(true, std::memory_order_relaxed);
    }
    for (u32 b = first; b < end; ++b) {
        for (u64 bits = s_queue.batches[b].bands[index]; bits != 0; bits &= bits - 1) {
            const u32 t = b * kBatch + u32(__builtin_ctzll(bits));
            const DrawSnapshot& s = *s_queue.triangles[t].snapshot;
            RasterizeTriangle(s.state, s.plan, s.views, s_queue.setup[t], top, bottom);
        }
    }
    band.next.store(end, std::memory_order_relaxed);
    s_queue.bandSteps.fetch_add(end - first + (rowsStep ? 1 : 0), std::memory_order_release);
    return true;
}

// One step of the queue's work: a batch to set up first, as the bands wait on
// them, else a band with steps to take. Each thread looks at the bands from
// where it last drew, so that the threads spread out over them.
bool PollQueue() {
    if (PollGeometry())
        return true;
    u64 word = s_queue.batchWord.load(std::memory_order_acquire);
    while (u32(word) < u32(word >> 32)) {
        if (s_queue.batchWord.compare_exchange_weak(word, word + 1, std::memory_order_acq_rel,
                                                    std::memory_order_acquire)) {
            SetupBatch(u32(word));
            return true;
        }
    }
    static std::atomic<u32> threadsSeen = 0;
    thread_local u32 from = threadsSeen.fetch_add(1, std::memory_order_relaxed) * 7 % kBands;
    for (u32 i = 0, index = from; i < kBands; ++i, index = index + 1 == kBands ? 0 : index + 1) {
        Band& band = s_queue.bands[index];
        if (!BandHasWork(band) || band.busy.exchange(true, std::memory_order_acquire))
            continue;
        const bool drew = DrawBand(index);
        band.busy.store(false, std::memory_order_release);
        if (drew) {
            from = index;
            return true;
        }
    }
    return false;
}

void HandOut(u32 count) {
    Queue& q = s_queue;
    if (q.setup == nullptr) {
        HostMemoryScope hostMemory;
        q.setup.reset(new Triangle[kMaxQueued]);
    }
    q.batches[(q.queued - 1) / kBatch].count = count;
    q.batchWord.fetch_add(u64(1) << 32, std::memory_order_release);
    PixelWorkers().Wake();
}

// Draws the queued triangles, the calling thread helping, and empties the
// queue. Each band is taken once more, so that the next thread to hold it
// sees it empty.
void DrawTriangles() {
    Queue& q = s_queue;
    if (!AnythingQueued())
        return;
    if (q.queued % kBatch != 0)
        HandOut(q.queued % kBatch);
    const u32 batches = (q.queued + kBatch - 1) / kBatch;
    s_workers.HelpUntil(q.bandSteps, (batches + (q.rowsQueued ? 1 : 0)) * kBands);
    for (u32 b = 0; b < batches; ++b)
        q.batches[b].ready.store(false, std::memory_order_relaxed);
    q.rowsWork.store(nullptr, std::memory_order_relaxed);
    for (Band& band : q.bands) {
        while (band.busy.exchange(true, std::memory_order_acquire))
            std::this_thread::yield();
        band.next.store(0, std::memory_order_relaxed);
        band.rowsDone.store(false, std::memory_order_relaxed);
        band.busy.store(false, std::memory_order_release);
    }
    q.batchWord.store(0, std::memory_order_relaxed);
    q.bandSteps.store(0, std::memory_order_relaxed);
    q.queued = 0;
    q.rowsQueued = false;
}

// By the program's thread: everything recorded and queued drawn. The current
// state stays for the triangles still to come; the others let go of their
// textures.
void DrawQueue() {
    FinishGeometry();
    DrawTriangles();
    Queue& q = s_queue;
    if (q.snapshotsUsed > 1) {
        std::swap(q.snapshots[0], q.snapshots[q.snapshotsUsed - 1]);
        for (u32 i = 1; i < q.snapshotsUsed; ++i)
            q.snapshots[i]->textures.reset();
        q.snapshotsUsed = 1;
    }
}

ScreenVertex* TakeRoom(VertexRoom& room, u32 count) {
    if (s_queue.queued == 0)
        room.used = 0;
    if (room.used + count > room.vertices.size()) {
        DrawTriangles();
        room.used = 0;
        if (count > room.vertices.size()) {
            HostMemoryScope hostMemory;
            room.vertices.resize(std::max(count, room.least));
        }
    }
    ScreenVertex* at = room.vertices.data() + room.used;
    room.used += count;
    return at;
}

// A child forked now would wait for threads it does not have.
[[maybe_unused]] const int s_drawnBeforeFork = pthread_atfork(DrawQueue, nullptr, nullptr);

}  // namespace

u32 ChoosePixelThreads(u32 configured) {
    u32 threads = configured;
    if (threads == 0) {
        const char* text = std::getenv("BOWLING_GX_THREADS");
        const std::string_view value = text != nullptr ? text : "";
        const auto parsed = std::from_chars(value.data(), value.data() + value.size(), threads);
        if (parsed.ec != std::errc{} || parsed.ptr != value.data() + value.size())
            threads = 0;
    }
    if (threads == 0)
        threads = std::thread::hardware_concurrency();
    return std::clamp<u32>(threads, 1, kMaxThreads);
}

void SetPixelThreads(u32 threads) {
    FinishFrameBuffer();
    s_workers.SetThreads(std::clamp<u32>(threads, 1, kMaxThreads));
}

u32 PixelThreads() {
    return s_workers.Threads();
}

const DrawSnapshot& QueueState(const RasterState& state) {
    Queue& q = s_queue;
    if (q.snapshotsUsed != 0) {
        const DrawSnapshot& current = *q.snapshots[q.snapshotsUsed - 1];
        if (std::memcmp(&current.state, &state, sizeof state) == 0)
            return current;
    }
    HostMemoryScope hostMemory;
    if (q.snapshotsUsed == q.snapshots.size())
        q.snapshots.push_back(std::make_unique<DrawSnapshot>());
    DrawSnapshot& s = *q.snapshots[q.snapshotsUsed++];
    std::memcpy(&s.state, &state, sizeof state);
    // The texture maps as they are now: later loads and invalidations must not
    // reach triangles already drawn.
    s.textures = nullptr;
    if (state.capture != nullptr) {
        s.textures = state.capture(state.samplerContext, MapsUsed(state));
        s.state.samplerContext = const_cast<void*>(s.textures.get());
    }
    s.plan = PlanDraw(s.state);
    s.views = {};
    ViewTextures(s.state, s.plan, &s.views);
    return s;
}

const RasterState& SnapshotState(const DrawSnapshot& snapshot) {
    return snapshot.state;
}

const DrawPlan& SnapshotPlan(const DrawSnapshot& snapshot) {
    return snapshot.plan;
}

void QueueTriangle(const DrawSnapshot& snapshot, const ScreenVertex& v0, const ScreenVertex& v1,
                   const ScreenVertex& v2, Cull cull) {
    Queue& q = s_queue;
    if (q.queued == kMaxQueued)
        DrawTriangles();
    if (q.triangles == nullptr) {
        HostMemoryScope hostMemory;
        q.triangles.reset(new Queued[kMaxQueued]);
    }
    q.triangles[q.queued++] = {{&v0, &v1, &v2}, &snapshot, cull};
    if (q.queued % kBatch == 0)
        HandOut(kBatch);
}

ScreenVertex* DrawVertices(u32 count) {
    return TakeRoom(s_queue.drawVertices, count);
}

ScreenVertex* LooseVertices(u32 count) {
    return TakeRoom(s_queue.looseVertices, count);
}

void QueueRowsWork(RowsWork work, const void* context) {
    FinishFrameBuffer();
    s_queue.rowsContext = context;
    s_queue.rowsWork.store(work, std::memory_order_release);
    s_queue.rowsQueued = true;
    PixelWorkers().Wake();
}

WorkerPool& PixelWorkers() {
    // The threads end before the program's statics do: they may still be
    // drawing what it left recorded, with them.
    static const int stopAtExit = std::atexit([] { s_workers.SetThreads(1); });
    (void)stopAtExit;
    return s_workers;
}

void FinishPixels() {
    FinishGeometry();
    if (s_queue.queued != 0)
        FinishFrameBuffer();
}

void FinishFrameBuffer(u32 afterPieces, WorkerPool::Job after, void* context) {
    FinishGeometry();
    if (!AnythingQueued() && afterPieces == 0)
        return;
    StageTimer timer(kGXStagePixel);
    DrawQueue();
    s_workers.Run(afterPieces, after, context);
}

}  // namespace console::gx
