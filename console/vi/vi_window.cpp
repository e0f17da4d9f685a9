// The game's window as the TV: each retrace shows the frame buffer that VI
// latched, stretched to the TV's aspect ratio; closing it is a quit request.
#include "console/host/window.h"
#include "console/host_services.h"
#include "console/os.h"
#include "console/sc.h"
#include "console/system.h"
#include "console/vi/vi_control.h"

bool console::WindowOpen(const char* title, std::string* error) {
    HostMemoryScope hostMemory;
    if (!host::WindowOpen(title, error))
        return false;
    WindowPresent();
    return true;
}

void console::WindowClose() {
    // SDL and the graphics driver allocate with operator new too: host memory.
    HostMemoryScope hostMemory;
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
        HostRequestQuit();
}
