// Where played blocks go: the test capture, the WAV file and the window's audio
// device, all from the program's thread.
#include <string>
#include <vector>

#include "console/ai/ai_control.h"
#include "console/ax.h"
#include "console/host/audio_device.h"
#include "console/host/wav_file.h"
#include "console/host/window.h"
#include "console/host_services.h"
#include "console/os.h"

namespace {

// The device may run this far ahead of the program before blocks are dropped.
constexpr u32 kMaxQueuedFrames = AX_SAMPLE_RATE / 10;

bool s_capturing = false;
std::vector<s16> s_capture;
// Closed by its destructor at exit too, so the header is complete.
host::WavFile s_wav;

}  // namespace

void console::AudioOutputsOpen(const HostConfig& config) {
    HostMemoryScope hostMemory;
    std::string error;
    if (!config.audioOut.empty() && !s_wav.Open(config.audioOut, AX_SAMPLE_RATE, &error))
        OSReport("%s\n", error.c_str());
    if (host::WindowIsOpen() && !host::AudioDeviceOpen(AX_SAMPLE_RATE, config.progressReports, &error))
        OSReport("No sound: %s\n", error.c_str());
}

void console::AudioOutputsClose() {
    HostMemoryScope hostMemory;
    host::AudioDeviceClose();
    s_wav.Close();
    s_capturing = false;
    std::vector<s16>().swap(s_capture);
}

void console::AudioOutputPlayed(const s16* samples, u32 frames) {
    HostMemoryScope hostMemory;
    if (s_capturing)
        s_capture.insert(s_capture.end(), samples, samples + size_t(frames) * 2);
    s_wav.Write(samples, frames);
    host::AudioDeviceQueue(samples, frames, kMaxQueuedFrames);
}

void HostAudioCaptureStart() {
    HostMemoryScope hostMemory;
    s_capturing = true;
    s_capture.clear();
}

void HostAudioCaptureStop() {
    s_capturing = false;
}

std::vector<s16> HostAudioCaptureTake() {
    HostMemoryScope hostMemory;
    std::vector<s16> taken;
    taken.swap(s_capture);
    return taken;
}
