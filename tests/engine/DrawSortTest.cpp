#include <gtest/gtest.h>

#include <numeric>
#include <tuple>
#include <vector>

#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawSort.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/OrbThread.h"
#include "tests/support/EngineFixture.h"

namespace {

using F = s_draw_sort_flags;
using Drawn = std::tuple<int, s32, e_CULL_MODE, e_PROJ_MODE>;  // id and the states it saw

std::vector<Drawn> gDrawn;
int gIds[DRAW_SORT_MAX + 2];

void Draw(void* data) {
    gDrawn.emplace_back(*static_cast<int*>(data), DrawContext.zBufferWriteEnable, DrawContext.cullMode,
                        DrawContext.projectionMode);
}

void Add(int id, u8 priority, f32 z, u32 flags = 0) {
    const s_draw_sort_flags word{flags};
    DrawSortAddData(&gIds[id], Draw, &word, priority, z);
}

// Queues item 1 from inside its own drawing.
void DrawAndQueue(void* data) {
    Draw(data);
    Add(1, 0, 0.0f);
}

std::vector<int> TakeDrawnIds() {
    std::vector<int> ids;
    for (const Drawn& d : gDrawn)
        ids.push_back(std::get<0>(d));
    gDrawn.clear();
    return ids;
}

class DrawSortTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        gDrawn.clear();
        std::iota(std::begin(gIds), std::end(gIds), 0);
    }
};

TEST_F(DrawSortTest, OpaqueThenAlphaEachByPriorityThenDepthInQueuedOrderOnTies) {
    Add(1, 5, -0.2f);
    Add(2, 7, -0.9f);
    Add(3, 5, -0.5f);
    Add(4, 200, 0.0f, F::Has_Alpha);
    Add(5, 5, -0.5f);
    Add(6, 0, 0.0f, F::Has_Alpha);
    const s_Vector3 nearPoint{0.0f, 0.0f, -5.0f, 1.0f}, farPoint{0.0f, 0.0f, -50.0f, 1.0f};
    DrawSortAddDataPos(&gIds[7], Draw, &nearPoint, nullptr, 1);
    DrawSortAddDataPos(&gIds[8], Draw, &farPoint, nullptr, 1);
    EventWait(1);
    EXPECT_EQ(std::get<1>(gDrawn[5]), 1);
    EXPECT_EQ(std::get<1>(gDrawn[6]), 0);  // the alpha pass does not write depth
    EXPECT_EQ(TakeDrawnIds(), (std::vector<int>{2, 3, 5, 1, 8, 7, 4, 6}));
    EventWait(1);  // the alpha flush emptied the list
    EXPECT_TRUE(gDrawn.empty());
}

TEST_F(DrawSortTest, ItemStateChangesApplyToThatItemOnly) {
    DrawSetZBufferWrite(0);
    Add(1, 9, 0.0f, F::Change_ZWrite | F::ZWrite_Disabled);
    Add(2, 8, 0.0f, F::Change_Projection | F::Proj_Ortho | F::Change_Cull_Mode);
    Add(3, 7, 0.0f, F::Change_Cull_Mode | F::Cull_Mode_None);
    Add(4, 6, 0.0f);  // back faces culled again, also after the projection switch
    // Read before the frame's end sets the default state for the next frame.
    static s32 zWriteAfterFlush;
    zWriteAfterFlush = -1;
    auto probe = [](s_thread* task, void*) {
        zWriteAfterFlush = DrawContext.zBufferWriteEnable;
        ThreadKill(task);
    };
    ThreadInsertPriorityDebug("ZWriteProbe", nullptr, nullptr, probe, nullptr,
                              DRAW_SORT_ALPHA_FLUSH_PRIORITY - 1);
    EventWait(1);
    EXPECT_EQ(gDrawn, (std::vector<Drawn>{{1, 0, DC_CULL_BACK, DC_PROJ_3D},
                                          {2, 1, DC_CULL_BACK, DC_PROJ_ORTHO},
                                          {3, 1, DC_CULL_NONE, DC_PROJ_3D},
                                          {4, 1, DC_CULL_BACK, DC_PROJ_3D}}));
    EXPECT_EQ(zWriteAfterFlush, 0);  // the flushes put the frame's state back
}

TEST_F(DrawSortTest, AFullListDropsItemsUntilTheNextFrame) {
    for (u32 i = 0; i <= DRAW_SORT_MAX; ++i)
        Add(int(i), 0, 0.0f);
    EXPECT_TRUE(report().contains("DrawSortAddData: Out of DRAW_SORT elements\n"));
    EventWait(1);
    EXPECT_EQ(TakeDrawnIds().back(), int(DRAW_SORT_MAX - 1));
    Add(int(DRAW_SORT_MAX + 1), 0, 0.0f);
    EventWait(1);
    EXPECT_EQ(TakeDrawnIds(), (std::vector<int>{int(DRAW_SORT_MAX + 1)}));
}

TEST_F(DrawSortTest, ItemsAddedWhileDrawingDrawAtOnceAndAfterTheAlphaFlushNextFrame) {
    DrawSortForceDrawData(&gIds[3], DrawAndQueue);
    EXPECT_EQ(TakeDrawnIds(), (std::vector<int>{3, 1}));
    DrawSortAddData(&gIds[2], DrawAndQueue, nullptr, 9, 0.0f);
    Add(4, 0, 0.0f);
    auto lateQueue = [](s_thread* task, void*) {  // like the particle hand-over
        Add(5, 0, 0.0f);
        ThreadKill(task);
    };
    ThreadInsertPriorityDebug("LateQueue", nullptr, nullptr, lateQueue, nullptr,
                              DRAW_SORT_ALPHA_FLUSH_PRIORITY - 1);
    EventWait(1);
    EXPECT_EQ(TakeDrawnIds(), (std::vector<int>{2, 1, 4}));
    EventWait(1);
    EXPECT_EQ(TakeDrawnIds(), (std::vector<int>{5}));
}

using DrawSortDeathTest = EngineDeathFixture;

TEST_F(DrawSortDeathTest, NullPointersAreFatal) {
    EXPECT_DEATH(DrawSortAddData(nullptr, Draw, nullptr, 0, 0.0f), "DrawSortAddData: NULL data");
    EXPECT_DEATH(DrawSortForceDrawData(&gIds[0], nullptr), "DrawSortForceDrawData: NULL drawFunc");
}

}  // namespace
