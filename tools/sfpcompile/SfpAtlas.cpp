#include "tools/sfpcompile/SfpAtlas.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace sfpc {

namespace {

struct Packed {
    std::vector<size_t> images;  // the images placed, in shelf order
    std::vector<AtlasPlace> places;
};

// Places `order`'s images on shelves of a w x h atlas, as many as fit from the
// front; the tallest go first, so each shelf is as high as its first image.
Packed Shelve(const std::vector<discbuild::RgbaImage>& images, const std::vector<size_t>& order, u32 w,
              u32 h) {
    Packed packed;
    u32 x = 0, y = 0, shelf = 0;
    for (size_t i : order) {
        const u32 iw = images[i].width + 2 * kAtlasPad, ih = images[i].height + 2 * kAtlasPad;
        if (x + iw > w)
            x = 0, y += shelf, shelf = 0;
        if (iw > w || y + ih > h)
            break;
        packed.images.push_back(i);
        packed.places.push_back({0, x + kAtlasPad, y + kAtlasPad});
        x += iw;
        shelf = std::max(shelf, ih);
    }
    return packed;
}

void Blit(discbuild::RgbaImage& atlas, const discbuild::RgbaImage& image, u32 left, u32 top) {
    const s64 pad = kAtlasPad;
    for (s64 y = -pad; y < s64(image.height) + pad; ++y) {
        for (s64 x = -pad; x < s64(image.width) + pad; ++x) {
            const size_t from = (size_t(std::clamp<s64>(y, 0, image.height - 1)) * image.width +
                                 size_t(std::clamp<s64>(x, 0, image.width - 1))) *
                                4;
            const size_t to = (size_t(s64(top) + y) * atlas.width + size_t(s64(left) + x)) * 4;
            std::copy_n(&image.rgba[from], 4, &atlas.rgba[to]);
        }
    }
}

}  // namespace

Atlases PackAtlases(const std::vector<discbuild::RgbaImage>& images) {
    for (const discbuild::RgbaImage& image : images)
        if (image.width == 0 || image.height == 0 || image.width > kAtlasMaxImage ||
            image.height > kAtlasMaxImage)
            throw std::invalid_argument("an image too large for an atlas");
    std::vector<size_t> left(images.size());
    std::iota(left.begin(), left.end(), 0);
    std::stable_sort(left.begin(), left.end(), [&](size_t a, size_t b) {
        return images[a].height != images[b].height ? images[a].height > images[b].height
                                                    : images[a].width > images[b].width;
    });
    Atlases out;
    out.places.resize(images.size());
    while (!left.empty()) {
        // What the largest atlas takes, then the smallest atlas that takes the same.
        const Packed most = Shelve(images, left, kAtlasMaxSide, kAtlasMaxSide);
        const std::vector<size_t> these(left.begin(), left.begin() + std::ptrdiff_t(most.images.size()));
        Packed packed = most;
        u32 bestW = kAtlasMaxSide, bestH = kAtlasMaxSide;
        for (u32 w = 8; w <= kAtlasMaxSide; w *= 2) {
            for (u32 h = 8; h <= kAtlasMaxSide; h *= 2) {
                if (u64(w) * h >= u64(bestW) * bestH)
                    continue;
                Packed trial = Shelve(images, these, w, h);
                if (trial.images.size() == these.size())
                    packed = std::move(trial), bestW = w, bestH = h;
            }
        }
        discbuild::RgbaImage atlas{bestW, bestH, std::vector<u8>(size_t(bestW) * bestH * 4, 0)};
        for (size_t k = 0; k < packed.images.size(); ++k) {
            const size_t i = packed.images[k];
            out.places[i] = {u32(out.atlases.size()), packed.places[k].x, packed.places[k].y};
            Blit(atlas, images[i], packed.places[k].x, packed.places[k].y);
        }
        out.atlases.push_back(std::move(atlas));
        left.erase(left.begin(), left.begin() + std::ptrdiff_t(most.images.size()));
    }
    return out;
}

}  // namespace sfpc
