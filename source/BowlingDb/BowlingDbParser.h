// One parse of a database image: the block directory, the tables' layout and the
// per-block fix-ups (BowlingDbBlocks.cpp).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "source/BowlingDb/BowlingDbFormat.h"
#include "source/BowlingDb/BowlingDbTables.h"

const char* DbBlockName(u32 id);

struct DbBlock {
    bool present = false;
    u32 count = 0;
    ChunkReader records;
    ChunkReader pool;
};

// Sorted keys for repeat checks and look-ups that stay fast on hostile counts.
class KeySet {
public:
    void Add(s32 key) { keys_.push_back(key); }
    // The first repeated key, or nothing.
    bool Repeated(s32* key) {
        std::sort(keys_.begin(), keys_.end());
        auto found = std::adjacent_find(keys_.begin(), keys_.end());
        if (found == keys_.end())
            return false;
        *key = *found;
        return true;
    }
    bool Has(s32 key) const { return std::binary_search(keys_.begin(), keys_.end(), key); }

private:
    std::vector<s32> keys_;
};

class DbParser {
public:
    // `hostMemory`: the tables go in a block of the C library's instead of the
    // engine heap (the disc check parses before the engine starts).
    DbParser(const u8* data, u32 size, bool hostMemory = false)
        : data_(data), size_(data != nullptr ? size : 0), hostMemory_(hostMemory) {}
    ~DbParser();
    DbParser(const DbParser&) = delete;
    DbParser& operator=(const DbParser&) = delete;

    // False with Error() set on the first fault.
    bool Run();
    const std::string& Error() const { return error_; }
    // The finished tables of an engine-heap parse; the parser no longer frees them.
    DbTables Take();

private:
    bool Fail(const char* format, ...) __attribute__((format(printf, 2, 3)));
    bool ReadDirectory();
    u64 Layout(u8* base);
    bool Allocate();

    bool Items();
    bool Balls();
    bool CacLists();
    bool Tournaments();
    bool Seasons();
    bool Leagues();
    bool Bowlers();
    bool Rivals();
    bool QpBowlers();
    bool OilPatterns();
    bool ShellLights();

    // The item with index n of type `type`, or null.
    const s_DBItem* ItemOfType(s32 n, u32 type) const;

    const u8* data_;
    u32 size_;
    bool hostMemory_;
    DbBlock blocks_[DB_BLOCK_COUNT + 1];
    DbTables t_;
    u8* copy_ = nullptr;         // the image inside the tables' block
    s32 itemAt_[DB_ITEM_COUNT];  // the record of each item index, or -1
    KeySet tournIds_;
    KeySet bowlerIds_;
    std::string error_;
};
