#include "orblib47/source/NGC/DrawLights.h"

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawColor.h"
#include "orblib47/source/OrbMath.h"

s_hardware_light GXLights[DRAW_MAX_HW_LIGHTS];
s32 numGXLights = 0;
u32 LightEnableColorChan0 = 0;
u32 LightEnableAlphaChan0 = 0;
u32 LightEnableColorChan1 = 0;
u32 LightEnableAlphaChan1 = 0;
GXDiffuseFn Diff_Fn_C0 = GX_DF_CLAMP;
GXAttnFn Attn_Fn_C0 = GX_AF_SPOT;
GXDiffuseFn Diff_Fn_C1 = GX_DF_NONE;
GXAttnFn Attn_Fn_C1 = GX_AF_SPEC;
s32 UpdateLights = 1;
f32 shininess = 4.0f;
s_Vector3 DrawSpecularDir;
s32 specularStage = 0;

const s_Vector4 DefaultAmbient = {0.2f, 0.2f, 0.2f, 1.0f};
const s_draw_light ObjectDefaultLight = {
    {0.8f, 0.8f, 0.8f, 0.0f},
    {0.0f, 0.0f, 0.0f, 0.0f},
    {0.0f, 0.0f, 0.0f, 0.0f},
    {1.0f, -2.0f, -1.0f, 0.0f},
    u_light_flags::light_in_use | u_light_flags::light_diffuse | u_light_flags::light_directional,
    0.0f,
    1.0f,
    0.0f,
    0,
    0.0f,
};

namespace {

constexpr f32 kHemisphereSpotAngle = 90.5f;  // a flat spot just wider than a half space
constexpr f32 kDistantLightRange = -1000000.0f;

bool Has(u32 flags, u32 bits) {
    return (flags & bits) == bits;
}

s_Vector3 Vec3Of(const s_Vector4& v) {
    return {v.x, v.y, v.z, 0.0f};
}

void SetChannel0(GXBool enable, GXColorSrc ambSrc, GXColorSrc matSrc, u32 mask, GXDiffuseFn diff,
                 GXAttnFn attn) {
    GXSetChanCtrl(GX_COLOR0A0, enable, ambSrc, matSrc, mask, diff, attn);
}

// Channel 0 with its own light masks and functions, colour and alpha alike.
void SetLitChannel0(GXBool enable, GXColorSrc ambSrc, GXColorSrc matSrc) {
    GXSetChanCtrl(GX_COLOR0, enable, ambSrc, matSrc, LightEnableColorChan0, Diff_Fn_C0, Attn_Fn_C0);
    GXSetChanCtrl(GX_ALPHA0, enable, ambSrc, matSrc, LightEnableAlphaChan0, Diff_Fn_C0, Attn_Fn_C0);
}

void Channel1Off() {
    GXSetChanCtrl(GX_COLOR1A1, GX_FALSE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT_NULL, GX_DF_NONE, GX_AF_NONE);
}

// One colour channel, lit by nothing, channel 1 off, no specular stage.
void SingleUnlitChannel(GXColorSrc ambSrc, GXColorSrc matSrc) {
    GXSetNumChans(1);
    SetChannel0(GX_TRUE, ambSrc, matSrc, GX_LIGHT_NULL, GX_DF_CLAMP, GX_AF_NONE);
    Channel1Off();
    specularStage = 0;
}

s_hardware_light* TakeHardwareLight(s32 slot, u32 flags) {
    s_hardware_light& hw = GXLights[numGXLights];
    hw.lightId = GXLightID(1u << numGXLights);
    hw.index = slot;
    hw.flags = flags;
    ++numGXLights;
    return &hw;
}

// Sets the light into draw slot `slot` with its hardware lights; returns the number
// of draw slots filled (a point light fills the next slot with its second
// hemisphere), 0 when nothing was set.
s32 SetLight(const s_draw_light* light, s32 slot) {
    if (numGXLights >= DRAW_MAX_HW_LIGHTS || slot < 0 || slot >= DRAW_MAX_LIGHTS)
        return 0;
    s_draw_light& dl = DrawContext.lights[slot];
    dl = *light;
    dl.flags |= u_light_flags::light_in_use;
    s32 filled = 1;
    const bool positional = (dl.flags & u_light_flags::light_positional) != 0;
    const bool directional = (dl.flags & u_light_flags::light_directional) != 0;
    if (dl.flags & u_light_flags::light_diffuse) {
        s_hardware_light* hw = TakeHardwareLight(slot, HW_LIGHT_DIFFUSE);
        if (positional && directional) {
            Vect4Normal(&dl.direction, &dl.direction);
            hw->flags |= HW_LIGHT_POSITIONAL | HW_LIGHT_DIRECTIONAL;
        } else if (positional) {
            hw->flags |= HW_LIGHT_POSITIONAL;
            const bool room = numGXLights < DRAW_MAX_HW_LIGHTS && slot + 1 < DRAW_MAX_LIGHTS;
            if (!(dl.flags & u_light_flags::light_spotlight) && room) {
                // Two hemisphere lights facing opposite ways.
                s_draw_light other = dl;
                other.flags |= u_light_flags::light_spotlight;
                dl.direction = {1.0f, 0.0f, 0.0f, 0.0f};
                filled += SetLight(&other, slot + 1);
            } else {
                dl.direction = {-1.0f, 0.0f, 0.0f, 0.0f};
            }
        } else if (directional) {
            dl.position = {dl.direction.x * kDistantLightRange, dl.direction.y * kDistantLightRange,
                           dl.direction.z * kDistantLightRange, dl.direction.w};
        }
    }
    const bool hasDirection = dl.direction.x != 0.0f || dl.direction.y != 0.0f || dl.direction.z != 0.0f;
    if (numGXLights < DRAW_MAX_HW_LIGHTS &&
        Has(dl.flags, u_light_flags::light_specular | u_light_flags::light_directional) && hasDirection) {
        TakeHardwareLight(slot, HW_LIGHT_SPECULAR);
        if (dl.specular.x == 0.0f && dl.specular.y == 0.0f && dl.specular.z == 0.0f)
            dl.specular = {1.0f, 1.0f, 1.0f, 1.0f};
    }
    return filled;
}

void BuildSpecularLight(s_hardware_light& hw, const s_draw_light& dl, const s_viewport& viewport) {
    GXInitLightColor(&hw.lightObj, GXColorOfV(dl.specular));
    if (UpdateLights) {
        // Rotated back by the camera's rotation: the camera's inverse is valid for
        // rotations only, and only the rotation is wanted here.
        s_Vector3 dir = Vec3Of(dl.direction);
        Matrix4BackRotPoint(&viewport.cameraMatrix, &dir, &dir);
        Vect3Normal(&dir, &dir);
        GXInitSpecularDirHA(&hw.lightObj, -dir.x, dir.y, -dir.z, DrawSpecularDir.x, DrawSpecularDir.y,
                            DrawSpecularDir.z);
    }
    GXInitLightAttn(&hw.lightObj, 0.0f, 0.0f, 1.0f, shininess * 0.5f, 0.0f, 1.0f - shininess * 0.5f);
    GXLoadLightObjImm(&hw.lightObj, hw.lightId);
    LightEnableColorChan1 |= hw.lightId;
}

void BuildDiffuseLight(s_hardware_light& hw, s_draw_light& dl, const s_viewport& viewport) {
    dl.diffuse.w = 0.0f;  // lights do not change alpha
    GXInitLightColor(&hw.lightObj, GXColorOfV(dl.diffuse));
    s_Vector3 dir = Vec3Of(dl.direction);
    if (UpdateLights) {
        s_Vector3 pos = Vec3Of(dl.position);
        Matrix4MultPoints(&viewport.cameraMatrix, &pos, &pos, 1);
        Matrix4RotPoints(&viewport.cameraMatrix, &dir, &dir, 1);
        GXInitLightPos(&hw.lightObj, pos.x, pos.y, pos.z);
    }
    if (!(hw.flags & HW_LIGHT_POSITIONAL)) {
        GXInitLightAttnK(&hw.lightObj, 1.0f, 0.0f, 0.0f);
        GXInitLightSpot(&hw.lightObj, kHemisphereSpotAngle, GX_SP_FLAT);
    } else if (hw.flags & HW_LIGHT_DIRECTIONAL) {
        GXInitLightAttnK(&hw.lightObj, 0.0f, dl.intensity, 0.0f);
        GXInitLightSpot(&hw.lightObj, dl.angle, GX_SP_COS);
    } else {
        GXInitLightAttnK(&hw.lightObj, 0.0f, dl.intensity, 0.0f);
        GXInitLightSpot(&hw.lightObj, kHemisphereSpotAngle, GX_SP_FLAT);
    }
    if (UpdateLights)
        GXInitLightDir(&hw.lightObj, dir.x, dir.y, dir.z);
    GXLoadLightObjImm(&hw.lightObj, hw.lightId);
    LightEnableColorChan0 |= hw.lightId;
    LightEnableAlphaChan0 |= hw.lightId;
}

}  // namespace

void DrawHardwareLightsReset() {
    // A light taken after the first DrawLightsOn of a frame is loaded with the
    // position and direction its record holds, and the specular half-angle starts
    // from the last one worked out: both as at start-up, not as the last run left them.
    for (s_hardware_light& hw : GXLights)
        hw = s_hardware_light{};
    DrawSpecularDir = s_Vector3{};
    numGXLights = 0;
    specularStage = 0;
    GXSetNumChans(1);
    for (GXChannelID chan : {GX_COLOR0A0, GX_COLOR1A1})
        GXSetChanCtrl(chan, GX_FALSE, GX_SRC_VTX, GX_SRC_VTX, GX_LIGHT_NULL, GX_DF_CLAMP, GX_AF_NONE);
}

u32 DrawSetAmbientLight(u32 rgba) {
    u32 previous = DrawContext.ambientColor;
    if (rgba != previous) {
        DrawContext.ambientColor = rgba;
        DrawContext.ambientColorVect = UnpackColorV(rgba);
    }
    return previous;
}

u32 DrawSetAmbientLightV(const s_Vector4* rgba) {
    u32 previous = DrawContext.ambientColor;
    DrawContext.ambientColorVect = *rgba;
    DrawContext.ambientColor = PackColorV(*rgba);
    return previous;
}

void DrawLoadAmbientLight() {}

void DrawResetLights() {
    numGXLights = 0;
    LightEnableColorChan0 = 0;
    LightEnableAlphaChan0 = 0;
    LightEnableColorChan1 = 0;
    LightEnableAlphaChan1 = 0;
    DrawContext.numLights = 0;
    DrawLightsOff();
    for (s_draw_light& light : DrawContext.lights)
        light.flags = 0;
    UpdateLights = 1;
}

void DrawSetLights(const s_draw_light* lights, s32 n) {
    DrawContext.numLights = 0;
    for (s32 i = 0; i < n && i < DRAW_MAX_LIGHTS; ++i)
        DrawAddLight(&lights[i]);
}

void DrawSetDefaultLights() {
    DrawSetLights(&ObjectDefaultLight, 1);
}

s32 DrawAddLight(const s_draw_light* light) {
    if (DrawContext.numLights >= DRAW_MAX_LIGHTS)
        return 0;
    s32 filled = SetLight(light, DrawContext.numLights);
    DrawContext.numLights += filled;
    return filled > 0 ? 1 : 0;
}

s32 DrawSetLight(const s_draw_light* light, s32 slot) {
    return SetLight(light, slot) > 0 ? slot : -1;
}

s32 DrawLightsOn() {
    s32 previous = (DrawContext.flags & u_draw_flags::LightOn) != 0;
    if (!(DrawContext.flags & u_draw_flags::LightEnabled) || DrawContext.viewport == nullptr)
        return previous;
    const s_viewport& viewport = *DrawContext.viewport;
    for (s32 i = numGXLights - 1; i >= 0; --i) {
        s_hardware_light& hw = GXLights[i];
        s_draw_light& dl = DrawContext.lights[hw.index];
        if (i == 0) {
            s_Vector3 sum = {viewport.cameraForward.x + DrawContext.lights[0].direction.x,
                             viewport.cameraForward.y + DrawContext.lights[0].direction.y,
                             viewport.cameraForward.z + DrawContext.lights[0].direction.z, 0.0f};
            Vect3Normal(&DrawSpecularDir, &sum);
        }
        if (hw.flags & HW_LIGHT_SPECULAR) {
            BuildSpecularLight(hw, dl, viewport);
        } else {
            BuildDiffuseLight(hw, dl, viewport);
        }
    }
    UpdateLights = 0;
    DrawContext.flags |= u_draw_flags::LightOn;
    return previous;
}

s32 DrawLightsOff() {
    s32 previous = (DrawContext.flags & u_draw_flags::LightOn) != 0;
    if (DrawContext.flags & u_draw_flags::LightEnabled) {
        DrawContext.flags &= ~u_draw_flags::LightOn;
        SingleUnlitChannel(GX_SRC_VTX, GX_SRC_VTX);
    }
    return previous;
}

s32 DrawEnableLight(s32 on) {
    s32 previous = (DrawContext.flags & u_draw_flags::LightEnabled) != 0;
    on = on != 0;
    if (on == previous)
        return previous;
    if (on) {
        SingleUnlitChannel(GX_SRC_REG, GX_SRC_VTX);
        DrawContext.flags |= u_draw_flags::LightEnabled;
    } else {
        SetLitChannel0(GX_FALSE, GX_SRC_VTX, GX_SRC_VTX);
        // Lights left on would have the next unlit material lit by them.
        DrawContext.flags &= ~(u_draw_flags::LightEnabled | u_draw_flags::LightOn);
    }
    return previous;
}

void NGCNoHardwareLighting(const s_material_lighting& material) {
    if (DrawFlatColorActive()) {
        GXSetChanAmbColor(GX_COLOR0A0,
                          GXColorOfV(ColorModulate(material.ambient, DrawContext.ambientColorVect)));
        GXSetChanMatColor(GX_COLOR0A0, GXColorOfV(ColorModulate(material.diffuse, DrawContext.colorVect)));
    }
    GXSetNumChans(1);
    specularStage = 0;
    SetChannel0(GX_TRUE, GX_SRC_VTX, GX_SRC_REG, GX_LIGHT_NULL, Diff_Fn_C0, Attn_Fn_C0);
    Channel1Off();
}

void NGCHardwareLighting(const s_material_lighting& material) {
    s_Vector4 ambient = material.ambient;
    if (ambient.x == 0.0f && ambient.y == 0.0f && ambient.z == 0.0f)
        ambient = {1.0f, 1.0f, 1.0f, 1.0f};
    GXSetChanAmbColor(GX_COLOR0A0, GXColorOfV(ColorModulate(ambient, DrawContext.ambientColorVect)));
    GXSetChanMatColor(GX_COLOR0A0, GXColorOfV(material.diffuse));
    SetLitChannel0(GX_TRUE, GX_SRC_REG, GX_SRC_VTX);
    GXSetChanAmbColor(GX_COLOR1A1, DrawGXBlack);
    if (material.shininess > 0.0f) {
        GXSetNumChans(2);
        specularStage = 1;
        GXSetChanMatColor(GX_COLOR1A1, GXColorOfV(material.specular));
        GXSetChanCtrl(GX_COLOR1, GX_TRUE, GX_SRC_REG, GX_SRC_REG, LightEnableColorChan1, Diff_Fn_C1,
                      Attn_Fn_C1);
    } else {
        GXSetNumChans(1);
        GXSetChanMatColor(GX_COLOR1A1, DrawGXBlack);
        GXSetChanCtrl(GX_COLOR1, GX_FALSE, GX_SRC_REG, GX_SRC_REG, GX_LIGHT_NULL, Diff_Fn_C1, Attn_Fn_C1);
    }
    GXSetChanCtrl(GX_ALPHA1, GX_FALSE, GX_SRC_REG, GX_SRC_REG, LightEnableAlphaChan1, GX_DF_NONE, GX_AF_NONE);
}
