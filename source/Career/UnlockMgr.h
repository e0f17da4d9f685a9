// The career unlocks: items and alley levels that open as the career counters
// reach the thresholds of the six criteria lists (UnlockLists.h). The progress is
// how far each list has been reached; the cheat's unlock-all is kept beside it.
#pragma once

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/OrbTypes.h"
#include "source/Career/CareerTypes.h"
#include "source/Career/SaveData.h"
#include "source/Career/UnlockLists.h"

constexpr u32 UNLOCK_MESSAGE_SIZE = 500;

class CUnlockMgr {
public:
    // Locks the items (bLocked of ItemsList) and alley levels of every entry not
    // reached yet and unlocks the reached ones. Items and levels named by no entry
    // are left as they are.
    void UpdateAllLockedItems();
    // The unlocks forced over the progress: everything, once UnlockAll has run.
    void SetUnlockOverrides();
    // Reaches the entries the current career slot's counters meet and applies their
    // unlocks; m_sUnlockMessageBuf then names what was unlocked. Returns whether
    // something new was (nothing is new once everything is unlocked).
    bool CheckNewUnlockables();
    bool CheckNewUnlockables(const s_Character_Stats& stats);
    // Unlocks every item and level of all six lists.
    void UnlockAll();
    // Nonzero when alley level `level` (0..20) is locked.
    s32 GetLevelLocked(s32 level) const;

    char m_sUnlockMessageBuf[UNLOCK_MESSAGE_SIZE] = {};

private:
    void ApplyLocks();
    void SetEntryLocked(const s_UnlockEntry& entry, u32 locked);

    friend void UnlockProgressSave(SaveWriter& out);
    friend bool UnlockProgressLoad(ChunkCursor& in);

    u8 m_Reached[UNLOCK_LIST_COUNT] = {};  // entries reached, a prefix of each list
    u8 m_bUnlockAll = 0;
    u8 m_LevelLocked[ALLEY_LEVEL_COUNT] = {};
};

extern CUnlockMgr g_UnlockMgr;
