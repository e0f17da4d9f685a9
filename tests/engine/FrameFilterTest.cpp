// The frame filter's modes: what setting one starts, keeps and frees, and how a
// kernel is drawn.
#include <gtest/gtest.h>

#include "console/gx/gx_control.h"
#include "orblib47/source/FrameFilter.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/support/EngineFixture.h"

namespace {

class FrameFilterTest : public EngineFixture {
protected:
    void TearDown() override {
        OrbFrameFilter.Set(ORB_FILTER_MODE_NONE);
        HostGXSetVertexTap(nullptr, nullptr);
        EngineFixture::TearDown();
    }
    static s_ORB_FILTER_TEXTURE* Textures(e_ORB_FILTER_MODE mode) {
        return OrbFilterModes[mode - ORB_FILTER_MODE_TEST].textureList;
    }
};

TEST_F(FrameFilterTest, SettingAModeRunsItsTasksUntilNoneStopsThemAndFreesItsTextures) {
    EXPECT_EQ(OrbFrameFilter.Set(ORB_FILTER_MODE_GLOW), ORB_FILTER_MODE_NONE);
    s_thread* update = OrbFrameFilter.m_UpdateThreadPtr;
    s_thread* draw = OrbFrameFilter.m_DrawThreadPtr;
    ASSERT_TRUE(update != nullptr && draw != nullptr);
    EXPECT_EQ(update->priority, 4600);
    EXPECT_EQ(draw->priority, 4599);
    EventWait(1);
    s_texture* acc = Textures(ORB_FILTER_MODE_GLOW)[ORB_FILTER_TEXTURE_ACC].texture;
    EXPECT_NE(acc, nullptr);

    // The same mode again, a user-defined one and one past the last change nothing.
    EXPECT_EQ(OrbFrameFilter.Set(ORB_FILTER_MODE_GLOW), ORB_FILTER_MODE_GLOW);
    EXPECT_EQ(OrbFrameFilter.Set(ORB_FILTER_MODE_USER_DEFINED), ORB_FILTER_MODE_GLOW);
    EXPECT_TRUE(
        report().contains("Attempted to set a user defined frame filter incorrectly, use "
                          "SetUserDefined instead.\n"));
    EXPECT_EQ(OrbFrameFilter.Set(ORB_FILTER_MODE_COUNT), ORB_FILTER_MODE_GLOW);
    EXPECT_EQ(OrbFrameFilter.m_UpdateThreadPtr, update);
    EXPECT_EQ(OrbFrameFilter.m_DrawThreadPtr, draw);
    EXPECT_EQ(Textures(ORB_FILTER_MODE_GLOW)[ORB_FILTER_TEXTURE_ACC].texture, acc);

    EXPECT_EQ(OrbFrameFilter.Set(ORB_FILTER_MODE_NONE), ORB_FILTER_MODE_GLOW);
    EXPECT_EQ(OrbFrameFilter.m_UpdateThreadPtr, nullptr);
    EXPECT_EQ(OrbFrameFilter.m_DrawThreadPtr, nullptr);
    for (s32 t = ORB_FILTER_TEXTURE_ACC; t <= ORB_FILTER_TEXTURE_TEMP1; ++t)
        EXPECT_EQ(Textures(ORB_FILTER_MODE_GLOW)[t].texture, nullptr) << t;
    EventWait(1);  // nothing left runs
}

// The working textures are made once while their mode is set, not once a frame.
TEST_F(FrameFilterTest, WorkingTexturesLastAsLongAsTheirMode) {
    OrbFrameFilter.Set(ORB_FILTER_MODE_BLUR);
    EventWait(1);
    s_texture* acc = Textures(ORB_FILTER_MODE_BLUR)[ORB_FILTER_TEXTURE_ACC].texture;
    s_texture* temp = Textures(ORB_FILTER_MODE_BLUR)[ORB_FILTER_TEXTURE_TEMP0].texture;
    ASSERT_TRUE(acc != nullptr && temp != nullptr);
    EventWait(3);
    EXPECT_EQ(Textures(ORB_FILTER_MODE_BLUR)[ORB_FILTER_TEXTURE_ACC].texture, acc);
    EXPECT_EQ(Textures(ORB_FILTER_MODE_BLUR)[ORB_FILTER_TEXTURE_TEMP0].texture, temp);
    OrbFrameFilter.Set(ORB_FILTER_MODE_EDGE_DETECT);
    EXPECT_EQ(Textures(ORB_FILTER_MODE_BLUR)[ORB_FILTER_TEXTURE_TEMP0].texture, nullptr);
}

void CountKernelQuads(GXPrimitive type, const console::gx::RasterVertex* vertices, u32 count, void* context) {
    // The kernel's quads are the grey ones: the picture put back is drawn in white.
    for (u32 i = 0; type == GX_QUADS && i + 3 < count; i += 4)
        *static_cast<s32*>(context) += vertices[i].color[0][0] < 0.99f;
}

TEST_F(FrameFilterTest, EachKernelElementOfSomeWeightDrawsOneQuad) {
    const struct {
        const s_ORB_FILTER* kernel;
        s32 quads;
    } cases[] = {
        {&FilterSmallBox, 9}, {&FilterBox, 17}, {&FilterCircle, 9}, {&FilterCircle2, 17}, {&FilterEdge, 8},
    };
    for (const auto& c : cases) {
        const s_ORB_FILTER_CMD cmd = {ORB_FILTER_CMD_FILTER,
                                      0,
                                      DC_COMBINE_ADD,
                                      ORB_FILTER_TEXTURE_ACC,
                                      ORB_FILTER_TEXTURE_TEMP0,
                                      c.kernel,
                                      {},
                                      {1, 1, 1, 1}};
        s_ORB_FILTER_MODE_DEF mode = {{{nullptr, 64, 64, 32}, {nullptr, 64, 64, 32}}, {}, 1, &cmd};
        OrbFrameFilter.SetFilter(&mode);
        s32 quads = 0;
        HostGXSetVertexTap(CountKernelQuads, &quads);
        OrbFrameFilter.Update();
        HostGXSetVertexTap(nullptr, nullptr);
        EXPECT_EQ(quads, c.quads) << c.kernel->numElements << " elements";
        OrbFrameFilter.SetFilter(nullptr);
    }
}

}  // namespace
