#include "console/host/audio_device.h"

#include <SDL.h>
#include <dlfcn.h>

#include <vector>

namespace {

constexpr std::uint32_t kFrameBytes = 4;

SDL_AudioDeviceID s_device = 0;
std::uint32_t s_sampleRate = 0;

void IgnoreSoundLibraryMessage(const char*, int, const char*, int, const char*, ...) {}

// ALSA, which SDL loads for the sound card, prints its own messages on standard
// error ("cannot find card" at each probe of a machine without one). The handler
// is set in the library SDL will use, which stays loaded so that it stays set.
void SetSoundLibraryMessages(bool shown) {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    static void* const alsa = dlopen("libasound.so.2", RTLD_NOW);
    if (alsa == nullptr)
        return;
    const auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr)
        setHandler(shown ? nullptr : IgnoreSoundLibraryMessage);
}

}  // namespace

bool host::AudioDeviceOpen(std::uint32_t sampleRate, bool libraryMessages, std::string* error) {
    AudioDeviceClose();
    SetSoundLibraryMessages(libraryMessages);
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
    s_sampleRate = sampleRate;
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
    if (s_device == 0)
        return;
    const std::uint32_t queued = SDL_GetQueuedAudioSize(s_device);
    if (queued > maxQueuedFrames * kFrameBytes)
        return;
    if (queued == 0) {
        // Blocks come in bursts, one frame's worth at a time: start (or restart
        // after a stall) 40 ms behind so the device does not run dry between them.
        const std::vector<std::int16_t> silence(size_t(s_sampleRate / 25) * 2, 0);
        SDL_QueueAudio(s_device, silence.data(), std::uint32_t(silence.size() * 2));
    }
    SDL_QueueAudio(s_device, samples, frames * kFrameBytes);
}
