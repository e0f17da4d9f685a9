// The pause menu and the kudos over a level of the demo disc, through lane play's
// hooks as the front end installs them: the menu's choices and what they reach
// (the game, the mixes, the animations switch, quitting), the kudos' draws from the
// generator, and how both look over the lane.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/Sound.h"
#include "source/Flash/InGameScreens.h"
#include "source/Flash/KudosScreens.h"
#include "source/Flash/PauseFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/Physics/LaneManager.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tests/support/HeapMark.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

class InGameScreensTest : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        HeapMarkTake();  // the level, its music included, gives back all it took
        InGameScreensInstall();
        pauseFlashScreen.curButton = PAUSE_BUTTON_RESUME;  // the menu keeps its cursor between openings
        g_LevelMgr.LoadLevel(&LevelMgrLevelList[LAUNCH_DEFAULT_LEVEL]);
        for (s32 frame = 0; frame < 600 && !g_LevelMgr.IsLevelLoaded(); ++frame)
            EventWait(1);
        ASSERT_EQ(g_LevelMgr.IsLevelLoaded(), 1);
        g_LevelMgr.Init();
        g_LevelMgr.m_bActive = 1;
    }
    void TearDown() override {
        g_LevelMgr.FreeLevel();
        g_LevelMgr.Deinit();
        MenuScreenFixture::TearDown();
    }
    static void Frames(s32 n) {
        for (s32 i = 0; i < n; ++i) {
            g_LevelMgr.Update();
            EventWait(1);
        }
    }
};

// Each run opens the menu with + and walks it with the cursor (down, up), the
// values (right, left), A and B; the game's and the settings' state after it, and
// the quit question asked (a career game that counts is forfeited).
TEST_F(InGameScreensTest, ThePauseMenuResumesSetsTheMixesAndQuits) {
    const struct {
        const char* what;
        const char* presses;  // from frame 4, one every 8 frames: + opens the menu
        s32 music, effects, kudos;
        bool paused;
        s32 active;
        eGameMode mode = eGameMode_None;
        s32 forfeited = 0;
        u32 question = 0;  // the quit question's text symbol
        eGameType type = eGameType_Standard;
    } runs[] = {
        {"resumed", "+a", 8, 10, 1, false, 1},
        {"backed out", "+b", 8, 10, 1, false, 1},
        {"closed by pause again", "+d+", 8, 10, 1, false, 1},
        {"quit a career game", "+uala", 8, 10, 1, false, 0, eGameMode_Career, 1, kTextIngameQuitForfeit},
        {"quit a career practice", "+uala", 8, 10, 1, false, 0, eGameMode_Career, 0, kTextIngameQuitSure,
         eGameType_Practice},
        // 10 is the loudest: a raise there changes nothing.
        {"music up, effects down, still paused", "+drrrdl", 10, 9, 1, true, 1},
        {"quiet to silence and no further", "+dlllllllll", 0, 10, 1, true, 1},
        {"animations off, then back up round to resume", "+uuruuua", 8, 10, 0, false, 1},
        {"quit, no", "+uaa", 8, 10, 1, true, 1, eGameMode_None, 0, kTextIngameQuitSure},
        {"quit, yes", "+uala", 8, 10, 1, false, 0, eGameMode_None, 0, kTextIngameQuitSure},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        g_GameSettings.SetDefault();
        g_GameSettings.m_Current.gameMode = run.mode;
        g_GameSettings.m_Current.gameType = run.type;
        g_GenPopupFlow.SetMessage("");
        g_LevelMgr.m_bActive = 1;
        g_LevelMgr.m_bForfeited = 0;
        Physics.mScoreKeeper.Reset();
        pauseFlashScreen.curButton = PAUSE_BUTTON_RESUME;
        ScriptFromNow(ScriptPresses(run.presses, 4, 8));
        Frames(8 * s32(std::strlen(run.presses)) + 30);
        EXPECT_EQ(g_GameSettings.m_Current.musicVolume, run.music);
        EXPECT_EQ(g_GameSettings.m_Current.effectsVolume, run.effects);
        EXPECT_EQ(g_GameSettings.m_Current.bKudosScreens, run.kudos);
        // The volumes reach the mixes the game's sounds and music play with.
        EXPECT_FLOAT_EQ(g_GameSettings.m_sfxVolumeMix.volL, run.effects / 10.0f);
        EXPECT_FLOAT_EQ(OrbStreamManager.GetVolume(ORB_STREAM_MASK_MUSIC),
                        run.music == 0 ? SETTINGS_STREAM_VOLUME_FLOOR : run.music / 10.0f);
        EXPECT_EQ(GamePaused() != 0, run.paused);
        EXPECT_EQ(g_LevelMgr.m_bActive, run.active);
        EXPECT_EQ(g_LevelMgr.m_bForfeited, run.forfeited);
        // A forfeit reaches the score table, which the career's update reads.
        EXPECT_EQ(Physics.mScoreKeeper.IsForfeited(0), run.forfeited != 0);
        EXPECT_EQ(g_LevelMgr.m_bPaused != 0, run.paused);
        EXPECT_STREQ(g_GenPopupFlow.m_sMessageBuffer, run.question != 0 ? SymbolText(run.question) : "");
        if (run.paused) {
            ScriptFromNow(ScriptPresses("b", 4, 8));
            Frames(40);
            EXPECT_EQ(GamePaused(), 0) << "B resumes once no question is up";
        }
        EXPECT_EQ(MinVblCount, 2u);
    }
}

TEST_F(InGameScreensTest, VolumesShowAsWholePercentages) {
    for (s32 volume = 0; volume <= SETTINGS_VOLUME_MAX; ++volume) {
        char text[PAUSE_VOLUME_TEXT_SIZE];
        CPauseFlash::SetIntAsText(-1, 0, volume, text);
        EXPECT_EQ(std::string(text), std::to_string(volume * 10) + "%");
    }
}

// Each random kudos draws once from the generator, with the animations on or off,
// and with them on plays the movie of that draw.
TEST_F(InGameScreensTest, EachKudosDrawsOnceAndPlaysTheMovieDrawn) {
    const struct {
        void (CKudosScreens::*load)();
        e_NumKudosScreens first;
        u32 count;
    } kinds[] = {
        {&CKudosScreens::LoadRandomTurkeyScreen, KUDOS_TURKEY1_SCREEN, 3},
        {&CKudosScreens::LoadRandomStrikeScreen, KUDOS_STRIKE1_SCREEN, 3},
        {&CKudosScreens::LoadRandomGutterScreen, KUDOS_GUTTER1_SCREEN, 3},
        {&CKudosScreens::LoadRandomSplitScreen, KUDOS_SPLIT1_SCREEN, 3},
        {&CKudosScreens::LoadRandomSpareScreen, KUDOS_SPARE1_SCREEN, 2},
        {&CKudosScreens::LoadRandom6PackScreen, KUDOS_6PACK1_SCREEN, 2},
    };
    CKudosScreens kudos;
    for (const s32 on : {0, 1}) {
        g_GameSettings.m_Current.bKudosScreens = on;
        for (u32 seed = 1; seed <= 6; ++seed) {
            for (const auto& kind : kinds) {
                SCOPED_TRACE(testing::Message() << "on " << on << ", seed " << seed << ", " << kind.first);
                OrbSRand(seed);
                const u32 drawn = u32(OrbRand());
                const s32 next = OrbRand();
                OrbSRand(seed);
                (kudos.*kind.load)();
                EXPECT_EQ(OrbRand(), next);
                EXPECT_EQ(kudos.m_iScreen != -1, on != 0);
                if (on) {
                    EXPECT_EQ(kudos.m_CurrScreen, kind.first + drawn % kind.count);
                }
            }
        }
    }
    kudos.Kill();
}

// A strike's kudos half a second after the throw, with its sound.
TEST_F(InGameScreensTest, AKudosLooksAsKeptOverTheLane) {
    EventWait(GPU_BLACK_FRAMES);
    Frames(60);
    g_InGameScreens.KudosShow(KUDOS_STRIKE);
    Frames(3);
    s32 cheering = 0;
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel)
        cheering += SfxIsIdPlaying(s32(0x8000199Du), channel) ? 1 : 0;
    EXPECT_EQ(cheering, 1);
    Frames(27);
    EXPECT_EQ(g_InGameScreens.KudosActive(), 1);
    ExpectLooksAsKept("ingame_kudos");
    Frames(120);
    EXPECT_EQ(g_InGameScreens.KudosActive(), 0) << "it leaves by itself";
    g_InGameScreens.KudosKill();
}

// A game under way, as the level launcher starts it, with the player aiming.
class InGameScreensOverAGameTest : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        HeapMarkTake();  // the level, its music included, gives back all it took
        InGameScreensInstall();
        pauseFlashScreen.curButton = PAUSE_BUTTON_RESUME;
        EventWait(GPU_BLACK_FRAMES);
        LevelLaunchStart(LAUNCH_DEFAULT_LEVEL);
        for (s32 frame = 0; frame < 1200 && Physics.m_state != LANE_STATE_AIM; ++frame)
            Frames(1);
        ASSERT_EQ(Physics.m_state, LANE_STATE_AIM);
    }
    void TearDown() override {
        LevelLaunchStop();
        MenuScreenFixture::TearDown();
    }
    static void Frames(s32 n) {
        for (s32 i = 0; i < n; ++i) {
            LevelLaunchUpdate();
            EventWait(1);
        }
    }
};

// The menu after it has slid in, then the quit question over it: both over the
// HUD, and no aim line while the game stands.
TEST_F(InGameScreensOverAGameTest, ThePauseMenuAndTheQuitQuestionCoverTheHud) {
    Frames(30);
    ScriptFromNow(ScriptPresses("+", 4, 8));
    Frames(30);
    EXPECT_EQ(g_ScreenTracker.m_CurrScreen, eScreen_List_Pause);
    ExpectLooksAsKept("ingame_pause");
    ScriptFromNow(ScriptPresses("ua", 4, 8));
    Frames(40);
    EXPECT_EQ(g_GenPopupFlow.IsActive(), 1);
    ExpectLooksAsKept("ingame_quit");
}

}  // namespace
