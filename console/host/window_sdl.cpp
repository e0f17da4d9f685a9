// The game's window: SDL2, opened only when the configuration asks for one.
#include <SDL.h>

#include "console/host/window.h"
#include "console/os.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

SDL_Window* s_window = nullptr;
SDL_Renderer* s_renderer = nullptr;

void PumpEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        const bool closed = event.type == SDL_QUIT ||
                            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
        if (closed)
            console::HostNotifyQuit();
    }
}

}  // namespace

void console::WindowOpen(const char* title) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        OSPanic(__FILE_NAME__, __LINE__, "SDL video: %s\n", SDL_GetError());
    s_window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight, 0);
    if (s_window == nullptr)
        OSPanic(__FILE_NAME__, __LINE__, "SDL window: %s\n", SDL_GetError());
    s_renderer = SDL_CreateRenderer(s_window, -1, 0);
    if (s_renderer == nullptr)
        OSPanic(__FILE_NAME__, __LINE__, "SDL renderer: %s\n", SDL_GetError());
    WindowPresent();
}

void console::WindowClose() {
    if (s_window == nullptr)
        return;
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
    // Black until external frame buffers are shown here.
    SDL_SetRenderDrawColor(s_renderer, 0, 0, 0, 255);
    SDL_RenderClear(s_renderer);
    SDL_RenderPresent(s_renderer);
    PumpEvents();
}
