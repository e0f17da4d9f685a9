#include "tools/modelgen/DiscModels.h"

#include <filesystem>
#include <stdexcept>

#include "tools/discbuild/TimWriter.h"
#include "tools/discbuild/VhaWriter.h"
#include "tools/discbuild/VhmWriter.h"
#include "tools/discbuild/WadWriter.h"
#include "tools/modelgen/Figure.h"

namespace modelgen {

void BuildDiscModels(const std::string& discDir) {
    namespace fs = std::filesystem;
    const Figure figure = MakeFigure();
    discbuild::TimTexture texture;
    texture.image = figure.texture;
    discbuild::WadWriter wad;
    wad.Add({kFigureTextureName, "TIM", discbuild::TimPayload(texture), discbuild::kWadCompressed});
    wad.Add({kFigureBankName, "VHA", discbuild::VhaPayload(figure.animations), discbuild::kWadCompressed});
    wad.Add({"FIGURE", "VHM", discbuild::VhmPayload(figure.model.vhm), discbuild::kWadCompressed});
    const fs::path archive = fs::path(discDir) / "DATA" / "FIGURE.WAD";
    fs::create_directories(archive.parent_path());
    if (!wad.Write(archive.string()))
        throw std::runtime_error("cannot write " + archive.string());
}

}  // namespace modelgen
