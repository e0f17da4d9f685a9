// The stream manager: the game's interface to disc streams. Packs in three named
// slots, streams played as music, effect or dialogue with a type volume, fades,
// pause and resume by type, and a callback when a stream has finished.
#pragma once

#include "orblib47/source/NGC/Stream.h"

struct s_thread;

enum e_orb_stream_type : u32 {
    ORB_STREAM_TYPE_MUSIC_LOOPING = 0x08000000,
    ORB_STREAM_TYPE_MUSIC = 0x10000000,
    ORB_STREAM_TYPE_EFFECT_LOOPING = 0x20000000,
    ORB_STREAM_TYPE_EFFECT = 0x40000000,
    ORB_STREAM_TYPE_DIALOG = 0x80000000,
};
constexpr u32 ORB_STREAM_MASK_MUSIC = 0x18000000;
constexpr u32 ORB_STREAM_MASK_EFFECT = 0x60000000;
constexpr u32 ORB_STREAM_MASK_DIALOG = 0x80000000;

// u_orb_stream_flags
constexpr u32 ORB_STREAM_IS_FADING_IN = 0x80000000u;
constexpr u32 ORB_STREAM_IS_FADING_OUT = 0x40000000u;
constexpr u32 ORB_STREAM_IS_CHILD = 0x20000000u;
constexpr u32 ORB_STREAM_IS_SPATIAL = 0x10000000u;

constexpr u32 ORB_STREAM_FILE_SLOTS = 3;
constexpr u32 ORB_STREAM_OBJECTS = 8;

struct s_orb_stream_file {
    s_stream_file* file;
    char name[32];
};

class COrbStream;
using OrbStreamEventCallback = void (*)(COrbStream* stream, void* parm, s32 event);

class CLinkedList {
public:
    CLinkedList* m_Next = nullptr;
    CLinkedList** m_Prev = nullptr;
};

class COrbStream : public CLinkedList {
public:
    e_orb_stream_type m_Type;
    u32 m_Flags;
    s_stream* m_Stream;
    OrbStreamEventCallback m_EventCallback;
    void* m_EventCallbackParm;
    COrbStream* m_Child;
    f32 m_FadeTime;
    f32 m_FadeTotalTime;
    s_VOLUME_MIX m_FadeVolumeMix;
};

class COrbStreamManager {
public:
    e_error_code ColdReset();
    void WarmReset();

    s_orb_stream_file* LoadFile(const char* name);
    void FreeFile(s_orb_stream_file* slot);
    COrbStream* Play(s_orb_stream_file* slot, s32 n, const s_VOLUME_MIX* mix, e_orb_stream_type type,
                     f32 fadeInTime);
    void Stop(COrbStream* stream, f32 fadeTime);
    void Stop(e_orb_stream_type type, f32 fadeTime);
    void StopAll(f32 fadeTime);
    void Pause();
    void Resume();
    void Resume(e_orb_stream_type type);
    void SetVolume(COrbStream* stream, const s_VOLUME_MIX* mix);
    int SetVolume(u32 mask, f32 volume);
    void SetMusicVolume(f32 volume);
    void SetEffectVolume(f32 volume);
    f32 GetVolume(u32 typeOrMask) const;
    void SetReverb(COrbStream* stream, int on);
    bool IsActive(const COrbStream* stream) const;
    bool IsPlaying(const COrbStream* stream) const;
    bool IsFinished(const COrbStream* stream) const;
    s_channel_status* GetChannelStatus(const COrbStream* stream) const;
    s_channel_status* GetChildChannelStatus(const COrbStream* stream) const;
    void ClearCallback(COrbStream* stream);
    void Remove(COrbStream* stream);
    void Free(COrbStream* stream);
    // The per-frame task's work: finished callbacks and fades.
    void Update();

    s_thread* m_UpdateThreadPtr = nullptr;
    int m_Enabled = 0;
    int m_Paused = 0;
    f32 m_DialogVolume = 1.0f;
    f32 m_EffectVolume = 1.0f;
    f32 m_MusicVolume = 1.0f;
};

extern COrbStreamManager OrbStreamManager;
extern s_orb_stream_file StreamFileArray[ORB_STREAM_FILE_SLOTS];
extern CLinkedList* StreamList;

void OrbStreamChannelCallback(void* parm);
