// An "SFX" chunk's payload handed to the bank loader twice (the second shares the
// first), every sound played through the voice set-up and the audio frame
// callback, and both references freed.
#include "fuzz/fuzz_world.h"
#include "orblib47/source/Sound.h"

namespace {

constexpr s_VOLUME_MIX kMix = {1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};

void PlayAll(s_sfx_bank* bank) {
    SfxSetDefaultBank(bank);
    for (s32 i = 0; i < bank->numSfx && i < 4; ++i) {
        const s32 channel = AudioAllocChannel(1);
        if (channel >= 0 && SfxPlayChannel(i, &kMix, 1, channel) < 0)
            AudioFreeChannel(u32(channel));
    }
    SfxThread();
    SfxThread();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    s_sfx_bank* bank = SfxLoad("FUZZ", fuzz::HeapCopy({data, size}), u32(size));
    if (bank == nullptr)
        return 0;
    if (SfxLoad("FUZZ", fuzz::HeapCopy({data, size}), u32(size)) != bank)
        fuzz::Fail("a second load of the name was not shared");
    PlayAll(bank);
    SfxFree(bank);
    SfxFree(bank);
    if (SfxDefaultBank != nullptr)
        fuzz::Fail("a freed bank stayed the default");
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        if (SfxIsPlaying(channel))
            fuzz::Fail("a sound of a freed bank still plays");
    }
    return 0;
}
