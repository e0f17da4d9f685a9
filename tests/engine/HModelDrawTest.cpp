// Hierarchical models drawn through the model drawing: on their own bones, on a
// parent's, and again under another matrix.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "orblib47/source/HModel.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "tests/engine/ModelDrawFixture.h"
#include "tests/support/VhmTestModel.h"

namespace {

using namespace model_draw_test;

class HModelDrawTest : public ModelDrawFixture {
protected:
    void SetUp() override {
        ModelDrawFixture::SetUp();
        // The static quad hung on the second of two bones.
        discbuild::VhmModel source = vhmtest::StaticQuad();
        source.meshes[0].commands.erase(source.meshes[0].commands.begin());
        source.bones = {vhmtest::Bone(-1, -1, 1, -1, 0.0f), vhmtest::Bone(0, -1, -1, 0, 1.0f)};
        const std::vector<u8> chunk = discbuild::VhmPayload(source);
        void* block = HeapMalloc(u32(chunk.size()), __FILE_NAME__, __LINE__);
        std::memcpy(block, chunk.data(), chunk.size());
        model_ = ModelLoad("BONEQUAD", block, u32(chunk.size()));
        ASSERT_NE(model_, nullptr);
        GameTime = 1.0f;
    }
    void TearDown() override {
        ModelFree(model_);
        ModelDrawFixture::TearDown();
    }

    s_hmodel* Placed(f32 x) {
        s_hmodel* hmodel = HModelLoad("BONEQUAD", 0);
        EXPECT_NE(hmodel, nullptr);
        const s_Matrix4 world = Translation(x, 0, -6);
        HModelUpdateMatrix(hmodel, &world);
        return hmodel;
    }
    // What the model drawing itself sends for these arguments.
    std::vector<Primitive> Direct(const s_Matrix4* world, s_hmatrix* header, s_flat_matrix* flat) {
        drawn_.clear();
        ModelClearVertsWeighted(model_);
        ModelDraw(model_, world, header, flat);
        std::vector<Primitive> direct = std::move(drawn_);
        drawn_.clear();
        return direct;
    }
    void ExpectSame(const std::vector<Primitive>& expected) {
        ASSERT_EQ(drawn_.size(), expected.size());
        for (size_t p = 0; p < expected.size(); ++p) {
            ASSERT_EQ(drawn_[p].vertices.size(), expected[p].vertices.size());
            for (size_t v = 0; v < expected[p].vertices.size(); ++v)
                for (int c = 0; c < 4; ++c)
                    EXPECT_EQ(drawn_[p].vertices[v].pos[c], expected[p].vertices[v].pos[c]);
        }
    }

    s_model* model_ = nullptr;
};

TEST_F(HModelDrawTest, DrawsOnItsOwnOrItsParentsBonesInItsTextureVariant) {
    s_hmodel* hat = Placed(-1);
    s_hmodel* parent = Placed(2);
    const std::vector<Primitive> own = Direct(&hat->worldMatrix, hat->hmatrix, hat->fmatrix);
    ASSERT_EQ(own.size(), 1u);
    hat->flags |= HMODEL_FLAG_SCALED;
    HModelDraw(hat);
    ExpectSame(own);
    EXPECT_NE(model_->flags & MODEL_FLAG_SCALED, 0u);

    // The hmodel's variant is in force only while it draws.
    OrbMaterial.SetTextureVariant(3);
    HModelSetTextureVariant(hat, 2);
    HModelDraw(hat);
    EXPECT_EQ(OrbMaterial.GetTextureVariant(), 3);
    OrbMaterial.SetTextureVariant(0);

    hat->flags &= ~HMODEL_FLAG_SCALED;
    const std::vector<Primitive> again = Direct(&parent->worldMatrix, hat->hmatrix, nullptr);
    HModelReDraw(hat, &parent->worldMatrix);
    ExpectSame(again);
    EXPECT_EQ(model_->flags & MODEL_FLAG_SCALED, 0u);

    const std::vector<Primitive> onParent = Direct(&parent->worldMatrix, parent->hmatrix, hat->fmatrix);
    HModelDrawAttachment(hat, parent);
    ExpectSame(onParent);

    drawn_.clear();
    HModelDraw(nullptr);
    HModelDrawAttachment(hat, nullptr);
    EXPECT_TRUE(drawn_.empty());
    HModelFree(parent);
    HModelFree(hat);
}

}  // namespace
