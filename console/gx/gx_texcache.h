// Texture memory: the palettes loaded with GXLoadTlut, the decoded textures
// kept until an invalidation, and the eight texture maps the TEV reads.
#pragma once

namespace console::gx {

// Power-on: no palettes, nothing cached or loaded, the default regions.
void TexturesReset();

}  // namespace console::gx
