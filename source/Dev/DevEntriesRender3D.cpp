#include <numbers>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/Wad.h"
#include "source/Dev/DevEntriesRender.h"
#include "source/Dev/DevEntriesRenderInternal.h"

s_Vector3 LineVectors[6] = {};
f32 PrimAngle = 0.0f;
const e_prim_type Prims[6] = {PRIM_POINT,    PRIM_LINE,           PRIM_LINE_STRIP,
                              PRIM_TRIANGLE, PRIM_TRIANGLE_STRIP, PRIM_QUAD};
const char PrimitiveNames[6][16] = {"POINTS", "LINES", "LINE STRIP", "TRIANGLES", "TRIANGLE STRIP", "QUAD"};
const s_Vector3 CoordVectors[6] = {{-1.25f, 0.5f, 0, 0}, {-0.75f, -0.5f, 0, 0}, {-0.25f, 0.5f, 0, 0},
                                   {0.25f, -0.5f, 0, 0}, {0.75f, 0.5f, 0, 0},   {1.25f, -0.5f, 0, 0}};
const s_Vector3 QuadVectors[2] = {{-1, 1, 0, 0}, {1, -1, 0, 0}};
f32 DepthOffset = 0.0f;
f32 AngleX = 0.0f;
f32 AngleY = 0.0f;
s_texture* TestTexture1 = nullptr;
s_texture* TestTexture2 = nullptr;

namespace {

constexpr f32 kRadians = std::numbers::pi_v<f32> / 180.0f;
constexpr u32 kPrimColors[6] = {0xFF0000FF, 0x0000FFFF, 0xFFFF00FF, 0x8080FFFF, 0x80FF80FF, 0xFF8080FF};
// The quad's corners go round the card: the zig-zag's first, second, fourth, third.
constexpr s32 kQuadOrder[4] = {0, 1, 3, 2};

void Vertex(const s_Vector3& p) {
    s_draw_vertex vertex;
    DrawInitVertex(&vertex);
    vertex.coord = {p.x, p.y, p.z, 1.0f};
    DrawVertex(&vertex);
}

void DrawPrim(s32 i) {
    DrawSetFlatColor(kPrimColors[i]);
    DrawBegin(Prims[i]);
    if (Prims[i] == PRIM_QUAD) {
        for (s32 corner : kQuadOrder)
            Vertex(CoordVectors[corner]);
    } else {
        for (const s_Vector3& p : CoordVectors)
            Vertex(p);
    }
    DrawEnd();
}

void PushPlaced(f32 x, f32 y, f32 z, f32 turnX, f32 turnY) {
    s_Matrix4 m;
    Matrix4CreateTranslate(&m, x, y, z);
    Matrix4RotateX(&m, turnX * kRadians);
    Matrix4RotateY(&m, turnY * kRadians);
    DrawPushMatrix(&m);
}

void PrimitiveDraw3DTestThread(s_thread*, void*) {
    const RenderTestDrawState drawState(DC_PROJ_3D, true);

    PushPlaced(0.0f, 0.0f, -10.0f, 0.0f, 0.0f);
    for (s32 i = 0; i < 6; ++i) {
        PushPlaced(-6.5f + 6.5f * f32(i % 3), 2.5f - 4.9f * f32(i / 3), 0.0f, 0.0f, PrimAngle);
        DrawPrim(i);
        DrawPopMatrix();
    }
    DrawPopMatrix();

    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetFlatColor(0xFFFFFFFF);
    for (s32 i = 0; i < 6; i += 2)
        DrawLine(&LineVectors[i], &LineVectors[i + 1]);
    FontSet(SystemFont);
    const f32 thirdW = f32(DrawContext.screenSize.x / 3);
    const f32 halfH = f32(DrawContext.screenSize.y / 2);
    const f32 line = FontCharHeight();
    for (s32 i = 0; i < 6; ++i)
        FontDrawString(PrimitiveNames[i], 0, f32(i % 3) * thirdW + f32(DrawContext.screenTitleSafe.x) + line,
                       f32(i / 3) * halfH + f32(DrawContext.screenTitleSafe.y) + line);
    RenderTestExitLine();
}

void DrawCard(s_texture* texture) {
    DrawSetTexture(texture);
    DrawSetUV(0.0f, 0.0f, 1.0f, 1.0f);
    DrawFilledRect(&QuadVectors[0], &QuadVectors[1]);
}

void DepthOffsetDrawTestThread(s_thread*, void*) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_3D);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    const u32 flat = DrawSetFlatColor(0xFFFFFFFF);
    const e_CULL_MODE cull = DrawSetCullMode(DC_CULL_NONE);

    PushPlaced(1.0f, 0.0f, -5.0f, AngleX, AngleY);
    DrawCard(TestTexture2);
    DrawPopMatrix();
    const f32 offset = DrawSetDepthOffset(-1.0f, DepthOffset);
    PushPlaced(0.0f, 0.0f, -4.0f, 0.0f, 0.0f);
    DrawCard(TestTexture1);
    DrawPopMatrix();
    DrawSetDepthOffset(-1.0f, offset);

    DrawSetTexture(nullptr);
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetFlatColor(0xFFFFFFFF);
    // Overwriting would show the glyphs' whole cells.
    DrawSetCombineMode(DC_COMBINE_ALPHA);
    FontSet(SystemFont);
    FontSetJustification(FONT_JUSTIFY_CENTRE);
    FontPrintf("DepthOffset = %f\n", f32(DrawContext.screenCenter.x), 32.0, DepthOffset);
    RenderTestExitLine("Press \x90 or \x91 to increase \\ decrease Depth Offset, Press \x8E to Exit");

    DrawSetCullMode(cull);
    DrawSetFlatColor(flat);
    DrawSetCombineMode(combine);
    DrawSetProjection(projection);
}

}  // namespace

void DepthOffsetInputFrame() {
    const s_pad& pad = Pad[0];
    if ((pad.bdown & PAD_STICK_LEFT) != 0)
        AngleY -= 1.0f;
    if ((pad.bdown & PAD_STICK_RIGHT) != 0)
        AngleY += 1.0f;
    if ((pad.bdown & PAD_STICK_UP) != 0)
        AngleX -= 1.0f;
    if ((pad.bdown & PAD_STICK_DOWN) != 0)
        AngleX += 1.0f;
    if (((pad.bnew | pad.brepeat) & PAD_B) != 0)
        DepthOffset -= 1.0f;
    else if (((pad.bnew | pad.brepeat) & PAD_A) != 0)
        DepthOffset += 1.0f;
}

s32 PrimitiveDraw3DTest() {
    const s32 w = DrawContext.screenSize.x;
    const s32 h = DrawContext.screenSize.y;
    const f32 third = f32(w / 3), twoThirds = f32(2 * w / 3), half = f32(h / 2);
    LineVectors[0] = {third, 0, 0, 0};
    LineVectors[1] = {third, f32(h), 0, 0};
    LineVectors[2] = {twoThirds, 0, 0, 0};
    LineVectors[3] = {twoThirds, f32(h), 0, 0};
    LineVectors[4] = {0, half, 0, 0};
    LineVectors[5] = {f32(w), half, 0, 0};
    PrimAngle = 0.0f;
    RenderTestStart();
    RenderTestRun("PrimitiveDraw3DTestThread", PrimitiveDraw3DTestThread, nullptr, [] { PrimAngle += 1.0f; });
    return 0;
}

s32 DepthOffsetDrawTest() {
    DepthOffset = AngleX = AngleY = 0.0f;
    s_wad* wad = WadLoad(RENDER_TEST_WAD, 0);
    TestTexture1 = TextureLoad("ARIAL_10");
    TestTexture2 = TextureLoad("ARIAL_16");
    // Neither card without the other; what did load goes back.
    const bool loaded = TestTexture1 != nullptr && TestTexture2 != nullptr;
    if (loaded) {
        RenderTestStart();
        RenderTestRun("DepthOffsetDrawTestThread", DepthOffsetDrawTestThread, nullptr, DepthOffsetInputFrame);
    }
    TextureFree(TestTexture1);
    TextureFree(TestTexture2);
    TestTexture1 = TestTexture2 = nullptr;
    WadFree(wad);
    return 0;
}
