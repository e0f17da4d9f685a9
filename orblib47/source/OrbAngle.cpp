#include <cmath>

#include "orblib47/source/OrbMath.h"

namespace {

constexpr int kQuarterTurn = COS_TABLE_SIZE / 4;
constexpr int kEighthTurn = COS_TABLE_SIZE / 8;
constexpr int kIndexMask = COS_TABLE_SIZE - 1;
constexpr double kTableStep = 3.14159265358979323846 / (COS_TABLE_SIZE / 2);

// Taylor series, enough terms for double precision on [0, pi/4].
constexpr double SeriesSin(double x) {
    double term = x, sum = x;
    for (int n = 1; n < 12; ++n) {
        term *= -x * x / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

constexpr double SeriesCos(double x) {
    double term = 1.0, sum = 1.0;
    for (int n = 1; n < 12; ++n) {
        term *= -x * x / ((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

// cos(2 pi i / 16384), reduced by symmetry to angles in [0, pi/4].
constexpr double TableCos(int i) {
    const int quadrant = i / kQuarterTurn;
    const int step = i % kQuarterTurn;
    const double c =
        step <= kEighthTurn ? SeriesCos(step * kTableStep) : SeriesSin((kQuarterTurn - step) * kTableStep);
    const double s =
        step <= kEighthTurn ? SeriesSin(step * kTableStep) : SeriesCos((kQuarterTurn - step) * kTableStep);
    switch (quadrant) {
        case 0:
            return c;
        case 1:
            return -s;
        case 2:
            return -c;
        default:
            return s;
    }
}

constexpr std::array<float, COS_TABLE_SIZE> MakeCosTable() {
    std::array<float, COS_TABLE_SIZE> table{};
    for (int i = 0; i < COS_TABLE_SIZE; ++i)
        table[i] = float(TableCos(i));
    return table;
}

// trunc(a x 2607.5872) AND 16383. Beyond 32 bits the product is an integer already,
// so fmod gives the same low bits without an out-of-range conversion.
int TableIndex(float a) {
    const float scaled = a * 2607.5872f;
    if (std::fabs(scaled) < 2147483648.0f)
        return s32(scaled) & kIndexMask;
    if (!std::isfinite(scaled))
        return 0;
    return s32(std::fmod(scaled, float(COS_TABLE_SIZE))) & kIndexMask;
}

constexpr float Q = 0.785400390625f;
constexpr float kFullTurn = 6.283203125f;
constexpr float kHalfTurn = 3.1416015625f;

}  // namespace

constinit const std::array<float, COS_TABLE_SIZE> CosTable = MakeCosTable();

s_SinCos TableSinCos(float a) {
    const int index = TableIndex(a);
    return {CosTable[(index - kQuarterTurn) & kIndexMask], CosTable[index]};
}

float ArcTan2(float x, float y) {
    if (y == 0.0f)
        return x >= 0.0f ? 0.0f : kHalfTurn;
    if (x == 0.0f)
        return y >= 0.0f ? 1.57080078125f : 4.71240234375f;
    const float ax = std::fabs(x), ay = std::fabs(y);
    const bool xMajor = ax > ay;
    const float r = xMajor ? ay / ax : ax / ay;
    if (y >= 0.0f) {
        if (x >= 0.0f)
            return xMajor ? Q * r : Q * (2.0f - r);
        return xMajor ? Q * (4.0f - r) : Q * (2.0f + r);
    }
    if (x < 0.0f)
        return xMajor ? Q * (4.0f + r) : Q * (6.0f - r);
    return xMajor ? Q * (8.0f - r) : Q * (6.0f + r);
}

float AngleNormUnipolar(float a) {
    if (a >= 0.0f && a < kFullTurn)
        return a;
    if (!std::isfinite(a))
        return 0.0f;
    const float q = a / kFullTurn;
    float f = q - std::trunc(q);
    if (f < 0.0f)
        f += 1.0f;
    // A tiny negative fraction rounds up to a whole turn, which is 0.
    if (f >= 1.0f)
        f = 0.0f;
    return kHalfTurn * (2.0f * f);
}
