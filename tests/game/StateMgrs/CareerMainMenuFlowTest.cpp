// The career flow on the demo disc, run a frame at a time as the main menu runs
// it, under a scripted remote: a new career, the end of a season, leaving the
// career, a rival challenge; and the season's and the popups' texts.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LoadSave/LoadSave.h"
#include "source/OrbMain.h"
#include "source/StateMgrs/CacFlow.h"
#include "source/StateMgrs/CareerMainMenuFlow.h"
#include "source/StateMgrs/CareerPlayers.h"
#include "source/StateMgrs/CareerSeason.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

constexpr s32 kDepth = 2;
// The flow's states the tests look for.
constexpr s32 kSaveOpen = 10, kSaving = 12, kAutosave = 15, kAutosaveTournament = 16, kHubEntry = 18,
              kHub = 22, kRivalAnswer = 23, kLeaveQuestion = 28, kOverview = 33, kStats = 42, kEvent = 52,
              kTournament = 57, kManage = 65, kStandings = 69, kSave = 74;
constexpr s32 kSettle = 40;  // frames a screen takes to come in before a press
constexpr s32 kFrameLimit = 3000;

class CareerMainMenuFlowTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        CareerManagersCreate();
        CCareerCharacter::CreateInstance();
        g_GameSettings.SetDefault();
        g_ScreenTracker.Reset();
        menu = std::make_unique<CFlashMainMenu>();
        menu->LoadBackground();
        menu->LoadBorder();
    }
    void TearDown() override {
        g_CareerMainMenuFlow.FreeScreens();
        CacFlowFreeScreens();
        menu.reset();
        MenuFixture::TearDown();
    }

    // A career bowler in `slot`, in the second league with its season begun.
    static void Bowler(s8 slot) {
        CCareerCharacter& career = *CCareerCharacter::GetInstance();
        career.SetCurrSlot(slot);
        career.SetName("ROLLER");
        career.Init();
        pEventManager->InitSeason(AMATEUR_L2, eSeason_Winter);
    }

    struct Outcome {
        std::set<s32> visited;
        std::vector<std::string> popups;  // each popup's text, in order
        bool done = false;
        s32 stoppedAt = -1;
    };

    // Runs the flow until it ends or, every key pressed, reaches a state of
    // `stopAt`. `keys` (a A, b B, r right, d down, 2 the 2 button) are pressed one at a
    // time, each once the flow has waited in one state a while (a nested flow's
    // screens take their keys in one state); `beforeStep` runs before every step.
    template <class BeforeStep>
    Outcome Play(const char* keys, std::set<s32> stopAt, s32 returning, BeforeStep beforeStep) {
        Outcome out;
        State state;
        s32 last = -1, waited = 0;
        for (s32 frame = 0; frame < kFrameLimit; ++frame) {
            const s32 now = state.m_value[kDepth];
            if (*keys == '\0' && stopAt.count(now)) {
                out.stoppedAt = now;
                break;
            }
            out.visited.insert(now);
            waited = now == last ? waited + 1 : 0;
            last = now;
            if (waited > 0 && waited % kSettle == 0 && *keys != '\0') {
                ScriptFromNow(ScriptPress(*keys));
                // A move along a popup's buttons does not change the state: the next key follows it.
                waited = *keys == 'r' ? kSettle - 10 : waited;
                ++keys;
            }
            beforeStep(state);
            out.done = g_CareerMainMenuFlow.run(state, kDepth, menu.get(), returning) == 1;
            if (g_GenPopupFlow.IsActive() &&
                (out.popups.empty() || out.popups.back() != g_GenPopupFlow.m_sMessageBuffer))
                out.popups.push_back(g_GenPopupFlow.m_sMessageBuffer);
            if (out.done)
                break;
            EventWait(1);
        }
        return out;
    }
    Outcome Play(const char* keys, std::set<s32> stopAt, s32 returning) {
        return Play(keys, stopAt, returning, [](State&) {});
    }

    std::unique_ptr<CFlashMainMenu> menu;
};

TEST_F(CareerMainMenuFlowTest, ANewCareerShowsItsTwoPopupsAndKeepsTheAutosaveSetting) {
    // New Career; the bowler is made (done, No, Yes: not saved); OK, OK.
    const Outcome out = Play("a2raraaa", {kHub}, 0);
    ASSERT_EQ(out.popups.size(), 4u);
    EXPECT_EQ(out.popups[0], SymbolText(kTextCacAskDone));
    EXPECT_EQ(out.popups[1], SymbolText(kTextCacAskSure));
    EXPECT_EQ(out.popups[2], SymbolText(kTextCareerWelcome));
    EXPECT_NE(out.popups[3].find("Weeknight Rollers League"), std::string::npos) << out.popups[3];
    EXPECT_NE(out.popups[3].find("Strike Zone League"), std::string::npos) << "the league above";
    EXPECT_EQ(CCareerCharacter::GetInstance()->GetCurrSlot(), CAREER_SCRATCH_SLOT);
    EXPECT_EQ(pLeagueManager->GetLeagueType(), AMATEUR_L2);
    EXPECT_EQ(g_GameSettings.m_Current.bAutoSave, 1) << "the scratch bowler never autosaves instead";
    EXPECT_FALSE(out.visited.count(kAutosave));
}

// A new bowler to be saved whose save is not made (No to a new save, Yes to going
// on without one) gives up the slot it chose and bowls as the unsaved bowler.
TEST_F(CareerMainMenuFlowTest, ANewBowlerWhoseSaveIsDeclinedGivesUpItsSlot) {
    // New Career; the bowler is made (done, Yes: save it); the first slot; No, Yes; OK, OK.
    const Outcome out = Play("a2aaaraaa", {kHub}, 0);
    EXPECT_EQ(out.stoppedAt, kHub);
    EXPECT_TRUE(out.visited.count(kSaving));
    EXPECT_EQ(g_LoadSaveFlow.m_bSaved, 0);
    EXPECT_EQ(CCareerCharacter::GetInstance()->GetCurrSlot(), CAREER_SCRATCH_SLOT);
}

// The autosave goes on to where it was asked from: the hub or the tournament.
TEST_F(CareerMainMenuFlowTest, TheAutosaveGoesOnToTheHubOrTheTournament) {
    Bowler(0);
    g_GameSettings.m_Current.bAutoSave = 1;
    g_LoadSave.StoreCharacterSaveData();
    ASSERT_EQ(g_LoadSave.SaveGame(), 1);  // written over without a question
    for (const auto& [from, to] :
         {std::pair{kAutosave, kHubEntry}, std::pair{kAutosaveTournament, kTournament}}) {
        SCOPED_TRACE(from);
        bool started = false;
        const Outcome out = Play("", {to}, 1, [&](State& state) {
            if (!std::exchange(started, true))
                state.Transition(kDepth, from);
        });
        EXPECT_EQ(out.stoppedAt, to);
        EXPECT_EQ(g_LoadSaveFlow.m_bSaved, 1);
        g_CareerMainMenuFlow.FreeScreens();
    }
}

TEST_F(CareerMainMenuFlowTest, TheEndOfASeasonMovesTheBowlerAndCrownsTheChampion) {
    const struct {
        eLeagues league;
        u32 change;
        u32 place;
        eLeagues next;
        u32 text;
    } rows[] = {
        {AMATEUR_L2, LEAGUE_CHANGE_NONE, 3, AMATEUR_L2, kTextCareerStayed},
        {AMATEUR_L2, LEAGUE_CHANGE_RELEGATION, 16, AMATEUR_L2, kTextCareerStayed},  // the floor
        {AMATEUR_L3, LEAGUE_CHANGE_RELEGATION, 9, AMATEUR_L2, kTextCareerRelegated},
        {AMATEUR_L1, LEAGUE_CHANGE_PROMOTION, 1, AMATEUR_L2, kTextCareerPromoted},
        {AMATEUR_L3, LEAGUE_CHANGE_PROMOTION, 2, AMATEUR_L4, kTextCareerPromoted},
        {AMATEUR_L4, LEAGUE_CHANGE_PROMOTION, 1, PRO_L1, kTextCareerTurnedPro},
        {PRO_L1, LEAGUE_CHANGE_NONE, 1, PRO_L1, kTextCareerStayedPro},
        {PRO_L1, LEAGUE_CHANGE_PROMOTION, 1, PRO_L1, kTextCareerStayedPro},  // none above the pros
        {PRO_L1, LEAGUE_CHANGE_RELEGATION, 12, AMATEUR_L4, kTextCareerRelegated},
    };
    for (const auto& row : rows) {
        const SeasonEnd end = EndOfSeason(row.league, row.change, row.place);
        SCOPED_TRACE(testing::Message() << "league " << row.league << ", change " << row.change);
        EXPECT_EQ(end.league, row.next);
        EXPECT_EQ(end.text, row.text);
        EXPECT_EQ(end.championship, row.place == 1);
    }
}

// After the season's two popups only a bowler with a save slot autosaves, and
// only when the player wants it.
TEST_F(CareerMainMenuFlowTest, TheSeasonsEndAutosavesOnlyASavedBowlerWithAutosaveOn) {
    const struct {
        s8 slot;
        s32 autosave;
        bool saves;
    } rows[] = {{0, 1, true}, {0, 0, false}, {CAREER_SCRATCH_SLOT, 1, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "slot " << s32(row.slot) << ", autosave " << row.autosave);
        Bowler(row.slot);
        g_GameSettings.m_Current.bAutoSave = row.autosave;
        while (!pEventManager->SeasonOver())
            pEventManager->SimulateEvent();
        const Outcome out = Play("aa", {kAutosave, kHub}, 1);
        ASSERT_EQ(out.popups.size(), 2u);
        EXPECT_EQ(out.stoppedAt, row.saves ? kAutosave : kHub);
        EXPECT_FALSE(pEventManager->SeasonOver()) << "the next season has begun";
        g_CareerMainMenuFlow.FreeScreens();
    }
}

TEST_F(CareerMainMenuFlowTest, LeavingTheCareerAsksToSaveABowlerThatWouldBeLost) {
    const struct {
        const char* what;
        s8 slot;
        s32 autosave;
        const char* keys;  // B on the hub, then the answer
        bool asks;
        s32 through;  // a state the flow goes through, or -1
        bool done;
    } rows[] = {
        {"unsaved, No", CAREER_SCRATCH_SLOT, 1, "bra", true, -1, true},
        {"unsaved, Yes: choose a slot", CAREER_SCRATCH_SLOT, 1, "ba", true, kSaveOpen, false},
        {"saved, autosave off, Yes: save it", 0, 0, "ba", true, kSave, false},
        {"saved, autosave off, No", 0, 0, "bra", true, -1, true},
        {"saved with autosave", 0, 1, "b", false, -1, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Bowler(row.slot);
        g_GameSettings.SetGameMode(eGameMode_Career);
        g_GameSettings.m_Current.bAutoSave = row.autosave;
        const Outcome out = Play(row.keys, {row.through}, 1);
        EXPECT_EQ(out.visited.count(kLeaveQuestion) == 1, row.asks);
        if (row.asks) {
            ASSERT_FALSE(out.popups.empty());
            EXPECT_EQ(out.popups.back(), SymbolText(kTextCareerSaveFirst));
        }
        EXPECT_EQ(out.done, row.done);
        if (row.done) {
            EXPECT_NE(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NEXT);
            EXPECT_EQ(g_GameSettings.m_Current.gameMode, eGameMode_None);
        }
        g_CareerMainMenuFlow.FreeScreens();
    }
}

// The overview opens from the hub's second entry and leads to the statistics;
// Back returns through the overview to the hub.
TEST_F(CareerMainMenuFlowTest, TheOverviewLeadsToTheStatisticsAndBack) {
    Bowler(0);
    const Outcome out = Play("daabb", {kHub}, 1);
    EXPECT_EQ(out.stoppedAt, kHub);
    EXPECT_EQ(out.visited.count(kOverview), 1u);
    EXPECT_EQ(out.visited.count(kStats), 1u);
}

// A rival challenge declined turns the event back into a league night; one whose
// rival the database does not know is never put, and the night goes on as well.
TEST_F(CareerMainMenuFlowTest, ADeclinedOrUnknownRivalLeavesTheLeagueNight) {
    const struct {
        const char* what;
        bool knownRival;
    } rows[] = {{"declined", true}, {"unknown rival", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Bowler(0);
        const u32 bowlers = uDBBowlerCount;
        if (!row.knownRival)
            uDBBowlerCount = 0;
        bool seeded = false;
        // The next event, then No to the challenge.
        const Outcome out = Play("aa", {kHub}, 1, [&](State& state) {
            if (state.m_value[kDepth] != kEvent || seeded)
                return;
            // A seed whose draws make the challenge.
            for (u32 seed = 1; !seeded; ++seed) {
                EventManager trial = *pEventManager;
                OrbSRand(seed);
                seeded = trial.IsRivalChallenge() != 0;
                OrbSRand(seed);
            }
        });
        uDBBowlerCount = bowlers;
        EXPECT_TRUE(seeded);
        EXPECT_EQ(out.visited.count(kRivalAnswer) == 1, row.knownRival);
        if (row.knownRival) {
            ASSERT_FALSE(out.popups.empty());
            const s_DBBowler* rival = FindDbBowler(pEventManager->GetOpponentID());
            ASSERT_NE(rival, nullptr);
            EXPECT_NE(out.popups.front().find(rival->m_FirstName), std::string::npos) << out.popups.front();
        }
        EXPECT_EQ(pEventManager->m_CurrentEventType, eEventType_LeagueNight);
        EXPECT_TRUE(out.visited.count(kHubEntry)) << "back to the hub";
        g_CareerMainMenuFlow.FreeScreens();
    }
}

// The hub's league entry shows the standings, whose A manages the league; a bowler
// in no league goes straight to joining one, from the league entry or the event
// entry, and practises at the home alley. A change starts the new league's season.
TEST_F(CareerMainMenuFlowTest, TheLeagueIsManagedFromItsStandings) {
    constexpr s32 kPractice = 58, kHomeAlley = 20;
    const struct {
        const char* what;
        eLeagues from;
        const char* keys;
        s32 stopAt;
        eLeagues to;
        bool standings, manage;
    } rows[] = {
        {"B on the standings: back to the hub", AMATEUR_L2, "ddab", kHub, AMATEUR_L2, true, false},
        {"A on the standings, quit, join another", AMATEUR_L2, "ddaaaaa", kAutosave, AMATEUR_L1, true, true},
        {"A on the standings, quit, back", AMATEUR_L2, "ddaaab", kAutosave, NOLEAGUE, true, true},
        {"no league: the league entry joins", NOLEAGUE, "ddaaa", kAutosave, AMATEUR_L1, false, true},
        {"no league: the event entry too", NOLEAGUE, "a", kManage, NOLEAGUE, false, true},
        {"no league: practice at home", NOLEAGUE, "ddda", kPractice, NOLEAGUE, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Bowler(0);
        g_GameSettings.m_Current.bAutoSave = 1;
        pEventManager->InitSeason(row.from, eSeason_Spring);
        if (row.from != NOLEAGUE)
            while (!pEventManager->SimulateEvent()) {
            }
        const s32 eventBefore = pEventManager->GetCurrentEventNum();
        const Outcome out = Play(row.keys, {row.stopAt}, 1);
        EXPECT_EQ(out.stoppedAt, row.stopAt);
        EXPECT_EQ(pLeagueManager->GetLeagueType(), row.to);
        EXPECT_EQ(out.visited.count(kStandings) == 1, row.standings);
        EXPECT_EQ(out.visited.count(kManage) == 1 || out.stoppedAt == kManage, row.manage);
        EXPECT_FALSE(out.visited.count(kEvent));
        // A change starts the new league's season at its first week.
        EXPECT_EQ(pEventManager->GetCurrentEventNum(), row.to != row.from ? 0 : eventBefore);
        EXPECT_EQ(pEventManager->GetNumberOfEvents(), row.to == NOLEAGUE ? 0u : AMATEUR_SEASON_EVENTS);
        EXPECT_EQ(pEventManager->GetSeason(), eSeason_Spring);
        if (row.stopAt == kPractice) {
            EXPECT_EQ(g_ScreenTracker.m_LevelToLoad, kHomeAlley);
        }
        g_CareerMainMenuFlow.FreeScreens();
    }
}

TEST_F(CareerMainMenuFlowTest, TheLeaguePopupStaysInsideItsBufferAndItsTable) {
    Bowler(0);
    CLeague& league = *pLeagueManager->GetLeague();
    char text[GENPOPUP_MESSAGE_SIZE];
    // A database whose league list ends at the bowler's league names none above it.
    const u32 leagues = AmateurLeagueCount;
    AmateurLeagueCount = AMATEUR_L2;
    LeaguePopupText(text, sizeof(text), league);
    AmateurLeagueCount = leagues;
    EXPECT_EQ(std::string(text).find("Strike Zone"), std::string::npos) << text;
    // A name longer than the popup holds is cut.
    const std::string longName(400, 'x');
    league.m_LeagueDbEntry.sLeagueName = longName.c_str();
    LeaguePopupText(text, sizeof(text), league);
    EXPECT_EQ(std::strlen(text), sizeof(text) - 1);
}

// The disc's formats are checked against the arguments before they are used.
TEST(SymbolFormatTest, AFormatMustTakeExactlyItsArguments) {
    const struct {
        const char* format;
        const char* kinds;
        bool takes;
    } rows[] = {
        {"%s has %d", "sd", true}, {"100%% %d", "d", true},   {"%d", "sd", false},
        {"%d %s", "sd", false},    {"%s %d %d", "sd", false}, {"%n", "d", false},
        {"ends in %", "d", false}, {"plain", "", true},       {"%x", "d", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SymbolFormatTakes(row.format, row.kinds), row.takes) << row.format << " / " << row.kinds;
}

}  // namespace
