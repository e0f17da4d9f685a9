// The alley's particle effects: one texture with a soft puff and a four-pointed
// star side by side, the sprite set over it, and the attributes of the pin dust
// and the strike burst. They follow the models in the archive: a sprite set takes
// its texture, and attributes their sprite set, from what is already loaded.
#include "tools/modelgen/AlleyEffects.h"

#include <algorithm>
#include <cmath>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/ParticleSystem.h"
#include "orblib47/source/SpriteGroup.h"
#include "source/Levels/AlleyLayout.h"
#include "tools/discbuild/PatWriter.h"
#include "tools/discbuild/SprWriter.h"
#include "tools/discbuild/TimWriter.h"

namespace modelgen {

namespace {

constexpr u32 kCell = 32;
constexpr s32 kPuff = 0;
constexpr s32 kStar = 1;

// White, with the shape in the alpha channel.
discbuild::RgbaImage Sheet() {
    discbuild::RgbaImage image{2 * kCell, kCell, std::vector<u8>(size_t(2 * kCell) * kCell * 4, 255)};
    for (u32 y = 0; y < kCell; ++y)
        for (u32 x = 0; x < kCell; ++x) {
            const f32 dx = (f32(x) + 0.5f) / kCell * 2.0f - 1.0f;
            const f32 dy = (f32(y) + 0.5f) / kCell * 2.0f - 1.0f;
            const f32 r = std::sqrt(dx * dx + dy * dy);
            const f32 puff = std::clamp(1.0f - r, 0.0f, 1.0f);
            const f32 rays =
                std::max(0.0f, 1.0f - std::fabs(dx) * 8.0f) + std::max(0.0f, 1.0f - std::fabs(dy) * 8.0f);
            const f32 star = std::clamp(rays * (1.0f - r) + std::max(0.0f, 1.0f - r * 3.0f), 0.0f, 1.0f);
            image.rgba[(size_t(y) * 2 * kCell + x) * 4 + 3] = u8(puff * puff * 255.0f);
            image.rgba[(size_t(y) * 2 * kCell + kCell + x) * 4 + 3] = u8(star * 255.0f);
        }
    return image;
}

discbuild::SpriteSet Sprites() {
    discbuild::SpriteSet set;
    set.textures = {ALLEY_FX_SPRITES};
    for (const s32 cell : {kPuff, kStar}) {
        const f32 u0 = 0.5f * f32(cell), u1 = u0 + 0.5f;
        set.cells.push_back({0, 0, {u0, 0, u1, 0, u1, 1, u0, 1}});
    }
    return set;
}

// Pale dust rising off the deck and spreading, thinning out over a second.
discbuild::ParticleDef PinDust() {
    discbuild::ParticleDef def;
    def.spriteType = SPRITE_TYPE_SPRITE;
    def.spriteSet = ALLEY_FX_SPRITES;
    def.dataId = kPuff;
    def.combineMode = DC_COMBINE_ALPHA;
    def.numElement = 24;
    def.flags = PARTSYS_INIT_SAME_AGE;
    def.maxAge = 0.1f;  // one puff
    def.elemMaxAge = 1.2f;
    def.area = {0.55f, 0.03f, 0.4f, 0};
    def.elemMinVel = {-1.0f, 0.6f, -1.0f, 0};
    def.elemMaxVel = {1.0f, 1.2f, 1.0f, 0};
    def.elemSpeed = 0.35f;
    def.elemSpeedMultiplier = 0.4f;
    def.elemSize = 0.4f;
    def.elemSizeMultiplier = 1.8f;
    def.colorStart = {0.95f, 0.9f, 0.8f, 0.7f};
    def.colorEnd = {0.9f, 0.88f, 0.82f, 0.0f};
    return def;
}

// Golden stars thrown up over the rack, falling back and fading.
discbuild::ParticleDef StrikeBurst() {
    discbuild::ParticleDef def;
    def.spriteType = SPRITE_TYPE_SPRITE;
    def.spriteSet = ALLEY_FX_SPRITES;
    def.dataId = kStar;
    def.combineMode = DC_COMBINE_ALPHA_ADD;
    def.numElement = 48;
    def.flags = PARTSYS_INIT_SAME_AGE;
    def.maxAge = 0.1f;
    def.elemMaxAge = 1.6f;
    def.area = {0.4f, 0.1f, 0.1f, 0};
    def.elemMinVel = {-1.2f, 0.6f, -0.4f, 0};
    def.elemMaxVel = {1.2f, 1.4f, 0.2f, 0};
    def.elemSpeed = 0.9f;
    def.gravity = -1.6f;
    def.elemSize = 0.14f;
    def.midTime = 0.3f;
    def.colorStart = {1.0f, 1.0f, 0.8f, 1.0f};
    def.colorMid = {1.0f, 0.8f, 0.2f, 0.9f};
    def.colorEnd = {1.0f, 0.4f, 0.1f, 0.0f};
    return def;
}

}  // namespace

void AddAlleyEffects(discbuild::WadWriter* wad) {
    discbuild::TimTexture texture;
    texture.image = Sheet();
    wad->Add({ALLEY_FX_SPRITES, "TIM", discbuild::TimPayload(texture), discbuild::kWadCompressed});
    wad->Add({ALLEY_FX_SPRITES, "SPR", discbuild::SprPayload(Sprites())});
    wad->Add({ALLEY_PIN_DUST, "PAT", discbuild::PatPayload(PinDust())});
    wad->Add({ALLEY_STRIKE_BURST, "PAT", discbuild::PatPayload(StrikeBurst())});
}

}  // namespace modelgen
