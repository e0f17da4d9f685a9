// The shipped database (data/db), compiled and installed as the game loads it,
// hangs together beyond what the loader refuses: the counts the career and the
// front end rely on hold, looks and unlocks name what exists, items' words match
// how they are drawn, and the world makes sense to a bowler (dearer balls hook
// more, leagues get harder).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <numeric>
#include <optional>
#include <ranges>
#include <span>
#include <string>
#include <vector>

#include "source/BowlingDb/BowlingDbInternal.h"
#include "source/Career/UnlockLists.h"
#include "source/Physics/PhysicsTypes.h"
#include "tests/support/GameFixture.h"
#include "tools/dbcompile/DbCompile.h"
#include "tools/modelgen/Bowler.h"

namespace {

class DbContentTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        std::vector<u8> image;
        ASSERT_NO_THROW(image = dbcompile::DbCompile(BOWLING_DB_CONTENT_DIR));
        std::string error;
        ASSERT_TRUE(BowlingDbParse(image.data(), u32(image.size()), &error)) << error;
    }
    void TearDown() override {
        BowlingDbFree();
        GameFixture::TearDown();
    }
};

std::span<const s_DBItem> Items() {
    return {ItemsList, uDBItemCount};
}

const s_DBItem* FindItem(s32 index) {
    const auto it = std::ranges::find(Items(), index, &s_DBItem::m_Index);
    return it == Items().end() ? nullptr : &*it;
}

bool In(double value, double low, double high) {
    return value >= low && value <= high;
}

// 0: men's, 1: women's, as the create-a-bowler lists count genders.
u32 Gender(const s_DBItem& item) {
    return item.m_Male != 0 ? 0 : 1;
}

// Whether an item gives a look: a shirt of a type when one is named, else any.
bool Sold(EquipType type, u32 gender, s32 texture, std::optional<u32> shirtType = std::nullopt) {
    return std::ranges::any_of(Items(), [&](const s_DBItem& item) {
        return item.e_EquipType == type && Gender(item) == gender && item.m_TextureID == texture &&
               (!shirtType || u32(item.m_SubType) == *shirtType);
    });
}

// A gender's create-a-bowler list of shirts, shoes or glasses: each entry's m_bCAConly.
std::vector<u32> CacList(EquipType type, u32 gender) {
    std::vector<u32> offered;
    const auto read = [&](const auto* list, u32 count) {
        for (u32 i = 0; i < count; ++i)
            offered.push_back(list[i].m_bCAConly);
    };
    const bool man = gender == 0;
    if (type == EQUIP_TYPE_SHIRT)
        man ? read(MaleBowlingShirtList, uMaleBowlingTexCount)
            : read(FemaleBowlingShirtList, uFemaleBowlingTexCount);
    else if (type == EQUIP_TYPE_SHOES)
        man ? read(MaleShoeList, uMaleShoeTexCount) : read(FemaleShoeList, uFemaleShoeTexCount);
    else
        man ? read(MaleGlassesList, uMaleGlassesModelCount)
            : read(FemaleGlassesList, uFemaleGlassesModelCount);
    return offered;
}

TEST_F(DbContentTest, ItemsCoverEveryIndexAndAreDescribedAndPriced) {
    EXPECT_EQ(uDBItemCount, DB_ITEM_COUNT);  // indices are unique and in range, so all are there
    const s_DBItem* house = FindItem(0);
    ASSERT_NE(house, nullptr);
    EXPECT_STREQ(house->m_Name, "House Ball");
    EXPECT_EQ(house->e_EquipType, EQUIP_TYPE_BALL);
    EXPECT_EQ(house->m_Price, 0u);
    for (const s_DBItem& item : Items()) {
        SCOPED_TRACE(item.m_Index);
        EXPECT_STRNE(item.m_Name, "");
        EXPECT_STRNE(item.m_Description, "");
        EXPECT_LE(item.m_Price, 5000u);
        for (const s_DBItemBonus& bonus : item.m_Bonus) {
            const bool none = bonus.m_Attrib == DB_ATTRIB_NONE;
            EXPECT_PRED3(In, bonus.m_Amount, none ? 0 : 1, none ? 0 : 10);
        }
    }
}

TEST_F(DbContentTest, BallsComeFirstRollWithinThePhysicsAndHookMoreWhenDearer) {
    ASSERT_GT(uDBBallCount, 0u);
    std::map<u32, const s_DBBallInfo*> byPrice;
    for (const s_DBItem& item : Items()) {
        if (item.e_EquipType != EQUIP_TYPE_BALL)
            continue;
        SCOPED_TRACE(item.m_Name);
        EXPECT_LT(u32(item.m_Index), uDBBallCount) << "ball items must take the first indices";
        EXPECT_EQ(item.m_Male, 1u);
        EXPECT_PRED3(In, item.m_SubType, 0, 7) << "no such ball card";
        const s_DBBallInfo& ball = BallInfosList[item.m_Index];
        EXPECT_TRUE(byPrice.emplace(item.m_Price, &ball).second) << "two balls at one price";
        for (const char* text : {ball.m_FactoryFinish, ball.m_CoverStock, ball.m_Core, ball.m_Oil})
            EXPECT_STRNE(text, "");
        EXPECT_PRED3(In, ball.m_Friction, 0.04, 0.2);
        // What the physics takes unclamped: a radius of gyration in (R / 10, R].
        EXPECT_GT(ball.m_RadiusOfGyration, 0.1 * PHYS_BALL_RADIUS);
        EXPECT_LE(ball.m_RadiusOfGyration, PHYS_BALL_RADIUS);
        EXPECT_PRED3(In, ball.m_AbsorbRate, 0, 10);
    }
    for (auto cheaper = byPrice.begin(), dearer = std::next(cheaper); dearer != byPrice.end();
         ++cheaper, ++dearer) {
        SCOPED_TRACE(dearer->first);
        EXPECT_LE(cheaper->second->m_Friction, dearer->second->m_Friction);
        EXPECT_GE(cheaper->second->m_RadiusOfGyration, dearer->second->m_RadiusOfGyration);
        EXPECT_LE(cheaper->second->m_Flare, dearer->second->m_Flare);
    }
}

TEST_F(DbContentTest, WearablesForBothGendersAreEntriesOfTheCreateABowlerLists) {
    for (EquipType type :
         {EQUIP_TYPE_SHIRT, EQUIP_TYPE_SHOES, EQUIP_TYPE_ACC, EQUIP_TYPE_HAT, EQUIP_TYPE_GLASSES})
        for (u32 gender : {0u, 1u}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " gender " << gender);
            const auto worn = [&](const s_DBItem& item) {
                return item.e_EquipType == type && Gender(item) == gender;
            };
            EXPECT_GE(std::ranges::count_if(Items(), worn), 2);
            if (type == EQUIP_TYPE_ACC || type == EQUIP_TYPE_HAT)
                continue;
            const std::vector<u32> offered = CacList(type, gender);
            EXPECT_NE(std::ranges::count(offered, 1u), 0) << "nothing to choose when creating";
            for (const s_DBItem& item : Items()) {
                if (worn(item)) {
                    EXPECT_PRED3(In, item.m_TextureID, 0, double(offered.size()) - 1) << item.m_Index;
                }
            }
            for (u32 i = 0; i < offered.size(); ++i)
                EXPECT_TRUE(offered[i] != 0 || Sold(type, gender, s32(i)))
                    << "shop-only look " << i << " is sold by no item";
        }
}

// The colour words the shop's texts use, and the texels each names: hues in
// degrees (from `hueLow` round to `hueHigh`), or greys by value.
struct ColourWord {
    const char* word;
    f32 hueLow, hueHigh, satLow, satHigh, valLow, valHigh;
};
constexpr ColourWord kColourWords[] = {
    {"red", 340, 15, 0.2f, 1, 0.3f, 1},       {"crimson", 330, 10, 0.4f, 1, 0.3f, 1},
    {"coral", 355, 30, 0.2f, 1, 0.6f, 1},     {"orange", 10, 45, 0.4f, 1, 0.5f, 1},
    {"peach", 10, 40, 0.15f, 0.5f, 0.8f, 1},  {"gold", 35, 60, 0.4f, 1, 0.5f, 1},
    {"mustard", 35, 60, 0.4f, 1, 0.5f, 1},    {"yellow", 40, 75, 0.2f, 1, 0.5f, 1},
    {"lime", 65, 100, 0.4f, 1, 0.5f, 1},      {"green", 90, 170, 0.2f, 1, 0.3f, 1},
    {"mint", 140, 175, 0.2f, 1, 0.6f, 1},     {"teal", 160, 200, 0.3f, 1, 0.3f, 1},
    {"aqua", 165, 200, 0.2f, 1, 0.6f, 1},     {"blue", 190, 255, 0.2f, 1, 0.3f, 1},
    {"navy", 210, 250, 0.3f, 1, 0, 0.55f},    {"violet", 240, 290, 0.3f, 1, 0.3f, 1},
    {"purple", 255, 300, 0.3f, 1, 0.3f, 1},   {"lilac", 245, 300, 0.15f, 0.5f, 0.7f, 1},
    {"plum", 280, 330, 0.3f, 1, 0, 0.55f},    {"magenta", 280, 330, 0.4f, 1, 0.5f, 1},
    {"pink", 285, 345, 0.2f, 1, 0.6f, 1},     {"brown", 10, 45, 0.3f, 1, 0, 0.5f},
    {"white", 0, 360, 0, 0.12f, 0.85f, 1},    {"silver", 0, 360, 0, 0.12f, 0.6f, 0.85f},
    {"grey", 0, 360, 0, 0.15f, 0.25f, 0.75f}, {"charcoal", 0, 360, 0, 0.2f, 0.1f, 0.35f},
    {"black", 0, 360, 0, 1, 0, 0.15f},
};

bool Names(const ColourWord& colour, const u8* texel) {
    const f32 r = texel[0] / 255.0f, g = texel[1] / 255.0f, b = texel[2] / 255.0f;
    const f32 high = std::max({r, g, b}), range = high - std::min({r, g, b});
    const f32 sat = high > 0 ? range / high : 0;
    f32 hue = range == 0  ? 0
              : high == r ? 60 * std::fmod((g - b) / range + 6, 6.0f)
              : high == g ? 60 * ((b - r) / range + 2)
                          : 60 * ((r - g) / range + 4);
    const bool inHue = colour.hueLow <= colour.hueHigh ? hue >= colour.hueLow && hue <= colour.hueHigh
                                                       : hue >= colour.hueLow || hue <= colour.hueHigh;
    return inHue && In(sat, colour.satLow, colour.satHigh) && In(high, colour.valLow, colour.valHigh);
}

// The colour words of a text, lower-cased.
std::vector<const ColourWord*> ColourWords(const std::string& text) {
    std::vector<const ColourWord*> found;
    std::string word;
    for (const char c : text + " ") {
        if (std::isalpha(u8(c)) != 0) {
            word += char(std::tolower(u8(c)));
            continue;
        }
        for (const ColourWord& colour : kColourWords)
            if (word == colour.word)
                found.push_back(&colour);
        word.clear();
    }
    return found;
}

// How each kind of item the shop describes is drawn: worn ones by their wearer's
// gender, their words' colours in the texture, a shirt's name naming one.
struct DrawnKind {
    EquipType type;
    const char* texture;
    bool worn, colourInName;
};
constexpr DrawnKind kDrawnKinds[] = {{EQUIP_TYPE_SHIRT, BOWLER_TEX_SHIRT, true, true},
                                     {EQUIP_TYPE_SHOES, BOWLER_TEX_SHOES, true, false},
                                     {EQUIP_TYPE_BALL, BOWLER_TEX_BALL, false, false}};

// What the shop says of an item's colours, and of how see-through it is, its
// texture draws: each colour word is at least a trim's share of the texels, and
// nothing said to be clear is opaque.
TEST_F(DbContentTest, ItemWordsMatchTheTexturesTheyAreDrawnWith) {
    const std::vector<modelgen::NamedTexture> textures =
        modelgen::BowlerTextures(modelgen::ReadBowlerCounts(BOWLING_DB_CONTENT_DIR));
    for (const s_DBItem& item : Items()) {
        const auto kind = std::ranges::find(kDrawnKinds, item.e_EquipType, &DrawnKind::type);
        if (kind == std::end(kDrawnKinds))
            continue;
        SCOPED_TRACE(item.m_Name);
        char name[16];
        kind->worn ? BowlerPartName(name, kind->texture, s32(Gender(item)), item.m_TextureID)
                   : BowlerPartName(name, kind->texture, item.m_TextureID);
        const auto texture = std::ranges::find(textures, std::string(name), &modelgen::NamedTexture::name);
        ASSERT_TRUE(texture != textures.end()) << "no texture " << name;
        const discbuild::RgbaImage& image = texture->image;
        const u32 texels = image.width * image.height;
        const std::string words = std::string(item.m_Name) + " " + item.m_Description;
        for (const ColourWord* colour : kind->worn ? ColourWords(words) : std::vector<const ColourWord*>{}) {
            u32 drawn = 0;
            for (u32 i = 0; i < texels; ++i)
                drawn += Names(*colour, &image.rgba[i * 4]) ? 1 : 0;
            EXPECT_GE(drawn * 20, texels) << "no " << colour->word << " in it";
        }
        if (kind->colourInName) {
            EXPECT_FALSE(ColourWords(item.m_Name).empty()) << "the name names no colour";
        }
        const bool clear = words.find("see-through") != std::string::npos ||
                           words.find("Clear") != std::string::npos ||
                           words.find("transparent") != std::string::npos;
        u32 opaque = 0;
        for (u32 i = 0; i < texels; ++i)
            opaque += image.rgba[i * 4 + 3] == 0xFF ? 1 : 0;
        EXPECT_FALSE(clear && opaque == texels) << "said to be see-through, drawn opaque";
    }
}

// A list bowler: named, able, and with a look the create-a-bowler lists can build.
template <typename Bowler>
void ExpectBowler(const Bowler& bowler) {
    SCOPED_TRACE(std::string(bowler.m_FirstName) + " " + bowler.m_LastName);
    EXPECT_GT(bowler.m_ID, 0);
    EXPECT_STRNE(bowler.m_FirstName, "");
    EXPECT_STRNE(bowler.m_LastName, "");
    for (u8 skill : {bowler.m_uStrength, bowler.m_uAccuracy, bowler.m_uHookControl, bowler.m_uStamina})
        EXPECT_GE(skill, 20);
    const s_DBAppearance& look = bowler.m_Look;
    const bool man = look.m_uGender == 0;
    EXPECT_LE(look.m_uFaceType, 3u);
    EXPECT_LT(look.m_uHairStyle, man ? uMaleHairModelCount : uFemaleHairModelCount);
    EXPECT_LT(look.m_uHairColor, man ? uMaleHairTexCount : uFemaleHairTexCount);
    EXPECT_LT(look.m_iFacialHair, man ? s32(uFacialHairModelCount / 8) : 0);
    EXPECT_LT(look.m_uPants, man ? uMalePantsTexCount : uFemalePantsTexCount);
    EXPECT_LT(look.m_uShoes, CacList(EQUIP_TYPE_SHOES, look.m_uGender).size());
    EXPECT_LT(look.m_iGlasses, s32(CacList(EQUIP_TYPE_GLASSES, look.m_uGender).size()));
    EXPECT_TRUE(look.m_iHat == -1 || Sold(EQUIP_TYPE_HAT, look.m_uGender, look.m_iHat)) << "no such hat";
    EXPECT_TRUE(Sold(EQUIP_TYPE_SHIRT, look.m_uGender, s32(look.m_uShirtColor), look.m_uShirtType))
        << "no such shirt";
}

TEST_F(DbContentTest, BowlersLookBuildableAndFillLeaguesThatGetStronger) {
    EXPECT_PRED3(In, uDBQPBowlerCount, 8, 12);
    for (const s_DBQPBowler& bowler : std::span(qpBowlersList, uDBQPBowlerCount))
        ExpectBowler(bowler);
    std::map<u32, std::vector<u32>> averages;
    for (const s_DBBowler& bowler : std::span(bowlersList, uDBBowlerCount)) {
        ExpectBowler(bowler);
        averages[bowler.m_uLeague].push_back(bowler.m_uAverage);
    }
    ASSERT_EQ(averages.size(), AmateurLeagueCount);
    double previous = 0;
    for (const auto& [league, a] : averages) {
        SCOPED_TRACE(league);
        // The player joins a league of at least eight others and at most sixteen bowlers.
        EXPECT_PRED3(In, a.size(), 9, 15);
        const double mean = std::accumulate(a.begin(), a.end(), 0.0) / double(a.size());
        EXPECT_GT(mean, previous);
        previous = mean;
        if (league == 1 || league == AmateurLeagueCount) {
            EXPECT_NEAR(mean, league == 1 ? 120 : 220, 15);
        }
    }
    EXPECT_PRED3(In, RivalCount, 6, 10);
    for (const s_DBRival& rival : std::span(RivalList, RivalCount)) {
        EXPECT_GT(rival.m_VictoryReputationBonus, 0) << rival.m_ID;
        EXPECT_GE(rival.m_LossReputationPenalty, 0) << rival.m_ID;
    }
}

TEST_F(DbContentTest, TournamentsPayOutOfTheirPotAndTheProSeasonHoldsTheNamedEvents) {
    int leagueNights = 0;
    for (const s_TournamentDef& t : std::span(TournamentList, TournamentCount)) {
        SCOPED_TRACE(t.sTournName);
        const bool leagueNight = std::strcmp(t.sTournName, "League Night") == 0;
        leagueNights += leagueNight;
        // League night is at home; the others at the odd levels 1..19.
        EXPECT_TRUE(leagueNight ? t.Location == 20 : In(t.Location, 1, 19) && t.Location % 2 == 1)
            << t.Location;
        EXPECT_GT(t.FirstPlacePay, t.SecondPlacePay);
        EXPECT_GT(t.SecondPlacePay, t.ThirdPlacePay);
        EXPECT_LE(u64(t.FirstPlacePay) + t.SecondPlacePay + t.ThirdPlacePay, t.Pot);
        EXPECT_LT(t.BuyIn, t.FirstPlacePay) << "winning must pay more than the entry";
    }
    EXPECT_EQ(leagueNights, 1);
    ASSERT_EQ(ProLeagueSeasonCount, 18u);
    const u32 amateurWeeks = BeginnerLeagueSeasonCount + IntermediateLeagueSeasonCount +
                             AdvancedLeagueSeasonCount + ExpertLeagueSeasonCount;
    const std::span pro(LeagueSeasonList + amateurWeeks, ProLeagueSeasonCount);
    for (s32 named : {35, 37})
        EXPECT_NE(std::ranges::find(pro, named, &s_LeagueSeasonDef::TournID), pro.end()) << named;
}

TEST_F(DbContentTest, LeagueBandsRiseFromLeagueToLeague) {
    for (u32 i = 0; i < AmateurLeagueCount; ++i) {
        const s_AmateurLeagueDef& league = AmateurLeagueList[i];
        SCOPED_TRACE(league.sLeagueName);
        EXPECT_LT(league.minAverage, league.maxAverage);
        EXPECT_LT(league.minRep, league.maxRep);
        if (i == 0)
            continue;
        const s_AmateurLeagueDef& below = AmateurLeagueList[i - 1];
        const auto rises = [&](auto field) { return league.*field > below.*field; };
        EXPECT_TRUE(rises(&s_AmateurLeagueDef::weeklySalary) && rises(&s_AmateurLeagueDef::minAverage) &&
                    rises(&s_AmateurLeagueDef::maxAverage) && rises(&s_AmateurLeagueDef::minRep) &&
                    rises(&s_AmateurLeagueDef::maxRep));
        // A bowler promoted on average is not at once below the next league's floor.
        EXPECT_LE(league.minAverage, below.maxAverage);
        EXPECT_LE(league.minRep, below.maxRep);
    }
}

TEST_F(DbContentTest, OilPatternsAdviseEveryBowlerAndOilTheMiddleOfTheLane) {
    EXPECT_PRED3(In, uDBOilPatternCount, 5, 8);
    for (const s_DBOilPattern& p : std::span(dbOilPatternList, uDBOilPatternCount)) {
        SCOPED_TRACE(p.m_PatternName);
        for (const char* text :
             {p.m_PatternName, p.m_AmateurCranker, p.m_AmateurTweener, p.m_AmateurStraight, p.m_ProCranker,
              p.m_ProTweener, p.m_ProStraight, p.m_AmateurCranker2, p.m_AmateurTweener2, p.m_AmateurStraight2,
              p.m_ProCranker2, p.m_ProTweener2, p.m_ProStraight2})
            EXPECT_STRNE(text, "");
        EXPECT_GE(p.m_Length, 20.0f);
        // The head of the lane carries one unbroken band of oil over the middle boards.
        const std::span<const u16> head(p.m_Grid[0], DB_OIL_BOARDS);
        const auto first = std::ranges::find_if(head, [](u16 oil) { return oil > 0; });
        const auto dry = std::find(first, head.end(), u16(0));
        EXPECT_TRUE(first - head.begin() <= 18 && dry - head.begin() >= 21) << "the middle boards are dry";
        EXPECT_TRUE(std::all_of(dry, head.end(), [](u16 oil) { return oil == 0; })) << "a dry gap in the oil";
    }
}

TEST_F(DbContentTest, ShellLightsLightEachFrontEndScene) {
    for (u32 usage :
         {eShellLightUsage_SelectBowler, eShellLightUsage_CreateACharacter, eShellLightUsage_ProShop}) {
        SCOPED_TRACE(usage);
        const s_ShellLight* set = GetShellLight(usage);
        ASSERT_NE(set, nullptr);
        EXPECT_GE(set->Count, 2u);
        EXPECT_EQ(set->Ambient & 0xFF, 0xFFu) << "ambient must be opaque";
        // Every light is set up, so the developer tools can switch on any of them.
        for (const s_ShellLightDef& light : set->Lights) {
            for (const s_Vector4& c : {light.diffuse, light.specular})
                EXPECT_TRUE(In(c.x, 0, 1) && In(c.y, 0, 1) && In(c.z, 0, 1) && In(c.w, 0, 1));
            const s_Vector4& d = light.direction;
            EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), 1.0, 0.02);
        }
    }
}

// What the career unlocks and what the bowlers roll must be in the database.
TEST_F(DbContentTest, UnlocksAndBowlersNameItemsThatExist) {
    for (const s_UnlockList& list : UnlockLists)
        for (const s_UnlockEntry& entry : std::span(list.entries, list.count)) {
            SCOPED_TRACE(testing::Message() << "unlock list " << list.criterion << ", index " << entry.index);
            if (entry.kind == UNLOCK_ITEM) {
                EXPECT_NE(FindItem(entry.index), nullptr) << "no such item";
            } else {
                EXPECT_PRED3(In, entry.index, 0, ALLEY_LEVEL_COUNT - 1) << "no such alley level";
            }
        }
    const auto isBall = [](s32 index) {
        const s_DBItem* item = FindItem(index);
        return item != nullptr && item->e_EquipType == EQUIP_TYPE_BALL;
    };
    for (const s_DBQPBowler& b : std::span(qpBowlersList, uDBQPBowlerCount))
        for (s32 ball : {b.m_uPrimaryBall, b.m_uSecondaryBall, b.m_uTertiaryBall})
            EXPECT_PRED1(isBall, ball) << b.m_FirstName;
    for (const s_DBBowler& b : std::span(bowlersList, uDBBowlerCount))
        for (s32 ball : {b.m_uPrimaryBall, b.m_uSecondaryBall})
            EXPECT_PRED1(isBall, ball) << b.m_FirstName;
}

}  // namespace
