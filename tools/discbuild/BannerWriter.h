// The save banner "banner.bin" that the game copies into flash storage beside its
// save (docs/savefile.md): a header with the title texts, a 192x64 banner picture
// and one 48x48 icon, both RGB5A3, painted here (a bowling ball and pins).
#pragma once

#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

constexpr u32 BANNER_MAGIC = 0x424E5231;  // "BNR1"
constexpr u32 BANNER_WIDTH = 192;
constexpr u32 BANNER_HEIGHT = 64;
constexpr u32 BANNER_ICON_SIZE = 48;
constexpr u32 BANNER_TEXT_SIZE = 64;  // each title text, NUL-padded
constexpr u32 BANNER_HEADER_SIZE = 32 + 2 * BANNER_TEXT_SIZE;
constexpr u32 BANNER_ICON_OFFSET = BANNER_HEADER_SIZE + BANNER_WIDTH * BANNER_HEIGHT * 2;
constexpr u32 BANNER_FILE_SIZE = BANNER_ICON_OFFSET + BANNER_ICON_SIZE * BANNER_ICON_SIZE * 2;

// The whole file; texts longer than 63 characters are cut.
std::vector<u8> BannerWrite(const std::string& title, const std::string& subtitle);
// DATA/BANNER.BIN of the demo disc.
void BuildDiscBanner(const std::string& discDir);

}  // namespace discbuild
