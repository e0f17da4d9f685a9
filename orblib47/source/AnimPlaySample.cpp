#include <algorithm>

#include "orblib47/source/Anim.h"
#include "orblib47/source/AnimInternal.h"

namespace {

bool Keyed(const s_hchannel* channel) {
    return (channel->flags & HCHANNEL_FLAG_IS_KEYED) != 0;
}

// The sample in force at `time` of an unkeyed channel, kept within the samples
// whatever the time or rate.
s32 SampleIndex(const s_hchannel* channel, f32 time) {
    const f32 position = time * f32(channel->rate);
    const s32 last = channel->count - 1;
    if (!(position > 0.0f))
        return 0;
    return position >= f32(last) ? last : s32(position);
}

f32 Fraction(const s_hchannel* channel, f32 time, s32 k, s32 n) {
    if (Keyed(channel))
        return HAnimPercentage(time, HAnimKeyTime(channel->data, u32(k)),
                               HAnimKeyTime(channel->data, u32(n)));
    // A rate of 0 holds its first sample.
    if (channel->rate == 0)
        return 0.0f;
    const f32 rate = f32(channel->rate);
    return rate * (time - f32(k) / rate);
}

void Interpolate(s_hchannel* channel, s32 k, s32 n, f32 p) {
    s_Vector4 a, b;
    HAnimKeyValue(channel->data, u32(k), &a);
    HAnimKeyValue(channel->data, u32(n), &b);
    if (HAnimChannelKind(channel->type) == HAnimKind::Rotation) {
        const s_Quaternion qa = HAnimQuat(a), qb = HAnimQuat(b);
        s_Quaternion q;
        QuatSlerp(&q, &qa, &qb, p);
        channel->currentData = {q.x, q.y, q.z, q.w};
        return;
    }
    const s_Vector3 va = HAnimVector3(a), vb = HAnimVector3(b);
    s_Vector3 v;
    Vect3Interpolate(&v, &va, &vb, p);
    channel->currentData = {v.x, v.y, v.z, 0.0f};
}

}  // namespace

f32 HAnimPercentage(f32 time, f32 key1Time, f32 key2Time) {
    if (key1Time == key2Time)
        return time - key1Time;
    return (time - key1Time) / (key2Time - key1Time);
}

s32 HAnimFindKey(s_hchannel* hchannel, f32 time) {
    const s32 count = hchannel->count;
    s32 i = std::clamp(hchannel->dataIndex, 0, std::max(count - 1, 0));
    if (count > 1) {
        while (i > 0 && HAnimKeyTime(hchannel->data, u32(i)) > time)
            --i;
        while (i + 1 < count && HAnimKeyTime(hchannel->data, u32(i + 1)) <= time)
            ++i;
    }
    hchannel->dataIndex = i;
    return i;
}

void HAnimProcessMorphChannel(s_hanim*, s_hchannel*) {}

void HAnimExtractChannelData(s_hanim* hanim, s_hchannel* hchannel) {
    if (hchannel->type == ANIM_EVENT) {
        HAnimProcessEventChannel(hanim, hchannel, hanim->time);
        return;
    }
    if (hchannel->type == ANIM_MORPH) {
        HAnimProcessMorphChannel(hanim, hchannel);
        return;
    }
    if (hchannel->count == 0)
        return;
    const f32 t = hanim->time;
    const s32 k = Keyed(hchannel) ? HAnimFindKey(hchannel, t) : SampleIndex(hchannel, t);
    if ((hchannel->flags & HCHANNEL_FLAG_NO_INTERP) != 0) {
        HAnimKeyValue(hchannel->data, u32(k), &hchannel->currentData);
        return;
    }
    s32 n = k + 1;
    // Past the last key the sequence wraps to its first, except on the root bone.
    if (n >= hchannel->count)
        n = hchannel->boneId == 1 ? k : 0;
    // Only between keys k and n: a wrap or a time outside the keys must not extrapolate.
    const f32 p = std::clamp(Fraction(hchannel, t, k, n), 0.0f, 1.0f);
    if (p == 0.0f) {
        HAnimKeyValue(hchannel->data, u32(k), &hchannel->currentData);
        return;
    }
    Interpolate(hchannel, k, n, p);
}
