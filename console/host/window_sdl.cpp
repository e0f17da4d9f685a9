// The game's window: SDL2, opened only when the configuration asks for one. Each
// retrace shows the frame buffer that VI latched, scaled to the TV's aspect ratio.
#include <SDL.h>

#include "console/host/host.h"
#include "console/host/screenshot.h"
#include "console/host/window.h"
#include "console/os.h"
#include "console/sc.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

SDL_Window* s_window = nullptr;
SDL_Renderer* s_renderer = nullptr;
SDL_Texture* s_texture = nullptr;  // streaming, the size of the shown frame
int s_textureWidth = 0;
int s_textureHeight = 0;
HostFrame s_frame;

void PumpEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        const bool closed = event.type == SDL_QUIT ||
                            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
        if (closed)
            console::HostNotifyQuit();
    }
}

// Uploads the shown frame into the texture, which follows the frame's size.
void UploadFrame() {
    HostCaptureShownFrame(&s_frame);
    const int width = int(s_frame.width);
    const int height = int(s_frame.height);
    if (s_texture == nullptr || width != s_textureWidth || height != s_textureHeight) {
        if (s_texture != nullptr)
            SDL_DestroyTexture(s_texture);
        s_texture =
            SDL_CreateTexture(s_renderer, SDL_PIXELFORMAT_RGB24, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (s_texture == nullptr)
            OSPanic(__FILE_NAME__, __LINE__, "SDL texture: %s\n", SDL_GetError());
        s_textureWidth = width;
        s_textureHeight = height;
    }
    SDL_UpdateTexture(s_texture, nullptr, s_frame.rgb.data(), width * 3);
}

}  // namespace

console::WindowRect console::WindowLetterbox(u32 aspectW, u32 aspectH, int outW, int outH) {
    if (outW <= 0 || outH <= 0 || aspectW == 0 || aspectH == 0)
        return {0, 0, 0, 0};
    // Compare outW/outH with aspectW/aspectH without division.
    const s64 wide = s64(outW) * aspectH;
    const s64 tall = s64(outH) * aspectW;
    const int w = wide > tall ? int(tall / aspectH) : outW;
    const int h = wide > tall ? outH : int(wide / aspectW);
    return {(outW - w) / 2, (outH - h) / 2, w, h};
}

void console::WindowOpen(const char* title) {
    HostMemoryScope hostMemory;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        OSPanic(__FILE_NAME__, __LINE__, "SDL video: %s\n", SDL_GetError());
    s_window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight,
                                SDL_WINDOW_RESIZABLE);
    if (s_window == nullptr)
        OSPanic(__FILE_NAME__, __LINE__, "SDL window: %s\n", SDL_GetError());
    s_renderer = SDL_CreateRenderer(s_window, -1, 0);
    if (s_renderer == nullptr)
        OSPanic(__FILE_NAME__, __LINE__, "SDL renderer: %s\n", SDL_GetError());
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    WindowPresent();
}

void console::WindowClose() {
    HostMemoryScope hostMemory;
    if (s_window == nullptr)
        return;
    if (s_texture != nullptr)
        SDL_DestroyTexture(s_texture);
    s_texture = nullptr;
    s_textureWidth = s_textureHeight = 0;
    s_frame = HostFrame{};
    SDL_DestroyRenderer(s_renderer);
    SDL_DestroyWindow(s_window);
    s_renderer = nullptr;
    s_window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // The last subsystem gone: let SDL release its global state too.
    if (SDL_WasInit(0) == 0)
        SDL_Quit();
}

void console::WindowPresent() {
    if (s_window == nullptr)
        return;
    // SDL and the graphics driver allocate with operator new too: host memory.
    HostMemoryScope hostMemory;
    UploadFrame();
    int outW = 0;
    int outH = 0;
    SDL_GetRendererOutputSize(s_renderer, &outW, &outH);
    // The TV stretches the frame to its own shape.
    const bool wide = SCGetAspectRatio() == SC_ASPECT_RATIO_16x9;
    const WindowRect fit = WindowLetterbox(wide ? 16 : 4, wide ? 9 : 3, outW, outH);
    const SDL_Rect target{fit.x, fit.y, fit.w, fit.h};
    SDL_SetRenderDrawColor(s_renderer, 0, 0, 0, 255);
    SDL_RenderClear(s_renderer);
    SDL_RenderCopy(s_renderer, s_texture, nullptr, &target);
    SDL_RenderPresent(s_renderer);
    PumpEvents();
}
