#include <bitset>
#include <cstdarg>
#include <cstdio>

#include "orblib47/source/Bone.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"

namespace {

constexpr s32 kMaxBones = 0x7FFF;
using BoneSet = std::bitset<kMaxBones>;

[[gnu::format(printf, 1, 2)]] bool Refuse(const char* format, ...) {
    char line[96];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    DEBUG_PRINT("HMATRIX: %s\n", line);
    return false;
}

// A hierarchy has room for its bones and starts its builds at one of them.
bool CheckCount(s32 numBones, s32 maxBones, s32 rootBone) {
    if (numBones < 0 || numBones > maxBones)
        return Refuse("%d bones do not fit a hierarchy of %d", numBones, maxBones);
    if (numBones > 0 && (rootBone < 0 || rootBone >= numBones))
        return Refuse("root bone %d is not one of %d bones", rootBone, numBones);
    return true;
}

bool InRange(s16 id, s32 numBones) {
    return id == -1 || (id >= 0 && id < numBones);
}

// With every link target entered once, a sibling chain can only loop when no chain
// start leads to it: counting the bones on the chains from their starts finds it.
s32 BonesOnChains(const s_hmatrix_bone_def* bones, s32 numBones, const BoneSet& linked) {
    s32 count = 0;
    for (s32 b = 0; b < numBones; ++b) {
        const s16 parent = bones[b].parentId;
        const bool firstChild = parent != -1 && bones[parent].childId == b;
        if (linked[b] && !firstChild)
            continue;
        for (s32 s = b; s != -1; s = bones[s].siblingId)
            ++count;
    }
    return count;
}

// The first bone whose parent chain comes back on itself, or -1.
s32 FirstParentLoop(const s_hmatrix_bone_def* bones, s32 numBones) {
    BoneSet done, onPath;
    for (s32 b = 0; b < numBones; ++b) {
        for (s32 s = b; s != -1 && !done[s]; s = bones[s].parentId) {
            if (onPath[s])
                return b;
            onPath.set(s);
        }
        for (s32 s = b; s != -1 && !done[s]; s = bones[s].parentId)
            done.set(s);
    }
    return -1;
}

void InitBone(s_hmatrix_bone* bone, const s_Matrix4* local, const s_Matrix4* model2Bone) {
    bone->localMatrix = *local;
    bone->worldMatrix = IDMatrix4;
    bone->baseLocalMatrix = local;
    bone->baseModel2BoneMatrix = model2Bone;
    Matrix4ToQuatCoordSys(&bone->localQuatSys, &bone->localMatrix);
}

s_hmatrix_bone* BoneOrNull(s_hmatrix* hmatrix, s16 id) {
    return id == -1 ? nullptr : &hmatrix->boneList[id];
}

}  // namespace

bool HMatrixCheckBones(const s_hmatrix_bone_def* bones, s32 numBones, s32 rootBone) {
    if (!CheckCount(numBones, kMaxBones, rootBone))
        return false;
    for (s32 b = 0; b < numBones; ++b) {
        const s_hmatrix_bone_def& def = bones[b];
        if (!InRange(def.parentId, numBones) || !InRange(def.siblingId, numBones) ||
            !InRange(def.childId, numBones))
            return Refuse("bone %d links to a bone past %d", b, numBones);
    }
    BoneSet linked;
    for (s32 b = 0; b < numBones; ++b) {
        const s_hmatrix_bone_def& def = bones[b];
        for (s16 target : {def.childId, def.siblingId}) {
            if (target == -1)
                continue;
            if (linked[target])
                return Refuse("bone %d is linked to twice", target);
            linked.set(target);
        }
        if (def.childId != -1 && bones[def.childId].parentId != b)
            return Refuse("bone %d has a child with another parent", b);
        if (def.siblingId != -1 && bones[def.siblingId].parentId != def.parentId)
            return Refuse("bone %d has a sibling with another parent", b);
    }
    if (const s32 onChains = BonesOnChains(bones, numBones, linked); onChains != numBones)
        return Refuse("%d bones lie on a sibling loop", numBones - onChains);
    if (const s32 b = FirstParentLoop(bones, numBones); b != -1)
        return Refuse("bone %d is its own ancestor", b);
    return true;
}

s_hmatrix* HMatrixAllocEx(const s_hmatrix_bone_def* bones, s16 maxBones, s16 numBones, s16 rootBone,
                          const s8* boneRemap) {
    if (!CheckCount(numBones, maxBones, rootBone))
        return nullptr;
    MemTypePush("MEM_HMATRIX");
    auto* hmatrix = static_cast<s_hmatrix*>(
        HeapMalloc(u32(sizeof(s_hmatrix) + sizeof(s_hmatrix_bone) * u32(maxBones)), __FILE_NAME__, __LINE__));
    MemTypePop();
    if (hmatrix == nullptr)
        return nullptr;
    *hmatrix = {};
    hmatrix->numBones = numBones;
    hmatrix->rootBone = rootBone;
    hmatrix->maxBones = maxBones;
    hmatrix->boneRemapList = boneRemap;
    hmatrix->boneList = reinterpret_cast<s_hmatrix_bone*>(hmatrix + 1);
    if (!HMatrixInit(hmatrix, bones)) {
        HeapMallocFree(hmatrix);
        return nullptr;
    }
    return hmatrix;
}

s_hmatrix* HMatrixAlloc(const s_hmatrix_bone_def* bones, s16 numBones, s16 rootBone, const s8* boneRemap) {
    return HMatrixAllocEx(bones, numBones, numBones, rootBone, boneRemap);
}

void HMatrixFree(s_hmatrix* hmatrix) {
    HeapMallocFree(hmatrix);
}

bool HMatrixInit(s_hmatrix* hmatrix, const s_hmatrix_bone_def* bones) {
    const s16 numBones = hmatrix->numBones;
    if (!CheckCount(numBones, hmatrix->maxBones, hmatrix->rootBone))
        return false;
    if (bones != nullptr && !HMatrixCheckBones(bones, numBones, hmatrix->rootBone))
        return false;
    for (s16 i = 0; i < numBones; ++i) {
        s_hmatrix_bone* bone = &hmatrix->boneList[i];
        *bone = {};
        if (bones == nullptr) {
            InitBone(bone, &IDMatrix4, &IDMatrix4);
            bone->sibling = i + 1 < numBones ? bone + 1 : nullptr;
            continue;
        }
        const s_hmatrix_bone_def& def = bones[i];
        InitBone(bone, &def.localMatrix, &def.model2BoneMatrix);
        bone->modelMatrix = IDMatrix4;
        bone->flags = u32(s32(def.flags));
        bone->parent = BoneOrNull(hmatrix, def.parentId);
        bone->sibling = BoneOrNull(hmatrix, def.siblingId);
        bone->child = BoneOrNull(hmatrix, def.childId);
    }
    hmatrix->flags = 0;
    return true;
}
