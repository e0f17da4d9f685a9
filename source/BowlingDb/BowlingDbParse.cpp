// The database image to host tables: the file header and the block directory are
// checked first, one heap block is laid out for every table and a copy of the
// image (whose string pools the tables point into), then each block's records are
// fixed up and cross-checked. Nothing is installed unless all of it passes.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "source/BowlingDb/BowlingDbFormat.h"
#include "source/BowlingDb/BowlingDbInternal.h"
#include "source/BowlingDb/BowlingDbParser.h"
#include "source/BowlingDb/BowlingDbTables.h"

namespace {

constexpr u64 kStorageAlign = 32;  // as the engine heap's blocks

constexpr const char* kBlockNames[DB_BLOCK_COUNT + 1] = {
    "",
    "items",
    "balls",
    "quick-play bowlers",
    "bowlers",
    "rivals",
    "tournaments",
    "seasons",
    "leagues",
    "oil patterns",
    "shell lights",
    "shirts",
    "shoes",
    "glasses",
    "create-a-bowler counts",
};

// Hands out aligned pieces of one block; with no base it only measures.
class Carver {
public:
    explicit Carver(u8* base) : base_(base) {}
    template <typename T>
    T* Take(u64 count) {
        used_ = (used_ + 7) & ~u64(7);
        T* piece = base_ != nullptr ? reinterpret_cast<T*>(base_ + used_) : nullptr;
        used_ += count * sizeof(T);
        return piece;
    }
    u64 Used() const { return used_; }

private:
    u8* base_;
    u64 used_ = 0;
};

}  // namespace

const char* DbBlockName(u32 id) {
    return kBlockNames[id];
}

bool DbParser::Fail(const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    error_ = line;
    return false;
}

bool DbParser::ReadDirectory() {
    const ChunkReader file(data_, size_);
    u32 magic = 0, version = 0, blockCount = 0, fileSize = 0;
    if (!file.U32(0, &magic) || !file.U32(4, &version) || !file.U32(8, &blockCount) ||
        !file.U32(12, &fileSize))
        return Fail("file too short for its header (%u bytes)", size_);
    if (magic != DB_FILE_MAGIC)
        return Fail("not a database file");
    if (version != DB_FILE_VERSION)
        return Fail("version %u, want %u", version, DB_FILE_VERSION);
    if (fileSize != size_)
        return Fail("file header gives %u bytes, the file has %u", fileSize, size_);
    if (blockCount != DB_BLOCK_COUNT)
        return Fail("%u blocks, want %u", blockCount, DB_BLOCK_COUNT);
    u32 at = DB_FILE_HEADER_SIZE;
    for (u32 n = 0; n < blockCount; ++n) {
        ChunkCursor cursor(file, at);
        _DbStandardHeader header{};
        cursor.U32(&header.m_BlockId), cursor.U32(&header.m_RecordCount), cursor.U32(&header.m_RecordSize);
        cursor.U32(&header.m_ByteSize), cursor.U32(&header.m_PoolOffset), cursor.U32(&header.m_PoolSize);
        if (!cursor.Ok())
            return Fail("block %u: header beyond the end of the file", n);
        const u32 id = header.m_BlockId;
        if (id == 0 || id > DB_BLOCK_COUNT)
            return Fail("block %u: unknown block id %u", n, id);
        DbBlock& block = blocks_[id];
        if (block.present)
            return Fail("%s: block repeated", kBlockNames[id]);
        if (header.m_RecordSize != DbRecordSize[id])
            return Fail("%s: records of %u bytes, want %u", kBlockNames[id], header.m_RecordSize,
                        DbRecordSize[id]);
        const u64 recordsEnd = DB_BLOCK_HEADER_SIZE + u64(header.m_RecordCount) * header.m_RecordSize;
        if (header.m_PoolOffset != recordsEnd ||
            u64(header.m_PoolOffset) + header.m_PoolSize != header.m_ByteSize)
            return Fail("%s: records and pool do not fill the block", kBlockNames[id]);
        if (!file.Sub(at + DB_BLOCK_HEADER_SIZE, header.m_PoolOffset - DB_BLOCK_HEADER_SIZE,
                      &block.records) ||
            !file.Sub(at + header.m_PoolOffset, header.m_PoolSize, &block.pool))
            return Fail("%s: block beyond the end of the file", kBlockNames[id]);
        block.present = true;
        block.count = header.m_RecordCount;
        at += header.m_ByteSize;
    }
    if (at != size_)
        return Fail("%u bytes after the last block", size_ - at);
    return true;
}

// Lays out (or, with no base, measures) the tables and the image copy.
u64 DbParser::Layout(u8* base) {
    Carver carver(base);
    t_.items = carver.Take<s_DBItem>(blocks_[DB_BLOCK_ITEMS].count);
    t_.ballInfos = carver.Take<s_DBBallInfo>(DB_ITEM_COUNT);
    t_.qpBowlers = carver.Take<s_DBQPBowler>(blocks_[DB_BLOCK_QPBOWLERS].count);
    t_.bowlers = carver.Take<s_DBBowler>(blocks_[DB_BLOCK_BOWLERS].count);
    t_.rivals = carver.Take<s_DBRival>(blocks_[DB_BLOCK_RIVALS].count);
    t_.tournaments = carver.Take<s_TournamentDef>(blocks_[DB_BLOCK_TOURNAMENTS].count);
    t_.seasons = carver.Take<s_LeagueSeasonDef>(blocks_[DB_BLOCK_SEASONS].count);
    t_.leagues = carver.Take<s_AmateurLeagueDef>(blocks_[DB_BLOCK_LEAGUES].count);
    t_.oilPatterns = carver.Take<s_DBOilPattern>(blocks_[DB_BLOCK_OILPATTERNS].count);
    t_.shellLights = carver.Take<s_ShellLight>(blocks_[DB_BLOCK_SHELLLIGHTS].count);
    t_.cacShirts = carver.Take<s_CACShirtTex>(blocks_[DB_BLOCK_CACSHIRTS].count);
    t_.cacShoes = carver.Take<s_CACShoeTex>(blocks_[DB_BLOCK_CACSHOES].count);
    t_.cacGlasses = carver.Take<s_CACGlassesModel>(blocks_[DB_BLOCK_CACGLASSES].count);
    copy_ = carver.Take<u8>(size_);
    return carver.Used();
}

bool DbParser::Allocate() {
    const u64 bytes = Layout(nullptr);
    // The records fit the image, so only a hostile count of the largest host
    // records comes near this.
    if (bytes > 0x7FFFFFFFu)
        return Fail("tables of %llu bytes", static_cast<unsigned long long>(bytes));
    t_.storage = hostMemory_
                     ? std::aligned_alloc(kStorageAlign, (bytes + kStorageAlign - 1) & ~(kStorageAlign - 1))
                     : HeapMalloc(u32(bytes), __FILE_NAME__, __LINE__);
    if (t_.storage == nullptr)
        return Fail("out of memory for %u bytes of tables", u32(bytes));
    if (!hostMemory_)
        HeapAddrAddComment(t_.storage, "BowlingDb");
    std::memset(t_.storage, 0, size_t(bytes));
    Layout(static_cast<u8*>(t_.storage));
    std::memcpy(copy_, data_, size_);
    return true;
}

bool DbParser::Run() {
    if (!ReadDirectory() || !Allocate())
        return false;
    return Items() && Balls() && CacLists() && Tournaments() && Seasons() && Leagues() && Bowlers() &&
           Rivals() && QpBowlers() && OilPatterns() && ShellLights();
}

DbParser::~DbParser() {
    if (t_.storage == nullptr)
        return;
    if (hostMemory_)
        std::free(t_.storage);
    else
        HeapMallocFree(t_.storage);
}

DbTables DbParser::Take() {
    DbTables tables = t_;
    t_ = DbTables{};
    return tables;
}

bool BowlingDbParse(const u8* data, u32 size, std::string* error) {
    DbParser parser(data, size);
    if (!parser.Run()) {
        DEBUG_PRINT("BowlingDb: %s\n", parser.Error().c_str());
        if (error != nullptr)
            *error = parser.Error();
        return false;
    }
    BowlingDbInstall(parser.Take());
    return true;
}
