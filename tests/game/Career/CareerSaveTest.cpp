// The career character's save sections: what is written comes back, and a damaged
// section is refused without changing the slot.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "source/Career/SaveData.h"
#include "tests/game/Career/CareerFixture.h"

namespace {

using namespace testdb;

class CareerSaveTest : public CareerFixture {
protected:
    // Plays a little so that every part of the record holds something.
    void FillSlot() {
        s_Character_Attributes look{};
        look.gender = 1;
        look.facialHair = -1;
        look.shirtColor = 4;
        look.hand = 1;
        career->SetCareerAttributes(look);
        career->ChangeMoney(1234);
        career->SetHookControl(77);
        career->AddSkillPoints(7);
        s_Character_Stats& stats = career->GetStats();
        stats.m_Reputation = 42;
        stats.m_Gutters = 3;
        stats.TrophyProgress[31] = {eSeason_Pro, PRO_L1, 2, 9, 17};
        Own(BALL_FIRST, true);
        Own(BALL_LAST, true);
        Own(FEMALE_HAT, true);
        Own(FEMALE_SHIRT, false);
        career->GetSlot(0)->m_CurrentEvent = 13;
    }

    std::vector<u8> SaveCharacter(s8 slot) {
        std::vector<u8> bytes(SAVE_CHARACTER_SECTION_SIZE, 0xEE);
        SaveWriter out(bytes.data(), u32(bytes.size()));
        CareerSlotSave(slot, out);
        EXPECT_TRUE(out.Ok());
        return bytes;
    }

    bool LoadCharacter(s8 slot, const std::vector<u8>& bytes) {
        ChunkReader view(bytes.data(), u32(bytes.size()));
        ChunkCursor in(view);
        return CareerSlotLoad(slot, in);
    }
};

bool SameSlot(const s_CareerSlot& a, const s_CareerSlot& b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

TEST_F(CareerSaveTest, ACharacterComesBackIntoAnotherSlotAndAMissingSlotIsSavedEmpty) {
    FillSlot();
    career->SetCurrSlot(1);
    career->SetPlayerThrows(5);
    ASSERT_TRUE(LoadCharacter(3, SaveCharacter(0)));
    EXPECT_TRUE(SameSlot(*career->GetSlot(0), *career->GetSlot(3)));
    ASSERT_TRUE(LoadCharacter(1, SaveCharacter(0)));
    EXPECT_EQ(career->GetSlot(1)->m_PlayerThrows, 5u) << "the character leaves the league night alone";

    std::vector<u8> bytes = SaveCharacter(CAREER_SLOT_INVALID);
    ASSERT_TRUE(LoadCharacter(0, bytes));
    const s_CareerSlot empty = EmptyCareerSlot();
    EXPECT_TRUE(SameSlot(*career->GetSlot(0), empty));
    EXPECT_FALSE(LoadCharacter(CAREER_SLOT_INVALID, bytes));
    EXPECT_FALSE(LoadCharacter(5, bytes));
}

// Offsets of the layout written by CareerSlotSave.
constexpr u32 NAME = 0;
constexpr u32 LOOK = 9;
constexpr u32 SKILLS = LOOK + 14 * 4;
constexpr u32 REPUTATION = SKILLS + 4 * 4;
constexpr u32 TROPHIES = REPUTATION + 4 + 17 * 4;
constexpr u32 EQUIPMENT = TROPHIES + 32 * 5 * 4;
constexpr u32 OWNED = EQUIPMENT + 7 * 4;
constexpr u32 SECTION_END = OWNED + DB_ITEM_COUNT + 4;

TEST_F(CareerSaveTest, DamagedSectionsAreRefusedAndChangeNothing) {
    FillSlot();
    const std::vector<u8> good = SaveCharacter(0);
    const struct {
        const char* what;
        std::function<void(std::vector<u8>&)> damage;
    } cases[] = {
        {"unterminated name", [](auto& b) { std::memset(&b[NAME], 'A', CAREER_NAME_SIZE); }},
        {"gender 2", [](auto& b) { StoreBE32(&b[LOOK], 2); }},
        {"hand -1", [](auto& b) { StoreBE32(&b[LOOK + 11 * 4], u32(-1)); }},
        {"skill 101", [](auto& b) { StoreBE32(&b[SKILLS + 8], 101); }},
        {"reputation -1", [](auto& b) { StoreBE32(&b[REPUTATION], u32(-1)); }},
        {"reputation 101", [](auto& b) { StoreBE32(&b[REPUTATION], 101); }},
        {"trophy place 4", [](auto& b) { StoreBE32(&b[TROPHIES + 8], 4); }},
        {"trophy season 5", [](auto& b) { StoreBE32(&b[TROPHIES], 5); }},
        {"trophy league 6", [](auto& b) { StoreBE32(&b[TROPHIES + 4], 6); }},
        {"ball past the items", [](auto& b) { StoreBE32(&b[EQUIPMENT], DB_ITEM_COUNT); }},
        {"ball -2", [](auto& b) { StoreBE32(&b[EQUIPMENT + 4], u32(-2)); }},
        {"worn but not owned", [](auto& b) { StoreBE32(&b[EQUIPMENT + 2 * 4], u32(MALE_SHIRT)); }},
        {"owned flag 2", [](auto& b) { b[OWNED + 3] = 2; }},
        {"cut short", [](auto& b) { b.resize(SECTION_END - 1); }},
        {"empty", [](auto& b) { b.clear(); }},
    };
    for (const auto& c : cases) {
        std::vector<u8> bad = good;
        c.damage(bad);
        ASSERT_TRUE(LoadCharacter(2, good)) << c.what;
        const s_CareerSlot before = *career->GetSlot(2);
        EXPECT_FALSE(LoadCharacter(2, bad)) << c.what;
        EXPECT_TRUE(SameSlot(before, *career->GetSlot(2))) << c.what;
    }
}

TEST_F(CareerSaveTest, TheLeagueNightComesBackAndFillsItsSection) {
    u16 left[DB_OIL_ROWS][DB_OIL_BOARDS];
    u16 right[DB_OIL_ROWS][DB_OIL_BOARDS];
    for (u32 r = 0; r < DB_OIL_ROWS; ++r)
        for (u32 b = 0; b < DB_OIL_BOARDS; ++b) {
            left[r][b] = u16(r * 100 + b);
            right[r][b] = u16(60000 - r * 7 - b);
        }
    career->SetPlayerThrows(99);
    EXPECT_EQ(career->GetSlot(0)->m_PlayerThrows, LEAGUE_NIGHT_MAX_THROWS);
    career->SetPlayerThrows(12);
    career->SetOpponentThrows(11);
    career->SetLeftOil(left);
    career->SetRightOil(right);

    std::vector<u8> bytes(SAVE_LEAGUE_NIGHT_SECTION_SIZE);
    SaveWriter out(bytes.data(), u32(bytes.size()));
    LeagueNightSave(0, out);
    EXPECT_TRUE(out.Ok());
    EXPECT_EQ(out.Offset(), SAVE_LEAGUE_NIGHT_SECTION_SIZE);

    ChunkReader view(bytes.data(), u32(bytes.size()));
    ChunkCursor in(view);
    ASSERT_TRUE(LeagueNightLoad(2, in));
    const s_CareerSlot& loaded = *career->GetSlot(2);
    EXPECT_EQ(loaded.m_PlayerThrows, 12u);
    EXPECT_EQ(loaded.m_OpponentThrows, 11u);
    EXPECT_EQ(std::memcmp(loaded.m_LeftOil, left, sizeof(left)), 0);
    EXPECT_EQ(std::memcmp(loaded.m_RightOil, right, sizeof(right)), 0);

    // Too many throws, or a section cut short, changes nothing.
    for (u32 cut : {0u, 1u}) {
        std::vector<u8> bad = bytes;
        if (cut)
            bad.pop_back();
        else
            StoreBE32(&bad[4], LEAGUE_NIGHT_MAX_THROWS + 1);
        ChunkReader badView(bad.data(), u32(bad.size()));
        ChunkCursor badIn(badView);
        EXPECT_FALSE(LeagueNightLoad(0, badIn)) << cut;
        EXPECT_EQ(career->GetSlot(0)->m_OpponentThrows, 11u);
    }
    ChunkCursor again(view);
    EXPECT_FALSE(LeagueNightLoad(CAREER_SLOT_INVALID, again));
}

}  // namespace
