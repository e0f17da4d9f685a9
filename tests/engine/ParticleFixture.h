// Particle attributes made with the PAT writer over a small sprite set, loaded
// into the registry of a leak-checked engine.
#pragma once

#include <vector>

#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/Sprite.h"
#include "orblib47/source/SpriteGroup.h"
#include "orblib47/source/Texture.h"
#include "tests/engine/DataFixture.h"
#include "tools/discbuild/PatWriter.h"
#include "tools/discbuild/SprWriter.h"

class ParticleFixture : public DataFixture {
protected:
    static constexpr const char* kSet = "SPARKS";

    void SetUp() override {
        DataFixture::SetUp();
        TextureWarmReset(8, 0);
        before_ = Heaps();
    }
    void TearDown() override {
        EXPECT_EQ(Heaps(), before_);
        DataFixture::TearDown();
    }

    // Four cells, no texture loaded.
    static s_sprite_set* LoadSet(const char* name = kSet, u32 cells = 4) {
        discbuild::SpriteSet set;
        set.textures = {"SPARKTEX"};
        set.cells.resize(cells);
        for (u32 i = 0; i < cells; ++i)
            set.cells[i].uv = {f32(i), 0, f32(i) + 1, 0, f32(i) + 1, 1, f32(i), 1};
        const std::vector<u8> chunk = discbuild::SprPayload(set);
        return SpriteLoad(name, Image(chunk), u32(chunk.size()));
    }

    // Sprites of kSet, living two seconds, growing from white to clear.
    static discbuild::ParticleDef Sparks() {
        discbuild::ParticleDef def;
        def.spriteType = SPRITE_TYPE_SPRITE;
        def.spriteSet = kSet;
        def.numElement = 4;
        def.maxAge = 1.0f;
        def.elemMaxAge = 2.0f;
        def.elemMinVel = {-1, 2, 0, 0};
        def.elemMaxVel = {1, 4, 0, 0};
        def.area = {0.5f, 0, 0.25f, 0};
        return def;
    }

    static s_PARTSYS_ATTR* LoadAttr(const char* name, const discbuild::ParticleDef& def, u32 flags = 0) {
        const std::vector<u8> chunk = discbuild::PatPayload(def);
        return ParticleSystemAttrLoad(name, Image(chunk), u32(chunk.size()), flags);
    }
    static const s_PARTSYS_ATTR_DEFAULT& Default(const s_PARTSYS_ATTR* attr) {
        return *static_cast<const s_PARTSYS_ATTR_DEFAULT*>(attr);
    }
    static s32 RefCount(const char* name, const char* type) {
        const s_DATA_ENTRY* entry = DataFindEntry(name, type);
        return entry != nullptr ? entry->refCount : 0;
    }

    HeapState before_{};
};
