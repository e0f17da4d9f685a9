// A model chunk made by the writer, loaded by the real loader and drawn: the loader
// and the drawing agree on the mesh streams, index lists and vertex arrays.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "orblib47/source/Heap.h"
#include "orblib47/source/Model.h"
#include "tests/engine/ModelDrawFixture.h"
#include "tests/support/VhmTestModel.h"

namespace {

using namespace model_draw_test;

using ModelLoadDrawTest = ModelDrawFixture;

s_model* Load(const char* name, const discbuild::VhmModel& source) {
    const std::vector<u8> chunk = discbuild::VhmPayload(source);
    void* block = HeapMalloc(u32(chunk.size()), __FILE_NAME__, __LINE__);
    std::memcpy(block, chunk.data(), chunk.size());
    return ModelLoad(name, block, u32(chunk.size()));
}

TEST_F(ModelLoadDrawTest, LoadedSkinnedQuadDrawsItsWeightedVertices) {
    discbuild::VhmModel source = vhmtest::SkinnedQuad();
    auto& commands = source.meshes[0].commands;
    commands.erase(commands.begin());  // no materials: the model's list draws it
    s_model* model = Load("QUAD", source);
    ASSERT_NE(model, nullptr);
    s_hmatrix* pose = HMatrixAlloc(model->boneList, s16(model->numBones), 0, nullptr);
    ASSERT_NE(pose, nullptr);
    pose->boneList[0].modelMatrixInv = Translation(0, 0, -4);
    pose->boneList[1].modelMatrixInv = Translation(0, 1, -4);
    const s_Matrix4 world = IDMatrix4;

    ModelDraw(model, &world, pose, nullptr);
    // The skinned strip, the skinned list, then the weighted triangle.
    ASSERT_EQ(drawn_.size(), 3u);
    EXPECT_EQ(drawn_[0].vertices.size(), 4u);
    EXPECT_EQ(drawn_[1].vertices.size(), 3u);
    EXPECT_EQ(drawn_[2].vertices.size(), 3u);
    // Vertices 0 and 1 follow bone 0, 2 and 3 bone 1; the mesh's indices start at
    // the list's second entry.
    const s_Vector4 posed[] = {{0, 0, -4, 1}, {1, 0, -4, 1}, {1, 2, -4, 1}, {0, 2, -4, 1}};
    const u16 strip[] = {0, 1, 3, 2};
    for (size_t i = 0; i < 4; ++i) {
        ExpectAt(drawn_[0], i, posed[strip[i]]);
        EXPECT_EQ(ColorOf(drawn_[0].vertices[i]), 0x204080FFu + strip[i]);
    }
    HMatrixFree(pose);
    ModelFree(model);
}

TEST_F(ModelLoadDrawTest, LoadedStaticQuadDrawsItsQuantisedStrip) {
    discbuild::VhmModel source = vhmtest::StaticQuad();
    auto& commands = source.meshes[0].commands;
    commands.erase(commands.begin());
    s_model* model = Load("STATIC", source);
    ASSERT_NE(model, nullptr);
    const s_Matrix4 world = Translation(0, 0, -4);
    ModelDraw(model, &world, nullptr, nullptr);
    ASSERT_EQ(drawn_.size(), 1u);
    const s_Vector4 corners[] = {{0, 0, 0, 1}, {1, 0, 0, 1}, {0, 1, 0, 1}, {1, 1, 0, 1}};
    for (size_t i = 0; i < 4; ++i)
        ExpectAt(drawn_[0], i, corners[i]);
    ModelFree(model);
}

}  // namespace
