#include "source/TextureProject.h"

#include <algorithm>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/Texture.h"

namespace {

constexpr u32 kWhite = 0xFFFFFFFFu;
constexpr u32 kShadow = 0x000000FFu;

// The projector's texture over the whole projection viewport, then its casters in
// black as its light sees them.
void RenderShadowTexture(CTextureProject& projector) {
    s_textproj_parms& parms = projector.parms;
    if (DrawStartRenderToTexture(projector.shadowTexture, TextureProjectParms.viewport) == 0)
        return;
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    const u32 flat = DrawSetFlatColor(kWhite);
    const s32 lighting = DrawLightsOff();
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetTexture(projector.texture);
    DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    const s_Irect16 whole = {0, 0, TEXTURE_PROJECT_SIZE, TEXTURE_PROJECT_SIZE};
    DrawFilledIrect(&whole);
    DrawSetTexture(nullptr);

    DrawSetProjectionFromMatrix(&parms.projectionMatrix, &parms.inverseProjectionMatrix);
    DrawSetCamera(&parms.cameraMatrix, &parms.position);
    DrawSetFlatColor(kShadow);
    const s32 casters = std::min(projector.locals.numObjShadowCast, TEXTURE_PROJECT_MAX_CASTERS);
    for (s32 i = 0; i < casters; ++i)
        HModelReDraw(projector.casters[i], &projector.casters[i]->worldMatrix);
    DrawEndRenderToTexture();
    if (lighting != 0)
        DrawLightsOn();
    DrawSetFlatColor(flat);
    DrawSetCombineMode(combine);
}

// The light colour at its intensity, opaque.
u32 LightColor(const s_textproj_parms& parms) {
    const s_Vector4 color = {parms.color.x * parms.intensity, parms.color.y * parms.intensity,
                             parms.color.z * parms.intensity, 1.0f};
    return DrawSetFlatColorV(&color);
}

}  // namespace

CTextureProject::~CTextureProject() {
    TextureFree(shadowTexture);
}

void CTextureProject::AddShadowCaster(s_hmodel* hmodel) {
    if (hmodel == nullptr || locals.numObjShadowCast >= TEXTURE_PROJECT_MAX_CASTERS)
        return;
    casters[locals.numObjShadowCast++] = hmodel;
    locals.flags |= u_texproj_object_flags::activeRender;
}

void TextureProjectLightDrawFunc(CTextureProject* textureProject) {
    CTextureProject& projector = *textureProject;
    TextureProjectInitSpotLight(&projector.parms, &projector.light, projector.nearPlane);
    s_texture* projected = projector.texture;
    if (projector.locals.numObjShadowCast > 0) {
        if (projector.shadowTexture == nullptr) {
            projector.shadowTexture = TextureAlloc(TEXTURE_PROJECT_SIZE, TEXTURE_PROJECT_SIZE, 32);
            if (projector.shadowTexture == nullptr)
                DEBUG_PRINT("ERROR! Cannot alloc texture for texture projection shadow!\n");
        }
        if (projector.shadowTexture != nullptr) {
            RenderShadowTexture(projector);
            projected = projector.shadowTexture;
        }
    }
    // Unlit: with lighting enabled the projection would take the vertices' white
    // for its colour and add the texture at full strength.
    const s32 lit = DrawEnableLight(0);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_ADD);
    const u32 flat = LightColor(projector.parms);
    TextureProjectRenderCache(&projector.parms, projector.cache, projected);
    DrawSetFlatColor(flat);
    DrawSetCombineMode(combine);
    DrawEnableLight(lit);
}

void TextureProjectRegisterDrawFunc() {
    ProjectorSetDrawFunc([](s_texproj_object* projector) {
        TextureProjectLightDrawFunc(static_cast<CTextureProject*>(projector));
    });
}
