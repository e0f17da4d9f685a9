// Immediate-mode drawing recorded into a console display list and replayed later.
// A recording always carries texture coordinates, so a replay is textured by
// whatever texture is bound when it is called.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_draw_record {
    void* list;  // heap block, freed with DrawRecordFree; null when nothing was recorded
    u32 size;    // bytes to replay
};

// Opens a recording with room for `maxVertices` immediate vertices; false, with
// nothing open, when the heap has no room.
bool DrawRecordBegin(u32 maxVertices);
// Closes the recording; {null, 0} when nothing was drawn or it outgrew its room.
s_draw_record DrawRecordEnd();
bool DrawRecording();
// Two frames later: the graphics processor may still read the list.
void DrawRecordFree(void* list);
// Replays a list with the immediate vertex layout it was recorded in.
void DrawRecordCall(const void* list, u32 size);
