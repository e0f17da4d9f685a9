// The frame filters of each family (blur, glow, edge detection) over a kept scene
// of bars and squares, against kept pictures. Each picture drawn is written as
// filter_<mode>.png in the working folder for a person to look at;
// BOWLING_UPDATE_REFERENCE=1 makes them the new references.
#include <gtest/gtest.h>

#include <string>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/FrameFilter.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/game/PictureCompare.h"
#include "tests/support/EngineFixture.h"

namespace {

constexpr u32 kScenePriority = 5200;  // among the 3-D passes, before the filter's tasks

// Dim shapes on black: the game's picture has no alpha of its own (every pixel
// opaque), so the glow takes all of it and only black stays unlit.
void DrawScene(s_thread*, void*) {
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    DrawSetTexture(nullptr);
    const struct {
        s_Irect16 rect;
        u32 rgba;
    } shapes[] = {
        {{0, 0, 640, 448}, 0x000000FFu},   {{60, 60, 200, 140}, 0x601810FFu},
        {{300, 80, 60, 280}, 0x808080FFu}, {{420, 200, 160, 160}, 0x081808FFu},
        {{80, 280, 160, 40}, 0x183070FFu}, {{440, 60, 20, 100}, 0x787020FFu},
    };
    for (const auto& s : shapes) {
        DrawSetFlatColor(s.rgba);
        DrawFilledIrect(&s.rect);
    }
    DrawSetFlatColor(0xFFFFFFFFu);
}

class FrameFilterPictureTest : public EngineFixture {};

TEST_F(FrameFilterPictureTest, EachFamilyLooksAsInItsKeptPicture) {
    const struct {
        e_ORB_FILTER_MODE mode;
        const char* name;
    } cases[] = {
        {ORB_FILTER_MODE_GLOW, "filter_glow.png"},
        {ORB_FILTER_MODE_BLUR, "filter_blur.png"},
        {ORB_FILTER_MODE_EDGE_DETECT, "filter_edge_detect.png"},
    };
    s_thread* scene =
        ThreadInsertPriorityDebug("FilterScene", nullptr, nullptr, DrawScene, nullptr, kScenePriority);
    EventWait(30);  // the display shows black at first
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OrbFrameFilter.Set(c.mode);
        EventWait(8);  // the blur's accumulation settles
        const std::string reference = std::string(BOWLING_TEST_REFERENCE_DIR "/") + c.name;
        // The kernel's offsets or weights gone wrong change thousands.
        EXPECT_LT(ShownFrameDifferingFrom(reference.c_str(), c.name), 60u) << "see " << c.name;
        OrbFrameFilter.Set(ORB_FILTER_MODE_NONE);
    }
    ThreadKill(scene);
}

}  // namespace
