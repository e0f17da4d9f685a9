#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/AnimInternal.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"

namespace {

constexpr u32 kDataSize = 36;
constexpr u32 kChannelSize = 12;

s_hanim_header* Reject(const char* name, const char* why) {
    DEBUG_PRINT("HANIM: %s: bad VHA chunk (%s)\n", DebugName(name).c_str(), why);
    return nullptr;
}

// One animation's channel block, [start, end) of the chunk.
struct Block {
    u32 start;
    u32 count;
    u32 end;
};

// Checks a block's channels and keys and finds its end; null when sound, else why not.
const char* Measure(const ChunkReader& chunk, Block* block) {
    if (block->start % 4 != 0)
        return "channels not on a word";
    u32 at = block->start;
    for (u32 i = 0; i < block->count; ++i) {
        u8 type = 0, flags = 0;
        u16 count = 0;
        if (!chunk.U8(at, &type) || !chunk.U8(at + 1, &flags) || !chunk.U16(at + 4, &count) ||
            !chunk.Range(at, kChannelSize))
            return "channel outside the chunk";
        const u32 keySize = HAnimKeySize(type, (flags & HCHANNEL_FLAG_IS_KEYED) != 0);
        if (keySize == 0)
            return "Need to implement anim type!!!!";
        if (!chunk.RangeArray(at + kChannelSize, count, keySize))
            return "keys outside the chunk";
        at += kChannelSize + count * keySize;
    }
    block->end = at;
    return nullptr;
}

void SwapBlock(u8* data, const Block& block) {
    u8* at = data + block.start;
    for (u32 i = 0; i < block.count; ++i) {
        const u16 count = LoadBE16(at + 4);
        const u16 size = LoadBE16(at + 6);
        const u32 boneId = LoadBE32(at + 8);
        auto* channel = reinterpret_cast<s_hanim_channel*>(at);
        channel->count = count;
        channel->size = s16(size);
        channel->boneId = boneId;
        const bool keyed = (channel->flags & HCHANNEL_FLAG_IS_KEYED) != 0;
        HAnimSwapKeys(at + kChannelSize, channel->type, keyed, count);
        at += kChannelSize + count * HAnimKeySize(channel->type, keyed);
    }
}

// Sorts the blocks, measures each distinct one once (animations may share a
// block) and checks that no two overlap, since each is swapped in place once.
const char* MeasureBlocks(const ChunkReader& chunk, std::vector<Block>* blocks) {
    std::sort(blocks->begin(), blocks->end(), [](const Block& a, const Block& b) {
        return a.start != b.start ? a.start < b.start : a.count < b.count;
    });
    blocks->erase(
        std::unique(blocks->begin(), blocks->end(),
                    [](const Block& a, const Block& b) { return a.start == b.start && a.count == b.count; }),
        blocks->end());
    u32 previousEnd = 0;
    for (Block& block : *blocks) {
        if (block.start < previousEnd)
            return "channel blocks overlap";
        if (const char* why = Measure(chunk, &block))
            return why;
        previousEnd = std::max(previousEnd, block.end);
    }
    return nullptr;
}

// A name inside a channel block would change when the keys are swapped.
bool InsideBlocks(const std::vector<Block>& blocks, u32 start, u32 end) {
    auto after = std::upper_bound(blocks.begin(), blocks.end(), start,
                                  [](u32 at, const Block& block) { return at < block.start; });
    if (after != blocks.end() && after->start < end && after->start != after->end)
        return true;
    return after != blocks.begin() && std::prev(after)->end > start;
}

struct AnimationFields {
    u32 name;
    u32 channels;
};

const char* ReadAnimation(const ChunkReader& chunk, u32 offset, s_hanim_data* out, AnimationFields* fields) {
    ChunkCursor c(chunk, offset);
    *out = {};
    c.U32(&fields->name), c.U16(&out->flags), c.U16(&out->count);
    c.F32(&out->timeStart), c.F32(&out->timeEnd), c.F32(&out->blendTime);
    c.Skip(12);  // run-time slots: spool handle, residency, pending read, original channels
    c.U32(&fields->channels);
    if (!c.Ok())
        return "animation outside the chunk";
    if (!chunk.CString(fields->name, &out->name))
        return "name outside the chunk";
    return nullptr;
}

}  // namespace

s_hanim_header* HAnimParseChunk(const char* name, u8* data, u32 size, bool spooled) {
    ChunkReader chunk(data, size);
    s_hanim_header header{};
    u32 animList = 0;
    ChunkCursor c(chunk, 4);  // the registry entry is filled at run time
    c.U16(&header.flags), c.U16(&header.bankNum), c.S16(&header.numAnim), c.S16(&header.numBoneRemaps);
    c.U32(&animList), c.U32(&header.boneRemapList);
    c.Skip(4);  // the spool buffer is made at run time
    c.U32(&header.largestAnimSize), c.U32(&header.lastAnimSize);
    if (!c.Ok())
        return Reject(name, "truncated header");
    if (reinterpret_cast<std::uintptr_t>(data) % alignof(s_hanim_channel) != 0)
        return Reject(name, "chunk not on a word");
    if (header.numAnim < 0 || !chunk.RangeArray(animList, u32(header.numAnim), kDataSize))
        return Reject(name, "animation list outside the chunk");
    const u32 numAnim = u32(header.numAnim);
    // A spooled bank holds only what precedes the end of its animation list.
    if (spooled)
        chunk = ChunkReader(data, animList + numAnim * kDataSize);

    const u32 bytes = u32(sizeof(s_hanim_header) + numAnim * sizeof(s_hanim_data));
    auto* bank = static_cast<s_hanim_header*>(HeapMalloc(bytes, __FILE_NAME__, __LINE__));
    if (bank == nullptr)
        return Reject(name, "out of memory");
    *bank = header;
    bank->animList = reinterpret_cast<s_hanim_data*>(bank + 1);

    std::vector<AnimationFields> fields(numAnim);
    std::vector<Block> blocks;
    for (u32 i = 0; i < numAnim; ++i) {
        if (const char* why =
                ReadAnimation(chunk, animList + i * kDataSize, &bank->animList[i], &fields[i])) {
            HeapMallocFree(bank);
            return Reject(name, why);
        }
        blocks.push_back({fields[i].channels, bank->animList[i].count, 0});
    }
    if (spooled) {
        bank->flags |= HANIM_FLAG_SPOOLED_ANIM;
        for (u32 i = 0; i < numAnim; ++i)
            bank->animList[i].spoolOffset = fields[i].channels;
        return bank;
    }

    const char* why = MeasureBlocks(chunk, &blocks);
    for (u32 i = 0; why == nullptr && i < numAnim; ++i) {
        const u32 nameEnd = fields[i].name + u32(std::strlen(bank->animList[i].name)) + 1;
        if (InsideBlocks(blocks, fields[i].name, nameEnd))
            why = "name inside the keys";
    }
    if (why != nullptr) {
        HeapMallocFree(bank);
        return Reject(name, why);
    }
    for (const Block& block : blocks)
        SwapBlock(data, block);
    for (u32 i = 0; i < numAnim; ++i) {
        bank->animList[i].channels = reinterpret_cast<const s_hanim_channel*>(data + fields[i].channels);
        bank->animList[i].refCount = 1;
    }
    return bank;
}
