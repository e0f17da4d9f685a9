// The trophy manager: the cursor over the current slot's trophies, clearing them,
// and the trophies a reported podium place adds.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "source/Career/CareerCharacter.h"
#include "source/Career/TrophyMgr.h"
#include "tests/support/GameFixture.h"

namespace {

class TrophyMgrTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        CCareerCharacter::CreateInstance();
        CCareerCharacter::GetInstance()->SetCurrSlot(0);
        g_TrophyMgr.ClearTrophies(Trophies());
    }
    void TearDown() override {
        CCareerCharacter::DestroyInstance();
        GameFixture::TearDown();
    }

    static s_TrophyInfo* Trophies() { return CCareerCharacter::GetInstance()->GetStats().TrophyProgress; }

    // Trophies told apart by their week.
    static void GiveTrophies(u32 count) {
        for (u32 i = 0; i < count; ++i)
            Trophies()[i] = {eSeason_Winter, AMATEUR_L1, 1, 0, i + 1};
    }

    static s_TrophyEventResult Podium(u32 place) {
        return {eEventType_Tournament, place, 12, eSeason_Summer, AMATEUR_L3, 4};
    }

    static std::vector<u32> Walk(s_TrophyInfo (CTrophyMgr::*step)(), u32 steps) {
        std::vector<u32> weeks;
        for (u32 i = 0; i < steps; ++i)
            weeks.push_back((g_TrophyMgr.*step)().weekNum);
        return weeks;
    }
};

TEST_F(TrophyMgrTest, TheCursorWrapsOverNoneOneOrSeveralTrophies) {
    struct Case {
        u32 trophies;
        std::vector<u32> next, previous;  // the weeks landed on, from the first trophy
    };
    const Case cases[] = {
        {0, {0, 0}, {0, 0}},
        {1, {1, 1}, {1, 1}},
        {3, {2, 3, 1, 2}, {3, 2, 1, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trophies);
        g_TrophyMgr.ClearTrophies(Trophies());
        GiveTrophies(c.trophies);
        EXPECT_EQ(g_TrophyMgr.GetNumTrophies(), c.trophies);
        EXPECT_EQ(Walk(&CTrophyMgr::GetNextTrophy, u32(c.next.size())), c.next);
        g_TrophyMgr.m_nCurrTrophyIndex = 0;
        EXPECT_EQ(Walk(&CTrophyMgr::GetPreviousTrophy, u32(c.previous.size())), c.previous);
        EXPECT_GE(g_TrophyMgr.m_nCurrTrophyIndex, 0);
        EXPECT_EQ(g_TrophyMgr.GetCurrTrophy().place, c.trophies == 0 ? 0u : 1u);
    }
}

TEST_F(TrophyMgrTest, AStaleCursorComesBackToTheFirstAndClearingResetsIt) {
    GiveTrophies(2);
    for (s32 stale : {2, 31, -1}) {
        g_TrophyMgr.m_nCurrTrophyIndex = stale;
        EXPECT_EQ(g_TrophyMgr.GetCurrTrophy().weekNum, 1u) << stale;
    }
    g_TrophyMgr.GetNextTrophy();
    g_TrophyMgr.ClearTrophies(Trophies());
    EXPECT_EQ(g_TrophyMgr.m_nCurrTrophyIndex, 0);
    EXPECT_EQ(g_TrophyMgr.GetNumTrophies(), 0u);
    g_TrophyMgr.ClearTrophies(nullptr);
}

TEST_F(TrophyMgrTest, APodiumPlaceInATournamentAddsATrophy) {
    struct Case {
        s_TrophyEventResult result;
        bool awarded;
        u32 trophyIndex;
    };
    const Case cases[] = {
        {Podium(1), true, 0},
        {Podium(3), true, 2},
        {{eEventType_Tournament, 2, 35, eSeason_Pro, PRO_L1, 7}, true, 7},
        {Podium(4), false, 0},
        {Podium(0), false, 0},
        {{eEventType_LeagueNight, 1, 1, eSeason_Winter, AMATEUR_L2, 2}, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.result.eventType << " place " << c.result.place
                                        << " id " << c.result.tournamentID);
        g_TrophyMgr.ClearTrophies(Trophies());
        g_TrophyMgr.SetEventResult(c.result);
        g_TrophyMgr.UpdateTrophies();
        ASSERT_EQ(g_TrophyMgr.GetNumTrophies(), c.awarded ? 1u : 0u);
        if (!c.awarded)
            continue;
        const s_TrophyInfo trophy = g_TrophyMgr.GetCurrTrophy();
        const s_TrophyInfo expected = {c.result.season, c.result.league, c.result.place, c.trophyIndex,
                                       c.result.weekNum};
        EXPECT_EQ(std::memcmp(&trophy, &expected, sizeof(trophy)), 0);
    }
}

TEST_F(TrophyMgrTest, AReportIsAwardedOnceAfterTheTrophiesAlreadyWon) {
    GiveTrophies(2);
    g_TrophyMgr.UpdateTrophies();  // nothing reported
    EXPECT_EQ(g_TrophyMgr.GetNumTrophies(), 2u);
    g_TrophyMgr.SetEventResult(Podium(2));
    g_TrophyMgr.UpdateTrophies();
    g_TrophyMgr.UpdateTrophies();  // the next game of the night
    EXPECT_EQ(g_TrophyMgr.GetNumTrophies(), 3u);
    EXPECT_EQ(Trophies()[1].weekNum, 2u);
    EXPECT_EQ(Trophies()[2].place, 2u);
}

TEST_F(TrophyMgrTest, AFullListTakesNoMore) {
    GiveTrophies(CAREER_TROPHY_COUNT);
    g_TrophyMgr.SetEventResult(Podium(1));
    g_TrophyMgr.UpdateTrophies();
    EXPECT_EQ(g_TrophyMgr.GetNumTrophies(), CAREER_TROPHY_COUNT);
    EXPECT_EQ(Trophies()[CAREER_TROPHY_COUNT - 1].weekNum, CAREER_TROPHY_COUNT);
}

TEST_F(TrophyMgrTest, WithoutACareerSlotThereAreNoTrophies) {
    GiveTrophies(3);
    CCareerCharacter::GetInstance()->SetCurrSlot(CAREER_SLOT_INVALID);
    g_TrophyMgr.SetEventResult(Podium(1));
    g_TrophyMgr.UpdateTrophies();
    EXPECT_EQ(g_TrophyMgr.GetNumTrophies(), 0u);
    EXPECT_EQ(g_TrophyMgr.GetNextTrophy().place, 0u);
    CCareerCharacter::GetInstance()->SetCurrSlot(0);
    EXPECT_EQ(g_TrophyMgr.GetNumTrophies(), 3u);
}

}  // namespace
