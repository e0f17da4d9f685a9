// The launcher's level list, ticker test and kudos run-through, each called as the
// launcher calls it after the program's start-up, with a script of remote 0 and
// the program's frame limit: what each shows, how it ends, and that it gives back
// every heap block, UI record and archive it took.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "console/screenshot.h"
#include "console/system.h"
#include "orblib47/source/DbugMenu.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/UIObject.h"
#include "orblib47/source/Wad.h"
#include "source/DefaultDisc.h"
#include "source/Dev/DevEntries.h"
#include "source/Flash/KudosScreens.h"
#include "source/GameSettings.h"
#include "source/LevelMgr.h"
#include "source/Levels/LevelLauncher.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/EntryRun.h"
#include "tests/support/ReportCapture.h"
#include "tests/support/TempDisc.h"

namespace {

// What an entry may take while it runs and must give back.
struct Usage {
    u32 heapAvail;
    u32 heapHandles;
    u32 freeUIObjects;
    u32 freeWads;
    bool operator==(const Usage&) const = default;
};

Usage InUse() {
    return {MainHeap.avail + ExtraHeap.avail, MainHeap.numHandles + ExtraHeap.numHandles,
            UIObjectRecords->count, WadRecords->count};
}

// Presses a button of remote 0 `at` retraces from the entry's start.
std::string Press(u32 at, const char* button) {
    const std::string name = std::string(" 0 button ") + button;
    return std::to_string(at) + name + " down\n" + std::to_string(at + 2) + name + " up\n";
}

class DevEntriesTest : public ::testing::Test {
protected:
    // The program's start-up with the console's whole memory, on the demo disc or
    // on disc_.
    void Start(bool pictures = true, bool ownDisc = false) {
        HostConfig config = TestHostConfig();
        config.mem1Size = HostConfig{}.mem1Size;
        config.mem2Size = HostConfig{}.mem2Size;
        config.discRoot = ownDisc ? disc_.root() : DefaultDiscRoot();
        config.pictures = pictures;
        HostInit(config);
        report_ = std::make_unique<ReportCapture>();
        DebugSelection = -1;
        stamp_ = DebugBuildStamp;
        DebugBuildStamp = "May  7 2007 at 10:03:18";  // the pictures' build line
        OrbMainStartup();
        before_ = InUse();
    }

    // Everything the entry took is back once the blocks the GPU still read are
    // freed, two frames later.
    void ExpectAllGivenBack() {
        EventWait(2);
        EXPECT_EQ(InUse(), before_) << "everything the entry took is given back";
    }

    // What the entry's next run must give back.
    void Remember() {
        EventWait(2);
        before_ = InUse();
    }

    void TearDown() override {
        if (stamp_ == nullptr)
            return;
        OrbMainShutdown();
        DebugBuildStamp = stamp_;
        report_.reset();
        HostShutdown();
    }

    const ReportCapture& report() const { return *report_; }

    TempDisc disc_;

private:
    std::unique_ptr<ReportCapture> report_;
    const char* stamp_ = nullptr;
    Usage before_{};
};

// What the level list's run went through, seen by a task each frame.
struct LevelSeen {
    const s_LevelMgrDef* level = nullptr;
    u32 playingFrames = 0;
};

void WatchLevel(s_thread*, void* record) {
    auto* seen = static_cast<LevelSeen*>(record);
    if (g_LaunchState != LAUNCH_PLAYING)
        return;
    seen->level = g_LevelMgr.m_pLevel;
    seen->playingFrames += 1;
}

// The list stays up until the frame limit, which ends it as a quit does, without
// the fade: the picture is the list of the level table's names, and the three
// archives loaded for it are freed.
TEST_F(DevEntriesTest, TheLevelListShowsTheLevelsAndItsEndFreesTheArchives) {
    Start();
    EXPECT_LT(RunEntry(LevelManagerMain, "", 150), 160u);
    for (const char* archive : {"NPC", "GAMESFX", "GLOBAL"})
        EXPECT_TRUE(report().contains(std::string("Wad Load: ") + archive + "\n")) << archive;
    ExpectLooksAsKept("level_manager_menu");
    EXPECT_EQ(g_LevelMgr.m_pLevel, nullptr) << "no level was loaded";
    ExpectAllGivenBack();
}

// File > Exit leaves the list at once (after its fade) and loads no level.
TEST_F(DevEntriesTest, ExitingTheLevelListLoadsNoLevel) {
    Start(false);
    const std::string exit = Press(120, "minus") + Press(130, "down") + Press(140, "a");
    EXPECT_LT(RunEntry(LevelManagerMain, exit, 1000), 300u);
    EXPECT_FALSE(report().contains("Wad Load (ASYNC): ALLEY\n"));
    EXPECT_EQ(g_LaunchState, LAUNCH_IDLE);
    ExpectAllGivenBack();
}

// The shown frame's share of pixels that are not black.
double LitShare() {
    HostFrame frame;
    HostCaptureShownFrame(&frame);
    size_t lit = 0;
    for (size_t i = 0; i + 2 < frame.rgb.size(); i += 3)
        lit += frame.rgb[i] > 16 || frame.rgb[i + 1] > 16 || frame.rgb[i + 2] > 16;
    return frame.rgb.empty() ? 0.0 : double(lit) / double(frame.rgb.size() / 3);
}

// Down to the second row and A: that level loads and plays, seen (the list left
// the screen faded out), until the frame limit; then it is freed and shut down
// along with the list's archives, and the launcher's remembered entry is its own
// again. A level keeps its scene-light list and the lane's song file for the next
// one, so it is the second run that must give back all it took.
TEST_F(DevEntriesTest, TheChosenLevelLoadsAndPlaysUntilTheFrameLimit) {
    Start();
    for (const bool check : {false, true}) {
        LevelSeen seen;
        s_thread* watch = ThreadInsertPriorityDebug("WatchLevel", nullptr, &seen, WatchLevel, nullptr, 100);
        RunEntry(LevelManagerMain, Press(120, "down") + Press(130, "a"), 600);
        ThreadKill(watch);
        EXPECT_GT(LitShare(), 0.5);
        if (check)
            ExpectAllGivenBack();
        else
            Remember();
        EXPECT_EQ(seen.level, &LevelMgrLevelList[1]);
        EXPECT_EQ(DebugSelection, -1);
        EXPECT_GT(seen.playingFrames, 100u) << seen.playingFrames;
        EXPECT_EQ(g_LevelMgr.m_pLevel, nullptr) << "shut down";
        EXPECT_EQ(g_LaunchState, LAUNCH_IDLE);
    }
}

// A disc without the computer bowlers' archive and with the level's archive cut
// short: the list still comes up, and the chosen level's failed load ends the
// entry rather than being waited for.
TEST_F(DevEntriesTest, ALevelThatDoesNotLoadEndsTheEntry) {
    const std::string first = std::string("DATA/") + LevelMgrLevelList[0].archive + ".WAD";
    disc_.LinkAllBut(DefaultDiscRoot(), {"DATA/NPC.WAD", first});
    disc_.Write(first, {'A', 'L', 'L', 'E', 'Y'});
    Start(false, true);
    EXPECT_LT(RunEntry(LevelManagerMain, Press(120, "a"), 3000), 400u);
    EXPECT_EQ(g_LaunchState, LAUNCH_FAILED);
    EXPECT_EQ(g_LevelMgr.m_pLevel, nullptr);
    ExpectAllGivenBack();
}

// The ticker's line mid-way across, fading in on the right; plus ends the entry.
TEST_F(DevEntriesTest, TheTickerScrollsItsLineUntilPlus) {
    Start();
    EXPECT_GE(RunEntry(TickerTesting, "", 400), 400u);
    ExpectLooksAsKept("ticker_testing");
    ExpectAllGivenBack();
    EXPECT_LT(RunEntry(TickerTesting, Press(100, "plus"), 1000), 110u);
    ExpectAllGivenBack();
}

// Which kudos movie is up, seen by a task each frame: the order they came in.
void WatchKudos(s_thread*, void* record) {
    auto* shown = static_cast<std::vector<s32>*>(record);
    for (s32 id = 0; id < SFP2K_MAX_SCREENS; ++id) {
        if (!SFP2KIsScreenActive(id))
            continue;
        for (s32 which = 0; which < NUM_KUDOS_SCREENS; ++which)
            if (SFP2KGetScreenInfo(id) == &kudosScreen[which] && (shown->empty() || shown->back() != which))
                shown->push_back(which);
    }
}

TEST_F(DevEntriesTest, TheKudosPlayOneAfterAnotherInTheirOrder) {
    Start(false);
    std::vector<s32> shown;
    s_thread* watch = ThreadInsertPriorityDebug("WatchKudos", nullptr, &shown, WatchKudos, nullptr, 100);
    const u32 took = RunEntry(KudosRunAll, "", 20000);
    ThreadKill(watch);
    EXPECT_LT(took, 20000u) << "the last movie ends the entry";
    std::vector<s32> all;
    for (s32 i = 0; i < NUM_KUDOS_SCREENS; ++i)
        all.push_back(i);
    EXPECT_EQ(shown, all);
    ExpectAllGivenBack();
}

TEST_F(DevEntriesTest, WithTheKudosOffNothingIsShownAndNoFramePasses) {
    Start(false);
    g_GameSettings.m_Current.bKudosScreens = 0;
    EXPECT_EQ(RunEntry(KudosRunAll, "", 1000), 0u) << "retraces";
    ExpectAllGivenBack();
}

}  // namespace
