// lanesim's command line and its oil (docs/lanesim.md): what the throw is bowled
// with, or a one-line reason why the arguments or the oil cannot be used.
#pragma once

#include <string>

#include "source/Physics/ThrowRunner.h"

struct LaneSimOptions {
    ThrowSetup setup;
    bool help = false;
    bool computerLane = false;
    bool recordGiven = false;
    u16 ballOil = 0;
    u32 seed = 1;
    std::string oil;  // dry on the player's lane, taper on a computer lane
    std::string filmPath;
};

// Reads the arguments after the program's name; false with a one-line reason.
bool ParseLaneSimOptions(int argc, const char* const* argv, LaneSimOptions* options, std::string* error);

// The grid of an --oil SPEC; false with a one-line reason.
bool LoadLaneOil(const std::string& oil, OilGrid grid, std::string* error);
