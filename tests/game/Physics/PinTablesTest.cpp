#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "source/Physics/PinTables.h"
#include "tests/support/GameFixture.h"

namespace {

using PinTables = GameFixture;

// Indices of the non-zero entries of a table, as [first, last] runs.
template <size_t N>
std::vector<std::pair<size_t, size_t>> NonZeroRuns(const f64 (&table)[N]) {
    std::vector<std::pair<size_t, size_t>> runs;
    for (size_t i = 0; i < N; ++i) {
        if (table[i] == 0.0)
            continue;
        if (!runs.empty() && runs.back().second == i - 1) {
            runs.back().second = i;
        } else {
            runs.push_back({i, i});
        }
    }
    return runs;
}

using Runs = std::vector<std::pair<size_t, size_t>>;

TEST_F(PinTables, HaveTheirSizes) {
    EXPECT_EQ(std::size(NormTable1), 64u);
    EXPECT_EQ(std::size(NormTable2), 64u);
    EXPECT_EQ(std::size(NormTableX), 64u);
    EXPECT_EQ(std::size(ContactOffset), 65u);
    EXPECT_EQ(std::size(WobbleRingUp), 27u);
    EXPECT_EQ(std::size(WobbleRingDown), 27u);
}

// Each normal table is non-zero exactly over the heights its two proxies can touch.
TEST_F(PinTables, NormalTablesCoverTheirProxiesHeights) {
    EXPECT_EQ(NonZeroRuns(NormTable1), (Runs{{0, 17}, {35, 44}}));
    EXPECT_EQ(NonZeroRuns(NormTable2), (Runs{{14, 33}, {46, 59}}));
    EXPECT_EQ(NonZeroRuns(NormTableX), (Runs{{15, 32}, {47, 58}}));
}

TEST_F(PinTables, SpotValues) {
    EXPECT_EQ(NormTable1[0], -128.0);
    EXPECT_EQ(NormTable1[1], 0.3535763025);
    EXPECT_EQ(NormTable1[17], -0.5382246971);
    EXPECT_EQ(NormTable1[35], 0.328314811);
    EXPECT_EQ(NormTable1[44], -0.2952873707);

    EXPECT_EQ(NormTable2[14], 0.5628192425);
    EXPECT_EQ(NormTable2[33], -0.5086314082);
    EXPECT_EQ(NormTable2[52], 0.0003440172586);
    EXPECT_EQ(NormTable2[59], -0.09860814363);

    EXPECT_EQ(NormTableX[15], 0.5079542994);
    EXPECT_EQ(NormTableX[32], -0.4493192434);
    EXPECT_EQ(NormTableX[47], 0.3080292642);
    EXPECT_EQ(NormTableX[58], -0.226664722);

    EXPECT_EQ(ContactOffset[0], -3.744006395);
    EXPECT_EQ(ContactOffset[32], -0.1290239245);
    EXPECT_EQ(ContactOffset[63], 3.473775864);
    EXPECT_EQ(ContactOffset[64], 0.0);

    EXPECT_EQ(WobbleRingUp[0], 1.881087661);
    EXPECT_EQ(WobbleRingUp[25], -1.121398211);
    EXPECT_EQ(WobbleRingUp[26], 0.0);
    EXPECT_EQ(WobbleRingDown[0], 3.38108778);
    EXPECT_EQ(WobbleRingDown[25], 0.4716376364);
    EXPECT_EQ(WobbleRingDown[26], 0.0);
}

// The floor contact lies toward the base up to entry 41 and jumps to the head at 42.
TEST_F(PinTables, ContactOffsetJumpsFromBellyToHead) {
    for (s32 k = 0; k <= 41; ++k)
        EXPECT_LT(ContactOffset[k], 0.0) << k;
    for (s32 k = 42; k <= 63; ++k)
        EXPECT_GT(ContactOffset[k], 0.0) << k;
    EXPECT_EQ(ContactOffset[41], -0.2243404686);
    EXPECT_EQ(ContactOffset[42], 0.2557410598);
}

// Every used ring entry puts the ring point about 0.28 from the base's centre (1.5
// below the centre of mass on the axis) for a pin tilted to the middle of its bin.
TEST_F(PinTables, RingEntriesLieOnTheBaseRing) {
    for (s32 k = 0; k <= 25; ++k) {
        const f64 uy = -1.0 + (k + 0.5) / 128.0;
        const f64 ux = std::sqrt(1.0 - uy * uy);
        const f64 dx = WobbleRingUp[k] * ux + 1.5 * ux;
        const f64 dy = WobbleRingUp[k] * uy + WobbleRingDown[k] + 1.5 * uy;
        const f64 radius = std::hypot(dx, dy);
        EXPECT_GT(radius, 0.27) << k;
        EXPECT_LT(radius, 0.31) << k;
    }
}

TEST_F(PinTables, InitRestoresTheSameValues) {
    const std::vector<f64> before(std::begin(ContactOffset), std::end(ContactOffset));
    const std::vector<f64> ring(std::begin(WobbleRingDown), std::end(WobbleRingDown));
    const f64 normal = NormTable2[20];
    ContactOffset[10] = 99.0;
    WobbleRingDown[3] = -1.0;
    NormTable2[20] = 0.0;
    NormTable1[0] = 0.0;
    NormTableX[58] = 7.0;
    WobbleRingUp[26] = 5.0;

    InitLookupTables();
    InitLookupTables();

    EXPECT_EQ(std::vector<f64>(std::begin(ContactOffset), std::end(ContactOffset)), before);
    EXPECT_EQ(std::vector<f64>(std::begin(WobbleRingDown), std::end(WobbleRingDown)), ring);
    EXPECT_EQ(NormTable2[20], normal);
    EXPECT_EQ(NormTable1[0], -128.0);
    EXPECT_EQ(NormTableX[58], -0.226664722);
    EXPECT_EQ(WobbleRingUp[26], 0.0);
}

}  // namespace
