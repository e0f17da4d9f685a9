// An object's look at a frame: its key there, or the way between two keys by the
// first key's easing.
#include <algorithm>

#include "source/SFP/SFPInternal.h"

namespace {

f32 Eased(u8 ease, f32 t) {
    switch (ease) {
        case SFP_EASE_IN:
            return t * t;
        case SFP_EASE_OUT:
            return 1.0f - (1.0f - t) * (1.0f - t);
        case SFP_EASE_INOUT:
            return t < 0.5f ? 2.0f * t * t : 1.0f - 2.0f * (1.0f - t) * (1.0f - t);
        case SFP_EASE_STEP:
            return 0.0f;
        default:
            return t;
    }
}

f32 Mix(f32 a, f32 b, f32 t) {
    return a + (b - a) * t;
}

}  // namespace

bool SFPLookAt(const s_sfp_movie& movie, const s_sfp_object& object, u32 frame, s_sfp_look* look) {
    const auto keys = movie.keys.subspan(object.firstKey, object.numKeys);
    // The first key after the frame; the one before it is in force.
    const auto next = std::upper_bound(keys.begin(), keys.end(), frame,
                                       [](u32 f, const s_sfp_key& key) { return f < key.frame; });
    if (next == keys.begin())
        return false;
    const s_sfp_key& a = *(next - 1);
    const s_sfp_key& b = next != keys.end() ? *next : a;
    const f32 t = &a == &b ? 0.0f : Eased(a.ease, f32(frame - a.frame) / f32(b.frame - a.frame));
    look->x = Mix(a.x, b.x, t);
    look->y = Mix(a.y, b.y, t);
    look->scaleX = Mix(a.scaleX, b.scaleX, t);
    look->scaleY = Mix(a.scaleY, b.scaleY, t);
    look->rotation = Mix(a.rotation, b.rotation, t);
    for (u32 c = 0; c < 4; ++c)
        look->color[c] = Mix(SFPChannel(a.color, c), SFPChannel(b.color, c), t);
    look->visible = a.visible != 0;
    return true;
}
