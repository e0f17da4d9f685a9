// The player's lane's particle effects, placed from the pins' and the deck's
// display transforms and kept in the alley's particle list.
#include "orblib47/source/ParticleSystem.h"
#include "source/Objects/AlleyObjects.h"
#include "source/Physics/FilmPlayback.h"
#include "source/Physics/LaneManager.h"

namespace {

// Over the lane's middle, `ahead` lane units before the rack's middle and
// `height` over the lane (lane units point down).
s_Vector3 OverRack(f32 ahead, f32 height) {
    const s_Vector3 lane{ALLEY_LANE_MIDDLE_X, -height, ALLEY_RACK_MIDDLE_Z - ahead, 0.0f};
    const s_Matrix4 at = LaneDisplayToWorld({}, LaneDisplayPosition(lane, Physics.fLaneOffset));
    return {at.at(0, 3), at.at(1, 3), at.at(2, 3), 0.0f};
}

void Start(const char* name, const s_Vector3& at) {
    if (g_AlleyLife.effects == nullptr)
        return;
    s_particle_system* psys = ParticleSystemLoad(name, &at, 0, 0);
    if (psys != nullptr)
        ParticleListAdd(g_AlleyLife.effects, psys);
}

}  // namespace

void AlleyPinDust() {
    Start(ALLEY_PIN_DUST, OverRack(0.0f, 0.5f));
}

void AlleyStrikeBurst() {
    // In front of the deck's masking, where the pin view sees it.
    Start(ALLEY_STRIKE_BURST, OverRack(10.0f, 3.0f));
}
