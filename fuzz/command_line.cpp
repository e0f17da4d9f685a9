// The game's command line: arguments separated by NUL bytes. A line either parses
// into options that parse again the same, or is refused in one line.
#include <string>
#include <vector>

#include "fuzz/fuzz_world.h"
#include "source/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    std::vector<std::string> args;
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\0', start), text.size());
        args.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    CommandLine line;
    std::string error;
    if (!ParseCommandLine(int(argv.size()), argv.data(), &line, &error)) {
        if (error.empty() || error.find('\n') != std::string::npos)
            fuzz::Fail("a refusal is not one line: '" + error + "'");
        return 0;
    }
    // What was read, given back as options, reads the same.
    const std::string frames = std::to_string(line.frames);
    std::vector<const char*> again;
    if (line.headless)
        again.push_back("--headless");
    if (line.frames != 0)
        again.insert(again.end(), {"--frames", frames.c_str()});
    for (const auto& [name, value] :
         {std::pair{"--disc", &line.disc}, std::pair{"--nand", &line.nand}, std::pair{"--input", &line.input},
          std::pair{"--screenshot", &line.screenshot}}) {
        if (!value->empty())
            again.insert(again.end(), {name, value->c_str()});
    }
    CommandLine reread;
    if (!ParseCommandLine(int(again.size()), again.data(), &reread, &error) || reread.frames != line.frames ||
        reread.headless != line.headless || reread.disc != line.disc || reread.nand != line.nand ||
        reread.input != line.input || reread.screenshot != line.screenshot)
        fuzz::Fail("a parsed command line reads differently when given again");
    return 0;
}
