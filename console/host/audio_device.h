// The window's sound: an SDL2 audio device at 32 kHz, 16-bit stereo, fed from the
// program's thread. Nothing here touches SDL unless the device was opened.
#pragma once

#include <cstdint>
#include <string>

namespace host {

// False, with SDL's reason in `error`, when no device can be opened.
// `libraryMessages`: the sound library's own messages reach standard error.
bool AudioDeviceOpen(std::uint32_t sampleRate, bool libraryMessages, std::string* error);
void AudioDeviceClose();
bool AudioDeviceIsOpen();
// Queues `frames` stereo samples (left, right) behind a short silence when the
// device has run dry; drops them when it already holds more than
// `maxQueuedFrames`, so the sound never lags far behind.
void AudioDeviceQueue(const std::int16_t* samples, std::uint32_t frames, std::uint32_t maxQueuedFrames);

}  // namespace host
