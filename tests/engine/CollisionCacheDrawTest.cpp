#include <gtest/gtest.h>

#include "console/gx/efb_control.h"
#include "orblib47/source/Collision.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawViewport.h"
#include "tests/support/CollisionModelBuilder.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr s_Vector3 V(f32 x, f32 y, f32 z) {
    return {x, y, z, 0.0f};
}

// EFB pixels read 0xAARRGGBB; the colours are compared without alpha.
constexpr u32 kNormal = 0xFFFF00u;

class CollisionCacheDrawTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
        cache_ = PolyCollideCacheAllocSize(4);
    }
    void TearDown() override {
        PolyCollideCacheFree(cache_);
        EngineFixture::TearDown();
    }
    // A square facing the camera, 1 wide about (x, 0, -10).
    void AddSquare(f32 x, u16 flags) {
        s_cache_poly& poly = cache_->polygons[cache_->count++];
        poly = {};
        poly.coord[0] = V(x - 0.5f, -0.5f, -10), poly.coord[1] = V(x + 0.5f, -0.5f, -10);
        poly.coord[2] = V(x + 0.5f, 0.5f, -10), poly.coord[3] = V(x - 0.5f, 0.5f, -10);
        poly.normal = V(0, 0, 1);
        poly.vertCount = 4;
        poly.flags = u16(COLLISION_QUAD | flags);
    }
    static u32 Pixel(const s_Vector3& world) {
        s_Vector3 screen;
        DrawWorld2Screen(&screen, &world);
        return HostEFBColor(u32(screen.x), u32(screen.y)) & 0x00FFFFFFu;
    }
    // Whether a pixel within one pixel of the point passes `match`.
    template <typename Match>
    static bool Near(const s_Vector3& world, Match match) {
        s_Vector3 screen;
        DrawWorld2Screen(&screen, &world);
        for (s32 dy = -1; dy <= 1; ++dy)
            for (s32 dx = -1; dx <= 1; ++dx)
                if (match(HostEFBColor(u32(s32(screen.x) + dx), u32(s32(screen.y) + dy)) & 0x00FFFFFFu))
                    return true;
        return false;
    }
    static bool Near(const s_Vector3& world, u32 rgb) {
        return Near(world, [rgb](u32 pixel) { return pixel == rgb; });
    }
    // Lines take the flat colour twice over (vertex and material), so the outline's
    // 0xFFA500 lands as a darker orange: full red, some green, no blue.
    static bool Outlined(const s_Vector3& world) {
        return Near(world, [](u32 pixel) {
            return (pixel >> 16) == 0xFF && (pixel & 0xFF00) != 0 && (pixel & 0xFF) == 0;
        });
    }
    // A pixel between the square's left edge and its centre, clear of its normal.
    static u32 Inside(f32 x) { return Pixel(V(x - 0.25f, 0.15f, -10)); }
    // A point on the square's bottom edge.
    static s_Vector3 Edge(f32 x) { return V(x, -0.5f, -10); }

    s_collision_cache* cache_ = nullptr;
};

TEST_F(CollisionCacheDrawTest, CachePolygonsAreFilledByObstacleFlagsAndOutlined) {
    AddSquare(-2, COLLISION_PLAYER_OBS);
    AddSquare(0, COLLISION_CAMERA_OBS | COLLISION_PLAYER_OBS);
    AddSquare(2, COLLISION_LEDGE);  // neither obstacle: outline only
    const e_CULL_MODE cull = DrawSetCullMode(DC_CULL_BACK);
    const u32 background = Inside(2);
    PolyCollideDebugDrawCache(cache_, 1);
    EXPECT_EQ(Inside(-2), 0x000080u);
    EXPECT_EQ(Inside(0), 0x800080u);
    EXPECT_EQ(Inside(2), background);
    EXPECT_TRUE(Outlined(Edge(2)));
    EXPECT_TRUE(Near(V(2, 0, -9.85f), kNormal));  // part way along the normal from the centre
    EXPECT_EQ(DrawContext.cullMode, DC_CULL_BACK);
    EXPECT_EQ(DrawContext.zBufferWriteEnable, 1);
    EXPECT_EQ(DrawDepthOffset.offset, 0.0f);
    DrawSetCullMode(cull);
}

TEST_F(CollisionCacheDrawTest, TheMaskHidesPolygonsAndNormalsAreOptional) {
    AddSquare(-2, COLLISION_PLAYER_OBS);
    AddSquare(2, COLLISION_CAMERA_OBS);
    const u32 background = Inside(-2);
    COLLISION_POLY_DEBUG_DRAW_MASK = COLLISION_CAMERA_OBS;
    PolyCollideDebugDrawCache(cache_, 0);
    COLLISION_POLY_DEBUG_DRAW_MASK = 0xFFFFFFFFu;
    EXPECT_EQ(Inside(-2), background);
    EXPECT_FALSE(Outlined(Edge(-2)));
    EXPECT_EQ(Inside(2), 0x800000u);
    EXPECT_TRUE(Outlined(Edge(2)));
    EXPECT_FALSE(Near(V(2, 0, -9.85f), kNormal));
}

TEST_F(CollisionCacheDrawTest, AModelsFacesAreColouredByTheirFlags) {
    CollisionModelBuilder builder;
    struct Case {
        u16 flags;
        u32 argb;
    };
    const Case cases[] = {{COLLISION_PLAYER_OBS | COLLISION_CAMERA_OBS, 0x000080u},
                          {COLLISION_CAMERA_OBS, 0x008000u},
                          {COLLISION_PLAYER_OBS, 0x800000u},
                          {COLLISION_LEDGE, 0x800080u},
                          {COLLISION_ENEMY_OBS | COLLISION_TRIGGER, 0x000080u},
                          {COLLISION_PHYSICS_OBS, 0x808000u}};
    const auto centre = [](size_t i) { return -3.0f + 1.2f * f32(i); };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const f32 x = centre(i);
        builder.Face({V(x - 0.5f, -0.5f, -10), V(x + 0.5f, -0.5f, -10), V(x + 0.5f, 0.5f, -10),
                      V(x - 0.5f, 0.5f, -10)},
                     cases[i].flags);
    }
    PolyCollideDebugDraw(builder.Build(false));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(Inside(centre(i)), cases[i].argb) << i;
        EXPECT_TRUE(Outlined(Edge(centre(i)))) << i;
    }
}

}  // namespace
