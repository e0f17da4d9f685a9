// The records and enumerations shared by the career, the settings and the save
// file: a career slot's appearance, statistics, equipment, standings and trophies.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr s8 CAREER_SLOT_INVALID = -1;
constexpr s8 CAREER_SAVE_SLOTS = 4;    // slots 0..3 are saved
constexpr s8 CAREER_SCRATCH_SLOT = 4;  // a bowler not yet saved
constexpr u32 CAREER_NAME_SIZE = 9;    // 8 characters and the terminator
constexpr u32 CAREER_TROPHY_COUNT = 32;
constexpr u32 LEAGUE_MAX_BOWLERS = 16;  // the player and up to 15 database bowlers
constexpr u32 TOURNAMENT_PLACES = 32;

enum eLeagues : u32 {
    NOLEAGUE = 0,
    AMATEUR_L1 = 1,
    AMATEUR_L2 = 2,
    AMATEUR_L3 = 3,
    AMATEUR_L4 = 4,
    PRO_L1 = 5,
};

enum eSeason : u32 {
    eSeason_Winter = 0,
    eSeason_Spring = 1,
    eSeason_Summer = 2,
    eSeason_Autumn = 3,
    eSeason_Pro = 4,
};

enum eEventType : u32 {
    eEventType_LeagueNight = 0,
    eEventType_Tournament = 1,
    eEventType_RivalGame = 2,
    eEventType_Practice = 3,
};

enum ePostGameResult : u32 {
    ePostGameResult_Processing = 0,   // call again next frame
    ePostGameResult_DoneNewGame = 1,  // another game of the league night follows
    ePostGameResult_DoneNoGame = 2,
    ePostGameResult_DonePractice = 3,
};

enum eGameType : u32 {
    eGameType_Standard = 0,
    eGameType_Practice = 1,
};

enum eGameMode : u32 {
    eGameMode_None = 0,
    eGameMode_QuickPlay = 1,
    eGameMode_Career = 2,
};

enum eButtonMap : u32 {
    eButtonMap_Action = 0,
    eButtonMap_Back = 1,
    eButtonMap_OilPattern = 2,
    eButtonMap_BallSwap = 3,
    eButtonMap_PinSelect = 4,
    eButtonMap_Count = 5,
};

enum eSAVELOAD_ERROR : u32 {
    SAVELOAD_ERROR_NONE = 0,
    SAVELOAD_ERROR_MEM_CARD_REMOVED = 1,
    SAVELOAD_ERROR_SAVE_FAILED = 2,
    SAVELOAD_ERROR_LOAD_FAILED = 3,
    SAVELOAD_ERROR_DELETE_FAILED = 4,
    SAVELOAD_ERROR_FORMAT_FAILED = 5,
    SAVELOAD_ERROR_INVALID_VERSION = 6,
    SAVELOAD_ERROR_DATA_CORRUPT = 7,
    SAVELOAD_ERROR_NO_SAVED_GAME = 8,
    SAVELOAD_ERROR_INSUFFICIENT_BLOCK_SPACE = 9,
    SAVELOAD_ERROR_INSUFFICIENT_FILE_HANDLE_SPACE = 10,
    SAVELOAD_ERROR_WII_SYSTEM_MEMORY_CORRUPT = 11,
};

enum eSAVELOAD_PROCESS : u32 {
    SAVELOAD_PROCESS_NONE = 0,
    SAVELOAD_PROCESS_LOADING = 1,
    SAVELOAD_PROCESS_SAVING = 2,
    SAVELOAD_PROCESS_DELETE = 3,
    SAVELOAD_PROCESS_FORMAT = 4,
    SAVELOAD_PROCESS_AUTOLOAD = 5,
    SAVELOAD_PROCESS_AUTOSAVE = 6,
    SAVELOAD_PROCESS_BOOTUP = 7,
    SAVELOAD_PROCESS_LOADIFCARDCHANGED = 8,
};

enum e_LoadSave_SaveDataType : u32 {
    eLoadSaveDataType_GameSettings = 0,
    eLoadSaveDataType_Character = 1,
    eLoadSaveDataType_All = 2,
};

// A created bowler's look, in this order.
struct s_Character_Attributes {
    s32 gender;  // 0 male, 1 female
    s32 bodyType;
    s32 faceType;
    s32 hairStyle;
    s32 hairColor;
    s32 facialHair;  // -1 none
    s32 facialHairColor;
    s32 glasses;  // -1 none
    s32 hat;      // -1 none
    s32 shirtType;
    s32 shirtColor;
    s32 hand;  // 0 right, 1 left
    s32 pants;
    s32 shoes;
};

// Item indices of what the bowler wears; -1 is an empty slot.
struct s_Character_Equipment {
    s32 Ball1;
    s32 Ball2;
    s32 Shirt;
    s32 Shoe;
    s32 Acc1;  // wrist guard
    s32 Hat;
    s32 Glasses;
};

struct s_TrophyInfo {
    u32 season;       // eSeason
    u32 league;       // eLeagues
    u32 place;        // 1..3; 0 marks an empty record
    u32 trophyIndex;  // the trophy model
    u32 weekNum;
};

// A career slot's skills, money and counters.
struct s_Character_Stats {
    u32 m_ArmStrength;  // skills 0..100
    u32 m_Accuracy;
    u32 m_HookControl;
    u32 m_Stamina;
    s32 m_Reputation;
    u32 m_Money;
    u32 m_TotalEarnings;
    u32 m_SkillPoints;  // earned, not yet applied
    u32 m_TotalWins;
    u32 m_TotalGames;
    u32 m_Championships;
    u32 m_TournamentWins;
    u32 m_Tournament2nd;
    u32 m_Tournament3rd;
    u32 m_RivalWins;
    u32 m_RivalChallenges;
    u32 m_6Packs;
    u32 m_Turkeys;
    u32 m_Strikes;
    u32 m_Spares;
    u32 m_Splits;
    u32 m_Gutters;
    s_TrophyInfo TrophyProgress[CAREER_TROPHY_COUNT];
};

// A bowler's league standing; UniqueID -1 is the player, else a database bowler.
struct s_PlaceBowler {
    s16 UniqueID;
    u32 TotalAverageScore;
    u32 HighScore;
    u32 GameWins;
    u32 TotalGames;
    u32 TotalPins;
    u32 Place;  // 1-based
    u32 TournWins;
    u32 Earnings;
};
