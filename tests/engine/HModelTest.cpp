#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "orblib47/source/Data.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/Record.h"
#include "tests/engine/DataFixture.h"
#include "tests/engine/HModelTestModels.h"
#include "tests/engine/OrbMathTestUtil.h"
#include "tests/support/SkeletonBuilder.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

using Bytes = std::vector<u8>;

s_Vector3 Xyz(const s_Vector4& v) {
    return V3(v.x, v.y, v.z);
}

class HModelTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        before_ = Heaps();
        freeRecords_ = HModelRecords->count;
        const Bytes chunk = discbuild::VhmPayload(hmodeltest::Chain(3));
        // The test's own reference keeps the model loaded between hmodels.
        model_ = ModelLoad("CHAIN", Image(chunk), u32(chunk.size()));
        ASSERT_NE(model_, nullptr) << report().text();
        GameTime = 1.0f;
        DeltaTime = 0.1f;
    }
    void TearDown() override {
        for (s_hmodel* hmodel : hmodels_)
            HModelFree(hmodel);
        for (s_hanim_header* bank : banks_)
            HAnimFree(bank);
        ModelFree(model_);
        EXPECT_EQ(HModelRecords->count, freeRecords_);
        EXPECT_EQ(Heaps(), before_);
        DataFixture::TearDown();
    }

    s_hmodel* Load() {
        s_hmodel* hmodel = HModelLoad("CHAIN", 0);
        EXPECT_NE(hmodel, nullptr) << report().text();
        hmodels_.push_back(hmodel);
        return hmodel;
    }
    s32 References() const { return model_->dataEntry->refCount; }

    // A bank bound to data-file id 0x31 whose animation 0 turns bone 2 and moves it.
    u32 LoadBank() {
        discbuild::VhaChannel turn{ANIM_FQUAT, HCHANNEL_FLAG_IS_KEYED, 0, 2, {}};
        turn.keys = {{0, {0, 0, 0, 1}, {}}, {1, {0, 0.7071068f, 0, 0.7071068f}, {}}};
        discbuild::VhaChannel move{ANIM_FPOS, HCHANNEL_FLAG_IS_KEYED, 0, 2, {}};
        move.keys = {{0, {1, 0, 0, 0}, {}}, {1, {1, 0, 2, 0}, {}}};
        const Bytes chunk = discbuild::VhaPayload({0, 1, {{"TURN", 0, 0, 1, 0, {turn, move}}}});
        banks_.push_back(HAnimLoad("TURNS", Image(chunk), u32(chunk.size()), 0));
        EXPECT_NE(banks_.back(), nullptr);
        DataRegister("TURNS", "VHA", 0x31);
        return 0x00310000u;
    }

    HeapState before_{};
    u32 freeRecords_ = 0;
    s_model* model_ = nullptr;
    std::vector<s_hmodel*> hmodels_;
    std::vector<s_hanim_header*> banks_;
};

TEST_F(HModelTest, LoadBindsTheModelWithAReferenceAndFreeGivesItBack) {
    s_hmodel* hmodel = HModelLoad("CHAIN", HMODEL_FLAG_DYNAMIC_VERTS);
    ASSERT_NE(hmodel, nullptr);
    EXPECT_EQ(HModelRecords->count, freeRecords_ - 1);
    EXPECT_EQ(References(), 2);
    EXPECT_EQ(hmodel->model, model_);
    EXPECT_EQ(hmodel->flags, HMODEL_FLAG_DYNAMIC_VERTS | HMODEL_FLAG_NEW | HMODEL_FLAG_LOD_BY_DISTANCE);
    EXPECT_EQ(hmodel->prevModel, -1);
    EXPECT_EQ(hmodel->numBones, 3);
    EXPECT_EQ(hmodel->rootBone, 0);
    ASSERT_NE(hmodel->hmatrix, nullptr);
    EXPECT_EQ(hmodel->hmatrix->numBones, 3);
    EXPECT_EQ(hmodel->modelInstance.model, model_);
    ExpectMatrixNear(hmodel->worldMatrix, IDMatrix4, 0);
    HModelFree(hmodel);
    EXPECT_EQ(References(), 1);
    EXPECT_EQ(HModelRecords->count, freeRecords_);
    HModelFree(nullptr);
}

// Each failure returns the record to the pool once and keeps no reference.
TEST_F(HModelTest, FailedLoadsReturnTheRecordOnce) {
    EXPECT_EQ(HModelLoad("NOSUCH", 0), nullptr);
    EXPECT_TRUE(report().contains("HMODEL: Unable load model or model group NOSUCH")) << report().text();
    EXPECT_EQ(HModelRecords->count, freeRecords_);

    // With the heap full the bone hierarchy cannot be made.
    std::vector<void*> blocks;
    for (u32 size = 1u << 30; size >= 16; size /= 2)
        while (void* block = HeapMalloc(size, __FILE_NAME__, __LINE__))
            blocks.push_back(block);
    EXPECT_EQ(HModelLoad("CHAIN", 0), nullptr);
    for (void* block : blocks)
        HeapMallocFree(block);
    EXPECT_TRUE(report().contains("HMODEL: Unable to allocate HMATRIX structure")) << report().text();
    EXPECT_EQ(HModelRecords->count, freeRecords_);
    EXPECT_EQ(References(), 1);

    std::vector<s_hmodel*> all;
    while (s_hmodel* hmodel = HModelLoad("CHAIN", 0))
        all.push_back(hmodel);
    EXPECT_EQ(all.size(), freeRecords_);
    EXPECT_TRUE(report().contains("HMODEL: Unable to allocate HMODEL record"));
    for (s_hmodel* hmodel : all)
        HModelFree(hmodel);
}

TEST_F(HModelTest, OneUpdatePerGameTimeWhateverTheCall) {
    s_hmodel* hmodel = Load();
    // A new hmodel takes its first update even at the game time it was made in.
    hmodel->lastTime = GameTime;
    const s_Matrix4 first = Pose(0, 90, 0, 5, 0, 0);
    HModelUpdateMatrix(hmodel, &first);
    EXPECT_EQ(hmodel->flags & HMODEL_FLAG_NEW, 0u);
    s_Vector3 bone2;
    HModelGetBonePosition(hmodel, 2, &bone2);
    ExpectVec3Near(bone2, 5, 0, -2, 2e-3f);

    const s_Matrix4 second = Pose(0, 0, 0, 9, 9, 9);
    const s_Vector3 pos = V3(7, 7, 7), rot = V3(0, 0, 0), scale = V3(2, 2, 2);
    HModelUpdateMatrix(hmodel, &second);
    HModelUpdateMatrixAndScale(hmodel, &second, &scale);
    HModelUpdatePosRot(hmodel, &pos, &rot);
    HModelUpdatePosRotScale(hmodel, &pos, &rot, &scale);
    HModelUpdate(hmodel);
    ExpectMatrixNear(hmodel->worldMatrix, first, 0);
    EXPECT_EQ(hmodel->flags & HMODEL_FLAG_SCALED, 0u);
    HModelGetBonePosition(hmodel, 2, &bone2);
    ExpectVec3Near(bone2, 5, 0, -2, 2e-3f);

    GameTime += DeltaTime;
    HModelUpdatePosRot(hmodel, &pos, &rot);
    ExpectVec3Near(Xyz(hmodel->physicsPrim.primList[0].worldPosition), 9, 8, 7, 1e-5f);
}

TEST_F(HModelTest, ScaledFlagFollowsTheScaleBeyondOneThousandth) {
    struct Case {
        s_Vector3 scale;
        u32 before, after;
    };
    const Case cases[] = {
        {V3(1.0005f, 1.0f, 0.9995f), HMODEL_FLAG_SCALED, 0},
        {V3(1.002f, 1.0f, 1.0f), 0, HMODEL_FLAG_SCALED},
        {V3(1.0f, 1.0f, 0.998f), 0, HMODEL_FLAG_SCALED},
        {V3(1.0f, 1.0f, 1.0f), HMODEL_FLAG_SCALED, 0},
    };
    s_hmodel* hmodel = Load();
    const s_Matrix4 place = Pose(0, 0, 90, 1, 2, 3);
    for (const Case& c : cases) {
        GameTime += DeltaTime;
        hmodel->flags = (hmodel->flags & ~HMODEL_FLAG_SCALED) | c.before;
        HModelUpdateMatrixAndScale(hmodel, &place, &c.scale);
        EXPECT_EQ(hmodel->flags & HMODEL_FLAG_SCALED, c.after) << c.scale.x << " " << c.scale.z;
        // Scaled in the model's own axes, then turned and placed.
        const s_Vector3 p = TransformPoint(hmodel->worldMatrix, V3(1, 1, 1));
        const s_Vector3 q = TransformPoint(place, V3(c.scale.x, c.scale.y, c.scale.z));
        ExpectVec3Near(p, q.x, q.y, q.z, 1e-5f);
    }
    // The position-and-angles form leaves the flag alone.
    const s_Vector3 pos = V3(0, 0, 0), rot = V3(0, 0, 0), big = V3(3, 3, 3);
    GameTime += DeltaTime;
    HModelUpdatePosRotScale(hmodel, &pos, &rot, &big);
    EXPECT_EQ(hmodel->flags & HMODEL_FLAG_SCALED, 0u);
    EXPECT_FLOAT_EQ(hmodel->worldMatrix.element[0], 3.0f);
}

s32 CountEvents(void* record, s_hanim_event_parms*) {
    ++*static_cast<s32*>(record);
    return 0;
}

TEST_F(HModelTest, TheFirstPlayNeverBlendsTheSecondDoes) {
    const u32 id = LoadBank();
    s_hmodel* hmodel = Load();
    s32 events = 0;
    HModelSetAnimEventFunc(hmodel, CountEvents, &events);
    s_HANIM_ATTR previous{};
    hmodel->hanimAttr = &previous;
    for (u16 blend : {HANIM_FLAG_BLEND_STATIC, HANIM_FLAG_BLEND_DYNAMIC}) {
        s_hmodel* fresh = Load();
        s_hanim* first = HModelPlayAnim(fresh, id, 1.0f, blend | HANIM_FLAG_REPEAT);
        ASSERT_NE(first, nullptr) << report().text();
        EXPECT_EQ(first->flags & (HANIM_FLAG_BLEND_STATIC | HANIM_FLAG_BLEND_DYNAMIC), 0);
        EXPECT_NE(first->flags & HANIM_FLAG_REPEAT, 0);
        s_hanim* second = HModelPlayAnim(fresh, id, 0.5f, blend);
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->flags & blend, blend);
        EXPECT_EQ(fresh->layer[ANIM_LAYER_PRIMARY].hanim, second);
        EXPECT_EQ(HModelGetAnimScale(fresh), 0.5f);
    }
    s_hanim* hanim = HModelPlayAnim(hmodel, id, 2.0f, 0);
    ASSERT_NE(hanim, nullptr);
    EXPECT_EQ(hmodel->hanimAttr, nullptr);
    EXPECT_EQ(hanim->eventFunc, &CountEvents);
    EXPECT_EQ(hanim->eventRecord, &events);
    EXPECT_NE(hmodel->flags & HMODEL_FLAG_ANIMATED, 0u);
    EXPECT_EQ(HModelGetAnimScale(hmodel), 2.0f);
    HModelSetAnimTime(hmodel, 0.25f);
    EXPECT_EQ(HModelGetAnimTime(hmodel), 0.25f);

    // From a bank and index, the first play is marked as the model's first.
    s_hmodel* fresh = Load();
    s_hanim* fromBank = HModelPlayAnimFromBankAndId(fresh, banks_[0], 0, 1.0f, HANIM_FLAG_BLEND_STATIC, 0);
    ASSERT_NE(fromBank, nullptr);
    EXPECT_EQ(fromBank->flags & HANIM_FLAG_BLEND_STATIC, 0);
    EXPECT_NE(HModelPlayAnimFromBankAndId(fresh, banks_[0], 0, 1.0f, HANIM_FLAG_BLEND_STATIC, 0)->flags &
                  HANIM_FLAG_BLEND_STATIC,
              0);

    EXPECT_EQ(HModelPlayAnim(hmodel, 0x00310005u, 1.0f, 0), nullptr);
    EXPECT_EQ(hmodel->layer[ANIM_LAYER_PRIMARY].hanim, nullptr);
    EXPECT_EQ(HModelGetAnimScale(hmodel), 0.0f);
    EXPECT_EQ(HAnimBoneMaskTable, nullptr);
}

TEST_F(HModelTest, AnimationsPoseTheBonesEachUpdate) {
    const u32 id = LoadBank();
    s_hmodel* hmodel = Load();
    ASSERT_NE(HModelPlayAnim(hmodel, id, 1.0f, 0), nullptr);
    for (int frame = 0; frame < 5; ++frame) {
        GameTime += DeltaTime;
        HModelUpdate(hmodel);
    }
    EXPECT_NEAR(HModelGetAnimTime(hmodel), 0.5f, 1e-5f);
    // A manually stepped layer is left to its owner.
    hmodel->layer[ANIM_LAYER_PRIMARY].flags[1] |= HANIM_LAYER_MANUAL_UPDATE;
    GameTime += DeltaTime;
    HModelUpdate(hmodel);
    EXPECT_NEAR(HModelGetAnimTime(hmodel), 0.5f, 1e-5f);
    HModelStopAnim(hmodel);
    EXPECT_EQ(hmodel->layer[ANIM_LAYER_PRIMARY].flags[1], 0u);
    EXPECT_EQ(hmodel->layer[ANIM_LAYER_PRIMARY].hanim, nullptr);
}

TEST_F(HModelTest, AnAdditiveLayerIsTakenOutAfterEveryUpdate) {
    const u32 id = LoadBank();
    s_hmodel* hmodel = Load();
    ASSERT_NE(HModelPlayAnimLayer(hmodel, id, 1.0f, HANIM_FLAG_ADD | HANIM_FLAG_REPEAT, ANIM_LAYER_SECONDARY),
              nullptr);
    for (int frame = 0; frame < 4; ++frame) {
        GameTime += DeltaTime;
        HModelUpdate(hmodel);
        // Posed with the layer, then the bone's own rotation is back for the next frame.
        const s_Quaternion q = hmodel->hmatrix->boneList[2].localQuatSys.quat;
        EXPECT_NEAR(std::abs(q.w), 1.0f, 1e-5f) << frame;
    }
    // ... while the pose built in the update carried it.
    s_Vector3 bone2;
    HModelGetBonePosition(hmodel, 2, &bone2);
    EXPECT_GT(bone2.z, 0.5f);
}

TEST_F(HModelTest, RootMotionIsTakenOnceInWorldAxes) {
    const u32 id = LoadBank();
    s_hmodel* hmodel = Load();
    s_Vector3 trans;
    s_Matrix4 rot;
    HModelGetExportLayer(hmodel, ANIM_LAYER_SECONDARY, &trans, &rot);
    ExpectVec3Near(trans, 0, 0, 0, 0);
    ExpectMatrixNear(rot, IDMatrix4, 0);

    s_hanim* hanim = HModelPlayAnim(hmodel, id, 1.0f, 0);
    ASSERT_NE(hanim, nullptr);
    hanim->exportTrans = V3(1, 0, 2);
    hanim->exportMatrix = Pose(0, 30, 0, 0, 0, 0);
    hmodel->worldMatrix = Pose(0, 0, 90, 10, 10, 10);
    HModelGetExportLayer(hmodel, ANIM_LAYER_PRIMARY, &trans, &rot);
    ExpectVec3Near(trans, 0, 1, 2, 1e-3f);
    ExpectMatrixNear(rot, Pose(0, 30, 0, 0, 0, 0), 1e-6f);
    HModelGetExportLayer(hmodel, ANIM_LAYER_PRIMARY, &trans, &rot);
    ExpectVec3Near(trans, 0, 0, 0, 0);
    ExpectMatrixNear(rot, IDMatrix4, 0);
}

TEST_F(HModelTest, PhysicsPrimitivesOnMissingBonesAreLeftOut) {
    s_hmodel* hmodel = Load();
    EXPECT_TRUE(report().contains("PhysicsPrim: primitive 1 on bone 7 of 3 left out")) << report().text();
    ASSERT_EQ(hmodel->physicsPrim.numPrims, 1u);
    const s_PHYSICS_PRIM& prim = hmodel->physicsPrim.primList[0];
    EXPECT_EQ(prim.physicsType, PHYSICS_PRIM_TYPE_SPHERE);
    EXPECT_EQ(prim.boneId, 2u);
    EXPECT_EQ(prim.radius, 0.25f);
    EXPECT_EQ(prim.mass, 2.5f);
    EXPECT_EQ(prim.rotation.w, 1.0f);

    const s_Matrix4 place = Pose(0, 0, 0, 0, 0, 4);
    HModelInitMatrix(hmodel, &place);
    ExpectVec3Near(Xyz(prim.worldPosition), 2, 1, 4, 1e-5f);
    // A hierarchy smaller than the copy's model never reaches past its bones.
    hmodel->hmatrix->numBones = 2;
    const s_Matrix4 moved = Pose(0, 0, 0, 0, 0, 9);
    HModelInitMatrix(hmodel, &moved);
    ExpectVec3Near(Xyz(prim.worldPosition), 2, 1, 4, 1e-5f);
    hmodel->hmatrix->numBones = 3;

    PhysicsPrim none;
    s_model empty{};
    none.Init(&empty);
    EXPECT_EQ(none.numPrims, 0u);
    EXPECT_EQ(none.primList, nullptr);
    none.Update(hmodel->hmatrix);
}

TEST_F(HModelTest, ClipUsesTheSphereAboutTheRootBone) {
    s_hmodel* hmodel = Load();
    const s_Vector3 pos = V3(0, 0, -10), rot = V3(0, 0, 0);
    HModelUpdatePosRot(hmodel, &pos, &rot);
    const s_Vector3 centre = V3(0, 0.5f, -10);
    EXPECT_EQ(HModelClip(hmodel), DrawClipSphere(&centre, 1.5f));
}

using HModelDeathTest = HModelTest;

TEST_F(HModelDeathTest, CallerObligationsAreChecked) {
    report_.reset();
    s_hmodel* hmodel = Load();
    s_Vector3 pos;
    EXPECT_DEATH(HModelGetBonePosition(hmodel, 3, &pos), "HModelGetBonePosition: boneId out of range!");
    EXPECT_DEATH(HModelGetBoneMatrix(nullptr, 0), "HModelGetBoneMatrix: hmodel == NULL!");
    s_Matrix4 rot;
    EXPECT_DEATH(HModelGetExportLayer(hmodel, 2, &pos, &rot), "HModelGetExportLayer: Invalid layerId: 2.");
}

}  // namespace
