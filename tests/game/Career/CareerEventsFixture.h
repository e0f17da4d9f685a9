// The career tests' league and season set-up: the small test database, a new
// career in slot 0, fresh league and event managers and a fixed random seed.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/OrbRandom.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Career/SaveData.h"
#include "source/Career/TrophyMgr.h"
#include "source/Physics/Scoreboard.h"
#include "tests/game/Career/TestBowlingDb.h"

// Installs the small database as the fixture is built: the managers below read its
// tables as they are constructed, and those left by an earlier test may be freed.
struct TestBowlingDbInstalled {
    TestBowlingDbInstalled() { InstallTestBowlingDb(); }
};

class CareerEventsTest : public ::testing::Test {
public:
    // Makes the week's own record of week `week` (1..9) of an amateur season a
    // different tournament.
    static void SetWeekRecord(eLeagues league, eSeason season, u32 week, s32 tournamentId) {
        const u32 counts[] = {BeginnerLeagueSeasonCount, IntermediateLeagueSeasonCount,
                              AdvancedLeagueSeasonCount, ExpertLeagueSeasonCount};
        u32 start = 0;
        for (u32 l = AMATEUR_L1; l < league; ++l)
            start += counts[l - 1];
        LeagueSeasonList[start + week - 1 + AMATEUR_SEASON_WEEKS * season].TournID = tournamentId;
    }

protected:
    void SetUp() override {
        CCareerCharacter::CreateInstance();
        career = CCareerCharacter::GetInstance();
        career->SetCurrSlot(0);
        career->SetName("TESTER");
        career->Init();
        pLeagueManager = &leagues;
        pEventManager = &events;
        g_TrophyMgr = CTrophyMgr{};
        OrbSRand(1234);
    }
    void TearDown() override {
        pLeagueManager = nullptr;
        pEventManager = nullptr;
        CCareerCharacter::DestroyInstance();
        RemoveTestBowlingDb();
    }

    CLeague& League() { return *leagues.GetLeague(); }
    const s_PlaceBowler& Player() { return *League().GetBowlerByID(PLAYER_BOWLER_ID); }

    // Simulates events until event `n` is the current one.
    void SimulateTo(s32 n) {
        for (int guard = 0; events.GetCurrentEventNum() < n && guard < 1000; ++guard)
            events.SimulateEvent();
        ASSERT_EQ(events.GetCurrentEventNum(), n);
    }

    void SetReputation(s32 reputation) {
        career->m_RepChange = 0;
        career->ChangeReputation(reputation - career->GetReputation());
        career->ApplySkillPoints();
        ASSERT_EQ(career->GetReputation(), reputation);
        career->m_RepChange = 0;
    }

    // The event record as the save file holds it.
    std::vector<u8> Record() {
        std::vector<u8> bytes(SAVE_EVENTS_SECTION_SIZE, 0);
        SaveWriter out(bytes.data(), u32(bytes.size()));
        EventRecordSave(out);
        EXPECT_TRUE(out.Ok());
        return bytes;
    }

    TestBowlingDbInstalled db;
    CLeagueManager leagues;
    EventManager events;
    CCareerCharacter* career = nullptr;
};

// A scoreboard where the career bowler (player 0) and the opponent (player 1) bowl
// the given games.
inline CScoreboard Scores(const std::vector<u32>& player, const std::vector<u32>& opponent) {
    CScoreboard board;
    board.Reset();
    for (u32 pins : player)
        board.AddThrow(0, pins);
    for (u32 pins : opponent)
        board.AddThrow(1, pins);
    return board;
}

inline std::vector<u32> PerfectGame() {
    return std::vector<u32>(12, 10);
}

// Nine and a miss in every frame: 90.
inline std::vector<u32> NinetyGame() {
    std::vector<u32> pins;
    for (int f = 0; f < 10; ++f)
        pins.insert(pins.end(), {9, 0});
    return pins;
}
