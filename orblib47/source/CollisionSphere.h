// Collision spheres and link points: bone-fixed points of a model that follow its
// skeleton. Spheres (and capsules, pairs of linked spheres) of two sets are tested
// against each other and report which collision groups touched; link points are
// named attachment places without radius.
//
// Sets are built from the model's sphere and link-point records when an
// hierarchical model binds its model, and updated right after its bones are posed.
#pragma once

#include "orblib47/source/Bone.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

// Sphere flags, one value at a time.
constexpr u32 COLLISION_SPHERE_NONE = 0x80000000u;  // not tested in the last check
constexpr u32 COLLISION_SPHERE_CHECK = 0x40000000u;
constexpr u32 COLLISION_SPHERE_HIT = 0x20000000u;  // touched in the last check
constexpr u32 COLLISION_SPHERE_IGNORE = 0x10000000u;

constexpr s8 COLLISION_NO_LINK = -1;

struct s_collision_sphere {
    s_Vector3 relative;  // in the bone's frame
    s_Vector3 world;
    u32 flags;
    u8 boneId;
    s8 link;  // the sphere that closes a capsule with this one, COLLISION_NO_LINK for none
    u32 group;
    f32 radius;
    f32 distance;  // signed, along the line between the sets in the last check
};

struct s_collision_info {
    u32 mask;  // the groups this set reacts to; set by the game
    u32 numSpheres;
    s_collision_sphere* sphereList;
    u32 collisions;  // groups hit in the last check
    s_Matrix4 world;
    f32 radius;
    f32 posOverlap;  // extents of the two sets along the line between them, last check
    f32 negOverlap;
};

struct s_link_point {
    s_Vector3 relative;
    s_Vector3 world;
    u16 flags;
    u8 boneId;
    s8 link;
    u32 group;
};

struct s_link_point_info {
    u32 numLinkPoints;
    s_link_point* linkPointList;
    s_Matrix4 world;
};

// --- CollisionSphere.cpp

// A set for the model's spheres, null when the heap has no room. Links outside the
// list or to the sphere itself become COLLISION_NO_LINK.
s_collision_info* CollisionLoad(const s_model* model);
void CollisionFree(s_collision_info* cinfo);
// Spheres whose bone is outside `header` keep their last world position.
void CollisionUpdate(s_collision_info* info, const s_hmatrix* header, const s_Matrix4* world);

s_link_point_info* LinkPointsLoad(const s_model* model);
void LinkPointsFree(s_link_point_info* linfo);
void LinkPointsUpdate(s_link_point_info* info, const s_hmatrix* header, const s_Matrix4* world);

// --- CollisionSphereCheck.cpp

// The groups touched: set 0's result ORed with set 1's. A set's result holds the
// groups of its spheres that touched a sphere of the other set whose group is in
// the other set's mask; those spheres become COLLISION_SPHERE_HIT.
u32 CollisionCheck(s_collision_info* info0, s_collision_info* info1);

// --- CollisionSphereDraw.cpp

// Screen-space outlines in flat colour: white hit, green in the set's mask, else blue.
void CollisionDebugDraw(const s_collision_info* cinfo);
void LinkPointsDebugDraw(const s_link_point_info* linfo);
