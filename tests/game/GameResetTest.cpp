// The game's resets: whatever a run left in the game's globals, the cold and warm
// resets give back the state a fresh process starts with.
#include <cstring>
#include <memory>
#include <vector>

#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/Wad.h"
#include "source/AlleyNPCManager.h"
#include "source/GameReset.h"
#include "source/OrbMain.h"
#include "source/Physics/PhysicsIdle.h"
#include "source/Physics/PinTables.h"
#include "source/Physics/ThrowRunner.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/support/GameFixture.h"

namespace {

// An oiled, partly depleted lane and a ball carrying oil give another film.
ThrowSetup OiledThrow() {
    ThrowSetup setup;
    setup.ball.position.x = 6.0f;
    setup.ball.velocity.z = 85.0f;
    setup.ball.mass = 16;
    setup.ball.VSpin.x = 0.3f;
    return setup;
}

class GameResetTest : public GameFixture {
protected:
    // Leaves something behind in every game global: throws on both of the player's
    // lanes, computer bowlers in the middle of theirs, a practice rack, a working
    // table entry and a wad handle of the engine's pools.
    static void PlayAWhile() {
        OrbSRand(3);
        for (auto* grid : {Physics.LeftOil, Physics.RightOil})
            std::memset(grid, 0x30, sizeof(Physics.LeftOil));
        for (s32 left : {0, 1}) {
            Physics.bLeftLane = left;
            RunPlayerThrow(Physics, OiledThrow());
        }
        Physics.m_bPracticeMode = 1;
        Physics.m_iPracticePinSetup = 0x0200;
        Physics.fLaneOffset = 2.5f;
        Physics.m_state = 12;
        Physics.InitLane(0);
        Physics.fCurrentFrame = 300.0f;
        Physics.DisplayFrame();

        g_LevelIsPlaying = 1;
        for (s32 i : {0, 2}) {
            CNPCBowler& bowler = g_AlleyNPCManager.m_NPCBowlers[i];
            bowler.m_bNPCIsBowling = 1;
            bowler.NPC_SetupPins(PIN_MASK_ALL, 1);
            bowler.SetupRandomShot();
            bowler.EnterPrep();
        }
        for (s32 slice = 0; slice < 3000 && PhysicsIdleProcess(1); ++slice) {
        }
        ASSERT_NE(g_NPCPhysicsBowlerIndex, 0);

        g_Players[2].SetName("Ann");
        g_Players[2].setStats(90, 90, 90, 90, 1);
        g_Players[2].calculateShot(0x0200, 1);

        ContactOffset[10] = 99.0;
        NormTable2[20] = 0.0;
        WobbleRingUp[3] = -1.0;
        static s_wad unloaded{};
        SystemTextWad = &unloaded;
        g_ScreenTracker.m_CurrScreen = eScreen_List_Pause;
        g_ScreenTracker.m_LevelToLoad = 2;
    }

    static void ResetTheGame() {
        GameColdReset();
        GameWarmReset();
    }

    static std::vector<f64> Tables() {
        std::vector<f64> all;
        for (const auto& table : {std::vector<f64>(std::begin(NormTable1), std::end(NormTable1)),
                                  std::vector<f64>(std::begin(NormTable2), std::end(NormTable2)),
                                  std::vector<f64>(std::begin(NormTableX), std::end(NormTableX)),
                                  std::vector<f64>(std::begin(ContactOffset), std::end(ContactOffset)),
                                  std::vector<f64>(std::begin(WobbleRingUp), std::end(WobbleRingUp)),
                                  std::vector<f64>(std::begin(WobbleRingDown), std::end(WobbleRingDown))})
            all.insert(all.end(), table.begin(), table.end());
        return all;
    }
};

TEST_F(GameResetTest, TheSameThrowAfterAResetBowlsTheSameFilm) {
    OrbSRand(5);
    const ThrowSummary first = RunPlayerThrow(Physics, OiledThrow());
    const u64 firstFilm = FilmHash(PlayerLane);

    PlayAWhile();
    ResetTheGame();
    OrbSRand(5);
    const ThrowSummary again = RunPlayerThrow(Physics, OiledThrow());

    EXPECT_EQ(FilmHash(PlayerLane), firstFilm);
    EXPECT_EQ(again.frames, first.frames);
    EXPECT_EQ(again.standing, first.standing);
}

TEST_F(GameResetTest, EveryGlobalComesBackAsAFreshProcessHasIt) {
    const std::vector<f64> tables = Tables();
    PlayAWhile();
    ResetTheGame();

    const auto fresh = std::make_unique<CLaneManager>();
    EXPECT_EQ(Physics.m_state, fresh->m_state);
    EXPECT_EQ(Physics.bPhysicsDone, fresh->bPhysicsDone);
    EXPECT_EQ(Physics.bPinsetterUpDone, fresh->bPinsetterUpDone);
    EXPECT_EQ(Physics.bSweepDone, fresh->bSweepDone);
    EXPECT_EQ(Physics.bLeftLane, fresh->bLeftLane);
    EXPECT_EQ(Physics.fLaneOffset, fresh->fLaneOffset);
    EXPECT_EQ(Physics.m_bPracticeMode, fresh->m_bPracticeMode);
    EXPECT_EQ(Physics.m_iPracticePinSetup, fresh->m_iPracticePinSetup);
    EXPECT_EQ(Physics.m_iLastPinSetup, fresh->m_iLastPinSetup);
    EXPECT_EQ(Physics.fCurrentFrame, fresh->fCurrentFrame);
    EXPECT_EQ(Physics.m_iLastDisplayedFrame, fresh->m_iLastDisplayedFrame);
    EXPECT_EQ(std::memcmp(Physics.LeftOil, fresh->LeftOil, sizeof(fresh->LeftOil)), 0);
    EXPECT_EQ(std::memcmp(Physics.RightOil, fresh->RightOil, sizeof(fresh->RightOil)), 0);
    EXPECT_EQ(std::memcmp(&Physics.m_displayPoses, &fresh->m_displayPoses, sizeof(FilmPoses)), 0);

    const auto freshLane = std::make_unique<LaneContext>(LaneKind::Player);
    EXPECT_EQ(PlayerLane.NumPhysFrames, 0);
    EXPECT_EQ(PlayerLane.OutputFramesUsed, 0);
    EXPECT_EQ(PlayerLane.iPhysicsResult, 0);
    EXPECT_EQ(PlayerLane.BallOil, 0);
    EXPECT_EQ(PlayerLane.Oil, nullptr);
    EXPECT_EQ(PlayerLane.FrameBallHitsBackWall, 0);
    EXPECT_EQ(std::memcmp(PlayerLane.PhysPinsMask, freshLane->PhysPinsMask, sizeof(freshLane->PhysPinsMask)),
              0);

    const auto freshAlley = std::make_unique<AlleyNPCManager>();
    for (s32 i = 0; i < NUM_NPC_BOWLERS; ++i) {
        const CNPCBowler& bowler = g_AlleyNPCManager.m_NPCBowlers[i];
        const CNPCBowler& expected = freshAlley->m_NPCBowlers[i];
        EXPECT_EQ(bowler.m_bNPCIsBowling, 0) << i;
        EXPECT_EQ(bowler.m_BowlState, expected.m_BowlState) << i;
        EXPECT_EQ(bowler.lane.NumPhysFrames, 0) << i;
        EXPECT_EQ(bowler.lane.Oil, bowler.m_Oil) << i;
        EXPECT_EQ(bowler.lane.BallMu, expected.lane.BallMu) << i;
        EXPECT_EQ(std::memcmp(bowler.m_Oil, expected.m_Oil, sizeof(expected.m_Oil)), 0) << i;
    }
    EXPECT_STREQ(g_Players[2].GetName(), "");
    EXPECT_FALSE(g_Players[2].LeftHanded());
    EXPECT_EQ(g_Players[2].m_Shot.AimX, ShotParameters{}.AimX);
    EXPECT_EQ(g_LevelIsPlaying, 0);
    EXPECT_EQ(g_NPCPhysicsBowlerIndex, 0);
    EXPECT_EQ(SystemTextWad, nullptr);
    EXPECT_EQ(g_ScreenTracker.m_CurrScreen, eScreen_List_Invalid);
    EXPECT_EQ(g_ScreenTracker.m_LevelToLoad, SCREEN_TRACKER_NO_LEVEL);
    EXPECT_EQ(Tables(), tables);
}

}  // namespace
