#include "console/gx/gx_tiles.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "console/gx.h"
#include "console/gx/gx_efb.h"
#include "console/gx/gx_rasterize.h"
#include "console/gx/gx_scratch.h"
#include "console/gx/gx_stage_timing.h"
#include "console/gx/gx_workers.h"
#include "console/host_services.h"

namespace console::gx {

namespace {

constexpr u32 kMaxThreads = 64;
// Bands of a few rows give every thread work in a frame whose triangles crowd
// into part of the screen.
constexpr u32 kBandRows = 8;
constexpr u32 kBands = (kEfbHeight + kBandRows - 1) / kBandRows;
// Past this many triangles the queue is drawn: it bounds the memory a frame takes.
constexpr std::size_t kMaxQueued = 16384;

// What a run of triangles is drawn with, kept unchanged until they are drawn.
struct Snapshot {
    RasterState state;  // its texture context the captured one
    std::shared_ptr<const void> textures;
    DrawPlan plan;
    TexViews views;
};

struct Queued {
    ScreenVertex v[3];
    TrianglePlace place;
    u32 snapshot;
};

// Triangles set up by one piece of the set-up job.
constexpr u32 kSetupBatch = 64;

struct Queue {
    std::vector<Snapshot> snapshots;  // the last is the current state
    std::vector<Queued> triangles;
    std::vector<Triangle> setup;  // by triangle, once the queue is drawn
    // Triangles by band, in the order drawn, each with its snapshot: the
    // records themselves are large, and a band reads few of them whole.
    struct Entry {
        u32 triangle, snapshot;
    };
    std::vector<Entry> bands[kBands];
    // Done on each band before its triangles.
    RowsWork rowsWork = nullptr;
    const void* rowsContext = nullptr;
};

Queue s_queue;
WorkerPool s_workers;

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
    return !s_queue.triangles.empty() || s_queue.rowsWork != nullptr;
}

void SetupBatch(void*, u32 batch) {
    const u32 end = std::min<u32>((batch + 1) * kSetupBatch, u32(s_queue.triangles.size()));
    for (u32 i = batch * kSetupBatch; i < end; ++i) {
        const Queued& q = s_queue.triangles[i];
        SetupTriangle(q.v, q.place, s_queue.snapshots[q.snapshot].plan.tev.attrs, &s_queue.setup[i]);
    }
}

void DrawBand(void*, u32 band) {
    const int top = int(band * kBandRows);
    const int bottom = std::min(top + int(kBandRows), int(kEfbHeight)) - 1;
    if (s_queue.rowsWork != nullptr)
        s_queue.rowsWork(s_queue.rowsContext, u32(top), u32(bottom));
    for (const Queue::Entry& e : s_queue.bands[band]) {
        const Snapshot& s = s_queue.snapshots[e.snapshot];
        RasterizeTriangle(s.state, s.plan, s.views, s_queue.setup[e.triangle], top, bottom);
    }
}

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
    FinishPixels();
    s_workers.SetThreads(std::clamp<u32>(threads, 1, kMaxThreads));
}

u32 PixelThreads() {
    return s_workers.Threads();
}

DrawPlan QueueState(const RasterState& state) {
    std::vector<Snapshot>& snapshots = s_queue.snapshots;
    if (!snapshots.empty() && std::memcmp(&snapshots.back().state, &state, sizeof state) == 0)
        return snapshots.back().plan;
    HostMemoryScope hostMemory;
    Snapshot& s = snapshots.emplace_back();
    std::memcpy(&s.state, &state, sizeof state);
    // The texture maps as they are now: later loads and invalidations must not
    // reach triangles already drawn.
    if (state.capture != nullptr) {
        s.textures = state.capture(state.samplerContext, MapsUsed(state));
        s.state.samplerContext = const_cast<void*>(s.textures.get());
    }
    s.plan = PlanDraw(s.state);
    ViewTextures(s.state, s.plan, &s.views);
    return s.plan;
}

void QueueTriangle(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2,
                   const TrianglePlace& place) {
    if (s_queue.triangles.size() == kMaxQueued)
        FinishPixels();
    const u32 index = u32(s_queue.triangles.size());
    HostMemoryScope hostMemory;
    const u32 snapshot = u32(s_queue.snapshots.size() - 1);
    s_queue.triangles.push_back({{v0, v1, v2}, place, snapshot});
    for (u32 band = u32(place.minY) / kBandRows; band <= u32(place.maxY) / kBandRows; ++band)
        s_queue.bands[band].push_back({index, snapshot});
}

void QueueRowsWork(RowsWork work, const void* context) {
    if (s_queue.rowsWork != nullptr)
        FinishFrameBuffer();
    s_queue.rowsWork = work;
    s_queue.rowsContext = context;
}

void FinishPixels() {
    if (!s_queue.triangles.empty())
        FinishFrameBuffer();
}

void FinishFrameBuffer(const WorkerPool::Phase& after, void* context) {
    if (!AnythingQueued() && after.count == 0)
        return;
    {
        StageTimer timer(kGXStagePixel);
        const u32 count = u32(s_queue.triangles.size());
        Scratch(s_queue.setup, count);
        // Set-up, bands and what reads them in one job: the threads are woken
        // once, and none waits on a sleeping one between the steps.
        const WorkerPool::Phase phases[] = {
            {(count + kSetupBatch - 1) / kSetupBatch, SetupBatch},
            {AnythingQueued() ? kBands : 0, DrawBand},
            after,
        };
        s_workers.Run(phases, context);
    }
    s_queue.rowsWork = nullptr;
    s_queue.rowsContext = nullptr;
    s_queue.triangles.clear();
    for (std::vector<Queue::Entry>& band : s_queue.bands)
        band.clear();
    // The current state stays for the triangles still to come.
    std::vector<Snapshot>& snapshots = s_queue.snapshots;
    HostMemoryScope hostMemory;
    if (!snapshots.empty())
        snapshots.erase(snapshots.begin(), snapshots.end() - 1);
}

}  // namespace console::gx
