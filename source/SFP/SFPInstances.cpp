// A screen's instance tree, built in preorder from the movie's symbols, and the
// sprite calls that change its instances.
#include <algorithm>
#include <cstring>

#include "source/SFP/SFPInternal.h"

namespace {

constexpr u32 kOpaqueWhite = 0xFFFFFFFFu;

// The symbols an object holds: an instance's own, a button's looks.
template <class F>
void ForChildSymbols(const s_sfp_movie& movie, const s_sfp_object& object, F visit) {
    if (object.kind == SFP_KIND_INSTANCE) {
        visit(object.ref);
    } else if (object.kind == SFP_KIND_BUTTON) {
        for (s32 look : movie.buttons[object.ref].look) {
            if (look >= 0)
                visit(u32(look));
        }
    }
}

void Count(const s_sfp_movie& movie, u32 symbol, s_sfp_tree_size* size) {
    const s_sfp_symbol& s = movie.symbols[symbol];
    for (u32 i = 0; i < s.numObjects; ++i) {
        const s_sfp_object& object = movie.objects[s.firstObject + i];
        ++size->instances;
        size->texts += object.kind == SFP_KIND_TEXT ? 1 : 0;
        ForChildSymbols(movie, object, [&](u32 child) { Count(movie, child, size); });
    }
}

s32 ButtonNamed(const SFP_SCREEN_INFO_t& info, const char* name) {
    for (s32 b = 0; info.buttons != nullptr && b < info.numButtons; ++b) {
        if (info.buttons[b].name != nullptr && std::strcmp(info.buttons[b].name, name) == 0)
            return b;
    }
    return -1;
}

void CopyText(char* to, const char* text) {
    const size_t n = std::min<size_t>(std::strlen(text), SFP_MAX_TEXT);
    std::memcpy(to, text, n);
    to[n] = '\0';
}

// The objects of `symbol` and what they hold from instance `at` on; returns the
// index after them.
u32 Build(s_sfp_screen* screen, u32 symbol, u32 at, char** texts) {
    const s_sfp_movie& movie = *screen->movie;
    const s_sfp_symbol& s = movie.symbols[symbol];
    for (u32 i = 0; i < s.numObjects; ++i) {
        const s_sfp_object& object = movie.objects[s.firstObject + i];
        s_sfp_instance& instance = screen->instances[at++];
        instance.object = &object;
        instance.tint = kOpaqueWhite;
        instance.timeline = {0, 0.0f, 1, 1};
        instance.button = object.kind == SFP_KIND_BUTTON ? ButtonNamed(*screen->info, object.name) : -1;
        if (object.kind == SFP_KIND_TEXT) {
            instance.text = *texts;
            *texts += SFP_MAX_TEXT + 1;
            CopyText(instance.text, movie.texts[object.ref].text);
        }
        ForChildSymbols(movie, object, [&](u32 child) { at = Build(screen, child, at, texts); });
        instance.end = at;
    }
    return at;
}

void FillLookups(const s_sfp_screen& screen) {
    SFP_SCREEN_INFO_t& info = *screen.info;
    for (s32 l = 0; info.spriteLookups != nullptr && l < info.numSpriteLookups; ++l) {
        SFP_SCREEN_SPRITE_LOOKUP_t& lookup = info.spriteLookups[l];
        lookup.numInstances = 0;
        for (u32 i = 0; i < screen.numInstances && u32(lookup.numInstances) < SFP2K_MAX_SPRITE_INSTANCES;
             ++i) {
            if (lookup.name != nullptr && std::strcmp(screen.instances[i].object->name, lookup.name) == 0)
                lookup.instanceIds[lookup.numInstances++] = s32(i);
        }
    }
}

// Calls `change` with every instance of the screen's sprite lookup `spriteId`.
template <class F>
void ForEachSprite(s32 screenId, s32 spriteId, F change) {
    s_sfp_screen* screen = SFPScreen(screenId);
    if (screen == nullptr)
        return;
    const SFP_SCREEN_INFO_t& info = *screen->info;
    if (info.spriteLookups == nullptr || spriteId < 0 || spriteId >= info.numSpriteLookups)
        return;
    const SFP_SCREEN_SPRITE_LOOKUP_t& lookup = info.spriteLookups[spriteId];
    const s32 n = std::clamp(lookup.numInstances, 0, s32(SFP2K_MAX_SPRITE_INSTANCES));
    for (s32 k = 0; k < n; ++k) {
        const s32 id = lookup.instanceIds[k];
        if (id >= 0 && u32(id) < screen->numInstances)
            change(screen->instances[id], *screen->movie);
    }
}

// Calls `change` with the timeline of every nested instance of the sprite.
template <class F>
void ForEachSpriteTimeline(s32 screenId, s32 spriteId, F change) {
    ForEachSprite(screenId, spriteId, [&](s_sfp_instance& instance, const s_sfp_movie& movie) {
        if (instance.object->kind == SFP_KIND_INSTANCE)
            change(instance.timeline, movie.symbols[instance.object->ref].numFrames);
    });
}

}  // namespace

s_sfp_tree_size SFPTreeSize(const s_sfp_movie& movie) {
    s_sfp_tree_size size = {0, 0};
    Count(movie, 0, &size);
    return size;
}

void SFPBuildInstances(s_sfp_screen* screen, char* texts) {
    Build(screen, 0, 0, &texts);
    FillLookups(*screen);
}

u32 SFPSkipSiblings(const s_sfp_screen& screen, u32 first, u32 skip) {
    for (u32 k = 0; k < skip; ++k)
        first = screen.instances[first].end;
    return first;
}

u8 SFPButtonLook(const s_sfp_screen& screen, const s_sfp_instance& instance) {
    const SFP_SCREEN_INFO_t& info = *screen.info;
    if (instance.button < 0 || instance.button >= info.numButtons || info.buttons == nullptr)
        return SFP_LOOK_UP;
    if ((info.buttons[instance.button].flags & SFP_BUTTON_DOWN) != 0)
        return SFP_LOOK_DOWN;
    return instance.button == info.curButton ? SFP_LOOK_OVER : SFP_LOOK_UP;
}

void SFP2KSpriteSetText(s32 screenId, s32 spriteId, const char* text) {
    if (text == nullptr)
        return;
    ForEachSprite(screenId, spriteId, [&](s_sfp_instance& instance, const s_sfp_movie&) {
        if (instance.text != nullptr)
            CopyText(instance.text, text);
    });
}

void SFP2KSpriteShow(s32 screenId, s32 spriteId) {
    ForEachSprite(screenId, spriteId,
                  [](s_sfp_instance& instance, const s_sfp_movie&) { instance.hidden = 0; });
}

void SFP2KSpriteHide(s32 screenId, s32 spriteId) {
    ForEachSprite(screenId, spriteId,
                  [](s_sfp_instance& instance, const s_sfp_movie&) { instance.hidden = 1; });
}

void SFP2KSpritePlay(s32 screenId, s32 spriteId, u32 flags) {
    ForEachSpriteTimeline(screenId, spriteId, [&](s_sfp_timeline& timeline, u32) {
        timeline.playing = 1;
        timeline.loop = (flags & SFP_PLAY_LOOP) != 0 ? 1 : 0;
        if ((flags & SFP_PLAY_RESTART) != 0)
            timeline.frame = 0;
    });
}

void SFP2KSpritePause(s32 screenId, s32 spriteId) {
    ForEachSpriteTimeline(screenId, spriteId, [](s_sfp_timeline& timeline, u32) { timeline.playing = 0; });
}

void SFP2KSpriteSetFrame(s32 screenId, s32 spriteId, s32 frameNum) {
    ForEachSpriteTimeline(screenId, spriteId, [&](s_sfp_timeline& timeline, u32 numFrames) {
        timeline.frame = u32(std::clamp(frameNum, 0, s32(numFrames) - 1));
        timeline.due = 0.0f;
    });
}

void SFP2KSpriteSetColor(s32 screenId, s32 spriteId, u8 r, u8 g, u8 b, u8 a) {
    const u32 tint = u32(r) << 24 | u32(g) << 16 | u32(b) << 8 | u32(a);
    ForEachSprite(screenId, spriteId,
                  [&](s_sfp_instance& instance, const s_sfp_movie&) { instance.tint = tint; });
}
