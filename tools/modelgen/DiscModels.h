// The demo disc's generated models.
#pragma once

#include <string>

namespace modelgen {

// Writes DATA/FIGURE.WAD: the test figure "FIGURE" with its texture and walk; and
// DATA/LEVEL.WAD: the test level's textures, scene, sky dome and world. Each chunk
// comes before the one that names it. Errors throw.
void BuildDiscModels(const std::string& discDir);

}  // namespace modelgen
