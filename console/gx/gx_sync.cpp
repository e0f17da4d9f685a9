// Draw sync and draw done. The queued pixels are finished inside these calls,
// so a token is written at once and the draw-done interrupt is due immediately;
// like every interrupt it is delivered at a later poll point.
#include "console/gx/gx_log.h"
#include "console/gx/gx_state.h"
#include "console/gx/gx_tiles.h"
#include "console/os/clock.h"
#include "console/os/poll.h"

using namespace console::gx;

namespace {

void DeliverDrawDone(void*) {
    if (const GXDrawDoneCallback callback = FrontStateCurrent().drawDoneCallback)
        callback();
}

void RaiseDrawDone() {
    FinishPixels();
    console::PollScope call;
    console::Poll();
    console::PollSchedule(console::ClockNow(), DeliverDrawDone, nullptr);
}

}  // namespace

void GXSetDrawDone() {
    LogCall("GXSetDrawDone");
    RaiseDrawDone();
}

void GXDrawDone() {
    LogCall("GXDrawDone");
    RaiseDrawDone();
}

GXDrawDoneCallback GXSetDrawDoneCallback(GXDrawDoneCallback callback) {
    LogCall("GXSetDrawDoneCallback", "%p", reinterpret_cast<void*>(callback));
    GXDrawDoneCallback& current = FrontStateCurrent().drawDoneCallback;
    const GXDrawDoneCallback previous = current;
    current = callback;
    return previous;
}

void GXSetDrawSync(u16 token) {
    LogCall("GXSetDrawSync", "0x%04X", token);
    FrontStateCurrent().drawSyncToken = token;
}

u16 GXReadDrawSync() {
    FinishPixels();
    console::Poll();
    return FrontStateCurrent().drawSyncToken;
}
