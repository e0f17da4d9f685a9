// An "F3D" chunk's payload loaded by the 3-D font loader twice under one name (the
// second load shares the first) over a loaded model "FUZZ_M"; every byte's
// character and its model read, and every reference released.
#include <cstring>
#include <vector>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Font3D.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Record.h"
#include "tests/support/VhmTestModel.h"

namespace {

s_model* LoadModel() {
    discbuild::VhmModel quad = vhmtest::StaticQuad();
    quad.bones = {vhmtest::Bone(-1, -1, -1, -1, 0.0f)};
    const std::vector<u8> chunk = discbuild::VhmPayload(quad);
    return ModelLoad("FUZZ_M", fuzz::HeapCopy(chunk), u32(chunk.size()));
}

s_font3d* Load(const u8* data, std::size_t size) {
    void* payload = fuzz::HeapCopy({data, size});
    return payload != nullptr ? Font3DLoad("FUZZ", payload, u32(size)) : nullptr;
}

void Exercise(const s_font3d* font) {
    volatile f32 total = 0.0f;  // the reads must happen
    for (s8 index : font->charIndex) {
        if (index == FONT3D_NO_CHAR)
            continue;
        if (index < 0 || index >= font->numChars)
            fuzz::Fail("a byte's character lies outside the table");
        const s_font3d_char& c = font->models[index];
        total = total + f32(std::strlen(c.FileName)) + c.HalfWidth;
        if (c.hmodel != nullptr && c.hmodel->model == nullptr)
            fuzz::Fail("a character's hierarchical model has no model");
    }
    total = total + font->spacing + font->spaceWidth + font->width;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    const u32 freeHModels = HModelRecords->count;
    s_model* model = LoadModel();
    if (s_font3d* font = Load(data, size)) {
        if (Load(data, size) != font)
            fuzz::Fail("a second load under the same name is not shared");
        Exercise(font);
        Font3DFree(font);
        Font3DFree(font);
    }
    if (Fonts3D != nullptr || CurrentFont3D != nullptr)
        fuzz::Fail("a freed font is still known");
    ModelFree(model);
    if (HModelRecords->count != freeHModels)
        fuzz::Fail("a character's hierarchical model was not given back");
    return 0;
}
