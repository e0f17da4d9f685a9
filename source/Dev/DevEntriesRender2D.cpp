#include <cstdlib>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/Wad.h"
#include "source/Dev/DevEntriesRender.h"
#include "source/Dev/DevEntriesRenderInternal.h"

s32 stickMax = 0;
s32 yMax = 0;
s32 startY = 128;
f32 throwTime = 0.0f;

namespace {

constexpr s32 kNoThrow = 128;
constexpr s32 kThrowLimit = 120;  // the stick pushed past this ends a throw

// The triangle's corners: red top, green lower right, blue lower left.
struct s_triangle_record {
    s_Vector3 points[3];
};
constexpr u32 kCornerColors[3] = {0xFF0000FF, 0x00FF00FF, 0x0000FFFF};

struct s_texture_record {
    s_Irect16 rect;
    s_texture* texture;
};

void EndThrow(s32 y) {
    startY = kNoThrow;
    yMax = y;
}

void DrawThrowReadout(s32 x, s32 y) {
    const f32 middle = f32(DrawContext.screenSize.y) / 2.0f;
    FontSet(SystemFont);
    FontSetJustification(FONT_JUSTIFY_LEFT);
    FontPrintf("Left X Axis: %d", 20.0, middle - 16.0f, x);
    FontPrintf("Left Y Axis: %d", 20.0, middle, y);
    FontPrintf("Spin: %d", 20.0, middle + 32.0f, stickMax);
    FontPrintf("Power: %d", 20.0, middle + 48.0f, yMax);
    FontPrintf("Hold Time X: %f", 20.0, middle + 64.0f, throwTime);
}

void PrimitiveDraw2DTestThread(s_thread*, void* record) {
    const auto* triangle = static_cast<const s_triangle_record*>(record);
    const RenderTestDrawState drawState(DC_PROJ_ORTHO, true);

    DrawBegin(PRIM_TRIANGLE);
    for (s32 i = 0; i < 3; ++i) {
        s_draw_vertex vertex;
        DrawInitVertex(&vertex);
        const s_Vector3& p = triangle->points[i];
        vertex.coord = {p.x, p.y, p.z, 1.0f};
        vertex.color = kCornerColors[i];
        DrawVertex(&vertex);
    }
    DrawEnd();
    RenderTestExitLine();

    const s_pad& pad = Pad[0];
    const s32 x = pad.analog[5];
    const s32 y = pad.analog[6];
    DrawThrowReadout(x, y);
    ThrowMeasureFrame({x, y, (pad.bnew & PAD_A) != 0, (pad.breleased & PAD_A) != 0, (pad.bdown & PAD_A) != 0,
                       RealDeltaTime});
}

void PrimitiveDraw2DTextureTestThread(s_thread*, void* record) {
    const auto* shown = static_cast<const s_texture_record*>(record);
    const RenderTestDrawState drawState(DC_PROJ_ORTHO, false);

    DrawSetTexture(shown->texture);
    DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    DrawFilledIrect(&shown->rect);
    DrawSetTexture(nullptr);
    RenderTestExitLine();
}

}  // namespace

void ThrowMeasureFrame(const s_throw_input& in) {
    if (in.aNew && in.y < 0 && startY == kNoThrow) {
        startY = in.y;
        throwTime = 0.0f;
        stickMax = 0;
        yMax = 0;
    } else if (in.aReleased && startY < kThrowLimit) {
        EndThrow(in.y);
    } else if (in.y > kThrowLimit && startY < kThrowLimit && throwTime > 0.0f) {
        EndThrow(in.y);
    }
    // The spin is the sideways push farthest from the centre, whichever way.
    if (in.y < kThrowLimit && startY < kThrowLimit && std::abs(in.x) > std::abs(stickMax))
        stickMax = in.x;
    if (in.aHeld && startY < kThrowLimit)
        throwTime += in.dt;
}

s32 PrimitiveDraw2DTest() {
    RenderTestStart();
    const f32 w = f32(DrawContext.screenSize.x);
    const f32 h = f32(DrawContext.screenSize.y);
    // At the screen's depth: the orthographic view keeps z from 0 back to -1.
    s_triangle_record triangle = {{{w / 2, h / 2 - h / 4, 0.0f, 0.0f},
                                   {w / 2 + w / 4, h / 2 + h / 4, 0.0f, 0.0f},
                                   {w / 2 - w / 4, h / 2 + h / 4, 0.0f, 0.0f}}};
    RenderTestRun("PrimitiveDraw2DTestThread", PrimitiveDraw2DTestThread, &triangle, nullptr);
    return 0;
}

s32 PrimitiveDraw2DTextureTest() {
    s_wad* wad = WadLoad(RENDER_TEST_WAD, 0);
    s_texture* texture = TextureLoad("ARIAL_20");
    if (texture == nullptr) {
        WadFree(wad);
        return 0;
    }
    RenderTestStart();
    const s32 w = s32(texture->file.maps[0].width);
    const s32 h = s32(texture->file.maps[0].height);
    s_texture_record shown = {{s16(DrawContext.screenSize.x / 2 - w / 2),
                               s16(DrawContext.screenSize.y / 2 - h / 2), s16(w), s16(h)},
                              texture};
    RenderTestRun("PrimitiveDraw2DTextureTestThread", PrimitiveDraw2DTextureTestThread, &shown, nullptr);
    TextureFree(texture);
    WadFree(wad);
    return 0;
}

void RenderTestsColdReset() {
    stickMax = 0;
    yMax = 0;
    startY = kNoThrow;
    throwTime = 0.0f;
    PrimAngle = 0.0f;
    DepthOffset = AngleX = AngleY = 0.0f;
    TestTexture1 = TestTexture2 = nullptr;
}
