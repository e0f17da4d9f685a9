#include "source/DiscCheck.h"

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
#include "source/OrbMain.h"

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

// The engine's one-line message for a bad chunk, without its line break.
bool MeasureChunk(s_wad_chunk* chunk, const s_wad_header& header, u32 cmpLen, u32 remaining,
                  const std::string& name, std::string* error) {
    std::string report;
    HostSetReportSink(Keep, &report);
    const bool ok = WadChunkMeasureInFile(chunk, header, cmpLen, remaining, name.c_str());
    HostSetReportSink(nullptr, nullptr);
    if (!report.empty() && report.back() == '\n')
        report.pop_back();
    return ok || Fail(error, name + ": " + report);
}

// Walks the chunks as the loader reads them: every header and its stored bytes lie
// in the file, and there is at least one chunk.
bool CheckArchive(const std::vector<u8>& image, const std::string& name, std::string* error) {
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
        if (!MeasureChunk(&chunk, header, cmpLen, file.Size() - offset, name, error))
            return false;
        offset += chunk.stored;
        ++chunks;
    }
    return chunks != 0 || Fail(error, name + " holds no chunk");
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
    return ReadDiscFile(root, systemText, &bytes, error) && CheckArchive(bytes, systemText, error);
}
