// The disc-error handler and its messages: holding the game while the drive
// cannot read, and the bitmap form written into the frame buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "console/dvd/dvd_control.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/HardwareInternal.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/support/EngineFixture.h"

namespace {

using HardwareErrorTest = EngineFixture;

struct FrameSeen {
    s32 paused;
    s32 active;
    u32 alpha;
    s32 homeAllowed;
    s32 moviesBlocked;
};
std::vector<FrameSeen> s_frames;

// Runs after the message task in every frame.
void Watch(s_thread*, void*) {
    s_frames.push_back(
        {GamePaused(), HardwareErrorActive, ErrorTextFadeAlpha, AllowHomeButtonButtonPress, g_SFP2KDisable});
}

void CloseCover(void*) {
    HostDVDSetDriveStatus(DVD_STATE_END);
}

bool TaskRuns(const char* name) {
    for (auto* task = static_cast<s_thread*>(SystemThreads->next); task != nullptr; task = task->nextTask()) {
        if (std::string(task->name) == name)
            return true;
    }
    return false;
}

// The cover opened during play holds the game behind the message, fading its
// text in by 4 a frame, until the cover is closed; then play goes on as it was.
TEST_F(HardwareErrorTest, AnOpenCoverHoldsTheGameUntilItIsClosed) {
    ThreadInsertPriorityDebug("Watch", nullptr, nullptr, Watch, nullptr, 100);
    for (s32 pausedBefore : {0, 1}) {
        s_frames.clear();
        SetGamePause(pausedBefore);
        HostDVDSetDriveStatus(DVD_STATE_COVER_OPEN);
        console::PollSchedule(console::ClockNow() + 10 * console::kRetracePeriod, CloseCover, nullptr);

        EXPECT_EQ(HardwareCheckFileError(), FILE_ERROR_COVER_OPEN);

        ASSERT_GE(s_frames.size(), 9u);
        for (size_t i = 0; i < s_frames.size(); ++i) {
            const FrameSeen& seen = s_frames[i];
            EXPECT_EQ(seen.paused, 1) << i;
            EXPECT_EQ(seen.active, 1) << i;
            EXPECT_EQ(seen.alpha, std::min<u32>(4 * (i + 1), 255)) << i;
            EXPECT_EQ(seen.homeAllowed, 0) << i;
            EXPECT_EQ(seen.moviesBlocked, 1) << i;
        }
        EXPECT_EQ(GamePaused(), pausedBefore);
        EXPECT_EQ(HardwareErrorActive, 0);
        EXPECT_EQ(AllowHomeButtonButtonPress, 1);
        EXPECT_EQ(g_SFP2KDisable, 0);
        EXPECT_FALSE(TaskRuns("DrawMsgThread"));
        EXPECT_EQ(HardwareCheckFileError(), 0u) << "a readable drive holds nothing";
    }
}

// The Y of a pixel of a 640-wide YUYV frame buffer.
u8 Luma(const u8* xfb, u32 x, u32 row) {
    return xfb[row * HARDWARE_XFB_ROW_BYTES + (x / 2) * 4 + (x % 2) * 2];
}

struct Extent {
    u32 top = ~0u, bottom = 0, left = ~0u, right = 0;
    bool Holds(u32 x, u32 row) const { return row >= top && row <= bottom && x >= left && x <= right; }
};

// With no font loaded the no-disc message is two white lines, 16 pixels high,
// centred, their top edges at rows 95 and 115, on black.
TEST_F(HardwareErrorTest, WithoutAFontTheMessageIsWrittenIntoTheFrameBuffer) {
    ASSERT_EQ(HardwareGetErrorFont(), nullptr);
    const u8* xfb = static_cast<const u8*>(FrameBuffer[ActiveBuffer]);
    ASSERT_NE(xfb, nullptr);
    HardwareErrorPrintMessage(FILE_ERROR_NO_DISC);

    // "Please insert the" and "Bowling Game Disc.": 17 and 18 characters.
    const std::string title = std::string(ORBLIB_GAME_TITLE) + " Game Disc.";
    const Extent lines[] = {{95, 110, 320 - 8 * 17, 320 + 8 * 17 - 1},
                            {115, 130, 320 - 8 * u32(title.size()), 320 + 8 * u32(title.size()) - 1}};
    Extent seen[2];
    for (u32 row = 0; row < XfbFrameBufferSize / HARDWARE_XFB_ROW_BYTES; ++row) {
        for (u32 x = 0; x < 640; ++x) {
            const u8 y = Luma(xfb, x, row);
            ASSERT_TRUE(y == 0 || y == 0xFF) << x << "," << row;
            if (y == 0)
                continue;
            const int line = lines[0].Holds(x, row) ? 0 : lines[1].Holds(x, row) ? 1 : -1;
            ASSERT_NE(line, -1) << "white outside the lines at " << x << "," << row;
            Extent& e = seen[line];
            e = {std::min(e.top, row), std::max(e.bottom, row), std::min(e.left, x), std::max(e.right, x)};
        }
    }
    EXPECT_EQ(seen[0].top, 95u);
    EXPECT_EQ(seen[1].top, 115u);
    for (const Extent& e : seen)
        EXPECT_EQ((e.bottom - e.top + 1) % 2, 0u) << "font pixels are 2 x 2";
}

// A bitmap line holds 40 characters at most: a longer one is clipped to the row
// instead of starting before it or running into the next.
TEST_F(HardwareErrorTest, ABitmapLineIsClippedToFortyCharacters) {
    constexpr u32 kRows = 24;
    static constexpr u8 kUntouched = 0xAA;
    auto write = [](const std::string& text) {
        std::vector<u8> xfb(kRows * HARDWARE_XFB_ROW_BYTES, kUntouched);
        HardwareXfbWriteStr(xfb.data(), 4, text.c_str());
        return xfb;
    };
    const std::vector<u8> long50 = write(std::string(50, 'W'));
    EXPECT_EQ(long50, write(std::string(40, 'W')));
    for (u32 row = 0; row < kRows; ++row) {
        const u8* bytes = long50.data() + row * HARDWARE_XFB_ROW_BYTES;
        const bool inLine = row >= 2 && row < 18;
        const u32 touched =
            u32(std::count_if(bytes, bytes + HARDWARE_XFB_ROW_BYTES, [](u8 b) { return b != kUntouched; }));
        EXPECT_EQ(touched, inLine ? HARDWARE_XFB_ROW_BYTES : 0u) << row;
    }
    // A short line is centred: 2 characters start 16 pixels left of the middle.
    const std::vector<u8> two = write("AB");
    const u8* row2 = two.data() + 2 * HARDWARE_XFB_ROW_BYTES;
    EXPECT_EQ(row2[607], kUntouched);
    EXPECT_NE(row2[608], kUntouched);
    EXPECT_NE(row2[671], kUntouched);
    EXPECT_EQ(row2[672], kUntouched);
}

// The longest title still fits its message line's buffer; the line is clipped.
TEST_F(HardwareErrorTest, TheTitleKeepsSixtyThreeCharacters) {
    HardwareSetGameName(std::string(80, 'T').c_str());
    EXPECT_EQ(std::strlen(GameName), HARDWARE_GAME_NAME_SIZE - 1);
    std::vector<u8> xfb(XfbFrameBufferSize);
    HardwareXfbDisplayError(xfb.data(), FILE_ERROR_WRONG_DISC);
    // "This is not the" at 190, the clipped title at 230: its row is filled wall to wall.
    const u8* row = xfb.data() + 115 * HARDWARE_XFB_ROW_BYTES;
    EXPECT_EQ(row[1], 0x80) << "written from the row's first pixel";
    EXPECT_EQ(row[HARDWARE_XFB_ROW_BYTES - 1], 0x80) << "to its last";
}

TEST_F(HardwareErrorTest, TheBuiltInFontIsLegible) {
    auto same = [](u8 a, u8 b) { return std::memcmp(HardwareFontGlyph(a), HardwareFontGlyph(b), 8) == 0; };
    EXPECT_TRUE(same(0, ' '));
    EXPECT_TRUE(same(31, ' '));
    const u8 blank[8] = {};
    EXPECT_NE(std::memcmp(HardwareFontGlyph(0x7F), blank, 8), 0) << "0x7F is a symbol";
    EXPECT_EQ(std::memcmp(HardwareFontGlyph(' '), blank, 8), 0);
    for (u32 a = 33; a < 127; ++a) {
        EXPECT_NE(std::memcmp(HardwareFontGlyph(u8(a)), blank, 8), 0) << char(a);
        for (u32 b = a + 1; b < 127; ++b)
            EXPECT_FALSE(same(u8(a), u8(b))) << char(a) << " and " << char(b);
    }
}

}  // namespace
