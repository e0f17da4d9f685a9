#include "source/Launcher.h"

#include "orblib47/source/DbugMenu.h"
#include "orblib47/source/DrawFade.h"
#include "orblib47/source/DrawViewport.h"
#include "orblib47/source/Heap.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/UIObject.h"
#include "source/DevEntries.h"
#include "source/DevEntriesRender.h"
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

// The frame limit ends the list as a quit does.
void FrameLimitThread(s_thread*, void*) {
    if (OrbMainFrameLimitReached())
        UIQuitFlag = 1;
}

}  // namespace

void LauncherLoop() {
    s_Matrix4 cameraMatrix;
    s_Vector3 cameraPosition;
    DrawGetCamera(&cameraMatrix, &cameraPosition);
    while (!OrbMainFrameLimitReached()) {
        DrawSetCamera(&cameraMatrix, &cameraPosition);
        HeapPrintAvail("MainLoop");
        DrawFade(FADE_IN, 0x000000FF, 0.5f);
        DrawWaitFade();
        s_thread* watch = ThreadInsertPriorityDebug("FrameLimitThread", nullptr, nullptr, FrameLimitThread,
                                                    nullptr, DEBUG_MENU_THREAD_PRIORITY);
        const s32 entry = DebugMenu(0, DebugMenuItems, LAUNCHER_ENTRIES, "Dorvanton Pro Bowling");
        ThreadKill(watch);
        DrawSetClearColor(0x000000FF);
        if (entry == -1)
            return;
        DebugMenuHandlers[entry]();
    }
}
