// Movie source files compiled into a folder: the compiler's program and the
// demo disc's "DATA/640/" folder.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "tools/discbuild/DiscSources.h"
#include "tools/sfpcompile/SfpCompile.h"

namespace sfpc {

namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const std::vector<u8>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

std::string CompileMovieFile(const std::string& path, const std::string& outDir) {
    const fs::path source(path);
    const IncludeSource includes = [&](const std::string& file) -> std::optional<std::string> {
        const fs::path included = source.parent_path() / file;
        if (file.find('/') != std::string::npos || !fs::is_regular_file(included))
            return std::nullopt;
        return discbuild::ReadFile(included);
    };
    CompiledMovie movie;
    std::string error;
    if (!CompileMovie(discbuild::ReadFile(source), source.filename().string(), includes, &movie, &error))
        throw std::runtime_error(error);
    fs::create_directories(outDir);
    WriteBytes(fs::path(outDir) / (movie.name + ".sfp"), movie.sfp);
    WriteBytes(fs::path(outDir) / (movie.name + ".sfc"), movie.sfc);
    return movie.name;
}

void BuildDiscScreens(const std::string& dataDir, const std::string& discDir) {
    const std::vector<fs::path> sources = discbuild::SortedFiles(fs::path(dataDir) / "screens", ".txt");
    // The disc's names are found without regard to case: two movies may not differ by case alone.
    std::map<std::string, std::string> written;
    for (const fs::path& path : sources) {
        std::string name = CompileMovieFile(path.string(), (fs::path(discDir) / "DATA" / "640").string());
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return char(std::toupper(c)); });
        const auto [at, added] = written.emplace(name, path.filename().string());
        if (!added)
            throw std::runtime_error(path.filename().string() + ": the movie of " + at->second +
                                     " has its name");
    }
}

}  // namespace sfpc
