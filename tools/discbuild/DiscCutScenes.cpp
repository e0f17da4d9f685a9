#include "tools/discbuild/DiscCutScenes.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "source/LevelCutScene.h"
#include "tools/discbuild/ChunkOut.h"
#include "tools/discbuild/CsfWriter.h"

namespace discbuild {

namespace {

constexpr f32 kSweepSeconds = 4.0f;

}  // namespace

std::vector<u8> IntroCutScene() {
    ChunkOut sweep;
    sweep.Float(kSweepSeconds);
    CsfScript intro;
    intro.commands = {{CS_CMD_TYPE_GAME_GAMESTATE_SET, 0.0f, LEVEL_CUTSCENE_INTRO_SWEEP, sweep.Take()},
                      {CS_CMD_TYPE_NOP, kSweepSeconds, 0, {}}};
    return CsfFile(intro);
}

void BuildDiscCutScenes(const std::string& discDir) {
    const std::vector<u8> bytes = IntroCutScene();
    const std::filesystem::path path =
        std::filesystem::path(discDir) / "DATA" / (std::string(LEVEL_CUTSCENE_INTRO) + ".CSF");
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace discbuild
