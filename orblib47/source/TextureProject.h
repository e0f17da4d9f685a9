// Texture projection: a projection camera and frustum for a directional or spot
// light, and the polygons of a collision cache drawn again, clipped to that
// frustum, with texture coordinates from their projected positions. Projected
// shadows and the level's texture projectors use it.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_collision_cache;
struct s_texture;
struct s_viewport;

// s_textproj_parms flags
constexpr u32 TEXTURE_PROJECT_CREATE_DL = 0x1;  // record the next drawing into a display list
constexpr u32 TEXTURE_PROJECT_GROW_BOX = 0x2;   // grow minBox/maxBox by every drawn vertex

// The side of the square texture and viewport projections render into.
constexpr s32 TEXTURE_PROJECT_SIZE = 256;

struct s_textproj_parms {
    s_Matrix4 cameraMatrix;
    s_Matrix4 screenMatrix;         // world to projection clip space
    s_Matrix4 inverseScreenMatrix;  // clip space back to world
    s_Matrix4 projectionMatrix;
    s_Matrix4 inverseProjectionMatrix;
    s_Vector3 direction;
    s_Vector3 position;
    s_Vector4 color;
    f32 distance;     // near distance
    f32 maxDistance;  // far distance
    f32 intensity;
    u32 flags;
    s_texture* texture;      // being projected or rendered into
    s_texture* lastTexture;  // of the previous projection, kept after release
    s_viewport* viewport;    // 256 x 256, for rendering into texture
    void* displayList;       // recorded by the last drawing with TEXTURE_PROJECT_CREATE_DL; owned
    u32 displayListSize;     // bytes; replay with DrawRecordCall
    s_Vector3* minBox;
    s_Vector3* maxBox;
};

extern s32 DrawTextureProject;  // 0: nothing is projected
// The module's shared parameters, handed out by TextureProjectStart.
extern s_textproj_parms TextureProjectParms;

s32 TextureProjectWarmReset();
s_textproj_parms* TextureProjectStart(s32 createDL, s32 allocTexture);
void TextureProjectEnd();
f32 TextureProjectSetLightDist(f32 dist);
f32 TextureProjectSetLightMaxDist(f32 dist);
f32 TextureProjectGetLightDist();
f32 TextureProjectGetLightMaxDist();
// deviceProjMatrix and deviceProjInverse (may be null) receive the frustum that
// starts nearPlaneOffset nearer, for rendering the casters; parms keeps the one
// used to project.
void TextureProjectInitDirectLightForDevice(s_textproj_parms* parms, s_Matrix4* deviceProjMatrix,
                                            s_Matrix4* deviceProjInverse, const s_draw_light* light,
                                            const s_Vector3* target, f32 radius, f32 nearPlaneOffset);
void TextureProjectInitSpotLight(s_textproj_parms* parms, const s_draw_light* light, f32 nearPlane);
void TextureProjectRenderCache(s_textproj_parms* parms, const s_collision_cache* cache, s_texture* texture);
