// The front end's screens and flows on the demo disc: the menu screens with the
// bowling database and the bowler parts loaded and the screen tracker fresh, and
// the steps that put a career bowler behind them.
#pragma once

#include <string>

#include "orblib47/source/OrbTypes.h"
#include "tests/support/GameFixture.h"

class CCareerCharacter;
struct s_sfp_instance;

// How far the fixture takes a career bowler before the test.
enum class MenuCareer {
    kNone,
    kBowler,             // the career's managers and a new bowler, ROLLER in save slot 0
    kInSeason,           // in the second amateur league, its winter season begun
    kAtFirstTournament,  // the season simulated up to its first tournament
};

class MenuFixture : public MenuScreenFixture {
protected:
    explicit MenuFixture(MenuCareer stage = MenuCareer::kNone) : stage_(stage) {}
    void SetUp() override;
    void TearDown() override;

    // Loads a screen and its backdrop and opens both.
    template <class Screen>
    static void Show(Screen& screen) {
        ASSERT_EQ(screen.LoadBG(), 1);
        ASSERT_EQ(screen.Load(), 1);
        screen.OpenBG();
        screen.Open();
    }

    CCareerCharacter* career = nullptr;  // the bowler made, from kBowler on

private:
    // The database, the bowler parts and the career the stage asks for.
    void Prepare();

    MenuCareer stage_;
};

// Sprite `sprite` of screen `handle`: its first instance, that instance's text
// ("(none)" for a sprite without instances), whether it is hidden.
const s_sfp_instance& Sprite(s32 handle, s32 sprite);
std::string SpriteText(s32 handle, s32 sprite);
bool SpriteHidden(s32 handle, s32 sprite);
