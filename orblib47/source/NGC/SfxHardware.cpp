// The sound hardware's start-up: the audio interface and the voice mixer, the
// output mode, the block of silence one-shot voices run on into, and the audio
// frame callback.
#include "console/ai.h"
#include "console/os.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Sound.h"

u32 ARamZeroBuffer = 0;
AXPBVE DefaultVoiceEnvelope = {0x8000, 0};

namespace {

constexpr u32 kZeroBufferSize = 256;

}  // namespace

e_error_code AudioHardwareColdReset() {
    AIInit(nullptr);
    ORB_ASSERT(AICheckInit(), "AudioHardwareColdReset: The audio interface did not start.\n");
    AXInit();
    const u32 soundMode = OSGetSoundMode();
    DEBUG_PROGRESS("OSGetSoundMode  = %d\n", soundMode);
    AudioMode = soundMode == OS_SOUND_MODE_MONO ? AUDIO_MODE_MONO : AUDIO_MODE_STEREO;
    DefaultVoiceEnvelope = {0x8000, 0};
    return RET_NO_ERROR;
}

e_error_code AudioHardwareWarmReset(u32, u32) {
    // The heap the voices read from is new: the voices of the last run go first.
    for (s_channel_status& status : ChannelStatus) {
        if (status.voiceData != nullptr) {
            AXSetVoiceState(status.voiceData, AX_PB_STATE_STOP);
            AXFreeVoice(status.voiceData);
        }
    }
    static const u8 kSilence[PCM_HEADER_SIZE + kZeroBufferSize] = {};
    s_mem_handle* zero = SfxTransferToARAM(kSilence, kZeroBufferSize);
    ARamZeroBuffer = zero != nullptr ? OSCachedToPhysical(zero->address) : 0;
    for (s_channel_status& status : ChannelStatus) {
        status = {};
        status.header.id = -1;
    }
    AXRegisterCallback(SfxThread);
    return RET_NO_ERROR;
}
