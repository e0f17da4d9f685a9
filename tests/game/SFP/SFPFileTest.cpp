// A written movie parses back to the record it was written from; a damaged one
// is refused with its one line and leaves the heaps as they were.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Heap.h"
#include "source/SFP/SFPFileFormat.h"
#include "tests/support/GameFixture.h"
#include "tests/support/SfpTestMovies.h"

namespace {

using Bytes = std::vector<u8>;
using sfptest::Tables;

Bytes Edited(const std::function<void(Tables&)>& edit) {
    Tables t = sfptest::Sample();
    edit(t);
    return t.Image();
}

// The sample's image with the word of `table`'s record `index` at `field` set.
Bytes Patched(e_sfp_table table, u32 index, u32 field, u32 value) {
    Bytes image = sfptest::Sample().Image();
    StoreBE32(&image[LoadBE32(&image[SFP_FILE_TABLES_AT + 8 * table + 4]) +
                     SFP_FILE_RECORD_SIZE[table] * index + field],
              value);
    return image;
}
Bytes Header(u32 at, u32 value) {
    Bytes image = sfptest::Sample().Image();
    StoreBE32(&image[at], value);
    return image;
}

// 64 symbols each nesting the next twice, and ten rects in the root: 2^65 + 8
// instances, which a sum that wraps in 32 or 64 bits takes for 8.
Bytes Explosion() {
    Tables t = sfptest::Tree(2, 0, 10);
    for (u32 s = 1; s < 64; ++s) {
        t.symbols.insert(t.symbols.end() - 1, {1, 0, 0, u32(t.objects.size()), 2});
        t.objects.resize(t.objects.size() + 2, {"Half", SFP_KIND_INSTANCE, s + 1, 0.0f, 0.0f, 0, 1});
    }
    t.symbols.back() = {1, 0, 0, 0, 0};
    sfptest::Key(t);
    return t.Image();
}

class SFPFileTest : public GameFixture {
protected:
    // The engine's start-up lines are no movie's.
    void SetUp() override {
        GameFixture::SetUp();
        report_->clear();
    }
};

TEST_F(SFPFileTest, AWrittenMovieParsesBackAsWritten) {
    const Bytes image = sfptest::Sample().Image();
    s_sfp_movie* movie = SFPFileParse(image.data(), u32(image.size()), "templateFlash");
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(report().text(), "");
    // Every field: the parsed record writes the same file again.
    EXPECT_EQ(sfpc::WriteSfp(*movie), image);
    EXPECT_EQ(movie->numInstances, 10u);
    EXPECT_STREQ(movie->fonts[0].name, "BUTTON_FONT_WITH_A_32_CHAR_NAME_");
    EXPECT_STREQ(movie->texts[0].text, "Press \xC9 and B");
    EXPECT_STREQ(movie->texts[1].text, "");
    EXPECT_EQ(movie->buttons[0].look[2], -1);
    EXPECT_EQ(movie->keys[1].rotation, -90.0f);
    // The layout docs/screenmovies.md gives: the header, the second key, the pool.
    EXPECT_EQ(LoadBE32(&image[0]), 0x53465031u);
    const u32 key = LoadBE32(&image[80]) + 28;
    EXPECT_EQ(LoadBE16(&image[key]), 0u);
    EXPECT_EQ(image[key + 2], SFP_EASE_OUT);
    EXPECT_EQ(LoadBE32(&image[key + 8]), std::bit_cast<u32>(-20.5f));
    EXPECT_EQ(LoadBE32(&image[key + 24]), 0x80808000u);
    EXPECT_EQ(LoadBE32(&image[84]), 13u);
    EXPECT_EQ(LoadBE32(&image[88]) + 13, image.size());
    SFPFileFree(movie);
    SFPFileFree(nullptr);
}

TEST_F(SFPFileTest, DamagedMoviesAreRefusedWithOneLine) {
    const std::string longest(SFP_MAX_TEXT, 'x'), tooLong(SFP_MAX_TEXT + 1, 'x');
    const f32 nan = std::nanf("");
    const Bytes good = sfptest::Sample().Image();
    Bytes noted = good;
    noted[LoadBE32(&good[88]) + 2] = 0;
    struct Case {
        Bytes image;
        const char* refusal;  // null: taken
    };
    const Case cases[] = {
        {Bytes(good.begin(), good.begin() + 91), "truncated header (91 bytes)"},
        {Header(0, 0x53465032), "not a movie file"},
        {Header(4, 0x0002003C), "version 2, want 1"},
        {Header(4, 0x00010078), nullptr},
        {Header(4, 0x00010079), "frame rate 121 out of range"},
        {Header(8, 0x10000001), nullptr},
        {Header(8, 0x10010001), "stage 4097x1 out of range"},
        {Header(8, 0x02800000), "stage 640x0 out of range"},
        {Header(SFP_FILE_TABLES_AT + 8 * SFP_TABLE_KEYS + 4, u32(good.size()) - 27),
         "key table outside the file"},
        {Header(SFP_FILE_TABLES_AT + 8 * SFP_TABLE_OBJECTS, 0x4924925), "object table outside the file"},
        {Header(SFP_FILE_TABLES_AT + 8 * SFP_TABLE_SYMBOLS, 0), "no root symbol"},
        {Header(SFP_FILE_POOL_AT, 14), "string pool outside the file"},
        {Patched(SFP_TABLE_TEXTS, 1, 16, 14), "text 1 outside the string pool"},
        {Patched(SFP_TABLE_TEXTS, 1, 20, 0xFFFFFFFF), "text 1: 4294967295 bytes, more than 1024"},
        {Edited([&](Tables& t) { t.texts[1].text = longest.c_str(); }), nullptr},
        {Edited([&](Tables& t) { t.texts[1].text = tooLong.c_str(); }), "text 1: 1025 bytes, more than 1024"},
        {noted, "text 0 holds a NUL byte"},
        {Edited([](Tables& t) { t.texts[0].wrap = 2; }), "text 0: size, alignment or wrap out of range"},
        {Edited([](Tables& t) { t.images[0].u1 = 1.0001f; }), "image 0: coordinates or size out of range"},
        {Edited([&](Tables& t) { t.buttons[0].hitW = nan; }), "button 0: hit area out of range"},
        {Edited([](Tables& t) { t.symbols[0].numFrames = SFP_MAX_FRAMES; }), nullptr},
        {Edited([](Tables& t) { t.symbols[3].numFrames = 0; }), "symbol 3: 0 frames out of range"},
        {Edited([](Tables& t) { t.objects[8].kind = SFP_KIND_COUNT; }),
         "object 8: kind or size out of range"},
        {Edited([&](Tables& t) { t.keys[4].scaleY = INFINITY; }),
         "key 4: easing, visibility or look out of range"},
        {Edited([](Tables& t) { t.keys[4].ease = SFP_EASE_COUNT; }),
         "key 4: easing, visibility or look out of range"},
        {Edited([](Tables& t) { t.images[0].texture = 1; }), "image 0: texture 1 outside the table"},
        {Edited([](Tables& t) { t.texts[1].font = 1; }), "text 1: font 1 outside the table"},
        {Edited([](Tables& t) { t.buttons[0].look[2] = 4; }), "button 0: look 4 outside the symbol table"},
        {Edited([](Tables& t) { t.buttons[0].look[2] = -2; }), "button 0: look -2 outside the symbol table"},
        {Edited([](Tables& t) { t.objects[0].ref = 1; }), "object 0: reference 1 outside its table"},
        {Edited([](Tables& t) { t.objects[1].ref = 1; }), "object 1: reference 1 outside its table"},
        {Edited([](Tables& t) { t.objects[2].ref = 2; }), "object 2: reference 2 outside its table"},
        {Edited([](Tables& t) { t.objects[3].ref = 1; }), "object 3: reference 1 outside its table"},
        {Edited([](Tables& t) { t.objects[4].ref = 4; }), "object 4: reference 4 outside its table"},
        {Edited([](Tables& t) { t.symbols[1].numLabels = 2; }), "symbol 1: labels outside the table"},
        {Edited([](Tables& t) { t.symbols[3].firstObject = 0xFFFFFFFF; }),
         "symbol 3: objects outside the table"},
        {Edited([](Tables& t) { t.objects[8].firstKey = 12; }), "object 8: keys outside the table"},
        {Edited([](Tables& t) { t.objects[8].numKeys = 0; }), "object 8 has no keys"},
        {Edited([](Tables& t) { t.symbols[0].numLabels = 4; }), "symbol 0: labels shared"},
        {Edited([](Tables& t) { t.symbols[3].firstObject = 7; }), "symbol 2: objects shared"},
        {Edited([](Tables& t) { t.objects[8].firstKey = 10; }), "object 7: keys shared"},
        {Edited([](Tables& t) { t.objects[5].ref = 1; }),
         "symbol 1: object 5 nests symbol 1, not one after it"},
        {Edited([](Tables& t) { t.objects[5].ref = 0; }),
         "symbol 1: object 5 nests symbol 0, not one after it"},
        {Edited([](Tables& t) { t.buttons[0].look[2] = 0; }),
         "symbol 0: object 3 nests symbol 0, not one after it"},
        {Edited([](Tables& t) { t.keys[2].frame = 0; }), "object 1: keys not in increasing frame order"},
        {Edited([](Tables& t) { t.keys[3].frame = 60; }), "symbol 0: object 1 keyed at frame 60 of 60"},
        {Edited([](Tables& t) { t.keys[9].frame = 10; }), "symbol 1: object 6 keyed at frame 10 of 10"},
        {Edited([](Tables& t) { t.labels[2].frame = 60; }), "symbol 0: label 2 at frame 60 of 60"},
        {Edited([](Tables& t) { t.labels[3].frame = 10; }), "symbol 1: label 3 at frame 10 of 10"},
        {sfptest::Tree(64, 63, 0).Image(), nullptr},
        {sfptest::Tree(64, 63, 1).Image(), "more than 4096 instances"},
        {Explosion(), "more than 4096 instances"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        const u32 main = HeapAvail(&MainHeap), extra = HeapAvail(&ExtraHeap);
        report_->clear();
        s_sfp_movie* movie = SFPFileParse(c.image.data(), u32(c.image.size()), "WII\nStrap");
        if (c.refusal != nullptr) {
            EXPECT_EQ(movie, nullptr);
            EXPECT_EQ(report().text(), std::string("SFP2K: WII\\x0aStrap: ") + c.refusal + "\n");
        } else {
            EXPECT_NE(movie, nullptr) << report().text();
            SFPFileFree(movie);
        }
        EXPECT_EQ(HeapAvail(&MainHeap), main);
        EXPECT_EQ(HeapAvail(&ExtraHeap), extra);
    }
}

}  // namespace
