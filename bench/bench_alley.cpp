// The demo alley's busiest frame through the software GX, as the bowler sees it
// from behind: the lit hall with its sky and ball returns, pins racked on the
// player's lane and the three computer lanes with a ball on each, the pinsetter and
// the sweeper, and a walking figure standing in for the bowler. Goal: under 8 ms on
// one core. The counters give the share of each stage of the rasteriser's pipeline;
// "engine" is what the frame spends outside it (tasks, scene and model traversal).
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>

#include "console/gx/gx_stage_timing.h"
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
#include "orblib47/source/Wad.h"
#include "orblib47/source/World.h"
#include "source/DefaultDisc.h"
#include "source/GameReset.h"
#include "source/Levels/AlleyLayout.h"
#include "source/OrbMain.h"
#include "source/Physics/BallMotion.h"
#include "source/Physics/FilmPlayback.h"
#include "source/Physics/LaneManager.h"
#include "tests/support/TestHost.h"

namespace {

constexpr s32 kLanes = 1 + ALLEY_NPC_LANES;

s_Matrix4 Upright(f32 x, f32 height, f32 z, f32 laneOffset) {
    const RefFrame_t pose = {{x, -height, z, 0}, {{0, -1, 0, 0}, {1, 0, 0, 0}}};
    return LaneWorldTransform(pose, laneOffset);
}

s_Vector3 Position(const s_Matrix4& m) {
    return {m.at(0, 3), m.at(1, 3), m.at(2, 3), 0};
}

struct Frame {
    s_model *pin = nullptr, *ball = nullptr, *npcBall = nullptr, *setter = nullptr, *sweeper = nullptr;
    s_hmodel* bowler = nullptr;
    s_Vector3 bowlerAt{}, eye{}, target{};
    std::array<std::array<s_Matrix4, NUM_PINS>, kLanes> pins{};
    std::array<s_Matrix4, kLanes> balls{};
    s_Matrix4 setterAt{}, sweeperAt{};
};

void UpdateFrame(s_thread*, void* data) {
    Frame& f = *static_cast<Frame*>(data);
    s_Matrix4 camera;
    Matrix4LookAt(&camera, &f.target, &f.eye);
    DrawSetCamera(&camera, &f.eye);
    HModelUpdatePosRot(f.bowler, &f.bowlerAt, &f.bowlerAt);
    HModelUpdate(f.bowler);
}

void LightFor(const s_Vector3& at) {
    scene_light* lights[SCENE_LIGHT_MAX_LOCAL];
    SceneLightsSetDrawLights(lights, SceneLightsGetLocal(lights, &at, 31), SCENE_LIGHT_LOAD_POINT_AS_DIR);
}

void DrawFrame(s_thread*, void* data) {
    Frame& f = *static_cast<Frame*>(data);
    DrawSetProjection(DC_PROJ_3D);
    DrawEnableLight(1);
    for (s32 lane = 0; lane < kLanes; ++lane) {
        LightFor(Position(f.pins[lane][0]));
        for (const s_Matrix4& at : f.pins[lane])
            ModelDraw(f.pin, &at, nullptr, nullptr);
        ModelDraw(lane == 0 ? f.ball : f.npcBall, &f.balls[lane], nullptr, nullptr);
    }
    ModelDraw(f.setter, &f.setterAt, nullptr, nullptr);
    ModelDraw(f.sweeper, &f.sweeperAt, nullptr, nullptr);
    LightFor(f.bowlerAt);
    HModelDraw(f.bowler);
}

void BM_AlleyBusiestFrame(benchmark::State& state) {
    HostConfig config = TestHostConfig();
    config.discRoot = DefaultDiscRoot();
    HostInit(config);
    InstanceSetGameColdReset(GameEngineColdReset);
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
    GameColdReset();
    GameWarmReset();
    {
        s_wad* wads[] = {WadLoad("DATA/FIGURE.WAD", 0), WadLoad("DATA/ALLEY.WAD", 0),
                         WadLoad("DATA/NPC.WAD", 0)};
        CGameData* gameData = GameDataLoad(ALLEY_SCENE, nullptr, 0);
        s_world* world = WorldLoad(ALLEY_SCENE, nullptr, 0);
        SceneLightsWarmReset(InstanceGetNumInstancesByType(INSTANCE_TYPE_INSTANCE_SCENE_LIGHT));
        CInstanceList::Enable(1);
        OrbScene.Startup(ALLEY_SCENE, ALLEY_SKY);
        OrbScene.m_Ambient = 0x404048FFu;

        Frame f;
        f.pin = ModelLoad(ALLEY_PIN_MODEL, nullptr, 0);
        f.ball = ModelLoad(ALLEY_BALL_MODEL, nullptr, 0);
        f.npcBall = ModelLoad(ALLEY_NPC_BALL_MODEL, nullptr, 0);
        f.setter = ModelLoad(ALLEY_PINSETTER_MODEL, nullptr, 0);
        f.sweeper = ModelLoad(ALLEY_SWEEPER_MODEL, nullptr, 0);
        f.bowler = HModelLoad("FIGURE", 0);
        if (!gameData || !world || !f.pin || !f.ball || !f.npcBall || !f.setter || !f.sweeper || !f.bowler) {
            state.SkipWithError("the demo alley is not on the disc");
        } else {
            HModelPlayAnimFromBankAndId(f.bowler, f.bowler->model->animDefs[0].animation, 0, 1.0f, 0, 0);
            Physics.InitLane(1);
            LoadLanePoses(PlayerLane, Physics.m_displayPoses);
            const f32 offsets[kLanes] = {0, ALLEY_NPC_LANE_OFFSET[0], ALLEY_NPC_LANE_OFFSET[1],
                                         ALLEY_NPC_LANE_OFFSET[2]};
            for (s32 lane = 0; lane < kLanes; ++lane) {
                for (s32 i = 0; i < NUM_PINS; ++i)
                    f.pins[lane][i] = LaneWorldTransform(Physics.m_displayPoses.body[i], offsets[lane]);
                f.balls[lane] = Upright(3.5f + lane, PHYS_BALL_RADIUS, 60.0f + 30 * lane, offsets[lane]);
            }
            f.setterAt = Upright(ALLEY_LANE_MIDDLE_X, ALLEY_SETTER_LOW_HEIGHT + 2, ALLEY_RACK_MIDDLE_Z, 0);
            f.sweeperAt = Upright(ALLEY_LANE_MIDDLE_X, 0, 178, 0);
            f.bowlerAt = Position(Upright(ALLEY_LANE_MIDDLE_X, 0, -36, 0));
            f.eye = Position(Upright(ALLEY_LANE_MIDDLE_X + 2, 16, -62, 0));
            f.target = Position(Upright(ALLEY_LANE_MIDDLE_X, 0, 120, 0));
            s_thread* update =
                ThreadInsertPriorityDebug("AlleyBench", nullptr, &f, UpdateFrame, nullptr, 6400);
            s_thread* draw =
                ThreadInsertPriorityDebug("AlleyBenchDraw", nullptr, &f, DrawFrame, nullptr, 5150);
            EventWait(4);  // past the black frames after start-up

            HostGXSetStageTiming(true);
            const auto start = std::chrono::steady_clock::now();
            for (auto _ : state)
                EventWait(1);
            const f64 totalNs = f64(
                std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
                    .count());
            const HostGXStageTimes times = HostGXStageTimesSoFar();
            HostGXSetStageTiming(false);
            // Shares of the frame in per cent.
            const char* names[kGXStageCount] = {"vertex%", "clip%", "pixel%", "copy%"};
            f64 engine = 100;
            for (u32 s = 0; s < kGXStageCount; ++s) {
                const f64 share = 100 * f64(times.nanoseconds[s]) / totalNs;
                state.counters[names[s]] = share;
                engine -= share;
            }
            state.counters["engine%"] = engine;
            ThreadKill(draw);
            ThreadKill(update);
        }
        for (s_model* model : {f.sweeper, f.setter, f.npcBall, f.ball, f.pin})
            ModelFree(model);
        HModelFree(f.bowler);
        OrbScene.Shutdown();
        WorldFree(world);
        GameDataFree(gameData);
        for (s_wad* wad : wads)
            WadFree(wad);
    }
    OrblibExit();
    HostShutdown();
}
BENCHMARK(BM_AlleyBusiestFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
