// The main menu's flow: shows the main menu and runs, one level deeper, the flow
// of the entry chosen (quick-play set-up, settings, the career, the credits). It
// ends with SFP_SCREEN_NAV_NEXT when a game is to start (the tracker's level to
// load is set) and SFP_SCREEN_NAV_PREVIOUS when the player backed out.
#pragma once

#include <memory>

#include "orblib47/source/OrbTypes.h"

class State;
class CFlashMainMenu;
class CQuickPlayFlash;
class CCreditsFlash;

class MainMenuFlow {
public:
    MainMenuFlow();
    ~MainMenuFlow();
    MainMenuFlow(const MainMenuFlow&) = delete;
    MainMenuFlow& operator=(const MainMenuFlow&) = delete;

    // 0 while running, 1 when it has finished; the navigation says where to.
    s32 run(State& state, s32 depth);
    // Frees the screens still shown, while the engine's heap that holds them is
    // there: the program's shutdown, before the heap goes.
    void FreeScreens();

    // The screens live from the state that makes them to the one that ends them.
    std::unique_ptr<CFlashMainMenu> pFlashMainMenu;
    std::unique_ptr<CQuickPlayFlash> pQuickPlayMenu;
    std::unique_ptr<CCreditsFlash> m_pCreditsFlash;
    s32 ReturningFromCareerGame = 0;  // the menu was entered after a career game
};

extern MainMenuFlow g_MainMenuFlow;
