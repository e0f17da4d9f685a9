// The top flow: the boot screens and logo movies once per power-on, then the
// title, the boot-time load, and the main menu and the level flow in turn.
// The game shell steps it once a frame.
#pragma once

#include "orblib47/source/OrbTypes.h"
#include "source/StateMgrs/State.h"

class CPressStartFlash;
class CLegalFlash;
class CLicensedByNintendoFlash;
class CWiiStrapWarningFlash;
class COrbStream;
struct s_orb_stream_file;
struct s_wad;

// The menu music: the stream selector of "/STREAM/MUSIC.ASF" and its fade-in.
constexpr char MAIN_FLOW_MUSIC_FILE[] = "/STREAM/MUSIC.ASF";
constexpr s32 MAIN_FLOW_MUSIC_STREAM = s32(0x80003190u);
constexpr f32 MAIN_FLOW_MUSIC_FADE_IN = 3.0f;
// Seconds on the title without press start before attract mode.
constexpr f32 MAIN_FLOW_ATTRACT_SECONDS = 30.0f;
// The legal notice's least time on screen, counted once per power-on.
constexpr f32 MAIN_FLOW_LEGAL_MINIMUM = 2.0f;
// The archive of the menu fonts, held while menus are shown.
constexpr char MAIN_FLOW_FONT_WAD[] = "SFPFONT";

class MainFlow {
public:
    MainFlow();
    ~MainFlow() { FreeScreens(); }
    MainFlow(const MainFlow&) = delete;
    MainFlow& operator=(const MainFlow&) = delete;

    // One step: 0 while running, 1 from the end state.
    s32 run();
    // Keeps the menu music going: loads its file when it is not loaded, starts
    // the tune again when it has ended.
    void MusicUpdate();
    // Frees the screens it still shows; the program's shut-down calls it while the
    // heap that holds them is still there.
    void FreeScreens();

    State state;
    CPressStartFlash* pPressStartFlash = nullptr;
    CLegalFlash* pLegalFlash = nullptr;
    s_wad* pSFP2KFontWad = nullptr;
    s32 m_bOneTimeInit = 0;
    f32 m_fTimer = MAIN_FLOW_LEGAL_MINIMUM;
    CLicensedByNintendoFlash* pLicensedByNintendoFlash = nullptr;
    CWiiStrapWarningFlash* pWiiStrapWarningFlash = nullptr;

private:
    void LoadFonts();
    void FreeFonts();
    void StartMusic();
    void StopMusic();
};

extern MainFlow g_MainFlow;
extern s_orb_stream_file* menuMusicStream;
extern COrbStream* mPlaceHolderStream;
extern f32 fAttractTime;

// What the menus need once per power-on, after the legal notice: the bowler
// parts' archive, the career's managers and character, the unlocked items.
void MainFlowOneTimeCreate();
// Warm reset: the music's file and stream lived in the engine's pools.
void MainFlowForget();
