#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "tests/engine/WadFixture.h"
#include "tests/support/VhmTestModel.h"
#include "tools/discbuild/GrpWriter.h"
#include "tools/discbuild/VhmWriter.h"

namespace {

using namespace discbuild;
using ChunkBytes = std::vector<u8>;

constexpr u32 kGroupId = 7;
constexpr const char* kGroupName = "TREE";
// Fields of the chunk by offset: the group follows the count and its offset.
constexpr u32 kNumModelGroups = 0, kNumModels = 12, kDef0 = 32;
constexpr u32 kDefNext = 0, kDefModel = 48, kDefWad = 52, kDefWadStatus = 56;

GrpModelDef Def(const std::string& name, f32 lodMinDist, s32 type = MODEL_TYPE_NORMAL, s32 wadIndex = -1) {
    GrpModelDef def;
    def.name = name;
    def.lodMinDist = lodMinDist;
    def.type = type;
    def.wadIndex = wadIndex;
    return def;
}

ChunkBytes GroupChunk(const std::vector<GrpModelDef>& defs) {
    GrpGroup group;
    group.groupId = kGroupId;
    group.name = kGroupName;
    group.models = defs;
    return GrpPayload(group);
}

class ModelGroupTest : public WadFixture {
protected:
    void SetUp() override {
        WadFixture::SetUp();
        before_ = InUse();
    }
    void TearDown() override {
        ModelGroupFree(group_);
        for (s_model* model : models_)
            ModelFree(model);
        EXPECT_EQ(InUse(), before_);
        WadFixture::TearDown();
    }

    // A heap block holding the bytes, as the archive loader hands payloads over.
    static void* Image(const ChunkBytes& bytes) {
        void* block = HeapMalloc(u32(bytes.size()), __FILE_NAME__, __LINE__);
        if (!bytes.empty())
            std::memcpy(block, bytes.data(), bytes.size());
        return block;
    }
    s_model* LoadModel(const char* name) {
        const ChunkBytes chunk = VhmPayload(vhmtest::StaticQuad());
        s_model* model = ModelLoad(name, Image(chunk), u32(chunk.size()));
        models_.push_back(model);
        return model;
    }
    s_model_group* LoadGroup(const ChunkBytes& chunk) {
        group_ = ModelGroupLoad(kGroupName, Image(chunk), u32(chunk.size()));
        if (group_ != nullptr)
            DataRegister(kGroupName, "GRP", kGroupId);
        return group_;
    }
    // Frames until no model read is pending (bounded, so a fault fails rather than hangs).
    void WaitForLoads() {
        for (s32 frame = 0; frame < 2000 && ModelGroupLoading(); ++frame)
            EventWait(1);
        EXPECT_EQ(ModelGroupLoading(), 0);
    }
    // An archive "CITY_n" on the disc holding one model.
    void WriteCity(s32 n, const char* model) {
        WadWriter wad;
        wad.Add(Chunk(model, "VHM", VhmPayload(vhmtest::StaticQuad())));
        Write("CITY_" + std::to_string(n) + ".WAD", wad);
    }
    static s_model* At(f32 distance, s32* prevIndex, e_MODEL_TYPE type = MODEL_TYPE_NORMAL) {
        const s_Vector3 pos = {0.0f, 0.0f, -distance, 0.0f};  // the camera sits at the origin
        return ModelGroupGetModel(kGroupId, type, MODEL_SUB_TYPE_NONE, &pos, prevIndex);
    }

    Usage before_{};
    s_model_group* group_ = nullptr;
    std::vector<s_model*> models_;
};

TEST_F(ModelGroupTest, LoadsTheFirstGroupAndItsRegisteredModels) {
    s_model* near = LoadModel("NEAR");
    ASSERT_NE(LoadGroup(GroupChunk({Def("NEAR", 0), Def("FAR", 50, MODEL_TYPE_NORMAL, 2)})), nullptr)
        << report().text();
    EXPECT_EQ(group_->numModels, 2);
    EXPECT_EQ(group_->groupId, kGroupId);
    EXPECT_STREQ(group_->name, kGroupName);
    EXPECT_STREQ(group_->models[1].name, "FAR");
    EXPECT_EQ(group_->models[0].model, near);
    EXPECT_EQ(RefCount("NEAR", "VHM"), 2);
    EXPECT_EQ(group_->models[1].model, nullptr);  // streamed: read when first wanted
    EXPECT_EQ(ModelGroupFind(kGroupId), group_);
    EXPECT_EQ(ModelGroupGet(kGroupId, 0), near);
    EXPECT_EQ(ModelGroupGet(kGroupId, 2), nullptr);
    EXPECT_EQ(ModelGroupGet(kGroupId, -1), nullptr);

    // A second load shares the group.
    const ChunkBytes again = GroupChunk({});
    EXPECT_EQ(ModelGroupLoad(kGroupName, Image(again), u32(again.size())), group_);
    ModelGroupFree(group_);
}

TEST_F(ModelGroupTest, DistanceChoosesTheFirstDefinitionItReaches) {
    s_model* far = LoadModel("FAR");
    s_model* mid = LoadModel("MID");
    s_model* near = LoadModel("NEAR");
    ASSERT_NE(LoadGroup(GroupChunk({Def("FAR", 50), Def("MID", 10), Def("NEAR", 0)})), nullptr);
    struct Case {
        f32 distance;
        s_model* model;
        s32 index;
    };
    for (const Case& c : {Case{100, far, 0}, Case{50, far, 0}, Case{49.99f, mid, 1}, Case{10, mid, 1},
                          Case{9.99f, near, 2}, Case{0, near, 2}}) {
        s32 prevIndex = -1;
        EXPECT_EQ(At(c.distance, &prevIndex), c.model) << c.distance;
        EXPECT_EQ(prevIndex, c.index) << c.distance;
        s_model_def* def = nullptr;
        EXPECT_EQ(ModelGroupGetCurrent(group_, &def), c.index);
        EXPECT_EQ(def, &group_->models[c.index]);
    }
}

TEST_F(ModelGroupTest, TypesAndSubTypes) {
    s_model* whole = LoadModel("WHOLE");
    s_model* broken = LoadModel("BROKEN");
    GrpModelDef shadow = Def("SHADOW", 0);
    shadow.subType = MODEL_SUB_TYPE_SHADOW;
    ASSERT_NE(LoadGroup(GroupChunk({Def("WHOLE", 0), Def("BROKEN", 0, MODEL_TYPE_DAMAGE0), shadow})),
              nullptr);
    s32 prevIndex = 5;
    EXPECT_EQ(ModelGroupGetModelLod(kGroupId, MODEL_TYPE_DAMAGE0, MODEL_SUB_TYPE_NONE, &prevIndex), broken);
    EXPECT_EQ(prevIndex, 1);
    EXPECT_EQ(ModelGroupGetModelLod(kGroupId, MODEL_TYPE_DAMAGE7, MODEL_SUB_TYPE_NONE, &prevIndex), nullptr);
    EXPECT_EQ(At(0, &prevIndex, MODEL_TYPE_DAMAGE7), whole);  // no such type: definition 0
    EXPECT_EQ(prevIndex, -1);
    EXPECT_EQ(ModelGroupFindModel(kGroupId, MODEL_TYPE_NORMAL, MODEL_SUB_TYPE_SHADOW),
              nullptr);  // not loaded
    // The shadow is missing: by type only, the lower search takes any type.
    prevIndex = -1;
    EXPECT_EQ(ModelGroupGetModelLod(kGroupId, MODEL_TYPE_NORMAL, MODEL_SUB_TYPE_SHADOW, &prevIndex), broken);
    EXPECT_EQ(prevIndex, 1);
    prevIndex = -1;
    const s_Vector3 here = {0, 0, 0, 0};
    EXPECT_EQ(ModelGroupGetModel(kGroupId, MODEL_TYPE_NORMAL, MODEL_SUB_TYPE_SHADOW, &here, &prevIndex),
              whole);
    EXPECT_EQ(prevIndex, 0);
    EXPECT_EQ(ModelGroupFindModel(kGroupId, MODEL_TYPE_DAMAGE0, MODEL_SUB_TYPE_NONE), broken);
    EXPECT_EQ(ModelGroupFindModel(kGroupId, MODEL_TYPE_DAMAGE7, MODEL_SUB_TYPE_NONE), nullptr);
}

// A registered model that is not there: the caller's previous model, else the
// nearest lower one of the type, else definition 0's.
TEST_F(ModelGroupTest, MissingModelsFallBack) {
    s_model* far = LoadModel("FAR");
    s_model* broken = LoadModel("BROKEN");
    ASSERT_NE(LoadGroup(GroupChunk(
                  {Def("FAR", 50), Def("BROKEN", 0, MODEL_TYPE_DAMAGE0), Def("GONE", 10), Def("GONE2", 0)})),
              nullptr);
    struct Case {
        const char* name;
        f32 distance;
        s32 prevIndex;
        s_model* model;
        s32 prevAfter;
    };
    const Case cases[] = {
        {"the previous model stays", 20, 1, broken, 1},
        {"a lower one of the same type", 20, -1, far, 0},
        {"a previous index outside the group is no model", 20, 99, far, 0},
        {"from the last: the lower search skips other types", 5, -1, far, 0},
    };
    for (const Case& c : cases) {
        s32 prevIndex = c.prevIndex;
        EXPECT_EQ(At(c.distance, &prevIndex), c.model) << c.name;
        EXPECT_EQ(prevIndex, c.prevAfter) << c.name;
    }
    s32 prevIndex = -1;
    group_->models[0].model = nullptr;  // as if never loaded
    EXPECT_EQ(At(20, &prevIndex), nullptr);
    EXPECT_EQ(prevIndex, -1);
    group_->models[0].model = far;
}

// A streamed model is read in the background; meanwhile the previous model stays,
// then the next request switches.
TEST_F(ModelGroupTest, StreamedModelsArriveOnALaterRequest) {
    WriteCity(3, "FARX");
    s_model* near = LoadModel("NEAR");
    ASSERT_NE(LoadGroup(GroupChunk({Def("FARX", 50, MODEL_TYPE_NORMAL, 3), Def("NEAR", 0)})), nullptr);
    s32 prevIndex = -1;
    EXPECT_EQ(At(0, &prevIndex), near);
    EXPECT_EQ(prevIndex, 1);
    EXPECT_EQ(At(60, &prevIndex), near);
    EXPECT_EQ(prevIndex, 1);
    EXPECT_EQ(ModelGroupLoading(), 1);
    EXPECT_NE(group_->models[0].wadStatus, nullptr);
    WaitForLoads();
    EXPECT_TRUE(report().contains("  Load Model FARX\n"));
    ASSERT_NE(group_->models[0].model, nullptr);
    EXPECT_EQ(At(60, &prevIndex), group_->models[0].model);
    EXPECT_EQ(prevIndex, 0);
    EXPECT_EQ(group_->models[0].timeStamp, GameTime);
}

// Freeing the group while a read is pending: the archive is freed when it arrives.
TEST_F(ModelGroupTest, FreeingAGroupWithAPendingRead) {
    WriteCity(4, "FARY");
    ASSERT_NE(LoadGroup(GroupChunk({Def("FARY", 0, MODEL_TYPE_NORMAL, 4)})), nullptr);
    s32 prevIndex = -1;
    EXPECT_EQ(At(0, &prevIndex), nullptr);
    ASSERT_EQ(ModelGroupLoading(), 1);
    ModelGroupFree(group_);
    group_ = nullptr;
    WaitForLoads();
    EXPECT_FALSE(report().contains("Load Model"));
    EXPECT_EQ(DataFindEntry("FARY", "VHM"), nullptr);
}

// Slots the chunk should hold as 0 start empty: a stale model pointer is not used
// and a stale request does not block reading.
TEST_F(ModelGroupTest, RunTimeSlotsStartEmpty) {
    WriteCity(5, "FARZ");
    ChunkBytes chunk = GroupChunk({Def("FARZ", 0, MODEL_TYPE_NORMAL, 5)});
    for (u32 field : {kDefNext, kDefNext + 4, 8u, kDefModel, kDefWad, kDefWadStatus})
        StoreBE32(&chunk[kDef0 + field], 0xDEADBEE0u);
    StoreBE32(&chunk[8], 0xDEADBEE0u);  // the group's dataEntry
    ASSERT_NE(LoadGroup(chunk), nullptr);
    const s_model_def& def = group_->models[0];
    EXPECT_EQ(def.model, nullptr);
    EXPECT_EQ(def.wad, nullptr);
    EXPECT_EQ(def.next, nullptr);
    EXPECT_EQ(def.timeStamp, 0.0f);
    s32 prevIndex = -1;
    EXPECT_EQ(At(0, &prevIndex), nullptr);
    EXPECT_EQ(ModelGroupLoading(), 1);
    WaitForLoads();
    EXPECT_NE(At(0, &prevIndex), nullptr);
}

TEST_F(ModelGroupTest, BadChunksAreRefused) {
    const ChunkBytes good = GroupChunk({Def("A", 0), Def("B", 0)});
    struct Case {
        const char* name;
        u32 at;
        u32 value;
    };
    const Case cases[] = {
        {"no group", kNumModelGroups, 0},
        {"a negative group count", kNumModelGroups, 0xFFFFFFFFu},
        {"nine models", kNumModels, 9},
        {"a negative model count", kNumModels, 0xFFFFFFFFu},
        {"the group past the end", 4, u32(good.size()) - 100},
        {"a model name past the end", kDef0 + 16, u32(good.size())},
        {"a group name past the end", 8 + 20, 0x7FFFFFFFu},
    };
    for (const Case& c : cases) {
        ChunkBytes chunk = good;
        StoreBE32(&chunk[c.at], c.value);
        EXPECT_EQ(ModelGroupLoad(kGroupName, Image(chunk), u32(chunk.size())), nullptr) << c.name;
        EXPECT_TRUE(report().contains("ModelGroupLoad: bad chunk \"TREE\"\n")) << c.name;
    }
    for (u32 size = 0; size < good.size(); size += 7) {
        const ChunkBytes cut(good.begin(), good.begin() + size);
        EXPECT_EQ(ModelGroupLoad(kGroupName, Image(cut), size), nullptr) << size;
    }
    EXPECT_THROW(GroupChunk(std::vector<GrpModelDef>(9)), std::invalid_argument);
}

}  // namespace
