// What the model loader's files share.
#pragma once

#include "orblib47/source/Model.h"

// --- ModelChunk.cpp

// Parses a "VHM" chunk's data: checks every offset and count against the chunk,
// swaps the pointer-free arrays in place and copies the records that hold
// pointers into one heap block, whose s_model comes first and points into `data`.
// The run-time slots start empty. Null, after one line, for a bad chunk (the data
// may then be partly swapped).
s_model* ModelParseChunk(const char* name, u8* data, u32 size);

// --- ModelChunkCheck.cpp

// Checks every index of a parsed model against the arrays it indexes: bones,
// meshes and their command streams, collision spheres and link points, collision
// faces, selection sets and the skin. Null when sound, else why not.
const char* ModelCheckIndices(const s_model& model);
