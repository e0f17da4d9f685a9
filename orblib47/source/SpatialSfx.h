// Positional sound: sound effects and managed streams placed in the world, their
// mixes kept up to date every frame from the listener's position and facing.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/Sound.h"

class COrbStream;

enum e_spatial_sfx_type : u32 {
    SPATIAL_SFX_TYPE_SFX = 0,
    SPATIAL_SFX_TYPE_STREAM = 1,
};

enum e_spatial_sfx_falloff_type : u32 {
    SPATIAL_SFX_FALLOFF_TYPE_LINEAR = 0,
    SPATIAL_SFX_FALLOFF_TYPE_COSINE = 1,
};

constexpr u32 SPATIAL_SFX_RECORDS = 48;

// Kept on the pool's list, newest first (the list's priority word is unused).
struct s_spatial_sfx : s_linked_list {
    s_Vector3 pos;
    const s_Vector3* updatePos;
    const s_Matrix4* updateMatrix;
    f32 maxVol;
    f32 maxAudDistSq;
    f32 fadeOutTime;
    f32 fadeOutTotalTime;
    s32 channel;
    s32 id;
    COrbStream* orbStream;
    e_spatial_sfx_type type;
    e_spatial_sfx_falloff_type falloffType;
};

extern s_stdrec* SpatialSfxRecords;
extern int UseCustomListener;
extern s_Vector3 CustomListenerPos;

void SpatialSfxWarmReset();

// Loudness and bearing have different origins. Distances are measured from the
// listener: the custom position once SpatialSfxSetListenerPos has been called (for
// the rest of the run), else the current viewport's camera. The bearing, which
// spreads a sound over the speakers, is always taken from the camera's position
// and facing, so a custom listener changes only how loud a sound is.
void SpatialSfxSetListenerPos(const s_Vector3* pos);
s_Vector3 SpatialSfxListenerPos();
s_Vector3 SpatialSfxBearingOrigin();
// Squared distance of `pos` from the listener.
f32 SpatialSfxListenerDistSq(const s_Vector3* pos);

// A one-shot out of range is not started (-1); a looped one is started silent and
// tracked, so it becomes audible when the listener comes near.
s32 SpatialSfxPlay(const s_Vector3* pos, s32 id, f32 maxVol, f32 maxAudDistSq, u32 priority);
s32 SpatialSfxPlayLooped(const s_Vector3* pos, s32 id, f32 maxVol, f32 maxAudDistSq, u32 priority);
void SpatialSfxCalcVolumeMix(s_VOLUME_MIX* mix, f32 distSq, f32 maxAudDistSq, f32 maxVol,
                             const s_Vector3* pos, e_spatial_sfx_falloff_type falloffType);
void SpatialSfxSetSpeakerInfluence(s_VOLUME_MIX* mix, f32 maxVol, s32 angle, f32 side);
s32 SpatialSfxNearestAngle(s32 angle);
s_spatial_sfx* SpatialSfxAllocate();
s_spatial_sfx* SpatialSfxListAddSfx(const s_Vector3* pos, f32 maxVol, f32 maxAudDistSq, s32 channel, s32 id);
void SpatialSfxFree(s_spatial_sfx* record);
void SpatialSfxStopChannel(s32 channel);
s_spatial_sfx* SpatialSfxGet(s32 channel);
int SpatialSfxIsPlaying(const s_spatial_sfx* record);
void SpatialSfxSetUpdatePosition(s_spatial_sfx* record, const s_Vector3* pos);
void SpatialSfxUpdate(s_spatial_sfx* record);
