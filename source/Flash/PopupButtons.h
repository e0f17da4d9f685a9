// The buttons the general popup and the save popup share: their movies hold the
// same seven buttons with their labels, shown in pairs.
#pragma once

#include <array>

#include "source/Flash/GenPopupFlash.h"
#include "source/SFP/SFP2K.h"

// Sprite lookups, in the descriptors' order.
enum ePopupSprite : s32 {
    POPUP_TXT_MESSAGE,
    POPUP_TXT_YES,
    POPUP_TXT_NO,
    POPUP_TXT_OK,
    POPUP_TXT_RETRY,
    POPUP_TXT_CONTINUE,
    POPUP_TXT_CONTINUE_WII,
    POPUP_TXT_RETURN_WII,
    POPUP_SPR_YES,
    POPUP_SPR_NO,
    POPUP_SPR_OK,
    POPUP_SPR_RETRY,
    POPUP_SPR_CONTINUE,
    POPUP_SPR_CONTINUE_WII,
    POPUP_SPR_RETURN_WII,
    POPUP_NUM_SPRITES,
};

// The sets of buttons shown together.
enum ePopupPair : s32 {
    POPUP_PAIR_YES_NO,
    POPUP_PAIR_OK,
    POPUP_PAIR_RETRY_CONTINUE,
    POPUP_PAIR_CONTINUE_RETURN_WII,
};

// A screen's own tables (the player fills them); the movies differ only in the
// name of the OK label's text field.
constexpr std::array<SFP_SCREEN_SPRITE_LOOKUP_t, POPUP_NUM_SPRITES> PopupSprites(const char* okText) {
    return {{{"txtMessage", 0, {}},
             {"txtYes", 0, {}},
             {"txtNo", 0, {}},
             {okText, 0, {}},
             {"txtRetry", 0, {}},
             {"txtContinue", 0, {}},
             {"txtContinueWii", 0, {}},
             {"txtReturnWii", 0, {}},
             {"ButtonYes", 0, {}},
             {"ButtonNo", 0, {}},
             {"ButtonOK", 0, {}},
             {"ButtonRetry", 0, {}},
             {"ButtonContinue", 0, {}},
             {"BtnContinueWii", 0, {}},
             {"BtnReturnWii", 0, {}}}};
}

constexpr std::array<SFP_SCREEN_BTN_t, GENPOPUP_NUM_BUTTONS> PopupButtons() {
    return {{{"ButtonYes", 0},
             {"ButtonNo", 0},
             {"ButtonOK", 0},
             {"ButtonRetry", 0},
             {"ButtonContinue", 0},
             {"BtnContinueWii", 0},
             {"BtnReturnWii", 0}}};
}

// The button labels are the popups' own, the same in every language.
void PopupSetLabels(s32 handle);

// The button the cursor starts on when `pair` is shown: the second of a pair
// when `defaultButton` is nonzero (No, Continue, continue without saving).
eGenPopupButton PopupStartButton(ePopupPair pair, s32 defaultButton);
// The other button of `pair`.
eGenPopupButton PopupOtherButton(ePopupPair pair, s32 cursor);

// Shows or hides the buttons and labels of `pair`; showing puts the cursor on
// its start button.
void PopupShowPair(s32 handle, ePopupPair pair, s32 active, s32 defaultButton);
