// Choosing a group's model for a caller: the wanted definition by type (and camera
// distance), loaded on demand; while it is missing, the caller's previous model or
// a lower loaded one stands in.
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/ModelGroupInternal.h"

namespace {

struct Wanted {
    e_MODEL_TYPE type;
    e_MODEL_SUB_TYPE subType;
    bool byDistance;
    f32 distanceSquared;
};

bool Matches(const s_model_def& def, const Wanted& wanted) {
    if (def.type != wanted.type || def.subType != wanted.subType)
        return false;
    // Squares, so that a camera exactly lodMinDist away reaches it without a root.
    return !wanted.byDistance || def.lodMinDist <= 0.0f ||
           wanted.distanceSquared >= def.lodMinDist * def.lodMinDist;
}

s_model* Choose(s_model_group* group, s32 index, s32* prevIndex) {
    s_model_def& def = group->models[index];
    group->index = index;
    *prevIndex = index;
    ModelGroupTouch(&def);
    return def.model;
}

s_model* FirstDefinition(s_model_group* group, s32* prevIndex) {
    group->index = 0;
    *prevIndex = -1;
    return group->models[0].model;
}

// Steps 3 to 7 once the wanted definition `i` is found; `anyType` widens the
// search below it.
s_model* ChooseOrStandIn(s_model_group* group, s32 i, s32* prevIndex, bool anyType) {
    s_model_def& def = group->models[i];
    if (def.model == nullptr) {
        if (def.wadIndex == -1)
            def.model = ModelLoad(def.name, nullptr, 0);
        else
            ModelGroupLoadModel(&def);
    }
    if (def.model != nullptr)
        return Choose(group, i, prevIndex);
    const s32 previous = *prevIndex;
    if (previous >= 0 && previous < group->numModels && group->models[previous].model != nullptr)
        return group->models[previous].model;
    for (s32 j = i - 1; j >= 0; --j) {
        const s_model_def& lower = group->models[j];
        if (lower.model != nullptr && (anyType || lower.type == def.type))
            return Choose(group, j, prevIndex);
    }
    return FirstDefinition(group, prevIndex);
}

s32 FindWanted(const s_model_group* group, const Wanted& wanted) {
    for (s32 i = 0; i < group->numModels; ++i) {
        if (Matches(group->models[i], wanted))
            return i;
    }
    return -1;
}

f32 CameraDistanceSquared(const s_Vector3* pos) {
    s_Matrix4 camera;
    s_Vector3 eye;
    DrawGetCamera(&camera, &eye);
    const f32 dx = eye.x - pos->x, dy = eye.y - pos->y, dz = eye.z - pos->z;
    return dx * dx + dy * dy + dz * dz;
}

}  // namespace

s_model* ModelGroupGetModel(u32 groupId, e_MODEL_TYPE type, e_MODEL_SUB_TYPE subType, const s_Vector3* pos,
                            s32* prevIndex) {
    s_model_group* group = ModelGroupFind(groupId);
    if (group == nullptr)
        return nullptr;
    const s32 i = FindWanted(group, {type, subType, true, CameraDistanceSquared(pos)});
    if (i < 0)
        return FirstDefinition(group, prevIndex);
    return ChooseOrStandIn(group, i, prevIndex, false);
}

s_model* ModelGroupGetModelLod(u32 groupId, e_MODEL_TYPE type, e_MODEL_SUB_TYPE subType, s32* prevIndex) {
    s_model_group* group = ModelGroupFind(groupId);
    if (group == nullptr)
        return nullptr;
    const s32 i = FindWanted(group, {type, subType, false, 0.0f});
    if (i < 0)
        return nullptr;
    return ChooseOrStandIn(group, i, prevIndex, true);
}
