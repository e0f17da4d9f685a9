#include "tools/sfpcompile/SfpSource.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <sstream>

#include "source/SFP/SFPFileFormat.h"
#include "tools/sfpcompile/SfpStyle.h"
#include "tools/sfpcompile/SfpWords.h"

namespace sfpc {

namespace {

constexpr f32 kMaxCoordinate = 65536.0f;
constexpr u32 kMaxImageSide = 4096;  // drawn images; the atlas takes less

const std::map<std::string, e_sfp_kind> kObjectKinds = {
    {"rect", SFP_KIND_RECT},     {"image", SFP_KIND_IMAGE},       {"text", SFP_KIND_TEXT},
    {"button", SFP_KIND_BUTTON}, {"instance", SFP_KIND_INSTANCE},
};

const std::map<std::string, Shape> kShapes = {
    {"roundrect", Shape::RoundRect}, {"ellipse", Shape::Ellipse}, {"glow", Shape::Glow},
    {"rule", Shape::Rule},           {"remote", Shape::Remote},   {"pin", Shape::Pin},
    {"ball", Shape::Ball},
};

const std::map<std::string, e_sfp_ease> kEases = {
    {"linear", SFP_EASE_LINEAR}, {"in", SFP_EASE_IN},     {"out", SFP_EASE_OUT},
    {"inout", SFP_EASE_INOUT},   {"step", SFP_EASE_STEP},
};

// Refuses a name that one of `defined` already has, naming where it was first.
template <class Source>
void RefuseTwice(SfpWords& words, const std::vector<Source>& defined, const std::string& name,
                 const std::string& what) {
    for (const Source& other : defined)
        if (other.name == name)
            words.Fail(what + " (first at " + At(other.where) + ")");
}

class Parser {
public:
    Parser(MovieSource& movie, const IncludeSource& includes) : movie_(movie), includes_(includes) {
        movie_.symbols.emplace_back();
    }

    void File(const std::string& text, const std::string& file, bool included) {
        std::istringstream lines(text);
        std::string line;
        const size_t depth = open_.size();
        Where where{file, 0};
        while (std::getline(lines, line)) {
            ++where.line;
            const size_t first = line.find_first_not_of(" \t\r");
            if (first == std::string::npos || line[first] == '#')
                continue;
            SfpWords words(line, where);
            Line(words, included);
            words.End();
        }
        if (open_.size() != depth)
            Fail(Symbol().where, "symbol " + Symbol().name + " has no end");
    }

    void Finish(const std::string& file) {
        if (movie_.name.empty())
            Fail({file, 1}, "the source does not start with movie NAME");
        for (const SymbolSource& symbol : movie_.symbols)
            CheckFrames(symbol);
    }

private:
    SymbolSource& Symbol() { return movie_.symbols[open_.empty() ? 0 : open_.back()]; }

    void Line(SfpWords& words, bool included) {
        const std::string command = words.Word("a command");
        if (movie_.name.empty() && command != "movie")
            words.Fail("the source does not start with movie NAME");
        if (command == "movie")
            Movie(words);
        else if (command == "rate" || command == "size" || command == "frames" || command == "include")
            TopLevel(command, words, included);
        else if (command == "label")
            Label(words);
        else if (command == "draw")
            Draw(words);
        else if (command == "symbol")
            BeginSymbol(words);
        else if (command == "end")
            EndSymbol(words);
        else if (command == "key")
            Key(words);
        else if (const auto kind = kObjectKinds.find(command); kind != kObjectKinds.end())
            Object(kind->second, words);
        else
            words.Fail("unknown command " + command);
    }

    void Movie(SfpWords& words) {
        if (!movie_.name.empty())
            words.Fail("a second movie line");
        movie_.name = words.Word("the movie's name");
        movie_.symbols[0].where = words.At();
        const bool plain = std::all_of(movie_.name.begin(), movie_.name.end(),
                                       [](unsigned char c) { return std::isalnum(c) || c == '_'; });
        if (!plain || movie_.name.size() > SFP_NAME_LEN)
            words.Fail("a movie's name is letters, digits and _, at most 32 of them");
    }

    void TopLevel(const std::string& command, SfpWords& words, bool included) {
        if (!open_.empty())
            words.Fail(command + " inside a symbol");
        if (command == "rate") {
            movie_.rate = u32(words.Int("the rate", 1, SFP_MAX_RATE));
        } else if (command == "size") {
            movie_.width = u32(words.Int("the width", 1, SFP_MAX_STAGE));
            movie_.height = u32(words.Int("the height", 1, SFP_MAX_STAGE));
        } else if (command == "frames") {
            movie_.symbols[0].frames = u32(words.Int("the frame count", 1, SFP_MAX_FRAMES));
        } else {
            const std::string file = words.Word("the file to include");
            if (included)
                words.Fail("an included file includes no other");
            const std::optional<std::string> text = includes_ ? includes_(file) : std::nullopt;
            if (!text)
                words.Fail("cannot read " + file);
            File(*text, file, true);
        }
    }

    void Label(SfpWords& words) {
        LabelSource label{words.At(), Name(words, "the label's name"), 0};
        label.frame = u32(words.Int("the label's frame", 0, SFP_MAX_FRAMES - 1));
        for (const LabelSource& other : Symbol().labels) {
            if (other.name == label.name)
                words.Fail("label " + label.name + " named twice");
            if (other.frame >= label.frame)
                words.Fail("label " + label.name + " is not after label " + other.name);
        }
        Symbol().labels.push_back(std::move(label));
    }

    void Draw(SfpWords& words) {
        DrawSource draw;
        draw.where = words.At();
        draw.name = words.Word("the image's name");
        RefuseTwice(words, movie_.draws, draw.name, "image " + draw.name + " drawn twice");
        const std::string shape = words.Word("a shape");
        const auto found = kShapes.find(shape);
        if (found == kShapes.end())
            words.Fail("unknown shape " + shape);
        draw.shape = found->second;
        draw.width = u32(words.Int("the width", 1, kMaxImageSide));
        draw.height = u32(words.Int("the height", 1, kMaxImageSide));
        const f32 side = f32(std::min(draw.width, draw.height));
        switch (draw.shape) {
            case Shape::RoundRect:
            case Shape::Ellipse:
                draw.colours = {0xFFFFFFFF, 0xFFFFFFFF};
                while (!words.Done()) {
                    if (draw.shape == Shape::RoundRect && words.Take("radius")) {
                        draw.radius = words.Number("the radius", 0, side / 2);
                    } else if (words.Take("fill")) {
                        draw.colours[0] = draw.colours[1] = words.Colour();
                        if (words.NextIsColour())
                            draw.colours[1] = words.Colour();
                    } else if (words.Take("border")) {
                        draw.borderWidth = words.Number("the border's width", 0, side / 2);
                        draw.borderColour = words.Colour();
                    } else {
                        words.Fail("unexpected " + words.Word("a word"));
                    }
                }
                break;
            case Shape::Glow:
                draw.colours = {0xFFFFFFFF};
                while (!words.Done()) {
                    if (words.Take("radius"))
                        draw.radius = words.Number("the radius", 0, side / 2);
                    else if (words.Take("spread"))
                        draw.spread = words.Number("the spread", 0, side / 2);
                    else if (words.Take("colour"))
                        draw.colours[0] = words.Colour();
                    else
                        words.Fail("unexpected " + words.Word("a word"));
                }
                break;
            case Shape::Rule:
                while (words.NextIsColour())
                    draw.colours.push_back(words.Colour());
                if (draw.colours.size() < 2)
                    words.Fail("a rule needs two colours or more");
                break;
            default:
                break;
        }
        movie_.draws.push_back(std::move(draw));
    }

    void BeginSymbol(SfpWords& words) {
        SymbolSource symbol;
        symbol.where = words.At();
        symbol.name = words.Word("the symbol's name");
        RefuseTwice(words, movie_.symbols, symbol.name, "symbol " + symbol.name + " defined twice");
        symbol.frames = u32(words.Int("the frame count", 1, SFP_MAX_FRAMES));
        open_.push_back(movie_.symbols.size());
        movie_.symbols.push_back(std::move(symbol));
    }

    void EndSymbol(SfpWords& words) {
        if (open_.empty())
            words.Fail("end without a symbol");
        open_.pop_back();
    }

    void Object(e_sfp_kind kind, SfpWords& words) {
        ObjectSource object;
        object.where = words.At();
        object.name = Name(words, "the object's name");
        object.kind = kind;
        switch (kind) {
            case SFP_KIND_RECT:
                object.width = words.Number("the width", 0, kMaxCoordinate);
                object.height = words.Number("the height", 0, kMaxCoordinate);
                break;
            case SFP_KIND_IMAGE:
                object.ref = words.Word("the image's name");
                break;
            case SFP_KIND_INSTANCE:
                object.ref = words.Word("the symbol's name");
                break;
            case SFP_KIND_TEXT:
                TextObject(object, words);
                break;
            default:
                ButtonObject(object, words);
                break;
        }
        Symbol().objects.push_back(std::move(object));
    }

    // text NAME FONT SIZE W H [left|centre|right] [top|middle] [wrap] [colour C] ["TEXT"]
    void TextObject(ObjectSource& object, SfpWords& words) {
        // A font name with spaces is quoted.
        object.font = words.NextIsText() ? words.Text() : words.Word("the font");
        if (!IsMovieFont(object.font))
            words.Fail("unknown movie font " + object.font);
        object.size = words.Number("the size", 1, 256);
        object.width = words.Number("the width", 0, kMaxCoordinate);
        object.height = words.Number("the height", 0, kMaxCoordinate);
        while (!words.Done()) {
            if (words.Take("left") || words.Take("top"))
                continue;
            if (words.Take("centre"))
                object.align = SFP_ALIGN_CENTRE;
            else if (words.Take("right"))
                object.align = SFP_ALIGN_RIGHT;
            else if (words.Take("middle"))
                object.valign = SFP_VALIGN_MIDDLE;
            else if (words.Take("wrap"))
                object.wrap = 1;
            else if (words.Take("colour"))
                object.colour = words.Colour();
            else
                break;
        }
        if (!words.Done())
            object.text = words.Text();
        if (object.text.size() > SFP_MAX_TEXT)
            words.Fail("a text of more than " + std::to_string(SFP_MAX_TEXT) + " bytes");
    }

    // button NAME W H UP OVER DOWN [hit X Y W H]
    void ButtonObject(ObjectSource& object, SfpWords& words) {
        object.width = words.Number("the width", 0, kMaxCoordinate);
        object.height = words.Number("the height", 0, kMaxCoordinate);
        for (std::string& look : object.looks) {
            look = words.Word("a look's symbol (or -)");
            look = look == "-" ? "" : look;
        }
        f32* hit = object.hit;
        if (words.Take("hit")) {
            hit[0] = words.Number("the hit area's x", -kMaxCoordinate, kMaxCoordinate);
            hit[1] = words.Number("the hit area's y", -kMaxCoordinate, kMaxCoordinate);
            hit[2] = words.Number("the hit area's width", 0, kMaxCoordinate);
            hit[3] = words.Number("the hit area's height", 0, kMaxCoordinate);
        } else {
            hit[2] = object.width, hit[3] = object.height;
        }
    }

    // key FRAME [x X] [y Y] [sx S] [sy S] [scale S] [rot R] [colour C] [alpha A] [hide|show] [ease E]
    void Key(SfpWords& words) {
        if (Symbol().objects.empty())
            words.Fail("a key before any object");
        ObjectSource& object = Symbol().objects.back();
        s_sfp_key key{0, SFP_EASE_LINEAR, 1, 0, 0, 1, 1, 0, 0xFFFFFFFF};
        if (!object.keys.empty())
            key = object.keys.back();
        key.frame = u16(words.Int("the key's frame", 0, SFP_MAX_FRAMES - 1));
        if (!object.keys.empty() && key.frame <= object.keys.back().frame)
            words.Fail("key " + std::to_string(key.frame) + " is not after key " +
                       std::to_string(object.keys.back().frame));
        while (!words.Done()) {
            if (words.Take("x"))
                key.x = words.Number("x", -kMaxCoordinate, kMaxCoordinate);
            else if (words.Take("y"))
                key.y = words.Number("y", -kMaxCoordinate, kMaxCoordinate);
            else if (words.Take("sx"))
                key.scaleX = words.Number("sx", -kMaxCoordinate, kMaxCoordinate);
            else if (words.Take("sy"))
                key.scaleY = words.Number("sy", -kMaxCoordinate, kMaxCoordinate);
            else if (words.Take("scale"))
                key.scaleX = key.scaleY = words.Number("the scale", -kMaxCoordinate, kMaxCoordinate);
            else if (words.Take("rot"))
                key.rotation = words.Number("the rotation", -kMaxCoordinate, kMaxCoordinate);
            else if (words.Take("colour"))
                key.color = words.Colour();
            else if (words.Take("alpha"))
                key.color = (key.color & 0xFFFFFF00) | u32(std::lround(words.Number("alpha", 0, 1) * 255));
            else if (words.Take("hide"))
                key.visible = 0;
            else if (words.Take("show"))
                key.visible = 1;
            else if (words.Take("ease"))
                key.ease = Ease(words);
            else
                words.Fail("unexpected " + words.Word("a word"));
        }
        object.keys.push_back(key);
        object.keyWhere.push_back(words.At());
    }

    static e_sfp_ease Ease(SfpWords& words) {
        const std::string name = words.Word("an easing");
        const auto found = kEases.find(name);
        if (found == kEases.end())
            words.Fail("unknown easing " + name + " (linear, in, out, inout, step)");
        return found->second;
    }

    // An object's or label's name as stored; "-" for none.
    static std::string Name(SfpWords& words, const char* what) {
        std::string name = words.Word(what);
        if (name.size() > SFP_NAME_LEN)
            words.Fail(name + " is longer than " + std::to_string(SFP_NAME_LEN) + " bytes");
        const bool plain =
            std::all_of(name.begin(), name.end(), [](unsigned char c) { return c > 0x20 && c < 0x7F; });
        if (!plain)
            words.Fail("a name is printable ASCII");
        return name == "-" ? "" : name;
    }

    void CheckFrames(const SymbolSource& symbol) {
        const std::string of = symbol.name.empty() ? "the root's" : "symbol " + symbol.name + "'s";
        const std::string past = " is past " + of + " last frame " + std::to_string(symbol.frames - 1);
        for (const LabelSource& label : symbol.labels)
            if (label.frame >= symbol.frames)
                Fail(label.where, "label " + label.name + past);
        for (const ObjectSource& object : symbol.objects) {
            if (object.keys.empty())
                Fail(object.where, "an object without a key");
            for (size_t i = 0; i < object.keys.size(); ++i)
                if (object.keys[i].frame >= symbol.frames)
                    Fail(object.keyWhere[i], "key " + std::to_string(object.keys[i].frame) + past);
        }
    }

    MovieSource& movie_;
    const IncludeSource& includes_;
    std::vector<size_t> open_;  // the symbols whose "end" is still to come
};

}  // namespace

MovieSource ParseMovieSource(const std::string& text, const std::string& file,
                             const IncludeSource& includes) {
    MovieSource movie;
    Parser parser(movie, includes);
    parser.File(text, file, false);
    parser.Finish(file);
    return movie;
}

}  // namespace sfpc
