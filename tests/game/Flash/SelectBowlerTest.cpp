// The bowler select on the demo disc's movies: which career slot a run of
// presses leaves current and with what, and how the slot view looks.
#include <gtest/gtest.h>

#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Flash/SelectBowler.h"
#include "source/LoadSave/LoadSave.h"
#include "source/OrbMain.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"

namespace {

class SelectBowlerTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        g_LoadSave = CLoadSave{};
        CCareerCharacter::CreateInstance();
        career_ = CCareerCharacter::GetInstance();
        // Slot 1 saved: a woman with 70 arm strength.
        career_->SetCurrSlot(1);
        career_->SetName("ANNA");
        s_Character_Attributes look = career_->GetCareerAttributes();
        look.gender = 1;
        career_->SetCareerAttributes(look);
        career_->Init();
        career_->SetArmStrength(70);
        g_LoadSave.StoreCharacterSaveData();
        saved_ = *career_->GetSlot(1);
    }
    void TearDown() override {
        CCareerCharacter::DestroyInstance();
        MenuFixture::TearDown();
    }

    CCareerCharacter* career_ = nullptr;
    s_CareerSlot saved_{};
};

// A new bowler waits in the scratch slot; looking at the saved slots changes none.
TEST_F(SelectBowlerTest, OnlyAcceptChoosesTheSlot) {
    constexpr auto kNone = SFP_SCREEN_NAV_NONE, kNext = SFP_SCREEN_NAV_NEXT,
                   kPrevious = SFP_SCREEN_NAV_PREVIOUS;
    const struct {
        const char* what;
        eSAVELOAD_PROCESS process;
        const char* presses;
        eScreenNavigation answer;
        s8 slot;            // current afterwards
        const char* slot1;  // slot 1's name afterwards
    } rows[] = {
        {"saving: looking over slot 1, then back", SAVELOAD_PROCESS_SAVING, "ddub", kPrevious,
         CAREER_SCRATCH_SLOT, "ANNA"},
        {"saving into slot 2 past slot 1", SAVELOAD_PROCESS_SAVING, "dda", kNext, 2, "ANNA"},
        {"saving over slot 1", SAVELOAD_PROCESS_SAVING, "da", kNext, 1, "NEWBIE"},
        {"loading from a free slot is refused", SAVELOAD_PROCESS_LOADING, "a", kNone, CAREER_SCRATCH_SLOT,
         "ANNA"},
        {"loading slot 1", SAVELOAD_PROCESS_LOADING, "uuua", kNext, 1, "ANNA"},
    };
    for (const auto& row : rows) {
        *career_->GetSlot(1) = saved_;
        career_->SetCurrSlot(CAREER_SCRATCH_SLOT);
        career_->SetName("NEWBIE");
        career_->Init();
        CSelectBowler screen;
        ASSERT_EQ(screen.Load(), 1);
        screen.m_eSaveLoadProcess = row.process;
        screen.OpenLoadSaveBowler();
        g_ScreenTracker.ResetScreenNav();
        PressOn(screen.m_iScreenIds[1], row.presses);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, row.answer) << row.what;
        EXPECT_EQ(career_->GetCurrSlot(), row.slot) << row.what;
        EXPECT_STREQ(reinterpret_cast<const char*>(career_->GetSlot(1)->m_Name), row.slot1) << row.what;
        EXPECT_EQ(career_->GetSlot(1)->m_Stats.m_ArmStrength, std::string(row.slot1) == "ANNA" ? 70u : 20u)
            << row.what;
        screen.Close();
    }
}

TEST_F(SelectBowlerTest, TheSlotViewLooksAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    career_->SetCurrSlot(CAREER_SCRATCH_SLOT);
    CSelectBowler screen;
    ASSERT_EQ(screen.Load(), 1);
    screen.OpenBG();
    screen.OpenLoadSaveBowler();
    screen.SetButtonText();
    PressOn(screen.m_iScreenIds[1], "d");
    EventWait(60);
    ExpectLooksAsKept("select_bowler");
    screen.Close();  // the slot's bowler model goes with the screen
}

}  // namespace
