// The reset and power buttons: the reset machine, the switch-off, and leaving the
// program from inside a fatal drive error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/dvd/dvd_control.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "console/vi.h"
#include "console/vi/vi_control.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/OrbThread.h"
#include "tests/engine/HardwareTestSupport.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TempDisc.h"

namespace {

class HardwareResetTest : public EngineFixture {
protected:
    HostConfig Config() const override { return disc_.Config(); }
    void SetUp() override {
        disc_.Write("DATA/FILE.BIN", std::vector<u8>(4096, 7));
        EngineFixture::SetUp();
        CatchLeaving();
    }

    TempDisc disc_;
};

const s_thread* FindTask(const char* name) {
    for (auto* task = static_cast<s_thread*>(SystemThreads->next); task != nullptr; task = task->nextTask()) {
        if (std::string(task->name) == name)
            return task;
    }
    return nullptr;
}

TEST_F(HardwareResetTest, TheWarmResetStartsTheResetTaskWithResetsEnabled) {
    const s_thread* task = FindTask("HWResetThread");
    ASSERT_NE(task, nullptr);
    EXPECT_EQ(task->priority, 4000u);
    EXPECT_EQ(SoftResetEnabled, 1);
    EXPECT_EQ(ResetState, u32(RESET_STATE_IDLE));
    EXPECT_STREQ(GameName, ORBLIB_GAME_TITLE);
}

TEST_F(HardwareResetTest, HoldingResetDoesNothingUntilItIsReleased) {
    HostSetResetButton(true);
    EXPECT_EQ(RunFrames(20), std::nullopt);
    EXPECT_EQ(ResetState, u32(RESET_STATE_HELD));
    EXPECT_FALSE(HostVIIsBlack());
    HostSetResetButton(false);
    EXPECT_EQ(RunFrames(5), 0);
    EXPECT_TRUE(HostVIIsBlack()) << "the screen goes black before the restart";
}

// A release restarts while the drive is ready or only wants the disc; a drive that
// must retry or has failed drops the request.
TEST_F(HardwareResetTest, AReleaseRestartsUnlessTheDriveRetriesOrFailed) {
    const struct {
        s32 drive;
        bool restarts;
    } cases[] = {
        {DVD_STATE_END, true},     {DVD_STATE_COVER_OPEN, true}, {DVD_STATE_WRONG_DISK, true},
        {DVD_STATE_NO_DISK, true}, {DVD_STATE_RETRY, false},     {DVD_STATE_FATAL_ERROR, false},
    };
    for (const auto& c : cases) {
        ResetState = RESET_STATE_IDLE;
        HostDVDSetDriveStatus(c.drive);
        HostSetResetButton(true);
        EXPECT_EQ(RunFrames(2), std::nullopt);
        HostSetResetButton(false);
        const std::optional<int> left = RunFrames(6);
        EXPECT_EQ(left.has_value(), c.restarts) << c.drive;
        if (!c.restarts) {
            EXPECT_EQ(ResetState, u32(RESET_STATE_IDLE)) << c.drive;
        }
    }
    HostDVDSetDriveStatus(DVD_STATE_END);
}

void PressReset(void*) {
    HostSetResetButton(true);
}
void ReleaseReset(void*) {
    HostSetResetButton(false);
}

// The frames run under the disc-error message, so the reset button still works.
TEST_F(HardwareResetTest, AResetWhileTheCoverIsOpenRestartsFromUnderTheMessage) {
    HostDVDSetDriveStatus(DVD_STATE_COVER_OPEN);
    console::PollSchedule(console::ClockNow() + 3 * console::kRetracePeriod, PressReset, nullptr);
    console::PollSchedule(console::ClockNow() + 6 * console::kRetracePeriod, ReleaseReset, nullptr);
    EXPECT_EQ(Leaving([] { HardwareCheckFileError(); }), 0);
    EXPECT_EQ(HardwareErrorActive, 1) << "left from inside the handler";
    HostDVDSetDriveStatus(DVD_STATE_END);
}

TEST_F(HardwareResetTest, ClosingTheWindowSwitchesOff) {
    HostRequestQuit();
    EXPECT_EQ(RunFrames(3), kShutdown);
    EXPECT_EQ(HardwareGetPowerButtonStatus(), 1);
    EXPECT_TRUE(report().contains("System Shutdown....\n"));
    EXPECT_TRUE(HostVIIsBlack());
}

u32 s_errorCalls = 0;
s32 CountErrorCalls(u32 status) {
    EXPECT_EQ(status, FILE_ERROR_FATAL);
    ++s_errorCalls;
    return 0;
}

void PressPower(void*) {
    HostRequestQuit();
}

size_t Count(const std::string& text, const std::string& needle) {
    size_t n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++n;
    return n;
}

// A fatal drive error never lets the read return, but the frames keep running: the
// power button (a closed window) still ends the program.
TEST_F(HardwareResetTest, AFatalReadShowsTheErrorOnceAndStillSwitchesOff) {
    for (FileErrorCallbackFunc callback : {CountErrorCalls, HardwareDisplayFileErrorMessage}) {
        s_errorCalls = 0;
        report_->clear();
        PowerButtonPressed = 0;
        console::QuitReset();
        FileSetErrorCallback(callback);
        const s32 fid = FileOpen("DATA\\FILE.BIN");
        ASSERT_NE(fid, 0);
        HostDVDSetDriveStatus(DVD_STATE_FATAL_ERROR);
        const u32 retraces = VIGetRetraceCount();
        console::PollSchedule(console::ClockNow() + 8 * console::kRetracePeriod, PressPower, nullptr);
        u8 buffer[64];
        EXPECT_EQ(Leaving([&] { FileReadBytes(fid, buffer, sizeof(buffer)); }), kShutdown);
        EXPECT_GE(VIGetRetraceCount() - retraces, 8u);
        EXPECT_EQ(Count(report().text(), "DVD: FATAL ERROR\n"), 1u);
        if (callback == CountErrorCalls) {
            EXPECT_EQ(s_errorCalls, 1u);
        }
        HostDVDSetDriveStatus(DVD_STATE_END);
        FileUpdateErrorStatus();
        FileClose(fid);
    }
}

}  // namespace
