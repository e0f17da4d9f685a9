// A career played from power-on as a player would: a new bowler, the pro shop or
// a league night, saving on the way out; then a second run on the same storage
// that loads the bowler and finds everything.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/StateMgrs/ShellRun.h"
#include "tests/support/PadScript.h"

namespace {

constexpr s32 kSettle = 40;  // frames the flows stay put before the next key

// Presses `keys` one at a time ('.' none),
// each once every flow's state has stayed the same for a while; a screen that
// takes a key without a change of state gets the next one a while later.
class SettledKeys {
public:
    explicit SettledKeys(std::string keys) : keys_(std::move(keys)) {}

    void Step() {
        const State& now = g_MainFlow.state;
        const bool same = std::equal(std::begin(now.m_value), std::end(now.m_value), std::begin(last_));
        waited_ = same ? waited_ + 1 : 0;
        std::copy(std::begin(now.m_value), std::end(now.m_value), std::begin(last_));
        if (waited_ == 0 || waited_ % kSettle != 0 || done())
            return;
        const char key = keys_[next_++];
        if (key == '.')
            return;
        ScriptFromNow(ScriptPress(key));
    }
    bool done() const { return next_ >= keys_.size(); }

private:
    std::string keys_;
    size_t next_ = 0;
    s32 waited_ = 0;
    s32 last_[STATE_MAX_DEPTH] = {};
};

// What the test follows of the career bowler.
struct Bowler {
    std::string name;
    u32 money = 0;
    s32 spareOwned = 0;
    s_Character_Equipment equipment{};

    static Bowler Now(s32 item) {
        CCareerCharacter* career = CCareerCharacter::GetInstance();
        if (career == nullptr)
            return {};
        return {career->GetName(), career->GetMoney(), career->ItemPurchased(item), *career->GetEquipment()};
    }
    bool operator==(const Bowler& o) const {
        return name == o.name && money == o.money && spareOwned == o.spareOwned &&
               std::memcmp(&equipment, &o.equipment, sizeof(equipment)) == 0;
    }
};

void PrintTo(const Bowler& b, std::ostream* out) {
    *out << b.name << " $" << b.money << " spare " << b.spareOwned << " balls " << b.equipment.Ball1 << "/"
         << b.equipment.Ball2;
}

// Bowling a league night (three games a bowler) or a tournament round takes
// minutes under the sanitizers: those runs are the Release build's.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

bool AtMainMenu() {
    return g_MainFlow.state.m_value[0] == 18 && g_ScreenTracker.m_CurrScreen == eScreen_List_MainMenu;
}

TEST(CareerWeekTest, ABowlerMadeShoppedForAndSavedIsThereInTheNextRun) {
    // Career; New Career; the look done (2), not saved now (No, then Yes); the
    // welcome and the league; the pro shop (four down): the next ball bought
    // (right, A, left to Yes, A), put on (A), the shop left (B); the career left
    // (B), saved first (A) into the first slot (A), over the save the first boot
    // made (left to Yes, A), and the saved message taken (A).
    SettledKeys keys(
        "daa"
        "2rara"
        "aa"
        "dddda"
        "ralaab"
        "baalaa");
    constexpr s32 kSpare = 1;
    Bowler saved, loaded;
    RunShell(kBootToMainMenu, 20000, [&] {
        if (VIGetRetraceCount() < 1300)
            return false;
        saved = Bowler::Now(kSpare);
        keys.Step();
        return keys.done() && AtMainMenu();
    });
    ASSERT_TRUE(keys.done());
    ASSERT_TRUE(AtMainMenu());

    // Career, Load Career, the first slot.
    SettledKeys load("dadaa");
    RunShell(
        kBootToMainMenu, 20000,
        [&] {
            if (VIGetRetraceCount() < 1300)
                return false;
            load.Step();
            if (g_ScreenTracker.m_CurrScreen != eScreen_List_Career_MainMenu)
                return false;
            loaded = Bowler::Now(kSpare);
            return true;
        },
        true);
    EXPECT_EQ(saved.spareOwned, 1);
    EXPECT_TRUE(saved.equipment.Ball1 == kSpare || saved.equipment.Ball2 == kSpare);
    EXPECT_EQ(loaded, saved);
}

// The next event of a new career is a league night: bowled, its results taken with A until the hub is back,
// then the career left and saved; the next run finds the week played.
TEST(CareerWeekTest, ALeagueNightBowledAndSavedIsThereInTheNextRun) {
    if (kSanitized)
        GTEST_SKIP() << "the Release run bowls it";
    SettledKeys toNight("daa2raraaaaa"), save("baalaa");
    constexpr s32 kLevel = 19, kHub = 22;
    LevelPlayer player;
    u32 nextResultPress = 0, gamesOver = 0;
    bool bowled = false;
    s32 playerGames = -1;
    RunShell(kBootToMainMenu, 120000, [&] {
        if (VIGetRetraceCount() < 1300)
            return false;
        const State& flow = g_MainFlow.state;
        if (flow.m_value[0] == kLevel) {
            bowled = true;
            if (player.Step() && player.lane() == LANE_STATE_GAME_OVER)
                ++gamesOver;
            return false;
        }
        if (!bowled) {
            toNight.Step();
        } else if (flow.m_value[2] != kHub && playerGames < 0) {
            if (VIGetRetraceCount() >= nextResultPress) {
                ScriptFromNow(ScriptPress('a'));
                nextResultPress = VIGetRetraceCount() + 60;
            }
        } else {
            if (playerGames < 0 && pLeagueManager != nullptr)
                playerGames = s32(pLeagueManager->GetLeague()->GetBowlerByID(PLAYER_BOWLER_ID)->TotalGames);
            save.Step();
        }
        return save.done() && AtMainMenu();
    });
    EXPECT_EQ(gamesOver, u32(LEAGUE_NIGHT_GAMES));
    EXPECT_EQ(playerGames, s32(LEAGUE_NIGHT_GAMES));
    ASSERT_TRUE(save.done());
    ASSERT_TRUE(AtMainMenu());

    SettledKeys load("dadaa");
    s32 loadedGames = -1, loadedEvent = -1;
    RunShell(
        kBootToMainMenu, 20000,
        [&] {
            if (VIGetRetraceCount() < 1300)
                return false;
            load.Step();
            if (g_ScreenTracker.m_CurrScreen != eScreen_List_Career_MainMenu)
                return false;
            loadedGames = s32(pLeagueManager->GetLeague()->GetBowlerByID(PLAYER_BOWLER_ID)->TotalGames);
            loadedEvent = pEventManager->GetCurrentEventNum();
            return true;
        },
        true);
    EXPECT_EQ(loadedGames, s32(LEAGUE_NIGHT_GAMES));
    EXPECT_EQ(loadedEvent, 1);
}

// A new bowler quits his league from its standings and joins the first one, finds
// it in the standings and on the event screen, and is saved; the next run loads
// him in that league and quits it, which autosaves.
TEST(CareerWeekTest, ALeagueJoinedAndQuitFromTheStandingsIsSavedWithTheCareer) {
    // To the hub as above; the league entry (two down) and A on its standings: Yes
    // to quitting, A on the first league, Yes to joining; the standings again and B;
    // the event screen and B; the career left and saved into the first slot.
    SettledKeys keys(
        "daa2raraaa"
        "ddaaaaa"
        "ddab"
        "ab"
        "baalaa");
    std::vector<eLeagues> standings, events;
    auto watch = [&] {
        const eScreen_List screen = g_ScreenTracker.m_CurrScreen;
        std::vector<eLeagues>* seen = screen == eScreen_List_League_Standings     ? &standings
                                      : screen == eScreen_List_Career_EventSelect ? &events
                                                                                  : nullptr;
        if (seen != nullptr && (seen->empty() || seen->back() != pLeagueManager->GetLeagueType()))
            seen->push_back(pLeagueManager->GetLeagueType());
    };
    s32 eventShown = -1;
    RunShell(kBootToMainMenu, 30000, [&] {
        if (VIGetRetraceCount() < 1300)
            return false;
        watch();
        if (g_ScreenTracker.m_CurrScreen == eScreen_List_Career_EventSelect)
            eventShown = pEventManager->GetCurrentEventNum();
        keys.Step();
        return keys.done() && AtMainMenu();
    });
    ASSERT_TRUE(keys.done());
    ASSERT_TRUE(AtMainMenu());
    EXPECT_EQ(standings, (std::vector<eLeagues>{AMATEUR_L2, AMATEUR_L1}));
    EXPECT_EQ(events, std::vector<eLeagues>{AMATEUR_L1});
    EXPECT_EQ(eventShown, 0) << "the new league's first week";

    // Career, Load Career, the first slot; the league entry, A, Yes to quitting, B.
    constexpr s32 kAutosave = 15;
    SettledKeys quit(
        "dadaa"
        "ddaaab");
    eLeagues loaded = NOLEAGUE;
    bool autosaved = false;
    RunShell(
        kBootToMainMenu, 20000,
        [&] {
            if (VIGetRetraceCount() < 1300)
                return false;
            if (loaded == NOLEAGUE && g_ScreenTracker.m_CurrScreen == eScreen_List_Career_MainMenu)
                loaded = pLeagueManager->GetLeagueType();
            autosaved |= g_MainFlow.state.m_value[2] == kAutosave;
            quit.Step();
            return quit.done() && g_ScreenTracker.m_CurrScreen == eScreen_List_Career_MainMenu;
        },
        true);
    EXPECT_EQ(loaded, AMATEUR_L1);
    ASSERT_TRUE(quit.done());
    EXPECT_TRUE(autosaved);
}

// Plays the career from its hub as a player who simulates every event up to the
// first tournament, enters it and bowls its rounds: each key once the flows have
// stayed put for a while, chosen by the career flow's state.
class TournamentPlayer {
public:
    static constexpr s32 kHub = 22, kSimulate = 27, kEventOpen = 51, kEvent = 52;

    void Step() {
        const s32 at = g_MainFlow.state.m_value[2];
        if (at != state_) {
            if (at == kEvent && state_ == kEventOpen)
                cursor_ = 0;  // the event select opens on Play
            state_ = at;
            presses_ = 0;
            waited_ = 0;
        }
        if (++waited_ % kSettle != 0)
            return;
        const bool tournament =
            pEventManager != nullptr && pEventManager->m_CurrentEventType == eEventType_Tournament;
        char key = 'a';
        if (at == kEvent && cursor_ != (tournament ? 0 : 1)) {
            key = tournament ? 'u' : 'd';
            cursor_ = tournament ? 0 : 1;
        } else if (at == kSimulate && presses_ == 0) {
            key = 'l';  // to Yes
        }
        ++presses_;
        ScriptFromNow(ScriptPress(key));
    }

private:
    s32 state_ = -1, cursor_ = 0, presses_ = 0, waited_ = 0;
};

// A new career simulates its first weeks (declining the rivals' challenges) up to
// its first tournament, pays the entry once, bowls the first round and, out of it
// off the podium, is back at the hub with the tournament over.
TEST(CareerWeekTest, ATournamentEnteredAndBowledAfterSimulatedWeeks) {
    if (kSanitized)
        GTEST_SKIP() << "the Release run bowls it";
    constexpr s32 kLevel = 19, kTournament = 57;
    SettledKeys toHub("daa2raraaa");
    TournamentPlayer career;
    LevelPlayer player;
    s32 tournamentEvent = -1, event = -1;
    u32 moneyBefore = 0, moneyInside = 0, moneyAfter = 0, place = 0, gamesOver = 0, buyIn = 0;
    bool entered = false;
    RunShell(kBootToMainMenu, 60000, [&] {
        if (VIGetRetraceCount() < 1300)
            return false;
        const State& flow = g_MainFlow.state;
        if (flow.m_value[0] == kLevel) {
            if (player.Step() && player.lane() == LANE_STATE_GAME_OVER)
                ++gamesOver;
            return false;
        }
        if (!toHub.done()) {
            toHub.Step();
            return false;
        }
        const u32 money = CCareerCharacter::GetInstance()->GetMoney();
        if (!entered && pEventManager->m_CurrentEventType == eEventType_Tournament) {
            tournamentEvent = pEventManager->GetCurrentEventNum();
            buyIn = pEventManager->GetEvent()->m_Tourn.BuyIn;
            moneyBefore = money;
        }
        if (flow.m_value[2] == kTournament) {
            entered = true;
            moneyInside = money;
        }
        if (entered && gamesOver > 0 && flow.m_value[2] == TournamentPlayer::kHub) {
            moneyAfter = money;
            place = pLeagueManager->GetLeague()->m_PlayerTournamentPlace;
            event = pEventManager->GetCurrentEventNum();
            return true;
        }
        career.Step();
        return false;
    });
    ASSERT_TRUE(entered);
    EXPECT_EQ(gamesOver, 1u);
    EXPECT_GT(buyIn, 0u);
    EXPECT_EQ(moneyInside, moneyBefore - buyIn);
    EXPECT_EQ(event, tournamentEvent + 1) << "the tournament is over";
    EXPECT_GT(place, 3u) << "out in the first round";
    EXPECT_GE(moneyAfter, moneyInside) << "no second fee";
}

}  // namespace
