// Drawing the current world: atoms in view are drawn through their group's model,
// opaque meshes by the opaque task and alpha meshes filed for the alpha task.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "orblib47/source/Data.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/NGC/DrawLights.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/WorldInternal.h"
#include "tests/engine/ModelDrawFixture.h"
#include "tests/support/VhmTestModel.h"
#include "tools/discbuild/GrpWriter.h"
#include "tools/discbuild/VhmWriter.h"
#include "tools/discbuild/WrlWriter.h"

namespace {

using namespace discbuild;
using namespace model_draw_test;
using Strips = std::vector<size_t>;

constexpr u32 kGroupId = 9;
constexpr u32 kOpaque = WORLD_DRAW_OPAQUE, kAlpha = WORLD_DRAW_ALPHA;
constexpr const char* kOverflow = "WorldRenderThread: WorldDrawList overflow!\n";

void* Image(const std::vector<u8>& bytes) {
    void* block = HeapMalloc(u32(bytes.size()), __FILE_NAME__, __LINE__);
    std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

s_ORB_MATERIAL Material(u32 flags) {
    s_ORB_MATERIAL material{};
    material.mode = MATERIAL_MODE_DEFAULT;
    material.flags = flags;
    return material;
}

// Mesh m draws one strip of m + 3 vertices, so the strips drawn name their meshes,
// under material `materials[m]` (0 opaque, 1 alpha). With `octree`, the meshes are
// split by `meshFlags`; without, the model is drawn whole.
VhmModel RockModel(const std::vector<u32>& meshFlags, const std::vector<u8>& materials, bool octree) {
    VhmModel m;
    m.vertNormGQR = 0x08070807u;
    m.vertexSize = 20;
    const s16 xs[4] = {0, 256, 256, 0}, ys[4] = {0, 0, 256, 256};
    for (u32 i = 0; i < 4; ++i) {
        m.vertices.push_back({});
        m.quantVertices.push_back({0, 0, {xs[i], ys[i], 0, 0}, {0, 0, 64, 0}, 0xFFFFFFFFu});
    }
    m.indices = {0, 1, 3, 2, 0, 1, 3, 2};
    m.materials = {Material(MATERIAL_FLAG_HAS_OPAQUE), Material(MATERIAL_FLAG_HAS_ALPHA)};
    OctreeNode root{{0.5f, 0.5f, 0}, 2.0f, 0, {}, {}};
    for (u16 i = 0; i < meshFlags.size(); ++i) {
        VhmMesh mesh;
        mesh.flags = meshFlags[i];
        mesh.numPolygons = i + 1;
        mesh.numIndices = 8;
        mesh.commands = {{MODEL_CMD_MATERIAL, materials[i], 0, 0}, {MODEL_CMD_STRIP, 0, u16(i + 1), 0}};
        m.meshes.push_back(mesh);
        root.items.push_back(i);
    }
    if (octree)
        m.octTree = root;
    return m;
}

// `count` atoms of the group, 20 units ahead of the camera, under one leaf.
WrlWorld Atoms(u32 count, u32 groupId = kGroupId) {
    WrlWorld world;
    world.name = "ALLEY";
    OctreeNode leaf{{0, 0, -20}, 5.0f, 0, {}, {}};
    for (u32 i = 0; i < count; ++i) {
        WrlAtom atom;
        atom.matrix.element[11] = -20.0f;
        atom.center = {0, 0, -20};
        atom.groupId = groupId;
        world.atoms.push_back(atom);
        leaf.items.push_back(u16(i));
    }
    world.octTree = leaf;
    return world;
}

class WorldRenderTest : public ModelDrawFixture {
protected:
    void SetUp() override {
        ModelDrawFixture::SetUp();
        const s_Vector3 eye = {0, 0, 0, 0}, target = {0, 0, -1, 0};
        s_Matrix4 camera;
        Matrix4LookAt(&camera, &target, &eye);
        DrawSetCamera(&camera, &eye);
    }
    void TearDown() override {
        Unload();
        ModelDrawFixture::TearDown();
    }
    void Unload() {
        WorldFree(world_);
        ModelGroupFree(group_);
        ModelFree(model_);
        world_ = nullptr, group_ = nullptr, model_ = nullptr;
    }

    // The model, a group of it under kGroupId, and a world of its atoms.
    void Load(const VhmModel& model, const WrlWorld& world) {
        const std::vector<u8> vhm = VhmPayload(model);
        model_ = ModelLoad("ROCK", Image(vhm), u32(vhm.size()));
        ASSERT_NE(model_, nullptr);
        GrpGroup group;
        group.groupId = kGroupId;
        group.name = "ROCKS";
        group.models = {GrpModelDef{0, "ROCK", 0, 0, 0, 0.0f, 0.0f, 0, -1}};
        const std::vector<u8> grp = GrpPayload(group);
        group_ = ModelGroupLoad("ROCKS", Image(grp), u32(grp.size()));
        ASSERT_NE(group_, nullptr);
        DataRegister("ROCKS", "GRP", kGroupId);
        const std::vector<u8> wrl = WrlPayload(world);
        world_ = WorldLoad("ALLEY", Image(wrl), u32(wrl.size()));
        ASSERT_NE(world_, nullptr);
    }

    // Strip lengths drawn by each task, in order.
    Strips Opaque() {
        drawn_.clear();
        WorldRenderThread(nullptr, nullptr);
        return Taken();
    }
    Strips Alpha() {
        drawn_.clear();
        WorldRenderAlphaThread(nullptr, nullptr);
        return Taken();
    }
    Strips Taken() {
        Strips sizes;
        for (const Primitive& p : drawn_)
            sizes.push_back(p.vertices.size());
        drawn_.clear();
        return sizes;
    }

    s_model* model_ = nullptr;
    s_model_group* group_ = nullptr;
    s_world* world_ = nullptr;
};

TEST_F(WorldRenderTest, MeshFlagsChooseTheirPasses) {
    // Mesh 0 opaque, 1 alpha, 2 both, 3 neither.
    Load(RockModel({kOpaque, kAlpha, kOpaque | kAlpha, 0}, {0, 1, 1, 0}, true), Atoms(1));
    EXPECT_EQ(Opaque(), (Strips{3, 5}));
    EXPECT_EQ(NumWorldDraw, 2);
    EXPECT_EQ(WorldDrawList[0].mesh, &model_->meshList[1]);
    EXPECT_EQ(WorldDrawList[1].mesh, &model_->meshList[2]);
    EXPECT_EQ(WorldDrawList[1].atomId, 0);
    EXPECT_EQ(Alpha(), (Strips{4, 5}));
    EXPECT_EQ(NumWorldDraw, 0);
    EXPECT_EQ(Alpha(), Strips{});
    EXPECT_EQ(ModelGetFilter(), MODEL_DRAW_FILTER_DEFAULT);
}

TEST_F(WorldRenderTest, MeshesAreDrawnUnderTheirAtomsMatrices) {
    Load(RockModel({kOpaque}, {0}, true), Atoms(1));
    WorldRenderThread(nullptr, nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    // The camera at the origin looks down -z: the view adds nothing.
    EXPECT_NEAR(drawn_[0].modelView[2][3], -20.0f, kTolerance);
    ExpectAt(drawn_[0], 1, {1, 0, 0, 1});
}

TEST_F(WorldRenderTest, WholeModelsAreSplitByTheirMaterials) {
    constexpr u32 kOpaqueMaterial = MATERIAL_FLAG_HAS_OPAQUE, kAlphaMaterial = MATERIAL_FLAG_HAS_ALPHA;
    const struct {
        u32 material0, material1;
        Strips opaque, alpha;
    } cases[] = {
        {kOpaqueMaterial, kOpaqueMaterial, {3, 4}, {}},
        {kAlphaMaterial, kAlphaMaterial, {}, {3, 4}},
        {kOpaqueMaterial, kAlphaMaterial, {3, 4}, {3, 4}},  // drawn whole in both passes
    };
    for (const auto& c : cases) {
        VhmModel model = RockModel({0, 0}, {0, 1}, false);
        model.materials = {Material(c.material0), Material(c.material1)};
        Load(model, Atoms(1));
        EXPECT_EQ(Opaque(), c.opaque);
        EXPECT_EQ(Alpha(), c.alpha);
        Unload();
    }
}

TEST_F(WorldRenderTest, SkinnedWholeModelsAreSkipped) {
    // A skinned model draws only with bone matrices, which atoms do not have.
    VhmModel skinned = vhmtest::SkinnedQuad();
    skinned.octTree.reset();
    skinned.materials = {Material(MATERIAL_FLAG_HAS_OPAQUE | MATERIAL_FLAG_HAS_ALPHA)};
    Load(skinned, Atoms(1));
    EXPECT_EQ(Opaque(), Strips{});
    EXPECT_EQ(NumWorldDraw, 0);
}

TEST_F(WorldRenderTest, DisabledRenderingDrawsAndFilesNothing) {
    Load(RockModel({kOpaque, kAlpha}, {0, 1}, true), Atoms(2));
    EXPECT_EQ(WorldEnableRender(0), 1);
    EXPECT_EQ(Opaque(), Strips{});
    EXPECT_EQ(NumWorldDraw, 0);
    EXPECT_EQ(Alpha(), Strips{});
    EXPECT_EQ(WorldEnableRender(1), 0);
    EXPECT_EQ(Opaque(), (Strips{3, 3}));
    EXPECT_EQ(Alpha(), (Strips{4, 4}));
}

TEST_F(WorldRenderTest, AtomsWithoutALoadedGroupAreSkipped) {
    Load(RockModel({kOpaque, kAlpha}, {0, 1}, true), Atoms(3, kGroupId + 1));
    EXPECT_EQ(Opaque(), Strips{});
    EXPECT_EQ(NumWorldDraw, 0);
    WorldWaitingLoad = 1;  // nothing is drawn while the world waits for its models
    WorldFree(world_);
    world_ = nullptr;
    const std::vector<u8> wrl = WrlPayload(Atoms(1));
    world_ = WorldLoad("OTHER", Image(wrl), u32(wrl.size()));
    EXPECT_EQ(Opaque(), Strips{});
    WorldWaitingLoad = 0;
    EXPECT_EQ(Opaque(), Strips{3});
}

TEST_F(WorldRenderTest, FilingPastTheListDropsTheDrawWithOneLine) {
    Load(RockModel({kAlpha}, {1}, true), Atoms(WORLD_MAX_DRAWS + 1));
    report_->clear();
    EXPECT_EQ(Opaque(), Strips{});
    EXPECT_EQ(NumWorldDraw, WORLD_MAX_DRAWS);
    EXPECT_EQ(report().text(), kOverflow);
    EXPECT_EQ(Alpha().size(), size_t(WORLD_MAX_DRAWS));
}

TEST_F(WorldRenderTest, FreeingTheCurrentWorldDropsItsFiledDraws) {
    Load(RockModel({kAlpha}, {1}, true), Atoms(1));
    Opaque();
    ASSERT_EQ(NumWorldDraw, 1);
    WorldFree(world_);
    world_ = nullptr;
    EXPECT_EQ(Alpha(), Strips{});
    EXPECT_EQ(Opaque(), Strips{});
}

TEST_F(WorldRenderTest, PointLightsAreChosenAroundTheOrigin) {
    Load(RockModel({kOpaque}, {0}, true), Atoms(1));
    const s_Vector3 nearOrigin = {-1, -1, -1, 0}, nearOne = {2, 2, 2, 0};
    const s_Vector4 red = {1, 0, 0, 1}, green = {0, 1, 0, 1};
    ASSERT_NE(SceneLightsAddPoint(&nearOrigin, &red, 2.0f, 1.0f, 32767), nullptr);
    ASSERT_NE(SceneLightsAddPoint(&nearOne, &green, 2.0f, 1.0f, 32767), nullptr);
    const u32 ambient = DrawContext.ambientColor;
    Opaque();
    ASSERT_EQ(DrawContext.numLights, 2);  // a positional light takes two slots
    EXPECT_EQ(DrawContext.lights[0].position.x, -1.0f);
    EXPECT_EQ(DrawContext.lights[0].diffuse.x, 1.0f);
    EXPECT_EQ(DrawContext.ambientColor, ambient);
}

TEST_F(WorldRenderTest, OfMoreThanSixteenChosenLightsTheNearestAreKept) {
    Load(RockModel({kOpaque}, {0}, true), Atoms(1));
    const s_Vector4 white = {1, 1, 1, 1};
    for (s32 i = 0; i < 20; ++i) {
        const s_Vector3 pos = {f32(20 - i), 0, 0, 0};
        ASSERT_NE(SceneLightsAddPoint(&pos, &white, 2.0e6f, 1.0f, 32767), nullptr);
    }
    Opaque();
    ASSERT_EQ(DrawContext.numLights, DRAW_MAX_HW_LIGHTS);
    // Two point lights are measured per selection, the first two in list order (the
    // last added first among equal priorities); the rest keep their order behind them.
    // A positional light takes two slots.
    for (s32 i = 0; i < DRAW_MAX_HW_LIGHTS; ++i)
        EXPECT_EQ(DrawContext.lights[i].position.x, f32(i / 2 + 1)) << i;
}

}  // namespace
