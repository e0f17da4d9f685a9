// Time: the root timeline's segments and their sub-screen states, nested
// timelines, and the update task that advances the stack's screens.
#include <algorithm>
#include <cmath>

#include "orblib47/source/NGC/FrameClock.h"
#include "source/SFP/SFPInternal.h"

namespace {

// 1/60 s at 60 frames a second is one frame, whatever the float rounding.
constexpr f32 kFrameTolerance = 1e-3f;

// The movie frames a timeline moves by now: all that are due with frame skipping,
// else at most one. Time beyond them is dropped.
u32 TakeDue(s_sfp_timeline* timeline, f32 frames) {
    timeline->due += frames;
    const f32 whole = std::floor(timeline->due + kFrameTolerance);
    timeline->due -= whole;
    const u32 due = whole > 0.0f ? u32(whole) : 0;
    return SFPPlayer.frameSkip != 0 ? due : std::min(due, 1u);
}

// The root's frames of a sub-screen: its label up to the frame before the next
// label; the whole movie for an index out of range or a missing label.
void Segment(const s_sfp_screen& screen, s32 subScreen, u32* start, u32* end) {
    const s_sfp_movie& movie = *screen.movie;
    const s_sfp_symbol& root = movie.symbols[0];
    const SFP_SCREEN_INFO_t& info = *screen.info;
    *start = 0;
    *end = root.numFrames - 1;
    if (info.subScreens == nullptr || subScreen < 0 || subScreen >= info.numSubScreens)
        return;
    const s32 frame = info.subScreens[subScreen].frame;
    if (frame < 0 || u32(frame) > *end)
        return;
    *start = u32(frame);
    for (const s_sfp_label& label : movie.labels.subspan(root.firstLabel, root.numLabels)) {
        if (label.frame > *start)
            *end = std::min(*end, label.frame - 1);
    }
}

void Enter(s_sfp_screen* screen, s32 subScreen, s32 state, s32 next) {
    Segment(*screen, subScreen, &screen->segmentStart, &screen->segmentEnd);
    screen->root.frame = screen->segmentStart;
    screen->subScreenState = state;
    screen->nextSubScreen = next;
}

// The step from a segment's last frame. Leaving the stack calls the screen's
// Close, which may kill it: nothing may touch the screen afterwards.
void EndOfSegment(s32 screenId, s_sfp_screen* screen) {
    switch (screen->subScreenState) {
        case SFP_SUBSCREEN_LOOP:
            screen->root.frame = screen->segmentStart;
            return;
        case SFP_SUBSCREEN_NEXT:
            if (screen->nextSubScreen >= 0 && screen->nextSubScreen < screen->info->numSubScreens) {
                Enter(screen, screen->nextSubScreen, SFP_SUBSCREEN_LOOP, screen->nextSubScreen);
                return;
            }
            SFPLeaveStack(screenId);
            return;
        case SFP_SUBSCREEN_EXIT:
            SFPLeaveStack(screenId);
            return;
        default:  // hold
            return;
    }
}

// The symbol a nested timeline plays: an instance's own, a button's current look
// (from its first frame when the look changes); -1 none.
s32 NestedSymbol(const s_sfp_screen& screen, s_sfp_instance* instance) {
    const s_sfp_object& object = *instance->object;
    if (object.kind == SFP_KIND_INSTANCE)
        return s32(object.ref);
    if (object.kind != SFP_KIND_BUTTON)
        return -1;
    const u8 look = SFPButtonLook(screen, *instance);
    if (look != instance->look) {
        instance->look = look;
        instance->timeline = {0, 0.0f, 1, 1};
    }
    return screen.movie->buttons[object.ref].look[look];
}

void AdvanceNested(s_sfp_screen* screen, f32 frames) {
    const s_sfp_movie& movie = *screen->movie;
    for (u32 i = 0; i < screen->numInstances; ++i) {
        s_sfp_instance& instance = screen->instances[i];
        const s32 symbol = NestedSymbol(*screen, &instance);
        s_sfp_timeline& timeline = instance.timeline;
        if (symbol < 0 || timeline.playing == 0)
            continue;
        const u32 numFrames = movie.symbols[symbol].numFrames;
        for (u32 n = TakeDue(&timeline, frames); n > 0; --n) {
            if (timeline.frame + 1 < numFrames) {
                ++timeline.frame;
            } else if (timeline.loop != 0) {
                timeline.frame = 0;
            } else {
                timeline.playing = 0;
                break;
            }
        }
    }
}

// One frame of game time; the first after an open or a transition shows the
// segment's first frame.
void Advance(s32 screenId, s_sfp_screen* screen) {
    if (screen->fresh != 0) {
        screen->fresh = 0;
        return;
    }
    const f32 frames = RealDeltaTime * f32(screen->movie->frameRate);
    AdvanceNested(screen, frames);
    s_sfp_timeline& root = screen->root;
    for (u32 n = TakeDue(&root, frames); n > 0; --n) {
        if (root.frame >= screen->segmentEnd) {
            EndOfSegment(screenId, screen);
            return;
        }
        if (++root.frame == screen->segmentEnd)
            return;
    }
}

}  // namespace

void SFPPlaySegment(s_sfp_screen* screen, s32 subScreen, s32 state, s32 next) {
    Enter(screen, subScreen, state, next);
    screen->root.due = 0.0f;
    screen->fresh = 1;
}

void SFPUpdateThread(s_thread*, void*) {
    if (g_SFP2KDisable != 0)
        return;
    // Updates may close or kill screens, their own or others: the stack as it was.
    s32 ids[SFP2K_MAX_SCREENS];
    const s32 n = SFPPlayer.stackSize;
    std::copy(SFPPlayer.stack, SFPPlayer.stack + n, ids);
    s32 first = n - 1;
    while (first > 0 && SFPPlayer.screens[ids[first]]->info->pauseLowerScreens == 0)
        --first;
    for (s32 i = std::max(first, 0); i < n; ++i) {
        const s32 id = ids[i];
        if (!SFPOnStack(id))
            continue;
        s_sfp_screen* screen = SFPPlayer.screens[id];
        Advance(id, screen);
        if (SFPOnStack(id) && screen->info->Update != nullptr)
            screen->info->Update(id, screen->info);
    }
}
