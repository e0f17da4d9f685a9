// The demo disc's generated models.
#pragma once

#include <string>

namespace modelgen {

// Writes SYSTEM.WAD: the debug tools' sphere "SPHERE" and the resource viewer's toolbar icons "RVIEWERICONS";
// DATA/FIGURE.WAD: the test figure "FIGURE" with its texture and walk; DATA/LEVEL.WAD: the test level's
// textures, scene, sky dome and world; DATA/ALLEY.WAD: the demo alley's textures, scene, sky, pin, ball,
// pinsetter, sweeper, ball return and its group, world and game data; the same for each other place in its
// own look (ALLEY_PLACE_WADS); and DATA/NPC.WAD: the computer bowlers' ball. Each chunk comes before the one
// that names it. Errors throw.
void BuildDiscModels(const std::string& discDir);

}  // namespace modelgen
