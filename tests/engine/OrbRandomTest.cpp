#include <gtest/gtest.h>

#include <random>

#include "orblib47/source/OrbRandom.h"

namespace {

class OrbRandomTest : public ::testing::Test {
protected:
    // Both generators unseeded, generator 0 selected, as at power-on.
    void SetUp() override { OrbRandColdReset(); }

    // The reference generator's outputs, shifted right by one bit.
    static void ExpectReferenceSequence(u32 seed, int count) {
        std::mt19937 reference(seed);
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(OrbRand(), s32(reference() >> 1)) << "output " << i;
    }
};

TEST_F(OrbRandomTest, MatchesMt19937ForTheDefaultSeed) {
    OrbSRand(5489);
    // Past two refills of the 624 state words.
    ExpectReferenceSequence(5489, 1500);
}

TEST_F(OrbRandomTest, MatchesMt19937ForOtherSeeds) {
    for (u32 seed : {1u, 12345u, 0xDEADBEEFu, 0u}) {
        OrbSRand(seed);
        EXPECT_EQ(OrbRandom[0].lastSeed, seed);
        ExpectReferenceSequence(seed, 700);
    }
}

TEST_F(OrbRandomTest, UnseededFirstCallSeedsWith5489) {
    ExpectReferenceSequence(5489, 700);
    EXPECT_EQ(OrbRandom[1].seeded, 1);
    EXPECT_EQ(OrbRandom[1].lastSeed, 5489u);
}

TEST_F(OrbRandomTest, UnseededSecondGeneratorSeedsBoth) {
    OrbRandSetList(1);
    ExpectReferenceSequence(5489, 10);
    OrbRandSetList(0);
    ExpectReferenceSequence(5489, 10);
}

TEST_F(OrbRandomTest, SetListSelectsAndReturnsThePreviousIndex) {
    EXPECT_EQ(OrbRandSetList(1), 0);
    EXPECT_EQ(OrbRandomPtr, &OrbRandom[1]);
    EXPECT_EQ(OrbRandSetList(1), 1);
    EXPECT_EQ(OrbRandSetList(0), 1);
    EXPECT_EQ(OrbRandomListIdx, 0);
    EXPECT_EQ(OrbRandomPtr, &OrbRandom[0]);
}

TEST_F(OrbRandomTest, SetListIgnoresIndicesOutsideTheTwoGenerators) {
    OrbRandSetList(1);
    EXPECT_EQ(OrbRandSetList(2), 1);
    EXPECT_EQ(OrbRandSetList(-1), 1);
    EXPECT_EQ(OrbRandomListIdx, 1);
    EXPECT_EQ(OrbRandomPtr, &OrbRandom[1]);
}

TEST_F(OrbRandomTest, BothGeneratorsSeededAlikeAndIndependent) {
    OrbSRand(2024);
    std::mt19937 reference(2024);
    // Draws from generator 0 do not move generator 1.
    for (int i = 0; i < 900; ++i)
        ASSERT_EQ(OrbRand(), s32(reference() >> 1));
    OrbRandSetList(1);
    ExpectReferenceSequence(2024, 900);
    OrbRandSetList(0);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(OrbRand(), s32(reference() >> 1));
}

}  // namespace
