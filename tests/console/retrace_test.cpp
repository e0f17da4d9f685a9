// Retraces at poll points: counting, order, masking and no nesting.
#include <vector>

#include "console/host_services.h"
#include "console/os.h"
#include "console/os/poll.h"
#include "console/vi.h"
#include "console/vi/vi_control.h"
#include "tests/console/support.h"

namespace {

std::vector<u32> s_seen;
int s_depth = 0;
int s_maxDepth = 0;

void Record(u32 count) {
    ++s_depth;
    s_maxDepth = s_depth > s_maxDepth ? s_depth : s_maxDepth;
    s_seen.push_back(count);
    // Console calls from a callback deliver nothing nested.
    OSGetTime();
    VIGetRetraceCount();
    OSRestoreInterrupts(OSEnableInterrupts());
    --s_depth;
}

class RetraceTest : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        s_seen.clear();
        s_depth = s_maxDepth = 0;
        VIInit();
        VISetPostRetraceCallback(Record);
    }
};

TEST_F(RetraceTest, WaitReturnsAfterTheNextRetraceHasRun) {
    EXPECT_EQ(VIGetRetraceCount(), 0u);
    const OSTime before = OSGetTime();
    VIWaitForRetrace();
    EXPECT_EQ(VIGetRetraceCount(), 1u);
    EXPECT_EQ(s_seen, std::vector<u32>{1});
    // The wait jumped the clock to the next retrace, not beyond (the callback's
    // own clock reads moved it a few steps).
    const OSTime after = OSGetTime();
    EXPECT_EQ(after / console::kRetracePeriod, before / console::kRetracePeriod + 1);
    EXPECT_LT(after % console::kRetracePeriod, 10 * HostConfig{}.virtualReadStep);
    VIWaitForRetrace();
    EXPECT_EQ(s_seen, (std::vector<u32>{1, 2}));
}

TEST_F(RetraceTest, OverdueRetracesArriveInOrderAtTheNextPoll) {
    HostAdvanceClock(3 * console::kRetracePeriod);
    EXPECT_TRUE(s_seen.empty());
    OSGetTime();
    EXPECT_EQ(s_seen, (std::vector<u32>{1, 2, 3}));
    EXPECT_EQ(s_maxDepth, 1);
    // A wait delivers the overdue ones first, then waits for one more.
    HostAdvanceClock(2 * console::kRetracePeriod);
    VIWaitForRetrace();
    EXPECT_EQ(s_seen, (std::vector<u32>{1, 2, 3, 4, 5, 6}));
}

TEST_F(RetraceTest, MaskedInterruptsDeferDelivery) {
    EXPECT_EQ(OSDisableInterrupts(), TRUE);
    HostAdvanceClock(2 * console::kRetracePeriod);
    OSGetTime();
    EXPECT_EQ(VIGetRetraceCount(), 0u);
    EXPECT_EQ(OSDisableInterrupts(), FALSE);
    EXPECT_EQ(OSRestoreInterrupts(TRUE), FALSE);
    EXPECT_EQ(s_seen, (std::vector<u32>{1, 2}));

    OSDisableInterrupts();
    HostAdvanceClock(console::kRetracePeriod);
    EXPECT_EQ(OSEnableInterrupts(), FALSE);
    EXPECT_EQ(s_seen, (std::vector<u32>{1, 2, 3}));
}

TEST_F(RetraceTest, AWaitLetsRetracesInWhileMasked) {
    const BOOL level = OSDisableInterrupts();
    VIWaitForRetrace();
    EXPECT_EQ(s_seen, std::vector<u32>{1});
    EXPECT_EQ(OSRestoreInterrupts(level), FALSE);
}

bool s_maskedInCallback = false;
void CheckMask(u32) {
    s_maskedInCallback = OSDisableInterrupts() == FALSE;
}

TEST_F(RetraceTest, CallbacksRunMaskedAndSwapReturnsThePrevious) {
    EXPECT_EQ(VISetPostRetraceCallback(CheckMask), Record);
    VIWaitForRetrace();
    EXPECT_TRUE(s_maskedInCallback);
    EXPECT_EQ(OSDisableInterrupts(), TRUE);  // the mask is the program's again
    EXPECT_EQ(VISetPostRetraceCallback(nullptr), CheckMask);
}

TEST_F(RetraceTest, NoRetracesBeforeVIInit) {
    HostInit(SmallConfig());
    HostAdvanceClock(5 * console::kRetracePeriod);
    EXPECT_EQ(VIGetRetraceCount(), 0u);
    EXPECT_DEATH(VIWaitForRetrace(), "VIInit has not been called");
    // Counting starts at the next retrace; a second VIInit changes nothing.
    VIInit();
    HostAdvanceClock(console::kRetracePeriod);
    VIInit();
    EXPECT_EQ(VIGetRetraceCount(), 1u);
}

TEST_F(RetraceTest, BlackTakesEffectAtTheRetraceAfterFlush) {
    EXPECT_TRUE(HostVIIsBlack());
    VISetBlack(FALSE);
    VIWaitForRetrace();
    EXPECT_TRUE(HostVIIsBlack());  // not flushed
    VIFlush();
    EXPECT_TRUE(HostVIIsBlack());  // flushed, no retrace yet
    VIWaitForRetrace();
    EXPECT_FALSE(HostVIIsBlack());
    VISetBlack(TRUE);
    VIFlush();
    VIWaitForRetrace();
    EXPECT_TRUE(HostVIIsBlack());
}

int s_quits = 0;

void CountQuit() {
    ++s_quits;
}

// A quit request (a closed window, a signal) reaches the quit callback at the next
// retrace wait, once; one made before the callback is set waits for it.
TEST_F(RetraceTest, AQuitRequestReachesTheCallbackOnceAtARetrace) {
    s_quits = 0;
    HostRequestQuit();
    VIWaitForRetrace();
    HostSetQuitCallback(CountQuit);
    VIGetRetraceCount();
    EXPECT_EQ(s_quits, 0);
    VIWaitForRetrace();
    EXPECT_EQ(s_quits, 1);
    HostRequestQuit();
    VIWaitForRetrace();
    EXPECT_EQ(s_quits, 1);
    // A new start forgets the request and the callback.
    HostInit(SmallConfig());
    VIInit();
    HostSetQuitCallback(CountQuit);
    VIWaitForRetrace();
    EXPECT_EQ(s_quits, 1);
}

}  // namespace
