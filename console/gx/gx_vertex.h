// Vertex layout: which attributes a vertex of a format carries, in what types,
// and decoding one vertex's bytes (as the GXPosition/GXNormal/... calls wrote
// them, or as a display list holds them) into floats.
#pragma once

#include "console/gx/gx_state.h"

namespace console::gx {

// Taken at GXBegin, with the formats as they stand then: a vertex decodes
// without looking anything up.
struct VertexLayout {
    struct Slot {
        // Reads the attribute's bytes of `vertices` vertices, `stride` bytes
        // apart, into the field of records `fieldStride` bytes apart.
        void (*read)(const u8* bytes, u32 stride, u32 vertices, f32 scale, u8* field, u32 fieldStride);
        u16 field;  // bytes into the record
        u8 attr;    // kAttrPos ..
        u8 size;    // bytes
        u8 offset;  // bytes into the vertex
        AttrFormat format;
        f32 scale;  // of each scalar: 2^-frac, or the normals' fixed fraction
    };
    Slot slots[kAttrCount];
    u32 slotCount = 0;
    u32 size = 0;  // bytes per vertex
};

// From the current descriptor and the format's attribute formats; valid until
// the next call for the same format.
const VertexLayout& LayoutOf(GXVtxFmt fmt);

struct DecodedVertex {
    f32 pos[3] = {0, 0, 0};
    f32 nrm[3] = {0, 0, 1};
    GXColor clr[2] = {{255, 255, 255, 255}, {255, 255, 255, 255}};  // white when not sent
    f32 tex[8][2] = {};
};

// What the vertex stage keeps of a vertex between placing and shading it.
struct EyeVertex {
    DecodedVertex decoded;
    f32 eye[3];  // view space
};

// `count` vertices into the records from *first, `stride` bytes apart; the
// attributes the layout lacks are set to their defaults.
void DecodeVertices(const VertexLayout& layout, const u8* bytes, u32 count, DecodedVertex* first, u32 stride);

}  // namespace console::gx
