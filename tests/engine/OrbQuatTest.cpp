#include <cmath>

#include "tests/engine/OrbMathTestUtil.h"

namespace {

constexpr float kTableTolerance = 1e-3f;

s_Quaternion Normalised(float x, float y, float z, float w) {
    const float length = std::sqrt(x * x + y * y + z * z + w * w);
    return {x / length, y / length, z / length, w / length};
}

void ExpectQuatNear(const s_Quaternion& actual, const s_Quaternion& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

TEST(Quaternion, TurnsOppositeToTheEulerRotations) {
    s_Matrix4 euler = IDMatrix4;
    Matrix4RotateZ(&euler, 1.5708f);
    ExpectVec3Near(TransformPoint(euler, V3(1, 0, 0)), 0, 1, 0, kTableTolerance);
    s_Quaternion q;
    const s_Vector3 z = V3(0, 0, 1);
    AxisAndAngle2Quat(&q, &z, 1.5708f);
    s_Matrix4 m = IDMatrix4;
    QuatToMatrix4(&m, &q);
    ExpectVec3Near(TransformPoint(m, V3(1, 0, 0)), 0, -1, 0, kTableTolerance);
}

TEST(Quaternion, FromAxisAndAngleNormalisesTheAxis) {
    s_Quaternion q;
    const s_Vector3 axis = V3(0, 3, 4);
    AxisAndAngle2Quat(&q, &axis, 2.0f);
    const float s = std::sin(1.0f);
    ExpectQuatNear(q, {0.0f, 0.6f * s, 0.8f * s, std::cos(1.0f)}, kTableTolerance);
}

TEST(Quaternion, ToMatrixWritesOnlyTheRotation) {
    s_Matrix4 m;
    for (float& e : m.element)
        e = 9.0f;
    const s_Quaternion identity = {0, 0, 0, 1};
    QuatToMatrix4(&m, &identity);
    const s_Matrix4 expected = {{1, 0, 0, 9, 0, 1, 0, 9, 0, 0, 1, 9, 9, 9, 9, 9}};
    ExpectMatrixNear(m, expected, 0.0f);
}

TEST(Quaternion, MatrixRoundTripInEveryBranch) {
    // Large w (trace > 0), then x, y and z dominating a small w.
    const s_Quaternion cases[] = {Normalised(0.1f, -0.2f, 0.3f, 0.9f),
                                  Normalised(0.9f, 0.3f, -0.2f, 0.1f),
                                  Normalised(0.2f, 0.9f, -0.3f, 0.1f),
                                  Normalised(-0.3f, 0.2f, 0.9f, 0.05f),
                                  {0, 0, 0, 1}};
    for (const s_Quaternion& q : cases) {
        s_Matrix4 m = IDMatrix4;
        QuatToMatrix4(&m, &q);
        s_Quaternion back;
        Matrix4ToQuat(&back, &m);
        ExpectQuatNear(back, q, 1e-5f);
    }
    const s_Matrix4 halfTurnAboutX = {{1, 0, 0, 0, 0, -1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1}};
    s_Quaternion half;
    Matrix4ToQuat(&half, &halfTurnAboutX);
    ExpectQuatNear(half, {1, 0, 0, 0}, 0.0f);
    // Without a large w the dominant component comes back positive: -q, the same turn.
    const s_Quaternion q = Normalised(0.2f, -0.9f, 0.3f, 0.1f);
    s_Matrix4 m = IDMatrix4;
    QuatToMatrix4(&m, &q);
    s_Quaternion back;
    Matrix4ToQuat(&back, &m);
    ExpectQuatNear(back, {-q.x, -q.y, -q.z, -q.w}, 1e-5f);
}

TEST(Quaternion, ProductComposesRotations) {
    const s_Vector3 axis = V3(1, 2, 2);
    s_Quaternion a, b, ab, expected;
    AxisAndAngle2Quat(&a, &axis, 0.5f);
    AxisAndAngle2Quat(&b, &axis, 0.75f);
    AxisAndAngle2Quat(&expected, &axis, 1.25f);
    QuatMult(&ab, &a, &b);
    ExpectQuatNear(ab, expected, 2 * kTableTolerance);
    // The matrix of p r is that of p followed by that of r.
    const s_Quaternion p = Normalised(0.3f, 0.1f, -0.5f, 0.8f), r = Normalised(-0.6f, 0.2f, 0.1f, 0.7f);
    s_Quaternion pr;
    QuatMult(&pr, &p, &r);
    s_Matrix4 mp = IDMatrix4, mr = IDMatrix4, mpr = IDMatrix4, product;
    QuatToMatrix4(&mp, &p);
    QuatToMatrix4(&mr, &r);
    QuatToMatrix4(&mpr, &pr);
    Matrix4MultMatrix4x4(&product, &mp, &mr);
    ExpectMatrixNear(product, mpr, 1e-6f);
    s_Quaternion inPlace = p;
    QuatMult(&inPlace, &inPlace, &r);
    ExpectQuatNear(inPlace, pr, 0.0f);
}

TEST(Quaternion, AddIsTheNormalisedProduct) {
    const s_Quaternion a = {0, 0, 0, 2}, b = {0, 3, 0, 4};
    s_Quaternion out;
    QuatAdd(&out, &a, &b);
    ExpectQuatNear(out, {0, 0.6f, 0, 0.8f}, 1e-7f);
}

TEST(QuatSlerp, EndpointsAndShorterWayRound) {
    const s_Quaternion a = Normalised(0.1f, 0.2f, 0.3f, 0.9f), b = Normalised(-0.4f, 0.1f, 0.2f, 0.8f);
    s_Quaternion out;
    QuatSlerp(&out, &a, &b, 0.0f);
    ExpectQuatNear(out, a, 1e-6f);
    QuatSlerp(&out, &a, &b, 1.0f);
    ExpectQuatNear(out, b, 1e-6f);
    const s_Quaternion negB = {-b.x, -b.y, -b.z, -b.w};
    QuatSlerp(&out, &a, &negB, 1.0f);  // a . -b < 0: ends at b
    ExpectQuatNear(out, b, 1e-6f);
    QuatSlerp(&out, &a, &negB, 0.0f);
    ExpectQuatNear(out, a, 1e-6f);
}

TEST(QuatSlerp, EqualQuaternionsStayPut) {
    const s_Quaternion q = Normalised(0.3f, -0.4f, 0.1f, 0.7f);
    for (float t : {0.0f, 0.3f, 0.5f, 1.0f}) {
        s_Quaternion out;
        QuatSlerp(&out, &q, &q, t);
        ExpectQuatNear(out, q, 1e-6f);
    }
}

TEST(QuatSlerp, HalfwayIsHalfTheAngle) {
    const s_Quaternion a = {0, 0, 0, 1};
    const s_Quaternion b = {0, 0, std::sin(0.6f), std::cos(0.6f)};
    s_Quaternion out;
    QuatSlerp(&out, &a, &b, 0.5f);
    ExpectQuatNear(out, {0, 0, std::sin(0.3f), std::cos(0.3f)}, 1e-6f);
}

TEST(CoordSys3, RightIsTheNegativeXColumn) {
    const s_CoordSys3 cs = {V3(1, 0, 0), V3(0, 1, 0), V3(0, 0, 1), V3(7, 8, 9)};
    s_Matrix4 m;
    CoordSys3ToMatrix4(&m, &cs);
    const s_Matrix4 expected = {{-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    ExpectMatrixNear(m, expected, 0.0f);

    s_Matrix4 r;
    Matrix4CreateXYZ(&r, 0.2f, 0.4f, 0.6f);
    s_CoordSys3 back = {};
    back.trans = V3(5, 5, 5);
    Matrix4ToCoordSys3(&back, &r);
    ExpectVec3Near(back.right, -r.at(0, 0), -r.at(1, 0), -r.at(2, 0), 0.0f);
    ExpectVec3Near(back.up, r.at(0, 1), r.at(1, 1), r.at(2, 1), 0.0f);
    ExpectVec3Near(back.forward, r.at(0, 2), r.at(1, 2), r.at(2, 2), 0.0f);
    ExpectVec3Near(back.trans, 5, 5, 5, 0.0f);
    CoordSys3ToMatrix4(&m, &back);
    ExpectMatrixNear(m, r, 0.0f);
}

TEST(QuatCoordSys, ScalesThenRotatesThenTranslates) {
    s_QuatCoordSys t;
    const s_Vector3 z = V3(0, 0, 1);
    AxisAndAngle2Quat(&t.quat, &z, 1.5708f);
    t.scale = V3(2, 3, 4);
    t.trans = V3(10, 20, 30);
    s_Matrix4 m = IDMatrix4;
    QuatCoordSysToMatrix4(&m, &t);
    ExpectVec3Near(TransformPoint(m, V3(1, 0, 0)), 10, 18, 30, 2e-3f);
    ExpectVec3Near(TransformPoint(m, V3(0, 0, 1)), 10, 20, 34, 2e-3f);
    EXPECT_EQ(m.element[15], 1.0f);
    EXPECT_EQ(m.element[12], 0.0f);

    t.scale = V3(1, 1, 1);
    QuatCoordSysToMatrix4(&m, &t);
    s_QuatCoordSys back;
    Matrix4ToQuatCoordSys(&back, &m);
    ExpectQuatNear(back.quat, t.quat, 1e-6f);
    ExpectVec3Near(back.trans, 10, 20, 30, 0.0f);
    ExpectVec3Near(back.scale, 1, 1, 1, 0.0f);
}

}  // namespace
