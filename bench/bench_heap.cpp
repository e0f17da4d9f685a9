// Allocation speed of the engine heap: a steady churn of mixed sizes over a
// populated main heap, as the game's loaders and pools produce it.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "console/system.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Memory.h"

namespace {

class HeapSetUp {
public:
    HeapSetUp() {
        HostConfig config;
        config.mem1Size = 24u * 1024 * 1024;
        config.mem2Size = 64u * 1024 * 1024;
        HostInit(config);
        MemoryColdReset();
        SysIdReset();
        HeapWarmReset(8192, MemoryGetBase(), MemoryGetSize());
    }
    ~HeapSetUp() {
        MemoryExit();
        HostShutdown();
    }
};

void BM_HeapMallocFree(benchmark::State& state) {
    HeapSetUp heap;
    for (auto _ : state) {
        // Read only: GCC 12 with AddressSanitizer loses a block written back
        // through DoNotOptimize's read-write form.
        void* const p = HeapMalloc(u32(state.range(0)), "Bench", 1);
        benchmark::DoNotOptimize(p);
        HeapMallocFree(p);
    }
}
BENCHMARK(BM_HeapMallocFree)->Arg(64)->Arg(4096);

// `state.range(0)` blocks stay live; each iteration frees one at random and
// allocates a new one with a random strategy.
void BM_HeapChurn(benchmark::State& state) {
    HeapSetUp heap;
    std::mt19937 random(1);
    void* (*const strategies[])(u32, const char*, s32) = {HeapMalloc, HeapMallocLow, HeapMallocBestFit};
    std::vector<void*> live;
    for (int i = 0; i < state.range(0); ++i)
        live.push_back(HeapMalloc(random() % 2048, "Bench", 1));
    for (auto _ : state) {
        std::size_t index = random() % live.size();
        HeapMallocFree(live[index]);
        void* const p = strategies[random() % 3](random() % 2048, "Bench", 2);
        benchmark::DoNotOptimize(p);
        live[index] = p;
    }
    for (void* p : live)
        HeapMallocFree(p);
}
BENCHMARK(BM_HeapChurn)->Arg(100)->Arg(2000);

}  // namespace
