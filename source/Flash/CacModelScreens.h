// The create-a-bowler screens: a background that draws the turning preview of the
// edited bowler (player slot 0) and the hint ticker, the main page (name, gender,
// hand) and one attribute page movie filled three ways (a man's first page, a
// woman's first page, the second page of glasses, shirt, pants and shoes). Every
// change goes at once into the look of slot 0's model and shows on the preview.
// The create-a-bowler flow owns the object for one visit.
#pragma once

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "source/Camera.h"
#include "source/Ticker.h"

struct SFP_SCREEN_INFO_t;

constexpr s32 CAC_NUM_LAYERS = 3;
constexpr s32 CAC_PAGE_ROWS = 4;  // rows of the attribute page movie
constexpr u32 CAC_VALUE_TEXT_SIZE = 30;
constexpr f32 CAC_GLIDE_SECONDS = 0.5f;

class CCacModelScreens {
public:
    CCacModelScreens();
    ~CCacModelScreens();
    CCacModelScreens(const CCacModelScreens&) = delete;
    CCacModelScreens& operator=(const CCacModelScreens&) = delete;

    s32 LoadBG();
    void LoadCACScreens();
    // editFlag clear: the preview starts from the default created-bowler look.
    void OpenBG(s32 editFlag);
    void CloseBG();
    void OpenSubScreenMain();
    // The name row's value.
    void SetNameText(const char* name);
    void OpenSubScreenMale1();
    void OpenSubScreenFemale1();
    void OpenSubScreen2();
    void CloseSubScreenMain();
    void CloseSubScreenGeneric();
    void KillSubScreenMain();
    void KillSubScreenGeneric();
    void Kill();
    void Update(SFP_SCREEN_INFO_t* info);
    void EnableTicker(s32 on);
    void ToggleRotateIcon(s32 show);
    // The background's accept hint: the keyboard's while it is up, else what A
    // does on the row under the cursor.
    void SetKeyboardNavText(s32 keyboard);
    // Rebuilds slot 0's model from its look and starts its idle animation.
    void UpdateAndResetBodyType();
    void SetNewBodyPos(const s_Vector3* target, f32 seconds);
    void UpdateBodyPos();
    void Draw();

    s_Vector3 m_vCurrModelPos;
    f32 m_fRotation = 0.0f;  // degrees to turn the preview on the next draw
    CTicker m_Ticker;
    s32 m_bDrawModel = 1;
    s32 m_iScreenBG = -1;
    s32 m_iScreenSubMain = -1;
    s32 m_iScreenSubGeneric = -1;
    // The 2-D modes the preview's drawing replaced, put back when the background closes.
    e_PROJ_MODE m_oldProjMode = DC_PROJ_ORTHO;
    e_COMBINE_MODE m_oldCombineMode = DC_COMBINE_ALPHA;
    s_Vector3 m_vModelFullBodyPos;
    s_Vector3 m_vModelHeadCloseUpPos;
    s_Vector3 m_vTarget{};
    s_Vector3 m_vTargetStart{};
    f32 m_fModelPosInterpTimer = -1.0f;  // seconds left of the glide; -1 when none
    f32 m_fModelPosTime = 0.0f;
    CCamera m_Camera;
    char m_TickerMessage2[300] = {};
    char m_TickerMessage3[300] = {};
    char m_sButtonTextBuf[CAC_PAGE_ROWS][CAC_VALUE_TEXT_SIZE] = {};

private:
    // True when the press opens the keyboard.
    bool UpdateMain(SFP_SCREEN_INFO_t* info);
    void ShowAcceptHint();
    // The attribute page, filled as the page open in the screen tracker.
    void UpdatePage(SFP_SCREEN_INFO_t* info);
    void OpenPage(s32 page);
    void MovePageCursor(SFP_SCREEN_INFO_t* info, s32 down);
    void ChangePageValue(s32 row, s32 right);
    void SetPageValueText(s32 row);
    void SetMainValueTexts();
    s32 PageRows() const;
    const s_Vector3* PoseOfRow(s32 row) const;
};

void CacModelScreensUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void MenuCACDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);

extern SFP_SCREEN_INFO_t CacModelScreen[CAC_NUM_LAYERS];
