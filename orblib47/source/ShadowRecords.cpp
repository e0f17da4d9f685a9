// The pool of shadow records and what a record casts and receives.
#include "orblib47/source/Debug.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"
#include "orblib47/source/Shadow.h"

namespace {

s_stdrec* ShadowRecords = nullptr;

}  // namespace

s_stdrec* ShadowWarmReset(s32 count) {
    ShadowRecords = count > 0 ? RecordCreate(u32(count), sizeof(s_shadow)) : nullptr;
    if (ShadowRecords != nullptr)
        HeapAddrAddComment(ShadowRecords, "ShadowWarmReset:ShadowRecords");
    return ShadowRecords;
}

s_shadow* ShadowAlloc(s_Vector3* pos, f32 radius, s_hmodel* hmodel, s_model* model,
                      s_collision_cache* cache) {
    auto* p = ShadowRecords != nullptr ? static_cast<s_shadow*>(RecordAlloc(ShadowRecords)) : nullptr;
    if (p == nullptr) {
        DEBUG_PRINT("ShadowAlloc: Out of projection records!\n");
        return nullptr;
    }
    *p = {};
    p->position = pos;
    p->radius = radius;
    p->modelList[0] = {model, hmodel};
    p->cacheList[0] = cache;
    return p;
}

void ShadowFree(s_shadow* p) {
    if (p != nullptr)
        RecordFree(ShadowRecords, p);
}

void ShadowAddModel(s_shadow* p, s_model* model, s_hmodel* hmodel, s32 index) {
    ORB_ASSERT(p != nullptr, "ShadowAddModel: Bad SHADOW ptr!\n");
    ORB_ASSERT(hmodel != nullptr, "ShadowAddModel: Bad Hmodel ptr.\n");
    ORB_ASSERT(index >= 0 && index < SHADOW_MAX_MODELS, "ShadowAddModel: Bad index %d\n", index);
    p->modelList[index] = {model != nullptr ? model : hmodel->model, hmodel};
}

void ShadowRemoveModel(s_shadow* p, s32 index) {
    ORB_ASSERT(p != nullptr, "ShadowRemoveModel: Bad SHADOW ptr!\n");
    ORB_ASSERT(index >= 0 && index < SHADOW_MAX_MODELS, "ShadowRemoveModel: Bad index %d\n", index);
    p->modelList[index] = {};
}

void ShadowAddCache(s_shadow* p, s_collision_cache* cache, s32 index) {
    ORB_ASSERT(p != nullptr, "ShadowAddCache: Bad SHADOW ptr!\n");
    ORB_ASSERT(index >= 0 && index < SHADOW_MAX_CACHES, "ShadowAddCache: Bad index %d\n", index);
    p->cacheList[index] = cache;
}
