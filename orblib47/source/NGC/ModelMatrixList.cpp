// The skinning state every draw of a skinned model starts from.
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/ModelDrawInternal.h"
#include "orblib47/source/Skin.h"

s_Matrix4* ModelMatrixList = nullptr;

// The weights' quantisation (unsigned 16-bit, 2^-15 per step) is ModelSkinWeight's,
// the one reading shared by the runs and the single-vertex weighting.
void ModelHardwareWarmReset() {
    ModelSetupSkinIndices(MODEL_SKIN_INDEX_COUNT);
    ModelMatrixList =
        static_cast<s_Matrix4*>(HeapMalloc(MODEL_MAX_BONES * sizeof(s_Matrix4), "NGC_Model", 0));
    if (ModelMatrixList == nullptr)
        DEBUG_PRINT("ModelHardwareWarmReset: Unable to allocate the matrix list!\n");
}
