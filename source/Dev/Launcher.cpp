#include "source/Dev/Launcher.h"

#include "orblib47/source/DbugMenu.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/RViewer.h"
#include "orblib47/source/UIObject.h"
#include "source/Dev/DevEntries.h"
#include "source/Dev/DevEntriesRender.h"
#include "source/OrbMain.h"

const char* const DebugMenuItems[LAUNCHER_ENTRIES] = {
    "Level Manager",
    "Dorvanton Pro Bowling Shell",
    "Resource Viewer",
    "Primitive Draw 2D Test",
    "Primitive Draw 2D Texture Test",
    "Primitive Draw 3D Test",
    "Color Bar Test",
    "Depth Offset Draw Test",
    "Scene Test",
    "Stream Test",
    "Third State Testing",
    "Ticker Testing",
    "Run All Kudos Screens",
};

const LauncherEntryFunc DebugMenuHandlers[LAUNCHER_ENTRIES + 1] = {
    LevelManagerMain,
    DorvantonProBowlingShell,
    ViewResource,
    PrimitiveDraw2DTest,
    PrimitiveDraw2DTextureTest,
    PrimitiveDraw3DTest,
    ColorBarTest,
    DepthOffsetDrawTest,
    SceneTest,
    StreamTest,
    FlashThirdStateTesting,
    TickerTesting,
    KudosRunAll,
    MainExit,
};

namespace {

// The list and the tools' loops end on the quit flag, which this raises at the
// program's frame limit.
void FrameLimitThread(s_thread*, void*) {
    if (OrbMainFrameLimitReached())
        UIQuitFlag = 1;
}

s_thread* WatchFrameLimit() {
    return ThreadInsertPriorityDebug("FrameLimitThread", nullptr, nullptr, FrameLimitThread, nullptr,
                                     DEBUG_MENU_THREAD_PRIORITY);
}

}  // namespace

s32 LauncherDebugMenu(s32 selection, const char* const* entries, s32 count, const char* title) {
    s_thread* watch = WatchFrameLimit();
    const s32 chosen = DebugMenu(selection, entries, count, title);
    ThreadKill(watch);
    return chosen;
}

void LauncherLoop() {
    s_Matrix4 cameraMatrix;
    s_Vector3 cameraPosition;
    DrawGetCamera(&cameraMatrix, &cameraPosition);
    while (!OrbMainFrameLimitReached()) {
        DrawSetCamera(&cameraMatrix, &cameraPosition);
        HeapPrintAvail("MainLoop");
        DrawFade(FADE_IN, 0x000000FF, 0.5f);
        DrawWaitFade();
        const s32 entry = LauncherDebugMenu(0, DebugMenuItems, LAUNCHER_ENTRIES, "Dorvanton Pro Bowling");
        DrawSetClearColor(0x000000FF);
        if (entry == -1)
            return;
        LauncherRunEntry(entry);
    }
}

void LauncherRunEntry(s32 entry) {
    s_thread* watch = WatchFrameLimit();
    DebugMenuHandlers[entry]();
    ThreadKill(watch);
}
