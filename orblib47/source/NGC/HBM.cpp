// The HOME-button menu's life: set-up from its files, input, choices, sounds.
#include "orblib47/source/NGC/HBM.h"

#include <cstring>
#include <new>

#include "console/dvd.h"
#include "console/wpad.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/HBMInternal.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Texture.h"
#include "orblib47/source/Wad.h"

namespace {

// The sound bank's data-file id (the last the registry has) and its sounds.
constexpr u32 kSoundBankId = DEBUG_DATAFILE_COUNT - 1;
constexpr const char* kSoundBankName = "HBMSE";
constexpr s32 kSoundNone = -1;
constexpr s32 kSoundMove = 0;
constexpr s32 kSoundChoose = 1;
constexpr u32 kSoundPriority = 255;

// The buttons from the top, and what choosing each means.
constexpr s32 kButtonSelect[HBM_BUTTONS] = {HBM_SELECT_HOMEBTN, HBM_SELECT_BTN2, HBM_SELECT_BTN1};

s_hbm* s_menu = nullptr;
s_sfx_bank* s_sounds = nullptr;

void Report(const char* what) {
    DEBUG_PRINT("HBM: %s\n", what);
}

// A chunk's payload expanded into a heap block that a loader takes over.
void* Expand(const s_hbm_chunk& chunk) {
    auto* block = static_cast<u8*>(HeapMalloc(chunk.size, __FILE_NAME__, __LINE__));
    if (block == nullptr)
        return nullptr;
    u32 size = chunk.size;
    if (!chunk.compressed) {
        std::memcpy(block, chunk.data, size);
    } else if (LZODecompress(chunk.data, chunk.stored, block, &size) == 0) {
        HeapMallocFree(block);
        return nullptr;
    }
    return block;
}

s_texture* LoadTexture(const s_hbm_chunk& chunk) {
    void* block = Expand(chunk);
    return block != nullptr ? TextureLoad(chunk.name, block, chunk.size) : nullptr;
}

void FreeGraphics(s_hbm& menu) {
    FontFree(menu.font);
    TextureFree(menu.fontTexture);
    TextureFree(menu.skin);
    menu.font = nullptr;
    menu.fontTexture = menu.skin = nullptr;
}

bool CellsInSkin(const s_hbm& menu) {
    const s_texture_map& map = menu.skin->file.maps[0];
    for (const s_hbm_rect& c : menu.layout.cells) {
        if (c.x < 0 || c.y < 0 || c.w <= 0 || c.h <= 0 || c.x > s32(map.width) - c.w ||
            c.y > s32(map.height) - c.h)
            return false;
    }
    return true;
}

bool LoadGraphics(s_hbm& menu) {
    menu.skin = LoadTexture(menu.layout.skin);
    menu.fontTexture = LoadTexture(menu.layout.fontTexture);
    if (menu.skin != nullptr && menu.fontTexture != nullptr) {
        s_font* current = CurrentFont;
        if (void* block = Expand(menu.layout.font))
            menu.font = FontLoad(menu.layout.font.name, block, menu.layout.font.size);
        FontSet(current);
    }
    if (menu.font == nullptr || menu.font->textureCount == 0 || !CellsInSkin(menu)) {
        FreeGraphics(menu);
        return false;
    }
    return true;
}

bool Inside(const s_hbm& menu, s32 button, f32 x, f32 y) {
    const s_hbm_layout& l = menu.layout;
    const f32 left = f32(l.panel.x + (l.panel.w - l.buttonW) / 2);
    const f32 top = f32(l.firstButtonY + button * (l.buttonH + l.buttonGap));
    return x >= left && x < left + f32(l.buttonW) && y >= top && y < top + f32(l.buttonH);
}

void Move(s_hbm& menu, s32 button) {
    if (button == menu.current)
        return;
    menu.current = button;
    menu.soundRequest = kSoundMove;
}

void Choose(s_hbm& menu, s32 selected) {
    menu.selected = selected;
    menu.pressFrames = HBM_PRESS_FRAMES;
    menu.soundRequest = kSoundChoose;
}

void Read(s_hbm& menu, const KPADStatus& pad) {
    if (pad.dpd_valid_fg != 0) {
        const f32 sx = menu.adjust != 0 ? menu.adjustScale.x : 1.0f;
        const f32 sy = menu.adjust != 0 ? menu.adjustScale.y : 1.0f;
        const f32 x = 320.0f + pad.pos.x * sx * 320.0f;
        const f32 y = 224.0f + pad.pos.y * sy * 224.0f;
        for (s32 b = 0; b < HBM_BUTTONS; ++b) {
            if (Inside(menu, b, x, y))
                Move(menu, b);
        }
    }
    if ((pad.trig & WPAD_BUTTON_UP) != 0)
        Move(menu, (menu.current + HBM_BUTTONS - 1) % HBM_BUTTONS);
    if ((pad.trig & WPAD_BUTTON_DOWN) != 0)
        Move(menu, (menu.current + 1) % HBM_BUTTONS);
    if ((pad.trig & WPAD_BUTTON_A) != 0)
        Choose(menu, kButtonSelect[menu.current]);
    else if ((pad.trig & (WPAD_BUTTON_B | WPAD_BUTTON_HOME)) != 0)
        Choose(menu, HBM_SELECT_HOMEBTN);
}

}  // namespace

BOOL HBMCreate(const HBMDataInfo* info) {
    if (info == nullptr || info->mem == nullptr || info->memSize < sizeof(s_hbm)) {
        Report("no work memory");
        return FALSE;
    }
    auto* menu = new (info->mem) s_hbm{};
    const char* why = "";
    if (!HBMParseLayout(info->layoutBuf, info->layoutSize, &menu->layout, &why)) {
        DEBUG_PRINT("HBM: bad layout file (%s)\n", why);
        return FALSE;
    }
    if (!LoadGraphics(*menu)) {
        Report("bad layout file (images)");
        return FALSE;
    }
    menu->texts = HBMDefaultTexts();
    if (info->msgBuf != nullptr && !HBMParseTexts(info->msgBuf, info->msgSize, info->region, &menu->texts)) {
        Report("bad texts file; English used");
        menu->texts = HBMDefaultTexts();
    }
    if (info->configBuf != nullptr && !HBMParseConfig(info->configBuf, info->configSize, &menu->config)) {
        Report("bad config file; defaults used");
        menu->config = s_hbm_config{};
    }
    menu->adjustScale = info->adjust;
    menu->current = info->cursor >= 0 && info->cursor < HBM_BUTTONS ? info->cursor : 0;
    menu->selected = HBM_SELECT_NULL;
    s_menu = menu;
    return TRUE;
}

void HBMDelete() {
    if (s_menu == nullptr)
        return;
    FreeGraphics(*s_menu);
    s_menu->~s_hbm();
    s_menu = nullptr;
}

void HBMInit() {
    if (s_menu == nullptr)
        return;
    s_menu->selected = HBM_SELECT_NULL;
    s_menu->pressFrames = s_menu->blackout = s_menu->frames = 0;
    s_menu->soundRequest = kSoundNone;
}

s32 HBMCalc(const HBMControllerData* controllers) {
    if (s_menu == nullptr)
        return HBM_SELECT_HOMEBTN;
    s_hbm& menu = *s_menu;
    ++menu.frames;
    if (menu.blackout != 0) {
        menu.blackout += menu.blackout < menu.config.blackoutFrames ? 1 : 0;
        return HBM_CALC_RUNNING;
    }
    if (menu.pressFrames != 0)
        return --menu.pressFrames == 0 ? menu.selected : HBM_CALC_RUNNING;
    for (const HBMKPadData& con : controllers->wiiCon) {
        if (con.kpad != nullptr && menu.pressFrames == 0)
            Read(menu, *con.kpad);
    }
    return HBM_CALC_RUNNING;
}

void HBMDraw() {
    if (s_menu != nullptr)
        HBMDrawMenu(*s_menu);
}

s32 HBMGetSelectBtnNum() {
    return s_menu != nullptr ? s_menu->selected : HBM_SELECT_NULL;
}

void HBMStartBlackOut() {
    if (s_menu != nullptr && s_menu->blackout == 0)
        s_menu->blackout = 1;
}

void HBMSetAdjustFlag(BOOL flag) {
    if (s_menu != nullptr)
        s_menu->adjust = flag != FALSE ? 1 : 0;
}

BOOL HBMCreateDvdSound(const char* path, void* buffer, u32 size) {
    DVDFileInfo file;
    if (buffer == nullptr || !DVDOpen(path, &file)) {
        Report("no sound file");
        return FALSE;
    }
    const u32 length = file.length;
    const bool fits =
        length != 0 && length <= size && DVDReadPrio(&file, buffer, s32(length), 0, 2) == s32(length);
    DVDClose(&file);
    void* block = fits ? HeapMalloc(length, __FILE_NAME__, __LINE__) : nullptr;
    if (block == nullptr) {
        Report("sound file unreadable or too large");
        return FALSE;
    }
    std::memcpy(block, buffer, length);
    s_sounds = SfxLoad(kSoundBankName, block, length);
    if (s_sounds == nullptr)
        return FALSE;
    DataRegister(kSoundBankName, "SFX", s32(kSoundBankId));
    return TRUE;
}

void HBMUpdateSound() {
    if (s_menu == nullptr)
        return;
    const s32 sound = s_menu->soundRequest;
    s_menu->soundRequest = kSoundNone;
    if (sound == kSoundNone || s_sounds == nullptr || sound >= s_sounds->numSfx)
        return;
    const f32 volume = f32(s_menu->config.volume) / 100.0f;
    const s_VOLUME_MIX mix = {volume, volume, 0.0f, 0.0f, 0.0f, 0.0f};
    const s32 channel = AudioAllocChannel(kSoundPriority);
    if (channel != -1 && SfxPlayChannel(s32(kSoundBankId << 16) | sound, &mix, kSoundPriority, channel) == -1)
        AudioFreeChannel(u32(channel));
}

void HBMDeleteSound() {
    SfxFree(s_sounds);
    s_sounds = nullptr;
}

void HBMForget() {
    s_menu = nullptr;
    s_sounds = nullptr;
}
