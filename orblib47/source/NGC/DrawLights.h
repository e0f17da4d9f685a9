// Draw lights and hardware lighting: the context's eight draw lights become the
// console's eight hardware lights (a point light takes two hemisphere lights), and
// the colour channels are programmed for lit and unlit materials.
#pragma once

#include "console/gx.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbTypes.h"

constexpr s32 DRAW_MAX_HW_LIGHTS = 8;

// s_hardware_light flags.
constexpr u32 HW_LIGHT_DIFFUSE = 0x20000000u;
constexpr u32 HW_LIGHT_SPECULAR = 0x10000000u;
constexpr u32 HW_LIGHT_DIRECTIONAL = 0x08000000u;
constexpr u32 HW_LIGHT_POSITIONAL = 0x04000000u;  // with DIRECTIONAL: a spot light

struct s_hardware_light {
    GXLightObj lightObj;
    GXLightID lightId;  // 1 << hardware index
    s32 index;          // the draw-light slot it serves
    u32 flags;
};

extern s_hardware_light GXLights[DRAW_MAX_HW_LIGHTS];
extern s32 numGXLights;
// The hardware lights of each channel, by GX light mask bit.
extern u32 LightEnableColorChan0;  // diffuse lights
extern u32 LightEnableAlphaChan0;  // diffuse lights
extern u32 LightEnableColorChan1;  // specular lights
extern u32 LightEnableAlphaChan1;  // none: the second alpha channel is never lit
extern GXDiffuseFn Diff_Fn_C0;
extern GXAttnFn Attn_Fn_C0;
extern GXDiffuseFn Diff_Fn_C1;
extern GXAttnFn Attn_Fn_C1;
extern s32 UpdateLights;  // positions and directions are rebuilt at the next switch-on
extern f32 shininess;
extern s_Vector3 DrawSpecularDir;
extern s32 specularStage;  // extra combine stages for specular: 0 or 1

extern const s_Vector4 DefaultAmbient;
extern const s_draw_light ObjectDefaultLight;

// The lighting colours of a material.
struct s_material_lighting {
    s_Vector4 ambient;
    s_Vector4 diffuse;
    s_Vector4 specular;
    f32 shininess;
};

// No hardware lights, no specular stage, one colour channel; both channels unlit
// with ambient and material from the vertex colour (the hardware warm reset).
void DrawHardwareLightsReset();

u32 DrawSetAmbientLight(u32 rgba);
u32 DrawSetAmbientLightV(const s_Vector4* rgba);
void DrawLoadAmbientLight();  // empty: the material set-up loads the ambient

void DrawResetLights();
void DrawSetLights(const s_draw_light* lights, s32 n);
void DrawSetDefaultLights();
// Sets the light into the next free draw slots; 1 when it was set, else 0.
s32 DrawAddLight(const s_draw_light* light);
// Returns the slot, or -1 when no hardware light is free or the slot is out of range.
s32 DrawSetLight(const s_draw_light* light, s32 slot);

s32 DrawLightsOn();
s32 DrawLightsOff();
s32 DrawEnableLight(s32 on);

// Colour-channel set-up of a material without and with hardware lights. The
// material is read, never written.
void NGCNoHardwareLighting(const s_material_lighting& material);
void NGCHardwareLighting(const s_material_lighting& material);
template <class Material>
void NGCNoHardwareLighting(const Material* material) {
    NGCNoHardwareLighting(
        s_material_lighting{material->ambient, material->diffuse, material->specular, material->shininess});
}
template <class Material>
void NGCHardwareLighting(const Material* material) {
    NGCHardwareLighting(
        s_material_lighting{material->ambient, material->diffuse, material->specular, material->shininess});
}
