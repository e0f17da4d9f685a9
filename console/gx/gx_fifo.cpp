// GXInit and the command FIFO objects. Commands run as they are issued, so a
// FIFO never holds any: its pointers stay at its base and the GP is always idle.
#include "console/gx/gx_log.h"
#include "console/gx/gx_state.h"
#include "console/os.h"

using namespace console::gx;

namespace {

GXFifoObj s_defaultFifo;

}  // namespace

GXFifoObj* GXInit(void* base, u32 size) {
    LogCall("GXInit", "%p, %u", base, size);
    ResetRegisters();
    GXInitFifoBase(&s_defaultFifo, base, size);
    FrontState& state = FrontStateCurrent();
    state.cpuFifo = state.gpFifo = &s_defaultFifo;
    return &s_defaultFifo;
}

void GXInitFifoBase(GXFifoObj* fifo, void* base, u32 size) {
    LogCall("GXInitFifoBase", "%p, %p, %u", static_cast<void*>(fifo), base, size);
    if (fifo == nullptr || base == nullptr)
        OSPanic(__FILE_NAME__, __LINE__, "GXInitFifoBase: no FIFO object or memory\n");
    u8* const start = static_cast<u8*>(base);
    *fifo = GXFifoObj{start, size, start, start};
}

void GXSetCPUFifo(GXFifoObj* fifo) {
    LogCall("GXSetCPUFifo", "%p", static_cast<void*>(fifo));
    FrontStateCurrent().cpuFifo = fifo;
}

void GXSetGPFifo(GXFifoObj* fifo) {
    LogCall("GXSetGPFifo", "%p", static_cast<void*>(fifo));
    FrontStateCurrent().gpFifo = fifo;
}

void GXGetCPUFifo(GXFifoObj* fifo) {
    const GXFifoObj* current = FrontStateCurrent().cpuFifo;
    if (current == nullptr)
        OSPanic(__FILE_NAME__, __LINE__, "GXGetCPUFifo: no CPU FIFO before GXInit\n");
    *fifo = *current;
}

void GXGetFifoPtrs(const GXFifoObj* fifo, void** readPtr, void** writePtr) {
    *readPtr = fifo->readPtr;
    *writePtr = fifo->writePtr;
}

void GXEnableBreakPt(void* breakPtr) {
    LogCall("GXEnableBreakPt", "%p", breakPtr);
    FrontStateCurrent().breakPt = breakPtr;
}

// Idle, empty, and stopped at any breakpoint, which can only be where it stands.
void GXGetGPStatus(GXBool* overhi, GXBool* underlow, GXBool* readIdle, GXBool* cmdIdle, GXBool* brkpt) {
    *overhi = GX_FALSE;
    *underlow = GX_TRUE;
    *readIdle = GX_TRUE;
    *cmdIdle = GX_TRUE;
    *brkpt = FrontStateCurrent().breakPt != nullptr ? GX_TRUE : GX_FALSE;
}

// No vertex cache stands between memory and the pipeline.
void GXInvalidateVtxCache() {
    LogCall("GXInvalidateVtxCache");
}
