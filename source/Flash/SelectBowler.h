// The career's entry screen: the select view (new career or load one) and the
// slot view over the save file's four career slots, with the bowler of the slot
// under the cursor shown as a model with its wrist guard. The career main flow
// creates it, picks the view and reads the tracker and m_eSaveLoadProcess.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "source/Camera.h"
#include "source/Career/CareerTypes.h"

struct SFP_SCREEN_INFO_t;

class CSelectBowler {
public:
    CSelectBowler();
    ~CSelectBowler();
    CSelectBowler(const CSelectBowler&) = delete;
    CSelectBowler& operator=(const CSelectBowler&) = delete;

    s32 Load();
    void OpenBG();
    void CloseBG();
    void OpenSelectBowler(s32 career);
    void OpenLoadSaveBowler();
    // The slots' names, "Empty" for a free one, alike for loading and saving.
    void SetButtonText();
    void Update(SFP_SCREEN_INFO_t* info);
    void UpdateSelectBowler(SFP_SCREEN_INFO_t* info);
    void UpdateLoadSaveBowler(SFP_SCREEN_INFO_t* info);
    // Shows the saved bowler of slot 0..3 as the save image holds it; 0 for a free
    // slot. The career's current slot is left alone.
    s32 UpdateDisplayModel(u32 slot);
    void ToggleYesNoSprite();
    void Draw();
    void Close();
    void Kill();

    s_Vector3 m_vCurrModelPos{1.0f, -0.95f, -3.1f, 0.0f};
    s32 m_iScreenIds[2] = {-1, -1};  // background, select layer
    s32 m_bYesNoDisplayed = 0;
    s32 m_bPlayerAccept = 0;
    s32 m_bCareer = 0;
    s32 m_bDisplayModel = 0;
    CCamera m_Camera;
    eSAVELOAD_PROCESS m_eSaveLoadProcess = SAVELOAD_PROCESS_NONE;
};

void SelectBowlerUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void SelectBowlerDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);

extern SFP_SCREEN_INFO_t selectBowlerScreen[2];
