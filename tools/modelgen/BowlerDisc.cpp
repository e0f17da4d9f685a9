// The parts archive from the database's lists: as many shirts, shoes, glasses,
// hair styles and colours, facial hair, pants, hats, guards and balls as they name.
#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "source/Levels/AlleyLayout.h"
#include "tools/dbcompile/DbTextTable.h"
#include "tools/discbuild/DiscSources.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/discbuild/VhmWriter.h"
#include "tools/discbuild/WadWriter.h"
#include "tools/modelgen/Bowler.h"

namespace modelgen {

namespace {

namespace fs = std::filesystem;

// Rows of a create-a-bowler list per gender.
void CountByGender(const fs::path& path, u32 (&counts)[2]) {
    const dbcompile::DbTextTable table(path.filename().string(), discbuild::ReadFile(path));
    for (const dbcompile::DbTextRow& row : table.Rows())
        ++counts[row.Int("gender", 0, 1)];
}

u32 Count(const dbcompile::DbTextTable& table, const char* name) {
    for (const dbcompile::DbTextRow& row : table.Rows())
        if (row.Text("name") == name)
            return u32(row.Int("value", 0, 0xFFFF));
    throw std::invalid_argument(table.File() + ": no " + name);
}

}  // namespace

BowlerCounts ReadBowlerCounts(const std::string& dbDir) {
    const fs::path db(dbDir);
    BowlerCounts counts;
    CountByGender(db / "cacshirts.txt", counts.shirts);
    CountByGender(db / "cacshoes.txt", counts.shoes);
    CountByGender(db / "cacglasses.txt", counts.glasses);

    const dbcompile::DbTextTable cac("caccounts.txt", discbuild::ReadFile(db / "caccounts.txt"));
    counts.hairStyles[0] = Count(cac, "uMaleHairModelCount");
    counts.hairStyles[1] = Count(cac, "uFemaleHairModelCount");
    counts.hairColours = std::max(Count(cac, "uMaleHairTexCount"), Count(cac, "uFemaleHairTexCount"));
    counts.beardStyles = Count(cac, "uFacialHairModelCount") / 8;
    counts.pants[0] = Count(cac, "uMalePantsTexCount");
    counts.pants[1] = Count(cac, "uFemalePantsTexCount");

    // Hats, guards and balls are shop items: one texture past the highest id.
    const dbcompile::DbTextTable items("items.txt", discbuild::ReadFile(db / "items.txt"));
    for (const dbcompile::DbTextRow& row : items.Rows()) {
        const u32 texture = u32(row.Int("m_TextureID", 0, 0xFF)) + 1;
        const std::string& type = row.Text("e_EquipType");
        u32* count = type == "hat"    ? &counts.hats
                     : type == "acc"  ? &counts.guards
                     : type == "ball" ? &counts.balls
                                      : nullptr;
        if (count != nullptr)
            *count = std::max(*count, texture);
    }
    return counts;
}

BowlerArchive MakeBowlerArchive(const BowlerCounts& counts) {
    BowlerArchive archive;
    archive.textures = BowlerTextures(counts);
    archive.models = BowlerBodyModels(counts);
    std::vector<NamedModel> items = BowlerItemModels();
    archive.models.insert(archive.models.end(), items.begin(), items.end());
    archive.animations = BowlerAnimations();
    return archive;
}

void BuildDiscBowler(const std::string& dataDir, const std::string& discDir) {
    const BowlerArchive archive = MakeBowlerArchive(ReadBowlerCounts((fs::path(dataDir) / "db").string()));
    discbuild::WadWriter wad;
    wad.SetToc(true);
    for (const NamedTexture& texture : archive.textures) {
        discbuild::TimTexture tim;
        tim.image = texture.image;
        tim.children = texture.children;
        wad.Add({texture.name, "TIM", discbuild::TimPayload(tim), discbuild::kWadCompressed});
    }
    wad.Add({BOWLER_ANIM_BANK, "VHA", discbuild::VhaPayload(archive.animations), discbuild::kWadCompressed, 0,
             BOWLER_ANIM_BANK_ID});
    for (const NamedModel& model : archive.models)
        wad.Add({model.name, "VHM", discbuild::VhmPayload(model.model.vhm), discbuild::kWadCompressed});
    const fs::path path = fs::path(discDir) / "DATA" / (std::string(ALLEY_GLOBAL_WAD) + ".WAD");
    fs::create_directories(path.parent_path());
    if (!wad.Write(path.string()))
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace modelgen
