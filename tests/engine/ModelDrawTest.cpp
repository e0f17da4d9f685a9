// Mesh command streams drawn into GX: which primitives each command sends, which
// vertices they carry, when bones hide them, and the weighted single vertices.
#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "tests/engine/ModelDrawFixture.h"

namespace {

using namespace model_draw_test;

// A pose whose bone b carries skinning matrix matrices[b] and flags flags[b].
class Pose {
public:
    Pose(const std::vector<s_Matrix4>& matrices, const std::vector<u32>& flags = {}, u32 headerFlags = 0)
        : bones_(matrices.size()) {
        for (size_t b = 0; b < matrices.size(); ++b) {
            bones_[b].modelMatrixInv = bones_[b].modelMatrix = bones_[b].worldMatrix = matrices[b];
            bones_[b].flags = b < flags.size() ? flags[b] : 0;
        }
        header_.flags = headerFlags;
        header_.numBones = header_.maxBones = s16(bones_.size());
        header_.boneList = bones_.data();
    }
    s_hmatrix* Header() { return &header_; }

private:
    std::vector<s_hmatrix_bone> bones_;
    s_hmatrix header_{};
};

using ModelDrawTest = ModelDrawFixture;

TEST_F(ModelDrawTest, PrimitiveCommandsSendTheirVertexCounts) {
    struct Case {
        e_POLYGON_MODE mode;
        u8 command;
        u16 count;
        GXPrimitive type;
        size_t vertices;
    };
    const Case cases[] = {
        {DC_POLY_DRAW_FILL, MODEL_CMD_STRIP, 2, GX_TRIANGLESTRIP, 4},
        {DC_POLY_DRAW_FILL, MODEL_CMD_SKIN_STRIP, 1, GX_TRIANGLESTRIP, 3},
        {DC_POLY_DRAW_FILL, MODEL_CMD_SKIN_TRIS, 2, GX_TRIANGLES, 6},
        {DC_POLY_DRAW_LINE, MODEL_CMD_STRIP, 2, GX_LINESTRIP, 4},
        {DC_POLY_DRAW_LINE, MODEL_CMD_SKIN_STRIP, 1, GX_LINESTRIP, 3},
        {DC_POLY_DRAW_LINE, MODEL_CMD_SKIN_TRIS, 2, GX_TRIANGLES, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "command " << int(c.command) << " mode " << c.mode);
        const bool skinned = c.command != MODEL_CMD_STRIP;
        ModelBuilder b;
        if (skinned) {
            SkinnedTriangle(b);
            b.Skinned(256, 256, 0, 0xFFFFFFFFu, {1, kNone, kNone}, {kFull, 0, 0});
        } else {
            StaticSquare(b);
        }
        b.Mesh().Primitive(c.command, c.count, {0, 1, 2, 3, 2, 1}).Command(MODEL_CMD_END);
        s_model* model = b.Build(skinned ? MODEL_FLAG_SKINNED : 0);
        DrawSetPolygonMode(c.mode);
        const u32 polygons = DrawContext.stats[DRAW_STAT_POLYGONS];
        drawn_.clear();
        ModelDrawMesh(model, &model->meshList[0], 0, nullptr);
        ASSERT_EQ(drawn_.size(), 1u);
        EXPECT_EQ(drawn_[0].type, c.type);
        EXPECT_EQ(drawn_[0].vertices.size(), c.vertices);
        EXPECT_EQ(DrawContext.stats[DRAW_STAT_POLYGONS] - polygons, c.count);
    }
}

TEST_F(ModelDrawTest, StaticStripCarriesDequantisedVerticesAndTheirColours) {
    ModelBuilder b;
    StaticSquare(b);
    b.Mesh().Primitive(MODEL_CMD_STRIP, 2, {0, 1, 2, 3}).Command(MODEL_CMD_END);
    s_model* model = b.Build();
    const s_Matrix4 world = Translation(0.0f, 0.0f, -4.0f);
    ModelDraw(model, &world, nullptr, nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    const s_Vector4 corners[] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {0, 1, 0, 1}, {1, 1, 0, 1}};
    const u32 colors[] = {0xFF0000FFu, 0x00FF00FFu, 0x0000FFFFu, 0xFFFFFFFFu};
    for (size_t i = 0; i < 4; ++i) {
        ExpectAt(drawn_[0], i, corners[i]);
        EXPECT_EQ(ColorOf(drawn_[0].vertices[i]), colors[i]);
    }
}

// More vertices than one GXBegin can carry is invalid data: nothing is sent.
TEST_F(ModelDrawTest, OverlongPrimitivesAreNotSent) {
    for (u8 command : {MODEL_CMD_SKIN_TRIS, MODEL_CMD_STRIP}) {
        ModelBuilder b;
        SkinnedTriangle(b);
        StaticSquare(b);
        b.Mesh().Primitive(command, 0xFFFE, {0, 1, 2}).Command(MODEL_CMD_END);
        s_model* model = b.Build(command == MODEL_CMD_STRIP ? 0 : MODEL_FLAG_SKINNED);
        ModelDrawMesh(model, &model->meshList[0], 0, nullptr);
        EXPECT_TRUE(drawn_.empty()) << int(command);
    }
}

TEST_F(ModelDrawTest, UnknownCommandsAreSkipped) {
    ModelBuilder b;
    StaticSquare(b);
    b.Mesh();
    for (u8 type : {7, 9, 10, 11, 13, 17, 21, 24, 200, 255})
        b.Command(type, 1, 0xFFFF, 0xFFFFFFFFu);
    b.Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2}).Command(MODEL_CMD_END);
    s_model* model = b.Build();
    ModelDrawMesh(model, &model->meshList[0], 0, nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    EXPECT_EQ(drawn_[0].vertices.size(), 3u);
}

// Which bone selections hide the primitives after them, static strips included.
TEST_F(ModelDrawTest, BoneSelectionsHideByNoDraw) {
    constexpr u32 kHidden = HBONE_FLAG_NO_DRAW;
    struct Case {
        u8 command;
        u32 flags0, flags1;
        u32 headerFlags;
        bool drawn;
    };
    const Case cases[] = {
        {MODEL_CMD_BONES1, 0, 0, 0, true},
        {MODEL_CMD_BONES1, kHidden, 0, 0, false},
        {MODEL_CMD_BONES2, kHidden, 0, 0, true},  // only when both are hidden
        {MODEL_CMD_BONES2, kHidden, kHidden, 0, false},
        {MODEL_CMD_BONES2, 0, kHidden, HMATRIX_FLAG_NO_DRAW_OR, false},  // when either is
        {MODEL_CMD_BONES2, 0, 0, HMATRIX_FLAG_NO_DRAW_OR, true},
        {MODEL_CMD_BONES3, kHidden, kHidden, 0, true},  // the third bone is shown
        {MODEL_CMD_BONES3, kHidden, 0, HMATRIX_FLAG_NO_DRAW_OR, false},
    };
    for (u8 primitive : {MODEL_CMD_STRIP, MODEL_CMD_SKIN_STRIP, MODEL_CMD_SKIN_TRIS}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "primitive " << int(primitive) << " bones command "
                                              << int(c.command) << " flags " << c.flags0 << "/" << c.flags1);
            const bool skinned = primitive != MODEL_CMD_STRIP;
            ModelBuilder b;
            if (skinned)
                SkinnedTriangle(b);
            else
                StaticSquare(b);
            b.Mesh().Command(c.command, 0, 1, 2).Primitive(primitive, 1, {0, 1, 2}).Command(MODEL_CMD_END);
            s_model* model = b.Build(skinned ? MODEL_FLAG_SKINNED : 0);
            Pose pose({IDMatrix4, IDMatrix4, IDMatrix4}, {c.flags0, c.flags1, 0}, c.headerFlags);
            drawn_.clear();
            ModelDrawMesh(model, &model->meshList[0], 0, pose.Header());
            EXPECT_EQ(drawn_.size(), c.drawn ? 1u : 0u);
        }
    }
}

TEST_F(ModelDrawTest, FourBonesKeepTheDrawDecision) {
    ModelBuilder b;
    StaticSquare(b);
    b.Mesh()
        .Command(MODEL_CMD_BONES1, 0)
        .Command(MODEL_CMD_BONES4, 1, 2, 0x00010002u)
        .Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2})
        .Command(MODEL_CMD_END);
    s_model* model = b.Build();
    Pose pose({IDMatrix4, IDMatrix4, IDMatrix4}, {HBONE_FLAG_NO_DRAW, 0, 0});
    ModelDrawMesh(model, &model->meshList[0], 0, pose.Header());
    EXPECT_TRUE(drawn_.empty());
}

// A skinned model through ModelDraw: weighted once, drawn from the weighted buffer.
TEST_F(ModelDrawTest, SkinnedModelDrawsItsWeightedVertices) {
    ModelBuilder b;
    SkinnedTriangle(b);
    b.VertexCommand(VERTEX_CMD_MATRIX1, 0)
        .VertexCommand(VERTEX_CMD_SKIN, 0, 0, 1)
        .VertexCommand(VERTEX_CMD_MATRIX1, 1)
        .VertexCommand(VERTEX_CMD_SKIN, 0, 1, 1)
        .VertexCommand(VERTEX_CMD_MATRIX2, 0, 1)
        .VertexCommand(VERTEX_CMD_SKIN, 0, 2, 1)
        .VertexCommand(VERTEX_CMD_END);
    b.Mesh().Primitive(MODEL_CMD_SKIN_TRIS, 1, {0, 1, 2}).Command(MODEL_CMD_END);
    s_model* model = b.Build(MODEL_FLAG_SKINNED);
    Pose pose({Translation(1, 0, 0), Translation(0, 2, 0)});
    const s_Matrix4 world = Translation(0.0f, 0.0f, -4.0f);

    ModelDraw(model, &world, pose.Header(), nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    EXPECT_NE(model->flags & MODEL_FLAG_VERTS_WEIGHTED, 0u);
    const s_Vector4 expected[] = {{1, 0, 0, 1}, {1, 2, 0, 1}, {0.5f, 2.0f, 0, 1}};
    const u32 colors[] = {0xFF0000FFu, 0x00FF00FFu, 0x0000FFFFu};
    for (size_t i = 0; i < 3; ++i) {
        ExpectAt(drawn_[0], i, expected[i]);
        EXPECT_EQ(ColorOf(drawn_[0].vertices[i]), colors[i]);
        s_Vector4 coord, normal;
        ModelGetTransformedVertexCoordNormal(model, pose.Header(), s32(i), &coord, &normal);
        EXPECT_NEAR(coord.x, expected[i].x, kTolerance);
        EXPECT_NEAR(coord.y, expected[i].y, kTolerance);
    }

    // Weighted once a frame: a second draw keeps the first weighting.
    pose.Header()->boneList[0].modelMatrixInv = Translation(5, 5, 5);
    drawn_.clear();
    ModelDraw(model, &world, pose.Header(), nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    ExpectAt(drawn_[0], 0, expected[0]);
}

// Commands 22 and 23: each vertex weighted on its own by the selected bones, with
// full weight 0x8000 reading as one and the vertices' own colours.
TEST_F(ModelDrawTest, WeightedTriangleUsesTheStoredWeightsAndColours) {
    ModelBuilder b;
    SkinnedTriangle(b);
    b.Mesh()
        .Command(MODEL_CMD_BONES2, 0, 1)
        .Command(MODEL_CMD_WEIGHT_VERT, 0, 0)
        .Command(MODEL_CMD_WEIGHT_VERT, 1, 1)
        .Command(MODEL_CMD_WEIGHT_VERT, 2, 2)
        .Command(MODEL_CMD_WEIGHT_VERT, 7, 0)  // no such slot: ignored
        .Command(MODEL_CMD_WEIGHT_TRI)
        .Command(MODEL_CMD_END);
    b.VertexCommand(VERTEX_CMD_END);
    s_model* model = b.Build(MODEL_FLAG_SKINNED);
    // The slots take bone 0 and 1 for every vertex, whatever its weightBones say.
    Pose pose({Translation(1, 0, 0), Translation(0, 2, 0)});
    const s_Matrix4 world = Translation(0.0f, 0.0f, -4.0f);
    ModelDraw(model, &world, pose.Header(), nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    EXPECT_EQ(drawn_[0].type, GX_TRIANGLES);
    const s_Vector4 expected[] = {{1, 0, 0, 1}, {2, 0, 0, 1}, {0.5f, 2.0f, 0, 1}};
    const u32 colors[] = {0xFF0000FFu, 0x00FF00FFu, 0x0000FFFFu};
    for (size_t i = 0; i < 3; ++i) {
        ExpectAt(drawn_[0], i, expected[i]);
        EXPECT_EQ(ColorOf(drawn_[0].vertices[i]), colors[i]);
    }
}

TEST_F(ModelDrawTest, BonesPastTheMatrixListSelectNothing) {
    ModelBuilder b;
    SkinnedTriangle(b);
    b.Mesh()
        .Command(MODEL_CMD_BONES4, 200, 300, 0x01000200u)
        .Command(MODEL_CMD_WEIGHT_VERT, 0, 0)
        .Command(MODEL_CMD_WEIGHT_TRI)
        .Command(MODEL_CMD_END);
    s_model* model = b.Build(MODEL_FLAG_SKINNED);
    ModelDrawMesh(model, &model->meshList[0], 0, nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
}

// Bone by bone: each bone with a mesh draws it under the bone's matrix, unless the
// pose hides the bone; without a pose, under the bind pose.
TEST_F(ModelDrawTest, BonedModelDrawsEachBonesMesh) {
    ModelBuilder b;
    StaticSquare(b);
    b.Mesh().Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2}).Command(MODEL_CMD_END);
    b.Mesh().Primitive(MODEL_CMD_STRIP, 2, {0, 1, 2, 3}).Command(MODEL_CMD_END);
    b.Bone(1, Translation(0, 0, -3));
    b.Bone(-1, IDMatrix4);
    b.Bone(0, Translation(0, 0, -5));
    s_model* model = b.Build();
    const s_Matrix4 world = Translation(1, 0, 0);
    const s_Matrix4 view = DrawGetMatrix() ? *DrawGetMatrix() : IDMatrix4;
    // The model view a mesh is drawn with: the view, then `m` applied first.
    auto expectModelView = [&](const Primitive& p, const s_Matrix4& m) {
        s_Matrix4 expected;
        Matrix4MultMatrix4x4(&expected, &m, &view);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                EXPECT_NEAR(p.modelView[r][c], expected.at(r, c), kTolerance) << r << ", " << c;
    };

    ModelDraw(model, &world, nullptr, nullptr);
    ASSERT_EQ(drawn_.size(), 2u);
    EXPECT_EQ(drawn_[0].vertices.size(), 4u);
    expectModelView(drawn_[0], Translation(1, 0, -3));
    EXPECT_EQ(drawn_[1].vertices.size(), 3u);
    expectModelView(drawn_[1], Translation(1, 0, -5));

    // The pose's model matrices, under the world.
    Pose pose({Translation(0, 0, -2), IDMatrix4, Translation(0, 0, -6)}, {HBONE_FLAG_NO_DRAW, 0, 0});
    drawn_.clear();
    ModelDraw(model, &world, pose.Header(), nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    EXPECT_EQ(drawn_[0].vertices.size(), 3u);
    expectModelView(drawn_[0], Translation(1, 0, -6));
}

TEST_F(ModelDrawTest, StencilLockedDrawingProjectsThroughTextureMatrix57) {
    ModelBuilder b;
    StaticSquare(b);
    b.Mesh().Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2}).Command(MODEL_CMD_END);
    s_model* model = b.Build();
    gxprj = Translation(0.25f, 0.5f, 0.0f);
    DrawSetStencilMode(DC_STENCIL_ON);
    DrawLockStencilMode();
    const s_Matrix4 world = Translation(0.0f, 0.0f, -4.0f);
    DrawPushMatrix(&world);
    const s_Matrix4 modelView = *DrawGetMatrix();
    ModelDrawMesh(model, &model->meshList[0], 0, nullptr);
    DrawPopMatrix();
    const Mtx& loaded = HostGXState().front.texMtx[9].m;
    // gxprj only translates, so the product keeps the model view's rotation.
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const f32 shift = c == 3 ? gxprj.at(r, 3) : 0.0f;
            EXPECT_NEAR(loaded[r][c], modelView.at(r, c) + shift, kTolerance) << r << ", " << c;
        }
    }
}

TEST_F(ModelDrawTest, DebugNormalsRunAlongTheWeightedNormals) {
    ModelBuilder b;
    SkinnedTriangle(b);
    b.VertexCommand(VERTEX_CMD_END);
    s_model* model = b.Build(MODEL_FLAG_SKINNED);
    Pose pose({Translation(1, 0, 0), Translation(0, 2, 0)});
    ModelDebugDrawNormals(model, pose.Header());
    ASSERT_EQ(drawn_.size(), 1u);
    EXPECT_EQ(drawn_[0].type, GX_LINES);
    const s_Vector4 ends[] = {{1, 0, 0, 1}, {1, 0, 0.125f, 1}, {1, 2, 0, 1}, {1, 2, 0.125f, 1}};
    for (size_t i = 0; i < 4; ++i)
        ExpectAt(drawn_[0], i, ends[i]);
    EXPECT_EQ(drawn_[0].vertices.size(), 6u);
}

// A material the filter rejects skips its primitives up to the next material,
// and a stream may end while skipping.
TEST_F(ModelDrawTest, RejectedMaterialsSkipToTheNextMaterial) {
    ModelBuilder b;
    StaticSquare(b);
    b.Material(MATERIAL_FLAG_HAS_ALPHA);
    b.Material(MATERIAL_FLAG_HAS_OPAQUE);
    b.Mesh()
        .Command(MODEL_CMD_MATERIAL, 0)
        .Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2})
        .Command(MODEL_CMD_MATERIAL, 1)
        .Primitive(MODEL_CMD_STRIP, 2, {0, 1, 2, 3})
        .Command(MODEL_CMD_MATERIAL, 5)  // past the list
        .Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2})
        .Command(MODEL_CMD_MATERIAL, 0)
        .Primitive(MODEL_CMD_STRIP, 1, {0, 1, 2})
        .Command(MODEL_CMD_END);
    s_model* model = b.Build();
    OrbMaterial.SetFilter(MATERIAL_FLAG_HAS_OPAQUE);
    const s_Matrix4 world = Translation(0.0f, 0.0f, -4.0f);
    ModelDraw(model, &world, nullptr, nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    EXPECT_EQ(drawn_[0].vertices.size(), 4u);
}

}  // namespace
