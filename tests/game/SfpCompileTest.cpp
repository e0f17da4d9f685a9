// The screen-movie compiler: a source's faults named by file and line, the
// limits' last accepted values, and a movie of every feature read back by the
// game's own loader; the demo disc's movies hold the names their screens use.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "source/DefaultDisc.h"
#include "source/SFP/SFPFile.h"
#include "tests/support/GameFixture.h"
#include "tools/sfpcompile/SfpAtlas.h"
#include "tools/sfpcompile/SfpCompile.h"

namespace {

std::string Fault(const std::string& source) {
    const sfpc::IncludeSource includes = [](const std::string& file) -> std::optional<std::string> {
        if (file == "nested.inc")
            return "include other.inc\n";
        return std::nullopt;
    };
    sfpc::CompiledMovie movie;
    std::string error;
    return sfpc::CompileMovie(source, "t.txt", includes, &movie, &error) ? "" : error;
}

std::string Lines(int count, const std::string& line) {
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += line;
    return lines;
}

// A root of `rects` rects and 63 instances of a symbol of 64: 63 x 65 + rects objects in the tree.
std::string Tree(int rects) {
    return "movie m\nsymbol S 1\n" + Lines(64, "rect - 1 1\nkey 0\n") + "end\n" +
           Lines(63, "instance - S\nkey 0\n") + Lines(rects, "rect - 1 1\nkey 0\n");
}

TEST(SfpCompileTest, EachFaultIsOneLineNamingItsFileAndLine) {
    const std::string head = "movie m\nframes 10\n";
    const std::string text = "text t DORVAREG18 18 100 20 \"";
    const struct {
        std::string source, error;
    } rows[] = {
        {"rate 60\n", "t.txt:1: the source does not start with movie NAME"},
        {head + "rate 120\nrate 121\n", "t.txt:4: the rate must be a whole number from 1 to 120, not 121"},
        {head + "bounce 1\n", "t.txt:3: unknown command bounce"},
        {head + "key 0\n", "t.txt:3: a key before any object"},
        {head + text + std::string(1024, 'a') + "\"\nkey 0\n" + text + std::string(1025, 'a') + "\"\n",
         "t.txt:5: a text of more than 1024 bytes"},
        {head + text + "Caf\xC3\xA9 \xE2\x86\x92\"\n", "t.txt:3: character U+2192 is not in Windows-1252"},
        {head + text + "\xC3(\"\n", "t.txt:3: the text is not UTF-8"},
        {head + text + "open\n", "t.txt:3: a text without its closing quote"},
        {head + "text t COMIC 18 100 20\n", "t.txt:3: unknown movie font COMIC"},
        {head + "rect " + std::string(32, 'n') + " 1 1\nkey 0\nrect " + std::string(33, 'n') + " 1 1\n",
         "t.txt:5: " + std::string(33, 'n') + " is longer than 32 bytes"},
        {head + "rect r 1 1\n", "t.txt:3: an object without a key"},
        {head + "rect r 1 1\nkey 5\nkey 5\n", "t.txt:5: key 5 is not after key 5"},
        {head + "rect r 1 1\nkey 9\nkey 10\n", "t.txt:5: key 10 is past the root's last frame 9"},
        {head + "label A 3\nlabel B 3\n", "t.txt:4: label B is not after label A"},
        {"movie m\nlabel Idle 1\nframes 1\n", "t.txt:2: label Idle is past the root's last frame 0"},
        {head + "image i Nothing\nkey 0\n", "t.txt:3: no image named Nothing"},
        {head + "button b 1 1 Up - -\nkey 0\n", "t.txt:3: no symbol named Up"},
        {head + "symbol S 1\nrect - 1 1\nkey 0\n", "t.txt:3: symbol S has no end"},
        {head + "draw A ellipse 2 2\ndraw A ellipse 2 2\n",
         "t.txt:4: image A drawn twice (first at t.txt:3)"},
        {head + "symbol B 1\nbutton - 1 1 - A -\nkey 0\nend\nsymbol A 1\ninstance - B\nkey 0\nend\n",
         "t.txt:3: symbols hold themselves: B holds A holds B"},
        {head + "symbol A 1\ninstance - A\nkey 0\nend\n", "t.txt:3: symbols hold themselves: A holds A"},
        {head + "include other.inc\n", "t.txt:3: cannot read other.inc"},
        {head + "include nested.inc\n", "nested.inc:1: an included file includes no other"},
        {head + "draw Wide roundrect 1020 4\ndraw Wider roundrect 1021 4\n",
         "t.txt:4: image Wider is 1021x4; an atlas takes images of at most 1020x1020"},
        {Tree(1), ""},
        {Tree(2), "t.txt:1: the movie's tree holds more than 4096 objects"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Fault(row.source), row.error) << row.source.substr(0, 200);
}

// Each image's texels name the image and the texel, so a misplaced or overwritten one shows.
discbuild::RgbaImage Numbered(u8 index, u32 width, u32 height) {
    discbuild::RgbaImage image{width, height, {}};
    for (u32 y = 0; y < height; ++y)
        for (u32 x = 0; x < width; ++x)
            image.rgba.insert(image.rgba.end(), {index, u8(x), u8(y), u8(x >> 8 | y >> 8 << 4)});
    return image;
}

TEST(SfpAtlasTest, EveryImageSitsInsideItsAtlasRingedByItsEdges) {
    const struct {
        std::vector<std::array<u32, 2>> sizes;
        std::vector<std::array<u32, 2>> atlases;
    } rows[] = {
        {{{1020, 1020}}, {{1024, 1024}}},
        {{{1020, 1020}, {1, 1}}, {{1024, 1024}, {8, 8}}},
        {{{3, 9}, {40, 2}, {1, 1}, {60, 30}, {5, 5}}, {{64, 64}}},
    };
    for (const auto& row : rows) {
        std::vector<discbuild::RgbaImage> images;
        for (const auto& [w, h] : row.sizes)
            images.push_back(Numbered(u8(images.size() + 1), w, h));
        const sfpc::Atlases packed = sfpc::PackAtlases(images);
        ASSERT_EQ(packed.atlases.size(), row.atlases.size());
        for (size_t a = 0; a < row.atlases.size(); ++a) {
            EXPECT_EQ(packed.atlases[a].width, row.atlases[a][0]);
            EXPECT_EQ(packed.atlases[a].height, row.atlases[a][1]);
        }
        for (size_t i = 0; i < images.size(); ++i) {
            const sfpc::AtlasPlace& at = packed.places[i];
            const discbuild::RgbaImage& atlas = packed.atlases[at.atlas];
            const s64 w = images[i].width, h = images[i].height, pad = sfpc::kAtlasPad;
            ASSERT_TRUE(at.x >= pad && at.y >= pad && at.x + w + pad <= atlas.width &&
                        at.y + h + pad <= atlas.height);
            u32 wrong = 0;
            for (s64 y = -pad; y < h + pad; ++y) {
                for (s64 x = -pad; x < w + pad; ++x) {
                    const u8* texel = &atlas.rgba[((at.y + y) * atlas.width + at.x + x) * 4];
                    const u8* edge =
                        &images[i]
                             .rgba[(std::clamp<s64>(y, 0, h - 1) * w + std::clamp<s64>(x, 0, w - 1)) * 4];
                    wrong += !std::equal(edge, edge + 4, texel);
                }
            }
            EXPECT_EQ(wrong, 0u) << "image " << i;
        }
    }
}

const char* const kEveryFeature = R"(movie Features
rate 30
frames 20
label TransIn 0
label Idle 10
draw Face roundrect 40 20 radius 6 fill panel-top panel-bottom border 2 outline
draw Halo glow 60 40 radius 10 spread 10 colour accent
draw Line rule 100 2 clear accent clear
draw Strap remote 60 100
draw Pin pin 20 50
draw Ball ball 30 30
draw Dot ellipse 10 10
draw Ring roundrect 12 12 fill clear border 1 white
# Leaf comes first in the source but is held by Mid, so it is stored after it.
symbol Leaf 4
  rect - 5 5
    key 0 colour accent
    key 3 alpha 0 ease step
end
symbol Mid 2
  instance Inner Leaf
    key 0
  image - Pin
    key 0
end
symbol Up 1
  image - Face
    key 0
end
instance Sprite Mid
  key 0 x 10 y 20 sx 2 sy 3 rot 45 ease inout
  key 19 hide
button Btn1 40 20 Up - Up hit -2 -2 44 24
  key 0 x 100
text txtTest1 "AGENCY FB" 18 200 20 right middle wrap colour secondary "Über “quotes” – 1€\nline"
  key 0
)";

class SfpCompileMovieTest : public GameFixture {};

TEST_F(SfpCompileMovieTest, AMovieOfEveryFeatureLoadsAsWritten) {
    sfpc::CompiledMovie out;
    std::string error;
    ASSERT_TRUE(sfpc::CompileMovie(kEveryFeature, "every.txt", &out, &error)) << error;
    EXPECT_EQ(out.name, "Features");
    s_sfp_movie* movie = SFPFileParse(out.sfp.data(), u32(out.sfp.size()), "Features");
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->frameRate, 30u);
    EXPECT_EQ(movie->numInstances, 8u);

    // Root, Mid, Leaf, Up: every symbol before the ones it holds.
    ASSERT_EQ(movie->symbols.size(), 4u);
    const s_sfp_object& sprite = movie->objects[movie->symbols[0].firstObject];
    EXPECT_EQ(sprite.ref, 1u);
    const s_sfp_object& inner = movie->objects[movie->symbols[1].firstObject];
    EXPECT_STREQ(inner.name, "Inner");
    EXPECT_EQ(inner.ref, 2u);
    EXPECT_EQ(movie->symbols[2].numFrames, 4u);
    const s_sfp_button& button = movie->buttons[0];
    EXPECT_EQ(button.look[0], 3);
    EXPECT_EQ(button.look[1], -1);
    EXPECT_EQ(button.look[2], 3);
    EXPECT_EQ(button.hitW, 44.0f);

    // Keys carry what they do not say; alpha keeps the colour.
    const s_sfp_key& hidden = movie->keys[sprite.firstKey + 1];
    EXPECT_EQ(hidden.visible, 0);
    EXPECT_EQ(hidden.ease, SFP_EASE_INOUT);
    EXPECT_EQ(hidden.scaleY, 3.0f);
    EXPECT_EQ(hidden.rotation, 45.0f);
    const s_sfp_object& fading = movie->objects[movie->symbols[2].firstObject];
    EXPECT_EQ(movie->keys[fading.firstKey + 1].color, 0xFFB34700u);
    EXPECT_EQ(movie->keys[fading.firstKey + 1].ease, SFP_EASE_STEP);

    const s_sfp_text& text = movie->texts[0];
    EXPECT_STREQ(text.text,
                 "\xDC"
                 "ber \x93quotes\x94 \x96 1\x80\nline");
    EXPECT_STREQ(movie->fonts[text.font].name, "AGENCY FB");
    EXPECT_EQ(text.align, SFP_ALIGN_RIGHT);
    EXPECT_EQ(text.valign, SFP_VALIGN_MIDDLE);
    EXPECT_EQ(text.wrap, 1);

    // Every image lies inside its atlas, at its drawn size, overlapping no other.
    const f32 sizes[][2] = {{40, 20}, {60, 40}, {100, 2}, {60, 100}, {20, 50}, {30, 30}, {10, 10}, {12, 12}};
    ASSERT_EQ(movie->images.size(), std::size(sizes));
    for (size_t i = 0; i < movie->images.size(); ++i) {
        const s_sfp_image& a = movie->images[i];
        EXPECT_LT(a.texture, movie->textures.size());
        EXPECT_TRUE(0 <= a.u0 && a.u0 < a.u1 && a.u1 <= 1 && 0 <= a.v0 && a.v0 < a.v1 && a.v1 <= 1) << i;
        EXPECT_EQ(a.width, sizes[i][0]);
        EXPECT_EQ(a.height, sizes[i][1]);
        for (size_t j = 0; j < i; ++j) {
            const s_sfp_image& b = movie->images[j];
            const bool apart = a.u1 <= b.u0 || b.u1 <= a.u0 || a.v1 <= b.v0 || b.v1 <= a.v0;
            EXPECT_TRUE(apart || a.texture != b.texture) << i << " overlaps " << j;
        }
    }
    // The archive holds the textures the timeline names, in order.
    size_t at = 0;
    for (const s_sfp_texture& texture : movie->textures) {
        ASSERT_LE(at + 32, out.sfc.size());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out.sfc[at])), texture.name);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out.sfc[at + 16]), 4), std::string("TIM\0", 4));
        at += 32 + 4 + LoadBE32(&out.sfc[at + 32]);  // a compressed chunk: its length, then its data
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&out.sfc[at + 16])), "WEND");
    SFPFileFree(movie);
}

// The demo disc's movies load, and hold the labels, buttons and sprites their screens find by name.
TEST_F(SfpCompileMovieTest, TheDiscsMoviesHoldWhatTheirScreensName) {
    const std::vector<std::string> labels = {"TransIn", "Idle", "TransOut"};
    const struct {
        const char* movie;
        std::vector<std::string> names;
    } rows[] = {
        {"templateFlash", {"Btn1", "Btn2", "Btn3", "Btn4", "txtTest1", "txtTest2"}},
        {"WIIStrap", {"ENGSPR", "FRNSPR", "GERSPR", "SPNSPR", "ITASPR"}},
        {"WIIWStrap", {"ENGSPR", "FRNSPR", "GERSPR", "SPNSPR", "ITASPR"}},
        {"WiiLicense", {}},
        {"Legal", {"TxtLegal"}},
        {"Start", {"TxtStart"}},
    };
    for (const auto& row : rows) {
        std::ifstream file(
            std::filesystem::path(DefaultDiscRoot()) / "DATA" / "640" / (std::string(row.movie) + ".sfp"),
            std::ios::binary);
        const std::vector<u8> image{std::istreambuf_iterator<char>(file), {}};
        s_sfp_movie* movie = SFPFileParse(image.data(), u32(image.size()), row.movie);
        ASSERT_NE(movie, nullptr) << row.movie;
        const auto root = movie->labels.subspan(movie->symbols[0].firstLabel, movie->symbols[0].numLabels);
        std::vector<std::string> found;
        for (const s_sfp_label& label : root)
            found.push_back(label.name);
        EXPECT_EQ(found, labels) << row.movie;
        for (const std::string& name : row.names) {
            const auto named = [&](const s_sfp_object& object) { return name == object.name; };
            EXPECT_TRUE(std::any_of(movie->objects.begin(), movie->objects.end(), named))
                << row.movie << " " << name;
        }
        SFPFileFree(movie);
    }
}

}  // namespace
