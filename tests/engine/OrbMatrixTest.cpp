#include <cmath>

#include "orblib47/source/DrawContext.h"
#include "tests/engine/OrbMathTestUtil.h"

namespace {

constexpr float kQuarterTurn = 1.5708f;
constexpr float kTableTolerance = 1e-3f;

// A rotation about all three axes followed by a translation.
s_Matrix4 SomeRigidMotion() {
    s_Matrix4 m;
    Matrix4CreateXYZ(&m, 0.3f, -1.1f, 2.0f);
    m.element[3] = 4.0f;
    m.element[7] = -5.0f;
    m.element[11] = 6.0f;
    return m;
}

TEST(Matrix4Create, TranslateAndScale) {
    s_Matrix4 m;
    Matrix4CreateTranslate(&m, 1, 2, 3);
    ExpectVec3Near(TransformPoint(m, V3(1, 1, 1)), 2, 3, 4, 0.0f);
    EXPECT_EQ(m.element[15], 1.0f);
    Matrix4CreateScale(&m, 2, 3, 4, 5);
    const s_Matrix4 diagonal = {{2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 5}};
    ExpectMatrixNear(m, diagonal, 0.0f);
}

TEST(Matrix4Scale, ScalesRowsOfTheRotationOnly) {
    s_Matrix4 m = {{1, 1, 1, 9, 1, 1, 1, 9, 1, 1, 1, 9, 7, 7, 7, 7}};
    const s_Vector3 s = V3(2, 3, 4);
    Matrix4Scale(&m, &s);
    const s_Matrix4 expected = {{2, 2, 2, 9, 3, 3, 3, 9, 4, 4, 4, 9, 7, 7, 7, 7}};
    ExpectMatrixNear(m, expected, 0.0f);
}

TEST(Matrix4Rotate, RightHandedAboutEachAxis) {
    s_Matrix4 m = IDMatrix4;
    Matrix4RotateZ(&m, kQuarterTurn);
    ExpectVec3Near(TransformPoint(m, V3(1, 0, 0)), 0, 1, 0, kTableTolerance);
    m = IDMatrix4;
    Matrix4RotateX(&m, kQuarterTurn);
    ExpectVec3Near(TransformPoint(m, V3(0, 1, 0)), 0, 0, 1, kTableTolerance);
    m = IDMatrix4;
    Matrix4RotateY(&m, kQuarterTurn);
    ExpectVec3Near(TransformPoint(m, V3(0, 0, 1)), 1, 0, 0, kTableTolerance);
}

TEST(Matrix4Rotate, TurnsInTheMatrixsOwnFrameAndKeepsTranslation) {
    s_Matrix4 m;
    Matrix4CreateTranslate(&m, 1, 2, 3);
    Matrix4RotateZ(&m, kQuarterTurn);
    // m = T R: rotate first, then translate.
    ExpectVec3Near(TransformPoint(m, V3(1, 0, 0)), 1, 3, 3, kTableTolerance);
    EXPECT_EQ(m.element[3], 1.0f);
    EXPECT_EQ(m.element[7], 2.0f);
}

TEST(Matrix4Rotate, CreateXYZIsRzRyRx) {
    s_Matrix4 composed = IDMatrix4;
    Matrix4RotateZ(&composed, 0.7f);
    Matrix4RotateY(&composed, -0.4f);
    Matrix4RotateX(&composed, 1.9f);
    s_Matrix4 m;
    Matrix4CreateXYZ(&m, 1.9f, -0.4f, 0.7f);
    ExpectMatrixNear(m, composed, 1e-6f);
}

TEST(Matrix4Rotate, AxisAndAngleIsTheTransposedSense) {
    s_Matrix4 m;
    const s_Vector3 z = V3(0, 0, 1);
    Matrix4CreateFromAxisAndAngle(&m, &z, 0.0f);  // cosine 0: a quarter turn
    ExpectVec3Near(TransformPoint(m, V3(1, 0, 0)), 0, -1, 0, 1e-6f);
    EXPECT_EQ(m.element[3], 0.0f);
    EXPECT_EQ(m.element[15], 1.0f);
    // Same as the quaternion of that rotation.
    const s_Vector3 axis = V3(0.48f, 0.6f, 0.64f);
    Matrix4CreateFromAxisAndAngle(&m, &axis, std::cos(1.2f));
    s_Quaternion q;
    AxisAndAngle2Quat(&q, &axis, 1.2f);
    s_Matrix4 fromQuat = IDMatrix4;
    QuatToMatrix4(&fromQuat, &q);
    ExpectMatrixNear(m, fromQuat, kTableTolerance);
    // A cosine just past 1 (rounding) is no turn at all.
    Matrix4CreateFromAxisAndAngle(&m, &axis, 1.0000001f);
    ExpectMatrixNear(m, IDMatrix4, 1e-6f);
}

TEST(Matrix4Mult, FourByFourAppliesAFirstThenB) {
    s_Matrix4 a, b, out;
    Matrix4CreateTranslate(&a, 1, 0, 0);
    b = IDMatrix4;
    Matrix4RotateZ(&b, kQuarterTurn);
    Matrix4MultMatrix4x4(&out, &a, &b);
    ExpectVec3Near(TransformPoint(out, V3(0, 0, 0)), 0, 1, 0, kTableTolerance);
    s_Matrix4 inA = a, inB = b;
    Matrix4MultMatrix4x4(&inA, &inA, &b);
    Matrix4MultMatrix4x4(&inB, &a, &inB);
    ExpectMatrixNear(inA, out, 0.0f);
    ExpectMatrixNear(inB, out, 0.0f);
}

TEST(Matrix4Mult, ThreeByFourMatchesFourByFourForAffineMatrices) {
    const s_Matrix4 a = SomeRigidMotion();
    s_Matrix4 b;
    Matrix4CreateXYZ(&b, -0.5f, 0.25f, 1.0f);
    b.element[7] = 3.0f;
    s_Matrix4 full, affine;
    Matrix4MultMatrix4x4(&full, &a, &b);
    affine.element[12] = 99.0f;
    Matrix4MultMatrix3x4(&affine, &a, &b);
    ExpectMatrixNear(affine, full, 1e-5f);
    s_Matrix4 inPlace = a;
    Matrix4MultMatrix3x4(&inPlace, &inPlace, &b);
    ExpectMatrixNear(inPlace, full, 1e-5f);
}

TEST(Matrix4Mult, ThreeByThreeLeavesTheRestUnchanged) {
    s_Matrix4 a, b;
    Matrix4CreateXYZ(&a, 0.1f, 0.2f, 0.3f);
    Matrix4CreateXYZ(&b, 0.4f, 0.5f, 0.6f);
    s_Matrix4 full;
    Matrix4MultMatrix4x4(&full, &a, &b);
    s_Matrix4 out = {{0, 0, 0, 7, 0, 0, 0, 8, 0, 0, 0, 9, 1, 2, 3, 4}};
    Matrix4MultMatrix3x3(&out, &a, &b);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(out.at(r, c), full.at(r, c), 1e-6f);
    }
    EXPECT_EQ(out.element[3], 7.0f);
    EXPECT_EQ(out.element[11], 9.0f);
    EXPECT_EQ(out.element[14], 3.0f);
    Matrix4MultMatrix3x3(&a, &a, &b);
    EXPECT_NEAR(a.element[0], full.element[0], 1e-6f);
}

TEST(Matrix4Invert, InvertRotUndoesARigidMotion) {
    const s_Matrix4 m = SomeRigidMotion();
    s_Matrix4 inverse, product;
    Matrix4InvertRot(&inverse, &m);
    Matrix4MultMatrix4x4(&product, &m, &inverse);
    ExpectMatrixNear(product, IDMatrix4, 1e-5f);
    s_Matrix4 inPlace = m;
    Matrix4InvertRot(&inPlace, &inPlace);
    ExpectMatrixNear(inPlace, inverse, 0.0f);
}

TEST(Matrix4Invert, TransposeNegatesTranslationWithoutRotatingIt) {
    const s_Matrix4 m = SomeRigidMotion();
    s_Matrix4 t;
    Matrix4Transpose(&t, &m);
    EXPECT_EQ(t.at(0, 1), m.at(1, 0));
    EXPECT_EQ(t.at(2, 0), m.at(0, 2));
    ExpectVec3Near(V3(t.element[3], t.element[7], t.element[11]), -4, 5, -6, 0.0f);
    EXPECT_EQ(t.element[12], 0.0f);
    EXPECT_EQ(t.element[15], 1.0f);
}

TEST(Matrix4Invert, TrueTransposeSwapsAllSixteen) {
    s_Matrix4 m;
    for (int i = 0; i < 16; ++i)
        m.element[i] = float(i);
    s_Matrix4 t;
    Matrix4TrueTranspose(&t, &m);
    EXPECT_EQ(t.at(0, 3), 12.0f);
    EXPECT_EQ(t.at(3, 0), 3.0f);
    Matrix4TrueTranspose(&t, &t);
    ExpectMatrixNear(t, m, 0.0f);
}

TEST(Matrix4Unitize, NormalisesRowsAndCopiesTheRest) {
    const s_Matrix4 m = {{3, 4, 0, 7, 0, 0, 2, 8, 0, 0, 0, 9, 1, 2, 3, 4}};
    s_Matrix4 out = {};
    Matrix4Unitize(&out, &m);
    const s_Matrix4 expected = {{0.6f, 0.8f, 0, 7, 0, 0, 1, 8, 0, 0, 0, 9, 1, 2, 3, 4}};
    ExpectMatrixNear(out, expected, 1e-7f);
    s_Matrix4 inPlace = m;
    Matrix4Unitize(&inPlace, &inPlace);
    ExpectMatrixNear(inPlace, expected, 1e-7f);
}

TEST(Matrix4Transform, VectorsAndHomogeneousPoints) {
    const s_Matrix4 m = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
    s_Vector4 v = {1, 0, -1, 2};
    Matrix4MultVector4(&m, &v, &v);
    EXPECT_EQ(v.x, 1 - 3 + 8);
    EXPECT_EQ(v.w, 13 - 15 + 32);
    const s_Vector3 p = V3(1, 1, 1);
    s_Vector4 h;
    Matrix4MultPointH(&m, &h, &p);
    EXPECT_EQ(h.y, 26.0f);
    EXPECT_EQ(h.w, 58.0f);  // no division by w
}

TEST(Matrix4Transform, PointsRotationsAndBackRotation) {
    const s_Matrix4 m = SomeRigidMotion();
    s_Vector3 points[2] = {V3(1, 2, 3), V3(-1, 0, 2)};
    const s_Vector3 original = points[1];
    s_Vector3 rotated[2];
    Matrix4RotPoints(&m, rotated, points, 2);
    Matrix4MultPoints(&m, points, points, 2);
    ExpectVec3Near(points[1], rotated[1].x + 4, rotated[1].y - 5, rotated[1].z + 6, 1e-6f);
    s_Vector3 back;
    Matrix4BackRotPoint(&m, &back, &rotated[1]);
    ExpectVec3Near(back, original.x, original.y, original.z, 1e-5f);
}

TEST(Matrix4View, CameraMatrixMovesThePositionToTheOrigin) {
    const s_Vector3 pos = V3(1, 2, 3);
    s_Vector3 angles = V3(0, 0, 0);
    s_Matrix4 m;
    Matrix4CreateCameraMatrix(&m, &pos, &angles);
    ExpectVec3Near(V3(m.element[3], m.element[7], m.element[11]), -1, -2, -3, 0.0f);
    angles = V3(0.3f, -1.2f, 0.8f);
    Matrix4CreateCameraMatrix(&m, &pos, &angles);
    ExpectVec3Near(TransformPoint(m, pos), 0, 0, 0, 1e-6f);
    s_Matrix4 rotation = IDMatrix4;
    Matrix4RotateX(&rotation, -0.3f);
    Matrix4RotateZ(&rotation, -0.8f);
    Matrix4RotateY(&rotation, 1.2f);
    EXPECT_EQ(m.element[0], rotation.element[0]);
    EXPECT_EQ(m.element[9], rotation.element[9]);
    EXPECT_EQ(m.element[15], 1.0f);
}

TEST(Matrix4View, LookAtAndLookUpAgreeForWorldUp) {
    const s_Vector3 eye = V3(0, 0, 5), target = V3(0, 0, 0), up = V3(0, 1, 0);
    s_Matrix4 at, lookUp;
    Matrix4LookAt(&at, &target, &eye);
    const s_Matrix4 expected = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, -5, 0, 0, 0, 1}};
    ExpectMatrixNear(at, expected, 1e-6f);
    Matrix4LookUp(&lookUp, &eye, &target, &up);
    ExpectMatrixNear(lookUp, expected, 1e-6f);
    const s_Vector3 eye2 = V3(3, 2, -4), target2 = V3(-1, 0.5f, 2);
    Matrix4LookAt(&at, &target2, &eye2);
    Matrix4LookUp(&lookUp, &eye2, &target2, &up);
    ExpectMatrixNear(lookUp, at, 1e-6f);
    // The target lies straight ahead, down -z.
    const s_Vector3 seen = TransformPoint(at, target2);
    EXPECT_NEAR(seen.x, 0.0f, 1e-5f);
    EXPECT_NEAR(seen.y, 0.0f, 1e-5f);
    EXPECT_LT(seen.z, 0.0f);
}

TEST(Matrix4View, LookAtStraightDownStaysFinite) {
    const s_Vector3 eye = V3(0, 5, 0), target = V3(0, 0, 0);
    s_Matrix4 m;
    Matrix4LookAt(&m, &target, &eye);
    for (float e : m.element)
        EXPECT_TRUE(std::isfinite(e));
    const s_Vector3 seen = TransformPoint(m, target);
    EXPECT_NEAR(seen.z, -5.0f, 1e-4f);
}

TEST(Matrix4Projection, TimesItsInverseIsIdentity) {
    s_Matrix4 m, inv, product;
    Matrix4CreateProjection(&m, &inv, -0.5f, 0.7f, -0.4f, 0.3f, 1.0f, 100.0f, 1.2f, 0.9f);
    EXPECT_EQ(m.element[14], -1.0f);
    EXPECT_EQ(m.element[15], 0.0f);
    EXPECT_FLOAT_EQ(m.element[0], 2.0f / (0.7f * 1.2f + 0.5f * 1.2f));
    Matrix4MultMatrix4x4(&product, &inv, &m);
    ExpectMatrixNear(product, IDMatrix4, 1e-5f);
    Matrix4MultMatrix4x4(&product, &m, &inv);
    ExpectMatrixNear(product, IDMatrix4, 1e-5f);
}

TEST(Matrix4Projection, OrthoWidensLeftAndRightFor16x9) {
    const e_screen_aspect saved = DrawContext.screenAspectMode;
    s_Matrix4 narrow, wide;
    DrawContext.screenAspectMode = DC_SCREEN_ASPECT_4x3;
    Matrix4CreateOrtho(&narrow, -2.0f, 6.0f, -1.0f, 3.0f, 1.0f, 11.0f);
    EXPECT_EQ(narrow.element[0], 0.25f);
    EXPECT_EQ(narrow.element[3], -0.5f);
    EXPECT_EQ(narrow.element[5], 0.5f);
    EXPECT_EQ(narrow.element[7], -0.5f);
    EXPECT_FLOAT_EQ(narrow.element[10], -0.1f);
    EXPECT_FLOAT_EQ(narrow.element[11], -1.1f);
    EXPECT_EQ(narrow.element[15], 1.0f);
    DrawContext.screenAspectMode = DC_SCREEN_ASPECT_16x9;
    Matrix4CreateOrtho(&wide, -2.0f, 6.0f, -1.0f, 3.0f, 1.0f, 11.0f);
    EXPECT_NEAR(wide.element[0], 0.25f * 0.75f, 1e-6f);
    EXPECT_NEAR(wide.element[3], -0.5f, 1e-6f);  // the centre scales with the sides
    EXPECT_EQ(wide.element[5], 0.5f);
    DrawContext.screenAspectMode = DC_SCREEN_ASPECT_16x10;
    Matrix4CreateOrtho(&wide, -2.0f, 6.0f, -1.0f, 3.0f, 1.0f, 11.0f);
    EXPECT_EQ(wide.element[0], 0.25f);
    DrawContext.screenAspectMode = saved;
}

}  // namespace
