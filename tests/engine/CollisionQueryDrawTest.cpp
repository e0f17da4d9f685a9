#include <gtest/gtest.h>

#include "console/gx/efb_control.h"
#include "orblib47/source/Collision.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TestCollisionCache.h"

namespace {

constexpr u32 kFaceGreen = 0xFF008000u;  // EFB pixels read 0xAARRGGBB
constexpr u32 kOutline = 0xFFFFA500u;
constexpr u32 kNormalRed = 0xFFFF0000u;
constexpr u32 kWhite = 0xFFFFFFFFu;

class CollisionQueryDrawTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        DrawSetCombineMode(DC_COMBINE_OVERWRITE);
        DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    }

    // Whether a pixel of the colour lies within `reach` pixels of the point's image.
    static bool Near(const s_Vector3& world, u32 argb, s32 reach = 1) {
        s_Vector3 screen;
        DrawWorld2Screen(&screen, &world);
        for (s32 dy = -reach; dy <= reach; ++dy)
            for (s32 dx = -reach; dx <= reach; ++dx)
                if (HostEFBColor(u32(s32(screen.x) + dx), u32(s32(screen.y) + dy)) == argb)
                    return true;
        return false;
    }
};

TEST_F(CollisionQueryDrawTest, FacesFilledAndOutlinedEdgesAsWhiteLines) {
    TestCollisionCache cache(2);
    s_cache_poly& face = cache.Add({V(-1, -1, -10), V(1, -1, -10), V(1, 1, -10), V(-1, 1, -10)});
    s_cache_poly& other = cache.Add({V(2, -1, -10), V(4, -1, -10), V(4, 1, -10), V(2, 1, -10)});
    s_collision_list list = {};
    list.count = 2;
    list.result[0] = {COLLISION_RESULT_FACE, 0, 0, 0.0f, V(0, 0, 1), &face};
    list.result[1] = {COLLISION_RESULT_EDGE, 1, 2, 0.0f, V(0, 0, 0), &other};
    const u32 flat = DrawContext.color;

    PolyCollideDebugDrawList(&list);

    EXPECT_TRUE(Near(V(-0.5f, 0.5f, -10), kFaceGreen, 0));
    EXPECT_TRUE(Near(V(-1, 0, -10), kOutline));
    // The normal runs from the first three corners' average towards the viewer.
    EXPECT_TRUE(Near(V(1.0f / 3.0f, -1.0f / 3.0f, -9.5f), kNormalRed));
    EXPECT_TRUE(Near(V(4, 0, -10), kWhite));
    EXPECT_FALSE(Near(V(3, 0, -10), kWhite, 4));  // the edge's polygon is not filled
    EXPECT_EQ(DrawContext.color, flat);
    EXPECT_EQ(DrawContext.zBufferWriteEnable, 1);
}

}  // namespace
