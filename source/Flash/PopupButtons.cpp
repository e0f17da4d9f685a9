#include "source/Flash/PopupButtons.h"

namespace {

constexpr struct {
    s32 sprite;
    const char* text;
} kLabels[] = {
    {POPUP_TXT_YES, "YES"},
    {POPUP_TXT_NO, "NO"},
    {POPUP_TXT_OK, "OK"},
    {POPUP_TXT_RETRY, "RETRY"},
    {POPUP_TXT_CONTINUE, "CONTINUE"},
    {POPUP_TXT_CONTINUE_WII, "CONTINUE WITHOUT SAVING"},
    {POPUP_TXT_RETURN_WII, "RETURN TO THE Wii MENU"},
};

// A pair's sprites (buttons and their labels) and its buttons by the caller's
// default: zero, nonzero.
struct PairLayout {
    s32 numSprites;
    s32 sprites[4];
    eGenPopupButton start[2];
};
constexpr PairLayout kPairs[] = {
    {4,
     {POPUP_SPR_YES, POPUP_SPR_NO, POPUP_TXT_YES, POPUP_TXT_NO},
     {GENPOPUP_BUTTON_YES, GENPOPUP_BUTTON_NO}},
    {2, {POPUP_SPR_OK, POPUP_TXT_OK}, {GENPOPUP_BUTTON_OK, GENPOPUP_BUTTON_OK}},
    {4,
     {POPUP_SPR_RETRY, POPUP_SPR_CONTINUE, POPUP_TXT_RETRY, POPUP_TXT_CONTINUE},
     {GENPOPUP_BUTTON_RETRY, GENPOPUP_BUTTON_CONTINUE}},
    {4,
     {POPUP_SPR_RETURN_WII, POPUP_SPR_CONTINUE_WII, POPUP_TXT_RETURN_WII, POPUP_TXT_CONTINUE_WII},
     {GENPOPUP_BUTTON_RETURN_WII, GENPOPUP_BUTTON_CONTINUE_WII}},
};

}  // namespace

void PopupSetLabels(s32 handle) {
    for (const auto& label : kLabels)
        SFP2KSpriteSetText(handle, label.sprite, label.text);
}

eGenPopupButton PopupStartButton(ePopupPair pair, s32 defaultButton) {
    return kPairs[pair].start[defaultButton != 0 ? 1 : 0];
}

eGenPopupButton PopupOtherButton(ePopupPair pair, s32 cursor) {
    const eGenPopupButton* start = kPairs[pair].start;
    return cursor == start[0] ? start[1] : start[0];
}

void PopupShowPair(s32 handle, ePopupPair pair, s32 active, s32 defaultButton) {
    const PairLayout& layout = kPairs[pair];
    if (active != 0) {
        if (SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(handle))
            info->curButton = PopupStartButton(pair, defaultButton);
    }
    for (s32 i = 0; i < layout.numSprites; ++i) {
        if (active != 0)
            SFP2KSpriteShow(handle, layout.sprites[i]);
        else
            SFP2KSpriteHide(handle, layout.sprites[i]);
    }
}
