#include "tools/moviegen/StrokeLetters.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/sfpcompile/SfpCanvas.h"

namespace moviegen {
namespace {

constexpr f32 kPi = 3.14159265f;
constexpr f32 kGap = 0.28f;  // between letters, in capital heights

struct Letter {
    char c;
    f32 width;                    // in capital heights
    std::vector<Stroke> strokes;  // in capital heights from the letter's top left
};

Stroke Line(f32 x0, f32 y0, f32 x1, f32 y1) {
    return {false, x0, y0, x1, y1};
}

Stroke Arc(f32 cx, f32 cy, f32 r, f32 fromDegrees, f32 sweepDegrees) {
    return {true, 0, 0, 0, 0, cx, cy, r, fromDegrees * kPi / 180, sweepDegrees * kPi / 180};
}

const std::vector<Letter>& Alphabet() {
    static const std::vector<Letter> letters = {
        {'A', 0.8f, {Line(0, 1, 0.4f, 0), Line(0.4f, 0, 0.8f, 1), Line(0.16f, 0.6f, 0.64f, 0.6f)}},
        {'B',
         0.72f,
         {Line(0, 1, 0, 0), Line(0, 0, 0.45f, 0), Arc(0.45f, 0.24f, 0.24f, -90, 180),
          Line(0.45f, 0.48f, 0, 0.48f), Line(0, 0.48f, 0.46f, 0.48f), Arc(0.46f, 0.74f, 0.26f, -90, 180),
          Line(0.46f, 1, 0, 1)}},
        {'O', 1.0f, {Arc(0.5f, 0.5f, 0.5f, -90, 360)}},
        {'R',
         0.72f,
         {Line(0, 1, 0, 0), Line(0, 0, 0.45f, 0), Arc(0.45f, 0.25f, 0.25f, -90, 180),
          Line(0.45f, 0.5f, 0, 0.5f), Line(0.4f, 0.5f, 0.72f, 1)}},
        {'S', 0.5f, {Arc(0.25f, 0.25f, 0.25f, -20, -250), Arc(0.25f, 0.75f, 0.25f, -90, 250)}},
        {'V', 0.8f, {Line(0, 0, 0.4f, 1), Line(0.4f, 1, 0.8f, 0)}},
    };
    return letters;
}

const Letter& Find(char c) {
    for (const Letter& letter : Alphabet())
        if (letter.c == c)
            return letter;
    throw std::invalid_argument(std::string("no stroke letter '") + c + "'");
}

}  // namespace

std::vector<Stroke> WordStrokes(const std::string& word, f32 x, f32 y, f32 height) {
    std::vector<Stroke> strokes;
    for (char c : word) {
        const Letter& letter = Find(c);
        for (Stroke s : letter.strokes) {
            s.x0 = x + s.x0 * height, s.y0 = y + s.y0 * height;
            s.x1 = x + s.x1 * height, s.y1 = y + s.y1 * height;
            s.cx = x + s.cx * height, s.cy = y + s.cy * height, s.r *= height;
            strokes.push_back(s);
        }
        x += (letter.width + kGap) * height;
    }
    return strokes;
}

f32 WordWidth(const std::string& word, f32 height) {
    f32 width = -kGap;
    for (char c : word)
        width += Find(c).width + kGap;
    return std::max(width, 0.0f) * height;
}

f32 StrokeDistance(const Stroke& s, f32 drawn, f32 radius, f32 x, f32 y) {
    drawn = std::clamp(drawn, 0.0f, 1.0f);
    if (!s.arc)
        return sfpc::CapsuleDistance(x, y, s.x0, s.y0, s.x0 + (s.x1 - s.x0) * drawn,
                                     s.y0 + (s.y1 - s.y0) * drawn, radius);
    // Inside the swept angles the distance to the circle, else to the nearer end.
    const f32 sweep = s.sweep * drawn;
    f32 along = std::atan2(y - s.cy, x - s.cx) - s.from;
    if (sweep < 0)
        along = -along;
    along = std::fmod(std::fmod(along, 2 * kPi) + 2 * kPi, 2 * kPi);
    if (along <= std::abs(sweep))
        return std::abs(std::hypot(x - s.cx, y - s.cy) - s.r) - radius;
    const auto end = [&](f32 angle) {
        return sfpc::CircleDistance(x, y, s.cx + s.r * std::cos(angle), s.cy + s.r * std::sin(angle), radius);
    };
    return std::min(end(s.from), end(s.from + sweep));
}

}  // namespace moviegen
