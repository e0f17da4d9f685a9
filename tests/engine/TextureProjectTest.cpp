// Texture projection: the projection cameras and frusta of directional and spot
// lights, and the cache polygons drawn again with projected texture coordinates,
// immediately or into a display list.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "console/gx/efb_control.h"
#include "console/gx/gx_control.h"
#include "orblib47/source/Collision.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/DrawRecord.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/TextureProject.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TestCollisionCache.h"

namespace {

constexpr f32 kPi = 3.14159265f;
constexpr u32 kRed = 0xFF0000FFu, kBlue = 0x0000FFFFu, kGrey = 0x404040FFu;

s_draw_light Directional(const s_Vector3& direction) {
    s_draw_light light{};
    light.diffuse = {1.0f, 0.5f, 0.25f, 1.0f};
    light.direction = {direction.x, direction.y, direction.z, 0.0f};
    light.flags = u_light_flags::light_directional | u_light_flags::light_diffuse;
    return light;
}

// A spot light at (0, height, 0) shining straight down.
s_draw_light SpotDown(f32 height, f32 angle) {
    s_draw_light light{};
    light.diffuse = {0.6f, 0.3f, 0.9f, 1.0f};
    light.position = {0.0f, height, 0.0f, 1.0f};
    light.direction = {0.0f, -1.0f, 0.0f, 0.0f};
    light.intensity = 0.5f;
    light.angle = angle;
    light.flags = u_light_flags::light_spotlight | u_light_flags::light_diffuse;
    return light;
}

void ExpectIdentity(const s_Matrix4& a, const s_Matrix4& b, f32 tolerance, const char* what) {
    s_Matrix4 product;
    Matrix4MultMatrix4x4(&product, &b, &a);  // a x b
    for (s32 r = 0; r < 4; ++r)
        for (s32 c = 0; c < 4; ++c)
            EXPECT_NEAR(product.at(r, c), r == c ? 1.0f : 0.0f, tolerance)
                << what << " at " << r << ", " << c;
}

class TextureProjectTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        HostGXSetVertexTap(Count, &drawnVertices_);
    }
    void TearDown() override {
        HostGXSetVertexTap(nullptr, nullptr);
        EngineFixture::TearDown();
    }
    static void Count(GXPrimitive, const console::gx::RasterVertex*, u32 count, void* context) {
        *static_cast<u32*>(context) += count;
    }
    // Vertices sent by drawing the cache with a spot light 5 above the origin.
    u32 DrawnBySpot(TestCollisionCache& cache, s_textproj_parms* parms) {
        const s_draw_light light = SpotDown(5.0f, 30.0f);
        TextureProjectInitSpotLight(parms, &light, 1.0f);
        drawnVertices_ = 0;
        TextureProjectRenderCache(parms, cache.get(), nullptr);
        return drawnVertices_;
    }

    u32 drawnVertices_ = 0;
};

TEST_F(TextureProjectTest, ScreenMatrixTimesItsInverseIsTheIdentity) {
    s_textproj_parms* parms = TextureProjectStart(0, 0);
    const s_Vector3 target = {3.0f, 0.0f, -2.0f, 0.0f};
    for (const s_Vector3& direction : {s_Vector3{0.3f, -1.0f, 0.2f, 0}, s_Vector3{0.0f, -1.0f, 0.0f, 0},
                                       s_Vector3{1.0f, -0.1f, 0.0f, 0}}) {
        const s_draw_light light = Directional(direction);
        TextureProjectInitDirectLightForDevice(parms, nullptr, nullptr, &light, &target, 2.0f, 0.0f);
        ExpectIdentity(parms->screenMatrix, parms->inverseScreenMatrix, 1e-4f, "directional");
        ExpectIdentity(parms->projectionMatrix, parms->inverseProjectionMatrix, 1e-4f, "directional frustum");
    }
    const s_draw_light spot = SpotDown(5.0f, 30.0f);
    TextureProjectInitSpotLight(parms, &spot, 1.0f);
    ExpectIdentity(parms->screenMatrix, parms->inverseScreenMatrix, 1e-4f, "spot");
}

// The device frustum starts nearPlaneOffset nearer; each frustum keeps its own inverse.
TEST_F(TextureProjectTest, DeviceFrustumAndProjectionFrustumKeepTheirOwnInverses) {
    s_textproj_parms* parms = TextureProjectStart(0, 0);
    const s_Vector3 target = {0.0f, 1.0f, 0.0f, 0.0f};
    const s_draw_light light = Directional({0.2f, -1.0f, 0.1f, 0.0f});
    s_Matrix4 device, deviceInverse;
    TextureProjectInitDirectLightForDevice(parms, &device, &deviceInverse, &light, &target, 1.5f, -1.5f);
    ExpectIdentity(device, deviceInverse, 1e-4f, "device");
    ExpectIdentity(parms->projectionMatrix, parms->inverseProjectionMatrix, 1e-4f, "projection");
    ExpectIdentity(parms->screenMatrix, parms->inverseScreenMatrix, 1e-4f, "screen");

    // A point on the device frustum's near plane, 28.5 from the camera, is on the
    // projection's near plane only 30 away.
    const s_Vector4 onDeviceNear = {0.0f, 0.0f, -28.5f, 1.0f};
    s_Vector4 clip;
    Matrix4MultVector4(&device, &clip, &onDeviceNear);
    EXPECT_NEAR(clip.z / clip.w, -1.0f, 1e-5f);
    const s_Vector4 onNear = {0.0f, 0.0f, -30.0f, 1.0f};
    Matrix4MultVector4(&parms->projectionMatrix, &clip, &onNear);
    EXPECT_NEAR(clip.z / clip.w, -1.0f, 1e-5f);
}

TEST_F(TextureProjectTest, DirectionalSetUpPlacesTheCameraAlongTheLight) {
    s_textproj_parms* parms = TextureProjectStart(0, 0);
    const s_Vector3 target = {1.0f, 0.0f, 2.0f, 0.0f};
    const s_draw_light light = Directional({0.0f, -2.0f, 0.0f, 0.0f});
    const f32 previous = TextureProjectSetLightDist(12.0f);
    EXPECT_EQ(previous, 30.0f);
    TextureProjectInitDirectLightForDevice(parms, nullptr, nullptr, &light, &target, 1.0f, 0.0f);
    TextureProjectSetLightDist(previous);
    EXPECT_FLOAT_EQ(parms->direction.y, -1.0f);
    EXPECT_FLOAT_EQ(parms->position.x, 1.0f);
    EXPECT_FLOAT_EQ(parms->position.y, 12.0f);
    EXPECT_FLOAT_EQ(parms->position.z, 2.0f);
    EXPECT_FLOAT_EQ(parms->maxDistance, 50.0f);
    EXPECT_FLOAT_EQ(parms->intensity, 0.3f * 1.0f + 0.5f * 0.5f + 0.2f * 0.25f);
}

// Within 5 degrees of vertical (either way) the camera's up is the world's forward axis.
TEST_F(TextureProjectTest, NearVerticalLightUsesTheForwardAxis) {
    s_textproj_parms* parms = TextureProjectStart(0, 0);
    const s_Vector3 target = {0.0f, 0.0f, 0.0f, 0.0f};
    const struct {
        f32 degreesFromVertical;
        f32 ySign;
        bool forwardUp;
    } cases[] = {{0.0f, -1.0f, true},  {4.0f, -1.0f, true},   {4.9f, -1.0f, true}, {0.0f, 1.0f, true},
                 {5.1f, -1.0f, false}, {30.0f, -1.0f, false}, {90.0f, 1.0f, false}};
    for (const auto& c : cases) {
        const f32 a = c.degreesFromVertical * kPi / 180.0f;
        const s_draw_light light = Directional({std::sin(a), c.ySign * std::cos(a), 0.0f, 0.0f});
        TextureProjectInitDirectLightForDevice(parms, nullptr, nullptr, &light, &target, 1.0f, 0.0f);
        const s_Matrix4& m = parms->cameraMatrix;
        for (f32 e : m.element)
            ASSERT_TRUE(std::isfinite(e)) << c.degreesFromVertical;
        // Row 1 is the camera's up axis in world space.
        EXPECT_NEAR(std::fabs(m.at(1, 2)), c.forwardUp ? 1.0f : 0.0f, 1e-4f) << c.degreesFromVertical;
    }
}

TEST_F(TextureProjectTest, SpotSetUpLooksFromTheLightWithItsAngle) {
    s_textproj_parms* parms = TextureProjectStart(0, 0);
    const s_draw_light light = SpotDown(5.0f, 30.0f);
    TextureProjectInitSpotLight(parms, &light, 1.0f);
    EXPECT_FLOAT_EQ(parms->intensity, 0.5f * (0.6f + 0.3f + 0.9f) / 3.0f);
    EXPECT_FLOAT_EQ(parms->position.y, 5.0f);
    EXPECT_FLOAT_EQ(parms->distance, 1.0f);
    EXPECT_FLOAT_EQ(parms->maxDistance, 50.0f);
    // A floor point at the frustum's edge: 5 below at tan(30) x 5 to the side.
    const s_Vector3 edge = {5.0f * std::tan(30.0f * kPi / 180.0f), 0.0f, 0.0f, 0.0f};
    s_Vector4 clip;
    Matrix4MultPointH(&parms->screenMatrix, &clip, &edge);
    EXPECT_NEAR(std::fabs(clip.x / clip.w), 1.0f, 1e-3f);
    EXPECT_NEAR(clip.y / clip.w, 0.0f, 1e-5f);
}

// Which polygons are drawn: only Shadow_Obs ones facing the projection, clipped.
TEST_F(TextureProjectTest, DrawsOnlyShadowReceiversFacingTheProjection) {
    s_textproj_parms* parms = TextureProjectStart(0, 0);
    const f32 edgeOn = 0.04f, limit = 0.05f;
    const struct {
        const char* name;
        s_Vector3 normal;
        u16 flags;
        u32 vertices;
    } cases[] = {
        {"facing", {0, 1, 0, 0}, COLLISION_SHADOW_OBS, 6},
        {"facing, other flags too", {0, 1, 0, 0}, COLLISION_SHADOW_OBS | COLLISION_PLAYER_OBS, 6},
        {"at the facing limit", {0, limit, std::sqrt(1 - limit * limit), 0}, COLLISION_SHADOW_OBS, 6},
        {"edge-on", {0, edgeOn, std::sqrt(1 - edgeOn * edgeOn), 0}, COLLISION_SHADOW_OBS, 0},
        {"side-on", {1, 0, 0, 0}, COLLISION_SHADOW_OBS, 0},
        {"facing away", {0, -1, 0, 0}, COLLISION_SHADOW_OBS, 0},
        {"no Shadow_Obs", {0, 1, 0, 0}, COLLISION_PLAYER_OBS | COLLISION_CAMERA_OBS, 0},
        {"no Shadow_Obs, facing away", {0, -1, 0, 0}, COLLISION_PHYSICS_OBS, 0},
    };
    for (const auto& c : cases) {
        TestCollisionCache cache(1);
        cache.Receiver(0.0f, 0.0f, 1.0f, c.flags).normal = c.normal;
        EXPECT_EQ(DrawnBySpot(cache, parms), c.vertices) << c.name;
    }
    TestCollisionCache triangle(1);
    triangle.Add({V(-1, 0, -1), V(-1, 0, 1), V(1, 0, 1)}, COLLISION_SHADOW_OBS);
    EXPECT_EQ(DrawnBySpot(triangle, parms), 3u);
}

TEST_F(TextureProjectTest, ClippedPolygonsGrowTheBoxOnlyWithinTheFrustum) {
    s_textproj_parms* parms = TextureProjectStart(0, 0);
    const f32 big = std::numeric_limits<f32>::max();
    const f32 reach = 5.0f * std::tan(30.0f * kPi / 180.0f);  // the frustum's half-width on the floor
    const struct {
        const char* name;
        f32 cx, half;
        u32 vertices;
        f32 minX, maxX;
    } cases[] = {
        {"inside", 0.0f, 1.0f, 6, -1.0f, 1.0f},
        {"crossing one side", 2.0f, 1.0f, 6, 1.0f, reach},
        {"covering the frustum", 0.0f, 10.0f, 6, -reach, reach},
        {"outside", 100.0f, 1.0f, 0, big, -big},
    };
    for (const auto& c : cases) {
        TestCollisionCache cache(1);
        cache.Receiver(c.cx, 0.0f, c.half);
        s_Vector3 lo = {big, big, big, 0}, hi = {-big, -big, -big, 0};
        parms->minBox = &lo;
        parms->maxBox = &hi;
        parms->flags = TEXTURE_PROJECT_GROW_BOX;
        EXPECT_EQ(DrawnBySpot(cache, parms), c.vertices) << c.name;
        EXPECT_NEAR(lo.x, c.minX, 1e-3f) << c.name;
        EXPECT_NEAR(hi.x, c.maxX, 1e-3f) << c.name;
        if (c.vertices > 0) {
            EXPECT_NEAR(lo.y, 0.0f, 1e-4f) << c.name;
            EXPECT_NEAR(hi.y, 0.0f, 1e-4f) << c.name;
        }
    }
    parms->minBox = parms->maxBox = nullptr;
    parms->flags = 0;
}

TEST_F(TextureProjectTest, NothingIsDrawnWhenProjectionIsOffOrTheCacheEmpty) {
    s_textproj_parms* parms = TextureProjectStart(0, 0);
    TestCollisionCache cache(1);
    EXPECT_EQ(DrawnBySpot(cache, parms), 0u);
    cache.Receiver(0.0f, 0.0f, 1.0f);
    DrawTextureProject = 0;
    EXPECT_EQ(DrawnBySpot(cache, parms), 0u);
    DrawTextureProject = 1;
    EXPECT_EQ(DrawnBySpot(cache, parms), 6u);
}

// A recording draws nothing, clears its flag, and replays what immediate drawing draws.
TEST_F(TextureProjectTest, RecordingADisplayListClearsTheFlagAndReplaysTheSameDrawing) {
    TestCollisionCache cache(3);
    cache.Receiver(0.0f, 0.0f, 1.0f);
    cache.Receiver(2.0f, 0.0f, 1.0f);                         // clipped
    cache.Receiver(0.0f, 0.0f, 1.0f).normal = {0, -1, 0, 0};  // facing away

    s_textproj_parms* parms = TextureProjectStart(1, 0);
    EXPECT_EQ(parms->flags, TEXTURE_PROJECT_CREATE_DL);
    EXPECT_EQ(DrawnBySpot(cache, parms), 0u);
    EXPECT_EQ(parms->flags & TEXTURE_PROJECT_CREATE_DL, 0u);
    ASSERT_NE(parms->displayList, nullptr);
    EXPECT_GT(parms->displayListSize, 0u);
    EXPECT_FALSE(DrawRecording());

    const u32 immediate = DrawnBySpot(cache, parms);  // the flag is clear: drawn at once
    EXPECT_EQ(immediate, 12u);
    drawnVertices_ = 0;
    DrawRecordCall(parms->displayList, parms->displayListSize);
    EXPECT_EQ(drawnVertices_, immediate);

    // A second recording replaces the first.
    parms->flags |= TEXTURE_PROJECT_CREATE_DL;
    DrawnBySpot(cache, parms);
    EXPECT_NE(parms->displayList, nullptr);
    drawnVertices_ = 0;
    DrawRecordCall(parms->displayList, parms->displayListSize);
    EXPECT_EQ(drawnVertices_, immediate);
}

TEST_F(TextureProjectTest, WarmResetLeavesTheCurrentProjectionLoaded) {
    for (e_PROJ_MODE mode : {DC_PROJ_3D, DC_PROJ_ORTHO}) {
        DrawSetProjection(mode);
        TextureProjectWarmReset();
        EXPECT_EQ(DrawContext.projectionMode, mode);
    }
}

TEST_F(TextureProjectTest, StartAllocatesTheSquareTextureAndEndReleasesIt) {
    s_textproj_parms* parms = TextureProjectStart(0, 1);
    ASSERT_NE(parms->texture, nullptr);
    EXPECT_EQ(parms->texture->file.maps[0].width, u32(TEXTURE_PROJECT_SIZE));
    EXPECT_EQ(parms->texture->file.maps[0].height, u32(TEXTURE_PROJECT_SIZE));
    ASSERT_NE(parms->viewport, nullptr);
    EXPECT_EQ(parms->viewport->rect.w, TEXTURE_PROJECT_SIZE);
    EXPECT_EQ(parms->viewport->rect.h, TEXTURE_PROJECT_SIZE);
    s_texture* used = parms->texture;
    TextureProjectEnd();
    EXPECT_EQ(parms->texture, nullptr);
    EXPECT_EQ(parms->lastTexture, used);
}

// A texture split red | blue projected from a spot light onto a floor seen from above:
// the floor shows the halves inside the light's frustum and nothing outside it.
TEST_F(TextureProjectTest, ProjectedTextureLandsOnTheFloorWhereTheFrustumDoes) {
    s_textproj_parms* parms = TextureProjectStart(0, 1);
    ASSERT_NE(parms->texture, nullptr);
    ASSERT_EQ(DrawStartRenderToTexture(parms->texture, parms->viewport), 1);
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    DrawSetTexture(nullptr);
    const s_Irect16 left = {0, 0, 128, 256}, right = {128, 0, 128, 256};
    DrawSetFlatColor(kRed);
    DrawFilledIrect(&left);
    DrawSetFlatColor(kBlue);
    DrawFilledIrect(&right);
    DrawEndRenderToTexture();

    // Background, then the camera 10 above the origin looking down, world +x to the right.
    const s_Irect16 screen = {0, 0, s16(DrawContext.screenSize.x), s16(DrawContext.screenSize.y)};
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetFlatColor(kGrey);
    DrawFilledIrect(&screen);
    DrawSetFlatColor(0xFFFFFFFFu);
    const s_Vector3 eye = {0, 10, 0, 0}, origin = {0, 0, 0, 0}, up = {0, 0, -1, 0};
    s_Matrix4 camera;
    Matrix4LookUp(&camera, &eye, &origin, &up);
    DrawSetCamera(&camera, &eye);

    const s_draw_light light = SpotDown(5.0f, 20.0f);
    TextureProjectInitSpotLight(parms, &light, 1.0f);
    TestCollisionCache cache(1);
    cache.Receiver(0.0f, 0.0f, 10.0f);
    TextureProjectRenderCache(parms, cache.get(), parms->texture);

    const f32 reach = 5.0f * std::tan(20.0f * kPi / 180.0f);
    // The projector's right is world -x (it looks down with world +z as its up).
    const struct {
        f32 x, z;
        u32 rgb;
    } samples[] = {
        {-0.5f * reach, 0.3f * reach, kBlue >> 8}, {-0.5f * reach, -0.3f * reach, kBlue >> 8},
        {0.5f * reach, 0.3f * reach, kRed >> 8},   {0.5f * reach, -0.3f * reach, kRed >> 8},
        {1.5f * reach, 0.0f, kGrey >> 8},          {0.0f, -1.5f * reach, kGrey >> 8},
        {-1.5f * reach, 1.5f * reach, kGrey >> 8},
    };
    for (const auto& s : samples) {
        const s_Vector3 world = {s.x, 0.0f, s.z, 0.0f};
        s_Vector3 pixel;
        ASSERT_GT(DrawWorld2Screen(&pixel, &world), 0.0f);
        EXPECT_EQ(HostEFBColor(u32(pixel.x), u32(pixel.y)) & 0x00FFFFFFu, s.rgb) << s.x << ", " << s.z;
    }
    TextureProjectEnd();
}

}  // namespace
