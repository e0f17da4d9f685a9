// Full-screen movies: the picture through the GPU's colour conversion, its place
// on the screen, and the play loop: its pace, the buttons that end it, the UI
// switch and a name that is not on the disc.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console/ai.h"
#include "console/ai/ai_control.h"
#include "console/ax.h"
#include "console/gx.h"
#include "console/gx/efb_control.h"
#include "console/gx/gx_control.h"
#include "console/vi.h"
#include "orblib47/source/NGC/Movie.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UI.h"
#include "tests/engine/MovieFixture.h"

namespace {

class MovieTest : public MovieFixture {
protected:
    // The sound system that the movie's sound mixes into, started when the
    // engine has not.
    void SetUp() override {
        MovieFixture::SetUp();
        const AIDCallback current = AIRegisterDMACallback(nullptr);
        AIRegisterDMACallback(current);
        if (current == nullptr)
            AXInit();
    }
    void TearDown() override {
        UISetEnabled();
        MovieFixture::TearDown();
    }
    // Retraces that MoviePlay took.
    static u32 Play(const char* name) {
        const u32 start = VIGetRetraceCount();
        MoviePlay(name);
        return VIGetRetraceCount() - start;
    }
};

struct Rgb {
    u8 r, g, b;
};

// Four patches, each a quarter of a 320 x 240 picture.
constexpr Rgb kPatches[4] = {{230, 30, 30}, {30, 200, 60}, {40, 50, 220}, {128, 128, 128}};

discbuild::ThpMovie Patches() {
    discbuild::ThpMovie movie;
    movie.width = 320;
    movie.height = 240;
    std::vector<u8> picture;
    for (u32 y = 0; y < 240; ++y)
        for (u32 x = 0; x < 320; ++x) {
            const Rgb c = kPatches[(y / 120) * 2 + x / 160];
            picture.insert(picture.end(), {c.r, c.g, c.b});
        }
    movie.pictures = {picture};
    movie.quality = 95;
    return movie;
}

TEST_F(MovieTest, A320By240PictureIsDrawnCentredInItsColours) {
    Write("PATCH.thp", Patches());
    ASSERT_TRUE(Start("PATCH.thp"));
    ASSERT_EQ(THPSimpleDecode(0), THP_DECODE_OK);
    MovieClearFrameBuffer(0);
    EXPECT_EQ(THPSimpleDrawCurrentFrame(&GXNtsc480Int, 160, 120, 320, 240), 0);
    GXDrawDone();
    for (u32 p = 0; p < 4; ++p) {
        const u32 x = 160 + (p % 2) * 160 + 80, y = 120 + (p / 2) * 120 + 60;
        const u32 argb = HostEFBColor(x, y);
        EXPECT_NEAR(s32(argb >> 16 & 0xFF), kPatches[p].r, 6) << p;
        EXPECT_NEAR(s32(argb >> 8 & 0xFF), kPatches[p].g, 6) << p;
        EXPECT_NEAR(s32(argb & 0xFF), kPatches[p].b, 6) << p;
    }
    // The corners inside, and black just outside.
    EXPECT_NE(HostEFBColor(160, 120) & 0xFFFFFF, 0u);
    EXPECT_NE(HostEFBColor(479, 359) & 0xFFFFFF, 0u);
    for (const auto& [x, y] : {std::pair{159u, 200u}, {480u, 200u}, {300u, 119u}, {300u, 360u}})
        EXPECT_EQ(HostEFBColor(x, y) & 0xFFFFFF, 0u) << x << "," << y;
    Stop();
}

TEST_F(MovieTest, AMovieThatIsNotOnTheDiscIsReportedAndTheUIStaysAsItWas) {
    for (const bool enabled : {true, false}) {
        enabled ? UISetEnabled() : UISetDisabled();
        EXPECT_EQ(MoviePlay("NOPE"), 0);
        EXPECT_EQ(UIGetEnabled(), enabled ? 1 : 0);
    }
    EXPECT_NE(report().text().find("MoviePlay: unable to open NOPE\n"), std::string::npos);
}

TEST_F(MovieTest, PlayingKeepsTheMovieFrameRateAndPutsTheUIBack) {
    Write("FAST.thp", Movie(4, 32, 32, 30.0f));
    Write("SLOW.thp", Movie(4, 32, 32, 15.0f));
    UISetDisabled();
    const u32 fast = Play("FAST");
    EXPECT_EQ(UIGetEnabled(), 0);
    UISetEnabled();
    const u32 slow = Play("SLOW");
    EXPECT_EQ(UIGetEnabled(), 1);
    // 4 frames: 8 retraces at 30 frames a second, 16 at 15.
    EXPECT_NEAR(f64(slow) - f64(fast), 8.0, 2.0);
}

TEST_F(MovieTest, PressingAEndsTheMovieAndThePressIsNotSeenAfterwards) {
    Write("LONG.thp", Movie(60));
    ScriptFromNow("0 0 connect\n3 0 button a down\n");
    EXPECT_LT(Play("LONG"), 30u);  // two seconds of movie
    EXPECT_EQ(Pad[0].bnew & PAD_A, 0u);
    EventWait(1);
    EXPECT_EQ(Pad[0].bnew & PAD_A, 0u);
}

// The centre pixel of each pass's display copy, sampled by a task that runs after
// the frame task.
void SampleCopy(s_thread*, void* record) {
    const HostEFBImage copy = HostEFBLastCopy();
    if (copy.width != 0)
        static_cast<std::vector<u32>*>(record)->push_back(
            copy.pixels[copy.height / 2 * copy.width + copy.width / 2]);
}

// At 30 frames a second each video frame lasts two retraces: it is drawn once and
// shown on both.
TEST_F(MovieTest, EachVideoFrameIsDrawnOnceAndShownUntilTheNext) {
    Write("EIGHT.thp", Movie(8));
    HostEFBRecordCopies();
    std::vector<u32> shown;
    s_thread* sampler = ThreadInsertPriorityDebug("SampleCopy", nullptr, &shown, SampleCopy, nullptr, 1);
    HostGXSetCallLog(true);
    Play("EIGHT");
    const std::vector<std::string> log = HostGXCallLog();
    HostGXSetCallLog(false);
    ThreadKill(sampler);
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& call) { return call.starts_with("GXBegin(0x80, 7,"); }),
              8);
    // Frame n is (10 n, 20, 255 - 10 n), on the screen until the next one; the
    // first pass, which waits for the start, shows frame 0 once.
    std::vector<std::pair<u32, u32>> runs;  // a picture and the passes that showed it
    for (u32 argb : shown) {
        if ((argb & 0xFF) <= 100)
            continue;
        if (runs.empty() || runs.back().first != argb)
            runs.push_back({argb, 0});
        ++runs.back().second;
    }
    ASSERT_EQ(runs.size(), 8u);
    for (u32 n = 0; n < 8; ++n) {
        EXPECT_NEAR(s32(runs[n].first & 0xFF), 255 - 10 * s32(n), 4) << n;
        EXPECT_EQ(runs[n].second, n == 0 ? 1u : 2u) << n;
    }
}

// The movie's 16 kHz ramp, its first track, reaches the audio output at 32 kHz:
// half the slope.
TEST_F(MovieTest, TheFirstTrackPlaysResampledOverTheSoundSystem) {
    discbuild::ThpMovie movie = Movie(8);
    AddRamp(&movie, 16000, 8 * 16000 / 30, 0, 2);
    movie.tracks.push_back(std::vector<s16>(movie.tracks[0].size(), -3000));
    Write("RAMP.thp", movie);
    HostAudioCaptureStart();
    Play("RAMP");
    const std::vector<s16> out = HostAudioCaptureTake();
    HostAudioCaptureStop();
    auto firstAbove = [&](s32 level) {
        for (size_t i = 0; i < out.size(); i += 2)
            if (out[i] > level)
                return s64(i / 2);
        return s64(-1);
    };
    const s64 low = firstAbove(1000), high = firstAbove(5000);
    ASSERT_GE(low, 0);
    ASSERT_GT(high, low);
    EXPECT_NEAR(4000.0 / f64(high - low), 1.0, 0.05);
    for (s64 i = low; i < high; ++i)
        ASSERT_EQ(out[2 * i], out[2 * i + 1]) << i;
}

}  // namespace
