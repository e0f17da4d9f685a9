// The resource viewer's toolbar icons: one sheet of 8 x 4 cells of 32 pixels.
#pragma once

#include "tools/discbuild/TextureEncoder.h"
#include "tools/discbuild/WadWriter.h"

namespace modelgen {

// The sheet; cell n lies in column n % 8, row n / 8.
discbuild::RgbaImage MakeViewerIcons();
// Adds the sheet as the texture "RVIEWERICONS".
void AddViewerIcons(discbuild::WadWriter* wad);

}  // namespace modelgen
