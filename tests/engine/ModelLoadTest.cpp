#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/Texture.h"
#include "tests/engine/DataFixture.h"
#include "tests/support/DamagedChunks.h"
#include "tests/support/VhmTestModel.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

using namespace discbuild;
using Bytes = std::vector<u8>;

// Header fields by offset.
constexpr u32 kNumVertex = 68, kVertexList = 72, kCollisionVertexList = 80, kIndexList = 88, kNormalList = 96;
constexpr u32 kBoneList = 116, kBoneRemapList = 120;
constexpr u32 kMeshList = 128, kSphereList = 136, kFaceList = 200, kTextureDefs = 180, kAnimDefs = 188;
constexpr u32 kOctTree = 192, kVeilList = 212, kVeilOctTree = 216, kVeilIndexList = 172;
constexpr u32 kNumMaterials = 220, kMaterialList = 224, kPassTexture = 184 + 16, kMaterialMode = 144;
constexpr u32 kVertexCommands = 240, kWeightBones = 248, kGqrField = 252, kOutVertNormBuffer = 256;

u32 MeshAt(const Bytes& chunk) {
    return LoadBE32(&chunk[LoadBE32(&chunk[kMeshList])]);
}
u32 CommandAt(const Bytes& chunk, u32 index) {
    return LoadBE32(&chunk[MeshAt(chunk) + 60]) + index * MODEL_COMMAND_SIZE;
}

class ModelLoadTest : public LeakCheckedFixture {
protected:
    static s_model* Load(const char* name, const Bytes& chunk) {
        return ModelLoad(name, Image(chunk), u32(chunk.size()));
    }
};

TEST_F(ModelLoadTest, EveryListLoadsInNativeOrder) {
    const VhmModel source = vhmtest::SkinnedQuad();
    s_model* m = Load("QUAD", VhmPayload(source));
    ASSERT_NE(m, nullptr) << report().text();
    EXPECT_EQ(m->dataEntry, DataFindEntry("QUAD", "VHM"));
    EXPECT_EQ(m->dataEntry->record, m);
    EXPECT_EQ(m->flags, MODEL_FLAG_SKINNED);
    EXPECT_EQ(m->maxBounds.x, 6.0f);
    ASSERT_EQ(m->numVertex, 4);
    EXPECT_EQ(m->vertexList[2].coord.y, 1.0f);
    EXPECT_EQ(m->vertexList[1].u, 1.0f);
    EXPECT_EQ(m->collisionVertexList[2].x, 1.0f);
    EXPECT_EQ(m->collisionVertexList[2].rgba, 0xFFFFFFFFu);
    ASSERT_EQ(m->numIndices, 8);
    EXPECT_EQ(m->indexList[3], 3);
    EXPECT_EQ(m->normalList[0].z, 1.0f);

    ASSERT_EQ(m->numBones, 2);
    EXPECT_EQ(m->boneList[1].localMatrix.element[3], 1.0f);
    EXPECT_EQ(m->boneList[1].model2BoneMatrix.element[3], -1.0f);
    EXPECT_EQ(m->boneList[0].childId, 1);
    EXPECT_EQ(m->boneList[1].parentId, 0);
    EXPECT_EQ(m->boneList[1].meshId, -1);

    ASSERT_EQ(m->numMeshes, 1);
    const s_model_mesh& mesh = m->meshList[0];
    EXPECT_EQ(mesh.indexList, m->indexList + 1);
    EXPECT_EQ(mesh.numIndices, 7);
    EXPECT_EQ(mesh.numCommands, source.meshes[0].commands.size() + 1);
    const s_model_command strip = ModelCommandAt(mesh.commands, 2);
    EXPECT_EQ(strip.type, MODEL_CMD_SKIN_STRIP);
    EXPECT_EQ(strip.parm16, 2);
    EXPECT_EQ(ModelCommandAt(mesh.commands, mesh.numCommands - 1).type, MODEL_CMD_END);

    ASSERT_EQ(m->numCollisionSpheres, 2);
    EXPECT_EQ(m->collisionSphereList[1].boneId, 1);
    EXPECT_EQ(m->collisionSphereList[1].link, 0);
    EXPECT_EQ(m->collisionSphereList[0].radius, 0.25f);
    EXPECT_EQ(m->collisionSphereList[0].offset.y, 0.5f);
    ASSERT_EQ(m->numLinkPoints, 1u);
    EXPECT_EQ(m->linkPointList[0].link, -1);
    ASSERT_EQ(m->numCollisionFaces, 1);
    EXPECT_EQ(m->collisionFaceList[0].surface, 7);
    EXPECT_EQ(m->collisionFaceList[0].vertIndex[3], 0xFFFF);
    ASSERT_EQ(m->numSelectionSets, 1);
    EXPECT_STREQ(m->selectionSetList[0].name, "HAND");
    EXPECT_EQ(m->selectionSetList[0].numFace, 1);
    EXPECT_EQ(m->selectionSetVertexList[0].bones, 0x01FFFFFFu);
    EXPECT_EQ(m->selectionSetVertexList[0].weights[0], 1.0f);
    EXPECT_STREQ(m->textureDefs[0].name, "QUADSKIN");
    EXPECT_STREQ(m->animDefs[0].name, "QUADANM");
    ASSERT_EQ(m->numVeils, 1);
    EXPECT_EQ(m->veilList[0].vertIndex[3], 3);
    EXPECT_EQ(m->veilList[0].radius, 1.0f);
    EXPECT_EQ(m->veilIndexList[0], 0);
    ASSERT_NE(m->octTree, nullptr);
    ASSERT_EQ(m->octTree->NumNodes, 2u);
    EXPECT_EQ(m->octTree->Nodes[0].Radius, 2.0f);
    EXPECT_EQ(m->octTree->Nodes[1].ParentId, 0);
    EXPECT_EQ(m->octTree->BoneIndex[0], 0);
    ASSERT_NE(m->collisionOctTree, nullptr);
    EXPECT_EQ(m->collisionOctTree->NumBoneIndex, 1u);
    ASSERT_NE(m->veilOctTree, nullptr);
    EXPECT_EQ(m->veilOctTree->Nodes[0].ChildId, -1);
    ASSERT_EQ(m->numPhysicsPrim, 1u);
    EXPECT_EQ(m->physicsPrimList[79], 0x11);

    ASSERT_EQ(m->skinnedVertices.size(), 4u);
    EXPECT_TRUE(m->quantVertices.empty());
    EXPECT_TRUE(m->floatVertices.empty());
    EXPECT_EQ(m->skinnedVertices[2].coord[1], 256);
    EXPECT_EQ(m->skinnedVertices[3].color, 0x204080FFu + 3);
    EXPECT_EQ(m->vertexWeightList[1].weight[0], 0x8000);
    EXPECT_EQ(m->weightBones[3], 0x01FFFFFFu);
    EXPECT_EQ(m->vertexCommands.size(), 5 * VERTEX_CMD_SIZE);
    EXPECT_EQ(m->vertNormGQR, vhmtest::kGqr);
    EXPECT_EQ(m->outVertNormBuffer.size(), 5u);  // one record to spare
    ModelFree(m);
    EXPECT_EQ(DataFindEntry("QUAD", "VHM"), nullptr);
}

TEST_F(ModelLoadTest, StaticModelsReadQuantisedOrFloatVerticesAndGetNoBuffer) {
    VhmModel source = vhmtest::StaticQuad();
    s_model* quant = Load("QUANT", VhmPayload(source));
    ASSERT_NE(quant, nullptr) << report().text();
    ASSERT_EQ(quant->quantVertices.size(), 4u);
    EXPECT_EQ(quant->quantVertices[1].coord[0], 256);
    EXPECT_EQ(quant->quantVertices[1].normal[2], 64);
    EXPECT_TRUE(quant->outVertNormBuffer.empty());
    // No octree offsets: no octrees; lists of no entries still have their place.
    EXPECT_EQ(quant->octTree, nullptr);
    EXPECT_EQ(quant->collisionOctTree, nullptr);
    EXPECT_EQ(quant->veilOctTree, nullptr);
    EXPECT_EQ(quant->numCollisionSpheres, 0);
    EXPECT_NE(quant->collisionSphereList, nullptr);
    ModelFree(quant);

    source.vertNormGQR = 0;
    source.floatVertices.assign(4, s_model_vertex_float{});
    source.floatVertices[2].coord[1] = 1.5f;
    source.floatVertices[2].normal[1] = -3;
    source.floatVertices[2].color = 0x11223344u;
    source.quantVertices.clear();
    s_model* flt = Load("FLOAT", VhmPayload(source));
    ASSERT_NE(flt, nullptr) << report().text();
    ASSERT_EQ(flt->floatVertices.size(), 4u);
    EXPECT_EQ(flt->floatVertices[2].coord[1], 1.5f);
    EXPECT_EQ(flt->floatVertices[2].normal[1], -3);
    EXPECT_EQ(flt->floatVertices[2].color, 0x11223344u);
    ModelFree(flt);
}

TEST_F(ModelLoadTest, SharedByNameUntilTheLastFree) {
    const Bytes chunk = VhmPayload(vhmtest::SkinnedQuad());
    s_model* first = Load("SHARED", chunk);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Load("SHARED", chunk), first);  // the second buffer is freed at once
    EXPECT_EQ(ModelLoad("SHARED", nullptr, 0), first);
    EXPECT_EQ(first->dataEntry->refCount, 3);
    EXPECT_EQ(ModelLoad("NEVER", nullptr, 0), nullptr);
    EXPECT_EQ(ModelLoad(nullptr, Image(chunk), u32(chunk.size())), nullptr);
    ModelFree(first);
    ModelFree(first);
    EXPECT_EQ(first->outVertNormBuffer.size(), 5u);  // still loaded
    ModelFree(first);
    EXPECT_EQ(DataFindEntry("SHARED", "VHM"), nullptr);
}

TEST_F(ModelLoadTest, TexturesAnimationsAndPassTexturesAreReferencedByNameForTheModelsLife) {
    TimTexture tim;
    tim.image = {4, 4, Bytes(64, 0xFF)};
    const Bytes timChunk = TimPayload(tim);
    s_texture* texture = TextureLoad("QUADSKIN", Image(timChunk), u32(timChunk.size()));
    const Bytes bank = VhaPayload({0, 1, {{"IDLE", 0, 0, 1, 0, {}}}});
    s_hanim_header* anim = HAnimLoad("QUADANM", Image(bank), u32(bank.size()), 0);
    ASSERT_NE(texture, nullptr);
    ASSERT_NE(anim, nullptr);

    VhmModel source = vhmtest::SkinnedQuad();
    s_ORB_MATERIAL material{};
    material.numTexturePasses = 1;
    std::strcpy(material.texturePassList[0].textureName, "QUADSKIN");
    source.materials = {material};
    s_model* m = Load("REFS", VhmPayload(source));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->textureDefs[0].texture, texture);
    EXPECT_EQ(m->orbMaterialList[0].texturePassList[0].texture, texture);
    EXPECT_NE(m->orbMaterialList[0].setupFunc, nullptr);
    EXPECT_EQ(m->animDefs[0].animation, anim);
    EXPECT_EQ(texture->dataEntry->refCount, 3);  // the model's and its material's
    EXPECT_EQ(anim->dataEntry->refCount, 2);
    ModelFree(m);
    EXPECT_EQ(texture->dataEntry->refCount, 1);
    EXPECT_EQ(anim->dataEntry->refCount, 1);
    TextureFree(texture);
    HAnimFree(anim);

    s_model* alone = Load("ALONE", VhmPayload(vhmtest::SkinnedQuad()));
    ASSERT_NE(alone, nullptr);
    EXPECT_EQ(alone->textureDefs[0].texture, nullptr);  // found nowhere
    EXPECT_EQ(alone->animDefs[0].animation, nullptr);
    ModelFree(alone);  // skips them
}

// The file's words in the run-time slots are never taken for pointers.
TEST_F(ModelLoadTest, RunTimeSlotsStartEmptyWhateverTheFileHolds) {
    Bytes chunk = VhmPayload(vhmtest::SkinnedQuad());
    for (u32 at : {0u, kBoneRemapList, kOutVertNormBuffer})
        StoreBE32(&chunk[at], 0xDEADBEEFu);
    StoreBE32(&chunk[LoadBE32(&chunk[kTextureDefs]) + 16], 0xDEADBEEFu);
    StoreBE32(&chunk[LoadBE32(&chunk[kAnimDefs]) + 16], 0xDEADBEEFu);
    s_model* m = Load("SLOTS", chunk);
    ASSERT_NE(m, nullptr) << report().text();
    EXPECT_EQ(m->boneRemapList, nullptr);
    EXPECT_EQ(m->textureDefs[0].texture, nullptr);
    EXPECT_EQ(m->animDefs[0].animation, nullptr);
    EXPECT_EQ(m->dataEntry, DataFindEntry("SLOTS", "VHM"));
    EXPECT_EQ(m->outVertNormBuffer.size(), 5u);
    ModelFree(m);  // frees only what the loader made
}

TEST_F(ModelLoadTest, BadChunksAreRejectedWithOneReason) {
    const Bytes good = VhmPayload(vhmtest::SkinnedQuad());
    const u32 mesh = MeshAt(good);
    const u32 faces = LoadBE32(&good[kFaceList]);
    const u32 spheres = LoadBE32(&good[kSphereList]);
    const u32 bones = LoadBE32(&good[kBoneList]);
    const u32 indices = LoadBE32(&good[kIndexList]);
    const u32 veils = LoadBE32(&good[kVeilList]);
    const u32 octreeNodes = LoadBE32(&good[LoadBE32(&good[kOctTree]) + 4]);
    const u32 octreeAtoms = LoadBE32(&good[LoadBE32(&good[kOctTree]) + 12]);
    const u32 veilTreeAtoms = LoadBE32(&good[LoadBE32(&good[kVeilOctTree]) + 12]);
    struct Case {
        const char* why;
        u32 at;
        u32 value;
        u32 width;  // 0: cut the chunk to `at` bytes
    } cases[] = {
        {"truncated header", 271, 0, 0},
        {"vertices", kNumVertex, 0x01000000, 4},
        {"vertices", kNumVertex, 0xFFFFFFFF, 4},
        {"vertices", kVertexList, LoadBE32(&good[kVertexList]) + 2, 4},
        {"lists overlap", kNormalList, LoadBE32(&good[kCollisionVertexList]), 4},
        {"record lists", 112, MODEL_MAX_BONES + 1, 4},
        {"record lists", 112, 0xFFFFFFFF, 4},
        {"mesh indices outside the index list", mesh + 72, indices - 2, 4},
        {"mesh indices outside the index list", mesh + 72, indices + 1, 4},
        {"mesh indices outside the index list", mesh + 68, 8, 4},
        {"mesh outside the chunk", LoadBE32(&good[kMeshList]), u32(good.size()) - 8, 4},
        {"mesh commands have no end", mesh + 60, u32(good.size()) - 7, 4},
        {"vertex commands have no end", kVertexCommands, u32(good.size()) - 4, 4},
        {"skeleton", bones + 130, 7, 2},
        {"skeleton", bones + kVhmBoneSize + 130, 1, 2},
        {"bone mesh out of range", bones + 136, 1, 2},
        {"index past the vertices", indices + 2, 4, 2},
        {"bone command past the bones", CommandAt(good, 1) + 2, 2, 2},
        {"bone command past the bones", CommandAt(good, 6) + 4, 0x00020000, 4},
        {"primitive past the mesh's indices", CommandAt(good, 3) + 4, 5, 4},
        {"primitive past the mesh's indices", CommandAt(good, 2) + 2, 6, 2},
        {"static strip in a skinned model", CommandAt(good, 2), MODEL_CMD_STRIP, 1},
        {"weighted vertex out of range", CommandAt(good, 4) + 1, 3, 1},
        {"weighted vertex out of range", CommandAt(good, 4) + 2, 4, 2},
        {"sphere bone out of range", spheres + 18, 2, 1},
        {"sphere bone out of range", spheres + 18, 0xFF, 1},
        {"sphere link out of range", spheres + 19, 2, 1},
        {"face corner out of range", faces + 28, 0x0004, 2},
        {"face corner out of range", faces + 16, 0x8000, 2},
        {"face normal out of range", faces + 20, 1, 2},
        {"face bone out of range", faces + 22, 2, 2},
        {"skin bone out of range", LoadBE32(&good[kWeightBones]), 0x02FFFFFF, 4},
        {"vertex commands", LoadBE32(&good[kVertexCommands]) + 1, 2, 1},
        {"vertices are not 16-bit", kGqrField, 0x08060806, 4},
        {"octree", kOctTree, u32(good.size()) - 8, 4},
        {"octree", octreeAtoms, 1, 2},    // a mesh past the list
        {"octree", veilTreeAtoms, 1, 2},  // a veil past the list
        {"veils", veils + 24, 4, 2},      // a corner past the collision vertices
        {"lists overlap", kVeilList, octreeNodes, 4},
        {"selection set index out of range", LoadBE32(&good[kVeilIndexList]), 1, 2},
    };
    for (const Case& c : cases) {
        Bytes chunk = good;
        if (c.width == 4)
            StoreBE32(&chunk[c.at], c.value);
        else if (c.width == 2)
            StoreBE16(&chunk[c.at], u16(c.value));
        else if (c.width == 1)
            chunk[c.at] = u8(c.value);
        else
            chunk.resize(c.at);
        EXPECT_EQ(Load("BAD", chunk), nullptr) << c.why;
        EXPECT_TRUE(report().contains(std::string("MODEL: BAD: bad VHM chunk (") + c.why + ")\n"))
            << c.why << "\n"
            << report().text();
        EXPECT_EQ(DataFindEntry("BAD", "VHM"), nullptr);
    }
}

TEST_F(ModelLoadTest, TruncatedAndMutatedChunksLoadSoundlyOrNotAtAll) {
    const Bytes good = VhmPayload(vhmtest::SkinnedQuad());
    for (const Bytes& chunk : Truncations(good))
        ModelFree(Load("CUT", chunk));
    for (const Bytes& chunk : Mutations(good, 3000, 15))
        ModelFree(Load("MUTANT", chunk));
}

TEST_F(ModelLoadTest, MaterialFlagsAreFixedUpOnceAtLoad) {
    constexpr u32 kOpaque = MATERIAL_FLAG_HAS_OPAQUE, kAlpha = MATERIAL_FLAG_HAS_ALPHA;
    constexpr u32 kSpecular = MATERIAL_FLAG_HAS_SPECULAR, kStencil = MATERIAL_FLAG_HAS_STENCIL;
    constexpr u32 kDiffuse = MATERIAL_FLAG_HAS_DIFFUSE;
    const struct {
        e_MATERIAL_MODE mode;
        u32 flags;
        f32 shininess;
        u32 wantFlags;
        f32 wantShininess;
    } cases[] = {
        {MATERIAL_MODE_DEFAULT, kOpaque | kSpecular, 1.0f, kOpaque, 0.0f},  // exactly 1: no highlight
        {MATERIAL_MODE_DEFAULT, kOpaque | kSpecular, 20.0f, kOpaque | kSpecular, 20.0f},
        {MATERIAL_MODE_GLOW, kOpaque, 0.0f, kAlpha, 0.0f},
        {MATERIAL_MODE_GLOW_NO_LIGHTING, kOpaque | kStencil, 0.0f, kAlpha | kStencil, 0.0f},
        {MATERIAL_MODE_ALPHA, kAlpha, 0.5f, kAlpha, 0.0f},
        {MATERIAL_MODE_DEFAULT, kDiffuse, 0.0f, kDiffuse | kOpaque, 0.0f},  // in neither pass
    };
    VhmModel source = vhmtest::StaticQuad();
    u32 modelFlags = kSpecular;
    for (const auto& c : cases) {
        s_ORB_MATERIAL material{};
        material.mode = c.mode;
        material.flags = c.flags;
        material.shininess = c.shininess;
        source.materials.push_back(material);
        modelFlags |= c.wantFlags;
    }
    // Glowing, then a selection past the list.
    source.meshes[0].commands = {{MODEL_CMD_MATERIAL, 2, 0, 0},
                                 {MODEL_CMD_STRIP, 0, 2, 0},
                                 {MODEL_CMD_MATERIAL, 9, 0, 0},
                                 {MODEL_CMD_STRIP, 0, 2, 0}};
    Bytes chunk = VhmPayload(source);
    const u32 list = LoadBE32(&chunk[kMaterialList]);
    StoreBE32(&chunk[list + kPassTexture], 0xDEADBEEFu);  // a pointer slot holding a word

    s_model* m = Load("MATS", chunk);
    ASSERT_NE(m, nullptr) << report().text();
    ASSERT_EQ(m->numOrbMaterials, 6);
    for (u32 i = 0; i < 6; ++i) {
        EXPECT_EQ(m->orbMaterialList[i].flags, cases[i].wantFlags) << i;
        EXPECT_EQ(m->orbMaterialList[i].shininess, cases[i].wantShininess) << i;
    }
    EXPECT_EQ(m->orbMaterialList[0].texturePassList[0].texture, nullptr);
    EXPECT_EQ(m->materialFlags, modelFlags);
    EXPECT_EQ(m->meshList[0].materialFlags, kAlpha | kOpaque);
    ModelFree(m);

    StoreBE32(&chunk[list + ORB_MATERIAL_FILE_SIZE + kMaterialMode], MATERIAL_MODE_COUNT);
    EXPECT_EQ(Load("MATS", chunk), nullptr);
    EXPECT_TRUE(report().contains("MODEL: MATS: bad VHM chunk (materials)\n"));
    StoreBE32(&chunk[kNumMaterials], 256);
    EXPECT_EQ(Load("MATS", chunk), nullptr);
    EXPECT_TRUE(report().contains("MODEL: MATS: bad VHM chunk (record lists)\n"));
}

// The lists follow chunk data that has moved, as after heap compaction.
TEST_F(ModelLoadTest, RemapFollowsMovedChunkData) {
    const Bytes chunk = VhmPayload(vhmtest::SkinnedQuad());
    s_model* m = Load("MOVED", chunk);
    ASSERT_NE(m, nullptr);
    auto* from = static_cast<u8*>(m->dataEntry->addr);
    auto* to = static_cast<u8*>(HeapMalloc(u32(chunk.size()), __FILE_NAME__, __LINE__));
    std::memcpy(to, from, chunk.size());
    std::memset(from, 0, chunk.size());
    ModelRemap(m, to - from);
    DataMove(m->dataEntry, to);
    HeapMallocFree(from);

    EXPECT_EQ(m->vertexList[2].coord.y, 1.0f);
    EXPECT_EQ(m->indexList[3], 3);
    EXPECT_EQ(m->meshList[0].indexList, m->indexList + 1);
    EXPECT_EQ(ModelCommandAt(m->meshList[0].commands, 2).type, MODEL_CMD_SKIN_STRIP);
    EXPECT_EQ(m->collisionSphereList[1].link, 0);
    EXPECT_EQ(m->skinnedVertices[2].coord[1], 256);
    EXPECT_EQ(m->weightBones[3], 0x01FFFFFFu);
    EXPECT_EQ(m->vertexCommands[0], VERTEX_CMD_MATRIX1);
    EXPECT_EQ(m->physicsPrimList[0], 0x11);
    EXPECT_EQ(m->veilList[0].vertIndex[3], 3);
    EXPECT_EQ(m->octTree->Nodes[0].Radius, 2.0f);
    EXPECT_EQ(m->veilOctTree->BoneIndex[0], 0);
    EXPECT_TRUE(m->quantVertices.empty());
    ModelFree(m);
}

TEST_F(ModelLoadTest, BoundsHalfWidthFlagsAndFilter) {
    s_model* m = Load("BOX", VhmPayload(vhmtest::SkinnedQuad()));  // x -2..6, y 0..3, z -1..1
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(ModelGetHalfWidth(m), 4.0f);
    s_Vector4 corners[8];
    ModelGetBounds(m, corners);
    const f32 want[8][3] = {{-2, 3, -1}, {6, 3, -1}, {6, 3, 1}, {-2, 3, 1},
                            {-2, 0, -1}, {6, 0, -1}, {6, 0, 1}, {-2, 0, 1}};
    for (u32 i = 0; i < 8; ++i) {
        EXPECT_EQ(corners[i].x, want[i][0]) << i;
        EXPECT_EQ(corners[i].y, want[i][1]) << i;
        EXPECT_EQ(corners[i].z, want[i][2]) << i;
    }

    ModelMatrixIsScaled(m, true);
    ModelSetVertsWeighted(m);
    EXPECT_EQ(m->flags, MODEL_FLAG_SKINNED | MODEL_FLAG_SCALED | MODEL_FLAG_VERTS_WEIGHTED);
    ModelMatrixIsScaled(m, false);
    ModelClearVertsWeighted(m);
    ModelMatrixIsScaled(nullptr, true);
    EXPECT_EQ(m->flags, MODEL_FLAG_SKINNED);
    ModelFree(m);

    EXPECT_EQ(ModelGetFilter(), MODEL_DRAW_FILTER_DEFAULT);  // after the warm reset
    ModelSetFilter(0x40000000u);
    EXPECT_EQ(ModelGetFilter(), 0x40000000u);
}

TEST_F(ModelLoadTest, InstancesOwnOnlyTheirVertexList) {
    s_model model{};
    s_model_instance instance;
    ModelLoadInstance(&instance, &model, 3);
    EXPECT_EQ(instance.flags, 3u);
    EXPECT_EQ(instance.model, &model);
    EXPECT_EQ(instance.vertexList, nullptr);
    ModelFreeInstance(&instance);
    instance.vertexList = HeapMalloc(32, __FILE_NAME__, __LINE__);
    ModelFreeInstance(&instance);
    EXPECT_EQ(instance.vertexList, nullptr);
}

}  // namespace
