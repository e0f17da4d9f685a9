// The game's window: SDL2, opened only when the configuration asks for one.
#include "console/host/window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdlib>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

SDL_Window* s_window = nullptr;
SDL_Renderer* s_renderer = nullptr;
SDL_Texture* s_texture = nullptr;  // streaming, the size of the shown picture
int s_textureWidth = 0;
int s_textureHeight = 0;

// On X11 the window can go from outside: destroyed (XDestroyWindow), then SDL's
// next request on it fails, or its client killed (XKillClient), then the
// connection is lost. Xlib's own handlers print and exit(1); these let the game
// end as it does when the window is closed.
::Window s_xWindow = 0;
bool s_xWindowGone = false;
XErrorHandler s_xErrorsBefore = nullptr;

int OnXError(Display* display, XErrorEvent* event) {
    if (s_xWindow == 0 || event->resourceid != s_xWindow)
        return s_xErrorsBefore != nullptr ? s_xErrorsBefore(display, event) : 0;
    s_xWindowGone = true;
    return 0;
}

int OnXConnectionLost(Display*) {
    return 0;
}

// Called instead of exit(1); Xlib fails every later request on the display.
void OnXConnectionLostExit(Display*, void*) {
    s_xWindowGone = true;
}

void WatchXWindow() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(s_window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    s_xWindow = info.info.x11.window;
    s_xWindowGone = false;
    s_xErrorsBefore = XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXConnectionLost);
    XSetIOErrorExitHandler(info.info.x11.display, OnXConnectionLostExit, nullptr);
}

bool Failed(const char* what, std::string* error) {
    *error = std::string(what) + ": " + SDL_GetError();
    return false;
}

// Uploads a YUYV picture as it is into the texture, which follows the picture's
// size in whole pixel pairs (rows are padded past them).
bool Upload(const std::uint8_t* yuyv, int width, int height, int stride, std::string* error) {
    width = (width + 1) & ~1;
    if (s_texture == nullptr || width != s_textureWidth || height != s_textureHeight) {
        if (s_texture != nullptr)
            SDL_DestroyTexture(s_texture);
        s_texture =
            SDL_CreateTexture(s_renderer, SDL_PIXELFORMAT_YUY2, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (s_texture == nullptr)
            return Failed("SDL texture", error);
        s_textureWidth = width;
        s_textureHeight = height;
    }
    SDL_UpdateTexture(s_texture, nullptr, yuyv, stride);
    return true;
}

// Releases what the window holds, then SDL's video (and SDL itself when nothing
// else of it is in use).
void Teardown() {
    if (s_texture != nullptr)
        SDL_DestroyTexture(s_texture);
    s_texture = nullptr;
    s_textureWidth = s_textureHeight = 0;
    if (s_renderer != nullptr)
        SDL_DestroyRenderer(s_renderer);
    if (s_window != nullptr)
        SDL_DestroyWindow(s_window);
    s_renderer = nullptr;
    s_window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (SDL_WasInit(0) == 0)
        SDL_Quit();
    if (s_xWindow != 0) {
        XSetErrorHandler(s_xErrorsBefore);
        XSetIOErrorHandler(nullptr);
        s_xWindow = 0;
    }
}

}  // namespace

host::WindowRect host::WindowLetterbox(std::uint32_t aspectW, std::uint32_t aspectH, int outW, int outH) {
    if (outW <= 0 || outH <= 0 || aspectW == 0 || aspectH == 0)
        return {0, 0, 0, 0};
    // Compare outW/outH with aspectW/aspectH without division.
    const std::int64_t wide = std::int64_t(outW) * aspectH;
    const std::int64_t tall = std::int64_t(outH) * aspectW;
    const int w = wide > tall ? int(tall / aspectH) : outW;
    const int h = wide > tall ? outH : int(wide / aspectW);
    return {(outW - w) / 2, (outH - h) / 2, w, h};
}

bool host::WindowOpen(const char* title, std::string* error) {
    // Without a display SDL falls back to drivers whose windows nobody sees (and
    // its probes warn on the way), unless a driver was chosen.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("SDL_VIDEODRIVER") == nullptr) {
        *error = "no display to show a window on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return Failed("SDL video", error);
    // An invisible driver is taken only when it was asked for by name (as the
    // benchmarks do), never as SDL's fallback.
    const std::string driver = SDL_GetCurrentVideoDriver();
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy") && (chosen == nullptr || driver != chosen)) {
        *error = "no display to show a window on (SDL chose its '" + driver + "' video driver)";
        Teardown();
        return false;
    }
    s_window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight,
                                SDL_WINDOW_RESIZABLE);
    // The picture is made in software already; SDL's software renderer shows it
    // without a GL driver, which crashes drawing into a window destroyed under it.
    if (s_window != nullptr)
        s_renderer = SDL_CreateRenderer(s_window, -1, SDL_RENDERER_SOFTWARE);
    if (s_renderer == nullptr) {
        Failed(s_window == nullptr ? "SDL window" : "SDL renderer", error);
        Teardown();
        return false;
    }
    WatchXWindow();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    SDL_SetYUVConversionMode(SDL_YUV_CONVERSION_BT601);  // the pictures' video range
    return true;
}

void host::WindowClose() {
    if (s_window != nullptr)
        Teardown();
}

bool host::WindowIsOpen() {
    return s_window != nullptr;
}

bool host::WindowPresent(const std::uint8_t* yuyv, int width, int height, int stride, std::uint32_t aspectW,
                         std::uint32_t aspectH, std::string* error) {
    if (yuyv != nullptr && !Upload(yuyv, width, height, stride, error))
        return false;
    int outW = 0;
    int outH = 0;
    SDL_GetRendererOutputSize(s_renderer, &outW, &outH);
    const WindowRect fit = WindowLetterbox(aspectW, aspectH, outW, outH);
    const SDL_Rect target{fit.x, fit.y, fit.w, fit.h};
    SDL_SetRenderDrawColor(s_renderer, 0, 0, 0, 255);
    SDL_RenderClear(s_renderer);
    if (yuyv != nullptr)
        SDL_RenderCopy(s_renderer, s_texture, nullptr, &target);
    SDL_RenderPresent(s_renderer);
    return true;
}

bool host::WindowPumpEvents() {
    bool closed = false;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        closed = closed || event.type == SDL_QUIT ||
                 (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
    }
    return closed || s_xWindowGone;
}
