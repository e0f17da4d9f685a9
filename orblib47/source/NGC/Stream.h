// Disc streams: ".ASF" stream packs of DSP-ADPCM streams played from two rings
// each (main memory filled by disc reads, audio-readable memory filled from it in
// half-ring blocks), on the sound channels, driven from the audio frame callback.
#pragma once

#include "orblib47/source/Sound.h"

constexpr u32 STREAM_COUNT = 8;
constexpr u32 STREAM_PAK_ENTRY_SIZE = 112;

// status bits
constexpr u32 STREAM_STATUS_SETUP = 0x2;
constexpr u32 STREAM_STATUS_PLAYING = 0x4;
constexpr u32 STREAM_STATUS_STOPPING = 0x8;
constexpr u32 STREAM_STATUS_READING = 0x20;
constexpr u32 STREAM_STATUS_PAUSED = 0x100;
constexpr u32 STREAM_STATUS_READY = 0x200;
constexpr u32 STREAM_STATUS_LAST_BLOCK = 0x400;
constexpr u32 STREAM_STATUS_LAST_BLOCK_DEFERRED = 0x800;
constexpr u32 STREAM_STATUS_TRANSFER = 0x1000;

// start flags
constexpr u32 STREAM_FLAG_LOOP = 0x2;
constexpr u32 STREAM_FLAG_STEREO_LEFT = 0x8;
constexpr u32 STREAM_FLAG_CHILD = 0x10;
constexpr u32 STREAM_FLAG_HOLD = 0x20;

// pak entry flags
constexpr u32 STREAM_PAK_FLAG_STEREO = 0x2;

struct s_ngc_pak_entry {
    u32 offset;
    u32 length;  // with the 96-byte header
    u32 flags;
    u32 interleaveSize;
    s_pcm_header pcmHeader;
};

struct s_stream_file {
    u32 numStreams;
    s32 fID;
    s_ngc_pak_entry* pakEntry;
};

struct s_stream {
    s_stream_file* strFile;
    s_mem_handle* spuHandle;
    u32 streamNum;
    u32 chainStreamNum;
    u32 status;
    u8* ramAddr;
    u32 spuAddr;  // physical addresses from here on where "spu"
    u8* ramCurAddr;
    u8* ramRefreshAddr;
    u32 ramBufferSize;
    u32 ramBytesToRefresh;
    u32 spuCurAddr;
    u32 spuRefreshAddr;
    u32 spuBufferSize;
    u32 spuBytesToRefresh;
    u32 spuLastPos;
    u32 numSpuBlocks;
    u32 curSpuBlock;
    u32 flags;
    u32 fileCurPos;
    u32 fileStartPos;
    u32 fileLength;
    u32 fileRefreshSize;
    u32 fileLoopSlop;
    u32 slopBytes;
    u32 spuCurDmaAddr;
    u32 playbackCurPos;
    u32 channel;
    s_stream* child;
    s_stream* parent;
};

extern s_stream SpuStream[STREAM_COUNT];

void StreamWarmReset(u32 ramBufSize, u32 spuBufSize);
void StreamSetBufferSize(u32 ramBufSize, u32 spuBufSize);
s_stream_file* StreamSetFile(const char* path);
void StreamFreeFile(s_stream_file* file);
s_stream* StreamStart(s_stream_file* file, s32 n, const s_VOLUME_MIX* mix, u32 flags);
void StreamStop(s_stream* stream);
void StreamPause(s_stream* stream);
void StreamResume(s_stream* stream);
void StreamSetVolume(s_stream* stream, const s_VOLUME_MIX* mix);
void StreamEffectOn(s_stream* stream);
void StreamEffectOff(s_stream* stream);
bool StreamIsPlaying(const s_stream* stream);
bool StreamIsFinished(const s_stream* stream);
int StreamGetKeyStatus(const s_stream* stream);
void StreamProcess(s32 channel);
s_stream* StreamResyncAll();
