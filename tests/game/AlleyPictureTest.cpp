// The demo alley from the disc: its scene lit by its lamps, the player's pins racked
// by the lane physics with a ball rolling in, and the computer bowlers' ball on the
// lane beside, drawn from a kept camera against a kept picture; its pins against
// the physics' pin, and its lanes where the physics shows them. The picture drawn is
// written as alley.png in the working folder; BOWLING_UPDATE_REFERENCE=1 makes it the
// new reference.
#include <gtest/gtest.h>

#include <algorithm>

#include "orblib47/source/Collision.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/GameData.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Scene.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/World.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Physics/BallMotion.h"
#include "source/Physics/FilmPlayback.h"
#include "source/Physics/LaneManager.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/DemoAlleyArchives.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/alley.png";
constexpr const char* kDrawn = "alley.png";

// An upright pose's place in the world: physics y points down.
s_Matrix4 Upright(f32 x, f32 height, f32 z, f32 laneOffset) {
    const RefFrame_t pose = {{x, -height, z, 0}, {{0, -1, 0, 0}, {1, 0, 0, 0}}};
    return LaneWorldTransform(pose, laneOffset);
}

s_Vector3 WorldAt(f32 x, f32 height, f32 z, f32 laneOffset = 0) {
    const s_Matrix4 m = Upright(x, height, z, laneOffset);
    return {m.at(0, 3), m.at(1, 3), m.at(2, 3), 0};
}

struct Lane {
    s_model *pin = nullptr, *ball = nullptr, *npcBall = nullptr, *setter = nullptr;
    s_Matrix4 ballAt{}, npcBallAt{}, setterAt{};
};

void DrawLane(s_thread*, void* data) {
    Lane& lane = *static_cast<Lane*>(data);
    const s_Vector3 eye = WorldAt(ALLEY_LANE_MIDDLE_X + 5, 13, 135),
                    target = WorldAt(ALLEY_LANE_MIDDLE_X + 3, 0, 184);
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &target, &eye);
    DrawSetCamera(&camera, &eye);
    DrawSetProjection(DC_PROJ_3D);
    DrawEnableLight(1);
    for (const s_Matrix4& at : Physics.m_pinTransform)
        ModelDraw(lane.pin, &at, nullptr, nullptr);
    ModelDraw(lane.ball, &lane.ballAt, nullptr, nullptr);
    ModelDraw(lane.npcBall, &lane.npcBallAt, nullptr, nullptr);
    ModelDraw(lane.setter, &lane.setterAt, nullptr, nullptr);
}

class AlleyPictureTest : public DemoDiscFixture {
protected:
    void SetUp() override {
        DemoDiscFixture::SetUp();
        ASSERT_TRUE(m_archives.Load());
    }
    void TearDown() override {
        m_archives.Free();
        DemoDiscFixture::TearDown();
    }
    DemoAlleyArchives m_archives;
};

TEST_F(AlleyPictureTest, DrawsTheRackedPinsAndBallsOnTheLitLanesAsInTheKeptPicture) {
    CGameData* gameData = GameDataLoad(ALLEY_SCENE, nullptr, 0);
    s_world* world = WorldLoad(ALLEY_SCENE, nullptr, 0);
    ASSERT_NE(gameData, nullptr) << report().text();
    ASSERT_NE(world, nullptr) << report().text();
    ASSERT_EQ(SceneLightsWarmReset(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_SCENE_LIGHT)), 1);
    CInstanceList::Enable(1);
    ASSERT_EQ(OrbScene.Startup(ALLEY_SCENE, ALLEY_SKY), RET_NO_ERROR);
    OrbScene.m_Ambient = 0x404048FFu;

    Lane lane;
    lane.pin = ModelLoad(ALLEY_NEAR_PIN_MODEL, nullptr, 0);
    lane.ball = ModelLoad(ALLEY_BALL_MODEL, nullptr, 0);
    lane.npcBall = ModelLoad(ALLEY_NPC_BALL_MODEL, nullptr, 0);
    lane.setter = ModelLoad(ALLEY_PINSETTER_MODEL, nullptr, 0);
    ASSERT_TRUE(lane.pin && lane.ball && lane.npcBall && lane.setter);
    Physics.InitLane(1);
    Physics.UpdatePinModelTransforms();
    lane.ballAt = Upright(3.5f, PHYS_BALL_RADIUS, 170, 0);
    lane.npcBallAt = Upright(7, PHYS_BALL_RADIUS, 176, ALLEY_RIGHT_LANE_OFFSET);
    lane.setterAt =
        Upright(ALLEY_LANE_MIDDLE_X, ALLEY_SETTER_LOW_HEIGHT, ALLEY_RACK_MIDDLE_Z, ALLEY_RIGHT_LANE_OFFSET);

    s_thread* draw = ThreadInsertPriorityDebug("AlleyLane", nullptr, &lane, DrawLane, nullptr, 5150);
    EventWait(30);
    EXPECT_EQ(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_SCENE_LIGHT), 2);
    // A pin, the ball, a lamp or the deck's texture missing change thousands.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
    ThreadKill(draw);

    for (s_model* model : {lane.setter, lane.npcBall, lane.ball, lane.pin})
        ModelFree(model);
    OrbScene.Shutdown();
    WorldFree(world);
    GameDataFree(gameData);
}

TEST_F(AlleyPictureTest, ItsPinStandsAsTheLanePhysicsPin) {
    s_model* pin = ModelLoad(ALLEY_NEAR_PIN_MODEL, nullptr, 0);
    ASSERT_NE(pin, nullptr);
    // Through the transform of a racked pin its base rests on the lane and its top
    // clears the head's collision sphere; its belly is as wide as the belly sphere.
    const s_Matrix4 at = Upright(ALLEY_LANE_MIDDLE_X, ALLEY_PIN_BASE_HEIGHT, 180, 0);
    s_Vector3 corners[2] = {{pin->minBounds.x, pin->minBounds.y, pin->minBounds.z, 0},
                            {pin->maxBounds.x, pin->maxBounds.y, pin->maxBounds.z, 0}};
    Matrix4MultPoints(&at, corners, corners, 2);
    const f32 unit = 4 * PHYS_WORLD_SCALE;
    const f32 headTop =
        ALLEY_PIN_BASE_HEIGHT + PinCollisionSphereOffset[1] + f32(PinCollisionSphereRadius[1]);
    EXPECT_NEAR(std::min(corners[0].y, corners[1].y), 0.0f, 0.01f * unit);
    EXPECT_NEAR(std::max(corners[0].y, corners[1].y), headTop * unit, 0.2f * unit);
    EXPECT_NEAR(pin->maxBounds.x, f32(PinCollisionSphereRadius[0]) * unit, 0.05f * unit);
    ModelFree(pin);
}

s32 Polygons(const s_model* model) {
    s32 polygons = 0;
    for (s32 m = 0; m < model->numMeshes; ++m)
        polygons += model->meshList[m].numPolygons;
    return polygons;
}

// Pins far from the camera are drawn from the pin group's coarse model; every
// pin of the close-up pin view (under ten units away) keeps the fine one.
TEST_F(AlleyPictureTest, ItsPinsTurnCoarseOnlyBeyondThePinView) {
    s_hmodel* pin = HModelLoad(ALLEY_PIN_MODEL, 0);
    s_model* nearPin = ModelLoad(ALLEY_NEAR_PIN_MODEL, nullptr, 0);
    s_model* farPin = ModelLoad(ALLEY_FAR_PIN_MODEL, nullptr, 0);
    ASSERT_TRUE(pin != nullptr && pin->modelGroup != nullptr && nearPin != nullptr && farPin != nullptr);
    EXPECT_LT(2 * Polygons(farPin), Polygons(nearPin));
    const struct {
        f32 distance;
        const s_model* model;
    } cases[] = {{2, nearPin}, {10, nearPin}, {20, farPin}, {40, farPin}};
    const s_Vector3 origin{};
    for (const auto& c : cases) {
        const s_Vector3 eye = {0, 0, c.distance, 0};
        DrawSetCamera(&IDMatrix4, &eye);
        s32 previous = -1;
        EXPECT_EQ(ModelGroupGetModel(pin->modelGroup->groupId, MODEL_TYPE_NORMAL, MODEL_SUB_TYPE_NONE,
                                     &origin, &previous),
                  c.model)
            << c.distance;
    }
    ModelFree(farPin);
    ModelFree(nearPin);
    HModelFree(pin);
}

// Down onto every lane of the layout: inside its edges a line meets the lane's
// surface, just past them it falls into the gutter.
TEST_F(AlleyPictureTest, ItsLanesLieWhereThePhysicsShowsThem) {
    CollisionWorldModel = ModelLoad(ALLEY_SCENE, nullptr, 0);
    ASSERT_NE(CollisionWorldModel, nullptr);
    s_collision_cache* cache = PolyCollideCacheAllocSize(256);
    ASSERT_NE(cache, nullptr);
    const s_Vector3 around[2] = {{-0.3f, -1.5f, -0.3f, 0}, {0.3f, 0.3f, 0.3f, 0}};  // of the line's top
    PolyCollideCacheSetup(cache, &around[0], &around[1]);

    const f32 offsets[] = {0, ALLEY_RIGHT_LANE_OFFSET, ALLEY_NPC_LANE_OFFSET[0], ALLEY_NPC_LANE_OFFSET[1],
                           ALLEY_NPC_LANE_OFFSET[2]};
    const struct {
        f32 x, z;
        bool onLane;
    } probes[] = {{0.05f, 10, true},
                  {LANE_RIGHT_EDGE - 0.05f, 100, true},
                  {-0.2f, 100, false},
                  {LANE_RIGHT_EDGE + 0.2f, 10, false},
                  {ALLEY_LANE_MIDDLE_X, PIN_DECK_END_Z - 0.1f, true}};
    for (f32 offset : offsets)
        for (const auto& p : probes) {
            SCOPED_TRACE(testing::Message() << "lane offset " << offset << ", x " << p.x << ", z " << p.z);
            const s_Vector3 above = WorldAt(p.x, 5, p.z, offset), below = WorldAt(p.x, -5, p.z, offset);
            PolyCollideCache(cache, &above, around);
            PolyCollideStart(nullptr);
            const s_Vector3 line[2] = {above, below};
            const s_collision_list* hits = PolyCollideCheckLine(cache, &above, line, 0, COLLISION_PLAYER_OBS);
            ASSERT_EQ(hits->count, 1);
            const f32 surface = WorldAt(0, 0, 0).y;
            if (p.onLane)
                EXPECT_NEAR(hits->result[0].movement.y, surface, 1e-4f);
            else
                EXPECT_LT(hits->result[0].movement.y, surface - 0.005f);
        }
    PolyCollideCacheFree(cache);
    ModelFree(CollisionWorldModel);
    CollisionWorldModel = nullptr;
}

}  // namespace
