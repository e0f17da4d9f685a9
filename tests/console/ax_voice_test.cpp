// Acquiring voices: free voices first, then the lowest priority below the
// request, the most recently acquired of equals, with its owner told.
#include <vector>

#include "tests/console/ax_support.h"

namespace {

using AxVoiceTest = ConsoleTest;

std::vector<u32> s_dropped;  // user contexts of dropped voices

void Dropped(void* vpb) {
    s_dropped.push_back(static_cast<AXVPB*>(vpb)->userContext);
}

TEST_F(AxVoiceTest, StealsTheLowestPriorityMostRecentFirst) {
    s_dropped.clear();
    // Voice i gets priority 20, except 5 and 9 (priority 3) and 30 (priority 7).
    std::vector<AXVPB*> voices;
    for (u32 i = 0; i < AX_MAX_VOICES; ++i) {
        const u32 priority = i == 5 || i == 9 ? 3 : i == 30 ? 7 : 20;
        AXVPB* voice = AXAcquireVoice(priority, Dropped, i);
        ASSERT_NE(voice, nullptr);
        EXPECT_EQ(voice->index, i);
        voices.push_back(voice);
    }
    struct Step {
        u32 priority;
        s32 expectedIndex;  // -1: none
    } steps[] = {{3, -1}, {10, 9}, {10, 5}, {10, 30}, {10, -1}, {21, 30}};
    for (const Step& step : steps) {
        AXVPB* voice = AXAcquireVoice(step.priority, Dropped, 100);
        if (step.expectedIndex < 0) {
            EXPECT_EQ(voice, nullptr) << "priority " << step.priority;
            continue;
        }
        ASSERT_NE(voice, nullptr);
        EXPECT_EQ(voice->index, u32(step.expectedIndex));
        EXPECT_EQ(voice->priority, step.priority);
        EXPECT_EQ(voice->userContext, 100u);
    }
    EXPECT_EQ(s_dropped, (std::vector<u32>{9, 5, 30, 100}));
}

TEST_F(AxVoiceTest, AFreedVoiceComesBackStoppedAndZeroed) {
    AXVPB* voice = AXAcquireVoice(AX_PRIORITY_NODROP, nullptr, 1);
    AXSetVoiceState(voice, AX_PB_STATE_RUN);
    AXSetVoiceEndAddr(voice, 1234);
    AXFreeVoice(voice);
    EXPECT_EQ(voice->priority, AX_PRIORITY_FREE);
    AXVPB* again = AXAcquireVoice(AX_PRIORITY_LOWEST, nullptr, 2);
    EXPECT_EQ(again, voice);
    EXPECT_EQ(again->pb.state, AX_PB_STATE_STOP);
    EXPECT_EQ(again->pb.addr.endAddress, 0u);
}

TEST_F(AxVoiceTest, NoDropVoicesAreNeverTaken) {
    for (u32 i = 0; i < AX_MAX_VOICES; ++i)
        ASSERT_NE(AXAcquireVoice(AX_PRIORITY_NODROP, nullptr, i), nullptr);
    EXPECT_EQ(AXAcquireVoice(AX_PRIORITY_NODROP, nullptr, 0), nullptr);
    EXPECT_EQ(AXAcquireVoice(1000, nullptr, 0), nullptr);
}

}  // namespace
