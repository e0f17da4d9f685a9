// Shadows drawn: which lights cast them, the frustum the casters are rendered
// through, blob quads on the ground under bones, and a projected shadow in the
// picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "console/gx/efb_control.h"
#include "orblib47/source/Collision.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/Shadow.h"
#include "orblib47/source/TextureProject.h"
#include "tests/engine/ModelDrawFixture.h"
#include "tests/support/TestCollisionCache.h"
#include "tests/support/VhmTestModel.h"
#include "tools/modelgen/ModelBuild.h"

namespace {

using namespace model_draw_test;

constexpr u32 kProjected = u_draw_shadow_flags::projected_shadow;
constexpr u32 kBlob = u_draw_shadow_flags::blob_shadow;
constexpr u32 kDirectional = u_light_flags::light_directional | u_light_flags::light_diffuse;

s_draw_light Light(u32 shadowFlags, f32 shadowIntensity, s_Vector4 direction = {0, -1, 0, 0}) {
    s_draw_light light = {};
    light.flags = kDirectional;
    light.diffuse = {1, 1, 1, 1};
    light.direction = direction;
    light.intensity = 1.0f;
    light.shadowFlags = shadowFlags;
    light.shadowIntensity = shadowIntensity;
    return light;
}

// One square receiver on the floor, 8 units across.
TestCollisionCache Floor(u16 flags = COLLISION_SHADOW_OBS) {
    TestCollisionCache cache(1);
    cache.Receiver(0.0f, 0.0f, 4.0f, flags);
    cache.get()->flags = COLLISION_CACHE_FILLED;
    return cache;
}

s_model* LoadModel(const char* name, const discbuild::VhmModel& source) {
    const std::vector<u8> chunk = discbuild::VhmPayload(source);
    void* block = HeapMalloc(u32(chunk.size()), __FILE_NAME__, __LINE__);
    std::memcpy(block, chunk.data(), chunk.size());
    return ModelLoad(name, block, u32(chunk.size()));
}

s_hmodel* Place(const char* name, f32 x, f32 y, f32 z) {
    s_hmodel* hmodel = HModelLoad(name, 0);
    EXPECT_NE(hmodel, nullptr);
    const s_Matrix4 world = Translation(x, y, z);
    HModelUpdateMatrix(hmodel, &world);
    return hmodel;
}

// --- Which lights cast, and the frustum the casters are rendered through

struct Render {
    u32 grey;          // of the casters' flat colour
    f32 inverseError;  // of the projection x its inverse against the identity
    bool intoTexture;  // drawn through the projection viewport
};
std::vector<Render> Renders;

void RecordRender(s_shadow*) {
    const s_viewport* viewport = DrawContext.viewport;
    s_Matrix4 product;
    Matrix4MultMatrix4x4(&product, &viewport->projectionMatrixInv, &viewport->projectionMatrix);
    f32 error = 0.0f;
    for (int i = 0; i < 16; ++i)
        error = std::fmax(error, std::fabs(product.element[i] - IDMatrix4.element[i]));
    const bool intoTexture =
        viewport->rect.w == TEXTURE_PROJECT_SIZE && viewport->rect.h == TEXTURE_PROJECT_SIZE;
    Renders.push_back({DrawContext.color >> 8 & 0xFFu, error, intoTexture});
}

class ShadowLightsTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Renders.clear();
        shadow_ = ShadowAlloc(&position_, 2.0f, nullptr, nullptr, floor_.get());
        shadow_->drawFunc = RecordRender;
    }
    // The casters' grey of a white light's shadow: 255 less 255 x its darkness.
    static u32 Grey(f32 shadowIntensity) { return 255u - u32(255.0f * shadowIntensity); }

    s_Vector3 position_ = {0, 1, 0, 0};
    TestCollisionCache floor_ = Floor();
    s_shadow* shadow_ = nullptr;
};

TEST_F(ShadowLightsTest, AtMostTwoFlaggedLightsCastInTheirOrder) {
    const struct {
        const char* name;
        std::vector<s_draw_light> lights;
        std::vector<f32> cast;  // shadow intensities of the projected shadows drawn
    } cases[] = {
        {"four projected lights: the first two",
         {Light(kProjected, 0.1f), Light(kProjected, 0.2f), Light(kProjected, 0.3f), Light(kProjected, 0.4f)},
         {0.1f, 0.2f}},
        {"lights flagged for neither are passed over",
         {Light(0, 0.9f), Light(kProjected, 0.3f), Light(u_draw_shadow_flags::no_shadow, 0.8f),
          Light(kProjected, 0.4f), Light(kProjected, 0.1f)},
         {0.3f, 0.4f}},
        {"a blob shadow uses up one of the two",
         {Light(kBlob, 0.5f), Light(kProjected, 0.2f), Light(kProjected, 0.3f)},
         {0.2f}},
        {"one light", {Light(kProjected, 0.2f)}, {0.2f}},
    };
    for (const auto& c : cases) {
        Renders.clear();
        ShadowRenderMulti(shadow_, c.lights.data(), s32(c.lights.size()));
        ASSERT_EQ(Renders.size(), c.cast.size()) << c.name;
        for (size_t i = 0; i < c.cast.size(); ++i)
            EXPECT_NEAR(f32(Renders[i].grey), f32(Grey(c.cast[i])), 1.0f) << c.name << " " << i;
    }
}

TEST_F(ShadowLightsTest, CastersAreRenderedThroughTheDeviceFrustumWithItsOwnInverse) {
    const s_draw_light light = Light(kProjected, 0.5f, {0.3f, -0.9f, 0.2f, 0});
    ShadowRenderMulti(shadow_, &light, 1);
    ASSERT_EQ(Renders.size(), 1u);
    EXPECT_TRUE(Renders[0].intoTexture);
    EXPECT_LT(Renders[0].inverseError, 1e-3f);
}

TEST_F(ShadowLightsTest, NothingIsRenderedWithoutReceiverPolygons) {
    const s_draw_light light = Light(kProjected, 0.5f);
    floor_.get()->count = 0;
    ShadowRenderMulti(shadow_, &light, 1);
    ShadowRender(shadow_, &light, 1);
    EXPECT_TRUE(Renders.empty());
}

TEST_F(ShadowLightsTest, TheSingleLightPathDarkensByTheChosenLightsShadowIntensity) {
    const struct {
        const char* name;
        std::vector<s_draw_light> lights;
        f32 shadowIntensity;
    } cases[] = {
        {"a directional light's own", {Light(kProjected, 0.3f)}, 0.3f},
        {"the default light's when all are positional",
         {[] {
             s_draw_light point = Light(kProjected, 0.9f);
             point.flags = u_light_flags::light_positional | u_light_flags::light_diffuse;
             return point;
         }()},
         DefaultShadowLight.shadowIntensity},
    };
    for (const auto& c : cases) {
        s_shadow* p = ShadowAlloc(&position_, 2.0f, nullptr, nullptr, floor_.get());
        p->drawFunc = RecordRender;
        Renders.clear();
        const s_textproj_parms* parms = ShadowProcess(p, c.lights.data(), s32(c.lights.size()), 0);
        ASSERT_EQ(Renders.size(), 1u) << c.name;
        const u32 expected = 255u - u32(255.0f * parms->intensity * c.shadowIntensity);
        EXPECT_LT(Renders[0].grey, 255u) << c.name;
        EXPECT_NEAR(f32(Renders[0].grey), f32(expected), 1.0f) << c.name;
        EXPECT_LT(Renders[0].inverseError, 1e-3f) << c.name;
        ShadowFree(p);
    }
}

// --- Blob shadows

class ShadowBlobTest : public ModelDrawFixture {
protected:
    void SetUp() override {
        ModelDrawFixture::SetUp();
        // A quad on two bones one unit apart along x.
        discbuild::VhmModel source = vhmtest::StaticQuad();
        source.meshes[0].commands.erase(source.meshes[0].commands.begin());
        source.bones = {vhmtest::Bone(-1, -1, 1, -1, 0.0f), vhmtest::Bone(0, -1, -1, 0, 1.0f)};
        model_ = LoadModel("BLOBQUAD", source);
        ASSERT_NE(model_, nullptr);
        const s_Vector3 eye = {0, 10, 10, 0}, target = {0, 0, 0, 0}, up = {0, 1, 0, 0};
        s_Matrix4 camera;
        Matrix4LookUp(&camera, &eye, &target, &up);
        DrawSetCamera(&camera, &eye);
    }
    void TearDown() override {
        HModelFree(hmodel_);
        ModelFree(model_);
        ModelDrawFixture::TearDown();
    }
    // The blob quads drawn for a caster at height y over `floor`.
    size_t Blobs(f32 y, s_collision_cache* floor, const s_draw_light& light) {
        HModelFree(hmodel_);
        hmodel_ = Place("BLOBQUAD", 0, y, 0);
        s_shadow* p = ShadowAlloc(&position_, 2.0f, hmodel_, model_, floor);
        p->blobBonesCount = 2;
        p->blobBoneIds[0] = 0;
        p->blobBoneIds[1] = 1;
        drawn_.clear();
        ShadowDrawBlob(p, &light);
        ShadowFree(p);
        size_t quads = 0;
        for (const Primitive& prim : drawn_)
            quads += prim.type == GX_QUADS ? prim.vertices.size() / 4 : 0;
        return quads;
    }

    s_model* model_ = nullptr;
    s_hmodel* hmodel_ = nullptr;
    s_Vector3 position_ = {};
};

TEST_F(ShadowBlobTest, EachBoneWithAShadowPolygonWithinReachGetsAQuad) {
    TestCollisionCache floor = Floor();
    TestCollisionCache plain = Floor(COLLISION_PLAYER_OBS);
    TestCollisionCache rightOnly(1);  // x from 0.5 to 4
    rightOnly.Receiver(2.25f, 0.0f, 1.75f);
    const s_draw_light down = Light(kBlob, 0.5f);
    const struct {
        const char* name;
        f32 y;
        s_collision_cache* floor;
        size_t quads;
    } cases[] = {
        {"both bones 3 above the floor", 3.0f, floor.get(), 2},
        {"exactly 5 above", 5.0f, floor.get(), 2},
        {"more than 5 above", 5.5f, floor.get(), 0},
        {"a floor that is no shadow obstacle", 3.0f, plain.get(), 0},
        {"a floor under the second bone only", 3.0f, rightOnly.get(), 1},
        {"under the floor", -1.0f, floor.get(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Blobs(c.y, c.floor, down), c.quads) << c.name;
}

TEST_F(ShadowBlobTest, TheQuadLiesAcrossTheLightAtTheHitPoint) {
    TestCollisionCache floor = Floor();
    // Along (0.6, -0.8, 0) from (0, 3, 0) the floor is met at (2.25, 0, 0).
    ASSERT_EQ(Blobs(3.0f, floor.get(), Light(kBlob, 0.5f, {0.6f, -0.8f, 0, 0})), 2u);
    const Primitive& quad = drawn_[0];
    ASSERT_GE(quad.vertices.size(), 4u);
    const f32 across = 0.5f, along = 0.77f;  // bone slot 0
    const s_Vector4 corners[4] = {{2.25f - along, 0, -across, 1},
                                  {2.25f + along, 0, -across, 1},
                                  {2.25f + along, 0, across, 1},
                                  {2.25f - along, 0, across, 1}};
    for (size_t v = 0; v < 4; ++v)
        ExpectAt(quad, v, corners[v]);
    // The shadow's alpha: its intensity times the light's brightness.
    EXPECT_EQ(ColorOf(quad.vertices[0]) & 0xFFu, 127u);
}

TEST_F(ShadowBlobTest, ALightAlongTheNormalStillGivesAFullSizedQuad) {
    TestCollisionCache floor = Floor();
    ASSERT_EQ(Blobs(3.0f, floor.get(), Light(kBlob, 0.5f)), 2u);
    const Primitive& quad = drawn_[0];
    ASSERT_GE(quad.vertices.size(), 4u);
    const f32 dx = quad.vertices[0].pos[0] - quad.vertices[2].pos[0];
    const f32 dy = quad.vertices[0].pos[1] - quad.vertices[2].pos[1];
    EXPECT_GT(dx * dx + dy * dy, 0.01f);  // opposite corners apart
    for (const RasterVertex& v : quad.vertices)
        for (f32 c : v.pos)
            EXPECT_TRUE(std::isfinite(c));
}

// --- A projected shadow in the picture

class ShadowPictureTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        std::vector<modelgen::Part> parts = {
            {modelgen::Box({-0.5f, -0.5f, -0.5f, 0}, {0.5f, 0.5f, 0.5f, 0}, {1, 1, 1}, 0xFFFFFFFFu),
             modelgen::PlainMaterial(0xFFFFFFFFu)}};
        discbuild::VhmModel box = modelgen::StaticModel(parts).vhm;
        box.bones = {vhmtest::Bone(-1, -1, -1, 0, 0.0f)};
        model_ = LoadModel("SHADOWBOX", box);
        ASSERT_NE(model_, nullptr) << report().text();
        const s_Vector3 eye = {0, 8, 6, 0}, target = {0, 0, 0, 0}, up = {0, 1, 0, 0};
        s_Matrix4 camera;
        Matrix4LookUp(&camera, &eye, &target, &up);
        DrawSetCamera(&camera, &eye);
        DrawEnableLight(0);
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        DrawSetStencilMode(DC_STENCIL_OFF);
        DrawSetTexture(nullptr);
        DrawSetFlatColor(0xFFFFFFFFu);
    }
    void TearDown() override {
        ModelFree(model_);
        EngineFixture::TearDown();
    }
    // The floor's polygon drawn in the picture in light grey.
    static void DrawFloor(const s_cache_poly& poly) {
        s_draw_vertex vertex;
        DrawInitVertex(&vertex);
        vertex.color = kFloor;
        DrawBegin(PRIM_QUAD);
        for (const s_Vector3& p : poly.coord) {
            vertex.coord = {p.x, p.y, p.z, 1.0f};
            DrawVertex(&vertex);
        }
        DrawEnd();
    }
    // The picture's 0xRRGGBB where a world point is seen.
    static u32 Seen(f32 x, f32 z) {
        s_Vector3 screen;
        const s_Vector3 world = {x, 0, z, 0};
        EXPECT_GT(DrawWorld2Screen(&screen, &world), 0.0f);
        return HostEFBColor(u32(std::lround(screen.x)), u32(std::lround(screen.y))) & 0x00FFFFFFu;
    }

    static constexpr u32 kFloor = 0xC0C0C0FFu;
    s_model* model_ = nullptr;
};

TEST_F(ShadowPictureTest, ABoxDarkensTheFloorUnderItAndNowhereElse) {
    TestCollisionCache floor = Floor();
    DrawSetProjection(DC_PROJ_3D);
    DrawFloor(floor.get()->polygons[0]);
    const u32 lit = Seen(2.5f, 2.5f);
    ASSERT_EQ(lit, kFloor >> 8);

    s_hmodel* box = Place("SHADOWBOX", 0, 1, 0);
    s_Vector3 position = {0, 1, 0, 0};
    s_shadow* p = ShadowAlloc(&position, 2.0f, box, model_, floor.get());
    const s_draw_light sun = Light(kProjected, 0.5f);
    ShadowRenderMulti(p, &sun, 1);

    // Under the box the floor is multiplied by the casters' grey 0x80; around it by white.
    for (const auto [x, z] : {std::array{0.0f, 0.0f}, {0.3f, -0.3f}, {-0.3f, 0.2f}}) {
        const u32 under = Seen(x, z);
        EXPECT_NEAR(f32(under & 0xFF), 0x60, 2.0f) << std::hex << under << " at " << x << ", " << z;
        EXPECT_EQ(under >> 16, under & 0xFF);
    }
    for (const auto [x, z] :
         {std::array{2.5f, 2.5f}, {-1.5f, 0.0f}, {0.0f, -1.5f}, {-3.5f, -3.5f}, {1.0f, 1.0f}})
        EXPECT_EQ(Seen(x, z), kFloor >> 8) << x << ", " << z;
    ShadowFree(p);
    HModelFree(box);
}

TEST_F(ShadowPictureTest, TheDebugViewShowsTheCastersSilhouetteInTheTexture) {
    TestCollisionCache floor = Floor();
    s_hmodel* box = Place("SHADOWBOX", 0, 1, 0);
    s_Vector3 position = {0, 1, 0, 0};
    s_shadow* p = ShadowAlloc(&position, 2.0f, box, model_, floor.get());
    const s_draw_light sun = Light(kProjected, 0.5f);
    ShadowDebugDrawBuffer = 1;
    ShadowRenderMulti(p, &sun, 1);
    ShadowDebugDrawBuffer = 0;
    // The view spans (364, 192) to (620, 448); the box fills the middle of it.
    EXPECT_EQ(HostEFBColor(364 + 128, 192 + 128) & 0x00FFFFFFu, 0x808080u);
    EXPECT_EQ(HostEFBColor(364 + 8, 192 + 8) & 0x00FFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(HostEFBColor(364 + 248, 192 + 128) & 0x00FFFFFFu, 0xFFFFFFu);
    ShadowFree(p);
    HModelFree(box);
}

}  // namespace
