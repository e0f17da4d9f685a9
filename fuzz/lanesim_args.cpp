// lanesim's command line: arguments separated by NUL bytes. A refusal is one line;
// what is taken lies in the documented ranges, and its oil, unless read from a
// file (fuzzed on its own), loads or is refused in one line.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_world.h"
#include "tools/lanesim/LaneSimOptions.h"

namespace {

void CheckOneLine(const std::string& error) {
    if (error.empty() || error.find('\n') != std::string::npos)
        fuzz::Fail("a refusal is not one line: '" + error + "'");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    std::vector<std::string> args = fuzz::SplitAtNul({data, size});
    args.insert(args.begin(), "lanesim");
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    LaneSimOptions options;
    std::string error;
    if (!ParseLaneSimOptions(int(argv.size()), argv.data(), &options, &error)) {
        CheckOneLine(error);
        return 0;
    }
    const BallData_t& ball = options.setup.ball;
    const BallRecord& record = options.setup.record;
    if (!(ball.position.x >= 0.0f && ball.position.x <= 10.5f) || !std::isfinite(ball.velocity.x) ||
        !std::isfinite(ball.velocity.z) || !std::isfinite(ball.VSpin.x) || !std::isfinite(ball.VSpin.z) ||
        !(record.ball_mu >= 0.0 && record.ball_mu <= 1.0) || !(record.ball_rg > 0.1 && record.ball_rg < 1.07))
        fuzz::Fail("a release or ball value outside its range was taken");
    if (options.oil.starts_with("file:"))
        return 0;
    auto oil = std::make_unique<u16[][OIL_BOARDS]>(OIL_ROWS);
    if (!LoadLaneOil(options.oil, oil.get(), &error))
        CheckOneLine(error);
    return 0;
}
