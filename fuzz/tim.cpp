// A "TIM" chunk's payload handed to the texture loader twice (the second load
// shares the first), its texels, palettes and children touched, and both
// references released.
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Texture.h"

namespace {

s_texture* Load(const u8* data, std::size_t size) {
    void* payload = fuzz::HeapCopy({data, size});
    if (payload == nullptr)
        return nullptr;
    return TextureLoad("FUZZ", payload, u32(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    s_texture* texture = Load(data, size);
    if (texture == nullptr)
        return 0;
    volatile u32 total = 0;  // the reads must happen
    for (u32 i = 0; i < texture->file.numMaps; ++i) {
        const s_texture_map& map = texture->file.maps[i];
        total = total + map.image[0] + map.image[map.imageSize - 1];
        if (map.palette != nullptr)
            total = total + map.palette[0] + map.palette[TEXTURE_PALETTE_BYTES - 1];
    }
    for (u32 i = 0; i < 256; ++i)
        total = total + (TextureGetChild(texture, i) != nullptr);
    total = total + u32(std::strlen(TextureGetFormatName(texture)));
    if (Load(data, size) != texture)
        fuzz::Fail("a second load of the same texture made another");
    TextureFree(texture);
    TextureFree(texture);
    return 0;
}
