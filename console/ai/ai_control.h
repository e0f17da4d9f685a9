// The audio interface's reset, where its played blocks go, and the capture that
// tests read. Internal to the console.
#pragma once

#include <string>
#include <vector>

#include "console/system.h"

namespace console {

// ai.cpp: no DMA, no callback, not initialised.
void AIReset();

// ai_output.cpp: the outputs of played blocks. Open starts the WAV file
// (config.audioOut) and, with a window, the audio device; a failure is reported
// and that output stays off.
void AudioOutputsOpen(const HostConfig& config);
void AudioOutputsClose();
// One played block: `frames` stereo samples (left, right).
void AudioOutputPlayed(const s16* samples, u32 frames);

}  // namespace console

// The capture of played blocks: from Start on, every block the audio interface
// plays is kept until Stop (or HostInit).
void HostAudioCaptureStart();
void HostAudioCaptureStop();
// The stereo samples (left, right) captured since Start or the last Take.
std::vector<s16> HostAudioCaptureTake();
