// The text source of a screen movie (docs/screenmovies.md, "The text source")
// parsed into symbols, placed objects and image definitions. Names are not yet
// resolved: the compiler checks them and orders the symbols.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/types.h"
#include "source/SFP/SFPFile.h"

namespace sfpc {

// Where a line came from, for "FILE:LINE: what" messages.
struct Where {
    std::string file;
    u32 line = 0;
};

// "FILE:LINE".
std::string At(const Where& where);
// Throws std::invalid_argument "FILE:LINE: what".
[[noreturn]] void Fail(const Where& where, const std::string& what);

enum class Shape { RoundRect, Ellipse, Glow, Rule, Remote, Pin, Ball };

// An image the compiler draws ("draw NAME SHAPE W H ...").
struct DrawSource {
    Where where;
    std::string name;
    Shape shape = Shape::RoundRect;
    u32 width = 0, height = 0;
    f32 radius = 0;            // roundrect, glow: corner radius
    f32 spread = 0;            // glow: how far it fades out
    f32 borderWidth = 0;       // roundrect, ellipse
    u32 borderColour = 0;      // 0xRRGGBBAA
    std::vector<u32> colours;  // fill top and bottom; the glow's colour; the rule's stops
};

struct ObjectSource {
    Where where;
    std::string name;  // at most SFP_NAME_LEN bytes; empty for "-"
    e_sfp_kind kind = SFP_KIND_RECT;
    std::string ref;  // image: the draw's name; instance: the symbol's
    f32 width = 0, height = 0;
    // text
    std::string font;
    f32 size = 0;
    u32 colour = 0xFFFFFFFF;
    u8 align = SFP_ALIGN_LEFT, valign = SFP_VALIGN_TOP, wrap = 0;
    std::string text;  // Windows-1252
    // button: the look symbols' names, empty for none, and the hit area
    std::string looks[SFP_LOOK_COUNT];
    f32 hit[4] = {};
    std::vector<s_sfp_key> keys;
    std::vector<Where> keyWhere;
};

struct LabelSource {
    Where where;
    std::string name;
    u32 frame = 0;
};

struct SymbolSource {
    Where where;
    std::string name;  // empty for the root
    u32 frames = 1;
    std::vector<LabelSource> labels;
    std::vector<ObjectSource> objects;
};

struct MovieSource {
    std::string name;
    u32 rate = 60, width = 640, height = 448;
    std::vector<DrawSource> draws;
    std::vector<SymbolSource> symbols;  // the root first, then the others in source order
};

// The text of an included file by its name; nothing when there is none.
using IncludeSource = std::function<std::optional<std::string>(const std::string& file)>;

// Parses a movie's source; `file` names it in messages. Faults throw
// std::invalid_argument "FILE:LINE: what".
MovieSource ParseMovieSource(const std::string& text, const std::string& file, const IncludeSource& includes);

}  // namespace sfpc
