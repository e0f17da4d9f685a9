// The SDL2 window of the real-clock game. Nothing here touches SDL unless a window
// was opened.
#pragma once

#include <cstdint>
#include <string>

namespace host {

// Opens the resizable 640x480 window; false, with the reason in `error`, when it
// cannot: SDL fails, or there is no display (SDL fell back to a driver whose
// windows nobody sees).
bool WindowOpen(const char* title, std::string* error);
void WindowClose();
bool WindowIsOpen();

// Shows a YUYV picture (picture.h; rows `stride` bytes apart) as it is, with no
// conversion of ours, in the largest rectangle of the aspect ratio aspectW:aspectH
// centred in the window, the rest black; all black for no picture. False, with
// SDL's reason in `error`, when it cannot be uploaded.
bool WindowPresent(const std::uint8_t* yuyv, int width, int height, int stride, std::uint32_t aspectW,
                   std::uint32_t aspectH, std::string* error);
// Handles the window's events; true when the user closed the window.
bool WindowPumpEvents();

struct WindowRect {
    int x, y, w, h;
};
// The largest rectangle of the picture's aspect ratio (aspectW:aspectH) centred in
// an output of outW x outH pixels; the rest stays black. Empty for an empty output.
WindowRect WindowLetterbox(std::uint32_t aspectW, std::uint32_t aspectH, int outW, int outH);

}  // namespace host
