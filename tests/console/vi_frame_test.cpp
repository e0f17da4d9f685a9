// The shown frame: buffer, black switch and size latched by VIFlush and taken at
// the next retrace; screenshots decoded back with libpng; the window's letterbox.
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "console/gx.h"
#include "console/host/window.h"
#include "console/os.h"
#include "console/screenshot.h"
#include "console/vi.h"
#include "console/vi/vi_control.h"
#include "tests/console/support.h"

namespace {

// Studio-range Y U V, then the R G B it shows: white, red, blue.
constexpr u8 kColours[3][6] = {
    {235, 128, 128, 255, 255, 255}, {81, 90, 240, 255, 0, 0}, {41, 240, 110, 0, 0, 255}};
// 24 x 4 pixels in rows of 32 (the padding must be skipped); pixel pairs cycle
// through the colours, one pair further on each row.
constexpr u32 kWidth = 24, kHeight = 4, kStride = 64;

const u8* ColourAt(u32 x, u32 y) {
    return kColours[(x / 2 + y) % 3];
}

class VIFrameTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        VIInit();
        Configure(kWidth, kHeight);
        std::fill(Buffer(0), Buffer(0) + kStride * kHeight, u8(0xFF));
        for (u32 y = 0; y < kHeight; ++y) {
            for (u32 x = 0; x < kWidth; x += 2) {
                const u8* c = ColourAt(x, y);
                u8* pair = Buffer(0) + y * kStride + x * 2;
                pair[0] = pair[2] = c[0], pair[1] = c[1], pair[3] = c[2];
            }
        }
    }
    void TearDown() override {
        std::filesystem::remove(path_);
        ConsoleTest::TearDown();
    }
    static void Configure(u16 width, u16 height) {
        GXRenderModeObj mode{};
        mode.fbWidth = width;
        mode.xfbHeight = height;
        VIConfigure(&mode);
    }
    static u8* Buffer(int index) { return static_cast<u8*>(OSGetMEM1ArenaLo()) + index * 1024; }
    static void Show(void* buffer, BOOL black) {
        VISetNextFrameBuffer(buffer);
        VISetBlack(black);
        VIFlush();
        VIWaitForRetrace();
    }
    // One file per test: ctest runs the tests of this suite in parallel processes.
    std::filesystem::path path_ =
        std::filesystem::path(::testing::TempDir()) /
        (std::string("vi_frame_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
};

TEST_F(VIFrameTest, BufferBlackAndSizeAreShownFromTheRetraceAfterFlush) {
    VISetNextFrameBuffer(Buffer(0));
    VISetBlack(FALSE);
    VIWaitForRetrace();
    EXPECT_EQ(HostVIShownFrameBuffer(), nullptr);  // not flushed
    VIFlush();
    EXPECT_TRUE(HostVIIsBlack());  // no retrace yet
    VIWaitForRetrace();
    EXPECT_EQ(HostVIShownFrameBuffer(), Buffer(0));
    EXPECT_FALSE(HostVIIsBlack());
    EXPECT_EQ(HostVIShownFrameSize().stride, kStride);  // whole 16-pixel blocks

    // Only what was flushed is taken, with the size it was flushed with.
    VISetNextFrameBuffer(Buffer(1));
    VIFlush();
    VISetNextFrameBuffer(Buffer(2));
    Configure(32, 16);
    VIWaitForRetrace();
    EXPECT_EQ(HostVIShownFrameBuffer(), Buffer(1));
    EXPECT_EQ(HostVIShownFrameSize().height, kHeight);
    VIFlush();
    VIWaitForRetrace();
    EXPECT_EQ(HostVIShownFrameBuffer(), Buffer(2));
    EXPECT_EQ(HostVIShownFrameSize().height, 16u);
}

TEST_F(VIFrameTest, BadBuffersAndSizesAreFatal) {
    EXPECT_DEATH(VIConfigure(nullptr), "no render mode");
    EXPECT_DEATH(Configure(640, 1000), "640x1000 frame buffer cannot be shown");
    // The frame would run past the end of the arena.
    VISetNextFrameBuffer(static_cast<u8*>(OSGetMEM1ArenaHi()) - 64);
    EXPECT_DEATH(VIFlush(), "24x4 frame buffer .* is not inside MEM1 or MEM2");
}

TEST_F(VIFrameTest, ScreenshotHoldsTheShownFrame) {
    Show(Buffer(0), FALSE);
    ASSERT_TRUE(HostSaveScreenshot(path_.c_str()));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, path_.c_str()), 0);
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);
    image.format = PNG_FORMAT_RGB;
    std::vector<u8> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    for (u32 i = 0; i < kWidth * kHeight * 3; ++i) {
        const u32 pixel = i / 3;
        ASSERT_NEAR(rgb[i], ColourAt(pixel % kWidth, pixel / kWidth)[3 + i % 3], 4) << "pixel " << pixel;
    }
    EXPECT_FALSE(HostSaveScreenshot((path_ / "no" / "file.png").c_str()));
}

TEST_F(VIFrameTest, BlackOrNoBufferShowsBlack) {
    const std::vector<u8> black(kWidth * kHeight * 3, 0);
    HostFrame frame;
    Show(Buffer(0), TRUE);
    HostCaptureShownFrame(&frame);
    EXPECT_EQ(frame.rgb, black);
    Show(nullptr, FALSE);
    HostCaptureShownFrame(&frame);
    EXPECT_EQ(frame.rgb, black);
}

TEST(WindowLetterboxTest, FitsTheAspectAndCentres) {
    const auto fit = [](u32 aw, u32 ah, int w, int h) {
        const host::WindowRect r = host::WindowLetterbox(aw, ah, w, h);
        return std::vector<int>{r.x, r.y, r.w, r.h};
    };
    EXPECT_EQ(fit(4, 3, 1920, 1080), (std::vector<int>{240, 0, 1440, 1080}));  // pillars
    EXPECT_EQ(fit(16, 9, 640, 480), (std::vector<int>{0, 60, 640, 360}));      // bars
    EXPECT_EQ(fit(4, 3, -5, 480), (std::vector<int>{0, 0, 0, 0}));
}

// An environment variable set for one test, as it was afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* before = std::getenv(name))
            before_ = before;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (before_)
            setenv(name_, before_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> before_;
};

// SDL's invisible drivers serve when they are asked for by name, as the window's
// benchmark asks.
TEST(WindowOpenTest, TheDriversNamedInTheEnvironmentServeEvenInvisibleOnes) {
    const ScopedEnv video("SDL_VIDEODRIVER", "dummy"), audio("SDL_AUDIODRIVER", "dummy");
    HostConfig config = SmallConfig();
    config.window = true;
    std::string error;
    EXPECT_TRUE(HostInit(config, &error)) << error;
    EXPECT_TRUE(host::WindowIsOpen());
    HostShutdown();
}

}  // namespace
