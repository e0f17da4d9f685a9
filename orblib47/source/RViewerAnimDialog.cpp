#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "orblib47/source/Anim.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/UIDialogInternal.h"

s_listbox AnimListBox{0, 0, nullptr, 0, 220, 4};

namespace {

constexpr u16 kPlayFlags = HANIM_FLAG_REPEAT | HANIM_FLAG_BLEND_STATIC | HANIM_FLAG_CLEAR_DATA_FLAGS;
constexpr f32 kFrame = 1.0f / 60.0f;
constexpr f32 kScaleStep = 0.05f;
constexpr u32 kSlowerKey = 0x00020000;
constexpr u32 kFasterKey = 0x00010000;

s_hanim* PlayingAnim() {
    const s_hmodel* hmodel = RVModelLocals.hmodel;
    return hmodel != nullptr ? hmodel->layer[ANIM_LAYER_PRIMARY].hanim : nullptr;
}

// Length of the prefix every name shares with the first; none for a single name.
size_t CommonPrefix(const s_hanim_header* bank) {
    if (bank->numAnim < 2)
        return 0;
    const char* first = bank->animList[0].name;
    size_t length = std::strlen(first);
    for (s32 i = 1; i < bank->numAnim; ++i) {
        const char* name = bank->animList[i].name;
        size_t k = 0;
        while (k < length && name[k] == first[k])
            ++k;
        length = k;
    }
    return length;
}

// Names like "idlex1" are variants of another animation and stay out of the list.
bool Listed(const char* name) {
    const size_t length = std::strlen(name);
    return length <= 2 || name[length - 2] != 'x';
}

void FreeLists(s_rvlocals* locals) {
    if (locals->animStrings != nullptr)
        HeapMallocFree(locals->animStrings);
    if (locals->animIndexRemap != nullptr)
        HeapMallocFree(locals->animIndexRemap);
    locals->animStrings = nullptr;
    locals->animIndexRemap = nullptr;
}

// Fills both lists from the bank; the number of rows.
s32 BuildLists(s_rvlocals* locals, const s_hanim_header* bank) {
    const u32 count = u32(bank->numAnim > 0 ? bank->numAnim : 0);
    locals->animStrings =
        static_cast<const char**>(HeapMalloc(count * sizeof(const char*) + 1, __FILE_NAME__, __LINE__));
    locals->animIndexRemap = static_cast<s_anim_index_remap*>(
        HeapMalloc(count * sizeof(s_anim_index_remap) + 1, __FILE_NAME__, __LINE__));
    if (locals->animStrings == nullptr || locals->animIndexRemap == nullptr) {
        FreeLists(locals);
        return -1;
    }
    const size_t prefix = CommonPrefix(bank);
    s32 rows = 0;
    for (u32 i = 0; i < count; ++i) {
        const char* name = bank->animList[i].name;
        if (Listed(name))
            locals->animIndexRemap[rows++] = {name + prefix, i};
    }
    std::qsort(locals->animIndexRemap, size_t(rows), sizeof(s_anim_index_remap), AnimNameSort);
    for (s32 i = 0; i < rows; ++i)
        locals->animStrings[i] = locals->animIndexRemap[i].name;
    return rows;
}

s32 AnimListFunc(s_ui_object* object, e_ui_obj_event_type event) {
    s_rvlocals& locals = RVModelLocals;
    const s32 row = reinterpret_cast<s_listbox_obj*>(object)->index;
    if (locals.animIndexRemap == nullptr || row < 0 || row >= AnimListBox.numItems)
        return 0;
    locals.animNum = s32(locals.animIndexRemap[row].index);
    if (event == UI_OBJ_EVENT_USER && (Mouse.buttonDoubleClick & UI_MOUSE_BUTTONS) != 0)
        RViewerStartAnim();
    return 0;
}

void AnimDialogDraw(s_window_obj* window) {
    const s_Irect16& r = window->obj.rect;
    const s16 height = s16(FontCharHeight() + 2.0f);
    const s_Irect16 strip{10, s16(r.h - 10 - height), s16(r.w - 20), height};
    UISetFlatColor(window->bkgColor);
    UIDrawRect(&strip);
    UIDrawBeveledRect(&strip, UI_BEVEL_DARK, UI_BEVEL_LIGHT);
    char text[64];
    AnimDialogStatus(text, sizeof(text));
    if (text[0] != '\0') {
        UISetFlatColor(0x000000FF);
        UIFontDrawString(text, f32(strip.x + 4), f32(strip.y + 1));
    }
}

s32 AnimDialogEventFunc(s_ui_object* object, e_ui_obj_event_type event) {
    if (event == UI_OBJ_EVENT_DRAW) {
        UIStartDrawToWindow(object);
        AnimDialogDraw(reinterpret_cast<s_window_obj*>(object));
        UIEndDrawToWindow();
    }
    return 0;
}

// Starts the chosen animation when nothing plays; true when something already played.
bool StartIfIdle() {
    if (PlayingAnim() != nullptr)
        return true;
    RViewerStartAnim();
    return false;
}

void StepBy(f32 delta) {
    s_hmodel* hmodel = RVModelLocals.hmodel;
    if (hmodel == nullptr)
        return;
    if (!StartIfIdle()) {
        HModelSetAnimScale(hmodel, 0.0f);
        return;
    }
    const f32 duration = HAnimGetDuration(PlayingAnim());
    f32 t = HModelGetAnimTime(hmodel) + delta;
    if (t > duration)
        t -= duration;
    if (t < 0.0f)
        t += duration;
    HModelSetAnimScale(hmodel, 0.0f);
    HModelSetAnimTime(hmodel, t);
}

void ScaleBy(f32 delta) {
    s_hmodel* hmodel = RVModelLocals.hmodel;
    if (hmodel != nullptr && StartIfIdle())
        HModelSetAnimScale(hmodel, HModelGetAnimScale(hmodel) + delta);
}

s_button_obj* IconButton(s_window_obj* window, s32 x, s32 y, const char* glyph, u32 padKey,
                         s32 (*func)(s_button_obj*)) {
    FontSet(DebugIconFont);
    FontSetScale(0.75f, 0.75f);
    s_button_obj* button = UIDialogButton(window, x, y, glyph, padKey, func);
    FontSet(DebugFont);
    FontSetScale(1.0f, 1.0f);
    return button;
}

}  // namespace

s_hanim_header* RViewerAnimBank(const s_rvlocals* locals) {
    return locals->hanimBank != nullptr ? locals->hanimBank : locals->hanim;
}

s32 AnimNameSort(const void* a, const void* b) {
    return strcasecmp(static_cast<const s_anim_index_remap*>(a)->name,
                      static_cast<const s_anim_index_remap*>(b)->name);
}

void AnimationDialogOpen(s_rvlocals* locals) {
    const s_hanim_header* bank = RViewerAnimBank(locals);
    if (locals->animDialog != nullptr || bank == nullptr)
        return;
    const s32 rows = BuildLists(locals, bank);
    if (rows < 0)
        return;
    s_window_obj* window =
        RViewerListWindow("Select Animation to Play", locals->animDialogX, locals->animDialogY, &AnimListBox,
                          locals->animStrings, rows, 0, AnimListFunc, 56);
    if (window == nullptr) {
        FreeLists(locals);
        return;
    }
    UIObjectSetEventFunc(&window->obj, AnimDialogEventFunc);
    // The list's own row of the chosen animation, when it is listed.
    for (s32 i = 0; i < rows; ++i)
        if (s32(locals->animIndexRemap[i].index) == locals->animNum)
            ListboxSetSelection(reinterpret_cast<s_listbox_obj*>(window->obj.childNext), i);
    s_Irect16& r = window->obj.rect;
    const s32 listWidth = r.w - 20;
    r.w = s16((listWidth > 300 ? listWidth : 300) + 20);
    const s32 y = r.h - 22;
    UIDialogButton(window, r.w - 60, y, "Close", PAD_B, CloseAnimButtonFunc);
    IconButton(window, 10, y, "O", PAD_Z, StopAnimButtonFunc);
    IconButton(window, 40, y, "H", PAD_A, PlayAnimButtonFunc);
    IconButton(window, 90, y, "M", PAD_LEFT, BackAnimButtonFunc);
    IconButton(window, 125, y, "N", PAD_RIGHT, StepAnimButtonFunc);
    IconButton(window, 180, y, "K", kSlowerKey, SlowAnimButtonFunc);
    if (s_button_obj* last = IconButton(window, 215, y, "L", kFasterKey, FastAnimButtonFunc))
        r.h = s16(r.h + last->obj.rect.h + 12);
    locals->animDialog = window;
}

void AnimationDialogClose(s_rvlocals* locals) {
    if (locals->animDialog == nullptr)
        return;
    locals->animDialogX = locals->animDialog->obj.rect.x;
    locals->animDialogY = locals->animDialog->obj.rect.y;
    FreeLists(locals);
    UIObjectRequestClose(&locals->animDialog->obj);
    locals->animDialog = nullptr;
}

void RViewerStartAnim() {
    s_rvlocals& locals = RVModelLocals;
    s_hanim_header* bank = RViewerAnimBank(&locals);
    if (locals.hmodel == nullptr || bank == nullptr)
        return;
    HModelPlayAnimFromBankAndId(locals.hmodel, bank, u32(locals.animNum) | u32(bank->bankNum) << 16, 1.0f,
                                kPlayFlags, 0);
}

void AnimDialogStatus(char* text, u32 size) {
    text[0] = '\0';
    const s_hanim* hanim = PlayingAnim();
    if (hanim == nullptr)
        return;
    const f32 scale = HAnimGetScale(hanim);
    if (scale == 0.0f)
        std::snprintf(text, size, "Frame %d of %d", s32(HAnimGetTime(hanim) * 60.0f),
                      s32(HAnimGetDuration(hanim) * 60.0f));
    else
        std::snprintf(text, size, "Time Scale: %02.2f", double(scale));
}

s32 PlayAnimButtonFunc(s_button_obj*) {
    RViewerStartAnim();
    return 1;
}

s32 StopAnimButtonFunc(s_button_obj*) {
    if (RVModelLocals.hmodel != nullptr)
        HModelStopAnim(RVModelLocals.hmodel);
    return 1;
}

s32 StepAnimButtonFunc(s_button_obj*) {
    StepBy(kFrame);
    return 1;
}

s32 BackAnimButtonFunc(s_button_obj*) {
    StepBy(-kFrame);
    return 1;
}

s32 FastAnimButtonFunc(s_button_obj*) {
    ScaleBy(kScaleStep);
    return 1;
}

s32 SlowAnimButtonFunc(s_button_obj*) {
    ScaleBy(-kScaleStep);
    return 1;
}

s32 CloseAnimButtonFunc(s_button_obj*) {
    AnimationDialogClose(&RVModelLocals);
    RViewerSetItemChecked(ViewMenuItems, VIEW_MENU_COUNT, VIEW_ANIMATION, false);
    RViewerSetItemChecked(ViewMenuItems, VIEW_MENU_COUNT, VIEW_EXPORT_TRANS, false);
    return 1;
}
