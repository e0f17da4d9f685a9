// The level manager over a level of the demo disc: the load, start, frames, free
// and shut-down cycle with the bowling level's handlers, the pause screen's
// answers through the in-game screen hooks, attract mode's time-out, a level that
// does not load; and the level table itself.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "orblib47/source/Collision.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Scene.h"
#include "orblib47/source/SceneLight.h"
#include "source/AlleyNPCManager.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Levels/BowlingLevel.h"
#include "source/Levels/LevelLauncher.h"
#include "source/Levels/Sandbox.h"
#include "source/OrbMain.h"
#include "source/Physics/Physics.h"
#include "source/Physics/PhysicsIdle.h"
#include "source/Players/Player.h"
#include "tests/game/Physics/WholeThrowSupport.h"
#include "tests/support/GameFixture.h"

namespace {

// The demo disc's test room run as a bowling level.
const s_LevelMgrDef kRoom = {"Test room",        "LEVEL",           "LEVEL", 0, BowlingLevelInit,
                             BowlingLevelUpdate, BowlingLevelDeinit};
const s_LevelMgrDef kMissing = {"Nowhere", "NOWHERE", "NOWHERE", 0, nullptr, nullptr, nullptr};

constexpr s32 kFrameLimit = 600;

class LevelMgrTest : public DemoDiscFixture {
protected:
    void SetUp() override {
        DemoDiscFixture::SetUp();
        FileChangeDirectory(GAME_DATA_FOLDER);
        EventWait(1);
    }

    // Loads and starts a level as the level flow does; false when it never loads.
    bool Start(const s_LevelMgrDef& level) {
        g_LevelMgr.LoadLevel(&level);
        for (s32 frame = 0; frame < kFrameLimit && !g_LevelMgr.m_bLoadFailed; ++frame) {
            if (g_LevelMgr.IsLevelLoaded()) {
                g_LevelMgr.Init();
                g_LevelMgr.m_bActive = 1;
                return true;
            }
            EventWait(1);
        }
        return false;
    }
    void Stop() {
        g_LevelMgr.FreeLevel();
        g_LevelMgr.Deinit();
    }
    void Frames(s32 n) {
        for (s32 i = 0; i < n; ++i) {
            g_LevelMgr.Update();
            EventWait(1);
        }
    }
    // Frames until `done`, at most `limit`; whether it came.
    template <typename Done>
    bool FramesUntil(Done done, s32 limit = kFrameLimit) {
        for (s32 n = 0; n < limit && !done(); ++n)
            Frames(1);
        return done();
    }
    // Remote 0's presses, frames counted in retraces from now.
    static void Script(const std::string& lines) { ScriptFromNow("0 0 connect\n" + lines); }
};

TEST_F(LevelMgrTest, ALevelCycleLeavesNoTasksArchivesOrHooksBehind) {
    const u32 tasks = SystemThreadCount;
    const u32 freeWads = WadRecords->count;
    const s32 lights = MaxSceneLights;
    // The demo alley twice, then the test room: nothing of one level is left for
    // the next.
    for (const s_LevelMgrDef* level :
         {&LevelMgrLevelList[LAUNCH_DEFAULT_LEVEL], &LevelMgrLevelList[0], &kRoom}) {
        SCOPED_TRACE(level->name);
        ASSERT_TRUE(Start(*level)) << report().text();
        EXPECT_NE(CollisionWorldModel, nullptr);
        EXPECT_EQ(CollisionWorldModel, OrbScene.m_Model);
        EXPECT_EQ(MinVblCount, 2u);
        EXPECT_EQ(AppIdleCallback, PhysicsIdleProcess);
        EXPECT_EQ(g_LevelMgr.m_GameCamera.m_cameraMode, E_CAMERA_MODE_INTRO);
        Frames(10);
        EXPECT_EQ(g_LevelIsPlaying, 1);
        Stop();
        EXPECT_EQ(CollisionWorldModel, nullptr);
        EXPECT_EQ(MinVblCount, 1u);
        EXPECT_EQ(AppIdleCallback, DoNothingCallback);
        EXPECT_EQ(g_LevelIsPlaying, 0);
        EventWait(2);
        EXPECT_EQ(SystemThreadCount, tasks);
        EXPECT_EQ(WadRecords->count, freeWads);
        EXPECT_EQ(MaxSceneLights, lights) << "the level's scene lights outlived it";
    }
}

TEST_F(LevelMgrTest, ALevelThatDoesNotLoadSaysSoInOneLineAndFreesCleanly) {
    const u32 freeWads = WadRecords->count;
    EXPECT_FALSE(Start(kMissing));
    EXPECT_EQ(g_LevelMgr.m_bLoadFailed, 1);
    EXPECT_NE(report().text().find("LevelMgr: the archive NOWHERE did not load"), std::string::npos)
        << report().text();
    Stop();
    EventWait(1);
    EXPECT_EQ(WadRecords->count, freeWads);
}

// A pause screen that answers what the test says once it has been open a frame.
s32 s_answer = 0;
s32 s_opened = 0;
void OpenPause() {
    ++s_opened;
    SetGamePause(1);
}
s32 AnswerPause() {
    if (s_answer != 0)
        SetGamePause(0);
    return s_answer;
}

TEST_F(LevelMgrTest, PausePressOpensThePauseScreenAndItsAnswerEndsOrForfeitsTheGame) {
    const struct {
        const char* what;
        eGameMode mode;
        eGameType type;
        s32 answer;
        s32 active, forfeited;
    } cases[] = {
        {"resumed", eGameMode_Career, eGameType_Standard, 1, 1, 0},
        {"quit in quick play", eGameMode_None, eGameType_Standard, 2, 0, 0},
        {"quit in career practice", eGameMode_Career, eGameType_Practice, 2, 0, 0},
        {"quit in a career game", eGameMode_Career, eGameType_Standard, 2, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_GameSettings.m_Current.gameMode = c.mode;
        g_GameSettings.m_Current.gameType = c.type;
        g_InGameScreens.PauseOpen = OpenPause;
        g_InGameScreens.PauseUpdate = AnswerPause;
        s_answer = 0;
        s_opened = 0;
        ASSERT_TRUE(Start(kRoom));
        Script("4 0 button plus down\n6 0 button plus up\n");
        Frames(6);
        EXPECT_EQ(s_opened, 1);
        EXPECT_TRUE(GamePaused());
        EXPECT_EQ(g_LevelIsPlaying, 0);
        s_answer = c.answer;
        Frames(1);
        EXPECT_FALSE(GamePaused());
        EXPECT_EQ(g_LevelMgr.m_bActive, c.active);
        EXPECT_EQ(g_LevelMgr.m_bForfeited, c.forfeited);
        Stop();
    }
}

TEST_F(LevelMgrTest, TheDefaultPauseScreenTogglesOnThePauseButton) {
    ASSERT_TRUE(Start(kRoom));
    Script("2 0 button plus down\n4 0 button plus up\n10 0 button plus down\n12 0 button plus up\n");
    Frames(4);
    EXPECT_TRUE(GamePaused());
    Frames(4);
    EXPECT_FALSE(GamePaused());
    EXPECT_EQ(g_LevelMgr.m_bActive, 1);
    Stop();
}

TEST_F(LevelMgrTest, AnAttractGameIsBowledByTheComputerAndEndsOnItsTimeOutOrAButton) {
    for (const bool press : {false, true}) {
        SCOPED_TRACE(press ? "a button" : "the time-out");
        g_LevelMgr.bAttractModeEnabled = 1;
        ASSERT_TRUE(Start(kRoom));
        for (const CPlayer& player : g_Players)
            EXPECT_EQ(player.bIsHumanPlayer, 0);
        if (press) {
            Script("20 0 button a down\n");
            FramesUntil([] { return g_LevelMgr.m_bActive == 0; }, 20);
        } else {
            // Frames of the same length without drawing them: two retraces each,
            // 60 s in 1800.
            Frames(1);
            s32 frames = 0;
            for (; g_LevelMgr.m_bActive && frames < 2000; ++frames)
                g_LevelMgr.Update();
            EXPECT_NEAR(frames, 1800, 2);
        }
        EXPECT_EQ(g_LevelMgr.m_bActive, 0);
        Stop();
        EXPECT_EQ(g_LevelMgr.bAttractModeEnabled, 0);
    }
}

TEST_F(LevelMgrTest, TheLevelStartReseedsTheGeneratorsFromTheFixedSeed) {
    Sandbox::SetSeed(1234);
    s32 draws[2];
    for (s32& draw : draws) {
        ASSERT_TRUE(Start(kRoom));
        draw = OrbRand();
        Stop();
    }
    EXPECT_EQ(draws[0], draws[1]);
    EXPECT_EQ(OrbRandom[1].lastSeed, 1234u);
}

// What the first ball of an attract game came to.
struct FirstBall {
    PinMask leave;
    wholethrow::FilmCopy film;
    s32 nextDraw;  // the generator's draw after it
};

// The same attract game's first ball, with the level seeded from the clock, on an
// empty heap and on one with blocks kept at both ends and a gap freed between two
// more: every later block lands elsewhere and the heap has less free. Neither an
// address, a free size nor a time charged for the heap's work may reach the seed,
// the frames' times or the ball.
TEST_F(LevelMgrTest, TheFirstBallRollsTheSameWhateverTheHeapHolds) {
    const auto bowl = [this] {
        g_LevelMgr.bAttractModeEnabled = 1;
        EXPECT_TRUE(Start(kRoom));
        Physics.StartGame();
        EXPECT_TRUE(FramesUntil([] {
            const ScoreNextBall next = Physics.mScoreKeeper.GetNextBall(0);
            return next.frame != 0 || next.ball != 0;
        })) << "the first ball was not bowled";
        FirstBall ball{GetPhysicsResult(PlayerLane), wholethrow::FilmCopy(PlayerLane), OrbRand()};
        Stop();
        return ball;
    };
    const FirstBall plain = bowl();

    TearDown();
    SetUp();
    void* low = HeapMallocLow(24 * 1024, __FILE_NAME__, __LINE__);
    void* high = HeapMalloc(40 * 1024, __FILE_NAME__, __LINE__);
    void* gap = HeapMalloc(56 * 1024, __FILE_NAME__, __LINE__);
    void* above = HeapMalloc(8 * 1024, __FILE_NAME__, __LINE__);
    HeapMallocFree(gap);
    const FirstBall cluttered = bowl();
    for (void* block : {low, high, above})
        HeapMallocFree(block);

    EXPECT_EQ(cluttered.leave, plain.leave);
    EXPECT_EQ(cluttered.film.frames, plain.film.frames);
    EXPECT_TRUE(cluttered.film.SameAs(*plain.film.data));
    EXPECT_EQ(cluttered.nextDraw, plain.nextDraw);
}

// No level of the table on an empty disc, and levels past the table: the launcher
// stops at once or after the failed load, and sets up nobody's game.
class LevelLauncherTest : public DemoDiscFixture {};

TEST_F(LevelLauncherTest, StopsWhenItsLevelCannotBeStarted) {
    for (const s32 level : {-1, LevelMgrLevelCount, LAUNCH_DEFAULT_LEVEL}) {
        SCOPED_TRACE(level);
        LevelLaunchStart(level);
        for (s32 frame = 0; frame < kFrameLimit && g_LaunchState == LAUNCH_LOADING; ++frame) {
            LevelLaunchUpdate();
            EventWait(1);
        }
        EXPECT_EQ(g_LaunchState, LAUNCH_FAILED);
        EXPECT_EQ(g_LevelMgr.m_bActive, 0);
        EXPECT_EQ(g_LevelMgr.m_pLevel, nullptr);
    }
}

TEST(LevelTableTest, EveryRowIsABowlingAlleyOnItsPlacesArchive) {
    ASSERT_EQ(LevelMgrLevelCount, 21);
    ASSERT_LE(LevelMgrLevelCount, LEVEL_MAX);
    std::set<std::string> names;
    for (s32 i = 0; i < LevelMgrLevelCount; ++i) {
        const s_LevelMgrDef& row = LevelMgrLevelList[i];
        SCOPED_TRACE(i);
        ASSERT_NE(row.name, nullptr);
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        // A tournament is held at the alley of the open play before it.
        EXPECT_STREQ(row.archive, ALLEY_PLACE_WADS[i / 2]);
        EXPECT_STREQ(row.scene, ALLEY_SCENE);
        EXPECT_GE(row.oilPattern, 0);
        EXPECT_LE(row.oilPattern, 5);  // the database's patterns
        EXPECT_EQ(row.init, BowlingLevelInit);
        EXPECT_EQ(row.update, BowlingLevelUpdate);
        EXPECT_EQ(row.deinit, BowlingLevelDeinit);
    }
}

}  // namespace
