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
