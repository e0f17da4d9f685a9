// The menus' ticker on the demo disc's menu font, updated every frame by a task as
// a screen's draw callback would; its picture is written as ticker.png in the
// working folder (BOWLING_UPDATE_REFERENCE=1 makes it the new reference).
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "source/Ticker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/GameFixture.h"

namespace {

// The game's screens' path.
s_Vector3 kStart{380.0f, 430.0f, 0.0f, 0.0f};
s_Vector3 kEnd{50.0f, 430.0f, 0.0f, 0.0f};

void UpdateTicker(s_thread*, void* ticker) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetTexture(nullptr);
    DrawSetFlatColor(0x102040FF);
    const s_Irect16 backdrop{0, 0, 640, 480};
    DrawFilledIrect(&backdrop);
    static_cast<CTicker*>(ticker)->Update();
}

class TickerTest : public MenuDiscFixture {
protected:
    void TearDown() override {
        if (task_ != nullptr)
            ThreadKill(task_);
        MenuDiscFixture::TearDown();
    }
    void Run(CTicker* ticker) {
        task_ = ThreadInsertPriorityDebug("Ticker", nullptr, ticker, UpdateTicker, nullptr, 4500);
        EventWait(GPU_BLACK_FRAMES);  // frames of one retrace from here on
        ticker->m_bPaused = 0;
    }
    // Frames from a restart until the text has passed and waited.
    static u32 FramesToRestart(const CTicker& ticker) {
        u32 frames = 0;
        do {
            EventWait(1);
        } while (ticker.m_bTextFinished == 0 && ++frames < 1000);
        return frames;
    }

    s_thread* task_ = nullptr;
};

TEST_F(TickerTest, LaysOutAtMost250CharactersInTheFontOfItsOwnArchive) {
    {
        CTicker ticker;
        ticker.init(&kStart, &kEnd, 0.75f, 0.75f, 2.0f, 0.5f);
        ASSERT_NE(ticker.m_FontWad, nullptr);                   // no one else had the menu fonts loaded
        ticker.init(&kStart, &kEnd, 0.75f, 0.75f, 2.0f, 0.5f);  // takes nothing more
        const f32 advance = FontCharWidth('i') + 0.75f;
        for (const u32 length : {250u, 251u}) {
            std::string text(length, 'i');
            ticker.setTickerText(text.data());
            EXPECT_EQ(ticker.m_uNumCharactersInString, 250u) << length;
            EXPECT_FLOAT_EQ(ticker.m_fTextOffsets[249], 249.0f * advance) << length;
            EXPECT_FLOAT_EQ(ticker.m_fEndDistance, 330.0f + 250.0f * advance) << length;
        }
        ticker.setTickerText(nullptr);  // an empty queue entry
        EXPECT_EQ(ticker.m_uNumCharactersInString, 0u);
    }
    EXPECT_EQ(FontLoad("DORVAREG"), nullptr);  // gone with the ticker's archive
}

TEST_F(TickerTest, FadesInAtTheStartAndOutAtTheEnd) {
    const struct {
        f32 start, fadeIn, fadeOut, x;
        u32 alpha;
    } rows[] = {
        {380, 0.75f, 0.75f, 380.0f, 0},   {380, 0.75f, 0.75f, 357.5f, 127},  // zones 45 wide
        {380, 0.75f, 0.75f, 335.0f, 255}, {380, 0.75f, 0.75f, 95.0f, 255},  {380, 0.75f, 0.75f, 72.5f, 127},
        {380, 0.75f, 0.75f, 50.0f, 0},    {100, 0.75f, 0.75f, 60.0f, 226},  // in both zones: the fade-in's
        {380, 0.0f, 0.0f, 380.0f, 255},                                     // zones of no width fade nothing
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
    char one[] = "Choose a lane with the pad and press A to bowl on it";
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
    Run(&ticker);

    // Two units a frame until the whole text has passed the end, then a second still;
    // half-way the line fades in at the right and out at the left.
    EventWait(165);
    EXPECT_LT(ShownFrameDifferingFrom(BOWLING_TEST_REFERENCE_DIR "/ticker.png", "ticker.png"), 60u);
    const f32 endDistance = ticker.m_fEndDistance;
    EXPECT_NEAR(f32(165 + FramesToRestart(ticker)), endDistance / 2.0f + 60.0f, 2.0f);
    EXPECT_NEAR(ticker.m_vPos.x, 380.0f - endDistance, 2.0f);
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

    EXPECT_EQ(ticker.LockQueueToId(0), 0);  // already shown
    EXPECT_EQ(ticker.LockQueueToId(4), 0);
    EXPECT_EQ(ticker.LockQueueToId(1), 1);
    EventWait(1);
    EXPECT_FLOAT_EQ(ticker.m_vPos.x, 378.0f);
    FramesToRestart(ticker);
    EventWait(1);
    EXPECT_EQ(ticker.m_CurrText, two);  // locked: it repeats
    ticker.m_bQueueLocked = 0;
    ticker.ResetQueue();
    EventWait(1);
    EXPECT_EQ(ticker.m_CurrText, one);
}

}  // namespace
