// The programs as a user runs them: command-line mistakes are one line and status
// 2, and every way out of the game writes the screenshot asked for.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
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

namespace {

namespace fs = std::filesystem;

// The demo disc at `disc`, linked file by file, without the file named `left`.
void LinkDemoDisc(const fs::path& disc, const fs::path& left) {
    fs::create_directories(disc);  // the root's files may come before its folders
    for (const auto& entry : fs::recursive_directory_iterator(DefaultDiscRoot())) {
        const fs::path copy = disc / fs::relative(entry.path(), DefaultDiscRoot());
        if (entry.is_directory())
            fs::create_directories(copy);
        else if (entry.path().filename() != left)
            fs::create_symlink(entry.path(), copy);
    }
}

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

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            fs::path(testing::TempDir()) / ("program_" + std::to_string(getpid()) + "_" +
                                            testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string Path(const char* name) const { return (folder_ / name).string(); }
    // The picture of a PNG file; empty when it cannot be read.
    static HostFrame ReadPng(const std::string& path) {
        HostFrame frame;
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, path.c_str()) == 0)
            return frame;
        image.format = PNG_FORMAT_RGB;
        frame.rgb.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, frame.rgb.data(), 0, nullptr) == 0)
            return HostFrame{};
        frame.width = image.width;
        frame.height = image.height;
        return frame;
    }
    // True when the file is there and starts as a PNG file does.
    static bool IsPng(const std::string& path) {
        char signature[8] = {};
        std::ifstream(path, std::ios::binary).read(signature, sizeof(signature));
        return std::string(signature + 1, 3) == "PNG";
    }

    fs::path folder_;
};

TEST_F(ProgramTest, BowlingRefusesBadCommandLinesInOneLine) {
    std::ofstream(Path("bad_script.txt")) << "0 0 connect\n0 0 swing\n";
    std::ofstream(Path("saves")) << "not a folder";
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
    const struct {
        const char* frames;
        const char* picture;
    } shots[] = {{"304", "bowler_up.png"}, {"804", "first_throw.png"}};
    for (const auto& shot : shots) {
        SCOPED_TRACE(shot.picture);
        const std::string drawn = Path(shot.picture);
        const std::string reference = std::string(BOWLING_TEST_REFERENCE_DIR "/") + shot.picture;
        ChildProcess child(BOWLING_PROGRAM, {"--headless", "--frames", shot.frames, "--cpu", "1", "--seed",
                                             "3", "--nand", drawn + ".nand", "--screenshot", drawn});
        std::string output;
        ASSERT_EQ(child.Wait(&output), 0)
            << output.substr(output.size() - std::min<size_t>(output.size(), 4000));
        if (std::getenv("BOWLING_UPDATE_REFERENCE") != nullptr)
            fs::copy_file(drawn, reference, fs::copy_options::overwrite_existing);
        EXPECT_LT(PixelsDifferingFrom(reference.c_str(), ReadPng(drawn)), 2000u);
    }
}

// The quick way into a game shows the pause menu over the player's aim when + is
// pressed: a paused game looks paused.
TEST_F(ProgramTest, BowlingStraightIntoAGamePausesWithTheMenu) {
    const std::string drawn = Path("straight_in_paused.png");
    const std::string reference = BOWLING_TEST_REFERENCE_DIR "/straight_in_paused.png";
    std::ofstream(Path("pause.txt")) << "0 0 connect\n500 0 button plus down\n502 0 button plus up\n";
    ChildProcess child(BOWLING_PROGRAM,
                       {"--headless", "--frames", "560", "--players", "2", "--cpu", "2", "--seed", "3",
                        "--input", Path("pause.txt"), "--nand", drawn + ".nand", "--screenshot", drawn});
    std::string output;
    ASSERT_EQ(child.Wait(&output), 0) << output.substr(output.size() - std::min<size_t>(output.size(), 4000));
    if (std::getenv("BOWLING_UPDATE_REFERENCE") != nullptr)
        fs::copy_file(drawn, reference, fs::copy_options::overwrite_existing);
    EXPECT_LT(PixelsDifferingFrom(reference.c_str(), ReadPng(drawn)), 2000u);
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
        const std::string shot = Path((std::to_string(signal) + ".png").c_str());
        ChildProcess child(BOWLING_PROGRAM, {"--headless", "--screenshot", shot});
        std::string line;
        while (child.ReadErrorLine(&line) && line.find("until interrupted") == std::string::npos) {
        }
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
    const fs::path disc = folder_ / "disc";
    LinkDemoDisc(disc, "MainMenu.sfp");
    std::ofstream(disc / "DATA/640/MainMenu.sfp") << std::string(4096, '\0');
    ExpectRefused(BOWLING_PROGRAM, {{"--headless", "--frames", "60", "--disc", disc.string()},
                                    "bowling: bad disc '" + disc.string() +
                                        "': DATA/640/MainMenu.sfp: SFP2K: MainMenu: not a movie file"});
}

TEST_F(ProgramTest, BowlingStopsWhenTheLevelDoesNotLoad) {
    const fs::path disc = folder_ / "disc";
    LinkDemoDisc(disc, "ALLEY.WAD");
    std::ofstream(disc / "DATA/ALLEY.WAD") << "ALLEY";
    ChildProcess child(BOWLING_PROGRAM,
                       {"--headless", "--frames", "600", "--disc", disc.string(), "--level", "20"});
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
