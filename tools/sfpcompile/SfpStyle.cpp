#include "tools/sfpcompile/SfpStyle.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sfpc {

namespace {

constexpr std::array<std::pair<std::string_view, u32>, 15> kPalette = {{
    {"backdrop-top", 0x1A2C55FF},  // the player draws the backdrop; art that matches it uses these
    {"backdrop-bottom", 0x060B1AFF},
    {"panel-top", 0x2A4478F0},
    {"panel-bottom", 0x14254AF0},
    {"panel-down", 0x0E1B38F8},  // a pressed button's face
    {"outline", 0x5A7DC0FF},
    {"primary", 0xFFFFFFFF},
    {"secondary", 0xB4C2E0FF},
    {"disabled", 0x64728FFF},
    {"accent", 0xFFB347FF},  // the current button's highlight
    {"warning", 0xFF6A4DFF},
    {"shadow", 0x00000099},
    {"white", 0xFFFFFFFF},
    {"black", 0x000000FF},
    {"clear", 0x00000000},
}};

// The movie font names of the player's font table, in its row order.
constexpr std::array<std::string_view, 21> kMovieFonts = {
    "DORVACOND15",
    "DORVAHEL15",
    "DORVAREG15",
    "DORVAEURO15",
    "DORVACOND18",
    "DORVAREG18",
    "DORVAEURO18",
    "DORVAHEL18",
    "DORVAEURO19",
    "DORVACOND20",
    "DORVAHEL20",
    "DORVAREG20",
    "ARIAL",
    "ARIAL10",
    "EUROSTILETHEA",
    "EUROSTILETMED",
    "HELVETICANEUE MEDIUMCOND",
    "EUROSTAR BLACK EXTENDED",
    "EASDISPLAY",
    "AGENCY FB",
    "TAHOMA",
};

}  // namespace

std::optional<u32> PaletteColour(std::string_view name) {
    for (const auto& [entry, colour] : kPalette)
        if (entry == name)
            return colour;
    return std::nullopt;
}

bool IsMovieFont(std::string_view name) {
    return std::find(kMovieFonts.begin(), kMovieFonts.end(), name) != kMovieFonts.end();
}

}  // namespace sfpc
