// Drawing tests' view of GX: every primitive the tap sees with the transform it was
// drawn with, and small static and skinned models to draw.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "console/gx/gx_control.h"
#include "orblib47/source/Model.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ModelBuilder.h"

namespace model_draw_test {

using console::gx::RasterVertex;

constexpr f32 kTolerance = 1e-3f;
constexpr u16 kFull = 0x8000;
constexpr u8 kNone = 0xFF;

// A primitive as the tap saw it, with the model-view and projection it was drawn with.
struct Primitive {
    GXPrimitive type;
    std::vector<RasterVertex> vertices;
    Mtx modelView;
    console::gx::Projection projection;
};

inline void Keep(GXPrimitive type, const RasterVertex* vertices, u32 count, void* context) {
    const console::gx::FrontState& front = HostGXState().front;
    Primitive p{type, {vertices, vertices + count}, {}, front.projection};
    std::memcpy(p.modelView, front.posMtx[front.currentMtx / 3], sizeof(Mtx));
    static_cast<std::vector<Primitive>*>(context)->push_back(std::move(p));
}

// Where the primitive's transform puts a model-space point, in clip space.
inline std::array<f32, 4> Clip(const Primitive& p, const s_Vector4& point) {
    f32 eye[3];
    for (int r = 0; r < 3; ++r)
        eye[r] = p.modelView[r][0] * point.x + p.modelView[r][1] * point.y + p.modelView[r][2] * point.z +
                 p.modelView[r][3];
    const f32* k = p.projection.p;
    if (p.projection.type == GX_PERSPECTIVE)
        return {k[0] * eye[0] + k[1] * eye[2], k[2] * eye[1] + k[3] * eye[2], k[4] * eye[2] + k[5], -eye[2]};
    return {k[0] * eye[0] + k[1], k[2] * eye[1] + k[3], k[4] * eye[2] + k[5], 1.0f};
}

inline void ExpectAt(const Primitive& p, size_t vertex, const s_Vector4& point) {
    const std::array<f32, 4> expected = Clip(p, point);
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(p.vertices[vertex].pos[c], expected[c], kTolerance)
            << "vertex " << vertex << " axis " << c;
}

inline u32 ColorOf(const RasterVertex& v) {
    auto byte = [](f32 c) { return u32(std::lround(c * 255.0f)); };
    return byte(v.color[0][0]) << 24 | byte(v.color[0][1]) << 16 | byte(v.color[0][2]) << 8 |
           byte(v.color[0][3]);
}

inline s_Matrix4 Translation(f32 x, f32 y, f32 z) {
    s_Matrix4 m = IDMatrix4;
    m.element[3] = x;
    m.element[7] = y;
    m.element[11] = z;
    return m;
}

class ModelDrawFixture : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        HostGXSetVertexTap(Keep, &drawn_);
    }
    void TearDown() override {
        HostGXSetVertexTap(nullptr, nullptr);
        EngineFixture::TearDown();
    }

    // Four static vertices in a square, with a strip and a list over them in mesh 0.
    static void StaticSquare(ModelBuilder& b) {
        b.Quant(0, 0, 0, 0xFF0000FFu);
        b.Quant(256, 0, 0, 0x00FF00FFu);
        b.Quant(0, 256, 0, 0x0000FFFFu);
        b.Quant(256, 256, 0, 0xFFFFFFFFu);
    }
    // Three skinned vertices on bones 0 and 1.
    static void SkinnedTriangle(ModelBuilder& b) {
        b.Skinned(0, 0, 0, 0xFF0000FFu, {0, kNone, kNone}, {kFull, 0, 0});
        b.Skinned(256, 0, 0, 0x00FF00FFu, {1, kNone, kNone}, {kFull, 0, 0});
        b.Skinned(0, 256, 0, 0x0000FFFFu, {0, 1, kNone}, {0x4000, 0x4000, 0});
    }

    std::vector<Primitive> drawn_;
};

}  // namespace model_draw_test
