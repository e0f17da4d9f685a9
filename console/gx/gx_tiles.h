// The pixel stage across threads. Placed triangles are queued with a copy of
// the state they were drawn with and binned to bands of rows; when something
// reads what the bands hold (EfbGet, a copy, a draw-done) the triangles are set
// up, a batch to a thread, and then the bands drawn, each band by one thread in
// the order the triangles came. A pixel's values depend
// only on its triangle and the pixel before it, so the picture is the same
// whatever the number of threads.
#pragma once

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
// Draws everything queued and returns when it is in the frame buffer.
void FinishPixels();

}  // namespace console::gx
