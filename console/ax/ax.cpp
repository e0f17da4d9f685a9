// AX: the 64 voices, their priorities, the calls that set them up, and the audio
// frame: at each AI DMA block the user callback runs, then the voices are mixed
// into the next block.
#include "console/ax.h"

#include <cstring>

#include "console/ai.h"
#include "console/ax/ax_control.h"
#include "console/os.h"
#include "console/os/arena.h"

namespace {

constexpr u32 kBlockBytes = AX_FRAME_SAMPLES * 4;
// AX's two output blocks lie in the system area, where the AI can read them.
constexpr u32 kBlockOffset = 256;
static_assert(kBlockOffset + 2 * kBlockBytes <= console::kSystemAreaSize);

AXVPB s_voices[AX_MAX_VOICES];
u64 s_acquired[AX_MAX_VOICES];  // acquisition stamps: the most recent of equals is dropped first
u64 s_acquireCount = 0;
AXUserCallback s_userCallback = nullptr;
u32 s_block = 0;

s16* Block(u32 index) {
    return reinterpret_cast<s16*>(console::ArenaSystemArea() + kBlockOffset + index * kBlockBytes);
}

void ClearVoice(AXVPB& voice, u32 index) {
    std::memset(&voice, 0, sizeof voice);
    voice.index = index;
}

void AudioFrame() {
    if (s_userCallback != nullptr)
        s_userCallback();
    s_block ^= 1;
    console::AXMixFrame(s_voices, AX_MAX_VOICES, Block(s_block));
    AIInitDMA(OSCachedToPhysical(Block(s_block)), kBlockBytes);
}

}  // namespace

void console::AXReset() {
    for (u32 i = 0; i < AX_MAX_VOICES; ++i) {
        ClearVoice(s_voices[i], i);
        s_acquired[i] = 0;
    }
    s_acquireCount = 0;
    s_userCallback = nullptr;
    s_block = 0;
}

void AXInit() {
    console::AXReset();
    std::memset(Block(0), 0, 2 * kBlockBytes);
    AIRegisterDMACallback(AudioFrame);
    AIInitDMA(OSCachedToPhysical(Block(0)), kBlockBytes);
    AIStartDMA();
}

void AXQuit() {
    AIStopDMA();
    AIRegisterDMACallback(nullptr);
    console::AXReset();
}

AXUserCallback AXRegisterCallback(AXUserCallback callback) {
    const AXUserCallback previous = s_userCallback;
    s_userCallback = callback;
    return previous;
}

AXVPB* AXAcquireVoice(u32 priority, AXVoiceCallback callback, u32 userContext) {
    priority = priority < AX_PRIORITY_LOWEST   ? AX_PRIORITY_LOWEST
               : priority > AX_PRIORITY_NODROP ? AX_PRIORITY_NODROP
                                               : priority;
    AXVPB* chosen = nullptr;
    for (u32 i = 0; i < AX_MAX_VOICES && chosen == nullptr; ++i) {
        if (s_voices[i].priority == AX_PRIORITY_FREE)
            chosen = &s_voices[i];
    }
    if (chosen == nullptr) {
        for (u32 i = 0; i < AX_MAX_VOICES; ++i) {
            const AXVPB& voice = s_voices[i];
            if (voice.priority >= priority)
                continue;
            if (chosen == nullptr || voice.priority < chosen->priority ||
                (voice.priority == chosen->priority && s_acquired[i] > s_acquired[chosen->index]))
                chosen = &s_voices[i];
        }
        if (chosen == nullptr)
            return nullptr;
        if (chosen->callback != nullptr)
            chosen->callback(chosen);
    }
    const u32 index = chosen->index;
    ClearVoice(*chosen, index);
    chosen->priority = priority;
    chosen->callback = callback;
    chosen->userContext = userContext;
    s_acquired[index] = ++s_acquireCount;
    return chosen;
}

void AXFreeVoice(AXVPB* voice) {
    ClearVoice(*voice, voice->index);
    s_acquired[voice->index] = 0;
}

void AXSetVoicePriority(AXVPB* voice, u32 priority) {
    voice->priority = priority > AX_PRIORITY_NODROP ? AX_PRIORITY_NODROP : priority;
}

void AXSetVoiceState(AXVPB* voice, u16 state) {
    voice->pb.state = state;
}

void AXSetVoiceType(AXVPB* voice, u16 type) {
    voice->pb.type = type;
}

void AXSetVoiceAddr(AXVPB* voice, const AXPBADDR* addr) {
    voice->pb.addr = *addr;
}

void AXSetVoiceAdpcm(AXVPB* voice, const AXPBADPCM* adpcm) {
    voice->pb.adpcm = *adpcm;
}

void AXSetVoiceAdpcmLoop(AXVPB* voice, const AXPBADPCMLOOP* loop) {
    voice->pb.adpcmLoop = *loop;
}

void AXSetVoiceMix(AXVPB* voice, const AXPBMIX* mix) {
    voice->pb.mix = *mix;
}

void AXSetVoiceVe(AXVPB* voice, const AXPBVE* ve) {
    voice->pb.ve = *ve;
}

void AXSetVoiceSrcType(AXVPB* voice, u32 type) {
    voice->pb.srcSelect = u16(type);
}

void AXSetVoiceSrc(AXVPB* voice, const AXPBSRC* src) {
    voice->pb.src = *src;
}

void AXSetVoiceSrcRatio(AXVPB* voice, f32 ratio) {
    // Voices are mixed only at the audio frame, so this holds from the next one.
    const f32 fixed = ratio * 65536.0f;
    const u32 value = !(fixed > 0.0f) ? 0u : fixed >= 4294967296.0f ? 0xFFFFFFFFu : u32(fixed);
    voice->pb.src.ratioHi = u16(value >> 16);
    voice->pb.src.ratioLo = u16(value);
}

void AXSetVoiceLoop(AXVPB* voice, u16 loop) {
    voice->pb.addr.loopFlag = loop;
}

void AXSetVoiceLoopAddr(AXVPB* voice, u32 address) {
    voice->pb.addr.loopAddress = address;
}

void AXSetVoiceEndAddr(AXVPB* voice, u32 address) {
    voice->pb.addr.endAddress = address;
}

void AXSetVoiceCurrentAddr(AXVPB* voice, u32 address) {
    voice->pb.addr.currentAddress = address;
}
