// How each career module stores its part of the save file: fields are written one
// by one, big-endian, into a fixed-size section of the save image, and read back
// with a ChunkCursor over the same section. A module never writes past its section.
#pragma once

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/OrbTypes.h"

// The byte size of each section of a career slot in the save image.
constexpr u32 SAVE_CHARACTER_SECTION_SIZE = 1792;  // name, look, statistics, trophies, items
constexpr u32 SAVE_EVENTS_SECTION_SIZE = 1536;     // league, season, events, standings, ladder
constexpr u32 SAVE_UNLOCKS_SECTION_SIZE = 256;     // unlock progress
// The interrupted league night: two throw counts and the two lanes' oil grids.
constexpr u32 SAVE_LEAGUE_NIGHT_SECTION_SIZE = 8 + 2 * 50 * 39 * 2;

struct s_CareerSlot;

class SaveWriter {
public:
    SaveWriter(u8* data, u32 size) : data_(data), size_(size) {}

    // False once a write did not fit; later writes are dropped.
    bool Ok() const { return ok_; }
    u32 Offset() const { return offset_; }

    void U8(u8 v) {
        if (u8* p = Take(1))
            *p = v;
    }
    void S8(s8 v) { U8(u8(v)); }
    void U16(u16 v) {
        if (u8* p = Take(2))
            StoreBE16(p, v);
    }
    void S16(s16 v) { U16(u16(v)); }
    void U32(u32 v) {
        if (u8* p = Take(4))
            StoreBE32(p, v);
    }
    void S32(s32 v) { U32(u32(v)); }
    // A fixed-length text field, NUL-padded; the text is cut to `length` bytes.
    void Name(const char* text, u32 length) {
        u8* p = Take(length);
        if (p == nullptr)
            return;
        u32 n = 0;
        for (; n < length && text[n] != 0; ++n)
            p[n] = u8(text[n]);
        for (; n < length; ++n)
            p[n] = 0;
    }

private:
    u8* Take(u32 length) {
        if (!ok_ || length > size_ - offset_) {
            ok_ = false;
            return nullptr;
        }
        u8* p = data_ + offset_;
        offset_ += length;
        return p;
    }

    u8* data_;
    u32 size_;
    u32 offset_ = 0;
    bool ok_ = true;
};

// The career modules' sections. A load that fails leaves the module's state as it
// was and returns false; the caller then treats the whole save as corrupt.
void CareerSlotSave(s8 slot, SaveWriter& out);  // the career character's slot
bool CareerSlotLoad(s8 slot, ChunkCursor& in);
// A character section read over *record and checked; *record is unchanged on false.
bool CareerSlotRead(ChunkCursor& in, s_CareerSlot* record);
void LeagueNightSave(s8 slot, SaveWriter& out);  // the slot's interrupted league night
bool LeagueNightLoad(s8 slot, ChunkCursor& in);
void EventRecordSave(SaveWriter& out);  // the current career's league and events
bool EventRecordLoad(ChunkCursor& in);
void UnlockProgressSave(SaveWriter& out);  // the current career's unlock progress
bool UnlockProgressLoad(ChunkCursor& in);
