#include <algorithm>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Bone.h"
#include "orblib47/source/NGC/FrameClock.h"

s_hanim_event_parms HAnimEvent = {};

namespace {

void Notify(s_hanim* hanim, s32 type) {
    if (hanim->eventFunc == nullptr)
        return;
    HAnimEvent.type = type;
    hanim->eventFunc(hanim->eventRecord, &HAnimEvent);
}

f32 StepForward(s_hanim* hanim, f32 t, f32 step) {
    if ((hanim->flags & HANIM_FLAG_REPEAT) != 0) {
        if (t <= hanim->loopEnd)
            return t;
        hanim->sysFlags |= HANIM_SYS_LOOPED;
        const f32 len = hanim->loopEnd - hanim->loopStart;
        t = step > len ? hanim->loopStart : std::max(t - len, hanim->loopStart);
        Notify(hanim, ANIM_EVENT_TYPE_LOOPED);
        return t;
    }
    if (t <= hanim->timeEnd)
        return t;
    hanim->sysFlags |= HANIM_SYS_DONE;
    Notify(hanim, ANIM_EVENT_TYPE_DONE);
    return hanim->timeEnd;
}

f32 StepBackward(s_hanim* hanim, f32 t, f32 step) {
    if ((hanim->flags & HANIM_FLAG_REPEAT) != 0) {
        if (t >= hanim->loopStart)
            return t;
        hanim->sysFlags |= HANIM_SYS_LOOPED;
        const f32 len = hanim->loopEnd - hanim->loopStart;
        t = -step > len ? hanim->loopEnd : std::min(t + len, hanim->loopEnd);
        Notify(hanim, ANIM_EVENT_TYPE_LOOPED);
        return t;
    }
    if (t >= hanim->timeStart)
        return t;
    hanim->sysFlags |= HANIM_SYS_DONE;
    Notify(hanim, ANIM_EVENT_TYPE_DONE);
    return hanim->timeStart;
}

}  // namespace

f32 HAnimUpdateTime(s_hanim* hanim, s_hmatrix* hmatrix) {
    // Done is final: the end is reached and announced once.
    if ((hanim->sysFlags & HANIM_SYS_DONE) != 0)
        return hanim->time;
    hanim->sysFlags &= ~HANIM_SYS_LOOPED;
    const f32 delta = (hanim->flags & HANIM_FLAG_REAL_DELTA_TIME) != 0 ? RealDeltaTime : DeltaTime;
    const f32 step = delta * hanim->timeScale;
    const f32 t = hanim->time + step;
    if (hanim->timeScale > 0.0f)
        hanim->time = StepForward(hanim, t, step);
    else if (hanim->timeScale < 0.0f)
        hanim->time = StepBackward(hanim, t, step);
    if (hanim->blendTimer < hanim->blendTime) {
        hanim->blendTimer = std::min(hanim->blendTimer + DeltaTime, hanim->blendTime);
        hmatrix->blendPercent = hanim->blendTimer / hanim->blendTime;
    }
    return hanim->time;
}
