// The movie player: start-up and shut-down, opening and checking a movie, its
// memory, preloading, and decoding one frame per call.
#include <bit>
#include <cstring>

#include "console/ai.h"
#include "console/os.h"
#include "console/thp.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/THPDraw.h"
#include "orblib47/source/NGC/THPSimpleInternal.h"

namespace thp {

THPSimple SimpleControl;
BOOL Initialized;
s32 AudioSystem;
s16* SoundBuffer;
s32 SoundBufferIndex;
AIDCallback OldAIDCallback;

}  // namespace thp

using namespace thp;

namespace {

constexpr u32 kVersion = 0x00011000;
constexpr u32 kCompVideo = 0;
constexpr u32 kCompAudio = 1;
// Limits that keep a movie's working memory within a console's reach.
constexpr u32 kMaxBufSize = 0x400000;
constexpr u32 kMaxAudioSamples = 0x10000;
constexpr u32 kMaxSide = 1024;
constexpr u32 kMaxFrequency = 96000;

u32 RoundUp32(u32 n) {
    return (n + 31) & ~31u;
}

// Reads `size` bytes at `offset` through the work buffer; false when short.
bool ReadAt(u32 offset, u32 size, u8* out) {
    alignas(32) u8 work[64];
    if (DVDReadPrio(&SimpleControl.fileInfo, work, 64, s32(offset), 2) < s32(size))
        return false;
    std::memcpy(out, work, size);
    return true;
}

bool ReadHeader(THPHeader* header) {
    u8 raw[48];
    if (!ReadAt(0, sizeof raw, raw))
        return false;
    std::memcpy(header->magic, raw, 4);
    u32 words[11];
    for (u32 i = 0; i < 11; ++i)
        words[i] = LoadBE32(raw + 4 + 4 * i);
    header->version = words[0];
    header->bufSize = words[1];
    header->audioMaxSamples = words[2];
    header->frameRate = std::bit_cast<f32>(words[3]);
    header->numFrames = words[4];
    header->firstFrameSize = words[5];
    header->movieDataSize = words[6];
    header->compInfoDataOffsets = words[7];
    header->offsetDataOffsets = words[8];
    header->movieDataOffsets = words[9];
    header->finalFrameDataOffsets = words[10];
    return std::memcmp(header->magic, "THP", 4) == 0 && header->version == kVersion;
}

// The smallest frame: two size words and one per component.
u32 MinFrameSize() {
    return 8 + 4 * SimpleControl.compInfo.numComponents;
}

bool ReadComponents() {
    THPSimple& c = SimpleControl;
    u8 raw[20];
    if (!ReadAt(c.header.compInfoDataOffsets, sizeof raw, raw))
        return false;
    c.compInfo.numComponents = LoadBE32(raw);
    std::memcpy(c.compInfo.frameComp, raw + 4, 16);
    if (c.compInfo.numComponents == 0 || c.compInfo.numComponents > 16)
        return false;
    u32 at = c.header.compInfoDataOffsets + 20;
    u32 videos = 0;
    for (u32 i = 0; i < c.compInfo.numComponents; ++i) {
        u8 record[16];
        if (c.compInfo.frameComp[i] == kCompVideo && videos == 0) {
            if (!ReadAt(at, 12, record))
                return false;
            c.videoInfo = {LoadBE32(record), LoadBE32(record + 4), LoadBE32(record + 8)};
            at += 12;
            ++videos;
        } else if (c.compInfo.frameComp[i] == kCompAudio && !c.audioExist) {
            if (!ReadAt(at, 16, record))
                return false;
            c.audioInfo = {LoadBE32(record), LoadBE32(record + 4), LoadBE32(record + 8),
                           LoadBE32(record + 12)};
            c.audioExist = 1;
            at += 16;
        } else {
            return false;
        }
    }
    return videos == 1;
}

// Sizes that the memory layout and the decoders rely on.
bool Plausible() {
    const THPSimple& c = SimpleControl;
    const THPHeader& h = c.header;
    const u32 length = c.fileInfo.length;
    if (h.numFrames == 0 || h.bufSize > kMaxBufSize || h.firstFrameSize < MinFrameSize() ||
        h.firstFrameSize > h.bufSize || h.movieDataOffsets >= length ||
        !(h.frameRate > 0.0f && h.frameRate <= 240.0f))
        return false;
    const THPVideoInfo& v = c.videoInfo;
    if (v.xSize == 0 || v.ySize == 0 || v.xSize % 16 != 0 || v.ySize % 16 != 0 || v.xSize > kMaxSide ||
        v.ySize > kMaxSide)
        return false;
    if (!c.audioExist)
        return true;
    const THPAudioInfo& a = c.audioInfo;
    return a.sndChannels >= 1 && a.sndChannels <= 2 && a.sndFrequency > 0 &&
           a.sndFrequency <= kMaxFrequency && a.sndNumTracks >= 1 && h.audioMaxSamples > 0 &&
           h.audioMaxSamples <= kMaxAudioSamples;
}

void Rewind() {
    THPSimple& c = SimpleControl;
    c.curOffset = s32(c.header.movieDataOffsets);
    c.readSize = s32(c.header.firstFrameSize);
    c.readIndex = 0;
    c.totalReadFrame = 0;
    c.dvdError = FALSE;
    c.nextDecodeIndex = 0;
    c.audioDecodeIndex = 0;
    c.audioOutputIndex = 0;
    c.textureSet.frameNumber = -1;
    THPResamplerReset();
}

// The bytes each component of a frame takes (an audio component holds every
// track), checked against what was read; false when they overrun it.
bool ComponentSpans(const THPReadBuffer& frame, u64 spans[16]) {
    const THPSimple& c = SimpleControl;
    u64 total = MinFrameSize();
    for (u32 i = 0; i < c.compInfo.numComponents; ++i) {
        spans[i] = LoadBE32(frame.ptr + 8 + 4 * i);
        if (c.compInfo.frameComp[i] == kCompAudio)
            spans[i] *= c.audioInfo.sndNumTracks;
        total += spans[i];
    }
    return total <= frame.size;
}

s32 DecodeVideo(const THPReadBuffer& frame, const u8* data, u32 size) {
    THPSimple& c = SimpleControl;
    if (THPVideoDecode(data, size, c.videoInfo.xSize, c.videoInfo.ySize, c.textureSet.ytexture,
                       c.textureSet.utexture, c.textureSet.vtexture) != THP_OK)
        return THP_DECODE_VIDEO_ERROR;
    c.textureSet.frameNumber = frame.frameNumber;
    return THP_DECODE_OK;
}

void DecodeAudio(const u8* data, u32 size, s32 track) {
    THPSimple& c = SimpleControl;
    THPAudioBuffer& out = c.audioBuffer[c.audioDecodeIndex];
    const u32 samples = THPAudioDecode(out.buffer, c.header.audioMaxSamples, data + u64(track) * size, size);
    const BOOL level = OSDisableInterrupts();
    out.validSample = samples;
    out.curPtr = out.buffer;
    c.audioDecodeIndex = (c.audioDecodeIndex + 1) % THP_AUDIO_BUFFERS;
    OSRestoreInterrupts(level);
}

// The last block named may still play once after the callback is gone.
void FreeSoundBuffer() {
    if (SoundBuffer != nullptr)
        HeapMallocDelayedFree(SoundBuffer, 2);
    SoundBuffer = nullptr;
}

}  // namespace

BOOL THPSimpleInit(s32 audioSystem) {
    ORB_ASSERT(audioSystem >= 0 && audioSystem <= THP_MODE_WITH_MUSYX, "audioSystem flag is invalid\n");
    std::memset(&SimpleControl, 0, sizeof SimpleControl);
    SimpleControl.fileInfo.entrynum = -1;
    LCEnable();
    if (!THPInit())
        return FALSE;
    // The audio hardware reads the blocks, so they live in console memory.
    SoundBuffer = static_cast<s16*>(HeapMallocFromExtraHeap(2 * THP_DMA_BYTES, __FILE__, __LINE__));
    if (SoundBuffer == nullptr) {
        LCDisable();
        return FALSE;
    }
    THPDrawInit();
    AudioSystem = audioSystem;
    SoundBufferIndex = 0;
    THPAudioMixReset();
    const BOOL level = OSDisableInterrupts();
    OldAIDCallback = AIRegisterDMACallback(THPAudioMixCallback);
    if (OldAIDCallback == nullptr && audioSystem != THP_MODE_ALONE) {
        AIRegisterDMACallback(nullptr);
        OSRestoreInterrupts(level);
        THPDrawRestore();
        FreeSoundBuffer();
        LCDisable();
        return FALSE;
    }
    OSRestoreInterrupts(level);
    if (audioSystem == THP_MODE_ALONE) {
        std::memset(SoundBuffer, 0, 2 * THP_DMA_BYTES);
        DCFlushRange(SoundBuffer, 2 * THP_DMA_BYTES);
        AIInitDMA(OSCachedToPhysical(SoundBuffer), THP_DMA_BYTES);
        AIStartDMA();
    }
    Initialized = TRUE;
    return TRUE;
}

void THPSimpleQuit() {
    THPDrawRestore();
    LCDisable();
    const BOOL level = OSDisableInterrupts();
    if (Initialized) {
        // Alone, the player started the DMA: it stops it rather than leave it
        // playing blocks that are about to be freed.
        if (AudioSystem == THP_MODE_ALONE)
            AIStopDMA();
        AIRegisterDMACallback(OldAIDCallback);
    }
    OSRestoreInterrupts(level);
    FreeSoundBuffer();
    Initialized = FALSE;
}

BOOL THPSimpleOpen(const char* path) {
    THPSimple& c = SimpleControl;
    if (!Initialized || c.open)
        return FALSE;
    c.videoInfo = {};
    c.audioInfo = {};
    c.audioExist = 0;
    if (!DVDOpen(path, &c.fileInfo))
        return FALSE;
    if (!ReadHeader(&c.header) || !ReadComponents() || !Plausible()) {
        DVDClose(&c.fileInfo);
        return FALSE;
    }
    Rewind();
    c.preFetchState = c.audioState = c.loop = 0;
    c.open = TRUE;
    c.curVolume = c.targetVolume = 127.0f;
    c.rampCount = 0;
    return TRUE;
}

BOOL THPSimpleClose() {
    THPSimple& c = SimpleControl;
    if (!c.open || c.preFetchState || c.audioState || c.readProgress)
        return FALSE;
    c.open = FALSE;
    DVDClose(&c.fileInfo);
    return TRUE;
}

u32 THPSimpleCalcNeedMemory() {
    const THPSimple& c = SimpleControl;
    if (!c.open)
        return 0;
    const u32 picture = c.videoInfo.xSize * c.videoInfo.ySize;
    u32 size =
        THP_READ_BUFFERS * RoundUp32(c.header.bufSize) + RoundUp32(picture) + 2 * RoundUp32(picture / 4);
    if (c.audioExist)
        size += THP_AUDIO_BUFFERS * RoundUp32(c.header.audioMaxSamples * 4);
    return size + THP_WORK_SIZE;
}

BOOL THPSimpleSetBuffer(u8* buffer) {
    THPSimple& c = SimpleControl;
    if (!c.open || c.preFetchState)
        return TRUE;
    if (c.audioState)
        return FALSE;
    const u32 picture = c.videoInfo.xSize * c.videoInfo.ySize;
    u8* at = buffer;
    c.textureSet.ytexture = at;
    at += RoundUp32(picture);
    c.textureSet.utexture = at;
    at += RoundUp32(picture / 4);
    c.textureSet.vtexture = at;
    at += RoundUp32(picture / 4);
    DCInvalidateRange(buffer, u32(at - buffer));
    for (THPReadBuffer& frame : c.readBuffer) {
        frame = {at, 0, FALSE, 0};
        at += RoundUp32(c.header.bufSize);
    }
    for (THPAudioBuffer& audio : c.audioBuffer) {
        audio = {};
        if (c.audioExist) {
            audio.buffer = audio.curPtr = reinterpret_cast<s16*>(at);
            at += RoundUp32(c.header.audioMaxSamples * 4);
        }
    }
    c.thpWork = at;
    return TRUE;
}

BOOL THPSimplePreLoad(BOOL loop) {
    THPSimple& c = SimpleControl;
    if (!c.open || c.preFetchState)
        return FALSE;
    const u32 frames = c.header.numFrames < THP_READ_BUFFERS && !loop ? c.header.numFrames : THP_READ_BUFFERS;
    c.loop = u8(loop != 0);
    for (u32 i = 0; i < frames; ++i)
        if (!THPReadFrameSync()) {
            c.dvdError = TRUE;
            return FALSE;
        }
    c.preFetchState = 1;
    return TRUE;
}

void THPSimpleAudioStart() {
    SimpleControl.audioState = 1;
}

void THPSimpleAudioStop() {
    SimpleControl.audioState = 0;
}

BOOL THPSimpleLoadStop() {
    THPSimple& c = SimpleControl;
    if (!c.open || c.audioState)
        return FALSE;
    c.preFetchState = 0;
    if (c.readProgress) {
        DVDCancel(&c.fileInfo);
        c.readProgress = FALSE;
    }
    for (THPReadBuffer& frame : c.readBuffer)
        frame.isValid = FALSE;
    for (THPAudioBuffer& audio : c.audioBuffer)
        audio.validSample = 0;
    Rewind();
    c.curVolume = c.targetVolume;
    c.rampCount = 0;
    return TRUE;
}

s32 THPSimpleDecode(s32 audioTrack) {
    THPSimple& c = SimpleControl;
    THPReadBuffer& frame = c.readBuffer[c.nextDecodeIndex];
    if (!c.open || !frame.isValid)
        return THP_DECODE_NO_FRAME;
    if (c.audioExist) {
        if (audioTrack < 0 || u32(audioTrack) >= c.audioInfo.sndNumTracks)
            return THP_DECODE_BAD_TRACK;
        if (c.audioBuffer[c.audioDecodeIndex].validSample != 0)
            return THP_DECODE_AUDIO_FULL;
    }
    u64 spans[16];
    if (!ComponentSpans(frame, spans))
        return THP_DECODE_VIDEO_ERROR;
    const u8* data = frame.ptr + MinFrameSize();
    for (u32 i = 0; i < c.compInfo.numComponents; ++i) {
        if (c.compInfo.frameComp[i] == kCompAudio)
            DecodeAudio(data, u32(spans[i] / c.audioInfo.sndNumTracks), audioTrack);
        else if (DecodeVideo(frame, data, u32(spans[i])) != THP_DECODE_OK)
            return THP_DECODE_VIDEO_ERROR;
        data += spans[i];
    }
    frame.isValid = FALSE;
    c.nextDecodeIndex = (c.nextDecodeIndex + 1) % THP_READ_BUFFERS;
    const BOOL level = OSDisableInterrupts();
    if (!c.readBuffer[c.readIndex].isValid && !c.readProgress)
        THPReadFrameAsync();
    OSRestoreInterrupts(level);
    return THP_DECODE_OK;
}

s32 THPSimpleDrawCurrentFrame(const GXRenderModeObj* renderMode, u32 x, u32 y, u32 width, u32 height) {
    const THPSimple& c = SimpleControl;
    if (c.textureSet.frameNumber < 0)
        return -1;
    THPGXYuv2RgbSetup(renderMode);
    THPGXYuv2RgbDraw(c.textureSet.ytexture, c.textureSet.utexture, c.textureSet.vtexture, s16(x), s16(y),
                     s16(c.videoInfo.xSize), s16(c.videoInfo.ySize), s16(width), s16(height));
    THPGXRestore();
    return c.textureSet.frameNumber;
}

BOOL THPSimpleGetVideoInfo(THPVideoInfo* out) {
    if (!SimpleControl.open)
        return FALSE;
    *out = SimpleControl.videoInfo;
    return TRUE;
}

BOOL THPSimpleGetAudioInfo(THPAudioInfo* out) {
    if (!SimpleControl.open)
        return FALSE;
    *out = SimpleControl.audioInfo;
    return TRUE;
}

f32 THPSimpleGetFrameRate() {
    return SimpleControl.open ? SimpleControl.header.frameRate : 0.0f;
}
