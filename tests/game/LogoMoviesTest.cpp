// The logo movies the main flow plays from the data folder: each plays through to
// its last frame at its own rate with its sound, and a name that is not on the
// disc is skipped at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "console/ai/ai_control.h"
#include "console/vi.h"
#include "orblib47/source/NGC/Movie.h"
#include "source/DefaultDisc.h"
#include "source/OrbMain.h"
#include "tests/support/GameFixture.h"

namespace {

// Only time and sound are looked at: no pictures keeps the run short.
class LogoMoviesTest : public MenuDiscFixture {
protected:
    HostConfig Config() const override {
        HostConfig config = MenuDiscFixture::Config();
        config.pictures = false;
        return config;
    }
};

// The movie's frame count from its header; 0 when it is not on the disc.
u32 FrameCount(const std::string& name) {
    std::ifstream file(std::filesystem::path(DefaultDiscRoot()) / GAME_DATA_FOLDER / (name + ".thp"),
                       std::ios::binary);
    const std::vector<u8> bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_LT(bytes.size(), 1536u * 1024u) << name;
    return bytes.size() < 24 ? 0
                             : u32(bytes[20]) << 24 | u32(bytes[21]) << 16 | u32(bytes[22]) << 8 | bytes[23];
}

TEST_F(LogoMoviesTest, EachPlaysToItsEndWithItsSoundAndAMissingOneIsSkipped) {
    const struct {
        const char* name;
        u32 frames;  // about three seconds at 30 frames a second
    } movies[] = {{"VOSSA", 90}, {"ORBLOGO", 90}, {"NOLOGO", 0}};
    for (const auto& movie : movies) {
        SCOPED_TRACE(movie.name);
        ASSERT_EQ(FrameCount(movie.name), movie.frames);
        HostAudioCaptureStart();
        const u32 start = VIGetRetraceCount();
        EXPECT_EQ(MoviePlay(movie.name), 0);
        const u32 retraces = VIGetRetraceCount() - start;
        const std::vector<s16> sound = HostAudioCaptureTake();
        HostAudioCaptureStop();
        // Two retraces a frame, and a few to start and to clear the screen.
        EXPECT_GE(retraces, 2 * movie.frames);
        EXPECT_LE(retraces, 2 * movie.frames + 8);
        s32 peak = 0;
        for (s16 s : sound)
            peak = std::max(peak, std::abs(s32(s)));
        EXPECT_EQ(peak > 1000, movie.frames > 0) << peak;
    }
}

}  // namespace
