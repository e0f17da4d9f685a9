// The programs as a user runs them: command-line mistakes are one line and status
// 2, and every way out of the game writes the screenshot asked for.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "source/DefaultDisc.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDisc.h"

namespace {

namespace fs = std::filesystem;

struct Case {
    std::vector<std::string> args;
    std::string error;  // all that standard error shows
};

void ExpectRefused(const char* program, const Case& c) {
    ChildProcess child(program, c.args);
    std::string error;
    EXPECT_EQ(child.Wait(&error), 2) << c.error;
    EXPECT_EQ(error, c.error + "\n");
}

// True when the file is there and starts as a PNG file does.
bool IsPng(const std::string& path) {
    char signature[8] = {};
    std::ifstream(path, std::ios::binary).read(signature, sizeof(signature));
    return std::string(signature + 1, 3) == "PNG";
}

class ProgramTest : public ChildProcessTest {
protected:
    // The game run with `args` to its end, its screenshot against the kept
    // `picture` (BOWLING_UPDATE_REFERENCE=1 keeps the new one).
    void ExpectScreenshotAsKept(std::vector<std::string> args, const std::string& picture) {
        const std::string drawn = Path(picture);
        const std::string reference = BOWLING_TEST_REFERENCE_DIR "/" + picture;
        args.insert(args.end(), {"--nand", drawn + ".nand", "--screenshot", drawn});
        ChildProcess child(BOWLING_PROGRAM, args);
        ASSERT_TRUE(child.Exits(0));
        if (std::getenv("BOWLING_UPDATE_REFERENCE") != nullptr)
            fs::copy_file(drawn, reference, fs::copy_options::overwrite_existing);
        EXPECT_LT(PixelsDifferingFrom(reference.c_str(), ReadPng(drawn.c_str())), 2000u);
    }
};

TEST_F(ProgramTest, BowlingRefusesBadCommandLinesInOneLine) {
    File("bad_script.txt", "0 0 connect\n0 0 swing\n");
    File("saves", "not a folder");
    const Case cases[] = {
        {{"--frames"}, "bowling: '--frames' needs a value"},
        {{"--headless", "--frames", " -18446744073709551615"},
         "bowling: '--frames' needs a count from 1 to 4294967295, not ' -18446744073709551615'"},
        {{"--headless", "--disc", Path("missing")},
         "bowling: bad disc '" + Path("missing") + "': no such folder"},
        {{"--headless", "--disc", folder_.string()},
         "bowling: bad disc '" + folder_.string() + "': SymTable.bin is missing"},
        {{"--headless", "--input", folder_.string()},
         "bowling: input script '" + folder_.string() + "' is a folder"},
        {{"--headless", "--input", Path("bad_script.txt")},
         "bowling: input script '" + Path("bad_script.txt") + "', line 2: 'swing' takes 2 arguments"},
        {{"--headless", "--screenshot", Path("missing/shot.png")},
         "bowling: the screenshot's folder '" + Path("missing") + "' does not exist"},
        {{"--headless", "--audio-out", folder_.string()},
         "bowling: the audio file '" + folder_.string() + "' is a folder"},
        {{"--headless", "--nand", Path("saves")},
         "bowling: the saves' folder '" + Path("saves") + "' is not a folder"},
        // What the user gave reaches the terminal escaped, whichever check quotes it.
        {{"--headless", "--disc", Path("new\nline")},
         "bowling: bad disc '" + Path("new\\x0aline") + "': no such folder"},
        {{"--headless", "--input", Path("\x1b[31mred")},
         "bowling: input script '" + Path("\\x1b[31mred") + "' cannot be read"},
        {{"--headless", "--screenshot", Path("tab\t/shot.png")},
         "bowling: the screenshot's folder '" + Path("tab\\x09") + "' does not exist"},
    };
    for (const Case& c : cases)
        ExpectRefused(BOWLING_PROGRAM, c);
}

TEST_F(ProgramTest, BowlingWithoutADisplaySuggestsHeadless) {
    ChildProcess child(BOWLING_PROGRAM, {"--screenshot", Path("shot.png")},
                       {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"});
    std::string error;
    EXPECT_EQ(child.Wait(&error), 1);
    EXPECT_EQ(error,
              "bowling: no display to show a window on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
              "--headless runs without a window\n");
    EXPECT_FALSE(fs::exists(Path("shot.png")));
}

TEST_F(ProgramTest, BowlingWritesTheScreenshotAtTheFrameLimit) {
    ChildProcess child(BOWLING_PROGRAM, {"--headless", "--frames", "10", "--screenshot", Path("shot.png")});
    EXPECT_EQ(child.Wait(), 0);
    EXPECT_TRUE(IsPng(Path("shot.png")));
}

// The game starts on the demo alley: a seeded computer bowler up on the lit
// approach, then its first ball caught with the pins falling under the scoreboard,
// each the same in every build (BOWLING_UPDATE_REFERENCE=1 keeps the new pictures).
TEST_F(ProgramTest, BowlingBowlsTheFirstBallOnTheAlley) {
    for (const auto& [frames, picture] : {std::pair{"304", "bowler_up.png"}, {"804", "first_throw.png"}}) {
        SCOPED_TRACE(picture);
        ExpectScreenshotAsKept({"--headless", "--frames", frames, "--cpu", "1", "--seed", "3"}, picture);
    }
}

// The quick way into a game shows the pause menu over the player's aim when + is
// pressed: a paused game looks paused.
TEST_F(ProgramTest, BowlingStraightIntoAGamePausesWithTheMenu) {
    const std::string pause =
        File("pause.txt", "0 0 connect\n500 0 button plus down\n502 0 button plus up\n");
    ExpectScreenshotAsKept(
        {"--headless", "--frames", "560", "--players", "2", "--cpu", "2", "--seed", "3", "--input", pause},
        "straight_in_paused.png");
}

// A player's run prints only what the player must know; the engine's progress
// lines (what it loads) come on request.
TEST_F(ProgramTest, BowlingPrintsTheEngineProgressOnlyWhenAsked) {
    for (bool verbose : {false, true}) {
        std::vector<std::string> args = {"--headless", "--frames", "10", "--nand", Path("nand")};
        if (verbose)
            args.push_back("--verbose");
        ChildProcess child(BOWLING_PROGRAM, args);
        std::string error;
        EXPECT_EQ(child.Wait(&error), 0);
        EXPECT_EQ(error.find("Wad Load: SYSTEXT\n") != std::string::npos, verbose) << error;
        if (!verbose) {
            EXPECT_EQ(error, "");
        }
    }
}

TEST_F(ProgramTest, BowlingWritesTheSoundToAWavFileHeadless) {
    ChildProcess child(BOWLING_PROGRAM, {"--headless", "--frames", "64", "--audio-out", Path("sound.wav")});
    EXPECT_EQ(child.Wait(), 0);
    std::ifstream in(Path("sound.wav"), std::ios::binary);
    char header[44] = {};
    ASSERT_TRUE(in.read(header, sizeof header));
    EXPECT_EQ(std::string(header, 4) + std::string(header + 8, 4), "RIFFWAVE");
    std::uint32_t dataBytes = 0;
    std::memcpy(&dataBytes, header + 40, 4);  // little-endian, as the host
    EXPECT_EQ(fs::file_size(Path("sound.wav")), 44 + dataBytes);
    EXPECT_EQ(dataBytes % 4, 0u);
}

TEST_F(ProgramTest, BowlingLeavesOnASignalWithTheScreenshot) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string shot = Path(std::to_string(signal) + ".png");
        ChildProcess child(BOWLING_PROGRAM, {"--headless", "--screenshot", shot});
        std::string line;
        child.ReadErrorUntil("until interrupted", &line);
        EXPECT_EQ(line, "bowling: headless with no --frames: running until interrupted (Ctrl+C)");
        child.Signal(signal);
        EXPECT_EQ(child.Wait(), 0) << signal;
        EXPECT_TRUE(IsPng(shot)) << signal;
    }
}

// The demo disc with the level's archive cut short: the game stops at once, with
// one line of its own among the engine's output.
// Without its main menu the game would stop on an empty background.
TEST_F(ProgramTest, BowlingRefusesADiscWithADamagedMainMenu) {
    TempDisc disc;
    disc.LinkAllBut(DefaultDiscRoot(), {"DATA/640/MainMenu.sfp"});
    disc.Write("DATA/640/MainMenu.sfp", std::vector<u8>(4096, 0));
    ExpectRefused(BOWLING_PROGRAM, {{"--headless", "--frames", "60", "--disc", disc.root()},
                                    "bowling: bad disc '" + disc.root() +
                                        "': DATA/640/MainMenu.sfp: SFP2K: MainMenu: not a movie file"});
}

TEST_F(ProgramTest, BowlingStopsWhenTheLevelDoesNotLoad) {
    TempDisc disc;
    disc.LinkAllBut(DefaultDiscRoot(), {"DATA/ALLEY.WAD"});
    disc.Write("DATA/ALLEY.WAD", {'A', 'L', 'L', 'E', 'Y'});
    ChildProcess child(BOWLING_PROGRAM,
                       {"--headless", "--frames", "600", "--disc", disc.root(), "--level", "20"});
    std::string error;
    EXPECT_EQ(child.Wait(&error), 2);
    EXPECT_NE(error.find("\nbowling: the level 'Hometown Lanes' did not load\n"), std::string::npos) << error;
}

TEST_F(ProgramTest, LanesimRefusesNonsense) {
    const Case cases[] = {
        {{"--x", "nan"}, "lanesim: bad value 'nan' for --x (0 to 10.5)"},
        {{"--x", "11"}, "lanesim: bad value '11' for --x (0 to 10.5)"},
        {{"--vz", "nan"}, "lanesim: bad value 'nan' for --vz (a finite number)"},
        {{"--vz", "1e39"}, "lanesim: bad value '1e39' for --vz (a finite number)"},
        {{"--mu", "-1"}, "lanesim: bad value '-1' for --mu (0 to 1)"},
        {{"--rg", "0"}, "lanesim: bad value '0' for --rg (0.1069 to 1.0687)"},
        {{"--rack", "0x8000"},
         "lanesim: bad value '0x8000' for --rack (a mask of bits 14 - i for pins i = 0 to 9)"},
        {{"--seed", "12abc"}, "lanesim: bad value '12abc' for --seed (0 to 2147483647)"},
        {{"--speed", "3"}, "lanesim: unknown option --speed"},
        {{"--x", "5", "--speed"}, "lanesim: unknown option --speed"},
        {{"--x"}, "lanesim: --x needs a value"},
        {{"--x", "1\n2"}, "lanesim: bad value '1\\x0A2' for --x (0 to 10.5)"},
    };
    for (const Case& c : cases)
        ExpectRefused(LANESIM_PROGRAM, c);
}

// An oil file is read whole only when it is 50 rows of 39 values, lines of at most
// 1024 characters; anything else, /dev/zero too, is refused in one line.
TEST_F(ProgramTest, LanesimTakesOnlyFiftyRowsOfThirtyNineOilValues) {
    // `rows` lines of `values` values, the last value of each padded with zeros to `width`.
    const auto oil = [](int rows, int values, size_t width) {
        std::string line;
        for (int v = 1; v < values; ++v)
            line += "300,";
        line += std::string(width > line.size() + 3 ? width - line.size() - 3 : 0, '0') + "300";
        std::string text;
        for (int r = 0; r < rows; ++r)
            text += line + "\n";
        return text;
    };
    const struct {
        std::string path;
        std::string text;
        std::string error;  // empty: the throw is bowled
    } cases[] = {
        {Path("good.csv"), oil(50, 39, 1024), ""},
        {Path("49.csv"), oil(49, 39, 0), "lanesim: oil file '" + Path("49.csv") + "': 49 rows, want 50"},
        {Path("51.csv"), oil(51, 39, 0),
         "lanesim: oil file '" + Path("51.csv") + "', line 51: more than 50 rows"},
        {Path("38.csv"), oil(50, 38, 0),
         "lanesim: oil file '" + Path("38.csv") + "', line 1: 38 values, want 39"},
        {Path("40.csv"), oil(50, 40, 0),
         "lanesim: oil file '" + Path("40.csv") + "', line 1: 40 values, want 39"},
        {Path("long.csv"), oil(50, 39, 1025),
         "lanesim: oil file '" + Path("long.csv") + "', line 1: longer than 1024 characters"},
        {"/dev/zero", "", "lanesim: oil file '/dev/zero', line 1: longer than 1024 characters"},
    };
    for (const auto& c : cases) {
        if (!c.text.empty())
            std::ofstream(c.path) << c.text;
        ChildProcess child(LANESIM_PROGRAM, {"--oil", "file:" + c.path});
        std::string error;
        EXPECT_EQ(child.Wait(&error), c.error.empty() ? 0 : 2) << c.path;
        EXPECT_EQ(error, c.error.empty() ? "" : c.error + "\n");
    }
}

}  // namespace
