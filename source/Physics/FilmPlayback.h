// Reading a lane's film back, and placing its poses for display. Shared by the
// player's lane manager, the computer bowlers and the host tools.
#pragma once

#include "source/Physics/LaneContext.h"

// The bodies a film frame can record, in the order their poses are stored.
constexpr s32 FILM_BODY_BALL = NUM_PINS;
constexpr s32 FILM_BODY_SWEEPER = NUM_PINS + 1;
constexpr s32 FILM_BODIES = NUM_PINS + 2;

constexpr PinMask FilmBodyBit(s32 body) {
    return body < NUM_PINS ? PinBit(body) : body == FILM_BODY_BALL ? FILM_BALL_BIT : FILM_SWEEPER_BIT;
}

// Calls f(body, pose) for every body recorded in the frame, in storage order. A
// frame whose poses would run past the pose buffer stops there.
template <typename F>
void ForEachFramePose(const LaneContext& lane, s32 frame, F&& f) {
    if (frame < 0 || frame >= PHYS_MAX_FRAMES)
        return;
    const PinMask mask = lane.PhysPinsMask[frame];
    s32 index = lane.PhysDataIndex[frame];
    for (s32 body = 0; body < FILM_BODIES; ++body) {
        if ((mask & FilmBodyBit(body)) == 0)
            continue;
        if (index >= PHYS_MAX_POSES)
            return;
        f(body, lane.PhysOrientFrame[index++]);
    }
}

// The last pose shown of every body: a frame updates only the bodies it records.
struct FilmPoses {
    RefFrame_t body[FILM_BODIES];
};

void ApplyFilmFrame(const LaneContext& lane, s32 frame, FilmPoses& poses);
// The frame records the ball: it is still to be seen (false outside the film).
bool FilmShowsBall(const LaneContext& lane, s32 frame);
// The ball's and the pins' current simulation poses (the rack as it stands).
void LoadLanePoses(const LaneContext& lane, FilmPoses& poses);

// A lane position in world units: ((x + laneOffset) x 4, y x 4, z x 4) x world scale.
s_Vector3 LaneDisplayPosition(const s_Vector3& p, f32 laneOffset);
// right, up and forward = up x right (normalised); trans is left zero.
s_CoordSys3 LaneDisplayOrientation(const Orientation_t& o);
// The pose placed in the world through PhysLaneTransform.
s_Matrix4 LaneWorldTransform(const RefFrame_t& pose, f32 laneOffset);
// A displayed pose (LaneDisplayPosition, LaneDisplayOrientation) placed the same way.
s_Matrix4 LaneDisplayToWorld(const s_CoordSys3& axes, const s_Vector3& at);
