// The test level from the demo disc: its scene with sky dome and fog, its world of
// crates, its lamps made from the game data's scene-light instances, and the
// walking figure at the player's start with its shadow, drawn against a kept
// picture; and its collision world answering queries. The picture drawn is
// written as test_level.png in the working folder; BOWLING_UPDATE_REFERENCE=1
// makes it the new reference.
#include <gtest/gtest.h>

#include <cstring>

#include "orblib47/source/Collision.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/GameData.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Instance.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Scene.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Shadow.h"
#include "orblib47/source/Wad.h"
#include "orblib47/source/World.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tools/modelgen/Level.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/test_level.png";
constexpr const char* kDrawn = "test_level.png";

constexpr f32 kShadowRadius = 1.3f;  // half the projection box about the figure's middle
constexpr f32 kFigureMiddle = 0.9f;  // above its feet

const s_PLACEHOLDER* FindPlaceholder(const CGameData& data, const char* name) {
    for (s32 i = 0; i < data.m_Header->numPlaceHolder; ++i)
        if (std::strcmp(data.m_Header->placeHolderList[i].name, name) == 0)
            return &data.m_Header->placeHolderList[i];
    return nullptr;
}

struct Walker {
    s_hmodel* figure = nullptr;
    s_Vector3 position{};  // of the feet
    s_Vector3 middle{};    // the shadow's centre
    f32 turn = 0;
    s_Vector3 eye{}, target{};
    s_collision_cache* cache = nullptr;  // the floor about the figure, for its shadow
    s_shadow* shadow = nullptr;
    s_draw_light sun{};  // the projected-shadow light
};

// Before the scene draws: the camera, then the figure's pose and its cache.
void UpdateWalker(s_thread*, void* data) {
    Walker& w = *static_cast<Walker*>(data);
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &w.target, &w.eye);
    DrawSetCamera(&camera, &w.eye);
    DrawEnableLight(1);
    const s_Vector3 rot = {0, w.turn, 0, 0};
    HModelUpdatePosRot(w.figure, &w.position, &rot);
    HModelUpdate(w.figure);
    w.middle = {w.position.x, w.position.y + kFigureMiddle, w.position.z, 0};
    const s_Vector3 around[2] = {{-kShadowRadius, -1, -kShadowRadius, 0},
                                 {kShadowRadius, 2, kShadowRadius, 0}};
    PolyCollideCache(w.cache, &w.position, around);
}

// After the scene and the world: the figure lit by the lamps near it, then its
// shadow on the floor.
void DrawWalker(s_thread*, void* data) {
    Walker& w = *static_cast<Walker*>(data);
    DrawSetProjection(DC_PROJ_3D);
    scene_light* lights[SCENE_LIGHT_MAX_LOCAL];
    const s32 count = SceneLightsGetLocal(lights, &w.position, 31);
    SceneLightsSetDrawLights(lights, count, SCENE_LIGHT_LOAD_POINT_AS_DIR);
    HModelDraw(w.figure);
    ShadowRenderMulti(w.shadow, &w.sun, 1);
}

class LevelPictureTest : public DemoDiscFixture {
protected:
};

TEST_F(LevelPictureTest, DrawsTheLitRoomWithItsShadowAsInTheKeptPicture) {
    using namespace modelgen;
    s_wad* figureWad = WadLoad("DATA/FIGURE.WAD", 0);
    s_wad* wad = WadLoad("DATA/LEVEL.WAD", 0);
    ASSERT_NE(figureWad, nullptr);
    ASSERT_NE(wad, nullptr);
    CGameData* gameData = GameDataLoad(kLevelName, nullptr, 0);
    s_world* world = WorldLoad(kLevelName, nullptr, 0);
    ASSERT_NE(gameData, nullptr) << report().text();
    ASSERT_NE(world, nullptr) << report().text();
    EXPECT_EQ(WorldGetWorld(), world);

    // The level manager's part: lights from the instances (the game's lamp handler), the scene, its fog and
    // its collision world.
    ASSERT_EQ(SceneLightsWarmReset(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_SCENE_LIGHT)), 1);
    CInstanceList::Enable(1);
    ASSERT_EQ(OrbScene.Startup(kLevelName, kLevelSkyName), RET_NO_ERROR);
    ASSERT_NE(OrbScene.m_SkydomeModel, nullptr);
    OrbScene.SetFog(12.0f, 60.0f, 0x8898B0FFu);
    OrbScene.m_Ambient = 0x505868FFu;
    CollisionWorldModel = OrbScene.m_Model;

    const s_PLACEHOLDER* start = FindPlaceholder(*gameData, kLevelPlayerStartName);
    const s_PLACEHOLDER* view = FindPlaceholder(*gameData, kLevelCameraStartName);
    ASSERT_NE(start, nullptr);
    ASSERT_NE(view, nullptr);
    Walker w;
    w.position = start->pos;
    w.turn = 0.5f;
    w.eye = view->pos;
    w.target = {0, 1, -1, 0};
    w.figure = HModelLoad("FIGURE", 0);
    ASSERT_NE(w.figure, nullptr);
    ASSERT_EQ(w.figure->model->numAnimDefs, 1);
    ASSERT_NE(HModelPlayAnimFromBankAndId(w.figure, w.figure->model->animDefs[0].animation, 0, 1.0f, 0, 0),
              nullptr);
    w.cache = PolyCollideCacheAlloc();
    const s_Vector3 min = {-2, -1, -2, 0}, max = {2, 2, 2, 0};
    PolyCollideCacheSetup(w.cache, &min, &max);
    w.shadow = ShadowAlloc(&w.middle, kShadowRadius, w.figure, nullptr, w.cache);
    ASSERT_NE(w.shadow, nullptr);
    w.sun.flags = u_light_flags::light_directional | u_light_flags::light_diffuse;
    w.sun.diffuse = {1, 1, 1, 1};
    w.sun.direction = {-0.45f, -0.8f, 0.4f, 0};
    w.sun.intensity = 1;
    w.sun.shadowFlags = u_draw_shadow_flags::projected_shadow;
    w.sun.shadowIntensity = 0.6f;

    s_thread* update = ThreadInsertPriorityDebug("Walker", nullptr, &w, UpdateWalker, nullptr, 6400);
    s_thread* draw = ThreadInsertPriorityDebug("WalkerDraw", nullptr, &w, DrawWalker, nullptr, 5150);
    EventWait(30);  // past the black frames after start-up, into the stride
    EXPECT_EQ(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_SCENE_LIGHT), NumSceneLights);
    EXPECT_GT(w.cache->count, 0);
    EXPECT_EQ(OrbScene.m_NumLights, 2);
    // A crate or the sky missing, the fog or the shadow gone change thousands.
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
    ThreadKill(draw);
    ThreadKill(update);

    ShadowFree(w.shadow);
    PolyCollideCacheFree(w.cache);
    HModelFree(w.figure);
    CollisionWorldModel = nullptr;
    OrbScene.Shutdown();
    WorldFree(world);
    GameDataFree(gameData);
    WadFree(wad);
    WadFree(figureWad);
}

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
