// Geometric capitals built of straight strokes and circular arcs, drawn as lines
// of a given radius; a stroke can be drawn part way, as if a pen were tracing it.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"

namespace moviegen {

struct Stroke {
    bool arc = false;
    f32 x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // a line from (x0, y0) to (x1, y1)
    f32 cx = 0, cy = 0, r = 0;           // an arc about (cx, cy) of radius r,
    f32 from = 0, sweep = 0;             // from the angle `from` (radians, y down) by `sweep`
};

// The strokes of `word` (the letters A B O R S V; others throw std::invalid_argument)
// with its top left at (x, y) and capitals `height` high, in writing order.
std::vector<Stroke> WordStrokes(const std::string& word, f32 x, f32 y, f32 height);
// The width of `word` with capitals `height` high.
f32 WordWidth(const std::string& word, f32 height);

// The signed distance from (x, y) to the first `drawn` (0..1) of the stroke
// thickened to `radius`.
f32 StrokeDistance(const Stroke& stroke, f32 drawn, f32 radius, f32 x, f32 y);

}  // namespace moviegen
