#include "source/StateMgrs/LevelFlow.h"

#include <cstdarg>
#include <cstdio>

#include "orblib47/source/DrawFade.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Career/TrophyMgr.h"
#include "source/Career/UnlockMgr.h"
#include "source/ControllerMessage.h"
#include "source/Flash/LoadScreens.h"
#include "source/Flash/OilPatternFlash.h"
#include "source/Flash/PickPinsScreen.h"
#include "source/Flash/ScoreBoardFlash.h"
#include "source/Flash/SplashFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Objects/Object.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/CareerAutosave.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "source/Wii_HomeButton.h"

LevelFlow g_LevelFlow;
CLoadScreens* pLoadScreens = nullptr;
COilPatternFlash* pOilPattern = nullptr;
CScoreBoardFlash* pScoreBoard = nullptr;

namespace {

constexpr u32 kTextAnotherGame = 7271;  // string symbols
constexpr u32 kTextTournamentLoss = 7272;
constexpr u32 kTextLoadFailed = 7059;
constexpr u32 kBlack = 0x000000FF;

// The flow's states, in the order a game goes through them.
enum : s32 {
    kWaitForLevel,
    kAttract = LEVEL_FLOW_ATTRACT,
    kLoading,
    kLoaded,  // the loading screen closes
    kStart,
    kIntro,  // the camera's pan before the oil-pattern briefing
    kOilPattern,
    kOilPatternClosing,
    kPlay,
    kPostGame,
    kSplash,
    kSplashShowing,
    kSplashGone,
    kScoreBoard,
    kScoreBoardShowing,
    kScoreBoardClosing,
    kNextGameChoice,
    kCareerSummary,
    kSummaryPopup,
    kAnotherGamePopup,  // the question of another league game, or a message after the summary
    kTrophies,
    kUnlockPopup,
    kAutosaveChoice,
    kAutosave,
    kUnload,
};

bool Career() {
    return g_GameSettings.m_Current.gameMode == eGameMode_Career;
}

bool Practice() {
    return g_GameSettings.m_Current.gameType == eGameType_Practice;
}

bool Attract() {
    return g_LevelMgr.bAttractModeEnabled != 0;
}

eEventType CurrentEventType() {
    return pEventManager != nullptr ? pEventManager->m_CurrentEventType : eEventType_Practice;
}

bool PreviousWasTournament() {
    return pEventManager != nullptr && pEventManager->GetPreviousEventType() == eEventType_Tournament;
}

u32 TournamentPlace() {
    return pLeagueManager != nullptr ? pLeagueManager->GetLeague()->m_PlayerTournamentPlace : 0;
}

bool OnPodium() {
    const u32 place = TournamentPlace();
    return place >= 1 && place <= 3;
}

bool LeagueNight() {
    return CurrentEventType() == eEventType_LeagueNight;
}

// Appends to a bounded buffer; what does not fit is cut.
void Append(char* out, u32 size, u32& used, const char* format, ...) {
    if (used + 1 >= size)
        return;
    va_list args;
    va_start(args, format);
    const s32 n = std::vsnprintf(out + used, size - used, format, args);
    va_end(args);
    if (n > 0)
        used = n < s32(size - used) ? used + u32(n) : size - 1;
}

template <class T>
void Delete(T*& screen) {
    delete screen;
    screen = nullptr;
}

}  // namespace

void LevelFlow::FormatSummary(char* out, u32 size, u32 flags, const s_Character_Stats& stats, s32 repChange,
                              u32 place, u32 prize) {
    if (size == 0)
        return;
    out[0] = '\0';
    u32 used = 0;
    Append(out, size, used, "%s", (flags & REPUTATION_DOWN) != 0 ? "Summary:\n" : "Congratulations!\n");
    const struct {
        u32 bit;
        const char* line;
        u32 value;
    } skills[] = {
        {SKILL_RAISED_ARM_STRENGTH, "Your Arm Strength has increased to %d.\n", stats.m_ArmStrength},
        {SKILL_RAISED_ACCURACY, "Your Accuracy has increased to %d.\n", stats.m_Accuracy},
        {SKILL_RAISED_HOOK_CONTROL, "Your Hook Control has increased to %d.\n", stats.m_HookControl},
        {SKILL_RAISED_STAMINA, "Your Stamina has increased to %d.\n", stats.m_Stamina},
    };
    for (const auto& skill : skills)
        if ((flags & skill.bit) != 0)
            Append(out, size, used, skill.line, s32(skill.value));
    if ((flags & REPUTATION_UP) != 0)
        Append(out, size, used, "Your Reputation has increased by %d.\n", repChange);
    else if ((flags & REPUTATION_DOWN) != 0)
        Append(out, size, used, "Your Reputation has decreased by %d.\n", -repChange);
    constexpr const char* kPlaces[] = {"1st", "2nd", "3rd"};
    if (place >= 1 && place <= 3)
        Append(out, size, used, "You won %s place.  You earned $%d.", kPlaces[place - 1], s32(prize));
}

void LevelFlow::StartLoad(s32 level) {
    HomeButtonEnable(0);
    ControllerMessageDisable();
    PickPinsScreenInstall();
    if (pLoadScreens == nullptr)
        pLoadScreens = new CLoadScreens;
    if (pLoadScreens->Load(FLASH_LOAD_SCREEN_1) != 0)
        pLoadScreens->Open();
    m_bLoadFailed = 0;
    m_fLoadTimer = LEVEL_FLOW_MIN_LOAD_SECONDS;
    m_fLoadTime = 0.0f;
    if (level >= 0 && level < LevelMgrLevelCount)
        g_LevelMgr.LoadLevel(&LevelMgrLevelList[level]);
    else
        m_bLoadFailed = 1;
}

void LevelFlow::Loading(State& state, s32 depth) {
    if (!m_bLoadFailed && g_LevelMgr.IsLevelLoaded() && m_fLoadTimer <= 0.0f) {
        g_LevelMgr.Init();
        pLoadScreens->Close();
        state.Advance(depth);
    } else if (m_bLoadFailed || g_LevelMgr.m_bLoadFailed || m_fLoadTime >= LEVEL_FLOW_LOAD_TIMEOUT_SECONDS) {
        m_bLoadFailed = 1;
        pLoadScreens->Close();
        g_GenPopupFlow.SetButtons(eGenPopupButtons_OK, 1);
        g_GenPopupFlow.SetMessage(SymbolText(kTextLoadFailed));
        state.Advance(depth);
    }
    if (m_fLoadTimer > 0.0f)
        m_fLoadTimer -= RealDeltaTime;
    m_fLoadTime += RealDeltaTime;
}

bool LevelFlow::PostGameUpdate() {
    if (pEventManager == nullptr || !Career() || AnotherGame != ePostGameResult_Processing)
        return false;
    AnotherGame = pEventManager->PostGameUpdate(&Physics.mScoreKeeper);
    return true;
}

void LevelFlow::ShowPopup(const char* text) {
    g_GenPopupFlow.SetButtons(eGenPopupButtons_OK, 1);
    g_GenPopupFlow.SetMessage(text);
}

void LevelFlow::AskAnotherGame() {
    char text[GENPOPUP_MESSAGE_SIZE];
    SymbolTextFormat(text, sizeof(text), kTextAnotherGame, pEventManager->m_CurrentRound);
    g_GenPopupFlow.SetButtons(eGenPopupButtons_ContinueExit, 1);
    g_GenPopupFlow.SetMessage(text);
}

void LevelFlow::NextLeagueGame(State& state, s32 depth) {
    state.Transition(depth, kPlay);
    Physics.NewGame();
    g_LevelMgr.m_bActive = 1;
    SetGamePause(0);
}

void LevelFlow::CareerSummary(State& state, s32 depth) {
    CCareerCharacter* bowler = CCareerCharacter::GetInstance();
    const u32 flags = bowler != nullptr ? bowler->ApplySkillPoints() : 0;
    const bool tournamentDone = PreviousWasTournament() && AnotherGame == ePostGameResult_DoneNoGame;
    if (flags == 0 && !(tournamentDone && OnPodium())) {
        g_ScreenTracker.ResetScreenNav();
        if (PlayAnotherGame && LeagueNight()) {
            AskAnotherGame();
            state.Transition(depth, kAnotherGamePopup);
        } else if (tournamentDone && pEventManager->m_TournLossMessage) {
            ShowPopup(SymbolText(kTextTournamentLoss));
            state.Transition(depth, kAnotherGamePopup);
        } else {
            state.Transition(depth, kTrophies);
        }
        return;
    }
    u32 place = 0;
    u32 prize = 0;
    if (tournamentDone && OnPodium()) {
        place = TournamentPlace();
        const s_TournamentDef& tourn = pEventManager->GetEvent(pEventManager->m_PreviousEvent)->m_Tourn;
        prize = place == 1 ? tourn.FirstPlacePay : place == 2 ? tourn.SecondPlacePay : tourn.ThirdPlacePay;
    }
    static const s_Character_Stats kNoStats{};
    char text[LEVEL_FLOW_SUMMARY_SIZE];
    FormatSummary(text, sizeof(text), flags, bowler != nullptr ? bowler->GetStats() : kNoStats,
                  bowler != nullptr ? bowler->m_RepChange : 0, place, prize);
    ShowPopup(text);
    state.Advance(depth);
}

void LevelFlow::Unload() {
    g_LevelMgr.FreeLevel();
    g_LevelMgr.Deinit();
    PickPinsScreenKill();
    ControllerMessageAllowSecondaryControllers(0);
    g_ScreenTracker.ResetScreenNav();
    DrawSetClearColor(kBlack);
    DrawFade(FADE_IN, kBlack, 1.0f);
}

s32 LevelFlow::run(State& state, s32 depth) {
    switch (state.m_value[depth]) {
        case kWaitForLevel:
            if (g_ScreenTracker.m_LevelToLoad == SCREEN_TRACKER_NO_LEVEL)
                break;
            g_GameSettings.ResetControllerMapping();
            StartLoad(g_ScreenTracker.m_LevelToLoad);
            state.Transition(depth, kLoading);
            break;
        case kAttract:  // attract mode: the computer bowls the next of the attract levels
            m_CurrentAttractLevel = (m_CurrentAttractLevel + 1) % LEVEL_FLOW_ATTRACT_LEVELS;
            g_LevelMgr.bAttractModeEnabled = 1;
            StartLoad(m_AttractLevels[m_CurrentAttractLevel]);
            state.Advance(depth);
            break;
        case kLoading:
            Loading(state, depth);
            break;
        case kLoaded:
            if (pLoadScreens != nullptr && SFP2KIsScreenActive(pLoadScreens->m_iScreen))
                break;
            if (m_bLoadFailed) {
                // The message about the level that did not come, then back.
                if (g_GenPopupFlow.run() == 0)
                    break;
                Delete(pLoadScreens);
                state.Transition(depth, kUnload);
                break;
            }
            Delete(pLoadScreens);
            g_ObjDraw = 1;
            g_ObjUpdate = 1;
            g_LevelMgr.m_bActive = 1;
            state.Advance(depth);
            break;
        case kStart:
            PlayAnotherGame = 0;
            AnotherGame = ePostGameResult_Processing;
            if (!Attract() && Career() && CurrentEventType() != eEventType_Practice) {
                state.Advance(depth);
            } else {
                Physics.StartGame();
                state.Transition(depth, kPlay);
            }
            ControllerMessageEnable();
            if (!Career())
                ControllerMessageAllowSecondaryControllers(1);
            HomeButtonEnable(1);
            break;
        case kIntro:
            if (!g_LevelMgr.m_bActive) {
                state.Transition(depth, Practice() ? kUnload : kPostGame);
                break;
            }
            g_LevelMgr.Update();
            if (g_LevelMgr.m_GameCamera.m_cameraMode != E_CAMERA_MODE_PLAYER_PAN)
                break;
            if (g_GameSettings.m_Current.bTipsAndHints &&
                !(CurrentEventType() == eEventType_Tournament && pEventManager->m_CurrentRound != 0)) {
                pOilPattern = new COilPatternFlash;
                if (pOilPattern->Load() != 0)
                    pOilPattern->Open();
                g_HUDDraw = 0;  // the briefing has the screen to itself
                state.Advance(depth);
            } else {
                Physics.StartGame();
                state.Transition(depth, kPlay);
            }
            break;
        case kOilPattern:
            if (g_LevelMgr.m_bActive) {
                g_LevelMgr.Update();
                if (GamePaused() || (g_ScreenTracker.m_ScreenNav != SFP_SCREEN_NAV_NEXT &&
                                     SFP2KIsScreenActive(pOilPattern->m_iScreen)))
                    break;
            }
            pOilPattern->Close();
            state.Advance(depth);
            g_ScreenTracker.ResetScreenNav();
            break;
        case kOilPatternClosing:
            if (g_LevelMgr.m_bActive)
                g_LevelMgr.Update();
            if (SFP2KIsScreenActive(pOilPattern->m_iScreen))
                break;
            Delete(pOilPattern);
            g_HUDDraw = 1;
            if (g_LevelMgr.m_bActive) {
                Physics.StartGame();
                state.Advance(depth);
            } else {
                state.Transition(depth, Practice() ? kUnload : kPostGame);
            }
            break;
        case kPlay:
            if (g_LevelMgr.m_bActive) {
                PlayAnotherGame = 0;
                g_LevelMgr.Update();
            } else if (Attract() || Practice()) {
                state.Transition(depth, kUnload);
            } else {
                AnotherGame = ePostGameResult_Processing;
                state.Advance(depth);
            }
            break;
        case kPostGame:
            g_LevelMgr.Update();
            if (!PostGameUpdate())
                state.Advance(depth);
            break;
        case kSplash: {
            g_LevelMgr.Update();
            if (!Career() || AnotherGame == ePostGameResult_DonePractice) {
                state.Transition(depth, kScoreBoard);
                break;
            }
            const bool podium = PreviousWasTournament() && OnPodium();
            const bool won = pEventManager != nullptr && pEventManager->m_bPlayerWonLastGame;
            if (!podium && !won) {
                state.Transition(depth, kScoreBoard);
                break;
            }
            const u8 round = pEventManager != nullptr ? pEventManager->m_CurrentRound : 0;
            e_FlashSplashScreens variant = SPLASH_WIN;
            if (!(LeagueNight() && round != 0) && CurrentEventType() != eEventType_RivalGame &&
                PreviousWasTournament() && round == 0)
                variant = SPLASH_TOURN_WIN;
            if (m_pSplashFlash == nullptr)
                m_pSplashFlash = new CSplashFlash;
            if (m_pSplashFlash->Load(variant) != 0)
                m_pSplashFlash->Open();
            state.Advance(depth);
            break;
        }
        case kSplashShowing:
            if (Career() && SFP2KIsScreenActive(m_pSplashFlash->m_iScreen)) {
                g_LevelMgr.Update();
                break;
            }
            if (!Career())
                g_LevelMgr.Update();
            state.Advance(depth);
            break;
        case kSplashGone:
            g_LevelMgr.Update();
            if (Career())
                Delete(m_pSplashFlash);
            state.Advance(depth);
            break;
        case kScoreBoard:
            g_LevelMgr.Update();
            PostGameUpdate();
            if (!g_LevelMgr.m_bForfeited) {
                if (pScoreBoard == nullptr)
                    pScoreBoard = new CScoreBoardFlash;
                if (pScoreBoard->LoadPlayerScores() != 0)
                    pScoreBoard->OpenPlayerScores();
                g_HUDDraw = 0;  // the HUD's scoreboard would show round this one
            }
            state.Advance(depth);
            break;
        case kScoreBoardShowing:
            g_LevelMgr.Update();
            PostGameUpdate();
            if (!g_LevelMgr.m_bForfeited) {
                if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE &&
                    SFP2KIsScreenActive(pScoreBoard->m_iScreenPlayerScores))
                    break;
                pScoreBoard->ClosePlayerScores();
            }
            state.Advance(depth);
            g_ScreenTracker.ResetScreenNav();
            break;
        case kScoreBoardClosing:
            g_LevelMgr.Update();
            PostGameUpdate();
            if (pScoreBoard != nullptr) {
                if (SFP2KIsScreenActive(pScoreBoard->m_iScreenPlayerScores))
                    break;
                Delete(pScoreBoard);
                g_HUDDraw = 1;
            }
            if (Career())
                state.Advance(depth);
            else
                state.Transition(depth, kTrophies);
            break;
        case kNextGameChoice:
            g_LevelMgr.Update();
            PostGameUpdate();
            PlayAnotherGame = AnotherGame == ePostGameResult_DoneNewGame;
            state.Advance(depth);
            break;
        case kCareerSummary:
            g_LevelMgr.Update();
            CareerSummary(state, depth);
            break;
        case kSummaryPopup:
            g_LevelMgr.Update();
            if (g_GenPopupFlow.run() == 0)
                break;
            g_ScreenTracker.ResetScreenNav();
            if (PlayAnotherGame && LeagueNight()) {
                AskAnotherGame();
                state.Advance(depth);
            } else if (AnotherGame == ePostGameResult_DoneNoGame && PreviousWasTournament() &&
                       !pEventManager->m_bPlayerWonLastGame && TournamentPlace() > 3) {
                ShowPopup(SymbolText(kTextTournamentLoss));
                state.Advance(depth);
            } else {
                state.Transition(depth, kTrophies);
            }
            break;
        case kAnotherGamePopup: {
            g_LevelMgr.Update();
            if (g_GenPopupFlow.run() == 0)
                break;
            CCareerCharacter* bowler = CCareerCharacter::GetInstance();
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS && bowler != nullptr) {
                PlayAnotherGame = 0;
                bowler->SetPlayerThrows(g_Players[0].m_NumThrows);
                bowler->SetOpponentThrows(g_Players[1].m_NumThrows);
                using Grid = const u16(*)[DB_OIL_BOARDS];
                bowler->SetLeftOil(reinterpret_cast<Grid>(Physics.GetOilPatternData(0)));
                bowler->SetRightOil(reinterpret_cast<Grid>(Physics.GetOilPatternData(1)));
            }
            g_ScreenTracker.ResetScreenNav();
            state.Advance(depth);
            break;
        }
        case kTrophies:
            g_LevelMgr.Update();
            g_TrophyMgr.UpdateTrophies();
            if (g_UnlockMgr.CheckNewUnlockables()) {
                ShowPopup(g_UnlockMgr.m_sUnlockMessageBuf);
                state.Advance(depth);
            } else if (PlayAnotherGame && LeagueNight()) {
                NextLeagueGame(state, depth);
            } else {
                state.Transition(depth, kAutosaveChoice);
            }
            break;
        case kUnlockPopup:
            g_LevelMgr.Update();
            if (pLeagueManager != nullptr)
                pLeagueManager->GetLeague()->ResetLastTournamentPlace();
            if (g_GenPopupFlow.run() == 0)
                break;
            if (PlayAnotherGame && LeagueNight())
                NextLeagueGame(state, depth);
            else
                state.Advance(depth);
            g_ScreenTracker.ResetScreenNav();
            break;
        case kAutosaveChoice:
            // Only a bowler with a save slot is saved: the scratch bowler would get the
            // message with nothing of it written.
            state.Transition(depth, CareerAutosaveWanted() && Career() && !Practice() ? kAutosave : kUnload);
            break;
        case kAutosave:
            if (g_LoadSaveFlow.run(state, depth + 1, SAVELOAD_PROCESS_AUTOSAVE, eLoadSaveDataType_Character))
                state.Advance(depth);
            break;
        case kUnload:
            Unload();
            state.Advance(depth);
            break;
        default:
            return 1;
    }
    return 0;
}
