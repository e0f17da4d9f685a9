// Drawing one cell or one animation frame of a sprite set at once, through the
// immediate mode.
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Sprite.h"

namespace {

// The corners in drawing order for half extents of 1; they take the cell's
// texture coordinates 0 to 3.
constexpr s_Vector2 kCorners[4] = {{-1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, -1.0f}, {-1.0f, -1.0f}};

const s_sprite_uv* Cell(const s_sprite_set* set, s32 n) {
    return set != nullptr && n >= 0 && n < set->numSprite ? &set->sprites[n] : nullptr;
}

const s_sanim_frame* Frame(const s_sprite_set* set, s32 animation, s32 frame) {
    if (set == nullptr || animation < 0 || animation >= set->numAnimation)
        return nullptr;
    const s_sanim_data& data = set->animations[animation];
    return frame >= 0 && frame < data.numFrame ? &data.frames[frame] : nullptr;
}

// Sprites are drawn whichever way they face.
class CullOff {
public:
    CullOff() : previous_(DrawSetCullMode(DC_CULL_NONE)) {}
    ~CullOff() { DrawSetCullMode(previous_); }
    CullOff(const CullOff&) = delete;
    CullOff& operator=(const CullOff&) = delete;

private:
    e_CULL_MODE previous_;
};

// One quad with the cell's texture (untextured when it is not loaded); opaque
// white vertices leave the flat colour as the colour.
void DrawCell(const s_sprite_set& set, const s_sprite_uv& cell, const s_Vector3 (&corners)[4],
              const s_sanim_vertex* colours = nullptr) {
    DrawSetTexture(set.textures[cell.textureId].texture);
    DrawBegin(PRIM_QUAD);
    for (s32 i = 0; i < 4; ++i) {
        s_draw_vertex v = DrawContext.vertex;
        v.coord.x = corners[i].x;
        v.coord.y = corners[i].y;
        v.coord.z = corners[i].z;
        if (colours != nullptr)
            v.color = colours[i].color;
        v.u = cell.uv[i][0];
        v.v = cell.uv[i][1];
        DrawVertex(&v);
    }
    DrawEnd();
}

// The corners of a hx by hy rectangle turned into the camera plane at `position`.
void FacingCamera(f32 hx, f32 hy, const s_Vector3& position, s_Vector3 (&out)[4]) {
    for (s32 i = 0; i < 4; ++i) {
        const s_Vector3 corner = {kCorners[i].x * hx, kCorners[i].y * hy, 0.0f, 0.0f};
        Matrix4BackRotPoint(&DrawContext.viewport->cameraMatrix, &out[i], &corner);
        out[i].x += position.x;
        out[i].y += position.y;
        out[i].z += position.z;
    }
}

// Each frame sprite through its vertices at (x, -y, 0) x scale, under `matrix`.
void DrawFrame(const s_sprite_set& set, const s_sanim_frame& frame, const s_Matrix4& matrix, f32 scale) {
    const CullOff cull;
    const e_stack_type stack = DrawSetMatrixMode(NGC_MODELVIEW);
    DrawPushMatrix(&matrix);
    for (s32 i = 0; i < frame.numSprites; ++i) {
        const s_sanim_sprite& sprite = frame.sprites[i];
        s_Vector3 corners[4];
        for (s32 c = 0; c < 4; ++c)
            corners[c] = {sprite.vertex[c].x * scale, -sprite.vertex[c].y * scale, 0.0f, 0.0f};
        DrawCell(set, set.sprites[sprite.id], corners, sprite.vertex);
    }
    DrawPopMatrix();
    DrawSetMatrixMode(stack);
}

}  // namespace

void SpriteDrawSprite(const s_sprite_set* set, s32 n, const s_Vector3* position, f32 size) {
    const s_sprite_uv* cell = Cell(set, n);
    if (cell == nullptr)
        return;
    const CullOff cull;
    s_Vector3 corners[4];
    FacingCamera(0.5f * size, 0.5f * size, *position, corners);
    DrawCell(*set, *cell, corners);
}

void SpriteDrawParticle(const s_sprite_set* set, s32 n, const s_Vector3* position, f32 size) {
    SpriteDrawSprite(set, n, position, size);
}

void SpriteDrawSprite2(const s_sprite_set* set, s32 n, s_Vector3* position, const s_Vector2* size) {
    position->z = 0.0f;
    const s_sprite_uv* cell = Cell(set, n);
    if (cell == nullptr)
        return;
    const CullOff cull;
    const f32 hx = 0.5f * size->x;
    const f32 hy = 0.5f * size->y;
    s_Vector3 corners[4];
    if (DrawContext.projectionMode == DC_PROJ_ORTHO) {
        // Screen y grows downwards.
        for (s32 i = 0; i < 4; ++i)
            corners[i] = {position->x + kCorners[i].x * hx, position->y - kCorners[i].y * hy, 0.0f, 0.0f};
    } else {
        FacingCamera(hx, hy, *position, corners);
    }
    DrawCell(*set, *cell, corners);
}

void SpriteDrawSprite2Rot(const s_sprite_set* set, s32 n, const s_Vector3* position, const s_Vector2* size,
                          f32 angle) {
    const s_sprite_uv* cell = Cell(set, n);
    if (cell == nullptr)
        return;
    const CullOff cull;
    const s_SinCos turn = TableSinCos(angle);
    s_Vector3 corners[4];
    for (s32 i = 0; i < 4; ++i) {
        const f32 x = kCorners[i].x * 0.5f * size->x;
        const f32 y = kCorners[i].y * 0.5f * size->y;
        corners[i] = {position->x + (x * turn.cos - y * turn.sin),
                      position->y - (x * turn.sin + y * turn.cos), position->z, 0.0f};
    }
    DrawCell(*set, *cell, corners);
}

void SpriteDrawAnimFrame(const s_sprite_set* set, s32 animation, s32 frame, const s_Vector3* position,
                         f32 scale) {
    const s_sanim_frame* data = Frame(set, animation, frame);
    if (data == nullptr)
        return;
    s_Matrix4 facing;
    Matrix4Transpose(&facing, &DrawContext.viewport->cameraMatrix);
    facing.at(0, 3) = position->x;
    facing.at(1, 3) = position->y;
    facing.at(2, 3) = position->z;
    DrawFrame(*set, *data, facing, scale);
}

void SpriteDrawQuad(const s_sprite_set* set, s32 animation, s32 frame, const s_Matrix4* matrix) {
    if (const s_sanim_frame* data = Frame(set, animation, frame))
        DrawFrame(*set, *data, *matrix, 1.0f);
}
