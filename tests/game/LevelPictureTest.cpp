// The test level from the demo disc: its scene with sky dome and fog, lit by its
// lights, drawn with the walking figure against a kept picture, and its collision
// world answering queries. The picture drawn is written as test_level.png in the
// working folder; BOWLING_UPDATE_REFERENCE=1 makes it the new reference.
#include <gtest/gtest.h>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/Collision.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Wad.h"
#include "source/DefaultDisc.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tools/modelgen/Level.h"

namespace {

class LevelPictureTest : public GameFixture {
protected:
    HostConfig Config() const override {
        HostConfig config = GameFixture::Config();
        config.discRoot = DefaultDiscRoot();
        return config;
    }
};

constexpr u16 kSolid = COLLISION_PLAYER_OBS;
constexpr f32 kNear = 1e-4f;

// A cache over the whole room, filled about its middle.
s_collision_cache* RoomCache() {
    s_collision_cache* cache = PolyCollideCacheAllocSize(64);
    const s_Vector3 min = {-8, -8, -8, 0}, max = {8, 8, 8, 0}, middle = {0, 0, 0, 0};
    PolyCollideCacheSetup(cache, &min, &max);
    const s_Vector3 box[2] = {min, max};
    PolyCollideCache(cache, &middle, box);
    return cache;
}

TEST_F(LevelPictureTest, ItsCollisionWorldStopsLinesAndPushesSpheresOut) {
    s_wad* wad = WadLoad("DATA/LEVEL.WAD", 0);
    ASSERT_NE(wad, nullptr);
    CollisionWorldModel = ModelLoad(modelgen::kLevelName, nullptr, 0);
    ASSERT_NE(CollisionWorldModel, nullptr);
    s_collision_cache* cache = RoomCache();
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->count, CollisionWorldModel->numCollisionFaces);

    const struct {
        const char* what;
        s_Vector3 from, to;
        bool hits;
        s_Vector3 at;
    } lines[] = {
        {"down onto the floor",
         {0.5f, 2, 0.5f, 0},
         {0.5f, -1, 0.5f, 0},
         true,
         {0.5f, modelgen::kLevelFloorY, 0.5f, 0}},
        {"down onto the ledge", {3, 2, -3, 0}, {3, -1, -3, 0}, true, {3, modelgen::kLevelLedgeTopY, -3, 0}},
        {"across into the pillar", {0, 1, -3.5f, 0}, {-4, 1, -3.5f, 0}, true, {-2.2f, 1, -3.5f, 0}},
        {"up through the floor from inside it", {0.5f, -0.1f, 0.5f, 0}, {0.5f, 2, 0.5f, 0}, false, {}},
        {"down past the floor's edge", {8, 2, 0, 0}, {8, -2, 0, 0}, false, {}},
    };
    for (const auto& c : lines) {
        SCOPED_TRACE(c.what);
        PolyCollideStart(nullptr);
        const s_Vector3 line[2] = {c.from, c.to};
        const s_collision_list* list = PolyCollideCheckLine(cache, &c.from, line, 0, kSolid);
        ASSERT_EQ(list->count, c.hits ? 1 : 0);
        if (!c.hits)
            continue;
        EXPECT_NEAR(list->result[0].movement.x, c.at.x, kNear);
        EXPECT_NEAR(list->result[0].movement.y, c.at.y, kNear);
        EXPECT_NEAR(list->result[0].movement.z, c.at.z, kNear);
    }

    const s_Vector3 up = {0, 1, 0, 0};
    const struct {
        const char* what;
        s_Vector3 centre;
        s_Vector3 pushedTo;
    } spheres[] = {
        {"against the back wall", {0, 1, -5.7f, 0}, {0, 1, -5.5f, 0}},
        {"into the corner of the walls", {-5.8f, 1, -5.6f, 0}, {-5.5f, 1, -5.5f, 0}},
        {"sunk into the floor", {1, 0.3f, 1, 0}, {1, 0.5f, 1, 0}},
        {"clear of everything", {0, 1, 0, 0}, {0, 1, 0, 0}},
    };
    for (const auto& c : spheres) {
        SCOPED_TRACE(c.what);
        PolyCollideStart(nullptr);
        const s_collision_list* list =
            PolyCollideCheckSphereRef(cache, &c.centre, &up, &c.centre, 0.5f, 0, kSolid, 0);
        EXPECT_NEAR(list->pos.x, c.pushedTo.x, kNear);
        EXPECT_NEAR(list->pos.y, c.pushedTo.y, kNear);
        EXPECT_NEAR(list->pos.z, c.pushedTo.z, kNear);
    }

    PolyCollideCacheFree(cache);
    ModelFree(CollisionWorldModel);
    CollisionWorldModel = nullptr;
    WadFree(wad);
}

}  // namespace
