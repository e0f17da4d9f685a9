// The "VHM" chunk: a 272-byte header of counts and offsets, then the lists it
// points at. Lists without pointers are swapped in place once, so no two of them
// may share bytes; lists with pointers are copied into the model's own block.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugFormat.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Material.h"
#include "orblib47/source/ModelInternal.h"
#include "orblib47/source/Octree.h"
#include "orblib47/source/Texture.h"

struct s_hanim_header;

namespace {

constexpr u32 kHeaderSize = 272;
constexpr u32 kBoneSize = 144;
constexpr u32 kSelectionSetSize = 28;
constexpr u32 kNameRefSize = 20;
constexpr u32 kPhysicsPrimSize = 80;
constexpr u32 kMaxMaterials = 255;  // sorted drawing keeps one list more, for strips before any material

static_assert(TEXTURE_NAME_LEN == MODEL_NAME_LEN);
static_assert(ORB_MATERIAL_FILE_SIZE == 400);

// A record's fields by width, first to last; a region is swapped record by record.
struct Layout {
    u32 size;
    std::string_view widths;
};
constexpr Layout kWords{4, "4"};
constexpr Layout kHalves{2, "2"};
constexpr Layout kSphere{32, "4444211444"};
constexpr Layout kFace{32, "444422222222"};
constexpr Layout kSkinned{20, "222222224"};
constexpr Layout kQuant{20, "22222211114"};
constexpr Layout kFloat{48, "2244444441111444"};
// Swapped by the octree module's own parse.
constexpr Layout kSwappedByOwner{0, ""};

void Swap(u8* p, u32 bytes, const Layout& layout) {
    for (u8* end = p + bytes; p < end;) {
        for (char width : layout.widths) {
            if (width == '4')
                std::reverse(p, p + 4);
            else if (width == '2')
                std::swap(p[0], p[1]);
            p += width - '0';
        }
    }
}

// Bytes of the chunk used in place: swapped with `layout` (or by their owner),
// or read as stored.
struct Region {
    u32 offset;
    u32 length;
    const Layout* layout;  // null: kept as stored
};

struct Header {
    u32 flags;
    u16 vertexFlags, vertexSize;
    f32 radius;
    s_Vector4 centerOffset, minBounds, maxBounds;
    s32 numVertex;
    u32 vertexList;
    s32 numCollisionVertex;
    u32 collisionVertexList;
    s32 numIndices;
    u32 indexList;
    s32 numNormals;
    u32 normalList;
    s32 rootBoneId, numBones;
    u32 boneList;
    s32 numMeshes;
    u32 meshList;
    s32 numCollisionSpheres;
    u32 collisionSphereList;
    u32 numLinkPoints;
    u32 linkPointList;
    s32 numSelectionSets;
    u32 selectionSetList;
    s32 numSelectionSetVertex;
    u32 selectionSetVertexList, vertexIndexList, faceIndexList, veilIndexList;
    s32 numTextureDefs;
    u32 textureDefs;
    s32 numAnimDefs;
    u32 animDefs;
    u32 octTree;
    s32 numCollisionFaces;
    u32 collisionFaceList;
    u32 collisionOctTree;
    s32 numVeils;
    u32 veilList;
    u32 veilOctTree;
    s32 numOrbMaterials;
    u32 orbMaterialList;
    u32 numPhysicsPrim;
    u32 physicsPrimList;
    u32 vertexListUnion, vertexCommands, vertexWeightList, weightBones;
    u32 vertNormGQR;
};

void ReadVector3(ChunkCursor* c, s_Vector4* v) {
    c->F32(&v->x), c->F32(&v->y), c->F32(&v->z), c->Skip(4);
    v->w = 0.0f;
}

bool ReadHeader(const ChunkReader& chunk, Header* h) {
    ChunkCursor c(chunk, 4);  // dataEntry: the registry's at run time
    c.U32(&h->flags), c.U16(&h->vertexFlags), c.U16(&h->vertexSize), c.F32(&h->radius);
    ReadVector3(&c, &h->centerOffset), ReadVector3(&c, &h->minBounds), ReadVector3(&c, &h->maxBounds);
    c.Skip(4);  // materialFlags: recomputed at load
    c.S32(&h->numVertex), c.U32(&h->vertexList), c.S32(&h->numCollisionVertex),
        c.U32(&h->collisionVertexList);
    c.S32(&h->numIndices), c.U32(&h->indexList), c.S32(&h->numNormals), c.U32(&h->normalList);
    c.Skip(8);
    c.S32(&h->rootBoneId), c.S32(&h->numBones), c.U32(&h->boneList);
    c.Skip(4);  // boneRemapList: made at run time
    c.S32(&h->numMeshes), c.U32(&h->meshList);
    c.S32(&h->numCollisionSpheres), c.U32(&h->collisionSphereList);
    c.U32(&h->numLinkPoints), c.U32(&h->linkPointList);
    c.S32(&h->numSelectionSets), c.U32(&h->selectionSetList);
    c.S32(&h->numSelectionSetVertex), c.U32(&h->selectionSetVertexList);
    c.U32(&h->vertexIndexList), c.U32(&h->faceIndexList), c.U32(&h->veilIndexList);
    c.S32(&h->numTextureDefs), c.U32(&h->textureDefs), c.S32(&h->numAnimDefs), c.U32(&h->animDefs);
    c.U32(&h->octTree), c.S32(&h->numCollisionFaces), c.U32(&h->collisionFaceList);
    c.U32(&h->collisionOctTree), c.S32(&h->numVeils), c.U32(&h->veilList), c.U32(&h->veilOctTree);
    c.S32(&h->numOrbMaterials), c.U32(&h->orbMaterialList);
    c.U32(&h->numPhysicsPrim), c.U32(&h->physicsPrimList);
    c.U32(&h->vertexListUnion), c.U32(&h->vertexCommands), c.U32(&h->vertexWeightList);
    c.U32(&h->weightBones), c.U32(&h->vertNormGQR);
    c.Skip(4);  // outVertNormBuffer: made at run time
    return c.Ok() && chunk.Range(0, kHeaderSize);
}

// The native block: the model, then the records that hold pointers.
struct Block {
    static constexpr u32 kNumOctTrees = 3;
    u32 numBones, numMeshes, numSets, numTextures, numAnims, numMaterials;

    template <typename T>
    static u64 Next(u64 at, u32 count) {
        at = (at + alignof(T) - 1) & ~u64(alignof(T) - 1);
        return at + u64(count) * sizeof(T);
    }
    u64 Size() const {
        u64 at = sizeof(s_model);
        at = Next<s_hmatrix_bone_def>(at, numBones);
        at = Next<s_model_mesh>(at, numMeshes);
        at = Next<s_model_selection_set>(at, numSets);
        at = Next<s_texture_def>(at, numTextures);
        at = Next<s_hanim_def>(at, numAnims);
        at = Next<s_ORB_MATERIAL>(at, numMaterials);
        return Next<s_octtree_map>(at, kNumOctTrees);
    }
    // Points the model's copied lists into the block behind it.
    void Carve(s_model* model) const {
        u8* base = reinterpret_cast<u8*>(model);
        u64 at = sizeof(s_model);
        const auto take = [&]<typename T>(T** out, u32 count) {
            const u64 end = Next<T>(at, count);
            *out = reinterpret_cast<T*>(base + (end - u64(count) * sizeof(T)));
            at = end;
        };
        take(&model->boneList, numBones);
        take(&model->meshList, numMeshes);
        take(&model->selectionSetList, numSets);
        take(&model->textureDefs, numTextures);
        take(&model->animDefs, numAnims);
        take(&model->orbMaterialList, numMaterials);
        s_octtree_map* maps = nullptr;
        take(&maps, kNumOctTrees);
        model->octTree = &maps[0];
        model->collisionOctTree = &maps[1];
        model->veilOctTree = &maps[2];
    }
};

class Parser {
public:
    Parser(const char* name, u8* data, u32 size) : name_(name), data_(data), chunk_(data, size) {}

    s_model* Run();

private:
    bool Fail(const char* why) {
        DEBUG_PRINT("MODEL: %s: bad VHM chunk (%s)\n", DebugName(name_).c_str(), why);
        return false;
    }
    s_model* Refuse(s_model* model, const char* why) {
        Fail(why);
        HeapMallocFree(model);
        return nullptr;
    }

    // Places `count` records of `size` bytes at `offset`, aligned for T; a list of
    // count 0 still gets its address.
    template <typename T>
    bool Place(T** out, u32 offset, s32 count, u32 size, const Layout* layout, const char* what);
    bool Count(s32 count, const char* what) { return count >= 0 || Fail(what); }
    // A command stream at `offset`, read as stored: `count` commands up to and
    // including the end command (type 0), which must lie inside the chunk.
    bool Stream(u32 offset, u32* count);
    bool PlaceLists(s_model* m);
    bool PlaceSkin(s_model* m);
    bool CopyBones(s_model* m);
    bool CopyMeshes(s_model* m);
    bool CopySets(s_model* m);
    bool CopyNames(s_model* m);
    bool CopyMaterials(s_model* m);
    bool CheckOctTrees(s_model* m);
    bool Apart();

    const char* name_;
    u8* data_;
    ChunkReader chunk_;
    Header h_{};
    std::vector<Region> regions_;
};

template <typename T>
bool Parser::Place(T** out, u32 offset, s32 count, u32 size, const Layout* layout, const char* what) {
    if (count < 0 || !chunk_.RangeArray(offset, u32(count), size))
        return Fail(what);
    if (reinterpret_cast<std::uintptr_t>(data_ + offset) % alignof(T) != 0)
        return Fail(what);
    regions_.push_back({offset, u32(count) * size, layout});
    *out = reinterpret_cast<T*>(data_ + offset);
    return true;
}

static_assert(MODEL_COMMAND_SIZE == VERTEX_CMD_SIZE && u8(MODEL_CMD_END) == u8(VERTEX_CMD_END));
constexpr u32 kCommandSize = MODEL_COMMAND_SIZE;

bool Parser::Stream(u32 offset, u32* count) {
    for (u32 at = offset; chunk_.Range(at, kCommandSize); at += kCommandSize) {
        if (data_[at] == MODEL_CMD_END) {
            *count = (at - offset) / kCommandSize + 1;
            regions_.push_back({offset, at + kCommandSize - offset, nullptr});
            return true;
        }
    }
    return false;
}

bool Parser::PlaceLists(s_model* m) {
    return Place(&m->vertexList, h_.vertexList, h_.numVertex, sizeof(s_model_vertex), &kWords, "vertices") &&
           Place(&m->collisionVertexList, h_.collisionVertexList, h_.numCollisionVertex,
                 sizeof(s_model_collision_vertex), &kWords, "collision vertices") &&
           Place(&m->indexList, h_.indexList, h_.numIndices, 2, &kHalves, "indices") &&
           Place(&m->normalList, h_.normalList, h_.numNormals, sizeof(s_Vector4), &kWords, "normals") &&
           Place(&m->collisionSphereList, h_.collisionSphereList, h_.numCollisionSpheres,
                 sizeof(s_model_collision_sphere), &kSphere, "collision spheres") &&
           Place(&m->linkPointList, h_.linkPointList, s32(h_.numLinkPoints), sizeof(s_model_collision_sphere),
                 &kSphere, "link points") &&
           Place(&m->selectionSetVertexList, h_.selectionSetVertexList, h_.numSelectionSetVertex,
                 sizeof(s_model_set_vertex), &kWords, "selection set vertices") &&
           Place(&m->collisionFaceList, h_.collisionFaceList, h_.numCollisionFaces,
                 sizeof(s_model_collision_face), &kFace, "collision faces") &&
           Place(&m->veilList, h_.veilList, h_.numVeils, sizeof(s_draw_veil), &kSwappedByOwner, "veils") &&
           Place(&m->physicsPrimList, h_.physicsPrimList, s32(h_.numPhysicsPrim), kPhysicsPrimSize, nullptr,
                 "physics primitives");
}

// The vertex union by the model's kind, and a skinned model's weights, bone table
// and vertex command stream (read as stored, up to and including its end).
bool Parser::PlaceSkin(s_model* m) {
    const u32 n = u32(m->numVertex);
    if ((m->flags & MODEL_FLAG_SKINNED) == 0) {
        if (m->vertNormGQR != 0) {
            const s_model_vertex_quant* quant = nullptr;
            if (!Place(&quant, h_.vertexListUnion, s32(n), sizeof(*quant), &kQuant, "vertex union"))
                return false;
            m->quantVertices = {quant, n};
        } else {
            const s_model_vertex_float* flt = nullptr;
            if (!Place(&flt, h_.vertexListUnion, s32(n), sizeof(*flt), &kFloat, "vertex union"))
                return false;
            m->floatVertices = {flt, n};
        }
        return true;
    }
    const s_model_vertex_skinned* skinned = nullptr;
    const s_model_vertex_weight* weights = nullptr;
    const u32* bones = nullptr;
    if (!Place(&skinned, h_.vertexListUnion, s32(n), sizeof(*skinned), &kSkinned, "vertex union") ||
        !Place(&weights, h_.vertexWeightList, s32(n), sizeof(*weights), &kHalves, "skin weights") ||
        !Place(&bones, h_.weightBones, s32(n), 4, &kWords, "skin bones"))
        return false;
    m->skinnedVertices = {skinned, n};
    m->vertexWeightList = {weights, n};
    m->weightBones = {bones, n};
    u32 count = 0;
    if (!Stream(h_.vertexCommands, &count))
        return Fail("vertex commands have no end");
    m->vertexCommands = {data_ + h_.vertexCommands, count * VERTEX_CMD_SIZE};
    return true;
}

bool Parser::CopyBones(s_model* m) {
    for (s32 b = 0; b < m->numBones; ++b) {
        s_hmatrix_bone_def& bone = m->boneList[b];
        ChunkCursor c(chunk_, h_.boneList + u32(b) * kBoneSize);
        for (f32& e : bone.localMatrix.element)
            c.F32(&e);
        for (f32& e : bone.model2BoneMatrix.element)
            c.F32(&e);
        c.S16(&bone.flags), c.S16(&bone.parentId), c.S16(&bone.siblingId), c.S16(&bone.childId);
        c.S16(&bone.meshId), c.S16(&bone.boneId);
        if (!c.Ok())
            return Fail("bones");
    }
    return true;
}

// The mesh table's records, each with its run of the model's indices and its
// command stream (read as stored, up to and including its end).
bool Parser::CopyMeshes(s_model* m) {
    const u32 firstIndex = h_.indexList;
    const u32 indexBytes = u32(m->numIndices) * 2;
    for (s32 i = 0; i < m->numMeshes; ++i) {
        s_model_mesh& mesh = m->meshList[i];
        u32 at = 0, commands = 0, indexList = 0;
        if (!chunk_.U32(h_.meshList + u32(i) * 4, &at))
            return Fail("mesh table");
        ChunkCursor c(chunk_, at);
        ReadVector3(&c, &mesh.centerOffset), ReadVector3(&c, &mesh.minBounds),
            ReadVector3(&c, &mesh.maxBounds);
        c.U32(&mesh.flags), c.Skip(4), c.F32(&mesh.radius), c.U32(&commands);
        c.S32(&mesh.numPolygons), c.S32(&mesh.numIndices), c.U32(&indexList);
        c.U32(&mesh.collisionOctTree), c.S32(&mesh.numCollisionFaces), c.U32(&mesh.collisionFaceList);
        c.U32(&mesh.vertGQR), c.Skip(4);
        if (!c.Ok())
            return Fail("mesh outside the chunk");
        mesh.materialFlags = 0;
        // Within the model's index list, on an index.
        const u32 skip = indexList - firstIndex;
        if (indexList < firstIndex || skip % 2 != 0 || mesh.numIndices < 0 || skip > indexBytes ||
            u32(mesh.numIndices) > (indexBytes - skip) / 2)
            return Fail("mesh indices outside the index list");
        mesh.indexList = m->indexList + skip / 2;
        if (!Stream(commands, &mesh.numCommands))
            return Fail("mesh commands have no end");
        mesh.commands = data_ + commands;
    }
    return true;
}

// The selection sets, and the three index lists as long as the sets reach.
bool Parser::CopySets(s_model* m) {
    u32 vertexEnd = 0, faceEnd = 0, veilEnd = 0;
    for (s32 i = 0; i < m->numSelectionSets; ++i) {
        s_model_selection_set& set = m->selectionSetList[i];
        ChunkCursor c(chunk_, h_.selectionSetList + u32(i) * kSelectionSetSize);
        c.Name(MODEL_NAME_LEN, set.name);
        c.U16(&set.numVertex), c.U16(&set.vertexIndex), c.U16(&set.numFace), c.U16(&set.faceIndex);
        c.U16(&set.numVeil), c.U16(&set.veilIndex);
        if (!c.Ok())
            return Fail("selection sets");
        vertexEnd = std::max(vertexEnd, u32(set.vertexIndex) + set.numVertex);
        faceEnd = std::max(faceEnd, u32(set.faceIndex) + set.numFace);
        veilEnd = std::max(veilEnd, u32(set.veilIndex) + set.numVeil);
    }
    return Place(&m->vertexIndexList, h_.vertexIndexList, s32(vertexEnd), 2, &kHalves,
                 "set vertex indices") &&
           Place(&m->faceIndexList, h_.faceIndexList, s32(faceEnd), 2, &kHalves, "set face indices") &&
           Place(&m->veilIndexList, h_.veilIndexList, s32(veilEnd), 2, &kHalves, "set veil indices");
}

// Texture and animation references: their names; the pointers start empty.
bool Parser::CopyNames(s_model* m) {
    for (s32 i = 0; i < m->numTextureDefs; ++i) {
        m->textureDefs[i].texture = nullptr;
        if (!chunk_.Name(h_.textureDefs + u32(i) * kNameRefSize, MODEL_NAME_LEN, m->textureDefs[i].name))
            return Fail("texture references");
    }
    for (s32 i = 0; i < m->numAnimDefs; ++i) {
        m->animDefs[i].animation = nullptr;
        if (!chunk_.Name(h_.animDefs + u32(i) * kNameRefSize, MODEL_NAME_LEN, m->animDefs[i].name))
            return Fail("animation references");
    }
    return true;
}

// The materials' pass textures and setup functions start empty.
bool Parser::CopyMaterials(s_model* m) {
    for (s32 i = 0; i < m->numOrbMaterials; ++i) {
        const u8* record = data_ + h_.orbMaterialList + u32(i) * ORB_MATERIAL_FILE_SIZE;
        if (!OrbMaterialParse({record, ORB_MATERIAL_FILE_SIZE}, &m->orbMaterialList[i]))
            return Fail("materials");
    }
    return true;
}

// Each map present is checked against the list it indexes; an offset of 0 is no map.
bool Parser::CheckOctTrees(s_model* m) {
    const struct {
        s_octtree_map** map;
        u32 offset;
        s32 numItems;
    } trees[] = {{&m->octTree, h_.octTree, m->numMeshes},
                 {&m->collisionOctTree, h_.collisionOctTree, m->numCollisionFaces},
                 {&m->veilOctTree, h_.veilOctTree, m->numVeils}};
    for (const auto& tree : trees) {
        if (tree.offset == 0) {
            *tree.map = nullptr;
            continue;
        }
        if (!OctTreeCheck({data_, chunk_.Size()}, tree.offset, u32(tree.numItems), *tree.map))
            return Fail("octree");
        const s_octtree_map& map = **tree.map;
        const auto at = [&](const void* p) { return u32(static_cast<const u8*>(p) - data_); };
        regions_.push_back({at(map.Nodes), map.NumNodes * u32(sizeof(s_octtree_node)), &kSwappedByOwner});
        regions_.push_back({at(map.BoneIndex), map.NumBoneIndex * 2, &kSwappedByOwner});
    }
    return true;
}

// No byte is swapped twice, and nothing read as stored is swapped: only lists
// kept as stored may share bytes.
bool Parser::Apart() {
    std::erase_if(regions_, [](const Region& r) { return r.length == 0; });
    std::sort(regions_.begin(), regions_.end(),
              [](const Region& a, const Region& b) { return a.offset < b.offset; });
    for (size_t i = 1; i < regions_.size(); ++i) {
        const Region& a = regions_[i - 1];
        const Region& b = regions_[i];
        if (b.offset < a.offset + a.length && (a.layout != nullptr || b.layout != nullptr))
            return Fail("lists overlap");
    }
    return true;
}

s_model* Parser::Run() {
    if (!ReadHeader(chunk_, &h_)) {
        Fail("truncated header");
        return nullptr;
    }
    // Each count is bounded by its list's range in the chunk before the block is sized.
    if (!Count(h_.numBones, "bones") || h_.numBones > s32(MODEL_MAX_BONES) ||
        !chunk_.RangeArray(h_.boneList, u32(h_.numBones), kBoneSize) || !Count(h_.numMeshes, "meshes") ||
        !chunk_.RangeArray(h_.meshList, u32(h_.numMeshes), 4) ||
        !Count(h_.numSelectionSets, "selection sets") ||
        !chunk_.RangeArray(h_.selectionSetList, u32(h_.numSelectionSets), kSelectionSetSize) ||
        !Count(h_.numTextureDefs, "texture references") ||
        !chunk_.RangeArray(h_.textureDefs, u32(h_.numTextureDefs), kNameRefSize) ||
        !Count(h_.numAnimDefs, "animation references") ||
        !chunk_.RangeArray(h_.animDefs, u32(h_.numAnimDefs), kNameRefSize) ||
        !Count(h_.numOrbMaterials, "materials") || h_.numOrbMaterials > s32(kMaxMaterials) ||
        !chunk_.RangeArray(h_.orbMaterialList, u32(h_.numOrbMaterials), ORB_MATERIAL_FILE_SIZE)) {
        Fail("record lists");
        return nullptr;
    }
    const Block block{u32(h_.numBones),       u32(h_.numMeshes),   u32(h_.numSelectionSets),
                      u32(h_.numTextureDefs), u32(h_.numAnimDefs), u32(h_.numOrbMaterials)};
    const u64 bytes = block.Size();
    auto* m = bytes <= HeapMallocLimit()
                  ? static_cast<s_model*>(HeapMallocLow(u32(bytes), __FILE_NAME__, __LINE__))
                  : nullptr;
    if (m == nullptr) {
        SoftAssert("ModelLoad: Out of Memory", __FILE_NAME__, __LINE__);
        Fail("out of memory");
        return nullptr;
    }
    HeapAddrAddComment(m, name_);
    *m = {};
    block.Carve(m);
    m->flags = h_.flags;
    m->vertexFlags = h_.vertexFlags;
    m->vertexSize = h_.vertexSize;
    m->radius = h_.radius;
    m->centerOffset = h_.centerOffset;
    m->minBounds = h_.minBounds;
    m->maxBounds = h_.maxBounds;
    m->numVertex = h_.numVertex;
    m->numCollisionVertex = h_.numCollisionVertex;
    m->numIndices = h_.numIndices;
    m->numNormals = h_.numNormals;
    m->rootBoneId = h_.rootBoneId;
    m->numBones = h_.numBones;
    m->numMeshes = h_.numMeshes;
    m->numCollisionSpheres = h_.numCollisionSpheres;
    m->numLinkPoints = h_.numLinkPoints;
    m->numSelectionSets = h_.numSelectionSets;
    m->numSelectionSetVertex = h_.numSelectionSetVertex;
    m->numTextureDefs = h_.numTextureDefs;
    m->numAnimDefs = h_.numAnimDefs;
    m->numCollisionFaces = h_.numCollisionFaces;
    m->numVeils = h_.numVeils;
    m->numOrbMaterials = h_.numOrbMaterials;
    m->numPhysicsPrim = h_.numPhysicsPrim;
    m->vertNormGQR = h_.vertNormGQR;

    if (!PlaceLists(m) || !PlaceSkin(m) || !CopyBones(m) || !CopyMeshes(m) || !CopySets(m) || !CopyNames(m) ||
        !CopyMaterials(m) || !CheckOctTrees(m) || !Apart()) {
        HeapMallocFree(m);
        return nullptr;
    }
    for (const Region& r : regions_)
        if (r.layout != nullptr && r.layout != &kSwappedByOwner)
            Swap(data_ + r.offset, r.length, *r.layout);
    for (const s_octtree_map* map : {m->octTree, m->collisionOctTree, m->veilOctTree})
        if (map != nullptr)
            OctTreeSwap(*map);
    if (!VeilListParse({data_, chunk_.Size()}, h_.veilList, u32(m->numVeils), u32(m->numCollisionVertex),
                       &m->veilList))
        return Refuse(m, "veils");
    if (const char* why = ModelCheckIndices(*m))
        return Refuse(m, why);
    return m;
}

}  // namespace

s_model* ModelParseChunk(const char* name, u8* data, u32 size) {
    return Parser(name, data, size).Run();
}
