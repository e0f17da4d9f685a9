// The game's command line: arguments separated by NUL bytes. A line either parses
// into options that parse again the same, or is refused in one line.
#include <string>
#include <vector>

#include "fuzz/fuzz_world.h"
#include "source/CommandLine.h"

namespace {

// The bowlers of a --cpu mask as the option names them ("1,3").
std::string BowlerList(u32 mask) {
    std::string list;
    for (s32 player = 1; player <= MAX_LAUNCH_PLAYERS; ++player) {
        if ((mask >> (player - 1) & 1) != 0)
            list += (list.empty() ? "" : ",") + std::to_string(player);
    }
    return list;
}

bool Same(const CommandLine& a, const CommandLine& b) {
    return a.frames == b.frames && a.headless == b.headless && a.disc == b.disc && a.nand == b.nand &&
           a.input == b.input && a.screenshot == b.screenshot && a.audioOut == b.audioOut &&
           a.launch.level == b.launch.level && a.launch.players == b.launch.players &&
           a.launch.computerPlayers == b.launch.computerPlayers && a.launch.seed == b.launch.seed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    const std::vector<std::string> args = fuzz::SplitAtNul({data, size});
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
    const std::string players = std::to_string(line.launch.players);
    const std::string level = std::to_string(line.launch.level);
    const std::string seed = std::to_string(line.launch.seed);
    const std::string cpu = BowlerList(line.launch.computerPlayers);
    std::vector<const char*> again{"--players", players.c_str(), "--level", level.c_str()};
    if (line.headless)
        again.push_back("--headless");
    if (line.frames != 0)
        again.insert(again.end(), {"--frames", frames.c_str()});
    if (line.launch.seed != 0)
        again.insert(again.end(), {"--seed", seed.c_str()});
    if (!cpu.empty())
        again.insert(again.end(), {"--cpu", cpu.c_str()});
    for (const auto& [name, value] :
         {std::pair{"--disc", &line.disc}, std::pair{"--nand", &line.nand}, std::pair{"--input", &line.input},
          std::pair{"--screenshot", &line.screenshot}, std::pair{"--audio-out", &line.audioOut}}) {
        if (!value->empty())
            again.insert(again.end(), {name, value->c_str()});
    }
    CommandLine reread;
    if (!ParseCommandLine(int(again.size()), again.data(), &reread, &error) || !Same(reread, line))
        fuzz::Fail("a parsed command line reads differently when given again");
    return 0;
}
