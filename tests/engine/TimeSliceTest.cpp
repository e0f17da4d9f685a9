#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/TimeSlice.h"
#include "tests/support/EngineFixture.h"

namespace {

using TimeSliceTest = EngineFixture;

TEST_F(TimeSliceTest, JobsTakeTheLeastLoadedPhase) {
    s_time_slice a{}, b{}, c{};
    TimeSliceAlloc(&a, 2, 1.0f);
    TimeSliceAlloc(&b, 2, 1.0f);
    TimeSliceAlloc(&c, 2, 1.0f);
    EXPECT_EQ(a.slot, 0);
    EXPECT_EQ(b.slot, 1);
    EXPECT_EQ(c.slot, 0);
    for (int s = 0; s < TIME_SLICE_SLOTS; ++s)
        EXPECT_FLOAT_EQ(TimeSlots[s], s % 2 == 0 ? 2.0f : 1.0f) << s;

    TimeSliceFree(&c);
    for (int s = 0; s < TIME_SLICE_SLOTS; ++s)
        EXPECT_FLOAT_EQ(TimeSlots[s], 1.0f) << s;
}

TEST_F(TimeSliceTest, JobRunsOnItsPhaseAndAlwaysOnTheFirstCall) {
    s_time_slice every{}, third{};
    TimeSliceAlloc(&every, 1, 0.0f);
    TimeSlots[0] = TimeSlots[1] = 5.0f;  // steer the second job to phase 2
    TimeSliceAlloc(&third, 3, 0.0f);
    ASSERT_EQ(third.slot, 2);

    std::vector<u32> everyRuns, thirdRuns;
    for (u32 pass = 0; pass < 9; ++pass) {
        PassCount = pass;
        if (TimeSliceStart(&every))
            everyRuns.push_back(pass);
        if (TimeSliceStart(&third))
            thirdRuns.push_back(pass);
    }
    EXPECT_EQ(everyRuns.size(), 9u);
    EXPECT_EQ(thirdRuns, (std::vector<u32>{0, 2, 5, 8}));
}

TEST_F(TimeSliceTest, RatesOutsideTheCycleAreBroughtIntoRange) {
    s_time_slice zero{}, big{};
    TimeSliceAlloc(&zero, 0, 1.0f);
    TimeSliceAlloc(&big, 11, 1.0f);
    EXPECT_EQ(zero.rate, 1);
    EXPECT_EQ(big.rate, 10);
    EXPECT_TRUE(report().contains("TimeSliceAlloc: rate 0 out of range, using 1\n"));
    PassCount = 7;
    EXPECT_EQ(TimeSliceStart(&zero), 1);
    EXPECT_EQ(TimeSliceStart(&zero), 1);
}

// A job of rate 4 sliced from a task sees four frames' time, and the frame's own
// delta time is back after TimeSliceEnd.
struct SlicedJob {
    s_time_slice slice{};
    std::vector<f32> seen;
    std::vector<f32> after;
};

void SlicedJobTask(s_thread*, void* record) {
    auto* job = static_cast<SlicedJob*>(record);
    if (TimeSliceStart(&job->slice)) {
        job->seen.push_back(RealDeltaTime);
        TimeSliceEnd();
        job->after.push_back(RealDeltaTime);
    }
}

TEST_F(TimeSliceTest, SlicedJobSeesTheTimeSinceItsOwnLastRun) {
    EventWait(2);  // settle on whole frames
    SlicedJob job;
    TimeSliceAlloc(&job.slice, 4, 1.0f);
    ThreadInsertPriorityDebug("SlicedJob", nullptr, &job, SlicedJobTask, nullptr, 5000);
    EventWait(17);
    // The first run is forced whatever the phase; from the next one on the runs are
    // four frames apart.
    ASSERT_GE(job.seen.size(), 4u);
    for (std::size_t i = 2; i < job.seen.size(); ++i)
        EXPECT_FLOAT_EQ(job.seen[i], 4.0f / 60.0f) << i;
    for (f32 dt : job.after)
        EXPECT_FLOAT_EQ(dt, 1.0f / 60.0f);
}

}  // namespace
