// The keyboard record and its task: the held key's edges and auto-repeat, timed by
// the game's frame time.
#include "orblib47/source/Keyboard.h"

#include "console/hid.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbThread.h"

static_assert(KEY_BACKSPACE == HID_KEY_BACKSPACE && KEY_TAB == HID_KEY_TAB && KEY_ENTER == HID_KEY_ENTER &&
              KEY_ESCAPE == HID_KEY_ESCAPE && KEY_DELETE == HID_KEY_DELETE && KEY_RIGHT == HID_KEY_RIGHT &&
              KEY_LEFT == HID_KEY_LEFT && KEY_HOME == HID_KEY_HOME && KEY_END == HID_KEY_END &&
              KEY_UP == HID_KEY_UP && KEY_DOWN == HID_KEY_DOWN);
static_assert(KEY_MOD_SHIFT == HID_MOD_SHIFT && KEY_MOD_CTRL == HID_MOD_CTRL && KEY_MOD_ALT == HID_MOD_ALT);

s_keyboard Keyboard;
f32 KeyboardInitialDelay = 0.0f;
f32 KeyboardRepeatDelay = 0.0f;
s32 KeyboardEnabled = 0;

namespace {

constexpr u32 kKeyboardThreadPriority = 9300;

}  // namespace

e_error_code KeyboardColdReset() {
    return RET_NO_ERROR;
}

e_error_code KeyboardWarmReset() {
    KeyboardInitialDelay = 1.0f / 3.0f;
    KeyboardRepeatDelay = 0.05f;
    KeyboardStartup();
    s_thread* task = ThreadInsertPriorityDebug("KeyboardThread", nullptr, nullptr, KeyboardThread, nullptr,
                                               kKeyboardThreadPriority);
    return task != nullptr ? RET_NO_ERROR : RET_ERROR;
}

void KeyboardStartup() {
    Keyboard = s_keyboard{};
    Keyboard.repeatDelay = KeyboardInitialDelay;
    KeyboardEnabled = 1;
}

s32 KeyboardReadData(u8* key, u32* modifiers) {
    HIDKeyboardStatus status;
    if (!HIDReadKeyboard(&status))
        return 0;
    *key = status.key;
    *modifiers = status.modifiers;
    return 1;
}

void KeyboardThread(s_thread*, void*) {
    if (KeyboardEnabled == 0)
        return;
    s_keyboard& k = Keyboard;
    const u8 old = k.keyDown;
    if (KeyboardReadData(&k.keyDown, &k.modifiers) == 0) {
        k.connected = 0;
        k.keyDown = k.keyNew = k.keyRepeat = k.keyReleased = 0;
        k.holdTime = 0.0f;
        return;
    }
    k.connected = 1;
    if (k.keyDown != old) {
        k.keyNew = k.keyRepeat = k.keyDown;
        k.keyReleased = old;
        k.holdTime = 0.0f;
        k.repeatDelay = KeyboardInitialDelay;
        return;
    }
    k.keyNew = k.keyReleased = 0;
    k.repeatDelay -= DeltaTime;
    k.holdTime += DeltaTime;
    if (k.repeatDelay <= 0.0f) {
        k.keyRepeat = k.keyDown;
        k.repeatDelay = KeyboardRepeatDelay;
    } else {
        k.keyRepeat = 0;
    }
}
