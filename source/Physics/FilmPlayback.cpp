#include "source/Physics/FilmPlayback.h"

#include "source/Physics/Physics.h"

void ApplyFilmFrame(const LaneContext& lane, s32 frame, FilmPoses& poses) {
    ForEachFramePose(lane, frame, [&](s32 body, const RefFrame_t& pose) { poses.body[body] = pose; });
}

bool FilmShowsBall(const LaneContext& lane, s32 frame) {
    return frame >= 0 && frame < lane.NumPhysFrames && frame < PHYS_MAX_FRAMES &&
           (lane.PhysPinsMask[frame] & FILM_BALL_BIT) != 0;
}

void LoadLanePoses(const LaneContext& lane, FilmPoses& poses) {
    for (s32 i = 0; i < NUM_PINS; ++i)
        poses.body[i] = {lane.PhysPins[i].position, lane.PhysPins[i].O};
    poses.body[FILM_BODY_BALL] = {lane.PhysBall.position, lane.PhysBall.O};
}

s_Vector3 LaneDisplayPosition(const s_Vector3& p, f32 laneOffset) {
    return {(p.x + laneOffset) * 4.0f * PHYS_WORLD_SCALE, p.y * 4.0f * PHYS_WORLD_SCALE,
            p.z * 4.0f * PHYS_WORLD_SCALE, 0.0f};
}

s_CoordSys3 LaneDisplayOrientation(const Orientation_t& o) {
    s_CoordSys3 cs{};
    cs.right = o.right;
    cs.up = o.up;
    Vect3Cross(&cs.forward, &o.up, &o.right);
    NormalizeVector(&cs.forward);
    return cs;
}

s_Matrix4 LaneWorldTransform(const RefFrame_t& pose, f32 laneOffset) {
    return LaneDisplayToWorld(LaneDisplayOrientation(pose.O), LaneDisplayPosition(pose.position, laneOffset));
}

s_Matrix4 LaneDisplayToWorld(const s_CoordSys3& axes, const s_Vector3& at) {
    s_Matrix4 local;
    CoordSys3ToMatrix4(&local, &axes);
    local.at(0, 3) = at.x;
    local.at(1, 3) = at.y;
    local.at(2, 3) = at.z;
    s_Matrix4 world;
    Matrix4MultMatrix4x4(&world, &local, &PhysLaneTransform);  // PhysLaneTransform x local
    return world;
}
