// The bowling database: equipment items, bowlers, rivals, leagues, seasons,
// tournaments, oil patterns, front-end lights and the create-a-bowler lists.
// Loaded once at start-up from "ZQL07_BE.DB" ("LOCAL_BE.DB" overrides it) in the
// current folder; read-only afterwards except the items' lock flags (the unlock
// manager) and the shell lights (the developer tools edit them in place).
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

constexpr char BOWLING_DB_FILE[] = "ZQL07_BE.DB";
constexpr char BOWLING_DB_LOCAL_FILE[] = "LOCAL_BE.DB";

constexpr u32 DB_ITEM_COUNT = 175;  // item indices 0..174; item 0 is the house ball
constexpr u32 DB_OIL_ROWS = 50;     // one foot a row
constexpr u32 DB_OIL_BOARDS = 39;
constexpr u32 SHELL_LIGHT_MAX = 4;

enum EquipType : u32 {
    EQUIP_TYPE_BALL = 0,
    EQUIP_TYPE_SHIRT = 1,
    EQUIP_TYPE_SHOES = 2,
    EQUIP_TYPE_ACC = 3,  // wrist guards
    EQUIP_TYPE_HAT = 4,
    EQUIP_TYPE_GLASSES = 5,
    EQUIP_TYPE_COUNT = 6,
};

// What an item's bonus raises.
enum e_DBAttrib : u32 {
    DB_ATTRIB_NONE = 0,
    DB_ATTRIB_ARM_STRENGTH = 1,
    DB_ATTRIB_ACCURACY = 2,
    DB_ATTRIB_HOOK_CONTROL = 3,
    DB_ATTRIB_STAMINA = 4,
    DB_ATTRIB_REPUTATION = 5,
};

struct s_DBItemBonus {
    e_DBAttrib m_Attrib;
    s32 m_Amount;
};

struct s_DBItem {
    const char* m_Name;
    const char* m_Description;
    u32 m_Male;  // 1: a men's item; balls are 1 and fit both
    s32 m_Index;
    s32 m_TextureID;  // shirts, shoes, glasses: the index in the create-a-bowler list
    s32 m_SubType;    // shirt: the shirt type; ball: the card picture 0..7
    u32 m_Price;
    EquipType e_EquipType;
    u32 bLocked;  // set by the unlock manager; a locked item cannot be bought
    s_DBItemBonus m_Bonus[2];
};

// Indexed like the items: BallInfosList[item.m_Index] for every ball item.
struct s_DBBallInfo {
    const char* m_FactoryFinish;
    const char* m_CoverStock;
    const char* m_Core;
    const char* m_Oil;
    // How the ball rolls (friction, radius of gyration, oil absorption and flare).
    f64 m_Friction;
    f64 m_RadiusOfGyration;
    u16 m_Absorb;
    u16 m_Flare;
    s32 m_AbsorbRate;
};

// A list bowler's look: the created-bowler attributes other than body type and hand.
struct s_DBAppearance {
    u32 m_uGender;  // 0 male, 1 female
    u32 m_uFaceType;
    u32 m_uHairStyle;
    u32 m_uHairColor;
    s32 m_iFacialHair;  // -1 none
    u32 m_uFacialHairColor;
    s32 m_iGlasses;  // -1 none
    s32 m_iHat;      // -1 none
    u32 m_uShirtType;
    u32 m_uShirtColor;
    u32 m_uPants;
    u32 m_uShoes;
};

struct s_DBQPBowler {
    s32 m_ID;
    const char* m_FirstName;
    const char* m_LastName;
    u8 m_uHand;  // 0 right, 1 left
    u8 m_uStrength;
    u8 m_uAccuracy;
    u8 m_uHookControl;
    u8 m_uStamina;
    u32 m_uGender;
    s_DBAppearance m_Look;
    s32 m_uPrimaryBall;  // item indices
    s32 m_uSecondaryBall;
    s32 m_uTertiaryBall;
};

struct s_DBBowler {
    s32 m_ID;  // above 0: 0 means no opponent and -1 the player
    const char* m_FirstName;
    const char* m_LastName;
    u8 m_uHand;
    u8 m_uStrength;
    u8 m_uAccuracy;
    u8 m_uHookControl;
    u8 m_uStamina;
    u32 m_uGender;
    s_DBAppearance m_Look;
    s32 m_uPrimaryBall;
    s32 m_uSecondaryBall;
    u32 m_uAverage;  // the simulated bowler's average game
    u32 m_uLeague;   // eLeagues: the league the bowler starts in
};

struct s_DBRival {
    s32 m_ID;  // a bowler's m_ID
    s32 m_VictoryReputationBonus;
    s32 m_LossReputationPenalty;
};

struct s_TournamentDef {
    s32 ID;  // 35 and 37 are named on the pro calendar
    const char* sTournName;
    s32 Location;  // the alley level it is played at
    u32 BuyIn;
    u32 Pot;
    u32 FirstPlacePay;
    u32 SecondPlacePay;
    u32 ThirdPlacePay;
    s32 MinReputation;  // an invitation waives the buy-in
    u32 MinAverage;
};

struct s_LeagueSeasonDef {
    s32 TournID;  // a TournamentList ID
};

// One per league, in league order: AMATEUR_L1..AMATEUR_L4, then PRO_L1.
struct s_AmateurLeagueDef {
    const char* sLeagueName;
    u32 weeklySalary;
    u32 minAverage;
    u32 maxAverage;
    s32 minRep;
    s32 maxRep;
};

struct s_DBOilPattern {
    s32 m_ID;
    const char* m_PatternName;
    const char* m_AmateurCranker;
    const char* m_AmateurTweener;
    const char* m_AmateurStraight;
    const char* m_ProCranker;
    const char* m_ProTweener;
    const char* m_ProStraight;
    const char* m_AmateurCranker2;
    const char* m_AmateurTweener2;
    const char* m_AmateurStraight2;
    const char* m_ProCranker2;
    const char* m_ProTweener2;
    const char* m_ProStraight2;
    f32 m_Length;                            // feet of oil; the lane's oil length is 12 times this in inches
    u16 m_Grid[DB_OIL_ROWS][DB_OIL_BOARDS];  // 2048 is one unit of oil
};

struct s_ShellLightDef {
    s_Vector4 diffuse;
    s_Vector4 specular;
    s_Vector4 position;
    s_Vector4 direction;
    u32 flags;  // SHELL_LIGHT_SPECULAR: the specular colour is used
};
constexpr u32 SHELL_LIGHT_SPECULAR = 0x10000000;

enum eShellLightUsage : u32 {
    eShellLightUsage_SelectBowler = 0,
    eShellLightUsage_CreateACharacter = 1,
    eShellLightUsage_ProShop = 2,
};

struct s_ShellLight {
    u32 Usage;  // eShellLightUsage
    u32 TotalLights;
    u32 Count;    // directional lights in use: a prefix of Lights
    u32 Ambient;  // 0xRRGGBBAA
    s_ShellLightDef Lights[SHELL_LIGHT_MAX];
};

// Create-a-bowler lists: an attribute value is an index in its list, and the
// matching shop item has that index as its m_TextureID.
struct s_CACShirtTex {
    u32 m_bCAConly;  // offered by create-a-bowler (the others come from the pro shop)
};
struct s_CACShoeTex {
    u32 m_bCAConly;
};
struct s_CACGlassesModel {
    u32 m_bCAConly;
};

// ---- the tables
extern s_DBItem* ItemsList;
extern u32 uDBItemCount;
extern s_DBBallInfo* BallInfosList;  // DB_ITEM_COUNT rows; only ball rows are filled
extern u32 uDBBallCount;
extern u32 uDBMShirtCount;
extern u32 uDBFShirtCount;
extern u32 uDBMShoesCount;
extern u32 uDBFShoesCount;
extern u32 uDBMAccCount;  // wrist guards, hats and glasses of the gender
extern u32 uDBFAccCount;

extern s_DBQPBowler* qpBowlersList;
extern u32 uDBQPBowlerCount;
extern s_DBBowler* bowlersList;
extern u32 uDBBowlerCount;
extern s_DBRival* RivalList;
extern u32 RivalCount;

extern s_TournamentDef* TournamentList;
extern u32 TournamentCount;
// Consecutive blocks per league: four amateur blocks of 9 weeks x 4 seasons, then the pro block.
extern s_LeagueSeasonDef* LeagueSeasonList;
extern u32 BeginnerLeagueSeasonCount;
extern u32 IntermediateLeagueSeasonCount;
extern u32 AdvancedLeagueSeasonCount;
extern u32 ExpertLeagueSeasonCount;
extern u32 ProLeagueSeasonCount;
extern s_AmateurLeagueDef* AmateurLeagueList;
extern u32 AmateurLeagueCount;

extern s_DBOilPattern* dbOilPatternList;
extern u32 uDBOilPatternCount;

extern s_CACShirtTex* MaleBowlingShirtList;
extern u32 uMaleBowlingTexCount;
extern s_CACShirtTex* FemaleBowlingShirtList;
extern u32 uFemaleBowlingTexCount;
extern s_CACShoeTex* MaleShoeList;
extern u32 uMaleShoeTexCount;
extern s_CACShoeTex* FemaleShoeList;
extern u32 uFemaleShoeTexCount;
extern s_CACGlassesModel* MaleGlassesList;
extern u32 uMaleGlassesModelCount;
extern s_CACGlassesModel* FemaleGlassesList;
extern u32 uFemaleGlassesModelCount;
extern u32 uMaleHairTexCount;
extern u32 uFemaleHairTexCount;
extern u32 uMaleHairModelCount;
extern u32 uFemaleHairModelCount;
extern u32 uFacialHairModelCount;  // eight colours of each style
extern u32 uMalePantsTexCount;
extern u32 uFemalePantsTexCount;

// Loads the database from the current folder; stops the program on a missing or
// bad file.
void BowlingDbLoad();
// The game's warm reset: empties every table global the loader installed, without
// freeing (the engine heap that held them has been recreated). Tables a test
// pointed the globals at stay.
void BowlingDbForget();
// The front-end lights for a usage, or null.
s_ShellLight* GetShellLight(u32 usage);
