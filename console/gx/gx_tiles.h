// The pixel stage across threads. What the program draws is queued as records,
// one a run of primitives drawn with one state, with a copy of it, and handed
// to the pixel threads while the program goes on: any thread takes a record and
// works out its triangles (gx_geometry.h), set up and binned to bands of rows;
// each band is drawn by one thread at a time, record after record in the order
// they came; rows work (a clear, a copy) is queued as a record too. Whatever
// reads what the bands hold (EfbGet, a display copy, a draw-done) waits for the
// queue to be drawn, the program's thread helping; a mip level's copy waits
// only for the bands it reads. A pixel's values depend only on its triangle
// and the pixel before it, so the picture is the same whatever the number of
// threads. The program's thread alone queues only rows work, and draws each
// triangle whole as it works it out.
#pragma once

#include <algorithm>
#include <cstddef>

#include "console/gx/gx_efb.h"
#include "console/gx/gx_workers.h"
#include "console/types.h"

namespace console::gx {

struct DrawPlan;
struct RasterState;
struct RecordedPrimitive;
struct Triangle;

// Bands of a few rows give every thread work in a frame whose triangles crowd
// into part of the screen.
constexpr u32 kBandRows = 16;
constexpr u32 kBands = (kEfbHeight + kBandRows - 1) / kBandRows;

// The band that holds a row; rows past the buffer's end are in its last.
constexpr u32 BandOf(u32 row) {
    return (row < kEfbHeight ? row : kEfbHeight - 1) / kBandRows;
}

// The threads that draw pixels, the program's own included: `configured` when
// not 0, else BOWLING_GX_THREADS from the environment, else the processor's cores.
u32 ChoosePixelThreads(u32 configured);
// Finishes the queued work first.
void SetPixelThreads(u32 threads);
u32 PixelThreads();

// A state triangles are queued with, kept as it was until they are drawn.
struct DrawSnapshot;
// The snapshot of `state` as it is now: the last one while it is unchanged.
// The program's thread's.
const DrawSnapshot& QueueState(const RasterState& state);
const RasterState& SnapshotState(const DrawSnapshot& snapshot);
const DrawPlan& SnapshotPlan(const DrawSnapshot& snapshot);

// A record's triangles, set up: those each band draws are the bits of
// `words` words per band from `firstBand` to `lastBand`, band after band.
struct RecordTriangles {
    const Triangle* setups = nullptr;
    const u64* masks = nullptr;
    u32 count = 0;
    u32 firstBand = 1, lastBand = 0;  // none
};

// The program's thread's. Whether a record can be queued without drawing the
// queue first (which frees what earlier records hold).
bool RecordRoom();
// Queues a primitive, drawn with `snapshot`, for the threads to work out: it
// joins the last record if that is of primitives drawn with it, not yet handed
// out, and not too large to share out.
void QueueRecord(RecordedPrimitive& primitive, const DrawSnapshot& snapshot);
// Queues triangles the program's thread has worked out itself; RecordRoom
// must hold.
void QueueTriangles(const RecordTriangles& triangles, const DrawSnapshot& snapshot);
// The program's thread's while it draws alone and nothing is queued: the
// triangle's pixels, drawn now.
void DrawTriangle(const DrawSnapshot& snapshot, const Triangle& setup);
// Bumped each time the queue is drawn and emptied: what records held is free.
u32 QueueEpoch();

// The pool the threads run on.
WorkerPool& PixelWorkers();

// Work on a band of the frame buffer's rows, top to bottom inclusive.
using RowsWork = void (*)(const void* context, u32 top, u32 bottom);
// The rows of a band, top..bottom, among the `count` rows from `first`:
// begin..end, end excluded.
struct RowRange {
    u32 begin, end;
};
constexpr RowRange RowsWithin(u32 top, u32 bottom, u32 first, u32 count) {
    return {std::max(top, first), std::min(bottom + 1, first + count)};
}
constexpr std::size_t kRowsContextSize = 40;
// Queues `work` on the bands that rows top..bottom cross, after the records
// queued before it and before those after it; the queue keeps a copy of the
// `size` bytes of its context (at most kRowsContextSize). Lazy work (a clear)
// need not be done until the next reader of the buffer; other work (a copy) is
// done by a draw done too. Work that reads `reach` rows (at most a band's)
// above and below each band's is done, and everything before it, when this
// returns: on a band once its neighbours within top..bottom have drawn
// everything before it.
void QueueRowsWork(RowsWork work, const void* context, std::size_t size, u32 top, u32 bottom, bool lazy,
                   u32 reach);
// Draws the queued records, and the rows work before them, and returns when
// they are in the frame buffer. Lazy rows work with no records after it need
// not be done yet: it is, before the next reader of the buffer.
void FinishPixels();
// Everything queued done, then `after`'s pieces run on the pixel threads.
void FinishFrameBuffer(u32 afterPieces = 0, WorkerPool::Job after = nullptr, void* context = nullptr);
// Everything queued done on rows top..bottom, then `after`'s pieces run on
// the pixel threads while the rest of the buffer is drawn; `after` may read
// those rows only.
void FinishRows(u32 top, u32 bottom, u32 afterPieces, WorkerPool::Job after, void* context);

}  // namespace console::gx
