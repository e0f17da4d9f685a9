#include "source/StateMgrs/MainFlow.h"

#include "orblib47/source/DrawFade.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/Movie.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbStream.h"
#include "orblib47/source/Wad.h"
#include "source/Career/CareerCharacter.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Career/UnlockMgr.h"
#include "source/ControllerMessage.h"
#include "source/Flash/BootFlash.h"
#include "source/Flash/InGameScreens.h"
#include "source/GameSettings.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/LevelFlow.h"
#include "source/StateMgrs/LoadSaveFlow.h"
#include "source/StateMgrs/MainMenuFlow.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "source/Wii_HomeButton.h"

MainFlow g_MainFlow;
s_orb_stream_file* menuMusicStream = nullptr;
COrbStream* mPlaceHolderStream = nullptr;
f32 fAttractTime = 0.0f;

namespace {

constexpr s32 kDepth = 0;
constexpr u32 kBlack = 0x000000FF;
constexpr f32 kTitleFadeIn = 1.0f;

// The flow's states: the boot screens, the title, then the menus and the level in turn.
enum : s32 {
    kStart,
    kBoot,
    kStrapWarning,
    kStrapWarningShowing,
    kStrapWarningClosing,
    kLicence,
    kLicenceShowing,
    kLicenceClosing,
    kLegal,
    kLegalShowing,
    kLegalClosing,
    kLogoMovies,
    kTitle,
    kTitleShowing,
    kTitleClosing,
    kBootLoadSetUp,
    kBootLoad,
    kMusic,
    kMainMenu,
    kLevel,
};

// Creates the screen, loads and opens it; false, with the object released,
// when its movie does not load.
template <class T>
bool ShowScreen(T*& screen) {
    screen = new T;
    if (screen->Load() == 0) {
        delete screen;
        screen = nullptr;
        return false;
    }
    screen->Open();
    return true;
}

// The screen has answered (or has nothing to show, so cannot); closes it.
template <class T>
bool Answered(T* screen) {
    if (screen != nullptr && g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NONE)
        return false;
    if (screen != nullptr)
        screen->Close();
    return true;
}

// Once the closing movie has played, releases the screen.
template <class T>
bool Released(T*& screen) {
    if (screen != nullptr && SFP2KIsScreenActive(screen->m_iScreen))
        return false;
    delete screen;  // its destructor kills the movie
    screen = nullptr;
    return true;
}

void MusicEnded(COrbStream*, void*, s32) {
    mPlaceHolderStream = nullptr;
}

}  // namespace

MainFlow::MainFlow() = default;

void MainFlow::FreeScreens() {
    delete pPressStartFlash;
    delete pLegalFlash;
    delete pLicensedByNintendoFlash;
    delete pWiiStrapWarningFlash;
    pPressStartFlash = nullptr;
    pLegalFlash = nullptr;
    pLicensedByNintendoFlash = nullptr;
    pWiiStrapWarningFlash = nullptr;
}

void MainFlowOneTimeCreate() {
    PlayerPartsLoad();
    CareerManagersCreate();
    CCareerCharacter::CreateInstance();
    g_UnlockMgr.UpdateAllLockedItems();
    g_UnlockMgr.SetUnlockOverrides();
}

void MainFlow::LoadFonts() {
    if (pSFP2KFontWad == nullptr)
        pSFP2KFontWad = WadLoad(MAIN_FLOW_FONT_WAD, 0);
}

void MainFlow::FreeFonts() {
    if (pSFP2KFontWad != nullptr)
        WadFree(pSFP2KFontWad);
    pSFP2KFontWad = nullptr;
}

void MainFlow::StartMusic() {
    menuMusicStream = OrbStreamManager.LoadFile(MAIN_FLOW_MUSIC_FILE);
    if (menuMusicStream == nullptr)
        return;
    mPlaceHolderStream =
        OrbStreamManager.Play(menuMusicStream, MAIN_FLOW_MUSIC_STREAM, &g_GameSettings.m_musicVolumeMix,
                              ORB_STREAM_TYPE_MUSIC, MAIN_FLOW_MUSIC_FADE_IN);
    // The stream goes back to the manager's pool when it ends: forget it then.
    if (mPlaceHolderStream != nullptr) {
        mPlaceHolderStream->m_EventCallback = MusicEnded;
        mPlaceHolderStream->m_EventCallbackParm = nullptr;
    }
}

void MainFlow::StopMusic() {
    OrbStreamManager.StopAll(0.0f);
    mPlaceHolderStream = nullptr;
    if (menuMusicStream != nullptr)
        OrbStreamManager.FreeFile(menuMusicStream);
    menuMusicStream = nullptr;
}

void MainFlow::MusicUpdate() {
    if (menuMusicStream == nullptr)
        menuMusicStream = OrbStreamManager.LoadFile(MAIN_FLOW_MUSIC_FILE);
    else if (mPlaceHolderStream == nullptr)
        StartMusic();
}

s32 MainFlow::run() {
    HardwareCheckFileError();
    if (HomeButtonMenuIsActive())
        return 0;
    s32* const entry = &state.m_value[kDepth];
    switch (*entry) {
        case kStart:
            ControllerMessageDisable();
            HomeButtonEnable(0);
            LoadFonts();
            InGameScreensInstall();
            state.Advance(kDepth);
            break;
        case kBoot:
            state.Advance(kDepth);
            break;
        case kStrapWarning:  // the wrist-strap warning
            state.Transition(kDepth, ShowScreen(pWiiStrapWarningFlash) ? kStrapWarningShowing : kLicence);
            break;
        case kStrapWarningShowing:
            if (Answered(pWiiStrapWarningFlash))
                state.Advance(kDepth);
            break;
        case kStrapWarningClosing:
            if (Released(pWiiStrapWarningFlash)) {
                g_ScreenTracker.ResetScreenNav();
                state.Advance(kDepth);
            }
            break;
        case kLicence:  // the licence notice
            state.Transition(kDepth, ShowScreen(pLicensedByNintendoFlash) ? kLicenceShowing : kLegal);
            break;
        case kLicenceShowing:
            if (Answered(pLicensedByNintendoFlash))
                state.Advance(kDepth);
            break;
        case kLicenceClosing:
            if (Released(pLicensedByNintendoFlash)) {
                g_ScreenTracker.ResetScreenNav();
                state.Advance(kDepth);
            }
            break;
        case kLegal:  // the legal notice: without its movie only its minimum time passes
            ShowScreen(pLegalFlash);
            state.Advance(kDepth);
            break;
        case kLegalShowing:
            if (m_fTimer > 0.0f) {
                m_fTimer -= RealDeltaTime;
            } else if (m_bOneTimeInit == 0) {
                m_bOneTimeInit = 1;
                MainFlowOneTimeCreate();
            } else if (Answered(pLegalFlash)) {
                state.Advance(kDepth);
            }
            break;
        case kLegalClosing:
            if (Released(pLegalFlash)) {
                g_ScreenTracker.ResetScreenNav();
                state.Advance(kDepth);
            }
            break;
        case kLogoMovies:
            MoviePlay("VOSSA");
            MoviePlay("ORBLOGO");
            HomeButtonEnable(1);
            state.Advance(kDepth);
            break;
        case kTitle:  // the title; without its movie the game goes on as if start was pressed
            DrawSetClearColor(kBlack);
            DrawFade(FADE_IN, kBlack, kTitleFadeIn);
            ShowScreen(pPressStartFlash);
            fAttractTime = 0.0f;
            state.Advance(kDepth);
            break;
        case kTitleShowing:
            fAttractTime += RealDeltaTime;
            if (fAttractTime > MAIN_FLOW_ATTRACT_SECONDS) {
                if (pPressStartFlash != nullptr)
                    pPressStartFlash->Close();
                state.Advance(kDepth);
            } else if (Answered(pPressStartFlash)) {
                state.Advance(kDepth);
            }
            break;
        case kTitleClosing:
            if (!Released(pPressStartFlash))
                break;
            if (fAttractTime <= MAIN_FLOW_ATTRACT_SECONDS) {
                g_ScreenTracker.ResetScreenNav();
                ControllerMessageEnable();
                state.Transition(kDepth, kBootLoadSetUp);
            } else {
                state.Transition(kDepth, kLevel);
                state.m_value[kDepth + 1] = LEVEL_FLOW_ATTRACT;
                HomeButtonEnable(0);
                FreeFonts();
            }
            break;
        case kBootLoadSetUp:
            g_GameSettings.m_Current.bAutoSave = 1;
            g_LoadSaveFlow.SetSaveGameRequired(0);
            g_LoadSaveFlow.SetCardRequired(0);
            g_LoadSaveFlow.SetPromptUser(0);
            state.Advance(kDepth);
            break;
        case kBootLoad:
            if (g_LoadSaveFlow.run(state, kDepth + 1, SAVELOAD_PROCESS_BOOTUP,
                                   eLoadSaveDataType_GameSettings))
                state.Advance(kDepth);
            break;
        case kMusic:
            StartMusic();
            state.Advance(kDepth);
            break;
        case kMainMenu:
            MusicUpdate();
            if (!g_MainMenuFlow.run(state, kDepth + 1))
                break;
            if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_PREVIOUS) {
                ControllerMessageDisable();
                state.Transition(kDepth, kTitle);
            } else if (g_ScreenTracker.m_ScreenNav == SFP_SCREEN_NAV_NEXT) {
                FreeFonts();
                state.Transition(kDepth, kLevel);
            }
            g_ScreenTracker.ResetScreenNav();
            StopMusic();
            break;
        case kLevel:
            if (!g_LevelFlow.run(state, kDepth + 1))
                break;
            LoadFonts();
            if (fAttractTime <= MAIN_FLOW_ATTRACT_SECONDS) {
                state.Transition(kDepth, kMainMenu);
                SetGamePause(0);
            } else {
                state.Transition(kDepth, kTitle);
            }
            break;
        default:
            HomeButtonEnable(0);
            FreeFonts();
            state = State{};
            return 1;
    }
    return 0;
}

void MainFlowForget() {
    menuMusicStream = nullptr;
    mPlaceHolderStream = nullptr;
}
