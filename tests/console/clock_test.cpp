// The console clock: virtual reads, charges and determinism; the real clock.
#include <vector>

#include "console/host_services.h"
#include "console/os.h"
#include "console/os/poll.h"
#include "console/vi.h"
#include "tests/console/support.h"

namespace {

using ClockTest = ConsoleTest;

TEST_F(ClockTest, EachReadStepsTheVirtualClock) {
    HostConfig config = SmallConfig();
    config.virtualStart = 1000;
    config.virtualReadStep = 100;
    HostInit(config);
    EXPECT_EQ(OSGetTime(), 1000);
    EXPECT_EQ(OSGetTime(), 1100);
    EXPECT_EQ(OSGetTick(), 1200u);
    HostAdvanceClock(50);
    EXPECT_EQ(OSGetTime(), 1350);
}

TEST_F(ClockTest, TickIsTheLowWordOfTheTime) {
    HostConfig config = SmallConfig();
    config.virtualStart = (OSTime{5} << 32) + 7;
    config.virtualReadStep = 0;
    HostInit(config);
    EXPECT_EQ(OSGetTick(), 7u);
}

TEST_F(ClockTest, VirtualRunsRepeatExactly) {
    auto run = [] {
        HostInit(SmallConfig());
        VIInit();
        std::vector<OSTime> times;
        for (int frame = 0; frame < 5; ++frame) {
            times.push_back(OSGetTime());
            HostChargeIdleWork();
            VIWaitForRetrace();
            times.push_back(OSGetTime());
            times.push_back(VIGetRetraceCount());
        }
        return times;
    };
    const std::vector<OSTime> first = run();
    EXPECT_EQ(first, run());
    EXPECT_EQ(first.front(), HostConfig{}.virtualStart);
}

TEST_F(ClockTest, IdleWorkCostsTheConfiguredTime) {
    const OSTime before = OSGetTime();
    HostChargeIdleWork();
    EXPECT_EQ(OSGetTime() - before, HostConfig{}.virtualReadStep + HostConfig{}.virtualIdleCost);
}

TEST_F(ClockTest, IdleWorkReachesTheNextRetraceWhateverTheFrameReadBefore) {
    // 2 ms per idle call counted from the retrace: nine calls pass one 1/60 s
    // period, however often the frame read the clock first (1,000 reads are 1 ms).
    VIInit();
    for (int reads : {0, 1000, 1900}) {
        SCOPED_TRACE(reads);
        VIWaitForRetrace();
        const u32 start = VIGetRetraceCount();
        for (int i = 0; i < reads; ++i)
            OSGetTime();
        int calls = 0;
        while (VIGetRetraceCount() == start) {
            HostChargeIdleWork();
            ++calls;
        }
        EXPECT_EQ(calls, 9);
    }
}

TEST(RealClockTest, ShowsTheHostsCalendarAndNeverGoesBack) {
    HostConfig config = SmallConfig();
    config.clock = HostClockMode::Real;
    HostInit(config);
    const OSTime first = OSGetTime();
    EXPECT_GE(OSGetTime(), first);
    OSCalendarTime td{};
    OSTicksToCalendarTime(first, &td);
    EXPECT_GE(td.year, 2024);
    EXPECT_DEATH(HostAdvanceClock(1), "the real clock cannot be moved");
    HostShutdown();
}

}  // namespace
