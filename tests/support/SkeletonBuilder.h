// Bone definitions for the bone and animation tests: skeletons from parent, sibling
// and child ids, and bind poses from angles in degrees and a translation.
#pragma once

#include <vector>

#include "orblib47/source/Bone.h"

// Rotation by ax, ay, az degrees about x, y, z (Matrix4CreateXYZ), then the translation.
inline s_Matrix4 Pose(float ax, float ay, float az, float x, float y, float z) {
    constexpr float kDeg = 3.14159265f / 180.0f;
    s_Matrix4 m = IDMatrix4;
    Matrix4CreateXYZ(&m, ax * kDeg, ay * kDeg, az * kDeg);
    m.element[3] = x;
    m.element[7] = y;
    m.element[11] = z;
    return m;
}

struct Links {
    s16 parent, sibling, child;
};

// Identity bind poses; bone i has id i.
inline std::vector<s_hmatrix_bone_def> Skeleton(const std::vector<Links>& links) {
    std::vector<s_hmatrix_bone_def> defs(links.size());
    for (std::size_t i = 0; i < links.size(); ++i)
        defs[i] = {IDMatrix4, IDMatrix4, 0, links[i].parent, links[i].sibling, links[i].child, -1, s16(i)};
    return defs;
}
