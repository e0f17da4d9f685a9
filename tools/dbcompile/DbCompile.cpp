#include "tools/dbcompile/DbCompile.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "source/BowlingDb/BowlingDb.h"
#include "source/BowlingDb/BowlingDbFormat.h"
#include "tools/dbcompile/DbTextTable.h"
#include "tools/discbuild/ChunkOut.h"

namespace dbcompile {

namespace fs = std::filesystem;

namespace {

constexpr s64 kS32Min = -0x80000000ll;
constexpr s64 kS32Max = 0x7FFFFFFF;
constexpr s64 kU32Max = 0xFFFFFFFF;
constexpr s64 kMaxAverage = 300;
constexpr s64 kMaxLevel = 20;
constexpr s64 kMaxProWeeks = 255;

const char* const kCacCountNames[DB_CAC_COUNT_NAMES] = {
    "uMaleHairTexCount",     "uFemaleHairTexCount", "uMaleHairModelCount",  "uFemaleHairModelCount",
    "uFacialHairModelCount", "uMalePantsTexCount",  "uFemalePantsTexCount",
};

// One block: fixed-size records, then a pool of NUL-terminated texts, each text
// stored once.
class BlockOut {
public:
    explicit BlockOut(e_DbBlockId id) : id_(id) {}

    void Word(s64 value) { records_.Word(u32(value)); }
    void Float(f64 value) { records_.Float(f32(value)); }
    void Double(f64 value) {
        const u64 bits = std::bit_cast<u64>(value);
        records_.Word(u32(bits >> 32));
        records_.Word(u32(bits));
    }
    void Text(const std::string& text) {
        auto [at, added] = offsets_.try_emplace(text, pool_.Size());
        if (added) {
            pool_.Bytes(text.data(), text.size());
            pool_.Byte(0);
        }
        records_.Word(at->second);
    }
    void EndRecord() {
        ++count_;
        if (records_.Size() != count_ * DbRecordSize[id_])
            throw std::logic_error("database block " + std::to_string(id_) + ": record of the wrong size");
    }

    void AppendTo(discbuild::ChunkOut& file) {
        const u32 poolOffset = DB_BLOCK_HEADER_SIZE + records_.Size();
        file.Word(id_);
        file.Word(count_);
        file.Word(DbRecordSize[id_]);
        file.Word(poolOffset + pool_.Size());
        file.Word(poolOffset);
        file.Word(pool_.Size());
        file.Bytes(records_.Data());
        file.Bytes(pool_.Data());
    }

private:
    e_DbBlockId id_;
    u32 count_ = 0;
    discbuild::ChunkOut records_;
    discbuild::ChunkOut pool_;
    std::map<std::string, u32> offsets_;
};

class Compiler {
public:
    explicit Compiler(const DbTableSource& source) : source_(source) {}

    std::vector<u8> Run() {
        Items();
        Balls();
        CacLists();
        Tournaments();
        Seasons();
        Leagues();
        Bowlers();
        Rivals();
        QpBowlers();
        OilPatterns();
        ShellLights();
        discbuild::ChunkOut file(DB_FILE_HEADER_SIZE);
        for (auto& [id, block] : blocks_)
            block.AppendTo(file);
        file.Patch(0, DB_FILE_MAGIC);
        file.Patch(4, DB_FILE_VERSION);
        file.Patch(8, u32(blocks_.size()));
        file.Patch(12, file.Size());
        return file.Take();
    }

private:
    struct ItemKey {
        u32 type;
        int line;
    };

    std::unique_ptr<DbTextTable> Load(const char* name, std::initializer_list<const char*> columns) {
        const std::optional<std::string> text = source_(name);
        if (!text)
            throw std::invalid_argument(std::string(name) + ": cannot read");
        auto table = std::make_unique<DbTextTable>(name, *text);
        table->ExpectColumns(columns);
        return table;
    }

    BlockOut& Block(e_DbBlockId id) { return blocks_.try_emplace(id, id).first->second; }

    void Ball(const DbTextRow& row, const char* column, BlockOut& out) {
        const s64 index = row.Int(column, 0, DB_ITEM_COUNT - 1);
        const auto item = items_.find(index);
        if (item == items_.end() || item->second.type != EQUIP_TYPE_BALL)
            row.Fail(std::string(column) + ": item " + std::to_string(index) + " is no ball");
        out.Word(index);
    }

    static void Unique(std::set<s64>& keys, s64 key, const DbTextRow& row, const char* column) {
        if (!keys.insert(key).second)
            row.Fail(std::string(column) + ": " + std::to_string(key) + " repeated");
    }

    void Items() {
        auto table =
            Load("items.txt", {"m_Name", "m_Description", "m_Male", "m_Index", "m_TextureID", "m_SubType",
                               "m_Price", "e_EquipType", "bonus1", "amount1", "bonus2", "amount2"});
        BlockOut& out = Block(DB_BLOCK_ITEMS);
        for (const DbTextRow& row : table->Rows()) {
            out.Text(row.Text("m_Name"));
            out.Text(row.Text("m_Description"));
            out.Word(row.Int("m_Male", 0, 1));
            const s64 index = row.Int("m_Index", 0, DB_ITEM_COUNT - 1);
            const u32 type = row.Choice("e_EquipType", {"ball", "shirt", "shoes", "acc", "hat", "glasses"});
            if (!items_.try_emplace(index, ItemKey{type, row.Line()}).second)
                row.Fail("m_Index: " + std::to_string(index) + " repeated");
            out.Word(index);
            out.Word(row.Int("m_TextureID", kS32Min, kS32Max));
            out.Word(row.Int("m_SubType", kS32Min, kS32Max));
            out.Word(row.Int("m_Price", 0, kU32Max));
            out.Word(type);
            for (auto [bonus, amount] : {std::pair{"bonus1", "amount1"}, std::pair{"bonus2", "amount2"}}) {
                out.Word(row.Choice(bonus, {"none", "arm", "accuracy", "hook", "stamina", "reputation"}));
                out.Word(row.Int(amount, kS32Min, kS32Max));
            }
            out.EndRecord();
        }
    }

    void Balls() {
        auto table =
            Load("balls.txt", {"m_Index", "m_FactoryFinish", "m_CoverStock", "m_Core", "m_Oil", "m_Friction",
                               "m_RadiusOfGyration", "m_Absorb", "m_Flare", "m_AbsorbRate"});
        BlockOut& out = Block(DB_BLOCK_BALLS);
        std::set<s64> rows;
        for (const DbTextRow& row : table->Rows()) {
            Ball(row, "m_Index", out);
            Unique(rows, row.Int("m_Index", 0, DB_ITEM_COUNT - 1), row, "m_Index");
            for (const char* text : {"m_FactoryFinish", "m_CoverStock", "m_Core", "m_Oil"})
                out.Text(row.Text(text));
            out.Double(row.Float("m_Friction", 0.0, 1.0));
            out.Double(row.Float("m_RadiusOfGyration", 0.0, 10.0));
            out.Word(row.Int("m_Absorb", 0, 0xFFFF));
            out.Word(row.Int("m_Flare", 0, 0xFFFF));
            out.Word(row.Int("m_AbsorbRate", kS32Min, kS32Max));
            out.EndRecord();
        }
        for (const auto& [index, item] : items_) {
            if (item.type == EQUIP_TYPE_BALL && rows.count(index) == 0)
                throw std::invalid_argument("items.txt:" + std::to_string(item.line) + ": ball item " +
                                            std::to_string(index) + " has no row in balls.txt");
        }
    }

    void CacLists() {
        for (auto [name, id] :
             {std::pair{"cacshirts.txt", DB_BLOCK_CACSHIRTS}, std::pair{"cacshoes.txt", DB_BLOCK_CACSHOES},
              std::pair{"cacglasses.txt", DB_BLOCK_CACGLASSES}}) {
            auto table = Load(name, {"gender", "m_bCAConly"});
            BlockOut& out = Block(id);
            for (const DbTextRow& row : table->Rows()) {
                out.Word(row.Int("gender", 0, 1));
                out.Word(row.Int("m_bCAConly", 0, 1));
                out.EndRecord();
            }
        }
        auto table = Load("caccounts.txt", {"name", "value"});
        std::map<std::string, s64> counts;
        for (const DbTextRow& row : table->Rows()) {
            const u32 name = row.Choice(
                "name", {kCacCountNames[0], kCacCountNames[1], kCacCountNames[2], kCacCountNames[3],
                         kCacCountNames[4], kCacCountNames[5], kCacCountNames[6]});
            if (!counts.try_emplace(kCacCountNames[name], row.Int("value", 0, kU32Max)).second)
                row.Fail(std::string("name: ") + kCacCountNames[name] + " repeated");
        }
        BlockOut& out = Block(DB_BLOCK_CACCOUNTS);
        for (const char* name : kCacCountNames) {
            const auto count = counts.find(name);
            if (count == counts.end())
                throw std::invalid_argument(std::string("caccounts.txt: no ") + name);
            out.Word(count->second);
        }
        out.EndRecord();
    }

    void Tournaments() {
        auto table =
            Load("tournaments.txt", {"ID", "sTournName", "Location", "BuyIn", "Pot", "FirstPlacePay",
                                     "SecondPlacePay", "ThirdPlacePay", "MinReputation", "MinAverage"});
        BlockOut& out = Block(DB_BLOCK_TOURNAMENTS);
        for (const DbTextRow& row : table->Rows()) {
            const s64 id = row.Int("ID", kS32Min, kS32Max);
            Unique(tournIds_, id, row, "ID");
            out.Word(id);
            out.Text(row.Text("sTournName"));
            out.Word(row.Int("Location", 0, kMaxLevel));
            for (const char* money : {"BuyIn", "Pot", "FirstPlacePay", "SecondPlacePay", "ThirdPlacePay"})
                out.Word(row.Int(money, 0, kU32Max));
            out.Word(row.Int("MinReputation", kS32Min, kS32Max));
            out.Word(row.Int("MinAverage", 0, kMaxAverage));
            out.EndRecord();
        }
    }

    // Written in league, season, week order; every amateur league has all its
    // weeks, the pro league weeks 1..n.
    void Seasons() {
        auto table = Load("seasons.txt", {"league", "season", "week", "TournID"});
        std::map<std::tuple<s64, s64, s64>, s64> weeks;
        for (const DbTextRow& row : table->Rows()) {
            const s64 league = row.Int("league", 1, DB_LEAGUE_COUNT);
            const bool pro = league == DB_LEAGUE_COUNT;
            const s64 season = pro ? row.Int("season", DB_PRO_SEASON, DB_PRO_SEASON)
                                   : row.Int("season", 0, DB_AMATEUR_SEASONS - 1);
            const s64 week = row.Int("week", 1, pro ? kMaxProWeeks : DB_AMATEUR_WEEKS);
            const s64 tourn = row.Int("TournID", kS32Min, kS32Max);
            if (tournIds_.count(tourn) == 0)
                row.Fail("TournID: " + std::to_string(tourn) + " is no tournament");
            if (!weeks.try_emplace({league, season, week}, tourn).second)
                row.Fail("week " + std::to_string(week) + " of league " + std::to_string(league) +
                         " season " + std::to_string(season) + " repeated");
        }
        s64 perLeague[DB_LEAGUE_COUNT + 1] = {}, lastWeek[DB_LEAGUE_COUNT + 1] = {};
        for (const auto& [key, tourn] : weeks) {
            ++perLeague[std::get<0>(key)];
            lastWeek[std::get<0>(key)] = std::get<2>(key);
        }
        for (s64 league = 1; league <= DB_LEAGUE_COUNT; ++league) {
            const bool pro = league == DB_LEAGUE_COUNT;
            const s64 want = pro ? std::max<s64>(lastWeek[league], 1) : DB_AMATEUR_SEASONS * DB_AMATEUR_WEEKS;
            if (perLeague[league] != want)
                throw std::invalid_argument("seasons.txt: league " + std::to_string(league) + " has " +
                                            std::to_string(perLeague[league]) + " weeks, want " +
                                            std::to_string(want));
        }
        BlockOut& out = Block(DB_BLOCK_SEASONS);
        for (const auto& [key, tourn] : weeks) {
            out.Word(std::get<0>(key));
            out.Word(std::get<1>(key));
            out.Word(std::get<2>(key));
            out.Word(tourn);
            out.EndRecord();
        }
    }

    void Leagues() {
        auto table = Load("leagues.txt",
                          {"sLeagueName", "weeklySalary", "minAverage", "maxAverage", "minRep", "maxRep"});
        if (table->Rows().size() != DB_LEAGUE_COUNT)
            throw std::invalid_argument("leagues.txt: " + std::to_string(table->Rows().size()) +
                                        " leagues, want " + std::to_string(DB_LEAGUE_COUNT));
        BlockOut& out = Block(DB_BLOCK_LEAGUES);
        for (const DbTextRow& row : table->Rows()) {
            out.Text(row.Text("sLeagueName"));
            out.Word(row.Int("weeklySalary", 0, kU32Max));
            const s64 minAverage = row.Int("minAverage", 0, kMaxAverage);
            out.Word(minAverage);
            out.Word(row.Int("maxAverage", minAverage, kMaxAverage));
            const s64 minRep = row.Int("minRep", kS32Min, kS32Max);
            out.Word(minRep);
            out.Word(row.Int("maxRep", minRep, kS32Max));
            out.EndRecord();
        }
    }

    // The fields both bowler lists share, in file order.
    static void BowlerFields(const DbTextRow& row, BlockOut& out) {
        out.Text(row.Text("m_FirstName"));
        out.Text(row.Text("m_LastName"));
        out.Word(row.Int("m_uHand", 0, 1));
        for (const char* skill : {"m_uStrength", "m_uAccuracy", "m_uHookControl", "m_uStamina"})
            out.Word(row.Int(skill, 0, DB_SKILL_MAX));
        out.Word(row.Int("m_uGender", 0, 1));
        for (const char* look :
             {"m_uFaceType", "m_uHairStyle", "m_uHairColor", "m_iFacialHair", "m_uFacialHairColor",
              "m_iGlasses", "m_iHat", "m_uShirtType", "m_uShirtColor", "m_uPants", "m_uShoes"})
            out.Word(row.Int(look, look[2] == 'i' ? -1 : 0, kS32Max));
    }

#define DB_BOWLER_COLUMNS                                                                           \
    "m_ID", "m_FirstName", "m_LastName", "m_uHand", "m_uStrength", "m_uAccuracy", "m_uHookControl", \
        "m_uStamina", "m_uGender", "m_uFaceType", "m_uHairStyle", "m_uHairColor", "m_iFacialHair",  \
        "m_uFacialHairColor", "m_iGlasses", "m_iHat", "m_uShirtType", "m_uShirtColor", "m_uPants",  \
        "m_uShoes", "m_uPrimaryBall", "m_uSecondaryBall"

    void Bowlers() {
        auto table = Load("bowlers.txt", {DB_BOWLER_COLUMNS, "m_uAverage", "m_uLeague"});
        BlockOut& out = Block(DB_BLOCK_BOWLERS);
        for (const DbTextRow& row : table->Rows()) {
            const s64 id = row.Int("m_ID", 1, kS32Max);
            Unique(bowlerIds_, id, row, "m_ID");
            out.Word(id);
            BowlerFields(row, out);
            Ball(row, "m_uPrimaryBall", out);
            Ball(row, "m_uSecondaryBall", out);
            out.Word(row.Int("m_uAverage", 0, kMaxAverage));
            out.Word(row.Int("m_uLeague", 1, DB_LEAGUE_COUNT));
            out.EndRecord();
        }
    }

    void QpBowlers() {
        auto table = Load("qpbowlers.txt", {DB_BOWLER_COLUMNS, "m_uTertiaryBall"});
        BlockOut& out = Block(DB_BLOCK_QPBOWLERS);
        std::set<s64> ids;
        for (const DbTextRow& row : table->Rows()) {
            const s64 id = row.Int("m_ID", kS32Min, kS32Max);
            Unique(ids, id, row, "m_ID");
            out.Word(id);
            BowlerFields(row, out);
            for (const char* ball : {"m_uPrimaryBall", "m_uSecondaryBall", "m_uTertiaryBall"})
                Ball(row, ball, out);
            out.EndRecord();
        }
    }

#undef DB_BOWLER_COLUMNS

    void Rivals() {
        auto table = Load("rivals.txt", {"m_ID", "m_VictoryReputationBonus", "m_LossReputationPenalty"});
        BlockOut& out = Block(DB_BLOCK_RIVALS);
        std::set<s64> ids;
        for (const DbTextRow& row : table->Rows()) {
            const s64 id = row.Int("m_ID", kS32Min, kS32Max);
            if (bowlerIds_.count(id) == 0)
                row.Fail("m_ID: " + std::to_string(id) + " is no bowler");
            Unique(ids, id, row, "m_ID");
            out.Word(id);
            out.Word(row.Int("m_VictoryReputationBonus", kS32Min, kS32Max));
            out.Word(row.Int("m_LossReputationPenalty", kS32Min, kS32Max));
            out.EndRecord();
        }
    }

    void OilPatterns() {
        static constexpr const char* kTexts[] = {
            "m_PatternName",     "m_AmateurCranker",   "m_AmateurTweener", "m_AmateurStraight",
            "m_ProCranker",      "m_ProTweener",       "m_ProStraight",    "m_AmateurCranker2",
            "m_AmateurTweener2", "m_AmateurStraight2", "m_ProCranker2",    "m_ProTweener2",
            "m_ProStraight2",
        };
        auto table =
            Load("oilpatterns.txt", {"m_ID",       kTexts[0],  kTexts[1],       kTexts[2],    kTexts[3],
                                     kTexts[4],    kTexts[5],  kTexts[6],       kTexts[7],    kTexts[8],
                                     kTexts[9],    kTexts[10], kTexts[11],      kTexts[12],   "m_Length",
                                     "centre_oil", "edge_oil", "centre_boards", "dry_boards", "taper_feet"});
        BlockOut& out = Block(DB_BLOCK_OILPATTERNS);
        std::set<s64> ids;
        for (const DbTextRow& row : table->Rows()) {
            const s64 id = row.Int("m_ID", kS32Min, kS32Max);
            Unique(ids, id, row, "m_ID");
            out.Word(id);
            for (const char* text : kTexts)
                out.Text(row.Text(text));
            const f64 length = row.Float("m_Length", 0.0, DB_OIL_ROWS);
            if (f32(length) <= 0.0f)
                row.Fail("m_Length: want more than 0");
            out.Float(length);
            out.Word(row.Int("centre_oil", 0, DB_OIL_VALUE_MAX));
            out.Word(row.Int("edge_oil", 0, DB_OIL_VALUE_MAX));
            out.Word(row.Int("centre_boards", 0, DB_OIL_BOARDS));
            out.Word(row.Int("dry_boards", 0, DB_OIL_BOARDS / 2));
            out.Float(row.Float("taper_feet", 0.0, f32(length)));
            out.EndRecord();
        }
    }

    // Each usage's set from shelllights.txt with its lights from shelllightdefs.txt;
    // a light with no row is all zero.
    void ShellLights() {
        auto sets = Load("shelllights.txt", {"Usage", "Count", "Ambient"});
        auto defs = Load("shelllightdefs.txt",
                         {"Usage", "light", "diffuse", "specular", "position", "direction", "flags"});
        std::map<s64, const DbTextRow*> lights[DB_SHELL_USAGE_COUNT];
        std::set<s64> usages;
        for (const DbTextRow& row : sets->Rows())
            Unique(usages, row.Int("Usage", 0, DB_SHELL_USAGE_COUNT - 1), row, "Usage");
        for (const DbTextRow& row : defs->Rows()) {
            const s64 usage = row.Int("Usage", 0, DB_SHELL_USAGE_COUNT - 1);
            if (usages.count(usage) == 0)
                row.Fail("Usage: " + std::to_string(usage) + " has no row in shelllights.txt");
            const s64 light = row.Int("light", 0, SHELL_LIGHT_MAX - 1);
            if (!lights[usage].try_emplace(light, &row).second)
                row.Fail("light: " + std::to_string(light) + " repeated");
        }
        BlockOut& out = Block(DB_BLOCK_SHELLLIGHTS);
        for (const DbTextRow& row : sets->Rows()) {
            const s64 usage = row.Int("Usage", 0, DB_SHELL_USAGE_COUNT - 1);
            out.Word(usage);
            out.Word(row.Int("Count", 0, SHELL_LIGHT_MAX));
            out.Word(row.Int("Ambient", 0, kU32Max));
            for (s64 light = 0; light < SHELL_LIGHT_MAX; ++light) {
                const auto def = lights[usage].find(light);
                for (const char* vector : {"diffuse", "specular", "position", "direction"}) {
                    const std::vector<f32> values =
                        def != lights[usage].end() ? def->second->Vector4(vector) : std::vector<f32>(4, 0.0f);
                    for (f32 value : values)
                        out.Float(value);
                }
                out.Word(def != lights[usage].end() ? def->second->Int("flags", 0, kU32Max) : 0);
            }
            out.EndRecord();
        }
    }

    const DbTableSource& source_;
    std::map<e_DbBlockId, BlockOut> blocks_;
    std::map<s64, ItemKey> items_;
    std::set<s64> tournIds_;
    std::set<s64> bowlerIds_;
};

}  // namespace

std::vector<u8> DbCompileTables(const DbTableSource& source) {
    return Compiler(source).Run();
}

std::vector<u8> DbCompile(const std::string& folder) {
    return DbCompileTables([&folder](const std::string& file) -> std::optional<std::string> {
        std::ifstream stream(fs::path(folder) / file, std::ios::binary);
        if (!stream)
            return std::nullopt;
        std::ostringstream text;
        text << stream.rdbuf();
        return text.str();
    });
}

void BuildDiscDatabase(const std::string& dataDir, const std::string& discDir) {
    const fs::path tables = fs::path(dataDir) / "db";
    if (!fs::is_directory(tables) || fs::is_empty(tables))
        return;
    const std::vector<u8> image = DbCompile(tables.string());
    fs::create_directories(fs::path(discDir) / "DATABASE");
    std::ofstream file(fs::path(discDir) / "DATABASE" / BOWLING_DB_FILE, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    if (!file.flush())
        throw std::runtime_error(std::string("cannot write ") + BOWLING_DB_FILE);
}

}  // namespace dbcompile
