// HID: the keyboard and mouse of the remotes' source, read at the newest retrace.
#include "console/hid.h"

#include "console/input/remote.h"

BOOL HIDReadMouse(HIDMouseStatus* status) {
    console::RemotesCatchUp();
    const console::DeskState& desk = console::DeskNow();
    if (!desk.mouse)
        return FALSE;
    status->buttons = desk.buttons;
    status->pointing = desk.pointing;
    status->pos = desk.pos;
    status->vec = console::DeskTakeMotion();
    return TRUE;
}

BOOL HIDReadKeyboard(HIDKeyboardStatus* status) {
    console::RemotesCatchUp();
    const console::DeskState& desk = console::DeskNow();
    if (!desk.keyboard)
        return FALSE;
    status->key = desk.key;
    status->modifiers = desk.modifiers;
    return TRUE;
}
