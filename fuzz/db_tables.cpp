// The bowling database compiler on its text tables: a file name and its text, each
// followed by a NUL byte, for as many files as the input holds. A refusal is one
// line; an image the compiler writes is one the game's parser takes.
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz/fuzz_world.h"
#include "orblib47/source/Heap.h"
#include "source/BowlingDb/BowlingDbInternal.h"
#include "tools/dbcompile/DbCompile.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    const std::vector<std::string> parts = fuzz::SplitAtNul({data, size});
    std::map<std::string, std::string> tables;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        tables[parts[i]] = parts[i + 1];
    std::vector<u8> image;
    try {
        image = dbcompile::DbCompileTables([&tables](const std::string& file) -> std::optional<std::string> {
            const auto found = tables.find(file);
            if (found == tables.end())
                return std::nullopt;
            return found->second;
        });
    } catch (const std::invalid_argument& refused) {
        const std::string error = refused.what();
        if (error.empty() || error.find('\n') != std::string::npos)
            fuzz::Fail("a refusal is not one line: '" + error + "'");
        return 0;
    }
    void* copy = fuzz::HeapCopy(image);
    if (copy == nullptr)
        return 0;
    std::string error;
    if (!BowlingDbParse(static_cast<const u8*>(copy), u32(image.size()), &error))
        fuzz::Fail("the game refuses a database the compiler wrote: " + error);
    HeapMallocFree(copy);
    BowlingDbFree();
    return 0;
}
