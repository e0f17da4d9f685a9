#include "orblib47/source/OrbRecord.h"

#include "orblib47/source/Heap.h"

void CRecord::Create(u32 count, u32 size) {
    Destroy();
    u32 bytes = 0;
    if (!RecordPoolBytes(count, size, &bytes))
        return;
    void* block = HeapMalloc(bytes, __FILE_NAME__, __LINE__);
    if (block != nullptr)
        m_Pool = RecordInit(block, count, size);
}

void* CRecord::Alloc() {
    return m_Pool != nullptr ? RecordAlloc(m_Pool) : nullptr;
}

void CRecord::Free(void* record) {
    if (record != nullptr)
        RecordFree(m_Pool, record);
}

void CRecord::Destroy() {
    if (m_Pool != nullptr)
        HeapMallocFree(m_Pool);
    m_Pool = nullptr;
}
