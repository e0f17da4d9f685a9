// The lane simulator: bowls one throw through the game's physics, from the release
// to the end of the sweep, and prints the result, the event frames and the film's
// size; optionally writes the whole film as CSV. Usage in docs/lanesim.md.
#include <cstdio>
#include <memory>
#include <string>

#include "orblib47/source/OrbRandom.h"
#include "source/GameReset.h"
#include "source/Physics/FilmPlayback.h"
#include "source/Physics/Physics.h"
#include "tools/lanesim/LaneSimOptions.h"

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
    LaneSimOptions o;
    std::string error;
    if (!ParseLaneSimOptions(argc, argv, &o, &error)) {
        std::fprintf(stderr, "lanesim: %s\n", error.c_str());
        return 2;
    }
    if (o.help) {
        PrintUsage(stdout);
        return 0;
    }
    auto oil = std::make_unique<u16[][OIL_BOARDS]>(OIL_ROWS);
    if (!LoadLaneOil(o.oil, oil.get(), &error)) {
        std::fprintf(stderr, "lanesim: %s\n", error.c_str());
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
