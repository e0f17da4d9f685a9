#include "source/StateMgrs/CareerMainMenuFlow.h"

#include <cstdio>

#include "orblib47/source/Debug.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/EquipmentManager.h"
#include "source/Career/EventManager.h"
#include "source/Career/LeagueManager.h"
#include "source/Career/TrophyMgr.h"
#include "source/Flash/CareerAttributesFlash.h"
#include "source/Flash/CareerEventSelectFlash.h"
#include "source/Flash/CareerMainMenuFlash.h"
#include "source/Flash/CareerOverviewFlash.h"
#include "source/Flash/CareerStatsFlash.h"
#include "source/Flash/LeagueManagementFlash.h"
#include "source/Flash/LeagueStandingsFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/Flash/SelectBowler.h"
#include "source/Flash/SymbolText.h"
#include "source/Flash/TournStandingsFlash.h"
#include "source/GameSettings.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/CacFlow.h"
#include "source/StateMgrs/CareerAutosave.h"
#include "source/StateMgrs/CareerPlayers.h"
#include "source/StateMgrs/CareerSeason.h"
#include "source/StateMgrs/GenPopupFlow.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/ProshopFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/StateMgrs/State.h"
#include "source/StateMgrs/TournFlow.h"

CareerMainMenuFlow g_CareerMainMenuFlow;

namespace {

// The states of the flow.
enum : s32 {
    kEntry = 0,
    kSlotIdle = 1,
    kSlotLoad = 2,
    kSlotOpen = 3,
    kSlotWait = 4,
    kSlotClosed = 5,
    kLoadOpen = 6,
    kLoadWait = 8,
    kLoadClosed = 9,
    kSaveOpen = 10,
    kSaveWait = 11,
    kSaving = 12,
    kSaved = 13,
    kSaveBack = 14,
    kAutosave = 15,
    kAutosaveTournament = 16,
    kCreate = 17,
    kHubEntry = 18,
    kHubLoadBG = 19,
    kHubLoad = 20,
    kHubOpen = 21,
    kHub = 22,
    kRivalAnswer = 23,
    kSeasonPopup = 24,
    kLeaguePopup = 25,
    kInvitation = 26,
    kSimulate = 27,
    kLeaveQuestion = 28,
    kLeaveNightClosed = 29,
    kHubDispatch = 30,
    kOverviewLoad = 31,
    kOverviewOpen = 32,
    kOverview = 33,
    kOverviewClosed = 34,
    kEditLook = 35,
    kAttributesLoad = 36,
    kAttributesOpen = 37,
    kAttributes = 38,
    kAttributesClosed = 39,
    kStatsLoad = 40,
    kStatsOpen = 41,
    kStats = 42,
    kStatsClosed = 43,
    kShop = 44,
    kEventLoad = 50,
    kEventOpen = 51,
    kEvent = 52,
    kQualify = 54,
    kLeaveNight = 55,
    kEventClosed = 56,
    kTournament = 57,
    kPractice = 58,
    kStandingsWait = 59,  // 59..61 wait a frame each
    kStandingsGo = 62,
    kManageLoad = 63,
    kManageOpen = 64,
    kManage = 65,
    kManageClosed = 66,
    kStandingsLoad = 67,
    kLeagueOpen = 68,
    kLeague = 69,
    kLeagueClosed = 70,
    kTournOpen = 71,
    kTourn = 72,
    kTournClosed = 73,
    kSave = 74,
    kLeave = 76,
};

constexpr u32 kTextSlotTitle = 6904, kTextHubTitle = 6906, kTextSubtitle = 6907, kTextLoadTitle = 7019,
              kTextSaveTitle = 7020, kTextLeaveNight = 7071, kTextSaveFirst = 7112, kTextWelcome = 7113,
              kTextOverviewTitle = 7114, kTextAttributesTitle = 7127, kTextStandingsTitle = 7135,
              kTextManageTitle = 7089, kTextEventTitle = 7144, kTextInvitation = 7171,
              kTextQualifyTournament = 7172, kTextQualifyNight = 7173, kTextStatsTitle = 7239,
              kTextSimulate = 7273;
constexpr s32 kLeagueNightLevel = 20;

// The flow's screens: created with new on a visit, deleted (which kills them) when left.
CSelectBowler* pCarSelectBowler = nullptr;
CCareerMainMenuFlash* pCCareerMainMenuFlash = nullptr;
CCareerOverviewFlash* pCCareerOverviewFlash = nullptr;
CCareerAttributesFlash* pCCareerAttributesFlash = nullptr;
CCareerStatsFlash* pCCareerStatsFlash = nullptr;
CCareerEventSelectFlash* pCCareerEventSelectFlash = nullptr;
CCareerLeagueStandingsFlash* pCCareerLeagueStandingsFlash = nullptr;
CCareerLeagueManagementFlash* pCCareerLeagueManagementFlash = nullptr;
CCareerTournStandingsFlash* pCTournStandingsFlash = nullptr;
s32 g_bSaveOnExit = 0;
s32 g_bInitBowler = 1;

template <class T>
void Free(T*& screen) {
    delete screen;
    screen = nullptr;
}

// The screens with a background layer kill it too.
template <class T>
void FreeWithBG(T*& screen) {
    if (screen != nullptr)
        screen->KillBG();
    Free(screen);
}

CCareerCharacter& Career() {
    return *CCareerCharacter::GetInstance();
}

void ResetNav() {
    g_ScreenTracker.ResetScreenNav();
}

// The answer of a screen; one without its movie cannot answer, so it backs out.
eScreenNavigation Answer(s32 handle) {
    if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE && handle == -1)
        g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
    return g_ScreenTracker.m_ScreenNav;
}

bool Active(s32 handle) {
    return SFP2KIsScreenActive(handle) != 0;
}

bool BorderActive(const CFlashMainMenu* menu) {
    return Active(menu->m_iScreenIds[MAINMENU_LAYER_BORDER]);
}

bool SlotScreenActive() {
    return Active(pCarSelectBowler->m_iScreenIds[0]) || Active(pCarSelectBowler->m_iScreenIds[1]);
}

void OpenBorder(CFlashMainMenu* menu, u32 title) {
    menu->OpenBorder(SymbolText(title), SymbolText(kTextSubtitle));
}

void CloseSlotScreen(CFlashMainMenu* menu) {
    menu->CloseBorder();
    pCarSelectBowler->CloseBG();
    pCarSelectBowler->Close();
}

char* Popup(eGenPopupButtons buttons, s32 defaultButton, const char* text) {
    g_GenPopupFlow.SetButtons(buttons, defaultButton);
    return g_GenPopupFlow.SetMessage(text);
}

s32 SaveFlow(State& state, s32 depth, eSAVELOAD_PROCESS process) {
    return g_LoadSaveFlow.run(state, depth + 1, process, eLoadSaveDataType_Character);
}

bool InNoLeague() {
    return pLeagueManager->GetLeagueType() == NOLEAGUE;
}

}  // namespace

void CareerMainMenuFlow::FreeScreens() {
    Free(pCarSelectBowler);
    FreeWithBG(pCCareerMainMenuFlash);
    FreeWithBG(pCCareerOverviewFlash);
    Free(pCCareerAttributesFlash);
    Free(pCCareerStatsFlash);
    FreeWithBG(pCCareerEventSelectFlash);
    Free(pCCareerLeagueStandingsFlash);
    FreeWithBG(pCCareerLeagueManagementFlash);
    Free(pCTournStandingsFlash);
    g_TournFlow.FreeScreens();
}

void CareerMainMenuFlowColdReset() {
    g_CareerMainMenuFlow.FreeScreens();
    g_CareerMainMenuFlow = CareerMainMenuFlow();
    g_bSaveOnExit = 0;
    g_bInitBowler = 1;
}

void CareerMainMenuFlow::RestoreCACInfo() {
    CPlayerConstruction& model = g_Players[0].m_PlayerConstruction;
    const s_Character_Attributes& look = g_TempCACInfo.charAttribs;
    s_Character_Attributes& to = model.m_CharacterAttributes;
    model.SetCharGender(look.gender, 0);
    to.bodyType = look.bodyType;
    to.faceType = look.faceType;
    to.hairStyle = look.hairStyle;
    to.hairColor = look.hairColor;
    to.facialHair = look.facialHair;
    to.facialHairColor = look.facialHairColor;
    to.glasses = look.glasses;
    to.hat = look.hat;
    to.shirtType = look.shirtType;
    model.CheckShirtColorAttributes();
    to.shirtColor = look.shirtColor;
    to.hand = look.hand;
    to.pants = look.pants;
    to.shoes = look.shoes;
}

void CareerMainMenuFlow::Enter(State& state, s32 depth, s32 returningFromCareerGame) {
    g_bSaveOnExit = 0;
    if (returningFromCareerGame && pEventManager != nullptr) {
        const eEventType type = pEventManager->m_CurrentEventType;
        const bool underWay = pEventManager->m_CurrentRound != 0;
        if (type == eEventType_Tournament && underWay) {
            state.Transition(depth, kTournament);
        } else if (type == eEventType_LeagueNight && underWay) {
            // A league night left in the middle leaves the career, as Back on the hub.
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
            state.Transition(depth, kHubDispatch);
        } else {
            state.Transition(depth, kHubEntry);
        }
        return;
    }
    if (pCarSelectBowler == nullptr)
        pCarSelectBowler = new CSelectBowler;
    g_TempCACInfo = {};
    g_TempCACInfo.charAttribs.facialHair = -1;
    g_TempCACInfo.charAttribs.glasses = -1;
    g_TempCACInfo.charAttribs.hat = -1;
    state.Transition(depth, kSlotIdle);
}

void CareerMainMenuFlow::HubEntry(State& state, s32 depth) {
    if (pEventManager->m_CurrentRound != 0) {
        if (pEventManager->m_CurrentEventType == eEventType_Tournament) {
            state.Transition(depth, kTournament);
            return;
        }
        if (pEventManager->m_CurrentEventType == eEventType_LeagueNight) {
            state.Transition(depth, kEventLoad);  // the event select goes on with the night
            return;
        }
    }
    CCareerCharacter& career = Career();
    if (pEventManager->SeasonOver()) {
        CLeague& league = *pLeagueManager->GetLeague();
        const s_PlaceBowler* standing = league.GetBowlerByID(PLAYER_BOWLER_ID);
        const SeasonEnd end = EndOfSeason(league.GetLeagueType(), pLeagueManager->LeagueChangeRequired(),
                                          standing ? standing->Place : 0);
        g_TrophyMgr.ClearTrophies(career.GetStats().TrophyProgress);
        Popup(eGenPopupButtons_OK, 1, SymbolText(end.text));
        if (end.championship)
            career.AddChampionship();
        pEventManager->InitNextSeason(end.league);
        state.Transition(depth, kSeasonPopup);
        return;
    }
    if (pCCareerMainMenuFlash == nullptr)
        pCCareerMainMenuFlash = new CCareerMainMenuFlash;
    // A bowler not saved yet lives in the scratch slot, which never autosaves.
    if (career.GetCurrSlot() == CAREER_SLOT_INVALID) {
        career.SetCurrSlot(CAREER_SCRATCH_SLOT);
        ORB_ASSERT(career.GetCurrSlot() != CAREER_SLOT_INVALID, "CareerMainFlow::run: SetCurrSlot failed.\n");
    }
    career.SetCareerAttributes(g_TempCACInfo.charAttribs);
    if (!m_bNewCharacter) {
        state.Transition(depth, kHubLoadBG);
        return;
    }
    career.SetName(g_TempCACInfo.playerName);
    career.Init();
    g_Players[0].equipBowlerDefault();
    Popup(eGenPopupButtons_OK, 1, SymbolText(kTextWelcome));
    state.Transition(depth, kSeasonPopup);
    ResetNav();
    pEquipmentManager->Init();
}

void CareerMainMenuFlow::HubDispatch(State& state, s32 depth, CFlashMainMenu* mainMenu) {
    CCareerMainMenuFlash* hub = pCCareerMainMenuFlash;
    if (hub != nullptr && (Active(hub->m_iScreen) || BorderActive(mainMenu)))
        return;
    CCareerCharacter& career = Career();
    if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
        switch (g_ScreenTracker.m_NextScreen) {
            case eScreen_List_Career_Overview:
                state.Transition(depth, kOverviewLoad);
                break;
            case eScreen_List_Career_EventSelect:
                // Without a league there is no calendar: the bowler picks a league first.
                state.Transition(depth, InNoLeague() ? kManageLoad : kEventLoad);
                break;
            case eScreen_List_Career_TrainingSelect: {
                state.Transition(depth, kPractice);
                pEventManager->SetPractice(1);
                const Event* event = pEventManager->GetEvent();
                // Without a league there is no event either: practice at the home alley.
                g_ScreenTracker.m_LevelToLoad =
                    event->m_IsLeaguePlay || InNoLeague() ? kLeagueNightLevel : event->m_Tourn.Location - 1;
                break;
            }
            case eScreen_List_Career_Proshop:
                state.Transition(depth, kShop);
                break;
            case eScreen_List_Career_LeagueMenu:
                state.Transition(depth, kStandingsWait);
                break;
            case eScreen_List_Career_SeasonPopup:
                state.Transition(depth, kSeasonPopup);
                break;
            default:
                state.Transition(depth, kHubEntry);  // nothing to open: the hub again
                break;
        }
        ResetNav();
    } else if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS) {
        g_TempCACInfo.charAttribs = career.GetCareerAttributes();
        std::snprintf(g_TempCACInfo.playerName, sizeof(g_TempCACInfo.playerName), "%s", career.GetName());
        const s8 slot = career.GetCurrSlot();
        if (slot == CAREER_SCRATCH_SLOT || (CareerInSaveSlot() && !g_GameSettings.m_Current.bAutoSave)) {
            Popup(eGenPopupButtons_YesNo, 0, SymbolText(kTextSaveFirst));
            state.Transition(depth, kLeaveQuestion);
        } else {
            state.Transition(depth, kLeave);
        }
        ResetNav();
    }
    FreeWithBG(pCCareerMainMenuFlash);
}

void CareerMainMenuFlow::EventSelect(State& state, s32 depth, CFlashMainMenu* mainMenu) {
    CCareerEventSelectFlash* screen = pCCareerEventSelectFlash;
    screen->bPausedInput = 0;
    if (pEventManager->IsRivalChallenge()) {
        Popup(eGenPopupButtons_YesNo, 1, "");
        if (RivalPopupText(g_GenPopupFlow.m_sMessageBuffer, GENPOPUP_MESSAGE_SIZE,
                           pEventManager->GetOpponentID())) {
            screen->bPausedInput = 1;
            state.Transition(depth, kRivalAnswer);
        } else {
            // A rival the database does not know cannot challenge: the night goes on.
            pEventManager->m_CurrentEventType = eEventType_LeagueNight;
        }
        return;
    }
    if (pEventManager->EarnedInvitation() && pEventManager->m_ShowInvitation) {
        pEventManager->m_ShowInvitation = 0;
        screen->bPausedInput = 1;
        Popup(eGenPopupButtons_OK, 1, SymbolText(kTextInvitation));
        ResetNav();
        state.Transition(depth, kInvitation);
        return;
    }
    const eScreenNavigation nav = Answer(screen->m_iScreen);
    const eScreen_List next = g_ScreenTracker.m_NextScreen;
    if (nav == SFP_SCREEN_NAV_NONE)
        return;
    if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_Career_EventQualifyPopup) {
        screen->bPausedInput = 1;
        const bool tournament = pEventManager->m_CurrentEventType == eEventType_Tournament;
        Popup(eGenPopupButtons_OK, 1, SymbolText(tournament ? kTextQualifyTournament : kTextQualifyNight));
        ResetNav();
        state.Transition(depth, kQualify);
    } else if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_Career_EventSim) {
        screen->bPausedInput = 1;
        Popup(eGenPopupButtons_YesNo, 1, SymbolText(kTextSimulate));
        ResetNav();
        state.Transition(depth, kSimulate);
    } else if (nav == SFP_SCREEN_NAV_PREVIOUS && pEventManager->m_CurrentRound != 0) {
        screen->bPausedInput = 1;
        Popup(eGenPopupButtons_YesNo, 1, SymbolText(kTextLeaveNight));
        ResetNav();
        state.Transition(depth, kLeaveNight);
    } else {
        mainMenu->CloseBorder();
        // The shell's background stays for the hub and the tournament; a game goes without it.
        if (nav == SFP_SCREEN_NAV_NEXT && next != eScreen_List_Career_TournMenu)
            mainMenu->CloseBackground();
        screen->CloseBG();
        screen->Close();
        state.Transition(depth, kEventClosed);
    }
}

void CareerMainMenuFlow::EventSelectClosed(State& state, s32 depth, CFlashMainMenu* mainMenu) {
    const CCareerEventSelectFlash* screen = pCCareerEventSelectFlash;
    if (Active(screen->m_iScreen) || Active(screen->m_iScreenBG) || BorderActive(mainMenu))
        return;
    const eScreen_List next = g_ScreenTracker.m_NextScreen;
    if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
        if (next == eScreen_List_Career_TournMenu) {
            state.Transition(depth, CareerAutosaveWanted() ? kAutosaveTournament : kTournament);
            ResetNav();
        } else {
            // A game is set up: the main menu plays it once its background has gone.
            if (Active(mainMenu->m_iScreenIds[MAINMENU_LAYER_BACKGROUND]))
                return;
            state.Transition(depth, kLeave);
        }
    } else {
        state.Transition(
            depth, next == eScreen_List_Career_Autosave && CareerAutosaveWanted() ? kAutosave : kHubEntry);
        ResetNav();
    }
    FreeWithBG(pCCareerEventSelectFlash);
}

void CareerMainMenuFlow::ManageClosed(State& state, s32 depth, CFlashMainMenu* mainMenu) {
    const CCareerLeagueManagementFlash* screen = pCCareerLeagueManagementFlash;
    if (Active(screen->m_iScreen) || Active(screen->m_iScreenBG) || BorderActive(mainMenu))
        return;
    s32 next = kHubEntry;
    if (screen->m_Changed) {
        // Fresh standings need a fresh calendar: the new league's season starts at its
        // first week, and is saved as any other change of the career.
        pEventManager->InitSeason(pLeagueManager->GetLeagueType(), pEventManager->GetSeason());
        if (CareerAutosaveWanted())
            next = kAutosave;
    }
    FreeWithBG(pCCareerLeagueManagementFlash);
    state.Transition(depth, next);
    ResetNav();
}

void CareerMainMenuFlow::RivalAnswer(State& state, s32 depth, CFlashMainMenu* mainMenu) {
    if (!g_GenPopupFlow.run())
        return;
    const s_DBBowler* rival = g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT
                                  ? FindDbBowler(pEventManager->GetOpponentID())
                                  : nullptr;
    ResetNav();
    if (rival == nullptr) {
        pEventManager->m_CurrentEventType = eEventType_LeagueNight;
        state.Transition(depth, kEvent);
        return;
    }
    g_ScreenTracker.m_LevelToLoad = pEventManager->GetEvent()->m_Tourn.Location;
    g_GameSettings.m_Current.iNumPlayers = 2;
    CareerSetUpBowler(g_Players[0]);
    CareerSetUpOpponent(g_Players[1], *rival);
    g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
    mainMenu->CloseBorder();
    mainMenu->CloseBackground();
    pCCareerEventSelectFlash->CloseBG();
    pCCareerEventSelectFlash->Close();
    state.Transition(depth, kEventClosed);
}

s32 CareerMainMenuFlow::run(State& state, s32 depth, CFlashMainMenu* mainMenu, s32 returningFromCareerGame) {
    CCareerCharacter& career = Career();
    const eScreenNavigation nav = g_ScreenTracker.m_ScreenNav;
    const eScreen_List next = g_ScreenTracker.m_NextScreen;
    switch (state.m_value[depth]) {
        case kEntry:
            Enter(state, depth, returningFromCareerGame);
            break;
        case kSlotIdle:
            state.Advance(depth);
            break;
        case kSlotLoad:
            pCarSelectBowler->Load();
            state.Advance(depth);
            break;
        case kSlotOpen:
            OpenBorder(mainMenu, kTextSlotTitle);
            pCarSelectBowler->OpenBG();
            pCarSelectBowler->OpenSelectBowler(1);
            state.Advance(depth);
            break;
        case kSlotWait:
        case kLoadWait:
            if (Answer(pCarSelectBowler->m_iScreenIds[1]) == SFP_SCREEN_NAV_NONE)
                break;
            CloseSlotScreen(mainMenu);
            state.Advance(depth);
            break;
        case kSlotClosed:
            if (SlotScreenActive() || BorderActive(mainMenu))
                break;
            if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_CAC_Main) {
                Free(pCarSelectBowler);
                g_bInitBowler = 1;
                career.SetCurrSlot(CAREER_SLOT_INVALID);
                state.Transition(depth, kCreate);
            } else if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_LoadSaveBowler) {
                state.Transition(depth, kLoadOpen);
            } else {
                Free(pCarSelectBowler);
                state.Transition(depth, kLeave);
            }
            ResetNav();
            break;
        case kLoadOpen:
            OpenBorder(mainMenu, kTextLoadTitle);
            pCarSelectBowler->OpenBG();
            pCarSelectBowler->OpenLoadSaveBowler();
            pCarSelectBowler->SetButtonText();
            state.Transition(depth, kLoadWait);
            break;
        case kLoadClosed:
            if (SlotScreenActive() || BorderActive(mainMenu))
                break;
            if (nav == SFP_SCREEN_NAV_NEXT) {
                Free(pCarSelectBowler);
                // The slot screen has loaded the career: its look is the bowler's.
                g_TempCACInfo.charAttribs = career.GetCareerAttributes();
                pEquipmentManager->Init();
                state.Transition(depth, kHubEntry);
            } else {
                state.Transition(depth, kSlotOpen);
            }
            ResetNav();
            break;
        case kSaveOpen:
            if (pCarSelectBowler == nullptr)
                pCarSelectBowler = new CSelectBowler;
            pCarSelectBowler->Load();
            OpenBorder(mainMenu, kTextSaveTitle);
            pCarSelectBowler->OpenBG();
            pCarSelectBowler->OpenLoadSaveBowler();
            pCarSelectBowler->SetButtonText();
            state.Advance(depth);
            break;
        case kSaveWait: {
            const eScreenNavigation answer = Answer(pCarSelectBowler->m_iScreenIds[1]);
            if (answer == SFP_SCREEN_NAV_NEXT) {
                state.Transition(depth, kSaving);
                ResetNav();
                if (m_bNewCharacter) {
                    career.Init();
                    g_Players[0].equipBowlerDefault();
                }
                career.SetCareerAttributes(g_TempCACInfo.charAttribs);
                m_LoadSaveProcess = SAVELOAD_PROCESS_SAVING;
                career.SetName(g_TempCACInfo.playerName);
                RestoreCACInfo();
            } else if (answer == SFP_SCREEN_NAV_PREVIOUS) {
                CloseSlotScreen(mainMenu);
                RestoreCACInfo();
                state.Transition(depth, kSaveBack);
                ResetNav();
            }
            break;
        }
        case kSaving:
            if (!SaveFlow(state, depth, m_LoadSaveProcess))
                break;
            if (g_LoadSaveFlow.m_bOperationCompleted) {
                // Going on without storage leaves the bowler unsaved.
                if (!g_LoadSaveFlow.m_bSaved)
                    career.SetCurrSlot(CAREER_SLOT_INVALID);
                CloseSlotScreen(mainMenu);
                state.Transition(depth, kSaved);
            } else {
                g_ScreenTracker.m_CurrScreen = eScreen_List_LoadSaveBowler;
                state.Transition(depth, kSaveWait);
            }
            ResetNav();
            break;
        case kSaved:
            if (SlotScreenActive())
                break;
            Free(pCarSelectBowler);
            state.Transition(depth, g_bSaveOnExit ? kLeave : kHubEntry);
            break;
        case kSaveBack:
            if (SlotScreenActive())
                break;
            Free(pCarSelectBowler);
            if (m_bEditingCharacter) {
                m_bEditingCharacter = 0;
                state.Transition(depth, kEditLook);
            } else if (g_bSaveOnExit) {
                state.Transition(depth, kLeave);
            } else {
                g_bInitBowler = 0;
                career.SetCurrSlot(CAREER_SLOT_INVALID);
                g_ScreenTracker.m_CurrScreen = eScreen_List_CAC_Main;
                state.Transition(depth, kCreate);
            }
            break;
        case kAutosave:
        case kAutosaveTournament:
            if (!SaveFlow(state, depth, SAVELOAD_PROCESS_AUTOSAVE))
                break;
            ResetNav();
            state.Transition(depth, state.m_value[depth] == kAutosave ? kHubEntry : kTournament);
            break;
        case kCreate:
            if (!g_CacFlow.run(state, depth + 1, mainMenu, g_bInitBowler ? 0 : 1))
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
                m_bNewCharacter = 1;
                pEventManager->InitSeason(AMATEUR_L2, eSeason_Winter);
                if (g_ScreenTracker.m_NextScreen == eScreen_List_LoadSave) {
                    state.Transition(depth, kSaveOpen);
                } else {
                    career.SetCurrSlot(CAREER_SLOT_INVALID);
                    state.Transition(depth, kHubEntry);
                }
            } else {
                state.Transition(depth, kEntry);
                g_GameSettings.SetGameMode(eGameMode_None);
            }
            ResetNav();
            break;
        case kHubEntry:
            HubEntry(state, depth);
            break;
        case kHubLoadBG:
            pCCareerMainMenuFlash->LoadBG();
            state.Advance(depth);
            break;
        case kHubLoad:
            pCCareerMainMenuFlash->Load();
            state.Advance(depth);
            break;
        case kHubOpen:
            OpenBorder(mainMenu, kTextHubTitle);
            pCCareerMainMenuFlash->OpenBG();
            pCCareerMainMenuFlash->Open();
            state.Advance(depth);
            break;
        case kHub:
            g_GameSettings.SetGameMode(eGameMode_Career);
            if (Answer(pCCareerMainMenuFlash->m_iScreen) == SFP_SCREEN_NAV_NONE)
                break;
            mainMenu->CloseBorder();
            pCCareerMainMenuFlash->CloseBG();
            pCCareerMainMenuFlash->Close();
            state.Transition(depth, kHubDispatch);
            break;
        case kRivalAnswer:
            RivalAnswer(state, depth, mainMenu);
            break;
        case kSeasonPopup:
            if (!g_GenPopupFlow.run())
                break;
            LeaguePopupText(Popup(eGenPopupButtons_OK, 1, ""), GENPOPUP_MESSAGE_SIZE,
                            *pLeagueManager->GetLeague());
            state.Transition(depth, kLeaguePopup);
            ResetNav();
            break;
        case kLeaguePopup:
            if (!g_GenPopupFlow.run())
                break;
            if (m_bNewCharacter) {
                m_bNewCharacter = 0;
                state.Transition(depth, kHubEntry);
            } else {
                state.Transition(depth, CareerAutosaveWanted() ? kAutosave : kHubEntry);
            }
            ResetNav();
            break;
        case kInvitation:
            if (!g_GenPopupFlow.run())
                break;
            state.Transition(depth, kEvent);
            ResetNav();
            break;
        case kSimulate:
            if (!g_GenPopupFlow.run())
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT)
                pCCareerEventSelectFlash->Simulate();
            state.Transition(depth, kEvent);
            ResetNav();
            break;
        case kLeaveQuestion:
            if (!g_GenPopupFlow.run())
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
                if (!g_GameSettings.m_Current.bAutoSave && CareerInSaveSlot()) {
                    m_LoadSaveProcess = SAVELOAD_PROCESS_SAVING;
                    state.Transition(depth, kSave);
                } else {
                    g_bSaveOnExit = 1;
                    state.Transition(depth, kSaveOpen);
                }
            } else {
                state.Transition(depth, kLeave);
            }
            ResetNav();
            break;
        case kLeaveNightClosed:
            if (Active(pCCareerEventSelectFlash->m_iScreen) || BorderActive(mainMenu))
                break;
            FreeWithBG(pCCareerEventSelectFlash);
            state.Transition(depth, kLeave);
            break;
        case kHubDispatch:
            HubDispatch(state, depth, mainMenu);
            break;
        case kOverviewLoad:
            pCCareerOverviewFlash = new CCareerOverviewFlash;
            pCCareerOverviewFlash->LoadBG();
            pCCareerOverviewFlash->Load();
            state.Advance(depth);
            break;
        case kOverviewOpen:
            OpenBorder(mainMenu, kTextOverviewTitle);
            pCCareerOverviewFlash->OpenBG();
            pCCareerOverviewFlash->Open();
            state.Advance(depth);
            break;
        case kOverview:
            if (Answer(pCCareerOverviewFlash->m_iScreen) == SFP_SCREEN_NAV_NONE)
                break;
            mainMenu->CloseBorder();
            pCCareerOverviewFlash->CloseBG();
            pCCareerOverviewFlash->Close();
            state.Advance(depth);
            break;
        case kOverviewClosed:
            if (Active(pCCareerOverviewFlash->m_iScreen))
                break;
            if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_CAC_Main)
                state.Transition(depth, kEditLook);
            else if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_Attributes)
                state.Transition(depth, kAttributesLoad);
            else if (nav == SFP_SCREEN_NAV_NEXT && next == eScreen_List_Stats)
                state.Transition(depth, kStatsLoad);
            else
                state.Transition(depth, kHubEntry);
            FreeWithBG(pCCareerOverviewFlash);
            ResetNav();
            break;
        case kEditLook:
            if (!g_CacFlow.run(state, depth + 1, mainMenu, 1))
                break;
            if (g_ScreenTracker.m_NextScreen == eScreen_List_LoadSave) {
                m_LoadSaveProcess = SAVELOAD_PROCESS_SAVING;
                m_bEditingCharacter = 1;
                m_bNewCharacter = 0;
                state.Transition(depth, kSaveOpen);
            } else {
                state.Transition(depth, kOverviewLoad);
            }
            ResetNav();
            break;
        case kAttributesLoad:
            pCCareerAttributesFlash = new CCareerAttributesFlash;
            pCCareerAttributesFlash->Load();
            state.Advance(depth);
            break;
        case kAttributesOpen:
            OpenBorder(mainMenu, kTextAttributesTitle);
            pCCareerAttributesFlash->Open();
            state.Advance(depth);
            break;
        case kAttributes:
            if (Answer(pCCareerAttributesFlash->m_iScreen) == SFP_SCREEN_NAV_NONE)
                break;
            mainMenu->CloseBorder();
            pCCareerAttributesFlash->Close();
            state.Advance(depth);
            break;
        case kAttributesClosed:
            if (Active(pCCareerAttributesFlash->m_iScreen))
                break;
            Free(pCCareerAttributesFlash);
            state.Transition(depth, kOverviewLoad);
            ResetNav();
            break;
        case kStatsLoad:
            pCCareerStatsFlash = new CCareerStatsFlash;
            pCCareerStatsFlash->Load();
            state.Advance(depth);
            break;
        case kStatsOpen:
            OpenBorder(mainMenu, kTextStatsTitle);
            pCCareerStatsFlash->Open();
            state.Advance(depth);
            break;
        case kStats:
            if (Answer(pCCareerStatsFlash->m_iScreen) == SFP_SCREEN_NAV_NONE)
                break;
            mainMenu->CloseBorder();
            pCCareerStatsFlash->Close();
            state.Advance(depth);
            break;
        case kStatsClosed:
            if (Active(pCCareerStatsFlash->m_iScreen))
                break;
            Free(pCCareerStatsFlash);
            state.Transition(depth, kOverviewLoad);
            ResetNav();
            break;
        case kShop:
            if (!g_ProshopFlow.run(state, depth + 1, mainMenu))
                break;
            state.Transition(depth, kHubEntry);
            ResetNav();
            break;
        case kEventLoad:
            pCCareerEventSelectFlash = new CCareerEventSelectFlash;
            pCCareerEventSelectFlash->LoadBG();
            pCCareerEventSelectFlash->Load(pEventManager);
            state.Advance(depth);
            break;
        case kEventOpen:
            OpenBorder(mainMenu, kTextEventTitle);
            pCCareerEventSelectFlash->OpenBG();
            pCCareerEventSelectFlash->Open();
            state.Advance(depth);
            break;
        case kEvent:
            EventSelect(state, depth, mainMenu);
            break;
        case kQualify:
            if (!g_GenPopupFlow.run())
                break;
            state.Transition(depth, kEvent);
            pCCareerEventSelectFlash->SkipEvent();
            ResetNav();
            break;
        case kLeaveNight:
            if (!g_GenPopupFlow.run())
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS) {
                state.Transition(depth, kEvent);
            } else {
                mainMenu->CloseBorder();
                pCCareerEventSelectFlash->CloseBG();
                pCCareerEventSelectFlash->Close();
                state.Transition(depth, kLeaveNightClosed);
            }
            ResetNav();
            break;
        case kEventClosed:
            EventSelectClosed(state, depth, mainMenu);
            break;
        case kTournament:
            if (!g_TournFlow.run(state, depth + 1, mainMenu))
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
                state.Transition(depth, kLeave);
            } else {
                // Backing out of a tournament asks about leaving the career.
                g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_PREVIOUS;
                state.Transition(depth, kHubDispatch);
            }
            break;
        case kPractice:
            g_ScreenTracker.m_ScreenNav = SFP_SCREEN_NAV_NEXT;
            state.Transition(depth, kLeave);
            break;
        case kStandingsWait:
        case kStandingsWait + 1:
        case kStandingsWait + 2:
            state.Advance(depth);
            break;
        case kStandingsGo:
            state.Transition(depth, kStandingsLoad);
            break;
        case kManageLoad:
            pCCareerLeagueManagementFlash = new CCareerLeagueManagementFlash;
            pCCareerLeagueManagementFlash->LoadBG();
            pCCareerLeagueManagementFlash->Load();
            state.Advance(depth);
            break;
        case kManageOpen:
            OpenBorder(mainMenu, kTextManageTitle);
            pCCareerLeagueManagementFlash->OpenBG();
            pCCareerLeagueManagementFlash->Open();
            state.Advance(depth);
            break;
        case kManage:
            if (Answer(pCCareerLeagueManagementFlash->m_iScreen) == SFP_SCREEN_NAV_NONE)
                break;
            mainMenu->CloseBorder();
            pCCareerLeagueManagementFlash->CloseBG();
            pCCareerLeagueManagementFlash->Close();
            state.Advance(depth);
            break;
        case kManageClosed:
            ManageClosed(state, depth, mainMenu);
            break;
        case kStandingsLoad:
            if (InNoLeague()) {
                state.Transition(depth, kManageLoad);  // no table to show: straight to joining one
            } else if (pLeagueManager->GetLeagueType() == PRO_L1) {
                pCTournStandingsFlash = new CCareerTournStandingsFlash;
                pCTournStandingsFlash->Load();
                state.Transition(depth, kTournOpen);
            } else {
                pCCareerLeagueStandingsFlash = new CCareerLeagueStandingsFlash;
                pCCareerLeagueStandingsFlash->Load();
                state.Transition(depth, kLeagueOpen);
            }
            break;
        case kLeagueOpen:
            OpenBorder(mainMenu, kTextStandingsTitle);
            pCCareerLeagueStandingsFlash->Open();
            state.Advance(depth);
            break;
        case kLeague:
            if (Answer(pCCareerLeagueStandingsFlash->m_iScreen) == SFP_SCREEN_NAV_NONE)
                break;
            mainMenu->CloseBorder();
            pCCareerLeagueStandingsFlash->Close();
            state.Advance(depth);
            break;
        case kLeagueClosed:
            if (Active(pCCareerLeagueStandingsFlash->m_iScreen))
                break;
            Free(pCCareerLeagueStandingsFlash);
            state.Transition(depth, g_ScreenTracker.m_NextScreen == eScreen_List_League_Management
                                        ? kManageLoad
                                        : kHubEntry);
            ResetNav();
            break;
        case kTournOpen:
            OpenBorder(mainMenu, kTextStandingsTitle);
            pCTournStandingsFlash->Open();
            state.Advance(depth);
            break;
        case kTourn:
            if (Answer(pCTournStandingsFlash->m_iScreen) == SFP_SCREEN_NAV_NONE)
                break;
            mainMenu->CloseBorder();
            pCTournStandingsFlash->Close();
            state.Advance(depth);
            break;
        case kTournClosed:
            if (Active(pCTournStandingsFlash->m_iScreen))
                break;
            Free(pCTournStandingsFlash);
            state.Transition(depth, kHubEntry);
            ResetNav();
            break;
        case kSave:
            if (!SaveFlow(state, depth, m_LoadSaveProcess))
                break;
            if (g_LoadSaveFlow.m_bOperationCompleted) {
                g_GameSettings.SetGameMode(eGameMode_None);
                state.Transition(depth, kLeave);
            } else {
                state.Transition(depth, kHubEntry);
            }
            ResetNav();
            break;
        default:
            FreeScreens();
            // Back to the main menu leaves the career's game mode too.
            if (g_ScreenTracker.m_ScreenNav != SFP_SCREEN_NAV_NEXT)
                g_GameSettings.SetGameMode(eGameMode_None);
            return 1;
    }
    return 0;
}
