// The payload of a "PAT" chunk: one particle effect's attributes, a 272-byte
// big-endian record (docs/particles.md).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "console/types.h"
#include "orblib47/source/OrbMath.h"

namespace discbuild {

constexpr u32 kPatSize = 272;

struct ParticleDef {
    u32 type = 0;  // e_PARTSYS_TYPE
    s32 numElement = 16;
    f32 maxAge = 1.0f;
    f32 elemStartTime = 0.0f;
    f32 elemMaxAge = 1.0f;
    u32 flags = 0;       // u_PARTSYS_FLAGS
    u32 updateRate = 1;  // e_TIME_RATE
    u32 spriteType = 3;  // e_SPRITE_TYPE
    s32 combineMode = 1;
    f32 depthOffset = 0.0f;
    u32 priority = 0;
    s32 dataId = 0;
    std::string spriteSet;  // at most 16 characters
    std::array<f32, 6> userArgs = {};
    s_Vector4 area = {};
    s_Vector4 colorStart = {1, 1, 1, 1};
    s_Vector4 colorMid = {1, 1, 1, 1};
    s_Vector4 colorEnd = {1, 1, 1, 0};
    s_Vector4 elemMinVel = {};
    s_Vector4 elemMaxVel = {};
    s_Vector4 magnetPos = {};
    f32 magnetForce = 0.0f;
    f32 elemSpeed = 1.0f;
    f32 elemSpeedMultiplier = 1.0f;
    f32 elemSize = 1.0f;
    f32 elemSizeMultiplier = 1.0f;
    f32 midTime = 0.0f;  // a fraction of the element's life; 0: no middle colour
    f32 gravity = 0.0f;
    f32 animCycles = 0.0f;
    f32 clipRadius = 0.0f;
};

// The run-time slots (registry entry, sprite set, computed values) are written as
// 0. A sprite-set name too long throws std::invalid_argument.
std::vector<u8> PatPayload(const ParticleDef& def);

}  // namespace discbuild
