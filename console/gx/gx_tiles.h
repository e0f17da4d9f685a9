// The pixel stage across threads. Set-up triangles are queued with a copy of
// the state they were drawn with and binned to bands of rows; the bands are
// drawn when something reads what they hold (EfbGet, a copy, a draw-done), each
// band by one thread in the order the triangles came. A pixel's values depend
// only on its triangle and the pixel before it, so the picture is the same
// whatever the number of threads.
#pragma once

#include "console/types.h"

namespace console::gx {

struct DrawPlan;
struct RasterState;
struct Triangle;

// The threads that draw pixels, the program's own included: `configured` when
// not 0, else BOWLING_GX_THREADS from the environment, else the processor's cores.
u32 ChoosePixelThreads(u32 configured);
// Finishes the queued work first.
void SetPixelThreads(u32 threads);
u32 PixelThreads();

// Makes `state` the state of the triangles queued next and returns its plan.
DrawPlan QueueState(const RasterState& state);
// Queues a triangle set up under the last QueueState's state.
void QueueTriangle(const Triangle& tri);
// Draws everything queued and returns when it is in the frame buffer.
void FinishPixels();

}  // namespace console::gx
