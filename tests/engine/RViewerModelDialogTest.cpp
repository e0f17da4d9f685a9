#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "orblib47/source/Anim.h"
#include "orblib47/source/Data.h"
#include "orblib47/source/FrameFilter.h"
#include "orblib47/source/HModel.h"
#include "orblib47/source/Mouse.h"
#include "orblib47/source/RViewerModelInternal.h"
#include "tests/engine/RViewerModelFixture.h"
#include "tools/discbuild/VhaWriter.h"

namespace {

// A bank of channel-less animations a second long, under `name`.
s_hanim_header* LoadBank(const char* name, const std::vector<std::string>& names) {
    discbuild::VhaBank bank{0, 9, {}};
    for (const std::string& anim : names)
        bank.animations.push_back({anim, 0, 0.0f, 1.0f, 0.0f, {}});
    const std::vector<u8> chunk = discbuild::VhaPayload(bank);
    void* data = HeapMalloc(u32(chunk.size()), __FILE_NAME__, __LINE__);
    std::memcpy(data, chunk.data(), chunk.size());
    return HAnimLoad(name, data, u32(chunk.size()), 0);
}

s_listbox_obj* ListOf(s_window_obj* window) {
    for (s_ui_object* child = window->obj.childNext; child != nullptr; child = child->next)
        if (child->type == UI_OBJ_LISTBOX)
            return reinterpret_cast<s_listbox_obj*>(child);
    return nullptr;
}

// The list box's selection touched at `row`, by a click or a double click.
void Choose(s_window_obj* window, s32 row, bool doubleClick) {
    s_listbox_obj* list = ListOf(window);
    ASSERT_NE(list, nullptr);
    list->index = row;
    Mouse.buttonDoubleClick = doubleClick ? MOUSE_BUTTON_1 : 0;
    list->obj.userFunc(&list->obj, UI_OBJ_EVENT_USER);
    Mouse.buttonDoubleClick = 0;
}

class RViewerModelDialogTest : public RViewerModelFixture {
protected:
    void SetUp() override {
        RViewerModelFixture::SetUp();
        ASSERT_TRUE(Load("FIGURE"));
        before_ = InUse();
    }
    // Every dialog closed hands back its lists and its UI records.
    void TearDown() override {
        s_rvlocals& locals = RVModelLocals;
        AnimationDialogClose(&locals);
        MaterialDialogClose(&locals);
        FrameFilterDialogClose(&locals);
        OrbFrameFilter.Set(ORB_FILTER_MODE_NONE);
        EventWait(4);  // textures go two frames after their free
        for (s_hanim_header* bank : {locals.hanim, locals.hanimBank})
            if (bank != nullptr)
                HAnimFree(bank);
        if (locals.hmodel != nullptr)
            HModelFree(locals.hmodel);
        locals.hanim = locals.hanimBank = nullptr;
        locals.hmodel = nullptr;
        EXPECT_EQ(InUse(), before_);
        RViewerModelFixture::TearDown();
    }

    static std::vector<std::string> Listed() {
        std::vector<std::string> names;
        for (s32 i = 0; i < AnimListBox.numItems; ++i)
            names.emplace_back(AnimListBox.items[i]);
        return names;
    }

    Usage before_{};
};

TEST_F(RViewerModelDialogTest, TheAnimationListCutsTheCommonPrefixSortsAndLeavesOutVariants) {
    const struct {
        const char* bank;
        std::vector<std::string> names;
        std::vector<std::string> listed;
    } rows[] = {
        {"TWO", {"walk_b", "walk_a"}, {"a", "b"}},
        {"VARIANT", {"walk_b", "walk_x1", "walk_a"}, {"a", "b"}},
        {"IDLE", {"idle", "idlex1", "walk"}, {"idle", "walk"}},
        {"ONE", {"walk_a"}, {"walk_a"}},
        {"CASE", {"runB", "runa", "runC"}, {"a", "B", "C"}},
    };
    s_rvlocals& locals = RVModelLocals;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bank);
        locals.hanim = LoadBank(row.bank, row.names);
        ASSERT_NE(locals.hanim, nullptr);
        AnimationDialogOpen(&locals);
        ASSERT_NE(locals.animDialog, nullptr);
        EXPECT_STREQ(locals.animDialog->title, "Select Animation to Play");
        EXPECT_EQ(Listed(), row.listed);
        AnimationDialogClose(&locals);
        EXPECT_EQ(locals.animStrings, nullptr);
        EXPECT_EQ(locals.animIndexRemap, nullptr);
        HAnimFree(locals.hanim);
        locals.hanim = nullptr;
    }
}

TEST_F(RViewerModelDialogTest, WithoutABankTheAnimationDialogStaysShut) {
    AnimationDialogOpen(&RVModelLocals);
    EXPECT_EQ(RVModelLocals.animDialog, nullptr);
}

TEST_F(RViewerModelDialogTest, StepAndBackWrapAndTheStatusLineSwitchesToFrames) {
    s_rvlocals& locals = RVModelLocals;
    locals.hmodel = HModelLoad("FIGURE", 1);
    ASSERT_NE(locals.hmodel, nullptr);
    locals.hanim = LoadBank("CLIPS", {"spin", "wave"});
    AnimationDialogOpen(&locals);
    char status[64];
    AnimDialogStatus(status, sizeof(status));
    EXPECT_STREQ(status, "") << "nothing plays";

    Choose(locals.animDialog, 1, false);
    EXPECT_EQ(locals.animNum, 1);
    PlayAnimButtonFunc(nullptr);
    AnimDialogStatus(status, sizeof(status));
    EXPECT_STREQ(status, "Time Scale: 1.00");
    FastAnimButtonFunc(nullptr);
    AnimDialogStatus(status, sizeof(status));
    EXPECT_STREQ(status, "Time Scale: 1.05");

    BackAnimButtonFunc(nullptr);  // before 0: to the end
    EXPECT_NEAR(HModelGetAnimTime(locals.hmodel), 59.0f / 60.0f, 1e-5f);
    EXPECT_EQ(HModelGetAnimScale(locals.hmodel), 0.0f);
    AnimDialogStatus(status, sizeof(status));
    EXPECT_STREQ(status, "Frame 59 of 60");
    HModelSetAnimTime(locals.hmodel, 0.995f);
    StepAnimButtonFunc(nullptr);  // past the end: to the start
    EXPECT_NEAR(HModelGetAnimTime(locals.hmodel), 0.995f + 1.0f / 60.0f - 1.0f, 1e-5f);

    StopAnimButtonFunc(nullptr);
    StepAnimButtonFunc(nullptr);  // nothing plays: starts paused at the start
    EXPECT_EQ(HModelGetAnimTime(locals.hmodel), 0.0f);
    AnimDialogStatus(status, sizeof(status));
    EXPECT_STREQ(status, "Frame 0 of 60");
    SlowAnimButtonFunc(nullptr);
    EXPECT_NEAR(HModelGetAnimScale(locals.hmodel), -0.05f, 1e-6f) << "slower may run backwards";
}

TEST_F(RViewerModelDialogTest, AFailedBankLoadKeepsTheBankBeforeAndItsList) {
    s_rvlocals& locals = RVModelLocals;
    locals.hanim = LoadBank("OWN", {"own"});
    s_hanim_header* picked = LoadBank("PICKED", {"walk_a", "walk_b"});
    ASSERT_TRUE(RViewerLoadAnimBank("PICKED"));
    HAnimFree(picked);  // the view holds its own reference
    ASSERT_NE(locals.animDialog, nullptr);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ViewMenuItems[7].flags, MENU_ITEM_ENABLED | MENU_ITEM_CHECKED);

    s_hanim_header* kept = locals.hanimBank;
    EXPECT_FALSE(RViewerLoadAnimBank("NOBANK"));
    EXPECT_TRUE(report().contains("RViewerViewModel: cannot load the bank NOBANK\n"));
    EXPECT_EQ(locals.hanimBank, kept);
    ASSERT_NE(locals.animDialog, nullptr);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"a", "b"})) << "names of a live bank";
    EXPECT_EQ(DataFindEntry("PICKED", "VHA"), kept->dataEntry);
}

TEST_F(RViewerModelDialogTest, AMaterialRowIsHighlightedByAClickAndAppliedByADoubleClickOrSet) {
    s_rvlocals& locals = RVModelLocals;
    MaterialDialogOpen(&locals);
    ASSERT_NE(locals.materialDialog, nullptr);
    EXPECT_EQ(MaterialListBox.numItems, 39);
    EXPECT_STREQ(MaterialListBox.items[38], "DoubleSidedStencil");

    Choose(locals.materialDialog, 17, false);
    EXPECT_EQ(locals.materialListIndex, 17);
    EXPECT_EQ(locals.materialNum, 0) << "a click only highlights";
    SetMaterialButtonFunc(nullptr);
    EXPECT_EQ(locals.materialNum, 17);
    Choose(locals.materialDialog, 4, true);
    EXPECT_EQ(locals.materialNum, 4);

    const s32 x = locals.materialDialog->obj.rect.x;
    MaterialDialogOpen(&locals);  // open already: nothing new
    CloseMaterialButtonFunc(nullptr);
    EXPECT_EQ(locals.materialDialog, nullptr);
    EXPECT_EQ(locals.materialStrings, nullptr);
    EXPECT_EQ(locals.materialDialogX, x);
    EXPECT_EQ(locals.materialNum, 4) << "the mode outlives its dialog";
}

TEST_F(RViewerModelDialogTest, OnlyAFrameFilterRowOtherThanTheCurrentSwitchesTheFilter) {
    s_rvlocals& locals = RVModelLocals;
    FrameFilterDialogOpen(&locals);
    ASSERT_NE(locals.frameFilterDialog, nullptr);
    EXPECT_EQ(FrameFilterListBox.numItems, 11);
    Choose(locals.frameFilterDialog, ORB_FILTER_MODE_GLOW, false);
    EXPECT_EQ(locals.frameFilterNum, ORB_FILTER_MODE_GLOW);
    EXPECT_EQ(OrbFrameFilter.m_Mode, ORB_FILTER_MODE_GLOW);

    OrbFrameFilter.Set(ORB_FILTER_MODE_BLUR);
    Choose(locals.frameFilterDialog, ORB_FILTER_MODE_GLOW, false);
    EXPECT_EQ(OrbFrameFilter.m_Mode, ORB_FILTER_MODE_BLUR) << "the current row does nothing";
    Choose(locals.frameFilterDialog, ORB_FILTER_MODE_EDGE_DETECT, false);
    EXPECT_EQ(OrbFrameFilter.m_Mode, ORB_FILTER_MODE_EDGE_DETECT);
}

}  // namespace
