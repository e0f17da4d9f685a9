#include <cstring>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/SpriteInternal.h"

namespace {

constexpr u32 kHeaderSize = 28;  // before the cell offsets
constexpr u32 kTextureSize = 20;
constexpr u32 kAnimationHeaderSize = 4;
constexpr u32 kFrameHeaderSize = 4;
constexpr u32 kFrameSpriteSize = 68;

s_sprite_set* Reject(const char* name, const char* why) {
    DEBUG_PRINT("SPRITE: %s: bad SPR chunk (%s)\n", DebugName(name).c_str(), why);
    return nullptr;
}

// Where each table lies in the set's block; the pointer tables first, so that
// each starts aligned.
struct Layout {
    u64 textures, animations, frames, cells, frameSprites, total;
};

template <typename T>
u64 Place(u64* at, u64 count) {
    const u64 start = (*at + alignof(T) - 1) / alignof(T) * alignof(T);
    *at = start + count * sizeof(T);
    return start;
}

Layout MakeLayout(u64 numTexture, u64 numAnimation, u64 numFrame, u64 numCell, u64 numFrameSprite) {
    u64 at = sizeof(s_sprite_set);
    Layout layout{};
    layout.textures = Place<s_texture_def>(&at, numTexture);
    layout.animations = Place<s_sanim_data>(&at, numAnimation);
    layout.frames = Place<s_sanim_frame>(&at, numFrame);
    layout.cells = Place<s_sprite_uv>(&at, numCell);
    layout.frameSprites = Place<s_sanim_sprite>(&at, numFrameSprite);
    layout.total = at;
    return layout;
}

// Walks the animations: once with no output to check them and count their
// frames and frame sprites, then again to fill the block. Every table entry is
// read on its own, so entries that share an offset become separate records.
class AnimationWalker {
public:
    AnimationWalker(const ChunkReader& chunk, s32 numCell, s_sanim_frame* frames = nullptr,
                    s_sanim_sprite* sprites = nullptr)
        : chunk_(chunk), numCell_(numCell), frames_(frames), sprites_(sprites) {}

    // Null when the animation at `offset` is sound, else why not.
    const char* Animation(u32 offset, s_sanim_data* out) {
        u16 flags = 0, numFrame = 0;
        if (!chunk_.U16(offset, &flags) || !chunk_.U16(offset + 2, &numFrame))
            return "animation outside the chunk";
        const u32 table = offset + kAnimationHeaderSize;
        if (!chunk_.RangeArray(table, numFrame, 4))
            return "frame table outside the chunk";
        s_sanim_frame* first = frames_ != nullptr ? frames_ + numFrame_ : nullptr;
        if (out != nullptr)
            *out = {flags, numFrame, first};
        numFrame_ += numFrame;
        for (u32 i = 0; i < numFrame; ++i) {
            u32 frame = 0;
            chunk_.U32(table + 4 * i, &frame);
            if (const char* why = Frame(frame, first != nullptr ? first + i : nullptr))
                return why;
        }
        return nullptr;
    }

    u64 NumFrame() const { return numFrame_; }
    u64 NumFrameSprite() const { return numFrameSprite_; }

private:
    const char* Frame(u32 offset, s_sanim_frame* out) {
        s32 count = 0;
        if (!chunk_.S32(offset, &count))
            return "frame outside the chunk";
        const u32 first = offset + kFrameHeaderSize;
        if (count < 0 || !chunk_.RangeArray(first, u32(count), kFrameSpriteSize))
            return "frame sprites outside the chunk";
        s_sanim_sprite* sprites = sprites_ != nullptr ? sprites_ + numFrameSprite_ : nullptr;
        if (out != nullptr)
            *out = {count, sprites};
        numFrameSprite_ += u32(count);
        for (u32 i = 0; i < u32(count); ++i) {
            s_sanim_sprite sprite{};
            ChunkCursor c(chunk_, first + i * kFrameSpriteSize);
            c.S32(&sprite.id);
            for (s_sanim_vertex& v : sprite.vertex)
                c.F32(&v.x), c.F32(&v.y), c.F32(&v.z), c.U32(&v.color);
            if (sprite.id < 0 || sprite.id >= numCell_)
                return "a frame sprite names a cell past the set";
            if (sprites != nullptr)
                sprites[i] = sprite;
        }
        // Shared offsets let a small chunk describe a huge set.
        if (MakeLayout(0, 0, numFrame_, 0, numFrameSprite_).total > HeapMallocLimit())
            return "too large";
        return nullptr;
    }

    ChunkReader chunk_;
    s32 numCell_;
    s_sanim_frame* frames_;
    s_sanim_sprite* sprites_;
    u64 numFrame_ = 0;
    u64 numFrameSprite_ = 0;
};

const char* ReadCell(const ChunkReader& chunk, u32 offset, s32 numTexture, s_sprite_uv* out) {
    ChunkCursor c(chunk, offset);
    c.U16(&out->flags), c.U16(&out->textureId);
    for (auto& corner : out->uv)
        c.F32(&corner[0]), c.F32(&corner[1]);
    if (!c.Ok())
        return "cell outside the chunk";
    if (out->textureId >= numTexture)
        return "a cell names a texture past the table";
    return nullptr;
}

template <typename T>
T* At(u8* block, u64 offset) {
    return reinterpret_cast<T*>(block + offset);
}

}  // namespace

s_sprite_set* SpriteParseChunk(const char* name, const u8* chunk, u32 size) {
    const ChunkReader view(chunk, size);
    ChunkCursor header(view, 4);  // the registry entry is filled at run time
    u32 flags = 0, animationTable = 0, textureTable = 0;
    s32 numAnimation = 0, numTexture = 0, numCell = 0;
    header.U32(&flags), header.S32(&numAnimation), header.U32(&animationTable);
    header.S32(&numTexture), header.U32(&textureTable), header.S32(&numCell);
    if (!header.Ok())
        return Reject(name, "truncated header");
    if (numAnimation < 0 || numTexture < 0 || numCell < 0)
        return Reject(name, "negative count");
    if (!view.RangeArray(kHeaderSize, u32(numCell), 4))
        return Reject(name, "cell offsets outside the chunk");
    if (numTexture != 0 && !view.RangeArray(textureTable, u32(numTexture), kTextureSize))
        return Reject(name, "texture table outside the chunk");
    if (numAnimation != 0 && !view.RangeArray(animationTable, u32(numAnimation), 4))
        return Reject(name, "animation table outside the chunk");

    AnimationWalker counter(view, numCell);
    for (u32 i = 0; i < u32(numAnimation); ++i) {
        u32 offset = 0;
        view.U32(animationTable + 4 * i, &offset);
        if (const char* why = counter.Animation(offset, nullptr))
            return Reject(name, why);
    }
    const Layout layout = MakeLayout(u32(numTexture), u32(numAnimation), counter.NumFrame(), u32(numCell),
                                     counter.NumFrameSprite());
    if (layout.total > HeapMallocLimit())
        return Reject(name, "too large");
    auto* block = static_cast<u8*>(HeapMalloc(u32(layout.total), __FILE_NAME__, __LINE__));
    if (block == nullptr)
        return Reject(name, "out of memory");
    std::memset(block, 0, layout.total);

    auto* set = At<s_sprite_set>(block, 0);
    set->flags = flags;
    set->numAnimation = numAnimation;
    set->animations = At<s_sanim_data>(block, layout.animations);
    set->numTexture = numTexture;
    set->textures = At<s_texture_def>(block, layout.textures);
    set->numSprite = numCell;
    set->sprites = At<s_sprite_uv>(block, layout.cells);
    for (u32 i = 0; i < u32(numCell); ++i) {
        u32 offset = 0;
        view.U32(kHeaderSize + 4 * i, &offset);
        if (const char* why = ReadCell(view, offset, numTexture, &set->sprites[i])) {
            HeapMallocFree(block);
            return Reject(name, why);
        }
    }
    for (u32 i = 0; i < u32(numTexture); ++i)
        view.Name(textureTable + i * kTextureSize, TEXTURE_NAME_LEN, set->textures[i].name);
    AnimationWalker filler(view, numCell, At<s_sanim_frame>(block, layout.frames),
                           At<s_sanim_sprite>(block, layout.frameSprites));
    for (u32 i = 0; i < u32(numAnimation); ++i) {
        u32 offset = 0;
        view.U32(animationTable + 4 * i, &offset);
        filler.Animation(offset, &set->animations[i]);  // checked by the count
    }
    return set;
}
