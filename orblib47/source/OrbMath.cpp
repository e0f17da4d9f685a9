#include "orblib47/source/OrbMath.h"

#include <bit>
#include <cmath>

#include "orblib47/source/NGC/FrameClock.h"

const s_Matrix4 IDMatrix4 = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
const s_Vector3 IDVector3 = {1, 1, 1, 0};
const s_Quaternion IDQuaternion = {0, 0, 0, -1};

namespace {

// Stands in for the processor's reciprocal-square-root estimate (good to 1/4096):
// a guess from the exponent bits, sharpened by two Newton-Raphson steps to about
// 5e-6. Like the instruction it gives +inf for 0 and 0 for +inf. The guess is poor
// for subnormal x, but their roots round to 0 in single precision anyway.
double RsqrtEstimate(double x) {
    if (x == 0.0)
        return HUGE_VAL;
    if (std::isinf(x))
        return 0.0;
    double e = std::bit_cast<double>(0x5FE6EB50C7B537A9ull - (std::bit_cast<u64>(x) >> 1));
    e *= 1.5 - 0.5 * x * e * e;
    e *= 1.5 - 0.5 * x * e * e;
    return e;
}

}  // namespace

double OrbSqrtByEstimate(double x) {
    // Callers feed rounding noise just below zero; the bare algorithm would give x*x.
    if (x < 0.0)
        return 0.0;
    const double e = RsqrtEstimate(x);
    double r = e * 0.5 * (3.0 - x * e * e);
    // 0 x inf: for 0 (and +inf) the result is x itself.
    if (!(r >= 0.0))
        r = x;
    return float(x * r);
}

float Float32Interpolate(float cur, float target, float rate) {
    for (u32 i = 0; i < LastVblCount; ++i)
        cur += rate * (target - cur);
    return cur;
}

float InterpolateOverTime(float t, float total, float value) {
    const float v = value * (t / total);
    return v > value ? value : v;
}

u32 InterpolateRGB(u32 c0, u32 c1, float t) {
    // Outside 0..1 a channel would carry into its neighbour (or convert out of range).
    if (!(t > 0.0f))
        t = 0.0f;
    if (t > 1.0f)
        t = 1.0f;
    u32 out = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const float a = float((c0 >> shift) & 0xFF);
        const float b = float((c1 >> shift) & 0xFF);
        out |= u32(a + t * (b - a)) << shift;
    }
    return out;
}
