// The synthesised pins' crash: longer and louder the more pins fall, from one pin
// to all ten, never clipped, and the same samples in every build.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "source/Crc32.h"
#include "source/Physics/PhysicsTypes.h"
#include "tools/soundgen/Synth.h"

namespace {

double Rms(const std::vector<s16>& samples) {
    double power = 0.0;
    for (s16 s : samples)
        power += double(s) * s;
    return std::sqrt(power / double(samples.size())) / 32768.0;
}

TEST(PinCrashSynthTest, GrowsLongerAndLouderWithEachPinUpToTen) {
    size_t shorter = 0;
    double quieter = 0.0;
    for (u32 pins = 1; pins <= NUM_PINS; ++pins) {
        SCOPED_TRACE(pins);
        const std::vector<s16> crash = soundgen::SynthPinCrash(pins);
        EXPECT_GT(crash.size(), shorter);
        EXPECT_GT(Rms(crash), quieter);
        for (s16 s : crash)
            ASSERT_LT(std::abs(s), 32767) << "clipped";
        shorter = crash.size();
        quieter = Rms(crash);
    }
    EXPECT_EQ(soundgen::SynthPinCrash(1).size(), 3 * soundgen::kSoundRate / 10);  // a knock
    EXPECT_EQ(shorter, 3 * soundgen::kSoundRate / 2);                             // a crash
    for (u32 refused : {0u, u32(NUM_PINS) + 1})
        EXPECT_THROW(soundgen::SynthPinCrash(refused), std::out_of_range) << refused;
}

TEST(PinCrashSynthTest, IsTheSameSamplesInEveryBuild) {
    std::vector<s16> all;
    for (u32 pins = 1; pins <= NUM_PINS; ++pins) {
        const std::vector<s16> crash = soundgen::SynthPinCrash(pins);
        all.insert(all.end(), crash.begin(), crash.end());
    }
    EXPECT_EQ(soundgen::SynthPinCrash(NUM_PINS), soundgen::SynthPinCrash(NUM_PINS));
    // The Release, RelWithDebInfo and sanitizer builds all make these samples.
    EXPECT_EQ(Crc32(reinterpret_cast<const u8*>(all.data()), u32(all.size() * sizeof(s16))), 0x5CE9BBDFu);
}

}  // namespace
