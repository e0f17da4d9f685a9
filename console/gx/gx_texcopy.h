// Copies to texture in flight: a plain copy is queued on the bands it reads
// and written by the pixel threads, in order with what they draw, into the
// texture's memory and into its texels decoded; draws that read them wait on
// the threads for the copy, not the program.
#pragma once

#include <cstddef>
#include <memory>

#include "console/types.h"

namespace console::gx {

struct DecodedTexture;

// The texels a copy in this round of the queue made of the whole of an RGBA8
// image of width x height (the last copy to it); null if there is none.
std::shared_ptr<const DecodedTexture> CopiedTexture(const void* image, u32 width, u32 height);
// Returns when no copy in flight is still writing into these bytes.
void FinishCopiesInto(const void* begin, std::size_t bytes);

}  // namespace console::gx
