// The scene test's archives: "ARENA1", a small arena (tiled floor, three walls,
// crates, a pillar and a ball on a plinth) as the scene "LVARENA1", and "CLONIE",
// the test figure as the character "CLONIE" with three animations.
#pragma once

#include <string>

#include "tools/discbuild/VhaWriter.h"
#include "tools/modelgen/ModelBuild.h"

namespace modelgen {

constexpr const char* kArenaSceneName = "LVARENA1";
constexpr const char* kClonieName = "CLONIE";
constexpr const char* kClonieBankName = "CLONIE_ANIM";
// The bank's data-file id: data/SymTable.txt turns the scene test's animation
// symbols into kClonieBankId << 16 | index.
constexpr u32 kClonieBankId = 220;

GeneratedModel MakeArena();

struct Clonie {
    GeneratedModel model;
    discbuild::VhaBank animations;  // WALK and STROLL (repeating), STAND
};
Clonie MakeClonie();

// Writes DATA/ARENA1.WAD and DATA/CLONIE.WAD under `discDir`. Errors throw.
void BuildDiscRenderTestScenes(const std::string& discDir);

}  // namespace modelgen
