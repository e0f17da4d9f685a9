#include "source/DiscCheck.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "console/system.h"
#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/SymbolTrans.h"
#include "orblib47/source/WadChunk.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/BowlingDb/BowlingDbParser.h"
#include "source/Flash/GenPopupFlash.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/OrbMain.h"
#include "source/SFP/SFP2K.h"
#include "source/SFP/SFPFile.h"

namespace fs = std::filesystem;

namespace {

bool Fail(std::string* error, std::string why) {
    *error = std::move(why);
    return false;
}

// The file at a disc name, read whole; false with the reason when it is missing,
// a folder, unreadable or beyond the 32-bit sizes of the disc.
bool ReadDiscFile(const std::string& root, const std::string& name, std::vector<u8>* bytes,
                  std::string* error) {
    const std::string path = HostDiscPath(root, name);
    std::error_code ignored;
    if (path.empty())
        return Fail(error, name + " is missing");
    if (!fs::is_regular_file(path, ignored))
        return Fail(error, name + " is not a file");
    if (fs::file_size(path, ignored) > 0xFFFFFFFFu)
        return Fail(error, name + " is too large");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail(error, name + " cannot be read");
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

void Keep(const char* text, void* context) {
    *static_cast<std::string*>(context) += text;
}

// Runs a check of the engine's or the game's; a refusal is its one-line message,
// without the line break, after the file's name.
template <class Check>
bool Reported(const std::string& name, std::string* error, Check check) {
    std::string report;
    HostSetReportSink(Keep, &report);
    const bool ok = check();
    HostSetReportSink(nullptr, nullptr);
    if (!report.empty() && report.back() == '\n')
        report.pop_back();
    return ok || Fail(error, name + ": " + report);
}

// Walks the chunks as the loader reads them: every header and its stored bytes lie
// in the file, and there is at least one chunk. The headers go to `headers`.
bool CheckArchive(const std::vector<u8>& image, const std::string& name, std::string* error,
                  std::vector<s_wad_header>* headers = nullptr) {
    const ChunkReader file(image.data(), u32(image.size()));
    u32 offset = 0;
    u32 chunks = 0;
    while (offset < file.Size()) {
        s_wad_header header;
        const u8* raw = file.Bytes(offset, WAD_HEADER_SIZE);
        if (raw == nullptr || !WadParseHeader(raw, WAD_HEADER_SIZE, &header))
            return Fail(error, name + " ends inside a chunk header");
        offset += WAD_HEADER_SIZE;
        if (WadIsEndMarker(&header))
            break;
        u32 cmpLen = 0;
        if (header.flags & WAD_FLAG_COMPRESSED) {
            if (!file.U32(offset, &cmpLen))
                return Fail(error, name + " ends inside a chunk header");
            offset += 4;
        }
        s_wad_chunk chunk;
        if (!Reported(name, error, [&] {
                return WadChunkMeasureInFile(&chunk, header, cmpLen, file.Size() - offset, name.c_str());
            }))
            return false;
        offset += chunk.stored;
        ++chunks;
        if (headers != nullptr)
            headers->push_back(header);
    }
    return chunks != 0 || Fail(error, name + " holds no chunk");
}

bool Holds(const std::vector<std::string>& names, const char* name) {
    return name == nullptr || std::find(names.begin(), names.end(), name) != names.end();
}

// A screen's movie as the player loads it: the timeline parses, holds the labels
// and buttons the screen names, and its textures' archive holds each texture.
bool CheckMovie(const std::string& root, const SFP_SCREEN_INFO_t& info, std::string* error) {
    const std::string base = std::string(GAME_DATA_FOLDER) + "/" + GAME_MOVIE_FOLDER + "/" + info.fileName;
    std::vector<u8> bytes;
    s_sfp_names names;
    if (!ReadDiscFile(root, base + ".sfp", &bytes, error) || !Reported(base + ".sfp", error, [&] {
            return SFPFileValid(bytes.data(), u32(bytes.size()), info.fileName, &names);
        }))
        return false;
    for (s32 i = 0; i < info.numSubScreens; ++i) {
        if (!Holds(names.labels, info.subScreens[i].name))
            return Fail(error, base + ".sfp lacks the label " + info.subScreens[i].name);
    }
    for (s32 i = 0; info.buttons != nullptr && i < info.numButtons; ++i) {
        if (!Holds(names.buttons, info.buttons[i].name))
            return Fail(error, base + ".sfp lacks the button " + info.buttons[i].name);
    }
    if (names.textures.empty())
        return true;
    std::vector<s_wad_header> headers;
    if (!ReadDiscFile(root, base + ".sfc", &bytes, error) ||
        !CheckArchive(bytes, base + ".sfc", error, &headers))
        return false;
    for (const std::string& texture : names.textures) {
        const bool found = std::any_of(headers.begin(), headers.end(), [&](const s_wad_header& header) {
            return texture == header.name && std::strcmp(header.ext, "TIM") == 0;
        });
        if (!found)
            return Fail(error, base + ".sfc lacks the texture " + texture);
    }
    return true;
}

}  // namespace

bool CheckDisc(const std::string& root, std::string* error) {
    std::error_code ignored;
    if (!fs::exists(root, ignored))
        return Fail(error, "no such folder");
    if (!fs::is_directory(root, ignored))
        return Fail(error, "not a folder");
    std::vector<u8> bytes;
    if (!ReadDiscFile(root, SYMBOL_TRANS_FILE, &bytes, error))
        return false;
    if (!SymbolTransImageValid(bytes.data(), u32(bytes.size())))
        return Fail(error, std::string(SYMBOL_TRANS_FILE) + " is not a symbol table");
    // The local database stands in for the disc's when it is there.
    const std::string folder = std::string(GAME_DATABASE_FOLDER) + "/";
    const bool local = !HostDiscPath(root, folder + BOWLING_DB_LOCAL_FILE).empty();
    const std::string database = folder + (local ? BOWLING_DB_LOCAL_FILE : BOWLING_DB_FILE);
    if (!ReadDiscFile(root, database, &bytes, error))
        return false;
    DbParser parser(bytes.data(), u32(bytes.size()), true);
    if (!parser.Run())
        return Fail(error, database + ": " + parser.Error());
    const std::string systemText = std::string(GAME_DATA_FOLDER) + "/" + GAME_SYSTEM_TEXT_WAD + ".WAD";
    if (!ReadDiscFile(root, systemText, &bytes, error) || !CheckArchive(bytes, systemText, error))
        return false;
    // Without the main menu no game starts; without the popup no failure can be told.
    return CheckMovie(root, FlashMainMenuScreen[MAINMENU_LAYER_MENU], error) &&
           CheckMovie(root, genPopupFlashScreen, error);
}
