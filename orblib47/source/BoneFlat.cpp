#include "orblib47/source/Bone.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/Record.h"

namespace {

s_stdrec* FMatrixRecords = nullptr;

}  // namespace

void FMatrixWarmReset() {
    FMatrixRecords = RecordCreate(FMATRIX_MAX_RECORDS, sizeof(s_flat_matrix));
}

s_flat_matrix* FMatrixAlloc(u16 numBones) {
    auto* header = static_cast<s_flat_matrix*>(RecordAlloc(FMatrixRecords));
    if (header == nullptr)
        return nullptr;
    header->numBones = numBones;
    header->boneList =
        static_cast<s_flat_bone*>(HeapCalloc(numBones, sizeof(s_flat_bone), __FILE_NAME__, __LINE__));
    if (header->boneList == nullptr) {
        RecordFree(FMatrixRecords, header);
        return nullptr;
    }
    return header;
}

void FMatrixFree(s_flat_matrix* header) {
    if (header == nullptr)
        return;
    HeapMallocFree(header->boneList);
    RecordFree(FMatrixRecords, header);
}
