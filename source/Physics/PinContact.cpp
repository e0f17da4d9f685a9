#include "source/Physics/PinContact.h"

s_Vector3 ProxyLever(const PinData& pin, const s_Vector3& centre, const s_Vector3& offset, f32 fraction) {
    return s_Vector3{centre.x + fraction * offset.x - pin.position.x,
                     centre.y + fraction * offset.y - pin.position.y,
                     centre.z + fraction * offset.z - pin.position.z, 0.0f};
}

void MarkPinStruck(LaneContext& lane, s32 pin) {
    if (lane.PhysPins[pin].state != UntouchedPin) {
        return;
    }
    lane.PinsToOutput |= PinBit(pin);
    lane.FramePinStartWobble[pin] = lane.NumPhysFrames;
    lane.PhysPins[pin].state = WobblePin;
}
