// What the bank loader and the key encodings share inside the animation module.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_flat_bone;
struct s_hanim_header;
struct s_hchannel;

// What a channel's values move.
enum class HAnimKind : u8 { Rotation, Translation, Scale, Other };
HAnimKind HAnimChannelKind(u8 type);

// A sampled value (currentData) as a rotation or a vector.
inline s_Quaternion HAnimQuat(const s_Vector4& v) {
    return {v.x, v.y, v.z, v.w};
}
inline s_Vector3 HAnimVector3(const s_Vector4& v) {
    return {v.x, v.y, v.z, 0.0f};
}

// Writes a material track's sampled value into its flat bone; once rotation,
// translation and scale have all been written the bone's matrix is rebuilt.
void HAnimWriteFlatBone(const s_hchannel* channel, HAnimKind kind, s_flat_bone* bone);

void HAnimFillQuatTable();
// Byte-swaps `count` big-endian keys of a supported type in place.
void HAnimSwapKeys(u8* keys, u8 type, bool keyed, u32 count);
// Parses a bank in place: the channels and keys are byte-swapped inside `data`,
// the header and its animation list go to a new heap block. A spooled bank keeps
// its channels on the disc. Null after a one-line message for a bad chunk, with
// `data` untouched.
s_hanim_header* HAnimParseChunk(const char* name, u8* data, u32 size, bool spooled);
