// The demo disc's fonts: data/fonts.txt names each font, its archive, face
// and pixel height (see docs/disc.md).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/discbuild/WadWriter.h"

namespace fontbake {

// Bakes every font of DATA_DIR/fonts.txt (faces relative to `faceDir`) into
// its archive under DISC_DIR; errors throw naming the line.
// `extra` chunks go into the named archives after their fonts.
void BuildDiscFonts(const std::string& dataDir, const std::string& discDir, const std::string& faceDir,
                    const std::map<std::string, std::vector<discbuild::WadChunk>>& extra = {});

}  // namespace fontbake
