// The game's window as the TV: each retrace shows the frame buffer that VI
// latched, stretched to the TV's aspect ratio; closing it asks the game to quit.
#include "console/host/window.h"
#include "console/host_services.h"
#include "console/os.h"
#include "console/sc.h"
#include "console/vi/vi_control.h"

namespace {

void (*s_quitCallback)() = nullptr;
bool s_quitNotified = false;

void NotifyQuit() {
    if (s_quitNotified || s_quitCallback == nullptr)
        return;
    s_quitNotified = true;
    s_quitCallback();
}

}  // namespace

void HostSetQuitCallback(void (*callback)()) {
    s_quitCallback = callback;
}

void console::WindowOpen(const char* title) {
    HostMemoryScope hostMemory;
    std::string error;
    if (!host::WindowOpen(title, &error))
        OSPanic(__FILE_NAME__, __LINE__, "%s\n", error.c_str());
    WindowPresent();
}

void console::WindowClose() {
    // SDL and the graphics driver allocate with operator new too: host memory.
    HostMemoryScope hostMemory;
    s_quitCallback = nullptr;
    s_quitNotified = false;
    host::WindowClose();
}

void console::WindowPresent() {
    if (!host::WindowIsOpen())
        return;
    HostMemoryScope hostMemory;
    const auto* buffer = HostVIIsBlack() ? nullptr : static_cast<const u8*>(HostVIShownFrameBuffer());
    const HostVIFrameSize size = HostVIShownFrameSize();
    // The TV stretches the frame to its own shape.
    const bool wide = SCGetAspectRatio() == SC_ASPECT_RATIO_16x9;
    std::string error;
    if (!host::WindowPresent(buffer, int(size.width), int(size.height), int(size.stride), wide ? 16 : 4,
                             wide ? 9 : 3, &error))
        OSPanic(__FILE_NAME__, __LINE__, "%s\n", error.c_str());
    if (host::WindowPumpEvents())
        NotifyQuit();
}
