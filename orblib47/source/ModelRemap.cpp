#include <cstdint>

#include "orblib47/source/Model.h"
#include "orblib47/source/Octree.h"

namespace {

template <typename T>
void Move(T** pointer, std::ptrdiff_t delta) {
    *pointer = reinterpret_cast<T*>(reinterpret_cast<std::uintptr_t>(*pointer) + std::uintptr_t(delta));
}

}  // namespace

void ModelRemap(s_model* model, std::ptrdiff_t delta) {
    Move(&model->vertexList, delta);
    Move(&model->collisionVertexList, delta);
    Move(&model->indexList, delta);
    Move(&model->normalList, delta);
    Move(&model->collisionSphereList, delta);
    Move(&model->linkPointList, delta);
    Move(&model->selectionSetVertexList, delta);
    Move(&model->vertexIndexList, delta);
    Move(&model->faceIndexList, delta);
    Move(&model->veilIndexList, delta);
    Move(&model->collisionFaceList, delta);
    Move(&model->veilList, delta);
    Move(&model->physicsPrimList, delta);
    OctTreeRemap(model->octTree, delta);
    OctTreeRemap(model->collisionOctTree, delta);
    OctTreeRemap(model->veilOctTree, delta);
    for (s32 i = 0; i < model->numMeshes; ++i) {
        Move(&model->meshList[i].commands, delta);
        Move(&model->meshList[i].indexList, delta);
    }
    ModelHardwareRemap(model, delta);
    ModelHardwareRemapMesh(model, delta);
}
