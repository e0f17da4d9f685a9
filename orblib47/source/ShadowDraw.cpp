// The projected shadow of one light: the casters rendered from the light into the
// projection texture, then subtracted from the receiver polygons.
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/ShadowInternal.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/TextureProject.h"

s32 ShadowDebugDrawBuffer = 0;

namespace {

constexpr u32 kWhite = 0xFFFFFFFFu;
constexpr f32 kDebugBufferX = 364.0f;
constexpr f32 kDebugBufferY = 192.0f;

// The projection along the light onto the box about the owner; the device
// frustum, which starts `radius` nearer, is the one the casters are rendered with.
void SetUpProjection(const s_shadow* p, s_textproj_parms* parms, const s_draw_light* light, s_Matrix4* device,
                     s_Matrix4* deviceInverse) {
    const bool ownDistances = (p->flags & SHADOW_LIGHT_DISTANCE_VALID) != 0;
    const f32 dist = ownDistances ? TextureProjectSetLightDist(p->lightDistance) : 0.0f;
    const f32 maxDist = ownDistances ? TextureProjectSetLightMaxDist(p->lightMaxDistance) : 0.0f;
    TextureProjectInitDirectLightForDevice(parms, device, deviceInverse, light, p->position, p->radius,
                                           -p->radius);
    if (ownDistances) {
        TextureProjectSetLightDist(dist);
        TextureProjectSetLightMaxDist(maxDist);
    }
}

// The receivers are multiplied by the texture (the subtract combine mode), so it
// starts white and only the casters' grey darkens them.
void ClearTarget(const s_viewport* viewport, u32 casterColor) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetTexture(nullptr);
    DrawSetFlatColor(kWhite);
    DrawFilledIrect(&viewport->rect);
    DrawSetFlatColor(casterColor);
}

void RenderCasters(s_shadow* p, s_textproj_parms* parms, const s_Matrix4* device,
                   const s_Matrix4* deviceInverse, u32 casterColor) {
    OrbMaterial.Lock(&MaterialShadow);
    if (DrawStartRenderToTexture(parms->texture, parms->viewport)) {
        ClearTarget(parms->viewport, casterColor);
        DrawSetConstantZ(0.0f);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetProjectionFromMatrix(device, deviceInverse);
        DrawSetCamera(&parms->cameraMatrix, &parms->position);
        if (p->drawFunc != nullptr) {
            p->drawFunc(p);
        } else {
            DrawSetProjection(DC_PROJ_3D);
            const e_POLYGON_MODE polygonMode = DrawSetPolygonMode(DC_POLY_DRAW_FILL);
            for (const s_shadow_model_list& caster : p->modelList)
                if (caster.hmodel != nullptr)
                    HModelReDraw(caster.hmodel, &caster.hmodel->worldMatrix);
            DrawSetPolygonMode(polygonMode);
        }
        DrawEndRenderToTexture();
    }
    OrbMaterial.Unlock();
    OrbMaterial.RestoreDrawContext();
}

void DrawDebugBuffer(s_texture* texture) {
    if (texture == nullptr)
        return;
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    const e_ZBUF_MODE zmode = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    const e_TEXTURE_WRAP_MODE wrap = DrawSetTextureWrapMode(DC_TEXTURE_WRAP_CLAMP);
    DrawSetFlatColor(kWhite);
    DrawSetTexture(texture);
    DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    const s_texture_map& map = texture->file.maps[0];
    const s_Vector3 p0 = {kDebugBufferX, kDebugBufferY, 0.0f, 0.0f};
    const s_Vector3 p1 = {kDebugBufferX + f32(map.width), kDebugBufferY + f32(map.height), 0.0f, 0.0f};
    DrawFilledRect(&p0, &p1);
    DrawSetTexture(nullptr);
    DrawSetTextureWrapMode(wrap);
    DrawSetCombineMode(combine);
    DrawSetZBufferMode(zmode);
    DrawSetProjection(projection);
}

}  // namespace

void ShadowDraw(s_shadow* p, s_textproj_parms* parms, const s_draw_light* light) {
    if (parms == nullptr || ShadowCachePolygons(p) == 0)
        return;
    DrawContext.flags &= ~(u_draw_flags::ZbufferWriteLocked | u_draw_flags::Combine_Mode_Locked);

    s_Matrix4 device, deviceInverse;
    SetUpProjection(p, parms, light, &device, &deviceInverse);

    const u32 grey = 255u - ShadowAlpha(parms->intensity * light->shadowIntensity);
    const u32 casterColor = grey << 24 | grey << 16 | grey << 8 | 0xFFu;
    DrawSetFlatColor(casterColor);
    const s32 lighting = DrawEnableLight(0);
    RenderCasters(p, parms, &device, &deviceInverse, casterColor);

    DrawSetRgbaMask(255);
    DrawContext.vertex.color = kWhite;
    DrawSetFlatColor(kWhite);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_SUBTRACT);
    for (const s_collision_cache* cache : p->cacheList)
        if (cache != nullptr)
            TextureProjectRenderCache(parms, cache, parms->texture);
    DrawEnableLight(lighting);
    DrawSetCombineMode(combine);

    if (ShadowDebugDrawBuffer)
        DrawDebugBuffer(parms->texture);
}
