// The collision pass of one fine or sweep step.
#include "source/Physics/Physics.h"
#include "source/Physics/PhysicsWorld.h"

void CollisionDetection(LaneContext& lane) {
    ForEachPinPairToTest(lane, [&lane](s32 i, s32 j) { DetectPinPinCollision(lane, i, j); });

    // Each pin's own wall or wobble step follows its ball test, so a pin struck now
    // starts rocking in this step.
    for (s32 i = 0; i < NUM_PINS; ++i) {
        if (lane.PhysBall.visible && lane.PhysPins[i].state != InactivePin)
            DetectBallPinCollision(lane, i);
        switch (lane.PhysPins[i].state) {
            case ActivePin:
                DetectPinWallCollision(lane, i);
                break;
            case WobblePin:
                DoWobblePin(lane, i);
                break;
            case InactivePin:
            case UntouchedPin:
                break;
        }
    }
}
