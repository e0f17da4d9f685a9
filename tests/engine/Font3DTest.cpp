// 3-D fonts: characters bound to hierarchical models, sharing by name, a missing
// model, the text hooks, archives, and truncated and damaged chunks.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "orblib47/source/ChunkReader.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/Font3D.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Model.h"
#include "tests/engine/DataFixture.h"
#include "tests/engine/WadFixture.h"
#include "tests/support/DamagedChunks.h"
#include "tests/support/VhmTestModel.h"
#include "tools/discbuild/F3dWriter.h"

namespace {

using Bytes = std::vector<u8>;

// A one-bone quad spanning x from minX to maxX.
Bytes CharModel(f32 minX, f32 maxX) {
    discbuild::VhmModel m = vhmtest::StaticQuad();
    m.minBounds.x = minX;
    m.maxBounds.x = maxX;
    m.bones = {vhmtest::Bone(-1, -1, -1, -1, 0.0f)};
    return discbuild::VhmPayload(m);
}

// 'A' and 'B' on models "CHAR_A" and "CHAR_B" (or the names given).
discbuild::Font3DDef TwoChars(const char* a = "CHAR_A", const char* b = "CHAR_B") {
    discbuild::Font3DDef font;
    font.spacing = 0.25f;
    font.spaceWidth = 1.5f;
    font.width = 2.0f;
    font.models = {a, b};
    font.charIndex['A'] = 0;
    font.charIndex['B'] = 1;
    return font;
}

class Font3DTest : public DataFixture {
protected:
    void SetUp() override {
        DataFixture::SetUp();
        before_ = Heaps();
        freeHModels_ = HModelRecords->count;
        for (auto [name, lo, hi] : {std::tuple{"CHAR_A", -1.0f, 1.0f}, std::tuple{"CHAR_B", 0.0f, 3.0f}}) {
            const Bytes chunk = CharModel(lo, hi);
            models_.push_back(ModelLoad(name, Image(chunk), u32(chunk.size())));
            ASSERT_NE(models_.back(), nullptr) << report().text();
        }
        report_->clear();
    }
    void TearDown() override {
        for (s_model* model : models_)
            ModelFree(model);
        EXPECT_EQ(HModelRecords->count, freeHModels_);
        EXPECT_EQ(Heaps(), before_);
        DataFixture::TearDown();
    }

    static s_font3d* Load(const char* name, const Bytes& chunk) {
        return Font3DLoad(name, Image(chunk), u32(chunk.size()));
    }
    s32 ModelRefs(u32 i) const { return models_[i]->dataEntry->refCount; }

    std::vector<s_model*> models_;
    HeapState before_{};
    u32 freeHModels_ = 0;
};

TEST_F(Font3DTest, EveryCharacterLoadedGetsItsModelAndHalfWidth) {
    s_font3d* font = Load("BIGTEXT", discbuild::F3dPayload(TwoChars()));
    ASSERT_NE(font, nullptr) << report().text();
    EXPECT_EQ(report().text(), "");
    EXPECT_EQ(CurrentFont3D, font);
    EXPECT_EQ(Fonts3D, font);
    EXPECT_EQ(font->dataEntry, DataFindEntry("BIGTEXT", "F3D"));
    EXPECT_EQ(font->spacing, 0.25f);
    EXPECT_EQ(font->spaceWidth, 1.5f);
    EXPECT_EQ(font->width, 2.0f);
    ASSERT_EQ(font->numChars, 2);
    EXPECT_EQ(font->charIndex[u8('B')], 1);
    EXPECT_EQ(font->charIndex[u8('C')], FONT3D_NO_CHAR);
    for (u32 i = 0; i < 2; ++i) {
        ASSERT_NE(font->models[i].hmodel, nullptr);
        EXPECT_EQ(font->models[i].hmodel->model, models_[i]);
        EXPECT_EQ(ModelRefs(i), 2);
    }
    EXPECT_STREQ(font->models[1].FileName, "CHAR_B");
    EXPECT_EQ(font->models[0].HalfWidth, 1.0f);
    EXPECT_EQ(font->models[1].HalfWidth, 1.5f);

    Font3DFree(font);
    EXPECT_EQ(Fonts3D, nullptr);
    EXPECT_EQ(CurrentFont3D, nullptr);
    EXPECT_EQ(DataFindEntry("BIGTEXT", "F3D"), nullptr);
    EXPECT_EQ(ModelRefs(0), 1);
    EXPECT_EQ(report().text(), "");
}

TEST_F(Font3DTest, ANameLoadedTwiceIsSharedAndTheSecondFreeReleasesIt) {
    const Bytes chunk = discbuild::F3dPayload(TwoChars());
    s_font3d* first = Load("SHARED", chunk);
    s_font3d* other = Load("OTHER", chunk);
    s_font3d* second = Load("SHARED", chunk);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second, first);
    EXPECT_EQ(CurrentFont3D, first);
    EXPECT_EQ(first->dataEntry->refCount, 2);
    EXPECT_EQ(ModelRefs(0), 3);  // the test's, and one each for SHARED and OTHER
    EXPECT_EQ(Fonts3D, first);   // appended in load order
    EXPECT_EQ(first->next, other);
    EXPECT_EQ(other->prev, first);

    Font3DFree(first);
    EXPECT_EQ(DataFindEntry("SHARED", "F3D"), first->dataEntry);
    EXPECT_EQ(ModelRefs(0), 3);
    EXPECT_EQ(Fonts3D, first);
    Font3DFree(second);
    EXPECT_EQ(DataFindEntry("SHARED", "F3D"), nullptr);
    EXPECT_EQ(Fonts3D, other);
    EXPECT_EQ(other->prev, nullptr);
    EXPECT_EQ(ModelRefs(0), 2);
    Font3DFree(other);
    EXPECT_EQ(Fonts3D, nullptr);
    EXPECT_EQ(Font3DLoad("SHARED", nullptr, 0), nullptr);  // no longer loaded
}

TEST_F(Font3DTest, ACharacterWithoutItsModelIsReportedAndTheOthersStillWork) {
    s_font3d* font = Load("PARTIAL", discbuild::F3dPayload(TwoChars("NOT_LOADED", "CHAR_B")));
    ASSERT_NE(font, nullptr);
    EXPECT_NE(report().text().find("Font3DLoad HModel NOT_LOADED not loaded!\n"), std::string::npos)
        << report().text();
    EXPECT_EQ(font->models[0].hmodel, nullptr);
    EXPECT_EQ(font->models[0].HalfWidth, 0.0f);
    ASSERT_NE(font->models[1].hmodel, nullptr);
    EXPECT_EQ(font->models[1].HalfWidth, 1.5f);
    EXPECT_EQ(HModelRecords->count, freeHModels_ - 1);

    report_->clear();
    Font3DFree(font);
    EXPECT_EQ(report().text(), "FONT3D: Missing HModel!\n");
}

// The file's run-time slots and out-of-range indices never reach the record.
TEST_F(Font3DTest, FileSlotsStartEmptyAndIndicesPastTheTableReadAsNone) {
    Bytes chunk = discbuild::F3dPayload(TwoChars("CHAR_A", "CHAR_B_IS_LONGER"));
    for (u32 at : {0u, 4u, 8u})
        StoreBE32(&chunk[at], 0xDEADBEEFu);
    for (u32 c = 0; c < 2; ++c) {
        StoreBE32(&chunk[discbuild::kF3dHeaderSize + c * discbuild::kF3dCharSize + 16], 0x12345678u);
        StoreBE32(&chunk[discbuild::kF3dHeaderSize + c * discbuild::kF3dCharSize + 20], 0x7F800000u);
    }
    const struct {
        u8 byte;
        s8 index;
    } indices[] = {{'a', 2}, {'b', -2}, {'c', 127}, {'d', -128}, {'e', 1}};
    for (const auto& entry : indices)
        chunk[32 + entry.byte] = u8(entry.index);
    s_font3d* font = Load("SLOTS", chunk);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->dataEntry, DataFindEntry("SLOTS", "F3D"));
    EXPECT_EQ(font->next, nullptr);
    EXPECT_EQ(font->prev, nullptr);
    for (u8 c : {'a', 'b', 'c', 'd'})
        EXPECT_EQ(font->charIndex[c], FONT3D_NO_CHAR) << c;
    EXPECT_EQ(font->charIndex[u8('e')], 1);
    EXPECT_STREQ(font->models[1].FileName, "CHAR_B_IS_LONGER");  // all 16, terminated
    EXPECT_EQ(font->models[1].hmodel, nullptr);
    EXPECT_EQ(font->models[1].HalfWidth, 0.0f);
    Font3DFree(font);
}

TEST_F(Font3DTest, DamagedChunksAreRefusedWithOneLine) {
    const Bytes good = discbuild::F3dPayload(TwoChars());
    using Edit = void (*)(Bytes&);
    const struct {
        const char* why;
        Edit edit;
    } cases[] = {
        {"truncated header", [](Bytes& c) { c.resize(discbuild::kF3dHeaderSize - 1); }},
        {"truncated header", [](Bytes& c) { c.clear(); }},
        {"character table outside the chunk", [](Bytes& c) { c.pop_back(); }},
        {"character table outside the chunk", [](Bytes& c) { StoreBE32(&c[24], 3); }},
        {"character table outside the chunk", [](Bytes& c) { StoreBE32(&c[24], 0xFFFFFFFFu); }},
        {"character table outside the chunk", [](Bytes& c) { StoreBE32(&c[24], 0x7FFFFFFFu); }},
        {"character table outside the chunk", [](Bytes& c) { StoreBE32(&c[28], 0xFFFFFFF0u); }},
        {"character table outside the chunk", [](Bytes& c) { StoreBE32(&c[28], u32(c.size()) - 24); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        Bytes chunk = good;
        c.edit(chunk);
        report_->clear();
        EXPECT_EQ(Load("BAD", chunk), nullptr);
        EXPECT_EQ(report().text(), std::string("FONT3D: BAD: bad F3D chunk (") + c.why + ")\n");
        EXPECT_EQ(DataFindEntry("BAD", "F3D"), nullptr);
        EXPECT_EQ(CurrentFont3D, nullptr);
    }
}

TEST_F(Font3DTest, EveryTruncationAndRandomDamageLoadsCleanlyOrNotAtAll) {
    const Bytes good = discbuild::F3dPayload(TwoChars());
    std::vector<Bytes> chunks = Truncations(good, 5);
    for (Bytes& chunk : Mutations(good, 300, 7))
        chunks.push_back(std::move(chunk));
    for (const Bytes& chunk : chunks) {
        s_font3d* font = Load("FUZZ", chunk);
        if (font == nullptr)
            continue;
        for (s8 index : font->charIndex) {
            if (index != FONT3D_NO_CHAR) {
                ASSERT_GE(index, 0);
                ASSERT_LT(index, font->numChars);
                EXPECT_TRUE(std::isfinite(font->models[index].HalfWidth));
            }
        }
        Font3DFree(font);
    }
}

class Font3DStateTest : public EngineFixture {};

TEST_F(Font3DStateTest, StepYRidesTheCharactersOnASineWave) {
    ASSERT_EQ(Font3DPostCharFunc, Font3DStepY);
    ASSERT_EQ(YSineAngle, 0.0f);
    const f32 expected[] = {0.0f, 2.0f * std::sin(0.34906685f), 2.0f * std::sin(0.6981337f),
                            2.0f * std::sin(1.04720055f), 2.0f * std::sin(1.3962674f)};
    for (f32 y : expected) {
        Font3DPostCharFunc();
        EXPECT_NEAR(Font3DOffset.y, y, 1e-5f);
    }
    EXPECT_NEAR(YSineAngle, 5 * 0.34906685f, 1e-5f);
    Font3DResetOffset();
    EXPECT_EQ(Font3DOffset.y, 0.0f);
}

TEST_F(Font3DStateTest, StandardSpacingTurnsTheStepByTheMatrix) {
    ASSERT_EQ(Font3DSpacingFunc, Font3DStandardSpacing);
    Font3DSpacingFunc();  // the defaults: 0.1 along x
    EXPECT_NEAR(Font3DPenLoc.x, 0.1f, 1e-6f);

    // A quarter turn about z with a scale of 2, and a translation that must not count.
    Font3DMatrix = IDMatrix4;
    Font3DMatrix.element[0] = 0.0f, Font3DMatrix.element[1] = -2.0f;
    Font3DMatrix.element[4] = 2.0f, Font3DMatrix.element[5] = 0.0f;
    Font3DMatrix.element[10] = 2.0f;
    Font3DMatrix.element[3] = 50.0f;
    Font3DSpacing = {0.5f, 3.0f, 1.0f, 0.0f};
    Font3DRight = {2.0f, 0.5f, -1.0f, 0.0f};  // step (1, 1.5, -1)
    Font3DPenLoc = {1.0f, 1.0f, 1.0f, 0.0f};
    Font3DStandardSpacing();
    EXPECT_NEAR(Font3DPenLoc.x, 1.0f - 3.0f, 1e-5f);
    EXPECT_NEAR(Font3DPenLoc.y, 1.0f + 2.0f, 1e-5f);
    EXPECT_NEAR(Font3DPenLoc.z, 1.0f - 2.0f, 1e-5f);

    Font3DSetSpacingFunc(Font3DStepY);
    EXPECT_EQ(Font3DSpacingFunc, Font3DStepY);
    EXPECT_EQ(Font3DSetCoordinateMode(F3D_COORDINATE_ORTHO), F3D_COORDINATE_3D);
    EXPECT_EQ(Font3DSetCoordinateMode(F3D_COORDINATE_3D), F3D_COORDINATE_ORTHO);
}

class Font3DArchiveTest : public WadFixture {};

TEST_F(Font3DArchiveTest, AnArchiveLoadsTheFontOverItsModelsAndFreesBoth) {
    discbuild::WadWriter wad;
    wad.Add(Chunk("CHAR_A", "VHM", CharModel(-1.0f, 1.0f)));
    wad.Add(Chunk("CHAR_B", "VHM", CharModel(0.0f, 3.0f)));
    wad.Add(Chunk("BIGTEXT", "F3D", discbuild::F3dPayload(TwoChars())));
    Write("TEXT3D.WAD", wad);
    const Usage before = InUse();

    s_wad* loaded = WadLoad("TEXT3D.WAD", 0);
    ASSERT_NE(loaded, nullptr) << report().text();
    auto* font = static_cast<s_font3d*>(DataFind("BIGTEXT", "F3D"));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(CurrentFont3D, font);
    EXPECT_EQ(font->models[1].HalfWidth, 1.5f);
    WadFree(loaded);
    EXPECT_EQ(DataFind("BIGTEXT", "F3D"), nullptr);
    EXPECT_EQ(DataFind("CHAR_A", "VHM"), nullptr);
    EXPECT_EQ(Fonts3D, nullptr);
    EXPECT_EQ(InUse(), before);
}

}  // namespace
