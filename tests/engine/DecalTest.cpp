// Decals fade linearly over their maximum age of scaled game time, hold still
// while the game is paused, and are drawn in the alpha pass every frame.
#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/Decal.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "tests/support/EngineFixture.h"

namespace {

class DecalTest : public EngineFixture {
protected:
    // A group with one decal of alpha 1 laid, once frames take 1/60 s (the first
    // frame after the reset takes longer).
    s_decal_group* OneDecal(f32 maxAge, s32 numElement = 1) {
        EventWait(2);
        s_decal_group* group = DecalGroupAlloc(nullptr, 0, numElement, maxAge);
        const s_Vector3 corners[4] = {{-1, 1, -5, 0}, {1, 1, -5, 0}, {1, -1, -5, 0}, {-1, -1, -5, 0}};
        const s_Vector4 white{1, 1, 1, 1};
        DecalAdd(group, corners, &white);
        return group;
    }
    static f32 Alpha(s_decal_group* group, s32 i = 0) { return group->spriteGroup->element[i].rgba.w; }
};

TEST_F(DecalTest, ADecalFadesOverItsMaximumAgeAndStaysTransparent) {
    s_decal_group* group = OneDecal(2.0f);
    ASSERT_FLOAT_EQ(DeltaTime, 1.0f / 60.0f);
    struct Step {
        s32 frames;
        f32 alpha;
    };
    for (const Step step : {Step{60, 0.5f}, {60, 0.0f}, {30, 0.0f}}) {
        EventWait(step.frames);
        EXPECT_NEAR(Alpha(group), step.alpha, 1e-4f);
        EXPECT_GE(Alpha(group), 0.0f);
    }
    EXPECT_EQ(group->elements[0].age, 2.0f);
}

TEST_F(DecalTest, PausedDecalsKeepTheirAgeAndAreStillDrawn) {
    s_decal_group* group = OneDecal(2.0f);
    EventWait(15);
    const f32 alpha = Alpha(group);
    SetGamePause(1);
    EventWait(15);
    EXPECT_EQ(Alpha(group), alpha);
    EXPECT_NEAR(group->elements[0].age, 0.25f, 1e-4f);
    DecalRenderThread(nullptr, nullptr);
    ASSERT_EQ(SpriteGroupDrawCount, 1u);
    EXPECT_EQ(SpriteGroupDrawList[0].group, &group->spriteGroup->group);
    EXPECT_NE(SpriteGroupDrawList[0].group->flags & SPRITE_GROUP_ALPHA, 0u);  // the alpha pass draws it
}

TEST_F(DecalTest, WithoutAMaximumAgeDecalsKeepTheirAlpha) {
    s_decal_group* group = OneDecal(0.0f);
    EventWait(200);
    EXPECT_EQ(Alpha(group), 1.0f);
}

TEST_F(DecalTest, DecalsTakeTheQuadsOfTheChainInTurnAndReuseTheOldest) {
    s_decal_group* group = OneDecal(2.0f, 17);
    EXPECT_EQ(group->spriteGroup->header.count, 16);
    ASSERT_NE(group->spriteGroup->group.next, nullptr);
    EXPECT_EQ(reinterpret_cast<s_quad_group*>(group->spriteGroup->group.next)->header.count, 1);
    const s_Vector3 corners[4] = {};
    const s_Vector4 half{1, 1, 1, 0.5f};
    for (s32 i = 1; i < 17; ++i)
        EXPECT_EQ(DecalAdd(group, corners, &half), i);
    EXPECT_EQ(DecalAdd(group, corners, &half), 0);
    EventWait(60);
    EXPECT_NEAR(reinterpret_cast<s_quad_group*>(group->spriteGroup->group.next)->element[0].rgba.w, 0.25f,
                1e-4f);
    DecalGroupFree(group);
    EXPECT_EQ(DecalGroups.next, nullptr);
}

}  // namespace
