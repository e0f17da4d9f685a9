// The swapped textures, painted: shirts, pants, shoes, hair colours, hats, wrist
// guards and balls. Each family is a parent (a copy of its first child) that the
// materials name, and a child for each choice.
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "tools/modelgen/Bowler.h"

namespace modelgen {

namespace {

constexpr u32 kSize = 32;

using Painter = std::function<u32(u32 x, u32 y)>;

discbuild::RgbaImage Paint(const Painter& paint) {
    discbuild::RgbaImage image{kSize, kSize, std::vector<u8>(kSize * kSize * 4)};
    for (u32 y = 0; y < kSize; ++y)
        for (u32 x = 0; x < kSize; ++x) {
            const u32 c = paint(x, y);
            u8* texel = &image.rgba[(y * kSize + x) * 4];
            texel[0] = u8(c >> 24), texel[1] = u8(c >> 16), texel[2] = u8(c >> 8), texel[3] = 0xFF;
        }
    return image;
}

u32 Hsv(f32 h, f32 s, f32 v) {
    h = (h - std::floor(h)) * 6;
    const s32 i = s32(h);
    const f32 f = h - f32(i), p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    const f32 rgb[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
    auto byte = [](f32 c) { return u32(std::clamp(c, 0.0f, 1.0f) * 255 + 0.5f); };
    return byte(rgb[i % 6][0]) << 24 | byte(rgb[i % 6][1]) << 16 | byte(rgb[i % 6][2]) << 8 | 0xFF;
}

u32 Shade(u32 c, f32 k) {
    auto ch = [&](s32 shift) { return u32(std::clamp(f32((c >> shift) & 0xFF) * k, 0.0f, 255.0f)) << shift; };
    return ch(24) | ch(16) | ch(8) | 0xFF;
}

// A repeatable texel noise 0..1.
f32 Noise(u32 x, u32 y, u32 seed) {
    u32 h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return f32((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

discbuild::RgbaImage Shirt(u32 gender, u32 i) {
    const u32 base = Hsv(0.137f * f32(i) + 0.05f * f32(gender), 0.55f + 0.05f * f32(i % 4), 0.85f);
    const u32 trim = Hsv(0.137f * f32(i) + 0.5f, 0.3f, 0.95f);
    return Paint([=](u32 x, u32 y) {
        switch (i % 4) {
            case 0:  // piping down the front
                return (x == 7 || x == 10) ? trim : base;
            case 1:  // hoops
                return (y / 3) % 3 == 0 ? trim : base;
            case 2:  // checks
                return ((x / 4) + (y / 4)) % 2 == 0 ? base : Shade(base, 0.75f);
            default:  // flames rising from the hem
                return f32(y) > 20 + 5 * std::sin(f32(x) * 0.8f) ? trim : base;
        }
    });
}

discbuild::RgbaImage Pants(u32 i) {
    constexpr u32 kColours[] = {0x303038FFu, 0x202848FFu, 0xB8A47AFFu, 0x181818FFu, 0x5A3C28FFu, 0x707478FFu};
    const u32 base = kColours[i % 6];
    return Paint([=](u32 x, u32 y) { return Shade(base, 0.9f + 0.2f * Noise(x, y, i)); });
}

discbuild::RgbaImage Shoes(u32 gender, u32 i) {
    const u32 base = Hsv(0.21f * f32(i) + 0.3f * f32(gender), 0.6f, 0.35f + 0.05f * f32(i % 5));
    return Paint([=](u32 x, u32 y) {
        if (y > 24)
            return 0xF0F0F0FFu;  // sole
        if (x > 12 && x < 20 && y % 4 == 0)
            return 0xE8E8E8FFu;  // laces
        return (x < 8 || x > 24) && i % 2 == 0 ? 0xF0F0F0FFu : base;
    });
}

u32 HairColour(u32 i) {
    constexpr u32 kColours[] = {0x1A1410FFu, 0x3A2414FFu, 0x6A4222FFu, 0x8A3A1AFFu,
                                0xC8A058FFu, 0xE8DCA8FFu, 0x8C8C8CFFu, 0xB84A18FFu};
    return i < 8 ? kColours[i] : Hsv(0.07f * f32(i), 0.5f, 0.4f);
}

discbuild::RgbaImage Hair(u32 i) {
    const u32 base = HairColour(i);
    return Paint([=](u32 x, u32 y) { return Shade(base, 0.75f + 0.5f * Noise(x, y / 8, i)); });
}

discbuild::RgbaImage Hat(u32 i) {
    const u32 base = Hsv(0.09f * f32(i), 0.7f, 0.75f), band = Shade(base, 0.5f);
    return Paint([=](u32 x, u32 y) {
        const f32 dx = f32(x) - 8, dy = f32(y) - 12;
        if (dx * dx + dy * dy < 12)
            return 0xF8F8F8FFu;  // the badge
        return y > 26 ? band : base;
    });
}

discbuild::RgbaImage Guard(u32 i) {
    const u32 base = Hsv(0.11f * f32(i) + 0.6f, 0.5f, 0.6f);
    return Paint(
        [=](u32 x, u32 y) { return (y % 11 < 3) ? 0x202020FFu : Shade(base, 0.9f + 0.2f * Noise(x, y, i)); });
}

// Two colours swirled together, and three finger holes.
discbuild::RgbaImage Ball(u32 i) {
    const u32 a = Hsv(0.071f * f32(i), 0.75f, 0.7f), b = Hsv(0.071f * f32(i) + 0.35f, 0.6f, 0.35f);
    return Paint([=](u32 x, u32 y) {
        constexpr f32 kHoles[3][2] = {{6, 6}, {10, 6}, {8, 12}};
        for (const auto& hole : kHoles) {
            const f32 dx = f32(x) - hole[0], dy = f32(y) - hole[1];
            if (dx * dx + dy * dy < 2.5f)
                return 0x101010FFu;
        }
        const f32 swirl = std::sin(f32(x) * 0.4f + 3 * std::sin(f32(y) * 0.3f + f32(i)));
        return i == 0 ? Shade(a, 0.85f + 0.15f * swirl) : swirl > 0 ? a : b;
    });
}

void AddFamily(std::vector<NamedTexture>* textures, const char* prefix, s32 group, u32 count,
               const std::function<discbuild::RgbaImage(u32)>& paint) {
    if (count == 0)
        return;
    char name[16];
    BowlerPartName(name, prefix, group);
    NamedTexture parent{name, paint(0), {}};
    std::vector<NamedTexture> children;
    for (u32 i = 0; i < count; ++i) {
        char child[16];
        if (group < 0)
            BowlerPartName(child, prefix, s32(i));
        else
            BowlerPartName(child, prefix, group, s32(i));
        parent.children.push_back(child);
        children.push_back({child, paint(i), {}});
    }
    textures->push_back(std::move(parent));
    textures->insert(textures->end(), children.begin(), children.end());
}

}  // namespace

std::vector<NamedTexture> BowlerTextures(const BowlerCounts& counts) {
    std::vector<NamedTexture> textures;
    for (u32 g = 0; g < 2; ++g) {
        AddFamily(&textures, BOWLER_TEX_SHIRT, s32(g), counts.shirts[g], [g](u32 i) { return Shirt(g, i); });
        AddFamily(&textures, BOWLER_TEX_PANTS, s32(g), counts.pants[g], Pants);
        AddFamily(&textures, BOWLER_TEX_SHOES, s32(g), counts.shoes[g], [g](u32 i) { return Shoes(g, i); });
    }
    AddFamily(&textures, BOWLER_TEX_HAIR, -1, counts.hairColours, Hair);
    AddFamily(&textures, BOWLER_TEX_HAT, -1, counts.hats, Hat);
    AddFamily(&textures, BOWLER_TEX_GUARD, -1, counts.guards, Guard);
    AddFamily(&textures, BOWLER_TEX_BALL, -1, counts.balls, Ball);
    return textures;
}

}  // namespace modelgen
