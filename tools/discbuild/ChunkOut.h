// A chunk payload built front to back in the disc's big-endian order, with
// offsets patched in once what they point at has been written.
#pragma once

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/OrbMath.h"

namespace discbuild {

class ChunkOut {
public:
    ChunkOut() = default;
    // Starts with a zeroed header of `headerSize` bytes, patched at the end.
    explicit ChunkOut(u32 headerSize) : bytes_(headerSize) {}

    u32 Size() const { return u32(bytes_.size()); }
    void Byte(u8 value) { bytes_.push_back(value); }
    void Half(u16 value) { StoreBE16(Grow(2), value); }
    void Word(u32 value) { StoreBE32(Grow(4), value); }
    void Float(f32 value) { Word(std::bit_cast<u32>(value)); }
    void Floats(const f32* values, u32 count) {
        for (u32 i = 0; i < count; ++i)
            Float(values[i]);
    }
    void Vector4(const s_Vector4& v) { Float(v.x), Float(v.y), Float(v.z), Float(v.w); }
    void Bytes(const void* data, size_t length) {
        const u8* from = static_cast<const u8*>(data);
        bytes_.insert(bytes_.end(), from, from + length);
    }
    void Bytes(const std::vector<u8>& data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
    // `text` in a field of `length` bytes, zero-filled; the caller keeps it short enough.
    void Text(const std::string& text, u32 length) { std::copy(text.begin(), text.end(), Grow(length)); }
    // Zero-fills up to the next multiple of `boundary` (a power of two).
    void Align(u32 boundary) { bytes_.resize((bytes_.size() + boundary - 1) & ~size_t(boundary - 1)); }
    void Patch(u32 at, u32 value) { StoreBE32(&bytes_[at], value); }
    void PatchHalf(u32 at, u16 value) { StoreBE16(&bytes_[at], value); }

    std::vector<u8>& Data() { return bytes_; }
    std::vector<u8> Take() { return std::move(bytes_); }

private:
    u8* Grow(u32 count) {
        bytes_.resize(bytes_.size() + count);
        return bytes_.data() + bytes_.size() - count;
    }

    std::vector<u8> bytes_;
};

}  // namespace discbuild
