// Skinning carries rest-pose vertices by their bones' matrices and weights, run by
// run, and refuses any command that does not fit the model without touching memory
// outside its arrays.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "orblib47/source/Skin.h"
#include "tests/engine/OrbMathTestUtil.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/SkinModelBuilder.h"

namespace {

constexpr f32 kTolerance = 1e-4f;
constexpr u16 kFull = 0x8000;
constexpr u16 kHalf = 0x4000;
constexpr u16 kQuarter = 0x2000;

s_Matrix4 Motion(f32 ax, f32 ay, f32 az, f32 tx, f32 ty, f32 tz) {
    s_Matrix4 m;
    Matrix4CreateXYZ(&m, ax, ay, az);
    m.element[3] = tx;
    m.element[7] = ty;
    m.element[11] = tz;
    return m;
}

// The expected weighted vertex, through the engine's own point transform.
s_vert_pair Blend(const SkinModelBuilder& model, size_t i, const std::vector<const s_Matrix4*>& bones,
                  const std::vector<f32>& w) {
    const f32 s = SkinModelBuilder::kStep;
    const s_model_vertex_skinned& v = model.vertices[i];
    const s_Vector3 p = V3(v.coord[0] * s, v.coord[1] * s, v.coord[2] * s);
    const s_Vector3 n = V3(v.normal[0] * s, v.normal[1] * s, v.normal[2] * s);
    s_vert_pair sum{};
    for (size_t k = 0; k < bones.size(); ++k) {
        s_Matrix4 rotation = *bones[k];
        rotation.element[3] = rotation.element[7] = rotation.element[11] = 0.0f;
        const s_Vector3 bp = TransformPoint(*bones[k], p);
        const s_Vector3 bn = TransformPoint(rotation, n);
        sum.x += w[k] * bp.x;
        sum.y += w[k] * bp.y;
        sum.z += w[k] * bp.z;
        sum.nx += w[k] * bn.x;
        sum.ny += w[k] * bn.y;
        sum.nz += w[k] * bn.z;
    }
    return sum;
}

void ExpectPairNear(const s_vert_pair& actual, const s_vert_pair& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
    EXPECT_NEAR(actual.nx, expected.nx, kTolerance);
    EXPECT_NEAR(actual.ny, expected.ny, kTolerance);
    EXPECT_NEAR(actual.nz, expected.nz, kTolerance);
}

// `count` vertices spread over a few units, each weighted w0, w1, w2.
void Vertices(SkinModelBuilder& model, u32 count, u16 w0, u16 w1, u16 w2) {
    for (u32 i = 0; i < count; ++i) {
        const s16 a = s16(i * 37 % 1024 - 512);
        model.Vertex(a, s16(300 - a / 2), s16(i % 200), 181, -181, s16(i % 3), w0, w1, w2);
    }
}

class SkinTest : public EngineFixture {};

TEST(SkinQuant, LoadsDecodeTypeAndSignedScale) {
    struct Case {
        u32 gqr;
        s16 raw;
        f32 value;
    };
    const Case cases[] = {
        {0x00070007u, -3, -3.0f},          // s16, scale 0
        {0x08070807u, -512, -2.0f},        // s16, 2^-8
        {0x0F050F05u, s16(0x8000), 1.0f},  // the weights' register: u16, 2^-15
        {0x3F070000u, 3, 6.0f},            // scale -1 doubles
    };
    for (const Case& c : cases) {
        const s_quant_load q = QuantLoadDecode(c.gqr);
        s16 src[3] = {c.raw, 0, c.raw};
        s_Vector4 v;
        GetVector3GQR(src, &v, q);
        EXPECT_FLOAT_EQ(v.x, c.value) << std::hex << c.gqr;
        EXPECT_FLOAT_EQ(v.z, c.value) << std::hex << c.gqr;
        EXPECT_FLOAT_EQ(v.w, 1.0f);
    }
}

// Weights are unsigned: the top bit is part of the magnitude, never a sign.
TEST(SkinQuant, WeightsAreUnsignedWithFullWeightAt0x8000) {
    const std::pair<u16, f32> cases[] = {{0, 0.0f},     {kQuarter, 0.25f}, {kHalf, 0.5f},
                                         {kFull, 1.0f}, {0xC000, 1.5f},    {0xFFFF, 65535.0f / 32768.0f}};
    for (auto [raw, value] : cases)
        EXPECT_FLOAT_EQ(ModelSkinWeight(raw), value) << raw;
}

TEST_F(SkinTest, IdentityMatricesLeaveTheRestPoseUnderOneTwoAndThreeBones) {
    const std::vector<s_Matrix4> bones(3, IDMatrix4);
    for (u8 matrices = 1; matrices <= 3; ++matrices) {
        SkinModelBuilder model;
        const u16 w[3][3] = {{kFull, 0, 0}, {kHalf, kHalf, 0}, {kQuarter, kQuarter, kHalf}};
        Vertices(model, 40, w[matrices - 1][0], w[matrices - 1][1], w[matrices - 1][2]);
        model.Command(matrices, 0, 1, 2);
        model.Run(0, 40);
        model.End();
        ASSERT_TRUE(ModelWeightVertices(model.Skin(), SkinPose(bones).Header()));
        for (size_t i = 0; i < 40; ++i)
            ExpectPairNear(model.out[i], Blend(model, i, {&IDMatrix4}, {1.0f}));
    }
}

TEST_F(SkinTest, TwoBonesBlendByTheirWeights) {
    const std::vector<s_Matrix4> bones = {IDMatrix4, Motion(0, 0, 1.5708f, 4, 0, 0),
                                          Motion(0.3f, -1.1f, 2.0f, 4, -5, 6)};
    SkinModelBuilder model;
    Vertices(model, 10, kQuarter, 0x6000, 0);
    model.Command(VERTEX_CMD_MATRIX2, 1, 2);
    model.Run(2, 7);
    model.End();
    ASSERT_TRUE(ModelWeightVertices(model.Skin(), SkinPose(bones).Header()));
    for (size_t i = 2; i < 9; ++i)
        ExpectPairNear(model.out[i], Blend(model, i, {&bones[1], &bones[2]}, {0.25f, 0.75f}));
    // Vertices outside the run are not touched.
    for (size_t i : {0, 1, 9, 10})
        ExpectPairNear(model.out[i], s_vert_pair{});
}

// Weights are applied as stored: a sum above one scales the vertex, normals included.
TEST_F(SkinTest, ThreeBonesOverTheLongestRunApplyWeightsAsStored) {
    const std::vector<s_Matrix4> bones = {Motion(0, 0, 1.5708f, 4, 0, 0), Motion(0.3f, -1.1f, 2.0f, 4, -5, 6),
                                          Motion(1, 0.5f, 0, -2, 1, 0)};
    SkinModelBuilder model;
    Vertices(model, MODEL_SKIN_INDEX_COUNT + 4, kHalf, kFull, kHalf);
    model.Command(VERTEX_CMD_MATRIX3, 2, 0, 1);
    model.Run(3, MODEL_SKIN_INDEX_COUNT);
    model.End();
    ASSERT_TRUE(ModelWeightVertices(model.Skin(), SkinPose(bones).Header()));
    for (size_t i = 3; i < 3 + MODEL_SKIN_INDEX_COUNT; ++i)
        ExpectPairNear(model.out[i], Blend(model, i, {&bones[2], &bones[0], &bones[1]}, {0.5f, 1.0f, 0.5f}));
}

TEST_F(SkinTest, ARunBeforeAnyMatrixWritesNothing) {
    SkinModelBuilder model;
    Vertices(model, 4, kFull, 0, 0);
    model.Run(0, 4);
    model.End();
    EXPECT_TRUE(ModelWeightVertices(model.Skin(), SkinPose({IDMatrix4}).Header()));
    for (const s_vert_pair& p : model.out)
        ExpectPairNear(p, s_vert_pair{});
}

// Each stream is refused at its faulty command: nothing from there on is weighted,
// and the check a loader runs agrees.
TEST_F(SkinTest, CommandsThatDoNotFitTheModelAreRefused) {
    struct Case {
        const char* name;
        u8 type, parm8;
        u16 parm16;
        u32 parm32;
        bool end;
    };
    constexpr u32 kVerts = MODEL_SKIN_INDEX_COUNT + 2;
    const Case cases[] = {
        {"bone past the matrices", VERTEX_CMD_MATRIX2, 0, 3, 0, true},
        {"third bone past the matrices", VERTEX_CMD_MATRIX3, 0, 1, 0x100, true},
        {"four matrices", VERTEX_CMD_MATRIX4, 0, 0, 0, true},
        {"empty run", VERTEX_CMD_SKIN, 0, 0, 0, true},
        {"run past the vertices", VERTEX_CMD_SKIN, 0, 2, kVerts - 1, true},
        {"run count wrapping", VERTEX_CMD_SKIN, 0, 1, 0xFFFFFFFFu, true},
        {"three-matrix run past the index table", VERTEX_CMD_SKIN, 0, 0, MODEL_SKIN_INDEX_COUNT + 1, true},
        {"no end", 9, 0, 0, 0, false},
    };
    const std::vector<s_Matrix4> bones(3, IDMatrix4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SkinModelBuilder model;
        Vertices(model, kVerts, kHalf, kQuarter, kQuarter);
        model.Command(VERTEX_CMD_MATRIX3, 0, 1, 2);
        model.Command(c.type, c.parm8, c.parm16, c.parm32);
        model.Run(0, 1);
        if (c.end)
            model.End();
        report_->clear();
        EXPECT_FALSE(ModelCheckVertexCommands(model.Skin(), 3));
        EXPECT_FALSE(ModelWeightVertices(model.Skin(), SkinPose(bones).Header()));
        EXPECT_TRUE(report().contains("vertex command")) << report().text();
        // Without an end the fault is found only after the last run.
        for (size_t i = c.end ? 0 : 1; i < model.out.size(); ++i)
            ExpectPairNear(model.out[i], s_vert_pair{});
    }
}

TEST_F(SkinTest, AModelWithoutAWeightedBufferOrAPoseIsLeftAlone) {
    SkinModelBuilder model;
    Vertices(model, 4, kFull, 0, 0);
    model.Command(VERTEX_CMD_MATRIX4);
    s_model_skin skin = model.Skin();
    skin.outVertNormBuffer = {};
    EXPECT_TRUE(ModelWeightVertices(skin, SkinPose({IDMatrix4}).Header()));
    EXPECT_TRUE(ModelWeightVertices(model.Skin(), nullptr));
    for (const s_vert_pair& p : model.out)
        ExpectPairNear(p, s_vert_pair{});
}

// Random bytes over a valid stream: whatever the walk accepts it weights within the
// model's arrays (the sanitizers watch), and the load-time check agrees with it.
TEST_F(SkinTest, MutatedStreamsStayInsideTheModel) {
    std::mt19937 random(12);
    const std::vector<s_Matrix4> bones(4, Motion(0.1f, 0.2f, 0.3f, 1, 2, 3));
    for (int trial = 0; trial < 1000; ++trial) {
        SkinModelBuilder model;
        Vertices(model, 300, kHalf, kQuarter, kQuarter);
        for (u8 matrices = 1; matrices <= 3; ++matrices) {
            model.Command(matrices, 0, 1, 2);
            model.Run(u16(matrices * 20), 250);
        }
        model.End();
        const int flips = 1 + int(random() % 4);
        for (int f = 0; f < flips; ++f)
            model.commands[random() % model.commands.size()] = u8(random());
        model.commands.resize(model.commands.size() - random() % 3);
        EXPECT_EQ(ModelCheckVertexCommands(model.Skin(), u32(bones.size())),
                  ModelWeightVertices(model.Skin(), SkinPose(bones).Header()))
            << "trial " << trial;
    }
}

}  // namespace
