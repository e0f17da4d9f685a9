#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "orblib47/source/Collision.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/ModelGroup.h"
#include "orblib47/source/World.h"
#include "tests/engine/WadFixture.h"
#include "tests/support/CollisionModelBuilder.h"
#include "tests/support/OctreeBuilder.h"
#include "tests/support/VhmTestModel.h"
#include "tools/discbuild/GrpWriter.h"
#include "tools/discbuild/VhmWriter.h"
#include "tools/discbuild/WrlWriter.h"

namespace {

constexpr u32 kGroupId = 9;

constexpr s_Vector3 V(f32 x, f32 y, f32 z) {
    return {x, y, z, 0.0f};
}

void* Image(const std::vector<u8>& bytes) {
    void* block = HeapMalloc(u32(bytes.size()), __FILE_NAME__, __LINE__);
    std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

// (x, y, z) -> (x + tx, -z, y): a quarter turn about x, then a move along x.
s_Matrix4 Turned(f32 tx) {
    return {{1, 0, 0, tx, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1}};
}
s_Matrix4 Moved(f32 tx) {
    return {{1, 0, 0, tx, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

// A static world whose atoms place a group holding one model with a unit collision
// triangle at its origin, facing +z.
class CollisionCacheAtomsTest : public WadFixture {
protected:
    void SetUp() override {
        WadFixture::SetUp();
        discbuild::VhmModel source = vhmtest::StaticQuad();
        source.collisionVertices = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}};
        source.normals = {{0, 0, 1, 0}};
        source.collisionFaces = {{0.3f, 0.3f, 0, 1, COLLISION_PLAYER_OBS, 4, 0, 0, {0, 1, 2, 0}}};
        const std::vector<u8> vhm = discbuild::VhmPayload(source);
        model_ = ModelLoad("ROCK", Image(vhm), u32(vhm.size()));
        discbuild::GrpGroup group;
        group.groupId = kGroupId;
        group.name = "ROCKS";
        group.models = {discbuild::GrpModelDef{0, "ROCK"}};
        const std::vector<u8> grp = discbuild::GrpPayload(group);
        group_ = ModelGroupLoad("ROCKS", Image(grp), u32(grp.size()));
        DataRegister("ROCKS", "GRP", kGroupId);

        atoms_ = {Atom(Moved(10), 0), Atom(Turned(-10), 0), Atom(Moved(20), -1)};
        world_.numAtom = s32(atoms_.size());
        world_.atomList = atoms_.data();
        cache_ = PolyCollideCacheAllocSize(8);
        const s_Vector3 lo = V(-2, -2, -2), hi = V(2, 2, 2);
        PolyCollideCacheSetup(cache_, &lo, &hi);
    }
    void TearDown() override {
        PolyCollideCacheFree(cache_);
        ModelGroupFree(group_);
        ModelFree(model_);
        WadFixture::TearDown();
    }
    static s_world_atom Atom(const s_Matrix4& matrix, s32 prevModel) {
        s_world_atom atom{};
        atom.matrix = matrix;
        atom.center = V(matrix.element[3], matrix.element[7], matrix.element[11]);
        atom.groupId = kGroupId;
        atom.prevModel = prevModel;
        return atom;
    }
    s_collision_cache* Refresh(f32 x) {
        const s_Vector3 pos = V(x, 0, 0);
        const s_Vector3 minmax[2] = {V(-1, -1, -1), V(1, 1, 1)};
        return PolyCollideCacheWorld(cache_, &world_, &pos, minmax);
    }
    // An octree with one leaf per atom about its centre.
    void BuildOctree() {
        discbuild::OctreeNode root{{0, 0, 0}, 40, 0, {}, {}};
        for (u16 i = 0; i < atoms_.size(); ++i)
            root.children.push_back({{atoms_[i].center.x, 0, 0}, 2, 0, {i}, {}});
        octree_ = OctreeWrite(&root);
        ASSERT_TRUE(octree_.Parse(u32(atoms_.size())));
        world_.octTree = &octree_.map;
    }

    s_model* model_ = nullptr;
    s_model_group* group_ = nullptr;
    std::vector<s_world_atom> atoms_;
    s_world world_{};
    OctreeChunk octree_;
    s_collision_cache* cache_ = nullptr;
};

TEST_F(CollisionCacheAtomsTest, AtomFacesComeUnderTheirMatrices) {
    for (bool octree : {false, true}) {
        if (octree)
            BuildOctree();
        PolyCollideCacheSetup(cache_, &cache_->bounds[0], &cache_->bounds[1]);
        Refresh(10);
        ASSERT_EQ(cache_->count, 1) << octree;
        const s_cache_poly& moved = cache_->polygons[0];
        EXPECT_EQ(moved.coord[1].x, 11.0f);
        EXPECT_EQ(moved.normal.z, 1.0f);
        EXPECT_EQ(moved.flags, COLLISION_PLAYER_OBS);
        EXPECT_EQ(moved.surface, 4);
        EXPECT_EQ(moved.vertCount, 3);

        Refresh(-10);
        ASSERT_EQ(cache_->count, 1) << octree;
        const s_cache_poly& turned = cache_->polygons[0];
        EXPECT_EQ(turned.coord[2].z, 1.0f);
        EXPECT_EQ(turned.normal.y, -1.0f);

        Refresh(20);  // an atom whose group has chosen no model yet
        EXPECT_EQ(cache_->count, 0) << octree;
        EXPECT_EQ(cache_->flags, COLLISION_CACHE_FILLED);
    }
}

TEST_F(CollisionCacheAtomsTest, TheWorldModelComesFirstAndTheBoxDecidesARefill) {
    CollisionModelBuilder builder;
    builder.Face({V(9, 0, 0), V(9.5f, 0, 0), V(9, 0.5f, 0)});
    builder.Face({V(9, 0, 0), V(9.5f, 0, 0), V(9, 0.5f, 0)});
    CollisionWorldModel = builder.Build(false);
    Refresh(10);
    ASSERT_EQ(cache_->count, 3);
    EXPECT_EQ(cache_->polygons[1].coord[0].x, 9.0f);
    EXPECT_EQ(cache_->polygons[2].coord[0].x, 10.0f);

    cache_->count = 0;
    Refresh(10.5f);  // inside the filled box: nothing gathered
    EXPECT_EQ(cache_->count, 0);
    EXPECT_EQ(cache_->position.x, 10.0f);
    CollisionWorldModel = nullptr;
}

TEST_F(CollisionCacheAtomsTest, AtomsAreClippedToTheBoxLikeWorldFaces) {
    Refresh(13.5f);  // the moved triangle spans x 10..11, left of min.x 11.5
    EXPECT_EQ(cache_->count, 0);
    PolyCollideCacheSetup(cache_, &cache_->bounds[0], &cache_->bounds[1]);
    Refresh(12.9f);  // min.x 10.9: the corner at x 11 is inside
    EXPECT_EQ(cache_->count, 1);
}

TEST_F(CollisionCacheAtomsTest, VolumeRefreshesGatherFromTheLoadedWorld) {
    discbuild::WrlWorld source{"ROOM", {discbuild::WrlAtom{Moved(10), {10, 0, 0}, kGroupId, 0}}, {}};
    source.octTree = discbuild::OctreeNode{{10, 0, 0}, 2, 0, {0}, {}};
    const std::vector<u8> wrl = discbuild::WrlPayload(source);
    s_world* world = WorldLoad("ROOM", Image(wrl), u32(wrl.size()));
    ASSERT_NE(world, nullptr);
    world->atomList[0].prevModel = 0;  // as the world's draw would choose it
    const s_Vector3 pos = V(10, 0, 0);
    EXPECT_EQ(PolyCollideCacheSphere(cache_, &pos, 1.0f)->count, 1);

    WorldFree(world);
    PolyCollideCacheSetup(cache_, &cache_->bounds[0], &cache_->bounds[1]);
    EXPECT_EQ(PolyCollideCacheSphere(cache_, &pos, 1.0f)->count, 0);  // nothing to gather from
}

}  // namespace
