#include "tools/fontbake/TextSamples.h"

#include <algorithm>

#include "tools/discbuild/TimWriter.h"
#include "tools/fontbake/FreeTypeFace.h"

namespace fontbake {

namespace {

constexpr u32 kBorder = 2;
constexpr u8 kInk = 0xF0;

void Fill(discbuild::RgbaImage* image, u32 rgb) {
    for (size_t i = 0; i < image->rgba.size(); i += 4) {
        image->rgba[i] = u8(rgb >> 16);
        image->rgba[i + 1] = u8(rgb >> 8);
        image->rgba[i + 2] = u8(rgb);
        image->rgba[i + 3] = 0xFF;
    }
}

void Border(discbuild::RgbaImage* image) {
    const u32 size = image->width;
    for (u32 y = 0; y < size; ++y)
        for (u32 x = 0; x < size; ++x)
            if (x < kBorder || y < kBorder || x >= size - kBorder || y >= size - kBorder)
                std::fill_n(&image->rgba[(size_t(y) * size + x) * 4], 3, kInk);
}

// Blends the glyph's coverage in the ink colour over the image at (left, top).
void Blit(discbuild::RgbaImage* image, const FT_Bitmap& bitmap, long left, long top) {
    for (u32 row = 0; row < bitmap.rows; ++row)
        for (u32 column = 0; column < bitmap.width; ++column) {
            const long x = left + long(column), y = top + long(row);
            if (x < 0 || y < 0 || x >= long(image->width) || y >= long(image->height))
                continue;
            const u32 cover = bitmap.buffer[long(row) * bitmap.pitch + column];
            u8* texel = &image->rgba[(size_t(y) * image->width + size_t(x)) * 4];
            for (u32 c = 0; c < 3; ++c)
                texel[c] = u8((texel[c] * (255 - cover) + kInk * cover + 127) / 255);
        }
}

long LineWidth(FT_Face face, const std::string& line) {
    long width = 0;
    for (unsigned char c : line)
        if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) == 0)
            width += (face->glyph->advance.x + 32) >> 6;
    return width;
}

}  // namespace

discbuild::RgbaImage TextSample(const std::string& faceFile, u32 pixels, u32 background,
                                const std::vector<std::string>& lines) {
    Library library;
    Face face(library.handle, faceFile);
    if (FT_Set_Pixel_Sizes(face.handle, 0, pixels) != 0)
        throw std::runtime_error("fontbake: the face has no size " + std::to_string(pixels));
    const FT_Size_Metrics& metrics = face.handle->size->metrics;
    const long ascender = (metrics.ascender + 63) >> 6;
    const long lineHeight = std::max<long>((metrics.height + 63) >> 6, ascender);

    discbuild::RgbaImage image{kTextSampleSize, kTextSampleSize,
                               std::vector<u8>(size_t(kTextSampleSize) * kTextSampleSize * 4)};
    Fill(&image, background);
    Border(&image);
    long top = (long(kTextSampleSize) - lineHeight * long(lines.size())) / 2;
    for (const std::string& line : lines) {
        long pen = (long(kTextSampleSize) - LineWidth(face.handle, line)) / 2;
        for (unsigned char c : line) {
            if (FT_Load_Char(face.handle, c, FT_LOAD_RENDER) != 0)
                continue;
            const FT_GlyphSlot slot = face.handle->glyph;
            Blit(&image, slot->bitmap, pen + slot->bitmap_left, top + ascender - slot->bitmap_top);
            pen += (slot->advance.x + 32) >> 6;
        }
        top += lineHeight;
    }
    return image;
}

std::vector<discbuild::WadChunk> TextSampleTextures(const std::string& faceDir) {
    struct Sample {
        const char* name;
        u32 pixels;
        u32 background;
        std::vector<std::string> lines;
    };
    const Sample samples[] = {
        {"ARIAL_10", 10, 0x1F4E5A, {"ARIAL_10", "Arial 10 pixels", "AaBbCcDdEe", "0123456789"}},
        {"ARIAL_16", 16, 0x6A2A2A, {"ARIAL_16", "Arial 16", "AaBbCc", "012345"}},
        {"ARIAL_20", 20, 0x22306E, {"ARIAL_20", "Arial 20", "AaBbCc", "01234"}},
    };
    const std::string face = faceDir + "/liberation/LiberationSans-Regular.ttf";
    std::vector<discbuild::WadChunk> chunks;
    for (const Sample& sample : samples) {
        discbuild::TimTexture texture;
        texture.image = TextSample(face, sample.pixels, sample.background, sample.lines);
        chunks.push_back({sample.name, "TIM", discbuild::TimPayload(texture), discbuild::kWadCompressed});
    }
    return chunks;
}

}  // namespace fontbake
