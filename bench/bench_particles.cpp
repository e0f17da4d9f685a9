// 2,000 live particles updated and drawn, as one frame does for a busy effect:
// one system of camera-facing sprites in front of the camera, every element
// alive, its update task, its render task and the sprite passes that draw it
// through the software GX (drawn: 1), or the update task alone (drawn: 0).
// Goal: under 2 ms on one core.
#include <benchmark/benchmark.h>

#include <vector>

#include "orblib47/source/DrawSort.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/SpriteGroup.h"
#include "source/OrbMain.h"
#include "tests/support/TestHost.h"
#include "tools/discbuild/PatWriter.h"
#include "tools/discbuild/SprWriter.h"
#include "tools/discbuild/TimWriter.h"

namespace {

constexpr s32 kParticles = 2000;

void* Image(const std::vector<u8>& bytes) {
    void* block = HeapMalloc(u32(bytes.size()), __FILE_NAME__, __LINE__);
    std::copy(bytes.begin(), bytes.end(), static_cast<u8*>(block));
    return block;
}

// Small sprites spread over a box two units across, drifting and changing colour.
discbuild::ParticleDef Cloud() {
    discbuild::ParticleDef def;
    def.spriteType = SPRITE_TYPE_SPRITE;
    def.spriteSet = "BENCHSET";
    def.numElement = kParticles;
    def.flags = PARTSYS_ALWAYS_ON | PARTSYS_INIT_SAME_AGE;
    def.elemMaxAge = 1000.0f;
    def.area = {1.0f, 0.6f, 0.5f, 0};
    def.elemMinVel = {-0.2f, 0.1f, -0.1f, 0};
    def.elemMaxVel = {0.2f, 0.4f, 0.1f, 0};
    def.elemSize = 0.03f;
    def.gravity = -0.1f;
    def.midTime = 0.5f;
    def.colorStart = {1.0f, 0.9f, 0.6f, 1.0f};
    def.colorMid = {0.8f, 0.8f, 0.8f, 0.6f};
    def.colorEnd = {0.5f, 0.5f, 0.5f, 0.0f};
    def.animCycles = 2.0f;
    return def;
}

void BM_ParticlesUpdateAndDraw(benchmark::State& state) {
    HostInit(TestHostConfig());
    OrblibColdReset(GAME_VIDEO_MODE, nullptr);
    OrblibWarmReset(GAME_VIDEO_MODE, nullptr);
    {
        discbuild::TimTexture texture;
        texture.image = {16, 16, std::vector<u8>(16 * 16 * 4, 0xC0)};
        const std::vector<u8> tim = discbuild::TimPayload(texture);
        s_texture* tex = TextureLoad("BENCHTEX", Image(tim), u32(tim.size()));
        discbuild::SpriteSet sheet;
        sheet.textures = {"BENCHTEX"};
        sheet.cells.resize(4);
        for (u32 i = 0; i < 4; ++i)
            sheet.cells[i].uv = {0.25f * f32(i),     0, 0.25f * f32(i + 1), 0,
                                 0.25f * f32(i + 1), 1, 0.25f * f32(i),     1};
        const std::vector<u8> spr = discbuild::SprPayload(sheet);
        s_sprite_set* set = SpriteLoad("BENCHSET", Image(spr), u32(spr.size()));
        const std::vector<u8> pat = discbuild::PatPayload(Cloud());
        s_PARTSYS_ATTR* attr = ParticleSystemAttrLoad("CLOUD", Image(pat), u32(pat.size()), 0);
        const s_Vector3 at{0.0f, 0.0f, -6.0f, 0.0f};
        s_particle_system* psys = ParticleSystemLoad("CLOUD", &at, 0, 0);
        for (auto _ : state) {
            ParticleSystemUpdateThread(nullptr, nullptr);
            if (state.range(0) == 0)
                continue;
            ParticleSystemRenderThread(nullptr, nullptr);
            DrawSortAlphaFlushThread(nullptr, nullptr);   // the sorted sprite groups
            SpriteDrawParticlesThread(nullptr, nullptr);  // empties the queue
        }
        state.SetItemsProcessed(state.iterations() * psys->numElement);
        ParticleSystemFree(psys);
        ParticleSystemAttrFree(attr);
        SpriteFree(set);
        TextureFree(tex);
    }
    OrblibExit();
    HostShutdown();
}
BENCHMARK(BM_ParticlesUpdateAndDraw)->ArgName("drawn")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
