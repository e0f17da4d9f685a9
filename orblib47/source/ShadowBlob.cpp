// Blob shadows: a textured quad on the first shadow-receiving polygon along the
// light under each chosen bone of the caster.
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/ShadowInternal.h"

namespace {

// Half-width across and half-length along the light, per blob bone slot.
constexpr f32 shadowRadius[SHADOW_MAX_BLOB_BONES] = {0.5f, 0.2f, 0.2f, 0.2f, 0.2f};
constexpr f32 shadowLenght[SHADOW_MAX_BLOB_BONES] = {0.77f, 0.3f, 0.3f, 0.3f, 0.3f};
// Corner texture coordinates in drawing order.
constexpr f32 texCoord[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
// How far below a bone its shadow is looked for.
constexpr f32 kBlobReach = 5.0f;

const s_hmodel* FirstCaster(const s_shadow* p) {
    for (const s_shadow_model_list& caster : p->modelList)
        if (caster.hmodel != nullptr)
            return caster.hmodel;
    return nullptr;
}

// The first Shadow_Obs polygon on the segment, into the caller's result list.
bool FindGround(s_collision_cache* cache, const s_Vector3& from, const s_Vector3& dir,
                s_collision_list* hit) {
    const s_Vector3 line[2] = {
        from, {from.x + dir.x * kBlobReach, from.y + dir.y * kBlobReach, from.z + dir.z * kBlobReach, 0.0f}};
    s_collision_list* previous = PolyCollideListPtrSet(hit);
    PolyCollideStart(hit);
    PolyCollideCheckLine(cache, nullptr, line, 0, COLLISION_SHADOW_OBS);
    PolyCollideListPtrSet(previous);
    return hit->count > 0;
}

// A unit axis across the light on the polygon; a light along the normal leaves
// the quad's turn free, so it takes one from the polygon alone.
s_Vector3 AcrossLight(const s_Vector3& dir, const s_Vector3& n) {
    s_Vector3 cross, right;
    Vect3Cross(&cross, &dir, &n);
    if (Vect3Normal(&right, &cross) != 0.0f)
        return right;
    const s_Vector3 axis = n.x * n.x < 0.5f ? s_Vector3{1, 0, 0, 0} : s_Vector3{0, 0, 1, 0};
    Vect3Cross(&cross, &n, &axis);
    Vect3Normal(&right, &cross);
    return right;
}

void DrawBlob(const s_Vector3& h, const s_Vector3& dir, const s_Vector3& n, s32 slot) {
    const s_Vector3 unitRight = AcrossLight(dir, n);
    s_Vector3 forward;
    Vect3Cross(&forward, &n, &unitRight);
    const f32 r = shadowRadius[slot], f = shadowLenght[slot];
    const s_Vector3 right = {unitRight.x * r, unitRight.y * r, unitRight.z * r, 0.0f};
    forward = {forward.x * f, forward.y * f, forward.z * f, 0.0f};
    const f32 side[4] = {-1, -1, 1, 1}, along[4] = {-1, 1, 1, -1};
    // Opaque white corners: the flat colour alone gives the quad its darkness.
    s_draw_vertex vertex;
    DrawInitVertex(&vertex);
    DrawBegin(PRIM_QUAD);
    for (int c = 0; c < 4; ++c) {
        vertex.coord = {h.x + side[c] * right.x + along[c] * forward.x,
                        h.y + side[c] * right.y + along[c] * forward.y,
                        h.z + side[c] * right.z + along[c] * forward.z, 1.0f};
        vertex.u = texCoord[c][0];
        vertex.v = texCoord[c][1];
        DrawVertex(&vertex);
    }
    DrawEnd();
}

}  // namespace

void ShadowDrawBlob(s_shadow* p, const s_draw_light* light) {
    const s_hmodel* caster = FirstCaster(p);
    if (ShadowCachePolygons(p) == 0 || caster == nullptr)
        return;
    const s_Vector4& d = light->diffuse;
    const u32 a = ShadowAlpha(light->shadowIntensity * (0.3f * d.x + 0.5f * d.y + 0.2f * d.z));

    DrawContext.vertex.color = a;
    DrawSetFlatColor(a);
    DrawSetTexture(p->blobShadowTexture);
    const s32 zwrite = DrawSetZBufferWrite(0);
    DrawSetDepthOffset(-2.0f, -1.5f);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ALPHA);

    const s_Vector3 dir = {light->direction.x, light->direction.y, light->direction.z, 0.0f};
    const s32 bones = p->blobBonesCount < SHADOW_MAX_BLOB_BONES ? p->blobBonesCount : SHADOW_MAX_BLOB_BONES;
    s_collision_list hit;
    for (s32 i = 0; i < bones; ++i) {
        s_Vector3 bone;
        HModelGetBonePosition(caster, p->blobBoneIds[i], &bone);
        if (FindGround(p->cacheList[0], bone, dir, &hit))
            DrawBlob(hit.result[0].movement, dir, hit.result[0].cachePoly->normal, i);
    }

    DrawSetDepthOffset(0.0f, 0.0f);
    DrawSetCombineMode(combine);
    DrawSetZBufferWrite(zwrite);
}
