// The pixel stage across threads. Placed triangles are queued with a copy of
// the state they were drawn with and binned to bands of rows; when something
// reads what the bands hold (EfbGet, a copy, a draw-done) the triangles are set
// up, a batch to a thread, and then the bands drawn, each band by one thread in
// the order the triangles came, in one job of the pixel threads with whatever
// reads them (a copy) and whatever clears them first. A pixel's values depend
// only on its triangle and the pixel before it, so the picture is the same
// whatever the number of threads.
#pragma once

#include "console/gx/gx_workers.h"
#include "console/types.h"

namespace console::gx {

struct DrawPlan;
struct RasterState;
struct ScreenVertex;
struct TrianglePlace;

// The threads that draw pixels, the program's own included: `configured` when
// not 0, else BOWLING_GX_THREADS from the environment, else the processor's cores.
u32 ChoosePixelThreads(u32 configured);
// Finishes the queued work first.
void SetPixelThreads(u32 threads);
u32 PixelThreads();

// Makes `state` the state of the triangles queued next and returns its plan.
DrawPlan QueueState(const RasterState& state);
// Queues a triangle placed under the last QueueState's state; its edges and
// planes are set up when the queue is drawn, on the pool's threads.
void QueueTriangle(const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2,
                   const TrianglePlace& place);
// Work on a band of the frame buffer's rows, top to bottom inclusive.
using RowsWork = void (*)(const void* context, u32 top, u32 bottom);
// Queues `work` on every band, before the triangles queued after it; the
// context must last until the buffer is next finished. Finishes the buffer
// first when work is queued already.
void QueueRowsWork(RowsWork work, const void* context);
// Draws the queued triangles, and the rows work before them, and returns when
// they are in the frame buffer. Rows work with no triangles after it waits for
// the next reader of the buffer.
void FinishPixels();
// Everything queued done, then `after`'s pieces run on the pixel threads, in
// the same job, once every band is drawn.
void FinishFrameBuffer(const WorkerPool::Phase& after = {}, void* context = nullptr);

}  // namespace console::gx
