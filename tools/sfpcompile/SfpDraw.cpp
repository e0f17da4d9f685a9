#include "tools/sfpcompile/SfpDraw.h"

#include "tools/sfpcompile/SfpCanvas.h"

namespace sfpc {

namespace {

// A filled shape with a border inside its edge (none when 0 wide), the fill
// graded from the top colour to the bottom one. Each pixel takes the border and
// the fill by the share of it each covers, so no seam shows between them and a
// clear fill leaves a ring.
template <typename Distance>
void FillBordered(Canvas& canvas, const DrawSource& draw, Distance distance) {
    const Rgba top = ColourOf(draw.colours[0]), bottom = ColourOf(draw.colours[1]);
    const Rgba border = ColourOf(draw.borderColour);
    canvas.Paint([&](f32 x, f32 y) {
        const f32 d = distance(x, y);
        const f32 inner = canvas.Coverage(d + draw.borderWidth);
        const Rgba fill = Mix(top, bottom, y / f32(draw.height));
        const f32 fillAlpha = fill.a * inner, borderAlpha = border.a * (canvas.Coverage(d) - inner);
        const f32 alpha = fillAlpha + borderAlpha;
        if (alpha <= 0)
            return Rgba{};
        const auto channel = [&](f32 f, f32 b) { return (f * fillAlpha + b * borderAlpha) / alpha; };
        return Rgba{channel(fill.r, border.r), channel(fill.g, border.g), channel(fill.b, border.b), alpha};
    });
}

}  // namespace

discbuild::RgbaImage DrawImage(const DrawSource& draw) {
    Canvas canvas(draw.width, draw.height);
    const f32 w = f32(draw.width), h = f32(draw.height);
    switch (draw.shape) {
        case Shape::RoundRect:
            FillBordered(canvas, draw, [&](f32 x, f32 y) {
                return RoundBoxDistance(x, y, w / 2, h / 2, w / 2, h / 2, draw.radius);
            });
            break;
        case Shape::Ellipse:
            FillBordered(canvas, draw,
                         [&](f32 x, f32 y) { return EllipseDistance(x, y, w / 2, h / 2, w / 2, h / 2); });
            break;
        case Shape::Glow: {
            // Full inside the core, then a soft fall to nothing over the spread.
            const Rgba colour = ColourOf(draw.colours[0]);
            const f32 spread = std::max(draw.spread, 1.0f);
            canvas.Paint([&](f32 x, f32 y) {
                const f32 d = RoundBoxDistance(x, y, w / 2, h / 2, w / 2 - draw.spread, h / 2 - draw.spread,
                                               draw.radius);
                const f32 t = std::clamp(d / spread, 0.0f, 1.0f);
                const f32 fall = 1 - t * t * (3 - 2 * t);
                return Rgba{colour.r, colour.g, colour.b, colour.a * fall * fall};
            });
            break;
        }
        case Shape::Rule: {
            const f32 spans = f32(draw.colours.size() - 1);
            canvas.Paint([&](f32 x, f32) {
                const f32 at = std::clamp(x / w * spans, 0.0f, spans);
                const size_t from = std::min(size_t(at), draw.colours.size() - 2);
                return Mix(ColourOf(draw.colours[from]), ColourOf(draw.colours[from + 1]), at - f32(from));
            });
            break;
        }
        case Shape::Remote:
            DrawRemote(canvas);
            break;
        case Shape::Pin:
            DrawPin(canvas);
            break;
        case Shape::Ball:
            DrawBall(canvas);
            break;
    }
    return canvas.Image();
}

}  // namespace sfpc
