// The create-a-bowler screens on the demo disc's movies: what each row's values
// do to the look and to the preview, the glide, the 2-D modes the preview hands
// back, and how the pages look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "console/screenshot.h"
#include "orblib47/source/Anim.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/NGC/GpuFrame.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "source/BowlingDb/BowlingDb.h"
#include "source/Career/PlayerConstruction.h"
#include "source/Flash/CacModelScreens.h"
#include "source/Flash/MainMenuFlash.h"
#include "source/OrbMain.h"
#include "source/Players/Player.h"
#include "source/SFP/SFP2K.h"
#include "source/StateMgrs/ScreenTracker.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/MenuFixture.h"
#include "tests/support/PadScript.h"

namespace {

class CacModelScreensTest : public MenuFixture {
protected:
    // The background and the main page of a new bowler, inside the menus' border,
    // named as the flow names it.
    void Show(CCacModelScreens& screens) {
        menu_.LoadBackground();
        menu_.LoadBorder();
        menu_.OpenBorder("Create a Bowler", "Career");
        ASSERT_EQ(screens.LoadBG(), 1);
        screens.LoadCACScreens();
        screens.OpenBG(0);
        screens.OpenSubScreenMain();
        screens.SetNameText("PLAYER");
    }
    // Closes the open page and opens `page` (13..16) once it has gone.
    static void SwitchTo(CCacModelScreens& screens, eScreen_List page) {
        screens.CloseSubScreenMain();
        screens.CloseSubScreenGeneric();
        EventWait(20);
        if (page == eScreen_List_CAC_Main)
            screens.OpenSubScreenMain();
        else if (page == eScreen_List_CAC_SubMale1)
            screens.OpenSubScreenMale1();
        else if (page == eScreen_List_CAC_SubFemale1)
            screens.OpenSubScreenFemale1();
        else
            screens.OpenSubScreen2();
    }

    CFlashMainMenu menu_;
};

// One update of the open page per character of `presses`.
void Press(CCacModelScreens& screens, const char* presses) {
    PressOn(g_ScreenTracker.m_CurrScreen == eScreen_List_CAC_Main ? screens.m_iScreenSubMain
                                                                  : screens.m_iScreenSubGeneric,
            presses);
}

CPlayerConstruction& Model() {
    return g_Players[0].m_PlayerConstruction;
}

// The preview holds its pose: the idle animation stands still from its start.
void HoldPose() {
    if (s_hmodel* body = Model().GetBodyTypeModel())
        HAnimSetScale(body->layer[ANIM_LAYER_PRIMARY].hanim, 0.0f);
}

HostFrame Shown() {
    HostFrame frame;
    HostCaptureShownFrame(&frame);
    return frame;
}

// Channels of the preview, right of the pages, that differ.
u32 PreviewDiffering(const HostFrame& a, const HostFrame& b) {
    constexpr u32 kPreviewLeft = 372;
    u32 differing = 0;
    for (u32 y = 0; y < a.height && a.rgb.size() == b.rgb.size(); ++y)
        for (u32 x = kPreviewLeft * 3; x < a.width * 3; ++x) {
            const size_t i = size_t(y) * a.width * 3 + x;
            differing += std::abs(int(a.rgb[i]) - int(b.rgb[i])) > 24;
        }
    return differing;
}

// Each row of each page, a step from the default look: the attribute takes its
// next value and the preview shows the change (the hand alone is not drawn).
TEST_F(CacModelScreensTest, EveryRowChangesItsAttributeAndThePreview) {
    EventWait(GPU_BLACK_FRAMES);
    const struct {
        eScreen_List page;
        s32 row;
        const char* press;
        s32 s_Character_Attributes::*field;
        s32 value;
        bool drawn;
    } rows[] = {
        {eScreen_List_CAC_Main, 1, "r", &s_Character_Attributes::gender, 1, true},
        {eScreen_List_CAC_Main, 2, "r", &s_Character_Attributes::hand, 1, false},
        {eScreen_List_CAC_SubMale1, 0, "r", &s_Character_Attributes::faceType, 1, true},
        {eScreen_List_CAC_SubMale1, 1, "r", &s_Character_Attributes::hairColor, 1, true},
        {eScreen_List_CAC_SubMale1, 2, "r", &s_Character_Attributes::facialHair, 0, true},
        {eScreen_List_CAC_SubMale1, 3, "r", &s_Character_Attributes::bodyType, 1, true},
        {eScreen_List_CAC_Sub2, 0, "r", &s_Character_Attributes::glasses, 0, true},
        {eScreen_List_CAC_Sub2, 1, "r", &s_Character_Attributes::shirtColor, 1, true},
        {eScreen_List_CAC_Sub2, 2, "l", &s_Character_Attributes::pants, 5, true},
        {eScreen_List_CAC_Sub2, 3, "r", &s_Character_Attributes::shoes, 1, true},
    };
    CCacModelScreens screens;
    Show(screens);
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "page " << row.page << ", row " << row.row);
        if (row.page != g_ScreenTracker.m_CurrScreen)
            SwitchTo(screens, row.page);
        else
            Press(screens, "d");
        Model().SetDefaultCACAttributes();
        screens.UpdateAndResetBodyType();
        HoldPose();
        EventWait(40);  // the glide has ended
        const HostFrame before = Shown();
        Press(screens, row.press);
        HoldPose();
        EXPECT_EQ(Model().m_CharacterAttributes.*row.field, row.value);
        EventWait(3);
        EXPECT_EQ(PreviewDiffering(before, Shown()) > 200, row.drawn);
    }
}

// Steps through the lists from set looks: wraps, the hair's colours running into
// the next style, created-bowler entries only, and lists with none of them.
TEST_F(CacModelScreensTest, ValuesStepThroughTheirLists) {
    const u32 glasses = uMaleGlassesModelCount;
    const struct {
        const char* what;
        s32 gender;
        s32 s_Character_Attributes::*field;
        s32 from;
        const char* presses;  // from the first row
        s32 to;
        s32 s_Character_Attributes::*other;  // a second attribute, or null
        s32 otherFrom;
        s32 otherTo;
        bool unflagged;  // no entry of the list is offered
    } rows[] = {
        {"face wraps", 0, &s_Character_Attributes::faceType, 3, "r", 0, nullptr, 0, 0, false},
        {"last hair colour, next style", 1, &s_Character_Attributes::hairColor, 7, "dr", 0,
         &s_Character_Attributes::hairStyle, 0, 1, false},
        {"first hair colour, last style", 1, &s_Character_Attributes::hairColor, 0, "dl", 7,
         &s_Character_Attributes::hairStyle, 0, 7, false},
        {"the beard follows the hair colour", 0, &s_Character_Attributes::facialHairColor, 0, "dr", 1,
         nullptr, 0, 0, false},
        {"last facial hair, none", 0, &s_Character_Attributes::facialHair, 5, "ddr", -1, nullptr, 0, 0,
         false},
        {"none, last facial hair", 0, &s_Character_Attributes::facialHair, -1, "ddl", 5, nullptr, 0, 0,
         false},
        {"a woman's cursor skips the fourth row", 1, &s_Character_Attributes::bodyType, 0, "dddddr", 1,
         nullptr, 0, 0, false},
        {"glasses down from none skip shop glasses", 0, &s_Character_Attributes::glasses, -1, "l", 3, nullptr,
         0, 0, false},
        {"glasses up past the last offered, none", 0, &s_Character_Attributes::glasses, 3, "r", -1, nullptr,
         0, 0, false},
        {"glasses with none offered stay none", 0, &s_Character_Attributes::glasses, -1, "r", -1, nullptr, 0,
         0, true},
        {"shirts wrap past the shop's", 0, &s_Character_Attributes::shirtColor, 5, "dr", 0, nullptr, 0, 0,
         false},
        {"shirts down wrap to the last offered", 0, &s_Character_Attributes::shirtColor, 0, "dl", 5, nullptr,
         0, 0, false},
        {"shirts with none offered stay", 0, &s_Character_Attributes::shirtColor, 2, "dr", 2, nullptr, 0, 0,
         true},
        {"pants wrap", 0, &s_Character_Attributes::pants, 0, "ddl", 5, nullptr, 0, 0, false},
        {"shoes wrap past the shop's", 0, &s_Character_Attributes::shoes, 4, "dddr", 0, nullptr, 0, 0, false},
    };
    std::vector<u32> glassesKept, shirtsKept;
    for (u32 i = 0; i < glasses; ++i)
        glassesKept.push_back(MaleGlassesList[i].m_bCAConly);
    for (u32 i = 0; i < uMaleBowlingTexCount; ++i)
        shirtsKept.push_back(MaleBowlingShirtList[i].m_bCAConly);
    CCacModelScreens screens;
    Show(screens);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const bool second = row.field == &s_Character_Attributes::glasses ||
                            row.field == &s_Character_Attributes::shirtColor ||
                            row.field == &s_Character_Attributes::pants ||
                            row.field == &s_Character_Attributes::shoes;
        Model().SetDefaultCACAttributes();
        Model().SetCharGender(row.gender, 0);
        s_Character_Attributes& look = Model().m_CharacterAttributes;
        look.*row.field = row.from;
        if (row.other != nullptr)
            look.*row.other = row.otherFrom;
        for (u32 i = 0; i < glasses && row.unflagged; ++i)
            MaleGlassesList[i].m_bCAConly = 0;
        for (u32 i = 0; i < shirtsKept.size() && row.unflagged; ++i)
            MaleBowlingShirtList[i].m_bCAConly = 0;
        SwitchTo(screens, second       ? eScreen_List_CAC_Sub2
                          : row.gender ? eScreen_List_CAC_SubFemale1
                                       : eScreen_List_CAC_SubMale1);
        Press(screens, row.presses);
        EXPECT_EQ(look.*row.field, row.to);
        if (row.other != nullptr) {
            EXPECT_EQ(look.*row.other, row.otherTo);
        }
        for (u32 i = 0; i < glasses; ++i)
            MaleGlassesList[i].m_bCAConly = glassesKept[i];
        for (u32 i = 0; i < shirtsKept.size(); ++i)
            MaleBowlingShirtList[i].m_bCAConly = shirtsKept[i];
    }
}

// Turn minus wins when both turn buttons are held; a glide whose last frame
// overruns its time stops on its target.
TEST_F(CacModelScreensTest, TheTurnAndTheGlide) {
    CCacModelScreens screens;
    Show(screens);
    Press(screens, "x");
    EXPECT_EQ(screens.m_fRotation, -1.0f);
    RealDeltaTime = 0.3f;
    screens.SetNewBodyPos(&screens.m_vModelHeadCloseUpPos, CAC_GLIDE_SECONDS);
    screens.UpdateBodyPos();
    screens.UpdateBodyPos();
    EXPECT_EQ(screens.m_fModelPosInterpTimer, -1.0f);
    EXPECT_FLOAT_EQ(screens.m_vCurrModelPos.x, screens.m_vModelHeadCloseUpPos.x);
    EXPECT_FLOAT_EQ(screens.m_vCurrModelPos.z, screens.m_vModelHeadCloseUpPos.z);
}

// The preview draws in 3-D; closing the background puts back the 2-D modes the
// screens draw with, whatever the preview left.
TEST_F(CacModelScreensTest, ClosingTheBackgroundRestoresThe2DModes) {
    CCacModelScreens screens;
    Show(screens);
    EventWait(5);
    DrawSetProjection(DC_PROJ_3D);
    DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    screens.CloseBG();
    EXPECT_EQ(DrawContext.projectionMode, DC_PROJ_ORTHO);
    EXPECT_EQ(DrawContext.combineMode, DC_COMBINE_ALPHA);
}

TEST_F(CacModelScreensTest, ThePagesLookAsKept) {
    EventWait(GPU_BLACK_FRAMES);
    CCacModelScreens screens;
    Show(screens);
    EventWait(60);
    ExpectLooksAsKept("cac_main");
    SwitchTo(screens, eScreen_List_CAC_SubMale1);
    Press(screens, "rrdrrrdr");
    EventWait(60);
    ExpectLooksAsKept("cac_page");
    SwitchTo(screens, eScreen_List_CAC_Sub2);
    Press(screens, "rdrdrdr");
    EventWait(60);
    ExpectLooksAsKept("cac_page2");
}

}  // namespace
