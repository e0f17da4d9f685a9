// The one reader of big-endian file images. A ChunkReader is a view over (data,
// size) whose every read checks its range first; a failed read returns false and
// leaves the output untouched. ChunkCursor walks a view field by field and
// remembers the first failure, so a parser can read a run of fields and check once.
#pragma once

#include <bit>
#include <cstring>

#include "orblib47/source/OrbTypes.h"

inline u16 LoadBE16(const u8* p) {
    return u16((u32(p[0]) << 8) | u32(p[1]));
}
inline u32 LoadBE32(const u8* p) {
    return (u32(p[0]) << 24) | (u32(p[1]) << 16) | (u32(p[2]) << 8) | u32(p[3]);
}
inline void StoreBE16(u8* p, u16 v) {
    p[0] = u8(v >> 8);
    p[1] = u8(v);
}
inline void StoreBE32(u8* p, u32 v) {
    p[0] = u8(v >> 24);
    p[1] = u8(v >> 16);
    p[2] = u8(v >> 8);
    p[3] = u8(v);
}

class ChunkReader {
public:
    ChunkReader() = default;
    ChunkReader(const void* data, u32 size) : data_(static_cast<const u8*>(data)), size_(data ? size : 0) {}

    const u8* Data() const { return data_; }
    u32 Size() const { return size_; }

    // True when [offset, offset + length) lies inside the view; never overflows.
    bool Range(u32 offset, u32 length) const { return offset <= size_ && length <= size_ - offset; }
    // True when `count` elements of `elementSize` bytes from `offset` lie inside the view.
    bool RangeArray(u32 offset, u32 count, u32 elementSize) const {
        if (elementSize != 0 && count > 0xFFFFFFFFu / elementSize)
            return false;
        return Range(offset, count * elementSize);
    }

    // The bytes [offset, offset + length), or null when out of range.
    const u8* Bytes(u32 offset, u32 length) const { return Range(offset, length) ? data_ + offset : nullptr; }

    bool U8(u32 offset, u8* out) const {
        return Read(offset, 1, out, [](const u8* p) { return *p; });
    }
    bool S8(u32 offset, s8* out) const {
        return Read(offset, 1, out, [](const u8* p) { return s8(*p); });
    }
    bool U16(u32 offset, u16* out) const { return Read(offset, 2, out, LoadBE16); }
    bool S16(u32 offset, s16* out) const {
        return Read(offset, 2, out, [](const u8* p) { return s16(LoadBE16(p)); });
    }
    bool U32(u32 offset, u32* out) const { return Read(offset, 4, out, LoadBE32); }
    bool S32(u32 offset, s32* out) const {
        return Read(offset, 4, out, [](const u8* p) { return s32(LoadBE32(p)); });
    }
    bool F32(u32 offset, f32* out) const {
        return Read(offset, 4, out, [](const u8* p) { return std::bit_cast<f32>(LoadBE32(p)); });
    }

    // Copies `length` raw bytes.
    bool Copy(u32 offset, u32 length, void* out) const {
        if (!Range(offset, length))
            return false;
        if (length != 0)
            std::memcpy(out, data_ + offset, length);
        return true;
    }

    // A fixed-length name field: `out` (length + 1 bytes) receives the characters up
    // to the field's first NUL, NUL-padded and terminated.
    bool Name(u32 offset, u32 length, char* out) const {
        if (!Range(offset, length))
            return false;
        const u8* p = data_ + offset;
        u32 n = 0;
        for (; n < length && p[n] != 0; ++n)
            out[n] = char(p[n]);
        std::memset(out + n, 0, length + 1 - n);
        return true;
    }

    // A NUL-terminated string starting at `offset` whose NUL lies inside the view.
    bool CString(u32 offset, const char** out) const {
        if (offset >= size_)
            return false;
        if (std::memchr(data_ + offset, 0, size_ - offset) == nullptr)
            return false;
        *out = reinterpret_cast<const char*>(data_ + offset);
        return true;
    }

    // The view [offset, offset + length).
    bool Sub(u32 offset, u32 length, ChunkReader* out) const {
        if (!Range(offset, length))
            return false;
        *out = ChunkReader(data_ + offset, length);
        return true;
    }

private:
    template <typename T, typename Load>
    bool Read(u32 offset, u32 width, T* out, Load load) const {
        if (!Range(offset, width))
            return false;
        *out = load(data_ + offset);
        return true;
    }

    const u8* data_ = nullptr;
    u32 size_ = 0;
};

class ChunkCursor {
public:
    explicit ChunkCursor(const ChunkReader& view, u32 offset = 0) : view_(view), offset_(offset) {
        ok_ = offset <= view.Size();
    }

    // False once any read has failed; later reads fail too.
    bool Ok() const { return ok_; }
    u32 Offset() const { return offset_; }
    u32 Remaining() const { return ok_ ? view_.Size() - offset_ : 0; }

    bool U8(u8* out) {
        return Step(1, [&] { return view_.U8(offset_, out); });
    }
    bool S8(s8* out) {
        return Step(1, [&] { return view_.S8(offset_, out); });
    }
    bool U16(u16* out) {
        return Step(2, [&] { return view_.U16(offset_, out); });
    }
    bool S16(s16* out) {
        return Step(2, [&] { return view_.S16(offset_, out); });
    }
    bool U32(u32* out) {
        return Step(4, [&] { return view_.U32(offset_, out); });
    }
    bool S32(s32* out) {
        return Step(4, [&] { return view_.S32(offset_, out); });
    }
    bool F32(f32* out) {
        return Step(4, [&] { return view_.F32(offset_, out); });
    }
    bool Copy(u32 length, void* out) {
        return Step(length, [&] { return view_.Copy(offset_, length, out); });
    }
    bool Name(u32 length, char* out) {
        return Step(length, [&] { return view_.Name(offset_, length, out); });
    }
    bool Skip(u32 length) {
        return Step(length, [&] { return view_.Range(offset_, length); });
    }
    // The next `length` bytes as a view.
    bool Sub(u32 length, ChunkReader* out) {
        return Step(length, [&] { return view_.Sub(offset_, length, out); });
    }

private:
    // Once failed, stay failed: no later read runs from a stale offset.
    template <typename Read>
    bool Step(u32 length, Read read) {
        if (!ok_)
            return false;
        if (!read())
            return ok_ = false;
        offset_ += length;
        return true;
    }

    ChunkReader view_;
    u32 offset_;
    bool ok_;
};
