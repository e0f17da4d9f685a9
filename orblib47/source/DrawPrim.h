// Immediate-mode drawing (DrawBegin, DrawVertex..., DrawEnd), the projection and
// model-view matrix stacks, the projection switch between 2-D screen drawing and
// 3-D drawing, the engine's vertex formats, and the ready-made primitives.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

enum e_prim_type : s32 {
    PRIM_POINT = 0,
    PRIM_LINE = 1,
    PRIM_TRIANGLE = 2,
    PRIM_QUAD = 3,
    PRIM_LINE_STRIP = 4,
    PRIM_TRIANGLE_STRIP = 5,
    PRIM_TRIANGLE_FAN = 6,
    PRIM_BASIC_TYPE_COUNT = 6,
    PRIM_SPRITE = 7,  // not drawn by the immediate mode
    PRIM_BPATCH = 8,
    PRIM_VERTEX = 9,
    PRIM_COUNT = 10,
};

enum e_stack_type : s32 {
    NGC_PROJECTION = 0,
    NGC_MODELVIEW = 1,
    NGC_STACK_COUNT = 2,
};

// Vertices one immediate run collects before they are sent; a longer run is sent
// in pieces that keep the primitive's shape.
constexpr s32 DRAW_VERTEX_BUFFER_SIZE = 8192;
constexpr s32 DRAW_MATRIX_STACK_DEPTH = 32;

// The GX vertex formats: immediate mode, compressed meshes, meshes.
constexpr s32 DRAW_VTXFMT_IMMEDIATE = 0;
constexpr s32 DRAW_VTXFMT_COMPRESSED = 1;
constexpr s32 DRAW_VTXFMT_MESH = 2;

extern s32 Drawing;  // 1 between DrawBegin and DrawEnd
extern s32 DrawVertexCount;
extern e_stack_type DrawMatrixMode;

// Immediate mode.
// Cleared; opaque white; normal (0, 0, 1).
void DrawInitVertex(s_draw_vertex* vertex);
void DrawBegin(e_prim_type type);
void DrawVertex(const s_draw_vertex* vertex);
void DrawEnd();
// Sends the pending vertices (what state setters call mid-run).
void DrawFlush();
void DrawSetupDefaultVertFormat();

// Matrix stacks. The operations act on the stack DrawMatrixMode selects.
e_stack_type DrawSetMatrixMode(e_stack_type mode);
void DrawResetMatrixStack();
// Both stacks empty, model-view selected (the draw warm reset).
void DrawResetMatrixStacks();
// New top = top x matrix (matrix applied first), loaded into the hardware. A 33rd
// matrix is a fatal assertion.
void DrawPushMatrix(const s_Matrix4* matrix);
// Loads the new top, or the identity when the stack became empty; nothing on an
// empty stack.
void DrawPopMatrix();
// Null when the stack is empty.
const s_Matrix4* DrawGetMatrix();

// DC_PROJ_3D loads the current viewport's projection and camera and culls back
// faces; DC_PROJ_ORTHO loads its orthographic matrix with no model-view and no
// culling. Returns the previous mode.
e_PROJ_MODE DrawSetProjection(e_PROJ_MODE mode);
// Recorded only.
e_POLYGON_MODE DrawSetPolygonMode(e_POLYGON_MODE mode);

// Corner texture coordinates: 0 (u0, v0), 1 (u1, v0), 2 (u1, v1), 3 (u0, v1).
void DrawSetUV(f32 u0, f32 v0, f32 u1, f32 v1);
// The z of the 2-D primitives that take only x and y.
void DrawSetConstantZ(f32 z);

// Display lists: empty on this platform.
void DrawDisplayListBegin();
void* DrawDisplayListEnd();  // null
void DrawDisplayListFree(void* list);
void DrawDisplayList(void* list);

// Ready-made primitives. Where corners are given texture coordinates, vertex n
// takes those of corner n (a closing fifth vertex those of corner 0).
void DrawLine(const s_Vector3* a, const s_Vector3* b);  // in the flat colour
void DrawTriangle(const s_Vector3* a, const s_Vector3* b, const s_Vector3* c);
void DrawQuad(const s_Vector3* a, const s_Vector3* b, const s_Vector3* c, const s_Vector3* d);
void DrawCrossHair(const s_Vector3* p, f32 size);
// Corners (x0, y0), (x1, y0), (x1, y1), (x0, y1) at z0.
void DrawRect(const s_Vector3* p0, const s_Vector3* p1);
void DrawFilledRect(const s_Vector3* p0, const s_Vector3* p1);
void DrawSquare(const s_Vector3* centre, f32 size);
void DrawFilledSquare(const s_Vector3* centre, f32 size);
// At the constant Z.
void DrawIrect(const s_Irect16* rect);
void DrawFilledIrect(const s_Irect16* rect);
// Filled in the flat colour, left and top edges in light, right and bottom in dark.
void DrawBeveledIrect(const s_Irect16* rect, u32 light, u32 dark);
void DrawBox(const s_Vector3* min, const s_Vector3* max);
void DrawFilledBox(const s_Vector3* min, const s_Vector3* max);
void DrawCircle(const s_Vector3* centre, f32 radius);
// The current texture at its pixel size scaled by (sx, sy), centred on (x, y) at
// the constant Z and turned by `angle` degrees; nothing without a texture.
void DrawTexture(f32 x, f32 y, f32 sx, f32 sy, f32 angle);
