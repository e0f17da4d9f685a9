// The disc stream engine's slots: starting a stream of a pack on a channel and its
// voice, stopping, pausing, resuming and the volume. The frame step and the ring
// refills are in StreamUpdate.cpp, the packs in StreamFile.cpp.
#include <cstdint>
#include <cstring>

#include "console/os.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FileInternal.h"
#include "orblib47/source/NGC/StreamInternal.h"
#include "orblib47/source/SymbolTrans.h"

s_stream SpuStream[STREAM_COUNT];
u32 StreamSizeRAM = 0;
u32 StreamSizeSpuRAM = 0;
s_stream* CurFileStream = nullptr;
s32 StreamDMAInProgress = 0;

namespace {

// Room behind each ring for the voice to run past its end.
constexpr u32 kRingSpare = 16384;
constexpr u32 kStreamPriority = 65535;

u8* StaticStreamRamBuffers[STREAM_COUNT];
s_mem_handle* StaticStreamAramBuffers[STREAM_COUNT];

// A slot is free once released and once no read still lands in its ring.
s_stream* FreeSlot() {
    for (u32 i = 0; i < STREAM_COUNT; ++i) {
        s_stream& slot = SpuStream[i];
        if (slot.status == 0 && &slot != CurFileStream && StaticStreamRamBuffers[i] != nullptr &&
            StaticStreamAramBuffers[i] != nullptr)
            return &slot;
    }
    return nullptr;
}

void StreamVoiceDropCallback(void* vpb) {
    auto* voice = static_cast<AXVPB*>(vpb);
    const u32 channel = voice->userContext;
    if (channel >= u32(AUDIO_CHANNEL_COUNT))
        return;
    s_channel_status& status = ChannelStatus[channel];
    status.header.flags |= CHANNEL_FLAG_DROPPED;
    DEBUG_PRINT("PVPB %.8x is being dropped context %d\n", u32(reinterpret_cast<uintptr_t>(voice)),
                s32(channel));
    if (status.header.stream != nullptr)
        status.header.stream->status = 0;
    status.header.stream = nullptr;
    AudioReleaseChannel(channel);
}

// A channel for the stream's voice: its own when it was stolen with one (raised to
// the stream's priority), else a new one; null when none is had.
AXVPB* StreamVoice(s32 channel) {
    AXVPB* voice = ChannelStatus[channel].voiceData;
    if (voice != nullptr) {
        AXSetVoicePriority(voice, AX_PRIORITY_NODROP);
        return voice;
    }
    return AXAcquireVoice(AX_PRIORITY_NODROP, StreamVoiceDropCallback, u32(channel));
}

s_stream* StreamSetup(s_stream_file* file, u32 n, const s_VOLUME_MIX* mix, u32 flags, s32 channel) {
    const s_ngc_pak_entry& entry = file->pakEntry[n];
    if ((entry.flags & STREAM_PAK_FLAG_STEREO) != 0 && StreamSizeSpuRAM / 2 != entry.interleaveSize) {
        DEBUG_PRINT("StreamSetup: Refresh / Interleave Size mismatch (%x / %x)\n", StreamSizeSpuRAM / 2,
                    entry.interleaveSize);
        return nullptr;
    }
    s_stream* stream = FreeSlot();
    if (stream == nullptr) {
        DEBUG_PRINT("StreamSetup: No Free Streams\n");
        return nullptr;
    }
    if (channel == -1) {
        channel = AudioAllocChannel(kStreamPriority);
        if (channel == -1) {
            DEBUG_PRINT("StreamSetup: SfxAlloc Channel Failed\n");
            return nullptr;
        }
    }
    AXVPB* voice = AudioEnabled ? StreamVoice(channel) : nullptr;
    if (voice == nullptr) {
        DEBUG_PRINT("StreamSetup: AXAcquireVoice Failed\n");
        AudioFreeChannel(u32(channel));
        ChannelStatus[channel].header.flags = 0;
        return nullptr;
    }

    const u32 slot = u32(stream - SpuStream);
    *stream = s_stream{};
    stream->strFile = file;
    stream->spuHandle = StaticStreamAramBuffers[slot];
    stream->streamNum = n;
    stream->status = STREAM_STATUS_SETUP;
    stream->ramAddr = StaticStreamRamBuffers[slot];
    stream->spuAddr = OSCachedToPhysical(stream->spuHandle->address);
    stream->ramCurAddr = stream->ramRefreshAddr = stream->ramAddr;
    stream->ramBufferSize = stream->ramBytesToRefresh = StreamSizeRAM;
    stream->spuCurAddr = stream->spuRefreshAddr = stream->spuLastPos = stream->spuCurDmaAddr =
        stream->spuAddr;
    stream->spuBufferSize = stream->spuBytesToRefresh = StreamSizeSpuRAM;
    stream->flags = flags;
    // The entry's offset names the stream's copy of its header; the samples follow.
    stream->fileStartPos = stream->fileCurPos = entry.offset + PCM_HEADER_SIZE;
    stream->fileLength = entry.length - PCM_HEADER_SIZE;
    stream->channel = u32(channel);
    const u32 half = stream->spuBufferSize / 2;
    stream->numSpuBlocks = (StreamChannelLength(stream) + half - 1) / half;

    s_channel_status& status = ChannelStatus[channel];
    status.header.playFlags = 0;
    status.header.flags = CHANNEL_FLAG_IN_USE | CHANNEL_FLAG_START_PENDING | CHANNEL_FLAG_STREAM;
    status.header.priority = u16(kStreamPriority);
    status.header.volumeMix = *mix;
    status.header.volumeScale = 1.0f;
    status.header.pitch = 1.0f;
    status.header.id = -1;
    status.header.bank = nullptr;
    status.header.stream = stream;
    status.header.freeCallback = nullptr;
    status.header.freeCallbackParm = nullptr;
    status.attack = status.decay = status.sustain = status.release = 0;
    status.sampleRate = u32(u64(entry.pcmHeader.sampleRate) * 4096 / 48000);
    status.voiceData = voice;
    status.address = stream->spuAddr;
    status.adpcmHdr = &entry.pcmHeader;
    StreamVoiceSetup(u32(channel));
    return stream;
}

void SetChannelVolume(const s_stream* stream, const s_VOLUME_MIX& mix) {
    SfxSetVolume(s32(stream->channel), &mix);
}

// Frees a playing half at once: slot, voice and channel.
void StopNow(s_stream* stream) {
    const u32 channel = stream->channel;
    ChannelStatus[channel].header.stream = nullptr;
    stream->status = 0;
    SfxVoiceFree(s32(channel));
}

template <typename F>
void ForBothHalves(s_stream* stream, F&& f) {
    f(stream);
    if (stream->child != nullptr && stream->child->status != 0)
        f(stream->child);
}

}  // namespace

void StreamWarmReset(u32 ramBufSize, u32 spuBufSize) {
    StreamSetBufferSize(ramBufSize, spuBufSize);
    for (u32 i = 0; i < STREAM_COUNT; ++i) {
        SpuStream[i] = s_stream{};
        StaticStreamAramBuffers[i] = SfxAllocARAM(spuBufSize + kRingSpare);
        StaticStreamRamBuffers[i] =
            static_cast<u8*>(HeapMalloc(ramBufSize + kRingSpare, __FILE_NAME__, __LINE__));
    }
    CurFileStream = nullptr;
    StreamDMAInProgress = 0;
}

void StreamSetBufferSize(u32 ramBufSize, u32 spuBufSize) {
    StreamSizeRAM = ramBufSize;
    StreamSizeSpuRAM = spuBufSize;
}

u32 StreamChannelLength(const s_stream* stream) {
    const s_ngc_pak_entry& entry = stream->strFile->pakEntry[stream->streamNum];
    return (entry.flags & STREAM_PAK_FLAG_STEREO) != 0 ? stream->fileLength / 2 : stream->fileLength;
}

s_ngc_file* StreamFileRecord(const s_stream* stream) {
    return FileRecord(stream->strFile->fID);
}

bool StreamFileBusy(const s_ngc_file* file) {
    return (file->fileFlags & FILE_FLAG_ASYNC_STATE_MASK) != 0;
}

void StreamSetFileBusy(s_ngc_file* file, bool busy) {
    const u32 state = busy ? FILE_ASYNC_IN_FLIGHT : FILE_ASYNC_IDLE;
    file->fileFlags =
        (file->fileFlags & ~FILE_FLAG_ASYNC_STATE_MASK) | (state << FILE_FLAG_ASYNC_STATE_SHIFT);
}

void StreamVoiceSetup(u32 channel) {
    const s_channel_status& status = ChannelStatus[channel];
    AXVPB* voice = status.voiceData;
    if (voice == nullptr)
        return;
    const s_stream* stream = status.header.stream;
    const s_pcm_header& header = *status.adpcmHdr;
    AXSetVoiceState(voice, AX_PB_STATE_STOP);
    AXSetVoiceType(voice, AX_PB_TYPE_STREAM);
    // The voice loops over the whole ring until the last block places its end. It
    // starts on the first frame's header, so that both halves of a stereo pair
    // (one header between them) take their first predictor from their own data.
    const u32 loop = 2 * status.address + 2;
    const AXPBADDR addr{1, AX_PB_FORMAT_ADPCM, loop, loop + 2 * stream->spuBufferSize - 3,
                        2 * status.address};
    AXSetVoiceAddr(voice, &addr);
    AXPBADPCM adpcm{};
    std::memcpy(adpcm.a, header.coef, sizeof adpcm.a);
    adpcm.gain = header.gain;
    adpcm.pred_scale = header.ps;
    adpcm.yn1 = header.yn1;
    adpcm.yn2 = header.yn2;
    AXSetVoiceAdpcm(voice, &adpcm);
    const AXPBADPCMLOOP loopState{header.lps, header.lyn1, header.lyn2};
    AXSetVoiceAdpcmLoop(voice, &loopState);
    AXPBMIX mix{};
    SfxMixToVoiceMix(&status.header.volumeMix, &mix);
    AXSetVoiceMix(voice, &mix);
    AXSetVoiceVe(voice, &DefaultVoiceEnvelope);
    AXSetVoiceSrcType(voice, AX_SRC_TYPE_LINEAR);
    const u32 ratio = u32(65536.0 * f64(status.header.pitch) * f64(header.sampleRate) / 32000.0);
    const AXPBSRC src{u16(ratio >> 16), u16(ratio), 0, {0, 0, 0, 0}};
    AXSetVoiceSrc(voice, &src);
}

void StreamRunVoices(s_stream* stream, u16 state) {
    ForBothHalves(stream, [state](s_stream* half) {
        if (AXVPB* voice = ChannelStatus[half->channel].voiceData)
            AXSetVoiceState(voice, state);
    });
}

void StreamSilence(s_stream* stream) {
    static const s_VOLUME_MIX kSilence{};
    ForBothHalves(stream, [](s_stream* half) {
        SetChannelVolume(half, kSilence);
        half->status |= STREAM_STATUS_STOPPING;
    });
}

void StreamRelease(s_stream* stream) {
    stream->status = 0;
    ChannelStatus[stream->channel].header.stream = nullptr;
}

s_stream* StreamStart(s_stream_file* file, s32 n, const s_VOLUME_MIX* mix, u32 flags) {
    if (file == nullptr) {
        DEBUG_PRINT("StreamStart: Stream File not loaded!\n");
        return nullptr;
    }
    u32 index = u32(n);
    if ((index & 0x80000000u) != 0 && SymbolTransLookup(index & 0x7FFFFFFFu, &index) != RET_NO_ERROR)
        return nullptr;
    if (index >= file->numStreams) {
        DEBUG_PRINT("StreamStart: Stream Id %d out of range!\n", s32(index));
        return nullptr;
    }
    if ((file->pakEntry[index].flags & STREAM_PAK_FLAG_STEREO) == 0)
        return StreamSetup(file, index, mix, flags, -1);

    s_VOLUME_MIX left = *mix;
    left.volR = 0.0f;
    s_stream* stream = StreamSetup(file, index, &left, flags, -1);
    if (stream == nullptr)
        return nullptr;
    // Set even when the right half fails: the left then still steps over the
    // right's blocks in the interleaved data.
    stream->flags |= STREAM_FLAG_STEREO_LEFT;
    s_VOLUME_MIX right = *mix;
    right.volL = 0.0f;
    stream->child = StreamSetup(file, index, &right, flags | STREAM_FLAG_CHILD, -1);
    return stream;
}

void StreamStop(s_stream* stream) {
    if (stream == nullptr || stream->status == 0 || (stream->flags & STREAM_FLAG_CHILD) != 0)
        return;
    if (stream->status == STREAM_STATUS_PLAYING) {
        ForBothHalves(stream, StopNow);
        return;
    }
    StreamSilence(stream);
}

void StreamPause(s_stream* stream) {
    if (stream == nullptr || stream->status == 0 ||
        (stream->status & (STREAM_STATUS_PAUSED | STREAM_STATUS_STOPPING)) != 0)
        return;
    ForBothHalves(stream, [](s_stream* half) {
        half->status |= STREAM_STATUS_PAUSED;
        ChannelStatus[half->channel].header.flags |= CHANNEL_FLAG_PAUSE_REQUEST;
    });
}

// Also releases a stream held by the hold flag once it is ready.
void StreamResume(s_stream* stream) {
    if (stream == nullptr)
        return;
    if ((stream->status & STREAM_STATUS_PAUSED) != 0) {
        ForBothHalves(stream, [](s_stream* half) {
            u16& flags = ChannelStatus[half->channel].header.flags;
            flags = u16((flags & ~CHANNEL_FLAG_PAUSED) | CHANNEL_FLAG_RESUME_REQUEST);
            half->status &= ~STREAM_STATUS_PAUSED;
        });
    }
    if ((stream->status & STREAM_STATUS_READY) != 0) {
        ForBothHalves(stream, [](s_stream* half) {
            half->flags &= ~STREAM_FLAG_HOLD;
            half->status &= ~STREAM_STATUS_READY;
        });
    }
}

void StreamSetVolume(s_stream* stream, const s_VOLUME_MIX* mix) {
    if (stream == nullptr || stream->status == 0)
        return;
    if ((stream->flags & STREAM_FLAG_STEREO_LEFT) == 0) {
        SetChannelVolume(stream, *mix);
        return;
    }
    s_VOLUME_MIX left = *mix;
    left.volR = 0.0f;
    SetChannelVolume(stream, left);
    if (stream->child != nullptr && stream->child->status != 0) {
        s_VOLUME_MIX right = *mix;
        right.volL = 0.0f;
        SetChannelVolume(stream->child, right);
    }
}

void StreamEffectOn(s_stream* stream) {
    if (stream == nullptr)
        return;
    ForBothHalves(stream, [](s_stream* half) { SfxEffectOn(s32(half->channel)); });
}

void StreamEffectOff(s_stream* stream) {
    if (stream == nullptr)
        return;
    ForBothHalves(stream, [](s_stream* half) { SfxEffectOff(s32(half->channel)); });
}

bool StreamIsPlaying(const s_stream* stream) {
    return stream != nullptr && (stream->status & STREAM_STATUS_PLAYING) != 0;
}

bool StreamIsFinished(const s_stream* stream) {
    return stream != nullptr && stream->status == 0;
}

int StreamGetKeyStatus(const s_stream* stream) {
    return stream != nullptr && stream->status != 0 ? 1 : 0;
}
