#include <array>
#include <span>
#include <vector>

#include "orblib47/source/World.h"
#include "source/Levels/AlleyLayout.h"
#include "source/Physics/BallMotion.h"
#include "tools/modelgen/AlleyParts.h"
#include "tools/modelgen/Shapes.h"

namespace modelgen {

namespace {

constexpr f32 kInch = 0.25f;  // physics units

// A regulation pin's diameter (inches) at heights (inches) above its base.
// clang-format off
constexpr std::array<std::array<f32, 2>, 16> kPinDiameters = {{
    {0.0f, 2.031f}, {0.75f, 2.828f}, {2.25f, 3.906f}, {3.375f, 4.510f}, {4.5f, 4.766f}, {5.875f, 4.497f},
    {7.25f, 3.760f}, {8.625f, 2.717f}, {9.375f, 2.002f}, {10.0f, 1.797f}, {10.875f, 1.889f},
    {11.75f, 2.157f}, {12.625f, 2.411f}, {13.5f, 2.547f}, {14.375f, 2.283f}, {14.85f, 1.4f},
}};
// clang-format on
constexpr f32 kPinHeight = 15.0f;
// Where the lathe's rings lie: few, as a frame shows forty pins; fewer still for
// pins far from the camera, a dozen pixels tall.
constexpr f32 kPinRings[] = {0.75f, 2.25f, 4.5f, 6.5f, 8.625f, 10.0f, 11.75f, 13.5f, 14.375f, 14.85f};
constexpr u32 kPinSegments = 8;
constexpr f32 kFarPinRings[] = {3.375f, 5.875f, 9.375f, 13.5f};
constexpr u32 kFarPinSegments = 6;
f32 PinRadius(f32 height) {
    for (size_t i = 1; i < kPinDiameters.size(); ++i)
        if (height <= kPinDiameters[i][0]) {
            const auto& [y0, d0] = kPinDiameters[i - 1];
            const auto& [y1, d1] = kPinDiameters[i];
            return (d0 + (d1 - d0) * (height - y0) / (y1 - y0)) / 2;
        }
    const auto& [y0, d0] = kPinDiameters.back();
    return d0 / 2 * (kPinHeight - height) / (kPinHeight - y0);
}

Mesh Box(f32 x0, f32 h0, f32 z0, f32 x1, f32 h1, f32 z1, u32 color) {
    return modelgen::Box({x0, h0, z0, 0}, {x1, h1, z1, 0}, {1, 1, 1}, color);
}

GeneratedModel Single(Mesh lane, const s_ORB_MATERIAL& material) {
    return StaticModel({{ObjectToWorld(std::move(lane)), material}});
}

}  // namespace

// Lathed about the centre of mass, which stands ALLEY_PIN_BASE_HEIGHT above the
// base, the base's rim a crease. Texture v runs down the pin's height, so the
// skin's stripes lie at their heights whatever the rings.
GeneratedModel PinModel(const char* skin, PinDetail detail) {
    const bool near = detail == PinDetail::Near;
    std::vector<ProfilePoint> profile = {{0, 0}, {PinRadius(0) * kInch, 0}, {PinRadius(0) * kInch, 0}};
    for (f32 y : near ? std::span<const f32>(kPinRings) : std::span<const f32>(kFarPinRings))
        profile.push_back({PinRadius(y) * kInch, y * kInch});
    profile.push_back({0, kPinHeight * kInch});
    Mesh mesh = Lathe(profile, near ? kPinSegments : kFarPinSegments, 0xFFFFFFFFu);
    for (Vertex& v : mesh.vertices) {
        v.v = 1 - v.pos.y / (kPinHeight * kInch);
        v.pos.y -= ALLEY_PIN_BASE_HEIGHT;
    }
    return Single(std::move(mesh), PlainMaterial(0xFFFFFFFFu, skin));
}

GeneratedModel BallModel(const char* texture) {
    return Single(Sphere(PHYS_BALL_RADIUS, 8, 12, 0xFFFFFFFFu), PlainMaterial(0xFFFFFFFFu, texture));
}

// A deck over the rack with the pin cups below it, hung on two rods.
GeneratedModel PinsetterModel() {
    constexpr u32 kSteel = 0x5A6068FFu, kCup = 0x30343AFFu;
    Mesh mesh = Box(-6.5f, 0.4f, -5.5f, 6.5f, 1.4f, 5.5f, kSteel);
    Append(&mesh, Box(-6.0f, 0.0f, -5.0f, 6.0f, 0.4f, 5.0f, kCup));
    Append(&mesh, Box(-6.5f, 1.4f, -0.4f, -5.9f, 14.0f, 0.4f, kSteel));
    Append(&mesh, Box(5.9f, 1.4f, -0.4f, 6.5f, 14.0f, 0.4f, kSteel));
    return Single(std::move(mesh), PlainMaterial(0xFFFFFFFFu));
}

// A bar across the lane and both gutters, on an arm at either end.
GeneratedModel SweeperModel() {
    constexpr u32 kPaint = 0xD07020FFu, kArm = 0x50545AFFu;
    const f32 half = LANE_RIGHT_EDGE / 2 + kGutterWidth;
    Mesh mesh = Box(-half, 0.2f, -0.15f, half, 2.6f, 0.15f, kPaint);
    Append(&mesh, Box(-half - 0.4f, 0.2f, -0.3f, -half, 12.0f, 0.3f, kArm));
    Append(&mesh, Box(half, 0.2f, -0.3f, half + 0.4f, 12.0f, 0.3f, kArm));
    return Single(std::move(mesh), PlainMaterial(0xFFFFFFFFu));
}

// The hood the balls come back under, with a ball waiting on its rails.
GeneratedModel BallReturnModel() {
    Mesh mesh = Box(-1.4f, 0.0f, -4.0f, 1.4f, 2.2f, 4.0f, 0x283848FFu);
    Append(&mesh, Box(-1.2f, 2.2f, -3.6f, 1.2f, 2.8f, 3.6f, 0x8090A0FFu));
    Mesh ball = Sphere(PHYS_BALL_RADIUS, 6, 10, 0x2040C0FFu);
    for (Vertex& v : ball.vertices)
        v.pos.y += 2.8f + PHYS_BALL_RADIUS;
    Append(&mesh, ball);
    GeneratedModel model = Single(std::move(mesh), PlainMaterial(0xFFFFFFFFu));
    for (discbuild::VhmMesh& m : model.vhm.meshes)
        m.flags |= WORLD_DRAW_OPAQUE;
    SetMeshOctree(&model.vhm);
    return model;
}

}  // namespace modelgen
