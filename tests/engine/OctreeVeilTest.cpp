#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Octree.h"
#include "tests/support/EngineFixture.h"

namespace {

// The camera at the origin, looking down -z.
class OctreeVeilTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        const s_Vector3 eye = {0, 0, 0, 0};
        DrawSetCamera(&IDMatrix4, &eye);
    }

    // A 2 x 2 square at depth z around (x, y), corners in the given order.
    void Square(f32 x, f32 y, f32 z, const std::array<s32, 4>& order = {0, 1, 2, 3}, u32 flags = 0) {
        const f32 corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        const u16 first = u16(vertices.size());
        for (s32 i : order)
            vertices.push_back({x + corners[i][0], y + corners[i][1], z, 0xFFFFFFFFu});
        veils.push_back({x, y, z, 1.5f, 0, {first, u16(first + 1), u16(first + 2), u16(first + 3)}, flags});
    }
    // The veils as a model's; the number of volumes the viewport got.
    s32 Update() {
        s_model model{};
        model.numVeils = s32(veils.size());
        model.veilList = veils.data();
        model.numCollisionVertex = s32(vertices.size());
        model.collisionVertexList = vertices.data();
        ModelUpdateVeilPlanes(&model);
        return DrawContext.viewport->veilCount;
    }
    s32 Hidden(f32 x, f32 y, f32 z, f32 r) {
        const s_Vector3 c = {x, y, z, 0};
        return DrawClipSphereInsideVeils(&c, r);
    }

    std::vector<s_draw_veil> veils;
    std::vector<s_model_collision_vertex> vertices;
};

TEST_F(OctreeVeilTest, EitherWindingHidesWhatLiesWhollyBehind) {
    for (const auto& order : {std::array<s32, 4>{0, 1, 2, 3}, std::array<s32, 4>{0, 3, 2, 1}}) {
        veils.clear();
        vertices.clear();
        Square(0, 0, -10, order);
        ASSERT_EQ(Update(), 1);
        // The quad's plane faces away from the camera.
        const s_draw_clip_plane& back = TempVeilPlanes[0];
        EXPECT_FLOAT_EQ(back.z, -1.0f);
        EXPECT_FLOAT_EQ(back.distance, -10.0f);
        EXPECT_EQ(Hidden(0, 0, -20, 0.5f), DC_CLIP_COMPLETELY_INSIDE_VEIL);
        EXPECT_EQ(Hidden(0, 0, -5, 0.5f), DC_CLIP_NONE);      // in front
        EXPECT_EQ(Hidden(5, 0, -20, 0.5f), DC_CLIP_NONE);     // behind, beside the shadow
        EXPECT_EQ(Hidden(0, 0, -10, 1.0f), DC_CLIP_VEIL);     // through the quad
        EXPECT_EQ(Hidden(1.9f, 0, -20, 0.5f), DC_CLIP_VEIL);  // across the shadow's edge
    }
}

TEST_F(OctreeVeilTest, VeilsBehindTheCameraOutOfViewOrDisabledGiveNoPlanes) {
    Square(0, 0, -10);
    ASSERT_EQ(Update(), 1);
    veils.clear();
    vertices.clear();
    Square(0, 0, 10);                                     // behind the camera
    Square(200, 0, -10);                                  // beside the view
    Square(0, 0, -10, {0, 1, 2, 3}, DRAW_VEIL_DISABLED);  // switched off
    EXPECT_EQ(Update(), 0);
    EXPECT_EQ(Hidden(0, 0, -20, 0.5f), DC_CLIP_NONE);

    Square(0, 0, -10);
    ASSERT_EQ(Update(), 1);
    veils.clear();
    EXPECT_EQ(Update(), 0);  // no veils at all
}

TEST_F(OctreeVeilTest, VeilsPastTwentyAreDropped) {
    for (s32 i = 0; i < VEIL_MAX + 5; ++i)
        Square(f32(i % 5) * 3.0f - 6.0f, f32(i / 5) * 3.0f - 6.0f, -40.0f);
    EXPECT_EQ(Update(), VEIL_MAX);
    const std::string message = "VEIL: more than 20 veils in view, the rest dropped\n";
    const std::string& text = report().text();
    ASSERT_NE(text.find(message), std::string::npos);
    EXPECT_EQ(text.find(message, text.find(message) + 1), std::string::npos);  // said once
    // The twentieth (at x 6, y 3) is built, the twenty-first (x -6, y 6) is not:
    // points half as far again behind them, on the line from the camera.
    EXPECT_EQ(Hidden(9, 4.5f, -60, 0.2f), DC_CLIP_COMPLETELY_INSIDE_VEIL);
    EXPECT_EQ(Hidden(-9, 9, -60, 0.2f), DC_CLIP_NONE);
}

std::vector<u8> VeilChunk(u16 corner) {
    std::vector<u8> chunk(8 + 32);
    StoreBE32(&chunk[8], std::bit_cast<u32>(1.5f));
    StoreBE32(&chunk[8 + 12], std::bit_cast<u32>(2.0f));
    for (s32 j = 0; j < 4; ++j)
        StoreBE16(&chunk[8 + 20 + 2 * j], u16(corner + j));
    StoreBE32(&chunk[8 + 28], DRAW_VEIL_DISABLED);
    return chunk;
}

TEST_F(OctreeVeilTest, VeilListsAreCheckedAndSwapped) {
    std::vector<u8> good = VeilChunk(4);
    s_draw_veil* list = nullptr;
    ASSERT_TRUE(VeilListParse(good, 8, 1, 8, &list));
    EXPECT_EQ(list, reinterpret_cast<const s_draw_veil*>(good.data() + 8));
    EXPECT_EQ(list->x, 1.5f);
    EXPECT_EQ(list->radius, 2.0f);
    EXPECT_EQ(list->vertIndex[3], 7);
    EXPECT_EQ(list->flags, DRAW_VEIL_DISABLED);

    std::vector<u8> bad = VeilChunk(5);
    const std::vector<u8> before = bad;
    EXPECT_FALSE(VeilListParse(bad, 8, 1, 8, &list));
    EXPECT_EQ(bad, before);
    EXPECT_TRUE(report().contains("VEIL: bad veil list (corner past the collision vertices)\n"));
    EXPECT_FALSE(VeilListParse(bad, 8, 2, 8, &list));
    EXPECT_FALSE(VeilListParse(bad, 10, 1, 8, &list));
    EXPECT_TRUE(report().contains("VEIL: bad veil list (outside the chunk)\n"));
}

}  // namespace
