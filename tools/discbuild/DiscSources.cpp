#include "tools/discbuild/DiscSources.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tools/discbuild/StringTableWriter.h"
#include "tools/discbuild/SymTableWriter.h"
#include "tools/discbuild/WadWriter.h"

namespace discbuild {

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kFolders = {"DATA", "DATA/640", "DATABASE", "STREAM", "CUTSCENE"};

const std::map<std::string, u32> kLanguages = {
    {"American", 0x80000000u}, {"English", 0x40000000u}, {"Spanish", 0x20000000u},  {"Italian", 0x10000000u},
    {"German", 0x08000000u},   {"French", 0x04000000u},  {"Japanese", 0x02000000u},
};

[[noreturn]] void Fail(const std::string& where, int line, const std::string& what) {
    throw std::invalid_argument(where + ":" + std::to_string(line) + ": " + what);
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

u32 ParseNumber(const std::string& text, const std::string& where, int line) {
    try {
        size_t used = 0;
        unsigned long value = std::stoul(text, &used, 0);
        if (used == text.size() && value <= 0xFFFFFFFFul)
            return u32(value);
    } catch (const std::exception&) {
    }
    Fail(where, line, "not a number: " + text);
}

std::string Unescape(const std::string& text, const std::string& where, int line) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            Fail(where, line, "backslash at the end of the line");
        switch (text[i]) {
            case 'n':
                out += '\n';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                Fail(where, line, std::string("unknown escape \\") + text[i]);
        }
    }
    return out;
}

void WriteFile(const fs::path& path, const std::vector<u8>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.string());
}

// Calls `line` with each line that is neither blank nor a comment.
template <typename Func>
void ForEachLine(const std::string& text, Func func) {
    std::istringstream stream(text);
    std::string raw;
    for (int number = 1; std::getline(stream, raw); ++number) {
        std::string line = Trim(raw);
        if (!line.empty() && line[0] != '#')
            func(line, number);
    }
}

}  // namespace

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<fs::path> SortedFiles(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    if (!fs::is_directory(folder))
        return files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == extension)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TextSource ParseTextSource(const std::string& name, const std::string& text) {
    TextSource source;
    source.name = name;
    if (name.empty() || name.size() > 16)
        throw std::invalid_argument(name + ": a table name has 1 to 16 characters");
    ForEachLine(text, [&](const std::string& line, int number) {
        if (line[0] == '@') {
            std::istringstream words(line.substr(1));
            std::string directive;
            words >> directive;
            std::string word;
            if (directive == "id") {
                words >> word;
                source.id = ParseNumber(word, name, number);
                if (source.id > 1495)
                    Fail(name, number, "a data-file id is 0 to 1495");
            } else if (directive == "language") {
                source.language = 0;
                while (words >> word) {
                    auto found = kLanguages.find(word);
                    if (found == kLanguages.end())
                        Fail(name, number, "unknown language " + word);
                    source.language |= found->second;
                }
            } else if (directive == "compress") {
                source.compress = true;
            } else {
                Fail(name, number, "unknown directive @" + directive);
            }
            return;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            Fail(name, number, "expected KEY = text");
        std::string key = Trim(line.substr(0, equals));
        if (key.empty() || std::find(source.keys.begin(), source.keys.end(), key) != source.keys.end())
            Fail(name, number, "missing or repeated key " + key);
        source.keys.push_back(key);
        source.strings.push_back(Unescape(Trim(line.substr(equals + 1)), name, number));
    });
    if (source.strings.size() > 0x10000)
        throw std::invalid_argument(name + ": more than 65536 strings");
    return source;
}

std::vector<u32> ParseSymTableSource(const std::string& text,
                                     const std::map<std::string, TextSource>& tables) {
    std::vector<u32> values;
    std::vector<std::string> symbols;
    ForEachLine(text, [&](const std::string& line, int number) {
        std::istringstream words(line);
        std::string symbol, value, extra;
        words >> symbol >> value;
        if (value.empty() || (words >> extra))
            Fail("SymTable", number, "expected SYMBOL VALUE");
        if (symbol == "@at") {
            const u32 at = ParseNumber(value, "SymTable", number);
            if (at < values.size() || at > 0x7FFFFFF)
                Fail("SymTable", number, "@at " + value + " goes back or too far");
            values.resize(at, 0);
            return;
        }
        if (std::find(symbols.begin(), symbols.end(), symbol) != symbols.end())
            Fail("SymTable", number, "repeated symbol " + symbol);
        symbols.push_back(symbol);
        if (std::isdigit(static_cast<unsigned char>(value[0]))) {
            values.push_back(ParseNumber(value, "SymTable", number));
            return;
        }
        size_t dot = value.find('.');
        auto table = tables.find(value.substr(0, dot));
        if (table == tables.end())
            Fail("SymTable", number, "unknown table in " + value);
        if (dot == std::string::npos) {
            values.push_back(table->second.id);
            return;
        }
        const std::vector<std::string>& keys = table->second.keys;
        auto key = std::find(keys.begin(), keys.end(), value.substr(dot + 1));
        if (key == keys.end())
            Fail("SymTable", number, "unknown string " + value);
        values.push_back((table->second.id << 16) | u32(key - keys.begin()));
    });
    return values;
}

void BuildDisc(const std::string& dataDir, const std::string& discDir) {
    fs::path data(dataDir);
    fs::path disc(discDir);
    for (const std::string& folder : kFolders)
        fs::create_directories(disc / folder);

    std::map<std::string, TextSource> tables;
    for (const fs::path& path : SortedFiles(data / "text", ".txt")) {
        std::string name = path.stem().string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return char(std::toupper(c)); });
        TextSource source = ParseTextSource(name, ReadFile(path));
        WadWriter wad;
        wad.Add({name, "TXT", StringTablePayload(source.language, s32(source.id), source.strings),
                 u16(source.compress ? kWadCompressed : 0), 0, source.id});
        if (!wad.Write((disc / "DATA" / (name + ".WAD")).string()))
            throw std::runtime_error("cannot write " + name + ".WAD");
        tables.emplace(name, std::move(source));
    }
    std::vector<u32> symbols = ParseSymTableSource(ReadFile(data / "SymTable.txt"), tables);
    WriteFile(disc / "SymTable.bin", SymTableImage(symbols));
}

}  // namespace discbuild
