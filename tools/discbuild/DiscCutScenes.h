// The demo disc's cut-scenes.
#pragma once

#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

// The level's intro: the camera's four-second sweep from the level's camera start
// down behind the bowler.
std::vector<u8> IntroCutScene();

// Writes the intro as DATA/INTRO.CSF. Errors throw.
void BuildDiscCutScenes(const std::string& discDir);

}  // namespace discbuild
