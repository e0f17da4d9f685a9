// The pad-capture state: nothing starts a capture or a playback, so it stays idle.
#include "orblib47/source/Pad.h"

namespace {

e_pad_capture_mode CaptureMode = PAD_CAPTURE_IDLE;
s_thread* CaptureTask = nullptr;
s_pad_capture* CaptureBuffer = nullptr;
s32 CaptureCount = 0;

}  // namespace

void PadCaptureWarmReset() {
    CaptureMode = PAD_CAPTURE_IDLE;
    CaptureTask = nullptr;
    CaptureBuffer = nullptr;
    CaptureCount = 0;
}

e_pad_capture_mode PadCaptureGetMode() {
    return CaptureMode;
}
