// The engine's single-precision maths: vectors, matrices, quaternions, frames,
// table-driven sine and cosine and the engine's own square root.
//
// Matrices are row-major (element[4 r + c]) and transform column vectors from the
// right; the translation sits in elements 3, 7 and 11. Angles are radians.
#pragma once

#include <array>
#include <bit>
#include <cmath>

#include "orblib47/source/OrbTypes.h"

struct s_Vector2 {
    float x, y;
};

// A 3-vector four floats wide; the 3-vector operations use x, y and z only.
struct s_Vector3 {
    float x, y, z, w;
};

struct s_Vector4 {
    float x, y, z, w;
};

struct s_Matrix4 {
    float element[16];

    float& at(int row, int col) { return element[4 * row + col]; }
    float at(int row, int col) const { return element[4 * row + col]; }
};

// w is the scalar part.
struct s_Quaternion {
    float x, y, z, w;
};

// Maps to a matrix with columns -right, up, forward.
struct s_CoordSys3 {
    s_Vector3 right, up, forward, trans;
};

struct s_QuatCoordSys {
    s_Quaternion quat;
    s_Vector3 trans;
    s_Vector3 scale;
};

extern const s_Matrix4 IDMatrix4;
extern const s_Vector3 IDVector3;  // (1, 1, 1, 0)
// (0, 0, 0, -1): w of either sign is the identity rotation.
extern const s_Quaternion IDQuaternion;

constexpr int COS_TABLE_SIZE = 16384;
// Entry i = cos(2 pi i / 16384); built at compile time, so ready before any call.
extern const std::array<float, COS_TABLE_SIZE> CosTable;

struct s_SinCos {
    float sin, cos;
};
// Sine and cosine from CosTable (index = trunc(a x 2607.5872) AND 16383).
s_SinCos TableSinCos(float a);

// Scalars.
// The square root every part of the program uses: a reciprocal-square-root estimate
// refined by one Newton-Raphson step, rounded to single precision. 0 for x < 0.
// This is the algorithm that defines OrbSqrt's result.
double OrbSqrtByEstimate(double x);

// OrbSqrtByEstimate's result, mostly without its cost. Before rounding, the estimate's
// root lies between 3.6e-11 (relative) below the true root and 4 double ulps above
// it, and the library's correctly rounded root within half an ulp of it. So both
// round to the same float unless the root lies near a point halfway between two
// floats; only there, and for x outside 2^-252..2^250 (subnormal, huge, negative,
// NaN, or a root that is no normal float), is the estimate worked out.
inline double OrbSqrt(double x) {
    if (x >= 0x1p-252 && x <= 0x1p250) {
        const double root = std::sqrt(x);
        // The 29 bits below a float's mantissa, in double ulps; 2^28 is halfway, and
        // 2^20 of these ulps are at least 1.1e-10 relative.
        const u32 below = u32(std::bit_cast<u64>(root)) & 0x1FFFFFFFu;
        constexpr u32 kHalfway = 1u << 28;
        constexpr u32 kUnder = 8;
        constexpr u32 kOver = 1u << 20;
        // The floats either side of 1, the commonest squared lengths of unit vectors,
        // have roots 4 and 8 ulps under halfway; the estimate rounds them the same.
        if (below - (kHalfway - kUnder) > kUnder + kOver || x == 0x1.000002p+0 || x == 0x1.fffffep-1)
            return float(root);
    }
    return OrbSqrtByEstimate(x);
}
// A pseudo-angle of (x, y) in [0, 2 pi), linear in the tangent within each octant.
float ArcTan2(float x, float y);
// a brought into [0, 6.283203125); 0 for infinities and NaN.
float AngleNormUnipolar(float a);
// One step cur += rate (target - cur) per vertical retrace of the last frame.
float Float32Interpolate(float cur, float target, float rate);
// value x (t / total), at most value.
float InterpolateOverTime(float t, float total, float value);
// Per 8-bit channel of 0xRRGGBBAA words, truncated; t is clamped to 0..1.
u32 InterpolateRGB(u32 c0, u32 c1, float t);

// Vectors. out may be an input.
// Returns the length; a zero vector leaves out unchanged.
float Vect3Normal(s_Vector3* out, const s_Vector3* v);
float Vect4Normal(s_Vector4* out, const s_Vector4* v);
// Inline: the physics takes several in each contact of every step.
inline void Vect3Cross(s_Vector3* out, const s_Vector3* a, const s_Vector3* b) {
    const float x = a->y * b->z - a->z * b->y;
    const float y = a->z * b->x - a->x * b->z;
    const float z = a->x * b->y - a->y * b->x;
    out->x = x;
    out->y = y;
    out->z = z;
}
void Vect3Interpolate(s_Vector3* out, const s_Vector3* a, const s_Vector3* b, float t);
void Vect4Interpolate(s_Vector4* out, const s_Vector4* a, const s_Vector4* b, float t);

// Matrix construction.
void Matrix4CreateTranslate(s_Matrix4* m, float x, float y, float z);
void Matrix4CreateScale(s_Matrix4* m, float sx, float sy, float sz, float sw);
// Rows 0-2 of the 3x3 part times s.x, s.y, s.z.
void Matrix4Scale(s_Matrix4* m, const s_Vector3* s);
// m = m R(a) on the 3x3 part; right-handed (about z, x turns towards y).
void Matrix4RotateX(s_Matrix4* m, float a);
void Matrix4RotateY(s_Matrix4* m, float a);
void Matrix4RotateZ(s_Matrix4* m, float a);
// m = Rz(az) Ry(ay) Rx(ax), no translation.
void Matrix4CreateXYZ(s_Matrix4* m, float ax, float ay, float az);
// Rotation about v given the cosine c of the angle (0..pi), in the quaternions'
// sense: the transpose of the right-handed rotation.
void Matrix4CreateFromAxisAndAngle(s_Matrix4* m, const s_Vector3* v, float c);

// View and projection matrices.
void Matrix4CreateCameraMatrix(s_Matrix4* m, const s_Vector3* pos, const s_Vector3* angles);
void Matrix4LookAt(s_Matrix4* m, const s_Vector3* target, const s_Vector3* eye);
void Matrix4LookUp(s_Matrix4* m, const s_Vector3* eye, const s_Vector3* target, const s_Vector3* up);
// Perspective projection and its inverse; l, r scaled by sx and b, t by sy.
void Matrix4CreateProjection(s_Matrix4* m, s_Matrix4* inv, float l, float r, float b, float t, float n,
                             float f, float sx, float sy);
// Widened for a 16:9 screen.
void Matrix4CreateOrtho(s_Matrix4* m, float l, float r, float b, float t, float n, float f);

// Products and inverses. out may be an input.
// out = b a: a column vector is transformed by a first.
void Matrix4MultMatrix4x4(s_Matrix4* out, const s_Matrix4* a, const s_Matrix4* b);
// out = b a as affine matrices; bottom row (0, 0, 0, 1).
void Matrix4MultMatrix3x4(s_Matrix4* out, const s_Matrix4* a, const s_Matrix4* b);
// 3x3 part of out = b a; the rest of out unchanged.
void Matrix4MultMatrix3x3(s_Matrix4* out, const s_Matrix4* a, const s_Matrix4* b);
// Inverse of a rotation-and-translation matrix.
void Matrix4InvertRot(s_Matrix4* out, const s_Matrix4* m);
// 3x3 transposed, translation negated but not rotated.
void Matrix4Transpose(s_Matrix4* out, const s_Matrix4* m);
void Matrix4TrueTranspose(s_Matrix4* out, const s_Matrix4* m);
// Rows 0-2 of the 3x3 part normalised (not orthogonalised).
void Matrix4Unitize(s_Matrix4* out, const s_Matrix4* m);

// Transforms. out may be the input. The point functions carry w through.
void Matrix4MultVector4(const s_Matrix4* m, s_Vector4* out, const s_Vector4* v);
// out = m (p, 1), no division by w.
void Matrix4MultPointH(const s_Matrix4* m, s_Vector4* out, const s_Vector3* p);
void Matrix4MultPoints(const s_Matrix4* m, s_Vector3* out, const s_Vector3* in, s32 count);
void Matrix4RotPoints(const s_Matrix4* m, s_Vector3* out, const s_Vector3* in, s32 count);
// The inverse rotation: transpose of the 3x3 part times p.
void Matrix4BackRotPoint(const s_Matrix4* m, s_Vector3* out, const s_Vector3* p);

// Quaternions and frames. out may be an input.
void AxisAndAngle2Quat(s_Quaternion* q, const s_Vector3* axis, float a);
// out = a b.
void QuatMult(s_Quaternion* out, const s_Quaternion* a, const s_Quaternion* b);
// a b, normalised.
void QuatAdd(s_Quaternion* out, const s_Quaternion* a, const s_Quaternion* b);
// Writes the 3x3 part only.
void QuatToMatrix4(s_Matrix4* m, const s_Quaternion* q);
void Matrix4ToQuat(s_Quaternion* q, const s_Matrix4* m);
// Not normalised; takes the shorter way round.
void QuatSlerp(s_Quaternion* out, const s_Quaternion* a, const s_Quaternion* b, float t);
void CoordSys3ToMatrix4(s_Matrix4* m, const s_CoordSys3* cs);
// trans is not written.
void Matrix4ToCoordSys3(s_CoordSys3* cs, const s_Matrix4* m);
// Scale first, then rotation, then translation; the bottom row keeps its values.
void QuatCoordSysToMatrix4(s_Matrix4* m, const s_QuatCoordSys* t);
void Matrix4ToQuatCoordSys(s_QuatCoordSys* t, const s_Matrix4* m);
