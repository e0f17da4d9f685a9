// The inline record pool: a global of its owning module, filled by the owner's warm
// reset and used by the pooled class's operator new and delete.
#pragma once

#include "orblib47/source/Record.h"

class CRecord {
public:
    // Room for exactly `count` records of `size` bytes; when the heap cannot supply
    // it the pool stays empty and every allocation yields null.
    void Create(u32 count, u32 size);
    void* Alloc();
    // A null pointer is ignored.
    void Free(void* record);
    // Releases the pool's memory (the owner's shutdown).
    void Destroy();
    u32 FreeCount() const { return m_Pool != nullptr ? m_Pool->count : 0; }

private:
    s_stdrec* m_Pool = nullptr;
};
