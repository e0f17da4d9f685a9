// The quick-play set-up: up to four bowlers (list bowler, computer bowler or
// nobody), their hands, the game type and the alley, with the chosen bowlers on
// a turntable of four places. The main-menu flow owns the object; QuickPlayFlow
// opens and closes its two layers.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Camera.h"
#include "source/Career/ItemConstruction.h"
#include "source/Ticker.h"

struct SFP_SCREEN_INFO_t;

enum eQPModelPos : s32 { ePos_Front = 0, ePos_Left = 1, ePos_Back = 2, ePos_Right = 3 };

constexpr s32 QP_NUM_ROWS = 6;
constexpr s32 QP_NUM_SLOTS = 4;
constexpr s32 QP_ROW_GAME_TYPE = 4;
constexpr s32 QP_ROW_ALLEY = 5;
constexpr s32 QP_NUM_ALLEYS = 11;
constexpr s32 QP_NUM_LEVELS = 21;
// Values of a player row.
constexpr s32 QP_BOWLER_LIST = 0;
constexpr s32 QP_BOWLER_CPU = 1;
constexpr s32 QP_BOWLER_NOBODY = 2;

class CQuickPlayFlash {
public:
    CQuickPlayFlash();
    ~CQuickPlayFlash();
    CQuickPlayFlash(const CQuickPlayFlash&) = delete;
    CQuickPlayFlash& operator=(const CQuickPlayFlash&) = delete;

    s32 LoadBG();
    void OpenBG();
    void CloseBG();
    void KillBG();
    s32 LoadMain();
    void OpenMain();
    void CloseMain();
    void KillMain();
    void Kill();
    void Update(SFP_SCREEN_INFO_t* info);
    void Draw();

    // A list entry no other chosen slot has, drawn at random.
    s32 GetRandomCPUBowler() const;
    // Writes the level, the number of players, the game type and the players.
    void SetGameSettings();
    // Turntable.
    void UpdateModelPos();
    eQPModelPos GetAbsolutePos(s32 row) const;
    eQPModelPos GetNextPosition(eQPModelPos from, eQPModelPos to);

    s_Vector3 m_vCurrModelPos[QP_NUM_SLOTS];
    CTicker m_Ticker;
    CBallConstruction m_BallConstruction[QP_NUM_SLOTS];
    s32 m_iScreenBG = -1;
    s32 m_iScreenMain = -1;
    s32 m_nCurrModelIndex = 0;
    s32 m_iButtonIndices[QP_NUM_ROWS] = {QP_BOWLER_LIST, QP_BOWLER_NOBODY, QP_BOWLER_NOBODY,
                                         QP_BOWLER_NOBODY};
    s32 m_iBowlerSelectIndices[QP_NUM_ROWS] = {};
    s32 m_bDisplayModel[QP_NUM_ROWS] = {};
    const char* m_AlleyLocations[QP_NUM_LEVELS] = {};
    u8 m_OrderedAlleyIndices[QP_NUM_ALLEYS] = {20, 0, 18, 2, 4, 6, 8, 10, 12, 14, 16};
    CCamera m_Camera;
    char m_TickerMessage[300] = {};
    s32 m_bModelRotated[QP_NUM_SLOTS] = {};
    s_Vector3 m_vIdleModelPos[QP_NUM_SLOTS];
    f32 m_fCurrentMoved = 0.0f;
    eQPModelPos m_CurrIdlePos = ePos_Front;
    eQPModelPos m_TargetIdlePos = ePos_Front;
    s32 m_bDirChangedFlag = 0;
    s32 m_bRight = 0;
    s32 m_bResetModelPos = 0;
    char m_sArmStrength[10] = {};
    char m_sAccuracy[10] = {};
    char m_sControl[10] = {};

private:
    void SetPrimaryText(s32 row);
    void SetButtonSecondaryText(s32 row);
    void SetOpponentText(s32 row);
    void SetGameTypeText();
    void SetAlleyText();
    void SetBowlerStatText(s32 row);
    void UpdateModel(s32 row);
    void PlayHandedAnim(s32 slot);
    void ChangeBowler(s32 row, s32 right);
    void MoveCursor(SFP_SCREEN_INFO_t* info, s32 down);
    s32 ChosenLevel() const;
    const s_DBQPBowler* Entry(s32 row) const;
};

void QuickPlayFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info);
void QuickPlayDrawEvent(s32 handle, SFP_SCREEN_INFO_t* info, char* label);

extern SFP_SCREEN_INFO_t quickPlayFlashScreen[2];
