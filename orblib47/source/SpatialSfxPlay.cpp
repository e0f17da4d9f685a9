// Starting a sound effect at a point in the world.
#include "orblib47/source/Debug.h"
#include "orblib47/source/SpatialSfx.h"

namespace {

struct PlayKind {
    const char* name;  // for the messages
    s32 (*play)(s32 id, const s_VOLUME_MIX* mix, u32 priority);
    bool looped;
};

constexpr PlayKind kOneShot = {"SfxPlaySpatialFromPos", SfxPlay, false};
constexpr PlayKind kLooped = {"SfxPlaySpatialLoopedFromPos", SfxPlayLooped, true};

// A one-shot out of range would be over before anyone came near, so it is not
// started. A looped one is started silent and tracked, so that the task makes it
// audible once the listener comes within range.
s32 Start(const PlayKind& kind, const s_Vector3* pos, s32 id, f32 maxVol, f32 maxAudDistSq, u32 priority) {
    if (maxAudDistSq <= 0.0f) {
        DEBUG_PRINT("%s: Invalid maxAudDistSq %f!\n", kind.name, maxAudDistSq);
        return -1;
    }
    if (pos == nullptr) {
        DEBUG_PRINT("%s: Invalid position!\n", kind.name);
        return -1;
    }
    s_VOLUME_MIX mix;
    SpatialSfxCalcVolumeMix(&mix, SpatialSfxListenerDistSq(pos), maxAudDistSq, maxVol, pos,
                            SPATIAL_SFX_FALLOFF_TYPE_LINEAR);
    if (!kind.looped && !AudioCheckVolumeMix(&mix))
        return -1;
    const s32 channel = kind.play(id, &mix, priority);
    if (channel >= 0 && channel < AUDIO_CHANNEL_COUNT)
        SpatialSfxListAddSfx(pos, maxVol, maxAudDistSq, channel, id);
    return channel;
}

}  // namespace

s32 SpatialSfxPlay(const s_Vector3* pos, s32 id, f32 maxVol, f32 maxAudDistSq, u32 priority) {
    return Start(kOneShot, pos, id, maxVol, maxAudDistSq, priority);
}

s32 SpatialSfxPlayLooped(const s_Vector3* pos, s32 id, f32 maxVol, f32 maxAudDistSq, u32 priority) {
    return Start(kLooped, pos, id, maxVol, maxAudDistSq, priority);
}
