// The demo disc's text sources (see docs/disc.md) and the disc they make.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "console/types.h"

namespace discbuild {

// One data/text/<NAME>.txt: a string table, stored as the chunk NAME of the
// archive DATA/<NAME>.WAD.
struct TextSource {
    std::string name;
    u32 id = 0;
    u32 language = 0x80000000u;  // American
    bool compress = false;
    std::vector<std::string> keys;
    std::vector<std::string> strings;
};

// A whole file's bytes as text; a file that cannot be read throws.
std::string ReadFile(const std::filesystem::path& path);

// The files of `folder` with `extension` (".txt"), in name order, so a disc is
// built the same way on every machine; none when the folder is missing.
std::vector<std::filesystem::path> SortedFiles(const std::filesystem::path& folder,
                                               const std::string& extension);

// Parse errors throw std::invalid_argument naming the line.
TextSource ParseTextSource(const std::string& name, const std::string& text);
// data/SymTable.txt: one symbol a line, in symbol order, resolved against the
// string tables; "@at N" numbers the next symbol N, the ones skipped hold 0.
std::vector<u32> ParseSymTableSource(const std::string& text,
                                     const std::map<std::string, TextSource>& tables);

// Builds the whole disc folder from a data folder; errors throw.
void BuildDisc(const std::string& dataDir, const std::string& discDir);

}  // namespace discbuild
