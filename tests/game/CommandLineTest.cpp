// The game's command line and the strict numbers it shares with the tools.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "source/CommandLine.h"
#include "source/NumberArgument.h"

namespace {

bool Parse(const std::vector<const char*>& args, CommandLine* line, std::string* error) {
    return ParseCommandLine(int(args.size()), args.data(), line, error);
}

TEST(CommandLineTest, RefusesABadCommandLineInOneLine) {
    const struct {
        std::vector<const char*> args;
        const char* error;
    } cases[] = {
        {{"--disc"}, "'--disc' needs a value"},
        {{"--headless", "--frames"}, "'--frames' needs a value"},
        {{"--screenshot", ""}, "'--screenshot' needs a value"},
        {{"--fast"}, "unknown option '--fast' (bowling --help lists them)"},
        {{"600"}, "unknown option '600' (bowling --help lists them)"},
        {{"--frames", " -18446744073709551615"},
         "'--frames' needs a count from 1 to 4294967295, not ' -18446744073709551615'"},
        {{"--frames", "0"}, "'--frames' needs a count from 1 to 4294967295, not '0'"},
        {{"--frames", "-1"}, "'--frames' needs a count from 1 to 4294967295, not '-1'"},
        {{"--frames", "4294967296"}, "'--frames' needs a count from 1 to 4294967295, not '4294967296'"},
        {{"--frames", "60x"}, "'--frames' needs a count from 1 to 4294967295, not '60x'"},
        {{"--frames", "+60"}, "'--frames' needs a count from 1 to 4294967295, not '+60'"},
        {{"--gx-threads", "0"}, "'--gx-threads' needs a number of threads from 1 to 64, not '0'"},
        {{"--gx-threads", "65"}, "'--gx-threads' needs a number of threads from 1 to 64, not '65'"},
        {{"--input", "play.txt"},
         "'--input' needs '--headless': in the window the keyboard and mouse are the remotes"},
        {{"--players", "5"}, "'--players' needs a number of bowlers from 1 to 4, not '5'"},
        {{"--players", "0"}, "'--players' needs a number of bowlers from 1 to 4, not '0'"},
        {{"--seed", "0"}, "'--seed' needs a seed from 1 to 4294967295, not '0'"},
        {{"--level", "21"}, "'--level' needs a level from 0 to 20, not '21'"},
        {{"--level", "-1"}, "'--level' needs a level from 0 to 20, not '-1'"},
        {{"--cpu", "0"}, "'--cpu' needs bowler numbers from 1 to 4 between commas, not '0'"},
        {{"--cpu", "1,,2"}, "'--cpu' needs bowler numbers from 1 to 4 between commas, not '1,,2'"},
        {{"--cpu", "2,"}, "'--cpu' needs bowler numbers from 1 to 4 between commas, not '2,'"},
        {{"--cpu", "5"}, "'--cpu' needs bowler numbers from 1 to 4 between commas, not '5'"},
        {{"--cpu", "2"}, "'--cpu' names a bowler past the 1 of '--players'"},
        {{"--cpu", "1,4", "--players", "3"}, "'--cpu' names a bowler past the 3 of '--players'"},
        {{"--entry", "13"}, "'--entry' needs a launcher entry from 0 to 12, not '13'"},
        {{"--level", "3", "--entry", "1"},
         "'--players', '--cpu', '--seed' and '--level' start a game: they go with no '--entry' but 0"},
        {{"--launcher", "--entry", "1"},
         "'--launcher' opens the launcher's list: it goes with no '--entry', '--players', '--cpu', '--seed' "
         "or "
         "'--level'"},
        {{"--seed", "5", "--launcher"},
         "'--launcher' opens the launcher's list: it goes with no '--entry', '--players', '--cpu', '--seed' "
         "or "
         "'--level'"},
        // What the user gave is quoted escaped: one line, nothing raw for the terminal.
        {{"--fast\n\x1b[2J"}, "unknown option '--fast\\x0a\\x1b[2J' (bowling --help lists them)"},
        {{"--seed", "7\r\x7f\xc3\xa9"},
         "'--seed' needs a seed from 1 to 4294967295, not '7\\x0d\\x7f\\xc3\\xa9'"},
        {{"--cpu", "1\n2"}, "'--cpu' needs bowler numbers from 1 to 4 between commas, not '1\\x0a2'"},
    };
    for (const auto& c : cases) {
        CommandLine line;
        std::string error;
        EXPECT_FALSE(Parse(c.args, &line, &error)) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

TEST(CommandLineTest, ReadsEveryOption) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(
        Parse({"--headless", "--frames", "4294967295", "--disc", "d", "--nand", "n", "--input", "i",
               "--screenshot", "s.png", "--audio-out", "a.wav", "--entry", "10", "--gx-threads", "64"},
              &line, &error))
        << error;
    EXPECT_TRUE(line.headless);
    EXPECT_FALSE(line.help);
    EXPECT_EQ(line.frames, 4294967295u);
    EXPECT_EQ(line.disc + line.nand + line.input + line.screenshot + line.audioOut, "dnis.pnga.wav");
    EXPECT_EQ(line.entry, 10);
    EXPECT_EQ(line.gxThreads, 64u);
    ASSERT_TRUE(Parse({"--help"}, &line, &error));
    EXPECT_TRUE(line.help);
    EXPECT_EQ(line.frames, 0u);
}

TEST(CommandLineTest, ChoosesTheGameStarted) {
    const struct {
        std::vector<const char*> args;
        s32 level, players;
        u32 computer, seed;
        s32 entry;
    } cases[] = {
        {{}, 20, 1, 0, 0, DEV_ENTRY_GAME_SHELL},
        {{"--players", "4", "--cpu", "2,4"}, 20, 4, 0b1010, 0, DEV_ENTRY_LEVEL_LAUNCH},
        {{"--cpu", "1", "--players", "2", "--cpu", "2"}, 20, 2, 0b10, 0, DEV_ENTRY_LEVEL_LAUNCH},
        {{"--cpu", "1,1"}, 20, 1, 0b1, 0, DEV_ENTRY_LEVEL_LAUNCH},
        {{"--level", "0", "--seed", "4294967295", "--entry", "0"},
         0,
         1,
         0,
         4294967295u,
         DEV_ENTRY_LEVEL_LAUNCH},
        {{"--entry", "0"}, 20, 1, 0, 0, DEV_ENTRY_LEVEL_MANAGER},
        {{"--entry", "12"}, 20, 1, 0, 0, 12},
        {{"--launcher", "--headless"}, 20, 1, 0, 0, DEV_ENTRY_LAUNCHER},
    };
    for (const auto& c : cases) {
        CommandLine line;
        std::string error;
        ASSERT_TRUE(Parse(c.args, &line, &error)) << error;
        EXPECT_EQ(line.launch.level, c.level);
        EXPECT_EQ(line.launch.players, c.players);
        EXPECT_EQ(line.launch.computerPlayers, c.computer);
        EXPECT_EQ(line.launch.seed, c.seed);
        EXPECT_EQ(line.entry, c.entry);
    }
}

TEST(CommandLineTest, IntegersAreWholeNumbersInRange) {
    const struct {
        const char* text;
        std::int64_t min, max;
        bool ok;
        std::int64_t value;
    } cases[] = {
        {"600", 1, 1000, true, 600},
        {"0x7fe0", 0, 0x7fe0, true, 0x7fe0},
        {"-5", -10, 10, true, -5},
        {"-9223372036854775808", INT64_MIN, 0, true, INT64_MIN},
        {"010", 0, 100, true, 10},
        {"18446744073709551617", 0, INT64_MAX, false, 0},
        {"-18446744073709551615", INT64_MIN, INT64_MAX, false, 0},
        {" 5", 0, 10, false, 0},
        {"5 ", 0, 10, false, 0},
        {"+5", 0, 10, false, 0},
        {"--5", -10, 10, false, 0},
        {"0x", 0, 10, false, 0},
        {"0x-1", -10, 10, false, 0},
        {"", 0, 10, false, 0},
        {"11", 0, 10, false, 0},
        {"1.0", 0, 10, false, 0},
    };
    for (const auto& c : cases) {
        std::int64_t value = 0;
        EXPECT_EQ(ParseIntegerArgument(c.text, c.min, c.max, &value), c.ok) << "'" << c.text << "'";
        EXPECT_EQ(value, c.value) << "'" << c.text << "'";
    }
}

TEST(CommandLineTest, RealsAreFiniteNumbersInRange) {
    const struct {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"5.25", true, 5.25}, {"-0.5", true, -0.5}, {"1e1", true, 10.0},  {"10.5", true, 10.5},
        {"nan", false, 0.0},  {"inf", false, 0.0},  {"-inf", false, 0.0}, {"1e999", false, 0.0},
        {"10.6", false, 0.0}, {"-1", false, 0.0},   {"+1", false, 0.0},   {" 1", false, 0.0},
        {"1,5", false, 0.0},  {"", false, 0.0},     {"0x10", false, 0.0},
    };
    for (const auto& c : cases) {
        double value = 0.0;
        EXPECT_EQ(ParseRealArgument(c.text, -0.5, 10.5, &value), c.ok) << "'" << c.text << "'";
        EXPECT_EQ(value, c.value) << "'" << c.text << "'";
    }
}

TEST(CommandLineTest, AnOutputFilesFolderMustTakeFiles) {
    const std::string folder = testing::TempDir();
    std::string error;
    EXPECT_TRUE(CheckOutputPath(folder + "shot.png", "screenshot", &error)) << error;
    EXPECT_TRUE(CheckOutputPath("shot.png", "screenshot", &error)) << error;
    EXPECT_FALSE(CheckOutputPath(folder + "missing/shot.png", "screenshot", &error));
    EXPECT_EQ(error, "the screenshot's folder '" + folder + "missing' does not exist");
    EXPECT_FALSE(CheckOutputPath(folder, "screenshot", &error));
    EXPECT_EQ(error, "the screenshot '" + folder + "' is a folder");
    EXPECT_FALSE(CheckOutputPath(folder + "missing/out.wav", "audio file", &error));
    EXPECT_EQ(error, "the audio file's folder '" + folder + "missing' does not exist");
}

// A file given for the saves' folder would make every save fail without a word.
TEST(CommandLineTest, TheSavesFolderIsAFolderOrNotThereYet) {
    const std::string folder = testing::TempDir();
    const std::string file = folder + "saves-as-a-file";
    std::ofstream(file) << "x";
    std::string error;
    EXPECT_TRUE(CheckSaveFolder(folder, &error)) << error;
    EXPECT_TRUE(CheckSaveFolder(folder + "new-saves", &error)) << error;
    EXPECT_FALSE(CheckSaveFolder(file, &error));
    EXPECT_EQ(error, "the saves' folder '" + file + "' is not a folder");
    std::remove(file.c_str());
}

}  // namespace
