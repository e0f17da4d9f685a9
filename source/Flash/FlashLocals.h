// A screen class keeps a pointer to itself in the first word of its screen's
// locals block; its static trampolines find it there.
#pragma once

#include "source/SFP/SFP2K.h"

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

// A screen class of one layer, loaded from `Screen`: the class owns the layer,
// and the descriptor's Update (UpdateOwner) reaches the class's Update.
template <class T, SFP_SCREEN_INFO_t& Screen>
class CFlashScreen {
public:
    CFlashScreen() = default;
    ~CFlashScreen() { Kill(); }
    CFlashScreen(const CFlashScreen&) = delete;
    CFlashScreen& operator=(const CFlashScreen&) = delete;

    s32 Load() {
        m_iScreen = FlashLoad(Screen, static_cast<T*>(this));
        return m_iScreen != -1;
    }
    void Close() { FlashClose(m_iScreen); }
    void Kill() { FlashKill(m_iScreen); }

    static void UpdateOwner(s32 handle, SFP_SCREEN_INFO_t* info) {
        if (T* owner = FlashOwner<T>(handle))
            owner->Update(info);
    }

    s32 m_iScreen = -1;
};

// A menu page over its backdrop, loaded from `Screens`: [0] the backdrop, [1]
// the page, whose updates reach the class's Update.
template <class T, SFP_SCREEN_INFO_t (&Screens)[2]>
class CFlashPage {
public:
    CFlashPage() = default;
    ~CFlashPage() {
        Kill();
        KillBG();
    }
    CFlashPage(const CFlashPage&) = delete;
    CFlashPage& operator=(const CFlashPage&) = delete;

    s32 LoadBG() {
        m_iScreenBG = FlashLoad(Screens[0], static_cast<T*>(this));
        return m_iScreenBG != -1;
    }
    s32 Load() {
        m_iScreen = FlashLoad(Screens[1], static_cast<T*>(this));
        return m_iScreen != -1;
    }
    void CloseBG() { FlashClose(m_iScreenBG); }
    void Kill() { FlashKill(m_iScreen); }
    void KillBG() { FlashKill(m_iScreenBG); }

    static void UpdateOwner(s32 handle, SFP_SCREEN_INFO_t* info) {
        if (T* owner = FlashOwner<T>(handle))
            owner->Update(info);
    }

    s32 m_iScreen = -1;
    s32 m_iScreenBG = -1;
};
