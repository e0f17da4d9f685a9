// HostInit as the tests use it: every service back to its power-on state; the
// system settings; the debug output.
#include <string>

#include "console/card.h"
#include "console/dvd.h"
#include "console/os.h"
#include "console/pad.h"
#include "console/sc.h"
#include "console/vi.h"
#include "console/vi/vi_control.h"
#include "tests/console/support.h"

namespace {

void Nothing(u32) {}

void Collect(const char* text, void* context) {
    *static_cast<std::string*>(context) += text;
}

using HostTest = ConsoleTest;

TEST_F(HostTest, SecondInitStartsFromScratch) {
    VIInit();
    VISetPostRetraceCallback(Nothing);
    VIWaitForRetrace();
    SCInit();
    std::string text;
    HostSetReportSink(Collect, &text);
    void* oldLo = OSInitAlloc(OSGetMEM1ArenaLo(), OSGetMEM1ArenaHi(), 1);
    OSCreateHeap(oldLo, OSGetMEM1ArenaHi());

    HostConfig config = SmallConfig();
    config.mem1Size = 128 * 1024;
    HostInit(config);
    EXPECT_EQ(HostGetConfig().mem1Size, 128u * 1024);
    EXPECT_EQ(static_cast<char*>(OSGetMEM1ArenaHi()) - static_cast<char*>(OSGetMEM1ArenaLo()), 128 * 1024);
    EXPECT_EQ(OSGetTime(), config.virtualStart);
    EXPECT_EQ(VIGetRetraceCount(), 0u);
    EXPECT_EQ(SCCheckStatus(), SC_STATUS_BUSY);
    EXPECT_EQ(VISetPostRetraceCallback(nullptr), nullptr);
    EXPECT_TRUE(HostVIIsBlack());
    // No heap survives: handle 0 is unknown until a heap is made again.
    EXPECT_DEATH(OSAllocFromHeap(0, 32), "invalid heap handle");
    testing::internal::CaptureStderr();
    OSReport("after\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "after\n");
    EXPECT_TRUE(text.empty());
}

TEST_F(HostTest, BootSequenceOfTheEngine) {
    OSInit();
    DVDInit();
    VIInit();
    EXPECT_EQ(PADInit(), TRUE);
    CARDInit();
    SCInit();
    OSInit();
    SCInit();
    EXPECT_EQ(SCCheckStatus(), SC_STATUS_READY);
}

TEST_F(HostTest, SettingsComeFromTheConfiguration) {
    HostConfig config = SmallConfig();
    config.language = SC_LANG_GERMAN;
    config.aspectRatio = SC_ASPECT_RATIO_16x9;
    config.progressiveMode = 1;
    HostInit(config);
    SCInit();
    EXPECT_EQ(SCGetLanguage(), SC_LANG_GERMAN);
    EXPECT_EQ(SCGetAspectRatio(), SC_ASPECT_RATIO_16x9);
    EXPECT_EQ(SCGetProgressiveMode(), 1);
    SCSetProgressiveMode(0);
    EXPECT_EQ(SCGetProgressiveMode(), 0);
}

TEST_F(HostTest, ReportGoesToTheSinkOrStandardError) {
    std::string text;
    HostSetReportSink(Collect, &text);
    OSReport("MEM%d RAM Size: %d bytes\n", 0, 1234);
    OSReport("%s", std::string(600, 'x').c_str());
    EXPECT_EQ(text, "MEM0 RAM Size: 1234 bytes\n" + std::string(600, 'x'));
    HostSetReportSink(nullptr, nullptr);
    testing::internal::CaptureStderr();
    OSReport("%d-%s\n", 7, "seven");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "7-seven\n");
}

}  // namespace
