#include "orblib47/source/Net.h"

s32 NetColdReset(s32) {
    return 0;
}

s32 NetWarmReset() {
    return 0;
}
