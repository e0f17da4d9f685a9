// The payload of a "GRP" chunk: one model group, its levels of detail and damaged
// states, written big-endian with every offset counted from the payload's start.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 kGrpGroupSize = 504;
constexpr u32 kGrpModelDefSize = 60;
constexpr u32 kGrpMaxModels = 8;

struct GrpModelDef {
    u32 modelId = 0;
    std::string name;  // the registry name of the model's "VHM" chunk
    s32 type = 0;
    s32 subType = 0;
    s32 lodLevel = 0;
    f32 lodMinDist = 0, lodMaxDist = 0;
    u32 flags = 0;
    s32 wadIndex = -1;  // -1: the model comes with the group's archive
};

struct GrpGroup {
    u32 groupId = 0;
    s32 type = 0;
    std::string name;
    std::vector<GrpModelDef> models;
};

// The group count (1), its offset, the group with its run-time slots 0, then the
// names. More than kGrpMaxModels models throws std::invalid_argument.
std::vector<u8> GrpPayload(const GrpGroup& group);

}  // namespace discbuild
