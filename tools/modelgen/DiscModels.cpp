#include "tools/modelgen/DiscModels.h"

#include <filesystem>
#include <stdexcept>

#include "source/Levels/AlleyLayout.h"
#include "tools/discbuild/GamWriter.h"
#include "tools/discbuild/GrpWriter.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/discbuild/VhaWriter.h"
#include "tools/discbuild/VhmWriter.h"
#include "tools/discbuild/WadWriter.h"
#include "tools/discbuild/WrlWriter.h"
#include "tools/modelgen/Alley.h"
#include "tools/modelgen/AlleyEffects.h"
#include "tools/modelgen/Figure.h"
#include "tools/modelgen/Level.h"
#include "tools/modelgen/ModelBuild.h"
#include "tools/modelgen/RenderTestScenes.h"
#include "tools/modelgen/ViewerIcons.h"

namespace modelgen {

namespace {

namespace fs = std::filesystem;

discbuild::WadChunk Texture(const char* name, const discbuild::RgbaImage& image) {
    discbuild::TimTexture texture;
    texture.image = image;
    return {name, "TIM", discbuild::TimPayload(texture), discbuild::kWadCompressed};
}

discbuild::WadChunk Model(const char* name, const GeneratedModel& model) {
    return {name, "VHM", discbuild::VhmPayload(model.vhm), discbuild::kWadCompressed};
}

void Write(const discbuild::WadWriter& wad, const fs::path& archive) {
    fs::create_directories(archive.parent_path());
    if (!wad.Write(archive.string()))
        throw std::runtime_error("cannot write " + archive.string());
}

void WriteFigure(const fs::path& archive) {
    const Figure figure = MakeFigure();
    discbuild::WadWriter wad;
    wad.Add(Texture(kFigureTextureName, figure.texture));
    wad.Add({kFigureBankName, "VHA", discbuild::VhaPayload(figure.animations), discbuild::kWadCompressed});
    wad.Add(Model("FIGURE", figure.model));
    Write(wad, archive);
}

void WriteLevel(const fs::path& archive) {
    const Level level = MakeLevel();
    discbuild::WadWriter wad;
    wad.Add(Texture(kLevelFloorTextureName, level.floorTexture));
    wad.Add(Texture(kLevelCrateTextureName, level.crateTexture));
    wad.Add(Model(kLevelName, level.scene));
    wad.Add(Model(kLevelSkyName, level.sky));
    wad.Add(Model(kLevelCrateName, level.crate));
    wad.Add({kLevelCrateGroupName, "GRP", discbuild::GrpPayload(level.crateGroup), 0, 0, kLevelCrateGroupId});
    wad.Add({kLevelName, "WRL", discbuild::WrlPayload(level.world), discbuild::kWadCompressed});
    wad.Add({kLevelName, "GAM", discbuild::GamPayload(level.gameData), discbuild::kWadCompressed});
    Write(wad, archive);
}

// One place's alley, whole: the game loads a level from a single archive.
void WriteAlley(const fs::path& dataDir, s32 place) {
    const Alley alley = MakeAlley(AlleyLookOf(place));
    discbuild::WadWriter wad;
    for (const AlleyTexture& texture : alley.textures)
        wad.Add(Texture(texture.name.c_str(), texture.image));
    wad.Add(Model(ALLEY_SCENE, alley.scene));
    wad.Add(Model(ALLEY_SKY, alley.sky));
    wad.Add(Model(ALLEY_NEAR_PIN_MODEL, alley.pin));
    wad.Add(Model(ALLEY_FAR_PIN_MODEL, alley.farPin));
    wad.Add({ALLEY_PIN_MODEL, "GRP", discbuild::GrpPayload(alley.pinGroup), 0, 0, kAlleyPinGroupId});
    wad.Add(Model(ALLEY_BALL_MODEL, alley.ball));
    wad.Add(Model(ALLEY_PINSETTER_MODEL, alley.pinsetter));
    wad.Add(Model(ALLEY_SWEEPER_MODEL, alley.sweeper));
    wad.Add(Model(kAlleyBallReturnName, alley.ballReturn));
    wad.Add({kAlleyBallReturnGroupName, "GRP", discbuild::GrpPayload(alley.ballReturnGroup), 0, 0,
             kAlleyBallReturnGroupId});
    wad.Add({ALLEY_SCENE, "WRL", discbuild::WrlPayload(alley.world), discbuild::kWadCompressed});
    wad.Add({ALLEY_SCENE, "GAM", discbuild::GamPayload(alley.gameData), discbuild::kWadCompressed});
    AddAlleyEffects(&wad);
    Write(wad, dataDir / (std::string(ALLEY_PLACE_WADS[place]) + ".WAD"));
}

void WriteNpcBall(const fs::path& dataDir) {
    const Alley alley = MakeAlley();
    discbuild::WadWriter npc;
    npc.Add(Texture(alley.npcBallTexture.name.c_str(), alley.npcBallTexture.image));
    npc.Add(Model(ALLEY_NPC_BALL_MODEL, alley.npcBall));
    Write(npc, dataDir / (std::string(ALLEY_NPC_WAD) + ".WAD"));
}

// The debug tools' filled sphere: a white unit sphere, scaled and coloured by
// whoever draws it; and the resource viewer's toolbar icons.
void WriteDebugSphere(const fs::path& archive) {
    discbuild::WadWriter wad;
    wad.Add(Model("SPHERE", StaticModel({{Sphere(1.0f, 8, 12, 0xFFFFFFFFu), PlainMaterial(0xFFFFFFFFu)}})));
    AddViewerIcons(&wad);
    Write(wad, archive);
}

}  // namespace

void BuildDiscModels(const std::string& discDir) {
    WriteDebugSphere(fs::path(discDir) / "SYSTEM.WAD");
    WriteFigure(fs::path(discDir) / "DATA" / "FIGURE.WAD");
    WriteLevel(fs::path(discDir) / "DATA" / "LEVEL.WAD");
    for (s32 place = 0; place < ALLEY_PLACES; ++place)
        WriteAlley(fs::path(discDir) / "DATA", place);
    WriteNpcBall(fs::path(discDir) / "DATA");
    BuildDiscRenderTestScenes(discDir);
}

}  // namespace modelgen
