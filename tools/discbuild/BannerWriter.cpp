#include "tools/discbuild/BannerWriter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "orblib47/source/ChunkReader.h"
#include "tools/discbuild/TextureEncoder.h"

namespace discbuild {

namespace {

constexpr u32 kBackground = 0x1C2C5CFF;  // night blue
constexpr u32 kLane = 0xC89A5AFF;        // maple
constexpr u32 kBall = 0x2050D0FF;
constexpr u32 kBallShine = 0x90B0FFFF;
constexpr u32 kHole = 0x101018FF;
constexpr u32 kPin = 0xF4F4F0FF;
constexpr u32 kStripe = 0xD02020FF;

struct Canvas {
    RgbaImage image;

    Canvas(u32 width, u32 height) {
        image.width = width;
        image.height = height;
        image.rgba.resize(width * height * 4);
    }
    void Set(s32 x, s32 y, u32 colour) {
        if (x < 0 || y < 0 || u32(x) >= image.width || u32(y) >= image.height)
            return;
        u8* p = &image.rgba[(u32(y) * image.width + u32(x)) * 4];
        p[0] = u8(colour >> 24);
        p[1] = u8(colour >> 16);
        p[2] = u8(colour >> 8);
        p[3] = u8(colour);
    }
    // Every pixel whose centre passes the test, in the colour it gives.
    template <class Paint>
    void Fill(Paint paint) {
        for (u32 y = 0; y < image.height; ++y) {
            for (u32 x = 0; x < image.width; ++x) {
                u32 colour = 0;
                if (paint(f32(x) + 0.5f, f32(y) + 0.5f, &colour))
                    Set(s32(x), s32(y), colour);
            }
        }
    }
};

bool Inside(f32 x, f32 y, f32 cx, f32 cy, f32 rx, f32 ry) {
    const f32 dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0f;
}

// A ball of radius r: shine at the upper left, three finger holes.
void DrawBall(Canvas& canvas, f32 cx, f32 cy, f32 r) {
    canvas.Fill([&](f32 x, f32 y, u32* colour) {
        if (!Inside(x, y, cx, cy, r, r))
            return false;
        *colour = kBall;
        if (Inside(x, y, cx - 0.4f * r, cy - 0.4f * r, 0.25f * r, 0.2f * r))
            *colour = kBallShine;
        const f32 hole = 0.12f * r;
        if (Inside(x, y, cx + 0.15f * r, cy - 0.35f * r, hole, hole) ||
            Inside(x, y, cx + 0.45f * r, cy - 0.15f * r, hole, hole) ||
            Inside(x, y, cx + 0.3f * r, cy + 0.3f * r, hole * 1.2f, hole * 1.2f))
            *colour = kHole;
        return true;
    });
}

// A pin standing on baseY, h tall: belly, neck with two stripes, head.
void DrawPin(Canvas& canvas, f32 cx, f32 baseY, f32 h) {
    canvas.Fill([&](f32 x, f32 y, u32* colour) {
        const f32 t = (baseY - y) / h;  // 0 at the foot, 1 at the top
        if (t < 0.0f || t > 1.0f)
            return false;
        const bool belly = Inside(x, y, cx, baseY - 0.3f * h, 0.16f * h, 0.3f * h);
        const bool neck = t >= 0.5f && t <= 0.8f && std::fabs(x - cx) <= 0.06f * h;
        const bool head = Inside(x, y, cx, baseY - 0.86f * h, 0.09f * h, 0.13f * h);
        if (!belly && !neck && !head)
            return false;
        *colour = (t >= 0.62f && t <= 0.66f) || (t >= 0.7f && t <= 0.74f) ? kStripe : kPin;
        return true;
    });
}

std::vector<u8> Picture(u32 width, u32 height, bool icon) {
    Canvas canvas(width, height);
    const f32 w = f32(width), h = f32(height);
    const f32 floor = h * (icon ? 0.85f : 0.8f);
    canvas.Fill([&](f32, f32 y, u32* colour) {
        *colour = y < floor ? kBackground : kLane;
        return true;
    });
    if (icon) {
        DrawPin(canvas, w * 0.68f, floor, h * 0.72f);
        DrawBall(canvas, w * 0.32f, floor - h * 0.22f, h * 0.22f);
    } else {
        for (s32 i = 0; i < 4; ++i)
            DrawPin(canvas, w * (0.56f + 0.1f * f32(i)), floor - f32(i % 2), h * 0.62f);
        DrawBall(canvas, w * 0.2f, floor - h * 0.25f, h * 0.25f);
    }
    return EncodeTexture(TexFormat::RGB5A3, canvas.image);
}

void PutText(std::vector<u8>& file, u32 offset, const std::string& text) {
    const std::size_t n = std::min<std::size_t>(text.size(), BANNER_TEXT_SIZE - 1);
    std::copy_n(text.begin(), n, file.begin() + offset);
}

}  // namespace

std::vector<u8> BannerWrite(const std::string& title, const std::string& subtitle) {
    std::vector<u8> file(BANNER_FILE_SIZE);
    StoreBE32(&file[0], BANNER_MAGIC);
    StoreBE32(&file[4], 1);  // icons
    StoreBE16(&file[8], u16(BANNER_WIDTH));
    StoreBE16(&file[10], u16(BANNER_HEIGHT));
    StoreBE16(&file[12], u16(BANNER_ICON_SIZE));
    StoreBE16(&file[14], u16(BANNER_ICON_SIZE));
    StoreBE32(&file[16], u32(TexFormat::RGB5A3));
    PutText(file, 32, title);
    PutText(file, 32 + BANNER_TEXT_SIZE, subtitle);
    const std::vector<u8> banner = Picture(BANNER_WIDTH, BANNER_HEIGHT, false);
    const std::vector<u8> icon = Picture(BANNER_ICON_SIZE, BANNER_ICON_SIZE, true);
    std::copy(banner.begin(), banner.end(), file.begin() + BANNER_HEADER_SIZE);
    std::copy(icon.begin(), icon.end(), file.begin() + BANNER_ICON_OFFSET);
    return file;
}

void BuildDiscBanner(const std::string& discDir) {
    const std::vector<u8> file = BannerWrite("Dorvanton Pro Bowling", "Career and settings");
    const std::filesystem::path path = std::filesystem::path(discDir) / "DATA" / "BANNER.BIN";
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace discbuild
