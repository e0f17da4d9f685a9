// A visit to the pro shop as the career's flows run it, once a frame on the demo
// disc under a scripted remote: the purchase question's answers, and leaving
// without a ball.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orblib47/source/OrbLib.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/GameSettings.h"
#include "source/StateMgrs/ProshopFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "tests/game/Flash/ProshopFixture.h"
#include "tests/support/PadScript.h"

namespace {

class ProshopFlowTest : public ProshopFixture {
protected:
    HostConfig Config() const override {
        HostConfig config = ProshopFixture::Config();
        config.pictures = false;  // the flow runs the same without them
        return config;
    }
};

constexpr s32 kFirstPress = 30;
constexpr s32 kPressEvery = 8;  // frames

TEST_F(ProshopFlowTest, PurchasesAndTheHouseBall) {
    constexpr s32 kSpare = 1, kHouseBall = 0;
    const u32 price = FindDbItem(kSpare)->m_Price;
    const struct {
        const char* what;
        const char* keys;
        u32 money;
        s32 spareOwned;
        s32 ball1;
    } rows[] = {
        {"Yes buys the ball, A puts it on, B leaves", "ra...la...a...b", 600 - price, 1, kSpare},
        {"No buys nothing; leaving without a ball puts on the house ball", "ra...a...b...a", 600, 0,
         kHouseBall},
        {"leaving at once puts on the house ball", "b...a", 600, 0, kHouseBall},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        career->Init();
        g_GameSettings.m_Current.bAutoSave = 0;
        g_ScreenTracker.Reset();
        CFlashMainMenu menu;
        menu.LoadBackground();
        menu.LoadBorder();
        ScriptFromNow(ScriptPresses(row.keys, kFirstPress, kPressEvery));
        State state;
        s32 frame = 0;
        while (g_ProshopFlow.run(state, 1, &menu) == 0 && frame++ < 600)
            EventWait(1);
        EXPECT_LT(frame, 600) << "the shop closes";
        EXPECT_EQ(g_ProshopFlow.pCCareerProshopFlash, nullptr);
        EXPECT_EQ(career->GetMoney(), row.money);
        EXPECT_EQ(career->ItemPurchased(kSpare), row.spareOwned);
        EXPECT_EQ(career->GetEquipment()->Ball1, row.ball1);
        EXPECT_EQ(career->ItemPurchased(row.ball1), 1);
    }
}

// A purchase changes the bowler: only a bowler in a save slot, with autosave on,
// is saved on leaving; the scratch bowler never is.
TEST_F(ProshopFlowTest, OnlyASavedBowlerWithAutosaveOnIsSavedOnLeaving) {
    constexpr s32 kAutosaveState = 5;  // the visit's autosave step
    const struct {
        s8 slot;
        u8 autosave;
        bool saved;
    } rows[] = {{CAREER_SCRATCH_SLOT, 1, false}, {0, 0, false}, {0, 1, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "slot " << s32(row.slot) << " autosave " << s32(row.autosave));
        career->SetCurrSlot(row.slot);
        career->Init();
        g_GameSettings.m_Current.bAutoSave = row.autosave;
        g_ScreenTracker.Reset();
        CFlashMainMenu menu;
        menu.LoadBackground();
        menu.LoadBorder();
        ScriptFromNow(ScriptPresses("ra...la...a...b", kFirstPress, kPressEvery));
        State state;
        bool saved = false;
        for (s32 frame = 0; frame < 600 && g_ProshopFlow.run(state, 1, &menu) == 0; ++frame) {
            saved |= state.m_value[1] == kAutosaveState;
            EventWait(1);
        }
        EXPECT_EQ(saved, row.saved);
        g_ProshopFlow.FreeScreens();
    }
}

}  // namespace
