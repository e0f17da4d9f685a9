#include "tests/game/Career/TestBowlingDb.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "source/Career/CareerTypes.h"

using namespace testdb;

namespace {

constexpr s_DBItemBonus NO_BONUS = {DB_ATTRIB_NONE, 0};

constexpr s_DBItem ITEMS[ITEM_COUNT] = {
    {"House Ball", "A chipped house ball", 1, 0, 0, 0, 0, EQUIP_TYPE_BALL, 0, {NO_BONUS, NO_BONUS}},
    {"Spare Maker",
     "Goes straight",
     1,
     1,
     1,
     1,
     120,
     EQUIP_TYPE_BALL,
     0,
     {{DB_ATTRIB_ACCURACY, 5}, NO_BONUS}},
    {"Hook Monster",
     "Big hook",
     1,
     2,
     2,
     2,
     250,
     EQUIP_TYPE_BALL,
     0,
     {{DB_ATTRIB_HOOK_CONTROL, 10}, {DB_ATTRIB_ARM_STRENGTH, 3}}},
    {"Thunder", "Heavy hitter", 1, 3, 3, 3, 400, EQUIP_TYPE_BALL, 0, {{DB_ATTRIB_ARM_STRENGTH, 8}, NO_BONUS}},
    {"Pro Pearl",
     "For the pros",
     1,
     4,
     4,
     4,
     900,
     EQUIP_TYPE_BALL,
     0,
     {{DB_ATTRIB_HOOK_CONTROL, 15}, {DB_ATTRIB_ACCURACY, 5}}},
    {"Red Shirt", "A red shirt", 1, 5, 1, 0, 40, EQUIP_TYPE_SHIRT, 0, {{DB_ATTRIB_REPUTATION, 2}, NO_BONUS}},
    {"Blue Shirt", "A blue shirt", 1, 6, 2, 1, 60, EQUIP_TYPE_SHIRT, 0, {{DB_ATTRIB_STAMINA, 4}, NO_BONUS}},
    {"Pink Blouse",
     "A pink blouse",
     0,
     7,
     1,
     0,
     40,
     EQUIP_TYPE_SHIRT,
     0,
     {{DB_ATTRIB_REPUTATION, 2}, NO_BONUS}},
    {"Green Blouse",
     "A green blouse",
     0,
     8,
     2,
     1,
     60,
     EQUIP_TYPE_SHIRT,
     0,
     {{DB_ATTRIB_STAMINA, 4}, NO_BONUS}},
    {"Loafers", "Men's loafers", 1, 9, 1, 0, 30, EQUIP_TYPE_SHOES, 0, {{DB_ATTRIB_ACCURACY, 2}, NO_BONUS}},
    {"Sliders", "Men's sliders", 1, 10, 2, 0, 80, EQUIP_TYPE_SHOES, 0, {{DB_ATTRIB_ACCURACY, 6}, NO_BONUS}},
    {"Pumps", "Women's shoes", 0, 11, 1, 0, 30, EQUIP_TYPE_SHOES, 0, {{DB_ATTRIB_ACCURACY, 2}, NO_BONUS}},
    {"Glides", "Women's sliders", 0, 12, 2, 0, 80, EQUIP_TYPE_SHOES, 0, {{DB_ATTRIB_ACCURACY, 6}, NO_BONUS}},
    {"Wrist Brace",
     "Steadies the wrist",
     1,
     13,
     1,
     0,
     50,
     EQUIP_TYPE_ACC,
     0,
     {{DB_ATTRIB_HOOK_CONTROL, 4}, NO_BONUS}},
    {"Power Glove",
     "More power",
     1,
     14,
     2,
     0,
     150,
     EQUIP_TYPE_ACC,
     0,
     {{DB_ATTRIB_ARM_STRENGTH, 5}, NO_BONUS}},
    {"Wrist Wrap",
     "Steadies the wrist",
     0,
     15,
     1,
     0,
     50,
     EQUIP_TYPE_ACC,
     0,
     {{DB_ATTRIB_HOOK_CONTROL, 4}, NO_BONUS}},
    {"Grip Glove", "More grip", 0, 16, 2, 0, 150, EQUIP_TYPE_ACC, 0, {{DB_ATTRIB_ARM_STRENGTH, 5}, NO_BONUS}},
    {"Cap", "A cap", 1, 17, 1, 0, 20, EQUIP_TYPE_HAT, 0, {{DB_ATTRIB_REPUTATION, 1}, NO_BONUS}},
    {"Fedora", "A fedora", 1, 18, 2, 0, 70, EQUIP_TYPE_HAT, 0, {{DB_ATTRIB_REPUTATION, 5}, NO_BONUS}},
    {"Visor", "A visor", 0, 19, 1, 0, 20, EQUIP_TYPE_HAT, 0, {{DB_ATTRIB_REPUTATION, 1}, NO_BONUS}},
    {"Beret", "A beret", 0, 20, 2, 0, 70, EQUIP_TYPE_HAT, 0, {{DB_ATTRIB_REPUTATION, 5}, NO_BONUS}},
    {"Shades", "Dark glasses", 1, 21, 1, 0, 25, EQUIP_TYPE_GLASSES, 0, {{DB_ATTRIB_ACCURACY, 1}, NO_BONUS}},
    {"Goggles",
     "Sports goggles",
     1,
     22,
     2,
     0,
     90,
     EQUIP_TYPE_GLASSES,
     0,
     {{DB_ATTRIB_ACCURACY, 3}, {DB_ATTRIB_REPUTATION, -2}}},
    {"Cat Eyes",
     "Cat-eye glasses",
     0,
     23,
     1,
     0,
     25,
     EQUIP_TYPE_GLASSES,
     0,
     {{DB_ATTRIB_ACCURACY, 1}, NO_BONUS}},
    {"Round Rims",
     "Round glasses",
     0,
     24,
     2,
     0,
     90,
     EQUIP_TYPE_GLASSES,
     0,
     {{DB_ATTRIB_ACCURACY, 3}, {DB_ATTRIB_REPUTATION, -2}}},
};

constexpr s_DBBallInfo BallInfo(const char* finish, const char* cover, const char* core, const char* oil,
                                f64 friction) {
    return {finish, cover, core, oil, friction, 2.5, 20, 3, 5};
}

constexpr s_DBAppearance LOOK_MALE = {0, 1, 2, 1, -1, 0, -1, -1, 0, 3, 1, 1};
constexpr s_DBAppearance LOOK_FEMALE = {1, 2, 1, 3, -1, 0, -1, -1, 1, 2, 0, 1};

constexpr s_DBBowler Bowler(s32 id, const char* first, const char* last, u8 skill, u32 average, u32 league,
                            bool female) {
    return {id,
            first,
            last,
            u8(id % 2),
            skill,
            skill,
            skill,
            skill,
            female ? 1u : 0u,
            female ? LOOK_FEMALE : LOOK_MALE,
            s32(1 + id % 4),
            s32(1 + (id + 1) % 4),
            average,
            league};
}

constexpr s_DBBowler BOWLERS[BOWLER_COUNT] = {
    Bowler(1, "Al", "Able", 20, 120, AMATEUR_L1, false),
    Bowler(2, "Bea", "Baker", 25, 130, AMATEUR_L1, true),
    Bowler(3, "Cy", "Cole", 35, 150, AMATEUR_L2, false),
    Bowler(4, "Di", "Dunn", 40, 160, AMATEUR_L2, true),
    Bowler(5, "Ed", "Eck", 38, 155, AMATEUR_L2, false),
    Bowler(6, "Fay", "Fox", 50, 175, AMATEUR_L3, true),
    Bowler(7, "Gus", "Gray", 55, 180, AMATEUR_L3, false),
    Bowler(8, "Hal", "Hunt", 52, 178, AMATEUR_L3, false),
    Bowler(9, "Ivy", "Ince", 65, 195, AMATEUR_L4, true),
    Bowler(10, "Jo", "Judd", 68, 200, AMATEUR_L4, false),
    Bowler(11, "Kit", "King", 80, 220, PRO_L1, false),
    Bowler(12, "Lu", "Lane", 85, 225, PRO_L1, true),
};

constexpr s_DBRival RIVALS[RIVAL_COUNT] = {{3, 5, 3}, {4, 8, 4}};

constexpr s_TournamentDef TOURNAMENTS[] = {
    {LEAGUE_NIGHT_ID, "League Night", 20, 0, 0, 100, 50, 25, 0, 0},
    {COUNTY_CLASSIC_ID, "County Classic", 5, 50, 1000, 500, 300, 200, 10, 150},
    {NAMED_TOURNAMENT_A_ID, "Masters Open", 11, 200, 5000, 2500, 1500, 1000, 40, 190},
    {NAMED_TOURNAMENT_B_ID, "Grand Championship", 19, 500, 20000, 10000, 6000, 4000, 60, 210},
};

constexpr s_AmateurLeagueDef LEAGUES[] = {
    {"Beginner League", 50, 0, 140, 0, 10},     {"Intermediate League", 100, 130, 170, 5, 25},
    {"Advanced League", 200, 160, 190, 20, 45}, {"Expert League", 400, 185, 210, 40, 70},
    {"Pro League", 1000, 200, 300, 60, 100},
};

constexpr u32 AMATEUR_BLOCK = AMATEUR_WEEKS * AMATEUR_SEASONS;
constexpr u32 SEASON_ROWS = 4 * AMATEUR_BLOCK + PRO_WEEKS;

// Week 9 of every amateur season is the county classic, other weeks league nights;
// the pro season has the named tournaments at weeks 6 and 18 and the classic at 12.
constexpr std::array<s_LeagueSeasonDef, SEASON_ROWS> MakeSeasons() {
    std::array<s_LeagueSeasonDef, SEASON_ROWS> rows{};
    for (u32 i = 0; i < 4 * AMATEUR_BLOCK; ++i)
        rows[i].TournID = (i % AMATEUR_WEEKS == AMATEUR_WEEKS - 1) ? COUNTY_CLASSIC_ID : LEAGUE_NIGHT_ID;
    for (u32 w = 0; w < PRO_WEEKS; ++w) {
        s32 id = LEAGUE_NIGHT_ID;
        if (w == 5)
            id = NAMED_TOURNAMENT_A_ID;
        else if (w == 11)
            id = COUNTY_CLASSIC_ID;
        else if (w == 17)
            id = NAMED_TOURNAMENT_B_ID;
        rows[4 * AMATEUR_BLOCK + w].TournID = id;
    }
    return rows;
}
constexpr std::array<s_LeagueSeasonDef, SEASON_ROWS> SEASONS = MakeSeasons();

// A house shot: 38 feet, heavier in the middle boards, tapering over the last 8 feet.
s_DBOilPattern MakeOilPattern() {
    s_DBOilPattern p{};
    p.m_ID = 1;
    p.m_PatternName = "House Shot";
    const char* tip = "Play the middle";
    for (const char** t : {&p.m_AmateurCranker, &p.m_AmateurTweener, &p.m_AmateurStraight, &p.m_ProCranker,
                           &p.m_ProTweener, &p.m_ProStraight, &p.m_AmateurCranker2, &p.m_AmateurTweener2,
                           &p.m_AmateurStraight2, &p.m_ProCranker2, &p.m_ProTweener2, &p.m_ProStraight2})
        *t = tip;
    p.m_Length = 38.0f;
    for (u32 r = 0; r < DB_OIL_ROWS; ++r) {
        f32 f = f32(r) + 0.5f;
        f32 factor = f >= p.m_Length ? 0.0f : (f < p.m_Length - 8.0f ? 1.0f : (p.m_Length - f) / 8.0f);
        for (u32 b = 0; b < DB_OIL_BOARDS; ++b) {
            f32 v = (b < 3 || b > 35) ? 0.0f : (b >= 14 && b <= 24 ? 4096.0f : 2048.0f);
            p.m_Grid[r][b] = u16(v * factor + 0.5f);
        }
    }
    return p;
}

// The mutable copies the globals point at.
s_DBItem g_Items[ITEM_COUNT];
s_DBBallInfo g_BallInfos[DB_ITEM_COUNT];
s_DBBowler g_Bowlers[BOWLER_COUNT];
s_DBRival g_Rivals[RIVAL_COUNT];
s_TournamentDef g_Tournaments[std::size(TOURNAMENTS)];
s_LeagueSeasonDef g_Seasons[SEASON_ROWS];
s_AmateurLeagueDef g_Leagues[std::size(LEAGUES)];
s_DBOilPattern g_OilPattern;

struct SavedTables {
    s_DBItem* items;
    u32 itemCount;
    s_DBBallInfo* ballInfos;
    u32 counts[7];
    s_DBBowler* bowlers;
    u32 bowlerCount;
    s_DBRival* rivals;
    u32 rivalCount;
    s_TournamentDef* tournaments;
    u32 tournamentCount;
    s_LeagueSeasonDef* seasons;
    u32 seasonCounts[5];
    s_AmateurLeagueDef* leagues;
    u32 leagueCount;
    s_DBOilPattern* oil;
    u32 oilCount;
};
SavedTables g_Saved;
bool g_Installed = false;

}  // namespace

void InstallTestBowlingDb() {
    if (!g_Installed) {
        // A database an earlier test loaded lived in that test's heap: what is given
        // back afterwards must not point there.
        BowlingDbForget();
        g_Saved = {ItemsList,
                   uDBItemCount,
                   BallInfosList,
                   {uDBBallCount, uDBMShirtCount, uDBFShirtCount, uDBMShoesCount, uDBFShoesCount,
                    uDBMAccCount, uDBFAccCount},
                   bowlersList,
                   uDBBowlerCount,
                   RivalList,
                   RivalCount,
                   TournamentList,
                   TournamentCount,
                   LeagueSeasonList,
                   {BeginnerLeagueSeasonCount, IntermediateLeagueSeasonCount, AdvancedLeagueSeasonCount,
                    ExpertLeagueSeasonCount, ProLeagueSeasonCount},
                   AmateurLeagueList,
                   AmateurLeagueCount,
                   dbOilPatternList,
                   uDBOilPatternCount};
        g_Installed = true;
    }
    std::copy(std::begin(ITEMS), std::end(ITEMS), g_Items);
    std::fill(std::begin(g_BallInfos), std::end(g_BallInfos), s_DBBallInfo{});
    g_BallInfos[HOUSE_BALL] = BallInfo("Dull", "Plastic", "Pancake", "Dry", 0.04);
    g_BallInfos[1] = BallInfo("Polished", "Plastic", "Pancake", "Light", 0.05);
    g_BallInfos[2] = BallInfo("Sanded", "Reactive", "Asymmetric", "Heavy", 0.09);
    g_BallInfos[3] = BallInfo("Polished", "Urethane", "Symmetric", "Medium", 0.07);
    g_BallInfos[4] = BallInfo("Pearl", "Reactive", "Asymmetric", "Heavy", 0.10);
    std::copy(std::begin(BOWLERS), std::end(BOWLERS), g_Bowlers);
    std::copy(std::begin(RIVALS), std::end(RIVALS), g_Rivals);
    std::copy(std::begin(TOURNAMENTS), std::end(TOURNAMENTS), g_Tournaments);
    std::copy(SEASONS.begin(), SEASONS.end(), g_Seasons);
    std::copy(std::begin(LEAGUES), std::end(LEAGUES), g_Leagues);
    g_OilPattern = MakeOilPattern();

    ItemsList = g_Items;
    uDBItemCount = ITEM_COUNT;
    BallInfosList = g_BallInfos;
    uDBBallCount = BALL_LAST + 1;
    uDBMShirtCount = uDBFShirtCount = 2;
    uDBMShoesCount = uDBFShoesCount = 2;
    uDBMAccCount = uDBFAccCount = 6;
    bowlersList = g_Bowlers;
    uDBBowlerCount = BOWLER_COUNT;
    RivalList = g_Rivals;
    RivalCount = RIVAL_COUNT;
    TournamentList = g_Tournaments;
    TournamentCount = u32(std::size(g_Tournaments));
    LeagueSeasonList = g_Seasons;
    BeginnerLeagueSeasonCount = IntermediateLeagueSeasonCount = AdvancedLeagueSeasonCount =
        ExpertLeagueSeasonCount = AMATEUR_BLOCK;
    ProLeagueSeasonCount = PRO_WEEKS;
    AmateurLeagueList = g_Leagues;
    AmateurLeagueCount = u32(std::size(g_Leagues));
    dbOilPatternList = &g_OilPattern;
    uDBOilPatternCount = 1;
}

void RemoveTestBowlingDb() {
    if (!g_Installed)
        return;
    const SavedTables& s = g_Saved;
    ItemsList = s.items;
    uDBItemCount = s.itemCount;
    BallInfosList = s.ballInfos;
    uDBBallCount = s.counts[0];
    uDBMShirtCount = s.counts[1];
    uDBFShirtCount = s.counts[2];
    uDBMShoesCount = s.counts[3];
    uDBFShoesCount = s.counts[4];
    uDBMAccCount = s.counts[5];
    uDBFAccCount = s.counts[6];
    bowlersList = s.bowlers;
    uDBBowlerCount = s.bowlerCount;
    RivalList = s.rivals;
    RivalCount = s.rivalCount;
    TournamentList = s.tournaments;
    TournamentCount = s.tournamentCount;
    LeagueSeasonList = s.seasons;
    BeginnerLeagueSeasonCount = s.seasonCounts[0];
    IntermediateLeagueSeasonCount = s.seasonCounts[1];
    AdvancedLeagueSeasonCount = s.seasonCounts[2];
    ExpertLeagueSeasonCount = s.seasonCounts[3];
    ProLeagueSeasonCount = s.seasonCounts[4];
    AmateurLeagueList = s.leagues;
    AmateurLeagueCount = s.leagueCount;
    dbOilPatternList = s.oil;
    uDBOilPatternCount = s.oilCount;
    g_Installed = false;
}
