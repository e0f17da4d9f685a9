// The payload of a "WRL" chunk: a world's atoms (placed model groups, each with
// its own matrix) under one octree, written big-endian with every offset counted
// from the payload's start.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "console/types.h"
#include "orblib47/source/OrbMath.h"
#include "tools/discbuild/OctreeWriter.h"

namespace discbuild {

constexpr u32 kWrlHeaderSize = 20;
constexpr u32 kWrlAtomSize = 96;

struct WrlAtom {
    s_Matrix4 matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};  // the atom's world matrix
    std::array<f32, 3> center{};                                         // for level of detail
    u32 groupId = 0;                                                     // data-file id of the model group
    u32 flags = 0;
};

struct WrlWorld {
    std::string name;
    std::vector<WrlAtom> atoms;
    // Items: atom numbers. No tree writes an empty map (nothing is drawn).
    std::optional<OctreeNode> octTree;
};

// Header, atoms (run-time slots 0, prevModel -1), the octree map, then the name.
std::vector<u8> WrlPayload(const WrlWorld& world);

}  // namespace discbuild
