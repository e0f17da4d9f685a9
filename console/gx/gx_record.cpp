// Recording primitives for the pixel queue.
#include <cstring>
#include <memory>
#include <new>

#include "console/gx/gx_geometry.h"
#include "console/gx/gx_transform.h"
#include "console/gx/gx_vertex.h"
#include "console/host_services.h"

namespace console::gx {
namespace {

// Past it the queue is drawn before more is recorded: it bounds the memory a
// frame takes.
constexpr u32 kStoreBytes = 4u << 20;
constexpr u32 kStoreAlign = 16;

// The program's thread's copies of what its records read.
struct Store {
    std::unique_ptr<u8[]> bytes;
    u32 used = 0;
    const VertexPlan* lastPlan = nullptr;
    const VertexLayout* lastLayout = nullptr;
    // What the last ones were made from: while it stands, they stand.
    u32 frontVersion = 0;
    const VertexLayout* layoutSource = nullptr;
    u8 numChans = 0, numTexGens = 0;
};

Store s_store;

constexpr u32 Aligned(u32 bytes) {
    return (bytes + kStoreAlign - 1) / kStoreAlign * kStoreAlign;
}

// Room in the store, whose size the caller has checked.
u8* Room(u32 bytes) {
    u8* at = s_store.bytes.get() + s_store.used;
    s_store.used += Aligned(bytes);
    return at;
}

u8* Keep(const void* from, u32 bytes) {
    u8* at = Room(bytes);
    std::memcpy(at, from, bytes);
    return at;
}

// The copy of `value` in the store: the last one while it is unchanged.
template <typename T>
const T* KeepLast(const T& value, const T*& last) {
    if (last == nullptr || std::memcmp(last, &value, sizeof value) != 0)
        last = reinterpret_cast<const T*>(Keep(&value, sizeof value));
    return last;
}

}  // namespace

bool RecordPrimitive(GXPrimitive type, const VertexLayout& layout, const u8* data, u32 count) {
    const u32 bytes = count * layout.size;
    const u32 room = Aligned(sizeof(RecordedPrimitive)) + Aligned(bytes) + Aligned(sizeof(VertexPlan)) +
                     Aligned(sizeof(VertexLayout));
    if (room > kStoreBytes)
        return false;
    if (!RecordRoom() || s_store.used + room > kStoreBytes)
        FinishFrameBuffer();
    if (s_store.bytes == nullptr) {
        HostMemoryScope hostMemory;
        s_store.bytes.reset(new u8[kStoreBytes]);
    }
    Store& store = s_store;
    const RasterState& raster = RasterStateCurrent();
    if (store.lastPlan == nullptr || store.frontVersion != FrontStateVersion() ||
        store.layoutSource != &layout || store.numChans != raster.numChans ||
        store.numTexGens != raster.numTexGens) {
        KeepLast(PlanVertices(), store.lastPlan);
        KeepLast(layout, store.lastLayout);
        store.frontVersion = FrontStateVersion();
        store.layoutSource = &layout;
        store.numChans = raster.numChans;
        store.numTexGens = raster.numTexGens;
    }
    // Kept beside its vertices: the thread that works it out reads both.
    u8* const place = Room(sizeof(RecordedPrimitive));
    auto* primitive = new (place)
        RecordedPrimitive{type, count, Keep(data, bytes), store.lastLayout, store.lastPlan, nullptr};
    QueueRecord(*primitive, QueueState(raster));
    return true;
}

void ForgetRecords() {
    s_store.used = 0;
    s_store.lastPlan = nullptr;
    s_store.lastLayout = nullptr;
}

}  // namespace console::gx
