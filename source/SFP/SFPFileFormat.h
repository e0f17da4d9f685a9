// The ".sfp" file as the compiler writes it and the loader reads it
// (docs/screenmovies.md): a header of table counts and offsets, the tables of
// fixed-size big-endian records, and the string pool of the texts.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr u32 SFP_FILE_MAGIC = 0x53465031;  // "SFP1"
constexpr u16 SFP_FILE_VERSION = 1;
constexpr u32 SFP_FILE_HEADER_SIZE = 92;
constexpr u32 SFP_FILE_TABLES_AT = 12;  // the tables' (count, offset) pairs
constexpr u32 SFP_FILE_POOL_AT = 84;    // the string pool's size and offset
constexpr u32 SFP_MAX_STAGE = 4096;     // the stage's width and height

// The tables in the header's order.
enum e_sfp_table : u32 {
    SFP_TABLE_TEXTURES,
    SFP_TABLE_IMAGES,
    SFP_TABLE_FONTS,
    SFP_TABLE_TEXTS,
    SFP_TABLE_BUTTONS,
    SFP_TABLE_SYMBOLS,
    SFP_TABLE_LABELS,
    SFP_TABLE_OBJECTS,
    SFP_TABLE_KEYS,
    SFP_TABLE_COUNT,
};

// Bytes of one record of each table.
constexpr u32 SFP_FILE_RECORD_SIZE[SFP_TABLE_COUNT] = {16, 28, 32, 24, 28, 20, 36, 56, 28};
