// The screen-movie player's slots, stack, tasks and settings.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "orblib47/source/Debug.h"
#include "orblib47/source/OrbThread.h"
#include "source/SFP/SFPInternal.h"

s_sfp_player SFPPlayer = {};

namespace {

constexpr u32 kUpdatePriority = 6300;
constexpr u32 kRenderPriority = 4500;

s32 StackIndex(s32 screenId) {
    const s32* begin = SFPPlayer.stack;
    const s32* end = begin + SFPPlayer.stackSize;
    const s32* at = std::find(begin, end, screenId);
    return at == end ? -1 : s32(at - begin);
}

// Off the stack without a word to the screen.
void RemoveFromStack(s32 screenId) {
    const s32 at = StackIndex(screenId);
    if (at < 0)
        return;
    std::copy(SFPPlayer.stack + at + 1, SFPPlayer.stack + SFPPlayer.stackSize, SFPPlayer.stack + at);
    --SFPPlayer.stackSize;
}

}  // namespace

s_sfp_screen* SFPScreen(s32 screenId) {
    if (screenId < 0 || screenId >= SFP2K_MAX_SCREENS)
        return nullptr;
    return SFPPlayer.screens[screenId];
}

bool SFPOnStack(s32 screenId) {
    return StackIndex(screenId) >= 0;
}

void SFPLeaveStack(s32 screenId) {
    RemoveFromStack(screenId);
    SFP_SCREEN_INFO_t* info = SFPPlayer.screens[screenId]->info;
    if (info->Close != nullptr)
        info->Close(screenId, info);
}

void SFP2KColdReset() {
    SFPPlayer = {};
    SFPPlayer.render = 1;
    g_BlockPadInput = 0;
}

void SFP2KForget() {
    std::fill(std::begin(SFPPlayer.screens), std::end(SFPPlayer.screens), nullptr);
    SFPPlayer.stackSize = 0;
    SFPPlayer.fonts = nullptr;
    SFPPlayer.numFonts = 0;
    SFPPlayer.updateTask = SFPPlayer.renderTask = nullptr;
}

void SFP2KInit(SFP_FONT_LOOKUP_t* pFonts, s32 numFonts) {
    if (SFPPlayer.updateTask != nullptr)
        return;
    SFPFontsInit(pFonts, numFonts);
    SFPPlayer.updateTask = ThreadInsertPriorityDebug("SFP2KUpdateThread", nullptr, nullptr, SFPUpdateThread,
                                                     nullptr, kUpdatePriority);
    SFPPlayer.renderTask = ThreadInsertPriorityDebug("SFP2KRenderThread", nullptr, nullptr, SFPRenderThread,
                                                     nullptr, kRenderPriority);
}

void SFP2KKill() {
    for (s32 id = 0; id < SFP2K_MAX_SCREENS; ++id)
        SFP2KKillScreen(id);
    for (s_thread* task : {SFPPlayer.updateTask, SFPPlayer.renderTask}) {
        if (task != nullptr)
            ThreadKill(task);
    }
    SFPPlayer.updateTask = SFPPlayer.renderTask = nullptr;
    SFPFontsInit(nullptr, 0);
}

void SFP2KSetFlashFileRootPath(const char* rootPath) {
    std::snprintf(SFPPlayer.rootPath, sizeof(SFPPlayer.rootPath), "%s", rootPath != nullptr ? rootPath : "");
}

// Loads always finish within the call here: `loadImmediately` changes nothing.
s32 SFP2KLoadScreen(SFP_SCREEN_INFO_t* pScreenInfo, s32 userData, s32) {
    s_sfp_screen** free = std::find(std::begin(SFPPlayer.screens), std::end(SFPPlayer.screens), nullptr);
    if (free == std::end(SFPPlayer.screens)) {
        DEBUG_PRINT("SFP2K ERROR! Out of screens!\n");
        return -1;
    }
    if (pScreenInfo == nullptr)
        return -1;
    *free = SFPLoad(pScreenInfo, userData);
    return *free != nullptr ? s32(free - SFPPlayer.screens) : -1;
}

void* SFP2KGetLocals(s32 screenId) {
    const s_sfp_screen* screen = SFPScreen(screenId);
    return screen != nullptr ? screen->locals : nullptr;
}

void SFP2KOpenScreen(s32 screenId, s32 subScreen, s32 subScreenState, s32 nextSubScreen) {
    s_sfp_screen* screen = SFPScreen(screenId);
    if (screen == nullptr)
        return;
    const bool opening = !SFPOnStack(screenId);
    if (opening)
        SFPPlayer.stack[SFPPlayer.stackSize++] = screenId;
    SFPPlaySegment(screen, subScreen, subScreenState, nextSubScreen);
    if (opening && screen->info->Open != nullptr)
        screen->info->Open(screenId, screen->info);
}

void SFP2KTransitionToSubScreen(s32 screenId, s32 subScreen, s32 subScreenState, s32 nextSubScreen) {
    s_sfp_screen* screen = SFPScreen(screenId);
    if (screen != nullptr && SFPOnStack(screenId))
        SFPPlaySegment(screen, subScreen, subScreenState, nextSubScreen);
}

void SFP2KCloseScreen(s32 screenId, s32 subScreen, s32 subScreenState) {
    s_sfp_screen* screen = SFPScreen(screenId);
    if (screen != nullptr && SFPOnStack(screenId))
        SFPPlaySegment(screen, subScreen, subScreenState, screen->info->numSubScreens);
}

void SFP2KKillScreen(s32 screenId) {
    s_sfp_screen* screen = SFPScreen(screenId);
    if (screen == nullptr)
        return;
    RemoveFromStack(screenId);
    SFPPlayer.screens[screenId] = nullptr;
    SFPRelease(screen);
}

s32 SFP2KIsScreenActive(s32 screenId) {
    return SFPScreen(screenId) != nullptr && SFPOnStack(screenId) ? 1 : 0;
}

SFP_SCREEN_INFO_t* SFP2KGetScreenInfo(s32 screenId) {
    const s_sfp_screen* screen = SFPScreen(screenId);
    return screen != nullptr ? screen->info : nullptr;
}

u32 SFP2KGetCurFrame(s32 screenId) {
    const s_sfp_screen* screen = SFPScreen(screenId);
    return screen != nullptr ? screen->root.frame : 0;
}

s32 SFP2KEnableFrameSkip(s32 enable) {
    return std::exchange(SFPPlayer.frameSkip, enable);
}

s32 SFP2KEnableRender(s32 enable) {
    return std::exchange(SFPPlayer.render, enable);
}
