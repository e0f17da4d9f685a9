// The single-movie player: opens and checks a ".thp" movie, lays out its working
// memory, keeps a ring of frames filled by chained disc reads, decodes one frame
// per call into Y, U and V textures and mixes the movie's sound into the audio
// DMA stream, alone or over the sound system's output.
#pragma once

#include "console/dvd.h"
#include "orblib47/source/OrbTypes.h"

struct GXRenderModeObj;

constexpr s32 THP_MODE_ALONE = 0;
constexpr s32 THP_MODE_WITH_AX = 1;
constexpr s32 THP_MODE_WITH_MUSYX = 2;

constexpr s32 THP_READ_BUFFERS = 10;
constexpr s32 THP_AUDIO_BUFFERS = 3;
constexpr u32 THP_WORK_SIZE = 4096;

// THPSimpleDecode results.
constexpr s32 THP_DECODE_OK = 0;
constexpr s32 THP_DECODE_VIDEO_ERROR = 1;
constexpr s32 THP_DECODE_NO_FRAME = 2;
constexpr s32 THP_DECODE_AUDIO_FULL = 3;
constexpr s32 THP_DECODE_BAD_TRACK = 4;

struct THPHeader {
    char magic[4];
    u32 version;
    u32 bufSize;
    u32 audioMaxSamples;
    f32 frameRate;
    u32 numFrames;
    u32 firstFrameSize;
    u32 movieDataSize;
    u32 compInfoDataOffsets;
    u32 offsetDataOffsets;
    u32 movieDataOffsets;
    u32 finalFrameDataOffsets;
};

struct THPFrameCompInfo {
    u32 numComponents;
    u8 frameComp[16];  // 0 video, 1 audio
};

struct THPVideoInfo {
    u32 xSize;
    u32 ySize;
    u32 videoType;
};

struct THPAudioInfo {
    u32 sndChannels;
    u32 sndFrequency;
    u32 sndNumSamples;
    u32 sndNumTracks;
};

BOOL THPSimpleInit(s32 audioSystem);
void THPSimpleQuit();
BOOL THPSimpleOpen(const char* path);
BOOL THPSimpleClose();
u32 THPSimpleCalcNeedMemory();
BOOL THPSimpleSetBuffer(u8* buffer);
BOOL THPSimplePreLoad(BOOL loop);
void THPSimpleAudioStart();
void THPSimpleAudioStop();
BOOL THPSimpleLoadStop();
s32 THPSimpleDecode(s32 audioTrack);
s32 THPSimpleDrawCurrentFrame(const GXRenderModeObj* renderMode, u32 x, u32 y, u32 width, u32 height);
BOOL THPSimpleGetVideoInfo(THPVideoInfo* out);
BOOL THPSimpleGetAudioInfo(THPAudioInfo* out);
// Frames per second, as the movie gives it; 0 when none is open.
f32 THPSimpleGetFrameRate();
