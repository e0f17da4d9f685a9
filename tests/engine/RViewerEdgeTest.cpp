// The resource viewer's rules at their edges: which extensions open, the limit of
// open archives, the cut-scene name's room, the sound list's order and the
// bank's own index, and views given a name that does not load.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "orblib47/source/Data.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/SceneLight.h"
#include "orblib47/source/Sound.h"
#include "orblib47/source/StructEdit.h"
#include "orblib47/source/Wad.h"
#include "tests/engine/RViewerFixture.h"
#include "tools/discbuild/SfxWriter.h"
#include "tools/discbuild/WadWriter.h"

namespace {

using RViewerEdgeTest = RViewerFixture;

TEST_F(RViewerEdgeTest, ArchivesOpenInEitherCaseCutScenesOnlyInLowerCase) {
    const HeapState heaps = Heaps();
    FileChangeDirectory("DATA");
    RViewerOpenFile("menusnd", ".WAD");
    EXPECT_EQ(RViewerWadCount, 1);
    EXPECT_NE(DataFindEntry("SOUNDS", "SFX"), nullptr);
    RViewerOpenFile("intro", ".CSF");
    EXPECT_TRUE(report().contains("Unsupported file type intro.CSF!\n"));
    EXPECT_STREQ(RViewerCutSceneName, "");
    EXPECT_EQ(UIObjectList.next, nullptr);
    RViewerCloseWads();
    EXPECT_EQ(RViewerWadCount, 0);
    EXPECT_EQ(Heaps(), heaps);
}

TEST_F(RViewerEdgeTest, ASeventeenthArchiveIsRefusedAndTheSixteenStay) {
    for (s32 i = 0; i <= RVIEWER_MAX_WADS; ++i) {
        discbuild::WadWriter wad;
        const std::string name = "B" + std::to_string(i);
        wad.Add({name, "BIN", std::vector<u8>(32, u8(i)), 0, 0, 0});
        disc_.Write("DATA/W" + std::to_string(i) + ".WAD", wad.Image());
    }
    const HeapState heaps = Heaps();
    FileChangeDirectory("DATA");
    for (s32 i = 0; i < RVIEWER_MAX_WADS; ++i)
        EXPECT_EQ(RViewerOpenWad(("w" + std::to_string(i)).c_str()), 1);
    s_wad* const last = RViewerWad[RVIEWER_MAX_WADS - 1];
    EXPECT_EQ(RViewerOpenWad("w16"), 0);
    EXPECT_TRUE(report().contains("RViewer: 16 archives are open already, w16 not loaded.\n"));
    EXPECT_EQ(RViewerWadCount, RVIEWER_MAX_WADS);
    EXPECT_EQ(RViewerWad[RVIEWER_MAX_WADS - 1], last);
    EXPECT_EQ(DataFindEntry("B16", "BIN"), nullptr);
    EXPECT_NE(DataFindEntry("B15", "BIN"), nullptr);
    RViewerCloseWads();
    EXPECT_EQ(DataFindEntry("B0", "BIN"), nullptr);
    EXPECT_EQ(Heaps(), heaps);
}

// Ends the view after its first frame.
void CancelAtOnce(s_thread*, void*) {
    RViewerCancel = 1;
}

TEST_F(RViewerEdgeTest, ACutSceneNameLongerThanFifteenCharactersIsRefused) {
    const HeapState heaps = Heaps();
    EXPECT_EQ(RViewerViewCutscene("abcdefghijklmnop"), 0);
    EXPECT_TRUE(
        report().contains("RViewer: cut-scene name abcdefghijklmnop is longer than 15 characters.\n"));
    EXPECT_STREQ(RViewerCutSceneName, "");
    EXPECT_EQ(UIObjectList.next, nullptr);
    // Fifteen fit; the view runs (the file is missing, so A plays nothing).
    UIProbe cancel(CancelAtOnce);
    EXPECT_EQ(RViewerViewCutscene("abcdefghijklmno"), 0);
    EXPECT_STREQ(RViewerCutSceneName, "abcdefghijklmno");
    EXPECT_EQ(UIObjectList.next, nullptr);
    EXPECT_EQ(MaxSceneLights, 24) << "the program's scene lights come back";
    EXPECT_EQ(Heaps(), heaps);
}

s32 PlayingId() {
    for (s32 channel = 0; channel < AUDIO_CHANNEL_COUNT; ++channel) {
        if (SfxIsPlaying(channel))
            return SfxGetId(channel);
    }
    return -1;
}

TEST_F(RViewerEdgeTest, SoundsAreListedWithoutRegardToCaseAndPlayedByTheirIndexInTheBank) {
    const std::vector<s16> tone(8000, 4000);
    const std::vector<u8> payload = discbuild::SfxPayload({{"beta", tone, 32000, 0u, 0},
                                                           {"Alpha", tone, 32000, 0u, 0},
                                                           {"charlie", tone, 32000, 0u, 0},
                                                           {"ALPHA2", tone, 32000, 0u, 0}});
    const HeapState heaps = Heaps();
    void* image = HeapMalloc(u32(payload.size()), __FILE_NAME__, __LINE__);
    std::memcpy(image, payload.data(), payload.size());
    s_sfx_bank* bank = SfxLoad("MIXED", image, u32(payload.size()));
    ASSERT_NE(bank, nullptr);
    std::vector<std::string> listed;
    s32 played = -1;
    bool freedOnClose = false;
    char name[] = "mixed";
    const size_t done = Run(
        {
            {[] { return WindowShown("Select Sfx to play"); }, Press({"down", "a"}),
             [&] { listed.assign(SfxStrings, SfxStrings + SfxListBox.numItems); }},
            {[&] { return (played = PlayingId()) != -1; }, Press({"b"})},
            {[] { return !WindowShown("Select Sfx to play"); }, Press({"minus", "a"}),
             [&] { freedOnClose = SfxStrings == nullptr && SfxRemap == nullptr; }},
        },
        1000, [&] { RViewerViewSfx(name); });
    EXPECT_EQ(done, 3u);
    EXPECT_EQ(listed, (std::vector<std::string>{"Alpha", "ALPHA2", "beta", "charlie"}));
    EXPECT_EQ(played, 3) << "the second line is the bank's fourth sound";
    EXPECT_TRUE(freedOnClose);
    EXPECT_EQ(UIObjectList.next, nullptr);
    SfxFree(bank);
    EXPECT_EQ(Heaps(), heaps);
}

// The frame limit raises the quit flag while the modal "Parms" editor is open.
TEST_F(RViewerEdgeTest, TheParticleViewEndsAtTheQuitFlagWithItsParmsEditorOpen) {
    FileChangeDirectory("DATA");
    s_wad* alley = WadLoad("ALLEY", 0);
    FileChangeDirectory("");
    const HeapState heaps = Heaps();
    char name[] = "pindust";
    MouseDisable();  // the pad alone walks the menus
    const size_t done =
        Run({{[] { return WindowShown("Play Particle System"); }, Press({"minus", "right", "a"})},
             {[] { return StructEditStackDepth == 1; }, {}, [] { UIQuitFlag = 1; }}},
            1000, [&] { RViewerViewParSys(name, 0); });
    EXPECT_EQ(done, 2u) << report().text();
    EXPECT_EQ(StructEditStackDepth, 0);
    EXPECT_EQ(UIObjectList.next, nullptr);
    EXPECT_EQ(RViewerParticleSystem, nullptr);
    EventWait(3);  // sprite groups go two frames after their free
    EXPECT_EQ(Heaps(), heaps);
    WadFree(alley);
}

TEST_F(RViewerEdgeTest, AViewWhoseAssetDoesNotLoadReturnsAtOnce) {
    const HeapState heaps = Heaps();
    const u32 records = UIObjectRecords->count;
    struct Case {
        s32 (*view)(char*);
        const char* message;
    };
    for (const Case& c : {Case{RViewerViewFont, "RViewer: no font NOSUCH.\n"},
                          Case{RViewerViewSprite3D, "RViewer: no sprite set NOSUCH.\n"},
                          Case{RViewerViewSfx, "RViewer: no sound bank NOSUCH.\n"}}) {
        char name[] = "nosuch.wad";
        EXPECT_EQ(c.view(name), 0);
        EXPECT_TRUE(report().contains(c.message)) << c.message;
        EXPECT_EQ(UIObjectList.next, nullptr);
        EventWait(1);
        EXPECT_EQ(UIObjectRecords->count, records);
    }
    EXPECT_EQ(Heaps(), heaps);
}

}  // namespace
