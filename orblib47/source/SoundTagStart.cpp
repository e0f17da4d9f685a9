// Starting a sound tag: the sound, its random volume and pitch, plain or positional.
#include <algorithm>

#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/SoundTag.h"
#include "orblib47/source/SpatialSfx.h"

namespace {

constexpr f32 kMaxPitch = 2.0f;

f32 RandomFraction() {
    return f32(s32(OrbRand())) / 2147483648.0f;
}

// A value drawn from [centre - variance, centre + variance).
f32 RandomAround(f32 centre, f32 variance) {
    const f32 lo = centre - variance;
    const f32 hi = centre + variance;
    return lo + (hi - lo) * RandomFraction();
}

s32 StartSpatial(const s_SOUND_TAG_DEFAULT* tag, s32 soundId, const s_Vector3* position) {
    f32 volume = tag->maxVol;
    if (tag->volumeVariance != 0.0f)
        volume = std::clamp(RandomAround(tag->maxVol, tag->volumeVariance), 0.0f, 1.0f);
    const f32 distSq = tag->maxAudDist * tag->maxAudDist;
    if (tag->flags & AUDIO_PLAY_IS_LOOPED)
        return SpatialSfxPlayLooped(position, soundId, volume, distSq, tag->priority);
    return SpatialSfxPlay(position, soundId, volume, distSq, tag->priority);
}

s32 StartPlain(const s_SOUND_TAG_DEFAULT* tag, s32 soundId) {
    s_VOLUME_MIX mix = tag->volumeMix;
    if (tag->volumeVariance != 0.0f)
        AudioSetVolumeMixOffset(&mix, RandomAround(0.0f, tag->volumeVariance));
    if (tag->flags & AUDIO_PLAY_IS_LOOPED)
        return SfxPlayLooped(soundId, &mix, tag->priority);
    return SfxPlay(soundId, &mix, tag->priority);
}

}  // namespace

s32 SoundTagStart(s_SOUND_TAG_DEFAULT* tag, s32 id, const s_Vector3* position) {
    if (tag == nullptr)
        return -1;
    const s32 soundId = id != -1 ? id : tag->id;
    s32 channel = -1;
    if (tag->type == SOUND_TAG_TYPE_SPATIAL_SFX)
        channel = StartSpatial(tag, soundId, position);
    else if (tag->type == SOUND_TAG_TYPE_SFX)
        channel = StartPlain(tag, soundId);
    if (channel < 0 || channel >= AUDIO_CHANNEL_COUNT)
        return -1;
    ChannelStatus[channel].header.playFlags = tag->flags;
    // The tag's pitch is only the centre of the variance: without one the channel
    // keeps its pitch. A draw past the playable range is held at its edge.
    if (tag->pitchVariance != 0.0f)
        SfxSetPitch(channel, std::clamp(RandomAround(tag->pitch, tag->pitchVariance), 0.0f, kMaxPitch));
    return channel;
}

int SoundTagIsPlaying(const s_SOUND_TAG_DEFAULT* tag, s32 channel) {
    return tag != nullptr && SfxIsIdPlaying(tag->id, channel);
}
