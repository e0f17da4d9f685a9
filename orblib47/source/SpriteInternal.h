// The "SPR" chunk parser, shared by the sprite-set files.
#pragma once

#include "orblib47/source/Sprite.h"

// Checks a chunk and builds the set in one heap block (the set record first,
// then its tables), leaving the chunk untouched. Null, after the module's
// one-line error, when anything lies outside the chunk or an index is past its
// table. The texture references start empty.
s_sprite_set* SpriteParseChunk(const char* name, const u8* chunk, u32 size);
