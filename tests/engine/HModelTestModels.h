// Models for the hierarchical model tests: a static quad on a chain of bones one
// unit apart along x, carrying its shapes on the last bone.
#pragma once

#include <bit>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/PhysicsPrim.h"
#include "tests/support/VhmTestModel.h"

namespace hmodeltest {

// A physics record as the model chunk stores it.
inline std::vector<u8> PhysicsRecord(u32 type, u32 boneId, s_Vector4 offset, f32 radius) {
    std::vector<u8> record(PHYSICS_PRIM_RECORD_SIZE, 0);
    const f32 words[] = {offset.x, offset.y, offset.z, offset.w};
    for (u32 i = 0; i < 4; ++i)
        StoreBE32(&record[4 * i], std::bit_cast<u32>(words[i]));
    StoreBE32(&record[44], std::bit_cast<u32>(1.0f));  // rotation w
    StoreBE32(&record[48], type);
    StoreBE32(&record[52], boneId);
    StoreBE32(&record[56], std::bit_cast<u32>(radius));
    StoreBE32(&record[72], std::bit_cast<u32>(2.5f));
    return record;
}

// A sphere, a link point and a physics sphere on the last of `numBones` bones, and a
// physics box on bone 7, which the model does not have.
inline discbuild::VhmModel Chain(s16 numBones) {
    discbuild::VhmModel m = vhmtest::StaticQuad();
    m.radius = 1.5f;
    m.centerOffset = {0, 0.5f, 0, 0};
    for (s16 b = 0; b < numBones; ++b)
        m.bones.push_back(
            vhmtest::Bone(s16(b - 1), -1, b + 1 < numBones ? s16(b + 1) : s16(-1), -1, b ? 1.0f : 0.0f));
    const s8 last = s8(numBones - 1);
    m.collisionSpheres = {{{0, 0.5f, 0, 0}, 0, last, -1, 1, 0.25f, 0}};
    m.linkPoints = {{{0.5f, 0, 0, 0}, 0, last, -1, 0, 0, 0}};
    m.physicsPrims = {PhysicsRecord(PHYSICS_PRIM_TYPE_SPHERE, u32(last), {0, 1, 0, 0}, 0.25f),
                      PhysicsRecord(PHYSICS_PRIM_TYPE_BOX, 7, {0, 0, 0, 0}, 0.0f)};
    return m;
}

}  // namespace hmodeltest
