// lanesim's oil file (--oil file:PATH) as it lies on the disk. A refusal is one
// line; a file that is taken is 50 lines of 39 values.
#include <algorithm>
#include <memory>
#include <string>

#include "fuzz/fuzz_world.h"
#include "tools/lanesim/LaneSimOptions.h"

namespace {

const char kName[] = "OIL.CSV";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, std::size_t size) {
    fuzz::Input input;
    fuzz::WriteDiscFile(kName, {data, size});
    auto oil = std::make_unique<u16[][OIL_BOARDS]>(OIL_ROWS);
    std::string error;
    if (LoadLaneOil("file:" + fuzz::DiscRoot() + "/" + kName, oil.get(), &error)) {
        // The last line may end in a line break or not.
        const std::size_t breaks = std::count(data, data + size, '\n');
        const std::size_t commas = std::count(data, data + size, ',');
        const bool lastEnds = size != 0 && data[size - 1] == '\n';
        if (breaks != (lastEnds ? OIL_ROWS : OIL_ROWS - 1) || commas != OIL_ROWS * (OIL_BOARDS - 1))
            fuzz::Fail("an oil file that is not 50 rows of 39 values was taken");
    } else if (error.empty() || error.find('\n') != std::string::npos) {
        fuzz::Fail("a refusal is not one line: '" + error + "'");
    }
    fuzz::RemoveDiscFile(kName);
    return 0;
}
