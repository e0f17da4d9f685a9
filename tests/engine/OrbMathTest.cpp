#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "orblib47/source/NGC/FrameClock.h"
#include "tests/engine/OrbMathTestUtil.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float Q = 0.785400390625f;

TEST(OrbSqrt, MatchesLibrarySquareRootToSinglePrecision) {
    for (double x = 1e-40; x < 1e38; x *= 1.0137) {
        const double expected = std::sqrt(x);
        EXPECT_NEAR(OrbSqrt(x), expected, expected * 1.2e-7) << "x = " << x;
    }
    for (double x : {1.0, 2.0, 0.25, 25.0, 1e6, 3.0})
        EXPECT_EQ(OrbSqrt(x), double(float(std::sqrt(x))));
}

// The quick root must be the estimate's bit for bit: floats across their whole range
// (the physics' squared lengths, most of them near 1) and doubles whose roots lie near a point halfway
// between two floats, where the two first part.
TEST(OrbSqrt, GivesTheEstimatesRootBitForBit) {
    u64 differ = 0;
    double first = 0.0;
    const auto check = [&](double x) {
        const double quick = OrbSqrt(x);
        const double estimate = OrbSqrtByEstimate(x);
        if (std::bit_cast<u64>(quick) != std::bit_cast<u64>(estimate) && !std::isnan(estimate) &&
            differ++ == 0)
            first = x;
    };
    for (u64 bits = 0; bits <= 0xFFFFFFFFu; bits += 509)
        check(double(std::bit_cast<float>(u32(bits))));
    for (float f = 0.9999f; f < 1.0001f; f = std::nextafter(f, kInf))
        check(f);
    std::mt19937_64 random(7);
    for (int i = 0; i < 1000000; ++i) {
        const float f = std::bit_cast<float>(u32(0x00800000u + random() % 0x7E800000u));
        const double halfway = double(f) + double(std::nextafter(f, kInf) - f) / 2;
        const u64 ulps = random() % (u64(1) << (random() % 41));
        check(std::bit_cast<double>(std::bit_cast<u64>(halfway * halfway) + ((random() & 1) ? ulps : -ulps)));
    }
    EXPECT_EQ(differ, 0u) << "first at x = " << std::hexfloat << first;
}

TEST(OrbSqrt, ZeroInfinityAndNegatives) {
    EXPECT_EQ(OrbSqrt(0.0), 0.0);
    EXPECT_EQ(OrbSqrt(-0.0), 0.0);
    EXPECT_EQ(OrbSqrt(HUGE_VAL), HUGE_VAL);
    EXPECT_TRUE(std::isnan(OrbSqrt(std::nan(""))));
    // Rounding noise below zero gives 0, not x*x.
    EXPECT_EQ(OrbSqrt(-1e-7), 0.0);
    EXPECT_EQ(OrbSqrt(-4.0), 0.0);
    EXPECT_EQ(OrbSqrt(-HUGE_VAL), 0.0);
}

TEST(CosTable, HoldsCosineOfEachStep) {
    for (int i = 0; i < COS_TABLE_SIZE; ++i) {
        const double expected = std::cos(2.0 * 3.14159265358979323846 * i / COS_TABLE_SIZE);
        ASSERT_NEAR(CosTable[i], expected, 6e-8) << "entry " << i;
    }
    EXPECT_EQ(CosTable[0], 1.0f);
    EXPECT_EQ(CosTable[8192], -1.0f);
}

TEST(TableSinCos, IndexIsTruncatedScaledAngleMasked) {
    s_SinCos sc = TableSinCos(1.0f);  // trunc(2607.5872) = 2607
    EXPECT_EQ(sc.cos, CosTable[2607]);
    EXPECT_EQ(sc.sin, CosTable[2607 - 4096 + 16384]);
    sc = TableSinCos(-1.0f);  // -2607 AND 16383
    EXPECT_EQ(sc.cos, CosTable[16384 - 2607]);
    EXPECT_NEAR(sc.sin, -std::sin(1.0f), 1e-3f);
    sc = TableSinCos(0.0f);
    EXPECT_EQ(sc.cos, 1.0f);
    EXPECT_NEAR(sc.sin, 0.0f, 1e-7f);
    // The scale is 2607.5872, not 16384 / 2 pi: a full turn lands a few steps short.
    EXPECT_EQ(TableSinCos(6.2831853f).cos, CosTable[16383]);
}

TEST(TableSinCos, NonFiniteAndHugeAnglesStayInTheTable) {
    for (float a : {kNaN, kInf, -kInf}) {
        const s_SinCos sc = TableSinCos(a);
        EXPECT_EQ(sc.cos, CosTable[0]);
        EXPECT_EQ(sc.sin, CosTable[12288]);
    }
    // Beyond 32 bits the index keeps the low bits of the (integral) scaled angle.
    for (float a : {3e6f, -3e6f, 1.2345e7f, 1e30f, -1e30f}) {
        const float scaled = a * 2607.5872f;
        const double low = std::fmod(double(scaled), 16384.0);
        const int expected = int((std::int64_t(low) + 16384) & 16383);
        EXPECT_EQ(TableSinCos(a).cos, CosTable[expected]) << a;
    }
    // Scaling the largest float overflows to infinity.
    EXPECT_EQ(TableSinCos(std::numeric_limits<float>::max()).cos, CosTable[0]);
}

TEST(ArcTan2, AxesUseTheWrittenConstants) {
    EXPECT_EQ(ArcTan2(1.0f, 1.0f), 0.785400390625f);
    EXPECT_EQ(ArcTan2(0.0f, -1.0f), 4.71240234375f);
    EXPECT_EQ(ArcTan2(-1.0f, 0.0f), 3.1416015625f);
    EXPECT_EQ(ArcTan2(2.0f, 0.0f), 0.0f);
    EXPECT_EQ(ArcTan2(0.0f, 0.0f), 0.0f);
    EXPECT_EQ(ArcTan2(0.0f, 3.0f), 1.57080078125f);
}

TEST(ArcTan2, LinearInTheRatioWithinEachOctant) {
    EXPECT_FLOAT_EQ(ArcTan2(1.0f, 0.5f), Q * 0.5f);
    EXPECT_FLOAT_EQ(ArcTan2(0.5f, 1.0f), Q * 1.5f);
    EXPECT_FLOAT_EQ(ArcTan2(-0.5f, 1.0f), Q * 2.5f);
    EXPECT_FLOAT_EQ(ArcTan2(-1.0f, 0.5f), Q * 3.5f);
    EXPECT_FLOAT_EQ(ArcTan2(-1.0f, -0.5f), Q * 4.5f);
    EXPECT_FLOAT_EQ(ArcTan2(-0.5f, -1.0f), Q * 5.5f);
    EXPECT_FLOAT_EQ(ArcTan2(0.5f, -1.0f), Q * 6.5f);
    EXPECT_FLOAT_EQ(ArcTan2(1.0f, -0.5f), Q * 7.5f);
    // Close to the true angle everywhere.
    for (int i = 0; i < 360; ++i) {
        const float a = float(i) * 3.14159265f / 180.0f;
        const float expected = std::atan2(std::sin(a), std::cos(a));
        const float diff = std::remainder(ArcTan2(std::cos(a), std::sin(a)) - expected, 6.2831853f);
        EXPECT_LT(std::fabs(diff), 0.072f) << i;
    }
}

TEST(AngleNormUnipolar, WrapsIntoOneTurn) {
    EXPECT_EQ(AngleNormUnipolar(1.0f), 1.0f);
    EXPECT_EQ(AngleNormUnipolar(0.0f), 0.0f);
    EXPECT_NEAR(AngleNormUnipolar(-1.0f), 5.283203125f, 1e-6f);
    EXPECT_NEAR(AngleNormUnipolar(7.283203125f), 1.0f, 1e-6f);
    EXPECT_EQ(AngleNormUnipolar(6.283203125f), 0.0f);
    EXPECT_NEAR(AngleNormUnipolar(-13.849609375f), 5.0f, 1e-5f);
}

TEST(AngleNormUnipolar, ResultAlwaysInRange) {
    for (float a : {-1e-9f, -1e-30f, 1e30f, -1e30f, 123456.7f, -7.0e8f}) {
        const float n = AngleNormUnipolar(a);
        EXPECT_GE(n, 0.0f) << a;
        EXPECT_LT(n, 6.283203125f) << a;
    }
    EXPECT_EQ(AngleNormUnipolar(kNaN), 0.0f);
    EXPECT_EQ(AngleNormUnipolar(kInf), 0.0f);
    EXPECT_EQ(AngleNormUnipolar(-kInf), 0.0f);
}

TEST(Interpolate, Float32StepsOncePerRetraceOfTheLastFrame) {
    const u32 saved = LastVblCount;
    LastVblCount = 0;
    EXPECT_EQ(Float32Interpolate(1.0f, 5.0f, 0.5f), 1.0f);
    LastVblCount = 1;
    EXPECT_EQ(Float32Interpolate(1.0f, 5.0f, 0.5f), 3.0f);
    LastVblCount = 3;
    EXPECT_EQ(Float32Interpolate(1.0f, 5.0f, 0.5f), 4.5f);
    LastVblCount = saved;
}

TEST(Interpolate, OverTimeIsCappedAtTheValue) {
    EXPECT_EQ(InterpolateOverTime(1.0f, 4.0f, 8.0f), 2.0f);
    EXPECT_EQ(InterpolateOverTime(4.0f, 4.0f, 8.0f), 8.0f);
    EXPECT_EQ(InterpolateOverTime(5.0f, 4.0f, 8.0f), 8.0f);
}

TEST(Interpolate, RgbTruncatesEachChannel) {
    EXPECT_EQ(InterpolateRGB(0x00000000u, 0xFF000000u, 0.5f), 0x7F000000u);
    EXPECT_EQ(InterpolateRGB(0xFF00FF00u, 0x00FF00FFu, 0.5f), 0x7F7F7F7Fu);
    EXPECT_EQ(InterpolateRGB(0x12345678u, 0x12345678u, 0.37f), 0x12345678u);
    EXPECT_EQ(InterpolateRGB(0x10203040u, 0x50607080u, 0.0f), 0x10203040u);
    EXPECT_EQ(InterpolateRGB(0x10203040u, 0x50607080u, 1.0f), 0x50607080u);
    EXPECT_EQ(InterpolateRGB(0x10203040u, 0x50607080u, 0.25f), 0x20304050u);
}

TEST(Interpolate, RgbOutsideZeroToOneNeverCarriesBetweenChannels) {
    EXPECT_EQ(InterpolateRGB(0x00FF0000u, 0xFFFF0000u, 1.5f), 0xFFFF0000u);
    EXPECT_EQ(InterpolateRGB(0x80808080u, 0x00000000u, -2.0f), 0x80808080u);
    EXPECT_EQ(InterpolateRGB(0x80808080u, 0x00000000u, kNaN), 0x80808080u);
    EXPECT_EQ(InterpolateRGB(0x00000000u, 0xFFFFFFFFu, 1e30f), 0xFFFFFFFFu);
}

TEST(Vect3Normal, NormalisesAndReturnsLength) {
    s_Vector3 v = {3.0f, 4.0f, 0.0f, 9.0f};
    s_Vector3 out = {0.0f, 0.0f, 0.0f, 7.0f};
    EXPECT_EQ(Vect3Normal(&out, &v), 5.0f);
    EXPECT_FLOAT_EQ(out.x, 0.6f);
    EXPECT_FLOAT_EQ(out.y, 0.8f);
    EXPECT_EQ(out.z, 0.0f);
    EXPECT_EQ(out.w, 7.0f);
    EXPECT_EQ(Vect3Normal(&v, &v), 5.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
}

TEST(Vect3Normal, ZeroVectorLeavesOutUnchanged) {
    const s_Vector3 zero = {0.0f, 0.0f, 0.0f, 1.0f};
    s_Vector3 out = {1.0f, 2.0f, 3.0f, 4.0f};
    EXPECT_EQ(Vect3Normal(&out, &zero), 0.0f);
    ExpectVec3Near(out, 1.0f, 2.0f, 3.0f, 0.0f);
}

TEST(Vect4Normal, UsesAllFourComponents) {
    s_Vector4 v = {1.0f, 1.0f, 1.0f, 1.0f};
    EXPECT_EQ(Vect4Normal(&v, &v), 2.0f);
    EXPECT_EQ(v.w, 0.5f);
    const s_Vector4 zero = {};
    s_Vector4 out = {5.0f, 5.0f, 5.0f, 5.0f};
    EXPECT_EQ(Vect4Normal(&out, &zero), 0.0f);
    EXPECT_EQ(out.x, 5.0f);
}

TEST(Vect3Cross, RightHandedAndAliasSafe) {
    s_Vector3 x = V3(1, 0, 0), y = V3(0, 1, 0), out;
    Vect3Cross(&out, &x, &y);
    ExpectVec3Near(out, 0, 0, 1, 0.0f);
    s_Vector3 a = V3(1, 2, 3), b = V3(4, 5, 6);
    Vect3Cross(&a, &a, &b);
    ExpectVec3Near(a, -3, 6, -3, 0.0f);
}

TEST(VectInterpolate, BlendsPerComponent) {
    const s_Vector3 a = {0, 4, -8, 100}, b = {4, 8, 8, 200};
    s_Vector3 out = {0, 0, 0, 1};
    Vect3Interpolate(&out, &a, &b, 0.25f);
    ExpectVec3Near(out, 1, 5, -4, 0.0f);
    EXPECT_EQ(out.w, 1.0f);
    const s_Vector4 c = {0, 4, -8, 100}, d = {4, 8, 8, 200};
    s_Vector4 o4;
    Vect4Interpolate(&o4, &c, &d, 0.25f);
    EXPECT_EQ(o4.w, 125.0f);
    EXPECT_EQ(o4.z, -4.0f);
}

}  // namespace
