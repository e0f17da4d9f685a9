// The immediate mode's GX side: vertex formats, sending runs of vertices, the
// matrix stacks and the projection switch that loads them.
#include <algorithm>

#include "console/gx.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawRecord.h"

s32 Drawing = 0;
s32 DrawVertexCount = 0;
e_stack_type DrawMatrixMode = NGC_MODELVIEW;

namespace {

// Pieces of a long run split evenly for lines and quads and keep a strip's winding.
static_assert(DRAW_VERTEX_BUFFER_SIZE % 4 == 0);

s_draw_vertex DrawVertexBuffer[DRAW_VERTEX_BUFFER_SIZE];
GXPrimitive DrawPrimType = GX_TRIANGLES;

struct s_matrix_stack {
    s_Matrix4 matrix[DRAW_MATRIX_STACK_DEPTH];
    s32 depth;
};
s_matrix_stack DrawMatrixStack[NGC_STACK_COUNT];

constexpr GXPrimitive kGxPrimitive[PRIM_BASIC_TYPE_COUNT + 1] = {
    GX_POINTS, GX_LINES, GX_TRIANGLES, GX_QUADS, GX_LINESTRIP, GX_TRIANGLESTRIP, GX_TRIANGLEFAN,
};

struct s_vertex_format {
    GXVtxFmt format;
    GXCompType normalType;
    u8 normalFrac;
    GXCompType texType;
    u8 texFrac;
};
constexpr s_vertex_format kVertexFormats[] = {
    {GXVtxFmt(DRAW_VTXFMT_IMMEDIATE), GX_F32, 0, GX_F32, 0},
    {GXVtxFmt(DRAW_VTXFMT_COMPRESSED), GX_S8, 6, GX_S16, 10},
    {GXVtxFmt(DRAW_VTXFMT_MESH), GX_F32, 0, GX_S16, 10},
};

void SendVertices(const s_draw_vertex* vertices, s32 count) {
    if (count == 0)
        return;
    const bool textured = (DrawContext.flags & u_draw_flags::TextureOn) != 0 || DrawRecording();
    GXClearVtxDesc();
    GXSetVtxDesc(GX_VA_POS, GX_DIRECT);
    GXSetVtxDesc(GX_VA_NRM, GX_DIRECT);
    GXSetVtxDesc(GX_VA_CLR0, GX_DIRECT);
    if (textured)
        GXSetVtxDesc(GX_VA_TEX0, GX_DIRECT);
    GXBegin(DrawPrimType, GXVtxFmt(DRAW_VTXFMT_IMMEDIATE), u16(count));
    for (s32 i = 0; i < count; ++i) {
        const s_draw_vertex& v = vertices[i];
        GXPosition3f32(v.coord.x, v.coord.y, v.coord.z);
        GXNormal3f32(v.normal.x, v.normal.y, v.normal.z);
        GXColor1u32(v.color);
        if (textured)
            GXTexCoord2f32(v.u, v.v);
    }
    GXEnd();
}

// The buffer is full mid-run: sends whole primitives and starts the next piece with
// the vertices the run goes on from (a strip's last ones, a fan's centre).
void SendFullBuffer() {
    const s32 count = DrawVertexCount;
    s32 send = count;
    s32 shared = 0;
    bool keepCentre = false;
    switch (DrawPrimType) {
        case GX_TRIANGLES:
            send = count - count % 3;
            break;
        case GX_LINESTRIP:
            shared = 1;
            break;
        case GX_TRIANGLESTRIP:
            shared = 2;
            break;
        case GX_TRIANGLEFAN:
            keepCentre = true;
            shared = 1;
            break;
        default:
            break;
    }
    SendVertices(DrawVertexBuffer, send);
    const s32 carryFrom = send < count ? send : count - shared;
    const s32 start = keepCentre ? 1 : 0;
    std::copy(DrawVertexBuffer + carryFrom, DrawVertexBuffer + count, DrawVertexBuffer + start);
    DrawVertexCount = start + (count - carryFrom);
}

void ToMtx44(const s_Matrix4& m, Mtx44 out) {
    for (s32 r = 0; r < 4; ++r)
        for (s32 c = 0; c < 4; ++c)
            out[r][c] = m.at(r, c);
}

void ToMtx(const s_Matrix4& m, Mtx out) {
    for (s32 r = 0; r < 3; ++r)
        for (s32 c = 0; c < 4; ++c)
            out[r][c] = m.at(r, c);
}

// Transpose of the inverse of the 3x3 part: the cofactors over the determinant. A
// singular matrix keeps the previous normal matrix.
bool NormalMatrix(const s_Matrix4& m, Mtx out) {
    const s_Vector3 r0 = {m.at(0, 0), m.at(0, 1), m.at(0, 2), 0.0f};
    const s_Vector3 r1 = {m.at(1, 0), m.at(1, 1), m.at(1, 2), 0.0f};
    const s_Vector3 r2 = {m.at(2, 0), m.at(2, 1), m.at(2, 2), 0.0f};
    s_Vector3 rows[3];
    Vect3Cross(&rows[0], &r1, &r2);
    Vect3Cross(&rows[1], &r2, &r0);
    Vect3Cross(&rows[2], &r0, &r1);
    const f32 det = r0.x * rows[0].x + r0.y * rows[0].y + r0.z * rows[0].z;
    if (det == 0.0f)
        return false;
    for (s32 r = 0; r < 3; ++r) {
        out[r][0] = rows[r].x / det;
        out[r][1] = rows[r].y / det;
        out[r][2] = rows[r].z / det;
        out[r][3] = 0.0f;
    }
    return true;
}

void NGCLoadMatrix(e_stack_type stack, const s_Matrix4& m) {
    if (stack == NGC_PROJECTION) {
        Mtx44 projection;
        ToMtx44(m, projection);
        GXSetProjection(projection,
                        DrawContext.projectionMode == DC_PROJ_ORTHO ? GX_ORTHOGRAPHIC : GX_PERSPECTIVE);
        return;
    }
    Mtx modelView;
    ToMtx(m, modelView);
    GXLoadPosMtxImm(modelView, GX_PNMTX0);
    Mtx normal;
    if ((DrawContext.flags & u_draw_flags::LightOn) != 0 && NormalMatrix(m, normal))
        GXLoadNrmMtxImm(normal, GX_PNMTX0);
}

// Empties a stack and loads one matrix onto it, whatever stack is selected.
void LoadStack(e_stack_type stack, const s_Matrix4& m) {
    const e_stack_type selected = DrawSetMatrixMode(stack);
    DrawResetMatrixStack();
    DrawPushMatrix(&m);
    DrawSetMatrixMode(selected);
}

}  // namespace

void DrawInitVertex(s_draw_vertex* vertex) {
    *vertex = s_draw_vertex{};
    vertex->color = 0xFFFFFFFFu;
    vertex->normal = {0.0f, 0.0f, 1.0f, 0.0f};
}

void DrawBegin(e_prim_type type) {
    DrawContext.vertex.color = 0xFFFFFFFFu;
    if (type >= PRIM_POINT && type <= PRIM_BASIC_TYPE_COUNT)
        DrawPrimType = kGxPrimitive[type];
    DrawVertexCount = 0;
    Drawing = 1;
}

void DrawVertex(const s_draw_vertex* vertex) {
    if (DrawVertexCount == DRAW_VERTEX_BUFFER_SIZE)
        SendFullBuffer();
    DrawVertexBuffer[DrawVertexCount++] = *vertex;
}

void DrawEnd() {
    SendVertices(DrawVertexBuffer, DrawVertexCount);
    DrawVertexCount = 0;
    Drawing = 0;
}

void DrawFlush() {
    DrawEnd();
}

void DrawSetupDefaultVertFormat() {
    for (const s_vertex_format& f : kVertexFormats) {
        GXSetVtxAttrFmt(f.format, GX_VA_POS, GX_POS_XYZ, GX_F32, 0);
        GXSetVtxAttrFmt(f.format, GX_VA_NRM, GX_NRM_XYZ, f.normalType, f.normalFrac);
        GXSetVtxAttrFmt(f.format, GX_VA_CLR0, GX_CLR_RGBA, GX_RGBA8, 0);
        GXSetVtxAttrFmt(f.format, GX_VA_TEX0, GX_TEX_ST, f.texType, f.texFrac);
    }
}

e_stack_type DrawSetMatrixMode(e_stack_type mode) {
    ORB_ASSERT(mode == NGC_PROJECTION || mode == NGC_MODELVIEW, "DrawSetMatrixMode: invalid stack %d\n",
               mode);
    const e_stack_type previous = DrawMatrixMode;
    DrawMatrixMode = mode;
    return previous;
}

void DrawResetMatrixStack() {
    DrawMatrixStack[DrawMatrixMode].depth = 0;
}

void DrawResetMatrixStacks() {
    for (s_matrix_stack& stack : DrawMatrixStack)
        stack.depth = 0;
    DrawMatrixMode = NGC_MODELVIEW;
}

void DrawPushMatrix(const s_Matrix4* matrix) {
    s_matrix_stack& stack = DrawMatrixStack[DrawMatrixMode];
    ORB_ASSERT(stack.depth < DRAW_MATRIX_STACK_DEPTH,
               "DrawPushMatrix: matrix stack %d is full (%d matrices)\n", DrawMatrixMode,
               DRAW_MATRIX_STACK_DEPTH);
    s_Matrix4& top = stack.matrix[stack.depth];
    if (stack.depth == 0)
        top = *matrix;
    else
        Matrix4MultMatrix4x4(&top, matrix, &stack.matrix[stack.depth - 1]);
    NGCLoadMatrix(DrawMatrixMode, top);
    ++stack.depth;
}

void DrawPopMatrix() {
    s_matrix_stack& stack = DrawMatrixStack[DrawMatrixMode];
    if (stack.depth == 0)
        return;
    --stack.depth;
    NGCLoadMatrix(DrawMatrixMode, stack.depth > 0 ? stack.matrix[stack.depth - 1] : IDMatrix4);
}

const s_Matrix4* DrawGetMatrix() {
    const s_matrix_stack& stack = DrawMatrixStack[DrawMatrixMode];
    return stack.depth > 0 ? &stack.matrix[stack.depth - 1] : nullptr;
}

e_PROJ_MODE DrawSetProjection(e_PROJ_MODE mode) {
    const e_PROJ_MODE previous = DrawContext.projectionMode;
    if (mode == previous)
        return previous;
    // Recorded first: loading the projection reads it.
    DrawContext.projectionMode = mode;
    if (mode == DC_PROJ_3D || mode == DC_PROJ_ORTHO) {
        ORB_ASSERT(DrawContext.viewport != nullptr, "No current viewport\n");
        const s_viewport& viewport = *DrawContext.viewport;
        const bool is3D = mode == DC_PROJ_3D;
        LoadStack(NGC_PROJECTION, is3D ? viewport.projectionMatrix : viewport.orthoMatrix);
        LoadStack(NGC_MODELVIEW, is3D ? viewport.cameraMatrix : IDMatrix4);
        DrawSetCullMode(is3D ? DC_CULL_BACK : DC_CULL_NONE);
    }
    return previous;
}

void DrawDisplayListBegin() {}

void* DrawDisplayListEnd() {
    return nullptr;
}

void DrawDisplayListFree(void*) {}

void DrawDisplayList(void*) {}
