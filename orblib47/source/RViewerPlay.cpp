#include <cstdio>

#include "orblib47/source/Pad.h"
#include "orblib47/source/RViewerInternal.h"
#include "orblib47/source/UIDialogInternal.h"

s_window_obj* PlayDialog = nullptr;
s_scrollbar_obj* PlayScrollbar = nullptr;
e_play_dialog_state PlayDialogState = PLAY_DIALOG_IDLE;
s32 PlayDialogValue = 0;
const char* PlayDialogString = "";
s_window_obj* StreamFileDialog = nullptr;
s_scrollbar_obj* StreamPlayScrollbar = nullptr;
e_stream_file_dialog_state StreamFileDialogState = STREAM_FILE_DIALOG_IDLE;
s32 StreamLooping = 0;

namespace {

constexpr u32 kTextColor = 0x000000FF;
constexpr s_Irect16 kPlayBarRect{8, 48, 234, 20};
constexpr s_Irect16 kStreamBarRect{8, 98, 264, 20};

s32 StreamValue = 0;

s32 PlayFunc(s_button_obj*) {
    PlayDialogState = PLAY_DIALOG_PLAY;
    return 1;
}

s32 StopFunc(s_button_obj*) {
    PlayDialogState = PLAY_DIALOG_STOP;
    return 1;
}

s32 StreamPlayFunc(s_button_obj*) {
    StreamFileDialogState = STREAM_FILE_DIALOG_PLAY;
    return 1;
}

s32 StreamStopFunc(s_button_obj*) {
    StreamFileDialogState = STREAM_FILE_DIALOG_STOP;
    return 1;
}

void LoopFunc(s_checkbox_obj* box) {
    StreamLooping = CheckBoxGet(box);
}

void DrawValue(s_ui_object* window, const char* format, s32 value, f32 y) {
    char text[96];
    std::snprintf(text, sizeof text, format, PlayDialogString, value);
    UIStartDrawToWindow(window);
    UISetFlatColor(kTextColor);
    UIFontDrawString(text, 8.0f, y);
    UIEndDrawToWindow();
}

s32 PlayDrawFunc(s_ui_object* window, e_ui_obj_event_type event) {
    if (event == UI_OBJ_EVENT_DRAW)
        DrawValue(window, "%s %d", PlayDialogValue, 44.0f);
    return 0;
}

s32 StreamDrawFunc(s_ui_object* window, e_ui_obj_event_type event) {
    if (event == UI_OBJ_EVENT_DRAW)
        DrawValue(window, "%s - track %d", StreamValue, 94.0f);
    return 0;
}

// Positions 0..count − 1 under the window.
s_scrollbar_obj* OpenBar(s_window_obj* window, const s_Irect16& rect, s32 count, s32 value) {
    s_scrollbar_obj* bar = ScrollbarOpen(&rect, SCROLLBAR_HORIZONTAL, 1, count, value);
    if (bar != nullptr)
        UIObjectLink(&window->obj, &bar->obj);
    return bar;
}

s_scrollbar_obj* ReplaceBar(s_window_obj* window, s_scrollbar_obj* old, const s_Irect16& rect, s32 count,
                            s32 value) {
    if (window == nullptr)
        return nullptr;
    if (old != nullptr)
        UIObjectClose(&old->obj);
    return OpenBar(window, rect, count, value);
}

s_window_obj* OpenWindow(s32 x, s32 y, s32 w, s32 h, const char* title, UIObjectEventFunc draw,
                         s32 (*play)(s_button_obj*), s32 (*stop)(s_button_obj*)) {
    const s_Irect16 rect{s16(x), s16(y), s16(w), s16(h)};
    s_window_obj* window = WindowOpen(&rect, WINDOW_FRAME | WINDOW_TITLE, title, draw);
    if (window == nullptr)
        return nullptr;
    UIDialogButton(window, w - 128, h - 32, "Play", PAD_A, play);
    UIDialogButton(window, w - 64, h - 32, "Stop", PAD_Z, stop);
    return window;
}

s32 BarValue(const s_scrollbar_obj* bar) {
    return bar != nullptr ? s32(bar->value) : 0;
}

}  // namespace

s_window_obj* PlayDialogOpen(s32 x, s32 y, s32 min, s32 max, const char* title, const char* label) {
    PlayDialogString = label;
    PlayDialogValue = min;
    PlayDialogState = PLAY_DIALOG_IDLE;
    PlayDialog = OpenWindow(x, y, 250, 110, title, PlayDrawFunc, PlayFunc, StopFunc);
    PlayScrollbar = PlayDialog != nullptr ? OpenBar(PlayDialog, kPlayBarRect, max - min, 0) : nullptr;
    return PlayDialog;
}

void PlayResetScrollbar(s32 max, s32 value) {
    PlayScrollbar = ReplaceBar(PlayDialog, PlayScrollbar, kPlayBarRect, max, value);
}

e_play_dialog_state PlayDialogQuery(s32* value) {
    *value = BarValue(PlayScrollbar);
    PlayDialogValue = *value;
    const e_play_dialog_state state = PlayDialogState;
    PlayDialogState = PLAY_DIALOG_IDLE;
    return state;
}

void PlayDialogSetValue(s32 value) {
    if (PlayScrollbar != nullptr)
        ScrollbarSetValue(PlayScrollbar, f32(value));
}

s_window_obj* PlayDialog2Open(s32 x, s32 y, const char* title) {
    PlayDialogState = PLAY_DIALOG_IDLE;
    PlayScrollbar = nullptr;
    PlayDialog = OpenWindow(x, y, 250, 110, title, nullptr, PlayFunc, StopFunc);
    return PlayDialog;
}

e_play_dialog_state PlayDialog2Query() {
    const e_play_dialog_state state = PlayDialogState;
    PlayDialogState = PLAY_DIALOG_IDLE;
    return state;
}

s_window_obj* StreamFileDialogOpen(s32 x, s32 y, const char* title, const char* label) {
    PlayDialogString = label;
    StreamValue = 0;
    StreamLooping = 0;
    StreamFileDialogState = STREAM_FILE_DIALOG_IDLE;
    StreamFileDialog = OpenWindow(x, y, 280, 160, title, StreamDrawFunc, StreamPlayFunc, StreamStopFunc);
    if (StreamFileDialog == nullptr)
        return nullptr;
    StreamPlayScrollbar = OpenBar(StreamFileDialog, kStreamBarRect, 0, 0);
    if (s_checkbox_obj* loop = CheckBoxOpen(8, 160 - 32, "Loop", 0, LoopFunc)) {
        loop->padKey = PAD_C;
        UIObjectLink(&StreamFileDialog->obj, &loop->obj);
    }
    return StreamFileDialog;
}

void StreamPlayResetScrollbar(s32 max, s32 value) {
    StreamPlayScrollbar = ReplaceBar(StreamFileDialog, StreamPlayScrollbar, kStreamBarRect, max, value);
}

e_stream_file_dialog_state StreamFileDialogQuery(s32* value) {
    *value = BarValue(StreamPlayScrollbar);
    StreamValue = *value;
    const e_stream_file_dialog_state state = StreamFileDialogState;
    StreamFileDialogState = STREAM_FILE_DIALOG_IDLE;
    return state;
}

void PlayDialogsForget() {
    PlayDialog = nullptr;
    PlayScrollbar = nullptr;
    StreamFileDialog = nullptr;
    StreamPlayScrollbar = nullptr;
}
