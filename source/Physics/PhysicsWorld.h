// Helpers shared by the lane's world, film and pinsetter code.
#pragma once

#include "source/Physics/LaneContext.h"

// The pins left standing: untouched, or still rocking on their base.
PinMask StandingPins(const LaneContext& lane);
// Ends the pin action: the standing pins become the result, and the lane manager
// takes it once playback reaches the given frame.
void CompletePinAction(LaneContext& lane, s32 frame);

// Appends one pose to the frame being written. At the cap the pose goes to the last
// slot, the simulation stops and false is returned.
bool AppendPose(LaneContext& lane, const RefFrame_t& pose);

// Visits the pin pairs of one collision pass, (i, j) with i < j: both in play and at
// least one moving. Pin i's state is taken once for all its pairs; pin j's state is
// read when its pair comes up, so a pin knocked earlier in the pass is seen moving.
template <typename Visit>
void ForEachPinPairToTest(const LaneContext& lane, Visit&& visit) {
    for (s32 i = 0; i < NUM_PINS - 1; ++i) {
        const PinState first = lane.PhysPins[i].state;
        if (first == InactivePin)
            continue;
        const bool firstMoving = first != UntouchedPin;
        for (s32 j = i + 1; j < NUM_PINS; ++j) {
            const PinState second = lane.PhysPins[j].state;
            const bool test =
                firstMoving ? second != InactivePin : (second == ActivePin || second == WobblePin);
            if (test)
                visit(i, j);
        }
    }
}
