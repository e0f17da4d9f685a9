// The "TIM" chunk parser and the stored-format table, shared by the texture files.
#pragma once

#include "orblib47/source/Texture.h"

struct s_surface_fmt {
    s32 value;    // stored code; -1 ends the table
    s32 console;  // console texture or palette format
    const char* name;
};

extern const s_surface_fmt SurfaceFmtTrans[];

// The console value of a stored code; -1 for -1 and for a code not in the table.
s32 TextureRemapEnum(const s_surface_fmt* table, s32 value);

// Checks a chunk and fills `file` with its image records and child table (one
// heap block, texels and palettes left in place in the chunk). False, after the
// module's one-line error, when anything lies outside the chunk or is not a
// texture the console can draw.
bool TextureParseChunk(const char* name, u8* chunk, u32 size, s_texture_file* file);
