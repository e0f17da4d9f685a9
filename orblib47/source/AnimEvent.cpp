#include <algorithm>

#include "orblib47/source/Anim.h"
#include "orblib47/source/NGC/FrameClock.h"

namespace {

// Moves of under this much are steps of the camera's clock; larger ones are cuts.
constexpr f32 kCameraStepLimit = 0.1f;

bool Keyed(const s_hanim_channel* channel) {
    return (channel->flags & HCHANNEL_FLAG_IS_KEYED) != 0;
}

void Fire(s_hanim* hanim, const s_event_key* key) {
    HAnimDoEvent(hanim, key->time, &key->parms);
}

void FireCamera(s_hanim* hanim, const s_hchannel* hchannel) {
    const f32 from = std::min(hanim->oldTime, hanim->time);
    const f32 to = std::max(hanim->oldTime, hanim->time);
    if (to - from >= kCameraStepLimit)
        return;
    for (u32 i = 0; i < hchannel->count; ++i) {
        const s_event_key* key = HAnimEventKey(hchannel->data, i);
        if (key->time > from && key->time < to)
            Fire(hanim, key);
    }
}

}  // namespace

void HAnimProcessEventChannel(s_hanim* hanim, s_hchannel* hchannel, f32 time) {
    if (!Keyed(hchannel->data) || hchannel->count == 0)
        return;
    if ((hanim->flags & HANIM_FLAG_IS_CAMERA_ANIM) != 0) {
        FireCamera(hanim, hchannel);
        return;
    }
    const f32 limit = time + DeltaTime * hanim->timeScale;
    const bool looped = (hanim->sysFlags & HANIM_SYS_LOOPED) != 0;
    const s32 count = hchannel->count;
    s32 i = hchannel->dataIndex;
    if (hanim->timeScale >= 0.0f) {
        if (i < 0 || looped)
            i = 0;
        for (; i < count; ++i) {
            const s_event_key* key = HAnimEventKey(hchannel->data, u32(i));
            if (key->time > limit)
                break;
            if (key->time >= hanim->loopStart)
                Fire(hanim, key);
        }
    } else {
        if (i >= count || looped)
            i = count - 1;
        for (; i >= 0; --i) {
            const s_event_key* key = HAnimEventKey(hchannel->data, u32(i));
            if (key->time < limit)
                break;
            if (key->time <= hanim->loopEnd)
                Fire(hanim, key);
        }
    }
    hchannel->dataIndex = i;
}

void HAnimDoEvent(s_hanim* hanim, f32 time, const s_hanim_event_parms* parms) {
    switch (parms->type) {
        case ANIM_EVENT_TYPE_LOOP_BEGIN:
            hanim->loopStart = time;
            return;
        case ANIM_EVENT_TYPE_LOOP_END:
            hanim->loopEnd = time;
            return;
        case ANIM_EVENT_TYPE_PAUSE:
            if (HAnimFastForward == 0)
                hanim->flags |= HANIM_FLAG_PAUSE;
            return;
        default:
            if (HAnimFastForward == 0 && hanim->eventFunc != nullptr) {
                // The callback gets its own copy: the bank's keys are shared.
                s_hanim_event_parms copy = *parms;
                hanim->eventFunc(hanim->eventRecord, &copy);
            }
    }
}

const s_event_key* HAnimFindEvent(const s_hanim* hanim, s32 id, s32 parm8) {
    const s_hchannel* channel = hanim->channels;
    while (channel != nullptr && channel->type != ANIM_EVENT)
        channel = channel->next;
    if (channel == nullptr || !Keyed(channel->data))
        return nullptr;
    for (u32 i = 0; i < channel->count; ++i) {
        const s_event_key* key = HAnimEventKey(channel->data, i);
        if (key->parms.type == id && key->parms.parm8 == (parm8 & 0xFF))
            return key;
    }
    return nullptr;
}
