#include "orblib47/source/Screenshot.h"

#include "console/hio2.h"
#include "console/os.h"
#include "orblib47/source/Debug.h"
#include "orblib47/source/ScreenshotInternal.h"

namespace {

s32 g_hio2Initilized = 0;
s32 g_connected = 0;     // cleared by the disconnect callback
s32 g_mail_waiting = 0;  // set by the receive-mail callback
HIO2DeviceType g_usb_type = HIO2_DEVICE_INVALID;
HIO2Handle g_usb_handle = HIO2_HANDLE_INVALID;

void ReceiveMail(HIO2Handle) {
    g_mail_waiting = 1;
}

void Disconnected(HIO2Handle) {
    g_connected = 0;
}

BOOL RecordDevice(HIO2DeviceType type) {
    g_usb_type = type;
    return FALSE;  // the first device will do
}

void ConnectToUSB() {
    if (g_connected)
        return;
    g_usb_type = HIO2_DEVICE_INVALID;
    if (!HIO2EnumDevices(RecordDevice) || g_usb_type == HIO2_DEVICE_INVALID)
        return;
    g_usb_handle = HIO2Open(g_usb_type, ReceiveMail, Disconnected);
    if (g_usb_handle == HIO2_HANDLE_INVALID)
        return;
    u32 stale = 0;
    HIO2ReadMailbox(g_usb_handle, &stale);
    g_mail_waiting = 0;
    g_connected = 1;
}

void GiveUpConnection() {
    DEBUG_PRINT("SCREENSHOT: host not answering, connection dropped\n");
    HIO2Close(g_usb_handle);
    g_usb_handle = HIO2_HANDLE_INVALID;
    g_connected = 0;
}

template <typename Write>
bool WriteWithRetries(Write write) {
    for (u32 attempt = 0; attempt < kWriteAttempts; ++attempt) {
        if (write())
            return true;
    }
    GiveUpConnection();
    return false;
}

// Serves requests while the host asks for the chunks of a transfer back to back,
// within the frame's share of requests and the wait for the next one.
void CheckMail(const u8* xfb, u8* workBuffer) {
    u32 answered = 0;
    bool more = false;
    OSTime lastMail = OSGetTime();
    do {
        u32 word = 0;
        if (g_mail_waiting && HIO2ReadMailbox(g_usb_handle, &word)) {
            g_mail_waiting = 0;
            more = ScreenshotAnswer(word, xfb, workBuffer);
            ++answered;
            lastMail = OSGetTime();
        }
    } while (more && g_connected && answered < kRequestsPerFrame &&
             OSGetTime() - lastMail < kNextRequestWait);
}

}  // namespace

void ScreenshotColdReset() {
    g_hio2Initilized = 0;
    g_connected = 0;
    g_mail_waiting = 0;
    g_usb_type = HIO2_DEVICE_INVALID;
    g_usb_handle = HIO2_HANDLE_INVALID;
    SCREENSHOTSetEFBSize(480, 640);
    SCREENSHOTSetXFBSize(480, 640);
}

void SCREENSHOTService(void* xfb, void* workBuffer, u32 workBufferSize) {
    ORB_ASSERT(workBufferSize >= SCRNSHOT_SHARE_MEMORY_SIZE,
               "SCREENSHOTService: Argument workingBufferSize must be >= SCRNSHOT_SHARE_MEMORY_SIZE\n");
    if (!g_hio2Initilized) {
        if (!HIO2Init())
            return;
        g_hio2Initilized = 1;
    }
    ConnectToUSB();
    if (g_connected && g_mail_waiting)
        CheckMail(static_cast<const u8*>(xfb), static_cast<u8*>(workBuffer));
}

bool ScreenshotWrite(const void* data, u32 size) {
    return WriteWithRetries([&] { return HIO2Write(g_usb_handle, 0, data, s32(size)) != FALSE; });
}

bool ScreenshotSendMail(u32 word) {
    return WriteWithRetries([&] { return HIO2WriteMailbox(g_usb_handle, word) != FALSE; });
}
