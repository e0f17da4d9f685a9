#include "console/gx/gx_geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "console/gx/gx_rasterize.h"
#include "console/gx/gx_scratch.h"
#include "console/gx/gx_setup.h"
#include "console/gx/gx_stream.h"
#include "console/host_services.h"

namespace console::gx {
namespace {

// A thread's room for the set-ups and masks of the records it works out, kept
// until the queue is drawn: taken from the front again in the next epoch. A
// record's set-ups lie together; a chunk too small for them moves them to a
// larger one.
class Output {
public:
    void Begin() {
        const u32 epoch = QueueEpoch();
        if (epoch != m_epoch) {
            m_epoch = epoch;
            m_chunk = 0;
            m_used = 0;
        }
        m_count = 0;
        m_bands.clear();
        m_firstBand = kBands;
        m_lastBand = 0;
        m_first = Room(0, alignof(Triangle));
        // Alone, the thread reads its set-ups back itself, from its caches.
        m_stream = PixelThreads() > 1;
    }

    bool Streams() const { return m_stream; }

    Triangle* NextSetup(u32 firstBand, u32 lastBand) {
        const u32 bytes = (m_count + 1) * u32(sizeof(Triangle));
        if (m_first + bytes > m_chunks[m_chunk].size) {
            // The record's set-ups so far move to a chunk that takes twice
            // as many.
            Triangle* const from = Setups();
            m_first = Room(2 * bytes, alignof(Triangle));
            std::memmove(Setups(), from, bytes - sizeof(Triangle));
        }
        m_used = m_first + bytes;
        m_bands.push_back(u8(firstBand));
        m_bands.push_back(u8(lastBand));
        m_firstBand = std::min(m_firstBand, firstBand);
        m_lastBand = std::max(m_lastBand, lastBand);
        return Setups() + m_count++;
    }

    RecordTriangles End() {
        // The streamed set-ups reach memory before the record is handed on.
        StreamFence();
        RecordTriangles out;
        out.count = m_count;
        if (m_count == 0)
            return out;
        out.setups = Setups();
        out.firstBand = m_firstBand;
        out.lastBand = m_lastBand;
        const u32 words = (m_count + 63) / 64;
        const u32 masks = (out.lastBand - out.firstBand + 1) * words;
        const u32 at = Room(masks * 8, alignof(u64));
        u64* mask = reinterpret_cast<u64*>(m_chunks[m_chunk].bytes + at);
        m_used = at + masks * 8;
        std::fill(mask, mask + masks, 0);
        for (u32 i = 0; i < m_count; ++i)
            for (u32 band = m_bands[2 * i]; band <= m_bands[2 * i + 1]; ++band)
                mask[(band - out.firstBand) * words + i / 64] |= u64(1) << (i % 64);
        out.masks = mask;
        return out;
    }

private:
    // On whole cache lines, as the set-ups are.
    struct Chunk {
        std::unique_ptr<u8[]> storage;
        u8* bytes;
        u32 size;
    };
    static constexpr u32 kChunkBytes = 1u << 20;
    static constexpr u32 kLine = alignof(Triangle);

    Triangle* Setups() { return reinterpret_cast<Triangle*>(m_chunks[m_chunk].bytes + m_first); }

    // The offset of `bytes` in the current chunk, the next one when they do
    // not fit; not yet taken.
    u32 Room(u32 bytes, u32 align) {
        u32 at = (m_used + align - 1) / align * align;
        if (m_chunks.empty() || at + bytes > m_chunks[m_chunk].size) {
            if (!m_chunks.empty())
                ++m_chunk;
            if (m_chunk == m_chunks.size() || m_chunks[m_chunk].size < bytes) {
                HostMemoryScope hostMemory;
                const u32 size = std::max(kChunkBytes, bytes);
                auto storage = std::make_unique<u8[]>(size + kLine - 1);
                u8* const first = reinterpret_cast<u8*>(
                    (reinterpret_cast<std::uintptr_t>(storage.get()) + kLine - 1) / kLine * kLine);
                m_chunks.insert(m_chunks.begin() + m_chunk, Chunk{std::move(storage), first, size});
            }
            m_used = 0;
            at = 0;
        }
        return at;
    }

    std::vector<Chunk> m_chunks;
    u32 m_chunk = 0;
    u32 m_used = 0;
    u32 m_epoch = ~0u;
    // The record's.
    u32 m_first = 0;  // offset of its first set-up
    u32 m_count = 0;
    bool m_stream = false;
    std::vector<u8> m_bands;              // the first and last band of each set-up
    u32 m_firstBand = 0, m_lastBand = 0;  // of them all
};

// Rooms outlive their threads: records drawn after a thread has ended (the
// program's own, at its exit) point into them. A thread that ends hands its
// room back for the next to take.
class Outputs {
public:
    Output* Take() {
        const std::lock_guard lock(m_lock);
        if (m_free.empty()) {
            HostMemoryScope hostMemory;
            m_all.push_back(std::make_unique<Output>());
            return m_all.back().get();
        }
        Output* output = m_free.back();
        m_free.pop_back();
        return output;
    }
    void Give(Output* output) {
        const std::lock_guard lock(m_lock);
        HostMemoryScope hostMemory;
        m_free.push_back(output);
    }

private:
    std::mutex m_lock;
    std::vector<std::unique_ptr<Output>> m_all;
    std::vector<Output*> m_free;
};

Outputs s_outputs;

struct ThreadOutput {
    Output* const output = s_outputs.Take();
    ~ThreadOutput() { s_outputs.Give(output); }
};

thread_local ThreadOutput t_thread;

Output& ThisOutput() {
    return *t_thread.output;
}
thread_local std::vector<ScreenVertex> t_drawVertices;
thread_local std::vector<ScreenVertex> t_looseVertices;
// Triangles are drawn as they are set up, not kept.
thread_local bool t_drawing = false;

}  // namespace

ScreenVertex* DrawVertices(u32 count) {
    return Scratch(t_drawVertices, count);
}

ScreenVertex* LooseVertices(u32 count) {
    return Scratch(t_looseVertices, count);
}

void QueueTriangle(const DrawSnapshot& snapshot, const ScreenVertex& v0, const ScreenVertex& v1,
                   const ScreenVertex& v2, Cull cull) {
    TrianglePlace place;
    if (!PlaceTriangle(v0, v1, v2, cull, SnapshotState(snapshot).scissor, &place))
        return;
    const ScreenVertex* const corners[3] = {&v0, &v1, &v2};
    const AttrMask attrs = SnapshotPlan(snapshot).tev.attrs;
    if (t_drawing) {
        Triangle setup;
        SetupTriangle(corners, place, attrs, &setup);
        DrawTriangle(snapshot, setup);
        return;
    }
    Output& output = ThisOutput();
    Triangle* setup = output.NextSetup(u32(place.minY) / kBandRows, u32(place.maxY) / kBandRows);
    if (!output.Streams()) {
        SetupTriangle(corners, place, attrs, setup);
        return;
    }
    // Worked out in the thread's own copy, then streamed: other threads read
    // the record's room, and did the last time round.
    thread_local Triangle staged;
    SetupTriangle(corners, place, attrs, &staged);
    StreamLines(setup, &staged, SetupBytes(attrs));
}

void BeginTriangles(bool drawn) {
    t_drawing = drawn;
    if (!drawn)
        ThisOutput().Begin();
}

RecordTriangles EndTriangles() {
    return ThisOutput().End();
}

}  // namespace console::gx
