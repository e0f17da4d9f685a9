// A model's run-time buffers: the weighted buffer of a skinned model, and
// instances.
#include <cstdint>

#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Model.h"

namespace {

template <typename T>
std::span<T> Moved(std::span<T> list, std::ptrdiff_t delta) {
    if (list.data() == nullptr)
        return list;
    auto* data = reinterpret_cast<T*>(reinterpret_cast<std::uintptr_t>(list.data()) + std::uintptr_t(delta));
    return {data, list.size()};
}

}  // namespace

void ModelHardwareLoad(s_model* model) {
    if ((model->flags & MODEL_FLAG_SKINNED) == 0)
        return;
    // Indexed by vertex, with one record to spare.
    const u32 count = u32(model->numVertex) + 1;
    auto* buffer =
        static_cast<s_vert_pair*>(HeapMalloc(count * u32(sizeof(s_vert_pair)), __FILE_NAME__, __LINE__));
    if (buffer == nullptr) {
        DEBUG_PRINT("ModelHardwareLoad: Unable to allocate Vertex/Normal buffer!\n");
        return;
    }
    model->outVertNormBuffer = {buffer, count};
}

void ModelHardwareFree(s_model* model) {
    if (model->outVertNormBuffer.empty())
        return;
    HeapMallocFree(model->outVertNormBuffer.data());
    model->outVertNormBuffer = {};
}

void ModelHardwareRemap(s_model* model, std::ptrdiff_t delta) {
    model->skinnedVertices = Moved(model->skinnedVertices, delta);
    model->quantVertices = Moved(model->quantVertices, delta);
    model->floatVertices = Moved(model->floatVertices, delta);
    model->vertexCommands = Moved(model->vertexCommands, delta);
    model->vertexWeightList = Moved(model->vertexWeightList, delta);
    model->weightBones = Moved(model->weightBones, delta);
}

void ModelLoadInstance(s_model_instance* instance, s_model* model, u32 flags) {
    *instance = {flags, model, nullptr};
}

void ModelFreeInstance(s_model_instance* instance) {
    if (instance->vertexList == nullptr)
        return;
    HeapMallocFree(instance->vertexList);
    instance->vertexList = nullptr;
}

// Nothing to do here (Model.h).
void ModelHardwareRemapMesh(s_model*, std::ptrdiff_t) {}
void ModelStartInstance(s_model_instance*) {}
void ModelEndInstance(s_model_instance*) {}
void ModelCalculateVertices(s_model*, s_hmatrix*) {}
void ModelUpdateVerts(s_model*) {}
void ModelSetVertexArray(s_model*) {}
void ModelClearVertexArray() {}
void ModelCalcBounds(s_model*) {}
