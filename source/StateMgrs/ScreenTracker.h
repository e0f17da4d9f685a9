// The screen tracker: how a screen tells its flow what the player chose. Screens
// write it from their per-frame update; the flow reads it on its next step and
// resets the navigation once it has acted on it.
#pragma once

#include "orblib47/source/OrbTypes.h"

// Every screen of the front end; a screen writes its own value into m_CurrScreen
// when it opens.
enum eScreen_List : s32 {
    eScreen_List_Invalid = -1,
    eScreen_List_LicensedByNintendo = 0,
    eScreen_List_WiiStrapWarning = 1,
    eScreen_List_Legal = 2,
    eScreen_List_PressStart = 3,
    eScreen_List_MainMenu = 4,
    eScreen_List_MainMenuOptions = 5,
    eScreen_List_Credits = 6,
    eScreen_List_LoadSave = 7,
    eScreen_List_GenPopup = 8,
    eScreen_List_QuickPlayMain = 9,
    eScreen_List_SelectAlley = 10,
    eScreen_List_SelectBowler = 11,
    eScreen_List_LoadSaveBowler = 12,
    eScreen_List_CAC_Main = 13,
    eScreen_List_CAC_SubMale1 = 14,
    eScreen_List_CAC_SubFemale1 = 15,
    eScreen_List_CAC_Sub2 = 16,
    eScreen_List_Keyboard = 17,
    eScreen_List_Career_NewCharacterPopup = 18,
    eScreen_List_Career_MainMenu = 19,
    eScreen_List_Career_Overview = 20,
    eScreen_List_Attributes = 21,
    eScreen_List_Stats = 22,
    eScreen_List_Career_Proshop = 23,
    eScreen_List_Career_EventSelect = 24,
    eScreen_List_Career_EventSim = 25,
    eScreen_List_Career_EventQualifyPopup = 26,
    eScreen_List_Career_TournMenu = 27,
    eScreen_List_Career_TournStandings = 28,
    eScreen_List_Career_TournLadder = 29,
    eScreen_List_Career_TrainingSelect = 30,
    eScreen_List_Career_LeagueMenu = 31,
    eScreen_List_Career_SeasonPopup = 32,
    eScreen_List_Career_LeaguePopup = 33,
    eScreen_List_Career_ExitCareerPopup = 34,
    eScreen_List_League_Management = 35,
    eScreen_List_League_Standings = 36,
    eScreen_List_Career_Autosave = 37,
    eScreen_List_Proshop_Balls = 38,
    eScreen_List_Proshop_Apparel = 39,
    eScreen_List_Proshop_Gear = 40,
    eScreen_List_LoadScreen_1 = 41,
    eScreen_List_ScoreBoard = 42,
    eScreen_List_Pause = 43,
    eScreen_List_OilPattern = 44,
    eScreen_List_MaxScreens = 45,  // the count, not a screen
};

enum eScreenNavigation : s32 {
    SFP_SCREEN_NAV_NONE = 0,
    SFP_SCREEN_NAV_NEXT = 1,
    SFP_SCREEN_NAV_PREVIOUS = 2,
};

constexpr s32 SCREEN_TRACKER_NO_LEVEL = 0x7FFFFFFF;

class CScreenTracker {
public:
    CScreenTracker() { Reset(); }

    void Reset();
    // Forgets the shown screen's answer; which screen was opened last and the
    // level chosen stay.
    void ResetScreenNav();

    eScreen_List m_CurrScreen;
    eScreen_List m_NextScreen;  // where a screen that leads to several places goes
    eScreenNavigation m_ScreenNav;
    s32 m_LevelToLoad;  // a row of the level table, SCREEN_TRACKER_NO_LEVEL when none is chosen
};

extern CScreenTracker g_ScreenTracker;
