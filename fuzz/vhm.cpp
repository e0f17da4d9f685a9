// A "VHM" chunk's payload handed to the model loader; a model it takes has every
// index it holds followed to what it indexes, its skin weighted under a pose of
// its bones, its octrees walked, and its reference released.
#include <vector>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/Octree.h"

namespace {

volatile f32 Total = 0.0f;  // the reads must happen

void Within(u32 index, s64 count, const char* what) {
    if (s64(index) >= count)
        fuzz::Fail(std::string("a model's ") + what + " indexes past its list");
}

void WalkMesh(const s_model& m, const s_model_mesh& mesh) {
    const bool skinned = !m.skinnedVertices.empty();
    for (u32 k = 0; k + 1 < mesh.numCommands; ++k) {
        const s_model_command c = ModelCommandAt(mesh.commands, k);
        u32 run = 0;
        if (c.type == MODEL_CMD_SKIN_TRIS)
            run = 3 * u32(c.parm16);
        else if (c.type == MODEL_CMD_STRIP || c.type == MODEL_CMD_SKIN_STRIP)
            run = u32(c.parm16) + 2;
        else if (c.type >= MODEL_CMD_BONES1 && c.type <= MODEL_CMD_BONES4)
            Within(c.parm8, std::min<s64>(m.numBones, MODEL_MAX_BONES), "bone command");
        for (u32 i = c.parm32; i < c.parm32 + run; ++i) {
            Within(i, mesh.numIndices, "primitive");
            const u16 v = mesh.indexList[i];
            if (skinned) {
                Within(v, s64(m.skinnedVertices.size()), "skinned primitive");
                Total = Total + f32(m.skinnedVertices[v].coord[0]);
                if (!m.outVertNormBuffer.empty())
                    Total = Total + m.outVertNormBuffer[v].x;
            } else if (!m.quantVertices.empty()) {
                Total = Total + f32(m.quantVertices[v].coord[0]);
            } else {
                Total = Total + m.floatVertices[v].coord[0];
            }
        }
    }
}

void CheckItem(s32 item, void* data, s32, const s_octtree_node*) {
    if (item != -1)  // an atom standing for nothing
        Within(u32(item), *static_cast<const s32*>(data), "octree");
}

void Walk(const s_model& m) {
    for (s32 i = 0; i < m.numMeshes; ++i)
        WalkMesh(m, m.meshList[i]);
    for (s32 i = 0; i < m.numCollisionSpheres; ++i)
        Within(u8(m.collisionSphereList[i].boneId), m.numBones, "sphere");
    for (s32 i = 0; i < m.numCollisionFaces; ++i) {
        const s_model_collision_face& f = m.collisionFaceList[i];
        Within(f.normalIndex, m.numNormals, "face");
        for (u32 c = 0; c < 3; ++c)
            Total = Total + m.collisionVertexList[f.vertIndex[c]].x;
    }
    for (s32 i = 0; i < m.numVeils; ++i)
        for (u16 corner : m.veilList[i].vertIndex)
            Total = Total + m.collisionVertexList[corner].y;
    const s_Vector3 centre{0, 0, 0, 0};
    const struct {
        const s_octtree_map* map;
        s32 count;
    } trees[] = {
        {m.octTree, m.numMeshes}, {m.collisionOctTree, m.numCollisionFaces}, {m.veilOctTree, m.numVeils}};
    for (const auto& tree : trees) {
        s32 count = tree.count;
        if (tree.map != nullptr)
            OctTreeSphere(tree.map, &centre, 1e30f, CheckItem, &count);
    }
    // Weighting under identity matrices touches every vertex a run names.
    std::vector<s_hmatrix_bone> bones(size_t(m.numBones));
    for (s_hmatrix_bone& bone : bones)
        bone.modelMatrixInv = IDMatrix4;
    s_hmatrix header{};
    header.numBones = header.maxBones = s16(m.numBones);
    header.boneList = bones.data();
    ModelWeightVertices(ModelSkinView(m), &header);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    void* payload = fuzz::HeapCopy({data, size});
    if (payload == nullptr)
        return 0;
    if (s_model* model = ModelLoad("FUZZ", payload, u32(size))) {
        if (model->boneRemapList != nullptr)
            fuzz::Fail("a bone remap list came from the file");
        Walk(*model);
        ModelFree(model);
    }
    return 0;
}
