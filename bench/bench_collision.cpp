// A mover's collision cache refilled from a 15,000-face collision world model at a
// new point each time: through the model's collision octree, or offering every face.
#include <benchmark/benchmark.h>

#include <random>

#include "orblib47/source/Collision.h"
#include "orblib47/source/OrbLib.h"
#include "source/OrbMain.h"
#include "tests/support/CollisionModelBuilder.h"
#include "tests/support/TestHost.h"

namespace {

void BM_CollisionCacheRefill(benchmark::State& state) {
    HostInit(TestHostConfig());
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
    {
        CollisionModelBuilder builder;
        builder.RandomFaces(3, 15000, 100.0f, 1.0f);
        CollisionWorldModel = builder.Build(state.range(0) != 0, 4);
        s_collision_cache* cache = PolyCollideCacheAllocSize(1024);
        const s_Vector3 lo = {-4, -4, -4, 0}, hi = {4, 4, 4, 0};
        PolyCollideCacheSetup(cache, &lo, &hi);
        std::mt19937 rng(5);
        std::uniform_real_distribution<f32> along(-90.0f, 90.0f);
        s64 gathered = 0;
        for (auto _ : state) {
            const s_Vector3 pos = {along(rng), along(rng), along(rng), 0};
            cache->flags = 0;  // refill whatever the point
            PolyCollideCacheSphere(cache, &pos, 1.0f);
            gathered += cache->count;
        }
        state.counters["faces"] = benchmark::Counter(f64(gathered), benchmark::Counter::kAvgIterations);
        PolyCollideCacheFree(cache);
        CollisionWorldModel = nullptr;
    }
    OrblibExit();
    HostShutdown();
}
BENCHMARK(BM_CollisionCacheRefill)->ArgName("octree")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
