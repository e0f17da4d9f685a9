#include "source/Flash/QuickPlayFlash.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "orblib47/source/Sound.h"
#include "source/Career/UnlockMgr.h"
#include "source/Flash/FlashLocals.h"
#include "source/Flash/FlashSound.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/Players/Player.h"
#include "source/StateMgrs/ScreenTracker.h"

namespace {

constexpr s32 kButtonHand = 14;
constexpr s32 kSfxOpen = s32(0x80001996u), kSfxAccept = s32(0x80001997u), kSfxMove = s32(0x80001998u),
              kSfxClose = s32(0x80001999u), kSfxRefused = s32(0x8000199Au);

// Texts by string symbol.
constexpr u32 kTextSelect = 6892, kTextBack = 6889, kTextComputer = 6934, kTextNobody = 6935,
              kTextGameType = 6936, kTextStandard = 6937, kTextPractice = 6938, kTextAlley = 6939,
              kTextTicker = 6966, kTextLeft = 7008, kTextRight = 7009;
constexpr u32 kTextPlayer[QP_NUM_SLOTS] = {6929, 6930, 6931, 6932};
constexpr u32 kTextStatTitle[3] = {6963, 6964, 6965};
constexpr u32 kTextAlleyOfLevel[QP_NUM_LEVELS] = {6942, 6943, 6940, 6941, 6944, 6945, 6946,
                                                  6947, 6948, 6949, 6950, 6951, 6952, 6953,
                                                  6954, 6955, 6956, 6957, 6960, 6961, 6962};

// Row 0 sprites.
enum { kTxtSelect, kTxtBack, kFirstIcon };
// The location icon of each even level number, by level / 2.
constexpr s32 kIconOfLevel[QP_NUM_ALLEYS] = {0, 6, 7, 5, 1, 9, 10, 8, 2, 3, 4};

// Row 1 sprites: label and value of each row (0..11), the hands 12..15, then these.
enum { kTxtHand = 12, kSprLock = 16, kTxtTitle01 = 17, kTxtStat01 = 18 };

SFP_SCREEN_LABEL_t s_Labels[2][3] = {{{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}},
                                     {{"TransIn", 0}, {"Idle", 0}, {"TransOut", 0}}};
SFP_SCREEN_BTN_t s_Buttons[QP_NUM_ROWS] = {{"Button1", 0}, {"Button2", 0}, {"Button3", 0},
                                           {"Button4", 0}, {"Button5", 0}, {"Button6", 0}};
SFP_SCREEN_SPRITE_LOOKUP_t s_BGSprites[] = {
    {"txtSelect", 0, {}}, {"txtBack", 0, {}}, {"HOUSTON", 0, {}}, {"STLOUIS", 0, {}}, {"ATHENS", 0, {}},
    {"TOKYO", 0, {}},     {"JOES", 0, {}},    {"SANFRAN", 0, {}}, {"HAWAII", 0, {}},  {"RENO", 0, {}},
    {"PARIS", 0, {}},     {"DUBLIN", 0, {}},  {"LONDON", 0, {}},
};
SFP_SCREEN_SPRITE_LOOKUP_t s_MainSprites[] = {
    {"TxtBtn01", 0, {}},   {"txt01_down", 0, {}}, {"TxtBtn02", 0, {}},   {"txt02_down", 0, {}},
    {"TxtBtn03", 0, {}},   {"txt03_down", 0, {}}, {"TxtBtn04", 0, {}},   {"txt04_down", 0, {}},
    {"TxtBtn05", 0, {}},   {"txt05_down", 0, {}}, {"TxtBtn06", 0, {}},   {"txt06_down", 0, {}},
    {"txt01_hand", 0, {}}, {"txt02_hand", 0, {}}, {"txt03_hand", 0, {}}, {"txt04_hand", 0, {}},
    {"SprLock", 0, {}},    {"TxtTitle01", 0, {}}, {"TxtStat01", 0, {}},  {"TxtTitle02", 0, {}},
    {"TxtStat02", 0, {}},  {"TxtTitle03", 0, {}}, {"TxtStat03", 0, {}},
};

}  // namespace

SFP_SCREEN_INFO_t quickPlayFlashScreen[2] = {
    {
        .fileName = "QPBG",
        .subScreens = s_Labels[0],
        .Draw = QuickPlayDrawEvent,
        .numSpriteLookups = s32(std::size(s_BGSprites)),
        .spriteLookups = s_BGSprites,
    },
    {
        .fileName = "QP1",
        .numButtons = QP_NUM_ROWS,
        .subScreens = s_Labels[1],
        .Update = QuickPlayFlashUpdate,
        .numSpriteLookups = s32(std::size(s_MainSprites)),
        .spriteLookups = s_MainSprites,
        .buttons = s_Buttons,
    },
};

void QuickPlayFlashUpdate(s32 handle, SFP_SCREEN_INFO_t* info) {
    if (CQuickPlayFlash* owner = FlashOwner<CQuickPlayFlash>(handle))
        owner->Update(info);
}

CQuickPlayFlash::CQuickPlayFlash()
    : m_vCurrModelPos{{0.7f, -0.95f, -3.1f, 0},
                      {0.4f, -0.9f, -3.95f, 0},
                      {1.6f, -0.85f, -4.75f, 0},
                      {1.7f, -0.95f, -3.9f, 0}},
      m_vIdleModelPos{{0.7f, -0.95f, -3.1f, 0},
                      {0.4f, -0.9f, -3.95f, 0},
                      {1.6f, -0.85f, -4.75f, 0},
                      {1.7f, -0.95f, -3.9f, 0}} {
    for (s32 level = 0; level < QP_NUM_LEVELS; ++level)
        m_AlleyLocations[level] = SymbolText(kTextAlleyOfLevel[level]);
    s_Vector3 start{380, 430, 0, 0}, end{50, 430, 0, 0};
    m_Ticker.init(&start, &end, 0.75f, 0.75f, 2.0f, 0.5f);
    // Disc text: a long one is cut to the buffer.
    std::snprintf(m_TickerMessage, sizeof(m_TickerMessage), "%s", SymbolText(kTextTicker));
    m_Ticker.setTickerText(m_TickerMessage);
    m_Ticker.setTextColor(0xFFFFFFFF);
    m_Ticker.setDelayTime(1.0f);
}

CQuickPlayFlash::~CQuickPlayFlash() {
    Kill();
    // The level builds the models again from the looks the players keep.
    for (CPlayer& player : g_Players)
        player.m_PlayerConstruction.FreeAll();
    for (CBallConstruction& ball : m_BallConstruction)
        ball.Reset();
}

s32 CQuickPlayFlash::LoadBG() {
    m_nCurrModelIndex = 0;
    m_iScreenBG = FlashLoad(quickPlayFlashScreen[0], this);
    if (m_iScreenBG == -1)
        return 0;
    m_Camera.SetAutoCameraMode(E_CAMERA_MODE_INVALID);
    // Back, wide and looking past the turntable's left, so that the bowlers of our
    // parts archive stand whole on its floor, right of the list, under the menu's
    // title and above the alley's badge.
    const s_Vector3 lookAt{-1.2f, -0.2f, -1, 0}, position{-0.6f, 0.5f, 4.0f, 0};
    m_Camera.SetLookAt(&lookAt);
    m_Camera.SetPosition(&position);
    m_Camera.m_fov = 58.0f;
    m_Camera.Update();
    return 1;
}

void CQuickPlayFlash::OpenBG() {
    if (!FlashOpenOnce(m_iScreenBG))
        return;
    SFP2KSpriteSetText(m_iScreenBG, kTxtSelect, SymbolText(kTextSelect));
    SFP2KSpriteSetText(m_iScreenBG, kTxtBack, SymbolText(kTextBack));
    SetAlleyText();
}

void CQuickPlayFlash::CloseBG() {
    FlashClose(m_iScreenBG);
}

void CQuickPlayFlash::KillBG() {
    FlashKill(m_iScreenBG);
}

s32 CQuickPlayFlash::LoadMain() {
    m_iScreenMain = FlashLoad(quickPlayFlashScreen[1], this);
    if (m_iScreenMain == -1)
        return 0;
    // The descriptor outlives the screen: a new set-up starts on player 1.
    quickPlayFlashScreen[1].curButton = 0;
    return 1;
}

void CQuickPlayFlash::OpenMain() {
    if (!FlashOpenOnce(m_iScreenMain))
        return;
    for (s32 row = 0; row < QP_NUM_ROWS; ++row) {
        SetPrimaryText(row);
        SetButtonSecondaryText(row);
    }
    for (s32 i = 0; i < 3; ++i)
        SFP2KSpriteSetText(m_iScreenMain, kTxtTitle01 + 2 * i, SymbolText(kTextStatTitle[i]));
    for (CBallConstruction& ball : m_BallConstruction)
        ball.UpdateBallTexture(0, 0);
    UpdateModel(0);
    for (s32 slot = 0; slot < QP_NUM_SLOTS; ++slot) {
        const s_Vector3& at = m_vCurrModelPos[slot];
        g_Players[slot].m_PlayerConstruction.AnimInit(at.x, at.y, at.z);
    }
    CPlayerConstruction& first = g_Players[0].m_PlayerConstruction;
    if (m_bModelRotated[0] == 0) {
        first.SetRotationY(-36.0f);
        first.SetRotationX(9.0f);
        first.SetRotationZ(-5.0f);
        m_bModelRotated[0] = 1;
    }
    FlashPlaySound(kSfxOpen);
    g_ScreenTracker.m_CurrScreen = eScreen_List_QuickPlayMain;
    SFP2KSpriteHide(m_iScreenMain, kSprLock);
    m_Ticker.m_bPaused = 0;
}

void CQuickPlayFlash::CloseMain() {
    if (!FlashClose(m_iScreenMain))
        return;
    if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS)
        FlashPlaySound(kSfxClose);
}

void CQuickPlayFlash::KillMain() {
    FlashKill(m_iScreenMain);
}

void CQuickPlayFlash::Kill() {
    KillMain();
    KillBG();
}

const s_DBQPBowler* CQuickPlayFlash::Entry(s32 row) const {
    const s32 entry = m_iBowlerSelectIndices[row];
    return entry >= 0 && u32(entry) < uDBQPBowlerCount ? &qpBowlersList[entry] : nullptr;
}

s32 CQuickPlayFlash::ChosenLevel() const {
    return m_OrderedAlleyIndices[m_iButtonIndices[QP_ROW_ALLEY]];
}

void CQuickPlayFlash::SetPrimaryText(s32 row) {
    u32 text = row == QP_ROW_GAME_TYPE ? kTextGameType : kTextAlley;
    if (row < QP_NUM_SLOTS)
        text = m_iButtonIndices[row] == QP_BOWLER_CPU ? kTextComputer : kTextPlayer[row];
    SFP2KSpriteSetText(m_iScreenMain, 2 * row, SymbolText(text));
}

void CQuickPlayFlash::SetButtonSecondaryText(s32 row) {
    if (row < QP_NUM_SLOTS && SFP2KButtonIsDown(m_iScreenMain, row)) {
        const s32 left = g_Players[row].m_PlayerConstruction.m_CharacterAttributes.hand != 0;
        SFP2KSpriteSetText(m_iScreenMain, kTxtHand + row, SymbolText(left ? kTextLeft : kTextRight));
    } else if (row < QP_NUM_SLOTS) {
        SFP2KSpriteSetText(m_iScreenMain, kTxtHand + row, "");
        SetOpponentText(row);
    } else if (row == QP_ROW_GAME_TYPE) {
        SetGameTypeText();
    } else {
        SetAlleyText();
    }
}

void CQuickPlayFlash::SetOpponentText(s32 row) {
    const s_DBQPBowler* entry = Entry(row);
    const char* name = SymbolText(kTextNobody);
    if (m_iButtonIndices[row] != QP_BOWLER_NOBODY && entry != nullptr && entry->m_FirstName != nullptr)
        name = entry->m_FirstName;
    SFP2KSpriteSetText(m_iScreenMain, 2 * row + 1, name);
}

void CQuickPlayFlash::SetGameTypeText() {
    const s32 practice = m_iButtonIndices[QP_ROW_GAME_TYPE] != 0;
    SFP2KSpriteSetText(m_iScreenMain, 2 * QP_ROW_GAME_TYPE + 1,
                       SymbolText(practice ? kTextPractice : kTextStandard));
    g_GameSettings.m_Current.gameType = practice ? eGameType_Practice : eGameType_Standard;
    if (!practice)
        return;
    // Practice has no computer bowlers: player 1 takes a list bowler, the others nobody.
    for (s32 row = 0; row < QP_NUM_SLOTS; ++row) {
        if (m_iButtonIndices[row] != QP_BOWLER_CPU)
            continue;
        m_iButtonIndices[row] = row == 0 ? QP_BOWLER_LIST : QP_BOWLER_NOBODY;
        SetPrimaryText(row);
        SetOpponentText(row);
        UpdateModel(row);
    }
    m_bResetModelPos = 1;
}

void CQuickPlayFlash::SetAlleyText() {
    const s32 level = ChosenLevel();
    SFP2KSpriteSetText(m_iScreenMain, 2 * QP_ROW_ALLEY + 1, m_AlleyLocations[level]);
    if (g_UnlockMgr.GetLevelLocked(level))
        SFP2KSpriteShow(m_iScreenMain, kSprLock);
    else
        SFP2KSpriteHide(m_iScreenMain, kSprLock);
    for (s32 icon = 0; icon < QP_NUM_ALLEYS; ++icon)
        SFP2KSpriteHide(m_iScreenBG, kFirstIcon + icon);
    SFP2KSpriteShow(m_iScreenBG, kFirstIcon + kIconOfLevel[level / 2]);
}

void CQuickPlayFlash::SetBowlerStatText(s32 row) {
    const s_DBQPBowler* entry = Entry(row);
    if (entry == nullptr)
        return;
    std::snprintf(m_sArmStrength, sizeof(m_sArmStrength), "%d", entry->m_uStrength);
    std::snprintf(m_sAccuracy, sizeof(m_sAccuracy), "%d", entry->m_uAccuracy);
    std::snprintf(m_sControl, sizeof(m_sControl), "%d", entry->m_uHookControl);
    SFP2KSpriteSetText(m_iScreenMain, kTxtStat01, m_sArmStrength);
    SFP2KSpriteSetText(m_iScreenMain, kTxtStat01 + 2, m_sAccuracy);
    SFP2KSpriteSetText(m_iScreenMain, kTxtStat01 + 4, m_sControl);
}

s32 CQuickPlayFlash::GetRandomCPUBowler() const {
    s32 taken[QP_NUM_SLOTS];
    s32 count = 0;
    for (s32 row = 0; row < QP_NUM_SLOTS; ++row) {
        if (m_iButtonIndices[row] == QP_BOWLER_NOBODY)
            continue;
        const s32 entry = m_iBowlerSelectIndices[row];
        // Kept ascending, each entry once.
        s32 at = 0;
        while (at < count && taken[at] < entry)
            ++at;
        if (at < count && taken[at] == entry)
            continue;
        for (s32 i = count; i > at; --i)
            taken[i] = taken[i - 1];
        taken[at] = entry;
        ++count;
    }
    const s32 listSize = s32(uDBQPBowlerCount);
    // With every entry chosen already, a repeat cannot be avoided.
    if (listSize <= count)
        return 0;
    s32 r = std::rand() % (listSize - count);
    for (s32 i = 0; i < count; ++i)
        if (taken[i] <= r)
            ++r;
    return std::min(r, listSize - 1);
}

void CQuickPlayFlash::ChangeBowler(s32 row, s32 right) {
    s32& kind = m_iButtonIndices[row];
    s32& entry = m_iBowlerSelectIndices[row];
    const s32 last = std::max(s32(uDBQPBowlerCount) - 1, 0);
    const bool practice = m_iButtonIndices[QP_ROW_GAME_TYPE] != 0;
    auto toCpu = [&] {
        kind = QP_BOWLER_CPU;
        entry = GetRandomCPUBowler();
    };
    if (row == 0) {
        if (kind == QP_BOWLER_CPU) {
            kind = QP_BOWLER_LIST;
            entry = right ? 0 : last;
        } else if (right ? entry < last : entry > 0) {
            entry += right ? 1 : -1;
        } else if (practice) {
            entry = right ? 0 : last;
        } else {
            toCpu();
        }
        return;
    }
    // Rows 1..3 cycle: list 0..last, computer (not in practice), nobody, list 0.
    if (right) {
        if (kind == QP_BOWLER_LIST && entry < last) {
            ++entry;
        } else if (kind == QP_BOWLER_LIST && !practice) {
            toCpu();
        } else if (kind == QP_BOWLER_NOBODY) {
            kind = QP_BOWLER_LIST;
            entry = 0;
        } else {
            kind = QP_BOWLER_NOBODY;
        }
    } else if (kind == QP_BOWLER_LIST && entry > 0) {
        --entry;
    } else if (kind == QP_BOWLER_LIST) {
        kind = QP_BOWLER_NOBODY;
    } else if (kind == QP_BOWLER_NOBODY && !practice) {
        toCpu();
    } else {
        kind = QP_BOWLER_LIST;
        entry = last;
    }
}

void CQuickPlayFlash::MoveCursor(SFP_SCREEN_INFO_t* info, s32 down) {
    FlashPlaySound(kSfxMove);
    SFP2KClearButtonDown(m_iScreenMain, info->curButton);
    if (info->curButton < QP_NUM_SLOTS)
        SetButtonSecondaryText(info->curButton);
    if (m_bDirChangedFlag != down && m_fCurrentMoved > 0.01f)
        m_fCurrentMoved = 1.0f - m_fCurrentMoved;
    m_bDirChangedFlag = down;
    const s32 row = (info->curButton + (down ? 1 : QP_NUM_ROWS - 1)) % QP_NUM_ROWS;
    info->curButton = row;
    if (row < QP_NUM_SLOTS && m_bDisplayModel[row]) {
        m_TargetIdlePos = GetAbsolutePos(row);
        SetBowlerStatText(row);
    }
    if ((down && row == QP_ROW_GAME_TYPE) || (!down && row == QP_ROW_ALLEY)) {
        m_Ticker.m_bPaused = 1;
    } else if ((down && row == 0) || (!down && row == QP_NUM_SLOTS - 1)) {
        m_Ticker.ResetPos();
        m_Ticker.m_bPaused = 0;
    }
}

void CQuickPlayFlash::Update(SFP_SCREEN_INFO_t* info) {
    if (SFP2KButton(kButtonDown, kNewPress)) {
        MoveCursor(info, 1);
    } else if (SFP2KButton(kButtonUp, kNewPress)) {
        MoveCursor(info, 0);
    }
    const s32 row = info->curButton;
    const s32 right = SFP2KButton(kButtonRight, kNewPress);
    if (right || SFP2KButton(kButtonLeft, kNewPress)) {
        FlashPlaySound(kSfxMove);
        if (row < QP_NUM_SLOTS && SFP2KButtonIsDown(m_iScreenMain, row)) {
            s32& hand = g_Players[row].m_PlayerConstruction.m_CharacterAttributes.hand;
            hand = !hand;
            SetButtonSecondaryText(row);
            PlayHandedAnim(row);
        } else if (row < QP_NUM_SLOTS) {
            ChangeBowler(row, right);
            SetPrimaryText(row);
            SetButtonSecondaryText(row);
            UpdateModel(row);
        } else if (row == QP_ROW_GAME_TYPE) {
            m_iButtonIndices[row] = !m_iButtonIndices[row];
            SetGameTypeText();
        } else {
            m_iButtonIndices[row] = (m_iButtonIndices[row] + (right ? 1 : QP_NUM_ALLEYS - 1)) % QP_NUM_ALLEYS;
            SetAlleyText();
        }
        if (row < QP_NUM_SLOTS)
            m_TargetIdlePos = GetAbsolutePos(row);
    }
    if (SFP2KButton(kButtonBack, kNewPress)) {
        FlashPlaySound(kSfxAccept);
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    } else if (SFP2KButton(kButtonAccept, kNewPress)) {
        if (g_UnlockMgr.GetLevelLocked(ChosenLevel())) {
            FlashPlaySound(kSfxRefused);
        } else {
            FlashPlaySound(kSfxAccept);
            SetGameSettings();
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
        }
    } else if (SFP2KButton(kButtonHand, kNewPress) && row < QP_NUM_SLOTS) {
        SFP2KSetButtonDown(m_iScreenMain, row, !SFP2KButtonIsDown(m_iScreenMain, row));
        SetButtonSecondaryText(row);
        FlashPlaySound(kSfxAccept);
    }
    m_Camera.Update();
    m_nCurrModelIndex = info->curButton;
    if (m_bResetModelPos != 0) {
        m_bResetModelPos = 0;
        m_nCurrModelIndex = 0;
        m_TargetIdlePos = ePos_Front;
    }
    UpdateModelPos();
}

void CQuickPlayFlash::SetGameSettings() {
    g_ScreenTracker.m_LevelToLoad = ChosenLevel();
    s32 players = 0;
    const bool practice = m_iButtonIndices[QP_ROW_GAME_TYPE] != 0;
    for (s32 row = 0; row < QP_NUM_SLOTS; ++row) {
        if (row != 0 && m_iButtonIndices[row] == QP_BOWLER_NOBODY)
            continue;
        // The hand chosen on this screen, read before an earlier slot is written over.
        const s32 hand = g_Players[row].m_PlayerConstruction.m_CharacterAttributes.hand;
        CPlayer& player = g_Players[players++];
        player.bIsHumanPlayer = m_iButtonIndices[row] == QP_BOWLER_CPU && !practice ? 0 : 1;
        const s_DBQPBowler* entry = Entry(row);
        if (entry == nullptr)
            continue;
        player.setStats(entry->m_uStrength, entry->m_uAccuracy, entry->m_uHookControl, entry->m_uStamina,
                        hand);
        player.m_PlayerConstruction.SetAttributes(entry);
        player.SetName(entry->m_FirstName);
        // An index with no item leaves the slot empty (the house ball), not the last game's ball.
        const s_DBItem* balls[2] = {};
        for (u32 i = 0; i < uDBItemCount; ++i) {
            if (ItemsList[i].m_Index == entry->m_uPrimaryBall)
                balls[0] = &ItemsList[i];
            if (ItemsList[i].m_Index == entry->m_uSecondaryBall)
                balls[1] = &ItemsList[i];
        }
        player.m_Balls[0] = player.m_Balls[1] = nullptr;
        player.equipBowler(balls[0], balls[1]);
    }
    g_GameSettings.m_Current.iNumPlayers = players;
}
