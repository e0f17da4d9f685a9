// Light objects: plain records filled on the program side, loaded into the
// hardware with GXLoadLightObjImm.
#include <cmath>
#include <numbers>

#include "console/gx.h"

namespace {

// A specular light sits this far away along its direction.
constexpr f32 kFarAway = 1.0e10f;

void Set3(f32 v[3], f32 x, f32 y, f32 z) {
    v[0] = x;
    v[1] = y;
    v[2] = z;
}

}  // namespace

void GXInitLightPos(GXLightObj* light, f32 x, f32 y, f32 z) {
    Set3(light->pos, x, y, z);
}

void GXInitLightDir(GXLightObj* light, f32 nx, f32 ny, f32 nz) {
    Set3(light->dir, nx, ny, nz);
}

void GXInitLightColor(GXLightObj* light, GXColor color) {
    light->color = color;
}

void GXInitLightAttn(GXLightObj* light, f32 a0, f32 a1, f32 a2, f32 k0, f32 k1, f32 k2) {
    GXInitLightAttnA(light, a0, a1, a2);
    GXInitLightAttnK(light, k0, k1, k2);
}

void GXInitLightAttnA(GXLightObj* light, f32 a0, f32 a1, f32 a2) {
    Set3(light->a, a0, a1, a2);
}

void GXInitLightAttnK(GXLightObj* light, f32 k0, f32 k1, f32 k2) {
    Set3(light->k, k0, k1, k2);
}

// Angle attenuation over c = cos(angle from the spot axis), zero beyond the
// cutoff cr = cos(cutoff). A cutoff so small that cr rounds to 1 would divide by
// zero: it is off like cutoffs outside (0, 90].
void GXInitLightSpot(GXLightObj* light, f32 cutoff, GXSpotFn spotFn) {
    const f32 cr = std::cos(cutoff * std::numbers::pi_v<f32> / 180.0f);
    if (cutoff <= 0.0f || cutoff > 90.0f || cr >= 1.0f)
        spotFn = GX_SP_OFF;
    const f32 d = (1.0f - cr) * (1.0f - cr);
    switch (spotFn) {
        case GX_SP_FLAT:
            return GXInitLightAttnA(light, -1000.0f * cr, 1000.0f, 0.0f);
        case GX_SP_COS:
            return GXInitLightAttnA(light, -cr / (1.0f - cr), 1.0f / (1.0f - cr), 0.0f);
        case GX_SP_COS2:
            return GXInitLightAttnA(light, 0.0f, -cr / (1.0f - cr), 1.0f / (1.0f - cr));
        case GX_SP_SHARP:
            return GXInitLightAttnA(light, cr * (cr - 2.0f) / d, 2.0f / d, -1.0f / d);
        case GX_SP_RING1:
            return GXInitLightAttnA(light, -4.0f * cr / d, 4.0f * (1.0f + cr) / d, -4.0f / d);
        case GX_SP_RING2:
            return GXInitLightAttnA(light, 1.0f - 2.0f * cr * cr / d, 4.0f * cr / d, -2.0f / d);
        default:
            return GXInitLightAttnA(light, 1.0f, 0.0f, 0.0f);
    }
}

// Brightness falls to refBrightness at refDistance. A reference distance of 0
// (which would divide by zero) turns the attenuation off like other bad values.
void GXInitLightDistAttn(GXLightObj* light, f32 refDistance, f32 refBrightness, GXDistAttnFn distFn) {
    if (refDistance <= 0.0f || refBrightness <= 0.0f || refBrightness >= 1.0f)
        distFn = GX_DA_OFF;
    const f32 k = (1.0f - refBrightness) / refBrightness;
    switch (distFn) {
        case GX_DA_GENTLE:
            return GXInitLightAttnK(light, 1.0f, k / refDistance, 0.0f);
        case GX_DA_MEDIUM:
            return GXInitLightAttnK(light, 1.0f, 0.5f * k / refDistance,
                                    0.5f * k / (refDistance * refDistance));
        case GX_DA_STEEP:
            return GXInitLightAttnK(light, 1.0f, 0.0f, k / (refDistance * refDistance));
        default:
            return GXInitLightAttnK(light, 1.0f, 0.0f, 0.0f);
    }
}

void GXInitSpecularDirHA(GXLightObj* light, f32 nx, f32 ny, f32 nz, f32 hx, f32 hy, f32 hz) {
    Set3(light->pos, -nx * kFarAway, -ny * kFarAway, -nz * kFarAway);
    Set3(light->dir, hx, hy, hz);
}

// The half-angle between the way to the light (-n) and the way to the viewer
// (+z). A light straight into the viewer has none: it is left zero (no
// highlight) instead of normalising a zero vector.
void GXInitSpecularDir(GXLightObj* light, f32 nx, f32 ny, f32 nz) {
    f32 h[3] = {-nx, -ny, 1.0f - nz};
    const f32 length = std::sqrt(h[0] * h[0] + h[1] * h[1] + h[2] * h[2]);
    if (length > 0) {
        for (f32& c : h)
            c /= length;
    }
    GXInitSpecularDirHA(light, nx, ny, nz, h[0], h[1], h[2]);
}
