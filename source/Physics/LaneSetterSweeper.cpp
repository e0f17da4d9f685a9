// The pinsetter and the sweeper bar of the player's lane, placed from the film: the
// bar where the sweep has brought it, the pinsetter down on the standing pins while
// it lifts them and parked above the deck otherwise.
#include "source/Levels/AlleyLayout.h"
#include "source/Physics/LaneManager.h"

namespace {

constexpr f32 kBarStartZ = 179.375f;    // in front of the head pin
constexpr f32 kSweeperRaisedY = -6.0f;  // clear of the standing pins
// From a pin's centre of mass to its top.
constexpr f32 kPinTopAboveCentre = ALLEY_SETTER_LOW_HEIGHT - ALLEY_PIN_BASE_HEIGHT;

RefFrame_t Upright(f32 x, f32 y, f32 z) {
    RefFrame_t pose{};
    pose.position = {x, y, z, 0.0f};
    pose.O.up = {0.0f, -1.0f, 0.0f, 0.0f};
    pose.O.right = {1.0f, 0.0f, 0.0f, 0.0f};
    return pose;
}

}  // namespace

void CLaneManager::DisplaySetterSweeper() {
    // The player's film records only the bar's z, and none before the sweep.
    const f32 barZ = m_displayPoses.body[FILM_BODY_SWEEPER].position.z;
    const bool sweeping = barZ != 0.0f;
    m_sweeperTransform = LaneWorldTransform(
        Upright(ALLEY_LANE_MIDDLE_X, sweeping ? 0.0f : kSweeperRaisedY, sweeping ? barZ : kBarStartZ),
        fLaneOffset);

    f32 setterY = -ALLEY_SETTER_REST_HEIGHT;
    const LaneContext& lane = PlayerLane;
    if (lane.FramePinsetterStarts != 0 && m_iLastDisplayedFrame >= lane.FramePinsetterStarts) {
        for (s32 i = 0; i < NUM_PINS; ++i) {
            if ((lane.iPhysicsResult & PinBit(i)) == 0)
                continue;
            const f32 top = m_displayPoses.body[i].position.y - kPinTopAboveCentre;
            setterY = top > setterY ? top : setterY;
        }
    }
    m_setterTransform =
        LaneWorldTransform(Upright(ALLEY_LANE_MIDDLE_X, setterY, ALLEY_RACK_MIDDLE_Z), fLaneOffset);
}
