#include <strings.h>

#include <algorithm>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/UIDialogInternal.h"

s_listbox SfxListBox = {0, 0, nullptr, 0, 220, 10};
char** SfxStrings = nullptr;
s_sfx_remap_rviewer* SfxRemap = nullptr;
s32 SfxIndex = 0;

namespace {

constexpr u32 kPlayPriority = 32767;

bool SfxNameSort(const s_sfx_remap_rviewer& a, const s_sfx_remap_rviewer& b) {
    return strcasecmp(a.name, b.name) < 0;
}

s32 PlaySfxButtonFunc(s_button_obj*) {
    SfxStopAll();
    const s32 channel = AudioAllocChannel(kPlayPriority);
    if (channel < 0)
        return 1;
    const s_VOLUME_MIX mix{1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    if (SfxPlayChannel(SfxIndex, &mix, kPlayPriority, channel) < 0)
        AudioFreeChannel(u32(channel));
    return 1;
}

s32 StopSfxButtonFunc(s_button_obj*) {
    SfxStopAll();
    return 1;
}

s32 CloseSfxButtonFunc(s_button_obj* button) {
    UIObjectRequestClose(button->obj.parent);
    return 1;
}

s32 SfxListFunc(s_ui_object* object, e_ui_obj_event_type event) {
    if (event != UI_OBJ_EVENT_USER || SfxRemap == nullptr)
        return 0;
    const auto* list = reinterpret_cast<const s_listbox_obj*>(object);
    if (list->index < 0 || list->index >= SfxListBox.numItems)
        return 0;
    SfxIndex = s32(SfxRemap[list->index].index);
    if ((Mouse.buttonDoubleClick & UI_MOUSE_BUTTONS) != 0)
        PlaySfxButtonFunc(nullptr);
    return 1;
}

// The bank's names sorted without regard to case, each with its index in the bank.
bool BuildNames(const s_sfx_bank* bank) {
    SfxDialogFree();
    const s32 count = bank->numSfx;
    SfxRemap = static_cast<s_sfx_remap_rviewer*>(
        HeapMalloc(u32(sizeof(s_sfx_remap_rviewer)) * u32(std::max(count, 1)), __FILE_NAME__, __LINE__));
    SfxStrings = static_cast<char**>(
        HeapMalloc(u32(sizeof(char*)) * u32(std::max(count, 1)), __FILE_NAME__, __LINE__));
    if (SfxRemap == nullptr || SfxStrings == nullptr) {
        SfxDialogFree();
        return false;
    }
    for (s32 i = 0; i < count; ++i)
        SfxRemap[i] = {bank->sfxList[i].name != nullptr ? bank->sfxList[i].name : "", u32(i)};
    std::stable_sort(SfxRemap, SfxRemap + count, SfxNameSort);
    for (s32 i = 0; i < count; ++i)
        SfxStrings[i] = const_cast<char*>(SfxRemap[i].name);
    SfxListBox.numItems = count;
    SfxListBox.items = SfxStrings;
    return true;
}

}  // namespace

void SfxDialogFree() {
    if (SfxStrings != nullptr)
        HeapMallocFree(SfxStrings);
    if (SfxRemap != nullptr)
        HeapMallocFree(SfxRemap);
    SfxStrings = nullptr;
    SfxRemap = nullptr;
    SfxListBox.numItems = 0;
    SfxListBox.items = nullptr;
}

s_window_obj* SfxDialogOpen(s32 cx, s32 cy) {
    if (PlayDialog != nullptr || SfxDefaultBank == nullptr || !BuildNames(SfxDefaultBank))
        return nullptr;
    FontSet(DebugFont);
    FontSetScale(1.0f, 1.0f);
    SfxIndex = SfxListBox.numItems > 0 ? s32(SfxRemap[0].index) : 0;
    s_listbox_obj* list = ListboxOpen(10, 28, &SfxListBox, SfxListFunc);
    if (list == nullptr) {
        SfxDialogFree();
        return nullptr;
    }
    const s32 w = ListboxGetWidth(list) + 20;
    s32 h = list->obj.rect.h + 36;
    s_Irect16 rect{0, 0, s16(w), s16(h)};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE, "Select Sfx to play", nullptr);
    if (window == nullptr) {
        UIObjectClose(&list->obj);
        SfxDialogFree();
        return nullptr;
    }
    UIObjectLink(&window->obj, &list->obj);
    UIDialogButton(window, w - 60, h, "Close", PAD_B, CloseSfxButtonFunc);
    FontSet(DebugIconFont);
    FontSetScale(0.75f, 0.75f);
    UIDialogButton(window, 10, h, "O", PAD_Z, StopSfxButtonFunc);
    s_button_obj* play = UIDialogButton(window, 40, h, "H", PAD_A, PlaySfxButtonFunc);
    FontSet(DebugFont);
    FontSetScale(1.0f, 1.0f);
    h += (play != nullptr ? play->obj.rect.h : 0) + 8;
    window->obj.rect = {s16(cx - w / 2), s16(cy - h / 2), s16(w), s16(h)};
    PlayDialog = window;
    return window;
}

s32 RViewerViewSfx(char* name) {
    RViewerOpenDefaultMenu();
    RViewerCancel = 0;
    RViewerFixName(name);
    s_sfx_bank* bank = SfxLoad(name, nullptr, 0);
    if (bank == nullptr) {
        DEBUG_PRINT("RViewer: no sound bank %s.\n", name);
        UIObjectCloseAll();
        return 0;
    }
    s_sfx_bank* const previous = SfxSetDefaultBank(bank);
    SfxDialogOpen(DrawContext.screenCenter.x, DrawContext.screenCenter.y);
    while (!RViewerViewEnded()) {
        EventWait(1);
        // "Close" takes the window away; its names go with it.
        if (PlayDialog != nullptr && !UIObjectIsOpen(&PlayDialog->obj)) {
            PlayDialog = nullptr;
            SfxDialogFree();
        }
    }
    if (PlayDialog != nullptr)
        UIObjectClose(&PlayDialog->obj);
    PlayDialogsForget();
    SfxDialogFree();
    SfxSetDefaultBank(previous);
    SfxFree(bank);
    SfxStopAll();
    UIObjectCloseAll();
    return 0;
}
