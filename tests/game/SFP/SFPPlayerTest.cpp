// The screen-movie player's slots, stack, time and fonts: the frames a segment
// shows by game time, how screens leave the stack, updates that kill screens, the
// switches that stop it, loads that fail.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "console/screenshot.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Wad.h"
#include "tests/game/SFP/SFPFixture.h"

namespace {

// TransIn 0-9, Idle 10-24, TransOut 25-29; a red square at the stage's top-left.
std::string FlowMovie(const std::string& name, u32 rate = 60) {
    return "movie " + name + "\nrate " + std::to_string(rate) +
           "\nframes 30\nlabel TransIn 0\nlabel Idle 10\nlabel TransOut 25\nrect Box 32 32\nkey 0 colour "
           "#FF0000\n";
}

// What the screens' callbacks saw; a screen's locals hold its index here.
struct CallLog {
    s32 opens = 0, closes = 0;
    s32 updates[3] = {};
    std::vector<s32> kills[3];  // the screens an index's next update kills
};
CallLog Log;

void CountUpdate(s32 id, SFP_SCREEN_INFO_t*) {
    const s32 index = *static_cast<s32*>(SFP2KGetLocals(id));
    ++Log.updates[index];
    for (s32 victim : std::exchange(Log.kills[index], {}))
        SFP2KKillScreen(victim);
}

class SFPPlayerTest : public SFPFixture {
protected:
    // The load's time passes before the movie's first frame.
    static s32 Load(TestScreen& screen, s32 index = 0) {
        const s32 id = SFP2KLoadScreen(&screen.info, sizeof(s32), 0);
        *static_cast<s32*>(SFP2KGetLocals(id)) = index;
        EventWait(1);
        return id;
    }
};

TEST_F(SFPPlayerTest, The257thScreenFindsNoSlot) {
    AddMovie(FlowMovie("Flow"));
    TestScreen screen("Flow");
    for (s32 i = 0; i < SFP2K_MAX_SCREENS; ++i)
        ASSERT_EQ(SFP2KLoadScreen(&screen.info, 4, 0), i);
    EXPECT_FALSE(report().contains("Out of screens"));
    EXPECT_EQ(SFP2KLoadScreen(&screen.info, 4, 0), -1);
    EXPECT_TRUE(report().contains("SFP2K ERROR! Out of screens!\n"));
    SFP2KKillScreen(17);
    EXPECT_EQ(SFP2KLoadScreen(&screen.info, 4, 0), 17);
}

// The root frame after each update from an open of TransIn with Idle after it.
TEST_F(SFPPlayerTest, SegmentsPlayByGameTimeWithAndWithoutFrameSkipping) {
    AddMovie(FlowMovie("Flow60", 60));
    AddMovie(FlowMovie("Flow30", 30));
    const std::vector<u32> oneByOne = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                       14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 10, 11};
    const struct {
        u32 retraces;  // of a game frame
        const char* movie;
        s32 frameSkip;
        std::vector<u32> frames;
    } rows[] = {{1, "Flow60", 0, oneByOne},
                {1, "Flow60", 1, oneByOne},
                // A slow game slows the movie; skipping keeps its time, but never past a segment's end.
                {2, "Flow60", 0, oneByOne},
                {2, "Flow60", 1, {0, 2, 4, 6, 8, 9, 10, 12, 14, 16, 18, 20, 22, 24, 10, 12}},
                {1, "Flow30", 0, {0, 0, 1, 1, 2, 2, 3, 3}},
                {1, "Flow30", 1, {0, 0, 1, 1, 2, 2, 3, 3}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.movie << ", " << row.retraces << " retraces, skip " << row.frameSkip);
        MinVblCount = row.retraces;
        SFP2KEnableFrameSkip(row.frameSkip);
        TestScreen screen(row.movie);
        const s32 id = Load(screen);
        SFP2KOpenScreen(id, 0, SFP_SUBSCREEN_NEXT, 1);
        std::vector<u32> shown;
        while (shown.size() < row.frames.size()) {
            EventWait(1);
            shown.push_back(SFP2KGetCurFrame(id));
        }
        EXPECT_EQ(shown, row.frames);
        SFP2KKillScreen(id);
    }
}

// Each way a screen leaves: the updates it stays active after the call that
// starts its last segment, and Close once, when it has left.
TEST_F(SFPPlayerTest, AScreenIsActiveThroughItsLastSegmentAndThenLeaves) {
    AddMovie(FlowMovie("Flow"));
    const struct {
        const char* what;
        s32 open[3];
        s32 close[2];  // {-1}: none
        s32 activeUpdates;
    } rows[] = {{"close (2, 3)", {0, 1, 1}, {2, 3}, 5},
                {"close (2, 1): next past the last sub-screen", {0, 1, 1}, {2, 1}, 5},
                {"close of a sub-screen out of range: the whole movie", {0, 1, 1}, {3, 3}, 30},
                {"open (2, 3, 0)", {2, 3, 0}, {-1}, 5},
                {"open (0, 1, 3): TransIn, then out", {0, 1, 3}, {-1}, 10},
                {"open (0, 3, 0) of a descriptor naming Idle alone", {0, 3, 0}, {-1}, 15}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Log = {};
        TestScreen screen("Flow");
        screen.info.Open = [](s32, SFP_SCREEN_INFO_t*) { ++Log.opens; };
        screen.info.Close = [](s32, SFP_SCREEN_INFO_t*) { ++Log.closes; };
        if (&row == &rows[5]) {
            screen.info.numSubScreens = 1;
            screen.info.subScreens = &screen.labels[1];
        }
        const s32 id = Load(screen);
        SFP2KOpenScreen(id, row.open[0], row.open[1], row.open[2]);
        EXPECT_EQ(Log.opens, 1);
        if (row.close[0] >= 0) {
            EventWait(40);
            SFP2KCloseScreen(id, row.close[0], row.close[1]);
        }
        s32 active = 0;
        for (EventWait(1); SFP2KIsScreenActive(id) != 0 && active < 100; EventWait(1))
            ++active;
        EXPECT_EQ(active, row.activeUpdates);
        EXPECT_EQ(Log.closes, 1);
        SFP2KKillScreen(id);
    }
}

TEST_F(SFPPlayerTest, UpdatesMayKillAnyScreenAndAPausingScreenStopsThoseBelow) {
    Log = {};
    AddMovie(FlowMovie("Flow"));
    TestScreen screens[3] = {TestScreen("Flow"), TestScreen("Flow"), TestScreen("Flow")};
    s32 ids[3];
    for (s32 i = 0; i < 3; ++i) {
        screens[i].info.Update = CountUpdate;
        ids[i] = Load(screens[i], i);
    }
    for (s32 id : ids)
        SFP2KOpenScreen(id, 0, SFP_SUBSCREEN_NEXT, 1);
    screens[2].info.pauseLowerScreens = 1;
    EventWait(5);
    EXPECT_EQ(std::vector<s32>(Log.updates, Log.updates + 3), (std::vector<s32>{0, 0, 5}));

    // The bottom one kills itself: the others are still updated after it.
    screens[2].info.pauseLowerScreens = 0;
    Log.kills[0] = {ids[0]};
    EventWait(1);
    EXPECT_EQ(std::vector<s32>(Log.updates, Log.updates + 3), (std::vector<s32>{1, 1, 6}));
    // The middle one kills the top one and itself: the top one is not updated after.
    Log.kills[1] = {ids[2], ids[1]};
    EventWait(1);
    EXPECT_EQ(std::vector<s32>(Log.updates, Log.updates + 3), (std::vector<s32>{1, 2, 6}));
    for (s32 id : ids)
        EXPECT_EQ(SFP2KGetScreenInfo(id), nullptr);
}

TEST_F(SFPPlayerTest, DisablingStopsTimeUpdatesAndDrawingAndRenderingOffOnlyTheDrawing) {
    const auto boxShown = [] {
        HostFrame frame;
        HostCaptureShownFrame(&frame);
        return frame.rgb[(8 * frame.width + 8) * 3] > 128;  // red, not black
    };
    AddMovie(FlowMovie("Flow"));
    TestScreen screen("Flow");
    screen.info.Update = CountUpdate;
    const s32 id = Load(screen);
    SFP2KOpenScreen(id, 1, SFP_SUBSCREEN_LOOP, 1);
    EventWait(3);
    EXPECT_TRUE(boxShown());
    const u32 frame = SFP2KGetCurFrame(id);
    const s32 updates = Log.updates[0];
    g_SFP2KDisable = 1;
    EventWait(3);
    EXPECT_EQ(SFP2KGetCurFrame(id), frame);
    EXPECT_EQ(Log.updates[0], updates);
    EXPECT_FALSE(boxShown());
    g_SFP2KDisable = 0;
    EXPECT_EQ(SFP2KEnableRender(0), 1);
    EventWait(3);
    EXPECT_EQ(SFP2KGetCurFrame(id), frame + 3);
    EXPECT_EQ(Log.updates[0], updates + 3);
    EXPECT_FALSE(boxShown());
    EXPECT_EQ(SFP2KEnableRender(1), 0);
    EventWait(3);
    EXPECT_TRUE(boxShown());
}

// Each fault is one line of its own; a failed load leaves nothing behind, nor
// does a screen once killed.
TEST_F(SFPPlayerTest, MissingFilesTexturesLabelsAndFontsAreOneLineEach) {
    const sfpc::CompiledMovie dot = AddMovie("movie Dot\ndraw D ellipse 8 8\nimage D D\nkey 0\n");
    AddMovie("movie Pic\ndraw P ellipse 8 8\nimage P P\nkey 0\n");
    disc_.Write("640/Pic.sfc", dot.sfc);
    disc_.Remove("640/Dot.sfc");
    disc_.Write("640/Bad.sfp", {'S', 'F', 'P', '1'});
    AddMovie("movie Lost\nframes 2\nlabel TransIn 0\nlabel Idle 1\nrect R 2 2\nkey 0\n");
    AddMovie(
        "movie Fonts\nframes 3\nlabel TransIn 0\nlabel Idle 1\nlabel TransOut 2\n"
        "text Name TAHOMA 20 100 20 \"Hi\"\nkey 0\n");
    const struct {
        const char* movie;
        const char* line;
        bool loads;
    } rows[] = {{"Nope", "SFP2K: cannot read 640/Nope.sfp\n", false},
                {"Bad", "SFP2K:", false},
                {"Dot", "SFP2K: cannot load 640/Dot.sfc\n", false},
                {"Pic", "SFP2K: Pic lacks the texture SFC", false},
                {"Lost", "SFP2K: Lost lacks the labels \"TransOut\": they play from frame 0\n", true},
                {"Fonts", "SFP2K: Fonts uses the font TAHOMA, which is not in the font table", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.movie);
        const u32 heap = HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap);
        const u32 wads = WadRecords->count;
        report_->clear();
        TestScreen screen(row.movie);
        const s32 id = SFP2KLoadScreen(&screen.info, 4, 0);
        EXPECT_EQ(id >= 0, row.loads);
        const std::string text = report().text();
        EXPECT_NE(text.find(row.line), std::string::npos) << text;
        EXPECT_EQ(text.find("SFP2K"), text.rfind("SFP2K")) << text;
        SFP2KKillScreen(id);
        EventWait(3);  // texel memory goes two frames after its texture
        EXPECT_EQ(HeapAvail(&MainHeap) + HeapAvail(&ExtraHeap), heap);
        EXPECT_EQ(WadRecords->count, wads);
    }
}

// The row's archive comes with the first screen and goes with the last; a font
// someone else has loaded is only referred to.
TEST_F(SFPPlayerTest, AFontIsHeldWhileAnyScreenUsesIt) {
    AddMovie("movie Caption\ntext T DORVAREG20 20 100 20 \"Hi\"\nkey 0\n");
    TestScreen screen("Caption");
    const u32 wads = WadRecords->count;
    const s32 first = SFP2KLoadScreen(&screen.info, 4, 0);
    const s32 second = SFP2KLoadScreen(&screen.info, 4, 0);
    EXPECT_EQ(fonts_[0].refCount, 2);
    ASSERT_NE(fonts_[0].wad, nullptr);
    SFP2KKillScreen(first);
    EXPECT_NE(fonts_[0].font, nullptr);
    SFP2KKillScreen(second);
    EXPECT_EQ(fonts_[0].font, nullptr);
    EXPECT_EQ(fonts_[0].wad, nullptr);
    EXPECT_EQ(WadRecords->count, wads);

    s_wad* own = WadLoad("DATA/IGFNT640", 0);
    const s32 third = SFP2KLoadScreen(&screen.info, 4, 0);
    EXPECT_EQ(fonts_[0].refCount, 1);
    EXPECT_EQ(fonts_[0].wad, nullptr);
    SFP2KKillScreen(third);
    WadFree(own);
}

}  // namespace
