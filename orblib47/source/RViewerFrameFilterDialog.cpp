#include "orblib47/source/FrameFilter.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbEnum.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "orblib47/source/UIDialogInternal.h"

s_listbox FrameFilterListBox{0, 0, nullptr, 0, 220, 4};

const s_orb_enum OrbFrameFilterTypes[] = {
    {ORB_FILTER_MODE_NONE, "NONE", "None"},
    {ORB_FILTER_MODE_USER_DEFINED, "USER_DEFINED", "User Defined"},
    {ORB_FILTER_MODE_TEST, "TEST", "Test"},
    {ORB_FILTER_MODE_REDWORLD, "REDWORLD", "RedWorld"},
    {ORB_FILTER_MODE_TEST_GLOW, "TEST_GLOW", "TestGlow"},
    {ORB_FILTER_MODE_GLOW, "GLOW", "Glow"},
    {ORB_FILTER_MODE_BLUR_GLOW, "BLUR_GLOW", "Blured Glow"},
    {ORB_FILTER_MODE_BLUR_Multi_GLOW, "BLUR_MULTI_GLOW", "Blured Multi Glow"},
    {ORB_FILTER_MODE_BLUR, "BLUR", "Blur"},
    {ORB_FILTER_MODE_EDGE_DETECT, "EDGE_DETECT", "Edge Detect"},
    {ORB_FILTER_MODE_SECURITY_CAMERA, "SECURITY_CAMERA", "SecurityCamera"},
    {0, nullptr, nullptr},
};

namespace {

// A new row switches the filter at once; the current row changes nothing.
s32 FrameFilterListFunc(s_ui_object* object, e_ui_obj_event_type) {
    const s32 row = reinterpret_cast<s_listbox_obj*>(object)->index;
    if (row != RVModelLocals.frameFilterNum) {
        RVModelLocals.frameFilterNum = row;
        OrbFrameFilter.Set(e_ORB_FILTER_MODE(row));
    }
    return 0;
}

}  // namespace

void FrameFilterDialogOpen(s_rvlocals* locals) {
    if (locals->frameFilterDialog != nullptr)
        return;
    s32 count = 0;
    locals->frameFilterStrings = RViewerEnumStrings(OrbFrameFilterTypes, &count);
    if (locals->frameFilterStrings == nullptr)
        return;
    s_window_obj* window =
        RViewerListWindow("Select Frame Filter Mode", locals->frameFilterDialogX, locals->frameFilterDialogY,
                          &FrameFilterListBox, locals->frameFilterStrings, count, locals->frameFilterNum,
                          FrameFilterListFunc, 36);
    if (window == nullptr) {
        HeapMallocFree(locals->frameFilterStrings);
        locals->frameFilterStrings = nullptr;
        return;
    }
    s_Irect16& r = window->obj.rect;
    s_button_obj* close =
        UIDialogButton(window, r.w - 74, r.h + 4, "Close", PAD_B, CloseFrameFilterButtonFunc);
    if (close != nullptr)
        r.h = s16(r.h + close->obj.rect.h + 12);
    locals->frameFilterDialog = window;
}

void FrameFilterDialogClose(s_rvlocals* locals) {
    RViewerListWindowClose(&locals->frameFilterDialog, &locals->frameFilterStrings,
                           &locals->frameFilterDialogX, &locals->frameFilterDialogY);
}

s32 CloseFrameFilterButtonFunc(s_button_obj*) {
    FrameFilterDialogClose(&RVModelLocals);
    return 1;
}
