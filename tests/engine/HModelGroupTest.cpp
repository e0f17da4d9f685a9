// Hierarchical models on model groups: the level of detail chosen by distance,
// everything on the bones rebuilt for each model, and the bound model held.
#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/CollisionSphere.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Record.h"
#include "tests/engine/DataFixture.h"
#include "tests/engine/HModelTestModels.h"
#include "tools/discbuild/GrpWriter.h"

namespace {

constexpr u32 kGroupId = 9;

discbuild::GrpModelDef Def(const char* name, s32 type, f32 lodMinDist) {
    discbuild::GrpModelDef def;
    def.name = name;
    def.type = type;
    def.lodMinDist = lodMinDist;
    return def;
}

class HModelGroupTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        before_ = Heaps();
        freeRecords_ = HModelRecords->count;
        // The far model has two bones, the near one three; each carries its
        // shapes on its last bone.
        far_ = LoadModel("FAR", hmodeltest::Chain(2));
        near_ = LoadModel("NEAR", hmodeltest::Chain(3));
        GameTime = 1.0f;
    }
    void TearDown() override {
        HModelFree(hmodel_);
        ModelGroupFree(group_);
        ModelFree(far_);
        ModelFree(near_);
        EXPECT_EQ(HModelRecords->count, freeRecords_);
        EXPECT_EQ(Heaps(), before_);
        DataFixture::TearDown();
    }
    s_model* LoadModel(const char* name, const discbuild::VhmModel& source) {
        const std::vector<u8> chunk = discbuild::VhmPayload(source);
        s_model* model = ModelLoad(name, Image(chunk), u32(chunk.size()));
        EXPECT_NE(model, nullptr) << report().text();
        return model;
    }
    void LoadGroup(const std::vector<discbuild::GrpModelDef>& defs) {
        discbuild::GrpGroup group;
        group.groupId = kGroupId;
        group.name = "PIN";
        group.models = defs;
        const std::vector<u8> chunk = discbuild::GrpPayload(group);
        group_ = ModelGroupLoad("PIN", Image(chunk), u32(chunk.size()));
        ASSERT_NE(group_, nullptr) << report().text();
        DataRegister("PIN", "GRP", kGroupId);
    }
    // Moves the hmodel to `distance` in front of the camera at the origin, next game time.
    void PlaceAt(f32 distance) {
        GameTime += 0.1f;
        const s_Vector3 pos{0, 0, -distance, 0}, rot{};
        HModelUpdatePosRot(hmodel_, &pos, &rot);
    }

    HeapState before_{};
    u32 freeRecords_ = 0;
    s_model* far_ = nullptr;
    s_model* near_ = nullptr;
    s_model_group* group_ = nullptr;
    s_hmodel* hmodel_ = nullptr;
};

TEST_F(HModelGroupTest, EachLevelOfDetailHasItsOwnShapesOnItsOwnBones) {
    LoadGroup({Def("FAR", MODEL_TYPE_NORMAL, 10.0f), Def("NEAR", MODEL_TYPE_NORMAL, 0.0f)});
    hmodel_ = HModelLoad("PIN", 0);
    ASSERT_NE(hmodel_, nullptr) << report().text();
    EXPECT_EQ(hmodel_->modelGroup, group_);
    EXPECT_EQ(hmodel_->model, far_);
    EXPECT_EQ(hmodel_->hmatrix->maxBones, 3);
    for (int pass = 0; pass < 2; ++pass) {
        PlaceAt(5.0f);
        ASSERT_EQ(hmodel_->model, near_);
        EXPECT_EQ(hmodel_->numBones, 3);
        EXPECT_EQ(hmodel_->hmatrix->numBones, 3);
        ASSERT_EQ(hmodel_->physicsPrim.numPrims, 1u);
        EXPECT_EQ(hmodel_->physicsPrim.primList[0].boneId, 2u);
        ASSERT_NE(hmodel_->collisionInfo, nullptr);
        EXPECT_EQ(hmodel_->collisionInfo->sphereList[0].boneId, 2);
        EXPECT_EQ(hmodel_->linkInfo->linkPointList[0].boneId, 2);
        // The shapes follow the last bone, two units out.
        EXPECT_NEAR(hmodel_->physicsPrim.primList[0].worldPosition.x, 2.0f, 1e-5f);

        PlaceAt(20.0f);
        ASSERT_EQ(hmodel_->model, far_);
        EXPECT_EQ(hmodel_->hmatrix->numBones, 2);
        ASSERT_EQ(hmodel_->physicsPrim.numPrims, 1u);
        EXPECT_EQ(hmodel_->physicsPrim.primList[0].boneId, 1u);
        EXPECT_EQ(hmodel_->collisionInfo->sphereList[0].boneId, 1);
        EXPECT_EQ(hmodel_->linkInfo->linkPointList[0].boneId, 1);
        EXPECT_NEAR(hmodel_->physicsPrim.primList[0].worldPosition.x, 1.0f, 1e-5f);
        EXPECT_NEAR(hmodel_->collisionInfo->sphereList[0].world.x, 1.0f, 1e-5f);
    }
}

// The group may let go of a model while an hmodel still draws it.
TEST_F(HModelGroupTest, TheBoundModelOutlivesItsRelease) {
    LoadGroup({Def("FAR", MODEL_TYPE_NORMAL, 10.0f), Def("NEAR", MODEL_TYPE_NORMAL, 0.0f)});
    hmodel_ = HModelLoad("PIN", 0);
    ASSERT_NE(hmodel_, nullptr);
    PlaceAt(5.0f);
    ASSERT_EQ(hmodel_->model, near_);
    const s32 held = near_->dataEntry->refCount;
    ModelFree(near_);  // the test's own reference
    near_ = nullptr;
    ModelFree(group_->models[1].model);  // as eviction does
    group_->models[1].model = nullptr;
    EXPECT_EQ(hmodel_->model->dataEntry->refCount, held - 2);
    HModelInitMatrix(hmodel_, &IDMatrix4);
    EXPECT_NEAR(hmodel_->physicsPrim.primList[0].worldPosition.x, 2.0f, 1e-5f);
}

TEST_F(HModelGroupTest, AGroupWithoutANormalModelLoadsNothing) {
    LoadGroup({Def("FAR", MODEL_TYPE_DAMAGE0, 0.0f)});
    const s32 refs = group_->dataEntry->refCount;
    EXPECT_EQ(HModelLoad("PIN", 0), nullptr);
    EXPECT_TRUE(report().contains("HMODEL: Unable load model or model group PIN")) << report().text();
    EXPECT_EQ(HModelRecords->count, freeRecords_);
    EXPECT_EQ(group_->dataEntry->refCount, refs);
}

}  // namespace
