// Texture projection: the module's shared parameters, their temporary texture,
// and the projection cameras and frusta of directional and spot lights.
#include "orblib47/source/TextureProject.h"

#include <cmath>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Texture.h"

s32 DrawTextureProject = 1;
s_textproj_parms TextureProjectParms;

namespace {

constexpr f32 kDefaultLightDist = 30.0f;
constexpr f32 kDefaultLightMaxDist = 50.0f;
constexpr f32 kViewportFov = 60.0f;
constexpr f32 kViewportNear = 0.1f;
constexpr f32 kViewportFar = 500.0f;
constexpr f32 kSpotFar = 50.0f;
constexpr f32 kSpotTargetDistance = 10.0f;
constexpr f32 kDegreesToRadians = 0.0174533f;
// cos 5 degrees: a light this close to vertical cannot use the world's up axis.
constexpr f32 kNearVertical = 0.9961940f;

f32 LightParmDist = kDefaultLightDist;
f32 LightParmMaxDist = kDefaultLightMaxDist;

f32 Dot3(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

s_Vector3 ToVector3(const s_Vector4& v) {
    return {v.x, v.y, v.z, 0.0f};
}

// Look-at from parms' position to target, with the world up axis unless the
// projection runs nearly vertical.
void SetCamera(s_textproj_parms* parms, const s_Vector3& target) {
    constexpr s_Vector3 kUp = {0.0f, 1.0f, 0.0f, 0.0f};
    constexpr s_Vector3 kForward = {0.0f, 0.0f, 1.0f, 0.0f};
    const s_Vector3& up = std::fabs(Dot3(parms->direction, kUp)) >= kNearVertical ? kForward : kUp;
    Matrix4LookUp(&parms->cameraMatrix, &parms->position, &target, &up);
}

void SetScreenMatrices(s_textproj_parms* parms) {
    Matrix4MultMatrix4x4(&parms->screenMatrix, &parms->cameraMatrix, &parms->projectionMatrix);
    s_Matrix4 cameraInverse;
    Matrix4InvertRot(&cameraInverse, &parms->cameraMatrix);
    Matrix4MultMatrix4x4(&parms->inverseScreenMatrix, &parms->inverseProjectionMatrix, &cameraInverse);
}

}  // namespace

s32 TextureProjectWarmReset() {
    TextureProjectParms = s_textproj_parms{};
    // Defining a viewport unloads the current one's projection; it is loaded again.
    const e_PROJ_MODE mode = DrawContext.projectionMode;
    const s_Irect16 rect = {0, 0, TEXTURE_PROJECT_SIZE, TEXTURE_PROJECT_SIZE};
    s_viewport* viewport =
        DrawAddViewport(&rect, kViewportFov, kViewportNear, kViewportFar, 0.0f, DrawContext.maxDepth);
    if (viewport != nullptr) {
        // Square: the projection texture is as high as it is wide.
        const f32 top = kViewportNear * std::tan(kViewportFov * kDegreesToRadians * 0.5f);
        DrawViewSetProjectionMatrix(viewport, kViewportNear, kViewportFar, top, -top, top, -top, 1.0f, 1.0f);
    }
    DrawSetProjection(mode);
    TextureProjectParms.viewport = viewport;
    LightParmDist = kDefaultLightDist;
    LightParmMaxDist = kDefaultLightMaxDist;
    DrawTextureProject = 1;
    return 1;
}

s_textproj_parms* TextureProjectStart(s32 createDL, s32 allocTexture) {
    s_textproj_parms* parms = &TextureProjectParms;
    if (allocTexture != 0)
        parms->texture = TextureAlloc(TEXTURE_PROJECT_SIZE, TEXTURE_PROJECT_SIZE, 32);
    parms->flags = createDL != 0 ? TEXTURE_PROJECT_CREATE_DL : 0;
    return parms;
}

void TextureProjectEnd() {
    s_textproj_parms* parms = &TextureProjectParms;
    parms->lastTexture = parms->texture;
    TextureFree(parms->texture);
    parms->texture = nullptr;
}

f32 TextureProjectSetLightDist(f32 dist) {
    const f32 previous = LightParmDist;
    LightParmDist = dist;
    return previous;
}

f32 TextureProjectSetLightMaxDist(f32 dist) {
    const f32 previous = LightParmMaxDist;
    LightParmMaxDist = dist;
    return previous;
}

f32 TextureProjectGetLightDist() {
    return LightParmDist;
}

f32 TextureProjectGetLightMaxDist() {
    return LightParmMaxDist;
}

void TextureProjectInitDirectLightForDevice(s_textproj_parms* parms, s_Matrix4* deviceProjMatrix,
                                            s_Matrix4* deviceProjInverse, const s_draw_light* light,
                                            const s_Vector3* target, f32 radius, f32 nearPlaneOffset) {
    const s_Vector4& diffuse = light->diffuse;
    parms->intensity = 0.3f * diffuse.x + 0.5f * diffuse.y + 0.2f * diffuse.z;
    parms->color = diffuse;
    const s_Vector3 direction = ToVector3(light->direction);
    Vect3Normal(&parms->direction, &direction);
    parms->distance = LightParmDist;
    parms->maxDistance = LightParmMaxDist;
    parms->position = {target->x - parms->direction.x * parms->distance,
                       target->y - parms->direction.y * parms->distance,
                       target->z - parms->direction.z * parms->distance, 0.0f};
    SetCamera(parms, *target);

    // The casters are rendered through a frustum that may start nearer than the
    // one that projects; each keeps its own inverse.
    s_Matrix4 device;
    s_Matrix4 deviceInverse;
    Matrix4CreateProjection(&device, &deviceInverse, -radius, radius, -radius, radius,
                            parms->distance + nearPlaneOffset, parms->maxDistance, 1.0f, 1.0f);
    if (deviceProjMatrix != nullptr)
        *deviceProjMatrix = device;
    if (deviceProjInverse != nullptr)
        *deviceProjInverse = deviceInverse;
    Matrix4CreateProjection(&parms->projectionMatrix, &parms->inverseProjectionMatrix, -radius, radius,
                            -radius, radius, parms->distance, parms->maxDistance, 1.0f, 1.0f);
    SetScreenMatrices(parms);
}

void TextureProjectInitSpotLight(s_textproj_parms* parms, const s_draw_light* light, f32 nearPlane) {
    const s_Vector4& diffuse = light->diffuse;
    parms->intensity = light->intensity * (diffuse.x + diffuse.y + diffuse.z) / 3.0f;
    parms->color = diffuse;
    parms->direction = ToVector3(light->direction);
    parms->distance = nearPlane;
    parms->maxDistance = kSpotFar;
    parms->position = ToVector3(light->position);
    const s_Vector3 target = {parms->position.x + kSpotTargetDistance * parms->direction.x,
                              parms->position.y + kSpotTargetDistance * parms->direction.y,
                              parms->position.z + kSpotTargetDistance * parms->direction.z, 0.0f};
    SetCamera(parms, target);
    const f32 h = std::tan(light->angle * kDegreesToRadians);
    Matrix4CreateProjection(&parms->projectionMatrix, &parms->inverseProjectionMatrix, -h, h, -h, h,
                            nearPlane, kSpotFar, 1.0f, 1.0f);
    SetScreenMatrices(parms);
}
