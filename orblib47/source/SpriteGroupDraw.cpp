// The draw routines of the sprite-group types, and the drawing of one group.
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawColor.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/SpriteGroup.h"

namespace {

// Culling off and the flat colour kept while a routine draws.
class RoutineStates {
public:
    RoutineStates() : cull_(DrawSetCullMode(DC_CULL_NONE)), color_(DrawSetFlatColor(0xFFFFFFFFu)) {}
    ~RoutineStates() {
        DrawSetFlatColor(color_);
        DrawSetCullMode(cull_);
    }
    RoutineStates(const RoutineStates&) = delete;
    RoutineStates& operator=(const RoutineStates&) = delete;

private:
    e_CULL_MODE cull_;
    u32 color_;
};

// The screen plane in world space: the camera's right and up axes.
struct CameraPlane {
    s_Vector3 right, up;
};

CameraPlane CurrentCameraPlane() {
    const s_Matrix4& camera = DrawContext.viewport->cameraMatrix;
    const s_Vector3 x{1.0f, 0.0f, 0.0f, 0.0f}, y{0.0f, 1.0f, 0.0f, 0.0f};
    CameraPlane plane;
    Matrix4BackRotPoint(&camera, &plane.right, &x);
    Matrix4BackRotPoint(&camera, &plane.up, &y);
    return plane;
}

s_Vector3 Add(const s_Vector3& a, const s_Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z, 0.0f};
}

// centre + x right + y up.
s_Vector3 InPlane(const CameraPlane& plane, const s_Vector3& centre, f32 x, f32 y) {
    return {centre.x + x * plane.right.x + y * plane.up.x, centre.y + x * plane.right.y + y * plane.up.y,
            centre.z + x * plane.right.z + y * plane.up.z, 0.0f};
}

void Vertex(const s_Vector3& p, u32 rgba, f32 u = 0.0f, f32 v = 0.0f) {
    s_draw_vertex vertex;
    DrawInitVertex(&vertex);
    vertex.coord = {p.x, p.y, p.z, 1.0f};
    vertex.color = rgba;
    vertex.u = u;
    vertex.v = v;
    DrawVertex(&vertex);
}

// The corners of a rectangle of half extents (sx, sy) facing the camera, texture
// corners (u0, v0), (u1, v0), (u1, v1), (u0, v1) from its top left, in the flat
// colour.
void FacingQuad(const CameraPlane& plane, const s_Vector3& centre, s_Vector2 size, f32 u0, f32 v0, f32 u1,
                f32 v1) {
    Vertex(InPlane(plane, centre, -size.x, size.y), 0xFFFFFFFFu, u0, v0);
    Vertex(InPlane(plane, centre, size.x, size.y), 0xFFFFFFFFu, u1, v0);
    Vertex(InPlane(plane, centre, size.x, -size.y), 0xFFFFFFFFu, u1, v1);
    Vertex(InPlane(plane, centre, -size.x, -size.y), 0xFFFFFFFFu, u0, v1);
}

// Quads in a flat colour each. The colour is a register, so a run of elements of
// one colour shares a quad batch and the colour is set once for it; a batch ends
// where the colour changes. The pixels are those of a batch per element.
class FlatQuads {
public:
    FlatQuads() = default;
    FlatQuads(const FlatQuads&) = delete;
    FlatQuads& operator=(const FlatQuads&) = delete;

    // Opens the quad of an element in colour rgba (0xRRGGBBAA).
    void Next(u32 rgba) {
        if (open_ && rgba == DrawContext.color)
            return;
        End();
        if (rgba != DrawContext.color)
            DrawSetFlatColor(rgba);
        DrawBegin(PRIM_QUAD);
        open_ = true;
    }
    void End() {
        if (open_)
            DrawEnd();
        open_ = false;
    }

private:
    bool open_ = false;
};

bool Empty(s_Vector2 size) {
    return size.x == 0.0f && size.y == 0.0f;
}

// The elements a block draws: its count, kept within the block.
s32 DrawnCount(s32 count) {
    return count < 0 ? 0 : count > SPRITE_GROUP_ELEMENTS ? SPRITE_GROUP_ELEMENTS : count;
}

template <class Block>
void DrawAt(s_group_header* group, const s_Vector3& position, void (*routine)(Block*)) {
    Block* block = reinterpret_cast<Block*>(group);
    block->header.baseCoord = position;
    routine(block);
}

}  // namespace

// Each point is one pixel-sized hardware point in its colour, untextured.
void SpriteDrawPointGroup(s_point_group* group) {
    const RoutineStates states;
    DrawSetTexture(nullptr);
    DrawBegin(PRIM_POINT);
    for (s32 i = 0; i < DrawnCount(group->header.count); ++i) {
        const s_point& point = group->element[i];
        if (point.rgba.w != 0.0f)
            Vertex(Add(group->header.baseCoord, point.coord), PackColorV(point.rgba));
    }
    DrawEnd();
}

void SpriteDrawLineGroup(s_line_group* group) {
    const RoutineStates states;
    DrawSetTexture(nullptr);
    const s_Vector3& base = group->header.baseCoord;
    DrawBegin(PRIM_LINE);
    for (s32 i = 0; i < DrawnCount(group->header.count); ++i) {
        const s_line& line = group->element[i];
        Vertex(Add(base, line.coord0), PackColorV(line.rgba0));
        Vertex(Add(base, line.coord1), PackColorV(line.rgba1));
    }
    DrawEnd();
}

void SpriteDrawParticleGroup(s_particle_group* group) {
    const RoutineStates states;
    const CameraPlane plane = CurrentCameraPlane();
    FlatQuads quads;
    const s_particle_header& header = group->header;
    for (s32 i = 0; i < DrawnCount(header.count); ++i) {
        const s_particle& particle = group->element[i];
        if (Empty(particle.size) || particle.rgba.w == 0.0f)
            continue;
        quads.Next(PackColorV(particle.rgba));
        FacingQuad(plane, Add(header.baseCoord, particle.coord), particle.size, header.u0, header.v0,
                   header.u1, header.v1);
    }
    quads.End();
    DrawSetTexture(nullptr);
}

void SpriteDrawSpriteGroup(s_sprite_group* group) {
    const RoutineStates states;
    const CameraPlane plane = CurrentCameraPlane();
    FlatQuads quads;
    for (s32 i = 0; i < DrawnCount(group->header.count); ++i) {
        const s_sprite& sprite = group->element[i];
        if (Empty(sprite.size))
            continue;
        quads.Next(PackColorV(sprite.rgba));
        FacingQuad(plane, Add(group->header.baseCoord, sprite.coord), sprite.size, sprite.u0, sprite.v0,
                   sprite.u1, sprite.v1);
    }
    quads.End();
    DrawSetTexture(nullptr);
}

void SpriteDrawSprite4Group(s_sprite4_group* group) {
    const RoutineStates states;
    const CameraPlane plane = CurrentCameraPlane();
    FlatQuads quads;
    for (s32 i = 0; i < DrawnCount(group->header.count); ++i) {
        const s_sprite4& sprite = group->element[i];
        if (Empty(sprite.size) || sprite.rgba.w == 0.0f)
            continue;
        quads.Next(PackColorV(sprite.rgba));
        const s_Vector3 centre = Add(group->header.baseCoord, sprite.coord);
        for (const s_sprite4_corner& corner : sprite.corner)
            Vertex(InPlane(plane, centre, sprite.size.x * corner.x, -sprite.size.y * corner.y), 0xFFFFFFFFu,
                   corner.u, corner.v);
    }
    quads.End();
    DrawSetTexture(nullptr);
}

// One batch for the block; the corners are drawn where they are stored.
void SpriteDrawQuadGroup(s_quad_group* group) {
    const RoutineStates states;
    DrawBegin(PRIM_QUAD);
    for (s32 i = 0; i < DrawnCount(group->header.count); ++i) {
        const s_quad& quad = group->element[i];
        const u32 rgba = PackColorV(quad.rgba);
        Vertex({quad.x0, quad.y0, quad.z0, 0.0f}, rgba, quad.u0, quad.v0);
        Vertex({quad.x1, quad.y1, quad.z1, 0.0f}, rgba, quad.u1, quad.v0);
        Vertex({quad.x2, quad.y2, quad.z2, 0.0f}, rgba, quad.u1, quad.v1);
        Vertex({quad.x3, quad.y3, quad.z3, 0.0f}, rgba, quad.u0, quad.v1);
    }
    DrawEnd();
    DrawSetTexture(nullptr);
}

void SpriteDrawGroup(s_group_header* group, const s_Vector3* position) {
    const bool filter = (group->flags & SPRITE_GROUP_FRAME_FILTER) != 0;
    const e_STENCIL_MODE filterWas = filter ? DrawFrameFilterEnable(255) : DC_STENCIL_INVALID;
    DrawSetFlatColor(0xFFFFFFFFu);
    DrawSetTexture(group->texture);
    s_particle_system* system = group->psysPtr;
    if (system != nullptr && system->renderFunc != nullptr) {
        system->renderFunc(group, position, system);
    } else {
        switch (group->type()) {
            case SPRITE_TYPE_POINT:
                DrawAt(group, *position, SpriteDrawPointGroup);
                break;
            case SPRITE_TYPE_LINE:
                DrawAt(group, *position, SpriteDrawLineGroup);
                break;
            case SPRITE_TYPE_PARTICLE:
                DrawAt(group, *position, SpriteDrawParticleGroup);
                break;
            case SPRITE_TYPE_SPRITE:
                DrawAt(group, *position, SpriteDrawSpriteGroup);
                break;
            case SPRITE_TYPE_SPRITE4:
                DrawAt(group, *position, SpriteDrawSprite4Group);
                break;
            case SPRITE_TYPE_QUAD:
                DrawAt(group, *position, SpriteDrawQuadGroup);
                break;
            default:
                break;
        }
    }
    if (filter)
        DrawSetStencilMode(filterWas);
}
