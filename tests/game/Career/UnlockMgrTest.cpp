// The unlock manager: career counters reaching the lists' thresholds open items and
// alley levels, the cheat opens everything, and the progress survives the save file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/UnlockMgr.h"
#include "source/GameReset.h"
#include "tests/game/Career/GlobalScope.h"
#include "tests/support/GameFixture.h"

namespace {

constexpr s32 UNLISTED_ITEM = 0;  // the house ball is never locked

// The counter each list is measured on; reputation is the signed one.
constexpr u32 s_Character_Stats::*Counters[UNLOCK_LIST_COUNT] = {&s_Character_Stats::m_TotalGames,
                                                                 &s_Character_Stats::m_TotalWins,
                                                                 &s_Character_Stats::m_TournamentWins,
                                                                 &s_Character_Stats::m_Championships,
                                                                 nullptr,
                                                                 &s_Character_Stats::m_TotalEarnings};

void SetCounter(s_Character_Stats& stats, e_UnlockCriterion criterion, s32 value) {
    if (criterion == UNLOCK_REPUTATION)
        stats.m_Reputation = value;
    else
        stats.*Counters[criterion] = u32(value);
}

// Counters that reach every entry of every list.
s_Character_Stats EverythingReached() {
    s_Character_Stats stats = {};
    for (const s_UnlockList& list : UnlockLists)
        SetCounter(stats, list.criterion, list.entries[list.count - 1].threshold);
    return stats;
}

// A database whose row i is item i, named "Item i"; item 0 is in no list.
class UnlockMgrTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        // After the game's cold reset, which forgets a database an earlier test loaded.
        itemsScope_.emplace(ItemsList, items_.data());
        countScope_.emplace(uDBItemCount, DB_ITEM_COUNT);
        NameItems("Item ");
        g_UnlockMgr.UpdateAllLockedItems();
        g_UnlockMgr.SetUnlockOverrides();
    }

    void NameItems(const std::string& prefix) {
        for (u32 i = 0; i < DB_ITEM_COUNT; ++i) {
            names_[i] = prefix + std::to_string(i);
            items_[i].m_Name = names_[i].c_str();
            items_[i].m_Index = s32(i);
        }
    }

    const s_DBItem* FindItem(s32 index) const { return &items_[u32(index)]; }

    bool Locked(const s_UnlockEntry& entry) const {
        if (entry.kind == UNLOCK_LEVEL)
            return g_UnlockMgr.GetLevelLocked(entry.index) != 0;
        return FindItem(entry.index)->bLocked != 0;
    }

    std::string EntryName(const s_UnlockEntry& entry) const {
        return entry.kind == UNLOCK_LEVEL ? entry.levelName : FindItem(entry.index)->m_Name;
    }

    std::vector<bool> LockStates() const {
        std::vector<bool> locks;
        for (const s_UnlockList& list : UnlockLists)
            for (u32 e = 0; e < list.count; ++e)
                locks.push_back(Locked(list.entries[e]));
        return locks;
    }

    bool AnythingLocked() const {
        const std::vector<bool> locks = LockStates();
        return std::find(locks.begin(), locks.end(), true) != locks.end();
    }

    std::vector<u8> SaveSection() const {
        std::vector<u8> section(SAVE_UNLOCKS_SECTION_SIZE, 0);
        SaveWriter out(section.data(), u32(section.size()));
        UnlockProgressSave(out);
        EXPECT_TRUE(out.Ok());
        return section;
    }

    static bool LoadSection(const std::vector<u8>& section) {
        ChunkCursor in(ChunkReader(section.data(), u32(section.size())));
        return UnlockProgressLoad(in);
    }

    std::vector<std::string> names_ = std::vector<std::string>(DB_ITEM_COUNT);
    std::vector<s_DBItem> items_ = std::vector<s_DBItem>(DB_ITEM_COUNT);
    std::optional<GlobalScope<s_DBItem*>> itemsScope_;
    std::optional<GlobalScope<u32>> countScope_;
};

TEST_F(UnlockMgrTest, EachEntryOpensExactlyAtItsThreshold) {
    for (const s_UnlockList& list : UnlockLists)
        for (u32 e = 0; e < list.count; ++e) {
            const s_UnlockEntry& entry = list.entries[e];
            SCOPED_TRACE(testing::Message() << "criterion " << list.criterion << " entry " << e);
            GameColdReset();
            g_UnlockMgr.UpdateAllLockedItems();
            s_Character_Stats stats = {};
            SetCounter(stats, list.criterion, entry.threshold - 1);
            g_UnlockMgr.CheckNewUnlockables(stats);
            EXPECT_TRUE(Locked(entry));

            SetCounter(stats, list.criterion, entry.threshold);
            EXPECT_TRUE(g_UnlockMgr.CheckNewUnlockables(stats));
            EXPECT_FALSE(Locked(entry));
            const std::string message = g_UnlockMgr.m_sUnlockMessageBuf;
            EXPECT_NE(message.find(EntryName(entry) + "\n"), std::string::npos) << message;
            for (u32 later = e + 1; later < list.count; ++later)
                if (list.entries[later].threshold > entry.threshold) {
                    EXPECT_TRUE(Locked(list.entries[later]));
                    EXPECT_EQ(message.find(EntryName(list.entries[later])), std::string::npos) << message;
                }
        }
}

TEST_F(UnlockMgrTest, AnUnlockIsNewOnceAndStaysWhenTheCounterFalls) {
    const s_UnlockEntry& first = UnlockLists[UNLOCK_REPUTATION].entries[0];
    s_Character_Stats stats = {};
    stats.m_Reputation = first.threshold;
    EXPECT_TRUE(g_UnlockMgr.CheckNewUnlockables(stats));
    EXPECT_FALSE(g_UnlockMgr.CheckNewUnlockables(stats));
    EXPECT_STREQ(g_UnlockMgr.m_sUnlockMessageBuf, "");
    stats.m_Reputation = -50;
    EXPECT_FALSE(g_UnlockMgr.CheckNewUnlockables(stats));
    g_UnlockMgr.UpdateAllLockedItems();
    EXPECT_FALSE(Locked(first));
}

TEST_F(UnlockMgrTest, AnEntryWhoseItemIsMissingOpensSilently) {
    const s_UnlockEntry& first = UnlockLists[UNLOCK_GAMES_PLAYED].entries[0];
    ASSERT_EQ(first.kind, UNLOCK_ITEM);
    const GlobalScope<u32> onlyTheHouseBall(uDBItemCount, 1);
    s_Character_Stats stats = {};
    stats.m_TotalGames = u32(first.threshold);
    EXPECT_FALSE(g_UnlockMgr.CheckNewUnlockables(stats));
    EXPECT_STREQ(g_UnlockMgr.m_sUnlockMessageBuf, "");
}

TEST_F(UnlockMgrTest, TheMessageNeverOverflowsItsBuffer) {
    NameItems(std::string(120, 'N'));  // too long for everything to be listed
    EXPECT_TRUE(g_UnlockMgr.CheckNewUnlockables(EverythingReached()));
    const char* buffer = g_UnlockMgr.m_sUnlockMessageBuf;
    ASSERT_LT(strnlen(buffer, UNLOCK_MESSAGE_SIZE), UNLOCK_MESSAGE_SIZE);
    EXPECT_TRUE(std::string(buffer).ends_with("...and more.\n")) << buffer;
    EXPECT_FALSE(AnythingLocked());

    // The longest name shown, 466 bytes, leaves room for the mark and the terminator after it.
    const s_UnlockEntry& first = UnlockLists[UNLOCK_REPUTATION].entries[0];
    s_Character_Stats stats = {};
    stats.m_Reputation = first.threshold;
    for (const u32 length : {466u, 467u}) {
        GameColdReset();
        const std::string name(length, 'L');
        items_[u32(first.index)].m_Name = name.c_str();
        EXPECT_TRUE(g_UnlockMgr.CheckNewUnlockables(stats));
        EXPECT_EQ(g_UnlockMgr.m_sUnlockMessageBuf,
                  "You have unlocked:\n" + (length == 466 ? name + "\n" : "...and more.\n"))
            << length;
    }
}

TEST_F(UnlockMgrTest, AMensAndAWomensItemOfOneNameAreListedOnce) {
    const s_UnlockList& list = UnlockLists[UNLOCK_TOURNAMENT_WINS];
    ASSERT_EQ(list.entries[0].threshold, list.entries[1].threshold);
    for (u32 e : {0u, 1u})
        items_[u32(list.entries[e].index)].m_Name = "Champion Specs";
    s_Character_Stats stats = {};
    stats.m_TournamentWins = u32(list.entries[0].threshold);
    EXPECT_TRUE(g_UnlockMgr.CheckNewUnlockables(stats));
    EXPECT_STREQ(g_UnlockMgr.m_sUnlockMessageBuf, "You have unlocked:\nChampion Specs\n");
    EXPECT_FALSE(Locked(list.entries[1]));
}

TEST_F(UnlockMgrTest, UnlockAllOpensEverythingUntilTheGameReset) {
    EXPECT_EQ(FindItem(UNLISTED_ITEM)->bLocked, 0u);
    EXPECT_EQ(g_UnlockMgr.GetLevelLocked(20), 0);  // an alley no list names
    g_UnlockMgr.UnlockAll();
    EXPECT_FALSE(AnythingLocked());
    g_UnlockMgr.UpdateAllLockedItems();  // the boot order
    g_UnlockMgr.SetUnlockOverrides();
    EXPECT_FALSE(AnythingLocked());
    EXPECT_FALSE(g_UnlockMgr.CheckNewUnlockables(EverythingReached()));

    GameColdReset();
    g_UnlockMgr.UpdateAllLockedItems();
    g_UnlockMgr.SetUnlockOverrides();
    for (const s_UnlockList& list : UnlockLists)
        EXPECT_TRUE(Locked(list.entries[0]));
    EXPECT_EQ(g_UnlockMgr.GetLevelLocked(-1), 0);
    EXPECT_EQ(g_UnlockMgr.GetLevelLocked(s32(ALLEY_LEVEL_COUNT)), 0);
}

TEST_F(UnlockMgrTest, TheProgressRoundTripsThroughTheSaveSection) {
    s_Character_Stats stats = {};
    stats.m_TotalWins = u32(UnlockLists[UNLOCK_WINS].entries[2].threshold);
    g_UnlockMgr.CheckNewUnlockables(stats);
    const std::vector<u8> saved = SaveSection();
    const std::vector<bool> locks = LockStates();

    GameColdReset();
    g_UnlockMgr.UnlockAll();
    ASSERT_TRUE(LoadSection(saved));
    EXPECT_EQ(LockStates(), locks);
    EXPECT_EQ(SaveSection(), saved);
}

TEST_F(UnlockMgrTest, ABadSectionIsRefusedAndChangesNothing) {
    g_UnlockMgr.UnlockAll();
    const std::vector<u8> before = SaveSection();
    std::vector<u8> badFlag = before;
    badFlag[0] = 2;
    std::vector<u8> badCount = before;
    badCount[1 + UNLOCK_EARNINGS] = u8(UnlockLists[UNLOCK_EARNINGS].count + 1);
    for (const std::vector<u8>& bad :
         {badFlag, badCount, std::vector<u8>(before.begin(), before.begin() + 4)}) {
        EXPECT_FALSE(LoadSection(bad));
        EXPECT_EQ(SaveSection(), before);
        EXPECT_FALSE(AnythingLocked());
    }
}

TEST_F(UnlockMgrTest, TheCareerSlotsCountersAreCompared) {
    EXPECT_FALSE(g_UnlockMgr.CheckNewUnlockables());  // no career yet
    CCareerCharacter::CreateInstance();
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    career->SetCurrSlot(0);
    career->GetStats().m_TotalGames = u32(UnlockLists[UNLOCK_GAMES_PLAYED].entries[0].threshold);
    EXPECT_TRUE(g_UnlockMgr.CheckNewUnlockables());
    EXPECT_FALSE(Locked(UnlockLists[UNLOCK_GAMES_PLAYED].entries[0]));
    CCareerCharacter::DestroyInstance();
}

}  // namespace
