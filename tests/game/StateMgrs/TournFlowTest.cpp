// A tournament's stop in the career, once a frame on the demo disc under a
// scripted remote: the entry fee, the ladder and back, bowling and backing out.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/GameSettings.h"
#include "source/LoadSave/LoadSave.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "source/StateMgrs/TournFlow.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"

namespace {

class TournFlowTest : public MenuFixture {
protected:
    TournFlowTest() : MenuFixture(MenuCareer::kAtFirstTournament) {}
    HostConfig Config() const override {
        HostConfig config = MenuFixture::Config();
        config.pictures = false;  // the flow runs the same without them
        return config;
    }

    // Runs a visit to its end under the presses (u up, d down, l left, r right,
    // a A, b B, '.' a turn without a press), `each` seeing the states before
    // each frame; false when it does not end.
    bool Visit(
        const char* keys, const std::function<void(const State&)>& each = [](const State&) {}) {
        ScriptFromNow(ScriptPresses(keys, 30, 8));
        CFlashMainMenu menu;
        menu.LoadBackground();
        menu.LoadBorder();
        State state;
        for (s32 i = 0; i < 2000; ++i) {
            each(state);
            if (g_TournFlow.run(state, 1, &menu))
                return true;
            EventWait(1);
        }
        return false;
    }
};

// The fee is paid on the way in and only once an event, whatever follows.
TEST_F(TournFlowTest, TheEntryFeeIsPaidOnce) {
    const Event& event = *pEventManager->GetEvent();
    const u32 fee = event.m_Tourn.BuyIn;
    ASSERT_GT(fee, 0u);
    ASSERT_FALSE(pEventManager->EarnedInvitation());
    const u32 money = career->GetMoney();
    const struct {
        const char* what;
        const char* keys;
        eScreenNavigation nav;
    } rows[] = {
        {"the ladder, then back out", "da...b...ua", SFP_SCREEN_NAV_NONE},
        {"back again, and bowl", "a", SFP_SCREEN_NAV_NEXT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_ScreenTracker.Reset();
        ASSERT_TRUE(Visit(row.keys));
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.nav);
        EXPECT_EQ(career->GetMoney(), money - fee);
        EXPECT_EQ(pCTournFlash, nullptr);
        EXPECT_EQ(pCTournLadderFlash, nullptr);
    }
    EXPECT_EQ(g_ScreenTracker.m_LevelToLoad, s32(event.m_Tourn.Location));
    // Simulating the event after entering it takes no second fee.
    pEventManager->SimulateEvent();
    EXPECT_EQ(career->GetMoney(), money - fee);
}

// Without the fee the bowler does not get in.
TEST_F(TournFlowTest, NoMoneyNoEntry) {
    career->ChangeMoney(-s32(career->GetMoney()));
    g_ScreenTracker.Reset();
    ASSERT_TRUE(Visit(""));
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NONE);
    EXPECT_EQ(career->GetMoney(), 0u);
}

// An autosave on leaving the shop that does not happen (its popup cannot load)
// keeps the visit in the shop; leaving again saves.
TEST_F(TournFlowTest, AShopVisitIsLeftOnlyOnceSaved) {
    constexpr s32 kShopAutosave = 5;  // the shop visit's autosave step, a level below the flow
    g_GameSettings.m_Current.bAutoSave = 1;
    career->ItemBuy(1);  // the spare ball, to put on in the shop
    g_LoadSave.StoreGameSettingsSaveData();
    g_LoadSave.StoreCharacterSaveData();
    ASSERT_NE(g_LoadSave.SaveGame(), 0);  // a save to write over
    g_ScreenTracker.Reset();
    s32 autosaves = 0;
    bool saving = false;
    // The shop: put on the spare ball, leave; leave again once the
    // autosave has failed; then leave the tournament.
    ASSERT_TRUE(Visit("dda......a...b...b..............................ua", [&](const State& state) {
        const bool now = state.m_value[2] == kShopAutosave && state.m_value[1] != 0;
        if (now && !saving && ++autosaves == 1)
            SFP2KSetFlashFileRootPath("missing");
        if (!now && saving)
            SFP2KSetFlashFileRootPath("640");
        saving = now;
    }));
    EXPECT_EQ(autosaves, 2);
    EXPECT_EQ(g_LoadSaveFlow.m_bSaved, 1);
    EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_NONE);
}

}  // namespace
