// The quick-play set-up on the demo disc's movies: the players a run of presses
// sets up, the computer bowlers it draws, its hints, and how it looks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/StringTable.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/Wad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Flash/QuickPlayFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/Objects/Object.h"
#include "source/OrbMain.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/SFP/SFPInternal.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"
#include "tools/discbuild/StringTableWriter.h"

namespace {

class QuickPlayFlashTest : public MenuFixture {
protected:
    static void Show(CQuickPlayFlash& screen) {
        ASSERT_EQ(screen.LoadBG(), 1);
        ASSERT_EQ(screen.LoadMain(), 1);
        screen.OpenBG();
        screen.OpenMain();
    }
};

TEST_F(QuickPlayFlashTest, PressesSetUpThePlayers) {
    const s32 last = s32(uDBQPBowlerCount) - 1;
    ASSERT_GE(last, 4);
    const struct {
        const char* what;
        const char* presses;
        s32 players;
        const char* names[MAX_PLAYERS];
        s32 human[MAX_PLAYERS];
    } rows[] = {
        {"player 1 alone", "a", 1, {"Jody"}, {1}},
        {"player 1 the second bowler", "ra", 1, {"Max"}, {1}},
        // Row 2 stays nobody: player 3's bowler becomes slot 1.
        {"players 1 and 3 pack into slots 0 and 1", "ddrrra", 2, {"Jody", "Lulu"}, {1, 1}},
        {"player 2 left from nobody is a computer bowler", "dla", 2, {"Jody", nullptr}, {1, 0}},
        {"practice turns player 2's computer bowler into nobody", "dldddra", 1, {"Jody"}, {1}},
    };
    for (const auto& row : rows) {
        std::srand(1);
        CQuickPlayFlash screen;
        Show(screen);
        g_ScreenTracker.ResetScreenNav();
        PressOn(screen.m_iScreenMain, row.presses);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NEXT) << row.what;
        EXPECT_EQ(g_GameSettings.m_Current.iNumPlayers, row.players) << row.what;
        for (s32 k = 0; k < row.players; ++k) {
            if (row.names[k] != nullptr) {
                EXPECT_STREQ(g_Players[k].GetName(), row.names[k]) << row.what << ", slot " << k;
            }
            EXPECT_EQ(g_Players[k].bIsHumanPlayer, row.human[k]) << row.what << ", slot " << k;
        }
        EXPECT_EQ(g_ScreenTracker.m_LevelToLoad, 20) << row.what;
    }
}

// Every seed and every list size, down to lists no longer than the slots
// (where a repeat cannot be helped and no draw may divide by zero).
TEST_F(QuickPlayFlashTest, AComputerBowlerIsNeverOneAlreadyChosen) {
    const u32 listSize = uDBQPBowlerCount;
    const struct {
        u32 size;
        s32 kinds[QP_NUM_SLOTS];
        s32 entries[QP_NUM_SLOTS];
        bool repeatAllowed;
    } rows[] = {
        {listSize, {0, 0, 1, 2}, {3, 0, 7, 0}, false}, {listSize, {0, 1, 1, 1}, {9, 8, 0, 4}, false},
        {5, {0, 0, 0, 2}, {0, 2, 4, 0}, false},        {4, {0, 0, 0, 2}, {1, 2, 3, 0}, false},
        {4, {0, 0, 0, 0}, {0, 1, 2, 3}, true},         {1, {0, 2, 2, 2}, {0, 0, 0, 0}, true},
    };
    for (const auto& row : rows) {
        uDBQPBowlerCount = row.size;
        CQuickPlayFlash screen;
        for (s32 i = 0; i < QP_NUM_SLOTS; ++i) {
            screen.m_iButtonIndices[i] = row.kinds[i];
            screen.m_iBowlerSelectIndices[i] = row.entries[i];
        }
        for (u32 seed = 0; seed < 64; ++seed) {
            std::srand(seed);
            const s32 drawn = screen.GetRandomCPUBowler();
            ASSERT_GE(drawn, 0);
            ASSERT_LT(drawn, s32(row.size));
            for (s32 i = 0; i < QP_NUM_SLOTS && !row.repeatAllowed; ++i)
                if (row.kinds[i] != QP_BOWLER_NOBODY) {
                    ASSERT_NE(drawn, row.entries[i]) << "list of " << row.size << ", seed " << seed;
                }
        }
    }
    uDBQPBowlerCount = listSize;
}

// A list bowler whose ball indices name no item bowls the house ball, not the
// balls of the last game.
TEST_F(QuickPlayFlashTest, BallsWithoutAnItemLeaveTheSlotEmpty) {
    s_DBQPBowler& first = qpBowlersList[0];
    const s_DBQPBowler kept = first;
    first.m_uPrimaryBall = first.m_uSecondaryBall = 9999;
    g_Players[0].m_Balls[0] = g_Players[0].m_Balls[1] = &ItemsList[5];
    CQuickPlayFlash screen;
    screen.SetGameSettings();
    first = kept;
    EXPECT_EQ(g_Players[0].m_Balls[0], nullptr);
    EXPECT_EQ(g_Players[0].m_Balls[1], nullptr);
}

// The screen lets its models go; the level builds the game's bowlers again from
// the looks the players keep.
TEST_F(QuickPlayFlashTest, TheLooksOutliveTheScreen) {
    {
        CQuickPlayFlash screen;
        Show(screen);
        PressOn(screen.m_iScreenMain, "ddrrrdr");
        ASSERT_NE(g_Players[2].m_PlayerConstruction.GetBodyTypeModel(), nullptr);
        PressOn(screen.m_iScreenMain, "a");
    }
    for (s32 slot = 0; slot < MAX_PLAYERS; ++slot)
        EXPECT_EQ(g_Players[slot].m_PlayerConstruction.GetBodyTypeModel(), nullptr) << slot;
    EXPECT_EQ(g_Players[1].m_PlayerConstruction.m_CharacterAttributes.gender, 1);  // Lulu
    AlleyObjectsCreate();
    for (s32 slot = 0; slot < MAX_PLAYERS; ++slot)
        EXPECT_EQ(g_Players[slot].m_PlayerConstruction.GetBodyTypeModel() != nullptr, slot < 3) << slot;
    AlleyObjectsRemove();
}

// Back up before the turn to player 2 has gone far: the turntable turns back from
// where it is and stays on the front, rather than finishing the turn first.
TEST_F(QuickPlayFlashTest, AQuickReversalTurnsBackFromWhereItIs) {
    RealDeltaTime = 1.0f / 60.0f;
    CQuickPlayFlash screen;
    Show(screen);
    PressOn(screen.m_iScreenMain, "dr");
    EXPECT_EQ(screen.m_TargetIdlePos, ePos_Right);
    ASSERT_GT(screen.m_fCurrentMoved, 0.01f);
    PressOn(screen.m_iScreenMain, "u-----");
    EXPECT_EQ(screen.m_CurrIdlePos, ePos_Front);
    EXPECT_EQ(screen.m_fCurrentMoved, 0.0f);
    EXPECT_FLOAT_EQ(screen.m_vCurrModelPos[0].x, screen.m_vIdleModelPos[ePos_Front].x);
}

// A hint longer than the ticker's buffer is cut, not spilled over the fields after it.
TEST_F(QuickPlayFlashTest, ALongHintIsCutToTheTickersBuffer) {
    constexpr s32 kDataId = 0x77;
    const std::vector<u8> payload =
        discbuild::StringTablePayload(0xC0000000u, kDataId, {std::string(400, 'x')});
    s_wad_header header{};
    std::strcpy(header.name, "LONGHINT");
    std::strcpy(header.ext, "TXT");
    header.size = u32(payload.size());
    void* image = HeapMalloc(header.size, __FILE_NAME__, __LINE__);
    std::memcpy(image, payload.data(), payload.size());
    s_string_table* table = StringTableLoad(&header, image);
    ASSERT_NE(table, nullptr);
    DataRegister("LONGHINT", "TXT", kDataId);
    u32& hint = SymbolTransTable->symbolList[kTextQpTicker].value;
    const u32 kept = hint;
    hint = u32(kDataId) << 16;
    {
        CQuickPlayFlash screen;
        EXPECT_EQ(std::strlen(screen.m_TickerMessage), sizeof(screen.m_TickerMessage) - 1);
        EXPECT_EQ(screen.m_bModelRotated[0], 0);
    }
    hint = kept;
    StringTableFree(table);
}

// A starts the game from any row: the screen's own hint for A says what the
// menus' border under it says.
TEST_F(QuickPlayFlashTest, ItsHintForASaysWhatTheBorderSays) {
    CQuickPlayFlash screen;
    Show(screen);
    EXPECT_EQ(SpriteText(screen.m_iScreenBG, 0), SymbolText(kTextMenuNext));
}

// Player 2's hand being edited: the hand inside its row, the statistics under the
// turntable and the alley's badge beside the alley row.
TEST_F(QuickPlayFlashTest, TheSetUpLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CQuickPlayFlash screen;
    Show(screen);
    std::srand(1);
    PressOn(screen.m_iScreenMain, "drddrrrdrruuu1");
    EventWait(120);
    ExpectLooksAsKept("quickplay_setup");
}

}  // namespace
