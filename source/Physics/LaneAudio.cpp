// The lane's sounds and music: the ball's roll while it rolls, the pins, the gutter,
// the pinsetter, the sweep and the cheer of a strike from the level's sound bank,
// and a song of the music pack at the settings' music volume.
#include "orblib47/source/OrbStream.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Physics/LaneManager.h"

namespace {

// The first lane sound's row in data/SymTable.txt; the others follow in order.
constexpr u32 kFirstLaneSoundSymbol = 13;
constexpr u32 kLaneSoundPriority = 64;
constexpr f32 kSongFadeIn = 2.0f;
// The lane's songs are the streams of the menu music's pack.
constexpr char kSongFile[] = "/STREAM/MUSIC.ASF";

s_VOLUME_MIX Scaled(f32 volume) {
    s_VOLUME_MIX mix = g_GameSettings.m_sfxVolumeMix;
    for (f32* v : {&mix.volL, &mix.volR, &mix.volC, &mix.volLS, &mix.volRS, &mix.volLFE})
        *v *= volume;
    return mix;
}

// A finished song's stream goes back to the manager's pool.
void SongEnded(COrbStream* stream, void*, s32) {
    if (Physics.m_Streams[0] == stream)
        Physics.m_Streams[0] = nullptr;
}

// Silent while no level's sound bank is loaded.
bool BankLoaded() {
    return g_LevelMgr.m_SfxWad != nullptr;
}

}  // namespace

s32 LaneSoundId(s32 sound) {
    return s32(0x80000000u | (kFirstLaneSoundSymbol + u32(sound)));
}

void CLaneManager::PlayLaneSound(s32 sound, f32 volume) {
    if (!BankLoaded() || sound < 0 || sound >= ALLEY_SFX_COUNT)
        return;
    const s_VOLUME_MIX mix = Scaled(volume > 1.0f ? 1.0f : volume);
    SfxPlay(LaneSoundId(sound), &mix, kLaneSoundPriority);
}

void CLaneManager::StartRollSound() {
    StopRollSound();
    if (!BankLoaded())
        return;
    const s_VOLUME_MIX mix = Scaled(1.0f);
    m_RollChannel = SfxPlayLooped(LaneSoundId(ALLEY_SFX_BALL_ROLL), &mix, kLaneSoundPriority);
}

void CLaneManager::StopRollSound() {
    if (m_RollChannel >= 0 && SfxIsIdPlaying(LaneSoundId(ALLEY_SFX_BALL_ROLL), m_RollChannel))
        SfxStopChannel(m_RollChannel);
    m_RollChannel = -1;
}

void CLaneManager::StartMusic() {
    m_LastSong = 0;
    if (m_Streams[0] == nullptr)
        PlayLastSong();
}

void CLaneManager::PlayLastSong() {
    if (m_LastSong < 0)
        return;
    if (m_MusicFile == nullptr)
        m_MusicFile = OrbStreamManager.LoadFile(kSongFile);
    if (m_MusicFile == nullptr)
        return;
    if (m_Streams[0] != nullptr)
        OrbStreamManager.Stop(m_Streams[0], 0.0f);
    m_Streams[0] = OrbStreamManager.Play(m_MusicFile, m_LastSong, &g_GameSettings.m_musicVolumeMix,
                                         ORB_STREAM_TYPE_MUSIC, kSongFadeIn);
    if (m_Streams[0] != nullptr) {
        m_Streams[0]->m_EventCallback = SongEnded;
        m_Streams[0]->m_EventCallbackParm = nullptr;
    }
}

void CLaneManager::StopMusic() {
    OrbStreamManager.Stop(m_Streams[0], 0.0f);
    m_Streams[0] = nullptr;
    OrbStreamManager.FreeFile(m_MusicFile);
    m_MusicFile = nullptr;
}

void CLaneManager::ForgetSound() {
    m_RollChannel = -1;
    m_MusicFile = nullptr;
    m_Streams[0] = nullptr;
    m_Streams[1] = nullptr;
}
