// An "STG" chunk's payload loaded by the sound-tag loader twice under one name (the
// second load shares the first), started at the origin, stopped, and every
// reference released.
#include <cmath>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/SoundTag.h"
#include "orblib47/source/SpatialSfx.h"

namespace {

s_SOUND_TAG_DEFAULT* Load(const u8* data, std::size_t size) {
    void* payload = fuzz::HeapCopy({data, size});
    return payload != nullptr ? SoundTagLoad("FUZZ", payload, u32(size)) : nullptr;
}

void Check(const s_SOUND_TAG_DEFAULT* tag) {
    if (tag->type >= SOUND_TAG_TYPE_COUNT)
        fuzz::Fail("a tag of an unknown type was loaded");
    if (!std::isfinite(tag->pitch) || !std::isfinite(tag->maxVol) || !std::isfinite(tag->maxAudDist))
        fuzz::Fail("a tag with a value that is not finite was loaded");
    if (tag->dataEntry == nullptr || DataFindEntry("FUZZ", "STG") != tag->dataEntry)
        fuzz::Fail("a loaded tag is not registered under its name");
}

void Start(s_SOUND_TAG_DEFAULT* tag) {
    const s_Vector3 origin = {};
    const s32 channel = SoundTagStart(tag, -1, &origin);
    if (channel < -1 || channel >= AUDIO_CHANNEL_COUNT)
        fuzz::Fail("a tag started on no channel and no -1");
    if (channel >= 0) {
        SpatialSfxStopChannel(channel);
        SfxStopChannel(channel);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    if (s_SOUND_TAG_DEFAULT* tag = Load(data, size)) {
        if (Load(data, size) != tag)
            fuzz::Fail("a second load under the same name is not shared");
        Check(tag);
        Start(tag);
        SoundTagFree(tag);
        SoundTagFree(tag);
    }
    if (DataFindEntry("FUZZ", "STG") != nullptr)
        fuzz::Fail("a freed tag is still registered");
    return 0;
}
