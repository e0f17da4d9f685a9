// A visit to the pro shop inside the main menu's border, as the career's flows
// run it one level below themselves: the shop, its purchase question and the
// purchase, the house ball for a bowler who leaves without a ball, and the
// autosave when the visit changed the bowler.
#pragma once

#include <memory>

#include "orblib47/source/OrbTypes.h"

class State;
class CFlashMainMenu;
class CCareerProshopFlash;

class ProshopFlow {
public:
    ProshopFlow();
    ~ProshopFlow();
    ProshopFlow(const ProshopFlow&) = delete;
    ProshopFlow& operator=(const ProshopFlow&) = delete;

    // 0 while running, 1 when the shop has closed and gone.
    s32 run(State& state, s32 depth, CFlashMainMenu* menu);
    // The program's shut-down frees a shop still up while its heap is there.
    void FreeScreens();
    // Start-up state: a shop left up lived in the heap the warm reset has remade;
    // it is forgotten, there is nothing left to free.
    void ForgetScreens();

    std::unique_ptr<CCareerProshopFlash> pCCareerProshopFlash;
};

extern ProshopFlow g_ProshopFlow;
