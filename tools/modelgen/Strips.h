// Triangle lists turned into strips for the mesh command stream.
#pragma once

#include <span>
#include <vector>

#include "console/types.h"

namespace modelgen {

// Strips one after another in `indices`. Triangle k of a strip is (s[k], s[k+1],
// s[k+2]) for even k and (s[k+1], s[k], s[k+2]) for odd k, so each keeps the
// winding it had in the list.
struct Strips {
    struct Run {
        u32 first;      // into indices
        u32 triangles;  // the strip has triangles + 2 indices
    };
    std::vector<u16> indices;
    std::vector<Run> runs;
};

// Greedy: from each triangle not yet taken, in list order, the longest strip over
// triangles that share an edge and keep their winding.
Strips Stripify(std::span<const u16> triangles);

}  // namespace modelgen
