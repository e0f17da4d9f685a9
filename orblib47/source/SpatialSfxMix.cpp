// A positional sound's mix: loudness from its distance to the listener, spread
// over the speakers by its bearing from the camera.
#include <cmath>
#include <cstdlib>

#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/SpatialSfx.h"

int UseCustomListener = 0;
s_Vector3 CustomListenerPos = {};

namespace {

constexpr f32 kRadiansToIndex = 2607.5872f;
constexpr f32 kHalfPi = 1.5708008f;
constexpr f32 kRadiansToDegrees = 57.295616f;

// The camera's facing: right (negated, as the engine's coordinate systems keep it),
// up and forward axes of the current viewport.
s_CoordSys3 CameraFacing() {
    s_CoordSys3 facing;
    Matrix4ToCoordSys3(&facing, &DrawContext.viewport->cameraMatrixInv);
    return facing;
}

// `v` in the horizontal plane, normalised (a zero vector stays zero).
s_Vector3 Horizontal(s_Vector3 v) {
    v.y = 0.0f;
    Vect3Normal(&v, &v);
    return v;
}

f32 Dot(const s_Vector3& a, const s_Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

f32 DistanceGain(f32 t, e_spatial_sfx_falloff_type falloffType) {
    if (falloffType == SPATIAL_SFX_FALLOFF_TYPE_COSINE)
        return CosTable[s32(kRadiansToIndex * (kHalfPi * t)) & (COS_TABLE_SIZE - 1)];
    return 1.0f - t;
}

// Share of a speaker `x` degrees away from the sound: 1 facing it, 0 behind.
f32 Share(s32 x) {
    return f32(180 - SpatialSfxNearestAngle(x)) / 180.0f;
}

void ScaleFrontPair(s_VOLUME_MIX* mix, s32 a, f32 side, s32 spread) {
    mix->volL *= Share(side < 0.0f ? a + spread : a - spread);
    mix->volR *= Share(side < 0.0f ? a - spread : a + spread);
}

void ScaleRearPair(s_VOLUME_MIX* mix, s32 a, f32 side) {
    mix->volLS *= Share(side < 0.0f ? a + 135 : a - 135);
    mix->volRS *= Share(side < 0.0f ? a - 135 : a + 135);
}

}  // namespace

s_Vector3 SpatialSfxListenerPos() {
    return UseCustomListener ? CustomListenerPos : DrawContext.viewport->cameraPosition;
}

s_Vector3 SpatialSfxBearingOrigin() {
    return DrawContext.viewport->cameraPosition;
}

f32 SpatialSfxListenerDistSq(const s_Vector3* pos) {
    const s_Vector3 listener = SpatialSfxListenerPos();
    const s_Vector3 d = {listener.x - pos->x, listener.y - pos->y, listener.z - pos->z, 0.0f};
    return Dot(d, d);
}

void SpatialSfxSetListenerPos(const s_Vector3* pos) {
    CustomListenerPos = *pos;
    UseCustomListener = 1;
}

s32 SpatialSfxNearestAngle(s32 angle) {
    const s32 reduced = std::abs(angle) % 360;
    return reduced >= 180 ? 360 - reduced : reduced;
}

void SpatialSfxCalcVolumeMix(s_VOLUME_MIX* mix, f32 distSq, f32 maxAudDistSq, f32 maxVol,
                             const s_Vector3* pos, e_spatial_sfx_falloff_type falloffType) {
    ORB_ASSERT(maxAudDistSq != 0.0f, "maxAudDistSq must be non-zero!\n");
    if (maxAudDistSq < 0.0f)
        maxAudDistSq = 100.0f;
    if (distSq > maxAudDistSq) {
        *mix = {};
        return;
    }
    const f32 gain = DistanceGain(distSq / maxAudDistSq, falloffType);
    *mix = {gain, gain, gain, gain, gain, 0.0f};

    const s_Vector3 origin = SpatialSfxBearingOrigin();
    const s_CoordSys3 facing = CameraFacing();
    const s_Vector3 dir = Horizontal({pos->x - origin.x, pos->y - origin.y, pos->z - origin.z, 0.0f});
    const f32 c = Dot(Horizontal(facing.forward), dir);
    const f32 angle = c >= 1.0f ? 0.0f : c <= -1.0f ? 3.1415927f : std::acos(c);
    const s32 degrees = s32(AngleNormUnipolar(angle) * kRadiansToDegrees);
    SpatialSfxSetSpeakerInfluence(mix, maxVol, 180 - degrees, Dot(facing.right, dir));
    AudioSetValidVolumeMix(mix);
}

void SpatialSfxSetSpeakerInfluence(s_VOLUME_MIX* mix, f32 maxVol, s32 angle, f32 side) {
    switch (AudioMode) {
        case AUDIO_MODE_MONO:
        case AUDIO_MODE_STEREO:
        case AUDIO_MODE_PRO_LOGIC:
        case AUDIO_MODE_PRO_LOGIC_2:
            ScaleFrontPair(mix, angle, side, angle < 90 ? 45 : 135);
            *mix = {mix->volL * maxVol, mix->volR * maxVol, 0.0f, 0.0f, 0.0f, 0.0f};
            break;
        case AUDIO_MODE_DOLBY_DIGITAL:
            ScaleFrontPair(mix, angle, side, 45);
            ScaleRearPair(mix, angle, side);
            mix->volC *= Share(angle);
            *mix = {mix->volL * maxVol,  mix->volR * maxVol,  mix->volC * maxVol,
                    mix->volLS * maxVol, mix->volRS * maxVol, 0.0f};
            break;
        default:
            break;
    }
}
