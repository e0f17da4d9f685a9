// The four-character system id stamped on every heap block, with a stack so a
// module can allocate on another's behalf under its own id.
#include "orblib47/source/Debug.h"
#include "orblib47/source/Heap.h"

u32 SysId = FourCC(" SYS");

namespace {

constexpr s32 kMaxSysidStackDepth = 16;

u32 SysIdStack[kMaxSysidStackDepth];
s32 SysIdStackIndex;

}  // namespace

void SysIdReset() {
    SysId = FourCC(" SYS");
    SysIdStackIndex = 0;
}

void SysIdPush(u32 id) {
    ORB_ASSERT(SysIdStackIndex < kMaxSysidStackDepth, "SysIdPush: Stack Overflow!\n");
    SysIdStack[SysIdStackIndex++] = SysId;
    SysId = id;
}

void SysIdPop() {
    ORB_ASSERT(SysIdStackIndex > 0, "SysIdPop: Stack Underflow!\n");
    SysId = SysIdStack[--SysIdStackIndex];
}
