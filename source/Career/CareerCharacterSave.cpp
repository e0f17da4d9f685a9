// A career slot's character section of the save file. One field list serves both
// directions, so the writer and the reader cannot drift apart.
#include <cstring>

#include "source/Career/CareerCharacter.h"
#include "source/Career/SaveData.h"

namespace {

struct FieldWriter {
    SaveWriter& out;
    void U8(u8& v) { out.U8(v); }
    void U32(u32& v) { out.U32(v); }
    void S32(s32& v) { out.S32(v); }
};

struct FieldReader {
    ChunkCursor& in;
    void U8(u8& v) { in.U8(&v); }
    void U32(u32& v) { in.U32(&v); }
    void S32(s32& v) { in.S32(&v); }
};

// Layout: the name (9 bytes), the 14 look attributes, the skills, reputation, money,
// earnings, spare points and counters, 32 trophies of 5 words, the 7 equipment slots,
// one owned flag per item index, the current event index. About 1000 bytes.
template <class IO>
void Fields(IO& io, s_CareerSlot& r) {
    for (char& c : r.m_Name)
        io.U8(reinterpret_cast<u8&>(c));
    s_Character_Attributes& a = r.m_Attributes;
    for (s32* v :
         {&a.gender, &a.bodyType, &a.faceType, &a.hairStyle, &a.hairColor, &a.facialHair, &a.facialHairColor,
          &a.glasses, &a.hat, &a.shirtType, &a.shirtColor, &a.hand, &a.pants, &a.shoes})
        io.S32(*v);
    s_Character_Stats& s = r.m_Stats;
    for (u32* v : {&s.m_ArmStrength, &s.m_Accuracy, &s.m_HookControl, &s.m_Stamina})
        io.U32(*v);
    io.S32(s.m_Reputation);
    for (u32* v : {&s.m_Money, &s.m_TotalEarnings, &s.m_SkillPoints, &s.m_TotalWins, &s.m_TotalGames,
                   &s.m_Championships, &s.m_TournamentWins, &s.m_Tournament2nd, &s.m_Tournament3rd,
                   &s.m_RivalWins, &s.m_RivalChallenges, &s.m_6Packs, &s.m_Turkeys, &s.m_Strikes, &s.m_Spares,
                   &s.m_Splits, &s.m_Gutters})
        io.U32(*v);
    for (s_TrophyInfo& t : s.TrophyProgress)
        for (u32* v : {&t.season, &t.league, &t.place, &t.trophyIndex, &t.weekNum})
            io.U32(*v);
    s_Character_Equipment& e = r.m_Equipment;
    for (s32* v : {&e.Ball1, &e.Ball2, &e.Shirt, &e.Shoe, &e.Acc1, &e.Hat, &e.Glasses})
        io.S32(*v);
    for (u8& owned : r.m_ItemOwned)
        io.U8(owned);
    io.S32(r.m_CurrentEvent);
}

bool ItemOrNone(s32 item) {
    return item == -1 || (item >= 0 && u32(item) < DB_ITEM_COUNT);
}

bool Valid(const s_CareerSlot& r) {
    if (std::memchr(r.m_Name, 0, sizeof(r.m_Name)) == nullptr)
        return false;
    const s_Character_Attributes& a = r.m_Attributes;
    if (a.gender < 0 || a.gender > 1 || a.hand < 0 || a.hand > 1)
        return false;
    const s_Character_Stats& s = r.m_Stats;
    for (u32 skill : {s.m_ArmStrength, s.m_Accuracy, s.m_HookControl, s.m_Stamina})
        if (skill > CAREER_SKILL_MAX)
            return false;
    if (s.m_Reputation < 0 || s.m_Reputation > CAREER_REPUTATION_MAX)
        return false;
    for (const s_TrophyInfo& t : s.TrophyProgress)
        if (t.season > eSeason_Pro || t.league > PRO_L1 || t.place > 3)
            return false;
    for (u8 owned : r.m_ItemOwned)
        if (owned > 1)
            return false;
    const s_Character_Equipment& e = r.m_Equipment;
    for (s32 item : {e.Ball1, e.Ball2, e.Shirt, e.Shoe, e.Acc1, e.Hat, e.Glasses})
        if (!ItemOrNone(item) || (item != -1 && r.m_ItemOwned[item] == 0))
            return false;
    return true;
}

s_CareerSlot* SlotRecord(s8 slot) {
    CCareerCharacter* career = CCareerCharacter::GetInstance();
    return career != nullptr ? career->GetSlot(slot) : nullptr;
}

}  // namespace

// A missing slot (no career character, or not 0..4) is written as an empty one.
void CareerSlotSave(s8 slot, SaveWriter& out) {
    s_CareerSlot* record = SlotRecord(slot);
    s_CareerSlot copy = record != nullptr ? *record : EmptyCareerSlot();
    FieldWriter writer{out};
    Fields(writer, copy);
}

bool CareerSlotRead(ChunkCursor& in, s_CareerSlot* record) {
    s_CareerSlot loaded = *record;
    FieldReader reader{in};
    Fields(reader, loaded);
    if (!in.Ok() || !Valid(loaded))
        return false;
    *record = loaded;
    return true;
}

bool CareerSlotLoad(s8 slot, ChunkCursor& in) {
    s_CareerSlot* record = SlotRecord(slot);
    return record != nullptr && CareerSlotRead(in, record);
}
