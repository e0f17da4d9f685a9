// The bowling database file as the compiler writes it and the loader reads it
// (docs/bowlingdb.md): a file header, then one block per table, each a
// _DbStandardHeader, its fixed-size records and its string pool. Big-endian;
// every field is a 32-bit word except the 64-bit floats of the ball rows.
#pragma once

#include "orblib47/source/OrbTypes.h"

constexpr u32 DB_FILE_MAGIC = 0x42574442;  // "BWDB"
constexpr u32 DB_FILE_VERSION = 1;
constexpr u32 DB_FILE_HEADER_SIZE = 16;  // magic, version, block count, file size

enum e_DbBlockId : u32 {
    DB_BLOCK_ITEMS = 1,
    DB_BLOCK_BALLS,
    DB_BLOCK_QPBOWLERS,
    DB_BLOCK_BOWLERS,
    DB_BLOCK_RIVALS,
    DB_BLOCK_TOURNAMENTS,
    DB_BLOCK_SEASONS,
    DB_BLOCK_LEAGUES,
    DB_BLOCK_OILPATTERNS,
    DB_BLOCK_SHELLLIGHTS,
    DB_BLOCK_CACSHIRTS,
    DB_BLOCK_CACSHOES,
    DB_BLOCK_CACGLASSES,
    DB_BLOCK_CACCOUNTS,
    DB_BLOCK_LAST = DB_BLOCK_CACCOUNTS,
};
constexpr u32 DB_BLOCK_COUNT = DB_BLOCK_LAST;

// Offsets are from the block's first byte; the records follow the header and
// the pool follows the records, ending the block.
struct _DbStandardHeader {
    u32 m_BlockId;  // e_DbBlockId
    u32 m_RecordCount;
    u32 m_RecordSize;  // must be the block's DbRecordSize
    u32 m_ByteSize;    // header, records and pool
    u32 m_PoolOffset;
    u32 m_PoolSize;
};
constexpr u32 DB_BLOCK_HEADER_SIZE = 24;

// Bytes of one file record per block (index = block id).
constexpr u32 DbRecordSize[DB_BLOCK_COUNT + 1] = {
    0,
    12 * 4,      // items: name, description, male, index, texture, subtype, price, type, 2 x (bonus, amount)
    8 * 4 + 16,  // balls: index, 4 texts, friction and gyration (f64), absorb, flare, absorb rate
    23 * 4,      // quick-play bowlers: id, 2 names, hand, 4 skills, gender, 11 looks, 3 balls
    24 * 4,      // bowlers: id, 2 names, hand, 4 skills, gender, 11 looks, 2 balls, average, league
    3 * 4,       // rivals
    10 * 4,      // tournaments
    4 * 4,       // seasons: league, season, week, tournament id
    6 * 4,       // leagues
    20 * 4,      // oil patterns: id, 13 texts, length, centre oil, edge oil, centre boards, dry boards, taper
    (3 + 4 * 17) * 4,  // shell lights: usage, count, ambient, 4 x (4 vectors, flags)
    2 * 4,             // create-a-bowler shirts: gender, offered
    2 * 4,             // shoes
    2 * 4,             // glasses
    7 * 4,             // create-a-bowler counts, one record
};

// Limits both ends check.
constexpr u32 DB_SKILL_MAX = 100;
constexpr u32 DB_LEAGUE_COUNT = 5;     // eLeagues 1..5: four amateur leagues, then the pro league
constexpr u32 DB_AMATEUR_SEASONS = 4;  // seasons 0..3; the pro league plays season 4
constexpr u32 DB_AMATEUR_WEEKS = 9;
constexpr u32 DB_PRO_SEASON = 4;
constexpr u32 DB_SHELL_USAGE_COUNT = 3;
constexpr u32 DB_OIL_VALUE_MAX = 0xFFFF;
constexpr u32 DB_CAC_COUNT_NAMES = 7;
