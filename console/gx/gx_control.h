// Test controls of GX: the state mirror (what the GX calls have set) and an
// optional log of the calls themselves.
#pragma once

#include <string>
#include <vector>

#include "console/gx/gx_raster.h"
#include "console/gx/gx_state.h"

struct GXStateMirror {
    const console::gx::FrontState& front;    // vertex formats, matrices, lighting, texgens, sync
    const console::gx::RasterState& raster;  // everything after the transform
};

GXStateMirror HostGXState();

// Sees every primitive's transformed vertices (clip-space position, channel
// colours, generated texture coordinates) before it is taken apart and drawn.
using HostGXVertexTap = void (*)(GXPrimitive type, const console::gx::RasterVertex* vertices, u32 count,
                                 void* context);
void HostGXSetVertexTap(HostGXVertexTap tap, void* context);

// Switching the log on or off empties it. Entries read "GXSetCullMode(1)".
void HostGXSetCallLog(bool enabled);
const std::vector<std::string>& HostGXCallLog();
