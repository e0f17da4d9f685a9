// The career bowler: one profile per save slot (0..3) and a scratch slot (4) for a
// bowler not yet saved. Every call works on the current slot.
#pragma once

#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerTypes.h"

// Flags returned by ApplySkillPoints.
constexpr u32 SKILL_RAISED_ARM_STRENGTH = 1;
constexpr u32 SKILL_RAISED_ACCURACY = 2;
constexpr u32 SKILL_RAISED_HOOK_CONTROL = 4;
constexpr u32 SKILL_RAISED_STAMINA = 8;
constexpr u32 REPUTATION_UP = 16;
constexpr u32 REPUTATION_DOWN = 32;

constexpr u32 CAREER_START_SKILL = 20;
constexpr u32 CAREER_SKILL_MAX = 100;
constexpr s32 CAREER_REPUTATION_MAX = 100;   // reputation runs 0..100
constexpr u32 SKILL_POINTS_PER_RAISE = 10;   // earned points that raise a skill by one
constexpr u32 LEAGUE_NIGHT_MAX_THROWS = 21;  // the most throws of one game
constexpr u32 CAREER_START_MONEY = 600;
constexpr u32 CAREER_CHEAT_MONEY = 10000;
constexpr char CAREER_CHEAT_NAME[] = "QORVANTE";

// Everything a career slot holds.
struct s_CareerSlot {
    char m_Name[CAREER_NAME_SIZE];
    s_Character_Attributes m_Attributes;
    s_Character_Stats m_Stats;
    s_Character_Equipment m_Equipment;
    u8 m_ItemOwned[DB_ITEM_COUNT];
    s32 m_CurrentEvent;  // the event manager's current event index
    // The interrupted league night.
    u32 m_PlayerThrows;
    u32 m_OpponentThrows;
    u16 m_LeftOil[DB_OIL_ROWS][DB_OIL_BOARDS];
    u16 m_RightOil[DB_OIL_ROWS][DB_OIL_BOARDS];
};

// Slot -1 (CAREER_SLOT_INVALID) reads as an empty record (no name, skills and money
// 0, nothing owned or worn), every change made to it is dropped, and the calls that
// report success (ChangeMoney, ItemBuy, EquipItem, UnEquipItem) return 0.
class CCareerCharacter {
public:
    CCareerCharacter();

    static void CreateInstance();
    static void DestroyInstance();
    static CCareerCharacter* GetInstance();  // null before CreateInstance

    // 0..3, CAREER_SCRATCH_SLOT or CAREER_SLOT_INVALID. Leaving the scratch slot for
    // a save slot copies the scratch record into it first.
    void SetCurrSlot(s8 slot);
    s8 GetCurrSlot() const { return m_nCurrSlot; }
    // A slot's record (0..4), for the save file; null for other values.
    s_CareerSlot* GetSlot(s8 slot);

    // A new career in the current slot: skills 20, reputation 0, money 600 (10000
    // for the cheat name), counters cleared, no items.
    void Init();

    void SetName(const char* name);  // at most 8 characters are kept
    const char* GetName();
    void SetCareerAttributes(s_Character_Attributes attributes);
    s_Character_Attributes GetCareerAttributes();

    s_Character_Stats& GetStats();
    s_Character_Equipment* GetEquipment();

    void SetArmStrength(u32 value);
    void SetAccuracy(u32 value);
    void SetHookControl(u32 value);
    void SetStamina(u32 value);

    u32 GetMoney();
    s32 GetReputation();
    u32 GetTotalWins();
    u32 GetTotalGames();
    u32 GetChampionships();
    u32 GetTotalTournamentWins();
    u32 GetRivalWins();
    u32 GetRivalChallenges();
    u32 Get6Packs();
    u32 GetTurkeys();
    u32 GetStrikes();
    u32 GetSpares();
    u32 GetTotalEarnings();

    // The skill or reputation plus the bonuses of the equipped items.
    u32 GetModArmStrength();
    u32 GetModAccuracy();
    u32 GetModHookControl();
    u32 GetModStamina();
    s32 GetModReputation();

    void AddChampionship();
    // Adds a signed amount (positive amounts also to the total earnings); a debit
    // larger than the money is refused. Returns whether it was applied.
    s32 ChangeMoney(s32 amount);
    // Adds earned skill points, applied by the next ApplySkillPoints.
    void AddSkillPoints(u32 points);
    // Changes the reputation of the last game (m_RepChange), applied with the skills.
    void ChangeReputation(s32 change);
    // Raises skills from the earned points; SKILL_RAISED_* and REPUTATION_* flags.
    u32 ApplySkillPoints();

    // Items 0..174 of the current slot; a negative or unknown index gives 0.
    s32 ItemPurchased(s32 item);
    s32 ItemEquiped(s32 item);
    s32 ItemBuy(s32 item);      // 0 if owned already
    s32 EquipItem(s32 item);    // 0 if not owned
    s32 UnEquipItem(s32 item);  // 0 if it was not equipped

    void SetPlayerThrows(u32 count);
    void SetOpponentThrows(u32 count);
    void SetLeftOil(const u16 grid[DB_OIL_ROWS][DB_OIL_BOARDS]);
    void SetRightOil(const u16 grid[DB_OIL_ROWS][DB_OIL_BOARDS]);

    s32 m_RepChange = 0;  // the reputation change of the last game
    s8 m_nCurrSlot = CAREER_SLOT_INVALID;

private:
    s_CareerSlot& Current();
    bool HasSlot() { return GetSlot(m_nCurrSlot) != nullptr; }
    s32 ItemBonus(e_DBAttrib attrib);
    u32 ModSkill(u32 skill, e_DBAttrib attrib);

    s_CareerSlot m_Slots[CAREER_SAVE_SLOTS + 1];
    s_CareerSlot m_NoSlot;      // what slot -1 reads
    bool m_RepApplied = false;  // m_RepChange is in the reputation; the next change starts afresh
};

// A slot nobody has used: no name, nothing owned, every equipment slot -1.
s_CareerSlot EmptyCareerSlot();

// The item of the database with this m_Index, or null.
const s_DBItem* FindDbItem(s32 index);
