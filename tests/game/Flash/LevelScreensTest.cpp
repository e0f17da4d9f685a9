// The level's screens on the demo disc's movies: the scoreboard's marks for a
// game in progress, the pick-pins rack under the remote, the oil briefing's
// advice by league and hook, and how the loading, oil, scoreboard and pick-pins
// screens look.
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbRandom.h"
#include "orblib47/source/Pad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/BowlingDb/BowlingDbInternal.h"
#include "source/Career/CareerManagers.h"
#include "source/Career/LeagueManager.h"
#include "source/Flash/LoadScreens.h"
#include "source/Flash/OilPatternFlash.h"
#include "source/Flash/PickPinsScreen.h"
#include "source/Flash/ScoreBoardFlash.h"
#include "source/Flash/SplashFlash.h"
#include "source/Flash/SymbolText.h"
#include "source/GameSettings.h"
#include "source/OrbMain.h"
#include "source/Physics/LaneManager.h"
#include "source/Players/Player.h"
#include "source/SFP/SFPInternal.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"
#include "tests/support/TextIds.h"

namespace {

class LevelScreensTest : public MenuScreenFixture {
protected:
    // Some tests load the database.
    void TearDown() override {
        BowlingDbFree();
        MenuScreenFixture::TearDown();
    }
};

// Player 0 bowls a perfect game; player 1 opens with 0 0, spares 5 5 and then
// bowls 0 0.
void ScoreTwoPlayers() {
    g_GameSettings.m_Current.iNumPlayers = 2;
    g_Players[0].SetName("Ann");
    g_Players[1].SetName("Bob");
    CScoreboard& scores = Physics.mScoreKeeper;
    scores.Reset();
    for (s32 ball = 0; ball < 12; ++ball)
        scores.AddThrow(0, 10);
    for (u32 pins : {0u, 0u, 5u, 5u, 0u, 0u})
        scores.AddThrow(1, pins);
}

// Whether `text` fits sprite `sprite`'s field: wrapped into its box, or on one
// line of its width.
bool Fits(s32 handle, s32 sprite, const char* text) {
    const s_sfp_screen* screen = SFPScreen(handle);
    const s_sfp_instance& instance = Sprite(handle, sprite);
    const s_sfp_text& field = screen->movie->texts[instance.object->ref];
    s_font* font = SFPFontOf(screen->fontRows[field.font]);
    s_font* previous = FontSet(font);
    f32 scaleX;
    f32 scaleY;
    FontGetScale(&scaleX, &scaleY);
    FontSetScale(field.size / f32(font->height), field.size / f32(font->height));
    s32 lines = 1;
    bool fits = FontStringWidth(text) <= instance.object->width;
    if (field.wrap != 0) {
        FontWordWrapStringMetaNoAlloc(text, instance.object->width, &lines, 0);
        fits = f32(lines) * FontCharHeight() <= instance.object->height;
    }
    FontSetScale(scaleX, scaleY);
    FontSet(previous);
    return fits;
}

TEST_F(LevelScreensTest, TheScoreboardMarksEachBallAndTotal) {
    ScoreTwoPlayers();
    CScoreBoardFlash board;
    ASSERT_EQ(board.LoadPlayerScores(), 1);
    board.OpenPlayerScores();
    const struct {
        u32 player;
        u32 slot;
        const char* text;
    } rows[] = {
        {0, 0, ""},   {0, 1, "X"},    {0, 2, "30"},   {0, 26, "270"}, {0, 27, "X"}, {0, 28, "X"},
        {0, 29, "X"}, {0, 30, "300"}, {0, 31, "300"}, {1, 0, "-"},    {1, 1, "-"},  {1, 2, "0"},
        {1, 3, "5"},  {1, 4, "/"},    {1, 5, "10"},   {1, 8, "10"},   {1, 9, ""},   {1, 31, "10"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SpriteText(board.m_iScreenPlayerScores, s32(19 + row.player * 32 + row.slot)), row.text)
            << "player " << row.player << " slot " << row.slot;
    EXPECT_EQ(SpriteText(board.m_iScreenPlayerScores, 1), "Bob");
    EXPECT_FALSE(SpriteHidden(board.m_iScreenPlayerScores, 5)) << "the second player's row";
    EXPECT_TRUE(SpriteHidden(board.m_iScreenPlayerScores, 6)) << "the third player's row";
}

TEST_F(LevelScreensTest, PickPinsMovesOverTheRackRows) {
    // Where each move goes from pins 0 to 9.
    const struct {
        char press;
        s32 to[PICKPINS_NUM_PINS];
    } rows[] = {
        {'r', {0, 2, 1, 4, 5, 3, 7, 8, 9, 6}},
        {'l', {0, 2, 1, 5, 3, 4, 9, 6, 7, 8}},
        {'d', {6, 0, 0, 1, 2, 2, 3, 4, 5, 5}},
        {'u', {1, 3, 4, 6, 7, 8, 0, 0, 0, 0}},
    };
    CPickPinsScreen screen;
    ASSERT_EQ(screen.Load(), 1);
    screen.Open();
    SFP_SCREEN_INFO_t* info = SFP2KGetScreenInfo(screen.m_iScreen);
    for (const auto& row : rows) {
        for (s32 from = 0; from < PICKPINS_NUM_PINS; ++from) {
            info->curButton = from;
            const char press[] = {row.press, '\0'};
            PressOn(screen.m_iScreen, press);
            EXPECT_EQ(info->curButton, row.to[from]) << row.press << " from " << from;
        }
    }
}

// A fresh screen accepted at once gives the whole rack; B knocks pins down but
// never the last one; button 1 stands them all up again.
TEST_F(LevelScreensTest, PickPinsTogglesTheRackAndKeepsAPinStanding) {
    const struct {
        const char* what;
        const char* presses;
        u16 rack;
    } rows[] = {
        {"accepted at once", "a", 0x7FE0},
        {"the head pin down", "ba", 0x3FE0},
        {"down and up again", "bba", 0x7FE0},
        {"all but the 10 pin down", "bubrbublbrrbublblba", 0x0020},
        {"the last pin stays", "bubrbublbrrbublblblba", 0x0020},
        {"stood up again", "bub1a", 0x7FE0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_ScreenTracker.ResetScreenNav();
        CPickPinsScreen screen;
        ASSERT_EQ(screen.Load(), 1);
        screen.Open();
        SFP2KGetScreenInfo(screen.m_iScreen)->curButton = 0;  // the head pin
        PressOn(screen.m_iScreen, row.presses);
        EXPECT_EQ(u16(screen.m_iPinToggle), row.rack);
        EXPECT_EQ(g_ScreenTracker.m_ScreenNav, SFP_SCREEN_NAV_PREVIOUS);
    }
}

TEST_F(LevelScreensTest, TheOilAdviceSuitsTheLeagueAndTheHook) {
    s_DBOilPattern pattern{};
    pattern.m_AmateurCranker = "ac";
    pattern.m_AmateurTweener = "at";
    pattern.m_AmateurStraight = "as";
    pattern.m_ProCranker = "pc";
    pattern.m_ProTweener2 = "pt2";
    pattern.m_AmateurStraight2 = "as2";
    const struct {
        s32 page;
        bool pro;
        u32 hook;
        const char* advice;
    } rows[] = {
        {1, false, 80, "ac"}, {1, false, 79, "at"}, {1, false, 40, "at"}, {1, false, 39, "as"},
        {1, true, 100, "pc"}, {2, true, 40, "pt2"}, {2, false, 0, "as2"},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(COilPatternFlash::Advice(pattern, row.page, row.pro, row.hook), row.advice)
            << "page " << row.page << " pro " << row.pro << " hook " << row.hook;
}

// A tournament splash shows the one place won (the first for any other place)
// and leaves by itself.
TEST_F(LevelScreensTest, TheSplashShowsThePlaceAndLeavesByItself) {
    CareerManagersCreate();
    const struct {
        u32 place;
        bool shown[3];  // first, second, third
    } rows[] = {{3, {false, false, true}}, {1, {true, false, false}}, {4, {true, false, false}}};
    for (const auto& row : rows) {
        pLeagueManager->GetLeague()->m_PlayerTournamentPlace = row.place;
        CSplashFlash splash;
        ASSERT_EQ(splash.Load(SPLASH_TOURN_WIN), 1);
        splash.Open();
        for (s32 sprite = 0; sprite < 3; ++sprite)
            EXPECT_EQ(!SpriteHidden(splash.m_iScreen, sprite), row.shown[sprite]) << "place " << row.place;
        for (s32 frame = 0; frame < 120 && SFP2KIsScreenActive(splash.m_iScreen); ++frame)
            EventWait(1);
        EXPECT_FALSE(SFP2KIsScreenActive(splash.m_iScreen));
    }
    CareerManagersReset();
}

// Every tip, every oil pattern's name and advice of the database, the continue
// lines and four bowlers' names fit their fields.
TEST_F(LevelScreensTest, TheLevelTextsFitTheirFields) {
    FileChangeDirectory(GAME_DATABASE_FOLDER);
    BowlingDbLoad();
    FileChangeDirectory(GAME_DATA_FOLDER);
    CLoadScreens loading;
    COilPatternFlash oil;
    CScoreBoardFlash board;
    ASSERT_EQ(loading.Load(FLASH_LOAD_SCREEN_1), 1);
    ASSERT_EQ(oil.Load(), 1);
    ASSERT_EQ(board.LoadPlayerScores(), 1);
    for (u32 tip = 0; tip < LOADSCREEN_NUM_TIPS; ++tip)
        EXPECT_TRUE(Fits(loading.m_iScreen, 0, SymbolText(kTextLevelTip1 + tip)))
            << SymbolText(kTextLevelTip1 + tip);
    EXPECT_TRUE(Fits(loading.m_iScreen, 1, SymbolText(kTextLevelLoading)));
    for (u32 symbol : {6911u, 6912u}) {
        EXPECT_TRUE(Fits(oil.m_iScreen, 3, SymbolText(symbol)));
        EXPECT_TRUE(Fits(board.m_iScreenPlayerScores, 18, SymbolText(symbol)));
    }
    for (u32 i = 0; i < uDBOilPatternCount; ++i) {
        const s_DBOilPattern& pattern = dbOilPatternList[i];
        EXPECT_TRUE(Fits(oil.m_iScreen, 1, pattern.m_PatternName)) << pattern.m_PatternName;
        for (s32 page : {1, 2})
            for (bool pro : {false, true})
                for (u32 hook : {0u, 40u, 80u}) {
                    const char* advice = COilPatternFlash::Advice(pattern, page, pro, hook);
                    EXPECT_TRUE(Fits(oil.m_iScreen, 2, advice)) << advice;
                }
    }
    for (s32 p = 0; p < 4; ++p)
        EXPECT_TRUE(Fits(board.m_iScreenPlayerScores, p, "Player 4"));
}

TEST_F(LevelScreensTest, TheLevelScreensLookAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    OrbSRand(7);
    {
        CLoadScreens loading;
        ASSERT_EQ(loading.Load(FLASH_LOAD_SCREEN_1), 1);
        loading.Open();
        EventWait(40);
        ExpectLooksAsKept("level_loading");
    }
    {
        FileChangeDirectory(GAME_DATABASE_FOLDER);
        BowlingDbLoad();
        FileChangeDirectory(GAME_DATA_FOLDER);
        ASSERT_GT(uDBOilPatternCount, 0u);
        Physics.iOilPatternNum = dbOilPatternList[0].m_ID;
        COilPatternFlash oil;
        ASSERT_EQ(oil.Load(), 1);
        oil.Open();
        EventWait(20);
        ExpectLooksAsKept("level_oil_pattern");
    }
    {
        ScoreTwoPlayers();
        CScoreBoardFlash board;
        ASSERT_EQ(board.LoadPlayerScores(), 1);
        board.OpenPlayerScores();
        EventWait(20);
        ExpectLooksAsKept("level_scoreboard");
    }
    {
        CPickPinsScreen pins;
        ASSERT_EQ(pins.Load(), 1);
        pins.Open();
        SFP2KGetScreenInfo(pins.m_iScreen)->curButton = 0;
        PressOn(pins.m_iScreen, "bubr");  // the head pin and the 2 pin down, the cursor on the 3 pin
        EventWait(20);
        ExpectLooksAsKept("level_pick_pins");
    }
}

}  // namespace
