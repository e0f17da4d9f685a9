#include "orblib47/source/Anim.h"
#include "orblib47/source/Debug.h"

namespace {

// The first transition of the previous request that leads to `animId`.
const s_HANIM_TRANS* FindTransition(const s_HANIM_ATTR* prevAttr, u32 animId) {
    if (prevAttr->transitionList == nullptr)
        return nullptr;
    for (s32 i = 0; i < prevAttr->numTransitions; ++i) {
        if (prevAttr->transitionList[i].animId == animId)
            return &prevAttr->transitionList[i];
    }
    return nullptr;
}

}  // namespace

s_hanim* HAnimPlayFromAttr(const s_HANIM_ATTR* animAttr, const s_HANIM_ATTR* prevAttr, s_hmatrix* hmatrix,
                           void* workBuffer, s_flat_matrix* texMatrix, s_hmodel* hmodel) {
    ORB_ASSERT(animAttr != nullptr, "HAnimPlayAttr: animAttr == NULL.\n");
    const u32 animId = u32(animAttr->animId);
    s_hanim* hanim =
        HAnimPlay(animId, animAttr->speedScale, animAttr->flags, 0, hmatrix, workBuffer, texMatrix, hmodel);
    if (hanim == nullptr)
        return nullptr;
    if (animAttr->subAnimId != 0) {
        const s_event_key* begin =
            HAnimFindEvent(hanim, ANIM_EVENT_TYPE_SUB_ANIM_BEGIN, animAttr->subAnimId & 0xFF);
        // Material tracks are not re-posed at the jump.
        if (begin != nullptr)
            HAnimSetTime(hanim, hmatrix, begin->time, nullptr);
    }
    const s_HANIM_TRANS* transition = prevAttr != nullptr ? FindTransition(prevAttr, animId) : nullptr;
    if (transition != nullptr) {
        if (transition->type == HANIM_TRANS_TYPE_BLEND_STATIC)
            hanim->blendTime = transition->blendTime;
        else if (transition->type == HANIM_TRANS_TYPE_BLEND_DYNAMIC)
            hanim->dynamicBlendPercent = transition->blendTime;
    }
    return hanim;
}
