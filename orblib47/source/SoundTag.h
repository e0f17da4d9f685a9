// Sound tags: named, data-driven sound cues loaded from "STG" chunks and started
// by the effect systems.
#pragma once

#include "orblib47/source/Sound.h"

struct s_Vector3;

enum e_SOUND_TAG_TYPE : u32 {
    SOUND_TAG_TYPE_SPATIAL_SFX = 0,
    SOUND_TAG_TYPE_SFX = 1,
    SOUND_TAG_TYPE_STREAM = 2,
    SOUND_TAG_TYPE_SPATIAL_STREAM = 3,
    SOUND_TAG_TYPE_COUNT = 4,
    SOUND_TAG_TYPE_INVALID = 0x7FFFFFFF,
};

constexpr u32 SOUND_TAG_CHUNK_SIZE = 96;

struct s_SOUND_TAG_DEFAULT {
    s_DATA_ENTRY* dataEntry;
    e_SOUND_TAG_TYPE type;
    char idName[32];
    s32 id;
    u32 flags;  // AUDIO_PLAY_*
    u32 priority;
    f32 pitch;
    f32 pitchVariance;
    f32 volumeVariance;
    s_VOLUME_MIX volumeMix;
    f32 maxVol;
    f32 maxAudDist;
};

s_SOUND_TAG_DEFAULT* SoundTagLoad(const char* name, void* buffer, u32 size);
void SoundTagFree(s_SOUND_TAG_DEFAULT* tag);
s32 SoundTagStart(s_SOUND_TAG_DEFAULT* tag, s32 id, const s_Vector3* position);
int SoundTagIsPlaying(const s_SOUND_TAG_DEFAULT* tag, s32 channel);
