// Timed callbacks of the poll-point scheduler.
#include <vector>

#include "console/os.h"
#include "console/os/clock.h"
#include "console/os/poll.h"
#include "console/vi.h"
#include "tests/console/support.h"

namespace {

std::vector<int> s_order;

void Note(void* context) {
    s_order.push_back(*static_cast<int*>(context));
}

using ScheduleTest = ConsoleTest;

TEST_F(ScheduleTest, NeverDeliveredInsideTheCallThatQueuedIt) {
    s_order.clear();
    int id = 1;
    {
        console::PollScope call;  // one console call that queues and then polls
        console::PollSchedule(console::ClockNow(), Note, &id);
        OSGetTime();
        console::Poll();
        EXPECT_TRUE(s_order.empty());
    }
    OSGetTime();
    EXPECT_EQ(s_order, std::vector<int>{1});
}

int s_requeued = 0;
void Requeue(void* context) {
    Note(context);
    if (++s_requeued < 3)
        console::PollSchedule(console::ClockNow(), Requeue, context);
}

TEST_F(ScheduleTest, ACallbackQueuedByACallbackWaitsForTheNextPoll) {
    s_order.clear();
    s_requeued = 0;
    int id = 7;
    console::PollSchedule(console::ClockNow(), Requeue, &id);
    OSGetTime();
    EXPECT_EQ(s_order, std::vector<int>{7});
    OSGetTime();
    OSGetTime();
    EXPECT_EQ(s_order, (std::vector<int>{7, 7, 7}));
}

void NoteRetrace(u32 count) {
    s_order.push_back(static_cast<int>(count) * 100);
}

TEST_F(ScheduleTest, DeliveredInTimeOrderAmongRetraces) {
    s_order.clear();
    VIInit();
    VISetPostRetraceCallback(NoteRetrace);
    const OSTime now = console::ClockNow();
    const OSTime firstRetrace = now - now % console::kRetracePeriod + console::kRetracePeriod;
    int late = 2;
    int early = 1;
    int notYet = 3;
    console::PollSchedule(firstRetrace + 10, Note, &late);
    console::PollSchedule(firstRetrace - 10, Note, &early);
    console::PollSchedule(firstRetrace + 5 * console::kRetracePeriod, Note, &notYet);
    HostAdvanceClock(2 * console::kRetracePeriod);
    OSGetTime();
    EXPECT_EQ(s_order, (std::vector<int>{1, 100, 2, 200}));
}

TEST_F(ScheduleTest, MaskedUntilRestored) {
    s_order.clear();
    int id = 4;
    console::PollSchedule(console::ClockNow(), Note, &id);
    const BOOL level = OSDisableInterrupts();
    OSGetTime();
    EXPECT_TRUE(s_order.empty());
    OSRestoreInterrupts(level);
    EXPECT_EQ(s_order, std::vector<int>{4});
}

}  // namespace
