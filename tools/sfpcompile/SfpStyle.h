// The look every screen movie shares (docs/screenmovies.md, "The look"): the
// palette's named colours and the movie font names of the player's font table.
#pragma once

#include <optional>
#include <string_view>

#include "console/types.h"

namespace sfpc {

// 0xRRGGBBAA of a palette colour ("accent"); nothing for another name.
std::optional<u32> PaletteColour(std::string_view name);

// True for a movie font name of the player's font table ("DORVAREG18").
bool IsMovieFont(std::string_view name);

}  // namespace sfpc
