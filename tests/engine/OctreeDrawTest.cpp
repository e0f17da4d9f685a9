// Drawing a world model: only the meshes in view are drawn, opaque ones at once and
// alpha ones in the same call only when one pass is asked for.
#include <gtest/gtest.h>

#include <vector>

#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Octree.h"
#include "tests/engine/ModelDrawFixture.h"

namespace {

using namespace model_draw_test;

class OctreeDrawTest : public ModelDrawFixture {
protected:
    // Mesh 0 (opaque) and mesh 1 (alpha) in view, mesh 2 (opaque) out of view; each a
    // strip of a different length, so the drawn strips name their meshes.
    s_model* BuildWorld() {
        const s_Vector3 eye = {0, 0, 0, 0}, target = {0, 0, -1, 0};
        s_Matrix4 camera;
        Matrix4LookAt(&camera, &target, &eye);
        DrawSetCamera(&camera, &eye);
        StaticSquare(builder_);
        builder_.Material(MATERIAL_FLAG_HAS_OPAQUE);
        builder_.Material(MATERIAL_FLAG_HAS_ALPHA);
        const u8 materials[] = {0, 1, 0};
        for (u16 m = 0; m < 3; ++m) {
            std::vector<u16> indices(m + 3u, 0);
            for (size_t i = 0; i < indices.size(); ++i)
                indices[i] = u16(i % 4);
            builder_.Mesh()
                .Command(MODEL_CMD_MATERIAL, materials[m])
                .Primitive(MODEL_CMD_STRIP, m + 1, indices);
            builder_.Command(MODEL_CMD_END);
            builder_.Bone(s16(m), IDMatrix4);
        }
        s_model* model = builder_.Build();
        const s_Vector3 centres[] = {Ahead(20.0f), Ahead(20.0f), Ahead(-20.0f)};
        for (s32 m = 0; m < 3; ++m) {
            model->meshList[m].centerOffset = {centres[m].x, centres[m].y, centres[m].z, 0.0f};
            model->meshList[m].radius = 0.5f;
        }
        return model;
    }

    // A root over all three meshes with one leaf per mesh, the root crossing the view.
    void AddOctree(s_model* model) {
        nodes_.assign(4, s_octtree_node{});
        nodes_[0] = {{0, 0, 0, 0}, 1000.0f, 3, 0, 1, -1, -1, 0};
        for (s16 m = 0; m < 3; ++m) {
            const s_Vector4& c = model->meshList[m].centerOffset;
            nodes_[m + 1] = {{c.x, c.y, c.z, 0}, 0.5f, 1, u16(m), -1, s16(m < 2 ? m + 2 : -1), 0, 0};
        }
        atoms_ = {0, 1, 2};
        map_ = {u32(nodes_.size()), nodes_.data(), u32(atoms_.size()), atoms_.data()};
        model->octTree = &map_;
    }

    // Strip lengths drawn, in order.
    std::vector<size_t> Drawn() {
        std::vector<size_t> sizes;
        for (const Primitive& p : drawn_)
            sizes.push_back(p.vertices.size());
        drawn_.clear();
        return sizes;
    }

    // 20 units ahead of the camera, or behind it.
    static s_Vector3 Ahead(f32 distance) {
        const s_viewport& v = *DrawContext.viewport;
        const s_Vector3 p = {v.cameraPosition.x + v.cameraForward.x * distance,
                             v.cameraPosition.y + v.cameraForward.y * distance,
                             v.cameraPosition.z + v.cameraForward.z * distance, 0.0f};
        EXPECT_EQ(DrawClipSphere(&p, 0.5f) == 0, distance > 0.0f);
        return p;
    }

    ModelBuilder builder_;
    std::vector<s_octtree_node> nodes_;
    std::vector<u16> atoms_;
    s_octtree_map map_{};
};

TEST_F(OctreeDrawTest, ThroughTheOctreeOnlyMeshesInViewAreDrawnOpaqueFirst) {
    s_model* model = BuildWorld();
    AddOctree(model);
    ModelDrawWithAlpha(model, &IDMatrix4, 0);
    EXPECT_EQ(Drawn(), (std::vector<size_t>{3}));  // the alpha mesh waits
    OrbMaterial.SetFilter(MATERIAL_FLAG_HAS_ALPHA);
    ModelDrawEnd();
    EXPECT_EQ(Drawn(), (std::vector<size_t>{4}));

    ModelDrawWithAlpha(model, &IDMatrix4, 1);
    EXPECT_EQ(Drawn(), (std::vector<size_t>{3, 4}));
    EXPECT_EQ(OrbMaterial.SetFilter(0), MATERIAL_FLAG_HAS_ALPHA | MATERIAL_FLAG_HAS_OPAQUE);
}

TEST_F(OctreeDrawTest, WithoutAnOctreeTheBonesMeshesInViewAreDrawnAtOnce) {
    s_model* model = BuildWorld();
    ModelDrawWithAlpha(model, &IDMatrix4, 0);
    EXPECT_EQ(Drawn(), (std::vector<size_t>{3, 4}));
}

}  // namespace
