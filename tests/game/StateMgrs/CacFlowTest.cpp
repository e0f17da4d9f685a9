// The create-a-bowler visit as the career runs it, once a frame with the remote's
// presses: every way out and what it leaves on the tracker, in the name and in
// the look.
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/OrbMain.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/CacFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"

namespace {

constexpr s32 kFirstPress = 40;
constexpr s32 kPressEvery = 24;  // frames

class CacFlowTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        CCareerCharacter::CreateInstance();
        CCareerCharacter::GetInstance()->SetCurrSlot(1);
        CCareerCharacter::GetInstance()->SetName("ANNA");
    }
};

TEST_F(CacFlowTest, EveryWayOutLeavesItsResult) {
    const struct {
        const char* what;
        s32 editFlag;
        const char* presses;
        eScreenNavigation nav;
        eScreen_List next;
        const char* name;  // null: not set
        s32 faceType;      // the look's afterwards
    } rows[] = {
        {"edit: a letter deleted, saved", 1, "1m+2a", SFP_SCREEN_NAV_NEXT, eScreen_List_LoadSave, "ANN", 2},
        {"edit: nothing typed, not saved", 1, "2rara", SFP_SCREEN_NAV_NEXT, eScreen_List_Career_Overview,
         "ANNA", 2},
        {"edit: back from the first page puts the face back", 1, "darb", SFP_SCREEN_NAV_NONE,
         eScreen_List_Invalid, nullptr, 2},
        {"edit: No twice returns to the main page", 1, "2raab", SFP_SCREEN_NAV_PREVIOUS, eScreen_List_Invalid,
         nullptr, 2},
        {"new: back from the first page, back from the main page", 0, "dabb", SFP_SCREEN_NAV_PREVIOUS,
         eScreen_List_Invalid, nullptr, 0},
        {"new: No twice on the second page reopens the main page", 0, "daar2raa.b", SFP_SCREEN_NAV_PREVIOUS,
         eScreen_List_Invalid, nullptr, 0},
        {"new: through every page and saved", 0, "daraaa", SFP_SCREEN_NAV_NEXT, eScreen_List_LoadSave,
         "PLAYER", 1},
        {"new: A on the name row types the name", 0, "amm+2a", SFP_SCREEN_NAV_NEXT, eScreen_List_LoadSave,
         "PLAY", 0},
        {"new: not saved", 0, "2rara", SFP_SCREEN_NAV_NEXT, eScreen_List_Career_MainMenu, "PLAYER", 0},
    };
    CFlashMainMenu menu;
    menu.LoadBackground();
    menu.LoadBorder();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_ScreenTracker.Reset();
        g_TempCACInfo = {};
        CPlayerConstruction& model = g_Players[0].m_PlayerConstruction;
        model.SetDefaultCACAttributes();
        model.m_CharacterAttributes.faceType = 2;
        ScriptFromNow(ScriptPresses(row.presses, kFirstPress, kPressEvery));
        State state;
        s32 frames = 0;
        const s32 limit = kFirstPress + kPressEvery * 12;
        while (g_CacFlow.run(state, 1, &menu, row.editFlag) == 0 && frames < limit) {
            EventWait(1);
            ++frames;
        }
        ASSERT_LT(frames, limit);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.nav);
        EXPECT_EQ(g_ScreenTracker.m_NextScreen, row.next);
        if (row.name != nullptr) {
            EXPECT_STREQ(g_TempCACInfo.playerName, row.name);
        }
        EXPECT_EQ(model.m_CharacterAttributes.faceType, row.faceType);
        EXPECT_EQ(g_TempCACInfo.charAttribs.faceType, row.faceType);
        EXPECT_EQ(pCacModelScreens, nullptr);
        EXPECT_EQ(g_CacModelFlow.m_pKeyboard, nullptr);
    }
}

// The keyboard hides the page it opens over, and after Done the name row shows
// the name typed.
TEST_F(CacFlowTest, TheTypedNameShowsOnItsRow) {
    EventWait(GPU_BLACK_FRAMES);
    CFlashMainMenu menu;
    menu.LoadBackground();
    menu.LoadBorder();
    g_ScreenTracker.Reset();
    g_TempCACInfo = {};
    g_Players[0].m_PlayerConstruction.SetDefaultCACAttributes();
    // PLAYER cleared, then A, N, N, E typed and Done; the look saved.
    ScriptFromNow(ScriptPresses("ammmmmmdadrrrraaua+..2a", kFirstPress, kPressEvery));
    constexpr s32 kTyped = kFirstPress + kPressEvery * 18 - 4, kNamed = kFirstPress + kPressEvery * 21 - 4;
    State state;
    s32 frames = 0;
    while (g_CacFlow.run(state, 1, &menu, 0) == 0 && frames < kNamed + 200) {
        EventWait(1);
        ++frames;
        if (frames == kTyped)
            ExpectLooksAsKept("cac_keyboard");
        if (frames == kNamed)
            ExpectLooksAsKept("cac_named");
    }
    EXPECT_EQ(g_ScreenTracker.m_NextScreen, eScreen_List_LoadSave);
    EXPECT_STREQ(g_TempCACInfo.playerName, "ANNE");
}

}  // namespace
