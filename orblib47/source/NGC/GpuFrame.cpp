#include "orblib47/source/NGC/GpuFrame.h"

#include <cstring>

#include "console/sc.h"
#include "console/vi.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/Clock.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/Screenshot.h"
#include "orblib47/source/Texture.h"

void* FrameBuffer[2] = {nullptr, nullptr};
u32 XfbFrameBufferSize = 0;
s32 ActiveBuffer = 0;
void* GpuBufferPtr = nullptr;
u32 BlackFrameCount = 0;
f32 GPUTime = 0.0f;
f32 MSHTime = 0.0f;
GXRenderModeObj* rmode = nullptr;

namespace {

GXRenderModeObj RenderMode;
GXFifoObj GpuFifo;
void* Fifo1 = nullptr;
void* Fifo2 = nullptr;
s32 GpuFirstTime = 1;
// Set while DrawAllocPacketBuffers restores the draw state over buffers it has just
// made, so that the GPU warm reset inside does not replace them again.
s32 FifosFresh = 0;

void* ClearedBlock(u32 size) {
    void* block = HeapMalloc(size, __FILE_NAME__, __LINE__);
    ORB_ASSERT(block != nullptr, "GpuWarmReset: Out of RAM for the GPU FIFO (%u bytes)\n", size);
    std::memset(block, 0, size);
    return block;
}

void InitFifos(u32 size) {
    Fifo1 = ClearedBlock(GPU_INIT_FIFO_SIZE);
    Fifo2 = ClearedBlock(size);
    GXInit(Fifo1, GPU_INIT_FIFO_SIZE);
    GXSetDrawDone();
    GXInitFifoBase(&GpuFifo, Fifo2, size);
    GXSetCPUFifo(&GpuFifo);
    GXSetGPFifo(&GpuFifo);
    GXSetDrawSync(GPU_FRAME_DONE_TOKEN);
    GXSetDrawDoneCallback(GpuDrawDone);
}

bool GpFifoReadIdle() {
    GXBool overhi, underlow, readIdle, cmdIdle, brkpt;
    GXGetGPStatus(&overhi, &underlow, &readIdle, &cmdIdle, &brkpt);
    return readIdle != GX_FALSE;
}

void ReplaceFifos(u32 size) {
    GXSetDrawDone();
    GpuWaitFor(GpFifoReadIdle, "DrawAllocPacketBuffers");
    HeapMallocFree(Fifo1);
    HeapMallocFree(Fifo2);
    InitFifos(size);
}

u32 TvModeOf(u32 tvFormat) {
    switch (tvFormat) {
        case VI_PAL:
            return VI_TVMODE_PAL_INT;
        case VI_MPAL:
            return VI_TVMODE_MPAL_INT;
        case VI_EURGB60:
            return VI_TVMODE_EURGB60_INT;
        default:
            return VI_TVMODE_NTSC_INT;
    }
}

GXPixelFmt PixelFormatOf(u32 depth) {
    switch (depth * 8) {
        case 16:
            return GX_PF_RGB565_Z16;
        case 32:
            return GX_PF_RGB8_Z24;
        default:
            return GX_PF_RGBA6_Z24;
    }
}

// Replaces both display buffers; the old ones are freed once the display shows
// a new one.
void CreateFrameBuffers() {
    void* old[2] = {FrameBuffer[0], FrameBuffer[1]};
    XfbFrameBufferSize = u32((rmode->fbWidth + 15) & ~15) * rmode->xfbHeight * 2;
    HeapPush(&ExtraHeap);
    for (void*& buffer : FrameBuffer) {
        buffer = HeapMalloc(XfbFrameBufferSize, __FILE_NAME__, __LINE__);
        ORB_ASSERT(buffer != nullptr, "DrawSetVideoMode: Out of RAM for the frame buffers\n");
    }
    HeapPop();
    GpuBufferPtr = FrameBuffer[ActiveBuffer];
    GXCopyDisp(GpuBufferPtr, GX_TRUE);
    VISetNextFrameBuffer(FrameBuffer[ActiveBuffer ^ 1]);
    VIFlush();
    VIWaitForRetrace();
    if (rmode->viTVmode & 1)
        VIWaitForRetrace();
    for (void* buffer : old) {
        if (buffer != nullptr)
            HeapMallocFree(buffer);
    }
}

}  // namespace

void GpuColdReset() {
    Fifo1 = Fifo2 = nullptr;
    FrameBuffer[0] = FrameBuffer[1] = GpuBufferPtr = nullptr;
    rmode = nullptr;
    GpuFirstTime = 1;
    FifosFresh = 0;
}

void GpuWarmReset() {
    if (GpuFirstTime) {
        GpuFirstTime = 0;
        InitFifos(GPU_FIFO_SIZE);
    } else if (!FifosFresh) {
        ReplaceFifos(GPU_FIFO_SIZE);
    }
    FifosFresh = 0;
    BlackFrameCount = GPU_BLACK_FRAMES;
    VISetBlack(TRUE);
    VIFlush();
    ActiveBuffer = s32(PassCount & 1);
    GpuBufferPtr = FrameBuffer[ActiveBuffer];
    ClockResetTimer(1);
    GameTime = 0.0f;
}

void DrawAllocPacketBuffers(u32 size) {
    ReplaceFifos(size);
    FifosFresh = 1;
    DrawWarmReset(DrawContext.videoMode.word);
    TextureHardwareInitTLUTs(0);
    GXInvalidateTexAll();
}

void GpuDrawDone() {
    GPUTime = ClockGetHiresTimer(1);
}

u32 DrawSetVideoMode(u32 mode) {
    u32 previous = DrawContext.videoMode.word;
    if (mode == previous)
        return previous;
    DrawContext.videoMode.word = mode;
    DrawContext.frameBufferCount = 2;
    DrawContext.maxDepth = 1.0f;
    GpuSetTvMode(TvModeOf(VIGetTvFormat()), mode);
    CreateFrameBuffers();
    DrawSetDisplayCopyClear(0);
    DrawEnableTextureFiltering();
    return previous;
}

void GpuSetTvMode(u32 tvMode, u32 mode) {
    const u_video_mode video{mode};
    GXRenderModeObj* base = &GXNtsc480IntDf;
    if (SCGetProgressiveMode() == 1 && VIGetDTVStatus() == 1) {
        base = &GXNtsc480Prog;
        SCSetProgressiveMode(1);
    } else {
        SCSetProgressiveMode(0);
    }
    base->fbWidth = u16(video.width() * 16);
    base->efbHeight = u16(video.height() * 16);
    GXRenderModeObj& rm = RenderMode;
    GXAdjustForOverscan(base, &rm, 0, 16);
    if (tvMode == VI_TVMODE_PAL_INT) {
        rm.viHeight = 528;
        rm.xfbHeight = 528;
        rm.viXOrigin = u16((720 - rm.viWidth) / 2);
        rm.viYOrigin = u16((574 - rm.viHeight) / 2);
        rm.efbHeight = 448;
    } else if (tvMode == VI_TVMODE_MPAL_INT) {
        rm.viXOrigin = u16((720 - rm.viWidth) / 2);
        rm.viYOrigin = u16((480 - rm.viHeight) / 2);
    }
    GXSetPixelFmt(PixelFormatOf(video.depth()), GX_ZC_LINEAR);
    GXSetViewport(0.0f, 0.0f, rm.fbWidth, rm.xfbHeight, 0.0f, 1.0f);
    GXSetScissor(0, 0, rm.fbWidth, rm.efbHeight);
    GXSetDispCopySrc(0, 0, rm.fbWidth, rm.efbHeight);
    GXSetDispCopyDst(rm.fbWidth, rm.efbHeight);
    GXSetDispCopyYScale(GXGetYScaleFactor(rm.efbHeight, rm.xfbHeight));
    GXSetCopyFilter(rm.aa, rm.sample_pattern, GX_TRUE, rm.vfilter);
    GXSetDispCopyGamma(video.gammaMode() != 0 ? GX_GM_2_2 : GX_GM_1_0);
    VIConfigure(&rm);
    VIFlush();
    VIWaitForRetrace();
    VIWaitForRetrace();
    DrawContext.screenSize = {rm.fbWidth, rm.efbHeight};
    DrawContext.screenCenter = {rm.fbWidth / 2, rm.efbHeight / 2};
    DrawContext.screenAspectRatio = {f32(rm.fbWidth) / f32(rm.efbHeight),
                                     f32(rm.efbHeight) / f32(rm.fbWidth)};
    DrawContext.screenTitleSafe = {24, 20};
    rmode = &rm;
    SCREENSHOTSetRenderModeObj(&rm);
}

s32 DrawSetGXPixelFormat(s32 fmt) {
    GXPixelFmt previous = PixelFormatOf(DrawContext.videoMode.depth());
    static constexpr u32 DepthOfFormat[] = {4, 3, 2};  // indexed by GXPixelFmt
    if (fmt < GX_PF_RGB8_Z24 || fmt > GX_PF_RGB565_Z16) {
        DEBUG_PRINT("DrawSetGXPixelFormat: Invalid pixel format requested, ignored.\n");
        return previous;
    }
    DrawContext.videoMode.setDepth(DepthOfFormat[fmt]);
    GXSetPixelFmt(GXPixelFmt(fmt), GX_ZC_LINEAR);
    return previous;
}

void DrawEnableTextureFiltering() {
    GXSetCopyFilter(rmode->aa, rmode->sample_pattern, GX_TRUE, rmode->vfilter);
}

void DrawDisableTextureFiltering() {
    GXSetCopyFilter(GX_FALSE, nullptr, GX_FALSE, nullptr);
}

bool GpuWaitFor(bool (*done)(), const char* who) {
    for (u32 waited = 0; !done(); ++waited) {
        if (waited == GPU_WAIT_RETRACES) {
            DEBUG_PRINT("%s: GPU wait timed out\n", who);
            return false;
        }
        VIWaitForRetrace();
    }
    return true;
}

void GpuStartRender() {}

void DrawRestoreDrawEnv() {}
