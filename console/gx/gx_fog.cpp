#include "console/gx/gx_fog.h"

#include <cmath>

namespace console::gx {

FogPlan PlanFog(const RasterState& state) {
    FogPlan fog{};
    const u8 type = u8(state.fogType);
    fog.curve = type & 7;
    const float range = state.fogEndZ - state.fogStartZ;
    // With no range the fog's parameters come out as zero density: it changes no
    // pixel (the engine's reset sets such a fog), so the fast loops may run.
    fog.enabled = fog.curve >= 2 && fog.curve != 3 && range != 0.0f;
    fog.ortho = (type & 8) != 0;
    fog.start = state.fogStartZ;
    fog.invRange = range != 0.0f ? 1.0f / range : 0.0f;
    fog.nearZ = state.fogNearZ;
    fog.depthRange = state.fogFarZ - state.fogNearZ;
    fog.color = state.fogColor;
    return fog;
}

Rgba8 ApplyFog(const FogPlan& fog, Rgba8 c, float w, float depth) {
    const float eye = fog.ortho ? fog.nearZ + fog.depthRange * depth : w;
    float t = (eye - fog.start) * fog.invRange;
    t = t > 0.0f ? (t < 1.0f ? t : 1.0f) : 0.0f;  // NaN becomes 0
    float f;
    switch (fog.curve) {
        case 4:
            f = 1.0f - std::exp2(-8.0f * t);
            break;
        case 5:
            f = 1.0f - std::exp2(-8.0f * t * t);
            break;
        case 6:
            f = std::exp2(-8.0f * (1.0f - t));
            break;
        case 7:
            f = std::exp2(-8.0f * (1.0f - t) * (1.0f - t));
            break;
        default:
            f = t;
            break;
    }
    const int k = int(f * 256.0f + 0.5f);
    auto mix = [k](u8 a, u8 b) { return u8((a * (256 - k) + b * k) >> 8); };
    return {mix(c.r, fog.color.r), mix(c.g, fog.color.g), mix(c.b, fog.color.b), c.a};
}

}  // namespace console::gx
