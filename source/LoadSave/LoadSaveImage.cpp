#include "source/LoadSave/LoadSaveImage.h"

#include <cstring>

#include "source/Crc32.h"

namespace {

constexpr u32 kSectionOffset[SAVE_SECTION_COUNT] = {
    SAVE_SLOT_NAME_SIZE,
    SAVE_SLOT_NAME_SIZE + SAVE_CHARACTER_SECTION_SIZE,
    SAVE_SLOT_NAME_SIZE + SAVE_CHARACTER_SECTION_SIZE + SAVE_EVENTS_SECTION_SIZE,
    SAVE_SLOT_NAME_SIZE + SAVE_CHARACTER_SECTION_SIZE + SAVE_EVENTS_SECTION_SIZE + SAVE_UNLOCKS_SECTION_SIZE,
};

bool ValidSwitch(s32 value) {
    return value == 0 || value == 1;
}

bool ValidVolume(s32 value) {
    return value >= 0 && value <= SETTINGS_VOLUME_MAX;
}

bool WriteSection(u8* image, u32 offset, u32 size, const SaveSectionHooks& hooks, s8 slot) {
    std::memset(image + offset, 0, size);
    SaveWriter out(image + offset, size);
    hooks.save(slot, out);
    return out.Ok();
}

bool ReadSection(const u8* image, u32 offset, u32 size, const SaveSectionHooks& hooks, s8 slot) {
    ChunkCursor in(ChunkReader(image + offset, size));
    return hooks.load(slot, in);
}

}  // namespace

const SaveHookTable CAREER_SAVE_HOOKS = {
    {CareerSlotSave, CareerSlotLoad},
    {[](s8, SaveWriter& out) { EventRecordSave(out); },
     [](s8, ChunkCursor& in) { return EventRecordLoad(in); }},
    {[](s8, SaveWriter& out) { UnlockProgressSave(out); },
     [](s8, ChunkCursor& in) { return UnlockProgressLoad(in); }},
    {LeagueNightSave, LeagueNightLoad},
};

u32 SaveSlotOffset(s8 slot) {
    return SAVE_SLOTS_OFFSET + u32(slot) * SAVE_SLOT_SIZE;
}

void SaveImageStamp(u8* image, const s_orb_date_time& when) {
    std::memset(image, 0, SAVE_HEADER_SIZE);
    SaveWriter out(image, SAVE_HEADER_SIZE);
    out.U32(SAVE_FILE_MAGIC);
    out.U32(SAVE_FILE_VERSION);
    out.U32(0);  // the CRC, below
    out.U16(when.year);
    out.U8(when.month);
    out.U8(when.day);
    out.U8(when.hour);
    out.U8(when.minute);
    out.U8(when.second);
    out.U8(when.dayOfWeek);
    StoreBE32(image + SAVE_CRC_OFFSET, Crc32(image + SAVE_DATE_OFFSET, SAVE_FILE_SIZE - SAVE_DATE_OFFSET));
}

eSAVELOAD_ERROR SaveImageCheck(const u8* image) {
    if (LoadBE32(image) != SAVE_FILE_MAGIC)
        return SAVELOAD_ERROR_DATA_CORRUPT;
    if (LoadBE32(image + 4) != SAVE_FILE_VERSION)
        return SAVELOAD_ERROR_INVALID_VERSION;
    if (LoadBE32(image + SAVE_CRC_OFFSET) !=
        Crc32(image + SAVE_DATE_OFFSET, SAVE_FILE_SIZE - SAVE_DATE_OFFSET))
        return SAVELOAD_ERROR_DATA_CORRUPT;
    s_GameSettingsRecord settings = GAME_SETTINGS_DEFAULT;
    if (!SaveImageReadSettings(image, &settings))
        return SAVELOAD_ERROR_DATA_CORRUPT;
    for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
        char name[CAREER_NAME_SIZE];
        if (!SaveImageReadSlotName(image, slot, name))
            return SAVELOAD_ERROR_DATA_CORRUPT;
    }
    return SAVELOAD_ERROR_NONE;
}

void SaveImageWriteSettings(u8* image, const s_GameSettingsRecord& settings) {
    std::memset(image + SAVE_SETTINGS_OFFSET, 0, SAVE_SETTINGS_SIZE);
    SaveWriter out(image + SAVE_SETTINGS_OFFSET, SAVE_SETTINGS_SIZE);
    out.S32(settings.musicVolume);
    out.S32(settings.effectsVolume);
    out.S32(settings.bAutoSave);
    out.S32(settings.bKudosScreens);
    out.S32(settings.bTipsAndHints);
}

bool SaveImageReadSettings(const u8* image, s_GameSettingsRecord* settings) {
    ChunkCursor in(ChunkReader(image + SAVE_SETTINGS_OFFSET, SAVE_SETTINGS_SIZE));
    s32 music = 0, effects = 0, autoSave = 0, kudos = 0, tips = 0;
    in.S32(&music);
    in.S32(&effects);
    in.S32(&autoSave);
    in.S32(&kudos);
    in.S32(&tips);
    if (!in.Ok() || !ValidVolume(music) || !ValidVolume(effects) || !ValidSwitch(autoSave) ||
        !ValidSwitch(kudos) || !ValidSwitch(tips))
        return false;
    settings->musicVolume = music;
    settings->effectsVolume = effects;
    settings->bAutoSave = autoSave;
    settings->bKudosScreens = kudos;
    settings->bTipsAndHints = tips;
    return true;
}

void SaveImageWriteSlotName(u8* image, s8 slot, const char* name) {
    SaveWriter out(image + SaveSlotOffset(slot), SAVE_SLOT_NAME_SIZE);
    out.Name(name, CAREER_NAME_SIZE - 1);
    out.Name("", SAVE_SLOT_NAME_SIZE - (CAREER_NAME_SIZE - 1));
}

bool SaveImageReadSlotName(const u8* image, s8 slot, char* name) {
    const u8* field = image + SaveSlotOffset(slot);
    for (u32 i = CAREER_NAME_SIZE - 1; i < SAVE_SLOT_NAME_SIZE; ++i) {
        if (field[i] != 0)
            return false;
    }
    return ChunkReader(field, SAVE_SLOT_NAME_SIZE).Name(0, CAREER_NAME_SIZE - 1, name);
}

bool SaveImageReadCharacter(const u8* image, s8 slot, s_CareerSlot* record) {
    ChunkCursor in(ChunkReader(image + SaveSlotOffset(slot) + kSectionOffset[SAVE_SECTION_CHARACTER],
                               SAVE_CHARACTER_SECTION_SIZE));
    return CareerSlotRead(in, record);
}

bool SaveImageWriteSections(u8* image, const SaveHookTable& hooks, const SaveSelection& selection) {
    bool ok = true;
    if (selection.gameUnlocks)
        ok &= WriteSection(image, SAVE_GAME_UNLOCKS_OFFSET, SAVE_UNLOCKS_SECTION_SIZE,
                           hooks[SAVE_SECTION_UNLOCKS], CAREER_SLOT_INVALID);
    for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
        if ((selection.slots & (1u << slot)) == 0)
            continue;
        for (u32 id = 0; id < SAVE_SECTION_COUNT; ++id) {
            if ((selection.sections & (1u << id)) != 0)
                ok &= WriteSection(image, SaveSlotOffset(slot) + kSectionOffset[id], SAVE_SECTION_SIZE[id],
                                   hooks[id], slot);
        }
    }
    return ok;
}

bool SaveImageReadSections(const u8* image, const SaveHookTable& hooks, const SaveSelection& selection) {
    if (selection.gameUnlocks && !ReadSection(image, SAVE_GAME_UNLOCKS_OFFSET, SAVE_UNLOCKS_SECTION_SIZE,
                                              hooks[SAVE_SECTION_UNLOCKS], CAREER_SLOT_INVALID))
        return false;
    for (s8 slot = 0; slot < CAREER_SAVE_SLOTS; ++slot) {
        if ((selection.slots & (1u << slot)) == 0)
            continue;
        for (u32 id = 0; id < SAVE_SECTION_COUNT; ++id) {
            if ((selection.sections & (1u << id)) != 0 &&
                !ReadSection(image, SaveSlotOffset(slot) + kSectionOffset[id], SAVE_SECTION_SIZE[id],
                             hooks[id], slot))
                return false;
        }
    }
    return true;
}
