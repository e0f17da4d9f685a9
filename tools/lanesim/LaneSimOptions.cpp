#include "tools/lanesim/LaneSimOptions.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string_view>

#include "source/NumberArgument.h"

namespace {

// An oil file holds 50 rows of 39 values; no value needs more than a few
// characters, and no more than this is read of a line.
constexpr size_t kOilLineMax = 1024;

bool Fail(std::string* error, std::string why) {
    *error = std::move(why);
    return false;
}

// Text from the command line or a file inside a one-line message: control
// characters as \xNN.
std::string Shown(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        if (u8(c) < 0x20 || c == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(u8(c)));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

bool ParseInt(std::string_view text, long min, long max, long* value) {
    std::int64_t parsed = 0;
    if (!ParseIntegerArgument(text, min, max, &parsed))
        return false;
    *value = long(parsed);
    return true;
}

// One row of an oil file: 39 values 0 to 65535 between commas.
bool ReadOilRow(std::string_view line, u16* row, std::string* why) {
    const size_t values = size_t(std::count(line.begin(), line.end(), ',')) + 1;
    if (values != OIL_BOARDS)
        return Fail(why, std::to_string(values) + " values, want 39");
    for (s32 b = 0; b < OIL_BOARDS; ++b) {
        const std::string_view cell = line.substr(0, line.find(','));
        long value = 0;
        if (!ParseInt(cell, 0, 65535, &value))
            return Fail(why, "bad value '" + Shown(cell) + "' (0 to 65535)");
        row[b] = u16(value);
        line.remove_prefix(std::min(cell.size() + 1, line.size()));
    }
    return true;
}

bool LoadOilFile(const std::string& path, OilGrid grid, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail(error, "cannot read oil 'file:" + Shown(path) + "'");
    // Never more than 50 of the longest lines and one byte: /dev/zero ends too.
    std::string text(OIL_ROWS * (kOilLineMax + 1) + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    const std::string name = "oil file '" + Shown(path) + "'";
    text.resize(size_t(in.gcount()));
    s32 row = 0;
    for (size_t start = 0; start < text.size(); ++row) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line(text.data() + start, end - start);
        const std::string at = name + ", line " + std::to_string(row + 1) + ": ";
        if (line.size() > kOilLineMax)
            return Fail(error, at + "longer than " + std::to_string(kOilLineMax) + " characters");
        if (row == OIL_ROWS)
            return Fail(error, at + "more than 50 rows");
        std::string why;
        if (!ReadOilRow(line, grid[row], &why))
            return Fail(error, at + why);
        start = end + 1;
    }
    return row == OIL_ROWS || Fail(error, name + ": " + std::to_string(row) + " rows, want 50");
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
    bool (*set)(LaneSimOptions& o, const char* value);
};

const Option kOptions[] = {
    {"--x", "0 to 10.5",
     [](LaneSimOptions& o, const char* v) { return SetReal(v, 0.0, 10.5, &o.setup.ball.position.x); }},
    {"--vx", "a finite number",
     [](LaneSimOptions& o, const char* v) {
         return SetReal(v, -kFloatMax, kFloatMax, &o.setup.ball.velocity.x);
     }},
    {"--vz", "a finite number",
     [](LaneSimOptions& o, const char* v) {
         return SetReal(v, -kFloatMax, kFloatMax, &o.setup.ball.velocity.z);
     }},
    {"--spin-x", "a finite number",
     [](LaneSimOptions& o, const char* v) {
         return SetReal(v, -kFloatMax, kFloatMax, &o.setup.ball.VSpin.x);
     }},
    {"--spin-z", "a finite number",
     [](LaneSimOptions& o, const char* v) {
         return SetReal(v, -kFloatMax, kFloatMax, &o.setup.ball.VSpin.z);
     }},
    {"--mass", "1 to 255",
     [](LaneSimOptions& o, const char* v) { return SetInt(v, 1, 255, &o.setup.ball.mass); }},
    {"--mu", "0 to 1",
     [](LaneSimOptions& o, const char* v) {
         o.recordGiven = true;
         return ParseRealArgument(v, 0.0, 1.0, &o.setup.record.ball_mu);
     }},
    {"--rg", "0.1069 to 1.0687",
     [](LaneSimOptions& o, const char* v) {
         o.recordGiven = true;
         return ParseRealArgument(v, kRgMin, kRgMax, &o.setup.record.ball_rg);
     }},
    {"--absorb", "0 to 65535",
     [](LaneSimOptions& o, const char* v) {
         o.recordGiven = true;
         return SetInt(v, 0, 65535, &o.setup.record.ball_absorb);
     }},
    {"--flare", "0 to 65535",
     [](LaneSimOptions& o, const char* v) {
         o.recordGiven = true;
         return SetInt(v, 0, 65535, &o.setup.record.ball_flare);
     }},
    {"--rate", "0 to 10",
     [](LaneSimOptions& o, const char* v) {
         o.recordGiven = true;
         return SetInt(v, 0, 10, &o.setup.record.ball_absorb_rate);
     }},
    {"--ball-oil", "0 to 65535",
     [](LaneSimOptions& o, const char* v) { return SetInt(v, 0, 65535, &o.ballOil); }},
    {"--oil", "dry, flat:N, taper or file:PATH",
     [](LaneSimOptions& o, const char* v) {
         o.oil = v;
         return !o.oil.empty();
     }},
    {"--rack", "a mask of bits 14 - i for pins i = 0 to 9",
     [](LaneSimOptions& o, const char* v) {
         long n = 0;
         if (!ParseInt(v, 0, PIN_MASK_ALL, &n) || (n & ~long(PIN_MASK_ALL)) != 0)
             return false;
         o.setup.rack = PinMask(n);
         return true;
     }},
    {"--turn", "0 or 1",
     [](LaneSimOptions& o, const char* v) { return SetInt(v, 0, 1, &o.setup.randomTurn); }},
    {"--seed", "0 to 2147483647",
     [](LaneSimOptions& o, const char* v) { return SetInt(v, 0, 0x7fffffff, &o.seed); }},
    {"--lane", "player or computer",
     [](LaneSimOptions& o, const char* v) {
         o.computerLane = std::strcmp(v, "computer") == 0;
         return o.computerLane || std::strcmp(v, "player") == 0;
     }},
    {"--human", "0 or 1", [](LaneSimOptions& o, const char* v) { return SetInt(v, 0, 1, &o.setup.human); }},
    {"--ball", "0 or 1",
     [](LaneSimOptions& o, const char* v) { return SetInt(v, 0, 1, &o.setup.ballNumber); }},
    {"--film", "a file name",
     [](LaneSimOptions& o, const char* v) {
         o.filmPath = v;
         return !o.filmPath.empty();
     }},
};

const Option* FindOption(std::string_view name) {
    for (const Option& option : kOptions) {
        if (name == option.name)
            return &option;
    }
    return nullptr;
}

}  // namespace

bool ParseLaneSimOptions(int argc, const char* const* argv, LaneSimOptions* options, std::string* error) {
    LaneSimOptions& o = *options;
    o = LaneSimOptions{};
    BallData_t& ball = o.setup.ball;
    ball.position.x = 5.25f;
    ball.velocity.z = 85.0f;
    ball.mass = 16;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--help") {
            o.help = true;
            return true;
        }
        const Option* option = FindOption(name);
        if (option == nullptr)
            return Fail(error, "unknown option " + Shown(name));
        if (i + 1 >= argc)
            return Fail(error, Shown(name) + " needs a value");
        const char* value = argv[++i];
        if (!option->set(o, value))
            return Fail(error,
                        "bad value '" + Shown(value) + "' for " + option->name + " (" + option->range + ")");
    }
    if (o.oil.empty())
        o.oil = o.computerLane ? "taper" : "dry";
    return true;
}

bool LoadLaneOil(const std::string& oil, OilGrid grid, std::string* error) {
    long n = 0;
    if (oil == "dry") {
        std::memset(grid, 0, sizeof(u16) * OIL_ROWS * OIL_BOARDS);
    } else if (oil == "taper") {
        FillComputerLaneOil(grid);
    } else if (oil.starts_with("flat:") && ParseInt(std::string_view(oil).substr(5), 0, 65535, &n)) {
        for (s32 r = 0; r < OIL_ROWS; ++r)
            for (s32 b = 0; b < OIL_BOARDS; ++b)
                grid[r][b] = u16(n);
    } else if (oil.starts_with("file:")) {
        return LoadOilFile(oil.substr(5), grid, error);
    } else {
        return Fail(error, "cannot read oil '" + Shown(oil) + "'");
    }
    return true;
}
