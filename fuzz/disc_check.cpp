// The disc check before start-up on a disc folder written from the input: a first
// byte whose bits 0 to 3 say which of the files the check reads are there (the
// symbol table, the disc's database, the local database, the system text archive),
// then the contents of those, each but the last led by its length in two
// big-endian bytes. The check passes, or names the fault in one line.
#include <iterator>
#include <span>
#include <string>
#include <tuple>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/SymbolTrans.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/DiscCheck.h"
#include "source/OrbMain.h"

namespace {

const std::string kFiles[] = {
    SYMBOL_TRANS_FILE,
    std::string(GAME_DATABASE_FOLDER) + "/" + BOWLING_DB_FILE,
    std::string(GAME_DATABASE_FOLDER) + "/" + BOWLING_DB_LOCAL_FILE,
    std::string(GAME_DATA_FOLDER) + "/" + GAME_SYSTEM_TEXT_WAD + ".WAD",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    if (size < 1)
        return 0;
    fuzz::Input input;
    const u8 present = data[0];
    u32 left = 0;
    for (u32 i = 0; i < std::size(kFiles); ++i)
        left += (present >> i) & 1;
    std::span<const u8> rest(data + 1, size - 1);
    for (u32 i = 0; i < std::size(kFiles); ++i) {
        if (!((present >> i) & 1))
            continue;
        std::span<const u8> file = rest;
        if (--left != 0)
            std::tie(file, rest) = fuzz::Split(rest);
        fuzz::WriteDiscFile(kFiles[i], file);
    }
    std::string error;
    if (!CheckDisc(fuzz::DiscRoot(), &error) && (error.empty() || error.find('\n') != std::string::npos))
        fuzz::Fail("a refusal is not one line: '" + error + "'");
    for (const std::string& file : kFiles)
        fuzz::RemoveDiscFile(file);
    return 0;
}
