// The debug module's life cycle: its assets, the overlay list and the overlay task.
#include "orblib47/source/Debug.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/Model.h"
#include "orblib47/source/NGC/File.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Pad.h"
#include "orblib47/source/Wad.h"

s_wad* DebugWad = nullptr;
s_wad* SystemWad = nullptr;
s_font* DebugFont = nullptr;
s_font* DebugFontLarge = nullptr;
s_font* DebugIconFont = nullptr;
s_model* DebugSphere = nullptr;
DebugTimingFunc DebugTimingFuncList[DEBUG_TIMING_MAX_FUNC] = {};
s32 NumDebugTimingFunc = 0;
s32 DebugTimingFuncIndex = -1;
s_thread* DebugTimingThreadPtr = nullptr;
s32 DebugTimingDisplay = 0;

namespace {

constexpr u32 kDebugTimingThreadPriority = 4000;

template <typename T>
void Release(T*& asset, void (*free)(T*)) {
    if (asset != nullptr)
        free(asset);
    asset = nullptr;
}

}  // namespace

e_error_code DebugColdReset() {
    if (DebugHardwareColdReset() != RET_NO_ERROR)
        return RET_ERROR;
    NumDebugTimingFunc = 0;
    DebugTimingAddFunc(DebugDrawMemory);
    HeapDefIndex = 0;
    DebugTimingDisplay = 0;
    return RET_NO_ERROR;
}

e_error_code DebugWarmReset() {
    // What an earlier start loaded lived in the pools this warm reset rebuilt.
    DebugWad = SystemWad = nullptr;
    DebugFont = DebugFontLarge = DebugIconFont = nullptr;
    DebugSphere = nullptr;
    const std::string directory = FileGetDirectory();
    FileChangeDirectory("");
    DebugWad = WadLoad("DEBUG", WAD_LOAD_OVERRIDE);
    SystemWad = WadLoad("SYSTEM", WAD_LOAD_OVERRIDE);
    FileChangeDirectory(directory.c_str());
    if (DebugWad != nullptr) {
        DebugFont = FontLoad("ARIAL10");
        DebugFontLarge = FontLoad("ARIAL20");
        DebugIconFont = FontLoad("SYSICONS");
        DebugSphere = ModelLoad("SPHERE", nullptr, 0);
    }
    DebugTimingFuncIndex = -1;
    DebugTimingThreadPtr = ThreadInsertPriorityDebug("DebugTimingThread", nullptr, nullptr, DebugTimingThread,
                                                     nullptr, kDebugTimingThreadPriority);
    return RET_NO_ERROR;
}

void DebugShutdown() {
    Release(DebugFont, FontFree);
    Release(DebugFontLarge, FontFree);
    Release(DebugIconFont, FontFree);
    Release(DebugSphere, ModelFree);
    Release(DebugWad, WadFree);
    Release(SystemWad, WadFree);
    Release(DebugTimingThreadPtr, ThreadKill);
}

void DebugTimingAddFunc(DebugTimingFunc func) {
    if (NumDebugTimingFunc < DEBUG_TIMING_MAX_FUNC)
        DebugTimingFuncList[NumDebugTimingFunc++] = func;
}

void DebugTimingThread(s_thread*, void*) {
    const s_pad& pad = Pad[0];
    if ((pad.bdown & PAD_MINUS) != 0 && (pad.shift.bnew & PAD_2) != 0) {
        if (++DebugTimingFuncIndex >= NumDebugTimingFunc)
            DebugTimingFuncIndex = -1;
    }
    if (DebugTimingFuncIndex >= 0)
        DebugTimingFuncList[DebugTimingFuncIndex]();
}
