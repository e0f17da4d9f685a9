// A "VHA" chunk's payload handed to the animation bank loader whole and as a
// spooled bank, every key of every channel decoded by walking the channels, and
// the references released.
#include <cmath>
#include <cstring>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Anim.h"

namespace {

s_hanim_header* Load(const char* name, const u8* data, std::size_t size, u32 flags) {
    void* payload = fuzz::HeapCopy({data, size});
    if (payload == nullptr)
        return nullptr;
    return HAnimLoad(name, payload, u32(size), flags);
}

volatile f32 Total = 0.0f;  // the reads must happen

void Walk(const s_hanim_data& data) {
    const s_hanim_channel* channel = data.channels;
    for (u32 c = 0; c < data.count; ++c, channel = HAnimNextChannel(channel)) {
        for (u32 k = 0; k < channel->count; ++k) {
            Total = Total + HAnimKeyTime(channel, k);
            if (channel->type == ANIM_EVENT) {
                Total = Total + f32(HAnimEventKey(channel, k)->parms.parm32);
                continue;
            }
            s_Vector4 v;
            HAnimKeyValue(channel, k, &v);
            if (channel->type == ANIM_QUAT32 && !std::isfinite(v.w))
                fuzz::Fail("a packed quaternion decoded to a non-number");
            Total = Total + v.x + v.y + v.z + v.w;
        }
    }
}

void Check(s_hanim_header* bank, bool spooled) {
    if (bank->aramHandle != nullptr)
        fuzz::Fail("a spool buffer handle came from the file");
    for (s32 a = 0; a < bank->numAnim; ++a) {
        const s_hanim_data& data = bank->animList[a];
        Total = Total + f32(std::strlen(data.name));
        if (HAnimDataLoaded(&data) == spooled)
            fuzz::Fail(spooled ? "a spooled animation is playable" : "a loaded animation is not playable");
        if (!spooled)
            Walk(data);
    }
    HAnimFree(bank);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    if (s_hanim_header* bank = Load("FUZZ", data, size, 0))
        Check(bank, false);
    if (s_hanim_header* bank = Load("FUZZSPOOL", data, size, 1))
        Check(bank, true);
    return 0;
}
