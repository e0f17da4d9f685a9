// The lane simulator: bowls one throw through the game's physics, from the release
// to the end of the sweep, and prints the result, the event frames and the film's
// size; optionally writes the whole film as CSV. Usage in docs/lanesim.md.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "orblib47/source/OrbRandom.h"
#include "source/GameReset.h"
#include "source/NumberArgument.h"
#include "source/Physics/FilmPlayback.h"
#include "source/Physics/Physics.h"
#include "source/Physics/ThrowRunner.h"

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs(
        "usage: lanesim [options]\n"
        "  --x X            release x across the lane (0..10.5, default 5.25)\n"
        "  --vx V --vz V    release velocity, units per second (default 0, 85)\n"
        "  --spin-x S --spin-z S   VSpin per coarse step (default 0, 0)\n"
        "  --mass M         ball weight class (default 16)\n"
        "  --mu F --rg F --absorb N --flare N --rate N   the ball's record\n"
        "                   (default 0.2 0.6175 40 0 0)\n"
        "  --ball-oil N     oil the ball carries at the release (default 0)\n"
        "  --oil SPEC       dry | flat:N | taper | file:PATH (50 rows of 39 values, CSV);\n"
        "                   default dry on the player's lane, taper on a computer lane\n"
        "  --rack MASK      standing pins, bit 14 - i for pin i (default 0x7fe0)\n"
        "  --turn 0|1       random turn of each standing pin (default 1)\n"
        "  --seed N         OrbSRand seed (default 1)\n"
        "  --lane player|computer   (default player)\n"
        "  --human 0|1      player's lane: human (UserDryLane) or computer bowler (CPUDryLane)\n"
        "  --ball N         ball of the frame, 0 or 1 (default 0)\n"
        "  --film PATH      write the film as CSV\n",
        out);
}

struct Options {
    ThrowSetup setup;
    bool computerLane = false;
    bool recordGiven = false;
    u16 ballOil = 0;
    u32 seed = 1;
    std::string oil;  // dry on the player's lane, taper on a computer lane
    std::string filmPath;
};

bool ParseInt(const char* text, long min, long max, long* value) {
    std::int64_t parsed = 0;
    if (!ParseIntegerArgument(text, min, max, &parsed))
        return false;
    *value = long(parsed);
    return true;
}

bool LoadOil(const std::string& oilArg, u16 (*grid)[OIL_BOARDS]) {
    long n = 0;
    if (oilArg == "dry") {
        std::memset(grid, 0, sizeof(u16) * OIL_ROWS * OIL_BOARDS);
    } else if (oilArg == "taper") {
        FillComputerLaneOil(grid);
    } else if (oilArg.rfind("flat:", 0) == 0 && ParseInt(oilArg.c_str() + 5, 0, 65535, &n)) {
        for (s32 r = 0; r < OIL_ROWS; ++r)
            for (s32 b = 0; b < OIL_BOARDS; ++b)
                grid[r][b] = u16(n);
    } else if (oilArg.rfind("file:", 0) == 0) {
        std::ifstream in(oilArg.substr(5));
        std::string line;
        for (s32 r = 0; r < OIL_ROWS; ++r) {
            if (!std::getline(in, line))
                return false;
            std::stringstream cells(line);
            std::string cell;
            for (s32 b = 0; b < OIL_BOARDS; ++b) {
                if (!std::getline(cells, cell, ',') || !ParseInt(cell.c_str(), 0, 65535, &n))
                    return false;
                grid[r][b] = u16(n);
            }
        }
    } else {
        return false;
    }
    return true;
}

// A release value: finite, and a float (a larger double would become infinite).
bool SetReal(const char* text, f64 min, f64 max, f32* to) {
    f64 value = 0.0;
    if (!ParseRealArgument(text, min, max, &value))
        return false;
    *to = f32(value);
    return true;
}

template <typename T>
bool SetInt(const char* text, long min, long max, T* to) {
    long value = 0;
    if (!ParseInt(text, min, max, &value))
        return false;
    *to = T(value);
    return true;
}

constexpr f64 kFloatMax = 3.4028234663852886e38;  // FLT_MAX
// The physics clamps the radius of gyration to a tenth of the ball's radius and the radius.
constexpr f64 kRgMin = 0.1 * f64(PHYS_BALL_RADIUS);
constexpr f64 kRgMax = f64(PHYS_BALL_RADIUS);

struct Option {
    const char* name;
    const char* range;  // what the error line says is accepted
    bool (*set)(Options& o, const char* value);
};

const Option kOptions[] = {
    {"--x", "0 to 10.5",
     [](Options& o, const char* v) { return SetReal(v, 0.0, 10.5, &o.setup.ball.position.x); }},
    {"--vx", "a finite number",
     [](Options& o, const char* v) { return SetReal(v, -kFloatMax, kFloatMax, &o.setup.ball.velocity.x); }},
    {"--vz", "a finite number",
     [](Options& o, const char* v) { return SetReal(v, -kFloatMax, kFloatMax, &o.setup.ball.velocity.z); }},
    {"--spin-x", "a finite number",
     [](Options& o, const char* v) { return SetReal(v, -kFloatMax, kFloatMax, &o.setup.ball.VSpin.x); }},
    {"--spin-z", "a finite number",
     [](Options& o, const char* v) { return SetReal(v, -kFloatMax, kFloatMax, &o.setup.ball.VSpin.z); }},
    {"--mass", "1 to 255", [](Options& o, const char* v) { return SetInt(v, 1, 255, &o.setup.ball.mass); }},
    {"--mu", "0 to 1",
     [](Options& o, const char* v) {
         o.recordGiven = true;
         return ParseRealArgument(v, 0.0, 1.0, &o.setup.record.ball_mu);
     }},
    {"--rg", "0.1069 to 1.0687",
     [](Options& o, const char* v) {
         o.recordGiven = true;
         return ParseRealArgument(v, kRgMin, kRgMax, &o.setup.record.ball_rg);
     }},
    {"--absorb", "0 to 65535",
     [](Options& o, const char* v) {
         o.recordGiven = true;
         return SetInt(v, 0, 65535, &o.setup.record.ball_absorb);
     }},
    {"--flare", "0 to 65535",
     [](Options& o, const char* v) {
         o.recordGiven = true;
         return SetInt(v, 0, 65535, &o.setup.record.ball_flare);
     }},
    {"--rate", "0 to 10",
     [](Options& o, const char* v) {
         o.recordGiven = true;
         return SetInt(v, 0, 10, &o.setup.record.ball_absorb_rate);
     }},
    {"--ball-oil", "0 to 65535", [](Options& o, const char* v) { return SetInt(v, 0, 65535, &o.ballOil); }},
    {"--oil", "dry, flat:N, taper or file:PATH",
     [](Options& o, const char* v) {
         o.oil = v;
         return !o.oil.empty();
     }},
    {"--rack", "a mask of bits 14 - i for pins i = 0 to 9",
     [](Options& o, const char* v) {
         long n = 0;
         if (!ParseInt(v, 0, PIN_MASK_ALL, &n) || (n & ~long(PIN_MASK_ALL)) != 0)
             return false;
         o.setup.rack = PinMask(n);
         return true;
     }},
    {"--turn", "0 or 1", [](Options& o, const char* v) { return SetInt(v, 0, 1, &o.setup.randomTurn); }},
    {"--seed", "0 to 2147483647",
     [](Options& o, const char* v) { return SetInt(v, 0, 0x7fffffff, &o.seed); }},
    {"--lane", "player or computer",
     [](Options& o, const char* v) {
         o.computerLane = std::strcmp(v, "computer") == 0;
         return o.computerLane || std::strcmp(v, "player") == 0;
     }},
    {"--human", "0 or 1", [](Options& o, const char* v) { return SetInt(v, 0, 1, &o.setup.human); }},
    {"--ball", "0 or 1", [](Options& o, const char* v) { return SetInt(v, 0, 1, &o.setup.ballNumber); }},
    {"--film", "a file name",
     [](Options& o, const char* v) {
         o.filmPath = v;
         return !o.filmPath.empty();
     }},
};

const Option* FindOption(const std::string& name) {
    for (const Option& option : kOptions) {
        if (name == option.name)
            return &option;
    }
    return nullptr;
}

// Returns 0 on success, else the exit code.
int ParseOptions(int argc, char** argv, Options& o) {
    BallData_t& ball = o.setup.ball;
    ball.position.x = 5.25f;
    ball.velocity.z = 85.0f;
    ball.mass = 16;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help") {
            PrintUsage(stdout);
            return -1;
        }
        const Option* option = FindOption(name);
        if (option == nullptr) {
            std::fprintf(stderr, "lanesim: unknown option %s\n", name.c_str());
            return 2;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "lanesim: %s needs a value\n", name.c_str());
            return 2;
        }
        const char* value = argv[++i];
        if (!option->set(o, value)) {
            std::fprintf(stderr, "lanesim: bad value '%s' for %s (%s)\n", value, name.c_str(), option->range);
            return 2;
        }
    }
    return 0;
}

bool WriteFilm(const LaneContext& lane, const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (!out)
        return false;
    std::fputs("frame,body,x,y,z,up_x,up_y,up_z,right_x,right_y,right_z\n", out);
    static const char* const bodyNames[FILM_BODIES] = {"pin0", "pin1", "pin2", "pin3", "pin4", "pin5",
                                                       "pin6", "pin7", "pin8", "pin9", "ball", "sweeper"};
    for (s32 frame = 0; frame < lane.NumPhysFrames; ++frame) {
        ForEachFramePose(lane, frame, [&](s32 body, const RefFrame_t& p) {
            std::fprintf(out, "%d,%s,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g\n", frame, bodyNames[body],
                         p.position.x, p.position.y, p.position.z, p.O.up.x, p.O.up.y, p.O.up.z, p.O.right.x,
                         p.O.right.y, p.O.right.z);
        });
    }
    return std::fclose(out) == 0;
}

void PrintPins(const char* label, PinMask mask) {
    std::printf("%s:", label);
    for (s32 i = 0; i < NUM_PINS; ++i)
        if (mask & PinBit(i))
            std::printf(" %d", i);
    std::printf("\n");
}

void PrintSummary(const LaneContext& lane, const ThrowSummary& s, PinMask rack) {
    std::printf("started: %d\n", s.started);
    std::printf("standing: 0x%04x\n", unsigned(s.standing));
    PrintPins("pins standing", s.standing);
    PrintPins("pins down", PinMask(rack & ~s.standing));
    std::printf("FrameBallReachesArrows: %d\n", lane.FrameBallReachesArrows);
    std::printf("FrameBallReachesPins: %d\n", lane.FrameBallReachesPins);
    std::printf("FrameBallHitGutter: %d\n", lane.FrameBallHitGutter);
    std::printf("FrameBallPastEnd: %d\n", lane.FrameBallPastEnd);
    std::printf("FrameBallHitsBackWall: %d\n", lane.FrameBallHitsBackWall);
    std::printf("FramePinActionComplete: %d\n", lane.FramePinActionComplete);
    std::printf("FramePinsetterStarts: %d\n", lane.FramePinsetterStarts);
    std::printf("FrameSweepStarts: %d\n", lane.FrameSweepStarts);
    std::printf("first pin struck: %d\n", s.firstPinStruck);
    std::printf("FramePinStartWobble:");
    for (s32 i = 0; i < NUM_PINS; ++i)
        std::printf(" %d", lane.FramePinStartWobble[i]);
    std::printf("\nFramePinActivates:");
    for (s32 i = 0; i < NUM_PINS; ++i)
        std::printf(" %d", lane.FramePinActivates[i]);
    std::printf("\nframes at pin action end: %d\n", s.framesAtPinActionEnd);
    std::printf("poses at pin action end: %u\n", unsigned(s.posesAtPinActionEnd));
    std::printf("NumPhysFrames: %d\n", s.frames);
    std::printf("OutputFramesUsed: %u\n", unsigned(s.poses));
    std::printf("slices: %d\n", s.slices);
    std::printf("BallOil after: %u\n", unsigned(lane.BallOil));
    std::printf("film hash: 0x%016llx\n", static_cast<unsigned long long>(FilmHash(lane)));
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (const int code = ParseOptions(argc, argv, o))
        return code < 0 ? 0 : code;
    if (o.oil.empty())
        o.oil = o.computerLane ? "taper" : "dry";
    auto oil = std::make_unique<u16[][OIL_BOARDS]>(OIL_ROWS);
    if (!LoadOil(o.oil, oil.get())) {
        std::fprintf(stderr, "lanesim: cannot read oil '%s'\n", o.oil.c_str());
        return 2;
    }
    o.setup.oil = oil.get();
    GameColdReset();
    OrbSRand(o.seed);

    std::unique_ptr<CNPCBowler> bowler;
    const LaneContext* lane = &PlayerLane;
    ThrowSummary summary;
    if (o.computerLane) {
        bowler = std::make_unique<CNPCBowler>();
        if (o.recordGiven) {
            const BallRecord& r = o.setup.record;
            SetThrowParameters(bowler->lane, r.ball_mu, r.ball_rg, r.ball_absorb, r.ball_flare,
                               r.ball_absorb_rate, bowler->m_Oil, CPUDryLane);
        }
        bowler->lane.BallOil = o.ballOil;
        summary = RunComputerThrow(*bowler, o.setup);
        lane = &bowler->lane;
    } else {
        PlayerLane.BallOil = o.ballOil;
        summary = RunPlayerThrow(Physics, o.setup);
    }
    PrintSummary(*lane, summary, o.setup.rack);
    if (!o.filmPath.empty() && !WriteFilm(*lane, o.filmPath)) {
        std::fprintf(stderr, "lanesim: cannot write %s\n", o.filmPath.c_str());
        return 1;
    }
    return 0;
}
