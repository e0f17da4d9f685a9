// Solid shapes as triangle lists: boxes, lathed solids (a profile revolved about y)
// and spheres, each with normals, texture coordinates and a vertex colour.
//
// Triangles run counter-clockwise seen from outside: (b - a) x (c - a) points out
// of the solid, the way the engine's front faces are wound.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "orblib47/source/OrbMath.h"

namespace modelgen {

struct Vertex {
    s_Vector3 pos{};
    s_Vector3 normal{};  // unit length
    f32 u = 0, v = 0;
    u32 color = 0xFFFFFFFFu;  // 0xRRGGBBAA
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<u16> triangles;  // three vertex indices a triangle
};

// An axis-aligned box, each face a grid of divisions[axis] cells along each of its
// two axes, with flat normals (the corners are not shared between faces).
Mesh Box(const s_Vector3& min, const s_Vector3& max, const std::array<u32, 3>& divisions, u32 color);

// A point of a lathe profile: distance r >= 0 from the y axis at height y.
struct ProfilePoint {
    f32 r, y;
};

// The profile, from the bottom up with the solid's outside on the +r side,
// revolved about y in `segments` steps. A point on the axis closes the solid there;
// normals are smoothed along the profile, and a point given twice makes a crease.
// Texture u runs round the axis, v down the profile.
Mesh Lathe(std::span<const ProfilePoint> profile, u32 segments, u32 color);

// A sphere about the origin: a lathed half circle of `rings` steps.
Mesh Sphere(f32 radius, u32 rings, u32 segments, u32 color);

}  // namespace modelgen
