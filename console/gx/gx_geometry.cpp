#include "console/gx/gx_geometry.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "console/gx/gx_primitive.h"
#include "console/gx/gx_tiles.h"
#include "console/gx/gx_transform.h"
#include "console/gx/gx_vertex.h"
#include "console/host_services.h"

namespace console::gx {
namespace {

// Past either the lane is finished before more is recorded: they bound the
// memory a frame takes.
constexpr u32 kMaxRecords = 4096;
constexpr u32 kStoreBytes = 4u << 20;
constexpr u32 kStoreAlign = 16;

// A line each: the program's thread writes the next while the holder reads one.
struct alignas(64) Recorded {
    GXPrimitive type;
    u32 count;
    const u8* data;
    const VertexLayout* layout;
    const VertexPlan* plan;
    const DrawSnapshot* snapshot;
};

// What the program's thread records, drawn by the lane's holder. A record and
// everything it points to is written before it is handed out, and not changed
// until the lane is finished. What the holders write is on cache lines of its
// own.
struct Lane {
    // The program's thread's own.
    std::unique_ptr<Recorded[]> records;
    std::unique_ptr<u8[]> store;  // the records' vertices, plans and layouts
    u32 stored = 0;
    u32 recorded = 0;
    const VertexPlan* lastPlan = nullptr;
    const VertexLayout* lastLayout = nullptr;

    // Records handed out.
    alignas(64) std::atomic<u32> submitted = 0;
    // Whether a thread holds the lane, and the records it has drawn.
    alignas(64) std::atomic<bool> held = false;
    std::atomic<u32> done = 0;
};

Lane s_lane;

constexpr u32 Aligned(u32 bytes) {
    return (bytes + kStoreAlign - 1) / kStoreAlign * kStoreAlign;
}

// Room in the store, whose size the caller has checked.
u8* Store(const void* from, u32 bytes) {
    u8* at = s_lane.store.get() + s_lane.stored;
    std::memcpy(at, from, bytes);
    s_lane.stored += Aligned(bytes);
    return at;
}

// The copy of `value` in the store: the last one while it is unchanged.
template <typename T>
const T* Keep(const T& value, const T*& last) {
    if (last == nullptr || std::memcmp(last, &value, sizeof value) != 0)
        last = reinterpret_cast<const T*>(Store(&value, sizeof value));
    return last;
}

}  // namespace

void RecordPrimitive(GXPrimitive type, const VertexLayout& layout, const u8* data, u32 count) {
    Lane& lane = s_lane;
    const u32 bytes = count * layout.size;
    const u32 room = Aligned(bytes) + Aligned(sizeof(VertexPlan)) + Aligned(sizeof(VertexLayout));
    if (room > kStoreBytes) {
        // Larger than the store: drawn now, in its turn.
        FinishGeometry();
        DrawRecordedPrimitive(type, layout, data, count, PlanVertices(), QueueState(RasterStateCurrent()));
        return;
    }
    if (lane.recorded == kMaxRecords || lane.stored + room > kStoreBytes)
        FinishGeometry();
    if (lane.records == nullptr) {
        HostMemoryScope hostMemory;
        lane.records.reset(new Recorded[kMaxRecords]);
        lane.store.reset(new u8[kStoreBytes]);
    }
    const DrawSnapshot& snapshot = QueueState(RasterStateCurrent());
    const VertexPlan* plan = Keep(PlanVertices(), lane.lastPlan);
    const VertexLayout* kept = Keep(layout, lane.lastLayout);
    lane.records[lane.recorded++] = {type, count, Store(data, bytes), kept, plan, &snapshot};
    // Either the holder sees the record before it lets go, or the lane is seen free.
    lane.submitted.store(lane.recorded, std::memory_order_seq_cst);
    if (!lane.held.load(std::memory_order_seq_cst))
        PixelWorkers().Wake();
}

bool PollGeometry() {
    Lane& lane = s_lane;
    if (lane.done.load(std::memory_order_relaxed) == lane.submitted.load(std::memory_order_relaxed) ||
        lane.held.load(std::memory_order_relaxed) || lane.held.exchange(true, std::memory_order_acquire))
        return false;
    bool drew = false;
    for (;;) {
        // Done is told once the lane has caught up: the program's thread
        // watches it, and a store each time would take the line from it.
        u32 done = lane.done.load(std::memory_order_relaxed);
        for (u32 submitted; (submitted = lane.submitted.load(std::memory_order_acquire)) != done; drew = true)
            for (; done < submitted; ++done) {
                const Recorded& r = lane.records[done];
                DrawRecordedPrimitive(r.type, *r.layout, r.data, r.count, *r.plan, *r.snapshot);
            }
        lane.done.store(done, std::memory_order_release);
        lane.held.store(false, std::memory_order_seq_cst);
        if (lane.submitted.load(std::memory_order_seq_cst) == lane.done.load(std::memory_order_relaxed) ||
            lane.held.exchange(true, std::memory_order_acquire))
            return drew;
    }
}

void FinishGeometry() {
    Lane& lane = s_lane;
    if (lane.recorded == 0)
        return;
    PixelWorkers().HelpUntil(lane.done, lane.recorded);
    // Emptied with the lane held: a thread may still be looking at it.
    while (lane.held.exchange(true, std::memory_order_acquire))
        std::this_thread::yield();
    lane.submitted.store(0, std::memory_order_relaxed);
    lane.done.store(0, std::memory_order_relaxed);
    lane.held.store(false, std::memory_order_release);
    lane.recorded = 0;
    lane.stored = 0;
    lane.lastPlan = nullptr;
    lane.lastLayout = nullptr;
}

}  // namespace console::gx
