// The draw warm reset: the hardware state, the video mode, the main viewport and
// the default draw state, and the frame task.
#include "console/gx.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/DrawCombine.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbThread.h"

namespace {

constexpr u32 kDrawViewportCount = 8;
constexpr u32 kDrawThreadPriority = 3200;

// Created by the first warm reset only: a later one (the FIFO re-allocation runs
// one) reuses them.
s_thread* DrawThreadTask = nullptr;
bool ViewportPoolCreated = false;
s_viewport* MainViewport = nullptr;

void SetMainViewport() {
    const s_Irect16 rect = {0, 0, s16(DrawContext.screenSize.x), s16(DrawContext.screenSize.y)};
    constexpr f32 fov = 60.0f, nearZ = 0.1f, farZ = 500.0f;
    if (MainViewport == nullptr) {
        MainViewport = DrawAddViewport(&rect, fov, nearZ, farZ, 0.0f, DrawContext.maxDepth);
    } else {
        DrawDefineViewport(MainViewport, &rect, fov, nearZ, farZ, 0.0f, DrawContext.maxDepth);
    }
    DrawSetViewport(MainViewport);
}

// Setters whose value the cleared context does not hold yet reach the hardware.
void SetContextDefaults() {
    DrawContext.flags = u_draw_flags::TextureEnabled | u_draw_flags::DrawEnabled;
    DrawContext.projectionMode = DC_PROJ_INVALID;
    DrawContext.zBufferMode = DC_ZMODE_INVALID;
    DrawContext.combineMode = DC_COMBINE_INVALID;
    DrawContext.numClipPlanes = DRAW_CLIP_PLANE_COUNT;
    DrawContext.rgbaMask = 0;
    for (s_sampler_state& sampler : DrawContext.samplerStateList) {
        for (e_TEXTURE_WRAP_MODE& wrap : sampler.wrapMode)
            wrap = DC_TEXTURE_WRAP_INVALID;
        sampler.filterMode = DC_TEXTURE_FILTER_INVALID;
    }
    SetMainViewport();
    DrawSetFlatColor(0xFFFFFFFF);
    DrawSetTextureFilterMode(DC_TEXTURE_FILTER_LINEAR);
    DrawSetTextureWrapMode(DC_TEXTURE_WRAP_TILE);
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    DrawSetCullMode(DC_CULL_BACK);
    DrawSetZBufferMode(DC_ZMODE_LESS_EQUAL);
    DrawSetZBufferWrite(1);
    DrawSetPolygonMode(DC_POLY_DRAW_FILL);
    DrawSetTextureMatrix(nullptr);
    DrawSetScissor(63);
    DrawSetDepthOffset(0.0f, 0.0f);
    DrawSetAmbientLightV(&DefaultAmbient);
    DrawResetLights();
    DrawSetCombineStages(e_bound_texture::None);
    DrawSetFog(0x000000FF, 500.0f, 500.0f);
    DrawSetProjection(DC_PROJ_3D);
}

}  // namespace

void DrawWarmStateColdReset() {
    DrawThreadTask = nullptr;
    ViewportPoolCreated = false;
    MainViewport = nullptr;
    DrawFSAAColdReset();
    DrawRenderToTextureColdReset();
}

e_error_code DrawWarmReset(u32 videoMode) {
    if (!ViewportPoolCreated) {
        DrawViewportWarmReset(kDrawViewportCount);
        ViewportPoolCreated = true;
    }
    DrawContext = s_draw_context{};
    DrawHardwareWarmReset();
    DrawSetVideoMode(videoMode);
    SetContextDefaults();
    DrawFadeWarmReset();
    DrawStartDraw();
    // The first frame's timer starts with it, not before the video set-up's retraces.
    ClockResetTimer(1);
    if (DrawThreadTask == nullptr)
        DrawThreadTask = ThreadInsertPriorityDebug("DrawThread", nullptr, nullptr, DrawThread, nullptr,
                                                   kDrawThreadPriority);
    DrawTimingReset();
    DebugTimingAddFunc(DrawDrawTiming);
    return RET_NO_ERROR;
}

void DrawHardwareWarmReset() {
    FlipOnIRQ = 0;
    GpuWarmReset();
    DrawSetupDefaultVertFormat();
    GXSetAlphaCompare(GX_GEQUAL, 0, GX_AOP_AND, GX_LEQUAL, 255);
    GXSetZCompLoc(GX_FALSE);
    DrawResetMatrixStacks();
    DrawContext.zBufferWriteEnable = 1;
    GXSetZMode(GX_TRUE, GX_LEQUAL, GX_TRUE);
    DrawInitVertex(&DrawContext.vertex);
    DrawHardwareLightsReset();
    DrawSetFSAA(0.0f);  // a running pass ends with the context that set it
    GXSetAlphaUpdate(GX_FALSE);
    GXSetDstAlpha(GX_FALSE, 0);
    MinVblCount = 1;
}
