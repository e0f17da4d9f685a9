// An "FNT" chunk's payload loaded by the font loader twice under one name (the
// second load shares the first) and once under another as the icon font, over a
// texture "FUZZ_T"; every byte measured and kerned, text drawn at a height of 10
// pixels and wrapped, and every reference released.
#include <string>
#include <vector>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Font.h"
#include "tools/discbuild/TimWriter.h"

namespace {

s_texture* LoadTexture() {
    discbuild::TimTexture tim;
    tim.image = {8, 8, std::vector<u8>(8 * 8 * 4, 0xFF)};
    const std::vector<u8> chunk = discbuild::TimPayload(tim);
    return TextureLoad("FUZZ_T", fuzz::HeapCopy(chunk), u32(chunk.size()));
}

s_font* Load(const char* name, const u8* data, std::size_t size) {
    void* payload = fuzz::HeapCopy({data, size});
    return payload != nullptr ? FontLoad(name, payload, u32(size)) : nullptr;
}

void Exercise(s_font* font) {
    FontSetDefaults(font);
    FontSetHeight(10.0f);
    std::string text;
    volatile f32 total = 0.0f;  // the reads must happen
    for (u32 c = 1; c < 256; ++c) {
        text += char(c);
        total = total + FontCharWidth(u8(c));
        for (u32 previous = 0; previous < 256; ++previous)
            total = total + f32(FontGetKerning(u8(c), u8(previous)));
    }
    total = total + FontStringWidth(text.c_str());
    FontDrawString(text.c_str(), 0, 0.0f, 20.0f);
    FontDrawStringNoSetTexture("%CRED x %CNONE y\n%C", 0, 0.0f, 40.0f);
    s32 lines = 0;
    FontWordWrapStringMetaNoAlloc(text.c_str() + 31, 100.0f, &lines, 1);
    FontWordWrapStringMetaNoAlloc(text.c_str() + 31, 100.0f, &lines, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    s_texture* texture = LoadTexture();
    s_font* font = Load("FUZZ", data, size);
    if (font != nullptr) {
        if (Load("FUZZ", data, size) != font)
            fuzz::Fail("a second load of the same font made another");
        IconFont = Load("FUZZICON", data, size);
        Exercise(font);
        FontFree(IconFont);
        FontFree(font);
        FontFree(font);
    }
    TextureFree(texture);
    FontSet(nullptr);
    return 0;
}
