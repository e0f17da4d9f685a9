// Texts of the screen movies are Windows-1252, the bytes the menu fonts draw;
// sources are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace sfpc {

// The Windows-1252 bytes of UTF-8 text. Malformed UTF-8 or a character that
// Windows-1252 lacks throws std::invalid_argument naming it.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace sfpc
