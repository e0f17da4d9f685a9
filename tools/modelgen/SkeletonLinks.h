// A skeleton's child and sibling links, from a table of joints that each name
// their parent (-1 for the root), in table order.
#pragma once

#include <span>

#include "console/types.h"

namespace modelgen {

// The first joint whose parent is `bone`, or -1.
template <typename Joint>
s16 FirstChild(std::span<const Joint> joints, s32 bone) {
    for (size_t b = 0; b < joints.size(); ++b)
        if (joints[b].parent == bone)
            return s16(b);
    return -1;
}

// The next joint after `bone` with the same parent, or -1.
template <typename Joint>
s16 NextSibling(std::span<const Joint> joints, s32 bone) {
    for (size_t b = size_t(bone) + 1; b < joints.size(); ++b)
        if (joints[b].parent == joints[size_t(bone)].parent)
            return s16(b);
    return -1;
}

}  // namespace modelgen
