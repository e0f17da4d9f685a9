// Small helpers shared by the maths tests.
#pragma once

#include <gtest/gtest.h>

#include "orblib47/source/OrbMath.h"

inline s_Vector3 V3(float x, float y, float z) {
    return {x, y, z, 0.0f};
}

inline s_Vector3 TransformPoint(const s_Matrix4& m, s_Vector3 p) {
    s_Vector3 out;
    Matrix4MultPoints(&m, &out, &p, 1);
    return out;
}

inline void ExpectVec3Near(const s_Vector3& actual, float x, float y, float z, float tolerance) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

inline void ExpectMatrixNear(const s_Matrix4& actual, const s_Matrix4& expected, float tolerance) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual.element[i], expected.element[i], tolerance) << "element " << i;
}
