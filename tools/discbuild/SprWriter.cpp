#include "tools/discbuild/SprWriter.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"

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

class Out {
public:
    u32 Size() const { return u32(bytes_.size()); }
    void Word(u32 value) {
        bytes_.resize(bytes_.size() + 4);
        StoreBE32(&bytes_[bytes_.size() - 4], value);
    }
    void Float(f32 value) { Word(std::bit_cast<u32>(value)); }
    void Half(u16 value) {
        bytes_.resize(bytes_.size() + 2);
        StoreBE16(&bytes_[bytes_.size() - 2], value);
    }
    void Name(const std::string& name) {
        bytes_.resize(bytes_.size() + 16);
        std::copy(name.begin(), name.end(), bytes_.end() - 16);
    }
    void Patch(u32 at, u32 value) { StoreBE32(&bytes_[at], value); }
    std::vector<u8> Take() { return std::move(bytes_); }

private:
    std::vector<u8> bytes_;
};

}  // namespace

std::vector<u8> SprPayload(const SpriteSet& set) {
    Check(set);
    Out out;
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
        out.Name(name);
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
