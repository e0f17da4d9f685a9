// What the bank loader and the key encodings share inside the animation module.
#pragma once

#include "orblib47/source/OrbTypes.h"

struct s_hanim_header;

void HAnimFillQuatTable();
// Byte-swaps `count` big-endian keys of a supported type in place.
void HAnimSwapKeys(u8* keys, u8 type, bool keyed, u32 count);
// Parses a bank in place: the channels and keys are byte-swapped inside `data`,
// the header and its animation list go to a new heap block. A spooled bank keeps
// its channels on the disc. Null after a one-line message for a bad chunk, with
// `data` untouched.
s_hanim_header* HAnimParseChunk(const char* name, u8* data, u32 size, bool spooled);
