#include "console/host/audio_device.h"

#include <SDL.h>

namespace {

constexpr std::uint32_t kFrameBytes = 4;

SDL_AudioDeviceID s_device = 0;

}  // namespace

bool host::AudioDeviceOpen(std::uint32_t sampleRate, std::string* error) {
    AudioDeviceClose();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        *error = std::string("SDL audio: ") + SDL_GetError();
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = int(sampleRate);
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 512;
    s_device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (s_device == 0) {
        *error = std::string("SDL audio device: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(s_device, 0);
    return true;
}

void host::AudioDeviceClose() {
    if (s_device == 0)
        return;
    SDL_CloseAudioDevice(s_device);
    s_device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(0) == 0)
        SDL_Quit();
}

bool host::AudioDeviceIsOpen() {
    return s_device != 0;
}

void host::AudioDeviceQueue(const std::int16_t* samples, std::uint32_t frames,
                            std::uint32_t maxQueuedFrames) {
    if (s_device == 0 || SDL_GetQueuedAudioSize(s_device) > maxQueuedFrames * kFrameBytes)
        return;
    SDL_QueueAudio(s_device, samples, frames * kFrameBytes);
}
