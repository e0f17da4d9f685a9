// Global operator new and delete land in the engine heap. Before the heap exists
// (static initialisers) and for blocks from outside it, the C library serves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "console/host_services.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Memory.h"

namespace {

constexpr std::size_t kHeapAlignment = 32;  // every HeapMalloc pointer

// The heap serves from the warm reset until MemoryExit releases the arenas.
bool HeapLive() {
    return HandleRecords != nullptr && MemoryGetBase() != nullptr;
}

void* HostAllocate(std::size_t size, std::size_t alignment) {
    if (alignment <= alignof(std::max_align_t))
        return std::malloc(size != 0 ? size : 1);
    if (size > SIZE_MAX - alignment)
        return nullptr;
    return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* Allocate(std::size_t size, std::size_t alignment, s32 line) {
    void* block = nullptr;
    if (alignment > kHeapAlignment || !HeapLive() || HostMemoryScopeOpen()) {
        block = HostAllocate(size, alignment);
    } else if (size <= UINT32_MAX) {
        block = HeapMalloc(u32(size), "NGC_New", line);
    }
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void Release(void* pointer) {
    if (pointer == nullptr)
        return;
    if (!HeapOwnsPointer(pointer)) {
        std::free(pointer);
    } else if (HeapLive()) {
        // After MemoryExit the heap's blocks went with the arenas.
        HeapMallocFree(pointer);
    }
}

void* AllocateNoThrow(std::size_t size, std::size_t alignment, s32 line) noexcept {
    try {
        return Allocate(size, alignment, line);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

constexpr s32 kLineNew = 45;
constexpr s32 kLineNewArray = 56;

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size, kHeapAlignment, kLineNew);
}
void* operator new[](std::size_t size) {
    return Allocate(size, kHeapAlignment, kLineNewArray);
}
void* operator new(std::size_t size, std::align_val_t align) {
    return Allocate(size, std::size_t(align), kLineNew);
}
void* operator new[](std::size_t size, std::align_val_t align) {
    return Allocate(size, std::size_t(align), kLineNewArray);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(size, kHeapAlignment, kLineNew);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(size, kHeapAlignment, kLineNewArray);
}
void* operator new(std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(size, std::size_t(align), kLineNew);
}
void* operator new[](std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(size, std::size_t(align), kLineNewArray);
}

void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::align_val_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::align_val_t) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::align_val_t, const std::nothrow_t&) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::align_val_t, const std::nothrow_t&) noexcept {
    Release(pointer);
}
