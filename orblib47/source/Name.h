// Asset names: 16 characters, NUL-padded, hashed with the ELF hash into 128
// buckets. Also the name pool of the warm reset, which nothing else uses.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr u32 NAME_LENGTH = 16;
constexpr u32 NAME_HASH_SIZE = 128;

struct s_name {
    s_name* next;
    s_name* prev;
    u32 id;
    char name[NAME_LENGTH];
    s32 refCount;
    s32 value;
};

// Copies at most `length` characters of `text`, stopping at its NUL, and pads
// `out` with NULs to `length` bytes. Reads nothing past the NUL.
void NamePad(char* out, const char* text, u32 length);
// One step of the ELF hash per character of `text` (at most `length`, stopping at a NUL).
u32 NameHashAdd(u32 hash, const char* text, u32 length);

e_error_code NameWarmReset(u32 maxname);
