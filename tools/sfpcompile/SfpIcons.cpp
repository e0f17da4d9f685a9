// The icons of the boot screens, drawn in design units and scaled to the image.
#include <array>

#include "tools/sfpcompile/SfpCanvas.h"
#include "tools/sfpcompile/SfpDraw.h"

namespace sfpc {

namespace {

const Rgba kRemoteFace = ColourOf(0xF4F6FAFF);
const Rgba kRemoteShade = ColourOf(0xC3CAD8FF);
const Rgba kRemoteEdge = ColourOf(0x7D879CFF);
const Rgba kRemoteKey = ColourOf(0x4E586EFF);
const Rgba kStrap = ColourOf(0xFFB347FF);  // the accent: the strap is what the screen is about
const Rgba kWrist = ColourOf(0x8FA3C8FF);
const Rgba kPinWhite = ColourOf(0xFFFFFFFF);
const Rgba kPinShade = ColourOf(0xBFC7D6FF);
const Rgba kPinStripe = ColourOf(0xD8283BFF);
const Rgba kBallLight = ColourOf(0x6F97F0FF);
const Rgba kBallDark = ColourOf(0x0C1640FF);
const Rgba kHole = ColourOf(0x050915FF);

// The region inside both shapes.
f32 Both(f32 a, f32 b) {
    return std::max(a, b);
}

}  // namespace

void DrawRemote(Canvas& canvas) {
    canvas.SetDesign(120, 200);
    // The strap's loop round the forearm: its far half, the forearm (fading out below), its near half.
    const auto loop = [](f32 x, f32 y) { return std::abs(EllipseDistance(x, y, 60, 160, 27, 8)) - 2.5f; };
    canvas.Fill([&](f32 x, f32 y) { return Both(loop(x, y), 160 - y); }, kStrap);
    canvas.Fill([](f32 x, f32 y) { return RoundBoxDistance(x, y, 60, 180, 21, 48, 19); },
                [](f32, f32 y) {
                    return Mix(kWrist, Rgba{kWrist.r, kWrist.g, kWrist.b, 0}, (y - 168) / 30);
                });
    canvas.Fill([&](f32 x, f32 y) { return Both(loop(x, y), y - 160); }, kStrap);
    // The cord and its lock from the remote's foot down to the loop.
    canvas.Fill([](f32 x, f32 y) { return CapsuleDistance(x, y, 60, 118, 60, 164, 2); }, kStrap);
    canvas.Fill([](f32 x, f32 y) { return RoundBoxDistance(x, y, 60, 140, 5, 4, 2); }, kRemoteKey);
    // The body, shaded left to right, with its keys.
    const auto body = [](f32 x, f32 y) { return RoundBoxDistance(x, y, 60, 64, 22, 58, 14); };
    canvas.Fill([&](f32 x, f32 y) { return body(x, y) - 1.5f; }, kRemoteEdge);
    canvas.Fill(body, [](f32 x, f32) { return Mix(kRemoteFace, kRemoteShade, (x - 44) / 40); });
    canvas.Fill([](f32 x, f32 y) { return RoundBoxDistance(x, y, 60, 26, 3.5f, 10, 1.5f); }, kRemoteKey);
    canvas.Fill([](f32 x, f32 y) { return RoundBoxDistance(x, y, 60, 26, 10, 3.5f, 1.5f); }, kRemoteKey);
    canvas.Fill([](f32 x, f32 y) { return CircleDistance(x, y, 60, 52, 7.5f); }, kRemoteKey);
    for (const f32 cx : {48.0f, 60.0f, 72.0f})
        canvas.Fill([&](f32 x, f32 y) { return CircleDistance(x, y, cx, 78, 2.8f); }, kRemoteKey);
    for (const f32 cy : {96.0f, 108.0f})
        canvas.Fill([&](f32 x, f32 y) { return CircleDistance(x, y, 60, cy, 4.2f); }, kRemoteKey);
}

void DrawPin(Canvas& canvas) {
    canvas.SetDesign(64, 170);
    // Half widths down the pin's profile, joined by straight pieces fine enough to read as a curve.
    constexpr std::array<std::array<f32, 2>, 12> kProfile = {{
        {16, 11.5f},
        {24, 11},
        {32, 9},
        {42, 7.5f},
        {52, 9},
        {66, 15},
        {82, 21},
        {100, 23.5f},
        {118, 22},
        {136, 18.5f},
        {154, 14.5f},
        {166, 12},
    }};
    const auto halfWidth = [&](f32 y) {
        size_t i = 1;
        while (i + 1 < kProfile.size() && kProfile[i][0] < y)
            ++i;
        const f32 t =
            std::clamp((y - kProfile[i - 1][0]) / (kProfile[i][0] - kProfile[i - 1][0]), 0.0f, 1.0f);
        const f32 s = t * t * (3 - 2 * t);
        return kProfile[i - 1][1] + (kProfile[i][1] - kProfile[i - 1][1]) * s;
    };
    // The profile's distance is taken across; its slopes are gentle enough for that to cover well.
    const auto pin = [&](f32 x, f32 y) {
        const f32 head = CircleDistance(x, y, 32, 15, 12);
        const f32 body = Both(std::abs(x - 32) - halfWidth(y), Both(15 - y, y - 166));
        return std::min(head, body);
    };
    canvas.Fill(pin, [](f32 x, f32) { return Mix(kPinWhite, kPinShade, (x - 22) / 34); });
    for (const f32 band : {44.0f, 53.0f})
        canvas.Fill([&](f32 x, f32 y) { return Both(pin(x, y), std::abs(y - band) - 2.5f); }, kPinStripe);
}

void DrawBall(Canvas& canvas) {
    canvas.SetDesign(100, 100);
    canvas.Fill([](f32 x, f32 y) { return CircleDistance(x, y, 50, 50, 49); },
                [](f32 x, f32 y) { return Mix(kBallLight, kBallDark, std::hypot(x - 36, y - 32) / 80); });
    constexpr std::array<std::array<f32, 3>, 3> kHoles = {{{60, 30, 6}, {74, 38, 6}, {58, 52, 7.5f}}};
    for (const auto& hole : kHoles)
        canvas.Fill([&](f32 x, f32 y) { return CircleDistance(x, y, hole[0], hole[1], hole[2]); }, kHole);
    // A soft shine near the top left.
    canvas.Paint([](f32 x, f32 y) {
        const f32 d = std::hypot(x - 33, y - 28) / 14;
        return Rgba{1, 1, 1, 0.55f * std::max(0.0f, 1 - d * d)};
    });
}

}  // namespace sfpc
