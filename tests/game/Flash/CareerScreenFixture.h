// The career's menu screens on the demo disc: a career bowler in slot 0 of the
// second league, and probes of a screen's sprites and a scripted remote.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/NGC/File.h"
#include "orblib47/source/Pad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/EventManager.h"
#include "source/Career/PlayerConstruction.h"
#include "source/OrbMain.h"
#include "source/SFPInternal.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

class CareerScreenFixture : public MenuScreenFixture {
protected:
    void SetUp() override {
        MenuScreenFixture::SetUp();
        FileChangeDirectory(GAME_DATABASE_FOLDER);
        BowlingDbLoad();
        FileChangeDirectory(GAME_DATA_FOLDER);
        ASSERT_TRUE(PlayerPartsLoad());
        CareerManagersCreate();
        CCareerCharacter::CreateInstance();
        career = CCareerCharacter::GetInstance();
        career->SetCurrSlot(0);
        career->SetName("ROLLER");
        career->Init();
        pEventManager->InitSeason(AMATEUR_L2, eSeason_Winter);
        g_ScreenTracker.Reset();
    }
    void TearDown() override {
        PlayerPartsFree();
        MenuScreenFixture::TearDown();
    }

    static const s_sfp_instance& Sprite(s32 handle, s32 sprite) {
        const s_sfp_screen* screen = SFPScreen(handle);
        return screen->instances[screen->info->spriteLookups[sprite].instanceIds[0]];
    }
    static std::string SpriteText(s32 handle, s32 sprite) { return Sprite(handle, sprite).text; }
    static bool SpriteHidden(s32 handle, s32 sprite) { return Sprite(handle, sprite).hidden != 0; }

    // One update of the screen per character, the remote pressing: l r u d move,
    // a A, b B, - nothing.
    static void Press(s32 handle, const char* presses) {
        SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(handle);
        for (const char* c = presses; *c != '\0'; ++c) {
            const u32 word = *c == 'l'   ? PAD_LEFT
                             : *c == 'r' ? PAD_RIGHT
                             : *c == 'u' ? PAD_UP
                             : *c == 'd' ? PAD_DOWN
                             : *c == 'a' ? PAD_A
                             : *c == 'b' ? PAD_B
                                         : 0;
            Pad[0].bdown = Pad[0].bnew = word;
            info->Update(handle, info);
        }
        Pad[0].bdown = Pad[0].bnew = 0;
    }

    CCareerCharacter* career = nullptr;
};
