// Material-sorted drawing: strips recorded per material while the filter admits the
// material, then drawn one material at a time, each list last-recorded first.
#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "tests/engine/ModelDrawFixture.h"

namespace {

using namespace model_draw_test;

class ModelSortedTest : public ModelDrawFixture {
protected:
    // Strip vertex counts in the order they were drawn.
    std::vector<size_t> Drawn() {
        std::vector<size_t> counts;
        for (const Primitive& p : drawn_) {
            EXPECT_EQ(p.type, GX_TRIANGLESTRIP);
            counts.push_back(p.vertices.size());
        }
        drawn_.clear();
        return counts;
    }

    // Records every mesh of the model, then draws.
    static void Record(s_model* model) {
        ModelDrawStart(model);
        for (s32 m = 0; m < model->numMeshes; ++m)
            ModelDrawMeshSorted(model, &model->meshList[m], 0);
    }
};

TEST_F(ModelSortedTest, DrawsMaterialByMaterialLastRecordedFirst) {
    ModelBuilder b;
    StaticSquare(b);
    b.Material(MATERIAL_FLAG_HAS_OPAQUE);
    b.Material(MATERIAL_FLAG_HAS_OPAQUE);
    b.Mesh()
        .Command(MODEL_CMD_MATERIAL, 1)
        .Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2})
        .Command(MODEL_CMD_MATERIAL, 0)
        .Primitive(MODEL_CMD_STRIP, 2, {0, 1, 2, 3})
        .Primitive(MODEL_CMD_SKIN_STRIP, 1, {0, 1, 2})  // never recorded
        .Command(MODEL_CMD_END);
    b.Mesh()
        .Command(MODEL_CMD_MATERIAL, 1)
        .Primitive(MODEL_CMD_STRIP, 3, {0, 1, 2, 3, 2})
        .Command(MODEL_CMD_END);
    s_model* model = b.Build();
    const u32 polygons = DrawContext.stats[DRAW_STAT_POLYGONS];
    DrawSetPolygonMode(DC_POLY_DRAW_LINE);  // sorted strips are always filled
    Record(model);
    EXPECT_EQ(DrawContext.stats[DRAW_STAT_POLYGONS] - polygons, 6u);
    EXPECT_TRUE(drawn_.empty());
    ModelDrawEnd();
    EXPECT_EQ(Drawn(), (std::vector<size_t>{4, 5, 3}));
    // The recording stays for a later pass of the frame.
    ModelDrawEnd();
    EXPECT_EQ(Drawn(), (std::vector<size_t>{4, 5, 3}));
}

// Strips before any material, or under a material the filter or the list refuses,
// are not drawn.
TEST_F(ModelSortedTest, RefusedMaterialsDrawNothing) {
    ModelBuilder b;
    StaticSquare(b);
    b.Material(MATERIAL_FLAG_HAS_ALPHA);
    b.Material(MATERIAL_FLAG_HAS_OPAQUE);
    b.Mesh()
        .Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2})  // no material yet
        .Command(MODEL_CMD_MATERIAL, 0)
        .Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2})
        .Command(MODEL_CMD_MATERIAL, 9)
        .Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2})
        .Command(MODEL_CMD_MATERIAL, 1)
        .Primitive(MODEL_CMD_STRIP, 2, {0, 1, 2, 3})
        .Command(MODEL_CMD_END);
    s_model* model = b.Build();
    OrbMaterial.SetFilter(MATERIAL_FLAG_HAS_OPAQUE);
    Record(model);
    ModelDrawEnd();
    EXPECT_EQ(Drawn(), (std::vector<size_t>{4}));
}

TEST_F(ModelSortedTest, ModelsWithoutQuantisationDrawTheirFloatVertices) {
    ModelBuilder b;
    b.Float(0.5f, 0.0f, 0.0f, 0xFF0000FFu);
    b.Float(0.0f, 0.5f, 0.0f, 0x00FF00FFu);
    b.Float(0.0f, 0.0f, 0.5f, 0x0000FFFFu);
    b.Material(MATERIAL_FLAG_HAS_OPAQUE);
    b.Mesh().Command(MODEL_CMD_MATERIAL, 0).Primitive(MODEL_CMD_STRIP, 1, {2, 1, 0}).Command(MODEL_CMD_END);
    s_model* model = b.Build();
    Record(model);
    ModelDrawEnd();
    ASSERT_EQ(drawn_.size(), 1u);
    const s_Vector4 expected[] = {{0, 0, 0.5f, 1}, {0, 0.5f, 0, 1}, {0.5f, 0, 0, 1}};
    const u32 colors[] = {0x0000FFFFu, 0x00FF00FFu, 0xFF0000FFu};
    for (size_t i = 0; i < 3; ++i) {
        ExpectAt(drawn_[0], i, expected[i]);
        EXPECT_EQ(ColorOf(drawn_[0].vertices[i]), colors[i]);
    }
}

TEST_F(ModelSortedTest, StripsPastTheRecordTableAreDropped) {
    ModelBuilder b;
    StaticSquare(b);
    b.Material(MATERIAL_FLAG_HAS_OPAQUE);
    b.Mesh().Command(MODEL_CMD_MATERIAL, 0);
    for (u32 i = 0; i < MODEL_MAX_MATERIAL_DRAWS + 2; ++i)
        b.Command(MODEL_CMD_STRIP, 0, 1, 0);
    b.Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2}).Command(MODEL_CMD_END);
    s_model* model = b.Build();
    Record(model);
    EXPECT_TRUE(report().contains("Materials Draw Overflow!\n"));
    ModelDrawEnd();
    EXPECT_EQ(Drawn().size(), MODEL_MAX_MATERIAL_DRAWS);
}

}  // namespace
