#include "source/Career/UnlockMgr.h"

#include <cstring>

#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/CareerCharacter.h"

CUnlockMgr g_UnlockMgr;

namespace {

// The shown name of an entry, or null when its item is not in the database.
const char* EntryName(const s_UnlockEntry& entry) {
    if (entry.kind == UNLOCK_LEVEL)
        return entry.levelName;
    for (u32 i = 0; i < uDBItemCount; ++i)
        if (ItemsList[i].m_Index == entry.index)
            return ItemsList[i].m_Name;
    return nullptr;
}

// Builds the message one whole line at a time; a line that does not fit ends it
// with a mark that more was unlocked. A men's and a women's item of one name are
// listed once.
class UnlockMessage {
public:
    explicit UnlockMessage(char* buffer) : buffer_(buffer) { buffer_[0] = 0; }

    void Line(const char* text) {
        if (used_ == 0)
            Append(kHeader, sizeof(kHeader) - 1);
        if (full_ || (last_ != nullptr && std::strcmp(last_, text) == 0))
            return;
        last_ = text;
        // Keep room for the mark and the terminator after the line.
        const u32 length = u32(std::strlen(text));
        if (used_ + length + 1 + sizeof(kMore) > UNLOCK_MESSAGE_SIZE) {
            full_ = true;
            return Append(kMore, sizeof(kMore) - 1);
        }
        Append(text, length);
        Append("\n", 1);
    }

private:
    static constexpr char kHeader[] = "You have unlocked:\n";
    static constexpr char kMore[] = "...and more.\n";

    void Append(const char* text, u32 length) {
        std::memcpy(buffer_ + used_, text, length);
        used_ += length;
        buffer_[used_] = 0;
    }

    char* buffer_;
    const char* last_ = nullptr;
    u32 used_ = 0;
    bool full_ = false;
};

}  // namespace

void CUnlockMgr::SetEntryLocked(const s_UnlockEntry& entry, u32 locked) {
    if (entry.kind == UNLOCK_LEVEL) {
        if (entry.index >= 0 && u32(entry.index) < ALLEY_LEVEL_COUNT)
            m_LevelLocked[entry.index] = u8(locked);
        return;
    }
    for (u32 i = 0; i < uDBItemCount; ++i)
        if (ItemsList[i].m_Index == entry.index)
            ItemsList[i].bLocked = locked;
}

void CUnlockMgr::UpdateAllLockedItems() {
    for (u32 l = 0; l < UNLOCK_LIST_COUNT; ++l)
        for (u32 e = 0; e < UnlockLists[l].count; ++e)
            SetEntryLocked(UnlockLists[l].entries[e], e >= m_Reached[l]);
}

void CUnlockMgr::SetUnlockOverrides() {
    if (!m_bUnlockAll)
        return;
    for (const s_UnlockList& list : UnlockLists)
        for (u32 e = 0; e < list.count; ++e)
            SetEntryLocked(list.entries[e], 0);
}

void CUnlockMgr::ApplyLocks() {
    UpdateAllLockedItems();
    SetUnlockOverrides();
}

bool CUnlockMgr::CheckNewUnlockables() {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    if (career == nullptr || career->GetCurrSlot() == CAREER_SLOT_INVALID) {
        m_sUnlockMessageBuf[0] = 0;
        return false;
    }
    return CheckNewUnlockables(career->GetStats());
}

bool CUnlockMgr::CheckNewUnlockables(const s_Character_Stats& stats) {
    UnlockMessage message(m_sUnlockMessageBuf);
    bool reachedAny = false;
    bool shownAny = false;
    for (u32 l = 0; l < UNLOCK_LIST_COUNT; ++l) {
        const s_UnlockList& list = UnlockLists[l];
        const s32 value = UnlockCriterionValue(list.criterion, stats);
        for (; m_Reached[l] < list.count && value >= list.entries[m_Reached[l]].threshold; ++m_Reached[l]) {
            reachedAny = true;
            const char* name = EntryName(list.entries[m_Reached[l]]);
            if (m_bUnlockAll || name == nullptr)
                continue;
            message.Line(name);
            shownAny = true;
        }
    }
    if (reachedAny)
        ApplyLocks();
    return shownAny;
}

void CUnlockMgr::UnlockAll() {
    m_bUnlockAll = 1;
    SetUnlockOverrides();
}

s32 CUnlockMgr::GetLevelLocked(s32 level) const {
    if (level < 0 || u32(level) >= ALLEY_LEVEL_COUNT)
        return 0;
    return m_LevelLocked[level];
}

void UnlockProgressSave(SaveWriter& out) {
    out.U8(g_UnlockMgr.m_bUnlockAll);
    for (u8 reached : g_UnlockMgr.m_Reached)
        out.U8(reached);
}

bool UnlockProgressLoad(ChunkCursor& in) {
    u8 unlockAll = 0;
    u8 reached[UNLOCK_LIST_COUNT] = {};
    in.U8(&unlockAll);
    for (u8& r : reached)
        in.U8(&r);
    if (!in.Ok() || unlockAll > 1)
        return false;
    for (u32 l = 0; l < UNLOCK_LIST_COUNT; ++l)
        if (reached[l] > UnlockLists[l].count)
            return false;
    g_UnlockMgr.m_bUnlockAll = unlockAll;
    std::memcpy(g_UnlockMgr.m_Reached, reached, sizeof(reached));
    g_UnlockMgr.ApplyLocks();
    return true;
}
