#include "tools/discbuild/SpriteSheet.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "tools/discbuild/DiscSources.h"
#include "tools/discbuild/TimWriter.h"
#include "tools/discbuild/WadWriter.h"

namespace discbuild {

namespace {

namespace fs = std::filesystem;

constexpr u32 kMaxSheetSide = 1024;
constexpr int kSubsamples = 4;  // per side, for the edges of discs and triangles

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

u32 ParseColour(const std::string& word) {
    if (word.size() != 8 || word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw std::invalid_argument("colour must be 8 hex digits RRGGBBAA: " + word);
    return u32(std::stoul(word, nullptr, 16));
}

// Paints over what is there with the colour's alpha scaled by `coverage`.
void Blend(RgbaImage& sheet, int x, int y, u32 rgba, float coverage) {
    u8* p = &sheet.rgba[(size_t(y) * sheet.width + size_t(x)) * 4];
    const float a = float(rgba & 0xFF) / 255.0f * coverage;
    const float src[3] = {float(rgba >> 24), float(rgba >> 16 & 0xFF), float(rgba >> 8 & 0xFF)};
    for (int c = 0; c < 3; ++c)
        p[c] = u8(std::lround(src[c] * a + float(p[c]) * (1.0f - a)));
    p[3] = u8(std::lround(255.0f * a + float(p[3]) * (1.0f - a)));
}

// Paints each pixel of the cell by the share of its subsamples `inside` accepts.
template <typename Inside>
void PaintCovered(RgbaImage& sheet, const Rect& cell, u32 rgba, Inside inside) {
    for (int y = 0; y < cell.h; ++y) {
        for (int x = 0; x < cell.w; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSubsamples; ++sy)
                for (int sx = 0; sx < kSubsamples; ++sx)
                    hits += inside(float(x) + (float(sx) + 0.5f) / kSubsamples,
                                   float(y) + (float(sy) + 0.5f) / kSubsamples);
            if (hits != 0)
                Blend(sheet, cell.x + x, cell.y + y, rgba, float(hits) / (kSubsamples * kSubsamples));
        }
    }
}

float Edge(float ax, float ay, float bx, float by, float px, float py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

class Painter {
public:
    explicit Painter(PaintedSpriteSet& out) : out_(out) {}

    void Line(std::istringstream& words) {
        std::string command;
        words >> command;
        if (command == "@sheet")
            Sheet(words);
        else if (command == "cell")
            Cell(words);
        else if (command == "box" || command == "vgrad" || command == "disc" || command == "poly")
            Shape(command, words);
        else if (command == "anim")
            Animation(words);
        else if (command == "frame")
            Frame(words);
        else
            throw std::invalid_argument("unknown command: " + command);
        std::string rest;
        if (words >> rest)
            throw std::invalid_argument("unexpected: " + rest);
    }

    void Finish() {
        if (out_.set.cells.empty())
            throw std::invalid_argument("no cells");
    }

private:
    template <typename T>
    static T Read(std::istringstream& words) {
        T value{};
        if (!(words >> value))
            throw std::invalid_argument("missing or bad number");
        return value;
    }
    static u32 Colour(std::istringstream& words) {
        std::string word;
        if (!(words >> word))
            throw std::invalid_argument("missing colour");
        return ParseColour(word);
    }

    void Sheet(std::istringstream& words) {
        const u32 w = Read<u32>(words), h = Read<u32>(words);
        const auto pow2 = [](u32 v) { return v >= 4 && v <= kMaxSheetSide && (v & (v - 1)) == 0; };
        if (!out_.sheet.rgba.empty() || !pow2(w) || !pow2(h))
            throw std::invalid_argument("one @sheet, each side a power of two from 4 to 1024");
        out_.sheet = {w, h, std::vector<u8>(size_t(w) * h * 4, 0)};
        out_.set.textures = {out_.name + "_T"};
    }

    void Cell(std::istringstream& words) {
        if (out_.sheet.rgba.empty())
            throw std::invalid_argument("cell before @sheet");
        std::string name;
        words >> name;
        Rect r{Read<int>(words), Read<int>(words), Read<int>(words), Read<int>(words)};
        if (r.x < 0 || r.y < 0 || r.w <= 0 || r.h <= 0 || u32(r.x + r.w) > out_.sheet.width ||
            u32(r.y + r.h) > out_.sheet.height)
            throw std::invalid_argument("cell outside the sheet: " + name);
        if (!cellIndex_.emplace(name, u32(out_.set.cells.size())).second)
            throw std::invalid_argument("cell named twice: " + name);
        const float w = float(out_.sheet.width), h = float(out_.sheet.height);
        const float u0 = float(r.x) / w, v0 = float(r.y) / h;
        const float u1 = float(r.x + r.w) / w, v1 = float(r.y + r.h) / h;
        SpriteCell cell;
        cell.uv = {u0, v0, u1, v0, u1, v1, u0, v1};
        out_.set.cells.push_back(cell);
        cell_ = r;
    }

    void Shape(const std::string& kind, std::istringstream& words) {
        if (cell_.w == 0)
            throw std::invalid_argument(kind + " outside a cell");
        const Rect& c = cell_;
        if (kind == "box" || kind == "vgrad") {
            const Rect r{Read<int>(words), Read<int>(words), Read<int>(words), Read<int>(words)};
            const u32 top = Colour(words);
            const u32 bottom = kind == "vgrad" ? Colour(words) : top;
            for (int y = std::max(r.y, 0); y < std::min(r.y + r.h, c.h); ++y) {
                const float t = r.h > 1 ? float(y - r.y) / float(r.h - 1) : 0.0f;
                u32 rgba = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    const float a = float(top >> shift & 0xFF), b = float(bottom >> shift & 0xFF);
                    rgba |= u32(std::lround(a + (b - a) * t)) << shift;
                }
                for (int x = std::max(r.x, 0); x < std::min(r.x + r.w, c.w); ++x)
                    Blend(out_.sheet, c.x + x, c.y + y, rgba, 1.0f);
            }
        } else if (kind == "disc") {
            const float cx = Read<float>(words), cy = Read<float>(words), radius = Read<float>(words);
            PaintCovered(out_.sheet, c, Colour(words), [&](float x, float y) {
                return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
            });
        } else {
            // poly N X0 Y0 ... COLOUR: inside by the non-zero winding rule.
            const int count = Read<int>(words);
            if (count < 3 || count > 64)
                throw std::invalid_argument("poly needs 3 to 64 points");
            std::vector<float> p(size_t(2 * count));
            for (float& v : p)
                v = Read<float>(words);
            PaintCovered(out_.sheet, c, Colour(words), [&](float x, float y) {
                int winding = 0;
                for (int i = 0; i < count; ++i) {
                    const int j = (i + 1) % count;
                    const float ay = p[size_t(2 * i + 1)], by = p[size_t(2 * j + 1)];
                    const float side = Edge(p[size_t(2 * i)], ay, p[size_t(2 * j)], by, x, y);
                    if (ay <= y && by > y && side > 0)
                        ++winding;
                    else if (ay > y && by <= y && side < 0)
                        --winding;
                }
                return winding != 0;
            });
        }
    }

    void Animation(std::istringstream& words) {
        std::string name;
        if (!(words >> name))
            throw std::invalid_argument("anim needs a name");
        out_.set.animations.emplace_back();
    }

    // One frame: the cell as a w x h quad centred on the origin, y up.
    void Frame(std::istringstream& words) {
        if (out_.set.animations.empty())
            throw std::invalid_argument("frame before anim");
        std::string name;
        words >> name;
        const auto cell = cellIndex_.find(name);
        if (cell == cellIndex_.end())
            throw std::invalid_argument("no such cell: " + name);
        const float hw = Read<float>(words) / 2, hh = Read<float>(words) / 2;
        std::string word;
        const u32 colour = words >> word ? ParseColour(word) : 0xFFFFFFFFu;
        FrameSprite sprite;
        sprite.cell = cell->second;
        const float corners[4][2] = {{-hw, hh}, {hw, hh}, {hw, -hh}, {-hw, -hh}};
        for (int k = 0; k < 4; ++k)
            sprite.corners[size_t(k)] = {corners[k][0], corners[k][1], 0.0f, colour};
        out_.set.animations.back().frames.push_back({sprite});
    }

    PaintedSpriteSet& out_;
    std::map<std::string, u32> cellIndex_;
    Rect cell_;
};

}  // namespace

PaintedSpriteSet PaintSpriteSet(const std::string& name, const std::string& text) {
    PaintedSpriteSet out;
    out.name = name;
    Painter painter(out);
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#')
            continue;
        try {
            std::istringstream words(line);
            painter.Line(words);
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument(name + ":" + std::to_string(number) + ": " + error.what());
        }
    }
    painter.Finish();
    return out;
}

void BuildDiscSprites(const std::string& dataDir, const std::string& discDir) {
    const std::vector<fs::path> sources = SortedFiles(fs::path(dataDir) / "sprites", ".txt");
    if (sources.empty())
        return;
    WadWriter wad;
    for (const fs::path& path : sources) {
        std::string name = path.stem().string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return char(std::toupper(c)); });
        const PaintedSpriteSet painted = PaintSpriteSet(name, ReadFile(path));
        TimTexture sheet;
        sheet.image = painted.sheet;
        // The archive loads the sheet before the set that names it.
        wad.Add({painted.set.textures[0], "TIM", TimPayload(sheet), kWadCompressed});
        wad.Add({name, "SPR", SprPayload(painted.set)});
    }
    const fs::path archive = fs::path(discDir) / "DATA" / "SPRITES.WAD";
    fs::create_directories(archive.parent_path());
    if (!wad.Write(archive.string()))
        throw std::runtime_error("cannot write " + archive.string());
}

}  // namespace discbuild
