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
#include "console/gx/gx_setup.h"
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
    u32 maps;    // the texture maps its stages read
    bool waits;  // on a copy to texture still writing texels they read
};

namespace {

constexpr u32 kMaxThreads = 64;
// Past this many records the queue is drawn: it bounds the memory a frame takes.
constexpr u32 kMaxRecords = 4096;
// Vertices of primitives drawn one after another with one state that make one
// record: fewer records to hand out and step over, while a frame still has
// enough of them to share out.
constexpr u32 kBatchVertices = 256;

// A record: either a primitive or rows work, whose context is a copy kept in
// the record and whose bands are its triangles' range. Its first line is
// written by the program's thread before it is handed out, its second by the
// thread that works out its triangles: the program's thread writes a line it
// wrote itself, the last time round, and no thread waits for a line another
// is writing.
struct alignas(64) Record {
    union {
        const RecordedPrimitive* primitives;
        alignas(8) unsigned char rowsContext[kRowsContextSize];
    };
    const DrawSnapshot* snapshot;
    RowsWork rows;
    u32 reach;  // rows work's rows read beyond its band's
    alignas(64) RecordTriangles triangles;
    // The queue's epoch once its triangles are ready: the record need not be
    // marked again when the queue is emptied.
    std::atomic<u32> readyIn;
};
static_assert(sizeof(Record) == 128);

// A band is drawn by one thread at a time, record after record.
struct alignas(64) Band {
    std::atomic<bool> busy;
    std::atomic<u32> next;  // the first record not drawn
};

// What the program's thread queues, drawn by the pixel threads while it goes
// on, until something reads the frame buffer. What the threads write is on
// cache lines of its own: the program's thread would otherwise wait for lines
// they hold at every record.
struct Queue {
    // The program's thread's own.
    std::vector<std::unique_ptr<DrawSnapshot>> snapshots;  // the last in use the current state
    u32 snapshotsUsed = 0;
    u32 queued = 0;
    // The last primitive of the last record while more may join it, and the
    // record's vertices.
    RecordedPrimitive* openTail = nullptr;
    u32 openVertices = 0;
    // Records to draw before the frame buffer is read, or a draw done; lazy
    // rows work need not be done until the next reader after it.
    bool mustFinish = false;

    // Read by the threads, written only while nothing is queued.
    alignas(64) std::unique_ptr<Record[]> records;
    std::atomic<u32> epoch = 0;
    // Records handed out: each as the next one starts, which is seldom, as
    // primitives drawn with one state share a record; a hand-out takes the
    // line from the threads that look at it.
    alignas(64) std::atomic<u32> submitted = 0;
    // The next record to take to work out (low half), and the epoch (high
    // half): a thread that looked before the queue was emptied cannot take a
    // record of the next round by mistake.
    alignas(64) std::atomic<u64> taken = 0;
    // Band steps done, a record on a band each: the queue is drawn when every
    // band has taken every step. Each is counted once its band is let go.
    alignas(64) std::atomic<u32> bandSteps = 0;
    // Records whose triangles are worked out.
    std::atomic<u32> worked = 0;
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

bool RecordReady(u32 index) {
    return index < s_queue.submitted.load(std::memory_order_acquire) &&
           s_queue.records[index].readyIn.load(std::memory_order_acquire) ==
               s_queue.epoch.load(std::memory_order_relaxed) + 1;
}

bool BandHasWork(const Band& band) {
    return !band.busy.load(std::memory_order_relaxed) &&
           RecordReady(band.next.load(std::memory_order_relaxed));
}

// Whether the bands next to a band that rows work `index` reads into have
// drawn everything before it.
bool NeighboursDrawn(const Record& record, u32 band, u32 index) {
    const RecordTriangles& t = record.triangles;
    return (band == t.firstBand || s_queue.bands[band - 1].next.load(std::memory_order_acquire) >= index) &&
           (band == t.lastBand || s_queue.bands[band + 1].next.load(std::memory_order_acquire) >= index);
}

// A set-up was streamed to memory by the thread that worked it out: its first
// `bytes` (what the draw reads) are asked for ahead, or every triangle starts
// with misses.
void PrefetchSetup(const Triangle& setup, u32 bytes) {
    const char* at = reinterpret_cast<const char*>(&setup);
    for (u32 offset = 0; offset < bytes; offset += alignof(Triangle))
        __builtin_prefetch(at + offset);
}

// Whether the band is done with record `index`: false while texels its
// triangles read are still to be copied, or rows its rows work reads still to
// be drawn, which other bands do first.
bool DrawRecord(u32 index, u32 band, int top, int bottom) {
    const Record& record = s_queue.records[index];
    const RecordTriangles& triangles = record.triangles;
    if (band < triangles.firstBand || band > triangles.lastBand)
        return true;
    if (record.rows != nullptr) {
        if (record.reach != 0 && !NeighboursDrawn(record, band, index))
            return false;
        record.rows(record.rowsContext, u32(top), u32(bottom));
        return true;
    }
    const DrawSnapshot& s = *record.snapshot;
    if (s.waits && !s.state.texturesReady(s.state.samplerContext, s.maps))
        return false;
    const u32 words = (triangles.count + 63) / 64;
    const u64* masks = triangles.masks + (band - triangles.firstBand) * words;
    // Each triangle's set-up is asked for while the one before it is drawn.
    const u32 setupBytes = SetupBytes(s.plan.tev.attrs);
    const Triangle* pending = nullptr;
    for (u32 word = 0; word < words; ++word)
        for (u64 bits = masks[word]; bits != 0; bits &= bits - 1) {
            const Triangle* next = &triangles.setups[word * 64 + u32(__builtin_ctzll(bits))];
            PrefetchSetup(*next, setupBytes);
            if (pending != nullptr)
                RasterizeTriangle(s.state, s.plan, s.views, *pending, top, bottom);
            pending = next;
        }
    if (pending != nullptr)
        RasterizeTriangle(s.state, s.plan, s.views, *pending, top, bottom);
    return true;
}

// By the thread that holds the band: its steps that can be taken now; how many.
u32 DrawBand(u32 index) {
    Band& band = s_queue.bands[index];
    const u32 first = band.next.load(std::memory_order_relaxed);
    u32 end = first;
    while (RecordReady(end))
        ++end;
    const int top = int(index * kBandRows);
    const int bottom = std::min(top + int(kBandRows), int(kEfbHeight)) - 1;
    u32 drawn = first;
    while (drawn < end && DrawRecord(drawn, index, top, bottom))
        ++drawn;
    if (drawn != first)
        band.next.store(drawn, std::memory_order_release);
    return drawn - first;
}

// Works out the next record handed out that no thread has taken; whether
// there was one.
bool WorkOutNextRecord() {
    Queue& q = s_queue;
    // Taken is emptied after submitted: the two seen in this order never
    // make a record of an emptied queue look handed out.
    u64 taken = q.taken.load(std::memory_order_acquire);
    while (u32(taken) < q.submitted.load(std::memory_order_acquire)) {
        if (q.taken.compare_exchange_weak(taken, taken + 1, std::memory_order_acq_rel,
                                          std::memory_order_relaxed)) {
            const u32 epoch = u32(taken >> 32);
            Record& record = q.records[u32(taken)];
            // A record queued ready (rows work, triangles worked out already)
            // is passed over; so is one taken just as the queue was emptied,
            // whose place a later round may be using again.
            if (record.readyIn.load(std::memory_order_acquire) <= epoch) {
                record.triangles = WorkOutRecord(*record.primitives, *record.snapshot);
                record.readyIn.store(epoch + 1, std::memory_order_release);
                q.worked.fetch_add(1, std::memory_order_release);
            }
            return true;
        }
    }
    return false;
}

// Whether the band was free and had steps that could be taken, now taken.
bool TryBand(u32 index) {
    Band& band = s_queue.bands[index];
    if (!BandHasWork(band) || band.busy.exchange(true, std::memory_order_acquire))
        return false;
    const u32 steps = DrawBand(index);
    band.busy.store(false, std::memory_order_release);
    if (steps == 0)
        return false;
    s_queue.bandSteps.fetch_add(steps, std::memory_order_release);
    return true;
}

// What changes when a band may have come to have steps that can be taken: a
// record handed out or worked out, or a band let go after steps (which may
// be what others wait for). A thread that found no band to draw need not look
// at them all again until this changes, and the lines of the bands stay with
// the threads drawing them.
struct QueueChanges {
    u32 epoch, submitted, worked, bandSteps;
    bool operator==(const QueueChanges&) const = default;
};

QueueChanges ChangesNow() {
    const Queue& q = s_queue;
    return {q.epoch.load(std::memory_order_acquire), q.submitted.load(std::memory_order_acquire),
            q.worked.load(std::memory_order_acquire), q.bandSteps.load(std::memory_order_acquire)};
}

// One step of the queue's work: a record to work out first, as the bands wait
// on them, else a band with steps to take. A pool thread draws its own bands
// first, every n-th from its place among the n pool threads, so that their rows
// stay in its cache from one record, and one frame, to the next; then anyone's,
// from where it last helped, so that the helpers spread out over them. The
// program's thread owns none: bands of its own would wait while it submits, and
// a copy to texture waits for every band it reads.
bool PollQueue() {
    if (WorkOutNextRecord())
        return true;
    thread_local QueueChanges idleAt{~0u, 0, 0, 0};
    const QueueChanges seen = ChangesNow();
    if (seen == idleAt)
        return false;
    const u32 threads = s_workers.Threads();
    const u32 slot = WorkerPool::Slot() % threads;
    if (slot != 0) {
        for (u32 index = slot - 1; index < kBands; index += threads - 1)
            if (TryBand(index))
                return true;
    }
    thread_local u32 from = slot * 7 % kBands;
    for (u32 i = 0, index = from; i < kBands; ++i, index = index + 1 == kBands ? 0 : index + 1) {
        if (TryBand(index)) {
            from = index;
            return true;
        }
    }
    idleAt = seen;
    return false;
}

// A record with nothing to work out (rows work, or triangles the program's
// thread worked out itself): ready once handed out.
void MarkReady(Record& record) {
    record.readyIn.store(s_queue.epoch.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

Record& NextRecord(const DrawSnapshot* snapshot) {
    Queue& q = s_queue;
    if (q.records == nullptr) {
        HostMemoryScope hostMemory;
        q.records.reset(new Record[kMaxRecords]);
    }
    Record& record = q.records[q.queued];
    record.snapshot = snapshot;
    record.rows = nullptr;
    return record;
}

// Hands out the records queued so far: either a thread looking for work sees
// them, or it is woken. No primitive joins them after this.
void HandOut() {
    s_queue.openTail = nullptr;
    s_queue.submitted.store(s_queue.queued, std::memory_order_release);
    PixelWorkers().Wake();
}

// A record that nothing joins: handed out at once.
void CountRecord() {
    ++s_queue.queued;
    HandOut();
}

// By the program's thread: everything queued drawn, the program's thread
// helping, and the queue emptied. Each band is taken once more, so that the
// next thread to hold it sees it empty. The current state stays for the
// records still to come; the others let go of their textures.
void DrawQueue() {
    Queue& q = s_queue;
    if (q.queued == 0)
        return;
    HandOut();
    const auto drawn = [] {
        return s_queue.bandSteps.load(std::memory_order_acquire) == s_queue.queued * kBands;
    };
    WorkerPool::HelpUntil(drawn, PollQueue);
    // A thread that takes a band after this sees no record of this round ready.
    const u32 epoch = q.epoch.fetch_add(1, std::memory_order_relaxed) + 1;
    for (Band& band : q.bands) {
        while (band.busy.exchange(true, std::memory_order_acquire))
            std::this_thread::yield();
        band.next.store(0, std::memory_order_relaxed);
        band.busy.store(false, std::memory_order_release);
    }
    q.submitted.store(0, std::memory_order_relaxed);
    q.taken.store(u64(epoch) << 32, std::memory_order_release);
    q.bandSteps.store(0, std::memory_order_relaxed);
    q.worked.store(0, std::memory_order_relaxed);
    q.queued = 0;
    q.mustFinish = false;
    ForgetRecords();
    if (q.snapshotsUsed > 1) {
        std::swap(q.snapshots[0], q.snapshots[q.snapshotsUsed - 1]);
        for (u32 i = 1; i < q.snapshotsUsed; ++i)
            q.snapshots[i]->textures.reset();
        q.snapshotsUsed = 1;
    }
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
    // Nothing queued holds a snapshot (the program's thread drawing alone
    // queues none): the room of the first is taken again.
    if (q.queued == 0) {
        for (u32 i = 1; i < q.snapshotsUsed; ++i)
            q.snapshots[i]->textures.reset();
        q.snapshotsUsed = 0;
    }
    HostMemoryScope hostMemory;
    if (q.snapshotsUsed == q.snapshots.size())
        q.snapshots.push_back(std::make_unique<DrawSnapshot>());
    DrawSnapshot& s = *q.snapshots[q.snapshotsUsed++];
    std::memcpy(&s.state, &state, sizeof state);
    // The texture maps as they are now: later loads and invalidations must not
    // reach triangles already drawn.
    s.maps = MapsUsed(state);
    s.textures = nullptr;
    if (state.capture != nullptr) {
        s.textures = state.capture(state.samplerContext, s.maps);
        s.state.samplerContext = const_cast<void*>(s.textures.get());
    }
    s.plan = PlanDraw(s.state);
    s.views = {};
    ViewTextures(s.state, s.plan, &s.views);
    s.waits = s.state.texturesReady != nullptr && !s.state.texturesReady(s.state.samplerContext, s.maps);
    return s;
}

const RasterState& SnapshotState(const DrawSnapshot& snapshot) {
    return snapshot.state;
}

const DrawPlan& SnapshotPlan(const DrawSnapshot& snapshot) {
    return snapshot.plan;
}

bool RecordRoom() {
    return s_queue.queued < kMaxRecords;
}

void QueueRecord(RecordedPrimitive& primitive, const DrawSnapshot& snapshot) {
    Queue& q = s_queue;
    if (q.openTail != nullptr && q.records[q.queued - 1].snapshot == &snapshot &&
        q.openVertices + primitive.count <= kBatchVertices) {
        q.openTail->next = &primitive;
        q.openTail = &primitive;
        q.openVertices += primitive.count;
        return;
    }
    // The records before it are handed out as it starts a record of its own.
    if (q.queued != 0)
        HandOut();
    Record& record = NextRecord(&snapshot);
    record.primitives = &primitive;
    q.openTail = &primitive;
    q.openVertices = primitive.count;
    q.mustFinish = true;
    ++q.queued;
}

void QueueTriangles(const RecordTriangles& triangles, const DrawSnapshot& snapshot) {
    Record& record = NextRecord(&snapshot);
    record.triangles = triangles;
    MarkReady(record);
    s_queue.mustFinish = true;
    CountRecord();
}

void DrawTriangle(const DrawSnapshot& snapshot, const Triangle& setup) {
    RasterizeTriangle(snapshot.state, snapshot.plan, snapshot.views, setup, 0, int(kEfbHeight) - 1);
}

u32 QueueEpoch() {
    return s_queue.epoch.load(std::memory_order_relaxed);
}

void QueueRowsWork(RowsWork work, const void* context, std::size_t size, u32 top, u32 bottom, bool lazy,
                   u32 reach) {
    if (size > kRowsContextSize || top > bottom || top >= kEfbHeight || reach > kBandRows)
        return;
    if (!RecordRoom())
        DrawQueue();
    Record& record = NextRecord(nullptr);
    record.rows = work;
    record.reach = reach;
    std::memcpy(record.rowsContext, context, size);
    record.triangles = {};
    record.triangles.firstBand = BandOf(top);
    record.triangles.lastBand = BandOf(bottom);
    MarkReady(record);
    s_queue.mustFinish |= !lazy;
    CountRecord();
    // Records after it could change the rows it reads on the bands around it.
    if (reach != 0)
        FinishFrameBuffer();
}

WorkerPool& PixelWorkers() {
    // The threads end before the program's statics go: they may still be
    // working on what it left queued, which points to them. The program's
    // thread, whose own thread-locals are gone by then, does not help.
    static const int stopAtExit = std::atexit([] { s_workers.SetThreads(1); });
    (void)stopAtExit;
    return s_workers;
}

void FinishPixels() {
    if (s_queue.mustFinish)
        FinishFrameBuffer();
}

void FinishRows(u32 top, u32 bottom, u32 afterPieces, WorkerPool::Job after, void* context) {
    Queue& q = s_queue;
    const u32 firstBand = BandOf(top), lastBand = BandOf(bottom);
    if (q.queued != 0 && firstBand <= lastBand) {
        StageTimer timer(kGXStagePixel);
        HandOut();
        // The bands the rows cross: the others go on.
        const auto drawn = [firstBand, lastBand] {
            for (u32 band = firstBand; band <= lastBand; ++band)
                if (s_queue.bands[band].next.load(std::memory_order_acquire) != s_queue.queued)
                    return false;
            return true;
        };
        // Anyone's work once these bands have none: they may be waiting for
        // texels that other bands copy.
        const auto help = [firstBand, lastBand] {
            if (WorkOutNextRecord())
                return true;
            for (u32 band = firstBand; band <= lastBand; ++band)
                if (TryBand(band))
                    return true;
            return PollQueue();
        };
        WorkerPool::HelpUntil(drawn, help);
    }
    s_workers.Run(afterPieces, after, context);
}

void FinishFrameBuffer(u32 afterPieces, WorkerPool::Job after, void* context) {
    if (s_queue.queued == 0 && afterPieces == 0)
        return;
    StageTimer timer(kGXStagePixel);
    DrawQueue();
    s_workers.Run(afterPieces, after, context);
}

}  // namespace console::gx
