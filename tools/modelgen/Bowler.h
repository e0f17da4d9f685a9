// The jointed bowler and its parts: a nineteen-bone skeleton (source/Career/
// BowlerParts.h), the bodies, heads, hair, facial hair, hat, glasses and wrist
// guards skinned to it, the ball and the trophies, the textures they swap, and the
// bank of the bowler's animations. Written as the archive DATA/GLOBAL.WAD.
#pragma once

#include <string>
#include <vector>

#include "source/Career/BowlerParts.h"
#include "tools/discbuild/TextureEncoder.h"
#include "tools/discbuild/VhaWriter.h"
#include "tools/modelgen/ModelBuild.h"

namespace modelgen {

// How many of each part the database's lists need.
struct BowlerCounts {
    u32 shirts[2] = {}, pants[2] = {}, shoes[2] = {}, glasses[2] = {}, hairStyles[2] = {};
    u32 hairColours = 0, beardStyles = 0, hats = 0, guards = 0, balls = 0;
};

// The counts from the database's text tables in `dbDir`; faults throw.
BowlerCounts ReadBowlerCounts(const std::string& dbDir);

// The skeleton, in metres; its bind pose stands upright with the arms hanging.
std::vector<s_hmatrix_bone_def> BowlerSkeleton();

// The animations, in e_BowlerAnimIndex order.
discbuild::VhaBank BowlerAnimations();

struct NamedModel {
    std::string name;
    GeneratedModel model;
};

struct NamedTexture {
    std::string name;
    discbuild::RgbaImage image;
    std::vector<std::string> children;
};

struct BowlerArchive {
    std::vector<NamedTexture> textures;
    std::vector<NamedModel> models;
    discbuild::VhaBank animations;
};

std::vector<NamedModel> BowlerBodyModels(const BowlerCounts& counts);
std::vector<NamedModel> BowlerItemModels();
std::vector<NamedTexture> BowlerTextures(const BowlerCounts& counts);

// Every part, texture and the bank.
BowlerArchive MakeBowlerArchive(const BowlerCounts& counts);

// Writes DATA/GLOBAL.WAD (table of contents first) from the tables in DATA_DIR/db.
void BuildDiscBowler(const std::string& dataDir, const std::string& discDir);

}  // namespace modelgen
