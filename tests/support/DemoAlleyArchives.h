// The demo alley's level and computer-bowler archives, held for a test's length.
#pragma once

#include <string>

#include "orblib47/source/Wad.h"
#include "source/Levels/AlleyLayout.h"

struct DemoAlleyArchives {
    // True when both loaded.
    bool Load() {
        alley = WadLoad((std::string("DATA/") + ALLEY_LEVEL_WAD + ".WAD").c_str(), 0);
        npc = WadLoad((std::string("DATA/") + ALLEY_NPC_WAD + ".WAD").c_str(), 0);
        return alley != nullptr && npc != nullptr;
    }
    void Free() {
        WadFree(npc);
        WadFree(alley);
        npc = alley = nullptr;
    }

    s_wad* alley = nullptr;
    s_wad* npc = nullptr;
};
