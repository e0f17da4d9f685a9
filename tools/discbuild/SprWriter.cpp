#include "tools/discbuild/SprWriter.h"

#include <stdexcept>

#include "tools/discbuild/ChunkOut.h"

namespace discbuild {

namespace {

void Check(const SpriteSet& set) {
    for (const std::string& name : set.textures)
        if (name.size() > 15)
            throw std::invalid_argument("spr: texture name longer than 15 characters: " + name);
    for (const SpriteCell& cell : set.cells)
        if (cell.texture >= set.textures.size())
            throw std::invalid_argument("spr: a cell names a texture past the table");
    for (const SpriteAnimation& animation : set.animations) {
        if (animation.frames.size() > 0xFFFF)
            throw std::invalid_argument("spr: more than 65535 frames");
        for (const auto& frame : animation.frames)
            for (const FrameSprite& sprite : frame)
                if (sprite.cell >= set.cells.size())
                    throw std::invalid_argument("spr: a frame sprite names a cell past the set");
    }
}

constexpr u32 kTextureNameSize = 16;

}  // namespace

std::vector<u8> SprPayload(const SpriteSet& set) {
    Check(set);
    ChunkOut out;
    out.Word(0);  // dataEntry
    out.Word(0);  // flags
    out.Word(u32(set.animations.size()));
    out.Word(0);  // animation table, patched below
    out.Word(u32(set.textures.size()));
    out.Word(0);  // texture table
    out.Word(u32(set.cells.size()));
    const u32 cellOffsets = out.Size();
    for (size_t i = 0; i < set.cells.size(); ++i)
        out.Word(0);

    for (size_t i = 0; i < set.cells.size(); ++i) {
        out.Patch(cellOffsets + u32(i) * 4, out.Size());
        out.Half(set.cells[i].flags);
        out.Half(set.cells[i].texture);
        for (f32 value : set.cells[i].uv)
            out.Float(value);
    }
    out.Patch(20, out.Size());
    for (const std::string& name : set.textures) {
        out.Text(name, kTextureNameSize);
        out.Word(0);  // texture, filled at load
    }
    const u32 animationTable = out.Size();
    out.Patch(12, animationTable);
    for (size_t i = 0; i < set.animations.size(); ++i)
        out.Word(0);
    for (size_t i = 0; i < set.animations.size(); ++i) {
        const SpriteAnimation& animation = set.animations[i];
        out.Patch(animationTable + u32(i) * 4, out.Size());
        out.Half(animation.flags);
        out.Half(u16(animation.frames.size()));
        const u32 frameOffsets = out.Size();
        for (size_t f = 0; f < animation.frames.size(); ++f)
            out.Word(0);
        for (size_t f = 0; f < animation.frames.size(); ++f) {
            out.Patch(frameOffsets + u32(f) * 4, out.Size());
            out.Word(u32(animation.frames[f].size()));
            for (const FrameSprite& sprite : animation.frames[f]) {
                out.Word(sprite.cell);
                for (const SpriteVertex& vertex : sprite.corners) {
                    out.Float(vertex.x);
                    out.Float(vertex.y);
                    out.Float(vertex.z);
                    out.Word(vertex.colour);
                }
            }
        }
    }
    return out.Take();
}

}  // namespace discbuild
