// The menus' ticker in its menu font, updated once a frame by a task
// as a screen's draw callback would: its layout, fades, the run along the path
// with its wait, the queue, pausing, and one kept picture (ticker.png in the
// working folder; BOWLING_UPDATE_REFERENCE=1 makes it the new reference).
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "source/OrbMain.h"
#include "source/Ticker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TempDisc.h"
#include "tools/discbuild/WadWriter.h"
#include "tools/fontbake/FontBaker.h"

namespace {

constexpr const char* kReference = BOWLING_TEST_REFERENCE_DIR "/ticker.png";
constexpr const char* kDrawn = "ticker.png";

// The game's screens' settings.
s_Vector3 kStart{380.0f, 430.0f, 0.0f, 0.0f};
s_Vector3 kEnd{50.0f, 430.0f, 0.0f, 0.0f};

void UpdateTickers(s_thread*, void* record) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetZBufferWrite(0);
    DrawSetTexture(nullptr);
    DrawSetFlatColor(0x102040FF);
    const s_Irect16 backdrop{0, 0, 640, 480};
    DrawFilledIrect(&backdrop);
    for (CTicker** ticker = static_cast<CTicker**>(record); *ticker != nullptr; ++ticker)
        (*ticker)->Update();
}

// A disc whose menu font archive holds the ticker's font alone, baked as the demo
// disc's is.
class TickerTest : public GameFixture {
protected:
    HostConfig Config() const override { return disc_.Config(); }
    void SetUp() override {
        discbuild::WadWriter wad;
        const fontbake::BakedFont font = fontbake::BakeFont(
            {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", "DORVAREG", 24, {}});
        wad.Add({font.textureName, "TIM", font.tim});
        wad.Add({"DORVAREG", "FNT", font.fnt});
        disc_.Write("DATA/SFPFONT.WAD", wad.Image());
        GameFixture::SetUp();
        FileChangeDirectory(GAME_DATA_FOLDER);
    }
    void TearDown() override {
        if (task_ != nullptr)
            ThreadKill(task_);
        GameFixture::TearDown();
    }
    void Run(CTicker* a, CTicker* b = nullptr) {
        tickers_[0] = a;
        tickers_[1] = b;
        task_ = ThreadInsertPriorityDebug("Ticker", nullptr, tickers_, UpdateTickers, nullptr, 4500);
    }
    // Frames from a restart until the text has passed and waited, the frame that
    // ends the wait included.
    static u32 FramesToRestart(const CTicker& ticker) {
        u32 frames = 0;
        do {
            EventWait(1);
        } while (ticker.m_bTextFinished == 0 && ++frames < 1000);
        return frames;
    }

    TempDisc disc_;
    CTicker* tickers_[3] = {};
    s_thread* task_ = nullptr;
};

TEST_F(TickerTest, LaysOutUpTo250CharactersInItsOwnFontArchive) {
    {
        CTicker ticker;
        ticker.init(&kStart, &kEnd, 0.75f, 0.75f, 2.0f, 0.5f);
        ASSERT_NE(ticker.m_FontWad, nullptr);  // no one else had the menu fonts loaded
        ASSERT_NE(ticker.m_Font, nullptr);
        char pair[] = "Wi";
        ticker.setTickerText(pair);
        FontSetScale(0.5f, 0.5f);
        EXPECT_FLOAT_EQ(ticker.m_fTextOffsets[1], FontCharWidth('W') + 0.75f);
        EXPECT_FLOAT_EQ(ticker.m_fEndDistance,
                        330.0f + ticker.m_fTextOffsets[1] + FontCharWidth('i') + 0.75f);

        for (const u32 length : {250u, 251u}) {
            std::string text(length, 'i');
            ticker.setTickerText(text.data());
            EXPECT_EQ(ticker.m_uNumCharactersInString, 250u) << length;
            EXPECT_FLOAT_EQ(ticker.m_fEndDistance, 330.0f + 250.0f * (FontCharWidth('i') + 0.75f)) << length;
            EXPECT_EQ(ticker.m_bPaused, 1) << length;  // the member after the offsets
        }
        ticker.setTickerText(nullptr);  // an empty queue entry
        EXPECT_EQ(ticker.m_uNumCharactersInString, 0u);
    }
    EXPECT_EQ(FontLoad("DORVAREG"), nullptr);  // the font and its archive went with the ticker
}

TEST_F(TickerTest, FadesInAtTheStartAndOutAtTheEnd) {
    const struct {
        f32 start, fadeIn, fadeOut, x;
        u32 alpha;
    } rows[] = {
        {380, 0.75f, 0.75f, 380.0f, 0},    // entering
        {380, 0.75f, 0.75f, 357.5f, 127},  // half-way through the 45-wide zone
        {380, 0.75f, 0.75f, 335.0f, 255}, {380, 0.75f, 0.75f, 95.0f, 255},
        {380, 0.75f, 0.75f, 72.5f, 127},  {380, 0.75f, 0.75f, 50.0f, 0},  // leaving
        {100, 0.75f, 0.75f, 60.0f, 226},                                  // in both zones: the fade-in wins
        {380, 0.0f, 0.0f, 380.0f, 255},                                   // zones of no width fade nothing
        {380, 0.0f, 0.0f, 50.0f, 255},    {380, 0.0f, 0.75f, 72.5f, 127},
    };
    for (const auto& row : rows) {
        CTicker ticker;
        s_Vector3 start{row.start, 430.0f, 0.0f, 0.0f};
        ticker.init(&start, &kEnd, row.fadeIn, row.fadeOut, 2.0f, 0.5f);
        EXPECT_EQ(ticker.FadeAlpha(row.x), row.alpha) << row.start << " " << row.fadeIn << " " << row.x;
    }
}

TEST_F(TickerTest, RunsThePathWaitsAndShowsTheQueueInTurn) {
    char one[] = "One";
    char two[] = "Two";
    CTicker ticker;
    ticker.init(&kStart, &kEnd, 0.75f, 0.75f, 2.0f, 0.5f);
    ticker.setTickerText(one);
    ticker.setTextColor(0xFFFFFFFF);
    ticker.setDelayTime(1.0f);
    ticker.m_NumQText = 2;
    ticker.setQueueText(one, 0);
    ticker.setQueueText(two, 1);
    ticker.setQueueText(two, 4);  // no such entry
    EXPECT_EQ(ticker.m_NumQText, 2);
    Run(&ticker);
    EventWait(GPU_BLACK_FRAMES);  // frames of one retrace from here on
    ticker.m_bPaused = 0;

    // Two units a frame until the whole text has passed the end, then a second still.
    const f32 endDistance = ticker.m_fEndDistance;
    const u32 frames = FramesToRestart(ticker);
    EXPECT_NEAR(f32(frames), endDistance / 2.0f + 60.0f, 2.0f);
    EXPECT_NEAR(ticker.m_vPos.x, 380.0f - endDistance, 2.0f);
    EXPECT_EQ(ticker.m_CurrText, one);
    EventWait(1);
    EXPECT_EQ(ticker.m_CurrText, two);
    EXPECT_FLOAT_EQ(ticker.m_vPos.x, 378.0f);

    ticker.m_bPaused = 1;
    EventWait(5);
    EXPECT_FLOAT_EQ(ticker.m_vPos.x, 378.0f);
    ticker.m_bPaused = 0;

    FramesToRestart(ticker);
    EventWait(1);
    EXPECT_EQ(ticker.m_CurrText, one);  // the queue wraps
    ticker.ResetQueue();
    EventWait(1);
    EXPECT_EQ(ticker.m_CurrText, one);
    EXPECT_FLOAT_EQ(ticker.m_vPos.x, 378.0f);

    EXPECT_EQ(ticker.LockQueueToId(0), 0);  // already shown
    EXPECT_EQ(ticker.m_bQueueLocked, 0);
    EXPECT_EQ(ticker.LockQueueToId(4), 0);
    EXPECT_EQ(ticker.LockQueueToId(1), 1);
    EventWait(1);
    EXPECT_FLOAT_EQ(ticker.m_vPos.x, 378.0f);
    FramesToRestart(ticker);
    EventWait(1);
    EXPECT_EQ(ticker.m_CurrText, two);  // locked: the text repeats
}

TEST_F(TickerTest, DrawsAsInTheKeptPicture) {
    // The game's settings, and a long yellow line on a wider path, fading at both ends.
    char help[] = "Press A to choose a lane, B to go back";
    char longLine[] = "The ticker slides its text from the right to the left and fades it at both ends";
    CTicker menu;
    menu.init(&kStart, &kEnd, 0.75f, 0.75f, 2.0f, 0.5f);
    menu.setTickerText(help);
    menu.setTextColor(0xFFFFFFFF);
    menu.m_bPaused = 0;
    CTicker wide;
    s_Vector3 start{600.0f, 240.0f, 0.0f, 0.0f};
    s_Vector3 end{40.0f, 240.0f, 0.0f, 0.0f};
    wide.init(&start, &end, 1.0f, 1.0f, 4.0f, 1.0f);
    wide.setTickerText(longLine);
    wide.setTextColor(0xFFD04000);
    wide.m_bPaused = 0;
    Run(&menu, &wide);
    EventWait(150);
    EXPECT_LT(ShownFrameDifferingFrom(kReference, kDrawn), 60u) << "see " << kDrawn;
}

}  // namespace
