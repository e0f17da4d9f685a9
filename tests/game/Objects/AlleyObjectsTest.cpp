// The alley's objects: the lanes' balls and pins follow the films, the computer
// lanes bowl on by themselves, and walkers go round their path.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "console/gx/gx_control.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Wad.h"
#include "source/AlleyNPCManager.h"
#include "source/DefaultDisc.h"
#include "source/Objects/AlleyObjects.h"
#include "source/Physics/LaneManager.h"
#include "tests/game/Physics/WholeThrowSupport.h"
#include "tests/support/DemoAlleyArchives.h"
#include "tests/support/GameFixture.h"

namespace {

bool SameMatrix(const s_Matrix4& a, const s_Matrix4& b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

// The object showing that lane's ball (pin -1) or pin.
s_object* LaneObject(s32 npc, s32 pin) {
    for (s32 slot = 0; slot < OBJECT_MAX; ++slot) {
        s_object* object = ObjectGet(slot);
        if (object == nullptr || (object->kind != OBJECT_KIND_BALL && object->kind != OBJECT_KIND_PIN))
            continue;
        const AlleyLaneItem& item = *static_cast<const AlleyLaneItem*>(object->user);
        if (item.npc == npc && item.pin == pin)
            return object;
    }
    return nullptr;
}

bool Hidden(const s_object* object) {
    return (object->flags & OBJECT_FLAG_HIDDEN) != 0;
}

class AlleyObjectsTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        OrbSRand(5);
        g_ObjUpdate = 1;
    }
    void TearDown() override {
        AlleyObjectsRemove();
        GameFixture::TearDown();
    }
};

TEST_F(AlleyObjectsTest, BallAndPinsFollowTheirLanesFilm) {
    Physics.InitLane(1);
    AlleyObjectsCreate();
    EventWait(1);
    for (s32 pin = 0; pin < NUM_PINS; ++pin) {
        ASSERT_NE(LaneObject(-1, pin), nullptr);
        EXPECT_TRUE(SameMatrix(LaneObject(-1, pin)->transform, Physics.m_pinTransform[pin])) << pin;
        for (s32 npc = 0; npc < ALLEY_NPC_LANES; ++npc) {
            const CNPCBowler& bowler = g_AlleyNPCManager.m_NPCBowlers[npc];
            const s_Matrix4 placed =
                LaneDisplayToWorld(bowler.m_pinOrientation[pin], bowler.m_pinPosition[pin]);
            EXPECT_TRUE(SameMatrix(LaneObject(npc, pin)->transform, placed)) << npc << " " << pin;
        }
    }
    s_object* ball = LaneObject(-1, -1);
    EXPECT_TRUE(Hidden(ball));  // no game: no ball

    RunPlayerThrow(Physics, wholethrow::PocketThrow());
    Physics.m_state = LANE_STATE_ROLL;
    Physics.fCurrentFrame = 60.0f;
    Physics.DisplayFrame();
    EventWait(1);
    EXPECT_FALSE(Hidden(ball));
    EXPECT_TRUE(SameMatrix(ball->transform, Physics.m_ballTransform));
    EXPECT_TRUE(SameMatrix(LaneObject(-1, 0)->transform, Physics.m_pinTransform[0]));

    // At the film's end the ball has dropped out of sight.
    Physics.fCurrentFrame = f32(PlayerLane.NumPhysFrames);
    Physics.DisplayFrame();
    EventWait(1);
    EXPECT_TRUE(Hidden(ball));
}

TEST_F(AlleyObjectsTest, RemoveLeavesNoObjectsOrTasks) {
    const u32 tasks = SystemThreadCount;
    AlleyObjectsCreate();
    EXPECT_GT(ObjectCount(), 4 * (NUM_PINS + 1));
    AlleyObjectsRemove();
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(SystemThreadCount, tasks);
    for (const CNPCBowler& bowler : g_AlleyNPCManager.m_NPCBowlers)
        EXPECT_EQ(bowler.m_bNPCIsBowling, 0);
}

// The computer lanes rack, throw, play their film and rack again, frame after frame,
// with the simulation in idle time; nothing moves while the level does not play.
// The test stands in for the frame boundary (30 frames a second, as in the level)
// and runs the object behaviours itself.
TEST_F(AlleyObjectsTest, ComputerLanesBowlOnWhileTheLevelPlays) {
    constexpr s32 kThrows = 3;
    constexpr s32 kMaxFrames = 30 * 60 * 3;
    AlleyObjectsCreate();
    s32 index = 0;
    auto frame = [&] {
        while (g_AlleyNPCManager.ComputeNPCPhysicsTimeslice(0, &index)) {
        }
        RealDeltaTime = 1.0f / 30.0f;
        g_AlleyNPCManager.run();
        for (s32 slot = 0; slot < OBJECT_MAX; ++slot)
            if (s_object* object = ObjectGet(slot))
                ObjectUpdate(object);
    };

    frame();
    EXPECT_EQ(g_AlleyNPCManager.m_NPCBowlers[0].m_BowlState, BowlState_Prep);  // not playing: no slices

    g_LevelIsPlaying = 1;
    s32 throws[ALLEY_NPC_LANES] = {};
    BowlState last[ALLEY_NPC_LANES] = {};
    bool ballSeen = false;
    s32 frames = 0;
    for (; frames < kMaxFrames; ++frames) {
        frame();
        bool done = true;
        for (s32 npc = 0; npc < ALLEY_NPC_LANES; ++npc) {
            const CNPCBowler& bowler = g_AlleyNPCManager.m_NPCBowlers[npc];
            if (last[npc] == BowlState_Approach && bowler.m_BowlState == BowlState_Prep)
                ++throws[npc];
            last[npc] = bowler.m_BowlState;
            done = done && throws[npc] >= kThrows;
        }
        ballSeen = ballSeen || !Hidden(LaneObject(0, -1));
        if (done)
            break;
    }
    EXPECT_LT(frames, kMaxFrames);
    EXPECT_TRUE(ballSeen);
}

TEST(WalkerTest, WalksToEachWaypointInTurnAndLoops) {
    s_PATH_POINTS points[3]{};
    points[1].pos = {3.0f, 0.0f, 0.0f, 0.0f};
    points[2].pos = {3.0f, 0.0f, 4.0f, 0.0f};
    s_PATH path{};
    path.count = 3;
    path.points = points;

    CWalker walker;
    walker.Start(&path, 0);
    std::vector<s32> reached;
    bool headedRight = false;
    for (s32 step = 0; step < 1000 && reached.size() < 4; ++step) {
        walker.Update(0.0f, 1.0f);  // paused: stays
        const e_WalkerDesire before = walker.m_Desire;
        walker.Update(0.1f, 1.0f);
        if (walker.m_Desire == WALKER_DESIRE_WALK && walker.m_Waypoint == 1)
            headedRight = headedRight || std::abs(walker.m_Heading - 90.0f) < 1e-3f;
        if (before == WALKER_DESIRE_WALK && walker.m_Desire == WALKER_DESIRE_IDLE) {
            reached.push_back(walker.m_Waypoint);
            const s_Vector3& at = points[walker.m_Waypoint].pos;
            EXPECT_EQ(walker.m_Position.x, at.x);
            EXPECT_EQ(walker.m_Position.z, at.z);
        }
    }
    EXPECT_EQ(reached, (std::vector<s32>{1, 2, 0, 1}));
    EXPECT_TRUE(headedRight);
}

// With the demo alley's archives loaded.
class AlleyObjectsOnDiscTest : public AlleyObjectsTest {
protected:
    HostConfig Config() const override {
        HostConfig config = AlleyObjectsTest::Config();
        config.discRoot = DefaultDiscRoot();
        return config;
    }
    void SetUp() override {
        AlleyObjectsTest::SetUp();
        ASSERT_TRUE(m_archives.Load());
    }
    void TearDown() override {
        AlleyObjectsRemove();  // before the archives holding its models go
        m_archives.Free();
        AlleyObjectsTest::TearDown();
    }
    DemoAlleyArchives m_archives;
};

// The demo alley's archives give every lane object its model, the bowler its spot
// and the walkers their path.
TEST_F(AlleyObjectsOnDiscTest, DemoAlleyModelsSpotAndWalkway) {
    AlleyObjectsCreate();
    s32 walkers = 0;
    for (s32 slot = 0; slot < OBJECT_MAX; ++slot) {
        const s_object* object = ObjectGet(slot);
        if (object == nullptr)
            continue;
        if (object->kind <= OBJECT_KIND_SWEEPER) {
            EXPECT_NE(object->hmodel, nullptr) << object->name;
        }
        walkers += object->kind == OBJECT_KIND_WALKER ? 1 : 0;
    }
    EXPECT_EQ(walkers, ALLEY_WALKERS);
    const s_PATH& path = *g_AlleyLife.walkers[0].m_Path;
    EXPECT_STREQ(path.name, ALLEY_WALKER_PATH);
    EXPECT_EQ(std::memcmp(&g_AlleyLife.walkers[1].m_Position, &path.points[path.count / 2].pos, 12), 0);
    EXPECT_NE(g_AlleyLife.bowlerSpot.z, 0.0f);
}

void CountVertices(GXPrimitive, const console::gx::RasterVertex*, u32 count, void* total) {
    *static_cast<u32*>(total) += count;
}

// Objects are drawn only when they may show: from the bowler's spot towards the
// pins they are drawn, from high above looking level none is.
TEST_F(AlleyObjectsOnDiscTest, ObjectsOutOfViewAreNotDrawn) {
    AlleyObjectsCreate();
    EventWait(1);  // the pins take their places
    g_ObjDraw = 1;
    const s_Vector3 spot = g_AlleyLife.bowlerSpot;
    const s_Matrix4& headPin = LaneObject(-1, 0)->transform;
    const s_Vector3 pins = {headPin.at(0, 3), headPin.at(1, 3), headPin.at(2, 3), 0};
    const s_Vector3 high = {spot.x, spot.y + 10000, spot.z, 0};
    u32 vertices = 0;
    HostGXSetVertexTap(CountVertices, &vertices);
    const struct {
        s_Vector3 eye, target;
        bool drawn;
    } cases[] = {{spot, pins, true}, {high, {high.x, high.y, high.z + 1, 0}, false}};
    for (const auto& c : cases) {
        s_Matrix4 view;
        Matrix4LookAt(&view, &c.target, &c.eye);
        DrawSetCamera(&view, &c.eye);
        vertices = 0;
        EventWait(1);
        EXPECT_EQ(vertices > 0, c.drawn) << vertices;
    }
    HostGXSetVertexTap(nullptr, nullptr);
}

}  // namespace
