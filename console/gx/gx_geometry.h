// The geometry of the pixel queue's records (gx_tiles.h): a primitive the
// program draws is recorded with copies of its vertices, of everything its
// vertex stage reads and of its draw state; then any pixel thread transforms,
// lights and clips it, and sets up and bins its triangles, into room of its own
// that lasts until the queue is drawn.
#pragma once

#include "console/gx.h"
#include "console/gx/gx_tiles.h"

namespace console::gx {

enum class Cull : u8;
struct ScreenVertex;
struct VertexLayout;
struct VertexPlan;

// A primitive as recorded: everything it points to lasts until the queue is
// drawn. Primitives drawn one after another with the same state make one
// record, through `next`.
struct RecordedPrimitive {
    GXPrimitive type;
    u32 count;
    const u8* data;
    const VertexLayout* layout;
    const VertexPlan* plan;
    const RecordedPrimitive* next;
};

// The program's thread's: records `count` vertices of `data` as `type` under
// the registers as they are now; false for a primitive larger than all the
// room records have, which the caller works out now instead.
bool RecordPrimitive(GXPrimitive type, const VertexLayout& layout, const u8* data, u32 count);
// The program's thread's: `draw` works out triangles now, on this thread
// (QueueTriangle), and they are queued as one record with `snapshot`, the
// last one queued; or, when the program's thread draws alone, drawn as they
// are worked out, after everything queued before them.
template <typename Draw>
void DrawNow(const DrawSnapshot& snapshot, Draw draw);
// Lets go of what the records held; the queue has been drawn.
void ForgetRecords();

// Any thread's: the triangles of a record taken from the queue, its
// primitives' in turn.
RecordTriangles WorkOutRecord(const RecordedPrimitive& first, const DrawSnapshot& snapshot);

// While a record's triangles are worked out, on the thread that does it:
// room for the screen vertices of a draw, and for vertices it makes as it goes
// on (clipped corners, the corners of lines and points), each valid until the
// next call of the same.
ScreenVertex* DrawVertices(u32 count);
ScreenVertex* LooseVertices(u32 count);
// Places (culls, snaps and fits to the scissor) and sets up a triangle of the
// record, and bins it to the bands it covers; or draws it, between
// BeginTriangles(true) and the next BeginTriangles.
void QueueTriangle(const DrawSnapshot& snapshot, const ScreenVertex& v0, const ScreenVertex& v1,
                   const ScreenVertex& v2, Cull cull);

// What DrawNow is made of. `drawn`: the triangles are drawn at once, not
// kept for EndTriangles.
void BeginTriangles(bool drawn = false);
RecordTriangles EndTriangles();

// The queue is drawn first when it is full: that frees this thread's room for
// the triangles, and all snapshots but the last. With no other thread to hand
// them to, a record would only be drawn later by this one, at the cost of
// binning the triangles to bands and drawing each band's part apart.
template <typename Draw>
void DrawNow(const DrawSnapshot& snapshot, Draw draw) {
    const bool alone = PixelThreads() == 1;
    if (alone || !RecordRoom())
        FinishFrameBuffer();
    BeginTriangles(alone);
    draw();
    if (!alone)
        QueueTriangles(EndTriangles(), snapshot);
}

}  // namespace console::gx
