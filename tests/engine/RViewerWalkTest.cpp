// One session of the resource viewer as a developer uses it with the pad: two
// archives opened from the file dialog, the texture, font, sprite, particle and
// sound views, the cut-scene and the stream pack, and "Quit"; with pictures of
// the views, and the UI pool and the heaps left as they were found.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orblib47/source/Data.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/Wad.h"
#include "tests/engine/RViewerFixture.h"
#include "tests/game/PictureCompare.h"

namespace {

bool SoundPlaying() {
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        if (SfxIsPlaying(channel))
            return true;
    }
    return false;
}

bool BarOf(const s_menu* menus) {
    for (const s_ui_object* object = UIObjectList.next; object != nullptr; object = object->next) {
        if (object->type == UI_OBJ_MENUBAR &&
            reinterpret_cast<const s_menubar_obj*>(object)->menuList == menus)
            return true;
    }
    return false;
}

bool Marbled() {
    return RVTexture != nullptr && RVTexture->dataEntry != nullptr &&
           std::strncmp(RVTexture->dataEntry->name, "BALLMARB", DATA_NAME_LENGTH) == 0;
}

class RViewerWalkTest : public RViewerFixture {
protected:
    RViewerWalkTest() { Copy("DATA/PRELOAD.WAD"); }
    // The icon font of the texture view's help.
    void SetUp() override {
        RViewerFixture::SetUp();
        FileChangeDirectory("DATA");
        preload_ = WadLoad("PRELOAD", 0);
        FileChangeDirectory("");
        FontStartup("ARIAL10", "WIIICONS", nullptr, 0, 0);
        FontSetDefaults(DebugFont);
    }
    void TearDown() override {
        WadFree(preload_);
        RViewerFixture::TearDown();
    }
    s_wad* preload_ = nullptr;
};

TEST_F(RViewerWalkTest, OpensArchivesWalksTheViewsAndQuitsLeavingNothingBehind) {
    MouseDisable();  // no cursor in the pictures
    const u32 records = UIObjectRecords->count;
    const HeapState heaps = Heaps();
    const auto dialog = [](const char* title) { return [title] { return WindowShown(title); }; };
    const auto picture = [](const char* name) { return [name] { ExpectLooksAsKept(name); }; };
    const std::vector<std::string> cancel = Press({"minus", "a"});
    bool played = false;
    std::string cutScene;

    std::vector<Stage> stages = {
        {AtMainBar, Choose(0, 0), picture("rviewer_main"), 40},
        // Into "[data]", "alley.wad".
        {dialog("Select File To Open:"), Press({"a", "down", "a"})},
        {[] { return RViewerWadCount == 1 && AtMainBar(); }, Choose(0, 0)},
        // The browser stays in the folder: "menusnd.wad".
        {dialog("Select File To Open:"), Press({"down", "down", "down", "a"})},
        {[] { return RViewerWadCount == 2 && AtMainBar(); }, Choose(2, 6)},
        // The texture list stays open beside the view.
        {[] { return RVTexture != nullptr; }, {}},
    };
    // Down, line by line, to the marbled ball.
    const Stage down{[] { return !Marbled(); }, Press({"down"}), nullptr, 4, true};
    stages.insert(stages.end(), 8, down);
    stages.insert(
        stages.end(),
        {
            // Closing the list ends the view.
            {Marbled, Press({"b"}), picture("rviewer_texture"), 20},
            {AtMainBar, Choose(2, 0)},
            {dialog("Select Font To View:"), Press({"a"})},
            {[] { return RVFont != nullptr; }, cancel, picture("rviewer_font"), 10},
            // After the view the same dialog again; cancelled, the main bar.
            {dialog("Select Font To View:"), Press({"b"})},
            {AtMainBar, Choose(2, 5)},
            {dialog("Select Sprite To View:"), Press({"a"})},
            {[] { return RVSpriteSet != nullptr; }, cancel, picture("rviewer_sprite"), 10},
            {dialog("Select Sprite To View:"), Press({"b"})},
            {AtMainBar, Choose(2, 3)},
            {dialog("Select Particle System To View:"), Press({"a"})},
            {[] { return RViewerParticleSystem != nullptr; }, cancel, picture("rviewer_particle"), 30},
            {dialog("Select Particle System To View:"), Press({"b"})},
            {AtMainBar, Choose(2, 4)},
            {dialog("Select Sound Effect To View:"), Press({"a"})},
            {dialog("Select Sfx to play"), Press({"a"})},
            {[&] { return played = SoundPlaying(); }, cancel},
            {dialog("Select Sound Effect To View:"), Press({"b"})},
            // "intro.csf": A plays it.
            {AtMainBar, Choose(0, 0)},
            {dialog("Select File To Open:"), Press({"down", "down", "a"})},
            {[&] { return BarOf(CutSceneMenus) && (cutScene = RViewerCutSceneName, true); }, Press({"a"})},
            {[] { return RViewerCutScene != nullptr; }, cancel},
            // "[..]", "[stream]", "music.asf"; the stream dialog's A plays stream 0.
            {AtMainBar, Choose(0, 0)},
            {dialog("Select File To Open:"), Press({"a", "down", "a", "down", "a"})},
            {dialog("Select Stream To Play"), Press({"a"})},
            {[] { return RViewerStream != nullptr; }, cancel},
            {AtMainBar, Choose(0, 3)},
        });
    const size_t done = Run(std::move(stages));

    EXPECT_EQ(done, 41u) << report().text();
    EXPECT_TRUE(played);
    EXPECT_EQ(cutScene, "intro");
    EXPECT_EQ(RViewerWadCount, 0);
    EXPECT_EQ(UIObjectList.next, nullptr);
    EXPECT_EQ(UIObjectRecords->count, records);
    EXPECT_EQ(Heaps(), heaps);
}

}  // namespace
