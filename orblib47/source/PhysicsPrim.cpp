#include "orblib47/source/PhysicsPrim.h"

#include <bit>

#include "orblib47/source/Bone.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Model.h"

namespace {

f32 LoadF32(const u8* p) {
    return std::bit_cast<f32>(LoadBE32(p));
}

s_Vector4 LoadVector(const u8* p) {
    return {LoadF32(p), LoadF32(p + 4), LoadF32(p + 8), LoadF32(p + 12)};
}

}  // namespace

s_PHYSICS_PRIM PhysicsPrimParse(const u8* record) {
    s_PHYSICS_PRIM prim{};
    prim.offset = LoadVector(record);
    prim.worldPosition = LoadVector(record + 16);
    const s_Vector4 q = LoadVector(record + 32);
    prim.rotation = {q.x, q.y, q.z, q.w};
    prim.physicsType = LoadBE32(record + 48);
    prim.boneId = LoadBE32(record + 52);
    prim.radius = LoadF32(record + 56);
    prim.width = LoadF32(record + 60);
    prim.height = LoadF32(record + 64);
    prim.length = LoadF32(record + 68);
    prim.mass = LoadF32(record + 72);
    return prim;
}

void PhysicsPrim::Init(const s_model* model) {
    Deinit();
    if (model->numPhysicsPrim == 0)
        return;
    primList = static_cast<s_PHYSICS_PRIM*>(
        HeapCalloc(model->numPhysicsPrim, sizeof(s_PHYSICS_PRIM), __FILE_NAME__, __LINE__));
    if (primList == nullptr) {
        DEBUG_PRINT("PhysicsPrim: Unable to allocate Primitive list\n");
        return;
    }
    for (u32 i = 0; i < model->numPhysicsPrim; ++i) {
        const s_PHYSICS_PRIM prim = PhysicsPrimParse(model->physicsPrimList + i * PHYSICS_PRIM_RECORD_SIZE);
        if (prim.boneId >= u32(model->numBones)) {
            DEBUG_PRINT("PhysicsPrim: primitive %u on bone %u of %d left out\n", i, prim.boneId,
                        model->numBones);
            continue;
        }
        primList[numPrims++] = prim;
    }
    if (numPrims == 0)
        Deinit();
}

void PhysicsPrim::Deinit() {
    if (primList != nullptr)
        HeapMallocFree(primList);
    numPrims = 0;
    primList = nullptr;
}

void PhysicsPrim::Update(const s_hmatrix* header) {
    for (u32 i = 0; i < numPrims; ++i) {
        s_PHYSICS_PRIM& prim = primList[i];
        if (prim.boneId >= u32(header->numBones))
            continue;
        const s_Vector3 offset{prim.offset.x, prim.offset.y, prim.offset.z, 0.0f};
        Matrix4MultPointH(&header->boneList[prim.boneId].worldMatrix, &prim.worldPosition, &offset);
    }
}
