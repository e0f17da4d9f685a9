// The pixel stage across threads. Placed triangles are queued with a copy of
// the state they were drawn with and handed to the pixel threads a batch at a
// time, while the program goes on: a batch is set up by one thread and binned
// to bands of rows, and each band drawn by one thread at a time, its triangles
// in the order they came. Whatever reads what the bands hold (EfbGet, a copy, a
// draw-done) waits for the queue to be drawn, the program's thread helping. A
// pixel's values depend only on its triangle and the pixel before it, so the
// picture is the same whatever the number of threads.
#pragma once

#include "console/gx/gx_workers.h"
#include "console/types.h"

namespace console::gx {

enum class Cull : u8;
struct DrawPlan;
struct RasterState;
struct ScreenVertex;

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

// The triangle queue, filled by whoever holds the geometry lane (gx_geometry.h),
// or by the program's thread once the lane is finished.
//
// Room for the screen vertices of a draw, taken as it starts: its triangles
// then point to them, and the room lasts until they are drawn. Queued
// triangles may be drawn first to make room.
ScreenVertex* DrawVertices(u32 count);
// Room for vertices a draw makes as it goes on (clipped corners, the corners of
// lines and points), alike.
ScreenVertex* LooseVertices(u32 count);
// Queues a triangle, its vertices in room from the two above; it is placed
// (culled, snapped and fitted to the scissor) and its edges and planes set up
// on the pool's threads.
void QueueTriangle(const DrawSnapshot& snapshot, const ScreenVertex& v0, const ScreenVertex& v1,
                   const ScreenVertex& v2, Cull cull);

// The pool the pixels and the geometry lane run on.
WorkerPool& PixelWorkers();

// The program's thread's, each finishing the geometry lane first.
// Work on a band of the frame buffer's rows, top to bottom inclusive.
using RowsWork = void (*)(const void* context, u32 top, u32 bottom);
// Queues `work` on every band, before the triangles queued after it; the
// context must last until the buffer is next finished. Finishes the buffer
// first.
void QueueRowsWork(RowsWork work, const void* context);
// Draws the queued triangles, and the rows work before them, and returns when
// they are in the frame buffer. Rows work with no triangles after it need not be
// done yet: it is, before the next reader of the buffer.
void FinishPixels();
// Everything queued done, then `after`'s pieces run on the pixel threads.
void FinishFrameBuffer(u32 afterPieces = 0, WorkerPool::Job after = nullptr, void* context = nullptr);

}  // namespace console::gx
