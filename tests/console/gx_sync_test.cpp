// Draw sync tokens and the draw-done interrupt.
#include "tests/console/gx_front_support.h"

namespace {

using GXSyncTest = gxtest::GXFrontTest;

int s_drawDones = 0;
void CountDrawDone() {
    ++s_drawDones;
}

TEST_F(GXSyncTest, DrawDoneArrivesAtTheNextPollPoint) {
    s_drawDones = 0;
    EXPECT_EQ(GXSetDrawDoneCallback(CountDrawDone), nullptr);
    GXSetDrawDone();
    EXPECT_EQ(s_drawDones, 0);  // never inside the call
    OSGetTime();
    EXPECT_EQ(s_drawDones, 1);

    GXDrawDone();
    EXPECT_EQ(s_drawDones, 1);
    GXReadDrawSync();  // a poll point too
    EXPECT_EQ(s_drawDones, 2);
    EXPECT_EQ(GXSetDrawDoneCallback(nullptr), CountDrawDone);
}

TEST_F(GXSyncTest, TokenIsReadBackOnceSet) {
    GXSetDrawSync(0xB00B);
    EXPECT_EQ(GXReadDrawSync(), 0xB00B);
    GXSetDrawSync(0xBEEF);
    EXPECT_EQ(GXReadDrawSync(), 0xBEEF);
}

TEST_F(GXSyncTest, FifoStaysEmptyAndTheGPIdle) {
    GXFifoObj fifo;
    GXGetCPUFifo(&fifo);
    void* read;
    void* write;
    GXGetFifoPtrs(&fifo, &read, &write);
    EXPECT_EQ(read, write);
    GXBool overhi, underlow, readIdle, cmdIdle, brkpt;
    GXGetGPStatus(&overhi, &underlow, &readIdle, &cmdIdle, &brkpt);
    EXPECT_TRUE(readIdle && cmdIdle);
}

}  // namespace
