// Physics primitives: the simple collision shapes (spheres and boxes) a model
// carries on its bones. Each hierarchical model keeps its own native copy of its
// model's list and moves the shapes with the bones every frame.
#pragma once

#include "orblib47/source/OrbMath.h"
#include "orblib47/source/OrbTypes.h"

struct s_hmatrix;
struct s_model;

enum e_PHYSICS_PRIM_TYPE : u32 {
    PHYSICS_PRIM_TYPE_SPHERE = 0,
    PHYSICS_PRIM_TYPE_BOX = 1,
};

// Bytes of one big-endian record in the model chunk.
constexpr u32 PHYSICS_PRIM_RECORD_SIZE = 80;

struct s_PHYSICS_PRIM {
    s_Vector4 offset;         // in the bone's space
    s_Vector4 worldPosition;  // computed each frame
    s_Quaternion rotation;
    u32 physicsType;            // e_PHYSICS_PRIM_TYPE
    u32 boneId;                 // below the bone count of the model the copy was made from
    f32 radius;                 // sphere
    f32 width, height, length;  // box
    f32 mass;
};

// Decodes one record of the model chunk.
s_PHYSICS_PRIM PhysicsPrimParse(const u8* record);

struct PhysicsPrim {
    u32 numPrims = 0;
    s_PHYSICS_PRIM* primList = nullptr;

    // Copies the model's primitives; those on a bone the model does not have are
    // left out with a one-line message. Replaces any earlier copy.
    void Init(const s_model* model);
    void Deinit();
    // World position of each primitive from its bone; a bone past the hierarchy's
    // count leaves the last position.
    void Update(const s_hmatrix* header);
};
