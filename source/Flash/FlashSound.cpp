#include "source/Flash/FlashSound.h"

#include <cstring>

#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/Wad.h"
#include "source/GameSettings.h"
#include "source/OrbMain.h"

namespace {

constexpr u32 kSfxOpenSymbol = 0x1996;  // any menu sound names the bank

bool MenuBankLoaded() {
    u32 id = 0;
    if (SymbolTransLookup(kSfxOpenSymbol, &id) != RET_NO_ERROR)
        return false;
    const s_DATA_ENTRY* entry = DataGetEntry(id >> 16);
    return entry != nullptr && std::memcmp(entry->type, "SFX", 4) == 0;
}

}  // namespace

s_wad* FlashSoundLoadBank(const char* wad) {
    s_wad* loaded = WadLoad(wad, 0);
    if (loaded != nullptr && MenuBankLoaded())
        return loaded;
    WadFree(loaded);
    DEBUG_PRINT("Menu sounds: %s holds no sound bank; the menus are silent\n", wad);
    return nullptr;
}

void FlashPlaySound(s32 id) {
    if (MenuSFXWad != nullptr)
        SfxPlay(id, &g_GameSettings.m_sfxVolumeMix, 3);
}
