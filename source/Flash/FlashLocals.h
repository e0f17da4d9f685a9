// A screen class keeps a pointer to itself in the first word of its screen's
// locals block; its static trampolines find it there.
#pragma once

#include "source/SFP2K.h"

template <class T>
void FlashSetOwner(s32 handle, T* owner) {
    *static_cast<T**>(SFP2KGetLocals(handle)) = owner;
}

// Null for a bad handle or before the owner is stored.
template <class T>
T* FlashOwner(s32 handle) {
    auto** locals = static_cast<T**>(SFP2KGetLocals(handle));
    return locals != nullptr ? *locals : nullptr;
}

// The common pattern's load, open, close and kill: the layer handle, -1 when none.
template <class T>
s32 FlashLoad(SFP_SCREEN_INFO_t& screen, T* owner) {
    const s32 handle = SFP2KLoadScreen(&screen, screen.localsSize, 0);
    if (handle != -1)
        FlashSetOwner(handle, owner);
    return handle;
}

// "TransIn" once, then "Idle" over and over.
inline void FlashOpen(s32 handle) {
    SFP2KOpenScreen(handle, SFP_LABEL_TRANS_IN, SFP_SUBSCREEN_NEXT, SFP_LABEL_IDLE);
}

// Opens a loaded screen that is not up yet; whether it did.
inline bool FlashOpenOnce(s32 handle) {
    if (handle == -1 || SFP2KIsScreenActive(handle))
        return false;
    FlashOpen(handle);
    return true;
}

// "TransOut", then the screen leaves the stack; whether it was up.
inline bool FlashClose(s32 handle) {
    if (!SFP2KIsScreenActive(handle))
        return false;
    SFP2KCloseScreen(handle, SFP_LABEL_TRANS_OUT, SFP_SUBSCREEN_EXIT);
    return true;
}

inline void FlashKill(s32& handle) {
    if (handle == -1)
        return;
    SFP2KKillScreen(handle);
    handle = -1;
}
