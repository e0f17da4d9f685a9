// The mouse record and its task: edges, auto-repeat and double clicks of the two
// buttons, timed by the game's frame time, and the cursor drawn on top.
#include "orblib47/source/Mouse.h"

#include "console/hid.h"
#include "orblib47/source/DebugDraw.h"
#include "orblib47/source/DrawContext.h"
#include "orblib47/source/DrawPrim.h"
#include "orblib47/source/Font.h"
#include "orblib47/source/NGC/Cont.h"
#include "orblib47/source/NGC/FrameClock.h"
#include "orblib47/source/OrbThread.h"
#include "orblib47/source/Pad.h"

s_mouse Mouse;
f32 MouseInitialDelay = 0.0f;
f32 MouseRepeatDelay = 0.0f;
s32 MouseEnabled = 0;
s32 MouseCursor = MOUSE_CURSOR_ARROW;
u8 MousePadPort = 0;

namespace {

constexpr u32 kMouseThreadPriority = 3900;
constexpr f32 kCrossHalfSize = 10.0f;
constexpr f32 kCursorPenDrop = 20.0f;  // the glyph's tip sits at the pen's top

// The USB mouse: its position in -1..1 across the screen, as the remote's pointer.
s32 ReadUsbMouse(const HIDMouseStatus& hid, s32* analog, u32* buttons) {
    const f32 halfWidth = f32(DrawContext.screenSize.x) / 2.0f;
    const f32 halfHeight = f32(DrawContext.screenSize.y) / 2.0f;
    if (hid.pointing) {
        analog[MOUSE_X] = s32(halfWidth + halfWidth * hid.pos.x);
        analog[MOUSE_Y] = s32(halfHeight + halfHeight * hid.pos.y);
    }
    analog[MOUSE_MOVE_X] = s32(halfWidth * hid.vec.x);
    analog[MOUSE_MOVE_Y] = s32(halfHeight * hid.vec.y);
    *buttons = ((hid.buttons & HID_MOUSE_LEFT) != 0 ? MOUSE_BUTTON_1 : 0) |
               ((hid.buttons & HID_MOUSE_RIGHT) != 0 ? MOUSE_BUTTON_2 : 0);
    return 1;
}

void Edges(s_mouse& m, u32 old) {
    if (m.buttonDown != old) {
        m.buttonRepeat = m.buttonDown;
        m.holdTime = 0.0f;
        m.repeatDelay = MouseInitialDelay;
    } else {
        m.repeatDelay -= DeltaTime;
        m.holdTime += DeltaTime;
        if (m.repeatDelay <= 0.0f) {
            m.buttonRepeat = m.buttonDown;
            m.repeatDelay = MouseRepeatDelay;
        } else {
            m.buttonRepeat = 0;
        }
    }
    m.buttonNew = m.buttonDown & ~old;
    m.buttonReleased = (old ^ m.buttonDown) & ~m.buttonNew;
    m.buttonDoubleClick = 0;
    if (m.buttonNew != 0) {
        if (m.buttonNew == m.buttonNewSave && m.doubleClickTime < MOUSE_DOUBLE_CLICK_TIME)
            m.buttonDoubleClick = m.buttonNew;
        m.buttonNewSave = m.buttonNew;
        m.doubleClickTime = 0.0f;
    } else {
        m.doubleClickTime += DeltaTime;
    }
}

}  // namespace

e_error_code MouseColdReset() {
    Mouse = s_mouse{};
    MousePadPort = 0;
    return RET_NO_ERROR;
}

e_error_code MouseWarmReset() {
    MouseStartup();
    s_thread* task = ThreadInsertPriorityDebug("MouseThread", nullptr, nullptr, MouseThread, nullptr,
                                               kMouseThreadPriority);
    return task != nullptr ? RET_NO_ERROR : RET_ERROR;
}

void MouseStartup() {
    Mouse = s_mouse{};
    Mouse.analog[MOUSE_X] = 50;
    Mouse.analog[MOUSE_Y] = 50;
    MouseInitialDelay = 1.0f / 3.0f;
    MouseRepeatDelay = 0.05f;
    MouseEnabled = 0;
    MouseCursor = MOUSE_CURSOR_ARROW;
}

void MouseEnable() {
    MouseEnabled = 1;
}

void MouseDisable() {
    MouseEnabled = 0;
}

s32 MouseGetEnabledStatus() {
    return MouseEnabled;
}

s32 MouseSetCursor(s32 code) {
    const s32 previous = MouseCursor;
    MouseCursor = code;
    return previous;
}

s32 MouseReadData(s32* analog, u32* buttons) {
    HIDMouseStatus hid;
    if (HIDReadMouse(&hid))
        return ReadUsbMouse(hid, analog, buttons);
    const s_pad& pad = Pad[MousePadPort];
    if (pad.status == 0)
        return 0;
    s_Vector2 v;
    if (ContGetPointerPos(MousePadPort, &v) != 0) {
        analog[MOUSE_X] = s32(v.x);
        analog[MOUSE_Y] = s32(v.y);
    }
    if (ContGetPointerDelta(MousePadPort, &v) != 0) {
        analog[MOUSE_MOVE_X] = s32(v.x);
        analog[MOUSE_MOVE_Y] = s32(v.y);
    }
    *buttons =
        ((pad.bdown & PAD_1) != 0 ? MOUSE_BUTTON_1 : 0) | ((pad.bdown & PAD_2) != 0 ? MOUSE_BUTTON_2 : 0);
    return 1;
}

void MouseThread(s_thread* task, void* record) {
    if (MouseEnabled == 0)
        return;
    s_mouse& m = Mouse;
    const u32 old = m.buttonDown;
    if (MouseReadData(m.analog, &m.buttonDown) == 0) {
        // The buttons go up with the mouse: the release is reported once, so that
        // no reader sees a button held for ever.
        m.connected = 0;
        m.buttonReleased = old;
        m.buttonDown = m.buttonNew = m.buttonRepeat = m.buttonDoubleClick = 0;
        m.repeatDelay = MouseInitialDelay;
        m.holdTime = 0.0f;
        return;
    }
    m.connected = 1;
    Edges(m, old);
    MouseDrawThread(task, record);
}

void MouseDrawThread(s_thread*, void*) {
    if (MouseEnabled == 0)
        return;
    DrawSetProjection(DC_PROJ_ORTHO);
    DrawSetFlatColor(0xFFFFFFFFu);
    DrawSetConstantZ(0.0f);
    DrawSetTexture(nullptr);
    const e_POLYGON_MODE polygonMode = DrawSetPolygonMode(DC_POLY_DRAW_FILL);
    const f32 x = f32(Mouse.analog[MOUSE_X]);
    const f32 y = f32(Mouse.analog[MOUSE_Y]);
    if (DebugIconFont != nullptr) {
        s_font* previous = FontSet(DebugIconFont);
        FontPrintChar(u8(MouseCursor), x, y + kCursorPenDrop);
        FontSet(previous);
    } else {
        const s_Vector3 centre{x, y, 0.0f, 1.0f};
        DrawCrossHair(&centre, kCrossHalfSize);
    }
    DrawSetPolygonMode(polygonMode);
}
