#include "tools/moviegen/LogoMovies.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tools/discbuild/ThpWriter.h"
#include "tools/moviegen/StrokeLetters.h"
#include "tools/sfpcompile/SfpCanvas.h"
#include "tools/soundgen/Synth.h"

namespace moviegen {
namespace {

using sfpc::Canvas;
using sfpc::ColourOf;
using sfpc::Mix;
using sfpc::Rgba;

constexpr u32 kLogoWidth = 512;  // centred on the screen's black
constexpr u32 kLogoHeight = 288;
constexpr u32 kLogoFrames = 90;
constexpr f32 kFrameRate = 30.0f;
constexpr f32 kSeconds = f32(kLogoFrames) / kFrameRate;
constexpr f32 kFadeOut = 0.6f;  // seconds at the end

// The front end's palette.
const Rgba kBackdrop = ColourOf(0x1A2C55FF);
const Rgba kPanel = ColourOf(0x14254AFF);
const Rgba kOutline = ColourOf(0x5A7DC0FF);
const Rgba kSecondary = ColourOf(0xB4C2E0FF);
const Rgba kAccent = ColourOf(0xFFB347FF);
const Rgba kPrimary = ColourOf(0xFFFFFFFF);

// 0 before `from`, 1 after `to`, eased in and out between.
f32 Ease(f32 t, f32 from, f32 to) {
    const f32 x = std::clamp((t - from) / (to - from), 0.0f, 1.0f);
    return x * x * (3 - 2 * x);
}

Rgba Faded(Rgba c, f32 alpha) {
    c.a *= alpha;
    return c;
}

// Black, and the backdrop's blue glowing from (cx, cy) out to an ellipse of radii
// rx, ry, which stays inside the picture so that its edge does not show on the
// screen's black.
void PaintGlow(Canvas& canvas, f32 cx, f32 cy, f32 rx, f32 ry, f32 strength) {
    const Rgba black = ColourOf(0x000000FF);
    canvas.Paint([&](f32 x, f32 y) {
        const f32 d = std::min(std::hypot((x - cx) / rx, (y - cy) / ry), 1.0f);
        return Mix(black, kBackdrop, strength * (1 - d) * (1 - d));
    });
}

// The distance to the strokes, each drawn by `drawn(i)`; away from the word's box
// only roughly, which is all coverage needs.
template <typename Drawn>
f32 WordDistance(const std::vector<Stroke>& strokes, Drawn drawn, f32 radius, f32 x, f32 y, f32 left, f32 top,
                 f32 width, f32 height) {
    const f32 outside = std::max({left - x, x - left - width, top - y, y - top - height});
    if (outside > radius + 2)
        return outside;
    f32 d = outside + 1e3f;
    for (size_t i = 0; i < strokes.size(); ++i) {
        const f32 part = drawn(i);
        if (part > 0)
            d = std::min(d, StrokeDistance(strokes[i], part, radius, x, y));
    }
    return d;
}

// The whole picture fades from black at the start and back to black at the end.
void FadeInAndOut(Canvas& canvas, f32 t, f32 fadeIn) {
    const f32 shown = Ease(t, 0, fadeIn) * (1 - Ease(t, kSeconds - kFadeOut, kSeconds - 1.0f / kFrameRate));
    if (shown < 1)
        canvas.Paint([&](f32, f32) { return Rgba{0, 0, 0, 1 - shown}; });
}

std::vector<u8> Rgb(const Canvas& canvas) {
    const discbuild::RgbaImage image = canvas.Image();
    std::vector<u8> rgb;
    rgb.reserve(size_t(image.width) * image.height * 3);
    for (size_t i = 0; i < image.rgba.size(); i += 4)
        rgb.insert(rgb.end(), {image.rgba[i], image.rgba[i + 1], image.rgba[i + 2]});
    return rgb;
}

discbuild::ThpMovie Movie(void (*paint)(Canvas&, f32), std::vector<s16> sound) {
    discbuild::ThpMovie movie;
    movie.width = kLogoWidth;
    movie.height = kLogoHeight;
    movie.frameRate = kFrameRate;
    movie.quality = 90;
    for (u32 frame = 0; frame < kLogoFrames; ++frame) {
        Canvas canvas(kLogoWidth, kLogoHeight);
        canvas.SetDesign(f32(kLogoWidth), f32(kLogoHeight));
        paint(canvas, f32(frame) / kFrameRate);
        movie.pictures.push_back(Rgb(canvas));
    }
    movie.channels = 1;
    movie.frequency = soundgen::kSoundRate;
    movie.tracks = {std::move(sound)};
    return movie;
}

// The studio: each stroke traced in turn as a thin amber line, then all of them
// thickening into white letters, and a rule drawn out from the middle beneath.
void PaintStudio(Canvas& canvas, f32 t) {
    constexpr f32 kHeight = 64.0f;
    const f32 width = WordWidth("VOSSA", kHeight);
    const f32 left = (f32(kLogoWidth) - width) / 2, top = (f32(kLogoHeight) - kHeight) / 2 - 10;
    const std::vector<Stroke> strokes = WordStrokes("VOSSA", left, top, kHeight);
    PaintGlow(canvas, f32(kLogoWidth) / 2, f32(kLogoHeight) / 2, 250, 140, Ease(t, 0, 1.2f));

    const f32 weight = Ease(t, 1.15f, 1.7f);
    const f32 radius = 1.2f + 4.8f * weight;
    const Rgba ink = Mix(kAccent, kPrimary, weight);
    const auto drawn = [&](size_t i) { return Ease(t, 0.1f + 0.07f * f32(i), 0.55f + 0.07f * f32(i)); };
    canvas.Fill(
        [&](f32 x, f32 y) { return WordDistance(strokes, drawn, radius, x, y, left, top, width, kHeight); },
        ink);
    const f32 half = width / 2 * Ease(t, 1.5f, 2.1f);
    if (half > 0) {
        const f32 cx = f32(kLogoWidth) / 2, y = top + kHeight + 22;
        canvas.Fill(
            [&](f32 x, f32 at) { return sfpc::CapsuleDistance(x, at, cx - half, y, cx + half, y, 1.0f); },
            [&](f32 x, f32) { return Faded(kAccent, 1 - std::abs(x - cx) / (width / 2 + 1)); });
    }
    FadeInAndOut(canvas, t, 0.3f);
}

// A sphere lit from the upper left: the panel's deep blue in shadow through the
// outline's blue to a pale highlight, with an amber rim on the lower right.
Rgba OrbShade(f32 x, f32 y, f32 cx, f32 cy, f32 r) {
    const f32 nx = (x - cx) / r, ny = (y - cy) / r;
    const f32 nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
    const f32 lambert = std::max(0.0f, -0.5f * nx - 0.55f * ny + 0.67f * nz);
    const f32 highlight = std::pow(std::max(0.0f, -0.35f * nx - 0.4f * ny + 0.85f * nz), 24.0f);
    const f32 rim = std::pow(std::max(0.0f, 0.6f * nx + 0.55f * ny), 3.0f) * (1 - nz);
    Rgba c = Mix(kPanel, kOutline, lambert);
    c = Mix(c, kSecondary, highlight * 0.8f);
    return Mix(c, kAccent, rim * 0.7f);
}

// The engine: the orb swells in, an amber ring tilted about it with a moon going
// round (the ring's far half behind the orb), and ORB slides in beside it.
void PaintEngine(Canvas& canvas, f32 t) {
    constexpr f32 kHeight = 56.0f, kOrbX = 160.0f, kWordX = 282.0f;
    const f32 cy = f32(kLogoHeight) / 2;
    PaintGlow(canvas, kOrbX, cy, 156, 140, Ease(t, 0, 1.0f));

    const f32 grow = Ease(t, 0, 1.1f);
    const f32 r = 52.0f * (0.8f + 0.2f * grow);
    const f32 ringX = 100.0f * (0.7f + 0.3f * grow), ringY = 24.0f * (0.7f + 0.3f * grow);
    const f32 tilt = -0.26f, c = std::cos(tilt), s = std::sin(tilt);
    // The ring's own frame: u along its long axis, v across it, the far half at v < 0.
    const auto ringFrame = [&](f32 x, f32 y, f32* u, f32* v) {
        *u = (x - kOrbX) * c + (y - cy) * s;
        *v = -(x - kOrbX) * s + (y - cy) * c;
    };
    const f32 moonAngle = 2.2f * t + 0.6f;
    const f32 moonX = kOrbX + ringX * std::cos(moonAngle) * c - ringY * std::sin(moonAngle) * s;
    const f32 moonY = cy + ringX * std::cos(moonAngle) * s + ringY * std::sin(moonAngle) * c;
    const bool moonInFront = std::sin(moonAngle) > 0;
    const Rgba ring = Faded(kAccent, Ease(t, 0.2f, 0.9f));
    const auto paintRing = [&](bool front) {
        canvas.Fill(
            [&](f32 x, f32 y) {
                f32 u, v;
                ringFrame(x, y, &u, &v);
                if ((v > 0) != front || std::abs(u) > ringX + 4 || std::abs(v) > ringY + 4)
                    return 1e9f;
                return std::abs(sfpc::EllipseDistance(u, v, 0, 0, ringX, ringY)) - 1.6f;
            },
            ring);
        if (moonInFront == front)
            canvas.Fill([&](f32 x, f32 y) { return sfpc::CircleDistance(x, y, moonX, moonY, 5.0f); }, ring);
    };
    paintRing(false);
    canvas.Fill([&](f32 x, f32 y) { return sfpc::CircleDistance(x, y, kOrbX, cy, r); },
                [&](f32 x, f32 y) { return OrbShade(x, y, kOrbX, cy, r); });
    paintRing(true);

    const f32 slide = Ease(t, 0.7f, 1.4f);
    const f32 left = kWordX + 30 * (1 - slide), top = cy - kHeight / 2;
    const std::vector<Stroke> strokes = WordStrokes("ORB", left, top, kHeight);
    const f32 width = WordWidth("ORB", kHeight);
    canvas.Fill(
        [&](f32 x, f32 y) {
            return WordDistance(
                strokes, [](size_t) { return 1.0f; }, 5.0f, x, y, left, top, width, kHeight);
        },
        Faded(kPrimary, slide));
    FadeInAndOut(canvas, t, 0.5f);
}

void WriteMovie(const std::filesystem::path& file, const discbuild::ThpMovie& movie) {
    const std::vector<u8> bytes = discbuild::ThpWrite(movie);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (bytes.empty() || !out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

void BuildDiscMovies(const std::string& discDir) {
    const std::filesystem::path data = std::filesystem::path(discDir) / "DATA";
    std::filesystem::create_directories(data);
    WriteMovie(data / "VOSSA.thp", Movie(PaintStudio, soundgen::SynthStudioChime(kSeconds)));
    WriteMovie(data / "ORBLOGO.thp", Movie(PaintEngine, soundgen::SynthEngineChime(kSeconds)));
}

}  // namespace moviegen
