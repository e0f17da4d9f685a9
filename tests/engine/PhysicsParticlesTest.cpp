// Physics particles bounce in their frame phase off shadow-receiving polygons,
// losing half their speed and half the next bounce sound's volume each time, and
// come to rest on a level polygon once too slow to rise.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/PhysicsParticles.h"
#include "orblib47/source/SoundTag.h"
#include "tests/engine/ParticleFixture.h"
#include "tests/support/TestCollisionCache.h"

namespace {

class PhysicsParticlesTest : public ParticleFixture {
protected:
    void SetUp() override {
        ParticleFixture::SetUp();
        EventWait(2);  // frames of 1/60 s from here
        room_.Floor(0.0f, -5, 5, -5, 5, COLLISION_SHADOW_OBS);
        // A ceiling at 2, facing down.
        room_.Add({V(-5, 2, -5), V(5, 2, -5), V(5, 2, 5), V(-5, 2, 5)}, COLLISION_SHADOW_OBS);
    }
    void TearDown() override {
        while (PhysicsParticlesGroups.next != nullptr)
            PhysicsParticlesGroupFree(static_cast<s_physics_particles_group*>(PhysicsParticlesGroups.next));
        EventWait(3);
        ParticleFixture::TearDown();
    }

    TestCollisionCache room_{4};
};

TEST_F(PhysicsParticlesTest, EachBounceHalvesTheSpeedAndTheNextSoundsVolume) {
    s_SOUND_TAG_DEFAULT tag{};
    tag.type = SOUND_TAG_TYPE_SFX;
    s_physics_particles_group* group = PhysicsParticlesGroupAlloc(nullptr, 1, 5.0f, room_.get(), &tag);
    const s_Vector3 at{0, 1, 0, 0}, down{0, -10, 0, 0}, none{};
    PhysicsParticlesLaunch(group, &at, &down, &none, 0.1f, 1.0f);
    const s_physics_particles_elem& e = group->elements[0];
    EXPECT_FLOAT_EQ(e.collisionTime, 0.1f);
    const struct {
        s32 frames;
        f32 velocityY, maxVol;
    } steps[] = {{18, 5.0f, 0.5f}, {42, -2.5f, 0.25f}};
    for (const auto& step : steps) {
        EventWait(step.frames);
        EXPECT_FLOAT_EQ(e.velocity.y, step.velocityY);
        EXPECT_FLOAT_EQ(e.maxVol, step.maxVol);
        EXPECT_EQ(e.flags & PHYSICS_PARTICLE_NOT_MOVING, 0u);
        EXPECT_GT(e.position.y, 0.0f);
        EXPECT_LT(e.position.y, 2.0f);
    }
}

// The group's set has no cells: nothing to animate, and nothing to divide by.
TEST_F(PhysicsParticlesTest, ASlowBounceOnALevelPolygonStopsTheElementWhileItFades) {
    s_sprite_set* empty = LoadSet("EMPTY", 0);
    s_physics_particles_group* group = PhysicsParticlesGroupAlloc(empty, 17, 1.0f, room_.get(), nullptr);
    group->flags |= PHYSICS_PARTICLES_STOP_ME;
    const s_Vector3 at{1, 0.05f, 2, 0}, down{0, -1, 0, 0}, none{};
    PhysicsParticlesLaunch(group, &at, &down, &none, 0.1f, 1.0f);
    const s_physics_particles_elem& e = group->elements[0];
    EventWait(10);
    EXPECT_NE(e.flags & PHYSICS_PARTICLE_NOT_MOVING, 0u);
    EXPECT_EQ(e.position.x, 1.0f);
    EXPECT_EQ(e.position.y, 0.0f);
    EXPECT_EQ(e.position.z, 2.0f);
    const f32 alpha = group->spriteGroup->element[0].rgba.w;
    EventWait(10);
    EXPECT_EQ(e.position.y, 0.0f);
    EXPECT_LT(group->spriteGroup->element[0].rgba.w, alpha);
    EventWait(50);  // all dead: the stopped group goes
    EXPECT_EQ(PhysicsParticlesGroups.next, nullptr);
    SpriteFree(empty);
}

}  // namespace
