// Selecting materials per pass, the draw state their setup leaves, and the
// frame's start and end of the 3-D passes.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "console/gx/efb_control.h"
#include "console/gx/gx_raster.h"
#include "console/gx/gx_state.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/NGC/MaterialHW.h"
#include "orblib47/source/Texture.h"
#include "tests/support/EngineFixture.h"
#include "tools/discbuild/TimWriter.h"

namespace {

constexpr u32 kOpaque = MATERIAL_FLAG_HAS_OPAQUE;
constexpr u32 kAlpha = MATERIAL_FLAG_HAS_ALPHA;

std::vector<const s_ORB_MATERIAL*> SetupsRun;

void CountingSetup(s_ORB_MATERIAL* material) {
    SetupsRun.push_back(material);
}

s_ORB_MATERIAL Material(u32 flags, e_MATERIAL_MODE mode = MATERIAL_MODE_ALPHA) {
    s_ORB_MATERIAL m = MaterialModes[mode];
    m.flags = flags;
    return m;
}

class MaterialTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        SetupsRun.clear();
        // 0 opaque, 1 alpha, 2 opaque but never drawn, 3 opaque.
        list_ = {Material(kOpaque), Material(kAlpha), Material(kOpaque | MATERIAL_FLAG_NO_DRAW),
                 Material(kOpaque)};
        for (s_ORB_MATERIAL& m : list_)
            m.setupFunc = CountingSetup;
    }

    s32 IndexOf(const s_ORB_MATERIAL* material) const {
        return material == nullptr ? -1 : s32(material - list_.data());
    }
    std::vector<s32> SetupIndices() const {
        std::vector<s32> indices;
        for (const s_ORB_MATERIAL* m : SetupsRun)
            indices.push_back(IndexOf(m));
        return indices;
    }

    std::vector<s_ORB_MATERIAL> list_;
};

enum class Op { Set, Test, Filter };
struct Step {
    Op op;
    s32 arg;  // index, or filter flags
    s32 expect = 0;
};

struct SelectCase {
    const char* what;
    u32 filter;
    s32 lock;  // index of the material to lock, -1 none
    std::vector<Step> steps;
    std::vector<s32> setups;  // indices whose setup ran, in order (the lock's first)
    s32 current;              // index of the current material afterwards, -1 none
};

TEST_F(MaterialTest, SelectionFollowsTheFilterTheLockAndNoDraw) {
    const SelectCase cases[] = {
        {"no-draw is never drawn", 0xFFFFFFFFu, -1, {{Op::Set, 2, 0}, {Op::Test, 2, 1}}, {}, -1},
        {"alpha filter rejects opaque",
         kAlpha,
         -1,
         {{Op::Set, 0, 0}, {Op::Test, 0, 0}, {Op::Set, 1, 1}, {Op::Test, 1, 1}},
         {1},
         1},
        {"re-selecting does not rerun the setup", kOpaque, -1, {{Op::Set, 0, 1}, {Op::Set, 0, 1}}, {0}, 0},
        {"switching runs each setup",
         kOpaque,
         -1,
         {{Op::Set, 0, 1}, {Op::Set, 3, 1}, {Op::Set, 0, 1}},
         {0, 3, 0},
         0},
        {"out of range", kOpaque, -1, {{Op::Set, -1, 0}, {Op::Set, 4, 0}, {Op::Test, 4, 0}}, {}, -1},
        {"locked answers for the locked material",
         kOpaque,
         1,
         {{Op::Set, 0, 0}, {Op::Test, 0, 0}, {Op::Filter, s32(kAlpha)}, {Op::Set, 3, 1}, {Op::Test, 0, 1}},
         {1},
         1},
        {"a rejected material is set up when a later pass accepts it",
         kAlpha,
         -1,
         {{Op::Set, 0, 0}, {Op::Filter, s32(kOpaque)}, {Op::Set, 0, 1}},
         {0},
         0},
        {"a rejection keeps the current material current",
         kOpaque,
         -1,
         {{Op::Set, 0, 1}, {Op::Set, 1, 0}, {Op::Set, 0, 1}},
         {0},
         0},
    };
    for (const SelectCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetupsRun.clear();
        OrbMaterial.Unlock();
        OrbMaterial.SetFilter(c.filter);
        OrbMaterial.SetList(list_.data(), s32(list_.size()));
        if (c.lock >= 0)
            OrbMaterial.Lock(&list_[c.lock]);
        for (const Step& step : c.steps) {
            switch (step.op) {
                case Op::Set:
                    EXPECT_EQ(OrbMaterial.Set(step.arg), step.expect) << "Set " << step.arg;
                    break;
                case Op::Test:
                    EXPECT_EQ(OrbMaterial.TestFilter(step.arg), step.expect) << "TestFilter " << step.arg;
                    break;
                case Op::Filter:
                    OrbMaterial.SetFilter(u32(step.arg));
                    break;
            }
        }
        EXPECT_EQ(SetupIndices(), c.setups);
        EXPECT_EQ(IndexOf(OrbMaterial.m_Material), c.current);
    }
    OrbMaterial.Unlock();
}

TEST_F(MaterialTest, DepthOffsetSlopesOnlyWhenBiased) {
    const struct { f32 offset, slope; } cases[] = {{0.0f, 0.0f}, {-1.5f, -9.0f}, {2.0f, -9.0f}};
    for (const auto& c : cases) {
        s_ORB_MATERIAL m = Material(kOpaque);
        m.depthOffset = c.offset;
        DrawDepthOffset = {123.0f, 123.0f};
        MaterialStandardFunc(&m);
        EXPECT_EQ(DrawDepthOffset.factor, c.slope) << c.offset;
        EXPECT_EQ(DrawDepthOffset.offset, c.offset);
    }
}

TEST_F(MaterialTest, AModelWithoutMaterialsDrawsUnderTheDefaultRow) {
    DrawSetCombineMode(DC_COMBINE_ALPHA_ADD);
    DrawSetCullMode(DC_CULL_NONE);
    DrawSetZBufferWrite(0);
    OrbMaterial.SetList(nullptr, 0);
    EXPECT_EQ(OrbMaterial.m_Material, OrbMaterial.GetMaterialModePtr(MATERIAL_MODE_DEFAULT));
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_OVERWRITE);
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_BACK);
    EXPECT_EQ(DrawContext.zBufferWriteEnable, 1);
    EXPECT_EQ(DrawContext.texture, nullptr);
    EXPECT_EQ(OrbMaterial.Set(0), 0);
}

TEST_F(MaterialTest, ARestartedEngineAppliesTheDefaultRowAgain) {
    OrbMaterial.SetList(nullptr, 0);
    TearDown();
    SetUp();
    DrawSetCullMode(DC_CULL_NONE);
    OrbMaterial.SetList(nullptr, 0);
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_BACK);
}

TEST_F(MaterialTest, SetupAppliesTheDrawModesAndTheFrameEndRestoresTheDefaults) {
    OrbMaterial.BeginRender();
    std::vector<s_ORB_MATERIAL> list = {MaterialModes[MATERIAL_MODE_LIGHT_MAP]};
    OrbMaterial.SetList(list.data(), 1);
    ASSERT_EQ(OrbMaterial.Set(0), 1);
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_ALPHA_ADD);
    EXPECT_EQ(DrawContext.zBufferWriteEnable, 0);
    EXPECT_EQ(DrawContext.flags & u_draw_flags::LightEnabled, 0u);
    EXPECT_EQ(DrawDepthOffset.offset, -1.5f);

    OrbMaterial.EndRender();
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_ALPHA);
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_BACK);
    EXPECT_EQ(DrawContext.zBufferMode, DC_ZMODE_LESS_EQUAL);
    EXPECT_EQ(DrawContext.zBufferWriteEnable, 1);
    EXPECT_EQ(DrawContext.stencilMode, DC_STENCIL_OFF);
    EXPECT_EQ(DrawDepthOffset.factor, 0.0f);
    EXPECT_EQ(DrawDepthOffset.offset, 0.0f);
    EXPECT_EQ(OrbMaterial.m_Active, 0);
}

TEST_F(MaterialTest, RestoreGivesBackTheSavedContext) {
    DrawSetCombineMode(DC_COMBINE_ALPHA_SUBTRACT);
    DrawSetCullMode(DC_CULL_FRONT);
    DrawContext.viewport->depthOffset = -3.0f;
    OrbMaterial.SaveDrawContext();
    std::vector<s_ORB_MATERIAL> list = {MaterialModes[MATERIAL_MODE_DOUBLE_SIDED]};
    OrbMaterial.SetList(list.data(), 1);
    ASSERT_EQ(OrbMaterial.Set(0), 1);
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_NONE);
    OrbMaterial.RestoreDrawContext();
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_ALPHA_SUBTRACT);
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_FRONT);
    EXPECT_EQ(DrawDepthOffset.factor, -9.0f);
    EXPECT_EQ(DrawDepthOffset.offset, -3.0f);
    EXPECT_EQ(OrbMaterial.m_ContextSaved, 0);
}

// A 4x4 texture of one colour (0xRRGGBBAA), or of `right` in its right half,
// registered under `name`.
s_texture* LoadFlat(const char* name, u32 rgba, u32 right = 0) {
    discbuild::TimTexture tim;
    tim.image = {4, 4, {}};
    for (u32 i = 0; i < 16; ++i) {
        const u32 c = right != 0 && i % 4 >= 2 ? right : rgba;
        tim.image.rgba.insert(tim.image.rgba.end(), {u8(c >> 24), u8(c >> 16), u8(c >> 8), u8(c)});
    }
    const std::vector<u8> chunk = discbuild::TimPayload(tim);
    void* data = HeapMalloc(u32(chunk.size()), "test", 0);
    std::memcpy(data, chunk.data(), chunk.size());
    return TextureLoad(name, data, u32(chunk.size()));
}

TEST_F(MaterialTest, LoadTakesSetupsAndTexturesByNameAndFreeGivesThemBack) {
    s_texture* diffuse = LoadFlat("EARTH512", 0x808080FFu);
    std::vector<s_ORB_MATERIAL> list = {MaterialModes[MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D],
                                        MaterialModes[MATERIAL_MODE_DEFAULT]};
    for (s_ORB_MATERIAL& m : list)
        m.setupFunc = nullptr;
    OrbMaterial.Load(list.data(), 2);
    EXPECT_EQ(list[0].setupFunc, MaterialStandardFunc);
    EXPECT_EQ(list[1].setupFunc, MaterialDefaultFunc);
    EXPECT_EQ(list[0].texturePassList[0].texture, diffuse);
    EXPECT_EQ(list[0].texturePassList[1].texture, nullptr);  // "SPEC04" is not loaded
    OrbMaterial.Free(list.data(), 2);
    EXPECT_EQ(list[0].texturePassList[0].texture, nullptr);
    TextureFree(diffuse);
    EXPECT_EQ(TextureFind("EARTH512"), nullptr);
}

TEST_F(MaterialTest, SecondPassSpecularReflectionAddsOneStageThatTheNextMaterialTakesOut) {
    DrawEnableTexture(1);
    DrawSetStencilMode(DC_STENCIL_OFF);
    s_texture* diffuse = LoadFlat("EARTH512", 0x808080FFu);
    s_texture* shine = LoadFlat("SPEC04", 0x404040FFu);
    DrawSpecularDir = {0.0f, 0.0f, 1.0f, 0.0f};  // the basis is then the identity
    std::vector<s_ORB_MATERIAL> list = {MaterialModes[MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D],
                                        MaterialModes[MATERIAL_MODE_EARTH512_TEST],
                                        MaterialModes[MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D]};
    list[2].specular.w = 0.0f;  // switched off
    OrbMaterial.Load(list.data(), 3);
    OrbMaterial.SetList(list.data(), 3);

    const console::gx::RasterState& raster = console::gx::RasterStateCurrent();
    const console::gx::FrontState& front = console::gx::FrontStateCurrent();
    ASSERT_EQ(OrbMaterial.Set(0), 1);
    EXPECT_EQ(DrawContext.texture, diffuse);
    EXPECT_EQ(raster.numTevStages, 2);
    EXPECT_EQ(raster.numTexGens, 2);
    EXPECT_EQ(raster.tevStages[1].texMap, GX_TEXMAP6);
    EXPECT_EQ(front.texGens[1].src, GX_TG_NRM);
    EXPECT_EQ(front.texGens[1].mtx, u32(GX_TEXMTX8));
    // Normal directions -1..1 land on texture coordinates 0..1.
    const Mtx want = {{0.5f, 0, 0, 0.5f}, {0, 0.5f, 0, 0.5f}, {0, 0, 0, 1}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_FLOAT_EQ(front.texMtx[8].m[r][c], want[r][c]) << r << "," << c;

    // Same stage-0 texture, no reflection pass: the extra stage goes.
    ASSERT_EQ(OrbMaterial.Set(1), 1);
    EXPECT_EQ(raster.numTevStages, 1);
    EXPECT_EQ(raster.numTexGens, 1);
    ASSERT_EQ(OrbMaterial.Set(2), 1);
    EXPECT_EQ(raster.numTevStages, 1);

    OrbMaterial.Free(list.data(), 3);
    DrawSetTexture(nullptr);
    TextureFree(diffuse);
    TextureFree(shine);
}

TEST_F(MaterialTest, AnimatePassScrollsByTheMaterialsFlatMatrixOnlyOnceItIsBuilt) {
    std::vector<s_ORB_MATERIAL> list = {MaterialModes[MATERIAL_MODE_ANIMATE],
                                        MaterialModes[MATERIAL_MODE_ANIMATE]};
    list[0].matrix.element[3] = 7.0f;  // stale: replaced by the identity while entry 0 is not built
    s_flat_matrix* flat = FMatrixAlloc(2);
    ASSERT_NE(flat, nullptr);
    flat->boneList[1].matrix = list[1].matrix;
    flat->boneList[1].matrix.at(0, 3) = 0.25f;
    flat->boneList[1].matrix.at(1, 3) = 0.5f;
    flat->boneList[1].flags = FBONE_FLAG_VALID;
    OrbMaterial.SetList(list.data(), 2);
    OrbMaterial.SetMatrixList(flat);

    const console::gx::FrontState& front = console::gx::FrontStateCurrent();
    ASSERT_EQ(OrbMaterial.Set(0), 1);
    EXPECT_EQ(list[0].matrix.element[3], 0.0f);
    EXPECT_EQ(front.texMtx[0].m[0][3], 0.0f);
    ASSERT_EQ(OrbMaterial.Set(1), 1);
    EXPECT_EQ(list[1].matrix.at(0, 3), 0.25f);
    EXPECT_EQ(front.texMtx[0].m[0][3], 0.25f);
    EXPECT_EQ(front.texMtx[0].m[1][3], 0.5f);
    EXPECT_EQ(front.texGens[0].mtx, u32(GX_TEXMTX0));

    OrbMaterial.SetMatrixList(nullptr);
    FMatrixFree(flat);
}

// A white quad over x0..x0+50, y 100..150 whose normals all point along `normal`.
void NormalQuad(f32 x0, const s_Vector3& normal) {
    DrawBegin(PRIM_QUAD);
    for (const auto [x, y] : {std::array{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
        s_draw_vertex v = DrawContext.vertex;
        v.coord = {x0 + 50.0f * f32(x), 100.0f + 50.0f * f32(y), -0.5f, 1.0f};
        v.normal = normal;
        v.color = 0xFFFFFFFFu;
        v.u = f32(x);
        v.v = f32(y);
        DrawVertex(&v);
    }
    DrawEnd();
}

u32 Pixel(u32 x) {
    return HostEFBColor(x, 125) & 0x00FFFFFFu;
}

TEST_F(MaterialTest, SpecularReflectionAddsTheTexelTheTurnedNormalPointsAt) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawEnableTexture(1);
    s_texture* diffuse = LoadFlat("EARTH512", 0x808080FFu);
    s_texture* shine = LoadFlat("SPEC04", 0x202020FFu, 0x404040FFu);  // left half dim, right half bright
    DrawSpecularDir = {0.0f, 0.0f, 1.0f, 0.0f};
    std::vector<s_ORB_MATERIAL> list(3, MaterialModes[MATERIAL_MODE_DIFFUSE_SPECULAR_MAP_2D]);
    for (s_ORB_MATERIAL& m : list)
        m.drawModes = {u8(DC_COMBINE_OVERWRITE),
                       u8(DC_CULL_NONE),
                       u8(DC_ZMODE_ALWAYS),
                       1,
                       u8(DC_TEXTURE_WRAP_CLAMP),
                       u8(DC_STENCIL_OFF),
                       0,
                       0};
    list[1].specular.w = 0.0f;
    OrbMaterial.Load(list.data(), 3);
    OrbMaterial.SetList(list.data(), 3);

    const s_Vector3 towardsRight = {0.5f, 0.0f, 0.8660254f, 0.0f};  // s = 0.75
    const s_Vector3 towardsLeft = {-0.5f, 0.0f, 0.8660254f, 0.0f};  // s = 0.25
    ASSERT_EQ(OrbMaterial.Set(0), 1);
    NormalQuad(100.0f, towardsRight);
    NormalQuad(200.0f, towardsLeft);
    ASSERT_EQ(OrbMaterial.Set(1), 1);
    NormalQuad(300.0f, towardsRight);
    // Half a turn about y takes the right-hand normal to the left half.
    s_Matrix4 turned = DefaultColorMatrix;
    turned.at(0, 0) = turned.at(2, 2) = -1.0f;
    OrbMaterial.m_BoneWorldMatrix = &turned;
    ASSERT_EQ(OrbMaterial.Set(2), 1);
    NormalQuad(400.0f, towardsRight);
    OrbMaterial.m_BoneWorldMatrix = nullptr;

    EXPECT_EQ(Pixel(325), 0x808080u);  // the diffuse texture alone
    EXPECT_EQ(Pixel(125), 0xC0C0C0u);
    EXPECT_EQ(Pixel(225), 0xA0A0A0u);
    EXPECT_EQ(Pixel(425), 0xA0A0A0u);

    OrbMaterial.Free(list.data(), 3);
    DrawSetTexture(nullptr);
    TextureFree(diffuse);
    TextureFree(shine);
}

}  // namespace
