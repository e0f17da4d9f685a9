// The per-block fix-ups: file records to host records (texts to pointers into the
// image copy, enums and ranges checked, oil grids built, derived counts summed)
// and the checks between tables.
#include <algorithm>
#include <bit>
#include <vector>

#include "source/BowlingDb/BowlingDbInternal.h"
#include "source/BowlingDb/BowlingDbParser.h"

// Inside a block loop with `id` the block and `i` the record.
#define DB_WANT(condition, format, ...) \
    if (!(condition))                   \
    return Fail("%s record %u: " format, DbBlockName(id), i, ##__VA_ARGS__)

namespace {

constexpr u32 kMaxAverage = 300;
constexpr s32 kMaxLevel = 20;

// Reads one block's records in order; a text whose offset or terminator lies
// outside the block's pool reads as "" and marks the reader bad.
class Records {
public:
    Records(const DbBlock& block, const u8* image, const u8* copy)
        : cursor_(block.records), pool_(block.pool), image_(image), copy_(copy) {}

    u32 U() {
        u32 value = 0;
        cursor_.U32(&value);
        return value;
    }
    s32 S() { return s32(U()); }
    f32 F() { return std::bit_cast<f32>(U()); }
    f64 D() {
        const u64 high = U();
        return std::bit_cast<f64>((high << 32) | U());
    }
    s_Vector4 V() {
        s_Vector4 v;
        v.x = F(), v.y = F(), v.z = F(), v.w = F();
        return v;
    }
    const char* Text() {
        const char* text = nullptr;
        if (!pool_.CString(U(), &text)) {
            bad_ = true;
            return "";
        }
        return reinterpret_cast<const char*>(copy_ + (reinterpret_cast<const u8*>(text) - image_));
    }
    // True once a text was bad; checked after each record.
    bool Bad() const { return bad_; }

private:
    ChunkCursor cursor_;
    ChunkReader pool_;
    const u8* image_;
    const u8* copy_;
    bool bad_ = false;
};

// The fields the two bowler lists share; null or the fault.
template <typename Bowler>
const char* ReadBowler(Records& in, Bowler& bowler) {
    bowler.m_ID = in.S();
    bowler.m_FirstName = in.Text();
    bowler.m_LastName = in.Text();
    const u32 hand = in.U();
    u32 skills[4];
    for (u32& skill : skills)
        skill = in.U();
    bowler.m_uGender = in.U();
    s_DBAppearance& look = bowler.m_Look;
    look.m_uGender = bowler.m_uGender;
    look.m_uFaceType = in.U();
    look.m_uHairStyle = in.U();
    look.m_uHairColor = in.U();
    look.m_iFacialHair = in.S();
    look.m_uFacialHairColor = in.U();
    look.m_iGlasses = in.S();
    look.m_iHat = in.S();
    look.m_uShirtType = in.U();
    look.m_uShirtColor = in.U();
    look.m_uPants = in.U();
    look.m_uShoes = in.U();
    if (hand > 1)
        return "m_uHand out of range";
    if (std::any_of(std::begin(skills), std::end(skills), [](u32 skill) { return skill > DB_SKILL_MAX; }))
        return "skill out of range";
    if (bowler.m_uGender > 1)
        return "m_uGender out of range";
    if (look.m_iFacialHair < -1 || look.m_iGlasses < -1 || look.m_iHat < -1)
        return "appearance out of range";
    bowler.m_uHand = u8(hand);
    bowler.m_uStrength = u8(skills[0]);
    bowler.m_uAccuracy = u8(skills[1]);
    bowler.m_uHookControl = u8(skills[2]);
    bowler.m_uStamina = u8(skills[3]);
    return nullptr;
}

// A create-a-bowler list: the men's entries first, each gender in file order.
template <typename Entry>
bool ReadCacList(const DbBlock& block, const u8* image, const u8* copy, Entry* list, u32 counts[2]) {
    std::vector<u32> genders(block.count), offered(block.count);
    Records in(block, image, copy);
    for (u32 i = 0; i < block.count; ++i) {
        genders[i] = in.U();
        offered[i] = in.U();
        if (genders[i] > 1 || offered[i] > 1)
            return false;
        ++counts[genders[i]];
    }
    u32 next[2] = {0, counts[0]};
    for (u32 i = 0; i < block.count; ++i)
        list[next[genders[i]]++].m_bCAConly = offered[i];
    return true;
}

}  // namespace

const s_DBItem* DbParser::ItemOfType(s32 n, u32 type) const {
    if (n < 0 || u32(n) >= DB_ITEM_COUNT || itemAt_[n] < 0)
        return nullptr;
    const s_DBItem* item = &t_.items[itemAt_[n]];
    return item->e_EquipType == type ? item : nullptr;
}

bool DbParser::Items() {
    const u32 id = DB_BLOCK_ITEMS;
    std::fill(std::begin(itemAt_), std::end(itemAt_), -1);
    Records in(blocks_[id], data_, copy_);
    t_.itemCount = blocks_[id].count;
    for (u32 i = 0; i < t_.itemCount; ++i) {
        s_DBItem& item = t_.items[i];
        item.m_Name = in.Text();
        item.m_Description = in.Text();
        item.m_Male = in.U();
        item.m_Index = in.S();
        item.m_TextureID = in.S();
        item.m_SubType = in.S();
        item.m_Price = in.U();
        const u32 type = in.U();
        for (s_DBItemBonus& bonus : item.m_Bonus) {
            bonus.m_Attrib = e_DBAttrib(in.U());
            bonus.m_Amount = in.S();
            DB_WANT(bonus.m_Attrib <= DB_ATTRIB_REPUTATION, "bonus %u out of range", u32(bonus.m_Attrib));
        }
        DB_WANT(!in.Bad(), "text outside the pool");
        DB_WANT(item.m_Male <= 1, "m_Male out of range");
        DB_WANT(type < EQUIP_TYPE_COUNT, "e_EquipType %u out of range", type);
        DB_WANT(item.m_Index >= 0 && u32(item.m_Index) < DB_ITEM_COUNT, "m_Index %d out of range",
                item.m_Index);
        DB_WANT(itemAt_[item.m_Index] < 0, "m_Index %d repeated", item.m_Index);
        item.e_EquipType = EquipType(type);
        itemAt_[item.m_Index] = s32(i);
        const u32 gender = item.m_Male != 0 ? 0 : 1;
        if (type == EQUIP_TYPE_BALL)
            ++t_.ballCount;
        else if (type == EQUIP_TYPE_SHIRT)
            ++t_.shirtCount[gender];
        else if (type == EQUIP_TYPE_SHOES)
            ++t_.shoesCount[gender];
        else
            ++t_.accCount[gender];
    }
    return true;
}

bool DbParser::Balls() {
    const u32 id = DB_BLOCK_BALLS;
    Records in(blocks_[id], data_, copy_);
    for (u32 i = 0; i < blocks_[id].count; ++i) {
        const s32 index = in.S();
        s_DBBallInfo info;
        info.m_FactoryFinish = in.Text();
        info.m_CoverStock = in.Text();
        info.m_Core = in.Text();
        info.m_Oil = in.Text();
        info.m_Friction = in.D();
        info.m_RadiusOfGyration = in.D();
        const u32 absorb = in.U(), flare = in.U();
        info.m_AbsorbRate = in.S();
        DB_WANT(!in.Bad(), "text outside the pool");
        DB_WANT(ItemOfType(index, EQUIP_TYPE_BALL) != nullptr, "m_Index %d is no ball item", index);
        DB_WANT(t_.ballInfos[index].m_FactoryFinish == nullptr, "m_Index %d repeated", index);
        DB_WANT(info.m_Friction >= 0.0 && info.m_Friction <= 1.0, "m_Friction out of range");
        DB_WANT(info.m_RadiusOfGyration >= 0.0 && info.m_RadiusOfGyration <= 10.0,
                "m_RadiusOfGyration out of range");
        DB_WANT(absorb <= 0xFFFF && flare <= 0xFFFF, "m_Absorb or m_Flare out of range");
        info.m_Absorb = u16(absorb);
        info.m_Flare = u16(flare);
        t_.ballInfos[index] = info;
    }
    for (u32 i = 0; i < t_.itemCount; ++i) {
        const s_DBItem& item = t_.items[i];
        if (item.e_EquipType == EQUIP_TYPE_BALL && t_.ballInfos[item.m_Index].m_FactoryFinish == nullptr)
            return Fail("ball item %d has no ball row", item.m_Index);
    }
    return true;
}

bool DbParser::CacLists() {
    if (!ReadCacList(blocks_[DB_BLOCK_CACSHIRTS], data_, copy_, t_.cacShirts, t_.cacShirtCount) ||
        !ReadCacList(blocks_[DB_BLOCK_CACSHOES], data_, copy_, t_.cacShoes, t_.cacShoesCount) ||
        !ReadCacList(blocks_[DB_BLOCK_CACGLASSES], data_, copy_, t_.cacGlasses, t_.cacGlassesCount))
        return Fail("create-a-bowler list: gender or m_bCAConly out of range");
    const DbBlock& counts = blocks_[DB_BLOCK_CACCOUNTS];
    if (counts.count != 1)
        return Fail("%u create-a-bowler count records, want 1", counts.count);
    Records in(counts, data_, copy_);
    for (u32& count : t_.cacCounts)
        count = in.U();
    return true;
}

bool DbParser::Tournaments() {
    const u32 id = DB_BLOCK_TOURNAMENTS;
    Records in(blocks_[id], data_, copy_);
    t_.tournamentCount = blocks_[id].count;
    for (u32 i = 0; i < t_.tournamentCount; ++i) {
        s_TournamentDef& tourn = t_.tournaments[i];
        tourn.ID = in.S();
        tourn.sTournName = in.Text();
        tourn.Location = in.S();
        tourn.BuyIn = in.U();
        tourn.Pot = in.U();
        tourn.FirstPlacePay = in.U();
        tourn.SecondPlacePay = in.U();
        tourn.ThirdPlacePay = in.U();
        tourn.MinReputation = in.S();
        tourn.MinAverage = in.U();
        DB_WANT(!in.Bad(), "text outside the pool");
        DB_WANT(tourn.Location >= 0 && tourn.Location <= kMaxLevel, "Location %d out of range",
                tourn.Location);
        DB_WANT(tourn.MinAverage <= kMaxAverage, "MinAverage out of range");
        tournIds_.Add(tourn.ID);
    }
    s32 repeated = 0;
    if (tournIds_.Repeated(&repeated))
        return Fail("tournaments: ID %d repeated", repeated);
    return true;
}

// Each amateur league plays 4 seasons of 9 weeks in season, then week order; the
// pro league one season of weeks 1, 2, ...
bool DbParser::Seasons() {
    const u32 id = DB_BLOCK_SEASONS;
    Records in(blocks_[id], data_, copy_);
    u32 league = 1, row = 0;  // row: within the league's block
    for (u32 i = 0; i < blocks_[id].count; ++i) {
        const u32 recordLeague = in.U(), season = in.U(), week = in.U();
        t_.seasons[i].TournID = in.S();
        if (recordLeague != league) {
            DB_WANT(recordLeague > league && recordLeague <= DB_LEAGUE_COUNT, "league %u out of order",
                    recordLeague);
            DB_WANT(league == DB_LEAGUE_COUNT || row == DB_AMATEUR_SEASONS * DB_AMATEUR_WEEKS,
                    "league %u has %u weeks", league, row);
            league = recordLeague;
            row = 0;
        }
        const bool pro = league == DB_LEAGUE_COUNT;
        const u32 wantSeason = pro ? DB_PRO_SEASON : row / DB_AMATEUR_WEEKS;
        const u32 wantWeek = pro ? row + 1 : row % DB_AMATEUR_WEEKS + 1;
        DB_WANT(season == wantSeason && week == wantWeek, "season %u week %u, want season %u week %u", season,
                week, wantSeason, wantWeek);
        DB_WANT(tournIds_.Has(t_.seasons[i].TournID), "TournID %d is no tournament", t_.seasons[i].TournID);
        ++row;
        ++t_.seasonCount[league - 1];
    }
    for (u32 n = 0; n < DB_LEAGUE_COUNT; ++n) {
        const u32 want = n + 1 < DB_LEAGUE_COUNT ? DB_AMATEUR_SEASONS * DB_AMATEUR_WEEKS : t_.seasonCount[n];
        if (t_.seasonCount[n] != want || want == 0)
            return Fail("seasons: league %u has %u weeks", n + 1, t_.seasonCount[n]);
    }
    return true;
}

bool DbParser::Leagues() {
    const u32 id = DB_BLOCK_LEAGUES;
    Records in(blocks_[id], data_, copy_);
    t_.leagueCount = blocks_[id].count;
    if (t_.leagueCount != DB_LEAGUE_COUNT)
        return Fail("%u leagues, want %u", t_.leagueCount, DB_LEAGUE_COUNT);
    for (u32 i = 0; i < t_.leagueCount; ++i) {
        s_AmateurLeagueDef& league = t_.leagues[i];
        league.sLeagueName = in.Text();
        league.weeklySalary = in.U();
        league.minAverage = in.U();
        league.maxAverage = in.U();
        league.minRep = in.S();
        league.maxRep = in.S();
        DB_WANT(!in.Bad(), "text outside the pool");
        DB_WANT(league.minAverage <= league.maxAverage && league.maxAverage <= kMaxAverage,
                "averages out of range");
        DB_WANT(league.minRep <= league.maxRep, "reputations out of range");
    }
    return true;
}

bool DbParser::Bowlers() {
    const u32 id = DB_BLOCK_BOWLERS;
    Records in(blocks_[id], data_, copy_);
    t_.bowlerCount = blocks_[id].count;
    for (u32 i = 0; i < t_.bowlerCount; ++i) {
        s_DBBowler& bowler = t_.bowlers[i];
        const char* fault = ReadBowler(in, bowler);
        bowler.m_uPrimaryBall = in.S();
        bowler.m_uSecondaryBall = in.S();
        bowler.m_uAverage = in.U();
        bowler.m_uLeague = in.U();
        DB_WANT(!in.Bad(), "text outside the pool");
        DB_WANT(fault == nullptr, "%s", fault);
        DB_WANT(bowler.m_ID > 0, "m_ID %d out of range", bowler.m_ID);
        DB_WANT(ItemOfType(bowler.m_uPrimaryBall, EQUIP_TYPE_BALL) &&
                    ItemOfType(bowler.m_uSecondaryBall, EQUIP_TYPE_BALL),
                "a ball is no ball item");
        DB_WANT(bowler.m_uAverage <= kMaxAverage, "m_uAverage out of range");
        DB_WANT(bowler.m_uLeague >= 1 && bowler.m_uLeague <= DB_LEAGUE_COUNT, "m_uLeague out of range");
        bowlerIds_.Add(bowler.m_ID);
    }
    s32 repeated = 0;
    if (bowlerIds_.Repeated(&repeated))
        return Fail("bowlers: m_ID %d repeated", repeated);
    return true;
}

bool DbParser::Rivals() {
    const u32 id = DB_BLOCK_RIVALS;
    Records in(blocks_[id], data_, copy_);
    t_.rivalCount = blocks_[id].count;
    KeySet ids;
    for (u32 i = 0; i < t_.rivalCount; ++i) {
        s_DBRival& rival = t_.rivals[i];
        rival.m_ID = in.S();
        rival.m_VictoryReputationBonus = in.S();
        rival.m_LossReputationPenalty = in.S();
        DB_WANT(bowlerIds_.Has(rival.m_ID), "m_ID %d is no bowler", rival.m_ID);
        ids.Add(rival.m_ID);
    }
    s32 repeated = 0;
    if (ids.Repeated(&repeated))
        return Fail("rivals: m_ID %d repeated", repeated);
    return true;
}

bool DbParser::QpBowlers() {
    const u32 id = DB_BLOCK_QPBOWLERS;
    Records in(blocks_[id], data_, copy_);
    t_.qpBowlerCount = blocks_[id].count;
    KeySet ids;
    for (u32 i = 0; i < t_.qpBowlerCount; ++i) {
        s_DBQPBowler& bowler = t_.qpBowlers[i];
        const char* fault = ReadBowler(in, bowler);
        bowler.m_uPrimaryBall = in.S();
        bowler.m_uSecondaryBall = in.S();
        bowler.m_uTertiaryBall = in.S();
        DB_WANT(!in.Bad(), "text outside the pool");
        DB_WANT(fault == nullptr, "%s", fault);
        for (s32 ball : {bowler.m_uPrimaryBall, bowler.m_uSecondaryBall, bowler.m_uTertiaryBall})
            DB_WANT(ItemOfType(ball, EQUIP_TYPE_BALL) != nullptr, "ball %d is no ball item", ball);
        ids.Add(bowler.m_ID);
    }
    s32 repeated = 0;
    if (ids.Repeated(&repeated))
        return Fail("quick-play bowlers: m_ID %d repeated", repeated);
    return true;
}

bool DbParser::OilPatterns() {
    const u32 id = DB_BLOCK_OILPATTERNS;
    Records in(blocks_[id], data_, copy_);
    t_.oilPatternCount = blocks_[id].count;
    KeySet ids;
    for (u32 i = 0; i < t_.oilPatternCount; ++i) {
        s_DBOilPattern& pattern = t_.oilPatterns[i];
        pattern.m_ID = in.S();
        for (const char** text :
             {&pattern.m_PatternName, &pattern.m_AmateurCranker, &pattern.m_AmateurTweener,
              &pattern.m_AmateurStraight, &pattern.m_ProCranker, &pattern.m_ProTweener,
              &pattern.m_ProStraight, &pattern.m_AmateurCranker2, &pattern.m_AmateurTweener2,
              &pattern.m_AmateurStraight2, &pattern.m_ProCranker2, &pattern.m_ProTweener2,
              &pattern.m_ProStraight2})
            *text = in.Text();
        pattern.m_Length = in.F();
        s_DbOilRecipe recipe;
        recipe.centreOil = in.U();
        recipe.edgeOil = in.U();
        recipe.centreBoards = in.U();
        recipe.dryBoards = in.U();
        recipe.taperFeet = in.F();
        DB_WANT(!in.Bad(), "text outside the pool");
        DB_WANT(pattern.m_Length > 0.0f && pattern.m_Length <= f32(DB_OIL_ROWS), "m_Length out of range");
        DB_WANT(recipe.taperFeet >= 0.0f && recipe.taperFeet <= pattern.m_Length, "taper_feet out of range");
        DB_WANT(recipe.centreOil <= DB_OIL_VALUE_MAX && recipe.edgeOil <= DB_OIL_VALUE_MAX,
                "oil out of range");
        DB_WANT(recipe.centreBoards <= DB_OIL_BOARDS && recipe.dryBoards <= DB_OIL_BOARDS / 2,
                "boards out of range");
        BuildOilGrid(recipe, pattern.m_Length, pattern.m_Grid);
        ids.Add(pattern.m_ID);
    }
    s32 repeated = 0;
    if (ids.Repeated(&repeated))
        return Fail("oil patterns: m_ID %d repeated", repeated);
    return true;
}

bool DbParser::ShellLights() {
    const u32 id = DB_BLOCK_SHELLLIGHTS;
    Records in(blocks_[id], data_, copy_);
    t_.shellLightCount = blocks_[id].count;
    bool seen[DB_SHELL_USAGE_COUNT] = {};
    for (u32 i = 0; i < t_.shellLightCount; ++i) {
        s_ShellLight& set = t_.shellLights[i];
        set.Usage = in.U();
        set.TotalLights = SHELL_LIGHT_MAX;
        set.Count = in.U();
        set.Ambient = in.U();
        for (s_ShellLightDef& light : set.Lights) {
            light.diffuse = in.V();
            light.specular = in.V();
            light.position = in.V();
            light.direction = in.V();
            light.flags = in.U();
        }
        DB_WANT(set.Usage < DB_SHELL_USAGE_COUNT, "Usage %u out of range", set.Usage);
        DB_WANT(!seen[set.Usage], "Usage %u repeated", set.Usage);
        DB_WANT(set.Count <= set.TotalLights, "Count %u above %u lights", set.Count, set.TotalLights);
        seen[set.Usage] = true;
    }
    return true;
}
