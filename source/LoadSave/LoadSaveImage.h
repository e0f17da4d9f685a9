// The save file "ZQL2007.BIN": a fixed layout of exactly SAVE_FILE_SIZE bytes,
// big-endian, written field by field (docs/savefile.md). A header (magic, version,
// CRC-32 of every byte after the CRC field, date and time of the save), the
// settings area (the player's settings and the game-wide unlock progress), then
// four career slots, each a name and the career modules' sections at fixed
// offsets, every section zero-padded; zero padding up to the exact size.
#pragma once

#include "orblib47/source/NGC/Clock.h"
#include "source/Career/CareerTypes.h"
#include "source/Career/SaveData.h"
#include "source/GameSettings.h"

constexpr char SAVE_FILE_NAME[] = "ZQL2007.BIN";
constexpr u32 SAVE_FILE_SIZE = 46212;
constexpr u32 SAVE_FILE_STORED_SIZE = (SAVE_FILE_SIZE + 31) & ~31u;  // as flash storage keeps it
constexpr u32 SAVE_FILE_MAGIC = 0x5A514C53;                          // "ZQLS"
constexpr u32 SAVE_FILE_VERSION = 1;

constexpr u32 SAVE_CRC_OFFSET = 8;
constexpr u32 SAVE_DATE_OFFSET = 12;
constexpr u32 SAVE_HEADER_SIZE = 32;
constexpr u32 SAVE_SETTINGS_OFFSET = SAVE_HEADER_SIZE;
constexpr u32 SAVE_SETTINGS_SIZE = 32;
constexpr u32 SAVE_GAME_UNLOCKS_OFFSET = SAVE_SETTINGS_OFFSET + SAVE_SETTINGS_SIZE;
constexpr u32 SAVE_SLOTS_OFFSET = SAVE_GAME_UNLOCKS_OFFSET + SAVE_UNLOCKS_SECTION_SIZE;
constexpr u32 SAVE_SLOT_NAME_SIZE = 16;  // the name, NUL-padded; empty: a free slot

// A career slot's sections, in their order in the slot.
enum SaveSectionId : u32 {
    SAVE_SECTION_CHARACTER,
    SAVE_SECTION_EVENTS,
    SAVE_SECTION_UNLOCKS,
    SAVE_SECTION_LEAGUE_NIGHT,
    SAVE_SECTION_COUNT,
};
constexpr u32 SAVE_SECTION_SIZE[SAVE_SECTION_COUNT] = {SAVE_CHARACTER_SECTION_SIZE, SAVE_EVENTS_SECTION_SIZE,
                                                       SAVE_UNLOCKS_SECTION_SIZE,
                                                       SAVE_LEAGUE_NIGHT_SECTION_SIZE};
constexpr u32 SAVE_SLOT_SIZE = SAVE_SLOT_NAME_SIZE + SAVE_CHARACTER_SECTION_SIZE + SAVE_EVENTS_SECTION_SIZE +
                               SAVE_UNLOCKS_SECTION_SIZE + SAVE_LEAGUE_NIGHT_SECTION_SIZE;
static_assert(SAVE_SLOTS_OFFSET + CAREER_SAVE_SLOTS * SAVE_SLOT_SIZE <= SAVE_FILE_SIZE);

// The modules' save hooks for one kind of section. The slot is 0..3, or
// CAREER_SLOT_INVALID for the game-wide unlock section of the settings area.
struct SaveSectionHooks {
    void (*save)(s8 slot, SaveWriter& out);
    bool (*load)(s8 slot, ChunkCursor& in);
};
using SaveHookTable = SaveSectionHooks[SAVE_SECTION_COUNT];
extern const SaveHookTable CAREER_SAVE_HOOKS;

// Which sections an image operation covers.
struct SaveSelection {
    u32 slots = 0;     // bit n: slot n
    u32 sections = 0;  // bit n: SaveSectionId n
    bool gameUnlocks = false;
};
constexpr u32 SAVE_ALL_SLOTS = (1u << CAREER_SAVE_SLOTS) - 1;
constexpr u32 SAVE_ALL_SECTIONS = (1u << SAVE_SECTION_COUNT) - 1;

u32 SaveSlotOffset(s8 slot);

// The image's regions as bits: the settings area, and each career slot.
constexpr u32 SAVE_REGION_SETTINGS = 1;
constexpr u32 SaveRegionOfSlot(s8 slot) {
    return 2u << slot;
}

// The header with its CRC, for an image whose other bytes are final.
void SaveImageStamp(u8* image, const s_orb_date_time& when);
// SAVELOAD_ERROR_NONE, or why the image cannot be loaded: DATA_CORRUPT (magic,
// CRC, a settings value or a slot name out of range) or INVALID_VERSION.
eSAVELOAD_ERROR SaveImageCheck(const u8* image);

// The saved part of the settings: the volumes and the three switches.
void SaveImageWriteSettings(u8* image, const s_GameSettingsRecord& settings);
// Those fields over *settings; false (and *settings untouched) when out of range.
bool SaveImageReadSettings(const u8* image, s_GameSettingsRecord* settings);

void SaveImageWriteSlotName(u8* image, s8 slot, const char* name);
// The slot's name (CAREER_NAME_SIZE bytes with the terminator); false when the
// field is not a name of at most 8 characters.
bool SaveImageReadSlotName(const u8* image, s8 slot, char* name);
// Slot 0..3's character section over *record, checked; false leaves it unchanged.
bool SaveImageReadCharacter(const u8* image, s8 slot, s_CareerSlot* record);

// Runs the selected save hooks into their zero-padded sections; false when a
// hook wrote past its section (the image then holds what fitted).
bool SaveImageWriteSections(u8* image, const SaveHookTable& hooks, const SaveSelection& selection);
// Runs the selected load hooks, slot by slot; false at the first that fails.
bool SaveImageReadSections(const u8* image, const SaveHookTable& hooks, const SaveSelection& selection);
