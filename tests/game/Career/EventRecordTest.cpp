#include <cstring>

#include "tests/game/Career/CareerEventsFixture.h"

namespace {

using namespace testdb;
using EventRecordTest = CareerEventsTest;

bool Load(const std::vector<u8>& bytes, u32 size) {
    ChunkCursor in(ChunkReader(bytes.data(), size));
    return EventRecordLoad(in);
}

// In the middle of a tournament: standings, the ladder and a round under way.
void IntoATournament(EventManager& events) {
    CareerEventsTest::SetWeekRecord(AMATEUR_L2, eSeason_Winter, 1, COUNTY_CLASSIC_ID);
    events.InitSeason(AMATEUR_L2, eSeason_Winter);
    while (events.GetCurrentEventNum() < 2)
        events.SimulateEvent();
    CScoreboard win = Scores(PerfectGame(), NinetyGame());
    events.PostGameUpdate(&win);
}

// Field offsets of the record.
constexpr u32 VERSION = 0;
constexpr u32 LEAGUE = 1;
constexpr u32 SEASON = 2;
constexpr u32 EVENT = 3;
constexpr u32 ROUND = 4;
constexpr u32 BOWLER_COUNT_AT = 32;
constexpr u32 FIRST_STANDING = 33;
constexpr u32 STANDING_SIZE = 38;
constexpr u32 PLACE_IN_STANDING = 2 + 5 * 4;
// With the test league's four bowlers.
constexpr u32 LADDER = FIRST_STANDING + 4 * STANDING_SIZE;
constexpr u32 ENTRY_PAID = LADDER + 2 * TOURNAMENT_PLACES;

TEST_F(EventRecordTest, RoundTripRestoresLeagueSeasonAndLadder) {
    IntoATournament(events);
    ASSERT_EQ(events.m_CurrentRound, 1);
    career->ChangeMoney(100);
    ASSERT_TRUE(events.PayEntry());
    const u32 money = career->GetMoney();
    const std::vector<u8> saved = Record();
    const s16 opponent = events.GetOpponentID();
    const u32 average = Player().TotalAverageScore;

    events.InitSeason(AMATEUR_L4, eSeason_Summer);
    ASSERT_NE(Record(), saved);
    ASSERT_TRUE(Load(saved, u32(saved.size())));
    EXPECT_EQ(Record(), saved);
    EXPECT_EQ(leagues.GetLeagueType(), AMATEUR_L2);
    EXPECT_EQ(events.m_CurrentEventType, eEventType_Tournament);
    EXPECT_EQ(events.GetOpponentID(), opponent);
    EXPECT_EQ(Player().TotalAverageScore, average);
    EXPECT_TRUE(events.PayEntry());
    EXPECT_EQ(career->GetMoney(), money) << "a paid fee is not asked again after a reload";

    // A record from before the fee was kept loads with the fee unpaid.
    std::vector<u8> first = saved;
    first[VERSION] = 1;
    first[ENTRY_PAID] = 0;
    ASSERT_TRUE(Load(first, u32(first.size())));
    EXPECT_TRUE(events.PayEntry());
    EXPECT_EQ(career->GetMoney(), money - 50);

    // The restored tournament plays on to its end.
    CScoreboard win = Scores(PerfectGame(), NinetyGame());
    while (events.GetCurrentEventNum() == 2)
        events.PostGameUpdate(&win);
    EXPECT_EQ(League().m_PlayerTournamentPlace, 1u);
}

TEST_F(EventRecordTest, AFullLeagueFitsItsSection) {
    static s_DBBowler many[24];
    for (u32 i = 0; i < 24; ++i) {
        many[i] = bowlersList[0];
        many[i].m_ID = s32(100 + i);
    }
    bowlersList = many;
    uDBBowlerCount = 24;
    events.InitSeason(AMATEUR_L1, eSeason_Winter);
    EXPECT_EQ(League().GetNumberOfBowlers(), LEAGUE_MAX_BOWLERS);
    const std::vector<u8> saved = Record();
    EXPECT_TRUE(Load(saved, u32(saved.size())));
    RemoveTestBowlingDb();
    InstallTestBowlingDb();
}

struct Damage {
    const char* name;
    void (*apply)(std::vector<u8>&);
};

TEST_F(EventRecordTest, DamagedRecordsAreRefusedAndChangeNothing) {
    IntoATournament(events);
    const std::vector<u8> good = Record();
    ASSERT_EQ(good[BOWLER_COUNT_AT], 4) << "the layout these cases poke at";
    const Damage cases[] = {
        {"version", [](std::vector<u8>& b) { b[VERSION] = 3; }},
        {"entry paid not a flag", [](std::vector<u8>& b) { b[ENTRY_PAID] = 2; }},
        {"league", [](std::vector<u8>& b) { b[LEAGUE] = 9; }},
        {"pro season in an amateur league", [](std::vector<u8>& b) { b[SEASON] = eSeason_Pro; }},
        {"event past the season", [](std::vector<u8>& b) { b[EVENT] = 40; }},
        {"round", [](std::vector<u8>& b) { b[ROUND] = TOURNAMENT_ROUNDS; }},
        {"no bowlers", [](std::vector<u8>& b) { b[BOWLER_COUNT_AT] = 0; }},
        {"too many bowlers", [](std::vector<u8>& b) { b[BOWLER_COUNT_AT] = LEAGUE_MAX_BOWLERS + 1; }},
        {"two players",
         [](std::vector<u8>& b) { StoreBE16(&b[FIRST_STANDING + STANDING_SIZE], u16(PLAYER_BOWLER_ID)); }},
        {"place out of range",
         [](std::vector<u8>& b) { StoreBE32(&b[FIRST_STANDING + PLACE_IN_STANDING], 7); }},
        {"average not from the pins", [](std::vector<u8>& b) { StoreBE32(&b[FIRST_STANDING + 2], 299); }},
        {"stranger on the ladder", [](std::vector<u8>& b) { StoreBE16(&b[LADDER + 2], 99); }},
    };
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.name);
        std::vector<u8> bad = good;
        d.apply(bad);
        events.InitSeason(AMATEUR_L3, eSeason_Autumn);
        const std::vector<u8> before = Record();
        EXPECT_FALSE(Load(bad, u32(bad.size())));
        EXPECT_EQ(Record(), before);
    }
    // Cut short anywhere inside the record.
    for (u32 size : {0u, 1u, 20u, FIRST_STANDING + 10, LADDER + 5, ENTRY_PAID}) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(Load(good, size));
    }
    EXPECT_TRUE(Load(good, u32(good.size())));

    pEventManager = nullptr;
    EXPECT_FALSE(Load(good, u32(good.size()))) << "nothing to restore into";
}

}  // namespace
