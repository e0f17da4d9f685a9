// The full-screen movie loop: open, preload, then once per pass decode the frame
// that is due by the movie's frame rate, draw it centred, and run one frame of
// the tasks; shut down, clear the screen and put the UI back.
#include "orblib47/source/NGC/Movie.h"

#include <string>

#include "console/gx.h"
#include "console/vi.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/NGC/DrawCombine.h"
#include "orblib47/source/NGC/DrawFrame.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/NGC/Hardware.h"
#include "orblib47/source/NGC/THPSimple.h"
#include "orblib47/source/OrbLib.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/UI.h"

u8* MovieBuffer;
s32 MovieIsAnamorphic;
s32 MovieNoAbort;

namespace {

// The movie's frame programs the hardware itself: the engine's cached draw state
// goes back to the hardware, so that its setters, which skip a value they hold
// already, stay true (untextured stages for the next clear, the depth write).
void RestoreDrawState() {
    const e_COMBINE_MODE combine = DrawContext.combineMode;
    DrawContext.combineMode = DC_COMBINE_INVALID;
    DrawSetCombineMode(combine);
    const e_ZBUF_MODE zMode = DrawContext.zBufferMode;
    DrawContext.zBufferMode = DC_ZMODE_INVALID;
    DrawSetZBufferMode(zMode);
    DrawSetFlatColor(DrawContext.color);
    DrawResetCombineStages();
}

// Decodes every frame that is due after `retraces` retraces of play, so the
// movie keeps its own rate whatever a pass costs. Returns the last result.
s32 DecodeDue(u32 retraces, f32 frameRate, u32* decoded) {
    s32 result = THP_DECODE_OK;
    while (*decoded == 0 || f32(retraces) * frameRate >= f32(*decoded) * f32(VI_RETRACES_PER_SECOND)) {
        result = THPSimpleDecode(0);
        if (result != THP_DECODE_OK)
            break;
        ++*decoded;
    }
    return result;
}

void RestoreUI(s32 wasEnabled) {
    if (wasEnabled)
        UISetEnabled();
}

// The end of every path that opened the player: a black screen while it shuts down.
void EndMovie(s32 uiWasEnabled) {
    VISetBlack(TRUE);
    EventWait(1);
    MovieShutDown();
    RestoreUI(uiWasEnabled);
    MovieClearFrameBuffer(1);
    MovieClearFrameBuffer(1);
    VISetBlack(FALSE);
}

}  // namespace

s32 MoviePlay(const char* name) {
    const s32 uiWasEnabled = UIGetEnabled();
    if (uiWasEnabled)
        UISetDisabled();
    THPSimpleInit(THP_MODE_WITH_AX);
    MovieIsAnamorphic = 0;
    MovieNoAbort = 0;
    if (name == nullptr) {
        THPSimpleQuit();
        RestoreUI(uiWasEnabled);
        return 0;
    }
    const std::string path = std::string(name) + ".thp";
    if (!THPSimpleOpen(path.c_str())) {
        THPSimpleQuit();
        DEBUG_PRINT("MoviePlay: unable to open %s\n", name);
        RestoreUI(uiWasEnabled);
        return 0;
    }
    THPVideoInfo video;
    THPSimpleGetVideoInfo(&video);
    const u32 x = (GXNtsc480Int.fbWidth - video.xSize) / 2;
    const u32 y = (GXNtsc480Int.efbHeight - video.ySize) / 2;
    if (!MovieAllocBuffer(THPSimpleCalcNeedMemory())) {
        MovieTHPShutDown();
        RestoreUI(uiWasEnabled);
        return 0;
    }
    THPSimpleSetBuffer(MovieBuffer);
    if (!THPSimplePreLoad(FALSE)) {
        VISetBlack(TRUE);
        EventWait(1);
        MovieShutDown();
        RestoreUI(uiWasEnabled);
        DEBUG_PRINT("MoviePlayer: THPPlayerPrepare failed on %s\n", name);
        MovieClearFrameBuffer(1);
        MovieClearFrameBuffer(1);
        VISetBlack(FALSE);
        return 0;
    }
    const f32 frameRate = THPSimpleGetFrameRate();
    const u32 start = VIGetRetraceCount();
    u32 noted = start;
    u32 decoded = 0;
    u32 drawn = 0;  // the frames decoded when the picture in the frame buffer was drawn
    for (bool first = true;; first = false) {
        const s32 result = DecodeDue(VIGetRetraceCount() - start, frameRate, &decoded);
        HardwareCheckFileError();
        if (result == THP_DECODE_VIDEO_ERROR || result == THP_DECODE_NO_FRAME ||
            (Pad[0].bnew & (PAD_A | PAD_PLUS)) != 0) {
            DrawClearKeptPicture();
            break;
        }
        // The video changes slower than the retrace, and the player owns the screen
        // while it plays (the UI is off): while the video frame stays and the last
        // display copy kept the picture, the frame buffer already holds this pass's.
        if (decoded != drawn || !DrawPictureKept()) {
            MovieClearFrameBuffer(0);
            THPSimpleDrawCurrentFrame(&GXNtsc480Int, x, y, video.xSize, video.ySize);
            RestoreDrawState();
            drawn = decoded;
        }
        while (VIGetRetraceCount() < noted + 1)
            VIWaitForRetrace();
        noted = VIGetRetraceCount();
        if (first)
            THPSimpleAudioStart();
        DrawKeepPicture();
        EventWait(1);
    }
    EndMovie(uiWasEnabled);
    return 0;
}

void MovieShutDown() {
    MovieTHPShutDown();
    MovieFreeBuffer();
}

void MovieTHPShutDown() {
    THPSimpleAudioStop();
    THPSimpleLoadStop();
    THPSimpleClose();
    THPSimpleQuit();
    Pad[0].bnew = 0;
}

bool MovieAllocBuffer(u32 size) {
    MovieFreeBuffer();
    MovieBuffer = static_cast<u8*>(HeapMalloc(size, __FILE__, __LINE__));
    return MovieBuffer != nullptr;
}

void MovieFreeBuffer() {
    if (MovieBuffer == nullptr)
        return;
    HeapMallocFree(MovieBuffer);
    MovieBuffer = nullptr;
}

void MovieClearFrameBuffer(s32 wait) {
    const e_PROJ_MODE projection = DrawSetProjection(DC_PROJ_ORTHO);
    s_texture* texture = DrawSetTexture(nullptr);
    const u32 color = DrawSetFlatColor(0x000000FF);
    const e_COMBINE_MODE combine = DrawSetCombineMode(DC_COMBINE_OVERWRITE);
    const e_ZBUF_MODE depth = DrawSetZBufferMode(DC_ZMODE_ALWAYS);
    const s32 depthWrite = DrawSetZBufferWrite(1);
    const s_Vector3 corner0 = {0.0f, 0.0f, 0.0f, 0.0f};
    const s_Vector3 corner1 = {f32(DrawContext.screenSize.x), f32(DrawContext.screenSize.y), 0.0f, 0.0f};
    DrawFilledRect(&corner0, &corner1);
    DrawSetZBufferWrite(depthWrite);
    DrawSetZBufferMode(depth);
    DrawSetCombineMode(combine);
    DrawSetFlatColor(color);
    DrawSetTexture(texture);
    DrawSetProjection(projection);
    if (wait) {
        VIWaitForRetrace();
        EventWait(1);
    }
}

void MovieDrawDone() {
    GXDrawDone();
}

bool MovieIsPlaying() {
    return false;
}
