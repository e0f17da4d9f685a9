// The level flow over the demo alley: how long the loading screen stays, the
// paths from the end of the game to the unload, a level that never comes, and
// the career summary's bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "console/vi.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/EventManager.h"
#include "source/Career/TournamentLadder.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/LevelFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

constexpr s32 kDepth = 1;
constexpr s32 kOilBriefing = 6;
constexpr s32 kPlay = 8;
constexpr s32 kScoreBoard = 14;
constexpr u32 kFrameLimit = 3000;

// Runs the flow a frame at a time until it finishes; `atPlay` runs once when the
// game is under way, `each` before every step. The states it went through, each
// once, and the retrace each began.
template <class AtPlay, class Each>
std::vector<s32> RunFlow(State& state, std::vector<u32>& entered, AtPlay atPlay, Each each) {
    std::vector<s32> states;
    bool played = false;
    for (u32 frame = 0; frame < kFrameLimit; ++frame) {
        const s32 now = state.m_value[kDepth];
        if (states.empty() || states.back() != now) {
            states.push_back(now);
            entered.push_back(VIGetRetraceCount());
        }
        if (now == kPlay && !played) {
            played = true;
            atPlay();
        }
        each(now);
        if (g_LevelFlow.run(state, kDepth) != 0)
            break;
        EventWait(1);
    }
    return states;
}

class LevelFlowTest : public MenuScreenFixture {
protected:
    template <class AtPlay>
    std::vector<s32> Run(AtPlay atPlay) {
        return RunFlow(state, entered, atPlay, [](s32) {});
    }
    static void Choose(eGameMode mode, eGameType type) {
        g_GameSettings.SetGameMode(mode);
        g_GameSettings.m_Current.gameType = type;
        g_GameSettings.m_Current.bAutoSave = 1;
        g_ScreenTracker.m_LevelToLoad = LAUNCH_DEFAULT_LEVEL;
    }

    State state;
    std::vector<u32> entered;  // the retrace each state began
};

TEST_F(LevelFlowTest, TheLoadingScreenStaysSixSecondsAndPracticeEndsStraightAway) {
    Choose(eGameMode_Career, eGameType_Practice);
    const std::vector<s32> states = Run([] { g_LevelMgr.m_bActive = 0; });
    // No scoreboard, no career questions, no autosave.
    EXPECT_EQ(states, (std::vector<s32>{0, 2, 3, 4, kPlay, 24, 25}));
    ASSERT_GE(entered.size(), 3u);
    EXPECT_GE(entered[2] - entered[1], 6u * 60u);
    EXPECT_LT(entered[2] - entered[1], 6u * 60u + 10u);
}

TEST_F(LevelFlowTest, AQuickGameShowsTheScoreboardAndAForfeitedCareerGameDoesNot) {
    const struct {
        const char* what;
        eGameMode mode;
        s8 slot;  // the career bowler's
        s32 forfeit;
        bool scoreboard;
        std::vector<s32> states;
    } rows[] = {
        {"quick play",
         eGameMode_QuickPlay,
         0,
         0,
         true,
         {0, 2, 3, 4, kPlay, 9, 10, 13, 14, 15, 20, 22, 24, 25}},
        {"a forfeited career game, autosaved",
         eGameMode_Career,
         0,
         1,
         false,
         {0, 2, 3, 4, kPlay, 9, 10, 13, 14, 15, 16, 17, 20, 22, 23, 24, 25}},
        {"the unsaved bowler's, not autosaved",
         eGameMode_Career,
         CAREER_SCRATCH_SLOT,
         1,
         false,
         {0, 2, 3, 4, kPlay, 9, 10, 13, 14, 15, 16, 17, 20, 22, 24, 25}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        state = State{};
        Choose(row.mode, eGameType_Standard);
        CCareerCharacter::CreateInstance();
        CCareerCharacter::GetInstance()->SetCurrSlot(row.slot);
        const std::vector<s32> states = Run([&] {
            g_LevelMgr.m_bForfeited = row.forfeit;
            g_LevelMgr.m_bActive = 0;
            // A for the scoreboard, then for the autosave's questions.
            ScriptFromNow(ScriptPresses("aaaaaaaaaa", 30, 60));
        });
        EXPECT_EQ(states, row.states);
        EXPECT_EQ(g_ScreenTracker.m_CurrScreen == eScreen_List_ScoreBoard, row.scoreboard);
        CCareerCharacter::DestroyInstance();
    }
}

// A league night's oil briefing and its scoreboard at the end, each once it has
// slid in: the HUD steps aside for them.
TEST_F(LevelFlowTest, TheOilBriefingAndTheScoreboardHaveTheScreenToThemselves) {
    CareerManagersCreate();
    CCareerCharacter::CreateInstance();
    CCareerCharacter::GetInstance()->SetCurrSlot(CAREER_SCRATCH_SLOT);
    pEventManager->InitSeason(AMATEUR_L2, eSeason_Winter);
    Choose(eGameMode_Career, eGameType_Standard);
    g_GameSettings.m_Current.bTipsAndHints = 1;
    const struct {
        s32 state;
        const char* picture;
    } shots[] = {{kOilBriefing, "level_flow_oil_pattern"}, {kScoreBoard, "level_flow_scoreboard"}};
    u32 shown = 0;
    u32 since = 0;
    for (u32 frame = 0; frame < 2 * kFrameLimit && g_LevelFlow.run(state, kDepth) == 0; ++frame) {
        const s32 now = state.m_value[kDepth];
        if (now == kPlay)
            g_LevelMgr.m_bActive = 0;  // the game is over at once
        since = shown < 2 && now == shots[shown].state ? since + 1 : 0;
        if (since == 60) {
            ExpectLooksAsKept(shots[shown++].picture);
            ScriptFromNow(ScriptPresses("aa", 1, 60));
        } else if (shown == 2 && now > kScoreBoard && frame % 60 == 0) {
            ScriptFromNow(ScriptPress('a'));
        }
        EventWait(1);
    }
    EXPECT_EQ(shown, 2u);
    EXPECT_EQ(state.m_value[kDepth], 25);
    CCareerCharacter::DestroyInstance();
}

// A level that never arrives gives up after a minute with a message, and the
// flow goes back once it is answered.
TEST_F(LevelFlowTest, ALevelThatNeverLoadsGivesAMessageAndGoesBack) {
    Choose(eGameMode_QuickPlay, eGameType_Standard);
    // Without frames the loader never gets to run.
    for (s32 second = 0; second < 70 && state.m_value[kDepth] != 3; ++second) {
        RealDeltaTime = 1.0f;
        g_LevelFlow.run(state, kDepth);
    }
    ASSERT_EQ(state.m_value[kDepth], 3);
    EXPECT_STREQ(g_GenPopupFlow.m_sMessageBuffer, SymbolText(kTextLevelLoadFailed));
    ScriptFromNow("0 0 connect\n60 0 button a down\n62 0 button a up\n");
    const std::vector<s32> states = Run([] {});
    EXPECT_EQ(states, (std::vector<s32>{3, 24, 25}));
}

// A career game at the alley with the bowler of the career fixture, ended with no
// pin down; each popup after it is answered with A, but for `answers` in the
// state they name; autosave off.
class LevelFlowCareerTest : public MenuFixture {
protected:
    LevelFlowCareerTest() : MenuFixture(MenuCareer::kAtFirstTournament) {}

    struct Played {
        std::vector<s32> states;
        std::vector<std::string> popups;  // each popup's text, in order
    };
    Played Play(const std::map<s32, const char*>& answers) {
        g_GameSettings.SetGameMode(eGameMode_Career);
        g_GameSettings.m_Current.gameType = eGameType_Standard;
        g_GameSettings.m_Current.bAutoSave = 0;
        g_ScreenTracker.m_LevelToLoad = LAUNCH_DEFAULT_LEVEL;
        Played out;
        State state;
        std::vector<u32> entered;
        s32 last = -1;
        out.states = RunFlow(
            state, entered,
            [] {
                g_Players[0].m_NumThrows = 7;
                g_Players[1].m_NumThrows = 4;
                g_LevelMgr.m_bActive = 0;
            },
            [&](s32 now) {
                if (g_GenPopupFlow.IsActive() &&
                    (out.popups.empty() || out.popups.back() != g_GenPopupFlow.m_sMessageBuffer))
                    out.popups.push_back(g_GenPopupFlow.m_sMessageBuffer);
                if (now == last)
                    return;
                last = now;
                const auto answer = answers.find(now);
                ScriptFromNow(ScriptPresses(answer != answers.end() ? answer->second : "aaaaaaaa", 40, 40));
            });
        return out;
    }
};

// Won through to the semi-final and lost it at the alley: third place, the
// winner's splash, and the summary names the place and its prize.
TEST_F(LevelFlowCareerTest, ATournamentFinishedThirdIsOnThePodium) {
    pEventManager->m_bPlayerWinsAll = 1;
    while (pEventManager->m_CurrentRound < TOURNAMENT_ROUNDS - 2)
        ASSERT_EQ(pEventManager->SimulateEvent(), 0);
    pEventManager->m_bPlayerWinsAll = 0;
    const u32 prize = pEventManager->GetEvent()->m_Tourn.ThirdPlacePay;
    const Played played = Play({});
    EXPECT_EQ(played.states.back(), 25);
    EXPECT_NE(std::find(played.states.begin(), played.states.end(), 11), played.states.end()) << "the splash";
    const std::string place = "You won 3rd place.  You earned $" + std::to_string(prize) + ".";
    EXPECT_NE(std::find_if(played.popups.begin(), played.popups.end(),
                           [&](const std::string& text) { return text.find(place) != std::string::npos; }),
              played.popups.end());
}

// The first game of a league night, with "Exit" to the next one: the throws each
// bowler has made are kept for the game to come.
TEST_F(LevelFlowCareerTest, ALeagueNightLeftForLaterKeepsTheThrows) {
    pEventManager->InitSeason(AMATEUR_L2, eSeason_Winter);
    ASSERT_EQ(pEventManager->m_CurrentEventType, eEventType_LeagueNight);
    pEventManager->SetOpponent(pEventManager->DrawOpponent());
    const Played played = Play({{19, "ra"}});
    EXPECT_NE(std::find(played.states.begin(), played.states.end(), 19), played.states.end());
    EXPECT_EQ(played.states.back(), 25);
    const s_CareerSlot& slot = *career->GetSlot(career->GetCurrSlot());
    EXPECT_EQ(slot.m_PlayerThrows, 7u);
    EXPECT_EQ(slot.m_OpponentThrows, 4u);
}

TEST(LevelFlowSummaryTest, TheSummaryStaysInItsBuffer) {
    s_Character_Stats huge{};
    huge.m_ArmStrength = huge.m_Accuracy = huge.m_HookControl = huge.m_Stamina = 2000000000u;
    const struct {
        u32 flags;
        const char* start;
    } rows[] = {
        {0x1F, "Congratulations!\nYour Arm Strength has increased to 2000000000.\n"},
        {0x2F, "Summary:\n"},
    };
    for (const auto& row : rows) {
        char text[LEVEL_FLOW_SUMMARY_SIZE + 32];
        std::memset(text, 'z', sizeof(text));
        LevelFlow::FormatSummary(text, LEVEL_FLOW_SUMMARY_SIZE, row.flags, huge, -2000000000, 1, 2000000000u);
        EXPECT_EQ(std::strlen(text), LEVEL_FLOW_SUMMARY_SIZE - 1);
        EXPECT_EQ(std::strncmp(text, row.start, std::strlen(row.start)), 0) << text;
        EXPECT_EQ(text[LEVEL_FLOW_SUMMARY_SIZE], 'z');
    }
}

}  // namespace
